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
#include "Brenvik_module.h"
#include "zendrares32.h"
#include "but32.h"
#include "access_probe.h"
#include <fstream>
#include <sstream>
#include <string>

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
    EXPECT_STREQ("PC Mode Selected", szTip) << "a missing string leaves the buffer alone";
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

/* ---- Exports that read strings: pointed at this program's own string table ------------ */

class OwnStrings : public ::testing::Test {
protected:
    void SetUp() override { hInstance = GetModuleHandleA(NULL); }
};

/* A folder of its own for the launch stand-in's report. */
std::string FreshReportFolder()
{
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    std::string strFolder = std::string(szTemp) + "orvane-access-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(strFolder.c_str(), NULL);
    DeleteFileA((strFolder + "\\launch.txt").c_str());
    SetEnvironmentVariableA("ORVANE_REPORT_DIR", strFolder.c_str());
    return strFolder;
}

/* Launches the stand-in through LaunchProg and returns the arguments it was given. */
std::string LaunchAndReadArguments(LPCSTR lpszArgument)
{
    std::string strReport = FreshReportFolder() + "\\launch.txt";
    UINT uResult = LaunchProg(IDS_PROBE_PROGRAM, lpszArgument, SW_SHOWNOACTIVATE);
    EXPECT_GT(uResult, 31u) << "WinExec failed";
    std::string strRecord;
    WaitFor([&] {
        std::ifstream file(strReport);
        std::stringstream ss;
        ss << file.rdbuf();
        strRecord = ss.str();
        return strRecord.find("\nend") != std::string::npos;
    }, 15000);
    size_t iArgs = strRecord.find("args=");
    if (iArgs == std::string::npos)
        return "(no report)";
    size_t iEnd = strRecord.find_first_of("\r\n", iArgs);
    return strRecord.substr(iArgs + 5, iEnd - iArgs - 5);
}

TEST_F(OwnStrings, LaunchProgAppendsAnArgumentThatFits)
{
    EXPECT_EQ("hello world", LaunchAndReadArguments("hello world"));
    EXPECT_EQ("", LaunchAndReadArguments(nullptr));
}

/* The command "launchprobe.exe" has 15 characters: with the blank, an argument of 243
   characters makes 259 and is appended; one more character and it is dropped whole. */
TEST_F(OwnStrings, LaunchProgDropsAnArgumentThatWouldReachTheLimit)
{
    char szCommand[260];
    ASSERT_EQ(15, GetStringRes(IDS_PROBE_PROGRAM, szCommand, sizeof(szCommand)));
    std::string strLongest(243, 'x');
    EXPECT_EQ(strLongest, LaunchAndReadArguments(strLongest.c_str()));
    EXPECT_EQ("", LaunchAndReadArguments((strLongest + "y").c_str()));
}

TEST_F(OwnStrings, LaunchProgWithoutItsCommandStartsNothing)
{
    EXPECT_EQ(0u, LaunchProg(IDS_PROBE_MISSING, "x", SW_SHOWNOACTIVATE));
}

LRESULT CALLBACK ProbeWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

TEST_F(OwnStrings, GetWindowHandleMatchesClassAndTitleEitherMayBeOpen)
{
    char szClass[64], szTitle[64];
    GetStringRes(IDS_PROBE_CLASS, szClass, sizeof(szClass));
    GetStringRes(IDS_PROBE_TITLE, szTitle, sizeof(szTitle));
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ProbeWndProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = szClass;
    ASSERT_NE(0, RegisterClassA(&wc));
    HWND hWnd = CreateWindowA(szClass, szTitle, WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL,
                              GetModuleHandleA(NULL), NULL);
    ASSERT_NE(nullptr, hWnd);

    EXPECT_EQ(hWnd, GetWindowHandle(IDS_PROBE_CLASS, IDS_PROBE_TITLE));
    EXPECT_EQ(hWnd, GetWindowHandle(0xFFFF, IDS_PROBE_TITLE));
    EXPECT_EQ(hWnd, GetWindowHandle(IDS_PROBE_CLASS, 0xFFFF));
    EXPECT_EQ(hWnd, GetWindowHandle(IDS_PROBE_MISSING, IDS_PROBE_TITLE)) << "a missing string leaves its side open";
    EXPECT_EQ(nullptr, GetWindowHandle(IDS_PROBE_CLASS, IDS_PROBE_OTHER_TITLE));
    EXPECT_EQ(nullptr, GetWindowHandle(0xFFFF, IDS_PROBE_OTHER_TITLE));
    DestroyWindow(hWnd);
    EXPECT_EQ(nullptr, GetWindowHandle(0xFFFF, IDS_PROBE_TITLE));
}

TEST(BrenvikExports, SharedVariablesByOrdinalAndName)
{
    HMODULE hBrenvik = LoadBrenvik();
    ASSERT_NE(nullptr, hBrenvik);
    const char *pszNames[] = {"_hHookMsg", "_hMessageDlg", "_hMainDlg", "_hMouseMsg", "_bDraw",
                              "_bPosOnly", "_bSelect", "_bMseFirstDown", "_bSelectDown", "_hNewCur"};
    for (int i = 0; i < 10; ++i) {
        FARPROC pByOrdinal = GetProcAddress(hBrenvik, MAKEINTRESOURCEA(29 + i));
        EXPECT_NE(nullptr, pByOrdinal) << pszNames[i];
        EXPECT_EQ(pByOrdinal, GetProcAddress(hBrenvik, pszNames[i])) << pszNames[i];
    }
}

}  // namespace
