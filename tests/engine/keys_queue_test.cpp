/*
 * keys_queue_test.cpp - the keystroke queue: the events that texts, hot keys and key
 * combinations queue, the playback hook driven as the system drives it, the fallback that
 * types with SendInput where the hook is not served, the key tables read from Brenvik,
 * message lists and the clipboard text.
 */
#include <gtest/gtest.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>
#include "Corvalin_keys.h"
#include "testsupport.h"

namespace {

typedef std::pair<UINT, BYTE> KeyEvent;   /* message, virtual key */

KeyEvent Down(BYTE bKey) { return KeyEvent(WM_KEYDOWN, bKey); }
KeyEvent Up(BYTE bKey) { return KeyEvent(WM_KEYUP, bKey); }
KeyEvent SysDown(BYTE bKey) { return KeyEvent(WM_SYSKEYDOWN, bKey); }

std::vector<KeyEvent> Press(BYTE bKey) { return { Down(bKey), Up(bKey) }; }
std::vector<KeyEvent> Hold(BYTE bModifier, BYTE bKey)
{
    return { Down(bModifier), Down(bKey), Up(bKey), Up(bModifier) };
}
std::vector<KeyEvent> Join(std::initializer_list<std::vector<KeyEvent>> parts)
{
    std::vector<KeyEvent> all;
    for (const auto &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

/* The queued events, checking the fields every event carries. */
std::vector<KeyEvent> QueuedEvents()
{
    std::vector<KeyEvent> events;
    if (lpHookInfo == NULL)
        return events;
    EXPECT_EQ(lpHookInfo->lpFirstEvent, lpHookInfo->lpCurrentEvent);
    for (LPEVENTINFO p = lpHookInfo->lpFirstEvent; p != NULL; p = p->lpNextEventInfo) {
        BYTE bKey = LOBYTE(p->EventMsg.paramL);
        EXPECT_EQ(p->EventMsg.paramL, (MapVirtualKeyA(bKey, 0) << 8) | bKey);
        EXPECT_EQ(p->EventMsg.paramH, 1u);
        EXPECT_EQ(p->EventMsg.hwnd, (HWND)NULL);
        if (p->lpNextEventInfo == NULL) {
            EXPECT_EQ(p, lpHookInfo->lpLastEvent);
        }
        events.push_back(KeyEvent(p->EventMsg.message, bKey));
    }
    return events;
}

/* Plays the queue through the hook procedure as the system does, to its end. */
void SkipAll()
{
    for (int i = 0; lpHookInfo != NULL && i < 10000; ++i)
        JournalPlaybackProc(HC_SKIP, 0, 0);
    ASSERT_EQ(lpHookInfo, (LPHOOKINFO)NULL);
}

/* Sets the Caps Lock toggle of this thread's keyboard state. */
void SetCapsLock(bool bOn)
{
    BYTE abState[256];
    GetKeyboardState(abState);
    abState[VK_CAPITAL] = bOn ? 1 : 0;
    SetKeyboardState(abState);
}

class KeyQueue : public ::testing::Test {
protected:
    void SetUp() override { SetCapsLock(false); }
    void TearDown() override { SkipAll(); }
};

}  // namespace

TEST_F(KeyQueue, TextsQueueTheirKeyStrokes)
{
    ASSERT_EQ(AddKeyStrokes("Ab1!"), 1);
    EXPECT_EQ(QueuedEvents(), Join({ Hold(VK_SHIFT, 'A'), Press('B'), Press('1'),
                                     Hold(VK_SHIFT, '1') }));
    SkipAll();

    /* A doubled quote types one quote; a character without a key record presses key 0. */
    ASSERT_EQ(AddKeyStrokes("a\"\"b\xE9 "), 1);
    EXPECT_EQ(QueuedEvents(), Join({ Press('A'), Hold(VK_SHIFT, 0xDE), Press('B'), Press(0),
                                     Press(VK_SPACE) }));
    SkipAll();

    EXPECT_EQ(AddKeyStrokes(""), 0);
    EXPECT_EQ(AddKeyStrokes(NULL), 0);
    EXPECT_EQ(lpHookInfo, (LPHOOKINFO)NULL);
}

TEST_F(KeyQueue, CapsLockIsPressedAroundTextsAndHotKeys)
{
    SetCapsLock(true);
    AddKeyStrokes("aB");
    EXPECT_EQ(QueuedEvents(), Join({ Press(VK_CAPITAL), Press('A'), Hold(VK_SHIFT, 'B'),
                                     Press(VK_CAPITAL) }));
    SkipAll();
    SendHotKey("-C-C", 0);
    EXPECT_EQ(QueuedEvents(), Join({ Press(VK_CAPITAL), Hold(VK_CONTROL, 'C'),
                                     Press(VK_CAPITAL) }));
}

TEST_F(KeyQueue, HotKeys)
{
    SendHotKey("A--sM", 0);
    EXPECT_EQ(QueuedEvents(), Join({ { SysDown(VK_MENU), SysDown(VK_SPACE), Up(VK_SPACE),
                                       Up(VK_MENU) }, Press('M') }));
    SkipAll();
    SendHotKey("-C-C", 0);
    EXPECT_EQ(QueuedEvents(), Hold(VK_CONTROL, 'C'));
    SkipAll();
    SendHotKey("-C-c", 0);
    EXPECT_EQ(QueuedEvents(), Hold(VK_CONTROL, VK_F2));
    SkipAll();
    SendHotKey("ACS\xB6", 0);   /* keypad multiply with every modifier; no second key */
    EXPECT_EQ(QueuedEvents(), (std::vector<KeyEvent>{ SysDown(VK_MENU), SysDown(VK_CONTROL),
        SysDown(VK_SHIFT), SysDown(VK_MULTIPLY), Up(VK_MULTIPLY), Up(VK_SHIFT), Up(VK_CONTROL),
        Up(VK_MENU) }));
    SkipAll();

    /* Short texts press only what they hold. */
    SendHotKey("AC", 0);
    EXPECT_EQ(QueuedEvents(), (std::vector<KeyEvent>{ SysDown(VK_MENU), SysDown(VK_CONTROL),
                                                      Up(VK_CONTROL), Up(VK_MENU) }));
    SkipAll();
    SendHotKey("-", 0);
    SendHotKey("", 0);
    SendHotKey(NULL, 0);
    EXPECT_EQ(lpHookInfo, (LPHOOKINFO)NULL);
}

TEST_F(KeyQueue, KeyCombinations)
{
    SendMenuKey('F');
    SendDoubleRightAltKey('Q');
    SendDoubleKey(VK_SHIFT, '9');
    EXPECT_EQ(QueuedEvents(), Join({
        { SysDown(VK_MENU), SysDown('F'), Up('F'), Up(VK_MENU) },
        { Down(VK_CONTROL), Down(VK_MENU), Down('Q'), Up('Q'), Up(VK_CONTROL), Up(VK_MENU) },
        Hold(VK_SHIFT, '9') }));
}

TEST_F(KeyQueue, HookHandsOutEachEventUntilTheQueueIsGone)
{
    DWORD dwBefore = GetTickCount();
    SendKey(VK_RETURN);
    DWORD dwAfter = GetTickCount();

    EVENTMSG em = {};
    em.hwnd = (HWND)(LONG_PTR)0x1234;
    EXPECT_EQ(JournalPlaybackProc(HC_GETNEXT, 0, (LPARAM)&em), 0);
    EXPECT_EQ(em.message, (UINT)WM_KEYDOWN);
    EXPECT_EQ(em.paramL, (MapVirtualKeyA(VK_RETURN, 0) << 8) | VK_RETURN);
    EXPECT_EQ(em.paramH, 1u);
    EXPECT_TRUE(em.time - dwBefore * 1000 <= (dwAfter - dwBefore) * 1000);
    EXPECT_EQ(em.hwnd, (HWND)(LONG_PTR)0x1234);   /* not the hook's to set */

    /* The system may ask again for the same event; only a skip moves on. */
    EVENTMSG again = {};
    JournalPlaybackProc(HC_GETNEXT, 0, (LPARAM)&again);
    EXPECT_EQ(again.message, (UINT)WM_KEYDOWN);
    JournalPlaybackProc(HC_SKIP, 0, 0);

    /* An event queued during playback joins it. */
    SendKey('Z');
    EXPECT_EQ(QueuedEvents(), (std::vector<KeyEvent>{ Up(VK_RETURN), Down('Z'), Up('Z') }));
    JournalPlaybackProc(HC_GETNEXT, 0, (LPARAM)&em);
    EXPECT_EQ(em.message, (UINT)WM_KEYUP);
    EXPECT_EQ(LOBYTE(em.paramL), VK_RETURN);
    JournalPlaybackProc(HC_SKIP, 0, 0);
    JournalPlaybackProc(HC_SKIP, 0, 0);
    JournalPlaybackProc(HC_GETNEXT, 0, (LPARAM)&em);
    EXPECT_EQ(em.message, (UINT)WM_KEYUP);
    EXPECT_EQ(LOBYTE(em.paramL), 'Z');
    JournalPlaybackProc(HC_SKIP, 0, 0);
    EXPECT_EQ(lpHookInfo, (LPHOOKINFO)NULL);

    /* Without a queue the hook hands out nothing. */
    EVENTMSG untouched = {};
    EXPECT_EQ(JournalPlaybackProc(HC_GETNEXT, 0, (LPARAM)&untouched), 0);
    EXPECT_EQ(untouched.message, 0u);
    JournalPlaybackProc(HC_SKIP, 0, 0);
    EXPECT_EQ(StartJournalPlayback(), 0);
    EXPECT_EQ(lpHookInfo, (LPHOOKINFO)NULL);
}

TEST_F(KeyQueue, ACancelledPlaybackIsDroppedAndTheNextStartInstallsAfresh)
{
    /* The system plays the first event of A and B, then the user cancels: the system
       removes the hook itself and posts the notice to the thread, without a window. */
    SendKey('A');
    SendKey('B');
    ASSERT_EQ(StartJournalPlayback(), 1);
    HHOOK hCancelled = lpHookInfo->hHookPlay;
    ASSERT_NE(hCancelled, (HHOOK)NULL);
    EVENTMSG em = {};
    JournalPlaybackProc(HC_GETNEXT, 0, (LPARAM)&em);
    JournalPlaybackProc(HC_SKIP, 0, 0);
    UnhookWindowsHookEx(hCancelled);
    PostThreadMessageA(GetCurrentThreadId(), WM_CANCELJOURNAL, 0, 0);
    EXPECT_TRUE(WaitFor([] { return lpHookInfo == NULL; }));

    /* The next key gets a hook of its own, which hands out that key and nothing else. */
    SendKey('C');
    ASSERT_EQ(StartJournalPlayback(), 1);
    ASSERT_NE(lpHookInfo, (LPHOOKINFO)NULL);
    EXPECT_NE(lpHookInfo->hHookPlay, (HHOOK)NULL);
    std::vector<KeyEvent> played;
    for (int i = 0; lpHookInfo != NULL && i < 10; ++i) {
        JournalPlaybackProc(HC_GETNEXT, 0, (LPARAM)&em);
        played.push_back(KeyEvent(em.message, LOBYTE(em.paramL)));
        JournalPlaybackProc(HC_SKIP, 0, 0);
    }
    EXPECT_EQ(played, Press('C'));
}

TEST(KeyTables, LookUpsThroughBrenvik)
{
    WORD wModifier = 1, wKey = 1;
    GetControlKey('!', &wModifier, &wKey, 1);
    EXPECT_EQ(wModifier, 0x10);
    EXPECT_EQ(wKey, 0x31);
    GetControlKey('\t', &wModifier, &wKey, 1);
    EXPECT_EQ(wModifier, 0);
    EXPECT_EQ(wKey, VK_TAB);
    GetControlKey('!', &wModifier, &wKey, 2);   /* only one record carries it */
    EXPECT_EQ(wModifier, 0);
    EXPECT_EQ(wKey, 0);

    WORD wValue = 1;
    TranslateKeyValue('v', &wValue);
    EXPECT_EQ(wValue, VK_ADD);
    TranslateKeyValue('A', &wValue);
    EXPECT_EQ(wValue, 0);

    EXPECT_EQ(IsSpecialKey('/'), 1);
    EXPECT_EQ(IsSpecialKey('\xB6'), 1);
    EXPECT_EQ(IsSpecialKey('a'), 0);
    EXPECT_EQ(IsSpecialKey('\0'), 0);

    EXPECT_EQ(GetHotKeyValue('s'), VK_SPACE);
    EXPECT_EQ(GetHotKeyValue('-'), 0xBD);
    EXPECT_EQ(GetHotKeyValue('7'), '7');
    EXPECT_EQ(GetHotKeyValue('Q'), 'Q');
    EXPECT_EQ(GetHotKeyValue('\xB6'), VK_MULTIPLY);
}

TEST(KeyTables, FindKeyRecordWalksRecordsToTheEnd)
{
    const BYTE abTable[] = { 'x', 1, 'y', 2, 'x', 3, 0, 0, 'x', 4 };
    EXPECT_EQ(FindKeyRecord(abTable, 2, 'x', 1), abTable);
    EXPECT_EQ(FindKeyRecord(abTable, 2, 'x', 2), abTable + 4);
    EXPECT_EQ(FindKeyRecord(abTable, 2, 'x', 3), (const BYTE *)NULL);   /* after the end */
    EXPECT_EQ(FindKeyRecord(abTable, 2, 'x', 0), (const BYTE *)NULL);
    EXPECT_EQ(FindKeyRecord(abTable, 2, 0, 1), (const BYTE *)NULL);
    EXPECT_EQ(FindKeyRecord(NULL, 2, 'x', 1), (const BYTE *)NULL);
}

namespace {
struct PostedMessage {
    UINT uiMessage;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const PostedMessage &o) const
    {
        return uiMessage == o.uiMessage && wParam == o.wParam && lParam == o.lParam;
    }
};
std::vector<PostedMessage> ReadAll(LPCSTR lpszList)
{
    std::vector<PostedMessage> items;
    PostedMessage pm;
    while ((lpszList = ReadMessageItem(lpszList, &pm.uiMessage, &pm.wParam, &pm.lParam)) != NULL)
        items.push_back(pm);
    return items;
}
}  // namespace

TEST(MessageList, ItemsFieldsAndBadInput)
{
    typedef std::vector<PostedMessage> V;
    EXPECT_EQ(ReadAll("[10:0:0][112:F060]"), (V{ { 0x10, 0, 0 }, { 0x112, 0xF060, 0 } }));
    EXPECT_EQ(ReadAll("[0111:00000001:00000000]"), (V{ { 0x111, 1, 0 } }));
    EXPECT_EQ(ReadAll("x[10]y [20:a:FFFFFFFF] z"), (V{ { 0x10, 0, 0 }, { 0x20, 0xA, -1 } }));
    /* Message number and wparam are 16 bits wide. */
    EXPECT_EQ(ReadAll("[12345:1ABCD:10]"), (V{ { 0x2345, 0xABCD, 0x10 } }));
    /* A field is read up to its first character that is not a hexadecimal digit: a
       trailing blank or word leaves the number before it. */
    EXPECT_EQ(ReadAll("[10 :F060 x:FFFFFFFF ]"), (V{ { 0x10, 0xF060, -1 } }));
    /* Bad fields read as 0: no leading digit, longer than 12 characters, empty. */
    EXPECT_EQ(ReadAll("[1G:x5:2][ 7:0x5][0000000000010:3:0000000000004][::7]"),
              (V{ { 1, 0, 2 }, { 0, 0, 0 }, { 0, 3, 0 }, { 0, 0, 7 } }));
    /* Surplus fields are skipped; a missing closing bracket ends the list. */
    EXPECT_EQ(ReadAll("[1:2:3:4][5][6:7"), (V{ { 1, 2, 3 }, { 5, 0, 0 }, { 6, 7, 0 } }));
    EXPECT_EQ(ReadAll("10:0:0"), V{});
    EXPECT_EQ(ReadAll(""), V{});
}

TEST(Clipboard, DoubledQuotesAreReducedAndLongTextsCut)
{
    char szText[257];
    EXPECT_EQ(ReduceDoubledQuotes(szText, sizeof(szText), "say \"\"hi\"\" \"\"\"\""), 11u);
    EXPECT_STREQ(szText, "say \"hi\" \"\"");
    std::string strLong(300, 'q');
    EXPECT_EQ(ReduceDoubledQuotes(szText, sizeof(szText), strLong.c_str()), 256u);
    EXPECT_EQ(std::string(szText), std::string(256, 'q'));
    EXPECT_EQ(ReduceDoubledQuotes(szText, 1, "abc"), 0u);
    EXPECT_STREQ(szText, "");

    CopyToClipboard(NULL, (strLong + "\"\"").c_str());
    ASSERT_TRUE(OpenClipboard(NULL));
    HANDLE hText = GetClipboardData(CF_TEXT);
    ASSERT_NE(hText, (HANDLE)NULL);
    EXPECT_EQ(std::string((LPCSTR)GlobalLock(hText)), std::string(256, 'q'));
    GlobalUnlock(hText);
    CloseClipboard();
}

TEST(Playback, EventsBecomeSendInputRecords)
{
    EVENTMSG em = { WM_SYSKEYDOWN, (0x38u << 8) | VK_MENU, 1, 0, NULL };
    INPUT in;
    EventToInput(&em, &in);
    EXPECT_EQ(in.type, (DWORD)INPUT_KEYBOARD);
    EXPECT_EQ(in.ki.wVk, VK_MENU);
    EXPECT_EQ(in.ki.wScan, 0x38);
    EXPECT_EQ(in.ki.dwFlags, 0u);
    em.message = WM_KEYUP;
    EventToInput(&em, &in);
    EXPECT_EQ(in.ki.dwFlags, (DWORD)KEYEVENTF_KEYUP);
}

namespace {
/* A focused EDIT in a foreground window of this process, to type into. */
struct TypingTarget {
    HWND hFrame;
    HWND hEdit;
};
TypingTarget CreateTypingTarget()
{
    TypingTarget tt;
    tt.hFrame = CreateWindowExA(0, "STATIC", "keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                50, 50, 400, 120, NULL, NULL, NULL, NULL);
    tt.hEdit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                               5, 5, 380, 24, tt.hFrame, NULL, NULL, NULL);
    SetForegroundWindow(tt.hFrame);
    SetFocus(tt.hEdit);
    PumpMessages(100);
    return tt;
}
std::string EditText(HWND hEdit)
{
    char sz[512];
    GetWindowTextA(hEdit, sz, sizeof(sz));
    return sz;
}
}  // namespace

TEST(Playback, TypesEveryQueuedEventOnceWhereTheHookIsNotServed)
{
    TypingTarget tt = CreateTypingTarget();
    ASSERT_EQ(GetFocus(), tt.hEdit);

    /* Keys that wait are not typed until a start. */
    AddKeyStrokes("ab");
    PumpMessages(200);
    EXPECT_EQ(EditText(tt.hEdit), "");

    ASSERT_EQ(StartJournalPlayback(), 1);
    AddKeyStrokes("C-d");              /* joins the playback that runs */
    EXPECT_EQ(StartJournalPlayback(), 1);
    EXPECT_TRUE(WaitFor([&] { return EditText(tt.hEdit) == "abC-d"; }, 3000))
        << EditText(tt.hEdit);
    EXPECT_EQ(lpHookInfo, (LPHOOKINFO)NULL);
    PumpMessages(300);
    EXPECT_EQ(EditText(tt.hEdit), "abC-d");

    /* Once the hook is known to go unserved, a start types at once. */
    AddKeyStrokes("!\"\"x");
    EXPECT_EQ(StartJournalPlayback(), 1);
    EXPECT_EQ(lpHookInfo, (LPHOOKINFO)NULL);
    EXPECT_TRUE(WaitFor([&] { return EditText(tt.hEdit) == "abC-d!\"x"; }, 3000))
        << EditText(tt.hEdit);
    DestroyWindow(tt.hFrame);
}

namespace {
/* Random texts of random bytes (no NUL), up to cchMax characters. */
std::string RandomText(unsigned *puSeed, size_t cchMax)
{
    auto next = [&] { *puSeed = *puSeed * 1103515245u + 12345u; return (*puSeed >> 16) & 0x7FFF; };
    std::string str(next() % (cchMax + 1), ' ');
    for (char &c : str)
        c = (char)(1 + next() % 255);
    return str;
}

/* Every key that goes down in the queue comes up again, in the same run. */
void ExpectEveryKeyReleased()
{
    int aiHeld[256] = {};
    for (const KeyEvent &ke : QueuedEvents())
        aiHeld[ke.second] += ke.first == WM_KEYUP ? -1 : 1;
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(aiHeld[i], 0) << "key " << i;
}
}  // namespace

TEST_F(KeyQueue, RandomTextsHotKeysAndMessageListsStayInBounds)
{
    unsigned uSeed = 20261208;
    for (int iRound = 0; iRound < 300; ++iRound) {
        std::string strText = RandomText(&uSeed, 300);

        AddKeyStrokes(strText.c_str());
        ExpectEveryKeyReleased();
        SkipAll();

        std::string strHotKey = strText.substr(0, iRound % 7);
        SendHotKey(strHotKey.c_str(), 0);
        ExpectEveryKeyReleased();
        EXPECT_LE(QueuedEvents().size(), 10u);
        SkipAll();

        size_t nItems = 0, nBrackets = std::count(strText.begin(), strText.end(), '[');
        PostedMessage pm;
        for (LPCSTR p = strText.c_str(); (p = ReadMessageItem(p, &pm.uiMessage, &pm.wParam, &pm.lParam)) != NULL;)
            ++nItems;
        EXPECT_LE(nItems, nBrackets);

        char szClip[257 + 4];
        memset(szClip, 0x5A, sizeof(szClip));
        UINT cch = ReduceDoubledQuotes(szClip, 257, strText.c_str());
        EXPECT_LE(cch, 256u);
        EXPECT_EQ(strlen(szClip), cch);
        EXPECT_EQ(std::string(szClip + 257, 4), std::string(4, 0x5A));
    }
}
