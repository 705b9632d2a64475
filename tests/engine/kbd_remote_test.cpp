/*
 * kbd_remote_test.cpp - the on-screen keyboard as a remote user meets it: a button of the
 * virtual remote, assigned KEYBOARD, opens the keyboard inside the running tray program
 * over the program in front (the probe); clicks on the keyboard build a line and Enter
 * types it into the probe's edit control.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "probe_client.h"
#include "testsupport.h"
#include "OrvaneStore.h"
#include "traytest.h"

namespace {

enum { KEY_I = 7, KEY_H = 15, KEY_BACKSPACE = 47, KEY_TAB = 48, KEY_ENTER_UPPER = 49, KEY_CAPS = 51,
       KEY_SHIFT = 52, KEY_SPACE = 58 };

TEST(KbdFromTheRemote, AButtonOpensTheKeyboardThatTypesIntoTheProgramInFront)
{
    ASSERT_TRUE(PrepareReceiver());
    ASSERT_TRUE(InstallTestAssignments());
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, ORVANE_ROOT_KEY "\\PC", "0", "KEYBOARD"));   /* button 1 */

    HGLOBAL hKeys = GetRCDataZendraRes(IDR_KEY_RECTS);
    const RECT *lprKeys = (const RECT *)LockResource(hKeys);
    ASSERT_NE(lprKeys, nullptr);

    ProbeProcess probe;
    ASSERT_TRUE(StartProbe(&probe, "kbd_remote", { "typist,600,420,400,240,typing" }));
    HWND hEdit = ProbeControl("typist", "Edit");
    SendMessageA(hEdit, WM_SETTEXT, 0, (LPARAM)"");
    tagTELLUMO tellumo;
    ASSERT_TRUE(StartTellumo(&tellumo));
    SetForegroundWindow(ProbeWindow("typist"));
    ASSERT_TRUE(WaitFor([] { return GetForegroundWindow() == ProbeWindow("typist"); }));
    SetCursorPos(760, 560);
    PumpMessages(200);

    EXPECT_EQ(RunRemote("/play PC 1"), 0u);
    HWND hKeyboard = NULL;
    EXPECT_TRUE(WaitFor([&] {
        hKeyboard = FindWindowA("#32770", "Keyboard: Probe typist");
        return hKeyboard != NULL;
    }));
    if (hKeyboard != NULL) {
        DWORD dwProcess = 0;
        GetWindowThreadProcessId(hKeyboard, &dwProcess);
        EXPECT_EQ(dwProcess, tellumo.pi.dwProcessId);                 /* inside the tray program */
        auto Click = [&](int iKey) {
            const RECT &r = lprKeys[iKey];
            LPARAM lParam = MAKELPARAM(r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2);
            /* Posted, as input arrives: the key message that the release posts comes
               before the next click. */
            PostMessageA(hKeyboard, WM_LBUTTONDOWN, MK_LBUTTON, lParam);
            PostMessageA(hKeyboard, WM_LBUTTONUP, 0, lParam);
            PumpMessages(150);
        };
        Click(KEY_SHIFT);
        Click(KEY_H);
        Click(KEY_SHIFT);
        Click(KEY_I);
        EXPECT_TRUE(SaveWindowPicture(hKeyboard, "kbd_from_the_remote"));
        /* The first click came before the first paint: the keys it did not touch are at
           rest, their top-left edge light. */
        HDC hDC = GetDC(hKeyboard);
        for (int iKey : { KEY_BACKSPACE, KEY_TAB, KEY_CAPS, KEY_SPACE })
            EXPECT_EQ(GetPixel(hDC, lprKeys[iKey].left, lprKeys[iKey].top), RGB(255, 255, 255)) << iKey;
        ReleaseDC(hKeyboard, hDC);
        Click(KEY_ENTER_UPPER);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(hKeyboard); }));
        EXPECT_TRUE(WaitFor([&] {
            char sz[64] = "";
            SendMessageA(hEdit, WM_GETTEXT, sizeof(sz), (LPARAM)sz);
            return std::string(sz) == "Hi";
        }));
    }
    CloseTellumo(&tellumo);
    StopProbe(&probe);
    DeleteFileA(probe.strLog.c_str());
    FreeResource(hKeys);
}

}  // namespace
