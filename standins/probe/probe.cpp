/*
 * probe.cpp - a stand-in application for tests of what the engine does to other
 * programs' windows. It opens top-level windows, each with an edit control, a list box
 * and a button, and records the messages they get from outside to a log file:
 *
 *   queued NAME MSG WPARAM LPARAM   a posted or input message taken from the queue
 *   sent   NAME MSG WPARAM LPARAM   a message sent from another thread or process
 *
 * NAME is the window's name, or NAME.edit, NAME.list, NAME.button for its controls; the
 * numbers are hexadecimal (0x...). Generated paint messages are not recorded, posted
 * ones are. A line "ready" follows the creation of all windows.
 *
 *   probe.exe LOGFILE WINDOW...
 *   WINDOW = NAME,X,Y,WIDTH,HEIGHT[,hidden][,minimized][,handoff=OTHER][,typing][,keepopen]
 *            [,owner=OTHER]
 *
 * The title of window NAME is "Probe NAME" (class "OrvaneProbe"). With handoff=OTHER,
 * the window makes OTHER the foreground window at the first WM_SETFOCUS after it was
 * posted PROBE_ARM_HANDOFF (WM_APP + 1), the way an application may pass activation on
 * to another of its windows.
 * With typing, the window keeps the keyboard focus in its edit control; with keepopen, it
 * records WM_CLOSE and stays open; with owner=OTHER, it is a pop-up owned by the window
 * OTHER named before it, as a Find box is. Any window posted PROBE_HANG (WM_APP + 2)
 * stops answering, as a hung program does, until the event "OrvaneProbeRelease" is set
 * (a minute at most).
 * The program ends when its last window is closed.
 */
#include <windows.h>
#include <windowsx.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { MAX_WINDOWS = 8, NAME_SIZE = 32, PROBE_ARM_HANDOFF = WM_APP + 1, PROBE_HANG = WM_APP + 2,
       HANG_LIMIT = 60000 };

struct tagPROBEWINDOW {
    char szName[NAME_SIZE];
    char szHandoff[NAME_SIZE];
    char szOwner[NAME_SIZE];
    RECT rPlace;             /* left, top, width, height */
    BOOL bHidden;
    BOOL bMinimized;
    BOOL bTyping;
    BOOL bKeepOpen;
    BOOL bHandoffArmed;
    HWND hWnd;
};

/* The child controls every probe window carries, by position. */
struct tagPROBECONTROL {
    LPCSTR lpszClass;
    LPCSTR lpszSuffix;
    DWORD  dwStyle;
    int    x, y, cx, cy;
};

static const tagPROBECONTROL probeControls[] = {
    { "EDIT",    "edit",   WS_BORDER | ES_AUTOHSCROLL, 10, 10, 200, 24 },
    { "LISTBOX", "list",   WS_BORDER | LBS_NOTIFY,     10, 44, 200, 80 },
    { "BUTTON",  "button", BS_PUSHBUTTON,              10, 134, 100, 28 },
};

static const char szProbeClass[] = "OrvaneProbe";
static HANDLE hLogFile = INVALID_HANDLE_VALUE;
static tagPROBEWINDOW probeWindows[MAX_WINDOWS];
static int iProbeWindows;
static int iOpenWindows;
static WNDPROC lpfnControlProcs[sizeof(probeControls) / sizeof(probeControls[0])];

static void LogLine(LPCSTR lpszLine)
{
    DWORD cbWritten;
    /* One write per line: a reader in another process never sees half a line. */
    WriteFile(hLogFile, lpszLine, (DWORD)strlen(lpszLine), &cbWritten, NULL);
}

/* The name under which a window appears in the log: NAME or NAME.control. */
static void LogName(HWND hWnd, LPSTR lpszName, int iSize)
{
    const tagPROBEWINDOW *ppw = (const tagPROBEWINDOW *)GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    if (ppw != NULL && !(GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD)) {
        snprintf(lpszName, iSize, "%s", ppw->szName);
        return;
    }
    HWND hParent = GetParent(hWnd);
    ppw = hParent != NULL ? (const tagPROBEWINDOW *)GetWindowLongPtrA(hParent, GWLP_USERDATA) : NULL;
    int iControl = GetDlgCtrlID(hWnd) - 1;
    if (ppw != NULL && iControl >= 0 && iControl < (int)(sizeof(probeControls) / sizeof(probeControls[0])))
        snprintf(lpszName, iSize, "%s.%s", ppw->szName, probeControls[iControl].lpszSuffix);
    else
        snprintf(lpszName, iSize, "?");
}

static void LogMessage(LPCSTR lpszKind, HWND hWnd, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    char szName[NAME_SIZE + 16], szLine[160];
    LogName(hWnd, szName, sizeof(szName));
    snprintf(szLine, sizeof(szLine), "%s %s 0x%04x 0x%llx 0x%llx\n", lpszKind, szName, uMessage,
             (unsigned long long)wParam, (unsigned long long)(ULONG_PTR)lParam);
    LogLine(szLine);
}

/* Messages from other threads are what the tests look for; record them first. */
static void LogIfSentFromOutside(HWND hWnd, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    if (InSendMessage())
        LogMessage("sent", hWnd, uMessage, wParam, lParam);
}

static LRESULT CALLBACK ControlProc(HWND hWnd, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    LogIfSentFromOutside(hWnd, uMessage, wParam, lParam);
    return CallWindowProcA(lpfnControlProcs[GetDlgCtrlID(hWnd) - 1], hWnd, uMessage, wParam, lParam);
}

static tagPROBEWINDOW *FindProbeWindow(LPCSTR lpszName)
{
    for (int i = 0; i < iProbeWindows; i++)
        if (strcmp(probeWindows[i].szName, lpszName) == 0)
            return &probeWindows[i];
    return NULL;
}

static BOOL OnCreate(HWND hWnd, LPCREATESTRUCT lpcs)
{
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, (LONG_PTR)lpcs->lpCreateParams);
    for (size_t i = 0; i < sizeof(probeControls) / sizeof(probeControls[0]); i++) {
        const tagPROBECONTROL &pc = probeControls[i];
        HWND hControl = CreateWindowExA(0, pc.lpszClass, pc.lpszSuffix,
                                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | pc.dwStyle,
                                        pc.x, pc.y, pc.cx, pc.cy, hWnd, (HMENU)(INT_PTR)(i + 1),
                                        GetModuleHandleA(NULL), NULL);
        lpfnControlProcs[i] = (WNDPROC)SetWindowLongPtrA(hControl, GWLP_WNDPROC, (LONG_PTR)ControlProc);
    }
    return TRUE;
}

static void OnSetFocus(HWND hWnd, HWND hOldFocus)
{
    (void)hOldFocus;
    tagPROBEWINDOW *ppw = (tagPROBEWINDOW *)GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    if (ppw != NULL && ppw->bTyping) {
        SetFocus(GetDlgItem(hWnd, 1));
        return;
    }
    if (ppw == NULL || !ppw->bHandoffArmed)
        return;
    ppw->bHandoffArmed = FALSE;
    const tagPROBEWINDOW *ppwOther = FindProbeWindow(ppw->szHandoff);
    if (ppwOther != NULL && ppwOther->hWnd != NULL)
        SetForegroundWindow(ppwOther->hWnd);
}

static void OnClose(HWND hWnd)
{
    const tagPROBEWINDOW *ppw = (const tagPROBEWINDOW *)GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    if (ppw == NULL || !ppw->bKeepOpen)
        DestroyWindow(hWnd);
}

static void OnArmHandoff(HWND hWnd)
{
    tagPROBEWINDOW *ppw = (tagPROBEWINDOW *)GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    if (ppw != NULL && ppw->szHandoff[0] != '\0')
        ppw->bHandoffArmed = TRUE;
}

static void OnDestroy(HWND hWnd)
{
    (void)hWnd;
    if (--iOpenWindows == 0)
        PostQuitMessage(0);
}

static LRESULT CALLBACK ProbeWndProc(HWND hWnd, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    LogIfSentFromOutside(hWnd, uMessage, wParam, lParam);
    switch (uMessage) {
        HANDLE_MSG(hWnd, WM_CREATE, OnCreate);
        HANDLE_MSG(hWnd, WM_SETFOCUS, OnSetFocus);
        HANDLE_MSG(hWnd, WM_CLOSE, OnClose);
        HANDLE_MSG(hWnd, WM_DESTROY, OnDestroy);
    case PROBE_ARM_HANDOFF:
        OnArmHandoff(hWnd);
        return 0;
    case PROBE_HANG: {
        HANDLE hRelease = CreateEventA(NULL, TRUE, FALSE, "OrvaneProbeRelease");
        WaitForSingleObject(hRelease, HANG_LIMIT);
        CloseHandle(hRelease);
        return 0;
    }
    }
    return DefWindowProcA(hWnd, uMessage, wParam, lParam);
}

/* NAME,X,Y,WIDTH,HEIGHT[,hidden][,minimized][,handoff=OTHER][,typing][,keepopen][,owner=OTHER] */
static BOOL ParseWindowSpec(LPSTR lpszSpec, tagPROBEWINDOW *ppw)
{
    int iField = 0;
    for (LPSTR lpszField = strtok(lpszSpec, ","); lpszField != NULL; lpszField = strtok(NULL, ","), iField++) {
        switch (iField) {
        case 0: snprintf(ppw->szName, sizeof(ppw->szName), "%s", lpszField); break;
        case 1: ppw->rPlace.left = atoi(lpszField); break;
        case 2: ppw->rPlace.top = atoi(lpszField); break;
        case 3: ppw->rPlace.right = atoi(lpszField); break;
        case 4: ppw->rPlace.bottom = atoi(lpszField); break;
        default:
            if (strcmp(lpszField, "hidden") == 0)
                ppw->bHidden = TRUE;
            else if (strcmp(lpszField, "minimized") == 0)
                ppw->bMinimized = TRUE;
            else if (strcmp(lpszField, "typing") == 0)
                ppw->bTyping = TRUE;
            else if (strcmp(lpszField, "keepopen") == 0)
                ppw->bKeepOpen = TRUE;
            else if (strncmp(lpszField, "handoff=", 8) == 0)
                snprintf(ppw->szHandoff, sizeof(ppw->szHandoff), "%s", lpszField + 8);
            else if (strncmp(lpszField, "owner=", 6) == 0)
                snprintf(ppw->szOwner, sizeof(ppw->szOwner), "%s", lpszField + 6);
            else
                return FALSE;
        }
    }
    return iField >= 5;
}

static BOOL CreateProbeWindow(HINSTANCE hInst, tagPROBEWINDOW *ppw)
{
    char szTitle[NAME_SIZE + 8];
    snprintf(szTitle, sizeof(szTitle), "Probe %s", ppw->szName);
    const tagPROBEWINDOW *ppwOwner = ppw->szOwner[0] != '\0' ? FindProbeWindow(ppw->szOwner) : NULL;
    if (ppw->szOwner[0] != '\0' && (ppwOwner == NULL || ppwOwner->hWnd == NULL))
        return FALSE;
    DWORD dwStyle = ppwOwner != NULL ? WS_POPUP | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
    ppw->hWnd = CreateWindowExA(0, szProbeClass, szTitle, dwStyle,
                                ppw->rPlace.left, ppw->rPlace.top, ppw->rPlace.right,
                                ppw->rPlace.bottom, ppwOwner != NULL ? ppwOwner->hWnd : NULL,
                                NULL, hInst, ppw);
    if (ppw->hWnd == NULL)
        return FALSE;
    iOpenWindows++;
    if (!ppw->bHidden)
        ShowWindow(ppw->hWnd, ppw->bMinimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
    else if (ppw->bMinimized) {
        ShowWindow(ppw->hWnd, SW_MINIMIZE);
        ShowWindow(ppw->hWnd, SW_HIDE);
    }
    return TRUE;
}

/* A posted WM_PAINT comes without anything to repaint; a generated one has a region. */
static BOOL IsFromOutside(const MSG &msg)
{
    if (msg.message == WM_PAINT)
        return !GetUpdateRect(msg.hwnd, NULL, FALSE);
    return msg.message != WM_TIMER && msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE;
}

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPrevInstance, LPSTR lpszCmdLine, int nCmdShow)
{
    (void)hPrevInstance;
    (void)lpszCmdLine;
    (void)nCmdShow;
    if (__argc < 3)
        return 2;
    hLogFile = CreateFileA(__argv[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hLogFile == INVALID_HANDLE_VALUE)
        return 2;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = ProbeWndProc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(LTGRAY_BRUSH);
    wc.lpszClassName = szProbeClass;
    if (!RegisterClassA(&wc))
        return 2;

    for (int i = 2; i < __argc && iProbeWindows < MAX_WINDOWS; i++)
        if (!ParseWindowSpec(__argv[i], &probeWindows[iProbeWindows++]))
            return 2;
    for (int i = 0; i < iProbeWindows; i++)
        if (!CreateProbeWindow(hInst, &probeWindows[i]))
            return 2;
    LogLine("ready\n");

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (IsFromOutside(msg))
            LogMessage("queued", msg.hwnd, msg.message, msg.wParam, msg.lParam);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    CloseHandle(hLogFile);
    return 0;
}
