/*
 * virtk32_draw.cpp - everything the on-screen keyboard draws over its picture: the key
 * labels (centred, shifted while a key is held down), the latch colours of the modifier
 * keys, the hover mark and the display strip with the typed line.
 */
#include <windows.h>
#include <windowsx.h>
#include <ctype.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "virtk32.h"

static const COLORREF crHover = RGB(0, 0, 123);
static const COLORREF crCapsLatched = RGB(0, 128, 0);
static const COLORREF crShiftLatched = RGB(128, 0, 0);
static const COLORREF crAltLatched = RGB(0, 0, 128);
static const COLORREF crCtrlLatched = RGB(128, 0, 128);
static const COLORREF crLatchedLabel = RGB(255, 255, 255);
static const COLORREF crAltChar = RGB(0, 0, 192);
static const COLORREF crCtrlChar = RGB(192, 0, 0);
static const COLORREF crBlack = RGB(0, 0, 0);
static const COLORREF crWhite = RGB(255, 255, 255);

static const char szLabelFace[] = "Arial True";

/* Word keys: offset from the first word key, label string, whether layout 0 uses another. */
struct tagWORDKEY {
    int  iOffset;
    UINT uiLabel;
    UINT uiLabelUS;      /* the label with the US layout (version 0) */
};

static const tagWORDKEY WordKeys[] = {
    { 0,  IDS_KEY_BACKSPACE, IDS_KEY_BACKSPACE },
    { 1,  IDS_KEY_TAB,       IDS_KEY_TAB },
    { 2,  IDS_KEY_ENTER,     IDS_KEY_ENTER },
    { 4,  IDS_KEY_CAPS,      IDS_KEY_CAPS },
    { 5,  IDS_KEY_SHIFT,     IDS_KEY_SHIFT },
    { 6,  IDS_KEY_SHIFT,     IDS_KEY_SHIFT },
    { 7,  IDS_KEY_CTRL,      IDS_KEY_CTRL },
    { 8,  IDS_KEY_CTRL,      IDS_KEY_CTRL },
    { 9,  IDS_KEY_ALT,       IDS_KEY_ALT },
    { 10, IDS_KEY_ALTGR,     IDS_KEY_ALT },   /* the US keyboard has a second Alt */
};

/* ---- Helpers ------------------------------------------------------------------------- */

RECT AlterRect(RECT rRect, int iBy)
{
    InflateRect(&rRect, -iBy, -iBy);
    return rRect;
}

HFONT CreateLabelFont(int iHeight)
{
    return CreateFontA(iHeight, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, szLabelFace);
}

/* Draws cch characters centred in rKey, moved by pOffset; opaque on the key face grey or
   transparent. The device context's colours and mode are left as they were. */
static void DrawKeyLabel(HDC hDC, const RECT *lprKey, LPCSTR lpszText, int cch, POINT pOffset,
                         COLORREF crText, BOOL bOpaque)
{
    SIZE size;
    GetTextExtentPoint32A(hDC, lpszText, cch, &size);
    int x = lprKey->left + pOffset.x + (lprKey->right - lprKey->left - size.cx) / 2;
    int y = lprKey->top + pOffset.y + (lprKey->bottom - lprKey->top - size.cy) / 2;
    COLORREF crOldText = SetTextColor(hDC, crText);
    COLORREF crOldBack = SetBkColor(hDC, crKeyFace);
    int iOldMode = SetBkMode(hDC, bOpaque ? OPAQUE : TRANSPARENT);
    TextOutA(hDC, x, y, lpszText, cch);
    SetBkMode(hDC, iOldMode);
    SetBkColor(hDC, crOldBack);
    SetTextColor(hDC, crOldText);
}

static void DrawKeyChar(HDC hDC, const RECT *lprKey, char cLabel, POINT pOffset)
{
    DrawKeyLabel(hDC, lprKey, &cLabel, 1, pOffset, crBlack, TRUE);
}

void FillButton(HDC hDC, const RECT *lprRect, COLORREF crColour)
{
    RECT rFill = AlterRect(*lprRect, 2);
    HBRUSH hBrush = CreateSolidBrush(crColour);
    FillRect(hDC, &rFill, hBrush);
    DeleteBrush(hBrush);
}

/* ---- Key labels ---------------------------------------------------------------------- */

void DrawCharacterKey(HDC hDC, const RECT *lprKey, LPCSTR lpszLabels, POINT pOffset, BYTE bState)
{
    if (lpszLabels == NULL)
        return;
    int iLastKey = GetNumberOfItem(lprKey);
    int iFirstSymbol = GetIntRCData(IDR_KEY_INDEX, KI_FIRST_SYMBOL);
    for (int i = 0; lpszLabels[i] != '\0' && i <= iLastKey; i++) {
        char cLabel = lpszLabels[i];
        if (i < iFirstSymbol && !(bState & KS_UPPER))
            cLabel = (char)tolower((unsigned char)cLabel);
        DrawKeyChar(hDC, &lprKey[i], cLabel, pOffset);
    }
}

void DrawToggleShiftKey(HDC hDC, const RECT *lprKey, LPCSTR lpszLabels, POINT pOffset, BYTE bState)
{
    if (lpszLabels == NULL)
        return;
    int iCount = GetIntRCData(IDR_KEY_INDEX, KI_SYMBOL_COUNT);
    int iFirst = GetIntRCData(IDR_KEY_INDEX, KI_FIRST_SYMBOL);
    int iLength = (int)strlen(lpszLabels);
    int iStart = (bState & KS_SHIFT) ? iCount : 0;
    int iLastKey = GetNumberOfItem(lprKey);
    for (int i = 0; i < iCount && iStart + i < iLength && iFirst + i <= iLastKey; i++)
        DrawKeyChar(hDC, &lprKey[iFirst + i], lpszLabels[iStart + i], pOffset);
}

/* The key that the n-th of iHalf AltGr labels goes on (layouts 0 and 1): consecutive keys,
   but the last label skips one. */
static int AltGrLabelKey(int n, int iHalf)
{
    int iFirst = GetIntRCData(IDR_KEY_INDEX, KI_FIRST_ALTGR);
    return n == iHalf - 1 ? iFirst + iHalf : iFirst + n;
}

/* The AltGr labels of the half that bState selects, each on the key keyOf gives. */
static void DrawAltLabels(HDC hDC, const RECT *lprKey, LPCSTR lpszLabels, POINT pOffset, BYTE bState,
                          BOOL bGerman)
{
    if (lpszLabels == NULL)
        return;
    int iHalf = (int)strlen(lpszLabels) / 2;
    LPCSTR lpszHalf = lpszLabels + ((bState & KS_ALTGR) ? iHalf : 0);
    int iLastKey = GetNumberOfItem(lprKey);
    HBRUSH hBrush = CreateSolidBrush(crKeyFace);
    for (int n = 0; n < iHalf; n++) {
        int iKey = bGerman ? GetIntRCData(IDR_KEY_ALTGR_KEYS, n) : AltGrLabelKey(n, iHalf);
        if (iKey < 0 || iKey > iLastKey)
            continue;
        char cLabel = lpszHalf[n];
        if (bGerman && (iKey == 0 || iKey == 25) && !(bState & (KS_ALTGR | KS_UPPER)))
            cLabel = (char)tolower((unsigned char)cLabel);
        RECT rFace = AlterRect(lprKey[iKey], 5);
        FillRect(hDC, &rFace, hBrush);
        DrawKeyChar(hDC, &lprKey[iKey], cLabel, pOffset);
    }
    DeleteBrush(hBrush);
}

void DrawToggleAltKey(HDC hDC, const RECT *lprKey, LPCSTR lpszLabels, POINT pOffset, BYTE bState)
{
    DrawAltLabels(hDC, lprKey, lpszLabels, pOffset, bState, FALSE);
}

void DrawToggleAltKeyGerman(HDC hDC, const RECT *lprKey, LPCSTR lpszLabels, POINT pOffset, BYTE bState)
{
    DrawAltLabels(hDC, lprKey, lpszLabels, pOffset, bState, TRUE);
}

/* The latch colour of a modifier key, or FALSE when the key is not latched. */
static BOOL GetLatchColour(int iKey, BYTE bState, COLORREF *lpcrFill)
{
    int iCaps = GetIntRCData(IDR_KEY_INDEX, KI_CAPS);
    int iShift = GetIntRCData(IDR_KEY_INDEX, KI_SHIFT);
    int iCtrl = GetIntRCData(IDR_KEY_INDEX, KI_CTRL);
    int iAlt = GetIntRCData(IDR_KEY_INDEX, KI_ALT);
    if (iKey == iCaps && (bState & KS_CAPS))
        *lpcrFill = crCapsLatched;
    else if ((iKey == iShift || iKey == iShift + 1) && (bState & KS_SHIFT))
        *lpcrFill = crShiftLatched;
    else if ((iKey == iAlt && (bState & KS_ALT)) || (iKey == iAlt + 1 && (bState & KS_ALTGR)))
        *lpcrFill = crAltLatched;
    else if ((iKey == iCtrl || iKey == iCtrl + 1) && (bState & KS_CTRL))
        *lpcrFill = crCtrlLatched;
    else
        return FALSE;
    return TRUE;
}

void DrawWordKey(HDC hDC, const RECT *lprKey, int iKey, LPCSTR lpszLabel, POINT pOffset, BYTE bState)
{
    COLORREF crText = crBlack;
    COLORREF crFill;
    if (GetLatchColour(iKey, bState, &crFill)) {
        FillButton(hDC, &lprKey[iKey], crFill);
        crText = crLatchedLabel;
    }
    DrawKeyLabel(hDC, &lprKey[iKey], lpszLabel, (int)strlen(lpszLabel), pOffset, crText, FALSE);
}

void DrawAllWordKey(HDC hDC, const RECT *lprKey, POINT pOffset, BYTE bState)
{
    int iFirstWord = GetIntRCData(IDR_KEY_INDEX, KI_FIRST_WORD);
    int iLastKey = GetNumberOfItem(lprKey);
    for (const tagWORDKEY &wk : WordKeys) {
        char szLabel[9];
        UINT uiLabel = iVersion == LAYOUT_US ? wk.uiLabelUS : wk.uiLabel;
        int iKey = iFirstWord + wk.iOffset;
        if (iKey <= iLastKey && GetStringRes(uiLabel, szLabel, sizeof(szLabel)) > 0)
            DrawWordKey(hDC, lprKey, iKey, szLabel, pOffset, bState);
    }
}

/* ---- Hover mark ---------------------------------------------------------------------- */

static BOOL IsEnterKey(int iKey)
{
    return iKey == GetIntRCData(IDR_KEY_INDEX, KI_ENTER_UPPER)
        || iKey == GetIntRCData(IDR_KEY_INDEX, KI_ENTER_LOWER);
}

void MakeBoarder(const RECT *lprKey, POINT aptBorder[7])
{
    const RECT &U = lprKey[GetIntRCData(IDR_KEY_INDEX, KI_ENTER_UPPER)];
    const RECT &L = lprKey[GetIntRCData(IDR_KEY_INDEX, KI_ENTER_LOWER)];
    const POINT apt[7] = {
        { L.left + 2, L.top + 2 }, { U.left + 2, L.top + 2 }, { U.left + 2, U.top + 2 },
        { U.right - 2, U.top + 2 }, { L.right - 2, L.bottom - 2 }, { L.left + 2, L.bottom - 2 },
        { L.left + 2, L.top + 2 },
    };
    memcpy(aptBorder, apt, sizeof(apt));
}

void DrawBoarder(HDC hDC, const POINT aptBorder[7])
{
    HPEN hPen = CreatePen(PS_SOLID, 2, crHover);
    HPEN hOldPen = SelectPen(hDC, hPen);
    Polyline(hDC, aptBorder, 7);
    SelectPen(hDC, hOldPen);
    DeletePen(hPen);
}

void HighLightKey(HWND hWnd, const RECT *lprKey, int iKey)
{
    HDC hDC = GetDC(hWnd);
    if (IsEnterKey(iKey)) {
        POINT aptBorder[7];
        MakeBoarder(lprKey, aptBorder);
        DrawBoarder(hDC, aptBorder);
    } else {
        DrawGFrame(hDC, lprKey[iKey], 2, crHover, crHover);
    }
    ReleaseDC(hWnd, hDC);
}

void InvalidateKey(HWND hWnd, const RECT *lprKey, int iKey, BOOL bUpdate)
{
    if (IsEnterKey(iKey)) {
        InvalidateRect(hWnd, &lprKey[GetIntRCData(IDR_KEY_INDEX, KI_ENTER_UPPER)], FALSE);
        InvalidateRect(hWnd, &lprKey[GetIntRCData(IDR_KEY_INDEX, KI_ENTER_LOWER)], FALSE);
    } else {
        InvalidateRect(hWnd, &lprKey[iKey], FALSE);
    }
    if (bUpdate)
        UpdateWindow(hWnd);
}

void UnHighLightKey(HWND hWnd, const RECT *lprKey, int iKey)
{
    InvalidateKey(hWnd, lprKey, iKey, FALSE);
}

/* ---- Redrawing groups of keys --------------------------------------------------------- */

static void ReDrawKeys(HWND hWnd, const RECT *lprKey, int iFirst, int iCount)
{
    int iLastKey = GetNumberOfItem(lprKey);
    for (int i = iFirst; i < iFirst + iCount && i <= iLastKey; i++)
        if (i >= 0)
            InvalidateKey(hWnd, lprKey, i, TRUE);
}

void ReDrawCharacterKey(HWND hWnd, const RECT *lprKey)
{
    ReDrawKeys(hWnd, lprKey, 0, GetIntRCData(IDR_KEY_INDEX, KI_FIRST_SYMBOL));
}

void ReDrawShiftKey(HWND hWnd, const RECT *lprKey)
{
    ReDrawKeys(hWnd, lprKey, GetIntRCData(IDR_KEY_INDEX, KI_FIRST_SYMBOL),
               GetIntRCData(IDR_KEY_INDEX, KI_SYMBOL_COUNT));
}

void ReDrawAltKey(HWND hWnd, const RECT *lprKey, LPCSTR lpszAltLabels)
{
    if (lpszAltLabels == NULL)
        return;
    int iHalf = (int)strlen(lpszAltLabels) / 2;
    for (int n = 0; n < iHalf; n++)
        ReDrawKeys(hWnd, lprKey, AltGrLabelKey(n, iHalf), 1);
}

void ReDrawAltKeyGerman(HWND hWnd, const RECT *lprKey, LPCSTR lpszAltLabels)
{
    if (lpszAltLabels == NULL)
        return;
    int iHalf = (int)strlen(lpszAltLabels) / 2;
    for (int n = 0; n < iHalf; n++)
        ReDrawKeys(hWnd, lprKey, GetIntRCData(IDR_KEY_ALTGR_KEYS, n), 1);
}

/* ---- Display strip ------------------------------------------------------------------- */

COLORREF GetCharacterColour(BYTE bFlag)
{
    if (bFlag & CF_ALT)
        return crAltChar;
    if (bFlag & CF_CTRL)
        return crCtrlChar;
    return crBlack;
}

int GetFirstCharacter(HDC hDC, LPCSTR lpszString, int iWidth)
{
    int iLength = (int)strlen(lpszString);
    for (int i = 0; i < iLength; i++) {
        SIZE size;
        GetTextExtentPoint32A(hDC, lpszString + i, iLength - i, &size);
        if (size.cx <= iWidth)
            return i;
    }
    return 0;
}

void DrawTextToDisplay(HDC hDC, const RECT *lprRect, LPCSTR lpszText, const tagCHARBUFFER *lpcCells)
{
    int iLength = (int)strlen(lpszText);
    if (iLength == 0)
        return;
    SIZE size;
    GetTextExtentPoint32A(hDC, lpszText, iLength, &size);
    int x = lprRect->right - size.cx - 2;
    int y = lprRect->top + 3;
    int iOldMode = SetBkMode(hDC, TRANSPARENT);
    COLORREF crOldText = GetTextColor(hDC);
    for (int i = 0; i < iLength; i++) {
        SetTextColor(hDC, GetCharacterColour(lpcCells[i].data.bFlag));
        TextOutA(hDC, x, y, &lpszText[i], 1);
        SIZE sizeChar;
        GetTextExtentPoint32A(hDC, &lpszText[i], 1, &sizeChar);
        x += sizeChar.cx;
    }
    SetTextColor(hDC, crOldText);
    SetBkMode(hDC, iOldMode);
}

void DrawDisplay(HWND hWnd, const RECT *lprRect, const tagCHARBUFFER *lpcBuffer)
{
    HDC hDC = GetDC(hWnd);
    HDC hMemDC = CreateCompatibleDC(hDC);
    HBITMAP hCompose = CreateCompatibleBitmap(hDC, lprRect->right, lprRect->bottom);
    HBITMAP hOldBitmap = SelectBitmap(hMemDC, hCompose);

    RECT rArea = { 0, 0, lprRect->right, lprRect->bottom };
    HBRUSH hFace = CreateSolidBrush(crKeyFace);
    FillRect(hMemDC, &rArea, hFace);
    DeleteBrush(hFace);
    FillRect(hMemDC, lprRect, GetStockBrush(WHITE_BRUSH));
    DrawGFrame(hMemDC, *lprRect, 1, crBlack, crBlack);
    RECT rClient;
    GetClientRect(hWnd, &rClient);
    DrawGFrame(hMemDC, rClient, 2, crWhite, crBlack);

    char szLine[CHARBUFFER_CELLS + 1];
    CreateSingleString(lpcBuffer, szLine);
    HFONT hStripFont = CreateLabelFont((lprRect->bottom - lprRect->top) * 8 / 10);
    HFONT hOldFont = SelectFont(hMemDC, hStripFont);
    int iFirst = GetFirstCharacter(hMemDC, szLine, lprRect->right - lprRect->left);
    DrawTextToDisplay(hMemDC, lprRect, szLine + iFirst, lpcBuffer + iFirst);
    SelectFont(hMemDC, hOldFont);
    DeleteFont(hStripFont);

    BitBlt(hDC, 0, 0, lprRect->right, lprRect->bottom, hMemDC, 0, 0, SRCCOPY);
    SelectBitmap(hMemDC, hOldBitmap);
    DeleteBitmap(hCompose);
    DeleteDC(hMemDC);
    ReleaseDC(hWnd, hDC);
}
