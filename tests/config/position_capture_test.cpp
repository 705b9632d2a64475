/*
 * position_capture_test.cpp - capturing a launch position with the mouse through the real
 * system-wide hook of Brenvik.dll: drawing a rectangle and pointing at a window over the
 * probe application (another process, which the hook is loaded into), then launching a
 * program with what was captured and finding its window there.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <stdlib.h>
#include <string>
#include <atomic>
#include <thread>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "dialog_script.h"
#include "probe_client.h"
#include "standin_reports.h"
#include "testsupport.h"

namespace {

const char chPosSep = '\x83';

class PositionCapture : public StandinTest {
protected:
    ProbeProcess probe;
    HWND hPos = NULL;

    void SetUp() override
    {
        StandinTest::SetUp();
        ASSERT_TRUE(StartProbe(&probe, "capture", { "P1,450,320,400,300" }));
        Open();
    }
    void TearDown() override
    {
        if (IsWindow(hPos))
            DestroyWindow(hPos);
        StopProbe(&probe);
        StandinTest::TearDown();
    }
    void Open()
    {
        hPos = CreateDialogRes(IDD_POSITION, NULL, PositionDlg);
        ASSERT_NE((HWND)NULL, hPos);
        ShowWindow(hPos, SW_SHOW);
        PumpMessages(50);
    }
    /* OK or Cancel; the dialog is gone afterwards. */
    void End(int iID)
    {
        Press(iID);
        DestroyWindow(hPos);
        hPos = NULL;
    }
    void Press(int iID)
    {
        SendMessage(hPos, WM_COMMAND, MAKEWPARAM(iID, BN_CLICKED), (LPARAM)GetDlgItem(hPos, iID));
    }
    std::string Fields() { return Fields(hPos); }
    static std::string Fields(HWND hPos)
    {
        std::string str;
        for (int iID = IDC_POS_LEFT; iID <= IDC_POS_HEIGHT; iID++) {
            char sz[20] = "";
            GetDlgItemTextA(hPos, iID, sz, sizeof(sz));
            str += (iID > IDC_POS_LEFT ? "," : "") + std::string(sz);
        }
        return str;
    }
    testing::AssertionResult FieldsBecome(const std::string &str) { return FieldsBecome(hPos, str); }
    static testing::AssertionResult FieldsBecome(HWND hPos, const std::string &str)
    {
        if (WaitFor([&] { return Fields(hPos) == str; }, 5000))
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "the fields show " << Fields(hPos);
    }
    /* Moves the pointer and waits until the system has it there; then, with bClick, a
       press and release of the left button there. The display's own pointer is moved as
       well, so that no later report of where it was undoes the move. */
    static void Mouse(int x, int y, bool bClick)
    {
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
        inputs[0].mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
        inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        MoveCursor(x, y);
        SendInput(1, inputs, sizeof(INPUT));
        SettledCursorPosition();
        if (!bClick)
            return;
        /* The press and release carry the place too, should an old report come back. */
        inputs[1].mi.dx = inputs[0].mi.dx;
        inputs[1].mi.dy = inputs[0].mi.dy;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(2, inputs, sizeof(INPUT));
    }
    static void MoveTo(int x, int y) { Mouse(x, y, false); }
    static void ClickAt(int x, int y) { Mouse(x, y, true); }
    /* Arms a drawing, from any thread, with the pointer already resting where its first
       corner will be clicked: a report of where the pointer was before can still come
       back for a moment, and would count as the drawing's second corner. */
    static bool ArmDrawing(HWND hDlg, int x, int y)
    {
        MoveTo(x, y);
        PostClick(hDlg, IDC_POS_DRAW);
        return WaitFor([] { return _bDraw != FALSE; });
    }
    /* Button presses the probe saw: the hook swallows those of a capture. */
    size_t CountDowns()
    {
        size_t c = 0;
        for (const std::string &str : ProbeLog(probe))
            if (str.find(" 0x0201 ") != std::string::npos || str.find(" 0x00a1 ") != std::string::npos)
                c++;
        return c;
    }
};

/* The dialog on a thread of its own, which stops answering (as a program busy with
   something else does) while it is held. */
class DialogThread {
public:
    std::atomic<HWND> hDlg{NULL};

    DialogThread() : hHeld(CreateEventA(NULL, FALSE, FALSE, NULL)),
                     hRelease(CreateEventA(NULL, FALSE, FALSE, NULL)), thread([this] { Run(); }) {}
    ~DialogThread()
    {
        SetEvent(hRelease);
        PostThreadMessageA(dwThread, WM_QUIT, 0, 0);
        thread.join();
        CloseHandle(hHeld);
        CloseHandle(hRelease);
    }
    bool Opened() { return WaitFor([this] { return IsWindowVisible(hDlg) != FALSE; }, 10000); }
    /* Returns once the thread has stopped answering. */
    bool Hold()
    {
        return PostThreadMessageA(dwThread, WM_APP, 0, 0) && WaitForSingleObject(hHeld, 10000) == WAIT_OBJECT_0;
    }
    void Release() { SetEvent(hRelease); }

private:
    HANDLE hHeld, hRelease;
    std::atomic<DWORD> dwThread{0};
    std::thread thread;

    void Run()
    {
        dwThread = GetCurrentThreadId();
        HWND hCreated = CreateDialogRes(IDD_POSITION, NULL, PositionDlg);
        ShowWindow(hCreated, SW_SHOW);
        hDlg = hCreated;
        MSG msg;
        while (GetMessageA(&msg, NULL, 0, 0) > 0) {
            if (msg.hwnd == NULL && msg.message == WM_APP) {
                SetEvent(hHeld);
                WaitForSingleObject(hRelease, 60000);
            } else if (!IsDialogMessageA(hCreated, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        DestroyWindow(hCreated);
    }
};

TEST_F(PositionCapture, DrawingARectangleFromEitherCorner)
{
    EXPECT_NE((HHOOK)NULL, _hMouseMsg);
    EXPECT_EQ(hPos, _hMainDlg);
    EXPECT_EQ("0,0,0,0", Fields());

    /* Second corner up and to the left of the first: the corners are put in order. */
    ASSERT_TRUE(ArmDrawing(hPos, 760, 560));
    ClickAt(760, 560);
    ASSERT_TRUE(FieldsBecome("760,560,0,0"));
    EXPECT_TRUE(_bMseFirstDown);
    MoveTo(600, 420);
    ASSERT_TRUE(FieldsBecome("600,420,160,140"));
    SaveWindowPicture(hPos, "position_drawing");
    ClickAt(600, 420);
    EXPECT_TRUE(WaitFor([] { return !_bDraw && !_bMseFirstDown; }));
    EXPECT_EQ(0u, CountDowns()) << "the capture's clicks reached the probe";

    /* Down and to the right, with the second click elsewhere ending it only. */
    ASSERT_TRUE(ArmDrawing(hPos, 500, 350));
    ClickAt(500, 350);
    ASSERT_TRUE(FieldsBecome("500,350,0,0"));
    MoveTo(820, 600);
    ASSERT_TRUE(FieldsBecome("500,350,320,250"));
    ClickAt(820, 600);
    EXPECT_TRUE(WaitFor([] { return !_bDraw; }));
    EXPECT_EQ(0u, CountDowns());

    /* Once the capture is over, clicks reach the application again. */
    ClickAt(700, 500);
    EXPECT_TRUE(WaitFor([&] { return CountDowns() == 1; }));
    EXPECT_EQ("500,350,320,250", Fields());

    /* Position Only: a drawing changes left and top only. */
    CheckDlgButton(hPos, IDC_POS_ONLY, BST_CHECKED);
    Press(IDC_POS_ONLY);
    ASSERT_TRUE(ArmDrawing(hPos, 470, 330));
    ClickAt(470, 330);
    ASSERT_TRUE(FieldsBecome("470,330,0,0"));
    MoveTo(800, 600);
    ClickAt(800, 600);
    EXPECT_TRUE(WaitFor([] { return !_bDraw; }));
    EXPECT_EQ("470,330,0,0", Fields());
    End(IDOK);
    EXPECT_EQ((HHOOK)NULL, _hMouseMsg);

    /* Reopened: a position without a size. */
    Open();
    EXPECT_EQ("470,330,0,0", Fields());
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hPos, IDC_POS_ONLY));
}

TEST_F(PositionCapture, PointingAtAWindowTakesItsFrameAndTheLaunchOpensThere)
{
    HWND hProbe = ProbeWindow("P1");
    ASSERT_NE((HWND)NULL, hProbe);
    RECT rProbe;
    GetWindowRect(hProbe, &rProbe);
    std::string strProbe = std::to_string(rProbe.left) + "," + std::to_string(rProbe.top) + "," +
                           std::to_string(rProbe.right - rProbe.left) + "," +
                           std::to_string(rProbe.bottom - rProbe.top);

    /* Over a control of the probe: its top-level window is taken, not the control. */
    HWND hEdit = ProbeControl("P1", "Edit");
    ASSERT_NE((HWND)NULL, hEdit);
    RECT rEdit;
    GetWindowRect(hEdit, &rEdit);
    Press(IDC_POS_SELECT);
    EXPECT_TRUE(_bSelect && _bSelectDown);
    MoveTo(rEdit.left + 5, rEdit.top + 5);
    MoveTo(rEdit.left + 8, rEdit.top + 6);
    ASSERT_TRUE(FieldsBecome(strProbe));
    ClickAt(rEdit.left + 8, rEdit.top + 6);
    EXPECT_TRUE(WaitFor([] { return !_bSelect && !_bSelectDown; }));
    EXPECT_EQ(0u, CountDowns());

    /* The captured frame, given to a launch, is where its program opens. */
    std::string strCaptured = Fields();
    End(IDOK);
    std::string strProgram = strBin + "launchprobe.exe";
    Run("LAUNCHSIZE\"" + strProgram + chPosSep + strCaptured + "\"");
    auto record = WaitForRecord(strReportDir + "launch.txt");
    EXPECT_EQ(strProbe, record["window"]);
    EXPECT_TRUE(WaitFor([] { return FindWindowA("OrvaneLaunchProbe", NULL) == NULL; }, 10000));

    /* Cancel after another capture gives back what the dialog opened with. */
    Open();
    EXPECT_EQ(strProbe, Fields());
    ASSERT_TRUE(ArmDrawing(hPos, 480, 340));
    ClickAt(480, 340);
    ASSERT_TRUE(FieldsBecome("480,340,0,0"));
    MoveTo(520, 380);
    ASSERT_TRUE(FieldsBecome("480,340,40,40"));
    ClickAt(520, 380);
    EXPECT_TRUE(WaitFor([] { return !_bDraw; }));
    End(IDCANCEL);
    Open();
    EXPECT_EQ(strProbe, Fields());
}

TEST_F(PositionCapture, TheLaunchDialogsSizeAndPosTakesADrawnFrameThatTheLaunchOpensIn)
{
    End(IDCANCEL);
    std::string strProgram = strBin + "launchprobe.exe";
    std::string strField;
    std::thread drawer;
    std::string strStuck;       /* the step where the drawing stuck, with what it showed */
    /* The pointer starts from the first corner: Wine can bring back the position that the
       dialogs' own thread last knew while the drawer's thread moves it. */
    MoveTo(520, 360);
    bool bDone = RunScript([] { DialogBoxRes(IDD_LAUNCH, NULL, LaunchDlgProc); }, {
        {"Launch", [&](HWND hDlg) {
            SetText(hDlg, IDC_LAUNCH_FILE, strProgram);
            PostClick(hDlg, IDC_LAUNCH_SIZEPOS);
        }},
        /* The drawing runs beside the dialogs' own loop, which serves the hook's reports. */
        {"Set Position and Size", [&](HWND hDlg) {
            drawer = std::thread([&strStuck, hDlg] {
                auto Stuck = [&](const char *pszStep) {
                    POINT pt = {};
                    GetCursorPos(&pt);
                    strStuck = pszStep + (": the fields show " + Fields(hDlg) + ", the pointer is at "
                                          + std::to_string(pt.x) + "," + std::to_string(pt.y));
                };
                if (!ArmDrawing(hDlg, 520, 360))
                    return Stuck("arming");
                ClickAt(520, 360);
                /* The first corner is what counts here: a late report of the pointer may
                   already have given the frame a size. */
                if (!WaitFor([hDlg] { return Fields(hDlg).compare(0, 8, "520,360,") == 0; }))
                    Stuck("first corner");
                /* A late report of where the pointer was can take it back to the first corner
                   before the hook sees it move: a person moves it again. */
                bool bSecond = false;
                for (int iMove = 0; strStuck.empty() && !bSecond && iMove < 3; iMove++) {
                    MoveTo(829, 589);
                    MoveTo(830, 590);
                    bSecond = FieldsBecome(hDlg, "520,360,310,230");
                }
                if (strStuck.empty() && !bSecond)
                    Stuck("second corner");
                ClickAt(830, 590);
                if (strStuck.empty() && !WaitFor([] { return !_bDraw; }))
                    Stuck("end of drawing");
                PostClick(hDlg, IDOK);
            });
        }},
        {"Launch", [&](HWND hDlg) {
            strField = GetText(hDlg, IDC_LAUNCH_POSTEXT);
            SaveWindowPicture(hDlg, "launch_captured");
            PostClick(hDlg, IDCANCEL);
        }},
    });
    if (drawer.joinable())
        drawer.join();
    ASSERT_TRUE(bDone);
    EXPECT_EQ("", strStuck);
    EXPECT_EQ("520,360,310,230", strField);
    EXPECT_EQ((HHOOK)NULL, _hMouseMsg);

    Run("LAUNCHSIZE\"" + strProgram + chPosSep + strField + "\"");
    auto record = WaitForRecord(strReportDir + "launch.txt");
    EXPECT_EQ("520,360,310,230", record["window"]);
}

/* The hook runs inside the program under the pointer, which must never wait for the
   dialog: while the dialog's thread does not answer, the probe under the pointer still
   takes its input (the button-up after each swallowed click reaches it), and the dialog
   shows the capture once it answers again. */
TEST_F(PositionCapture, ABusyDialogNeverHoldsUpTheProgramUnderThePointer)
{
    End(IDCANCEL);
    auto CountUps = [&] {
        size_t c = 0;
        for (const std::string &str : ProbeLog(probe))
            c += str.find("queued P1 0x0202 ") != std::string::npos;
        return c;
    };
    DialogThread dialog;
    ASSERT_TRUE(dialog.Opened());
    ASSERT_TRUE(ArmDrawing(dialog.hDlg, 700, 500));

    /* The first corner, clicked while the dialog is busy. */
    ASSERT_TRUE(dialog.Hold());
    ClickAt(700, 500);
    EXPECT_TRUE(WaitFor([&] { return CountUps() == 1; }, 10000)) << "the probe stopped at the first corner";
    dialog.Release();
    EXPECT_TRUE(FieldsBecome(dialog.hDlg, "700,500,0,0"));

    /* The drawing and the second corner, while the dialog is busy again. */
    ASSERT_TRUE(dialog.Hold());
    MoveTo(810, 590);
    ClickAt(810, 590);
    EXPECT_TRUE(WaitFor([&] { return CountUps() == 2; }, 10000)) << "the probe stopped while drawing";
    EXPECT_TRUE(WaitFor([] { return !_bDraw; }));
    dialog.Release();
    EXPECT_TRUE(FieldsBecome(dialog.hDlg, "700,500,110,90"));
    EXPECT_EQ(0u, CountDowns()) << "the capture's clicks reached the probe";
}

/* The field a person was typing in keeps the keyboard when the dialog is activated again,
   after another program had it: brought back by the system or by a click on its caption. */
TEST_F(PositionCapture, TheFocusedFieldKeepsTheKeyboardWhenTheDialogIsActivatedAgain)
{
    HWND hProbe = ProbeWindow("P1");
    ASSERT_NE((HWND)NULL, hProbe);
    auto Activate = [](HWND hWnd) {
        SetForegroundWindow(hWnd);
        return WaitFor([hWnd] { return GetForegroundWindow() == hWnd; });
    };
    auto Type = [](char ch) {
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
        inputs[0].ki.wVk = inputs[1].ki.wVk = (WORD)ch;
        inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
    };
    auto Shows = [&](int iID, char ch) {
        return WaitFor([&] {
            char sz[20] = "";
            GetDlgItemTextA(hPos, iID, sz, sizeof(sz));
            return strchr(sz, ch) != NULL;
        });
    };

    /* Typing into Top; another program comes to the front; the dialog is brought back. */
    ASSERT_TRUE(Activate(hPos));
    HWND hTop = GetDlgItem(hPos, IDC_POS_TOP);
    SetFocus(hTop);
    ASSERT_TRUE(Activate(hProbe));
    ASSERT_TRUE(Activate(hPos));
    EXPECT_TRUE(WaitFor([&] { return GetFocus() == hTop; })) << "the focus is on " << GetDlgCtrlID(GetFocus());
    Type('7');
    EXPECT_TRUE(Shows(IDC_POS_TOP, '7'));

    /* Typing into Height; a click on the probe, then one on the dialog's caption. */
    HWND hHeight = GetDlgItem(hPos, IDC_POS_HEIGHT);
    SetFocus(hHeight);
    ClickAt(700, 500);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == hProbe; }));
    RECT rDialog;
    GetWindowRect(hPos, &rDialog);
    ClickAt(rDialog.left + 60, rDialog.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == hPos; }));
    EXPECT_TRUE(WaitFor([&] { return GetFocus() == hHeight; })) << "the focus is on " << GetDlgCtrlID(GetFocus());
    Type('4');
    EXPECT_TRUE(Shows(IDC_POS_HEIGHT, '4'));
    SaveWindowPicture(hPos, "position_focus");
}

}  // namespace
