/*
 * keys_e2e_test.cpp - keyboard commands run through Corvalin's ParseFunction reach another
 * program: a probe whose window keeps the focus in its edit control and records the
 * messages it takes from its queue. Typed text is read back from the edit control.
 */
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>
#include "Corvalin.h"
#include "probe_client.h"
#include "testsupport.h"

namespace {

typedef std::pair<unsigned, unsigned> LoggedMessage;   /* message, wparam */

class KeysIntoProbe : public ::testing::Test {
protected:
    ProbeProcess pp;
    HWND hFrame = NULL;
    HWND hEdit = NULL;
    HWND hClipOwner = NULL;

    void SetUp() override
    {
        std::string strName = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(StartProbe(&pp, "keys_" + strName, { "typist,100,100,420,220,typing,keepopen" }));
        hFrame = ProbeWindow("typist");
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == hFrame; }));
        hEdit = ProbeControl("typist", "Edit");
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
        StopProbe(&pp);
        DestroyWindow(hClipOwner);
        DeleteFileA(pp.strLog.c_str());
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

    /* Waits until the edit control holds strText, then makes sure nothing more comes: the
       playback that typed it has handed all its keys over by then, so a key pressed after
       them arrives last. */
    void ExpectTyped(const std::string &strText)
    {
        EXPECT_TRUE(WaitFor([&] { return EditText() == strText; }, 5000)) << EditText();
        EXPECT_TRUE(AwaitInputSentinel(pp, "typist.edit"));
        EXPECT_EQ(EditText(), strText);
    }

    /* Messages that window NAME (the probe's frame, or "typist.edit") took from its
       queue, as (message, wparam), keeping only those for which bKeep is true. */
    template <typename Keep>
    std::vector<LoggedMessage> QueuedMessages(const std::string &strName, Keep bKeep)
    {
        std::vector<LoggedMessage> messages;
        std::string strPrefix = "queued " + strName + " ";
        for (const std::string &strLine : ProbeLines(pp, strPrefix)) {
            unsigned uMessage, uwParam;
            if (sscanf(strLine.c_str() + strPrefix.size(), "%x %x", &uMessage, &uwParam) == 2 &&
                bKeep(uMessage))
                messages.push_back(LoggedMessage(uMessage, uwParam));
        }
        return messages;
    }

    bool Pressed(UINT uMessage, unsigned uKey)
    {
        for (const LoggedMessage &lm : KeyMessages())
            if (lm == LoggedMessage(uMessage, uKey))
                return true;
        return false;
    }

    /* The key messages of the edit control, the sentinels left out. */
    std::vector<LoggedMessage> KeyMessages()
    {
        std::vector<LoggedMessage> messages = QueuedMessages("typist.edit", [](unsigned m) {
            return m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP;
        });
        messages.erase(std::remove_if(messages.begin(), messages.end(),
                                      [](const LoggedMessage &lm) { return lm.second == SENTINEL_KEY; }),
                       messages.end());
        return messages;
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
    /* Once a playback has found the journal hook unserved, playbacks hand their keys over
       before the command returns: keys played by mistake would come before the sentinel. */
    Run("WRITE\"-\"");
    ExpectTyped("-");
    SendMessageA(hEdit, WM_SETTEXT, 0, (LPARAM)"");
    Run("KEYA,NUMONE,OPENBRACKET");
    EXPECT_TRUE(AwaitInputSentinel(pp, "typist.edit"));
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
    EXPECT_TRUE(AwaitPostedSentinel(pp, hFrame, "typist"));
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
    EXPECT_TRUE(AwaitPostedSentinel(pp, hFrame, "typist"));
    EXPECT_EQ(listed(), (std::vector<LoggedMessage>{ { WM_CLOSE, 0 }, { WM_SYSCOMMAND, SC_CLOSE } }));
}

TEST_F(KeysIntoProbe, WindowMenuPressesTheApplicationsKey)
{
    Run("WINDOWMENU");
    EXPECT_TRUE(WaitFor([&] { return Pressed(WM_KEYDOWN, VK_APPS); }));
}

TEST_F(KeysIntoProbe, MoveWindowPressesAltSpaceInTheWindowUnderTheCursor)
{
    RECT rFrame;
    GetWindowRect(hFrame, &rFrame);
    SetCursorPos((rFrame.left + rFrame.right) / 2, (rFrame.top + rFrame.bottom) / 2);
    Run("MOVEWINDOW");
    EXPECT_TRUE(WaitFor([&] { return Pressed(WM_SYSKEYDOWN, VK_MENU) && Pressed(WM_SYSKEYDOWN, VK_SPACE); }));
}
