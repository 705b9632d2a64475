/*
 * usbkeys_test.cpp - the keys of a USB remote or media keyboard, sent through the X server
 * with xdotool as the keyboard sends them: the tray program's keyboard hook takes the
 * mapped ones as presses of the remote's buttons and keeps them from the program in front
 * (the probe, which records every key it gets), lets every other key through, and never
 * takes the keys that the system types itself.
 */
#include <gtest/gtest.h>
#include <algorithm>
#include "probe_client.h"
#include "OrvaneStore.h"
#include "sourcetest.h"
#include "testsupport.h"
#include "traytest.h"
#include "Tellumo.h"

namespace {

class UsbKeysTest : public ::testing::Test {
protected:
    tagTELLUMO tProgram = {};
    ProbeProcess probe;
    size_t cSentinels = 0;

    void SetUp() override
    {
        ASSERT_TRUE(PrepareReceiver());
        ASSERT_TRUE(InstallTestAssignments());
        ResetSources();
        ASSERT_TRUE(StartProbe(&probe, "usbkeys", { "typist,500,380,400,240,typing" }));
        SetSources(false, "localhost:8765", true);
        ASSERT_TRUE(StartTellumo(&tProgram));
        WatchTraySources(tProgram.hWnd, false);
        ASSERT_TRUE(WaitFor([] { return (WatchedSources() & SOURCE_KEYS_ON) != 0; }));
        Front();
    }

    void TearDown() override
    {
        if (tProgram.pi.hProcess != NULL)
            CloseTellumo(&tProgram);
        StopProbe(&probe);
        ResetSources();
    }

    /* The probe in front with the keyboard in its edit control, which is emptied. The
       window is in front before its thread has given the edit the focus, and a key that
       comes between goes to no window. */
    void Front()
    {
        HWND hTypist = ProbeWindow("typist");
        HWND hEdit = ProbeControl("typist", "Edit");
        SetForegroundWindow(hTypist);
        ASSERT_TRUE(WaitFor([&] {
            GUITHREADINFO gti = {};
            gti.cbSize = sizeof(gti);
            return GetForegroundWindow() == hTypist
                   && GetGUIThreadInfo(GetWindowThreadProcessId(hTypist, NULL), &gti) && gti.hwndFocus == hEdit;
        }));
        SendMessageA(hEdit, WM_SETTEXT, 0, (LPARAM)"");
    }

    std::string Typed()
    {
        char szText[64] = "";
        SendMessageA(ProbeControl("typist", "Edit"), WM_GETTEXT, sizeof(szText), (LPARAM)szText);
        return szText;
    }

    /* The probe's lines of a button's command and of key downs of a virtual key. */
    size_t Commands(unsigned uiHit)
    {
        return ProbeLines(probe, "queued typist 0x8123 " + ProbeHex(uiHit) + " ").size();
    }

    size_t KeyDowns(unsigned uiKey)
    {
        return ProbeLines(probe, "queued typist.edit 0x0100 " + ProbeHex(uiKey) + " ").size();
    }

    /* A sentinel key (an unmapped one): when it has arrived, every key before it has too. */
    void Settle()
    {
        ASSERT_TRUE(XdoTool("key F9"));
        ++cSentinels;
        EXPECT_TRUE(WaitFor([&] { return KeyDowns(VK_F9) == cSentinels; }));
    }
};

/* Mapped keys run their buttons and never reach the program in front; unmapped keys reach
   it untouched; with the source off the mapped keys reach it too. */
TEST_F(UsbKeysTest, MappedKeysRunButtonsAndOtherKeysReachTheProgram)
{
    ASSERT_TRUE(XdoTool("key XF86AudioRaiseVolume"));
    EXPECT_TRUE(WaitFor([&] { return Commands(0x410) == 1; }));      /* VOL+ */
    ASSERT_TRUE(XdoTool("key XF86AudioNext"));
    EXPECT_TRUE(WaitFor([&] { return Commands(0x126) == 1; }));      /* FF */
    ASSERT_TRUE(XdoTool("key 8 x"));
    EXPECT_TRUE(WaitFor([&] { return Typed() == "8x"; })) << Typed();
    Settle();
    EXPECT_EQ(0u, KeyDowns(VK_VOLUME_UP));
    EXPECT_EQ(0u, KeyDowns(VK_MEDIA_NEXT_TRACK));

    /* A key learnt into the map is taken from the next press on. */
    WriteMapEntry("Key 8", "2");
    TellTrayToReadSources(tProgram.hWnd);
    Front();
    ASSERT_TRUE(XdoTool("key 8 9"));
    EXPECT_TRUE(WaitFor([&] { return Commands(0x101) == 1; }));
    EXPECT_TRUE(WaitFor([&] { return Typed() == "9"; })) << Typed();

    /* Switched off: the keys are the program's again. */
    SetSources(false, "localhost:8765", false);
    TellTrayToReadSources(tProgram.hWnd);
    ASSERT_TRUE(WaitFor([] { return (WatchedSources() & SOURCE_KEYS_ON) == 0; }));
    Front();
    ASSERT_TRUE(XdoTool("key XF86AudioRaiseVolume 8"));
    EXPECT_TRUE(WaitFor([&] { return KeyDowns(VK_VOLUME_UP) == 1 && Typed() == "8"; })) << Typed();
    Settle();
    EXPECT_EQ(1u, Commands(0x410));
    EXPECT_EQ(1u, Commands(0x101));
}

/* What the system types itself passes the hook even when its keys are mapped, while the
   same key from the keyboard is taken; a held mapped key repeats as a held button. */
TEST_F(UsbKeysTest, OwnTypingIsNeverTaken)
{
    WriteMapEntry("Key 7", "2");
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, ORVANE_ROOT_KEY "\\PC", "0", "WRITE\"7a77\""));
    TellTrayToReadSources(tProgram.hWnd);
    PostCode(tProgram.hWnd, 33);     /* button 1 of the remote: types 7a77 */
    EXPECT_TRUE(WaitFor([&] { return Typed() == "7a77"; })) << Typed();
    Settle();
    EXPECT_EQ(0u, Commands(0x101));
    ASSERT_TRUE(XdoTool("key 7"));
    EXPECT_TRUE(WaitFor([&] { return Commands(0x101) == 1; }));
    Settle();
    EXPECT_EQ("7a77", Typed());

    /* Held for two seconds, the X server repeating the key: the press log shows its repeats
       as those of a held button, the first second's dropped, and the others run. */
    std::vector<std::string> vLines = OpenPressLogLines(tProgram.hWnd);
    ASSERT_TRUE(vLines.empty());
    /* The log has taken the keyboard; a probe started afresh takes it as the first did. */
    StopProbe(&probe);
    ASSERT_TRUE(StartProbe(&probe, "usbkeys", { "typist,500,380,400,240,typing" }));
    cSentinels = 0;
    Front();
    Settle();
    ASSERT_TRUE(RunUnixScript("xdotool keydown 7 && sleep 2 && xdotool keyup 7") == 0);
    Settle();
    size_t cHeld = 0, cDropped = 0;
    EXPECT_TRUE(WaitFor([&] {
        vLines = OpenPressLogLines(tProgram.hWnd);
        cHeld = std::count_if(vLines.begin(), vLines.end(),
                              [](const std::string &str) { return str.find("\t0x22\t") != std::string::npos; });
        cDropped = std::count_if(vLines.begin(), vLines.end(),
                                 [](const std::string &str) { return str.find("\t0x22\tdropped") != std::string::npos; });
        return cHeld > 0 && Commands(0x101) == cHeld - cDropped;
    }));
    EXPECT_GE(cHeld, 3u);
    EXPECT_GE(cDropped, 1u);
    EXPECT_EQ("", Typed());
}

/* The hook decides on its own thread: with the tray program's thread frozen (as a busy
   program's or one waiting on a message box), typing still reaches the program in front
   and a mapped key is still kept from it; its press runs once the thread goes on. */
TEST_F(UsbKeysTest, AFrozenTrayProgramNeverHoldsTheKeyboard)
{
    HANDLE hTrayThread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, tProgram.pi.dwThreadId);
    ASSERT_NE(nullptr, hTrayThread);
    ASSERT_NE((DWORD)-1, SuspendThread(hTrayThread));
    ASSERT_TRUE(XdoTool("key XF86AudioRaiseVolume 8"));
    EXPECT_TRUE(WaitFor([&] { return Typed() == "8"; })) << Typed();
    Settle();
    EXPECT_EQ(0u, KeyDowns(VK_VOLUME_UP));
    EXPECT_EQ(0u, Commands(0x410));
    ResumeThread(hTrayThread);
    CloseHandle(hTrayThread);
    EXPECT_TRUE(WaitFor([&] { return Commands(0x410) == 1; }));
    EXPECT_EQ(0u, KeyDowns(VK_VOLUME_UP));
}

}  // namespace
