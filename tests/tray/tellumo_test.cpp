/*
 * tellumo_test.cpp - the tray program as a user meets it: started under Wine with the
 * receiver driver running, fed codes by direct WM_USER posts or by the virtual remote,
 * watched through the commands that reach the window in front, the driver's records and
 * the notification area of the virtual desktop.
 */
#include <gtest/gtest.h>
#include <algorithm>
#include "OrvaneStore.h"
#include "testsupport.h"
#include "traytest.h"
#include "traywatch.h"

/* Raw codes of the virtual remote, as the test assignments translate them. */
enum {
    RAW_PC = 16, RAW_WEB, RAW_PHONE, RAW_DVD, RAW_CD, RAW_SHIFT, RAW_VOLUP, RAW_VOLDOWN,
    RAW_ONE = 33, RAW_TWO = 34, RAW_UP = 48, RAW_PLAY = 64
};
/* What the test assignments post (wParam of SINK_MESSAGE). */
enum {
    HIT_PC_ONE = 0x100, HIT_PC_TWO = 0x101, HIT_PC_UP = 0x10A, HIT_PC_SHIFT_ONE = 0x111,
    HIT_PC_PLAY = 0x122, HIT_PC_MODE = 0x1FF, HIT_WEB_ONE = 0x200, HIT_WEB_MODE = 0x2FF,
    HIT_VOLUP = 0x410
};

class TellumoTest : public ::testing::Test {
protected:
    tagTELLUMO tProgram = {};

    void SetUp() override
    {
        ASSERT_TRUE(PrepareReceiver());
        ASSERT_TRUE(InstallTestAssignments());
        CreateSink();
    }

    void TearDown() override
    {
        if (tProgram.pi.hProcess != NULL)
            CloseTellumo(&tProgram);
        DestroySink();
        PrepareReceiver();
    }

    void Start()
    {
        ASSERT_TRUE(StartTellumo(&tProgram));
        ClearSink();
    }

    size_t Hits(WPARAM wParam)
    {
        return std::count_if(SinkHits().begin(), SinkHits().end(),
                             [&](const tagSINKHIT &hit) { return hit.wParam == wParam; });
    }

    ::testing::AssertionResult NoTrayIcon()
    {
        std::vector<tagTRAYENTRY> vEntries;
        if (!ReadTrayIcons(&vEntries))
            return ::testing::AssertionFailure() << "the tray cannot be read";
        if (vEntries.empty())
            return ::testing::AssertionSuccess();
        ::testing::AssertionResult arShown = ::testing::AssertionFailure();
        for (const tagTRAYENTRY &teEntry : vEntries)
            arShown << "icon \"" << teEntry.strTip << "\" at " << teEntry.rcScreen.left << ","
                    << teEntry.rcScreen.top << "; ";
        return arShown;
    }

    void ExpectTrayState(int iMode, int iShift)
    {
        EXPECT_TRUE(TrayShowsMode(iMode, iShift));
    }

    MIRELOSTATE Receiver()
    {
        MIRELOSTATE msState = {};
        EXPECT_TRUE(QueryReceiver(&msState));
        return msState;
    }

    int CountProgramWindows(LPCSTR lpszClass, LPCSTR lpszTitle)
    {
        return CountTellumoWindows(&tProgram, lpszClass, lpszTitle);
    }

    bool Responds()
    {
        DWORD_PTR dwResult;
        return SendMessageTimeoutA(tProgram.hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &dwResult) != 0;
    }
};

/* ---- auto-repeat (its timing is tested on a clock of the test's own in trayrules_test) ---- */

TEST_F(TellumoTest, FirstCodeOfAPressActsAtOnce)
{
    Start();
    PostCode(tProgram.hWnd, RAW_ONE);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_ONE) == 1; }, 2000));
    PostCode(tProgram.hWnd, RAW_TWO);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_TWO) == 1; }, 2000));
    EXPECT_EQ(2u, SinkHits().size());
}

/* Through the tray program's own timer: a button held on the virtual remote. */
TEST_F(TellumoTest, HeldButtonOfTheVirtualRemote)
{
    Start();
    EXPECT_EQ(0u, RunRemote("/play UP*25"));     /* 2.64 s at the receiver's interval */
    /* Every code of the remote is queued before this one, which ends the press. */
    PostCode(tProgram.hWnd, RAW_TWO);
    ASSERT_TRUE(WaitFor([&] { return Hits(HIT_PC_TWO) == 1; }, 5000));
    /* One at once, nothing for a second, then the repeats (14 when the remote keeps time). */
    EXPECT_GE(Hits(HIT_PC_UP), 8u);
    EXPECT_LE(Hits(HIT_PC_UP), 16u);
}

/* ---- the press path, mode and shift ---- */

TEST_F(TellumoTest, ModeAndShiftButtonsChangeIconAndTip)
{
    Start();
    ExpectTrayState(0, 0);
    for (int iMode = 0; iMode < 5; iMode++) {
        PostCode(tProgram.hWnd, (BYTE)(RAW_PC + iMode));
        ExpectTrayState(iMode, 0);
        /* A mode and shift alternate, so no code is a repeat of the one before. */
        PostCode(tProgram.hWnd, RAW_SHIFT);
        ExpectTrayState(iMode, 1);
    }
    /* A mode selection clears shift and runs the mode's own command. */
    PostCode(tProgram.hWnd, RAW_WEB);
    ExpectTrayState(1, 0);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_WEB_MODE) == 2; }, 2000));
    PostCode(tProgram.hWnd, RAW_ONE);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_WEB_ONE) == 1; }, 2000));
    PostCode(tProgram.hWnd, RAW_PC);
    ExpectTrayState(0, 0);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_MODE) == 2; }, 2000));
}

TEST_F(TellumoTest, ShiftedAndModeIndependentButtonsRunTheirCommands)
{
    Start();
    PostCode(tProgram.hWnd, RAW_SHIFT);
    PostCode(tProgram.hWnd, RAW_ONE);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_SHIFT_ONE) == 1; }, 2000));
    /* Special buttons do not shift. */
    PostCode(tProgram.hWnd, RAW_PLAY);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_PLAY) == 1; }, 2000));
    PostCode(tProgram.hWnd, RAW_VOLUP);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_VOLUP) == 1; }, 2000));
    /* A code without translation reads as button 0; unassigned codes run nothing. */
    PostCode(tProgram.hWnd, 200);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_SHIFT_ONE) == 2; }, 2000));
    EXPECT_EQ(0u, Hits(HIT_PC_ONE));
    ExpectTrayState(0, 1);
}

TEST_F(TellumoTest, WholePressFromTheVirtualRemote)
{
    Start();
    std::string strLog = BinaryDir() + "tellumo_test_remote.log";
    DeleteFileA(strLog.c_str());
    EXPECT_EQ(0u, RunRemote("/play 1 UP +200 PLAY VOL+ WEB 1", strLog));
    EXPECT_TRUE(WaitFor([&] { return SinkHits().size() == 6; }, 3000));
    std::vector<WPARAM> vGot;
    for (const tagSINKHIT &hit : SinkHits())
        vGot.push_back(hit.wParam);
    std::vector<WPARAM> vWanted = { HIT_PC_ONE, HIT_PC_UP, HIT_PC_PLAY, HIT_VOLUP, HIT_WEB_MODE, HIT_WEB_ONE };
    EXPECT_EQ(vWanted, vGot);
    char szLine[60];
    snprintf(szLine, sizeof(szLine), "code 0x21 -> window 0x%08X", (unsigned)(ULONG_PTR)tProgram.hWnd);
    EXPECT_NE(std::string::npos, ReadTextFile(strLog).find(szLine)) << ReadTextFile(strLog);
    ExpectTrayState(1, 0);
}

TEST_F(TellumoTest, ModeReportChangesTheIconOnlyWhenTheStateChanges)
{
    ASSERT_TRUE(ConnectReceiver(0));
    Start();
    EXPECT_TRUE(NoTrayIcon());
    /* PC without shift is what the icon state already holds: nothing happens. */
    PostMessageA(tProgram.hWnd, WM_COMMAND, 257, 0x0000);
    PumpMessages(500);
    EXPECT_TRUE(NoTrayIcon());
    /* A new state adds the icon even while the driver refuses the window. */
    PostMessageA(tProgram.hWnd, WM_COMMAND, 257, 0x0301);
    ExpectTrayState(3, 1);
    PostMessageA(tProgram.hWnd, WM_COMMAND, 257, 0x0301);
    PumpMessages(300);
    ExpectTrayState(3, 1);
    /* Only the low word counts. */
    PostMessageA(tProgram.hWnd, WM_COMMAND, 257, (LPARAM)0x7FFF0000 | 0x0001);
    ExpectTrayState(0, 1);
}

/* ---- the driver link ---- */

TEST_F(TellumoTest, RegistersItsWindowAtStartAndAfterEveryCode)
{
    MIRELOSTATE msBefore = Receiver();
    Start();
    MIRELOSTATE msStarted = Receiver();
    EXPECT_EQ((DWORD)(ULONG_PTR)tProgram.hWnd, msStarted.uiWindow);
    EXPECT_EQ(msBefore.uiRegistrations + 1, msStarted.uiRegistrations);
    ExpectTrayState(0, 0);
    PostCode(tProgram.hWnd, RAW_ONE);
    PostCode(tProgram.hWnd, RAW_ONE);      /* dropped as a repeat, registered all the same */
    PostCode(tProgram.hWnd, 250);
    EXPECT_TRUE(WaitFor([&] { return Receiver().uiRegistrations == msStarted.uiRegistrations + 3; }, 2000));
}

TEST_F(TellumoTest, NoIconWhileTheReceiverRefusesTheWindow)
{
    ASSERT_TRUE(ConnectReceiver(0));
    MIRELOSTATE msBefore = Receiver();
    Start();
    EXPECT_EQ(msBefore.uiRequests + 1, Receiver().uiRequests);
    EXPECT_TRUE(NoTrayIcon());
    /* Codes still run (they reach the window by other means here) and each tries again. */
    PostCode(tProgram.hWnd, RAW_ONE);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_ONE) == 1; }, 2000));
    EXPECT_TRUE(WaitFor([&] { return Receiver().uiRequests == msBefore.uiRequests + 2; }, 2000));
    EXPECT_TRUE(NoTrayIcon());
    ASSERT_TRUE(ConnectReceiver(1));
    PostCode(tProgram.hWnd, RAW_TWO);
    ExpectTrayState(0, 0);
    /* Refused again: the icon goes. */
    ASSERT_TRUE(ConnectReceiver(0));
    PostCode(tProgram.hWnd, RAW_ONE);
    EXPECT_TRUE(WaitFor([&] { return (bool)NoTrayIcon(); }, 2000)) << NoTrayIcon().message();
}

TEST_F(TellumoTest, NoIconWhileTheDriverIsStopped)
{
    ASSERT_EQ(0u, RunProcess("\"" + BinaryDir() + "OrvaneSetup.exe\" /stopdriver"));
    Start();
    PumpMessages(300);
    EXPECT_TRUE(NoTrayIcon());
    ASSERT_EQ(0u, RunProcess("\"" + BinaryDir() + "OrvaneSetup.exe\" /driver"));
    PostCode(tProgram.hWnd, RAW_ONE);
    ExpectTrayState(0, 0);
    EXPECT_EQ((DWORD)(ULONG_PTR)tProgram.hWnd, Receiver().uiWindow);
}

/* Through the tray program's own timer: after a power event the registration is tried
   again until the receiver takes the window, which brings the icon back with no code. */
TEST_F(TellumoTest, PowerEventsRetryTheRegistrationThroughTheTimer)
{
    ASSERT_TRUE(ConnectReceiver(0));
    Start();
    unsigned uiRequests = Receiver().uiRequests;
    PostMessageA(tProgram.hWnd, WM_POWER, PWR_SUSPENDRESUME, 0);
    EXPECT_TRUE(WaitFor([&] { return Receiver().uiRequests >= uiRequests + 2; }, 8000));
    EXPECT_TRUE(NoTrayIcon());
    ASSERT_TRUE(ConnectReceiver(1));
    ExpectTrayState(0, 0);

    /* Refused after a code, the icon goes; a resume broadcast retries in the same way. */
    ASSERT_TRUE(ConnectReceiver(0));
    PostCode(tProgram.hWnd, RAW_ONE);
    EXPECT_TRUE(WaitFor([&] { return (bool)NoTrayIcon(); }, 2000)) << NoTrayIcon().message();
    uiRequests = Receiver().uiRequests;
    PostMessageA(tProgram.hWnd, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_TRUE(WaitFor([&] { return Receiver().uiRequests >= uiRequests + 1; }, 8000));
    ASSERT_TRUE(ConnectReceiver(1));
    ExpectTrayState(0, 0);
}

/* ---- one instance, menu, commands ---- */

TEST_F(TellumoTest, SecondStartEndsAtOnce)
{
    Start();
    EXPECT_EQ(0u, RunProcess("\"" + BinaryDir() + "Tellumo.exe\"", 10000));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(tProgram.pi.hProcess, 0));
    EXPECT_EQ(tProgram.hWnd, FindWindowA("TELLUMO", "Zendra Remote Buttons"));
    EXPECT_EQ(nullptr, FindWindowExA(NULL, tProgram.hWnd, "TELLUMO", "Zendra Remote Buttons"));
    std::vector<tagTRAYENTRY> vEntries;
    ASSERT_TRUE(ReadTrayIcons(&vEntries));
    EXPECT_EQ(1u, vEntries.size());
}

TEST_F(TellumoTest, ClickOnTheIconOpensTheMenuAndItsItemsWork)
{
    Start();
    tagTRAYENTRY teEntry;
    ASSERT_TRUE(WaitFor([&] { return ReadTheTrayIcon(&teEntry); }, 3000));
    POINT ptIcon = { (teEntry.rcScreen.left + teEntry.rcScreen.right) / 2,
                     (teEntry.rcScreen.top + teEntry.rcScreen.bottom) / 2 };
    for (bool bRight : { true, false }) {
        ClickAt(ptIcon, bRight);
        ASSERT_TRUE(WaitFor([] { return VisibleMenu() != NULL; }, 3000)) << (bRight ? "right" : "left");
        /* Help, Configure, a separator and Close: four rows, opened at the pointer. */
        RECT rcMenu;
        GetWindowRect(VisibleMenu(), &rcMenu);
        EXPECT_GT(rcMenu.bottom - rcMenu.top, 40);
        EXPECT_LE(rcMenu.left, ptIcon.x);
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(WaitFor([] { return VisibleMenu() == NULL; }, 3000));
        PumpMessages(300);
    }
    /* Other mouse messages of the icon open nothing. */
    PostMessageA(tProgram.hWnd, WM_COMMAND, 256, WM_MOUSEMOVE);
    PostMessageA(tProgram.hWnd, WM_COMMAND, 256, WM_LBUTTONUP);
    PostMessageA(tProgram.hWnd, WM_COMMAND, 256, WM_RBUTTONDBLCLK);
    PumpMessages(500);
    EXPECT_EQ(nullptr, VisibleMenu());
    /* "C&onfigure" by its access key opens the Buttons dialog. */
    ClickAt(ptIcon, true);
    ASSERT_TRUE(WaitFor([] { return VisibleMenu() != NULL; }, 3000));
    PressKey('O');
    ASSERT_TRUE(WaitFor([&] { return CountProgramWindows("#32770", "Buttons") == 1; }, 5000));
    PostMessageA(FindWindowA("#32770", "Buttons"), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return CountProgramWindows("#32770", "Buttons") == 0; }, 3000));
    /* "&Close" ends the program and takes the icon away. */
    ClickAt(ptIcon, true);
    ASSERT_TRUE(WaitFor([] { return VisibleMenu() != NULL; }, 3000));
    PressKey('C');
    EXPECT_EQ(0u, WaitForTellumoEnd(&tProgram));
    EXPECT_TRUE(WaitFor([&] { return (bool)NoTrayIcon(); }, 2000)) << NoTrayIcon().message();
}

TEST_F(TellumoTest, CloseWithoutIconEndsTheProgram)
{
    ASSERT_TRUE(ConnectReceiver(0));
    Start();
    EXPECT_TRUE(NoTrayIcon());
    EXPECT_EQ(0u, CloseTellumo(&tProgram));
    EXPECT_TRUE(NoTrayIcon());
}

TEST_F(TellumoTest, WindowClosedOtherwiseAlsoTakesTheIconAway)
{
    Start();
    ExpectTrayState(0, 0);
    PostMessageA(tProgram.hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, WaitForTellumoEnd(&tProgram));
    EXPECT_TRUE(WaitFor([&] { return (bool)NoTrayIcon(); }, 2000)) << NoTrayIcon().message();
}

TEST_F(TellumoTest, ConfigureOpensOneButtonsDialogAtATime)
{
    Start();
    PostMessageA(tProgram.hWnd, WM_COMMAND, 263, 0);
    ASSERT_TRUE(WaitFor([&] { return CountProgramWindows("#32770", "Buttons") == 1; }, 5000));
    /* A second Configure while it is open opens no second dialog. */
    PostMessageA(tProgram.hWnd, WM_COMMAND, 263, 0);
    PumpMessages(500);
    EXPECT_EQ(1, CountProgramWindows("#32770", "Buttons"));
    /* Codes are still handled while the dialog is open. */
    BringSinkToFront();
    PostCode(tProgram.hWnd, RAW_TWO);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_TWO) == 1; }, 2000));
    HWND hDialog = FindWindowA("#32770", "Buttons");
    PostMessageA(hDialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return CountProgramWindows("#32770", "Buttons") == 0; }, 3000));
    /* Closed: Configure opens it again. */
    PostMessageA(tProgram.hWnd, WM_COMMAND, 263, 0);
    ASSERT_TRUE(WaitFor([&] { return CountProgramWindows("#32770", "Buttons") == 1; }, 5000));
    PostMessageA(FindWindowA("#32770", "Buttons"), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return CountProgramWindows("#32770", "Buttons") == 0; }, 3000));
    EXPECT_TRUE(Responds());
}

/* The HTML Help window that the tray program opened, or null. */
static HWND TrayHelpWindow(DWORD dwProcess)
{
    for (HWND hWnd = FindWindowExA(NULL, NULL, "HH Parent", NULL); hWnd != NULL;
         hWnd = FindWindowExA(NULL, hWnd, "HH Parent", NULL)) {
        DWORD dwOwner = 0;
        GetWindowThreadProcessId(hWnd, &dwOwner);
        if (dwOwner == dwProcess && IsWindowVisible(hWnd))
            return hWnd;
    }
    return NULL;
}

/* Help opens the help file of the installation in the HTML Help window, titled with the
   file's title; the program goes on handling codes, and Close takes the window with it. */
TEST_F(TellumoTest, HelpOpensTheHelpFile)
{
    std::string strDirectory;
    bool bHadDirectory = ReadRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "WorkingDirectory", &strDirectory);
    WriteRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "WorkingDirectory", BinaryDir());
    Start();
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(tProgram.hWnd, &dwProcess);
    PostMessageA(tProgram.hWnd, WM_COMMAND, 262, 0);
    EXPECT_TRUE(WaitFor([&] { return TrayHelpWindow(dwProcess) != NULL; }, 10000));
    char szTitle[128] = "";
    GetWindowTextA(TrayHelpWindow(dwProcess), szTitle, sizeof(szTitle));
    EXPECT_STREQ(szTitle, "Remote Mouse Help");
    SaveScreenShot("tray_help.bmp");
    BringSinkToFront();
    PostCode(tProgram.hWnd, RAW_ONE);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_ONE) == 1; }, 3000));
    PostMessageA(tProgram.hWnd, WM_COMMAND, 261, 0);
    EXPECT_EQ(0u, WaitForTellumoEnd(&tProgram));
    EXPECT_EQ(TrayHelpWindow(dwProcess), (HWND)NULL);
    if (bHadDirectory)
        WriteRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "WorkingDirectory", strDirectory);
    else
        DeleteRegValue(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "WorkingDirectory");
}
