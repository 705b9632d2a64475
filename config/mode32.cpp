/*
 * mode32.cpp - the function editor: seven drawn buttons, one per function family and one
 * for help, over the holder list of the button being edited (the editor's record,
 * editor.h). A family button opens that family's dialog, which edits only its holder; OK
 * copies the chosen holder into the button. The families and the frame their dialogs
 * share are mode32_<type>.cpp and mode32_frame.cpp.
 */
#include <windows.h>
#include <windowsx.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "but32.h"
#include "editor.h"
#include "family.h"
#include "mode32_zendra.h"
#include "dlgcrack.h"
#include "frame.h"
#include "picture.h"

#define CR_DARK_RED         RGB(192, 0, 0)
#define CR_BEVEL_SHADOW     RGB(72, 72, 72)
#define CR_WHITE            RGB(255, 255, 255)
#define BUTTON_BEVEL        4       /* bevel of a drawn button, inside its black outline */
#define BUTTON_INSET        8       /* picture inside a drawn button */
#define BUTTON_GAP          8
#define PRESS_SHIFT         2       /* a held button's picture moves right and down */
#define AREA_FRAME_GAP      8       /* etched frame around the button area */
#define AREA_FRAME_WIDTH    2
#define MISSING_PICTURE     80      /* layout size when a picture file is missing */
#define EDITOR_BUTTONS      7       /* six family buttons and the help button */
#define HELP_BUTTON         6
#define FAMILY_BUTTONS      6
#define NO_BUTTON           (-1)
#define ID_PRESS_BUTTON     0x7F00  /* posted command: press drawn button (id - this) */

/* The families, in type order. */
static const tagFAMILY *const Families[FUNCTION_TYPES] = {
    &LaunchFamily, &WebFamily, &MediaFamily, &EditFamily, &SystemFamily, &MessageFamily, &ZendraFamily
};

/* The function editor's window (one at a time); what it shares is the editor's record. */
static struct tagMODE32 {
    tagBUTTONINFO *pbiTemp;             /* the button being edited */
    RECT     rButtons[EDITOR_BUTTONS];  /* 0 to 5 families, 6 help */
    int      iButton;                   /* button drawn held down, NO_BUTTON for none */
    int      iCurrentBut;               /* button the mouse pressed, NO_BUTTON for none */
    int      iTempButton;               /* family chosen before a family dialog ran */
    BOOL     bDovrel;                   /* home-automation software is installed */
    HBITMAP  hRemoteBitmap;             /* "SRemote.bmp" and its palette */
    HPALETTE hRemotePalette;
} mdEditor;

/* The families' picture strip, which the frame keeps for their dialogs too. */
static HBITMAP FamilyStrip(void)
{
    HPALETTE hPalette;
    return FamilyPictures(&hPalette);
}

/* ---- The function editor: buttons ---------------------------------------------------- */

/* The family of a drawn button: the sixth is home automation when its software is
   installed, window messages otherwise. */
static int ButtonFamily(int iButton)
{
    if (iButton == FAMILY_BUTTONS - 1)
        return mdEditor.bDovrel ? ZENDRACOMMAND : MESSAGE;
    return iButton;
}

/* Whether a drawn button shows the button's current family. */
static BOOL IsCurrentButton(int iButton)
{
    if (iButton == APPLAUNCH) {
        tagBUTTONINFO *pbiLaunch = FindHolder(Editor()->pbiHolder, APPLAUNCH);
        return Editor()->fCurrentFunction == APPLAUNCH && pbiLaunch != NULL && pbiLaunch->pszPrimary != NULL;
    }
    if (mdEditor.bDovrel && iButton == SYSTEM)
        return Editor()->fCurrentFunction == SYSTEM || Editor()->fCurrentFunction == MESSAGE;
    return Editor()->fCurrentFunction == ButtonFamily(iButton);
}

static int FindButton(const RECT *prButtons, POINT pt)
{
    for (int i = 0; i < EDITOR_BUTTONS; i++)
        if (PtInRect(&prButtons[i], pt))      /* right and bottom edges lie outside */
            return i;
    return NO_BUTTON;
}

static void PressButton(HWND hDlg, int iButton, const RECT *prButtons)
{
    const RECT *prButton = &prButtons[iButton];
    POINT ptCentre = { (prButton->left + prButton->right) / 2, (prButton->top + prButton->bottom) / 2 };
    ClientToScreen(hDlg, &ptCentre);
    SetCursorPos(ptCentre.x, ptCentre.y);
    LPARAM lPoint = MAKELPARAM(prButton->left + 2, prButton->top + 2);
    SendMessageA(hDlg, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    SendMessageA(hDlg, WM_LBUTTONUP, 0, lPoint);
}

static void InvalidateButton(HWND hDlg, int iButton)
{
    if (iButton >= 0 && iButton < EDITOR_BUTTONS)
        InvalidateRect(hDlg, &mdEditor.rButtons[iButton], FALSE);
}

static void RunButton(HWND hDlg, int iButton)
{
    if (iButton == HELP_BUTTON) {
        Help(hDlg, IDH_FUNCTIONS, TRUE);
        return;
    }
    const tagFAMILY *pFamily = Families[ButtonFamily(iButton)];
    mdEditor.iTempButton = Editor()->fCurrentFunction;
    DialogBoxRes(pFamily->wTemplate, hDlg, pFamily->lpfnDlgProc);
    if (Editor()->fCurrentFunction != mdEditor.iTempButton) {
        /* The mark moves: the old and the new family's buttons (the system button also
           stands for window messages). */
        for (int i = 0; i < FAMILY_BUTTONS; i++)
            InvalidateButton(hDlg, i);
    }
}

/* ---- The function editor: layout and painting ---------------------------------------- */

static void GetPictureSize(HBITMAP hBitmap, SIZE *psz)
{
    BITMAP bm;
    if (hBitmap != NULL && GetObjectA(hBitmap, sizeof(bm), &bm) != 0) {
        psz->cx = bm.bmWidth;
        psz->cy = bm.bmHeight;
    } else {
        psz->cx = psz->cy = 0;
    }
}

/* Cell size of the family pictures; a missing strip lays out as if it had square cells. */
static void GetCellSize(SIZE *psz)
{
    SIZE szStrip;
    GetPictureSize(FamilyStrip(), &szStrip);
    psz->cx = szStrip.cx > BUTTON_CELL_WIDTH ? (szStrip.cx - BUTTON_CELL_WIDTH) / 6 : MISSING_PICTURE;
    psz->cy = szStrip.cy > 0 ? szStrip.cy : MISSING_PICTURE;
}

static void AdjustWindowSize(HWND hDlg)
{
    SIZE szCell;
    GetCellSize(&szCell);
    MoveWindow(hDlg, 100, 100, (int)(szCell.cx * 5.8), (int)(szCell.cy * 4.3), FALSE);

    RECT rClient, rOK;
    GetClientRect(hDlg, &rClient);
    GetWindowRect(GetDlgItem(hDlg, IDOK), &rOK);
    int w = rOK.right - rOK.left;
    int t = rOK.bottom - rOK.top;
    int x = rClient.left + (rClient.right - rClient.left - 3 * w - 40) / 2;
    int y = rClient.bottom - t - t / 2;
    static const int iPushButtons[] = { IDOK, IDCANCEL, IDC_HELPBUTTON };
    for (int i = 0; i < 3; i++)
        MoveWindow(GetDlgItem(hDlg, iPushButtons[i]), x + i * (w + 25), y, w, t, FALSE);
}

static void CreateButtonArea(HWND hDlg)
{
    SIZE szCell, szRemote;
    GetCellSize(&szCell);
    GetPictureSize(mdEditor.hRemoteBitmap, &szRemote);
    if (szRemote.cx == 0)
        szRemote.cx = szRemote.cy = MISSING_PICTURE;
    int W = szCell.cx + 2 * BUTTON_INSET;
    int H = szCell.cy + 2 * BUTTON_INSET;
    int m = (int)(W * 0.4);
    RECT rClient;
    GetClientRect(hDlg, &rClient);
    RECT *pr = mdEditor.rButtons;
    SetRect(&pr[HELP_BUTTON], rClient.left + m, rClient.top + m,
            rClient.left + m + szRemote.cx + 2 * BUTTON_INSET, rClient.top + m + szRemote.cy + 2 * BUTTON_INSET);
    for (int i = 0; i < 3; i++) {
        int iLeft = (i == 0 ? pr[HELP_BUTTON].right : pr[i - 1].right) + BUTTON_GAP;
        SetRect(&pr[i], iLeft, pr[HELP_BUTTON].top, iLeft + W, pr[HELP_BUTTON].top + H);
        SetRect(&pr[i + 3], iLeft, pr[0].bottom + BUTTON_GAP, iLeft + W, pr[0].bottom + BUTTON_GAP + H);
    }
}

/* A drawn button: outline, bevel and picture; held buttons are flat, picture shifted. */
static void DrawButtonFrame(HDC hDC, HDC hPictureDC, const RECT *prButton, BOOL bCurrent,
                            BOOL bDown, int xPicture, int cxPicture, int cyPicture)
{
    HBRUSH hFill = CreateSolidBrush(bCurrent ? CR_DARK_RED : EDITOR_GREY);
    FillRect(hDC, prButton, hFill);
    DeleteBrush(hFill);
    FrameRect(hDC, prButton, GetStockBrush(BLACK_BRUSH));
    RECT rBevel = *prButton;
    InflateRect(&rBevel, -1, -1);
    DrawGFrame(hDC, rBevel, BUTTON_BEVEL, bDown ? EDITOR_GREY : CR_WHITE,
               bDown ? EDITOR_GREY : CR_BEVEL_SHADOW);
    if (hPictureDC == NULL)
        return;
    int iShift = bDown ? PRESS_SHIFT : 0;
    BitBlt(hDC, prButton->left + BUTTON_INSET + iShift, prButton->top + BUTTON_INSET + iShift,
           cxPicture, cyPicture, hPictureDC, xPicture, 0, SRCCOPY);
}

static void DrawModeFrame(HDC hDC)
{
    RECT rArea;
    SetRectEmpty(&rArea);
    for (int i = 0; i < EDITOR_BUTTONS; i++)
        UnionRect(&rArea, &rArea, &mdEditor.rButtons[i]);
    InflateRect(&rArea, AREA_FRAME_GAP + AREA_FRAME_WIDTH, AREA_FRAME_GAP + AREA_FRAME_WIDTH);
    DrawGFrame(hDC, rArea, AREA_FRAME_WIDTH, CR_BEVEL_SHADOW, CR_WHITE);
    InflateRect(&rArea, -AREA_FRAME_WIDTH, -AREA_FRAME_WIDTH);
    DrawGFrame(hDC, rArea, AREA_FRAME_WIDTH, CR_WHITE, CR_BEVEL_SHADOW);
}

static void DrawImageToBuffer(HDC hDC, const RECT *prPaint)
{
    FillRect(hDC, prPaint, GreyBrush());
    /* The buttons are drawn only when both pictures are there. */
    HBITMAP hStrip = FamilyStrip();
    BOOL bPictures = hStrip != NULL && mdEditor.hRemoteBitmap != NULL;
    HDC hStripDC = CreateCompatibleDC(hDC);
    HDC hRemoteDC = CreateCompatibleDC(hDC);
    HBITMAP hOldStrip = bPictures ? SelectBitmap(hStripDC, hStrip) : NULL;
    HBITMAP hOldRemote = bPictures ? SelectBitmap(hRemoteDC, mdEditor.hRemoteBitmap) : NULL;
    SIZE szCell, szRemote;
    GetCellSize(&szCell);
    GetPictureSize(mdEditor.hRemoteBitmap, &szRemote);
    RECT rMeet;
    for (int i = 0; i < FAMILY_BUTTONS && bPictures; i++) {
        if (!IntersectRect(&rMeet, &mdEditor.rButtons[i], prPaint))
            continue;
        int iCell = ButtonFamily(i);
        DrawButtonFrame(hDC, hStripDC, &mdEditor.rButtons[i], IsCurrentButton(i), mdEditor.iButton == i,
                        BUTTON_CELL_WIDTH * iCell, BUTTON_CELL_WIDTH, szCell.cy);
    }
    if (bPictures && IntersectRect(&rMeet, &mdEditor.rButtons[HELP_BUTTON], prPaint))
        DrawButtonFrame(hDC, hRemoteDC, &mdEditor.rButtons[HELP_BUTTON], FALSE,
                        mdEditor.iButton == HELP_BUTTON, 0, szRemote.cx, szRemote.cy);
    if (bPictures)
        DrawModeFrame(hDC);
    if (hOldStrip != NULL)
        SelectBitmap(hStripDC, hOldStrip);
    if (hOldRemote != NULL)
        SelectBitmap(hRemoteDC, hOldRemote);
    DeleteDC(hStripDC);
    DeleteDC(hRemoteDC);
}

/* ---- The function editor: messages --------------------------------------------------- */

static BOOL OnInitDialog(HWND hDlg, HWND hFocus, LPARAM lParam)
{
    (void)hFocus;
    (void)lParam;
    tagEDITOR *pEditor = Editor();
    mdEditor.pbiTemp = pEditor->pbiButton;
    if (mdEditor.pbiTemp == NULL) {
        /* No button: the picture of the remote is between buttons, no holder is wanted. */
        EndEditing();
        EndDialog(hDlg, 0);
        return TRUE;
    }
    mdEditor.iButton = NO_BUTTON;
    mdEditor.iCurrentBut = NO_BUTTON;
    pEditor->bFamilyConfirmed = FALSE;
    GenerateButtonFunctions(&pEditor->pbiHolder, mdEditor.pbiTemp, &pEditor->bEmpty);
    pEditor->fCurrentFunction = mdEditor.pbiTemp->pszPrimary != NULL || mdEditor.pbiTemp->pszExtra1 != NULL
                              ? mdEditor.pbiTemp->fFunction : NO_FUNCTION;
    mdEditor.bDovrel = IsDovrelInstalled() == 1;
    OpenFrame(hDlg, TRUE);

    char szFile[MAX_PATH];
    if (GetStringRes(IDS_SREMOTE_BMP, szFile, sizeof(szFile)) != 0) {
        HDC hDC = GetDC(hDlg);
        CreateBitmapFromFile(hDC, szFile, &mdEditor.hRemoteBitmap, &mdEditor.hRemotePalette);
        ReleaseDC(hDlg, hDC);
    }

    AdjustWindowSize(hDlg);
    CreateButtonArea(hDlg);
    SetFocus(GetDlgItem(hDlg, IDOK));
    if (GetParent(hDlg) != NULL)
        InvalidateRect(GetParent(hDlg), NULL, FALSE);
    CenterWindow(hDlg);
    return FALSE;
}

static void OnDestroy(HWND hDlg)
{
    Help(hDlg, IDH_FUNCTIONS, FALSE);
    if (mdEditor.pbiTemp == NULL)
        return;                 /* ended at once: nothing was opened */
    if (mdEditor.hRemoteBitmap != NULL)
        DeleteBitmap(mdEditor.hRemoteBitmap);
    if (mdEditor.hRemotePalette != NULL)
        DeletePalette(mdEditor.hRemotePalette);
    CloseFrame();
    if (GetParent(hDlg) != NULL)
        InvalidateRect(GetParent(hDlg), NULL, FALSE);
    mdEditor = {};
    EndEdit();
}

static void OnPaint(HWND hDlg)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hDlg, &ps);
    RECT rClient;
    GetClientRect(hDlg, &rClient);
    HDC hBufferDC = CreateCompatibleDC(hDC);
    HBITMAP hBuffer = CreateCompatibleBitmap(hDC, rClient.right, rClient.bottom);
    if (hBufferDC != NULL && hBuffer != NULL) {
        HBITMAP hOld = SelectBitmap(hBufferDC, hBuffer);
        HPALETTE hOldPalette = NULL;
        HPALETTE hStripPalette;
        FamilyPictures(&hStripPalette);
        if (hStripPalette != NULL) {
            hOldPalette = SelectPalette(hDC, hStripPalette, FALSE);
            RealizePalette(hDC);
        }
        DrawImageToBuffer(hBufferDC, &ps.rcPaint);
        BitBlt(hDC, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, hBufferDC, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        if (hOldPalette != NULL)
            SelectPalette(hDC, hOldPalette, FALSE);
        SelectBitmap(hBufferDC, hOld);
    }
    if (hBuffer != NULL)
        DeleteBitmap(hBuffer);
    if (hBufferDC != NULL)
        DeleteDC(hBufferDC);
    EndPaint(hDlg, &ps);
}

static void OnLButtonDown(HWND hDlg, BOOL fDoubleClick, int x, int y, UINT keyFlags)
{
    (void)fDoubleClick;
    (void)keyFlags;
    SetCapture(hDlg);
    POINT pt = { x, y };
    mdEditor.iCurrentBut = FindButton(mdEditor.rButtons, pt);
    mdEditor.iButton = mdEditor.iCurrentBut;
    InvalidateButton(hDlg, mdEditor.iButton);
}

static void OnMouseMove(HWND hDlg, int x, int y, UINT keyFlags)
{
    (void)keyFlags;
    if (mdEditor.iCurrentBut == NO_BUTTON)
        return;
    /* The pressed button looks released while the pointer is away from it. */
    POINT pt = { x, y };
    int iHeld = FindButton(mdEditor.rButtons, pt) == mdEditor.iCurrentBut ? mdEditor.iCurrentBut : NO_BUTTON;
    if (iHeld != mdEditor.iButton) {
        mdEditor.iButton = iHeld;
        InvalidateButton(hDlg, mdEditor.iCurrentBut);
    }
}

static void OnLButtonUp(HWND hDlg, int x, int y, UINT keyFlags)
{
    (void)keyFlags;
    int iPressed = mdEditor.iCurrentBut;
    mdEditor.iCurrentBut = NO_BUTTON;
    mdEditor.iButton = NO_BUTTON;
    ReleaseCapture();
    if (iPressed == NO_BUTTON)
        return;
    InvalidateButton(hDlg, iPressed);
    UpdateWindow(hDlg);
    POINT pt = { x, y };
    if (FindButton(mdEditor.rButtons, pt) == iPressed)
        RunButton(hDlg, iPressed);
}

static DWORD OnMenuChar(HWND hDlg, UINT ch, UINT flags, HMENU hMenu)
{
    (void)flags;
    (void)hMenu;
    /* Alt and a letter of the table, compared byte for byte: only lower case acts. The
       press waits until the menu mode that asked has ended, or that mode would take the
       next click made in the family dialog or in the editor. */
    char szLetters[EDITOR_BUTTONS + 1] = "";
    GetStringRes(IDS_EDITOR_LETTERS, szLetters, sizeof(szLetters));
    for (int i = 0; szLetters[i] != '\0'; i++)
        if ((BYTE)szLetters[i] == ch) {
            PostMessageA(hDlg, WM_COMMAND, ID_PRESS_BUTTON + i, 0);
            return MAKELRESULT(0, MNC_CLOSE);
        }
    return MAKELRESULT(0, MNC_IGNORE);
}

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    (void)uiNotify;
    switch (iID) {
    case IDOK:
        /* Without a confirmed family dialog nothing was chosen: the button stays as it was,
           whatever the editors could show of it. */
        if (Editor()->bFamilyConfirmed)
            CopyButtonData(&mdEditor.pbiTemp, Editor()->pbiHolder, Editor()->fCurrentFunction);
        EndDialog(hDlg, 1);
        break;
    case IDCANCEL:
        EndDialog(hDlg, 1);
        break;
    case IDC_HELPBUTTON:
        PressButton(hDlg, HELP_BUTTON, mdEditor.rButtons);
        break;
    default:
        if (iID >= ID_PRESS_BUTTON && iID < ID_PRESS_BUTTON + EDITOR_BUTTONS)
            PressButton(hDlg, iID - ID_PRESS_BUTTON, mdEditor.rButtons);
    }
}

extern "C" INT_PTR CALLBACK FunctionDlg(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, OnDestroy);
        HANDLE_DLGMSG(hDlg, WM_PAINT, OnPaint);
        HANDLE_DLGMSG(hDlg, WM_LBUTTONDOWN, OnLButtonDown);
        HANDLE_DLGMSG(hDlg, WM_MOUSEMOVE, OnMouseMove);
        HANDLE_DLGMSG(hDlg, WM_LBUTTONUP, OnLButtonUp);
        HANDLE_DLGMSG(hDlg, WM_MENUCHAR, OnMenuChar);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
        EDITOR_CTLCOLOR_DLGMSGS(hDlg, FamilyOnCtlColor);
    }
    return FALSE;
}