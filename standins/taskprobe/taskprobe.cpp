/*
 * taskprobe.cpp - opens the top-level windows that the task switcher's tests list and
 * switch between. Each argument is one window, "<kind>:<title>", created in order:
 *   T titled main window          U main window without a title (the title is ignored)
 *   H hidden main window          P visible pop-up without caption or border
 *   M minimised main window       O main window owned by the previous window
 *   B pop-up with a thin border only (one of the two caption bits)
 * The program ends when its last window is destroyed.
 */
#include <windows.h>
#include <windowsx.h>
#include <stdlib.h>
#include <string.h>

static const char szProbeClass[] = "TaskProbe";
static int iOpenWindows;

static void OnDestroy(HWND hWnd)
{
    (void)hWnd;
    if (--iOpenWindows == 0)
        PostQuitMessage(0);
}

static LRESULT CALLBACK ProbeWndProc(HWND hWnd, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uMessage) {
        HANDLE_MSG(hWnd, WM_DESTROY, OnDestroy);
    }
    return DefWindowProcA(hWnd, uMessage, wParam, lParam);
}

/* How each kind of window is made. */
struct tagPROBEKIND {
    char  cKind;
    DWORD dwStyle;
    int   iShow;        /* -1: never shown */
    BOOL  bOwned;
    BOOL  bTitled;
};

static const tagPROBEKIND ProbeKinds[] = {
    { 'T', WS_OVERLAPPEDWINDOW, SW_SHOWNORMAL,       FALSE, TRUE  },
    { 'U', WS_OVERLAPPEDWINDOW, SW_SHOWNORMAL,       FALSE, FALSE },
    { 'H', WS_OVERLAPPEDWINDOW, -1,                  FALSE, TRUE  },
    { 'P', WS_POPUP,            SW_SHOWNORMAL,       FALSE, TRUE  },
    { 'M', WS_OVERLAPPEDWINDOW, SW_SHOWMINNOACTIVE,  FALSE, TRUE  },
    { 'O', WS_OVERLAPPEDWINDOW, SW_SHOWNORMAL,       TRUE,  TRUE  },
    { 'B', WS_POPUP | WS_BORDER, SW_SHOWNORMAL,      FALSE, TRUE  },
};

static HWND CreateProbeWindow(LPCSTR lpszArgument, HWND hPrevious, int iIndex)
{
    const tagPROBEKIND *pKind = NULL;
    for (const tagPROBEKIND &kind : ProbeKinds)
        if (kind.cKind == lpszArgument[0] && lpszArgument[1] == ':')
            pKind = &kind;
    if (pKind == NULL)
        return NULL;
    HWND hWnd = CreateWindowExA(0, szProbeClass, pKind->bTitled ? lpszArgument + 2 : "",
                                pKind->dwStyle, 40 + 30 * iIndex, 40 + 20 * iIndex, 260, 120,
                                pKind->bOwned ? hPrevious : NULL, NULL, GetModuleHandleA(NULL), NULL);
    if (hWnd == NULL)
        return NULL;
    iOpenWindows++;
    if (pKind->iShow >= 0)
        ShowWindow(hWnd, pKind->iShow);
    UpdateWindow(hWnd);
    return hWnd;
}

/* main rather than WinMain: the arguments arrive split, on every target. */
int main(int argc, char **argv)
{
    HINSTANCE hInstance = GetModuleHandleA(NULL);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ProbeWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = szProbeClass;
    if (!RegisterClassA(&wc))
        return 1;

    HWND hPrevious = NULL;
    for (int i = 1; i < argc; i++) {
        HWND hWnd = CreateProbeWindow(argv[i], hPrevious, i);
        if (hWnd != NULL)
            hPrevious = hWnd;
    }
    if (iOpenWindows == 0)
        return 1;

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
