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
#include "OrvaneStore.h"
#include "press.h"
#include "presslog.h"
#include "receiver.h"
#include "sources.h"
#include "tray.h"
#include "trayrules.h"
#include "TellumoRes.h"

#define IDI_TRAY_CLASS      56      /* Brenvik's icon of the window class */

#define ID_TRAY_ICON        256     /* notification-area icon; its callback is WM_COMMAND */
#define ID_MODE_REPORT      257     /* posted after every code: (mode << 8) | shift */

#define TIMER_REPEAT        1       /* runs out when the auto-repeat rule's awaited time comes */
#define TIMER_REGISTER      2       /* runs out when a registration retry is due */

#define TIP_SIZE            63

HINSTANCE hInstance;
HWND hMainWnd;
int bCreate;        /* the notification-area icon exists */

/* Mode (1-based) and shift shown by the icon. */
static BYTE bMode = 1;
static BYTE bShift;
/* The auto-repeat rule, and the registration retries after a power event; their times
   are those of the window's messages. */
static tagREPEATRULE rrRepeat;
static tagREGISTERRETRY rtRegister;
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
    AppendSourceNote(szTip, sizeof(szTip));
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
    /* The other sources reach the program without the driver: the icon stays for them. */
    if (CallReceiver(RECEIVER_REGISTER, &dwWindow, sizeof(dwWindow)) || SourcesOn())
        ShowTrayIcon(hWnd, bTrayMode, bTrayShift);
    else
        RemoveTrayIcon(hWnd, bTrayMode);
}

/* Mode and shift of the engine go to the icon. */
static void ReportEngineState(void)
{
    if (hMainWnd != NULL)
        PostMessageA(hMainWnd, WM_COMMAND, ID_MODE_REPORT, (LPARAM)(WORD)((bEngineMode << 8) | bEngineShift));
}

static void SelectEngineMode(HWND hWnd, BYTE bMode)
{
    char szModeKey[STORE_MODE_KEY_SIZE];
    if (!SelectMode(hWnd, bMode, &bEngineMode, &bEngineShift, szModeKey))
        return;
    NoteDecoded(0, (BYTE)(CODE_SELECT_MODE | bMode), bEngineMode, bEngineShift, szModeKey);
    ReportEngineState();
}

/* The mode follows the program in front when it asks for another one; the press log says
   why. */
static void FollowFront(HWND hWnd)
{
    const char *pszProgram;
    int bByHand;
    int iMode = LookAtFront(bEngineMode, &pszProgram, &bByHand);
    if (iMode < 0)
        return;
    tagPRESS prChange;
    BeginAutomaticPress(&prChange, pszProgram, bByHand);
    SelectEngineMode(hWnd, (BYTE)iMode);
    EndPress(&prChange);
}

BYTE ProcessCode(HWND hWnd, BYTE bScanCode)
{
    FollowFront(hWnd);
    bScanCode = RunCode(hWnd, bScanCode, &bEngineMode, &bEngineShift);
    BYTE bChosen;
    if (TranslatedCodeKind(bScanCode, &bChosen) == TC_SELECT_MODE && bChosen == bEngineMode)
        NoteModeChosenByHand(bEngineMode);
    ReportEngineState();
    return bScanCode;
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
    StartRepeatRule(&rrRepeat);
    StartSources(hWnd, lpcs->hInstance);
    RegisterVxD(hWnd, bMode, bShift);
    StartAutoModes(hWnd);
    return TRUE;
}

static void OnDestroy(HWND hWnd)
{
    /* Help windows belong to this process: they go with it, closed before it ends. */
    CloseHelpWindows();
    StopSources(hWnd);
    StopAutoModes();
    RemoveTrayIcon(hWnd, 1);
    RedrawTrayWindow(hWnd);
    PostQuitMessage(0);
}

/* The window's timer idTimer runs out after dwWait milliseconds, or stops for NO_WAIT. */
static void ArmTimer(HWND hWnd, UINT_PTR idTimer, DWORD dwWait)
{
    if (dwWait == NO_WAIT)
        KillTimer(hWnd, idTimer);
    else
        SetTimer(hWnd, idTimer, dwWait, NULL);
}

/* A power event (WM_POWER or WM_POWERBROADCAST): the driver may have forgotten the window. */
static void OnPowerEvent(HWND hWnd, UINT uiMessage, WPARAM wEvent)
{
    if (!PowerEventRetries(uiMessage, wEvent))
        return;
    DWORD dwNow = (DWORD)GetMessageTime();
    StartRegisterRetries(&rtRegister, dwNow);
    ArmTimer(hWnd, TIMER_REGISTER, RegisterRetryWait(&rtRegister, dwNow));
}

/* A code from the receiver: the auto-repeat rule, then the engine, then registration; the
   press log (when open) gets a line for it, dropped or not. */
static void OnReceiverCode(HWND hWnd, WPARAM wParam)
{
    BYTE c = LOBYTE(wParam);
    DWORD dwNow = (DWORD)GetMessageTime();     /* when the driver posted the code */
    BYTE bRepeat = RepeatRuleCode(&rrRepeat, c, dwNow);
    ArmTimer(hWnd, TIMER_REPEAT, RepeatRuleWait(&rrRepeat, dwNow));
    tagPRESS prPress;
    BeginPress(&prPress, c, bRepeat);
    if (bRepeat != PR_DROPPED)
        ProcessCode(hWnd, c);
    EndPress(&prPress);
    RegisterVxD(hWnd, bMode, bShift);
}

/* A source that tells a new press from a held button: the auto-repeat rule starts afresh,
   idle as when the repeats of a press have ended, so that the press acts at once. */
static void OnNewPress(HWND hWnd)
{
    StartRepeatRule(&rrRepeat);
    ArmTimer(hWnd, TIMER_REPEAT, NO_WAIT);
}

/* A timer ran out (or a little early, by the message clock: then it is armed again for the
   rest). */
static void OnTimer(HWND hWnd, UINT id)
{
    DWORD dwNow = (DWORD)GetMessageTime();
    if (id == TIMER_REPEAT) {
        RepeatRuleClock(&rrRepeat, dwNow);
        ArmTimer(hWnd, TIMER_REPEAT, RepeatRuleWait(&rrRepeat, dwNow));
    } else if (id == TIMER_REGISTER) {
        if (RegisterRetryDue(&rtRegister, dwNow)) {
            RegisterVxD(hWnd, bMode, bShift);
            RegisterRetryResult(&rtRegister, bCreate, dwNow);
        }
        ArmTimer(hWnd, TIMER_REGISTER, RegisterRetryWait(&rtRegister, dwNow));
    } else {
        OnSourceTimer(hWnd, id);
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
    case TRAY_READ_RECEIVER_SETTINGS:
        ReadSourceSettings(hWnd);
        break;
    case TRAY_WATCH_SOURCES:
        WatchSources(hWnd, hwndCtl, codeNotify == 1);
        break;
    case ID_SOURCE_STATE:
        RegisterVxD(hWnd, bMode, bShift);
        break;
    case ID_FOLLOW_FRONT:
        FollowFront(hWnd);
        break;
    }
}

LRESULT CALLBACK WndProc(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
    HANDLE_MSG(hWnd, WM_CREATE, OnCreate);
    HANDLE_MSG(hWnd, WM_DESTROY, OnDestroy);
    HANDLE_MSG(hWnd, WM_TIMER, OnTimer);
    HANDLE_MSG(hWnd, WM_COMMAND, OnCommand);
    case WM_POWER:
        OnPowerEvent(hWnd, uiMessage, wParam);
        return 0;
    case WM_POWERBROADCAST:
        OnPowerEvent(hWnd, uiMessage, wParam);
        return TRUE;
    case WM_USER:
        OnReceiverCode(hWnd, wParam);
        return 0;
    case WM_SOURCE_CODE:
        if (lParam != 0)
            OnNewPress(hWnd);
        OnReceiverCode(hWnd, wParam);
        return 0;
    }
    if (OnSourceMessage(hWnd, uiMessage, wParam, lParam))
        return 0;
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
