/*
 * keys_e2e_test.cpp - keyboard commands run through Corvalin's ParseFunction reach another
 * program: a probe whose window keeps the focus in its edit control and records the
 * messages it takes from its queue. Typed text is read back from the edit control.
 */
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>
#include "Corvalin.h"
#include "testsupport.h"

namespace {

typedef std::pair<unsigned, unsigned> LoggedMessage;   /* message, wparam */

/* Presses Caps Lock once, as a user would. */
void PressCapsLock()
{
    INPUT aInput[2] = {};
    aInput[0].type = aInput[1].type = INPUT_KEYBOARD;
    aInput[0].ki.wVk = aInput[1].ki.wVk = VK_CAPITAL;
    aInput[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, aInput, sizeof(INPUT));
}

bool CapsLockOn() { return (GetKeyState(VK_CAPITAL) & 1) != 0; }

class KeysIntoProbe : public ::testing::Test {
protected:
    PROCESS_INFORMATION pi = {};
    std::string strLog;
    HWND hFrame = NULL;
    HWND hEdit = NULL;
    HWND hClipOwner = NULL;

    void SetUp() override
    {
        strLog = BinaryDir() + "keys_e2e_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
        std::string strCommand = "\"" + BinaryDir() + "probe.exe\" \"" + strLog +
                                 "\" typist,100,100,420,220,typing,keepopen";
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        std::vector<char> command(strCommand.begin(), strCommand.end());
        command.push_back('\0');
        ASSERT_TRUE(CreateProcessA(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
        ASSERT_TRUE(WaitFor([&] {
            hFrame = FindWindowA("OrvaneProbe", "Probe typist");
            return hFrame != NULL && GetForegroundWindow() == hFrame;
        }));
        hEdit = GetDlgItem(hFrame, 1);
        SendMessageA(hEdit, WM_SETTEXT, 0, (LPARAM)"");
        hClipOwner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
        if (CapsLockOn())
            PressCapsLock();
        ASSERT_TRUE(WaitFor([] { return !CapsLockOn(); }));
    }

    void TearDown() override
    {
        if (CapsLockOn())
            PressCapsLock();
        if (pi.hProcess != NULL) {
            TerminateProcess(pi.hProcess, 0);
            WaitForSingleObject(pi.hProcess, 5000);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
        DestroyWindow(hClipOwner);
        DeleteFileA(strLog.c_str());
    }

    void Run(const std::string &strCommand)
    {
        std::vector<char> buffer(strCommand.begin(), strCommand.end());
        buffer.push_back('\0');
        ParseFunction(hClipOwner, buffer.data());
    }

    std::string EditText()
    {
        char sz[512] = "";
        SendMessageTimeoutA(hEdit, WM_GETTEXT, sizeof(sz), (LPARAM)sz, SMTO_ABORTIFHUNG, 2000, NULL);
        return sz;
    }

    /* Waits until the edit control holds strText, then makes sure nothing more comes. */
    void ExpectTyped(const std::string &strText)
    {
        EXPECT_TRUE(WaitFor([&] { return EditText() == strText; }, 5000)) << EditText();
        PumpMessages(300);
        EXPECT_EQ(EditText(), strText);
    }

    /* Messages that window NAME (the probe's frame, or "typist.edit") took from its
       queue, as (message, wparam), keeping only those for which bKeep is true. */
    template <typename Keep>
    std::vector<LoggedMessage> QueuedMessages(const std::string &strName, Keep bKeep)
    {
        std::vector<LoggedMessage> messages;
        HANDLE hFile = CreateFileA(strLog.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   NULL, OPEN_EXISTING, 0, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            return messages;
        std::string strText;
        char achBuffer[4096];
        DWORD cbRead;
        while (ReadFile(hFile, achBuffer, sizeof(achBuffer), &cbRead, NULL) && cbRead > 0)
            strText.append(achBuffer, cbRead);
        CloseHandle(hFile);

        std::string strPrefix = "queued " + strName + " ";
        for (size_t iLine = 0; iLine < strText.size();) {
            size_t iEnd = strText.find('\n', iLine);
            std::string strLine = strText.substr(iLine, iEnd - iLine);
            iLine = iEnd == std::string::npos ? strText.size() : iEnd + 1;
            unsigned uMessage, uwParam;
            if (strLine.compare(0, strPrefix.size(), strPrefix) == 0 &&
                sscanf(strLine.c_str() + strPrefix.size(), "%x %x", &uMessage, &uwParam) == 2 &&
                bKeep(uMessage))
                messages.push_back(LoggedMessage(uMessage, uwParam));
        }
        return messages;
    }

    std::vector<LoggedMessage> KeyMessages()
    {
        return QueuedMessages("typist.edit", [](unsigned m) {
            return m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP;
        });
    }
};

}  // namespace

TEST_F(KeysIntoProbe, WriteTypesExactlyItsText)
{
    Run("WRITE\"Hello, World! 1+1=2; \"\"q\"\" (a_b) {c} [d] <e> f|g ~`'?/\\:@#$%^&*-\"");
    ExpectTyped("Hello, World! 1+1=2; \"q\" (a_b) {c} [d] <e> f|g ~`'?/\\:@#$%^&*-");
}

TEST_F(KeysIntoProbe, WriteWithCapsLockOnTypesTheTextAsWrittenAndKeepsCapsLock)
{
    PressCapsLock();
    ASSERT_TRUE(WaitFor([] { return CapsLockOn(); }));
    Run("WRITE\"MiXed Case 42\"");
    ExpectTyped("MiXed Case 42");
    EXPECT_TRUE(CapsLockOn());
}

TEST_F(KeysIntoProbe, QueuedKeysWaitForTheItemThatPlaysThem)
{
    Run("KEYA,NUMONE,OPENBRACKET");
    PumpMessages(300);
    EXPECT_EQ(EditText(), "");
    Run("COMMA,TYPE");
    ExpectTyped("a1(,");
}

TEST_F(KeysIntoProbe, HotKeysArriveAsKeyMessages)
{
    Run("HOTKEY\"-C-c\"");
    EXPECT_TRUE(WaitFor([&] { return KeyMessages().size() >= 4; }));
    Run("HOTKEY\"--Sx1\"");
    ExpectTyped("1");
    EXPECT_EQ(KeyMessages(), (std::vector<LoggedMessage>{
        { WM_KEYDOWN, VK_CONTROL }, { WM_KEYDOWN, VK_F2 }, { WM_KEYUP, VK_F2 }, { WM_KEYUP, VK_CONTROL },
        { WM_KEYDOWN, VK_SHIFT }, { WM_KEYDOWN, VK_DOWN }, { WM_KEYUP, VK_DOWN }, { WM_KEYUP, VK_SHIFT },
        { WM_KEYDOWN, '1' }, { WM_KEYUP, '1' } }));
}

TEST_F(KeysIntoProbe, PastePutsTheTextOnTheClipboardAndPostsPaste)
{
    Run("PASTE\"say \"\"hi\"\" \"");
    auto paste = [&] { return QueuedMessages("typist", [](unsigned m) { return m == WM_PASTE; }); };
    EXPECT_TRUE(WaitFor([&] { return !paste().empty(); }));
    PumpMessages(200);
    EXPECT_EQ(paste(), (std::vector<LoggedMessage>{ { WM_PASTE, 0 } }));

    ASSERT_TRUE(OpenClipboard(NULL));
    HANDLE hText = GetClipboardData(CF_TEXT);
    ASSERT_NE(hText, (HANDLE)NULL);
    EXPECT_STREQ((LPCSTR)GlobalLock(hText), "say \"hi\" ");
    GlobalUnlock(hText);
    CloseClipboard();
}

TEST_F(KeysIntoProbe, MessageListIsPostedToTheForegroundWindow)
{
    Run("MESSAGE\"[10:0:0][112:F060]\"");
    auto listed = [&] {
        return QueuedMessages("typist", [](unsigned m) { return m == WM_CLOSE || m == WM_SYSCOMMAND; });
    };
    EXPECT_TRUE(WaitFor([&] { return listed().size() >= 2; }));
    PumpMessages(200);
    EXPECT_EQ(listed(), (std::vector<LoggedMessage>{ { WM_CLOSE, 0 }, { WM_SYSCOMMAND, SC_CLOSE } }));
}

TEST_F(KeysIntoProbe, WindowMenuAndMoveWindowPressTheirKeys)
{
    Run("WINDOWMENU");
    auto pressed = [&](UINT uMessage, unsigned uKey) {
        for (const LoggedMessage &lm : KeyMessages())
            if (lm == LoggedMessage(uMessage, uKey))
                return true;
        return false;
    };
    EXPECT_TRUE(WaitFor([&] { return pressed(WM_KEYDOWN, VK_APPS); }));
    SendMessageA(hEdit, WM_CANCELMODE, 0, 0);   /* close the edit control's context menu */

    RECT rFrame;
    GetWindowRect(hFrame, &rFrame);
    SetCursorPos((rFrame.left + rFrame.right) / 2, (rFrame.top + rFrame.bottom) / 2);
    Run("MOVEWINDOW");
    EXPECT_TRUE(WaitFor([&] { return pressed(WM_SYSKEYDOWN, VK_MENU) && pressed(WM_SYSKEYDOWN, VK_SPACE); }));
}
