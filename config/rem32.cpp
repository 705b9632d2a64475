/*
 * rem32.cpp - the picture of the remote, the main window of a configuration run. It owns
 * the button tree while it is open, shows one mode and shift state at a time, marks the
 * buttons that carry a function, opens the function editor on a double click and explains
 * a button on a right click; closing it in any way writes every assignment back.
 * MouseButtons, called by the tray program's Configure command and by the Control Panel
 * applet, starts a run.
 */
#include <windows.h>
#include <windowsx.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "but32.h"
#include "editor.h"
#include "mode32_text.h"
#include "rem32.h"
#include "rem32_layout.h"
#include "whats32.h"
#include "profile32.h"
#include "auto32.h"
#include "dlgcrack.h"
#include "picture.h"

/* Dialog state; cleared in one step when the window is destroyed. */
static struct tagREM32 {
    tagREMOTE *prButtons;        /* the button tree */
    HBITMAP    hBitmap;          /* the picture of the remote (three panels) */
    HPALETTE   hPalette;
    SIZE       szBitmap;         /* zero without a picture */
    int        iYpos;            /* vertical scroll offset, pixels */
    BYTE       bCurrentButton;   /* picture button under the mouse, 1-based, 0 none */
    RECT       rButtonArea;      /* its rectangle in client coordinates */
    BYTE       bDisplayMode;     /* DISPLAY_COLOR, DISPLAY_ICON or DISPLAY_OFF */
    int        rmMode;           /* mode shown */
    int        bShift;           /* shift shown: 0 off, else on */
    SCROLLINFO siPosition;
    int        iWhatsThis;       /* picture button under the last right click, 1-based */
} rem32;

/* Mark bitmap and frame colours (first: top and right, second: bottom and left) by
   function type. */
struct tagMARKSTYLE {
    WORD     wBitmap;
    COLORREF crFirst, crSecond;
};
static const tagMARKSTYLE msMarks[FUNCTION_TYPES] = {
    { IDB_MARK_LAUNCH, RGB(255, 100, 0),   RGB(150, 50, 0) },
    { IDB_MARK_WEB,    RGB(250, 100, 230), RGB(200, 50, 180) },
    { IDB_MARK_MEDIA,  RGB(0, 255, 0),     RGB(0, 150, 0) },
    { IDB_MARK_EDIT,   RGB(0, 200, 200),   RGB(0, 150, 150) },
    { IDB_MARK_SYSTEM, RGB(200, 200, 0),   RGB(185, 185, 0) },
    { IDB_MARK_SYSTEM, RGB(180, 180, 180), RGB(150, 150, 150) },
    { IDB_MARK_SYSTEM, RGB(0, 0, 200),     RGB(0, 0, 185) },
};
/* A stored command that no editor can show is marked like a window message. */
static const tagMARKSTYLE msUnknown = { IDB_MARK_SYSTEM, RGB(180, 180, 180), RGB(150, 150, 150) };

static const tagMARKSTYLE &MarkStyle(int fFunction)
{
    return fFunction >= 0 && fFunction < FUNCTION_TYPES ? msMarks[fFunction] : msUnknown;
}

/* The context menu: "What's This?", a separator and the Display submenu. */
static const char szWhatsThisItem[] = "&What's This?";
static const char szDisplayItem[] = "&Display";
static const char *const lpszDisplayItems[] = { "&Color", "&Icon", "&Off" };

static const COLORREF crGrey = RGB(192, 192, 192);

/* ---- The model behind the picture --------------------------------------------------- */

tagBUTTONINFO *FindPictureRecord(tagREMOTE *prRemote, const tagBUTTONTYPEINFO *pbti)
{
    tagBUTTONINFO *pbi = NULL;
    GetButton(&pbi, prRemote, pbti->rmMode, pbti->btType, pbti->bIndex);
    return pbi;
}

BOOL IsButtonAssigned(const tagBUTTONINFO *pbi)
{
    if (pbi == NULL)
        return FALSE;
    switch (pbi->fFunction) {
    case APPLAUNCH: {
        char szPath[MAX_PATH];
        return FindProgram(pbi->pszPrimary, szPath, sizeof(szPath));
    }
    case WEBBROWSER:
        return pbi->pszPrimary != NULL && pbi->pszPrimary[0] != '\0';
    case MULTIMEDIA: case EDIT: case SYSTEM: case MESSAGE: case ZENDRACOMMAND:
        return TRUE;
    case NO_FUNCTION:
        return pbi->pszStored != NULL;   /* kept as stored: assigned, not editable here */
    default:
        return FALSE;
    }
}

/* The record of picture button iIndex (0-based) as shown now, or null. */
static tagBUTTONINFO *ShownRecord(int iIndex, tagBUTTONTYPEINFO *pbti)
{
    if (!LocatePictureButton(iIndex, rem32.rmMode, rem32.bShift != 0, pbti))
        return NULL;
    return FindPictureRecord(rem32.prButtons, pbti);
}

/* ---- Painting -------------------------------------------------------------------------- */

/* The pixels of a picture button in client coordinates (its right and bottom edges
   belong to it). */
static RECT ClientButtonRect(int iIndex)
{
    RECT r = rButtons[iIndex];
    OffsetRect(&r, 0, -rem32.iYpos);
    r.right++;
    r.bottom++;
    return r;
}

/* Copies button iIndex from the panel at xPanel over its place, where it meets the paint
   rectangle. */
static void CopyFromPanel(HDC hDC, HDC hPictureDC, int iIndex, int xPanel, const RECT *lprPaint)
{
    RECT rButton = ClientButtonRect(iIndex);
    RECT r;
    if (!IntersectRect(&r, &rButton, lprPaint))
        return;
    BitBlt(hDC, r.left, r.top, r.right - r.left, r.bottom - r.top,
           hPictureDC, r.left + xPanel, r.top + rem32.iYpos, SRCCOPY);
}

static void FillSolid(HDC hDC, const RECT *lpr, COLORREF cr)
{
    HBRUSH hBrush = CreateSolidBrush(cr);
    FillRect(hDC, lpr, hBrush);
    DeleteBrush(hBrush);
}

void DrawBorder(HDC hDC, const RECT *lprMark, int fFunction)
{
    RECT r = *lprMark;
    InflateRect(&r, 2, 2);
    const tagMARKSTYLE &ms = MarkStyle(fFunction);
    /* 2-pixel edges: top and right first, then bottom and left over the corners. */
    RECT rTop = { r.left, r.top, r.right, r.top + 2 };
    RECT rRight = { r.right - 2, r.top, r.right, r.bottom };
    RECT rBottom = { r.left, r.bottom - 2, r.right, r.bottom };
    RECT rLeft = { r.left, r.top, r.left + 2, r.bottom };
    FillSolid(hDC, &rTop, ms.crFirst);
    FillSolid(hDC, &rRight, ms.crFirst);
    FillSolid(hDC, &rBottom, ms.crSecond);
    FillSolid(hDC, &rLeft, ms.crSecond);
}

/* Draws the 16 x 16 mark of fFunction at the button's mark point, framed. */
static void DrawMark(HDC hDC, HDC hMarkDC, HBITMAP *phMarks, int iIndex, int fFunction, const RECT *lprPaint)
{
    RECT rMark = { pIcons[iIndex].x, pIcons[iIndex].y - rem32.iYpos, 0, 0 };
    rMark.right = rMark.left + MARK_SIZE;
    rMark.bottom = rMark.top + MARK_SIZE;
    RECT rFramed = rMark, r;
    InflateRect(&rFramed, 2, 2);
    if (!IntersectRect(&r, &rFramed, lprPaint))
        return;
    WORD wBitmap = MarkStyle(fFunction).wBitmap;
    if (phMarks[wBitmap] == NULL)
        phMarks[wBitmap] = GetBitmapRes(wBitmap);
    if (phMarks[wBitmap] != NULL) {
        HBITMAP hOld = SelectBitmap(hMarkDC, phMarks[wBitmap]);
        BitBlt(hDC, rMark.left, rMark.top, MARK_SIZE, MARK_SIZE, hMarkDC, 0, 0, SRCCOPY);
        SelectBitmap(hMarkDC, hOld);
    }
    DrawBorder(hDC, &rMark, fFunction);
}

void DrawAssignedButtons(HDC hDC, HDC hPictureDC, const RECT *lprPaint)
{
    HDC hMarkDC = CreateCompatibleDC(hDC);
    HBITMAP hMarks[IDB_MARK_SYSTEM + 1] = {};
    for (int i = 0; i < MARKED_BUTTONS; i++) {
        tagBUTTONTYPEINFO bti;
        tagBUTTONINFO *pbi = ShownRecord(i, &bti);
        if (!IsButtonAssigned(pbi))
            continue;
        if (rem32.bDisplayMode == DISPLAY_COLOR)
            CopyFromPanel(hDC, hPictureDC, i, PANEL_ASSIGNED, lprPaint);
        else if (i != FIRST_MODE_BUTTON + rem32.rmMode)
            DrawMark(hDC, hMarkDC, hMarks, i, pbi->fFunction, lprPaint);
    }
    for (HBITMAP hMark : hMarks)
        if (hMark != NULL)
            DeleteBitmap(hMark);
    DeleteDC(hMarkDC);
}

/* Picture, marks and highlights composed off screen, then copied in one step. */
static void DrawPicture(HDC hDC, const RECT *lprPaint, int cxClient, int cyClient)
{
    HDC hBufferDC = CreateCompatibleDC(hDC);
    HDC hPictureDC = CreateCompatibleDC(hDC);
    HBITMAP hBuffer = CreateCompatibleBitmap(hDC, cxClient, cyClient);
    if (hBufferDC == NULL || hPictureDC == NULL || hBuffer == NULL) {
        if (hBuffer != NULL)
            DeleteBitmap(hBuffer);
        if (hPictureDC != NULL)
            DeleteDC(hPictureDC);
        if (hBufferDC != NULL)
            DeleteDC(hBufferDC);
        return;
    }
    HBITMAP hOldBuffer = SelectBitmap(hBufferDC, hBuffer);
    HBITMAP hOldPicture = SelectBitmap(hPictureDC, rem32.hBitmap);
    if (rem32.hPalette != NULL) {
        SelectPalette(hDC, rem32.hPalette, FALSE);
        RealizePalette(hDC);
        SelectPalette(hBufferDC, rem32.hPalette, FALSE);
        SelectPalette(hPictureDC, rem32.hPalette, FALSE);
    }

    RECT r = *lprPaint;
    FillSolid(hBufferDC, &r, crGrey);   /* beside a picture narrower than the window */
    int xRight = r.right < PANEL_WIDTH ? r.right : PANEL_WIDTH;
    if (xRight > r.left)
        BitBlt(hBufferDC, r.left, r.top, xRight - r.left, r.bottom - r.top,
               hPictureDC, r.left, r.top + rem32.iYpos, SRCCOPY);
    if (rem32.bDisplayMode != DISPLAY_OFF)
        DrawAssignedButtons(hBufferDC, hPictureDC, lprPaint);
    if (rem32.bCurrentButton != 0)
        CopyFromPanel(hBufferDC, hPictureDC, rem32.bCurrentButton - 1, PANEL_HIGHLIGHT, lprPaint);
    CopyFromPanel(hBufferDC, hPictureDC, FIRST_MODE_BUTTON + rem32.rmMode, PANEL_HIGHLIGHT, lprPaint);
    if (rem32.bShift)
        CopyFromPanel(hBufferDC, hPictureDC, SHIFT_BUTTON, PANEL_HIGHLIGHT, lprPaint);

    BitBlt(hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, hBufferDC, r.left, r.top, SRCCOPY);
    SelectBitmap(hPictureDC, hOldPicture);
    SelectBitmap(hBufferDC, hOldBuffer);
    DeleteBitmap(hBuffer);
    DeleteDC(hPictureDC);
    DeleteDC(hBufferDC);
}

/* ---- Mode, shift and the menu ------------------------------------------------------------ */

/* A click on the shift or a mode button changes what the picture shows. */
static void SwitchFromButton(HWND hDlg, int iIndex)
{
    if (iIndex == SHIFT_BUTTON) {
        rem32.bShift = ~rem32.bShift;
        InvalidateRect(hDlg, NULL, FALSE);
    } else if (iIndex >= FIRST_MODE_BUTTON && iIndex < FIRST_MODE_BUTTON + MODES) {
        rem32.rmMode = iIndex - FIRST_MODE_BUTTON;
        InvalidateRect(hDlg, NULL, FALSE);
    }
}

/* The picture button (1-based, 0 none) under a client point, and its rectangle. */
static BYTE ButtonAt(int x, int y, RECT *lprButton)
{
    BYTE bIndex = 0;
    GetButtonIndex(lprButton, MAKELPARAM(x, y + rem32.iYpos), &bIndex);
    return bIndex;
}

int WhatsThis(HWND hWnd, LPARAM lPoint, BYTE bDisplayMode)
{
    HMENU hMenu = CreatePopupMenu();
    HMENU hDisplay = CreatePopupMenu();
    if (hMenu == NULL || hDisplay == NULL) {
        if (hMenu != NULL)
            DestroyMenu(hMenu);
        if (hDisplay != NULL)
            DestroyMenu(hDisplay);
        return 0;
    }
    for (int i = 0; i < 3; i++)
        AppendMenuA(hDisplay, MF_STRING | (i == bDisplayMode ? MF_CHECKED : MF_UNCHECKED),
                    IDM_COLOR + i, lpszDisplayItems[i]);
    AppendMenuA(hMenu, MF_STRING, IDM_WHATSTHIS, szWhatsThisItem);
    AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hDisplay, szDisplayItem);
    POINT pt = { GET_X_LPARAM(lPoint), GET_Y_LPARAM(lPoint) };
    ClientToScreen(hWnd, &pt);
    TrackPopupMenu(hMenu, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hWnd, NULL);
    DestroyMenu(hMenu);   /* with the submenu */
    return 1;
}

/* "What's This?" for the button of the last right click: picture buttons only. */
static void ExplainButton(HWND hDlg)
{
    int iIndex = rem32.iWhatsThis - 1;
    if (iIndex < 0 || iIndex >= MARKED_BUTTONS)
        return;
    tagEDITOR *pEditor = Editor();
    pEditor->pbiButton = ShownRecord(iIndex, &pEditor->btiButton);
    pEditor->btiButton.rmMode = rem32.rmMode;   /* a mode button is reported in the mode shown */
    DialogBoxRes(IDD_WHATSTHIS, hDlg, WhatsThisDlg);
    pEditor->pbiButton = NULL;
}

/* ---- Messages ------------------------------------------------------------------------- */

static int ClientHeight(HWND hDlg)
{
    RECT r;
    GetClientRect(hDlg, &r);
    return r.bottom;
}

static BOOL OnInitDialog(HWND hDlg, HWND hFocus, LPARAM lParam)
{
    (void)hFocus;
    (void)lParam;
    CreateButtonList(&rem32.prButtons);
    AddProfileMenu(hDlg);
    AddAutoModeMenu(hDlg);

    char szFile[MAX_PATH] = "";
    GetStringRes(IDS_REMOTE_BMP, szFile, sizeof(szFile));
    HDC hDC = GetDC(hDlg);
    if (CreateBitmapFromFile(hDC, szFile, &rem32.hBitmap, &rem32.hPalette)) {
        BITMAP bm;
        GetObjectA(rem32.hBitmap, sizeof(bm), &bm);
        rem32.szBitmap.cx = bm.bmWidth;
        rem32.szBitmap.cy = bm.bmHeight;
    }
    ReleaseDC(hDlg, hDC);

    SIZE szScreen = { GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN) };
    RECT rWindow;
    int iPage;
    GetPicturePlacement(rem32.szBitmap, szScreen, GetSystemMetrics(SM_CXVSCROLL),
                        GetSystemMetrics(SM_CYFRAME), GetSystemMetrics(SM_CYCAPTION), &rWindow, &iPage);
    rem32.bDisplayMode = DISPLAY_OFF;   /* before the move: it sizes and paints */
    MoveWindow(hDlg, rWindow.left, rWindow.top, rWindow.right - rWindow.left,
               rWindow.bottom - rWindow.top, FALSE);
    rem32.siPosition.cbSize = sizeof(rem32.siPosition);
    rem32.siPosition.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    rem32.siPosition.nMin = 0;
    rem32.siPosition.nMax = rem32.szBitmap.cy;
    rem32.siPosition.nPage = (UINT)iPage;
    rem32.siPosition.nPos = 0;
    SetScrollInfo(hDlg, SB_VERT, &rem32.siPosition, TRUE);

    rem32.rmMode = PC;
    rem32.bShift = 0;
    rem32.iWhatsThis = 0;
    return TRUE;
}

static void OnGetMinMaxInfo(HWND hDlg, LPMINMAXINFO lpmmi)
{
    (void)hDlg;
    int cxWindow = GetSystemMetrics(SM_CXVSCROLL) + rem32.szBitmap.cx / 3;
    int cyWhole = 2 * GetSystemMetrics(SM_CYFRAME) + rem32.szBitmap.cy + GetSystemMetrics(SM_CYCAPTION) - 1;
    int cyScreen = GetSystemMetrics(SM_CYFULLSCREEN);
    lpmmi->ptMinTrackSize.x = cxWindow;
    lpmmi->ptMaxTrackSize.x = cxWindow;
    lpmmi->ptMinTrackSize.y = 100;
    lpmmi->ptMaxTrackSize.y = cyWhole < cyScreen ? cyWhole : cyScreen;
}

static void OnSize(HWND hDlg, UINT uiState, int cx, int cy)
{
    (void)uiState;
    (void)cx;
    rem32.siPosition.fMask = SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    rem32.siPosition.nPage = (UINT)cy;
    if (rem32.szBitmap.cy - rem32.iYpos < cy)
        rem32.iYpos = rem32.szBitmap.cy - cy > 0 ? rem32.szBitmap.cy - cy : 0;
    rem32.siPosition.nPos = rem32.iYpos;
    SetScrollInfo(hDlg, SB_VERT, &rem32.siPosition, TRUE);
    InvalidateRect(hDlg, NULL, FALSE);
}

static void OnVScroll(HWND hDlg, HWND hCtl, UINT uiCode, int iPos)
{
    (void)hCtl;
    if (uiCode == SB_ENDSCROLL)
        return;
    int iOld = rem32.iYpos;
    rem32.iYpos = ScrollPicture(iOld, (int)uiCode, iPos, rem32.szBitmap.cy, ClientHeight(hDlg));
    rem32.siPosition.fMask = SIF_POS | SIF_DISABLENOSCROLL;
    rem32.siPosition.nPos = rem32.iYpos;
    SetScrollInfo(hDlg, SB_VERT, &rem32.siPosition, TRUE);
    OffsetRect(&rem32.rButtonArea, 0, iOld - rem32.iYpos);
    ScrollWindow(hDlg, 0, iOld - rem32.iYpos, NULL, NULL);
}

static BOOL OnEraseBkgnd(HWND hDlg, HDC hDC)
{
    (void)hDlg;
    (void)hDC;
    return TRUE;   /* painting covers the whole client area */
}

static void OnPaint(HWND hDlg)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hDlg, &ps);
    if (rem32.hBitmap != NULL) {
        RECT rClient;
        GetClientRect(hDlg, &rClient);
        DrawPicture(hDC, &ps.rcPaint, rClient.right, rClient.bottom);
    } else {
        FillSolid(hDC, &ps.rcPaint, crGrey);
    }
    EndPaint(hDlg, &ps);
}

static void OnMouseMove(HWND hDlg, int x, int y, UINT uiKeys)
{
    (void)uiKeys;
    RECT rButton = {};
    BYTE bIndex = ButtonAt(x, y, &rButton);
    if (bIndex == rem32.bCurrentButton)
        return;
    RECT rOld = rem32.rButtonArea;
    OffsetRect(&rButton, 0, -rem32.iYpos);
    rem32.bCurrentButton = bIndex;
    rem32.rButtonArea = bIndex != 0 ? rButton : RECT{};
    /* A rectangle's right and bottom edges belong to the button: repaint them too. */
    InflateRect(&rOld, 1, 1);
    InflateRect(&rButton, 1, 1);
    InvalidateRect(hDlg, &rOld, FALSE);
    if (bIndex != 0)
        InvalidateRect(hDlg, &rButton, FALSE);
    UpdateWindow(hDlg);
}

static void OnLButtonDown(HWND hDlg, BOOL bDoubleClick, int x, int y, UINT uiKeys)
{
    (void)uiKeys;
    RECT rButton;
    int iIndex = ButtonAt(x, y, &rButton) - 1;
    if (iIndex < 0)
        return;
    if (!bDoubleClick) {
        SwitchFromButton(hDlg, iIndex);
        return;
    }
    if (iIndex >= FIRST_HELP_AREA) {
        Help(hDlg, uiHelp[iIndex - FIRST_HELP_AREA], TRUE);
        return;
    }
    tagBUTTONTYPEINFO bti;
    Editor()->pbiButton = ShownRecord(iIndex, &bti);   /* the shift button: none, the editor closes */
    DialogBoxRes(IDD_FUNCTIONS, hDlg, FunctionDlg);
    Editor()->pbiButton = NULL;
}

static void OnRButtonDown(HWND hDlg, BOOL bDoubleClick, int x, int y, UINT uiKeys)
{
    (void)bDoubleClick;
    (void)uiKeys;
    RECT rButton;
    rem32.iWhatsThis = ButtonAt(x, y, &rButton);
    if (rem32.iWhatsThis - 1 >= FIRST_MODE_BUTTON)
        SwitchFromButton(hDlg, rem32.iWhatsThis - 1);
    if (rem32.iWhatsThis != 0)
        WhatsThis(hDlg, MAKELPARAM(x, y), rem32.bDisplayMode);
}

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    (void)uiNotify;
    switch (iID) {
    case IDOK:
    case IDCANCEL:
        EndDialog(hDlg, 0);
        break;
    case IDM_COLOR:
    case IDM_ICON:
    case IDM_OFF:
        rem32.bDisplayMode = (BYTE)(iID - IDM_COLOR);
        InvalidateRect(hDlg, NULL, FALSE);
        break;
    case IDM_WHATSTHIS:
        ExplainButton(hDlg);
        break;
    }
}

static void OnClose(HWND hDlg)
{
    EndDialog(hDlg, 0);
}

/* Every assignment goes back to the registry however the dialog ends. */
static void OnDestroy(HWND hDlg)
{
    if (rem32.hBitmap != NULL)
        DeleteBitmap(rem32.hBitmap);
    if (rem32.hPalette != NULL)
        DeletePalette(rem32.hPalette);
    /* The editor's holders live as long as the picture. */
    EndEditing();
    DestroyButtonList(&rem32.prButtons);
    Help(hDlg, IDH_CONTENTS, FALSE);
    rem32 = {};
}

extern "C" INT_PTR CALLBACK SelectDlg(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(hDlg, WM_GETMINMAXINFO, OnGetMinMaxInfo);
        HANDLE_DLGMSG(hDlg, WM_SIZE, OnSize);
        HANDLE_DLGMSG(hDlg, WM_VSCROLL, OnVScroll);
        HANDLE_DLGMSG(hDlg, WM_ERASEBKGND, OnEraseBkgnd);
        HANDLE_DLGMSG(hDlg, WM_PAINT, OnPaint);
        HANDLE_DLGMSG(hDlg, WM_MOUSEMOVE, OnMouseMove);
        HANDLE_DLGMSG(hDlg, WM_LBUTTONDOWN, OnLButtonDown);
        HANDLE_DLGMSG(hDlg, WM_LBUTTONDBLCLK, OnLButtonDown);
        HANDLE_DLGMSG(hDlg, WM_RBUTTONDOWN, OnRButtonDown);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
        HANDLE_DLGMSG(hDlg, WM_CLOSE, OnClose);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, OnDestroy);
    /* Only the profile and automatic-mode commands of the window menu are ours: moving,
       sizing and closing go on to the dialog manager, which a handled message would stop. */
    case WM_SYSCOMMAND:
        return OnProfileCommand(hDlg, (UINT)(wParam & 0xFFF0), &rem32.prButtons)
               || OnAutoModeCommand(hDlg, (UINT)(wParam & 0xFFF0));
    }
    return FALSE;
}

extern "C" int WINAPI MouseButtons(HWND hWnd)
{
    DialogBoxRes(IDD_BUTTONS, hWnd, SelectDlg);
    return 0;
}
