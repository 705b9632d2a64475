/*
 * remote.cpp - the virtual remote: a window with the remote's buttons. Clicking a button or
 * pressing its shortcut reports its code to the window registered with the receiver driver,
 * repeating while it is held; the pointer buttons move the cursor at the driver's speed.
 * From the command line it plays a sequence of presses instead, for scripts and tests:
 *
 *   remote.exe [/log FILE]                      the window
 *   remote.exe [/log FILE] /play ITEM...        e.g. /play PC +300 SHIFT UP*12 0x21
 *   remote.exe /mouse SPEED ENABLE              sets the driver's cursor speed and enabling
 *   remote.exe /connect 0|1                     unplugs or plugs in the receiver
 *   remote.exe /state                           prints what the driver holds
 */
#include "remote.h"
#include <windowsx.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define CELL_WIDTH      46
#define CELL_HEIGHT     30
#define MARGIN          8
#define GRID_COLUMNS    5
#define GRID_ROWS       14
#define STATUS_HEIGHT   40
#define MOUSE_LABEL_ROW 10

#define ID_HOLD_TIMER   1
#define ID_STATUS_TIMER 2
#define STATUS_INTERVAL 500

static HINSTANCE hInstance;
/* The button held down (by mouse or key) and the key that holds it. */
static const tagREMOTEBUTTON *prbHeld;
static UINT uiHeldKey;
static char szLastSent[40] = "nothing sent yet";

/* ---- pressing buttons (window and command line alike) ---- */

/* One action of a button: a code, a cursor step or a click. Returns 1 when a code was sent. */
static int ActButton(const tagREMOTEBUTTON *pButton)
{
    switch (pButton->iKind) {
    case BK_CODE:
        if (!SendCode(pButton->lpszName, pButton->bCode))
            return 0;
        snprintf(szLastSent, sizeof(szLastSent), "last sent: %s (0x%02X)", pButton->lpszName, pButton->bCode);
        return 1;
    case BK_POINTER:
        MovePointer(pButton);
        return 0;
    default:
        ClickPointer(pButton);
        return 0;
    }
}

static void LogPointerRest(const tagREMOTEBUTTON *pButton)
{
    POINT ptCursor = {};
    GetCursorPos(&ptCursor);
    LogLine("%-8s cursor moved to (%ld,%ld)", pButton->lpszName, ptCursor.x, ptCursor.y);
}

/* Plays the items of a sequence; 0 when every code was sent, 1 when some were not, 2 when
   an item is not understood (then nothing is played). */
static int PlaySequence(int iItems, char **apszItems)
{
    tagPLAYITEM *ppiItems = (tagPLAYITEM *)calloc((size_t)iItems + 1, sizeof(tagPLAYITEM));
    if (ppiItems == NULL)
        return 2;
    for (int i = 0; i < iItems; i++) {
        if (!ParsePlayItem(apszItems[i], &ppiItems[i])) {
            LogLine("not understood: \"%s\"", apszItems[i]);
            free(ppiItems);
            return 2;
        }
    }
    int iResult = 0;
    for (int i = 0; i < iItems; i++) {
        const tagPLAYITEM &pi = ppiItems[i];
        if (pi.pButton == NULL && pi.iCode < 0) {
            Sleep((DWORD)pi.iInterval);
            continue;
        }
        /* A held button: the codes keep the interval from the first one, not from each other. */
        DWORD dwStart = GetTickCount();
        for (int iStep = 0; iStep < pi.iCount; iStep++) {
            DWORD dwDue = (DWORD)(iStep * pi.iInterval);
            DWORD dwElapsed = GetTickCount() - dwStart;
            if (dwDue > dwElapsed)
                Sleep(dwDue - dwElapsed);
            int bSent = pi.pButton != NULL ? ActButton(pi.pButton) : SendCode("raw", (BYTE)pi.iCode);
            bool bCode = pi.pButton == NULL || pi.pButton->iKind == BK_CODE;
            if (bCode && !bSent)
                iResult = 1;
        }
        if (pi.pButton != NULL && pi.pButton->iKind == BK_POINTER)
            LogPointerRest(pi.pButton);
    }
    free(ppiItems);
    return iResult;
}

static int PrintState(void)
{
    MIRELOSTATE msState;
    if (!QueryReceiver(&msState)) {
        LogLine("receiver driver missing");
        return 1;
    }
    LogLine("window 0x%08X registrations %u of %u speed %u buttons %s receiver %s", msState.uiWindow,
            msState.uiRegistrations, msState.uiRequests, msState.bSpeed, msState.bEnable ? "enabled" : "disabled",
            msState.bConnected ? "plugged in" : "unplugged");
    return 0;
}

/* ---- the window ---- */

static RECT ButtonRect(const tagREMOTEBUTTON *pButton)
{
    RECT rc;
    rc.left = MARGIN + pButton->iColumn * CELL_WIDTH + 2;
    rc.top = MARGIN + pButton->iRow * CELL_HEIGHT + 2;
    rc.right = rc.left + pButton->iSpan * CELL_WIDTH - 4;
    rc.bottom = rc.top + CELL_HEIGHT - 4;
    return rc;
}

static const tagREMOTEBUTTON *ButtonAt(int x, int y)
{
    int iCount;
    const tagREMOTEBUTTON *prbButtons = RemoteButtons(&iCount);
    POINT pt = { x, y };
    for (int i = 0; i < iCount; i++) {
        RECT rc = ButtonRect(&prbButtons[i]);
        if (PtInRect(&rc, pt))
            return &prbButtons[i];
    }
    return NULL;
}

static void InvalidateButton(HWND hWnd, const tagREMOTEBUTTON *pButton)
{
    RECT rc = ButtonRect(pButton);
    InvalidateRect(hWnd, &rc, TRUE);
}

static RECT StatusRect(HWND hWnd)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    rc.left += MARGIN;
    rc.right -= MARGIN;
    rc.top = rc.bottom - STATUS_HEIGHT;
    return rc;
}

static void PressButton(HWND hWnd, const tagREMOTEBUTTON *pButton, UINT uiKey)
{
    prbHeld = pButton;
    uiHeldKey = uiKey;
    InvalidateButton(hWnd, pButton);
    ActButton(pButton);
    if (pButton->iKind != BK_CLICK)
        SetTimer(hWnd, ID_HOLD_TIMER, pButton->iKind == BK_POINTER ? POINTER_INTERVAL_MS : REPEAT_INTERVAL_MS, NULL);
    RECT rc = StatusRect(hWnd);
    InvalidateRect(hWnd, &rc, TRUE);
}

static void ReleaseButton(HWND hWnd)
{
    if (prbHeld == NULL)
        return;
    KillTimer(hWnd, ID_HOLD_TIMER);
    if (prbHeld->iKind == BK_POINTER)
        LogPointerRest(prbHeld);
    InvalidateButton(hWnd, prbHeld);
    prbHeld = NULL;
    uiHeldKey = 0;
}

static BOOL OnCreate(HWND hWnd, LPCREATESTRUCT lpcs)
{
    (void)lpcs;
    SetTimer(hWnd, ID_STATUS_TIMER, STATUS_INTERVAL, NULL);
    return TRUE;
}

static void OnPaint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hWnd, &ps);
    HFONT hOldFont = SelectFont(hdc, GetStockFont(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    int iCount;
    const tagREMOTEBUTTON *prbButtons = RemoteButtons(&iCount);
    for (int i = 0; i < iCount; i++) {
        const tagREMOTEBUTTON *pButton = &prbButtons[i];
        RECT rc = ButtonRect(pButton);
        DrawFrameControl(hdc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pButton == prbHeld ? DFCS_PUSHED : 0));
        DrawTextA(hdc, pButton->lpszName, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    RECT rcLabel = { MARGIN, MARGIN + MOUSE_LABEL_ROW * CELL_HEIGHT, MARGIN + GRID_COLUMNS * CELL_WIDTH,
                     MARGIN + (MOUSE_LABEL_ROW + 1) * CELL_HEIGHT };
    DrawTextA(hdc, "mouse", -1, &rcLabel, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);

    char szStatus[120];
    MIRELOSTATE msState;
    if (QueryReceiver(&msState))
        snprintf(szStatus, sizeof(szStatus), "window 0x%08X, speed %u, buttons %s\n%s", msState.uiWindow,
                 msState.bSpeed, msState.bEnable ? "on" : "off (cursor only)", szLastSent);
    else
        snprintf(szStatus, sizeof(szStatus), "receiver driver missing\n%s", szLastSent);
    RECT rcStatus = StatusRect(hWnd);
    DrawTextA(hdc, szStatus, -1, &rcStatus, DT_LEFT);
    SelectFont(hdc, hOldFont);
    EndPaint(hWnd, &ps);
}

static void OnLButtonDown(HWND hWnd, BOOL fDoubleClick, int x, int y, UINT keyFlags)
{
    (void)fDoubleClick;
    (void)keyFlags;
    const tagREMOTEBUTTON *pButton = ButtonAt(x, y);
    if (pButton == NULL || prbHeld != NULL)
        return;
    SetCapture(hWnd);
    PressButton(hWnd, pButton, 0);
}

static void OnLButtonUp(HWND hWnd, int x, int y, UINT keyFlags)
{
    (void)x;
    (void)y;
    (void)keyFlags;
    if (uiHeldKey == 0)
        ReleaseButton(hWnd);
    ReleaseCapture();
}

static void OnKey(HWND hWnd, UINT vk, BOOL fDown, int cRepeat, UINT flags)
{
    (void)cRepeat;
    bool bAutoRepeat = (flags & KF_REPEAT) != 0;   /* the keyboard's own repeat: ours runs instead */
    if (fDown && !bAutoRepeat && prbHeld == NULL) {
        const tagREMOTEBUTTON *pButton = FindButtonByKey(vk);
        if (pButton != NULL)
            PressButton(hWnd, pButton, vk);
    } else if (!fDown && vk == uiHeldKey) {
        ReleaseButton(hWnd);
    }
}

static void OnTimer(HWND hWnd, UINT id)
{
    if (id == ID_HOLD_TIMER && prbHeld != NULL) {
        ActButton(prbHeld);
    }
    RECT rc = StatusRect(hWnd);
    InvalidateRect(hWnd, &rc, TRUE);
}

/* Clicking the remote leaves the focus with the program being controlled. */
static int OnMouseActivate(HWND hWnd, HWND hwndTopLevel, UINT codeHitTest, UINT msg)
{
    (void)hWnd;
    (void)hwndTopLevel;
    (void)msg;
    return codeHitTest == HTCLIENT ? MA_NOACTIVATE : MA_ACTIVATE;
}

static void OnDestroy(HWND hWnd)
{
    ReleaseButton(hWnd);
    KillTimer(hWnd, ID_STATUS_TIMER);
    PostQuitMessage(0);
}

static LRESULT CALLBACK RemoteWndProc(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
    HANDLE_MSG(hWnd, WM_CREATE, OnCreate);
    HANDLE_MSG(hWnd, WM_PAINT, OnPaint);
    HANDLE_MSG(hWnd, WM_LBUTTONDOWN, OnLButtonDown);
    HANDLE_MSG(hWnd, WM_LBUTTONUP, OnLButtonUp);
    HANDLE_MSG(hWnd, WM_KEYDOWN, OnKey);
    HANDLE_MSG(hWnd, WM_KEYUP, OnKey);
    HANDLE_MSG(hWnd, WM_TIMER, OnTimer);
    HANDLE_MSG(hWnd, WM_MOUSEACTIVATE, OnMouseActivate);
    HANDLE_MSG(hWnd, WM_DESTROY, OnDestroy);
    }
    return DefWindowProcA(hWnd, uiMessage, wParam, lParam);
}

static int RunWindow(int nCmdShow)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RemoteWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hIcon = LoadIconA(NULL, IDI_APPLICATION);
    wc.hbrBackground = GetStockBrush(LTGRAY_BRUSH);
    wc.lpszClassName = "OrvaneVirtualRemote";
    if (!RegisterClassA(&wc))
        return 1;
    RECT rc = { 0, 0, 2 * MARGIN + GRID_COLUMNS * CELL_WIDTH, 2 * MARGIN + GRID_ROWS * CELL_HEIGHT + STATUS_HEIGHT };
    DWORD dwStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&rc, dwStyle, FALSE);
    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    HWND hWnd = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Virtual Remote", dwStyle,
                                cxScreen - (rc.right - rc.left) - 10, 10, rc.right - rc.left,
                                rc.bottom - rc.top, NULL, NULL, hInstance, NULL);
    if (hWnd == NULL)
        return 1;
    ShowWindow(hWnd, nCmdShow);
    UpdateWindow(hWnd);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPrevInstance, LPSTR lpszCmdLine, int nCmdShow)
{
    (void)hPrevInstance;
    (void)lpszCmdLine;
    hInstance = hInst;
    int iArg = 1;
    if (iArg + 1 < __argc && lstrcmpiA(__argv[iArg], "/log") == 0) {
        OpenLog(__argv[iArg + 1]);
        iArg += 2;
    }
    if (iArg >= __argc)
        return RunWindow(nCmdShow);
    LPCSTR lpszCommand = __argv[iArg++];
    int iRest = __argc - iArg;
    if (lstrcmpiA(lpszCommand, "/play") == 0)
        return PlaySequence(iRest, __argv + iArg);
    if (lstrcmpiA(lpszCommand, "/state") == 0)
        return PrintState();
    if (lstrcmpiA(lpszCommand, "/mouse") == 0 && iRest == 2)
        return SetReceiverMouse((BYTE)atoi(__argv[iArg]), (BYTE)atoi(__argv[iArg + 1])) ? 0 : 1;
    if (lstrcmpiA(lpszCommand, "/connect") == 0 && iRest == 1)
        return ConnectReceiver((BYTE)atoi(__argv[iArg])) ? 0 : 1;
    LogLine("usage: remote [/log FILE] [/play ITEM... | /state | /mouse SPEED ENABLE | /connect 0|1]");
    return 2;
}
