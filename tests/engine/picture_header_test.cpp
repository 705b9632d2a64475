/*
 * picture_header_test.cpp - the picture loader's header checks built to stop at the first
 * signed overflow (OrvaneCommonChecked): sizes at the ends of their ranges are refused
 * without any arithmetic going wrong on the way.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <limits.h>
#include <string.h>
#include <vector>
#include "picture.h"

/* An information header of a 24-bit picture and its rows, as they follow the file header. */
static std::vector<BYTE> Block(LONG lWidth, LONG lHeight, DWORD cbRows)
{
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = lWidth;
    bih.biHeight = lHeight;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    std::vector<BYTE> block(sizeof(bih) + cbRows, 0);
    memcpy(block.data(), &bih, sizeof(bih));
    return block;
}

static const BYTE *Bits(const std::vector<BYTE> &block)
{
    return FindBitmapBits(block.data(), (DWORD)block.size(),
                          sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
}

TEST(PictureHeader, HeightsAtTheEndsOfTheirRangeAreRefusedSafely)
{
    /* Sound pictures stored bottom-up and top-down. */
    std::vector<BYTE> block = Block(2, 3, 3 * 8);
    EXPECT_EQ(Bits(block), block.data() + sizeof(BITMAPINFOHEADER));
    block = Block(2, -3, 3 * 8);
    EXPECT_EQ(Bits(block), block.data() + sizeof(BITMAPINFOHEADER));

    /* The most negative height has no positive counterpart; its neighbours are too tall. */
    for (LONG lHeight : { (LONG)INT_MIN, (LONG)INT_MIN + 1, (LONG)INT_MAX, (LONG)-32768, (LONG)0 }) {
        block = Block(2, lHeight, 3 * 8);
        EXPECT_EQ(Bits(block), nullptr) << lHeight;
    }
    block = Block(INT_MIN, 3, 3 * 8);
    EXPECT_EQ(Bits(block), nullptr);
}
