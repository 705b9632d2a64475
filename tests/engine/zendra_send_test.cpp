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
#include "dovrel_registry.h"
#include "standin_reports.h"
#include "testsupport.h"

namespace {

const char szZendraClass[] = "ZendraClass";
const char szZendraTitle[] = "Dovrel(TM) Communications";
const char szTamberlinClass[] = "TAMBERLIN";
const char szTamberlinTitle[] = "Dovrel Communications Driver (v2.0)";

class ZendraSend : public StandinTest {
protected:
    void SetUp() override
    {
        StandinTest::SetUp();
        DeleteDovrelKey();
    }
    void TearDown() override
    {
        StandinTest::TearDown();
        DeleteDovrelKey();
    }

    /* Dovrel with its programs in the test's program folder (no trailing backslash). */
    void UseSendersBesideTheTests(const char *pszBurstMode)
    {
        ASSERT_TRUE(StoreDovrelSetting("BurstMode", pszBurstMode));
        ASSERT_TRUE(StoreDovrelSetting("WorkingDirectory", strBin.substr(0, strBin.size() - 1)));
    }
    /* Starts Dovrel's windows: "zendra=N tamberlin=N" (either may be left out). */
    void StartDovrel(const std::string &strWindows)
    {
        bool bZendra = strWindows.find("zendra=") != std::string::npos;
        ASSERT_TRUE(Start("\"" + strBin + "dovrel.exe\" " + strWindows,
                          bZendra ? szZendraClass : szTamberlinClass,
                          bZendra ? szZendraTitle : szTamberlinTitle));
        if (bZendra && strWindows.find("tamberlin=") != std::string::npos) {
            ASSERT_TRUE(WaitFor([] { return FindWindowA(szTamberlinClass, szTamberlinTitle) != NULL; }));
        }
    }
    std::vector<std::string> Lines(size_t cLines, DWORD dwTimeout = 10000)
    {
        return ReportLines("dovrel.txt", cLines, dwTimeout);
    }
    /* Every line, once the senders that the command started have ended. */
    std::vector<std::string> SettledLines()
    {
        EXPECT_TRUE(WaitForStartedProgramsToEnd());
        return ReadLines(strReportDir + "dovrel.txt");
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

TEST_F(ZendraSend, ReceiversInTurnThenTheProgram)
{
    UseSendersBesideTheTests("0");
    /* Which of Dovrel's windows run and what they answer; what reaches whom, in order:
       Z the first window, T the second, P the program. */
    struct { const char *pszWindows, *pszReached; } aCases[] = {
        { "zendra=1 tamberlin=1", "Z" },
        { "zendra=0 tamberlin=1", "ZT" },
        { "tamberlin=7", "T" },
        { "zendra=0 tamberlin=0", "ZTP" },
        { "zendra=0", "ZP" },
    };
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.pszWindows);
        StartDovrel(c.pszWindows);
        std::string strText = std::string("A1 ON ") + c.pszReached;
        HWND hTarget = GetForegroundWindow();
        Run("ZENDRA\"" + strText + "\"");

        std::vector<std::string> expected;
        for (const char *pch = c.pszReached; *pch; pch++)
            expected.push_back(*pch == 'Z'   ? CopyData(szZendraClass, strText, hTarget)
                               : *pch == 'T' ? CopyData(szTamberlinClass, strText, hTarget)
                                             : "run OSTREL " + strText);
        EXPECT_EQ(expected, SettledLines());
        Stop();
        DeleteFileA((strReportDir + "dovrel.txt").c_str());
    }
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
    EXPECT_EQ("0", StoredDovrelSetting("BurstMode"));
    EXPECT_EQ("c:\\home", StoredDovrelSetting("WorkingDirectory"));
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
