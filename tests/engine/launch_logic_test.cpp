/*
 * launch_logic_test.cpp - splitting launch arguments and finding the program a browser
 * command names: the routines that touch no process, window or registry.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "Corvalin_launch.h"

/* The module that Corvalin_launch.cpp names as its own (this program, here). */
HINSTANCE hInstance = GetModuleHandleA(NULL);

namespace {

const std::string strCmdSep(1, CMDLINE_SEPARATOR);
const std::string strPosSep(1, EXTRA_SEPARATOR);

struct ParsedLaunch {
    std::string strFile;
    std::string strCmdLine;
    std::string strDir;
    RECT rPos;
};

/* The fields LaunchApp takes from an argument, through the same calls and sizes. */
ParsedLaunch Parse(const std::string &strArgument)
{
    ParsedLaunch parsed;
    char szFile[LAUNCH_BUFFER], szCmdLine[LAUNCH_BUFFER], szDir[LAUNCH_BUFFER];
    memset(szFile, 'x', sizeof(szFile));
    EXPECT_EQ(1, GetLaunchParams(strArgument.c_str(), szFile, &parsed.rPos, LAUNCH_BUFFER - 1));
    ReplaceChar(szFile, '\0');
    GetCmdLine(strArgument.c_str(), szCmdLine, LAUNCH_BUFFER - 1);
    GetDir(szFile, szDir, LAUNCH_BUFFER - 1);
    parsed.strFile = szFile;
    parsed.strCmdLine = szCmdLine;
    parsed.strDir = szDir;
    return parsed;
}

void ExpectRect(const RECT &r, LONG x, LONG y, LONG cx, LONG cy)
{
    EXPECT_EQ(x, r.left);
    EXPECT_EQ(y, r.top);
    EXPECT_EQ(cx, r.right);
    EXPECT_EQ(cy, r.bottom);
}

TEST(LaunchArguments, FieldShapes)
{
    ParsedLaunch p = Parse("C:\\Tools\\edit.exe");
    EXPECT_EQ("C:\\Tools\\edit.exe", p.strFile);
    EXPECT_EQ("", p.strCmdLine);
    EXPECT_EQ("C:\\Tools", p.strDir);
    ExpectRect(p.rPos, 0, 0, 0, 0);

    p = Parse("C:\\Tools\\edit.exe" + strCmdSep + "/a b.txt");
    EXPECT_EQ("C:\\Tools\\edit.exe", p.strFile);
    EXPECT_EQ("/a b.txt", p.strCmdLine);
    ExpectRect(p.rPos, 0, 0, 0, 0);

    p = Parse("C:\\Tools\\edit.exe" + strPosSep + "10,20,300,200");
    EXPECT_EQ("C:\\Tools\\edit.exe", p.strFile);
    EXPECT_EQ("", p.strCmdLine);
    ExpectRect(p.rPos, 10, 20, 300, 200);

    p = Parse("C:\\Tools\\edit.exe" + strCmdSep + "-x" + strPosSep + "50,60");
    EXPECT_EQ("C:\\Tools\\edit.exe", p.strFile);
    EXPECT_EQ("-x", p.strCmdLine);
    ExpectRect(p.rPos, 50, 60, -1, -1);
}

TEST(LaunchArguments, PositionFieldNumbers)
{
    struct { const char *pszField; LONG x, y, cx, cy; } aCases[] = {
        { "0,100,400,300", 0, 100, 400, 300 },
        { "+5,-7,+30,-40", 5, -7, 30, -40 },
        { "12", 12, 0, -1, -1 },                 /* x alone */
        { "12,", 12, 0, -1, -1 },
        { "1,2,3", 1, 2, 3, -1 },
        { "10,20,30,40,50,60", 10, 20, 30, 40 },  /* extra numbers are ignored */
        { "abc,def,,", 0, 0, 0, 0 },              /* garbage reads as 0 */
        { ",,,", 0, 0, 0, 0 },
        { " 7 , 8", 7, 8, -1, -1 },
        { "", 0, 0, -1, -1 },
    };
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.pszField);
        ParsedLaunch p = Parse(std::string("p.exe") + strPosSep + c.pszField);
        EXPECT_EQ("p.exe", p.strFile);
        ExpectRect(p.rPos, c.x, c.y, c.cx, c.cy);
    }
}

TEST(LaunchArguments, SeparatorsInOddPlaces)
{
    /* Position before the command line: the command line still runs to the end. */
    ParsedLaunch p = Parse("p.exe" + strPosSep + "50,60" + strCmdSep + "args");
    EXPECT_EQ("p.exe", p.strFile);
    EXPECT_EQ("args", p.strCmdLine);
    ExpectRect(p.rPos, 50, 60, -1, -1);

    /* No file: everything else is still read. */
    p = Parse(strCmdSep + "args" + strPosSep + "5,6,7,8");
    EXPECT_EQ("", p.strFile);
    EXPECT_EQ("args", p.strCmdLine);
    ExpectRect(p.rPos, 5, 6, 7, 8);

    /* Two command-line separators: the second belongs to the command line. */
    p = Parse("p.exe" + strCmdSep + strCmdSep + "args");
    EXPECT_EQ(strCmdSep + "args", p.strCmdLine);

    /* Empty argument, lone separators. */
    p = Parse("");
    EXPECT_EQ("", p.strFile);
    EXPECT_EQ("", p.strCmdLine);
    p = Parse(strPosSep);
    EXPECT_EQ("", p.strFile);
    ExpectRect(p.rPos, 0, 0, -1, -1);
    p = Parse(strCmdSep);
    EXPECT_EQ("", p.strFile);
    EXPECT_EQ("", p.strCmdLine);
}

TEST(LaunchArguments, LongFieldsAreCutToTheirBuffers)
{
    std::string strLongFile = "C:\\" + std::string(400, 'f') + "\\p.exe";
    std::string strLongCmd(600, 'c');
    ParsedLaunch p = Parse(strLongFile + strCmdSep + strLongCmd + strPosSep + "1,2,3,4");
    EXPECT_EQ(strLongFile.substr(0, LAUNCH_BUFFER - 1), p.strFile);
    EXPECT_EQ(std::string(LAUNCH_BUFFER - 2, 'c'), p.strCmdLine);
    EXPECT_EQ("C:", p.strDir);    /* the cut name keeps only the first backslash */
    ExpectRect(p.rPos, 1, 2, 3, 4);

    /* The copy stops at the given length and is always terminated. */
    char szSmall[6];
    memset(szSmall, 'x', sizeof(szSmall));
    RECT r;
    GetLaunchParams("abcdefghij", szSmall, &r, 5);
    EXPECT_STREQ("abcde", szSmall);
    GetCmdLine((strCmdSep + "abcdefghij").c_str(), szSmall, 6);
    EXPECT_STREQ("abcde", szSmall);
    GetDir("abcdefghij\\x", szSmall, 6);
    EXPECT_STREQ("abcde", szSmall);
}

TEST(LaunchArguments, NullPointersAreRefused)
{
    char szFile[16];
    RECT r;
    EXPECT_EQ(0, GetLaunchParams(NULL, szFile, &r, 15));
    EXPECT_EQ(0, GetLaunchParams("a", NULL, &r, 15));
    EXPECT_EQ(0, GetLaunchParams("a", szFile, NULL, 15));
}

TEST(LaunchArguments, DirectoryOfAFile)
{
    struct { const char *pszFile, *pszDir; } aCases[] = {
        { "C:\\a\\b\\c.exe", "C:\\a\\b" },
        { "C:\\c.exe", "C:" },
        { "c.exe", "c.exe" },                 /* bare name: the whole name */
        { "\\c.exe", "\\c.exe" },             /* only a leading backslash */
        { "\\\\server\\share\\c.exe", "\\\\server\\share" },
        { "", "" },
    };
    for (const auto &c : aCases) {
        char szDir[LAUNCH_BUFFER];
        GetDir(c.pszFile, szDir, sizeof(szDir));
        EXPECT_STREQ(c.pszDir, szDir) << c.pszFile;
    }
}

/* GetExecutableName's result as a std::string, "(null)" when there is none. */
std::string ExecutableName(const char *pszCommand)
{
    LPSTR lpszName = GetExecutableName(pszCommand);
    if (lpszName == NULL)
        return "(null)";
    std::string strName = lpszName;
    LocalFree(lpszName);
    return strName;
}

TEST(BrowserCommand, ExecutableName)
{
    EXPECT_EQ("iexplore.exe",
              ExecutableName("\"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\" -nohome"));
    EXPECT_EQ("netscape.exe", ExecutableName("C:\\NETSCAPE\\Program\\Netscape.exe \"%1\""));
    EXPECT_EQ("browser.exe", ExecutableName("browser.exe %1"));
    EXPECT_EQ("\"my.exe", ExecutableName("\"my.exe\""));
    EXPECT_EQ("(null)", ExecutableName("C:\\Tools\\browser %1"));
    EXPECT_EQ("(null)", ExecutableName(""));
    /* The first ".exe" counts, even inside a folder name. */
    EXPECT_EQ("a.exe", ExecutableName("C:\\a.exe\\b.exe"));
}

} // namespace
