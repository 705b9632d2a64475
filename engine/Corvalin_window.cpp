/*
 * Corvalin_window.cpp - window and desktop routines of the engine: picking the window
 * under the cursor, finding a window's top-level window, minimising, restoring or
 * maximising every top-level window, and nudging the cursor.
 */
#include <windows.h>
#include "Corvalin.h"
#include "Corvalin_internal.h"

enum { NUDGE_STEP = 5, ACTIVATE_TIMEOUT = 2000 };

HWND FindParent(HWND hWnd)
{
    /* Only child windows have a parent; GetParent of a top-level window is its owner. */
    while (hWnd != NULL && (GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD)) {
        HWND hParent = GetParent(hWnd);
        if (hParent == NULL)
            break;
        hWnd = hParent;
    }
    return hWnd;
}

/* Sends without waiting forever on a program that does not answer. */
static void SendUnlessHung(HWND hWnd, UINT uMessage, WPARAM wParam)
{
    DWORD_PTR dwResult;
    SendMessageTimeoutA(hWnd, uMessage, wParam, 0, SMTO_ABORTIFHUNG, ACTIVATE_TIMEOUT, &dwResult);
}

/* Brings a window to the foreground and tells it that it is active and has the focus,
   taken from hPrevious. */
void ActivateWindow(HWND hWnd, HWND hPrevious)
{
    SetForegroundWindow(hWnd);
    SetActiveWindow(hWnd);
    SetFocus(hWnd);
    SendUnlessHung(hWnd, WM_ACTIVATE, WA_ACTIVE);
    SendUnlessHung(hWnd, WM_SETFOCUS, (WPARAM)hPrevious);
}

void SelectWindow(HWND *lphWnd, BOOL bParent)
{
    /* The window the user was working in: across processes, the foreground window. */
    HWND hPrevious = GetForegroundWindow();

    POINT ptCursor;
    GetCursorPos(&ptCursor);
    HWND hWnd = WindowFromPoint(ptCursor);
    if (bParent)
        hWnd = FindParent(hWnd);
    ActivateWindow(hWnd, hPrevious);

    if (lphWnd != NULL)
        *lphWnd = hWnd;
}

extern "C" BOOL CALLBACK IconizeWindowsProc(HWND hWnd, LPARAM lParam)
{
    if (hWnd == NULL)
        return FALSE;
    if (hWnd != (HWND)lParam && IsWindowVisible(hWnd))
        ShowWindow(hWnd, SW_MINIMIZE);
    return TRUE;
}

extern "C" BOOL CALLBACK RestoreWindowsProc(HWND hWnd, LPARAM lParam)
{
    if (hWnd == NULL)
        return FALSE;
    if (hWnd != (HWND)lParam && IsWindowVisible(hWnd) && IsIconic(hWnd))
        ShowWindow(hWnd, SW_RESTORE);
    return TRUE;
}

extern "C" BOOL CALLBACK MaximizeWindowsProc(HWND hWnd, LPARAM lParam)
{
    if (hWnd == NULL)
        return FALSE;
    if (hWnd != (HWND)lParam && (IsWindowVisible(hWnd) || IsIconic(hWnd)))
        ShowWindow(hWnd, SW_SHOWMAXIMIZED);
    return TRUE;
}

POINT NudgePoint(UINT uiFunction, POINT ptCursor, int iWidth, int iHeight)
{
    switch (uiFunction) {
    case FN_UNUDGE: ptCursor.y -= NUDGE_STEP; break;
    case FN_DNUDGE: ptCursor.y += NUDGE_STEP; break;
    case FN_RNUDGE: ptCursor.x -= NUDGE_STEP; break;   /* shown to the user as "left" */
    case FN_LNUDGE: ptCursor.x += NUDGE_STEP; break;   /* shown to the user as "right" */
    }
    ptCursor.x = ptCursor.x < 0 ? 0 : ptCursor.x > iWidth ? iWidth : ptCursor.x;
    ptCursor.y = ptCursor.y < 0 ? 0 : ptCursor.y > iHeight ? iHeight : ptCursor.y;
    return ptCursor;
}

void Nudge(UINT uiFunction)
{
    POINT ptCursor;
    GetCursorPos(&ptCursor);
    ptCursor = NudgePoint(uiFunction, ptCursor, GetSystemMetrics(SM_CXSCREEN),
                          GetSystemMetrics(SM_CYSCREEN));
    SetCursorPos(ptCursor.x, ptCursor.y);
}
