/*
 * The window-message recorder through Brenvik.dll as it ships: the View Messages dialog
 * records what a probe application in another process takes from its queue (the hook is
 * loaded into that process), keeps the newest hundred entries, turns a chosen entry into
 * the current message, and the sequence it builds is posted by the engine's MESSAGE
 * command to the probe, which records its arrival. A second recorder runs in another
 * process (shared_peer), alive and then ended while it records.
 */
#include <gtest/gtest.h>
#include <windowsx.h>
#include <string>
#include "testsupport.h"
#include "dialog_script.h"
#include "probe_client.h"
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Corvalin.h"

namespace {

std::string ControlText(HWND hDlg, int iControl)
{
    char szText[512] = "";
    GetDlgItemTextA(hDlg, iControl, szText, sizeof(szText));
    return szText;
}

int TraceCount(HWND hDlg)
{
    return (int)SendDlgItemMessageA(hDlg, IDC_MSG_TRACE, LB_GETCOUNT, 0, 0);
}

int FindTrace(HWND hDlg, const char *pszEntry)
{
    return (int)SendDlgItemMessageA(hDlg, IDC_MSG_TRACE, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)pszEntry);
}

void Command(HWND hDlg, int iControl, UINT uCode = BN_CLICKED)
{
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(iControl, uCode), (LPARAM)GetDlgItem(hDlg, iControl));
}

/* Picks a trace entry as a click would. */
void ChooseTrace(HWND hDlg, const char *pszEntry)
{
    int iIndex = FindTrace(hDlg, pszEntry);
    ASSERT_GE(iIndex, 0) << pszEntry;
    SendDlgItemMessageA(hDlg, IDC_MSG_TRACE, LB_SETCURSEL, iIndex, 0);
    Command(hDlg, IDC_MSG_TRACE, LBN_SELCHANGE);
}

/* Runs a click that the dialog refuses with a message box; returns the box's text. */
std::string Refusal(HWND hDlg, int iControl)
{
    std::string strText;
    bool bShown = RunScript([&] { Command(hDlg, iControl); }, {
        {"View Messages", [&](HWND hBox) {
            char szText[512];
            for (HWND h = GetWindow(hBox, GW_CHILD); h != NULL; h = GetWindow(h, GW_HWNDNEXT))
                if (GetDlgCtrlID(h) != IDOK && GetWindowTextA(h, szText, sizeof(szText)) > 0)
                    strText += szText;
            PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        }},
    });
    return bShown ? strText : "(no refusal)";
}

size_t CountLines(const ProbeProcess &probe, const std::string &strLine)
{
    size_t c = 0;
    for (const std::string &str : ProbeLog(probe))
        c += str == strLine;
    return c;
}

TEST(Recorder, RecordsAnotherProgramAndTheEngineSendsWhatWasChosen)
{
    ProbeProcess probe;
    ASSERT_TRUE(StartProbe(&probe, "recorder", { "R,40,40,320,220" }));
    HWND hProbe = ProbeWindow("R");
    ASSERT_NE(nullptr, hProbe);

    HWND hDlg = CreateDialogRes(IDD_MESSAGES, NULL, MessageDlgProc);
    ASSERT_NE(nullptr, hDlg);
    ShowWindow(hDlg, SW_SHOW);
    EXPECT_EQ(hDlg, _hMessageDlg);
    HWND hApps = GetDlgItem(hDlg, IDC_MSG_APPLICATIONS);
    int iProbe = ComboBox_FindStringExact(hApps, -1, "Probe R");
    ASSERT_GE(iProbe, 0);

    /* Recording with no application chosen records nothing. */
    ComboBox_SetCurSel(hApps, -1);
    Command(hDlg, IDC_MSG_START);
    ASSERT_NE(nullptr, _hHookMsg);
    PostMessageA(hProbe, WM_USER, 0x1077, 0);
    ASSERT_TRUE(WaitForProbeLine(probe, "queued R 0x0400 0x1077 0x0"));
    EXPECT_EQ(0, TraceCount(hDlg));

    /* Choosing the probe while recording: its messages arrive, the newest hundred stay. */
    ComboBox_SetCurSel(hApps, iProbe);
    Command(hDlg, IDC_MSG_APPLICATIONS, CBN_SELCHANGE);
    /* Opening the list again enumerates afresh and keeps the choice. */
    Command(hDlg, IDC_MSG_APPLICATIONS, CBN_DROPDOWN);
    EXPECT_EQ("Probe R", ControlText(hDlg, IDC_MSG_APPLICATIONS));
    for (WPARAM w = 0; w < 150; ++w)
        PostMessageA(hProbe, WM_USER, w, 0);
    PostMessageA(hProbe, WM_APP + 5, 2, (LPARAM)(DWORD)0xFFFFFFFF);
    PostMessageA(hProbe, WM_USER, 0x30064, 0);
    ASSERT_TRUE(WaitFor([&] { return FindTrace(hDlg, "WM_USER [00030064] [00000000]") >= 0; }, 20000));
    EXPECT_EQ(100, TraceCount(hDlg));
    EXPECT_LT(FindTrace(hDlg, "WM_USER [00000000] [00000000]"), 0);
    EXPECT_GE(FindTrace(hDlg, "WM_USER [00000095] [00000000]"), 0);
    EXPECT_LT(FindTrace(hDlg, "WM_USER [00001077] [00000000]"), 0);
    RedrawWindow(hDlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(SaveWindowPicture(hDlg, "message_recording"));

    /* Chosen entries become the current message: a name, or the number without one. */
    ChooseTrace(hDlg, "WM_USER [00000095] [00000000]");
    EXPECT_EQ("WM_USER", ControlText(hDlg, IDC_MSG_NAME));
    EXPECT_EQ("00000095", ControlText(hDlg, IDC_MSG_WPARAM));
    EXPECT_EQ("00000000", ControlText(hDlg, IDC_MSG_LPARAM));
    Command(hDlg, IDC_MSG_ADD);
    ChooseTrace(hDlg, "8005: <Undefined> [00000002] [FFFFFFFF]");
    EXPECT_EQ("8005", ControlText(hDlg, IDC_MSG_NAME));
    EXPECT_EQ("FFFFFFFF", ControlText(hDlg, IDC_MSG_LPARAM));
    Command(hDlg, IDC_MSG_ADD);
    /* A wparam wider than the 16 bits a button sends is refused, not listed. */
    ChooseTrace(hDlg, "WM_USER [00030064] [00000000]");
    std::string strRefusal = Refusal(hDlg, IDC_MSG_ADD);
    EXPECT_NE(std::string::npos, strRefusal.find("16-bit values")) << strRefusal;
    EXPECT_EQ(2, (int)SendDlgItemMessageA(hDlg, IDC_MSG_SEQUENCE, LB_GETCOUNT, 0, 0));

    /* Stopped, nothing more is recorded; Reset empties the list. */
    Command(hDlg, IDC_MSG_STOP);
    EXPECT_EQ(nullptr, _hHookMsg);
    PostMessageA(hProbe, WM_USER, 0x1234, 0);
    ASSERT_TRUE(WaitForProbeLine(probe, "queued R 0x0400 0x1234 0x0"));
    EXPECT_LT(FindTrace(hDlg, "WM_USER [00001234] [00000000]"), 0);
    Command(hDlg, IDC_MSG_RESET);
    EXPECT_EQ(0, TraceCount(hDlg));

    Command(hDlg, IDOK);
    const std::string strSequence = ControlText(hDlg, IDC_ENCODED);
    EXPECT_EQ("[0400:00000095:00000000][8005:00000002:FFFFFFFF]", strSequence);

    /* Closing while recording takes the hook away; the probe goes on as before. */
    Command(hDlg, IDC_MSG_START);
    ASSERT_NE(nullptr, _hHookMsg);
    DestroyWindow(hDlg);
    EXPECT_EQ(nullptr, _hHookMsg);
    EXPECT_EQ(nullptr, _hMessageDlg);
    PostMessageA(hProbe, WM_USER, 0x4321, 0);
    ASSERT_TRUE(WaitForProbeLine(probe, "queued R 0x0400 0x4321 0x0"));

    /* A button press runs the sequence: posted to the foreground window, the probe. */
    size_t cBefore = CountLines(probe, "queued R 0x0400 0x95 0x0");
    SetForegroundWindow(hProbe);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == hProbe; }));
    std::string strCommand = "MESSAGE\"" + strSequence + "\"";
    ParseFunction(NULL, &strCommand[0]);
    EXPECT_TRUE(WaitForProbeLine(probe, "queued R 0x8005 0x2 0xffffffffffffffff"));
    EXPECT_EQ(cBefore + 1, CountLines(probe, "queued R 0x0400 0x95 0x0"));
    StopProbe(&probe);
}

/* The process that set the hook owns the recording: another recorder neither takes nor
   removes it, and a recording whose process ended is forgotten by the next recorder. */
TEST(Recorder, OneRecordingAtATimeAndNoneLeftByAnEndedRecorder)
{
    ProbeProcess probe;
    ASSERT_TRUE(StartProbe(&probe, "recorders", { "S,60,60,320,220" }));
    HWND hProbe = ProbeWindow("S");
    ASSERT_NE(nullptr, hProbe);
    /* The other recorder; ended whatever way the test ends. */
    struct Peer {
        PROCESS_INFORMATION pi = {};
        ~Peer()
        {
            if (pi.hProcess == NULL)
                return;
            TerminateProcess(pi.hProcess, 9);
            WaitForSingleObject(pi.hProcess, 10000);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
    } peer;
    PROCESS_INFORMATION &pi = peer.pi;
    ASSERT_TRUE(CreateTestProcess("\"" + BinaryDir() + "shared_peer.exe\" record \"Probe S\"", &pi));
    ASSERT_TRUE(WaitFor([&] { return _hHookMsg != nullptr && _hMessageDlg != nullptr; }, 20000));
    HHOOK hPeerHook = _hHookMsg;
    HWND hPeerDlg = _hMessageDlg;
    DWORD dwPeerDlgProcess = 0;
    GetWindowThreadProcessId(hPeerDlg, &dwPeerDlgProcess);
    EXPECT_EQ(pi.dwProcessId, dwPeerDlgProcess);
    auto PeerTraceCount = [&] { return (int)SendDlgItemMessageA(hPeerDlg, IDC_MSG_TRACE, LB_GETCOUNT, 0, 0); };
    PostMessageA(hProbe, WM_USER, 0x11, 0);
    EXPECT_TRUE(WaitFor([&] { return PeerTraceCount() >= 1; }, 20000));

    /* A second recorder while the first records: its Start Rec is refused, and neither
       its Stop Rec nor its closing ends the other's recording. */
    HWND hDlg = CreateDialogRes(IDD_MESSAGES, NULL, MessageDlgProc);
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ(hPeerDlg, _hMessageDlg);
    std::string strRefusal = Refusal(hDlg, IDC_MSG_START);
    EXPECT_NE(std::string::npos, strRefusal.find("Another View Messages window is recording")) << strRefusal;
    Command(hDlg, IDC_MSG_STOP);
    EXPECT_EQ(hPeerHook, _hHookMsg);
    DestroyWindow(hDlg);
    EXPECT_EQ(hPeerHook, _hHookMsg);
    EXPECT_EQ(hPeerDlg, _hMessageDlg);
    int cBefore = PeerTraceCount();
    PostMessageA(hProbe, WM_USER, 0x22, 0);
    EXPECT_TRUE(WaitFor([&] { return PeerTraceCount() > cBefore; }, 20000));

    /* The first recorder ends while it records: its hook goes with it, its handle stays
       behind until the next recorder opens, which then records. */
    TerminateProcess(pi.hProcess, 9);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 10000));
    EXPECT_EQ(hPeerHook, _hHookMsg);
    hDlg = CreateDialogRes(IDD_MESSAGES, NULL, MessageDlgProc);
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ(nullptr, _hHookMsg);
    EXPECT_EQ(hDlg, _hMessageDlg);
    HWND hApps = GetDlgItem(hDlg, IDC_MSG_APPLICATIONS);
    ComboBox_SetCurSel(hApps, ComboBox_FindStringExact(hApps, -1, "Probe S"));
    Command(hDlg, IDC_MSG_APPLICATIONS, CBN_SELCHANGE);
    Command(hDlg, IDC_MSG_START);
    ASSERT_NE(nullptr, _hHookMsg);
    PostMessageA(hProbe, WM_USER, 0x33, 0);
    EXPECT_TRUE(WaitFor([&] { return FindTrace(hDlg, "WM_USER [00000033] [00000000]") >= 0; }, 20000));
    DestroyWindow(hDlg);
    EXPECT_EQ(nullptr, _hHookMsg);
    StopProbe(&probe);
}

} // namespace
