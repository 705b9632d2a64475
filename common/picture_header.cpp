/*
 * picture_header.cpp - the checks of a bitmap file's headers against the bytes read: a
 * picture file is installed data that a user can replace or damage, so every offset and
 * size in it is checked before GDI is given any of them. Pure: no file, registry or
 * device is touched, so the checks can be tested and fuzzed on their own.
 */
#include <windows.h>
#include <string.h>
#include "picture.h"

int GetPaletteSize(const BITMAPINFOHEADER *pbih)
{
    int iColours;
    switch (pbih->biBitCount) {
    case 1: iColours = 2; break;
    case 4: iColours = 16; break;
    case 8: iColours = 256; break;
    default: return 0;
    }
    /* A shorter colour table is stored as such; do not read past it. */
    if (pbih->biClrUsed != 0 && pbih->biClrUsed < (DWORD)iColours)
        iColours = (int)pbih->biClrUsed;
    return iColours;
}

const BYTE *FindBitmapBits(const BYTE *pbBlock, DWORD cbBlock, DWORD dwFileBitsOffset)
{
    const DWORD cbFileHeader = sizeof(BITMAPFILEHEADER);
    if (cbBlock < sizeof(BITMAPINFOHEADER))
        return NULL;
    BITMAPINFOHEADER bih;
    memcpy(&bih, pbBlock, sizeof(bih));
    if (bih.biSize < sizeof(BITMAPINFOHEADER) || bih.biSize > cbBlock || bih.biPlanes != 1)
        return NULL;
    /* The height's magnitude, taken unsigned: negating the most negative height would
       overflow. */
    DWORD dwHeight = bih.biHeight < 0 ? 0u - (DWORD)bih.biHeight : (DWORD)bih.biHeight;
    if (bih.biWidth <= 0 || bih.biWidth > 32767 || dwHeight == 0 || dwHeight > 32767)
        return NULL;
    LONG lHeight = (LONG)dwHeight;

    /* Only uncompressed rows: their size follows from the header, so it can be checked. */
    ULONGLONG cbTable = (ULONGLONG)GetPaletteSize(&bih) * sizeof(RGBQUAD);
    switch (bih.biBitCount) {
    case 1: case 4: case 8: case 24:
        if (bih.biCompression != BI_RGB)
            return NULL;
        break;
    case 16: case 32:
        if (bih.biCompression == BI_BITFIELDS)
            cbTable = 3 * sizeof(DWORD);
        else if (bih.biCompression != BI_RGB)
            return NULL;
        break;
    default:
        return NULL;
    }
    if (bih.biBitCount > 8 && bih.biClrUsed != 0)
        cbTable += (ULONGLONG)bih.biClrUsed * sizeof(RGBQUAD);
    if (bih.biSize + cbTable > cbBlock)
        return NULL;

    if (dwFileBitsOffset < cbFileHeader)
        return NULL;
    ULONGLONG ullBits = dwFileBitsOffset - cbFileHeader;
    ULONGLONG cbRow = (((ULONGLONG)bih.biWidth * bih.biBitCount + 31) / 32) * 4;
    if (ullBits + cbRow * (ULONGLONG)lHeight > cbBlock)
        return NULL;
    return pbBlock + ullBits;
}
