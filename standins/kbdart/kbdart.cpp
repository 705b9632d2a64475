/*
 * kbdart.cpp - draws "keyboard.bmp", the picture of the on-screen keyboard, from the key
 * rectangles that Brenvik carries, so that picture and layout cannot disagree. The file
 * holds two pictures side by side: the keyboard at rest, and 454 pixels further right the
 * same keyboard with every key pressed. Labels are not part of the picture: the keyboard
 * window draws them itself.
 *
 *   kbdart OUTPUT.bmp
 */
#include <windows.h>
#include <windowsx.h>
#include <stdio.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "virtk32.h"

/* The halves, the strip of the typed line and the key faces are the keyboard's own. */
static const int HALF_WIDTH = PRESSED_PICTURE_OFFSET;
static const int MARGIN = rKeyArea.left;  /* around the keys, as the key area has it */
static const RECT rStrip = rDisplayStrip;
static const COLORREF crFace = crKeyFace;
static const COLORREF crWhite = RGB(255, 255, 255);
static const COLORREF crBlack = RGB(0, 0, 0);
static const COLORREF crLight = RGB(232, 232, 232);
static const COLORREF crShade = RGB(128, 128, 128);
static const COLORREF crDeck = RGB(92, 102, 120);
static const COLORREF crDeckShadow = RGB(58, 64, 78);

/* The two-pixel bevel of a key cap: outer and inner ring, top-left and bottom-right. */
struct tagBEVEL {
    COLORREF crOuterTopLeft, crInnerTopLeft, crInnerBottomRight, crOuterBottomRight;
};
static const tagBEVEL bevelRaised = { crWhite, crLight, crShade, crBlack };
static const tagBEVEL bevelSunken = { crBlack, crShade, crLight, crWhite };

static void Fill(HDC hDC, RECT r, COLORREF crColour)
{
    HBRUSH hBrush = CreateSolidBrush(crColour);
    FillRect(hDC, &r, hBrush);
    DeleteBrush(hBrush);
}

static RECT Moved(RECT r, int dx, int dy)
{
    OffsetRect(&r, dx, dy);
    return r;
}

static void DrawCap(HDC hDC, RECT r, const tagBEVEL &bevel)
{
    Fill(hDC, r, crFace);
    DrawGFrame(hDC, r, 1, bevel.crOuterTopLeft, bevel.crOuterBottomRight);
    InflateRect(&r, -1, -1);
    DrawGFrame(hDC, r, 1, bevel.crInnerTopLeft, bevel.crInnerBottomRight);
}

/* The L-shaped Enter key: both parts as caps, then the seam between them removed so that
   one bevel runs round the whole shape. */
static void DrawEnterCap(HDC hDC, RECT rUpper, RECT rLower, const tagBEVEL &bevel)
{
    DrawCap(hDC, rUpper, bevel);
    DrawCap(hDC, rLower, bevel);
    int ySeam = rLower.top;
    Fill(hDC, { rUpper.left + 2, ySeam - 2, rUpper.right - 2, ySeam + 2 }, crFace);
    Fill(hDC, { rUpper.left, ySeam - 2, rUpper.left + 1, ySeam }, bevel.crOuterTopLeft);
    Fill(hDC, { rUpper.left + 1, ySeam - 2, rUpper.left + 2, ySeam }, bevel.crInnerTopLeft);
    Fill(hDC, { rUpper.right - 2, ySeam - 2, rUpper.right - 1, ySeam + 2 }, bevel.crInnerBottomRight);
    Fill(hDC, { rUpper.right - 1, ySeam - 2, rUpper.right, ySeam + 2 }, bevel.crOuterBottomRight);
}

/* One half of the picture at x offset iLeft: every key at rest or every key pressed. */
static void DrawKeyboard(HDC hDC, int iLeft, int iHeight, const RECT *lprKeys, int iKeys,
                         int iEnterUpper, int iEnterLower, BOOL bPressed)
{
    RECT rHalf = { iLeft, 0, iLeft + HALF_WIDTH, iHeight };
    Fill(hDC, rHalf, crFace);
    DrawGFrame(hDC, rHalf, 2, crWhite, crBlack);

    Fill(hDC, Moved(rStrip, iLeft, 0), crWhite);
    DrawGFrame(hDC, Moved(rStrip, iLeft, 0), 1, crBlack, crBlack);

    /* The deck the keys sit in, sunk into the case. */
    RECT rDeck = { iLeft + MARGIN - 8, rKeyArea.top - 8, iLeft + HALF_WIDTH - MARGIN + 8, iHeight - MARGIN + 8 };
    Fill(hDC, rDeck, crDeck);
    DrawGFrame(hDC, rDeck, 2, crShade, crWhite);

    /* Keys at rest cast a shadow on the deck; pressed keys sit flat on it. */
    if (!bPressed)
        for (int i = 0; i < iKeys; i++)
            Fill(hDC, Moved(lprKeys[i], iLeft + 2, 2), crDeckShadow);

    const tagBEVEL &bevel = bPressed ? bevelSunken : bevelRaised;
    for (int i = 0; i < iKeys; i++)
        if (i != iEnterUpper && i != iEnterLower)
            DrawCap(hDC, Moved(lprKeys[i], iLeft, 0), bevel);
    DrawEnterCap(hDC, Moved(lprKeys[iEnterUpper], iLeft, 0), Moved(lprKeys[iEnterLower], iLeft, 0), bevel);
}

static BOOL WriteBitmapFile(LPCSTR lpszPath, const BITMAPINFOHEADER *pbih, const void *pvBits)
{
    DWORD cbBits = pbih->biSizeImage;
    BITMAPFILEHEADER bmfh = {};
    bmfh.bfType = 0x4D42;
    bmfh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    bmfh.bfSize = bmfh.bfOffBits + cbBits;
    FILE *pFile = fopen(lpszPath, "wb");
    if (pFile == NULL)
        return FALSE;
    BOOL bOk = fwrite(&bmfh, sizeof(bmfh), 1, pFile) == 1 && fwrite(pbih, sizeof(*pbih), 1, pFile) == 1
               && fwrite(pvBits, cbBits, 1, pFile) == 1;
    return fclose(pFile) == 0 && bOk;
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: kbdart OUTPUT.bmp\n");
        return 2;
    }
    HGLOBAL hKeys = GetRCDataZendraRes(IDR_KEY_RECTS);
    const RECT *lprKeys = hKeys != NULL ? (const RECT *)LockResource(hKeys) : NULL;
    if (lprKeys == NULL) {
        fprintf(stderr, "kbdart: no key rectangles in Brenvik\n");
        return 1;
    }
    int iKeys = GetNumberOfItem(lprKeys) + 1;
    int iEnterUpper = GetIntRCData(IDR_KEY_INDEX, KI_ENTER_UPPER);
    int iEnterLower = GetIntRCData(IDR_KEY_INDEX, KI_ENTER_LOWER);
    int iHeight = 0;
    for (int i = 0; i < iKeys; i++)
        if (lprKeys[i].bottom + MARGIN > iHeight)
            iHeight = lprKeys[i].bottom + MARGIN;

    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = 2 * HALF_WIDTH;
    bih.biHeight = iHeight;               /* bottom-up, as files store it */
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = ((bih.biWidth * 3 + 3) & ~3) * iHeight;
    void *pvBits = NULL;
    HBITMAP hBitmap = CreateDIBSection(NULL, (const BITMAPINFO *)&bih, DIB_RGB_COLORS, &pvBits, NULL, 0);
    HDC hDC = CreateCompatibleDC(NULL);
    if (hBitmap == NULL || hDC == NULL) {
        fprintf(stderr, "kbdart: no drawing surface\n");
        return 1;
    }
    HBITMAP hOld = SelectBitmap(hDC, hBitmap);
    DrawKeyboard(hDC, 0, iHeight, lprKeys, iKeys, iEnterUpper, iEnterLower, FALSE);
    DrawKeyboard(hDC, HALF_WIDTH, iHeight, lprKeys, iKeys, iEnterUpper, iEnterLower, TRUE);
    GdiFlush();
    BOOL bOk = WriteBitmapFile(argv[1], &bih, pvBits);
    SelectBitmap(hDC, hOld);
    DeleteDC(hDC);
    DeleteBitmap(hBitmap);
    FreeResource(hKeys);
    if (!bOk) {
        fprintf(stderr, "kbdart: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
