/*
 * psheet.h - Selvane's records and routines: the Cursor page's working copy of the mouse
 * settings, the bytes sent to the receiver, and the applet's entry points.
 */
#ifndef ORVANE_PSHEET_H
#define ORVANE_PSHEET_H

#include <windows.h>

/* What the Cursor page shows and edits. */
typedef struct tagSHEETINFO {
    int  iTrail;            /* system mouse trail length */
    int  iSpeed;            /* the remote's cursor speed, 0 to 4 */
    BOOL bShowTrail;
    BOOL bEnableButton;     /* the remote's buttons are reported */
} SHEETINFO, *LPSHEETINFO;

/* Input of the receiver's "set mouse" call. */
typedef struct tagMOUSEVXDPARAMS {
    BYTE bSpeed;
    BYTE bEnable;           /* 1: the buttons are reported, 0: the cursor only */
} MOUSEVXDPARAMS, *PMOUSEVXDPARAMS;

extern "C" {
LONG APIENTRY CPlApplet(HWND hWndCpl, UINT uMessage, LPARAM lParam1, LPARAM lParam2);
INT_PTR CALLBACK SpeedDlgProc(HWND hDlg, UINT uMessage, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);
}

void InitialisePropertySheet(HWND hWnd);
/* The mouse settings in the registry: one-byte binary values of the settings key. */
void InitialiseMouseSettings(void);
void GetMouseSettings(LPSHEETINFO lpInfo);
void SaveMouseSettings(LPSHEETINFO lpInfo);
void SetMouseVxD(PMOUSEVXDPARAMS pmvpMouse);
/* The installation directory (WorkingDirectory), at most dwSize bytes with the terminator. */
void ReadDirectory(LPSTR pszBuffer, DWORD dwSize);
/* Runs the button configuration of Brenvik, owned by hWnd. */
void ConfigureButtons(HWND hWnd);

#endif /* ORVANE_PSHEET_H */
