/*
 * Window and desktop commands run through ParseFunction against the probe application
 * in a second process: which window a command string acts on, the posted and sent
 * messages the probe records, the enumeration commands and the cursor commands.
 */
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>
#include "testsupport.h"
#include "probe_client.h"
#include "Corvalin.h"

namespace {

const char szWindowA[] = "A,40,40,320,260";
const char szWindowB[] = "B,520,300,320,260";

void RunCommand(const char *pszCommand)
{
    std::string strCommand = pszCommand;
    ParseFunction(NULL, &strCommand[0]);
}

POINT CenterOf(HWND hWnd)
{
    RECT r;
    GetWindowRect(hWnd, &r);
    return POINT{ (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
}

void PointAt(HWND hWnd)
{
    POINT pt = CenterOf(hWnd);
    EXPECT_TRUE(MoveCursor(pt.x, pt.y));
}

bool MakeForeground(HWND hWnd)
{
    SetForegroundWindow(hWnd);
    return WaitFor([&] { return GetForegroundWindow() == hWnd; });
}

class WindowCommands : public ::testing::Test {
protected:
    ProbeProcess probe;
    HWND hA = NULL, hB = NULL, hC = NULL;

    void Start(std::vector<std::string> windows)
    {
        ASSERT_TRUE(StartProbe(&probe, ::testing::UnitTest::GetInstance()->current_test_info()->name(), windows));
        hA = ProbeWindow("A");
        hB = ProbeWindow("B");
        hC = ProbeWindow("C");
    }
    void TearDown() override { StopProbe(&probe); }

    std::string Line(const char *pszKind, const char *pszWindow, UINT uMessage, unsigned long long ullWParam,
                     unsigned long long ullLParam)
    {
        char szMessage[8];
        snprintf(szMessage, sizeof(szMessage), "0x%04x", uMessage);
        return std::string(pszKind) + " " + pszWindow + " " + szMessage + " " + ProbeHex(ullWParam) + " " +
               ProbeHex(ullLParam);
    }
};

} // namespace

TEST_F(WindowCommands, SelectMaximizeActsOnTheWindowUnderTheCursor)
{
    Start({ szWindowA, szWindowB });
    ASSERT_TRUE(MakeForeground(hB));
    PointAt(ProbeControl("A", "Edit"));
    RunCommand("SELECT,MAXIMIZE");
    EXPECT_TRUE(WaitFor([&] { return IsZoomed(hA) != 0; }));
    EXPECT_FALSE(IsZoomed(hB));
    EXPECT_TRUE(ProbeLogHas(probe, Line("queued", "A", WM_SYSCOMMAND, SC_MAXIMIZE, 0)));
    EXPECT_TRUE(ProbeLines(probe, "queued B 0x0112").empty());
    /* The selection went to the top-level window, not the control under the cursor. */
    EXPECT_TRUE(ProbeLogHas(probe, Line("sent", "A", WM_ACTIVATE, WA_ACTIVE, 0)));
    EXPECT_TRUE(ProbeLogHas(probe, Line("sent", "A", WM_SETFOCUS, (ULONG_PTR)hB, 0)));
    EXPECT_TRUE(ProbeLines(probe, "sent A.edit 0x0006").empty());
}

TEST_F(WindowCommands, ItemsOfOneStringShareOneTarget)
{
    /* A passes activation on to B as soon as it is selected: the string's later items
       still act on A, while a new string starts from the foreground window. */
    Start({ std::string(szWindowA) + ",handoff=B", szWindowB });
    PointAt(hA);
    auto armHandoff = [&] {
        ASSERT_TRUE(MakeForeground(hA));
        size_t iArmed = ProbeLines(probe, "queued A 0x8001").size();
        PostMessageA(hA, WM_APP + 1, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return ProbeLines(probe, "queued A 0x8001").size() > iArmed; }));
    };
    armHandoff();
    RunCommand("SELECT");
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == hB; }));

    armHandoff();
    RunCommand("SELECT,MINIMIZE");
    EXPECT_TRUE(WaitFor([&] { return IsIconic(hA) != 0; }));
    EXPECT_FALSE(IsIconic(hB));
    EXPECT_TRUE(ProbeLines(probe, "queued B 0x0112").empty());
}

TEST_F(WindowCommands, TheClosingCallForgetsTheTarget)
{
    Start({ szWindowA, szWindowB });
    ASSERT_TRUE(MakeForeground(hB));
    PointAt(hA);
    RunCommand("SELECT");
    ASSERT_TRUE(MakeForeground(hB));
    RunCommand("MAXIMIZE");
    EXPECT_TRUE(WaitFor([&] { return IsZoomed(hB) != 0; }));
    EXPECT_FALSE(IsZoomed(hA));
}

TEST_F(WindowCommands, TopLevelCommandsGoToTheForegroundWindow)
{
    Start({ szWindowA, szWindowB });
    ASSERT_TRUE(MakeForeground(hB));
    RunCommand("MAXIMIZE");
    EXPECT_TRUE(WaitFor([&] { return IsZoomed(hB) != 0; }));
    RunCommand("RESTORE");
    EXPECT_TRUE(WaitFor([&] { return !IsZoomed(hB); }));
    RunCommand("MINIMIZE");
    EXPECT_TRUE(WaitFor([&] { return IsIconic(hB) != 0; }));
    EXPECT_FALSE(IsIconic(hA));
    EXPECT_FALSE(IsZoomed(hA));

    ASSERT_TRUE(MakeForeground(hA));
    RunCommand("CLOSE");
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hA); }));
    EXPECT_TRUE(IsWindow(hB));
    EXPECT_TRUE(ProbeLogHas(probe, Line("queued", "A", WM_SYSCOMMAND, SC_CLOSE, 0)));
}

TEST_F(WindowCommands, SelectTextClicksTheControlUnderTheCursor)
{
    Start({ szWindowA, szWindowB });
    ASSERT_TRUE(MakeForeground(hB));
    HWND hEdit = ProbeControl("A", "Edit");
    POINT pt = CenterOf(hEdit);
    EXPECT_TRUE(MoveCursor(pt.x, pt.y));
    RunCommand("SELECTTEXT");
    ScreenToClient(hEdit, &pt);
    LPARAM lClient = MAKELPARAM(pt.x, pt.y);
    ASSERT_TRUE(WaitFor([&] { return !ProbeLines(probe, "queued A.edit 0x00b1").empty(); }));
    typedef std::vector<std::string> Lines;
    EXPECT_EQ(Lines{ Line("queued", "A.edit", WM_LBUTTONDOWN, 0, lClient) }, ProbeLines(probe, "queued A.edit 0x0201"));
    EXPECT_EQ(Lines{ Line("queued", "A.edit", WM_LBUTTONUP, 0, lClient) }, ProbeLines(probe, "queued A.edit 0x0202"));
    EXPECT_EQ(Lines{ Line("queued", "A.edit", EM_SETSEL, 0, (ULONG_PTR)(LONG_PTR)-1) },
              ProbeLines(probe, "queued A.edit 0x00b1"));
    /* The control itself was selected, no parent lookup. */
    EXPECT_TRUE(ProbeLogHas(probe, Line("sent", "A.edit", WM_ACTIVATE, WA_ACTIVE, 0)));

    /* A list box is a text control too; a button is clicked but gets no selection. */
    PointAt(ProbeControl("B", "ListBox"));
    RunCommand("SELECTTEXT");
    EXPECT_TRUE(WaitForProbeLine(probe, Line("queued", "B.list", EM_SETSEL, 0, (ULONG_PTR)(LONG_PTR)-1)));
    PointAt(ProbeControl("B", "Button"));
    RunCommand("SELECTTEXT");
    ASSERT_TRUE(WaitFor([&] { return ProbeLines(probe, "queued B.button 0x0202").size() == 1; }));
    PumpMessages(200);
    EXPECT_TRUE(ProbeLines(probe, "queued B.button 0x00b1").empty());
}

TEST_F(WindowCommands, SelectTextThenMaximizeClimbsToTheTopLevelWindow)
{
    Start({ szWindowA, szWindowB });
    ASSERT_TRUE(MakeForeground(hB));
    PointAt(ProbeControl("A", "Button"));
    RunCommand("SELECTTEXT,MAXIMIZE");
    EXPECT_TRUE(WaitFor([&] { return IsZoomed(hA) != 0; }));
    EXPECT_FALSE(IsZoomed(hB));
}

TEST_F(WindowCommands, RefreshReachesEveryTopLevelWindowAndKeepsTheTarget)
{
    Start({ szWindowA, szWindowB, "C,300,500,200,150,hidden" });
    ASSERT_TRUE(MakeForeground(hA));
    /* The probe tells a posted WM_PAINT from the system's by the window having nothing to
       repaint: let the windows finish their own painting first. */
    UpdateWindow(hA);
    UpdateWindow(hB);
    RunCommand("REFRESH,MAXIMIZE");
    for (const char *pszWindow : { "A", "B", "C" }) {
        EXPECT_TRUE(WaitForProbeLine(probe, Line("queued", pszWindow, WM_PAINT, 0, 0))) << pszWindow;
        EXPECT_TRUE(WaitForProbeLine(probe, Line("queued", pszWindow, WM_NCPAINT, 0, 0))) << pszWindow;
    }
    EXPECT_TRUE(WaitFor([&] { return IsZoomed(hA) != 0; }));
    EXPECT_TRUE(ProbeLines(probe, "queued A.edit 0x0085").empty());
}

TEST_F(WindowCommands, TheTargetIsTheWindowInFrontWhicheverItemComesFirst)
{
    /* Items that leave the windows be (the cursor, the volume, no action) come first: the
       window command still acts on the window in front. A string that minimises every
       window and then restores brings back the window that was in front, and only it. */
    Start({ szWindowA, szWindowB });
    ASSERT_TRUE(MakeForeground(hB));
    RunCommand("HOMEPOINTER,MIXERMUTE,MIXERMUTE,MCIRECORD,MAXIMIZE");
    EXPECT_TRUE(WaitFor([&] { return IsZoomed(hB) != 0; }));
    EXPECT_FALSE(IsZoomed(hA));

    ASSERT_TRUE(MakeForeground(hA));
    RunCommand("ICONIZEALL,RESTORE");
    EXPECT_TRUE(WaitForProbeLine(probe, Line("queued", "A", WM_SYSCOMMAND, SC_RESTORE, 0)));
    EXPECT_TRUE(WaitFor([&] { return IsIconic(hB) && !IsIconic(hA); }));
    EXPECT_FALSE(ProbeLogHas(probe, Line("queued", "B", WM_SYSCOMMAND, SC_RESTORE, 0)));
}

TEST_F(WindowCommands, IconizeOthersLeavesTheActiveAndHiddenWindowsAlone)
{
    Start({ szWindowA, szWindowB, "C,300,500,200,150,hidden" });
    ASSERT_TRUE(MakeForeground(hA));
    RunCommand("ICONIZEOTHERS");
    EXPECT_TRUE(WaitFor([&] { return IsIconic(hB) != 0; }));
    EXPECT_FALSE(IsIconic(hA));
    EXPECT_FALSE(IsIconic(hC));
    EXPECT_FALSE(IsWindowVisible(hC));

    RunCommand("ICONIZEALL");
    EXPECT_TRUE(WaitFor([&] { return IsIconic(hA) != 0; }));
    EXPECT_FALSE(IsIconic(hC));
    EXPECT_FALSE(IsWindowVisible(hC));
}

TEST_F(WindowCommands, RestoreTouchesVisibleMinimisedWindowsOnly)
{
    Start({ szWindowA, "B,520,300,320,260,minimized", "C,300,500,200,150,minimized,hidden" });
    ASSERT_TRUE(IsIconic(hB));
    ASSERT_TRUE(IsIconic(hC));
    ASSERT_TRUE(MakeForeground(hA));
    RunCommand("RESTOREOTHERS");
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(hB); }));
    EXPECT_TRUE(IsIconic(hC));
    EXPECT_FALSE(IsWindowVisible(hC));

    ASSERT_TRUE(MakeForeground(hA));
    RunCommand("MINIMIZE");
    ASSERT_TRUE(WaitFor([&] { return IsIconic(hA) != 0; }));
    RunCommand("RESTOREALL");
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(hA); }));
    EXPECT_TRUE(IsIconic(hC));
}

TEST_F(WindowCommands, MaximizeAlsoTakesHiddenMinimisedWindows)
{
    Start({ szWindowA, "B,520,300,320,260,minimized", "C,300,500,200,150,minimized,hidden",
            "D,600,40,200,150,hidden" });
    HWND hD = ProbeWindow("D");
    ASSERT_TRUE(MakeForeground(hA));
    RunCommand("MAXIMIZEOTHERS");
    EXPECT_TRUE(WaitFor([&] { return IsZoomed(hB) && IsZoomed(hC); }));
    EXPECT_FALSE(IsZoomed(hA));
    /* Hidden and not minimised: left alone. */
    EXPECT_FALSE(IsZoomed(hD));
    EXPECT_FALSE(IsWindowVisible(hD));

    RunCommand("MAXIMIZEALL");
    EXPECT_TRUE(WaitFor([&] { return IsZoomed(hA) != 0; }));
    EXPECT_FALSE(IsWindowVisible(hD));
}

TEST_F(WindowCommands, PasteIsPostedToTheTarget)
{
    Start({ szWindowA, szWindowB });
    ASSERT_TRUE(MakeForeground(hA));
    RunCommand("PASTE\"text\"");
    EXPECT_TRUE(WaitForProbeLine(probe, Line("queued", "A", WM_PASTE, 0, 0)));
    EXPECT_TRUE(ProbeLines(probe, "queued B 0x0302").empty());
}

TEST_F(WindowCommands, ArrangeAndPowerCommandsLetLaterItemsRun)
{
    /* Wine only stubs tiling, cascading and power states: what can be seen is that the
       windows stay where they are and the string goes on. */
    Start({ szWindowA, szWindowB });
    RECT rBefore, rAfter;
    GetWindowRect(hB, &rBefore);
    ASSERT_TRUE(MakeForeground(hA));
    RunCommand("CASCADE,HORTILE,VERTILE,SUSPEND,STANDBY,MAXIMIZE");
    EXPECT_TRUE(WaitFor([&] { return IsZoomed(hA) != 0; }));
    GetWindowRect(hB, &rAfter);
    EXPECT_TRUE(EqualRect(&rBefore, &rAfter));
}

TEST_F(WindowCommands, ShutdownEndsTheSessionOfEveryWindowedProgram)
{
    /* Under Wine the request reaches the windows of this prefix: they are asked to end
       the session, told it ends, and their programs are closed. A failed request would
       show "Exit Windows failed" and keep this test waiting. */
    Start({ szWindowA });
    RunCommand("SHUTDOWN");
    EXPECT_TRUE(WaitFor([&] { return !ProbeLines(probe, "sent A 0x0011 ").empty(); }));
    EXPECT_TRUE(WaitFor([&] { return !ProbeLines(probe, "sent A 0x0016 0x1 ").empty(); }));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(probe.hProcess, 10000));
}

TEST_F(WindowCommands, SelectOverAnOwnedPopUpActsOnThePopUpNotItsOwner)
{
    /* A Find box is a pop-up owned by its application's window, not a child of it. */
    Start({ szWindowA, "F,420,200,300,200,owner=A" });
    HWND hF = ProbeWindow("F");
    ASSERT_NE(hF, (HWND)NULL);
    ASSERT_TRUE(MakeForeground(hA));
    PointAt(hF);
    RunCommand("SELECT,CLOSE");
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hF); }));
    EXPECT_TRUE(ProbeLogHas(probe, Line("queued", "F", WM_SYSCOMMAND, SC_CLOSE, 0)));
    EXPECT_TRUE(ProbeLines(probe, "queued A 0x0112").empty());
    EXPECT_TRUE(IsWindow(hA));
}

TEST_F(WindowCommands, SelectingAHungProgramLetsTheCallerGoOn)
{
    /* A stops answering; selecting it must not hold the caller (the tray program) for as
       long as A hangs. */
    Start({ szWindowA, szWindowB });
    HANDLE hRelease = CreateEventA(NULL, TRUE, FALSE, "OrvaneProbeRelease");
    ASSERT_NE(hRelease, (HANDLE)NULL);
    ASSERT_TRUE(MakeForeground(hB));
    PointAt(hA);
    PostMessageA(hA, WM_APP + 2, 0, 0);
    ASSERT_TRUE(WaitForProbeLine(probe, "queued A 0x8002 0x0 0x0"));

    HANDLE hSelecting = CreateThread(NULL, 0, [](LPVOID) -> DWORD {
        RunCommand("SELECT");
        return 0;
    }, NULL, 0, NULL);
    ASSERT_NE(hSelecting, (HANDLE)NULL);
    DWORD dwWait = WaitForSingleObject(hSelecting, 30000);
    bool bStillHung = WaitForSingleObject(hRelease, 0) == WAIT_TIMEOUT;
    SetEvent(hRelease);
    WaitForSingleObject(hSelecting, INFINITE);
    CloseHandle(hSelecting);
    CloseHandle(hRelease);
    EXPECT_EQ(dwWait, WAIT_OBJECT_0);
    EXPECT_TRUE(bStillHung);
}

/* A stand-in for the tray program's message loop while a warning box is up: the next
   press arrives, and later the user answers every box. */
struct tagBOXPRESS {
    const char *pszPress;       /* the command string of the press made during the box */
    std::set<HWND> boxes;       /* every box seen */
    UINT_PTR uiPress, uiAnswer;
};
static tagBOXPRESS boxPress;

/* The message boxes of this thread that are up now. */
static std::vector<HWND> OwnBoxes()
{
    std::vector<HWND> boxes;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND hWnd, LPARAM lParam) -> BOOL {
        char szClass[16];
        GetClassNameA(hWnd, szClass, sizeof(szClass));
        if (strcmp(szClass, "#32770") == 0 && IsWindowVisible(hWnd))
            ((std::vector<HWND> *)lParam)->push_back(hWnd);
        return TRUE;
    }, (LPARAM)&boxes);
    return boxes;
}

static void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    for (HWND hBox : OwnBoxes())
        if (boxPress.boxes.insert(hBox).second)
            PostMessageA(hBox, WM_COMMAND, IDOK, 0);
}

static void CALLBACK PressDuringBox(HWND, UINT, UINT_PTR, DWORD)
{
    std::vector<HWND> boxes = OwnBoxes();
    if (boxes.empty())
        return;
    KillTimer(NULL, boxPress.uiPress);
    boxPress.boxes.insert(boxes.begin(), boxes.end());
    boxPress.uiAnswer = SetTimer(NULL, 0, 20, AnswerBoxes);
    RunCommand(boxPress.pszPress);
    for (HWND hBox : boxes)
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
}

TEST_F(WindowCommands, APressDuringAWarningBoxLeavesTheInterruptedStringAlone)
{
    /* The string's first item fails to open a media device and waits on its warning box;
       the press made meanwhile selects B and asks for a media device itself. The press
       does select B, its media command is dropped instead of stacking a second box, and
       when the box is answered the interrupted string goes on with its own target, A. */
    /* B lies in the screen's corner, away from the box in the middle of the screen. */
    Start({ szWindowA, "B,700,560,300,180" });
    PointAt(hB);
    ASSERT_TRUE(MakeForeground(hA));
    boxPress = tagBOXPRESS();
    boxPress.pszPress = "SELECT,MCIPLAY\"nosuchdevice\"";
    boxPress.uiPress = SetTimer(NULL, 0, 20, PressDuringBox);
    RunCommand("MCIPLAY\"nosuchdevice\",MINIMIZE");
    KillTimer(NULL, boxPress.uiAnswer);

    EXPECT_EQ(boxPress.boxes.size(), 1u);
    EXPECT_TRUE(ProbeLogHas(probe, Line("sent", "B", WM_ACTIVATE, WA_ACTIVE, 0)));
    EXPECT_TRUE(WaitFor([&] { return IsIconic(hA) != 0; }));
    EXPECT_FALSE(IsIconic(hB));
    EXPECT_TRUE(ProbeLines(probe, "queued B 0x0112").empty());
}

TEST(CursorCommands, NudgesMoveFivePixelsAndStopAtTheScreenEdges)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    struct { POINT ptStart; const char *pszCommand; POINT ptExpected; } moves[] = {
        { { 300, 300 }, "UNUDGE", { 300, 295 } },
        { { 300, 300 }, "DNUDGE", { 300, 305 } },
        { { 300, 300 }, "RNUDGE", { 295, 300 } },      /* "Nudge Cursor Left" */
        { { 300, 300 }, "LNUDGE", { 305, 300 } },      /* "Nudge Cursor Right" */
        { { 300, 300 }, "LNUDGE,LNUDGE,UNUDGE", { 310, 295 } },
        { { 2, 300 }, "RNUDGE", { 0, 300 } },
        { { 300, 3 }, "UNUDGE", { 300, 0 } },
        /* The engine asks for x = width (y = height); the system keeps the cursor on the
           last pixel. */
        { { cx - 3, 300 }, "LNUDGE", { cx - 1, 300 } },
        { { 300, cy - 2 }, "DNUDGE", { 300, cy - 1 } },
    };
    for (const auto &move : moves) {
        ASSERT_TRUE(MoveCursor(move.ptStart.x, move.ptStart.y));
        RunCommand(move.pszCommand);
        POINT pt = SettledCursorPosition();
        EXPECT_EQ(move.ptExpected.x, pt.x) << move.pszCommand << " from " << move.ptStart.x;
        EXPECT_EQ(move.ptExpected.y, pt.y) << move.pszCommand << " from " << move.ptStart.y;
    }
}

TEST(CursorCommands, HomePointerCentresTheCursor)
{
    ASSERT_TRUE(MoveCursor(3, 4));
    RunCommand("HOMEPOINTER");
    POINT pt = SettledCursorPosition();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2, pt.x);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) / 2, pt.y);
}

TEST(WindowCallbacks, AreExportedByNameAndStopOnANullWindow)
{
    HMODULE hCorvalin = GetModuleHandleA("Corvalin.dll");
    ASSERT_NE(nullptr, hCorvalin);
    for (const char *pszName : { "IconizeWindowsProc", "RestoreWindowsProc", "MaximizeWindowsProc" }) {
        auto pfn = (WNDENUMPROC)(void *)GetProcAddress(hCorvalin, pszName);
        ASSERT_NE(nullptr, pfn) << pszName;
        EXPECT_FALSE(pfn(NULL, 0)) << pszName;
        /* A window to leave alone is left alone, and the enumeration goes on. */
        HWND hDesktopChild = GetWindow(GetDesktopWindow(), GW_CHILD);
        EXPECT_TRUE(pfn(hDesktopChild, (LPARAM)hDesktopChild)) << pszName;
    }
}
