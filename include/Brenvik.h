/*
 * Brenvik.h - exports of Brenvik.dll, the configuration library that also carries
 * every resource shared by the tray program, the command engine and the applet.
 * Ordinals are fixed in config/Brenvik.def (the applet binds MouseButtons as ordinal 1).
 */
#ifndef ORVANE_BRENVIK_H
#define ORVANE_BRENVIK_H

#include <windows.h>

#ifdef BRENVIK_BUILD
#define BRENVIKAPI __declspec(dllexport)
#else
#define BRENVIKAPI __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Settings and assignments below HKEY_CURRENT_USER\Software\Zendra\Orvane (ordinals 14
   and 15; the same routines as Corvalin's, see Corvalin.h). */
BRENVIKAPI int  WINAPI Write(LPCSTR lpszTopic, LPCSTR lpszSection, LPCSTR lpszBuffer);
BRENVIKAPI void WINAPI Get(LPCSTR lpszTopic, LPCSTR lpszSection, LPCSTR lpszDefault,
                           LPSTR lpszBuffer, int iMaxSize);

/* Button configuration (ordinal 1): runs the remote picture dialog modally; returns 0. */
BRENVIKAPI int     WINAPI MouseButtons(HWND hWnd);

/* Resource access (ordinals 16 to 27). */
BRENVIKAPI HWND    WINAPI GetWindowHandle(WORD wClass, WORD wTitle);
BRENVIKAPI int     WINAPI GetStringRes(UINT uiStringID, LPSTR lpszBuffer, int iSize);
BRENVIKAPI UINT    WINAPI LaunchProg(WORD wNameID, LPCSTR lpszCmdLine, UINT uiShow);
BRENVIKAPI HMENU   WINAPI GetMenuRes(WORD wMenuID);
BRENVIKAPI HBITMAP WINAPI GetBitmapRes(WORD wBitmapID);
BRENVIKAPI HACCEL  WINAPI GetAcceleratorsRes(WORD wAccelID);
BRENVIKAPI HCURSOR WINAPI GetCursorRes(WORD wCursorID);
BRENVIKAPI HICON   WINAPI GetIconRes(WORD wIconID);
BRENVIKAPI INT_PTR WINAPI DialogBoxRes(WORD wTemplate, HWND hParentWnd, DLGPROC lpfnDialogProc);
BRENVIKAPI HWND    WINAPI CreateDialogRes(WORD wTemplate, HWND hParentWnd, DLGPROC lpfnDialogProc);
BRENVIKAPI HGLOBAL WINAPI GetRCDataZendraRes(UINT uID_RCDATA);
BRENVIKAPI LPSTR   WINAPI LoadRCDataStringZendraRes(int iIDItem);

/* The function editor (template 421, ordinal 3) and the dialogs of the launch, web,
   media, edit and system functions (ordinals 6 to 10). */
BRENVIKAPI INT_PTR CALLBACK FunctionDlg(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);
BRENVIKAPI INT_PTR CALLBACK LaunchDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);
BRENVIKAPI INT_PTR CALLBACK WebDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);
BRENVIKAPI INT_PTR CALLBACK MultiDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);
BRENVIKAPI INT_PTR CALLBACK EditDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);
BRENVIKAPI INT_PTR CALLBACK SystemDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);

/* The window-message recorder: its dialog procedure (template 463) and its system-wide
   WH_GETMESSAGE hook procedure. */
BRENVIKAPI INT_PTR CALLBACK MessageDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);
BRENVIKAPI LRESULT CALLBACK GetMsgProc(int iCode, WPARAM wParam, LPARAM lParam);

/* Home-automation command dialog (ordinal 12, template 476) and position and size capture
   (ordinal 5, template 412, with its system-wide mouse hook, ordinal 28). */
BRENVIKAPI INT_PTR CALLBACK ZendraDlgProc(HWND hDlg, UINT uMessage, WPARAM wParam, LPARAM lParam);
BRENVIKAPI INT_PTR CALLBACK PositionDlg(HWND hDlg, UINT uMessage, WPARAM wParam, LPARAM lParam);
BRENVIKAPI LRESULT CALLBACK CaptureMouseMsg(int iCode, WPARAM wParam, LPARAM lParam);

/* Data shared by every process that loads Brenvik (ordinals 29 to 38): the message
   hook and the mouse hook run inside foreign processes and meet the dialogs here. */
BRENVIKAPI extern HHOOK   _hHookMsg;        /* message-recorder hook */
BRENVIKAPI extern HWND    _hMessageDlg;     /* "View Messages" dialog while recording */
BRENVIKAPI extern HWND    _hMainDlg;        /* position dialog while open */
BRENVIKAPI extern HHOOK   _hMouseMsg;       /* position-capture mouse hook */
BRENVIKAPI extern BOOL    _bDraw;           /* drawing a rectangle is armed */
BRENVIKAPI extern BOOL    _bPosOnly;        /* "Position Only" is checked */
BRENVIKAPI extern BOOL    _bSelect;         /* pointing at a window is armed */
BRENVIKAPI extern BOOL    _bMseFirstDown;   /* first corner clicked */
BRENVIKAPI extern BOOL    _bSelectDown;     /* selection is tracking the pointer */
BRENVIKAPI extern HCURSOR _hNewCur;         /* capture cursor, or null */

#ifdef __cplusplus
}
#endif

#endif /* ORVANE_BRENVIK_H */
