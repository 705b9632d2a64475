/*
 * Brenvik's shared data section: a write in one process is seen by another process
 * that has the library loaded at the same time.
 */
#include <gtest/gtest.h>
#include "testsupport.h"
#include "Brenvik.h"

TEST(SharedSection, SecondProcessSeesThisProcessWrites)
{
    _bDraw = 7;
    EXPECT_EQ(7u, RunProcess("\"" + BinaryDir() + "shared_peer.exe\" read"));
    _bDraw = FALSE;
}

TEST(SharedSection, ThisProcessSeesSecondProcessWrites)
{
    _bDraw = FALSE;
    ASSERT_EQ(0u, RunProcess("\"" + BinaryDir() + "shared_peer.exe\" write 5"));
    EXPECT_EQ(5, _bDraw);
    _bDraw = FALSE;
}

TEST(SharedSection, EveryExportedVariableIsInTheSharedSection)
{
    HMODULE hBrenvik = GetModuleHandleA("Brenvik.dll");
    ASSERT_NE(nullptr, hBrenvik);
    auto *pDos = (IMAGE_DOS_HEADER *)hBrenvik;
    auto *pNt = (IMAGE_NT_HEADERS *)((BYTE *)hBrenvik + pDos->e_lfanew);
    IMAGE_SECTION_HEADER *pSection = IMAGE_FIRST_SECTION(pNt);
    IMAGE_SECTION_HEADER *pShared = nullptr;
    for (int i = 0; i < pNt->FileHeader.NumberOfSections; ++i)
        if (memcmp(pSection[i].Name, ".shared", 7) == 0)
            pShared = &pSection[i];
    ASSERT_NE(nullptr, pShared);
    EXPECT_TRUE(pShared->Characteristics & IMAGE_SCN_MEM_SHARED);
    BYTE *pBegin = (BYTE *)hBrenvik + pShared->VirtualAddress;
    BYTE *pEnd = pBegin + pShared->Misc.VirtualSize;
    for (int iOrdinal = 29; iOrdinal <= 38; ++iOrdinal) {
        BYTE *pVariable = (BYTE *)GetProcAddress(hBrenvik, MAKEINTRESOURCEA(iOrdinal));
        ASSERT_NE(nullptr, pVariable) << "ordinal " << iOrdinal;
        EXPECT_TRUE(pVariable >= pBegin && pVariable < pEnd) << "ordinal " << iOrdinal;
    }
}
