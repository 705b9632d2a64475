/*
 * mode32_frame.cpp - what every family dialog shares: the frame (the family's picture on
 * grey, OK, Cancel, Help and Set Values) and the messages it handles for them, filling the
 * controls from the family's holder and reading them back, and the grey brush and picture
 * strip the function editor and its family dialogs paint with. Each family's dialog
 * procedure hands the frame its own entry (tagFAMILY), so the frame names no family.
 */
#include <windows.h>
#include <windowsx.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "but32.h"
#include "editor.h"
#include "family.h"
#include "dlgcrack.h"
#include "picture.h"

#define PICTURE_SHADOW      5       /* shadow up and left of a family's picture */

/* The brush and the picture strip, shared by the editor and the family dialogs open. */
static struct tagFRAME {
    HBRUSH   hBrush;                /* light grey, while anyone paints with it */
    int      iUsers;                /* the editor and the family dialogs open on hBrush */
    HBITMAP  hStrip;                /* "Button.bmp" and its palette, while the editor is open */
    HPALETTE hStripPalette;
} frame;

/* ---- Brush and pictures ------------------------------------------------------------------ */

HBRUSH GreyBrush(void)
{
    if (frame.hBrush == NULL)
        frame.hBrush = CreateSolidBrush(EDITOR_GREY);
    return frame.hBrush;
}

void OpenFrame(HWND hDlg, BOOL bPictures)
{
    GreyBrush();
    frame.iUsers++;
    if (!bPictures || frame.hStrip != NULL)
        return;
    char szFile[MAX_PATH];
    HDC hDC = GetDC(hDlg);
    if (GetStringRes(IDS_BUTTON_BMP, szFile, sizeof(szFile)) != 0)
        CreateBitmapFromFile(hDC, szFile, &frame.hStrip, &frame.hStripPalette);
    ReleaseDC(hDlg, hDC);
}

void CloseFrame(void)
{
    if (--frame.iUsers > 0)
        return;
    /* The last one out: a family dialog opened without the editor takes the brush too. */
    if (frame.hBrush != NULL)
        DeleteBrush(frame.hBrush);
    if (frame.hStrip != NULL)
        DeleteBitmap(frame.hStrip);
    if (frame.hStripPalette != NULL)
        DeletePalette(frame.hStripPalette);
    frame = {};
}

HBITMAP FamilyPictures(HPALETTE *phPalette)
{
    *phPalette = frame.hStripPalette;
    return frame.hStrip;
}

HBITMAP GetButtonBitmap(HDC hMainDC, HBITMAP hbmpSource, int iBut)
{
    BITMAP bm;
    if (hbmpSource == NULL || GetObjectA(hbmpSource, sizeof(bm), &bm) == 0)
        return NULL;
    HBITMAP hCell = CreateCompatibleBitmap(hMainDC, BUTTON_CELL_WIDTH, bm.bmHeight);
    if (hCell == NULL)
        return NULL;
    HDC hCellDC = CreateCompatibleDC(hMainDC);
    HDC hSourceDC = CreateCompatibleDC(hMainDC);
    HBITMAP hOldCell = SelectBitmap(hCellDC, hCell);
    HBITMAP hOldSource = SelectBitmap(hSourceDC, hbmpSource);
    RECT rCell = { 0, 0, BUTTON_CELL_WIDTH, bm.bmHeight };
    FillRect(hCellDC, &rCell, GetStockBrush(LTGRAY_BRUSH));
    BitBlt(hCellDC, 0, 0, BUTTON_CELL_WIDTH, bm.bmHeight, hSourceDC, BUTTON_CELL_WIDTH * iBut, 0, SRCCOPY);
    SelectBitmap(hSourceDC, hOldSource);
    SelectBitmap(hCellDC, hOldCell);
    DeleteDC(hSourceDC);
    DeleteDC(hCellDC);
    return hCell;
}

/* Copies a bitmap whole into hDC at x, y (cx by cy). */
static void PutBitmap(HDC hDC, HBITMAP hBitmap, int x, int y, int cx, int cy)
{
    HDC hMemDC = CreateCompatibleDC(hDC);
    HBITMAP hOld = SelectBitmap(hMemDC, hBitmap);
    BitBlt(hDC, x, y, cx, cy, hMemDC, 0, 0, SRCCOPY);
    SelectBitmap(hMemDC, hOld);
    DeleteDC(hMemDC);
}

void DrawBitmap(HDC hDC, HBITMAP hBitmap, LPRECT lprRect, int iButID)
{
    HBITMAP hCell = hBitmap != NULL ? GetButtonBitmap(hDC, hBitmap, iButID) : NULL;
    if (hCell == NULL)
        return;
    RECT rShadow = *lprRect;
    OffsetRect(&rShadow, -PICTURE_SHADOW, -PICTURE_SHADOW);
    FillRect(hDC, &rShadow, GetStockBrush(DKGRAY_BRUSH));
    PutBitmap(hDC, hCell, lprRect->left, lprRect->top,
              lprRect->right - lprRect->left, lprRect->bottom - lprRect->top);
    DeleteBitmap(hCell);
}

/* ---- Holders ---------------------------------------------------------------------------- */

tagBUTTONINFO *FindHolder(tagBUTTONINFO *pbiList, int fFunction)
{
    if (pbiList == NULL)
        return NULL;
    while (pbiList->pbiLast != NULL)
        pbiList = pbiList->pbiLast;
    for (; pbiList != NULL; pbiList = pbiList->pbiNext)
        if (pbiList->fFunction == fFunction)
            return pbiList;
    return NULL;
}

void SetFunction(HWND hDlg, const tagFAMILY *pFamily, tagBUTTONINFO *pbiList)
{
    tagBUTTONINFO *pbiHolder = FindHolder(pbiList, pFamily->fFunction);
    if (pbiHolder == NULL)
        return;
    EnableWindow(GetDlgItem(hDlg, IDC_SET_VALUES),
                 pbiHolder->pszPrimary != NULL || pbiHolder->pszExtra1 != NULL);
    /* Only a holder that holds the button's own data fills the editable controls. */
    pFamily->pfnSet(hDlg, pbiHolder, (Editor()->bEmpty & (1 << pFamily->fFunction)) == 0);
}

void GetFunction(HWND hDlg, const tagFAMILY *pFamily, tagBUTTONINFO *pbiList)
{
    tagBUTTONINFO *pbiHolder = FindHolder(pbiList, pFamily->fFunction);
    if (pbiHolder == NULL)
        return;
    pFamily->pfnGet(hDlg, pbiHolder);
    tagEDITOR *pEditor = Editor();
    pEditor->bFamilyConfirmed = TRUE;
    pEditor->bEmpty = (BYTE)~(1 << pFamily->fFunction);
    /* An empty name leaves the button unassigned; a media holder is named by its function. */
    LPCSTR lpszName = pFamily->fFunction == MULTIMEDIA ? pbiHolder->pszExtra1 : pbiHolder->pszPrimary;
    if (lpszName != NULL && *lpszName == '\0')
        pEditor->fCurrentFunction = NO_FUNCTION;
}

void CopyDefaultData(HWND hWnd, const tagFAMILY *pFamily, tagBUTTONINFO *pbiList)
{
    tagBUTTONINFO *pbiHolder = FindHolder(pbiList, pFamily->fFunction);
    if (pFamily->pfnSetValues != NULL && pbiHolder != NULL)
        pFamily->pfnSetValues(hWnd, pbiHolder);
}

void SetEncoded(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent)
{
    (void)bCurrent;
    SetDlgItemTextA(hDlg, IDC_ENCODED, pbiHolder->pszPrimary != NULL ? pbiHolder->pszPrimary : "");
}

void GetEncoded(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    DlgItemToString(hDlg, IDC_ENCODED, &pbiHolder->pszPrimary);
}

/* ---- The frame of the family dialogs ---------------------------------------------------- */

static const tagFAMILY *DialogFamily(HWND hDlg)
{
    return (const tagFAMILY *)GetWindowLongPtrA(hDlg, DWLP_USER);
}

/* Where a family dialog shows its picture, in client coordinates; empty without one. */
static void GetPictureRect(HWND hDlg, const tagFAMILY *pFamily, RECT *prPicture)
{
    SetRectEmpty(prPicture);
    BITMAP bm;
    if (pFamily == NULL || frame.hStrip == NULL || GetObjectA(frame.hStrip, sizeof(bm), &bm) == 0)
        return;
    RECT rClient;
    GetClientRect(hDlg, &rClient);
    int iCaption = GetSystemMetrics(SM_CYCAPTION);
    int iTop = pFamily->iPictureDivisor != 0
             ? (rClient.bottom - bm.bmHeight) / pFamily->iPictureDivisor : iCaption;
    SetRect(prPicture, iCaption, iTop, iCaption + BUTTON_CELL_WIDTH, iTop + bm.bmHeight);
}

void FrameInitDialog(HWND hDlg, const tagFAMILY *pFamily)
{
    SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)pFamily);
    OpenFrame(hDlg, FALSE);
    SetFocus(GetDlgItem(hDlg, IDOK));
}

void FamilyInitDialog(HWND hDlg, const tagFAMILY *pFamily)
{
    FrameInitDialog(hDlg, pFamily);
    SetFunction(hDlg, pFamily, Editor()->pbiHolder);
    CenterWindow(hDlg);
}

void FamilyCommand(HWND hDlg, int iID)
{
    const tagFAMILY *pFamily = DialogFamily(hDlg);
    if (pFamily == NULL)
        return;
    switch (iID) {
    case IDOK:
        if (pFamily->pfnCheck != NULL && !pFamily->pfnCheck(hDlg))
            return;
        Editor()->fCurrentFunction = pFamily->fFunction;
        GetFunction(hDlg, pFamily, Editor()->pbiHolder);
        EndDialog(hDlg, 1);
        break;
    case IDCANCEL:
        EndDialog(hDlg, 1);
        break;
    case IDC_HELPBUTTON:
        Help(hDlg, pFamily->uHelpTopic, TRUE);
        break;
    case IDC_SET_VALUES:
        CopyDefaultData(hDlg, pFamily, Editor()->pbiHolder);
        break;
    }
}

void FamilyOnPaint(HWND hDlg)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hDlg, &ps);
    RECT rPicture, rMeet;
    GetPictureRect(hDlg, DialogFamily(hDlg), &rPicture);
    if (IntersectRect(&rMeet, &rPicture, &ps.rcPaint)) {
        HPALETTE hOldPalette = NULL;
        if (frame.hStripPalette != NULL) {
            hOldPalette = SelectPalette(hDC, frame.hStripPalette, FALSE);
            RealizePalette(hDC);
        }
        DrawBitmap(hDC, frame.hStrip, &rPicture, DialogFamily(hDlg)->iPicture);
        if (hOldPalette != NULL)
            SelectPalette(hDC, hOldPalette, FALSE);
    }
    EndPaint(hDlg, &ps);
}

void FamilyOnDestroy(HWND hDlg)
{
    const tagFAMILY *pFamily = DialogFamily(hDlg);
    if (pFamily != NULL)
        Help(hDlg, pFamily->uHelpTopic, FALSE);
    CloseFrame();
}

HBRUSH FamilyOnCtlColor(HWND hDlg, HDC hDC, HWND hChild, int iType)
{
    (void)hDlg;
    (void)hChild;
    (void)iType;
    SetBkColor(hDC, EDITOR_GREY);
    return GreyBrush();
}

INT_PTR FamilyDlgMessage(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam,
                         const tagFAMILY *pFamily)
{
    switch (uiMessage) {
    case WM_INITDIALOG:
        FamilyInitDialog(hDlg, pFamily);
        return FALSE;   /* the frame has put the focus on OK */
        HANDLE_DLGMSG(hDlg, WM_DESTROY, FamilyOnDestroy);
        FAMILY_DLGMSGS(hDlg);
    }
    return FALSE;
}
