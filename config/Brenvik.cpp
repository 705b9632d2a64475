/*
 * Brenvik.cpp - the library's entry point, which records the module instance that every
 * resource lookup uses, and the variables of the data section shared by every process
 * that loads Brenvik (the hooks run inside foreign processes and meet the dialogs here).
 * Only what a hook must see belongs there: the configuration of one program (its button
 * model, its function editor) stays in that program. Also the help and placement every
 * dialog of the library uses.
 */
#include <windows.h>
#include "Brenvik.h"
#include "Brenvik_module.h"
#include "htmlhelp.h"

HINSTANCE hInstance;

/* Exported (Brenvik.h). */
HHOOK   _hHookMsg      SHARED_SECTION = NULL;
HWND    _hMessageDlg   SHARED_SECTION = NULL;
HWND    _hMainDlg      SHARED_SECTION = NULL;
HHOOK   _hMouseMsg     SHARED_SECTION = NULL;
BOOL    _bDraw         SHARED_SECTION = FALSE;
BOOL    _bPosOnly      SHARED_SECTION = FALSE;
BOOL    _bSelect       SHARED_SECTION = FALSE;
BOOL    _bMseFirstDown SHARED_SECTION = FALSE;
BOOL    _bSelectDown   SHARED_SECTION = FALSE;
HCURSOR _hNewCur       SHARED_SECTION = NULL;

extern "C" BOOL WINAPI DllEntryPoint(HINSTANCE hInst, DWORD dwReason, LPVOID lpReserved)
{
    (void)dwReason;
    (void)lpReserved;
    hInstance = hInst;
    return TRUE;
}

/* The C runtime's start-up code calls the entry point by this name. */
extern "C" BOOL WINAPI DllMain(HINSTANCE hInst, DWORD dwReason, LPVOID lpReserved)
{
    return DllEntryPoint(hInst, dwReason, lpReserved);
}

void Help(HWND hWnd, UINT uiTopic, BOOL bOpen)
{
    if (bOpen)
        ShowHelpTopic(hWnd, uiTopic);
    else
        CloseHelpWindows();
}

void CenterWindow(HWND hWnd)
{
    RECT rWindow;
    GetWindowRect(hWnd, &rWindow);
    int cxWindow = rWindow.right - rWindow.left;
    int cyWindow = rWindow.bottom - rWindow.top;
    int cxScreen = GetSystemMetrics(SM_CXFULLSCREEN);
    int cyScreen = GetSystemMetrics(SM_CYFULLSCREEN);
    int x = cxWindow < cxScreen ? (cxScreen - cxWindow) / 2 : rWindow.left;
    int y = cyWindow < cyScreen ? (cyScreen - cyWindow) / 2 : rWindow.top;
    MoveWindow(hWnd, x, y, cxWindow, cyWindow, FALSE);
}
