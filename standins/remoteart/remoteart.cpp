/*
 * remoteart.cpp - draws the pictures of the button configuration from Brenvik's own
 * picture-button table, so that pictures and dialogs cannot disagree:
 *   "remote.bmp"  the remote in three panels 157 and 315 pixels apart: as shown, every
 *                 button highlighted, every button in its assigned look;
 *   "Button.bmp"  seven 80 x 80 pictures of the function families, in type order;
 *   "SRemote.bmp" the small remote of the function editor's help button.
 *
 *   remoteart FOLDER
 */
#include <windows.h>
#include <windowsx.h>
#include <math.h>
#include <stdio.h>
#include <string>
#include "but32.h"
#include "rem32_layout.h"

/* ---- Colours ------------------------------------------------------------------------- */

static const COLORREF crGrey = RGB(192, 192, 192);
static const COLORREF crWhite = RGB(255, 255, 255);
static const COLORREF crBlack = RGB(0, 0, 0);
static const COLORREF crBody = RGB(54, 58, 68);
static const COLORREF crBodyLight = RGB(104, 110, 126);
static const COLORREF crBodyDark = RGB(24, 26, 32);
static const COLORREF crPlate = RGB(70, 76, 90);
static const COLORREF crPrint = RGB(200, 206, 220);
static const COLORREF crGlow = RGB(255, 214, 0);
static const COLORREF crAssigned = RGB(96, 196, 110);

/* ---- The remote ------------------------------------------------------------------------ */

/* How a panel draws every button. */
enum { LOOK_SHOWN, LOOK_HIGHLIGHT, LOOK_ASSIGNED };

/* Face and label of each picture button, in table order. */
struct tagKEYFACE {
    COLORREF crFace;
    COLORREF crText;
    const char *pszLabel;
    BOOL bRound;            /* an oval button rather than a rounded key */
};
static const COLORREF crKey = RGB(214, 218, 226), crDarkKey = RGB(92, 98, 112);
static const tagKEYFACE kfButtons[PICTURE_BUTTONS] = {
    { crKey, crBlack, "0", FALSE }, { crKey, crBlack, "1", FALSE }, { crKey, crBlack, "2", FALSE },
    { crKey, crBlack, "3", FALSE }, { crKey, crBlack, "4", FALSE }, { crKey, crBlack, "5", FALSE },
    { crKey, crBlack, "6", FALSE }, { crKey, crBlack, "7", FALSE }, { crKey, crBlack, "8", FALSE },
    { crKey, crBlack, "9", FALSE },
    { crDarkKey, crWhite, "DSP", TRUE }, { crDarkKey, crWhite, "A/B", TRUE },
    { RGB(190, 60, 50), crWhite, "MUTE", TRUE },
    { crDarkKey, crWhite, "CH+", FALSE }, { crDarkKey, crWhite, "CH-", FALSE },
    { crDarkKey, crWhite, "VOL+", FALSE }, { crDarkKey, crWhite, "VOL-", FALSE },
    { RGB(60, 150, 70), crWhite, "", TRUE },         /* Play */
    { crDarkKey, crWhite, "", TRUE },                 /* Rewind */
    { crDarkKey, crWhite, "", TRUE },                 /* Fast forward */
    { crDarkKey, crWhite, "", TRUE },                 /* Stop */
    { RGB(200, 40, 40), crWhite, "", TRUE },          /* Record */
    { crDarkKey, crWhite, "", TRUE },                 /* Pause */
    { RGB(240, 200, 90), crBlack, "ENT", FALSE },
    { RGB(240, 200, 90), crBlack, "GO", TRUE },
    { RGB(120, 170, 230), crBlack, "SH", FALSE },
    { RGB(80, 130, 210), crWhite, "PC", FALSE }, { RGB(80, 130, 210), crWhite, "WEB", FALSE },
    { RGB(80, 130, 210), crWhite, "TEL", FALSE }, { RGB(80, 130, 210), crWhite, "DVD", FALSE },
    { RGB(80, 130, 210), crWhite, "CD", FALSE },
    { crDarkKey, crWhite, "L", TRUE }, { crDarkKey, crWhite, "R", TRUE },
    { RGB(40, 40, 40), RGB(255, 60, 40), "", TRUE },   /* the receiver's light */
    { crPlate, crPrint, "SPD", FALSE }, { crPlate, crPrint, "TRL", FALSE },
    { crPlate, crPrint, "ON", FALSE }, { crPlate, crPrint, "OFF", FALSE },
};
static COLORREF Mix(COLORREF cr1, COLORREF cr2, int iPercent2)
{
    int i1 = 100 - iPercent2;
    return RGB((GetRValue(cr1) * i1 + GetRValue(cr2) * iPercent2) / 100,
               (GetGValue(cr1) * i1 + GetGValue(cr2) * iPercent2) / 100,
               (GetBValue(cr1) * i1 + GetBValue(cr2) * iPercent2) / 100);
}

static void Shape(HDC hDC, RECT r, COLORREF crFill, COLORREF crLine, int iPen, BOOL bRound, int iCorner)
{
    HPEN hPen = iPen > 0 ? CreatePen(PS_SOLID, iPen, crLine) : (HPEN)GetStockObject(NULL_PEN);
    HBRUSH hBrush = CreateSolidBrush(crFill);
    HGDIOBJ hOldPen = SelectObject(hDC, hPen);
    HGDIOBJ hOldBrush = SelectObject(hDC, hBrush);
    if (bRound)
        Ellipse(hDC, r.left, r.top, r.right, r.bottom);
    else
        RoundRect(hDC, r.left, r.top, r.right, r.bottom, iCorner, iCorner);
    SelectObject(hDC, hOldPen);
    SelectObject(hDC, hOldBrush);
    DeleteObject(hBrush);
    if (iPen > 0)
        DeleteObject(hPen);
}

static void Label(HDC hDC, RECT r, const char *pszText, COLORREF cr, const char *pszFont, int iHeight, int iWeight)
{
    HFONT hFont = CreateFontA(-iHeight, 0, 0, 0, iWeight, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                              NONANTIALIASED_QUALITY, 0, pszFont);
    HFONT hOld = SelectFont(hDC, hFont);
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, cr);
    DrawTextA(hDC, pszText, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    SelectFont(hDC, hOld);
    DeleteFont(hFont);
}

static void Poly(HDC hDC, const POINT *ppt, int iCount, COLORREF crFill, COLORREF crLine);

/* A right- (iDir 1) or left-pointing (-1) triangle of half-height h centred at x, y. */
static void Triangle(HDC hDC, int x, int y, int h, int iDir, COLORREF cr)
{
    POINT pt[] = { { x - iDir * h * 3 / 4, y - h }, { x + iDir * h * 3 / 4, y }, { x - iDir * h * 3 / 4, y + h } };
    Poly(hDC, pt, 3, cr, cr);
}

/* The transport symbols and the receiver's light, drawn rather than lettered. */
static BOOL DrawSymbol(HDC hDC, int i, RECT r, COLORREF cr)
{
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    switch (i) {
    case FIRST_TRANSPORT:          /* Play */
        Triangle(hDC, x + 1, y, 5, 1, cr);
        return TRUE;
    case FIRST_TRANSPORT + 1:      /* Rewind */
        Triangle(hDC, x - 3, y, 4, -1, cr);
        Triangle(hDC, x + 3, y, 4, -1, cr);
        return TRUE;
    case FIRST_TRANSPORT + 2:      /* Fast forward */
        Triangle(hDC, x - 3, y, 4, 1, cr);
        Triangle(hDC, x + 3, y, 4, 1, cr);
        return TRUE;
    case FIRST_TRANSPORT + 3:      /* Stop */
        Shape(hDC, RECT{ x - 4, y - 4, x + 5, y + 5 }, cr, cr, 0, FALSE, 0);
        return TRUE;
    case FIRST_TRANSPORT + 4:      /* Record */
        Shape(hDC, RECT{ x - 5, y - 5, x + 6, y + 6 }, crWhite, crWhite, 0, TRUE, 0);
        return TRUE;
    case FIRST_TRANSPORT + 5:      /* Pause */
        Shape(hDC, RECT{ x - 4, y - 5, x - 1, y + 6 }, cr, cr, 0, FALSE, 0);
        Shape(hDC, RECT{ x + 2, y - 5, x + 5, y + 6 }, cr, cr, 0, FALSE, 0);
        return TRUE;
    case FIRST_HELP_AREA + 2:      /* the receiver's light */
        Shape(hDC, RECT{ x - 4, y - 4, x + 5, y + 5 }, RGB(255, 60, 40), RGB(120, 0, 0), 1, TRUE, 0);
        return TRUE;
    }
    return FALSE;
}

/* One button in one look. The table rectangle is its outer edge, right and bottom
   included, so the drawn key fills it exactly. */
static void DrawKey(HDC hDC, int i, int iLook, BOOL bLabels)
{
    const tagKEYFACE &kf = kfButtons[i];
    RECT r = rButtons[i];
    r.right += 1;
    r.bottom += 1;
    BOOL bFlat = i >= FIRST_HELP_AREA + 3;   /* printed switches of the base plate */
    COLORREF crFace = kf.crFace;
    if (iLook == LOOK_HIGHLIGHT)
        crFace = Mix(crFace, crWhite, 45);
    else if (iLook == LOOK_ASSIGNED)
        crFace = Mix(crFace, crAssigned, 70);
    /* Shadow, face, and a light top edge that gives the key its height. */
    if (!bFlat) {
        RECT rShadow = { r.left + 1, r.top + 1, r.right, r.bottom };
        Shape(hDC, rShadow, crBodyDark, crBodyDark, 0, kf.bRound, 8);
    }
    RECT rFace = r;
    rFace.right -= bFlat ? 0 : 1;
    rFace.bottom -= bFlat ? 0 : 1;
    COLORREF crRim = iLook == LOOK_HIGHLIGHT ? crGlow : Mix(crFace, crBlack, 45);
    Shape(hDC, rFace, crFace, crRim, iLook == LOOK_HIGHLIGHT ? 2 : 1, kf.bRound, 8);
    if (!bFlat && !kf.bRound) {
        RECT rShine = rFace;
        InflateRect(&rShine, -3, -3);
        rShine.bottom = rShine.top + (rShine.bottom - rShine.top) / 3;
        Shape(hDC, rShine, Mix(crFace, crWhite, 35), crFace, 0, FALSE, 4);
    }
    COLORREF crText = iLook == LOOK_ASSIGNED && kf.crText == crWhite ? RGB(10, 40, 10) : kf.crText;
    if (!DrawSymbol(hDC, i, rFace, crText) && bLabels)
        Label(hDC, rFace, kf.pszLabel, crText, "DejaVu Sans Condensed", strlen(kf.pszLabel) > 2 ? 8 : 11, FW_BOLD);
}

/* The case of the remote: a rounded body with a lit rim, a darker plate behind the
   keys, the receiver window at the top and the maker's line at the bottom. */
static void DrawBody(HDC hDC, int iHeight, BOOL bLabels)
{
    RECT rAll = { 0, 0, PANEL_WIDTH, iHeight };
    HBRUSH hGrey = CreateSolidBrush(crGrey);
    FillRect(hDC, &rAll, hGrey);
    DeleteObject(hGrey);
    RECT rCase = { 3, 4, 147, iHeight - 3 };
    RECT rShadow = rCase;
    OffsetRect(&rShadow, 2, 2);
    Shape(hDC, rShadow, RGB(128, 128, 128), RGB(128, 128, 128), 0, FALSE, 46);
    Shape(hDC, rCase, crBody, crBodyLight, 2, FALSE, 44);
    RECT rEye = { 44, 10, 106, 30 };
    Shape(hDC, rEye, RGB(30, 10, 14), RGB(90, 30, 40), 1, FALSE, 18);
    RECT rPlate = { 18, 138, 130, 262 };
    Shape(hDC, rPlate, crPlate, crBodyDark, 1, FALSE, 14);
    RECT rTransport = { 14, 352, 141, 487 };
    Shape(hDC, rTransport, crPlate, crBodyDark, 1, FALSE, 30);
    if (bLabels) {
        RECT rName = { 3, 486, 147, iHeight - 4 };
        Label(hDC, rName, "ORVANE", crPrint, "DejaVu Sans Condensed", 8, FW_BOLD);
        RECT rVolume = { 9, 256, 48, 266 };
        Label(hDC, rVolume, "VOLUME", crPrint, "DejaVu Sans Condensed", 7, FW_NORMAL);
        RECT rChannel = { 99, 256, 138, 266 };
        Label(hDC, rChannel, "CHANNEL", crPrint, "DejaVu Sans Condensed", 7, FW_NORMAL);
    }
}

/* One panel: the body and every button in the panel's look. */
static void DrawRemote(HDC hDC, int iHeight, int iLook, BOOL bLabels)
{
    DrawBody(hDC, iHeight, bLabels);
    for (int i = 0; i < PICTURE_BUTTONS; i++)
        DrawKey(hDC, i, iLook, bLabels);
}

/* ---- Family pictures (80 x 80 cells) -------------------------------------------------- */

static void Poly(HDC hDC, const POINT *ppt, int iCount, COLORREF crFill, COLORREF crLine)
{
    HPEN hPen = CreatePen(PS_SOLID, 1, crLine);
    HBRUSH hBrush = CreateSolidBrush(crFill);
    HGDIOBJ hOldPen = SelectObject(hDC, hPen);
    HGDIOBJ hOldBrush = SelectObject(hDC, hBrush);
    Polygon(hDC, ppt, iCount);
    SelectObject(hDC, hOldPen);
    SelectObject(hDC, hOldBrush);
    DeleteObject(hBrush);
    DeleteObject(hPen);
}

static void Line(HDC hDC, int x0, int y0, int x1, int y1, COLORREF cr, int iWidth)
{
    HPEN hPen = CreatePen(PS_SOLID, iWidth, cr);
    HGDIOBJ hOld = SelectObject(hDC, hPen);
    MoveToEx(hDC, x0, y0, NULL);
    LineTo(hDC, x1, y1);
    SelectObject(hDC, hOld);
    DeleteObject(hPen);
}

static RECT Box(int x, int l, int t, int r, int b)
{
    return RECT{ x + l, t, x + r, b };
}

/* A program window with a rocket leaving it. */
static void DrawLaunch(HDC hDC, int x)
{
    Shape(hDC, Box(x, 8, 20, 60, 70), crWhite, crBlack, 1, FALSE, 0);
    Shape(hDC, Box(x, 8, 20, 60, 30), RGB(0, 0, 128), crBlack, 1, FALSE, 0);
    Shape(hDC, Box(x, 52, 22, 58, 28), crGrey, crBlack, 1, FALSE, 0);
    for (int y = 38; y <= 60; y += 8)
        Line(hDC, x + 14, y, x + 40, y, RGB(128, 128, 128), 2);
    POINT ptRocket[] = { { x + 72, 6 }, { x + 66, 28 }, { x + 50, 44 }, { x + 44, 38 }, { x + 60, 22 } };
    Poly(hDC, ptRocket, 5, RGB(220, 40, 30), crBlack);
    POINT ptFlame[] = { { x + 46, 42 }, { x + 36, 56 }, { x + 52, 46 } };
    Poly(hDC, ptFlame, 3, RGB(255, 200, 0), RGB(230, 120, 0));
    Shape(hDC, Box(x, 60, 16, 67, 23), RGB(120, 200, 255), crBlack, 1, TRUE, 0);
}

/* A globe. */
static void DrawWeb(HDC hDC, int x)
{
    Shape(hDC, Box(x, 10, 10, 70, 70), RGB(40, 120, 220), RGB(0, 40, 120), 2, TRUE, 0);
    POINT ptLand1[] = { { x + 22, 22 }, { x + 38, 18 }, { x + 42, 30 }, { x + 32, 40 }, { x + 34, 54 }, { x + 24, 50 }, { x + 18, 36 } };
    Poly(hDC, ptLand1, 7, RGB(60, 170, 70), RGB(30, 110, 40));
    POINT ptLand2[] = { { x + 48, 36 }, { x + 60, 32 }, { x + 64, 46 }, { x + 54, 62 }, { x + 46, 52 } };
    Poly(hDC, ptLand2, 5, RGB(60, 170, 70), RGB(30, 110, 40));
    HGDIOBJ hOldBrush = SelectObject(hDC, GetStockObject(NULL_BRUSH));
    HPEN hPen = CreatePen(PS_SOLID, 1, RGB(200, 230, 255));
    HGDIOBJ hOldPen = SelectObject(hDC, hPen);
    Ellipse(hDC, x + 26, 10, x + 54, 70);
    Ellipse(hDC, x + 10, 26, x + 70, 54);
    MoveToEx(hDC, x + 40, 10, NULL);
    LineTo(hDC, x + 40, 70);
    MoveToEx(hDC, x + 10, 40, NULL);
    LineTo(hDC, x + 70, 40);
    SelectObject(hDC, hOldPen);
    SelectObject(hDC, hOldBrush);
    DeleteObject(hPen);
}

/* A disc and a note. */
static void DrawMedia(HDC hDC, int x)
{
    Shape(hDC, Box(x, 6, 14, 62, 70), RGB(210, 214, 230), RGB(90, 90, 110), 1, TRUE, 0);
    Shape(hDC, Box(x, 14, 22, 54, 62), RGB(180, 200, 240), RGB(150, 170, 220), 1, TRUE, 0);
    Shape(hDC, Box(x, 26, 34, 42, 50), crGrey, RGB(90, 90, 110), 1, TRUE, 0);
    Shape(hDC, Box(x, 31, 39, 37, 45), crWhite, RGB(90, 90, 110), 1, TRUE, 0);
    Line(hDC, x + 68, 8, x + 68, 52, crBlack, 3);
    Line(hDC, x + 68, 8, x + 76, 18, crBlack, 3);
    Shape(hDC, Box(x, 56, 46, 70, 58), crBlack, crBlack, 1, TRUE, 0);
}

/* A page of text and a pencil. */
static void DrawEdit(HDC hDC, int x)
{
    POINT ptPage[] = { { x + 12, 8 }, { x + 48, 8 }, { x + 60, 20 }, { x + 60, 72 }, { x + 12, 72 } };
    Poly(hDC, ptPage, 5, crWhite, crBlack);
    POINT ptFold[] = { { x + 48, 8 }, { x + 48, 20 }, { x + 60, 20 } };
    Poly(hDC, ptFold, 3, RGB(220, 220, 220), crBlack);
    for (int y = 28; y <= 62; y += 8)
        Line(hDC, x + 18, y, x + (y == 62 ? 38 : 52), y, RGB(60, 60, 160), 2);
    POINT ptPencil[] = { { x + 70, 30 }, { x + 76, 36 }, { x + 46, 66 }, { x + 40, 60 } };
    Poly(hDC, ptPencil, 4, RGB(250, 200, 40), crBlack);
    POINT ptTip[] = { { x + 40, 60 }, { x + 46, 66 }, { x + 36, 70 } };
    Poly(hDC, ptTip, 3, RGB(240, 210, 160), crBlack);
}

/* A monitor with a cog. */
static void DrawSystem(HDC hDC, int x)
{
    Shape(hDC, Box(x, 6, 10, 74, 58), RGB(60, 60, 70), crBlack, 1, FALSE, 6);
    Shape(hDC, Box(x, 11, 15, 69, 52), RGB(0, 128, 128), crBlack, 1, FALSE, 0);
    Shape(hDC, Box(x, 30, 58, 50, 66), RGB(90, 90, 100), crBlack, 1, FALSE, 0);
    Shape(hDC, Box(x, 20, 66, 60, 72), RGB(90, 90, 100), crBlack, 1, FALSE, 4);
    POINT ptCog[16];
    for (int i = 0; i < 16; i++) {
        double dAngle = i * 3.14159265 / 8;
        int iRadius = i % 2 == 0 ? 15 : 10;
        ptCog[i].x = x + 40 + (int)lround(iRadius * cos(dAngle));
        ptCog[i].y = 33 + (int)lround(iRadius * sin(dAngle));
    }
    Poly(hDC, ptCog, 16, RGB(230, 230, 230), crBlack);
    Shape(hDC, Box(x, 35, 28, 46, 39), RGB(0, 128, 128), crBlack, 1, TRUE, 0);
}

/* An envelope. */
static void DrawMessage(HDC hDC, int x)
{
    Shape(hDC, Box(x, 8, 20, 72, 62), RGB(250, 246, 220), crBlack, 1, FALSE, 0);
    POINT ptFlap[] = { { x + 8, 20 }, { x + 40, 46 }, { x + 71, 20 } };
    Poly(hDC, ptFlap, 3, RGB(235, 228, 190), crBlack);
    Line(hDC, x + 8, 61, x + 32, 40, crBlack, 1);
    Line(hDC, x + 71, 61, x + 48, 40, crBlack, 1);
    Shape(hDC, Box(x, 56, 8, 76, 28), RGB(220, 40, 30), RGB(140, 20, 10), 1, TRUE, 0);
    Label(hDC, Box(x, 56, 8, 76, 28), "!", crWhite, "DejaVu Sans Condensed", 14, FW_BOLD);
}

/* A house with a lit bulb. */
static void DrawHome(HDC hDC, int x)
{
    POINT ptRoof[] = { { x + 4, 38 }, { x + 36, 10 }, { x + 68, 38 } };
    Poly(hDC, ptRoof, 3, RGB(180, 50, 40), crBlack);
    Shape(hDC, Box(x, 12, 37, 61, 72), RGB(240, 225, 190), crBlack, 1, FALSE, 0);
    Shape(hDC, Box(x, 20, 48, 32, 72), RGB(120, 80, 40), crBlack, 1, FALSE, 0);
    Shape(hDC, Box(x, 40, 46, 54, 58), RGB(255, 240, 120), crBlack, 1, FALSE, 0);
    Shape(hDC, Box(x, 56, 6, 76, 26), RGB(255, 235, 60), RGB(200, 150, 0), 1, TRUE, 0);
    Shape(hDC, Box(x, 62, 25, 70, 31), RGB(150, 150, 150), crBlack, 1, FALSE, 0);
}

typedef void (*FAMILYPICTURE)(HDC hDC, int x);
/* In type order: launch, web, media, edit, system, message, home automation. */
static const FAMILYPICTURE pfnFamilies[FUNCTION_TYPES] = {
    DrawLaunch, DrawWeb, DrawMedia, DrawEdit, DrawSystem, DrawMessage, DrawHome
};
static const int CELL = 80;

/* ---- Files ------------------------------------------------------------------------------ */

/* A 24-bit drawing surface and the device context it is selected into. */
struct tagSURFACE {
    BITMAPINFOHEADER bih;
    void   *pvBits;
    HBITMAP hBitmap, hOld;
    HDC     hDC;
};

static BOOL OpenSurface(tagSURFACE *ps, int cx, int cy)
{
    *ps = {};
    ps->bih.biSize = sizeof(ps->bih);
    ps->bih.biWidth = cx;
    ps->bih.biHeight = cy;              /* bottom-up, as files store it */
    ps->bih.biPlanes = 1;
    ps->bih.biBitCount = 24;
    ps->bih.biCompression = BI_RGB;
    ps->bih.biSizeImage = ((cx * 3 + 3) & ~3) * cy;
    ps->hBitmap = CreateDIBSection(NULL, (const BITMAPINFO *)&ps->bih, DIB_RGB_COLORS, &ps->pvBits, NULL, 0);
    ps->hDC = CreateCompatibleDC(NULL);
    if (ps->hBitmap == NULL || ps->hDC == NULL)
        return FALSE;
    ps->hOld = SelectBitmap(ps->hDC, ps->hBitmap);
    RECT r = { 0, 0, cx, cy };
    HBRUSH hGrey = CreateSolidBrush(crGrey);
    FillRect(ps->hDC, &r, hGrey);
    DeleteObject(hGrey);
    return TRUE;
}

/* Writes the surface to FOLDER\NAME and releases it. */
static BOOL CloseSurface(tagSURFACE *ps, const std::string &strPath)
{
    GdiFlush();
    BITMAPFILEHEADER bmfh = {};
    bmfh.bfType = 0x4D42;
    bmfh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    bmfh.bfSize = bmfh.bfOffBits + ps->bih.biSizeImage;
    FILE *pFile = fopen(strPath.c_str(), "wb");
    BOOL bOk = pFile != NULL && fwrite(&bmfh, sizeof(bmfh), 1, pFile) == 1
               && fwrite(&ps->bih, sizeof(ps->bih), 1, pFile) == 1
               && fwrite(ps->pvBits, ps->bih.biSizeImage, 1, pFile) == 1;
    if (pFile != NULL && fclose(pFile) != 0)
        bOk = FALSE;
    SelectBitmap(ps->hDC, ps->hOld);
    DeleteDC(ps->hDC);
    DeleteBitmap(ps->hBitmap);
    if (!bOk)
        fprintf(stderr, "remoteart: cannot write %s\n", strPath.c_str());
    return bOk;
}

static const int REMOTE_HEIGHT = 500;   /* the lowest button ends at 481 */
static const int SMALL_WIDTH = 48, SMALL_HEIGHT = 184;

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: remoteart FOLDER\n");
        return 2;
    }
    std::string strFolder = std::string(argv[1]) + "\\";
    tagSURFACE s;

    /* The remote, three panels. */
    if (!OpenSurface(&s, PANEL_ASSIGNED + PANEL_WIDTH, REMOTE_HEIGHT))
        return 1;
    const int xPanels[3] = { 0, PANEL_HIGHLIGHT, PANEL_ASSIGNED };
    for (int iLook = LOOK_SHOWN; iLook <= LOOK_ASSIGNED; iLook++) {
        SetViewportOrgEx(s.hDC, xPanels[iLook], 0, NULL);
        DrawRemote(s.hDC, REMOTE_HEIGHT, iLook, TRUE);
    }
    SetViewportOrgEx(s.hDC, 0, 0, NULL);
    BOOL bOk = CloseSurface(&s, strFolder + "remote.bmp");

    /* The family pictures. */
    if (!OpenSurface(&s, CELL * FUNCTION_TYPES, CELL))
        return 1;
    for (int i = 0; i < FUNCTION_TYPES; i++)
        pfnFamilies[i](s.hDC, CELL * i);
    bOk = CloseSurface(&s, strFolder + "Button.bmp") && bOk;

    /* The small remote: the same drawing scaled down, without labels. */
    if (!OpenSurface(&s, SMALL_WIDTH, SMALL_HEIGHT))
        return 1;
    SetMapMode(s.hDC, MM_ANISOTROPIC);
    SetWindowExtEx(s.hDC, PANEL_WIDTH - 7, REMOTE_HEIGHT, NULL);
    SetViewportExtEx(s.hDC, SMALL_WIDTH, SMALL_HEIGHT, NULL);
    SetWindowOrgEx(s.hDC, 2, 0, NULL);
    DrawRemote(s.hDC, REMOTE_HEIGHT, LOOK_SHOWN, FALSE);
    SetMapMode(s.hDC, MM_TEXT);
    bOk = CloseSurface(&s, strFolder + "SRemote.bmp") && bOk;
    return bOk ? 0 : 1;
}
