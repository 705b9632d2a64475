/*
 * launch_probe_test.cpp - LAUNCH and LAUNCHSIZE end to end: command strings run through
 * Corvalin's ParseFunction start the launch probe, which reports its command line,
 * current directory, startup record and where its window was placed.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <map>
#include <stdlib.h>
#include <string>
#include "Corvalin.h"
#include "standin_reports.h"
#include "testsupport.h"

namespace {

const char chCmdSep = '\x7F';
const char chPosSep = '\x83';

class LaunchProbe : public StandinTest {
protected:
    std::string strProbe;          /* full path of the probe */
    std::string strBinDir;         /* its folder, without the trailing backslash */

    void SetUp() override
    {
        StandinTest::SetUp();
        strProbe = strBin + "launchprobe.exe";
        strBinDir = strBin.substr(0, strBin.size() - 1);
    }

    std::map<std::string, std::string> Record(DWORD dwTimeout = 10000)
    {
        return WaitForRecord(strReportDir + "launch.txt", dwTimeout);
    }
    static std::string Launch(const std::string &strArgument)
    {
        return "LAUNCH\"" + strArgument + "\"";
    }
    static std::string LaunchSize(const std::string &strArgument)
    {
        return "LAUNCHSIZE\"" + strArgument + "\"";
    }
};

/* Startup flags as the probe reports them. */
std::string Flags(DWORD dwFlags)
{
    return std::to_string(dwFlags);
}

/* The startup record's position and size: "x,y,cx,cy". */
std::string Startup(std::map<std::string, std::string> &record)
{
    return record["x"] + "," + record["y"] + "," + record["cx"] + "," + record["cy"];
}

TEST_F(LaunchProbe, FileAloneStartsInItsFolder)
{
    Run(Launch(strProbe));
    auto record = Record();
    ASSERT_EQ(1u, record.count("cmdline")) << "the probe did not start";
    EXPECT_EQ(strProbe, record["cmdline"]);
    EXPECT_EQ("", record["args"]);
    EXPECT_STRCASEEQ(strBinDir.c_str(), record["cwd"].c_str());
    EXPECT_EQ(Flags(STARTF_USESHOWWINDOW), record["flags"]);
    EXPECT_EQ(std::to_string(SW_SHOWDEFAULT), record["show"]);
}

TEST_F(LaunchProbe, CommandLineIsPassed)
{
    /* Only the argument is the command line, not the items that follow it. */
    Run(Launch(strProbe + chCmdSep + "one  two") + ",LAUNCH\"\"");
    auto record = Record();
    EXPECT_EQ(strProbe + " one  two", record["cmdline"]);
    EXPECT_EQ("one  two", record["args"]);
}

TEST_F(LaunchProbe, LaunchSizePlacesAndSizesTheWindow)
{
    Run(LaunchSize(strProbe + chCmdSep + "sized" + chPosSep + "120,130,400,300"));
    auto record = Record();
    EXPECT_EQ("sized", record["args"]);
    EXPECT_EQ(Flags(STARTF_USESHOWWINDOW | STARTF_USEPOSITION | STARTF_USESIZE), record["flags"]);
    EXPECT_EQ("120,130,400,300", Startup(record));
    EXPECT_EQ("120,130,400,300", record["window"]);
}

TEST_F(LaunchProbe, XZeroIgnoresPositionAndSize)
{
    Run(LaunchSize(strProbe + chPosSep + "0,100,400,300"));
    auto record = Record();
    EXPECT_EQ(Flags(STARTF_USESHOWWINDOW), record["flags"]);
    EXPECT_NE("0,100,400,300", record["window"]);
}

TEST_F(LaunchProbe, TwoNumbersPlaceWithoutSizing)
{
    Run(LaunchSize(strProbe + chPosSep + "50,60"));
    auto record = Record();
    EXPECT_EQ(Flags(STARTF_USESHOWWINDOW | STARTF_USEPOSITION), record["flags"]);
    EXPECT_EQ("50,60,-1,-1", Startup(record));
    ASSERT_EQ(0u, record["window"].find("50,60,")) << record["window"];
    EXPECT_NE("50,60,-1,-1", record["window"]);
}

TEST_F(LaunchProbe, OddPositionFields)
{
    const DWORD dwPosition = STARTF_USESHOWWINDOW | STARTF_USEPOSITION;
    struct { const char *pszField; DWORD dwFlags; const char *pszStartup; } aCases[] = {
        { "+70,-20,+350,250,999,abc", dwPosition | STARTF_USESIZE, "70,-20,350,250" },
        /* Garbage reads 0; sizes of 0 become CW_USEDEFAULT. */
        { "left,top,,", STARTF_USESHOWWINDOW, "0,0,-2147483648,-2147483648" },
        { "80", dwPosition, "80,0,-1,-1" },
        /* The missing height stays -1: the system makes the window as low as it allows. */
        { "30,40,300", dwPosition | STARTF_USESIZE, "30,40,300,-1" },
    };
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.pszField);
        Run(LaunchSize(strProbe + chPosSep + c.pszField));
        auto record = Record();
        EXPECT_EQ(Flags(c.dwFlags), record["flags"]);
        EXPECT_EQ(c.pszStartup, Startup(record));
        DeleteFileA((strReportDir + "launch.txt").c_str());
    }
}

TEST_F(LaunchProbe, PositionBeforeCommandLine)
{
    Run(LaunchSize(strProbe + chPosSep + "40,45" + chCmdSep + "after"));
    auto record = Record();
    EXPECT_EQ("after", record["args"]);
    EXPECT_EQ(Flags(STARTF_USESHOWWINDOW | STARTF_USEPOSITION), record["flags"]);
    EXPECT_EQ("40,45,-1,-1", Startup(record));
}

TEST_F(LaunchProbe, BareFileNameStartsThroughWinExec)
{
    /* Its directory is the name itself, so both CreateProcess calls fail; WinExec finds
       the probe beside this program and shows it normally. */
    Run(Launch(std::string("launchprobe.exe") + chCmdSep + "bare"));
    auto record = Record();
    ASSERT_EQ(1u, record.count("cmdline")) << "the probe did not start";
    EXPECT_EQ("bare", record["args"]);
    EXPECT_EQ(std::to_string(SW_SHOWNORMAL), record["show"]);
}

TEST_F(LaunchProbe, SecondTryNamesTheProgramExactly)
{
    /* "launch probe.exe" beside a broken "launch.exe": the whole command line resolves to
       the broken program, so only the second try, naming the file, starts the probe; it
       gets the command line alone. */
    std::string strSpaced = strReportDir + "launch probe.exe";
    ASSERT_TRUE(CopyFileA(strProbe.c_str(), strSpaced.c_str(), FALSE));
    HANDLE hBroken = CreateFileA((strReportDir + "launch.exe").c_str(), GENERIC_WRITE, 0, NULL,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hBroken);
    DWORD cbWritten;
    WriteFile(hBroken, "not a program", 13, &cbWritten, NULL);
    CloseHandle(hBroken);

    Run(LaunchSize(strSpaced + chCmdSep + "second try" + chPosSep + "60,70,300,200"));
    auto record = Record();
    ASSERT_EQ(1u, record.count("cmdline")) << "the probe did not start";
    EXPECT_EQ("second try", record["cmdline"]);
    EXPECT_EQ(strReportDir.substr(0, strReportDir.size() - 1), record["cwd"]);
    EXPECT_EQ(std::to_string(SW_SHOWDEFAULT), record["show"]);
    EXPECT_EQ("60,70,300,200", record["window"]);
}

TEST_F(LaunchProbe, ABareNameOnlyAppPathsKnowsStartsFromThere)
{
    /* Registered in quotes, in a folder with a space that no search reaches; the stored
       name leaves out ".exe". A bare name registered nowhere starts nothing. */
    const std::string strFolder = strReportDir + "App Folder";
    const std::string strRegistered = strFolder + "\\probe.exe";
    ASSERT_TRUE(CreateDirectoryA(strFolder.c_str(), NULL));
    ASSERT_TRUE(CopyFileA(strProbe.c_str(), strRegistered.c_str(), FALSE));
    const char szKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\orvaneprobe.exe";
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, szKey, "", "\"" + strRegistered + "\""));

    Run(Launch("orvanenowhere.exe"));
    Run(LaunchSize(std::string("orvaneprobe") + chCmdSep + "registered" + chPosSep + "30,40,320,200"));
    auto record = Record();
    RegDeleteKeyA(HKEY_CURRENT_USER, szKey);
    WaitForStartedProgramsToEnd(10000);
    DeleteFileA(strRegistered.c_str());
    RemoveDirectoryA(strFolder.c_str());

    ASSERT_EQ(1u, record.count("cmdline")) << "the probe did not start";
    EXPECT_EQ("registered", record["args"]);
    EXPECT_STRCASEEQ(strFolder.c_str(), record["cwd"].c_str());
    EXPECT_EQ("30,40,320,200", record["window"]);
}

TEST_F(LaunchProbe, CommandLineLongerThanItsBufferIsCut)
{
    std::string strLong(600, 'a');
    Run(Launch(strProbe + chCmdSep + strLong));
    auto record = Record();
    EXPECT_EQ(std::string(254, 'a'), record["args"]);
}

TEST_F(LaunchProbe, NoFileOrAnOverlongFileStartsNothing)
{
    Run(Launch(std::string(1, chCmdSep) + "args"));
    Run(Launch(""));
    Run(LaunchSize(std::string(1, chPosSep) + "1,2,3,4"));
    Run(Launch(strBinDir + "\\" + std::string(400, 'n') + ".exe" + chCmdSep + "x"));
    /* A program missing from its folder: the folder this process works in stays its own. */
    char szOwnDir[MAX_PATH] = "", szAfter[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(szOwnDir), szOwnDir);
    Run(Launch(strReportDir + "missing.exe" + chCmdSep + "x"));
    GetCurrentDirectoryA(sizeof(szAfter), szAfter);
    EXPECT_STREQ(szOwnDir, szAfter);
    /* The engine is still sound: a proper launch after them works. */
    Run(Launch(strProbe + chCmdSep + "afterwards"));
    auto record = Record();
    EXPECT_EQ("afterwards", record["args"]);
    PumpMessages(500);
    std::vector<std::string> lines = ReadLines(strReportDir + "launch.txt");
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "end"));
}

} // namespace
