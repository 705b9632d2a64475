/*
 * picture_fuzz.cpp - the picture loader's header checks under coverage-guided fuzzing. The
 * input is a whole bitmap file, handed over as the loader hands it: the block after the
 * file header, in a buffer of exactly its size. When the checks accept it, everything GDI
 * then reads (information header, colour table, every pixel row) lies inside the block.
 * A picture laid out as the format says, with the size and depth the input picks, is
 * accepted at its bits; cut one byte short it is refused.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <vector>
#include "picture.h"

static volatile BYTE bSeen;

/* Reads every byte of [pb, pb + cb) as GDI would. */
static void ReadAll(const BYTE *pb, ULONGLONG cb)
{
    BYTE bSum = 0;
    for (ULONGLONG i = 0; i < cb; i++)
        bSum ^= pb[i];
    bSeen = bSum;
}

static ULONGLONG RowSize(const BITMAPINFOHEADER &bih)
{
    return (((ULONGLONG)bih.biWidth * bih.biBitCount + 31) / 32) * 4;
}

static void CheckFile(const uint8_t *pbData, size_t cbData)
{
    if (cbData < sizeof(BITMAPFILEHEADER))
        return;
    BITMAPFILEHEADER bmfh;
    memcpy(&bmfh, pbData, sizeof(bmfh));
    DWORD cbBlock = (DWORD)(cbData - sizeof(bmfh));
    BYTE *pbBlock = (BYTE *)malloc(cbBlock != 0 ? cbBlock : 1);
    memcpy(pbBlock, pbData + sizeof(bmfh), cbBlock);
    const BYTE *pbBits = FindBitmapBits(pbBlock, cbBlock, bmfh.bfOffBits);
    if (pbBits != NULL) {
        BITMAPINFOHEADER bih;
        memcpy(&bih, pbBlock, sizeof(bih));
        /* The header, then the colours that the palette and GDI take (as many as are
           in use, at most what the depth has) or the three masks of the bit fields. */
        ULONGLONG cbTable = (ULONGLONG)GetPaletteSize(&bih) * sizeof(RGBQUAD);
        if (bih.biCompression == BI_BITFIELDS)
            cbTable = 3 * sizeof(DWORD);
        ReadAll(pbBlock, bih.biSize + cbTable);
        ReadAll(pbBits, RowSize(bih) * (ULONGLONG)(bih.biHeight < 0 ? -bih.biHeight : bih.biHeight));
    }
    free(pbBlock);
}

/* A sound picture of the size and depth that four input bytes pick. */
static void CheckSoundPicture(const uint8_t *pbData)
{
    static const WORD awBits[] = { 1, 4, 8, 16, 24, 32 };
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = 1 + pbData[0] % 97;
    bih.biHeight = (1 + pbData[1] % 67) * (pbData[2] & 1 ? -1 : 1);
    bih.biPlanes = 1;
    bih.biBitCount = awBits[pbData[3] % 6];
    bih.biCompression = (bih.biBitCount == 16 || bih.biBitCount == 32) && pbData[2] & 2 ? BI_BITFIELDS : BI_RGB;
    DWORD cbTable = bih.biBitCount <= 8 ? (1u << bih.biBitCount) * sizeof(RGBQUAD)
                  : bih.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
    DWORD dwRows = (DWORD)RowSize(bih) * (DWORD)(bih.biHeight < 0 ? -bih.biHeight : bih.biHeight);
    std::vector<BYTE> block(bih.biSize + cbTable + dwRows, 0x5A);
    memcpy(block.data(), &bih, sizeof(bih));
    DWORD dwOffset = sizeof(BITMAPFILEHEADER) + bih.biSize + cbTable;
    if (FindBitmapBits(block.data(), (DWORD)block.size(), dwOffset) != block.data() + bih.biSize + cbTable
        || FindBitmapBits(block.data(), (DWORD)block.size() - 1, dwOffset) != NULL)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pbData, size_t cbData)
{
    CheckFile(pbData, cbData);
    if (cbData >= 4)
        CheckSoundPicture(pbData);
    return 0;
}
