/*
 * size32.cpp - position and size capture for a launch: the "Set Position and Size" dialog
 * edits left, top, width and height, typed in or captured with the mouse by drawing a
 * rectangle anywhere on the screen or by pointing at a window. Capturing runs through a
 * mouse hook for all threads; the hook runs inside whichever process gets the mouse, so
 * its state lives in the data section that every process loading Brenvik shares. The hook
 * posts what it captured to the dialog and never waits for it: the program under the
 * pointer must not stop because the dialog's program is busy.
 */
#include <windows.h>
#include <windowsx.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "editor.h"
#include "family.h"
#include "size32.h"
#include "dlgcrack.h"

#define POSITION_TEXT       40      /* the launch dialog's field is read up to 39 characters */
#define POSITION_ONLY       (-1)    /* width and height of a position without a size */
#define SELECTION_OUTLINES  3       /* nested focus rectangles around a pointed-at window */
#define DRAWING_OUTLINES    2       /* nested focus rectangles of a drawn rectangle */

/* Posted by the hook to the dialog: a captured frame, left and top in the wParam's low and
   high words, width and height in the lParam's (screen coordinates fit in 16 bits). */
#define WM_CAPTURED_FRAME   (WM_APP + 1)
/* void Cls_OnCapturedFrame(HWND hwnd, int iLeft, int iTop, int iWidth, int iHeight) */
#define HANDLE_WM_CAPTURED_FRAME(hwnd, wParam, lParam, fn) \
    ((fn)((hwnd), (short)LOWORD(wParam), (short)HIWORD(wParam), (short)LOWORD(lParam), \
          (short)HIWORD(lParam)), 0L)

/* The system cursors a capture replaces. */
static const DWORD dwCaptureCursors[] = {
    32512 /* arrow */, 32513 /* I-beam */, 32642, 32643, 32644, 32645 /* sizing */, 32646 /* move */
};

/* The capture as the hook sees it in every process. */
struct tagCAPTURE {
    RECT   rFrame;          /* captured so far, screen coordinates; all -1 when none */
    POINT  pStart;          /* first corner of a drawing */
    HWND   hSelectWnd;      /* window under the pointer */
    HWND   hLastWnd;        /* window outlined now */
};
static tagCAPTURE Capture SHARED_SECTION = { { -1, -1, -1, -1 }, { -1, -1 }, NULL, NULL };

/* The dialog, inside the process that runs it. */
static struct tagSIZE32 {
    RECT   rBackup;         /* the position at opening, back on Cancel */
    HBRUSH hBrush;          /* the grey background */
} Size32;

/* ---- The position text ------------------------------------------------------------------ */

void ParsePositionText(LPCSTR lpszText, RECT *prPos)
{
    SetRectEmpty(prPos);
    if (lpszText == NULL || *lpszText == '\0')
        return;
    LONG lValues[4] = {};
    int iCount = 0;
    for (LPCSTR lpsz = lpszText; iCount < 4; iCount++) {
        lValues[iCount] = atol(lpsz);
        lpsz = strchr(lpsz, ',');
        if (lpsz == NULL) {
            iCount++;
            break;
        }
        lpsz++;
    }
    prPos->left = lValues[0];
    if (iCount >= 2) {
        prPos->top = lValues[1];
        prPos->right = iCount >= 3 ? lValues[2] : POSITION_ONLY;
        prPos->bottom = iCount >= 4 ? lValues[3] : POSITION_ONLY;
    }
}

void FormatPositionText(const RECT *prPos, LPSTR lpszText, int iSize)
{
    if (prPos->left == 0 && prPos->top == 0 && prPos->right == 0 && prPos->bottom == 0)
        lpszText[0] = '\0';
    else if (prPos->right == POSITION_ONLY)
        snprintf(lpszText, iSize, "%ld,%ld", prPos->left, prPos->top);
    else
        snprintf(lpszText, iSize, "%ld,%ld,%ld,%ld", prPos->left, prPos->top, prPos->right, prPos->bottom);
}

void GetSizeAndPosition(HWND hDlg)
{
    char szText[POSITION_TEXT] = "";
    GetDlgItemTextA(hDlg, IDC_LAUNCH_POSTEXT, szText, sizeof(szText));
    ParsePositionText(szText, &Editor()->rWindowPos);
    if (DialogBoxRes(IDD_POSITION, hDlg, PositionDlg) != 1)
        return;
    FormatPositionText(&Editor()->rWindowPos, szText, sizeof(szText));
    SetDlgItemTextA(hDlg, IDC_LAUNCH_POSTEXT, szText);
}

/* ---- Cursors and outlines ---------------------------------------------------------------- */

void SetAllCursor(HCURSOR hCur)
{
    /* The system takes each cursor it is given: every one gets its own copy. Where the
       platform does not replace system cursors the capture goes on with the usual ones. */
    for (DWORD dwID : dwCaptureCursors)
        SetSystemCursor(CopyCursor(hCur), dwID);
}

void RestoreAllCursor(void)
{
    /* Once replaced, a system cursor loads as its replacement: reload the system's set. */
    SystemParametersInfoA(SPI_SETCURSORS, 0, NULL, 0);
}

/* The capture cursor goes and the system's come back. */
static void EndCaptureCursor(void)
{
    if (_hNewCur == NULL)
        return;
    _hNewCur = NULL;
    RestoreAllCursor();
}

static void BeginCaptureCursor(HCURSOR hCur)
{
    if (_hNewCur != NULL || hCur == NULL)
        return;
    _hNewCur = hCur;
    SetAllCursor(hCur);
}

/* Nested focus rectangles, each 1 pixel inside the last; drawing them twice erases them. */
static void DrawOutline(const RECT *prOuter, int iFirstInset, int iOutlines)
{
    if (prOuter->left == -1 && prOuter->right == -1)
        return;
    HDC hDC = GetDC(NULL);
    for (int i = 0; i < iOutlines; i++) {
        RECT r = *prOuter;
        InflateRect(&r, -(iFirstInset + i), -(iFirstInset + i));
        if (r.right > r.left && r.bottom > r.top)
            DrawFocusRect(hDC, &r);
    }
    ReleaseDC(NULL, hDC);
}

static void DrawDrawingOutline(void)   { DrawOutline(&Capture.rFrame, 0, DRAWING_OUTLINES); }
static void DrawSelectionOutline(void) { DrawOutline(&Capture.rFrame, 1, SELECTION_OUTLINES); }

/* The captured rectangle to the dialog, posted: a send would hold the program that runs
   the hook until the dialog's thread answered. */
static void ShowFrame(void)
{
    const RECT &r = Capture.rFrame;
    PostMessageA(_hMainDlg, WM_CAPTURED_FRAME, MAKEWPARAM((WORD)r.left, (WORD)r.top),
                 MAKELPARAM((WORD)(r.right - r.left), (WORD)(r.bottom - r.top)));
}

static void ForgetFrame(void)
{
    SetRect(&Capture.rFrame, -1, -1, -1, -1);
    Capture.hLastWnd = NULL;
    Capture.hSelectWnd = NULL;
}

/* ---- The mouse hook ------------------------------------------------------------------------ */

/* A click: the first corner of a drawing, or the end of a drawing or of a selection. */
static BOOL OnCaptureClick(POINT pt)
{
    if (_bDraw && !_bMseFirstDown) {
        _bMseFirstDown = TRUE;
        Capture.pStart = pt;
        SetRect(&Capture.rFrame, pt.x, pt.y, pt.x, pt.y);
        ShowFrame();
        return TRUE;
    }
    if (_bDraw) {
        _bMseFirstDown = FALSE;
        _bDraw = FALSE;
        DrawDrawingOutline();
    } else if (_bSelect) {
        _bSelect = FALSE;
        _bSelectDown = FALSE;
        DrawSelectionOutline();
    } else {
        return FALSE;
    }
    ForgetFrame();
    EndCaptureCursor();
    return TRUE;
}

static BOOL OnDrawingMove(POINT pt)
{
    Capture.hSelectWnd = WindowFromPoint(pt);
    DrawDrawingOutline();
    SetRect(&Capture.rFrame, std::min(Capture.pStart.x, pt.x), std::min(Capture.pStart.y, pt.y),
            std::max(Capture.pStart.x, pt.x), std::max(Capture.pStart.y, pt.y));
    DrawDrawingOutline();
    ShowFrame();
    return TRUE;
}

/* The window a selection stands for: the first pop-up up the parent chain, else its top. */
static HWND SelectableWindow(HWND hWnd)
{
    while ((GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_POPUP) == 0) {
        HWND hParent = GetParent(hWnd);
        if (hParent == NULL)
            break;
        hWnd = hParent;
    }
    return hWnd;
}

static BOOL OnSelectingMove(POINT pt)
{
    Capture.pStart = pt;
    HWND hUnder = WindowFromPoint(pt);
    if (hUnder == NULL || IsIconic(hUnder))
        return FALSE;
    HWND hWnd = SelectableWindow(hUnder);
    Capture.hSelectWnd = hWnd;
    if (hWnd == Capture.hLastWnd)
        return FALSE;
    if (Capture.hLastWnd != NULL)
        DrawSelectionOutline();
    GetWindowRect(hWnd, &Capture.rFrame);
    ShowFrame();
    DrawSelectionOutline();
    Capture.hLastWnd = hWnd;
    return TRUE;
}

extern "C" LRESULT CALLBACK CaptureMouseMsg(int iCode, WPARAM wParam, LPARAM lParam)
{
    if (iCode >= 0 && _hMainDlg != NULL) {
        POINT pt = ((const MOUSEHOOKSTRUCT *)lParam)->pt;
        BOOL bSwallow = FALSE;
        switch (wParam) {
        case WM_LBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
            bSwallow = OnCaptureClick(pt);
            break;
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            if (_bDraw && _bMseFirstDown)
                bSwallow = OnDrawingMove(pt);
            else if (_bSelect && _bSelectDown)
                bSwallow = OnSelectingMove(pt);
            break;
        }
        if (bSwallow)
            return 1;
    }
    return CallNextHookEx(_hMouseMsg, iCode, wParam, lParam);
}

/* ---- The dialog ------------------------------------------------------------------------------ */

static void ShowNumber(HWND hDlg, int iID, LONG lValue, BOOL bSigned)
{
    SetDlgItemInt(hDlg, iID, (UINT)lValue, bSigned);
}

static void EnableSize(HWND hDlg, BOOL bEnable)
{
    EnableWindow(GetDlgItem(hDlg, IDC_POS_WIDTH), bEnable);
    EnableWindow(GetDlgItem(hDlg, IDC_POS_HEIGHT), bEnable);
}

static void ClearModes(void)
{
    _bSelect = FALSE;
    _bDraw = FALSE;
    _bMseFirstDown = FALSE;
    _bPosOnly = FALSE;
    _bSelectDown = FALSE;
}

/* Width and height as stored, a negative one as 0. */
static void ShowStoredSize(HWND hDlg)
{
    RECT *prPos = &Editor()->rWindowPos;
    ShowNumber(hDlg, IDC_POS_WIDTH, std::max(prPos->right, 0L), FALSE);
    ShowNumber(hDlg, IDC_POS_HEIGHT, std::max(prPos->bottom, 0L), FALSE);
}

static BOOL OnInitDialog(HWND hDlg, HWND hFocus, LPARAM lParam)
{
    (void)hFocus;
    (void)lParam;
    RECT *prPos = &Editor()->rWindowPos;
    /* A capture that a vanished process left behind does not carry over. */
    ClearModes();
    ForgetFrame();
    _hMainDlg = hDlg;
    /* Other processes load the module that holds the hook procedure. */
    HMODULE hHookModule = hInstance;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       (LPCSTR)(void *)CaptureMouseMsg, &hHookModule);
    _hMouseMsg = SetWindowsHookExA(WH_MOUSE, CaptureMouseMsg, hHookModule, 0);
    Size32.rBackup = *prPos;
    Size32.hBrush = CreateSolidBrush(EDITOR_GREY);
    ShowNumber(hDlg, IDC_POS_LEFT, prPos->left, TRUE);
    ShowNumber(hDlg, IDC_POS_TOP, prPos->top, TRUE);
    if (prPos->right == POSITION_ONLY && prPos->bottom == POSITION_ONLY) {
        CheckDlgButton(hDlg, IDC_POS_ONLY, BST_CHECKED);
        _bPosOnly = TRUE;
        EnableSize(hDlg, FALSE);
        ShowNumber(hDlg, IDC_POS_WIDTH, 0, FALSE);
        ShowNumber(hDlg, IDC_POS_HEIGHT, 0, FALSE);
    } else {
        /* A field of three numbers has no height: shown as 0, not as a huge unsigned one. */
        ShowStoredSize(hDlg);
    }
    return TRUE;
}

static void OnPositionOnly(HWND hDlg)
{
    _bPosOnly = IsDlgButtonChecked(hDlg, IDC_POS_ONLY) == BST_CHECKED;
    EnableSize(hDlg, !_bPosOnly);
    if (_bPosOnly) {
        ShowNumber(hDlg, IDC_POS_WIDTH, 0, FALSE);
        ShowNumber(hDlg, IDC_POS_HEIGHT, 0, FALSE);
    } else {
        ShowStoredSize(hDlg);
    }
}

/* A frame the hook captured: left and top, and the size unless Position Only is checked
   (its fields then show 0 already). */
static void OnCapturedFrame(HWND hDlg, int iLeft, int iTop, int iWidth, int iHeight)
{
    ShowNumber(hDlg, IDC_POS_LEFT, iLeft, TRUE);
    ShowNumber(hDlg, IDC_POS_TOP, iTop, TRUE);
    if (!_bPosOnly) {
        ShowNumber(hDlg, IDC_POS_WIDTH, iWidth, TRUE);
        ShowNumber(hDlg, IDC_POS_HEIGHT, iHeight, TRUE);
    }
}

/* A field as a signed number; text that is not a number reads 0. */
static LONG ReadNumber(HWND hDlg, int iID)
{
    return (LONG)(int)GetDlgItemInt(hDlg, iID, NULL, TRUE);
}

static void OnOK(HWND hDlg)
{
    RECT *prPos = &Editor()->rWindowPos;
    prPos->left = std::min(std::max(ReadNumber(hDlg, IDC_POS_LEFT), 0L), (LONG)GetSystemMetrics(SM_CXSCREEN));
    prPos->top = std::min(std::max(ReadNumber(hDlg, IDC_POS_TOP), 0L), (LONG)GetSystemMetrics(SM_CYSCREEN));
    if (_bPosOnly) {
        prPos->right = POSITION_ONLY;
        prPos->bottom = POSITION_ONLY;
    } else {
        prPos->right = std::max(ReadNumber(hDlg, IDC_POS_WIDTH), 0L);
        prPos->bottom = std::max(ReadNumber(hDlg, IDC_POS_HEIGHT), 0L);
    }
    EndDialog(hDlg, 1);
}

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    (void)uiNotify;
    switch (iID) {
    case IDC_POS_ONLY:
        OnPositionOnly(hDlg);
        break;
    case IDC_POS_DRAW:
        _bDraw = TRUE;
        _bSelect = FALSE;
        BeginCaptureCursor(LoadCursor(NULL, IDC_CROSS));
        break;
    case IDC_POS_SELECT:
        _bDraw = FALSE;
        _bSelect = TRUE;
        _bSelectDown = TRUE;
        BeginCaptureCursor(GetCursorRes(IDCUR_CAPTURE));
        break;
    case IDOK:
        OnOK(hDlg);
        break;
    case IDCANCEL:
        Editor()->rWindowPos = Size32.rBackup;
        EndDialog(hDlg, 0);
        break;
    case IDC_HELPBUTTON:
        Help(hDlg, IDH_POSITION, TRUE);
        break;
    }
}

/* While a drawing is armed the dialog stays in front. The dialog manager goes on to save
   and restore the focused field (NOTIFY_DLGMSG). */
static void OnActivate(HWND hDlg, UINT uiState, HWND hOther, BOOL bMinimized)
{
    (void)hOther;
    (void)bMinimized;
    if (uiState == WA_INACTIVE && _bDraw)
        SetForegroundWindow(hDlg);
}

static HBRUSH OnCtlColor(HWND hDlg, HDC hDC, HWND hChild, int iType)
{
    (void)hDlg;
    (void)hChild;
    (void)iType;
    SetBkColor(hDC, EDITOR_GREY);
    return Size32.hBrush;
}

/* Every way out (OK, Cancel, the close box, the owner going away) ends here: no program
   keeps a capturing hook or the capture cursor. */
static void OnDestroy(HWND hDlg)
{
    if (_bDraw && _bMseFirstDown)
        DrawDrawingOutline();
    else if (_bSelect && Capture.hLastWnd != NULL)
        DrawSelectionOutline();
    EndCaptureCursor();
    if (Size32.hBrush != NULL)
        DeleteBrush(Size32.hBrush);
    Help(hDlg, IDH_POSITION, FALSE);
    if (_hMouseMsg != NULL)
        UnhookWindowsHookEx(_hMouseMsg);
    _hMouseMsg = NULL;
    _hMainDlg = NULL;
    ClearModes();
    ForgetFrame();
    Size32 = {};
}

extern "C" INT_PTR CALLBACK PositionDlg(HWND hDlg, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
        HANDLE_DLGMSG(hDlg, WM_CAPTURED_FRAME, OnCapturedFrame);
        NOTIFY_DLGMSG(hDlg, WM_ACTIVATE, OnActivate);
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORMSGBOX, OnCtlColor);
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORLISTBOX, OnCtlColor);
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORBTN, OnCtlColor);
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORDLG, OnCtlColor);
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORSCROLLBAR, OnCtlColor);
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORSTATIC, OnCtlColor);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, OnDestroy);
    }
    return FALSE;
}
