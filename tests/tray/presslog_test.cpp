/*
 * presslog_test.cpp - Tellumo's press log as a person uses it: opened from the icon's menu,
 * watched while the virtual remote presses buttons, copied to the clipboard, cleared,
 * resized and closed. The lines are read from the log's list and from the clipboard.
 */
#include <gtest/gtest.h>
#include <regex>
#include "testsupport.h"
#include "traytest.h"
#include "traywatch.h"

static const char szLogClass[] = "TELLUMOLOG";
static const char szLogTitle[] = "Press Log";

class PressLogTest : public ::testing::Test {
protected:
    tagTELLUMO tProgram = {};

    void SetUp() override
    {
        ASSERT_TRUE(PrepareReceiver());
        ASSERT_TRUE(InstallTestAssignments());
        CreateSink();
        ASSERT_TRUE(StartTellumo(&tProgram));
    }

    void TearDown() override
    {
        if (tProgram.pi.hProcess != NULL)
            CloseTellumo(&tProgram);
        DestroySink();
    }

    int CountLogs()
    {
        return CountTellumoWindows(&tProgram, szLogClass, szLogTitle);
    }

    HWND OpenLog()
    {
        PostMessageA(tProgram.hWnd, WM_COMMAND, 264, 0);
        EXPECT_TRUE(WaitFor([&] { return CountLogs() == 1; }, 5000));
        return FindWindowA(szLogClass, szLogTitle);
    }

    static HWND List(HWND hLog)
    {
        return FindWindowExA(hLog, NULL, "ListBox", NULL);
    }

    static int LineCount(HWND hLog)
    {
        return (int)SendMessageA(List(hLog), LB_GETCOUNT, 0, 0);
    }

    static std::vector<std::string> Lines(HWND hLog)
    {
        return PressLogLines(hLog);
    }

    /* Clicks one of the log's buttons as the keyboard would (the button by its label). */
    static void ClickButton(HWND hLog, LPCSTR lpszLabel)
    {
        HWND hButton = FindWindowExA(hLog, NULL, "Button", lpszLabel);
        ASSERT_NE(nullptr, hButton) << lpszLabel;
        PostMessageA(hButton, BM_CLICK, 0, 0);
    }

    /* The clipboard's text after Copy; the clipboard is emptied first so that the new text
       can be told from an old one. */
    static std::string CopiedText(HWND hLog)
    {
        if (OpenClipboard(NULL)) {
            EmptyClipboard();
            CloseClipboard();
        }
        ClickButton(hLog, "&Copy");
        std::string strText;
        EXPECT_TRUE(WaitFor([] { return IsClipboardFormatAvailable(CF_TEXT) != 0; }, 3000));
        if (OpenClipboard(NULL)) {
            HANDLE hText = GetClipboardData(CF_TEXT);
            if (hText != NULL) {
                strText = (const char *)GlobalLock(hText);
                GlobalUnlock(hText);
            }
            CloseClipboard();
        }
        return strText;
    }
};

static std::string TimeOf(const std::string &strLine)
{
    return strLine.substr(0, strLine.find('\t'));
}

TEST_F(PressLogTest, PressesFromTheRemoteShowWhatArrivedAndWhatRan)
{
    /* Opened from the icon's menu by its access key. */
    std::vector<tagTRAYENTRY> vEntries;
    ASSERT_TRUE(WaitFor([&] { return ReadTrayIcons(&vEntries) && vEntries.size() == 1; }, 3000));
    const RECT &rcIcon = vEntries[0].rcScreen;
    ClickAt({ (rcIcon.left + rcIcon.right) / 2, (rcIcon.top + rcIcon.bottom) / 2 }, true);
    ASSERT_TRUE(WaitFor([] { return VisibleMenu() != NULL; }, 3000));
    PressKey('L');
    ASSERT_TRUE(WaitFor([&] { return CountLogs() == 1; }, 5000));
    HWND hLog = FindWindowA(szLogClass, szLogTitle);
    EXPECT_EQ(0, LineCount(hLog));
    BringSinkToFront();

    /* A press, a held button, shift, a mode-independent button, a mode change, a button with
       nothing assigned in that mode. */
    ASSERT_EQ(0u, RunRemote("/play 1 UP*15 +400 SHIFT VOL+ WEB 2"));
    ASSERT_TRUE(WaitFor([&] { return Lines(hLog).size() >= 5 && Lines(hLog).back().find("0x22") != std::string::npos; },
                        5000)) << LineCount(hLog) << " lines, the last: " << Lines(hLog).back();
    std::vector<std::string> vLines = Lines(hLog);

    std::regex reTime("[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\\.[0-9]{3}");
    for (size_t i = 0; i < vLines.size(); i++) {
        EXPECT_TRUE(std::regex_match(TimeOf(vLines[i]), reTime)) << vLines[i];
        if (i > 0) {
            EXPECT_LE(TimeOf(vLines[i - 1]), TimeOf(vLines[i])) << "newest at the bottom";
        }
    }
    ASSERT_GE(vLines.size(), 8u);
    EXPECT_EQ("0x21\t\tbutton 0, PC\tMESSAGE\"[8123:100]\"", WithoutTime(vLines[0]));
    EXPECT_EQ("0x30\t\tbutton 10, PC\tMESSAGE\"[8123:10A]\"", WithoutTime(vLines[1]));
    /* The held button: its repeats are dropped for a second, then they act. (On a slow
       machine a late repeat may start a new press; its lines read as such.) */
    const std::string strPress = WithoutTime(vLines[1]);
    const std::string strDropped = "0x30\tdropped\t\t";
    const std::string strRepeat = "0x30\trepeat\tbutton 10, PC\tMESSAGE\"[8123:10A]\"";
    size_t i = 1, cPresses = 0, cDropped = 0, cRepeats = 0;
    for (; i < vLines.size() && WithoutTime(vLines[i]).compare(0, 5, "0x30\t") == 0; i++) {
        std::string strLine = WithoutTime(vLines[i]);
        if (strLine == strPress)
            cPresses++;
        else if (strLine == strDropped)
            cDropped += cRepeats == 0 ? 1 : 0;
        else if (strLine == strRepeat)
            cRepeats++;
        else
            ADD_FAILURE() << "held button: " << strLine;
    }
    EXPECT_GE(cDropped, 5u) << "dropped for a second before the first repeat that acts";
    EXPECT_GE(cRepeats, 1u);
    EXPECT_EQ(16u, i) << "every code of the held button has a line";
    /* What ran was posted to the sink while the remote played, before this thread took
       its messages again. */
    size_t cActed = 0;
    WaitFor([&] {
        cActed = std::count_if(SinkHits().begin(), SinkHits().end(),
                               [](const tagSINKHIT &hit) { return hit.wParam == 0x10A; });
        return cActed == cPresses + cRepeats;
    }, 5000);
    EXPECT_EQ(cPresses + cRepeats, cActed) << "the lines that ran a command are the presses that reached the window";
    std::vector<std::string> vRest, vWanted = {
        "0x15\t\tshift on, PC\t",
        "0x16\t\tmode-independent button 1\tMESSAGE\"[8123:410]\"",
        "0x11\t\tmode WEB\tMESSAGE\"[8123:2FF]\"",
        "0x22\t\tbutton 1, WEB\tnot assigned",
    };
    for (; i < vLines.size(); i++)
        vRest.push_back(WithoutTime(vLines[i]));
    EXPECT_EQ(vWanted, vRest);

    /* Copy puts exactly the list on the clipboard, a line each. */
    std::string strWanted;
    for (const std::string &strLine : vLines)
        strWanted += strLine + "\r\n";
    EXPECT_EQ(strWanted, CopiedText(hLog));

    /* The menu item again brings the one log forward, with its lines. */
    BringSinkToFront();
    PostMessageA(tProgram.hWnd, WM_COMMAND, 264, 0);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == hLog; }, 3000));
    PumpMessages(200);
    SaveWindowPicture(hLog, "press_log");
    EXPECT_EQ(1, CountLogs());
    EXPECT_EQ(vLines.size(), (size_t)LineCount(hLog));
}

/* Each line names the mode's key as its press found it: a button, the key its command was
   looked up in (the command that ran shows it came from there), even when the installation
   names another key for the mode meanwhile. */
/* Stands in for the home-automation program's window: a command handed to it renames the
   DVD mode's key at that moment. */
static LRESULT CALLBACK RenamingReceiverProc(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    if (uiMessage == WM_COPYDATA) {
        WriteRegString(HKEY_CURRENT_USER, "Software\\Zendra\\Orvane\\Mode", "4", "Renamed");
        return 1;
    }
    return DefWindowProcA(hWnd, uiMessage, wParam, lParam);
}

TEST_F(PressLogTest, AModesLineNamesTheKeyItsCommandCameFrom)
{
    /* The mode's own command renames the mode's key while it runs: the line names the key
       the command was found in, as the press read it before running it. */
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RenamingReceiverProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "ZendraClass";
    RegisterClassA(&wc);
    HWND hReceiver = CreateWindowA(wc.lpszClassName, "Dovrel(TM) Communications", WS_OVERLAPPED, 0, 0, 100, 100,
                                   NULL, NULL, wc.hInstance, NULL);
    ASSERT_NE(nullptr, hReceiver);
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, "Software\\Zendra\\Orvane\\DVD", "Default", "ZENDRA\"A1 On\""));
    HWND hLog = OpenLog();
    PostCode(tProgram.hWnd, 19);
    ASSERT_TRUE(WaitFor([&] { return LineCount(hLog) == 1; }, 3000));
    EXPECT_EQ("0x13\t\tmode DVD\tZENDRA\"A1 On\"", WithoutTime(Lines(hLog)[0]));
    std::string strRenamed;
    EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, "Software\\Zendra\\Orvane\\Mode", "4", &strRenamed));
    EXPECT_EQ("Renamed", strRenamed) << "the command reached the receiver";
    DestroyWindow(hReceiver);
}

TEST_F(PressLogTest, ALineNamesTheKeyItsPressFoundTheCommandIn)
{
    const char szModeTable[] = "Software\\Zendra\\Orvane\\Mode";
    HWND hLog = OpenLog();
    PostCode(tProgram.hWnd, 33);
    ASSERT_TRUE(WaitFor([&] { return LineCount(hLog) == 1; }, 3000));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, szModeTable, "1", "DVD"));
    PostCode(tProgram.hWnd, 34);
    PostCode(tProgram.hWnd, 33);
    ASSERT_TRUE(WaitFor([&] { return LineCount(hLog) == 3; }, 3000));
    /* Its own key again: a shift change shows the name the mode has now. */
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, szModeTable, "1", "PC"));
    PostCode(tProgram.hWnd, 21);
    PostCode(tProgram.hWnd, 33);
    ASSERT_TRUE(WaitFor([&] { return LineCount(hLog) == 5; }, 3000));

    std::vector<std::string> vLines, vWanted = {
        "0x21\t\tbutton 0, PC\tMESSAGE\"[8123:100]\"",
        "0x22\t\tbutton 1, DVD\tnot assigned",
        "0x21\t\tbutton 0, DVD\tMESSAGE\"[8123:400]\"",
        "0x15\t\tshift on, PC\t",
        "0x21\t\tbutton 17, PC, shift\tMESSAGE\"[8123:111]\"",
    };
    for (const std::string &strLine : Lines(hLog))
        vLines.push_back(WithoutTime(strLine));
    EXPECT_EQ(vWanted, vLines);
}

TEST_F(PressLogTest, KeepsTheLastLinesAndForgetsThemWhenCleared)
{
    HWND hLog = OpenLog();
    BringSinkToFront();
    /* 600 codes, each different from the one before (none is a repeat); those without a
       translation read as button 0. */
    const int iCodes = 600;
    for (int i = 0; i < iCodes; i++)
        PostCode(tProgram.hWnd, (BYTE)(100 + i % 150));
    /* Only the 600th code makes the list full with 0xF9 (249) at the bottom. */
    ASSERT_TRUE(WaitFor([&] {
        std::vector<std::string> v = Lines(hLog);
        return v.size() == 500 && v.back().find("\t0xF9\t") != std::string::npos;
    }, 30000)) << LineCount(hLog);
    std::vector<std::string> vLines = Lines(hLog);
    ASSERT_EQ(500u, vLines.size());
    EXPECT_EQ("0xC8\t\tbutton 0, PC\tMESSAGE\"[8123:100]\"", WithoutTime(vLines.front())) << "the 101st code";
    EXPECT_EQ("0xF9\t\tbutton 0, PC\tMESSAGE\"[8123:100]\"", WithoutTime(vLines.back()));
    /* The newest line is in view. */
    RECT rcItem, rcList;
    int iTop = (int)SendMessageA(List(hLog), LB_GETTOPINDEX, 0, 0);
    SendMessageA(List(hLog), LB_GETITEMRECT, 499, (LPARAM)&rcItem);
    GetClientRect(List(hLog), &rcList);
    EXPECT_GT(iTop, 0);
    EXPECT_LE(rcItem.bottom, rcList.bottom);

    /* Clear empties the list, and the next code is its first line. */
    ClickButton(hLog, "C&lear");
    EXPECT_TRUE(WaitFor([&] { return LineCount(hLog) == 0; }, 3000));
    PostCode(tProgram.hWnd, 34);
    EXPECT_TRUE(WaitFor([&] { return LineCount(hLog) == 1; }, 3000));
    EXPECT_EQ("0x22\t\tbutton 1, PC\tMESSAGE\"[8123:101]\"", WithoutTime(Lines(hLog)[0]));

    /* Smaller, the window keeps its buttons inside and the list above them. */
    SetWindowPos(hLog, NULL, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER);
    RECT rcClient, rcCopy, rcClear;
    GetClientRect(hLog, &rcClient);
    MapWindowPoints(hLog, NULL, (POINT *)&rcClient, 2);
    GetWindowRect(FindWindowExA(hLog, NULL, "Button", "&Copy"), &rcCopy);
    GetWindowRect(FindWindowExA(hLog, NULL, "Button", "C&lear"), &rcClear);
    GetWindowRect(List(hLog), &rcList);
    EXPECT_LE(rcClear.right, rcClient.right);
    EXPECT_LE(rcClear.bottom, rcClient.bottom);
    EXPECT_LT(rcCopy.right, rcClear.left);
    EXPECT_LT(rcList.bottom, rcCopy.top);
    EXPECT_GT(rcList.right - rcList.left, 250);
    /* Nor can it be made too small to use. */
    SetWindowPos(hLog, NULL, 0, 0, 20, 20, SWP_NOMOVE | SWP_NOZORDER);
    RECT rcWindow;
    GetWindowRect(hLog, &rcWindow);
    EXPECT_GE(rcWindow.right - rcWindow.left, 240);

    /* Closed, it keeps nothing: opened again it starts empty, and codes still act meanwhile. */
    PostMessageA(hLog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return CountLogs() == 0; }, 3000));
    BringSinkToFront();
    ClearSink();
    PostCode(tProgram.hWnd, 33);
    EXPECT_TRUE(WaitFor([] { return SinkHits().size() == 1; }, 3000));
    hLog = OpenLog();
    EXPECT_EQ(0, LineCount(hLog));
    PostCode(tProgram.hWnd, 34);
    EXPECT_TRUE(WaitFor([&] { return LineCount(hLog) == 1; }, 3000));
}
