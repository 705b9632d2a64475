/*
 * kbd_logic_test.cpp - the on-screen keyboard's arithmetic on the delivered layout: key
 * lookup, the edge bands and hops of key-to-key navigation, the typed line and its
 * character translation, and the picture loader fed with damaged files.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <string>
#include <vector>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "virtk32.h"
#include "picture.h"
#include "OrvaneStore.h"
#include "testsupport.h"

namespace {

const char szSettings[] = ORVANE_SETTINGS_KEY;

/* Delivered key numbers. */
enum { KEY_Q = 0, KEY_T = 4, KEY_C = 21, KEY_G = 14, KEY_GRAVE = 26, KEY_1 = 27, KEY_2 = 28,
       KEY_BACKSLASH = 39, KEY_BACKSPACE = 47, KEY_TAB = 48, KEY_ENTER_UPPER = 49,
       KEY_ENTER_LOWER = 50, KEY_CAPS = 51, KEY_SPACE = 58 };

class KbdLayout : public ::testing::Test {
protected:
    HGLOBAL hKeys = NULL;
    const RECT *lprKeys = NULL;
    void SetUp() override
    {
        hKeys = GetRCDataZendraRes(IDR_KEY_RECTS);
        ASSERT_NE(hKeys, nullptr);
        lprKeys = (const RECT *)LockResource(hKeys);
        ASSERT_NE(lprKeys, nullptr);
        iVersion = LAYOUT_US;
    }
    void TearDown() override { FreeResource(hKeys); }
    POINT Centre(int iKey) const
    {
        const RECT &r = lprKeys[iKey];
        return { r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2 };
    }
};

TEST_F(KbdLayout, TablesReadAsDelivered)
{
    EXPECT_EQ(GetNumberOfItem(lprKeys), 58);
    EXPECT_EQ(GetIntRCData(IDR_KEY_INDEX, KI_ENTER_UPPER), KEY_ENTER_UPPER);
    EXPECT_EQ(GetIntRCData(IDR_KEY_LAYOUT, 0), 0);
    EXPECT_EQ(GetWordRCData(IDR_KEY_VKEYS, KEY_Q), 'Q');
    EXPECT_EQ(GetWordRCData(IDR_KEY_VKEYS, KEY_SPACE), VK_SPACE);
    EXPECT_EQ(GetWordRCData(IDR_KEY_VKEYS, 200), 255);       /* stops at the terminator */
    EXPECT_EQ(GetIntRCData(9999, 3), 0);                     /* missing table */
    EXPECT_EQ(GetWordRCData(9999, 3), 0);
    /* Indexes outside a table read as 0, never the bytes around it. */
    EXPECT_EQ(GetIntRCData(IDR_KEY_INDEX, KI_SPACE), KEY_SPACE);
    for (int iIndex : { KI_SPACE + 1, -1, 1 << 20, -(1 << 20) })
        EXPECT_EQ(GetIntRCData(IDR_KEY_INDEX, iIndex), 0) << iIndex;
    EXPECT_EQ(GetIntRCData(IDR_KEY_LAYOUT, 1), 0);
    EXPECT_EQ(GetWordRCData(IDR_KEY_VKEYS, -1), 0);
}

TEST_F(KbdLayout, FindWhichKeyExcludesRightAndBottomEdges)
{
    POINT p = { 61, 96 };
    EXPECT_EQ(FindWhichKey(lprKeys, &p), KEY_Q);
    p = { 84, 100 };                         /* Q's right edge: the gap */
    EXPECT_EQ(FindWhichKey(lprKeys, &p), -1);
    p = { 70, 117 };                         /* Q's bottom edge */
    EXPECT_EQ(FindWhichKey(lprKeys, &p), -1);
    p = { 420, 130 };                        /* lower part of Enter */
    EXPECT_EQ(FindWhichKey(lprKeys, &p), KEY_ENTER_LOWER);
    p = { 100, 30 };                         /* display strip is no key */
    EXPECT_EQ(FindWhichKey(lprKeys, &p), -1);
}

TEST_F(KbdLayout, OnEdgeBands)
{
    const RECT &q = lprKeys[KEY_Q];          /* 61,96 - 84,117; centre 72,106 */
    POINT p = Centre(KEY_Q);
    EXPECT_EQ(OnEdge(&q, &p), -1);
    p = { 72, 97 };
    EXPECT_EQ(OnEdge(&q, &p), EDGE_TOP);
    p = { 72, 101 };
    EXPECT_EQ(OnEdge(&q, &p), EDGE_TOP);
    p = { 72, 102 };                         /* cy - 4 lies in the centre box */
    EXPECT_EQ(OnEdge(&q, &p), -1);
    p = { 67, 102 };                         /* left of the box on that row: top band */
    EXPECT_EQ(OnEdge(&q, &p), EDGE_TOP);
    p = { 83, 106 };
    EXPECT_EQ(OnEdge(&q, &p), EDGE_RIGHT);
    p = { 72, 116 };
    EXPECT_EQ(OnEdge(&q, &p), EDGE_BOTTOM);
    p = { 62, 106 };
    EXPECT_EQ(OnEdge(&q, &p), EDGE_LEFT);
    p = { 50, 106 };                         /* outside the key */
    EXPECT_EQ(OnEdge(&q, &p), -1);
}

TEST_F(KbdLayout, HopsSlantAndStopAtTheEdges)
{
    EXPECT_EQ(FindNextButton(lprKeys, EDGE_TOP, lprKeys[KEY_Q]), KEY_2);
    EXPECT_EQ(FindNextButton(lprKeys, EDGE_BOTTOM, lprKeys[KEY_T]), KEY_G);
    EXPECT_EQ(FindNextButton(lprKeys, EDGE_LEFT, lprKeys[KEY_Q]), KEY_TAB);
    EXPECT_EQ(FindNextButton(lprKeys, EDGE_RIGHT, lprKeys[KEY_Q]), KEY_Q + 1);
    EXPECT_EQ(FindNextButton(lprKeys, EDGE_RIGHT, lprKeys[KEY_BACKSPACE]), -1);
    for (int iKey = KEY_GRAVE; iKey <= KEY_BACKSLASH; iKey++)
        EXPECT_EQ(FindNextButton(lprKeys, EDGE_TOP, lprKeys[iKey]), -1) << iKey;
    EXPECT_EQ(FindNextButton(lprKeys, EDGE_TOP, lprKeys[KEY_BACKSPACE]), -1);
    EXPECT_EQ(FindNextButton(lprKeys, EDGE_BOTTOM, lprKeys[KEY_SPACE]), -1);
    /* A rectangle whose centre is on no key hops nowhere. */
    RECT rOff = { 0, 0, 10, 10 };
    EXPECT_EQ(FindNextButton(lprKeys, EDGE_RIGHT, rOff), -1);
}

TEST_F(KbdLayout, EnterPartsAreOneButton)
{
    EXPECT_TRUE(IsOnSameButton(KEY_ENTER_UPPER, KEY_ENTER_LOWER));
    EXPECT_TRUE(IsOnSameButton(KEY_ENTER_LOWER, KEY_ENTER_UPPER));
    EXPECT_TRUE(IsOnSameButton(-1, -1));
    EXPECT_TRUE(IsOnSameButton(KEY_Q, KEY_Q));
    EXPECT_FALSE(IsOnSameButton(KEY_ENTER_UPPER, KEY_CAPS));
    EXPECT_FALSE(IsOnSameButton(-1, KEY_Q));
}

/* ---- The typed line ---------------------------------------------------------------------- */

class KbdBuffer : public ::testing::Test {
protected:
    tagCHARBUFFER cBuffer[CHARBUFFER_CELLS];
    void SetUp() override
    {
        memset(cBuffer, 0xAB, sizeof(cBuffer));
        InitialiseCharBuffer(cBuffer);
        iVersion = LAYOUT_US;
    }
    std::string Line()
    {
        char sz[CHARBUFFER_CELLS + 1];
        CreateSingleString(cBuffer, sz);
        return sz;
    }
};

TEST_F(KbdBuffer, LettersFollowTheCaseBit)
{
    EXPECT_EQ(ConvertVKCodeToChar('A', 0), 'a');
    EXPECT_EQ(ConvertVKCodeToChar('A', KS_UPPER), 'A');
    EXPECT_EQ(ConvertVKCodeToChar('Z', KS_SHIFT), 'z');     /* only the case bit decides */
}

TEST_F(KbdBuffer, SymbolsComeFromTheCharacterTable)
{
    EXPECT_EQ(ConvertVKCodeToChar('1', 0), '1');
    EXPECT_EQ(ConvertVKCodeToChar('1', KS_SHIFT), '!');
    EXPECT_EQ(ConvertVKCodeToChar('2', KS_SHIFT | KS_UPPER), '@');
    EXPECT_EQ(ConvertVKCodeToChar(0xBA, KS_SHIFT), ':');
    EXPECT_EQ(ConvertVKCodeToChar(0xC0, KS_SHIFT), '~');
    EXPECT_EQ(ConvertVKCodeToChar(0xDE, KS_SHIFT), '"');
    EXPECT_EQ(ConvertVKCodeToChar(VK_SPACE, KS_SHIFT), ' ');   /* no shifted record: the plain one */
    EXPECT_EQ(ConvertVKCodeToChar(VK_TAB, 0), '\t');
    EXPECT_EQ(ConvertVKCodeToChar(VK_F1, 0), 0);
    EXPECT_EQ(ConvertVKCodeToChar('1', KS_ALTGR), '1');        /* no AltGr records: the plain one */
    char c = 'x';
    GetKeyboardChar(&c, 0, VK_F5);
    EXPECT_EQ(c, 0);
}

TEST_F(KbdBuffer, LatchFlagsByLayout)
{
    AddCharToBuffer('A', cBuffer, KS_ALT);
    AddCharToBuffer('B', cBuffer, KS_CTRL);
    AddCharToBuffer('C', cBuffer, KS_ALTGR);
    AddCharToBuffer('D', cBuffer, KS_ALT | KS_CTRL);
    iVersion = LAYOUT_ALTGR;
    AddCharToBuffer('E', cBuffer, KS_ALTGR);
    AddCharToBuffer('F', cBuffer, KS_CTRL | KS_ALTGR);
    EXPECT_EQ(Line(), "abcdef");
    const BYTE abFlags[] = { CF_ALT, CF_CTRL, CF_ALT, CF_ALT, CF_ALTGR, CF_CTRL };
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(cBuffer[i].data.bFlag, abFlags[i]) << i;
}

TEST_F(KbdBuffer, HoldsAtMost254Characters)
{
    for (int i = 0; i < CHARBUFFER_MAX; i++)
        ASSERT_EQ(AddCharToBuffer('A' + i % 26, cBuffer, 0), 1) << i;
    EXPECT_EQ(FindBufferLength(cBuffer), 254);
    EXPECT_EQ(AddCharToBuffer('Q', cBuffer, 0), 0);           /* the 255th is refused */
    EXPECT_EQ(FindBufferLength(cBuffer), 254);
    EXPECT_EQ(cBuffer[254].data.chData, 0);
    EXPECT_EQ(Line().size(), 254u);
    DeleteLastItemBuffer(cBuffer);
    EXPECT_EQ(FindBufferLength(cBuffer), 253);
    EXPECT_EQ(AddCharToBuffer('Q', cBuffer, 0), 1);
    EXPECT_EQ(Line().back(), 'q');
}

TEST_F(KbdBuffer, BackspaceAndKeysWithoutCharacters)
{
    DeleteLastItemBuffer(cBuffer);                            /* empty: harmless */
    EXPECT_EQ(FindBufferLength(cBuffer), 0);
    EXPECT_EQ(AddCharToBuffer(VK_F3, cBuffer, 0), 0);
    AddCharToBuffer('H', cBuffer, KS_CTRL);
    AddCharToBuffer('I', cBuffer, 0);
    DeleteLastItemBuffer(cBuffer);
    EXPECT_EQ(Line(), "h");
    EXPECT_EQ(cBuffer[1].data.bFlag, 0);
    DeleteLastItemBuffer(cBuffer);
    EXPECT_EQ(Line(), "");
    EXPECT_EQ(cBuffer[0].data.bFlag, 0);
}

/* ---- The picture loader -------------------------------------------------------------- */

std::vector<BYTE> MakeBitmapFile(int iWidth, int iHeight, int iBits, DWORD dwColours = 0)
{
    int iPalette = iBits <= 8 ? (dwColours ? (int)dwColours : 1 << iBits) : 0;
    DWORD cbRow = ((iWidth * iBits + 31) / 32) * 4;
    DWORD cbBits = cbRow * iHeight;
    BITMAPFILEHEADER bfh = {};
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = iWidth;
    bih.biHeight = iHeight;
    bih.biPlanes = 1;
    bih.biBitCount = (WORD)iBits;
    bih.biClrUsed = dwColours;
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(bfh) + sizeof(bih) + iPalette * 4;
    bfh.bfSize = bfh.bfOffBits + cbBits;
    std::vector<BYTE> file(bfh.bfSize, 0);
    memcpy(file.data(), &bfh, sizeof(bfh));
    memcpy(file.data() + sizeof(bfh), &bih, sizeof(bih));
    for (int i = 0; i < iPalette; i++)
        file[sizeof(bfh) + sizeof(bih) + i * 4 + 2] = (BYTE)(i * 37);   /* red ramp */
    for (DWORD i = 0; i < cbBits; i++)
        file[bfh.bfOffBits + i] = (BYTE)(i * 13);
    return file;
}

BITMAPFILEHEADER *FileHeader(std::vector<BYTE> &file) { return (BITMAPFILEHEADER *)file.data(); }
BITMAPINFOHEADER *InfoHeader(std::vector<BYTE> &file) { return (BITMAPINFOHEADER *)(file.data() + 14); }

class KbdPicture : public ::testing::Test {
protected:
    std::string strDir;
    std::string strSaved;
    bool bHadValue = false;
    HDC hDC = NULL;
    HBITMAP hBitmap = NULL;
    HPALETTE hPalette = NULL;

    void SetUp() override
    {
        strDir = BinaryDir() + "kbd_pictures";
        CreateDirectoryA(strDir.c_str(), NULL);
        bHadValue = ReadRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", &strSaved);
        WriteRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", strDir);
        hDC = GetDC(NULL);
    }
    void TearDown() override
    {
        if (hBitmap != NULL)
            DeleteObject(hBitmap);
        if (hPalette != NULL)
            DeleteObject(hPalette);
        ReleaseDC(NULL, hDC);
        if (bHadValue)
            WriteRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", strSaved);
        else
            DeleteRegValue(HKEY_CURRENT_USER, szSettings, "WorkingDirectory");
    }
    void Write(const char *pszName, const std::vector<BYTE> &file)
    {
        HANDLE hFile = CreateFileA((strDir + "\\" + pszName).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
        DWORD dw;
        if (!file.empty())
            WriteFile(hFile, file.data(), (DWORD)file.size(), &dw, NULL);
        CloseHandle(hFile);
    }
    /* Loads the file written as pszName; true when a bitmap came out. */
    bool Load(const char *pszName, const std::vector<BYTE> &file)
    {
        Write(pszName, file);
        if (hBitmap != NULL)
            DeleteObject(hBitmap);
        if (hPalette != NULL)
            DeleteObject(hPalette);
        hBitmap = (HBITMAP)1;
        hPalette = (HPALETTE)1;
        BOOL bOk = CreateBitmapFromFile(hDC, pszName, &hBitmap, &hPalette);
        EXPECT_EQ(bOk != FALSE, hBitmap != NULL);
        if (!bOk) {
            EXPECT_EQ(hPalette, nullptr);
        }
        return bOk != FALSE;
    }
};

TEST_F(KbdPicture, SoundFilesLoadWithTheirPalette)
{
    ASSERT_TRUE(Load("rgb.bmp", MakeBitmapFile(5, 3, 24)));
    BITMAP bm;
    GetObjectA(hBitmap, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(hPalette, nullptr);

    ASSERT_TRUE(Load("eight.bmp", MakeBitmapFile(7, 2, 8)));
    ASSERT_NE(hPalette, nullptr);
    EXPECT_EQ(GetPaletteEntries(hPalette, 0, 0, NULL), 256u);
    PALETTEENTRY pe;
    GetPaletteEntries(hPalette, 3, 1, &pe);
    EXPECT_EQ(pe.peRed, 3 * 37);

    ASSERT_TRUE(Load("four.bmp", MakeBitmapFile(9, 4, 4, 3)));   /* short colour table */
    ASSERT_NE(hPalette, nullptr);
    EXPECT_EQ(GetPaletteEntries(hPalette, 0, 0, NULL), 3u);

    ASSERT_TRUE(Load("mono.bmp", MakeBitmapFile(17, 1, 1)));
    EXPECT_EQ(GetPaletteEntries(hPalette, 0, 0, NULL), 2u);
}

TEST_F(KbdPicture, StoredSizeIsClampedToTheFile)
{
    std::vector<BYTE> file = MakeBitmapFile(6, 6, 24);
    FileHeader(file)->bfSize = 0x7FFFFFF0;        /* far beyond the file: read only what is there */
    EXPECT_TRUE(Load("bigsize.bmp", file));
    FileHeader(file)->bfSize = 0;                  /* left 0 by some writers: the whole file */
    EXPECT_TRUE(Load("zerosize.bmp", file));
    FileHeader(file)->bfSize = 14 + 40;            /* short: the unread rows read as zeros */
    EXPECT_TRUE(Load("shortsize.bmp", file));
    FileHeader(file)->bfSize = 20;                 /* shorter than the headers: nothing to go by */
    EXPECT_FALSE(Load("tinysize.bmp", file));
}

TEST_F(KbdPicture, DamagedFilesGiveNoBitmap)
{
    EXPECT_FALSE(Load("empty.bmp", {}));
    EXPECT_FALSE(Load("tiny.bmp", { 'B', 'M', 1, 2, 3 }));
    std::vector<BYTE> good = MakeBitmapFile(8, 8, 24);

    std::vector<BYTE> file = good;
    file[0] = 'X';
    EXPECT_FALSE(Load("notbm.bmp", file));

    file.assign(good.begin(), good.end() - 10);    /* pixel rows cut off */
    EXPECT_FALSE(Load("truncated.bmp", file));
    file.assign(good.begin(), good.begin() + 14 + 20);   /* header cut off */
    EXPECT_FALSE(Load("halfheader.bmp", file));

    file = good;
    FileHeader(file)->bfOffBits = (DWORD)good.size() + 100;
    EXPECT_FALSE(Load("offbeyond.bmp", file));
    FileHeader(file)->bfOffBits = 0xFFFFFFF0;
    EXPECT_FALSE(Load("offwrap.bmp", file));
    FileHeader(file)->bfOffBits = 4;
    EXPECT_FALSE(Load("offinside.bmp", file));

    struct { const char *pszName; void (*mend)(BITMAPINFOHEADER *); } damages[] = {
        { "hugeinfo.bmp", [](BITMAPINFOHEADER *p) { p->biSize = 0x7FFFFFFF; } },
        { "smallinfo.bmp", [](BITMAPINFOHEADER *p) { p->biSize = 12; } },
        { "zerowidth.bmp", [](BITMAPINFOHEADER *p) { p->biWidth = 0; } },
        { "hugewidth.bmp", [](BITMAPINFOHEADER *p) { p->biWidth = 0x40000000; } },
        { "hugeheight.bmp", [](BITMAPINFOHEADER *p) { p->biHeight = -0x7FFFFFFF; } },
        { "sevenbits.bmp", [](BITMAPINFOHEADER *p) { p->biBitCount = 7; } },
        { "rle.bmp", [](BITMAPINFOHEADER *p) { p->biCompression = BI_RLE8; } },
        { "planes.bmp", [](BITMAPINFOHEADER *p) { p->biPlanes = 3; } },
    };
    for (auto &damage : damages) {
        file = good;
        damage.mend(InfoHeader(file));
        EXPECT_FALSE(Load(damage.pszName, file)) << damage.pszName;
    }

    file = MakeBitmapFile(4, 4, 8);
    InfoHeader(file)->biClrUsed = 0;
    file.resize(14 + 40 + 100);                   /* colour table cut short */
    EXPECT_FALSE(Load("shorttable.bmp", file));
}

TEST_F(KbdPicture, MissingFileAndOverlongPath)
{
    hBitmap = (HBITMAP)1;
    EXPECT_FALSE(CreateBitmapFromFile(hDC, "nothere.bmp", &hBitmap, NULL));
    EXPECT_EQ(hBitmap, nullptr);
    std::string strLong(300, 'x');
    EXPECT_EQ(OpenLocalFile(strLong.c_str(), OF_READ), HFILE_ERROR);
}

TEST_F(KbdPicture, RandomDamageNeverReadsOutsideTheFile)
{
    /* Random bytes overwritten in valid files of each depth: whatever the loader makes of
       them, it must come back (the heap checker of the C runtime catches stray writes). */
    const int aiBits[] = { 1, 4, 8, 16, 24, 32 };
    unsigned uSeed = 12345;
    auto Next = [&uSeed] { uSeed = uSeed * 1103515245u + 12345u; return uSeed >> 8; };
    int iLoaded = 0;
    for (int iCase = 0; iCase < 600; iCase++) {
        std::vector<BYTE> file = MakeBitmapFile(1 + Next() % 40, 1 + Next() % 20, aiBits[Next() % 6]);
        int iChanges = 1 + Next() % 4;
        for (int i = 0; i < iChanges; i++)
            file[Next() % (14 + 40 + 16)] = (BYTE)Next();   /* the headers and palette start */
        if (Next() % 3 == 0)
            file.resize(Next() % file.size());
        iLoaded += Load("random.bmp", file) ? 1 : 0;
    }
    RecordProperty("loaded", iLoaded);
    SUCCEED() << iLoaded << " of 600 damaged files still loaded";
}

TEST(KbdInstallDirectory, MissingKeyBecomesTheCurrentDirectory)
{
    std::string strSaved, strDir;
    bool bHad = ReadRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", &strSaved);
    DeleteRegKey(HKEY_CURRENT_USER, szSettings);

    EXPECT_EQ(OpenLocalFile("nothere.bmp", OF_READ), HFILE_ERROR);
    char szCurrent[MAX_PATH + 1] = "";
    GetCurrentDirectoryA(MAX_PATH, szCurrent);
    EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", &strDir));
    EXPECT_EQ(strDir, szCurrent);

    if (bHad)
        WriteRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", strSaved);
}

}  // namespace
