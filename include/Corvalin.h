/*
 * Corvalin.h - exports of Corvalin.dll, the command engine: it turns receiver codes into
 * button codes, reads the command assigned to a button and runs it.
 */
#ifndef ORVANE_CORVALIN_H
#define ORVANE_CORVALIN_H

#include <windows.h>
#include <ddeml.h>

#ifdef CORVALIN_BUILD
#define CORVALINAPI __declspec(dllexport)
#else
#define CORVALINAPI __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Translates *lpbCode through the store's translation table; changes mode and shift.
   Returns 1 when the result is a button code to look up, 0 when the code was handled here. */
CORVALINAPI int WINAPI DecodeScanCode(HWND hWnd, LPBYTE lpbCode, LPBYTE lpbMode, LPBYTE lpbShift);
/* The same; when the code selects a mode, lpszModeKey (STORE_MODE_KEY_SIZE bytes, or null)
   receives the name of the mode's key as it was read to run the mode's command, so that a
   caller who shows it need not read it again. Left as it was for any other code. */
CORVALINAPI int WINAPI DecodeScanCodeEx(HWND hWnd, LPBYTE lpbCode, LPBYTE lpbMode, LPBYTE lpbShift,
                                        LPSTR lpszModeKey);

/* Selects engine mode bMode as a mode button does: *lpbMode becomes bMode, the mode's own
   command runs and shift goes off; lpszModeKey, unless null, receives the name of the
   mode's key as DecodeScanCodeEx gives it. 0, nothing changed, for a mode that does not
   exist. */
CORVALINAPI int WINAPI SelectMode(HWND hWnd, BYTE bMode, LPBYTE lpbMode, LPBYTE lpbShift, LPSTR lpszModeKey);

/* Reads the command of button bScanCode in engine mode bMode; 1 when one is assigned. */
CORVALINAPI int WINAPI LookUpCode(BYTE bMode, BYTE bScanCode, LPSTR lpszFunction, UINT uiBufferSize);

/* Runs a command string item by item; hWnd owns the clipboard for PASTE. */
CORVALINAPI void WINAPI ParseFunction(HWND hWnd, LPSTR lpszBuffer);

/* Opens a web address: by DDE in a running browser that the ".htm" open command names,
   else through the shell. 1 when a browser was given the address. */
CORVALINAPI int WINAPI SendWebAddress(LPCSTR lpszAddress, int iShowCmd);

/* DDE callback of the conversation with a browser. */
CORVALINAPI HDDEDATA CALLBACK URLCallBack(UINT uType, UINT uFmt, HCONV hConv, HSZ hsz1, HSZ hsz2,
                                          HDDEDATA hData, ULONG_PTR dwData1, ULONG_PTR dwData2);

/* String values below HKEY_CURRENT_USER\Software\Zendra\Orvane (also exported by Brenvik).
   Get reads value lpszSection of key lpszTopic into lpszBuffer, creating a missing key or
   value with lpszDefault; a stored value longer than the buffer is left alone and the
   default is returned. Write stores a value; 1 on success, 0 if the key is unavailable. */
CORVALINAPI void WINAPI Get(LPCSTR lpszTopic, LPCSTR lpszSection, LPCSTR lpszDefault,
                            LPSTR lpszBuffer, int iMaxSize);
CORVALINAPI int  WINAPI Write(LPCSTR lpszTopic, LPCSTR lpszSection, LPCSTR lpszBuffer);

/* Told of every command string as it starts to run, by the tray program's press log; null
   (the default) while nobody listens. SetCommandHook returns the hook it replaces. */
typedef void (CALLBACK *COMMANDHOOK)(LPCSTR lpszCommand);
CORVALINAPI COMMANDHOOK WINAPI SetCommandHook(COMMANDHOOK pfnHook);

/* Enumeration callbacks of the window commands; lParam is a window to leave alone. */
CORVALINAPI BOOL CALLBACK IconizeWindowsProc(HWND hWnd, LPARAM lParam);
CORVALINAPI BOOL CALLBACK RestoreWindowsProc(HWND hWnd, LPARAM lParam);
CORVALINAPI BOOL CALLBACK MaximizeWindowsProc(HWND hWnd, LPARAM lParam);

#ifdef __cplusplus
}
#endif

#endif /* ORVANE_CORVALIN_H */
