/*
 * tray.cpp - Tellumo, the tray program. Its hidden window is registered with the receiver
 * driver, which posts every button code to it as WM_USER. Repeated codes pass an
 * auto-repeat filter; each accepted code goes through the command engine; the mode and
 * shift state are shown as an icon with a tip in the notification area, whose context menu
 * offers Help, Configure, the press log and Close.
 */
#include <windows.h>
#include <windowsx.h>
#include <shellapi.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Corvalin.h"
#include "automode.h"
#include "htmlhelp.h"
#include "presslog.h"
#include "receiver.h"
#include "tray.h"
#include "TellumoRes.h"

#define IDI_TRAY_CLASS      56      /* Brenvik's icon of the window class */

#define ID_TRAY_ICON        256     /* notification-area icon; its callback is WM_COMMAND */
#define ID_MODE_REPORT      257     /* posted after every code: (mode << 8) | shift */

#define TIMER_REPEAT_DELAY  1       /* runs out one second after the first repeat */
#define TIMER_REGISTER      2       /* retries the registration after a power event */
#define TIMER_REPEAT_END    3       /* ends auto-repeat when the repeats stop */
#define REPEAT_DELAY_MS     1000
#define REGISTER_RETRY_MS   1000
#define REPEAT_END_MS       300
#define REGISTER_ATTEMPTS   5

#define NO_CODE             255
#define CODE_SELECT_MODE    0x80    /* a translated code with this bit chose a mode */
#define TIP_SIZE            63

HINSTANCE hInstance;
HWND hMainWnd;
int bCreate;        /* the notification-area icon exists */

/* Mode (1-based) and shift shown by the icon. */
static BYTE bMode = 1;
static BYTE bShift;
/* Auto-repeat filter. */
static BYTE bLastCode = NO_CODE;
static BYTE bCode;
static int bAutoRepeat;
static UINT_PTR idTimer;
static UINT_PTR idReset;
/* Registration retries after a power event. */
static UINT_PTR idRegister;
static int iAttempt;
/* The configuration dialog is open. */
static int bShow;
/* The engine's own mode (0-based) and shift; the icon follows them through ID_MODE_REPORT. */
static BYTE bEngineMode;
static BYTE bEngineShift;

/* Context menu: item ids (string ids of their labels), 0xFFFF a separator, 0 the end. The
   labels are Brenvik's shared strings, except those of Tellumo's own items (from IDS_PRESS_LOG
   on), which are in this program's resources. */
static const WORD wMessages[] = { IDS_HELP, IDS_CONFIGURE, IDS_PRESS_LOG, 0xFFFF, IDS_CLOSE, 0 };

void Tray(HWND hWnd, DWORD dwMessage, BYTE bTrayMode, BYTE bTrayShift)
{
    HICON hIcon = bTrayMode == 1 ? LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_PC_MODE)) : GetIconRes(bTrayMode);
    char szTip[TIP_SIZE + 1] = "";
    GetStringRes(bTrayMode * 2 | bTrayShift, szTip, TIP_SIZE);
    if (hIcon == NULL)
        return;
    NOTIFYICONDATAA nidData = {};
    nidData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nidData.hWnd = hWnd;
    nidData.uID = ID_TRAY_ICON;
    nidData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nidData.uCallbackMessage = WM_COMMAND;
    nidData.hIcon = hIcon;
    lstrcpynA(nidData.szTip, szTip, TIP_SIZE + 1);
    Shell_NotifyIconA(dwMessage, &nidData);
    DestroyIcon(hIcon);
}

/* Takes the icon away, if it is shown. */
static void RemoveTrayIcon(HWND hWnd, BYTE bTrayMode)
{
    if (bCreate)
        Tray(hWnd, NIM_DELETE, bTrayMode, 0);
    bCreate = 0;
}

/* Shows the icon for the given state, adding it when it is not there yet. */
static void ShowTrayIcon(HWND hWnd, BYTE bTrayMode, BYTE bTrayShift)
{
    Tray(hWnd, bCreate ? NIM_MODIFY : NIM_ADD, bTrayMode, bTrayShift);
    bCreate = 1;
}

static void RedrawTrayWindow(HWND hWnd)
{
    RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void RegisterVxD(HWND hWnd, BYTE bTrayMode, BYTE bTrayShift)
{
    DWORD dwWindow = (DWORD)(ULONG_PTR)hWnd;    /* window handles fit in 32 bits */
    if (CallReceiver(RECEIVER_REGISTER, &dwWindow, sizeof(dwWindow)))
        ShowTrayIcon(hWnd, bTrayMode, bTrayShift);
    else
        RemoveTrayIcon(hWnd, bTrayMode);
}

/* What the engine made of a code goes to the press log, and mode and shift to the icon. */
static void ReportEngineState(int bLookUp, BYTE bScanCode)
{
    NoteDecoded(bLookUp, bScanCode, bEngineMode, bEngineShift);
    if (hMainWnd != NULL)
        PostMessageA(hMainWnd, WM_COMMAND, ID_MODE_REPORT, (LPARAM)(WORD)((bEngineMode << 8) | bEngineShift));
}

BYTE ProcessCode(HWND hWnd, BYTE bScanCode)
{
    FollowFront();
    int bLookUp = DecodeScanCode(hWnd, &bScanCode, &bEngineMode, &bEngineShift);
    if (bLookUp) {
        char szFunction[256];
        if (LookUpCode(bEngineMode, bScanCode, szFunction, 255))
            ParseFunction(hWnd, szFunction);
    } else if ((bScanCode & CODE_SELECT_MODE) && bEngineMode == (bScanCode & ~CODE_SELECT_MODE)) {
        NoteModeChosenByHand(bEngineMode);
    }
    ReportEngineState(bLookUp, bScanCode);
    return bScanCode;
}

BYTE EngineMode(void)
{
    return bEngineMode;
}

void SelectEngineMode(HWND hWnd, BYTE bMode)
{
    if (SelectMode(hWnd, bMode, &bEngineMode, &bEngineShift))
        ReportEngineState(0, (BYTE)(CODE_SELECT_MODE | bMode));
}

int Menu(HWND hWnd)
{
    HMENU hMenu = CreatePopupMenu();
    if (hMenu == NULL)
        return 0;
    for (const WORD *pwId = wMessages; *pwId != 0; pwId++) {
        if (*pwId == 0xFFFF) {
            AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
            continue;
        }
        char szLabel[TIP_SIZE + 1] = "";
        if (*pwId >= IDS_PRESS_LOG)
            LoadStringA(hInstance, *pwId, szLabel, sizeof(szLabel));
        else
            GetStringRes(*pwId, szLabel, TIP_SIZE);
        AppendMenuA(hMenu, MF_STRING, *pwId, szLabel);
    }
    SetMenuDefaultItem(hMenu, IDS_HELP, FALSE);
    POINT ptCursor;
    GetCursorPos(&ptCursor);
    /* A hidden window must be in front for the menu to close when the user clicks elsewhere. */
    SetForegroundWindow(hWnd);
    TrackPopupMenu(hMenu, TPM_RIGHTBUTTON, ptCursor.x, ptCursor.y, 0, hWnd, NULL);
    PostMessageA(hWnd, WM_NULL, 0, 0);
    DestroyMenu(hMenu);
    return 1;
}

/* ---- window messages ---- */

static BOOL OnCreate(HWND hWnd, LPCREATESTRUCT lpcs)
{
    (void)lpcs;
    RegisterVxD(hWnd, bMode, bShift);
    StartAutoModes(hWnd);
    return TRUE;
}

static void OnDestroy(HWND hWnd)
{
    /* Help windows belong to this process: they go with it, closed before it ends. */
    CloseHelpWindows();
    StopAutoModes();
    RemoveTrayIcon(hWnd, 1);
    RedrawTrayWindow(hWnd);
    PostQuitMessage(0);
}

/* Any power event but a suspend request: the driver may have forgotten the window. */
static void StartRegisterRetries(HWND hWnd)
{
    idRegister = SetTimer(hWnd, TIMER_REGISTER, REGISTER_RETRY_MS, NULL);
}

static void OnPower(HWND hWnd, int iCode)
{
    if (iCode != PWR_SUSPENDREQUEST)
        StartRegisterRetries(hWnd);
}

/* The NT family reports power events with WM_POWERBROADCAST; a resume is one to act on. */
static LRESULT OnPowerBroadcast(HWND hWnd, WPARAM wEvent)
{
    if (wEvent == PBT_APMRESUMESUSPEND || wEvent == PBT_APMRESUMECRITICAL || wEvent == PBT_APMRESUMEAUTOMATIC)
        StartRegisterRetries(hWnd);
    return TRUE;
}

/* A code from the receiver: the auto-repeat rule, then the engine, then registration; the
   press log (when open) gets a line for it, dropped or not. */
static void OnReceiverCode(HWND hWnd, WPARAM wParam)
{
    BYTE c = LOBYTE(wParam);
    bCode = c;
    if (c == bLastCode) {
        if (bAutoRepeat) {
            idReset = SetTimer(hWnd, TIMER_REPEAT_END, REPEAT_END_MS, NULL);
        } else {
            if (idReset != 0) {
                KillTimer(hWnd, idReset);
                idReset = 0;
            }
            if (idTimer == 0)
                idTimer = SetTimer(hWnd, TIMER_REPEAT_DELAY, REPEAT_DELAY_MS, NULL);
        }
    } else {
        bAutoRepeat = 0;
    }
    BYTE bRepeat = c != bLastCode ? PR_PRESS : bAutoRepeat ? PR_REPEAT : PR_DROPPED;
    tagPRESS prPress;
    BeginPress(&prPress, c, bRepeat);
    if (bRepeat != PR_DROPPED)
        ProcessCode(hWnd, c);
    EndPress(&prPress);
    bLastCode = c;
    RegisterVxD(hWnd, bMode, bShift);
}

static void OnTimer(HWND hWnd, UINT id)
{
    if (id == idTimer) {
        bAutoRepeat = 1;
        KillTimer(hWnd, idTimer);
        idTimer = 0;
        idReset = SetTimer(hWnd, TIMER_REPEAT_END, REPEAT_END_MS, NULL);
    } else if (id == idReset) {
        bAutoRepeat = 0;
        bLastCode = NO_CODE;
        KillTimer(hWnd, idReset);
        idReset = 0;
    } else if (id == idRegister) {
        RegisterVxD(hWnd, bMode, bShift);
        if (!bCreate)
            iAttempt++;
        if (bCreate || iAttempt >= REGISTER_ATTEMPTS) {
            KillTimer(hWnd, idRegister);
            idRegister = 0;
            iAttempt = 0;
        }
    }
}

/* The engine's mode and shift after a code; the icon changes only when they changed. */
static void OnModeReport(HWND hWnd, LPARAM lParam)
{
    BYTE bNewMode = (BYTE)(HIBYTE(LOWORD(lParam)) + 1);
    BYTE bNewShift = LOBYTE(LOWORD(lParam));
    if (bNewMode == bMode && bNewShift == bShift)
        return;
    bMode = bNewMode;
    bShift = bNewShift;
    ShowTrayIcon(hWnd, bMode, bShift);
    RedrawTrayWindow(hWnd);
}

static void OnConfigure(HWND hWnd)
{
    if (bShow) {
        BringWindowToTop(hWnd);
        return;
    }
    bShow = 1;
    MouseButtons(hWnd);
    bShow = 0;
}

static void OnCommand(HWND hWnd, int id, HWND hwndCtl, UINT codeNotify)
{
    (void)codeNotify;
    /* Through the icon's callback, lParam (here hwndCtl) carries the mouse message. */
    LPARAM lParam = (LPARAM)hwndCtl;
    switch (id) {
    case ID_TRAY_ICON:
        if (LOWORD(lParam) == WM_LBUTTONDOWN || LOWORD(lParam) == WM_RBUTTONDOWN)
            Menu(hWnd);
        break;
    case ID_MODE_REPORT:
        OnModeReport(hWnd, lParam);
        break;
    case IDS_CLOSE:
        RemoveTrayIcon(hWnd, 1);
        RedrawTrayWindow(hWnd);
        DestroyWindow(hWnd);
        break;
    case IDS_HELP:
        ShowHelpTopic(hWnd, IDH_CONTENTS);
        break;
    case IDS_CONFIGURE:
        OnConfigure(hWnd);
        break;
    case IDS_PRESS_LOG:
        OpenPressLog(hInstance);
        break;
    }
}

LRESULT CALLBACK WndProc(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
    HANDLE_MSG(hWnd, WM_CREATE, OnCreate);
    HANDLE_MSG(hWnd, WM_DESTROY, OnDestroy);
    HANDLE_MSG(hWnd, WM_POWER, OnPower);
    HANDLE_MSG(hWnd, WM_TIMER, OnTimer);
    HANDLE_MSG(hWnd, WM_COMMAND, OnCommand);
    case WM_POWERBROADCAST:
        return OnPowerBroadcast(hWnd, wParam);
    case WM_USER:
        OnReceiverCode(hWnd, wParam);
        return 0;
    }
    return DefWindowProcA(hWnd, uiMessage, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPreInst, LPSTR lpszCmdLine, int nCmdShow)
{
    (void)hPreInst;
    (void)lpszCmdLine;
    (void)nCmdShow;
    if (FindWindowA(TRAY_CLASS, TRAY_TITLE) != NULL)
        return 0;

    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = hInst;
    wc.hIcon = GetIconRes(IDI_TRAY_CLASS);
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = GetStockBrush(LTGRAY_BRUSH);
    wc.lpszClassName = TRAY_CLASS;
    if (!RegisterClassA(&wc))
        return 0;

    hInstance = hInst;
    hMainWnd = CreateWindowExA(0, TRAY_CLASS, TRAY_TITLE, WS_CAPTION | WS_MAXIMIZE, CW_USEDEFAULT,
                               CW_USEDEFAULT, 0, 0, NULL, NULL, hInst, NULL);
    ShowWindow(hMainWnd, SW_HIDE);
    UpdateWindow(hMainWnd);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
