/*
 * lirc_test.cpp - the tray program as the client of a LIRC server: Debian's real lircd,
 * started and stopped by the test on a loopback port (tests/support/lirc_session.sh), with
 * presses simulated by irsend; and a server of the test's own that sends what no daemon
 * should. Watched through the commands that reach the window in front, the tray icon's tip,
 * the press log and what the tray program tells a watching window (as the applet's page).
 */
#include <gtest/gtest.h>
#include <algorithm>
#include "sourcetest.h"
#include "testsupport.h"
#include "traytest.h"
#include "Tellumo.h"

namespace {

/* What the test assignments post (wParam of SINK_MESSAGE), per button of the remote. */
enum {
    HIT_PC_ONE = 0x100, HIT_PC_TWO = 0x101, HIT_PC_UP = 0x10A, HIT_PC_MODE = 0x1FF, HIT_WEB_ONE = 0x200,
    HIT_WEB_MODE = 0x2FF, HIT_VOLUP = 0x410
};

const char szUnreached[] = "LIRC server not reached";

class LircTest : public ::testing::Test {
protected:
    tagTELLUMO tProgram = {};
    tagTESTSERVER tsServer = { INVALID_SOCKET, INVALID_SOCKET, 0 };

    void SetUp() override
    {
        ASSERT_TRUE(PrepareReceiver());
        ASSERT_TRUE(InstallTestAssignments());
        ResetSources();
        CreateSink();
    }

    void TearDown() override
    {
        if (tProgram.pi.hProcess != NULL)
            CloseTellumo(&tProgram);
        CloseTestServer(&tsServer);
        DestroySink();
        ResetSources();
        PrepareReceiver();
    }

    void Start(int iPort)
    {
        SetSources(true, "127.0.0.1:" + std::to_string(iPort), false);
        ASSERT_TRUE(StartTellumo(&tProgram));
        WatchTraySources(tProgram.hWnd, false);
        BringSinkToFront();
        ClearSink();
    }

    bool Connected(DWORD dwTimeout)
    {
        return WaitFor([] { return (WatchedSources() & SOURCE_LIRC_CONNECTED) != 0; }, dwTimeout);
    }

    size_t Hits(WPARAM wParam)
    {
        return std::count_if(SinkHits().begin(), SinkHits().end(),
                             [&](const tagSINKHIT &hit) { return hit.wParam == wParam; });
    }

    size_t LogLinesWith(const std::string &strText)
    {
        std::vector<std::string> vLines = OpenPressLogLines(tProgram.hWnd);
        return std::count_if(vLines.begin(), vLines.end(),
                             [&](const std::string &strLine) { return strLine.find(strText) != std::string::npos; });
    }

    bool Responds()
    {
        DWORD_PTR dwResult;
        return SendMessageTimeoutA(tProgram.hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &dwResult) != 0;
    }
};

/* lircd's presses run the assignments of the buttons they map to: a digit, each new press
   of it at once; a held button as the receiver's (one at once, a second's pause, then the
   repeats); mode buttons; a button of one remote only; an unmapped button runs nothing and
   is named in the press log. Stopping lircd is seen in the tip, and starting it again is
   found by the tray program on its own. */
TEST_F(LircTest, PressesFromTheDaemonRunTheirAssignments)
{
    tagLIRCD ld;
    ASSERT_TRUE(LircSession(&ld)) << "run under tests/support/lirc_session.sh";
    ASSERT_TRUE(StartLircd(ld));
    Start(ld.iPort);
    ASSERT_TRUE(Connected(10000)) << "flags " << WatchedSources();
    OpenPressLogLines(tProgram.hWnd);       /* the log is open before the presses */
    BringSinkToFront();
    ASSERT_EQ(GetForegroundWindow(), FindWindowA("TrayTestSink", NULL));

    ASSERT_TRUE(SimulateLirc(ld, "KEY_1"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_ONE) == 1; }));
    /* A second press (repeat count 0 again) acts at once, where the receiver's second code
       would be taken for a repeat. */
    ASSERT_TRUE(SimulateLirc(ld, "KEY_1"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_ONE) == 2; }));

    /* A held button (repeat counts 1, 2, ...) goes through the auto-repeat rule as the
       receiver's does: the repeats of the first second are dropped, the later ones act. */
    ASSERT_TRUE(SimulateLirc(ld, "KEY_UP", 25, 110));
    EXPECT_TRUE(WaitFor([&] { return LogLinesWith("\t0x30\t") == 25; })) << LogLinesWith("\t0x30\t");
    size_t cDropped = LogLinesWith("\t0x30\tdropped\t");
    EXPECT_GE(cDropped, 5u);
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_UP) == 25u - cDropped; })) << Hits(HIT_PC_UP);
    EXPECT_GE(LogLinesWith("\t0x30\trepeat\t"), 3u);

    /* Mode buttons: WEB runs its own command and its button, PC brings the PC mode back. */
    ASSERT_TRUE(SimulateLirc(ld, "KEY_WWW"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_WEB_MODE) == 1; }));
    ASSERT_TRUE(SimulateLirc(ld, "KEY_1"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_WEB_ONE) == 1; }));
    ASSERT_TRUE(SimulateLirc(ld, "KEY_PC"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_MODE) == 1; }));
    EXPECT_TRUE(SimulateLirc(ld, "KEY_VOLUMEUP"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_VOLUP) == 1; }));

    /* An entry of one remote goes before the entry of any remote. */
    WriteMapEntry("LIRC KEY_1 other", "2");
    TellTrayToReadSources(tProgram.hWnd);
    ASSERT_TRUE(SimulateLirc(ld, "KEY_1", 1, 0, "other"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_TWO) == 1; }));
    ASSERT_TRUE(SimulateLirc(ld, "KEY_1"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_ONE) == 3; }));

    size_t cHits = SinkHits().size();
    ASSERT_TRUE(SimulateLirc(ld, "KEY_NOTHING"));
    EXPECT_TRUE(WaitFor([&] { return LogLinesWith("LIRC button not mapped\t0000000000000001 00 KEY_NOTHING orvanetest") == 1; }));
    EXPECT_EQ(cHits, SinkHits().size());

    /* The daemon goes: the tip says so, and the tray program finds it again by itself. */
    ASSERT_TRUE(StopLircd(ld));
    EXPECT_TRUE(WaitFor([] { return TrayTip().find(szUnreached) != std::string::npos; }, 10000)) << TrayTip();
    EXPECT_EQ(0u, WatchedSources() & SOURCE_LIRC_CONNECTED);
    ASSERT_TRUE(StartLircd(ld));
    ASSERT_TRUE(Connected(40000));
    EXPECT_TRUE(WaitFor([] { return TrayTip() == "PC Mode Selected"; }, 5000)) << TrayTip();
    BringSinkToFront();
    ASSERT_TRUE(SimulateLirc(ld, "KEY_2"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_TWO) == 2; }));
    EXPECT_TRUE(StopLircd(ld));
}

/* Lines no daemon should send are skipped, each named in the press log, and the press after
   them still acts: an over-long line of 200 000 bytes, binary bytes, lines that are no
   press, a press of a button not mapped; blank lines pass quietly, and a press that comes
   in pieces is put together. */
TEST_F(LircTest, LinesThatAreNoPressesAreSkippedAndLogged)
{
    ASSERT_TRUE(OpenTestServer(&tsServer));
    Start(tsServer.iPort);
    ASSERT_TRUE(AcceptClient(&tsServer, 10000));
    ASSERT_TRUE(Connected(5000));
    OpenPressLogLines(tProgram.hWnd);
    BringSinkToFront();
    ASSERT_EQ(GetForegroundWindow(), FindWindowA("TrayTestSink", NULL));

    std::string strLines = std::string(200000, 'A') + "\n";
    strLines += std::string("0000000000000001 00 KEY_1 orv\x01" "ane\n");
    strLines += std::string("\xff\xfe\x00\x10\n", 5);
    strLines += "hello world\n";
    strLines += "0000000000000001 00 KEY_1\n";
    strLines += "0000000000000001 zz KEY_1 orvanetest\n";
    strLines += "00000000000000001 00 KEY_1 orvanetest\n";
    strLines += "0000000000000001 00 " + std::string(40, 'K') + " orvanetest\n";
    strLines += "0000000000000001 00 KEY_1 orvanetest extra\n";
    strLines += "\n   \r\n\t\n";
    strLines += "0000000000000001 00 KEY_NOTMAPPED orvanetest\n";
    ASSERT_TRUE(SendToClient(&tsServer, strLines));
    for (const char *pszPiece : { "00000000000000", "01 00 KEY_", "1 orvanetest\r", "\n" }) {
        ASSERT_TRUE(SendToClient(&tsServer, pszPiece));
        PumpMessages(50);
    }
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_ONE) == 1; }));
    EXPECT_TRUE(WaitFor([&] { return LogLinesWith("\t0x21\t") == 1; }));
    EXPECT_EQ(1u, SinkHits().size());
    EXPECT_EQ(1u, LogLinesWith("skipped\tLIRC line too long\tAAAAAAAA"));
    EXPECT_EQ(1u, LogLinesWith("skipped\tLIRC line with binary data\t0000000000000001 00 KEY_1 orv\\x01ane"));
    EXPECT_EQ(1u, LogLinesWith("skipped\tLIRC line with binary data\t\\xFF\\xFE\\x00\\x10"));
    EXPECT_EQ(6u, LogLinesWith("skipped\tnot a LIRC press\t"));
    EXPECT_EQ(1u, LogLinesWith("skipped\tLIRC button not mapped\t0000000000000001 00 KEY_NOTMAPPED orvanetest"));
    EXPECT_EQ(10u, LogLinesWith("skipped\t"));
    EXPECT_TRUE(Responds());
}

/* A server that refuses is tried again, ever less often: the tip says it is not reached,
   and the icon stays although the receiver refuses the window. A server that drops the
   connection is found again within a pause of a second, sooner than one that refused for
   a while. */
TEST_F(LircTest, RefusedOrLostConnectionsAreRetried)
{
    ASSERT_TRUE(OpenTestServer(&tsServer));
    int iPort = tsServer.iPort;
    CloseTestServer(&tsServer);
    ASSERT_TRUE(ConnectReceiver(0));
    Start(iPort);
    EXPECT_TRUE(WaitFor([] { return TrayTip().find(szUnreached) != std::string::npos; }, 10000)) << TrayTip();
    EXPECT_TRUE(TrayTip().find("PC Mode Selected") == 0) << TrayTip();
    /* Attempts at about 0, 1, 3, 7 and 15 s: listening from 8 s on, the fifth one connects. */
    PumpMessages(8000);
    ASSERT_TRUE(OpenTestServer(&tsServer, iPort));
    DWORD dwListening = GetTickCount();
    ASSERT_TRUE(AcceptClient(&tsServer, 40000));
    DWORD dwAfterRefusals = GetTickCount() - dwListening;
    ASSERT_TRUE(Connected(5000));
    EXPECT_TRUE(WaitFor([] { return TrayTip() == "PC Mode Selected"; })) << TrayTip();

    DWORD dwDropped = GetTickCount();
    DropClient(&tsServer);
    ASSERT_TRUE(AcceptClient(&tsServer, 10000));
    DWORD dwAfterDrop = GetTickCount() - dwDropped;
    EXPECT_GE(dwAfterDrop, 900u);
    EXPECT_GT(dwAfterRefusals, dwAfterDrop) << "the pauses did not grow";
    ASSERT_TRUE(Connected(5000));
    ASSERT_TRUE(SendToClient(&tsServer, "0000000000000002 00 KEY_2 orvanetest\n"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_TWO) == 1; }));
}

}  // namespace
