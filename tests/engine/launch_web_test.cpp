/*
 * launch_web_test.cpp - WEBADDRESS and SendWebAddress end to end: the ".htm" open command
 * is pointed at the browser stand-ins (IEXPLORE.EXE, NETSCAPE.EXE), which serve DDE or
 * record how they were started, and Wine's winebrowser hands the shell's addresses to a
 * recording script.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>
#include "Corvalin.h"
#include "standin_reports.h"
#include "testsupport.h"

namespace {

const char szTestClass[] = "OrvaneTest.htmfile";
const char szServerClass[] = "OrvaneBrowserServer";
const char szWineBrowserKey[] = "Software\\Wine\\WineBrowser";

/* The Unix path of a Windows path, through Wine's own conversion. */
std::string UnixPath(const std::string &strPath)
{
    typedef char *(CDECL *UNIXNAMEPROC)(LPCWSTR);
    UNIXNAMEPROC pfnUnixName = (UNIXNAMEPROC)(void (*)(void))GetProcAddress(
        GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    if (pfnUnixName == NULL)
        return std::string();
    WCHAR wszPath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, strPath.c_str(), -1, wszPath, MAX_PATH);
    char *pszUnix = pfnUnixName(wszPath);
    if (pszUnix == NULL)
        return std::string();
    std::string strUnix = pszUnix;
    HeapFree(GetProcessHeap(), 0, pszUnix);
    return strUnix;
}

class WebAddress : public StandinTest {
protected:
    std::string strShellReport;     /* where the winebrowser script records */
    bool bHadHtmKey = false, bHadHtm = false, bHadBrowsers = false;
    std::string strOldHtm, strOldBrowsers;

    void SetUp() override
    {
        StandinTest::SetUp();
        strShellReport = strBin + "winebrowser.txt";
        DeleteFileA(strShellReport.c_str());

        HKEY hHtm;
        bHadHtmKey = RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_READ, &hHtm) == ERROR_SUCCESS;
        if (bHadHtmKey)
            RegCloseKey(hHtm);
        bHadHtm = ReadRegString(HKEY_CLASSES_ROOT, ".htm", NULL, &strOldHtm);
        bHadBrowsers = ReadRegString(HKEY_CURRENT_USER, szWineBrowserKey, "Browsers",
                                     &strOldBrowsers);
        ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".htm", NULL, szTestClass));
        std::string strScript = UnixPath(strBin + "record-browser.sh");
        ASSERT_FALSE(strScript.empty());
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, szWineBrowserKey, "Browsers", strScript));
    }

    void TearDown() override
    {
        DeleteRegKey(HKEY_CLASSES_ROOT, szTestClass);
        if (bHadHtm)
            WriteRegString(HKEY_CLASSES_ROOT, ".htm", NULL, strOldHtm);
        else if (bHadHtmKey)
            DeleteRegValue(HKEY_CLASSES_ROOT, ".htm", NULL);
        else
            DeleteRegKey(HKEY_CLASSES_ROOT, ".htm");
        if (bHadBrowsers)
            WriteRegString(HKEY_CURRENT_USER, szWineBrowserKey, "Browsers", strOldBrowsers);
        else
            DeleteRegValue(HKEY_CURRENT_USER, szWineBrowserKey, "Browsers");
        DeleteFileA(strShellReport.c_str());
        StandinTest::TearDown();
    }

    /* Makes lpszCommand (with "{bin}" standing for the program folder) the ".htm" open
       command. */
    void SetHtmCommand(std::string strCommand)
    {
        size_t iBin = strCommand.find("{bin}");
        if (iBin != std::string::npos)
            strCommand.replace(iBin, 5, strBin);
        EXPECT_TRUE(WriteRegString(HKEY_CLASSES_ROOT,
                                   (std::string(szTestClass) + "\\shell\\open\\command").c_str(),
                                   NULL, strCommand));
    }

    /* Starts IEXPLORE or NETSCAPE serving DDE under lpszService. */
    void StartServer(const char *pszProgram, const char *pszService)
    {
        ASSERT_TRUE(Start("\"" + strBin + pszProgram + ".EXE\" -dde", szServerClass, pszService))
            << pszProgram << " did not start serving DDE";
    }

    std::vector<std::string> BrowserLines(size_t cLines, DWORD dwTimeout = 10000)
    {
        return ReportLines("browser.txt", cLines, dwTimeout);
    }

    /* The server saw one whole conversation per transaction: connect, the transaction,
       disconnect (the engine released its side). */
    void ExpectConversations(const char *pszService, const std::vector<std::string> &transactions)
    {
        std::vector<std::string> expected;
        for (const std::string &strTransaction : transactions) {
            expected.push_back(std::string("connect ") + pszService + " WWW_OpenURL");
            expected.push_back(strTransaction);
            expected.push_back(std::string("disconnect ") + pszService);
        }
        std::vector<std::string> lines = BrowserLines(expected.size());
        EXPECT_TRUE(WaitForStartedProgramsToEnd());
        EXPECT_EQ(expected, ReadLines(strReportDir + "browser.txt"));
    }
};

TEST_F(WebAddress, InternetExplorerGetsADdeExecute)
{
    SetHtmCommand("\"{bin}IExplore.exe\" -nohome");
    StartServer("IEXPLORE", "IEXPLORE");
    Run("WEBADDRESS\"http://example.test/a?b=1,c\"");
    ExpectConversations("IEXPLORE",
                        { "execute IEXPLORE WWW_OpenURL \"http://example.test/a?b=1,c\",,-1,,,,," });
    /* Nothing else was tried (ExpectConversations saw every started program end). */
    EXPECT_TRUE(ReadLines(strShellReport).empty());
}

TEST_F(WebAddress, AddressWithQuotesGoesAsItIs)
{
    SetHtmCommand("C:\\PROGRA~1\\INTERN~1\\IEXPLORE.EXE %1");
    StartServer("IEXPLORE", "IEXPLORE");
    EXPECT_EQ(1, SendWebAddress("say \"\"hi\"\"", SW_SHOW));
    ExpectConversations("IEXPLORE", { "execute IEXPLORE WWW_OpenURL \"say \"\"hi\"\"\",,-1,,,,," });
}

TEST_F(WebAddress, NetscapeGetsADdeRequest)
{
    SetHtmCommand("\"{bin}NETSCAPE.EXE\" \"%1\"");
    StartServer("NETSCAPE", "Netscape");
    EXPECT_EQ(1, SendWebAddress("http://example.test/ns", SW_SHOW));
    ExpectConversations("Netscape",
                        { "request Netscape WWW_OpenURL \"http://example.test/ns\",,0xffffffff,0x4,,," });
}

TEST_F(WebAddress, EachAddressHasItsOwnConversation)
{
    SetHtmCommand("\"{bin}NETSCAPE.EXE\" \"%1\"");
    StartServer("NETSCAPE", "Netscape");
    std::vector<std::string> transactions;
    for (int i = 0; i < 3; i++) {
        std::string strAddress = "http://example.test/" + std::to_string(i);
        EXPECT_EQ(1, SendWebAddress(strAddress.c_str(), SW_SHOW));
        transactions.push_back("request Netscape WWW_OpenURL \"" + strAddress +
                               "\",,0xffffffff,0x4,,,");
    }
    ExpectConversations("Netscape", transactions);
}

TEST_F(WebAddress, NoDdeServerFallsBackToTheShell)
{
    SetHtmCommand("\"{bin}IEXPLORE.EXE\" -nohome");
    EXPECT_EQ(1, SendWebAddress("http://example.test/shell", SW_SHOW));
    std::vector<std::string> lines = WaitForLines(strShellReport, 1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("open http://example.test/shell", lines[0]);
}

TEST_F(WebAddress, UnknownBrowserIsNotAskedByDde)
{
    /* No ".exe" in the command: no DDE, even with a browser serving it. */
    SetHtmCommand("\"{bin}NETSCAPE\" %1");
    StartServer("NETSCAPE", "Netscape");
    Run("WEBADDRESS\"http://example.test/plain\"");
    std::vector<std::string> lines = WaitForLines(strShellReport, 1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("open http://example.test/plain", lines[0]);
    EXPECT_TRUE(ReadLines(strReportDir + "browser.txt").empty());
}

TEST_F(WebAddress, ShellFailureRunsTheBrowserCommand)
{
    /* A page that does not exist cannot be opened by the shell; the browser command is
       run with the address instead, cut where its placeholder begins. */
    struct { const char *pszCommand, *pszStarted; } aCases[] = {
        { "{bin}NETSCAPE.EXE %1", "start NETSCAPE missing-page.htm" },
        /* The blank before the cut placeholder stays, and one more joins the address. */
        { "\"{bin}NETSCAPE.EXE\" -url \"%1\"", "start NETSCAPE -url  missing-page.htm" },
        { "\"{bin}NETSCAPE.EXE\" -nohome", "start NETSCAPE -nohome missing-page.htm" },
    };
    size_t cStarted = 0;
    for (const auto &c : aCases) {
        SetHtmCommand(c.pszCommand);
        EXPECT_EQ(1, SendWebAddress("missing-page.htm", SW_SHOW)) << c.pszCommand;
        std::vector<std::string> lines = BrowserLines(++cStarted);
        ASSERT_EQ(cStarted, lines.size()) << c.pszCommand;
        EXPECT_EQ(c.pszStarted, lines.back());
    }
}

TEST_F(WebAddress, NoBrowserCommandFails)
{
    /* ".htm" names a class without an open command. */
    EXPECT_EQ(0, SendWebAddress("missing-page.htm", SW_SHOW));
    SetHtmCommand("{bin}no-such-browser.exe %1");
    EXPECT_EQ(0, SendWebAddress("missing-page.htm", SW_SHOW));
    EXPECT_TRUE(WaitForStartedProgramsToEnd());
    EXPECT_TRUE(ReadLines(strReportDir + "browser.txt").empty());
}

TEST_F(WebAddress, LongAddressIsSentWhole)
{
    SetHtmCommand("\"{bin}IEXPLORE.EXE\" -nohome");
    StartServer("IEXPLORE", "IEXPLORE");
    std::string strAddress = "http://example.test/" + std::string(700, 'p');
    EXPECT_EQ(1, SendWebAddress(strAddress.c_str(), SW_SHOW));
    ExpectConversations("IEXPLORE", { "execute IEXPLORE WWW_OpenURL \"" + strAddress + "\",,-1,,,,," });
}

/* Windows of this thread, message-only ones included: a DDE instance that is not released
   keeps its windows. */
int CountThreadWindows()
{
    int cWindows = 0;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND, LPARAM lParam) -> BOOL {
        ++*(int *)lParam;
        return TRUE;
    }, (LPARAM)&cWindows);
    for (HWND hWnd = NULL; (hWnd = FindWindowExA(HWND_MESSAGE, hWnd, NULL, NULL)) != NULL;)
        if (GetWindowThreadProcessId(hWnd, NULL) == GetCurrentThreadId())
            cWindows++;
    return cWindows;
}

TEST_F(WebAddress, DdeConversationsAreReleased)
{
    /* Only the answered path is counted: when no server answers, Wine's DdeConnect keeps
       the client window it made for the attempt, whatever the caller releases. */
    SetHtmCommand("\"{bin}IEXPLORE.EXE\" -nohome");
    StartServer("IEXPLORE", "IEXPLORE");
    EXPECT_EQ(1, SendWebAddress("http://example.test/first", SW_SHOW));
    PumpMessages(200);
    int cWindows = CountThreadWindows();
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(1, SendWebAddress("http://example.test/again", SW_SHOW));
    PumpMessages(200);
    EXPECT_EQ(cWindows, CountThreadWindows());
    std::vector<std::string> lines = BrowserLines(3 * 6);
    EXPECT_EQ(6, std::count(lines.begin(), lines.end(), "disconnect IEXPLORE"));
}

} // namespace
