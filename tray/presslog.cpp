/*
 * presslog.cpp - the press log window: one at a time, newest line at the bottom, the last
 * PRESS_LOG_LINES lines kept by its list; Copy puts the list on the clipboard as text and
 * Clear empties it. Nothing is written to disk or the registry. While it is open the
 * engine tells it every command string that runs; when it closes that hook is taken away
 * again, so a closed log costs the press nothing.
 *
 * A list box that is shown takes milliseconds to change, far more than a press, so a press
 * only keeps its record (no call to the system at all); a timer brings the waiting records
 * into the list, all at once, a few times a second.
 */
#include <windows.h>
#include <windowsx.h>
#include <stdio.h>
#include <string.h>
#include "Corvalin.h"
#include "presslog.h"
#include "store.h"
#include "TellumoRes.h"

#define LOG_WINDOW_CX       600
#define LOG_WINDOW_CY       300
#define TIMER_SHOW_PRESSES  1
#define SHOW_PRESSES_MS     100

/* Control identifiers. */
enum { IDC_LOG_LIST = 100, IDC_LOG_COPY, IDC_LOG_CLEAR };

/* The window's controls, in PLC_ order. */
struct tagLOGCONTROL {
    int iId;
    LPCSTR lpszClass;
    DWORD dwStyle;
    UINT idText;            /* 0: no text */
};
static const tagLOGCONTROL lcControls[PLC_COUNT] = {
    { IDC_LOG_LIST, "LISTBOX", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                           LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS | LBS_NOSEL, 0 },
    { IDC_LOG_COPY, "BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDS_LOG_COPY },
    { IDC_LOG_CLEAR, "BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDS_LOG_CLEAR },
};
/* Columns after the time: raw code, auto-repeat, decoded, command (dialog units). */
static const int aiTabStops[] = { 52, 76, 116, 242 };
/* Widest line the horizontal scroll bar reaches, in pixels. */
#define LOG_EXTENT          1600

/* The open log; all zero while it is closed. */
static struct tagPRESSLOG {
    HWND hWnd;
    HWND hControls[PLC_COUNT];
    PRESSWORD apwWords[PLW_COUNT];
    tagPRESS *pprCurrent;       /* the code being handled, innermost first */
    tagPRESS aprWaiting[PRESS_LOG_LINES];   /* handled codes not yet in the list: a ring */
    int iFirstWaiting;
    int cWaiting;
} PressLog;

/* Told of every command string that runs while the log is open; the first of a code is
   the one that its button (or mode) ran. */
static void CALLBACK OnCommandRun(LPCSTR lpszCommand)
{
    tagPRESS *ppr = PressLog.pprCurrent;
    if (ppr != NULL && ppr->szCommand[0] == '\0')
        lstrcpynA(ppr->szCommand, lpszCommand, sizeof(ppr->szCommand));
}

void BeginPress(tagPRESS *ppr, BYTE bRaw, BYTE bRepeat)
{
    ppr->pprOuter = NULL;
    if (PressLog.hWnd == NULL)
        return;
    *ppr = {};
    GetLocalTime(&ppr->stTime);
    ppr->bRaw = bRaw;
    ppr->bRepeat = bRepeat;
    ppr->pprOuter = PressLog.pprCurrent;
    PressLog.pprCurrent = ppr;
}

void BeginAutomaticPress(tagPRESS *ppr, LPCSTR lpszFront, int bByHand)
{
    BeginPress(ppr, 0, PR_AUTOMATIC);
    if (PressLog.pprCurrent != ppr)
        return;
    /* A change that a press found to make came with that press, and its line before it. */
    if (ppr->pprOuter != NULL)
        ppr->stTime = ppr->pprOuter->stTime;
    lstrcpynA(ppr->szFront, lpszFront, sizeof(ppr->szFront));
    ppr->bByHand = bByHand != 0;
}

void NoteDecoded(int bLookUp, BYTE bCode, BYTE bMode, BYTE bShift, LPCSTR lpszModeKey)
{
    tagPRESS *ppr = PressLog.pprCurrent;
    if (ppr == NULL || bMode >= STORE_MODES)
        return;
    ppr->bLookUp = bLookUp != 0;
    ppr->bCode = bCode;
    ppr->bMode = bMode;
    ppr->bShift = bShift;
    /* A button's or a mode's line names the key its command was looked up in, as the press
       read it; a code that looked nothing up (shift, a mode-independent button) shows the
       name the mode has now. */
    if (lpszModeKey != NULL)
        lstrcpynA(ppr->szModeName, lpszModeKey, sizeof(ppr->szModeName));
    else
        ReadModeKey(bMode, ppr->szModeName);
}

void EndPress(tagPRESS *ppr)
{
    /* Not begun, or the log was closed (and its state cleared) while the code was handled. */
    if (PressLog.pprCurrent != ppr)
        return;
    PressLog.pprCurrent = ppr->pprOuter;
    /* Beyond a full list's worth, the oldest waiting record would not be shown anyway. */
    int iSlot = (PressLog.iFirstWaiting + PressLog.cWaiting) % PRESS_LOG_LINES;
    if (PressLog.cWaiting == PRESS_LOG_LINES)
        PressLog.iFirstWaiting = (PressLog.iFirstWaiting + 1) % PRESS_LOG_LINES;
    else
        PressLog.cWaiting++;
    PressLog.aprWaiting[iSlot] = *ppr;
}

void LogSkippedInput(int iReason, const char *pText, size_t cchText)
{
    tagPRESS prSkipped;
    BeginPress(&prSkipped, 0, PR_SKIPPED);
    if (PressLog.pprCurrent == &prSkipped)
        NoteSkippedText(&prSkipped, iReason, pText, cchText);
    EndPress(&prSkipped);
}

/* Adds the waiting records' lines at the bottom of the list, drops the oldest lines beyond
   the limit and shows the newest; the list is redrawn once, at the end. */
static void ShowWaitingPresses()
{
    if (PressLog.cWaiting == 0)
        return;
    HWND hList = PressLog.hControls[PLC_LIST];
    SetWindowRedraw(hList, FALSE);
    int iCount = ListBox_GetCount(hList);
    for (; PressLog.cWaiting > 0; PressLog.cWaiting--) {
        char szLine[PRESS_LINE_SIZE];
        FormatPressLine(&PressLog.aprWaiting[PressLog.iFirstWaiting], PressLog.apwWords, szLine, sizeof(szLine));
        PressLog.iFirstWaiting = (PressLog.iFirstWaiting + 1) % PRESS_LOG_LINES;
        iCount = ListBox_AddString(hList, szLine) + 1;
        if (iCount > PRESS_LOG_LINES)
            iCount = ListBox_DeleteString(hList, 0);
    }
    if (iCount > 0)
        ListBox_SetTopIndex(hList, iCount - 1);
    SetWindowRedraw(hList, TRUE);
    InvalidateRect(hList, NULL, TRUE);
}

/* Puts every line of the list on the clipboard as text, one line each ended by CR LF. */
static void CopyLog(HWND hWnd)
{
    ShowWaitingPresses();
    HWND hList = PressLog.hControls[PLC_LIST];
    int iCount = ListBox_GetCount(hList);
    size_t cbText = 1;
    for (int i = 0; i < iCount; i++)
        cbText += ListBox_GetTextLen(hList, i) + 2;
    HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, cbText);
    if (hText == NULL)
        return;
    char *pszText = (char *)GlobalLock(hText);
    char *psz = pszText;
    for (int i = 0; i < iCount; i++) {
        psz += ListBox_GetText(hList, i, psz);
        *psz++ = '\r';
        *psz++ = '\n';
    }
    *psz = '\0';
    GlobalUnlock(hText);
    if (OpenClipboard(hWnd)) {
        EmptyClipboard();
        if (SetClipboardData(CF_TEXT, hText) != NULL)
            hText = NULL;       /* the clipboard owns it now */
        CloseClipboard();
    }
    if (hText != NULL)
        GlobalFree(hText);
}

/* ---- window messages ---- */

static BOOL OnCreate(HWND hWnd, LPCREATESTRUCT lpcs)
{
    HINSTANCE hInst = lpcs->hInstance;
    PressLog.hWnd = hWnd;
    HFONT hFont = GetStockFont(DEFAULT_GUI_FONT);
    for (int i = 0; i < PLC_COUNT; i++) {
        const tagLOGCONTROL &lc = lcControls[i];
        char szText[PRESS_WORD_SIZE] = "";
        if (lc.idText != 0)
            LoadStringA(hInst, lc.idText, szText, sizeof(szText));
        PressLog.hControls[i] = CreateWindowExA(0, lc.lpszClass, szText, lc.dwStyle, 0, 0, 0, 0, hWnd,
                                                (HMENU)(INT_PTR)lc.iId, hInst, NULL);
        if (PressLog.hControls[i] == NULL)
            return FALSE;
        SetWindowFont(PressLog.hControls[i], hFont, FALSE);
    }
    HWND hList = PressLog.hControls[PLC_LIST];
    ListBox_SetTabStops(hList, ARRAYSIZE(aiTabStops), aiTabStops);
    ListBox_SetHorizontalExtent(hList, LOG_EXTENT);
    for (int i = 0; i < PLW_COUNT; i++)
        LoadStringA(hInst, IDS_LOG_WORDS + i, PressLog.apwWords[i], PRESS_WORD_SIZE);
    if (!SetTimer(hWnd, TIMER_SHOW_PRESSES, SHOW_PRESSES_MS, NULL))
        return FALSE;
    SetCommandHook(OnCommandRun);
    return TRUE;
}

static void OnDestroy(HWND hWnd)
{
    (void)hWnd;
    SetCommandHook(NULL);
    PressLog = {};
}

static void OnSize(HWND hWnd, UINT state, int cx, int cy)
{
    (void)hWnd;
    if (state == SIZE_MINIMIZED)
        return;
    RECT rcControls[PLC_COUNT];
    LayoutPressLog(cx, cy, rcControls);
    for (int i = 0; i < PLC_COUNT; i++) {
        const RECT &rc = rcControls[i];
        MoveWindow(PressLog.hControls[i], rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    }
}

static void OnGetMinMaxInfo(HWND hWnd, LPMINMAXINFO lpmmi)
{
    RECT rc = { 0, 0, PRESS_LOG_MIN_CX, PRESS_LOG_MIN_CY };
    AdjustWindowRectEx(&rc, GetWindowStyle(hWnd), FALSE, GetWindowExStyle(hWnd));
    lpmmi->ptMinTrackSize.x = rc.right - rc.left;
    lpmmi->ptMinTrackSize.y = rc.bottom - rc.top;
}

static void OnCommand(HWND hWnd, int id, HWND hwndCtl, UINT codeNotify)
{
    (void)hwndCtl;
    (void)codeNotify;
    switch (id) {
    case IDC_LOG_COPY:
        CopyLog(hWnd);
        break;
    case IDC_LOG_CLEAR:
        PressLog.cWaiting = 0;
        ListBox_ResetContent(PressLog.hControls[PLC_LIST]);
        break;
    }
}

static void OnTimer(HWND hWnd, UINT id)
{
    (void)hWnd;
    if (id == TIMER_SHOW_PRESSES)
        ShowWaitingPresses();
}

static LRESULT CALLBACK PressLogWndProc(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
    HANDLE_MSG(hWnd, WM_CREATE, OnCreate);
    HANDLE_MSG(hWnd, WM_DESTROY, OnDestroy);
    HANDLE_MSG(hWnd, WM_SIZE, OnSize);
    HANDLE_MSG(hWnd, WM_GETMINMAXINFO, OnGetMinMaxInfo);
    HANDLE_MSG(hWnd, WM_COMMAND, OnCommand);
    HANDLE_MSG(hWnd, WM_TIMER, OnTimer);
    }
    return DefWindowProcA(hWnd, uiMessage, wParam, lParam);
}

HWND OpenPressLog(HINSTANCE hInst)
{
    if (PressLog.hWnd != NULL) {
        if (IsIconic(PressLog.hWnd))
            ShowWindow(PressLog.hWnd, SW_RESTORE);
        SetForegroundWindow(PressLog.hWnd);
        return PressLog.hWnd;
    }
    WNDCLASSA wc = {};
    if (!GetClassInfoA(hInst, PRESS_LOG_CLASS, &wc)) {
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = PressLogWndProc;
        wc.hInstance = hInst;
        wc.hIcon = LoadIconA(hInst, MAKEINTRESOURCEA(IDI_PC_MODE));
        wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
        wc.hbrBackground = GetStockBrush(LTGRAY_BRUSH);
        wc.lpszClassName = PRESS_LOG_CLASS;
        if (!RegisterClassA(&wc))
            return NULL;
    }
    char szTitle[PRESS_WORD_SIZE] = "";
    LoadStringA(hInst, IDS_LOG_TITLE, szTitle, sizeof(szTitle));
    HWND hWnd = CreateWindowExA(0, PRESS_LOG_CLASS, szTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                LOG_WINDOW_CX, LOG_WINDOW_CY, NULL, NULL, hInst, NULL);
    if (hWnd == NULL)
        return NULL;
    ShowWindow(hWnd, SW_SHOWNORMAL);
    SetForegroundWindow(hWnd);
    return hWnd;
}
