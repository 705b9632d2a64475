/*
 * shared_peer - the other process of the shared-section and recorder tests.
 *   shared_peer read         exit code: the value of _bDraw seen here
 *   shared_peer write N      sets _bDraw to N
 *   shared_peer record TITLE opens the View Messages dialog (not shown), chooses the
 *                            application TITLE and records it until it is ended (or a
 *                            minute has passed)
 */
#include <windows.h>
#include <windowsx.h>
#include <stdlib.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"

#define RECORD_LIMIT 60000

static int Record(LPCSTR lpszTitle)
{
    HWND hDlg = CreateDialogRes(IDD_MESSAGES, NULL, MessageDlgProc);
    if (hDlg == NULL)
        return 1;
    HWND hApps = GetDlgItem(hDlg, IDC_MSG_APPLICATIONS);
    if (ComboBox_SelectString(hApps, -1, lpszTitle) < 0)
        return 2;
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_MSG_APPLICATIONS, CBN_SELCHANGE), (LPARAM)hApps);
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_MSG_START, BN_CLICKED), (LPARAM)GetDlgItem(hDlg, IDC_MSG_START));
    SetTimer(NULL, 0, RECORD_LIMIT, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0 && !(msg.message == WM_TIMER && msg.hwnd == NULL)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(hDlg);
    return 0;
}

int main(int argc, char **argv)
{
    if (argc >= 2 && strcmp(argv[1], "read") == 0)
        return _bDraw;
    if (argc >= 3 && strcmp(argv[1], "write") == 0) {
        _bDraw = atoi(argv[2]);
        return 0;
    }
    if (argc >= 3 && strcmp(argv[1], "record") == 0)
        return Record(argv[2]);
    return -1;
}
