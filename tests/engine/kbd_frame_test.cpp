/*
 * kbd_frame_test.cpp - the bevelled frame drawn into a memory bitmap: which colour lands
 * on the edges, the diagonal corners and the untouched inside.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include "frame.h"

namespace {

const COLORREF crLight = RGB(255, 255, 255);
const COLORREF crDark = RGB(0, 0, 0);
const COLORREF crBack = RGB(192, 192, 192);

/* A 32-bit memory canvas filled with the background grey. */
struct Canvas {
    HDC hDC;
    HBITMAP hBitmap;
    HGDIOBJ hOld;
    Canvas(int iWidth, int iHeight)
    {
        HDC hScreen = GetDC(NULL);
        hDC = CreateCompatibleDC(hScreen);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = iWidth;
        bmi.bmiHeader.biHeight = -iHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void *pvBits = NULL;
        hBitmap = CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pvBits, NULL, 0);
        ReleaseDC(NULL, hScreen);
        hOld = SelectObject(hDC, hBitmap);
        RECT r = { 0, 0, iWidth, iHeight };
        HBRUSH hBrush = CreateSolidBrush(crBack);
        FillRect(hDC, &r, hBrush);
        DeleteObject(hBrush);
    }
    ~Canvas()
    {
        SelectObject(hDC, hOld);
        DeleteObject(hBitmap);
        DeleteDC(hDC);
    }
    COLORREF At(int x, int y) { return GetPixel(hDC, x, y); }
};

TEST(KbdFrame, TwoPixelFrameHasLightTopLeftAndDarkBottomRight)
{
    Canvas canvas(40, 30);
    RECT r = { 5, 5, 25, 20 };
    DrawGFrame(canvas.hDC, r, 2, crLight, crDark);

    EXPECT_EQ(canvas.At(10, 5), crLight);   /* top edge, both rows */
    EXPECT_EQ(canvas.At(10, 6), crLight);
    EXPECT_EQ(canvas.At(5, 12), crLight);   /* left edge, both columns */
    EXPECT_EQ(canvas.At(6, 12), crLight);
    EXPECT_EQ(canvas.At(10, 19), crDark);   /* bottom edge */
    EXPECT_EQ(canvas.At(10, 18), crDark);
    EXPECT_EQ(canvas.At(24, 12), crDark);   /* right edge */
    EXPECT_EQ(canvas.At(23, 12), crDark);
    EXPECT_EQ(canvas.At(10, 12), crBack);   /* inside untouched */
    EXPECT_EQ(canvas.At(4, 4), crBack);     /* outside untouched */
    EXPECT_EQ(canvas.At(25, 20), crBack);
    EXPECT_EQ(canvas.At(25, 12), crBack);   /* right and bottom are exclusive */
    EXPECT_EQ(canvas.At(10, 20), crBack);
}

TEST(KbdFrame, CornersMeetOnTheDiagonal)
{
    Canvas canvas(40, 30);
    RECT r = { 5, 5, 25, 20 };
    DrawGFrame(canvas.hDC, r, 2, crLight, crDark);

    /* Top right: the outer corner pixel belongs to the top edge, the one below to the right. */
    EXPECT_EQ(canvas.At(24, 5), crLight);
    EXPECT_EQ(canvas.At(24, 6), crDark);
    EXPECT_EQ(canvas.At(23, 6), crLight);
    EXPECT_EQ(canvas.At(23, 7), crDark);
    /* Bottom left: the outer column stays light to the bottom, the dark edge starts inside. */
    EXPECT_EQ(canvas.At(5, 19), crLight);
    EXPECT_EQ(canvas.At(6, 19), crDark);
    EXPECT_EQ(canvas.At(6, 18), crLight);
    EXPECT_EQ(canvas.At(7, 18), crDark);
}

TEST(KbdFrame, DegenerateEdgesDrawNothing)
{
    Canvas canvas(20, 20);
    RECT rFlat = { 2, 5, 18, 5 };
    DrawRectEdge(canvas.hDC, rFlat, 45, crDark, EDGE_TOP);
    RECT rSquare = { 2, 2, 18, 18 };
    DrawRectEdge(canvas.hDC, rSquare, 0, crDark, EDGE_TOP);
    DrawRectEdge(canvas.hDC, rSquare, 45, crDark, 0);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 20; x++)
            ASSERT_EQ(canvas.At(x, y), crBack) << x << "," << y;
}

TEST(KbdFrame, SteepAngleFillsTheWholeEdge)
{
    Canvas canvas(20, 20);
    RECT r = { 2, 2, 18, 6 };
    DrawRectEdge(canvas.hDC, r, 90, crDark, EDGE_TOP);
    EXPECT_EQ(canvas.At(2, 5), crDark);
    EXPECT_EQ(canvas.At(17, 5), crDark);
    EXPECT_EQ(canvas.At(18, 5), crBack);
}

}  // namespace
