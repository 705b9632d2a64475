/*
 * auto32.h - the Automatic Modes dialog (auto32.cpp).
 */
#ifndef ORVANE_AUTO32_H
#define ORVANE_AUTO32_H

#include <windows.h>

/* Its window-menu command on the picture of the remote, after the profiles'. */
#define SC_AUTO_MODES   0x0120

void AddAutoModeMenu(HWND hDlg);
/* Runs the Automatic Modes dialog for its window-menu command; FALSE for other commands. */
BOOL OnAutoModeCommand(HWND hDlg, UINT uiCommand);
INT_PTR CALLBACK AutoModesDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);

#endif /* ORVANE_AUTO32_H */
