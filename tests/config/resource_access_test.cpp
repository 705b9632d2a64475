/*
 * Brenvik's resource access: the exports read Brenvik's own resources whatever module
 * calls them, and the string-list readers walk the RCDATA tables by position.
 * The readers are internal, so this program compiles them in and points them at the DLL.
 */
#include <gtest/gtest.h>
#include <windowsx.h>
#include "testsupport.h"
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "zendrares32.h"

namespace {

HMODULE LoadBrenvik()
{
    static HMODULE hBrenvik = LoadLibraryA("Brenvik.dll");
    return hBrenvik;
}

class ResourceReaders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, LoadBrenvik());
        hInstance = LoadBrenvik();
    }
};

TEST_F(ResourceReaders, StringsLoadIntoTheCallersBuffer)
{
    char szTip[64] = "";
    EXPECT_EQ(16, GetStringRes(IDS_TIP_FIRST, szTip, sizeof(szTip)));
    EXPECT_STREQ("PC Mode Selected", szTip);
    EXPECT_EQ(0, GetStringRes(IDS_TIP_FIRST, nullptr, 64));
    EXPECT_EQ(0, GetStringRes(1, szTip, sizeof(szTip)));
}

TEST_F(ResourceReaders, CompareStringsIgnoresCaseAndCountsFromOne)
{
    EXPECT_EQ(1, CompareStringsRC("play", 498));
    EXPECT_EQ(12, CompareStringsRCZendraRes("MASTER MUTE", 498));
    EXPECT_EQ(0, CompareStringsRC("Rewind", 498));
    EXPECT_EQ(0, CompareStringsRC(nullptr, 498));
    EXPECT_EQ(0, CompareStringsRC("Play", 9999));
}

TEST_F(ResourceReaders, FunctionNameOutsideTheListIsEmptyNotNull)
{
    for (BYTE bPosition : {0, 13, 255}) {
        LPSTR lpszName = FunctionNameRC(498, bPosition);
        ASSERT_NE(nullptr, lpszName) << int(bPosition);
        EXPECT_STREQ("", lpszName);
        LocalFree(lpszName);
    }
    LPSTR lpszName = FunctionNameRCZendraRes(498, 7);
    EXPECT_STREQ("Change Track", lpszName);
    LocalFree(lpszName);
    EXPECT_EQ(nullptr, FunctionNameRC(9999, 1));
}

TEST_F(ResourceReaders, FillComboBoxSelectsTheMatchOrTheFirstEntry)
{
    HWND hCombo = CreateWindowA("COMBOBOX", "", CBS_DROPDOWNLIST | WS_POPUP, 0, 0, 100, 200,
                                NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hCombo);
    FillComboBoxRC(hCombo, 498, "pause");
    EXPECT_EQ(12, ComboBox_GetCount(hCombo));
    EXPECT_EQ(2, ComboBox_GetCurSel(hCombo));
    FillComboBoxRCZendraRes(hCombo, 498, "absent");
    EXPECT_EQ(0, ComboBox_GetCurSel(hCombo));
    FillComboBoxRC(hCombo, 9999, "Play");
    EXPECT_EQ(0, ComboBox_GetCount(hCombo));
    FillComboBox(hCombo, "One\0Two\0one\0", "ONE");
    EXPECT_EQ(2, ComboBox_GetCurSel(hCombo));
    DestroyWindow(hCombo);
}

TEST_F(ResourceReaders, LoadRCDataStringReturnsALocalCopyOfTheFirstString)
{
    LPSTR lpszFirst = LoadRCDataStringZendraRes(498);
    ASSERT_NE(nullptr, lpszFirst);
    EXPECT_STREQ("Play", lpszFirst);
    EXPECT_EQ(5u, LocalSize(lpszFirst));
    LocalFree(lpszFirst);
    EXPECT_EQ(nullptr, LoadRCDataStringZendraRes(9999));
}

TEST(BrenvikExports, OrdinalsAndNamesReachTheSameFunctions)
{
    HMODULE hBrenvik = LoadBrenvik();
    ASSERT_NE(nullptr, hBrenvik);
    const char *pszNames[] = {"GetWindowHandle", "GetStringRes", "LaunchProg", "GetMenuRes",
                              "GetBitmapRes", "GetAcceleratorsRes", "GetCursorRes", "GetIconRes",
                              "DialogBoxRes", "CreateDialogRes", "GetRCDataZendraRes",
                              "LoadRCDataStringZendraRes"};
    for (int i = 0; i < 12; ++i) {
        FARPROC pByOrdinal = GetProcAddress(hBrenvik, MAKEINTRESOURCEA(16 + i));
        EXPECT_NE(nullptr, pByOrdinal) << pszNames[i];
        EXPECT_EQ(pByOrdinal, GetProcAddress(hBrenvik, pszNames[i])) << pszNames[i];
    }
}

}  // namespace
