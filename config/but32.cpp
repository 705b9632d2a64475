/*
 * but32.cpp - the button configuration run: MouseButtons, called by the tray program's
 * Configure command and by the Control Panel applet, shows the remote picture dialog
 * modally and returns when it closes.
 */
#include <windows.h>
#include <windowsx.h>
#include "Brenvik.h"
#include "BrenvikRes.h"

/* The picture dialog until its buttons can be edited: it only opens and closes. */
static INT_PTR CALLBACK ButtonsDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (uiMessage) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (GET_WM_COMMAND_ID(wParam, lParam) == IDCANCEL || GET_WM_COMMAND_ID(wParam, lParam) == IDOK)
            EndDialog(hDlg, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

extern "C" int WINAPI MouseButtons(HWND hWnd)
{
    DialogBoxRes(IDD_BUTTONS, hWnd, ButtonsDlgProc);
    return 0;
}
