/*
 * automode_test.cpp - automatic modes as a person meets them: programs with a pair come to
 * the front and the tray program's mode follows (the icon and its tip, the mode's own
 * command, the next press), a program without one brings back the mode chosen by hand, a
 * mode button holds until another program comes to the front, the switch stops it all, and
 * the press log says why the mode changed. The programs are copies of the probe under
 * names of their own; what a press runs reaches the probe in front, which records it.
 */
#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <string>
#include "autopairs.h"
#include "probe_client.h"
#include "OrvaneStore.h"
#include "testsupport.h"
#include "traytest.h"

namespace {

/* Raw codes of the test assignments: the mode buttons, then digits 1 and 2 (buttons 0, 1). */
enum { RAW_PC = 16, RAW_WEB, RAW_PHONE, RAW_DVD, RAW_CD, RAW_ONE = 33, RAW_TWO = 34 };
enum { PC, WEB, PHONE, DVD, CD };
const char *const pszModeKeys[] = { "PC", "WEB", "Phone", "DVD", "CD" };
const char szPairsKey[] = ORVANE_ROOT_KEY "\\" STORE_AUTOMODE_KEY;
const char szWebProgram[] = "autoprobe-web.exe";
const char szDvdProgram[] = "autoprobe-dvd.exe";

class AutoModeTest : public ::testing::Test {
protected:
    tagTELLUMO tProgram = {};
    ProbeProcess ppWeb, ppDvd, ppOther;
    BYTE bLastDigit = RAW_TWO;
    std::map<DWORD, bool> mListNext;     /* by process: the field the next click goes to */

    void SetUp() override
    {
        ASSERT_TRUE(PrepareReceiver());
        ASSERT_TRUE(InstallTestAssignments());
        /* In mode m, button 0, button 1 and the mode's own command post 0x(m+1)00, 0x(m+1)01
           and 0x(m+1)FF to the window in front. */
        for (int m = 0; m < 5; m++) {
            std::string strKey = std::string(ORVANE_ROOT_KEY "\\") + pszModeKeys[m];
            char szCommand[32];
            for (const char *pszButton : { "0", "1", "Default" }) {
                int iLow = pszButton[0] == 'D' ? 0xFF : pszButton[0] - '0';
                snprintf(szCommand, sizeof(szCommand), "MESSAGE\"[8123:%X%02X]\"", m + 1, iLow);
                WriteRegString(HKEY_CURRENT_USER, strKey.c_str(), pszButton, szCommand);
            }
        }
        ForgetAutoModes();
        for (const char *pszCopy : { szWebProgram, szDvdProgram })
            ASSERT_TRUE(CopyFileA((BinaryDir() + "probe.exe").c_str(), (BinaryDir() + pszCopy).c_str(), FALSE));
        CreateSink();
    }

    void TearDown() override
    {
        if (tProgram.pi.hProcess != NULL)
            CloseTellumo(&tProgram);
        for (ProbeProcess *pp : { &ppWeb, &ppDvd, &ppOther })
            StopProbe(pp);
        DestroySink();
        ForgetAutoModes();
    }

    static void ForgetAutoModes()
    {
        DeleteRegKey(HKEY_CURRENT_USER, szPairsKey);
        DeleteRegValue(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, AUTOMODE_SWITCH);
    }

    static void Pair(const std::string &strProgram, const std::string &strMode)
    {
        WriteRegString(HKEY_CURRENT_USER, szPairsKey, strProgram.c_str(), strMode);
    }

    static void Switch(DWORD dwType, DWORD dwValue, DWORD cbValue)
    {
        HKEY hKey;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, 0, NULL, 0, KEY_SET_VALUE,
                                                 NULL, &hKey, NULL));
        RegSetValueExA(hKey, AUTOMODE_SWITCH, 0, dwType, (const BYTE *)&dwValue, cbValue);
        RegCloseKey(hKey);
    }

    /* Tellumo, and the three programs: the two copies (the first with a second window) and
       the probe itself. */
    void Start()
    {
        ASSERT_TRUE(StartTellumo(&tProgram));
        /* Right of the sink (100, 100 to 400, 300), clear of each other and of the tray. */
        ASSERT_TRUE(StartProbe(&ppWeb, "automode-web", { "W,440,20,270,200", "W2,730,20,270,200" }, szWebProgram));
        ASSERT_TRUE(StartProbe(&ppDvd, "automode-dvd", { "D,440,250,270,200" }, szDvdProgram));
        ASSERT_TRUE(StartProbe(&ppOther, "automode-other", { "P,730,250,270,200" }));
        /* A program that starts comes to the front, and the tray program may follow it.
           The test program has no pair: with it in front, a press runs in PC, chosen by hand
           at the start. */
        BringSinkToFront();
        ClearSink();
        bLastDigit = RAW_ONE;
        PostCode(tProgram.hWnd, RAW_ONE);
        ASSERT_TRUE(WaitFor([] {
            return std::any_of(SinkHits().begin(), SinkHits().end(), [](const tagSINKHIT &hit) { return hit.wParam == 0x100; });
        }));
        EXPECT_TRUE(TrayShowsMode(PC, 0));
    }

    static HWND FocusOf(HWND hWnd)
    {
        GUITHREADINFO gti = {};
        gti.cbSize = sizeof(gti);
        return GetGUIThreadInfo(GetWindowThreadProcessId(hWnd, NULL), &gti) ? gti.hwndFocus : NULL;
    }

    /* Brings a probe window to the front as a person does, with a click into one of its
       fields: the other one than last time in that program, so that the click moves the
       focus, which every system reports (Wine reports nothing else). Waits until the field
       has the focus: by then the tray program has been told. */
    void Front(const char *pszWindow)
    {
        HWND hWnd = ProbeWindow(pszWindow);
        ASSERT_NE(nullptr, hWnd) << pszWindow;
        DWORD dwProcess = 0;
        GetWindowThreadProcessId(hWnd, &dwProcess);
        bool &bList = mListNext[dwProcess];
        HWND hField = FindWindowExA(hWnd, NULL, bList ? "ListBox" : "Edit", NULL);
        bList = !bList;
        RECT rc;
        GetWindowRect(hField, &rc);
        bool bInFront = false;
        /* A click can be lost while the desktop is busy: a person clicks again. */
        for (int iClick = 0; iClick < 3 && !bInFront; iClick++) {
            ClickAt({ (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 }, false);
            bInFront = WaitFor([&] { return GetForegroundWindow() == hWnd && FocusOf(hWnd) == hField; }, 2000);
        }
        ASSERT_TRUE(bInFront) << pszWindow;
    }

    /* Brings a probe window to the front from outside, its focus where it was: the system
       may not tell the tray program (Wine does not). */
    static void FrontUntold(const char *pszWindow)
    {
        HWND hWnd = ProbeWindow(pszWindow);
        ASSERT_NE(nullptr, hWnd) << pszWindow;
        SetForegroundWindow(hWnd);
        ASSERT_TRUE(WaitFor([&] {
            HWND hFocus = FocusOf(hWnd);
            return GetForegroundWindow() == hWnd && (hFocus == hWnd || IsChild(hWnd, hFocus));
        }, 5000)) << pszWindow;
    }

    /* The line of a probe's log for message 8123 with this wParam. */
    static std::string Hit(const char *pszWindow, unsigned uiWParam)
    {
        return std::string("queued ") + pszWindow + " 0x8123 " + ProbeHex(uiWParam) + " 0x0";
    }

    /* Waits until the probe records one more hit than it had, in the window in front. */
    static ::testing::AssertionResult Records(const ProbeProcess &pp, const std::string &strHit, size_t cBefore)
    {
        if (WaitFor([&] { return ProbeLines(pp, strHit).size() > cBefore; }, 5000))
            return ::testing::AssertionSuccess();
        ::testing::AssertionResult arFailure = ::testing::AssertionFailure();
        arFailure << "no \"" << strHit << "\"; recorded:";
        for (const std::string &strLine : ProbeLines(pp, "queued "))
            arFailure << " [" << strLine << "]";
        return arFailure;
    }

    /* Presses digit 1 or 2 (in turn: the same one again would be a repeat) and checks in
       which mode it ran by what reached the window in front. */
    ::testing::AssertionResult NextPressRunsIn(const ProbeProcess &pp, const char *pszWindow, int iMode)
    {
        bLastDigit = bLastDigit == RAW_ONE ? RAW_TWO : RAW_ONE;
        std::string strHit = Hit(pszWindow, (iMode + 1) * 0x100 + (bLastDigit - RAW_ONE));
        size_t cBefore = ProbeLines(pp, strHit).size();
        PostCode(tProgram.hWnd, bLastDigit);
        return Records(pp, strHit, cBefore);
    }

    /* The mode changed for the program in front as a mode button changes it: the icon shows
       it and the mode's own command reached the program. */
    static void ExpectModeChosen(const ProbeProcess &pp, const char *pszWindow, int iMode, size_t cCommandsBefore)
    {
        EXPECT_TRUE(TrayShowsMode(iMode, 0));
        EXPECT_TRUE(Records(pp, Hit(pszWindow, (iMode + 1) * 0x100 + 0xFF), cCommandsBefore));
    }
};

} // namespace

/* Two programs with pairs to two modes and one whose pair names a mode that no longer
   exists; pairs by file name in other letter case and without extension, by full path (which
   wins over the file name), and values that are no use at all. */
TEST_F(AutoModeTest, ProgramsInFrontChooseTheirModesAndThePressLogSaysWhy)
{
    Pair("AUTOPROBE-WEB", "web");
    Pair(BinaryDir() + szDvdProgram, "DVD");
    Pair(szDvdProgram, "Phone");
    Pair("probe.exe", "Video");
    Pair("", "CD");
    Pair(std::string(300, 'x') + ".exe", "CD");
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, szPairsKey, 0, KEY_SET_VALUE, &hKey));
    RegSetValueExA(hKey, "probe", 0, REG_BINARY, (const BYTE *)"CD", 3);
    RegCloseKey(hKey);
    Start();
    PostMessageA(tProgram.hWnd, WM_COMMAND, 264, 0);
    HWND hLog = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hLog = FindWindowA("TELLUMOLOG", "Press Log")) != NULL; }, 5000));
    SetWindowPos(hLog, NULL, 0, 470, 430, 250, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(TrayShowsMode(PC, 0));

    Front("W");
    ExpectModeChosen(ppWeb, "W", WEB, 0);
    EXPECT_TRUE(NextPressRunsIn(ppWeb, "W", WEB));
    Front("D");
    ExpectModeChosen(ppDvd, "D", DVD, 0);
    EXPECT_TRUE(NextPressRunsIn(ppDvd, "D", DVD));
    Front("P");
    ExpectModeChosen(ppOther, "P", PC, 0);
    EXPECT_TRUE(NextPressRunsIn(ppOther, "P", PC));
    Front("W");
    ExpectModeChosen(ppWeb, "W", WEB, 1);
    /* Told or not, a press runs in the mode of the program in front. */
    FrontUntold("D");
    EXPECT_TRUE(NextPressRunsIn(ppDvd, "D", DVD));
    EXPECT_TRUE(TrayShowsMode(DVD, 0));

    std::vector<std::string> vWanted = {
        "\tautomatic\tmode WEB, autoprobe-web.exe in front\tMESSAGE\"[8123:2FF]\"",
        "0x22\t\tbutton 1, WEB\tMESSAGE\"[8123:201]\"",
        "\tautomatic\tmode DVD, autoprobe-dvd.exe in front\tMESSAGE\"[8123:4FF]\"",
        "0x21\t\tbutton 0, DVD\tMESSAGE\"[8123:400]\"",
        "\tautomatic\tmode PC as chosen by hand, probe.exe in front\tMESSAGE\"[8123:1FF]\"",
        "0x22\t\tbutton 1, PC\tMESSAGE\"[8123:101]\"",
        "\tautomatic\tmode WEB, autoprobe-web.exe in front\tMESSAGE\"[8123:2FF]\"",
        "\tautomatic\tmode DVD, autoprobe-dvd.exe in front\tMESSAGE\"[8123:4FF]\"",
        "0x21\t\tbutton 0, DVD\tMESSAGE\"[8123:400]\"",
    };
    std::vector<std::string> vLines;
    ASSERT_TRUE(WaitFor([&] {
        vLines.clear();
        for (const std::string &strLine : PressLogLines(hLog))
            vLines.push_back(WithoutTime(strLine));
        return vLines.size() >= vWanted.size();
    }, 3000)) << vLines.size() << " lines";
    EXPECT_EQ(vWanted, vLines);
    SaveScreenShot("automode-press-log.bmp");
}

/* A mode button chooses the mode by hand: it holds while the same program stays in front,
   even in another of its windows; another program's pair takes over, and a program without
   one brings back the mode chosen by hand. */
TEST_F(AutoModeTest, AModeButtonHoldsUntilAnotherProgramComesToTheFront)
{
    Pair(szWebProgram, "WEB");
    Pair(szDvdProgram, "DVD");
    Start();
    Front("W");
    ExpectModeChosen(ppWeb, "W", WEB, 0);

    PostCode(tProgram.hWnd, RAW_CD);
    ExpectModeChosen(ppWeb, "W", CD, 0);
    EXPECT_TRUE(NextPressRunsIn(ppWeb, "W", CD));
    Front("W2");
    EXPECT_TRUE(NextPressRunsIn(ppWeb, "W2", CD));
    EXPECT_TRUE(TrayShowsMode(CD, 0));

    Front("D");
    ExpectModeChosen(ppDvd, "D", DVD, 0);
    EXPECT_TRUE(NextPressRunsIn(ppDvd, "D", DVD));
    Front("P");
    ExpectModeChosen(ppOther, "P", CD, 0);
    EXPECT_TRUE(NextPressRunsIn(ppOther, "P", CD));
    Front("W");
    ExpectModeChosen(ppWeb, "W", WEB, 1);
}

/* Switched off, the mode changes only by the mode buttons; switched on again it follows at
   the next change of the program in front. A switch value that is no byte leaves it on. */
TEST_F(AutoModeTest, SwitchedOffTheModeStaysWhereTheButtonsPutIt)
{
    Pair(szWebProgram, "WEB");
    Pair(szDvdProgram, "DVD");
    Start();
    Front("W");
    ExpectModeChosen(ppWeb, "W", WEB, 0);

    Switch(REG_BINARY, 0, 1);
    Front("D");
    EXPECT_TRUE(NextPressRunsIn(ppDvd, "D", WEB));
    Front("P");
    EXPECT_TRUE(NextPressRunsIn(ppOther, "P", WEB));
    PostCode(tProgram.hWnd, RAW_PHONE);
    ExpectModeChosen(ppOther, "P", PHONE, 0);
    Front("W");
    EXPECT_TRUE(NextPressRunsIn(ppWeb, "W", PHONE));
    EXPECT_EQ(0u, ProbeLines(ppDvd, Hit("D", 0x4FF)).size()) << "DVD's own command never ran";

    /* Switched on again: the next press finds the program in front and its pair. */
    Switch(REG_BINARY, 1, 1);
    EXPECT_TRUE(NextPressRunsIn(ppWeb, "W", WEB));
    Front("D");
    ExpectModeChosen(ppDvd, "D", DVD, 0);
    Switch(REG_DWORD, 0, sizeof(DWORD));
    Front("P");
    ExpectModeChosen(ppOther, "P", PHONE, 1);
    EXPECT_TRUE(NextPressRunsIn(ppOther, "P", PHONE));
}
