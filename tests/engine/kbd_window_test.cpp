/*
 * kbd_window_test.cpp - the on-screen keyboard opened by the KEYBOARD command, driven
 * with mouse and key messages as the remote drives it, with a probe application in a
 * second process as the target. Results are read from the cursor position, from pixels
 * of the window (latch colours, hover frame, strip text) and from the probe's edit
 * control and message log. Pictures of the window go to shots\kbd_*.bmp.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Corvalin.h"
#include "probe_client.h"
#include "testsupport.h"
#include "OrvaneStore.h"

namespace {

/* Delivered key numbers. */
enum { KEY_Q = 0, KEY_W = 1, KEY_T = 4, KEY_I = 7, KEY_A = 10, KEY_G = 14, KEY_H = 15, KEY_C = 21,
       KEY_GRAVE = 26, KEY_1 = 27, KEY_2 = 28, KEY_BACKSLASH = 39, KEY_COMMA = 44,
       KEY_BACKSPACE = 47, KEY_ENTER_UPPER = 49, KEY_ENTER_LOWER = 50, KEY_CAPS = 51,
       KEY_SHIFT = 52, KEY_SHIFT_RIGHT = 53, KEY_CTRL = 54, KEY_CTRL_RIGHT = 55, KEY_ALT = 56,
       KEY_SPACE = 58 };

const COLORREF crHover = RGB(0, 0, 123);
const COLORREF crShiftLatched = RGB(128, 0, 0);
const COLORREF crCtrlLatched = RGB(128, 0, 128);
const COLORREF crCapsLatched = RGB(0, 128, 0);
const COLORREF crAltLatched = RGB(0, 0, 128);
const COLORREF crCtrlChar = RGB(192, 0, 0);
const RECT rStrip = { 74, 15, 435, 40 };

void SetWorkingDirectory(const std::string &strDir)
{
    WriteRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, ORVANE_WORKING_DIRECTORY, strDir);
}

class Keyboard : public ::testing::Test {
protected:
    ProbeProcess probe;
    HWND hEdit = NULL;
    HWND hKeyboard = NULL;
    HWND hClipOwner = NULL;
    HGLOBAL hKeys = NULL;
    const RECT *lprKeys = NULL;
    POINT ptOverProbe = { 760, 560 };

    void SetUp() override
    {
        std::string strBin = BinaryDir();
        SetWorkingDirectory(PictureFolder(strBin));
        hKeys = GetRCDataZendraRes(IDR_KEY_RECTS);
        lprKeys = (const RECT *)LockResource(hKeys);
        ASSERT_NE(lprKeys, nullptr);
        hClipOwner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
        ASSERT_TRUE(StartProbe(&probe, std::string("kbd_") + ::testing::UnitTest::GetInstance()->current_test_info()->name(),
                               { "typist,600,420,400,240,typing" }));
        HWND hProbe = ProbeWindow("typist");
        hEdit = ProbeControl("typist", "Edit");
        SendMessageA(hEdit, WM_SETTEXT, 0, (LPARAM)"");
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == hProbe; }));
        if (CapsLockOn())
            PressCapsLock();
        ASSERT_TRUE(WaitFor([] { return !CapsLockOn(); }));
        Open();
    }

    void TearDown() override
    {
        if (hKeyboard != NULL && IsWindow(hKeyboard))
            DestroyWindow(hKeyboard);
        PumpMessages(50);
        if (CapsLockOn())
            PressCapsLock();
        PumpMessages(50);
        StopProbe(&probe);
        DeleteFileA(probe.strLog.c_str());
        DestroyWindow(hClipOwner);
        if (hKeys != NULL)
            FreeResource(hKeys);
    }

    /* Where the pictures come from: the programs' folder. */
    virtual std::string PictureFolder(const std::string &strBin) { return strBin.substr(0, strBin.size() - 1); }

    void Run(const char *pszCommand)
    {
        std::vector<char> buffer(pszCommand, pszCommand + strlen(pszCommand) + 1);
        ParseFunction(hClipOwner, buffer.data());
    }

    /* Opens the keyboard with the cursor over the probe, as a remote user would. */
    void Open()
    {
        /* Under Wine an earlier cursor move may still be reported late: put the cursor
           there until it stays. */
        int iSteady = 0;
        ASSERT_TRUE(WaitFor([&] {
            if (!ScreenCursorAt(ptOverProbe)) {
                SetCursorPos(ptOverProbe.x, ptOverProbe.y);
                iSteady = 0;
            }
            PumpMessages(50);
            return ++iSteady >= 4;
        }));
        Run("KEYBOARD");
        ASSERT_TRUE(WaitFor([&] {
            hKeyboard = FindWindowA("#32770", "Keyboard: Probe typist");
            return hKeyboard != NULL;
        }));
        SetForegroundWindow(hKeyboard);
        /* The keyboard puts the cursor on its middle key; let that settle before moving on. */
        ASSERT_TRUE(WaitFor([&] { return CursorAt(Centre(KEY_H)); }));
        PumpMessages(200);
        POINT pH = Centre(KEY_H);
        ClientToScreen(hKeyboard, &pH);
        SetCursorPos(pH.x, pH.y);
        PumpMessages(300);
    }

    static bool ScreenCursorAt(POINT pScreen)
    {
        POINT p;
        GetCursorPos(&p);
        return p.x == pScreen.x && p.y == pScreen.y;
    }
    bool CursorAt(POINT pClient)
    {
        POINT p = Cursor();
        return p.x == pClient.x && p.y == pClient.y;
    }

    POINT Centre(int iKey) const
    {
        const RECT &r = lprKeys[iKey];
        return { r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2 };
    }
    void Move(POINT p) { SendMessageA(hKeyboard, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); }
    /* Runs one hop: the mark must be on the expected key at once, and the cursor must get
       to its centre. Under Wine the system's own mouse messages for a cursor move may come
       late and report an earlier position, moving the mark; so the mark is checked before
       they are taken, and put back on the key afterwards for the next step. */
    void ExpectHop(const std::function<void()> &trigger, int iExpected)
    {
        trigger();
        EXPECT_EQ(MarkedKeys(), std::vector<int>{ iExpected });
        EXPECT_TRUE(WaitFor([&] { return CursorAt(Centre(iExpected)); }, 2000)) << iExpected;
        Hover(iExpected);
    }
    /* The keys that carry the hover mark. */
    std::vector<int> MarkedKeys()
    {
        UpdateWindow(hKeyboard);
        std::vector<int> keys;
        for (int i = 0; lprKeys[i].right != lprKeys[i].left; i++)
            if (FramePixel(i) == crHover)
                keys.push_back(i);
        return keys;
    }
    void Hover(int iKey) { Move(Centre(iKey)); }
    void Press(int iKey)
    {
        POINT p = Centre(iKey);
        SendMessageA(hKeyboard, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    }
    void Release(int iKey)
    {
        POINT p = Centre(iKey);
        SendMessageA(hKeyboard, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        PumpMessages(30);
    }
    void Click(int iKey)
    {
        Press(iKey);
        Release(iKey);
    }
    void Key(UINT vk) { SendMessageA(hKeyboard, WM_KEYDOWN, vk, 0); }

    /* The cursor in the keyboard's client coordinates. */
    POINT Cursor()
    {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hKeyboard, &p);
        return p;
    }
    COLORREF Pixel(int x, int y)
    {
        HDC hDC = GetDC(hKeyboard);
        COLORREF cr = GetPixel(hDC, x, y);
        ReleaseDC(hKeyboard, hDC);
        return cr;
    }
    /* A pixel just inside the latch fill of a key (2 pixels in, then 1 more). */
    COLORREF LatchPixel(int iKey) { return Pixel(lprKeys[iKey].left + 3, lprKeys[iKey].top + 3); }
    /* The left edge of the hover frame on a key, half way down. */
    COLORREF FramePixel(int iKey) { return Pixel(lprKeys[iKey].left, Centre(iKey).y); }
    int CountInStrip(COLORREF cr)
    {
        int iCount = 0;
        HDC hDC = GetDC(hKeyboard);
        for (int y = rStrip.top + 1; y < rStrip.bottom - 1; y++)
            for (int x = rStrip.left + 1; x < rStrip.right - 1; x++)
                iCount += GetPixel(hDC, x, y) == cr;
        ReleaseDC(hKeyboard, hDC);
        return iCount;
    }
    /* Columns of the strip that hold anything but white, leftmost and rightmost. */
    void InkSpan(int *piLeft, int *piRight)
    {
        *piLeft = *piRight = -1;
        HDC hDC = GetDC(hKeyboard);
        for (int x = rStrip.left + 2; x < rStrip.right - 2; x++)
            for (int y = rStrip.top + 2; y < rStrip.bottom - 2; y++)
                if (GetPixel(hDC, x, y) != RGB(255, 255, 255)) {
                    if (*piLeft < 0)
                        *piLeft = x;
                    *piRight = x;
                    break;
                }
        ReleaseDC(hKeyboard, hDC);
    }

    std::string EditText()
    {
        char sz[512] = "";
        SendMessageA(hEdit, WM_GETTEXT, sizeof(sz), (LPARAM)sz);
        return sz;
    }
    /* Virtual keys that went down in the probe's edit control, in order. */
    std::vector<unsigned> KeysDown()
    {
        std::vector<unsigned> keys;
        for (const std::string &strLine : ProbeLines(probe, "queued typist.edit 0x0100 "))
            keys.push_back((unsigned)strtoul(strLine.c_str() + strlen("queued typist.edit 0x0100 "), NULL, 16));
        return keys;
    }
    /* Presses Enter on the picture and waits for the keyboard to go and the text to land. */
    void Send(const std::string &strExpected)
    {
        Click(KEY_ENTER_UPPER);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(hKeyboard); }));
        EXPECT_TRUE(WaitFor([&] { return EditText() == strExpected; })) << EditText();
    }
};

/* ---- Opening ------------------------------------------------------------------------------ */

TEST_F(Keyboard, OpensOnceAtItsPlaceOnTheMiddleKey)
{
    RECT rWindow, rClient;
    GetWindowRect(hKeyboard, &rWindow);
    GetClientRect(hKeyboard, &rClient);
    EXPECT_EQ(rWindow.left, 100);
    EXPECT_EQ(rWindow.top, 100);
    EXPECT_EQ(rClient.right, 454);          /* half of keyboard.bmp */
    EXPECT_EQ(rClient.bottom, 212);
    EXPECT_TRUE(CursorAt(Centre(KEY_H)));

    Run("KEYBOARD");
    PumpMessages(100);
    int iKeyboards = 0;
    EnumWindows([](HWND hWnd, LPARAM lParam) -> BOOL {
        char sz[64];
        GetWindowTextA(hWnd, sz, sizeof(sz));
        *(int *)lParam += strncmp(sz, "Keyboard: ", 10) == 0;
        return TRUE;
    }, (LPARAM)&iKeyboards);
    EXPECT_EQ(iKeyboards, 1);
    EXPECT_TRUE(SaveWindowPicture(hKeyboard, "kbd_rest"));
}

/* ---- Navigation --------------------------------------------------------------------------- */

TEST_F(Keyboard, HopsUpFromQToTwoAndDownFromTToG)
{
    Hover(KEY_Q);
    EXPECT_EQ(FramePixel(KEY_Q), crHover);
    ExpectHop([&] { Move({ Centre(KEY_Q).x, lprKeys[KEY_Q].top + 1 }); }, KEY_2);    /* top band */
    Hover(KEY_T);
    ExpectHop([&] { Move({ Centre(KEY_T).x, lprKeys[KEY_T].bottom - 1 }); }, KEY_G); /* bottom band */
}

TEST_F(Keyboard, UpFromTheDigitRowFindsNothing)
{
    for (int iKey = KEY_GRAVE; iKey <= KEY_BACKSLASH; iKey++) {
        Hover(iKey);
        EXPECT_EQ(MarkedKeys(), std::vector<int>{ iKey });
        Move({ Centre(iKey).x, lprKeys[iKey].top + 1 });      /* top band */
        EXPECT_TRUE(MarkedKeys().empty()) << iKey;            /* nothing found, nothing marked */
    }
}

TEST_F(Keyboard, ArrowKeysHopFromTheHighlightedKey)
{
    Hover(KEY_W);
    ExpectHop([&] { Key(VK_LEFT); }, KEY_Q);
    ExpectHop([&] { Key(VK_DOWN); }, KEY_A);
    ExpectHop([&] { Key(VK_RIGHT); }, KEY_A + 1);
    ExpectHop([&] { Key(VK_UP); }, KEY_W);
    SendMessageA(hKeyboard, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));   /* a release forgets the key */
    Key(VK_RIGHT);
    std::vector<int> marked = MarkedKeys();
    EXPECT_EQ(std::count(marked.begin(), marked.end(), KEY_W + 1), 0);   /* nothing hops */
}

TEST_F(Keyboard, EnterIsOutlinedAsOneShape)
{
    Hover(KEY_ENTER_UPPER);
    const RECT &U = lprKeys[KEY_ENTER_UPPER], &L = lprKeys[KEY_ENTER_LOWER];
    EXPECT_EQ(Pixel(U.left + 2, U.top + 10), crHover);       /* upper part's left side */
    EXPECT_EQ(Pixel(L.left + 2, L.top + 10), crHover);       /* lower part's left side */
    EXPECT_EQ(Pixel(U.right - 2, L.top), crHover);           /* right side across the seam */
    EXPECT_NE(Pixel(U.left + 10, L.top + 2), crHover);       /* no line between the parts */
    Hover(KEY_ENTER_LOWER);                                   /* same button: no repaint */
    EXPECT_EQ(Pixel(U.left + 2, U.top + 10), crHover);
    EXPECT_TRUE(SaveWindowPicture(hKeyboard, "kbd_hover_enter"));
}

/* ---- Latches and the line ---------------------------------------------------------------- */

TEST_F(Keyboard, ShiftStaysLatchedForSymbols)
{
    Click(KEY_SHIFT);
    EXPECT_EQ(LatchPixel(KEY_SHIFT), crShiftLatched);
    EXPECT_EQ(LatchPixel(KEY_SHIFT_RIGHT), crShiftLatched);
    EXPECT_TRUE(SaveWindowPicture(hKeyboard, "kbd_shift"));
    Click(KEY_1);
    Click(KEY_2);
    EXPECT_EQ(LatchPixel(KEY_SHIFT), crShiftLatched);        /* typing does not end Shift */
    Click(KEY_SHIFT);
    EXPECT_NE(LatchPixel(KEY_SHIFT), crShiftLatched);
    Click(KEY_1);
    Send("!@1");
}

TEST_F(Keyboard, CtrlCIsStoredRedAndSentAsCtrlC)
{
    Click(KEY_CTRL);
    EXPECT_EQ(LatchPixel(KEY_CTRL), crCtrlLatched);
    EXPECT_EQ(LatchPixel(KEY_CTRL_RIGHT), crCtrlLatched);
    Click(KEY_C);
    EXPECT_NE(LatchPixel(KEY_CTRL), crCtrlLatched);          /* one key only */
    EXPECT_GT(CountInStrip(crCtrlChar), 0);
    Click(KEY_A);
    Send("a");
    std::vector<unsigned> expected = { VK_CONTROL, 'C', 'A' };
    EXPECT_TRUE(WaitFor([&] { return KeysDown() == expected; }));
    EXPECT_EQ(KeysDown(), expected);
}

TEST_F(Keyboard, AltLatchesForOneKey)
{
    Click(KEY_ALT);
    EXPECT_EQ(LatchPixel(KEY_ALT), crAltLatched);
    Click(KEY_CTRL);                                           /* Ctrl ends Alt */
    EXPECT_NE(LatchPixel(KEY_ALT), crAltLatched);
    EXPECT_EQ(LatchPixel(KEY_CTRL), crCtrlLatched);
    Click(KEY_ALT);                                            /* and Alt ends Ctrl */
    EXPECT_NE(LatchPixel(KEY_CTRL), crCtrlLatched);
    Click(KEY_W);
    EXPECT_NE(LatchPixel(KEY_ALT), crAltLatched);
    EXPECT_GT(CountInStrip(RGB(0, 0, 192)), 0);               /* Alt characters are blue */
}

TEST_F(Keyboard, CapsKeyTurnsTheSystemsCapsLockOnAndOff)
{
    Click(KEY_CAPS);
    EXPECT_TRUE(WaitFor([&] { return CapsLockOn() && LatchPixel(KEY_CAPS) == crCapsLatched; }));
    EXPECT_TRUE(SaveWindowPicture(hKeyboard, "kbd_caps"));
    Click(KEY_CAPS);
    EXPECT_TRUE(WaitFor([&] { return !CapsLockOn() && LatchPixel(KEY_CAPS) != crCapsLatched; }));
}

TEST_F(Keyboard, CapsLockWrapsLettersInTwoCapsLockStrokes)
{
    /* Caps Lock pressed in the target before the keyboard opens. */
    Key(VK_ESCAPE);
    SetForegroundWindow(ProbeWindow("typist"));
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == ProbeWindow("typist"); }));
    size_t cBefore = KeysDown().size() + 1;                   /* and the Caps Lock press itself */
    PressCapsLock();
    ASSERT_TRUE(WaitFor([&] { return CapsLockOn() && KeysDown().size() == cBefore; }));
    Open();
    EXPECT_EQ(LatchPixel(KEY_CAPS), crCapsLatched);
    Click(KEY_H);
    Click(KEY_I);
    Send("HI");
    std::vector<unsigned> expected = { VK_CAPITAL, VK_SHIFT, 'H', VK_SHIFT, 'I', VK_CAPITAL };
    auto Sent = [&] { std::vector<unsigned> keys = KeysDown(); return std::vector<unsigned>(keys.begin() + std::min(cBefore, keys.size()), keys.end()); };
    EXPECT_TRUE(WaitFor([&] { return Sent() == expected; }));
    EXPECT_EQ(Sent(), expected);
    EXPECT_TRUE(CapsLockOn());                                 /* restored */
}

TEST_F(Keyboard, BackspaceAndTheLimitOfTheLine)
{
    Key(VK_BACK);                                               /* empty: harmless */
    for (int i = 0; i < 260; i++)
        Key('A' + i % 26);
    Key(VK_BACK);
    Key('Z');
    std::string strExpected;
    for (int i = 0; i < 253; i++)
        strExpected += (char)('a' + i % 26);
    strExpected += 'z';
    Key(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hKeyboard); }));
    EXPECT_TRUE(WaitFor([&] { return EditText() == strExpected; }, 10000)) << EditText().size();
}

TEST_F(Keyboard, ALongLineShowsItsTailRightAligned)
{
    const char szText[] = "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG AND KEEPS ON RUNNING";
    Click(KEY_SHIFT);
    for (const char *p = szText; *p; p++)
        Key(*p == ' ' ? VK_SPACE : (UINT)*p);
    int iLeft, iRight;
    InkSpan(&iLeft, &iRight);
    EXPECT_LT(iLeft, rStrip.left + 20);                       /* fills the strip */
    EXPECT_GT(iRight, rStrip.right - 12);                     /* ends at the right */
    EXPECT_TRUE(SaveWindowPicture(hKeyboard, "kbd_long_line"));
    Key(VK_BACK);
    Key(VK_BACK);
    int iLeft2, iRight2;
    InkSpan(&iLeft2, &iRight2);
    EXPECT_GT(iRight2, rStrip.right - 12);                    /* still right-aligned */
}

/* ---- Pressing, sending, dropping ---------------------------------------------------------- */

TEST_F(Keyboard, APressedKeyShowsThePressedPicture)
{
    COLORREF crRest = Pixel(lprKeys[KEY_G].left, lprKeys[KEY_G].top);
    Press(KEY_G);
    PumpMessages(30);
    COLORREF crPressed = Pixel(lprKeys[KEY_G].left, lprKeys[KEY_G].top);
    EXPECT_NE(crRest, crPressed);
    EXPECT_EQ(Pixel(lprKeys[KEY_H].left, lprKeys[KEY_H].top), crRest);   /* only that key */
    EXPECT_TRUE(SaveWindowPicture(hKeyboard, "kbd_pressed"));
    Release(KEY_H);                                            /* released elsewhere: nothing */
    EXPECT_EQ(Pixel(lprKeys[KEY_G].left, lprKeys[KEY_G].top), crRest);
    Press(KEY_ENTER_UPPER);
    Release(KEY_ENTER_LOWER);                                  /* the other part: nothing */
    EXPECT_TRUE(IsWindow(hKeyboard));
    Click(KEY_W);
    Send("w");
}

TEST_F(Keyboard, EnterTypesTheLineIntoTheTargetAndPutsTheCursorBack)
{
    Click(KEY_SHIFT);
    Click(KEY_H);
    Click(KEY_SHIFT);
    Click(KEY_I);
    Click(KEY_COMMA);
    Click(KEY_SPACE);
    Click(KEY_W);
    Send("Hi, w");
    EXPECT_TRUE(WaitFor([&] { return ScreenCursorAt(ptOverProbe); }));
    Open();                                                   /* a new keyboard starts empty */
    Click(KEY_Q);
    Send("Hi, wq");
}

TEST_F(Keyboard, EscapeDropsTheLine)
{
    Click(KEY_Q);
    Click(KEY_W);
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hKeyboard); }));
    PumpMessages(300);
    EXPECT_EQ(EditText(), "");
    EXPECT_TRUE(KeysDown().empty());
}

TEST_F(Keyboard, CloseBoxDropsTheLineAndANewKeyboardCanOpen)
{
    Click(KEY_Q);
    SendMessageA(hKeyboard, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hKeyboard); }));
    Open();
    Click(KEY_W);
    Send("w");
}

TEST_F(Keyboard, EnterAfterTheTargetClosedTypesNothing)
{
    ProbeProcess bystander;
    ASSERT_TRUE(StartProbe(&bystander, "kbd_bystander", { "bystander,40,420,300,200,typing" }));
    HWND hBystanderEdit = ProbeControl("bystander", "Edit");
    SendMessageA(hBystanderEdit, WM_SETTEXT, 0, (LPARAM)"");
    SetForegroundWindow(hKeyboard);
    Click(KEY_Q);
    StopProbe(&probe);
    Key(VK_RETURN);
    EXPECT_FALSE(IsWindow(hKeyboard));
    SetForegroundWindow(ProbeWindow("bystander"));
    /* A sentinel through the engine's key queue, behind anything the keyboard put there. */
    Run("WRITE\"-\"");
    char sz[64] = "";
    EXPECT_TRUE(WaitFor([&] {
        SendMessageA(hBystanderEdit, WM_GETTEXT, sizeof(sz), (LPARAM)sz);
        return sz[0] != '\0';
    }));
    EXPECT_STREQ(sz, "-");                                     /* the line went nowhere */
    StopProbe(&bystander);
    DeleteFileA(bystander.strLog.c_str());
}

/* ---- Without a picture -------------------------------------------------------------------- */

class KeyboardWithoutPicture : public Keyboard {
protected:
    std::string PictureFolder(const std::string &strBin) override
    {
        std::string strDir = strBin + "kbd_nopicture";
        CreateDirectoryA(strDir.c_str(), NULL);
        return strDir;
    }
};

/* A picture cut off in its pixel rows, as a broken copy would leave it. */
class KeyboardWithCutPicture : public Keyboard {
protected:
    std::string PictureFolder(const std::string &strBin) override
    {
        std::string strDir = strBin + "kbd_cutpicture";
        CreateDirectoryA(strDir.c_str(), NULL);
        HANDLE hIn = CreateFileA((strBin + "keyboard.bmp").c_str(), GENERIC_READ, FILE_SHARE_READ, NULL,
                                 OPEN_EXISTING, 0, NULL);
        std::vector<char> bytes(20000);
        DWORD cb = 0;
        ReadFile(hIn, bytes.data(), (DWORD)bytes.size(), &cb, NULL);
        CloseHandle(hIn);
        HANDLE hOut = CreateFileA((strDir + "\\keyboard.bmp").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        WriteFile(hOut, bytes.data(), cb, &cb, NULL);
        CloseHandle(hOut);
        return strDir;
    }
};

TEST_F(KeyboardWithCutPicture, StillTypes)
{
    RECT rClient;
    GetClientRect(hKeyboard, &rClient);
    EXPECT_EQ(rClient.right, 454);
    Click(KEY_SHIFT);
    Click(KEY_Q);
    Send("Q");
}

TEST_F(KeyboardWithoutPicture, StillTypes)
{
    RECT rClient;
    GetClientRect(hKeyboard, &rClient);
    EXPECT_EQ(rClient.right, 454);                            /* the keys and their margin */
    EXPECT_EQ(rClient.bottom, 212);
    Click(KEY_Q);
    Send("q");
}

}  // namespace
