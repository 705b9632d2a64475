/*
 * zendra_send_test.cpp - ZENDRA end to end: command strings run through Corvalin's
 * ParseFunction reach the Dovrel stand-ins (its two communications windows, which answer
 * WM_COPYDATA as told, and its command-line senders OSTREL.EXE and HAVRIK.EXE).
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "Corvalin.h"
#include "standin_reports.h"
#include "testsupport.h"

namespace {

const char szDovrelKey[] = "Software\\Zendra\\Dovrel(TM)";
const char szZendraClass[] = "ZendraClass";
const char szZendraTitle[] = "Dovrel(TM) Communications";
const char szTamberlinClass[] = "TAMBERLIN";
const char szTamberlinTitle[] = "Dovrel Communications Driver (v2.0)";

class ZendraSend : public testing::Test {
protected:
    std::string strReportDir;
    std::string strBin;
    HANDLE hDovrel = NULL;
    HWND hDovrelWnd = NULL;

    void SetUp() override
    {
        strReportDir = CreateReportDir();
        ASSERT_FALSE(strReportDir.empty());
        strBin = BinaryDir();
        DeleteDovrelKey();
    }
    void TearDown() override
    {
        StopStandin(hDovrel, hDovrelWnd);
        DeleteDovrelKey();
        RemoveReportDir(strReportDir);
    }

    static void DeleteDovrelKey()
    {
        for (const char *pszSub : { "\\BurstMode", "\\WorkingDirectory", "" })
            RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(szDovrelKey) + pszSub).c_str());
    }
    static void Store(const char *pszSetting, const std::string &strValue)
    {
        HKEY hKey;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, szDovrelKey, &hKey));
        RegSetValueA(hKey, pszSetting, REG_SZ, strValue.c_str(), (DWORD)strValue.size());
        RegCloseKey(hKey);
    }
    static std::string Stored(const char *pszSetting)
    {
        char szValue[512] = "(none)";
        LONG cbValue = sizeof(szValue);
        HKEY hKey;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, szDovrelKey, 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
            RegQueryValueA(hKey, pszSetting, szValue, &cbValue);
            RegCloseKey(hKey);
        }
        return szValue;
    }
    /* Dovrel with its programs in the test's program folder (no trailing backslash). */
    void UseSendersBesideTheTests(const char *pszBurstMode)
    {
        Store("BurstMode", pszBurstMode);
        Store("WorkingDirectory", strBin.substr(0, strBin.size() - 1));
    }
    /* Starts Dovrel's windows: "zendra=N tamberlin=N" (either may be left out). */
    void StartDovrel(const std::string &strWindows)
    {
        bool bZendra = strWindows.find("zendra=") != std::string::npos;
        hDovrel = StartStandin("\"" + strBin + "dovrel.exe\" " + strWindows,
                               bZendra ? szZendraClass : szTamberlinClass,
                               bZendra ? szZendraTitle : szTamberlinTitle, &hDovrelWnd);
        ASSERT_NE(nullptr, hDovrelWnd);
        if (bZendra && strWindows.find("tamberlin=") != std::string::npos) {
            ASSERT_TRUE(WaitFor([] { return FindWindowA(szTamberlinClass, szTamberlinTitle) != NULL; }));
        }
    }
    static void Run(const std::string &strCommand)
    {
        std::string strCopy = strCommand;
        ParseFunction(NULL, &strCopy[0]);
    }
    std::vector<std::string> Lines(size_t cLines, DWORD dwTimeout = 10000)
    {
        return WaitForLines(strReportDir + "dovrel.txt", cLines, dwTimeout);
    }
    /* The record of a WM_COPYDATA with code 3 carrying strText to a window class. */
    static std::string CopyData(const char *pszClass, const std::string &strText, HWND hSender)
    {
        char szHead[200];
        snprintf(szHead, sizeof(szHead), "copydata %s code=3 size=%u sender=%lx text=", pszClass,
                 (unsigned)strText.size() + 1, (unsigned long)(ULONG_PTR)hSender);
        return szHead + strText;
    }
};

TEST_F(ZendraSend, FirstReceiverTakesTheText)
{
    StartDovrel("zendra=1 tamberlin=1");
    UseSendersBesideTheTests("0");
    HWND hTarget = GetForegroundWindow();
    Run("ZENDRA\"A1 ON\"");
    std::vector<std::string> lines = Lines(1);
    PumpMessages(500);
    lines = ReadLines(strReportDir + "dovrel.txt");
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(CopyData(szZendraClass, "A1 ON", hTarget), lines[0]);
}

TEST_F(ZendraSend, RefusingReceiverIsFollowedByTheNext)
{
    StartDovrel("zendra=0 tamberlin=1");
    UseSendersBesideTheTests("0");
    HWND hTarget = GetForegroundWindow();
    Run("ZENDRA\"B3 DIM 50\"");
    std::vector<std::string> lines = Lines(2);
    PumpMessages(500);
    lines = ReadLines(strReportDir + "dovrel.txt");
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(CopyData(szZendraClass, "B3 DIM 50", hTarget), lines[0]);
    EXPECT_EQ(CopyData(szTamberlinClass, "B3 DIM 50", hTarget), lines[1]);
}

TEST_F(ZendraSend, SecondReceiverAloneTakesTheText)
{
    StartDovrel("tamberlin=7");
    UseSendersBesideTheTests("0");
    Run("ZENDRA\"C2 OFF\"");
    std::vector<std::string> lines = Lines(1);
    PumpMessages(500);
    lines = ReadLines(strReportDir + "dovrel.txt");
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("copydata TAMBERLIN code=3 size=7 "));
}

TEST_F(ZendraSend, BothRefusingThenTheProgramRuns)
{
    StartDovrel("zendra=0 tamberlin=0");
    UseSendersBesideTheTests("0");
    Run("ZENDRA\"A1 ON\"");
    std::vector<std::string> lines = Lines(3);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(0u, lines[0].find("copydata ZendraClass code=3 size=6 "));
    EXPECT_EQ(0u, lines[1].find("copydata TAMBERLIN code=3 size=6 "));
    EXPECT_EQ("run OSTREL A1 ON", lines[2]);
}

TEST_F(ZendraSend, BurstModeRunsTheBurstSender)
{
    UseSendersBesideTheTests("1");
    Run("ZENDRA\"MACRO Lights\"");
    std::vector<std::string> lines = Lines(1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("run HAVRIK MACRO Lights", lines[0]);
}

TEST_F(ZendraSend, NoDovrelKeyCreatesItAndRunsFromTheDefaultDirectory)
{
    /* The default directory c:\home holds the normal sender for this test only. */
    bool bMadeHome = CreateDirectoryA("c:\\home", NULL) != FALSE;
    std::string strSender = "c:\\home\\OSTREL.EXE";
    bool bHadSender = GetFileAttributesA(strSender.c_str()) != INVALID_FILE_ATTRIBUTES;
    ASSERT_TRUE(bHadSender || CopyFileA((strBin + "OSTREL.EXE").c_str(), strSender.c_str(), TRUE));

    Run("ZENDRA\"A16 ON\"");
    std::vector<std::string> lines = Lines(1);

    if (!bHadSender)
        DeleteFileA(strSender.c_str());
    if (bMadeHome)
        RemoveDirectoryA("c:\\home");
    EXPECT_EQ("0", Stored("BurstMode"));
    EXPECT_EQ("c:\\home", Stored("WorkingDirectory"));
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("run OSTREL A16 ON", lines[0]);
}

TEST_F(ZendraSend, LongTextReachesTheReceiverWhole)
{
    StartDovrel("zendra=1");
    std::string strText(3000, 'L');
    Run("ZENDRA\"" + strText + "\"");
    std::vector<std::string> lines = Lines(1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("copydata ZendraClass code=3 size=3001 "));
    EXPECT_EQ(strText, lines[0].substr(lines[0].find("text=") + 5));
}

} // namespace
