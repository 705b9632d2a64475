/*
 * receiver_page_test.cpp - the applet's Receiver page as a person uses it, with the tray
 * program running and Debian's lircd beside it (tests/support/lirc_session.sh): the LIRC
 * source switched on and seen connected, a press of an unknown LIRC button and then a USB
 * key learnt, the button each becomes chosen and applied, and the next press running that
 * button's assignment in the window in front; an entry removed; an address that is no
 * server's refused. The page's sheet runs on a thread of this program, as the Control
 * Panel runs it, and is pictured for people to look at.
 */
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <windows.h>
#include <commctrl.h>
#include <cpl.h>
#include "psheetres.h"
#include "OrvaneStore.h"
#include "sourcetest.h"
#include "testsupport.h"
#include "traytest.h"
#include "Tellumo.h"

namespace {

#define SHEET_CAPTION   "Remote Mouse Properties"
#define RECEIVER_PAGE   1
#define MAP_KEY         ORVANE_SETTINGS_KEY "\\Receiver"

typedef LONG(APIENTRY *CPLAPPLETPROC)(HWND, UINT, LPARAM, LPARAM);

enum { HIT_PC_TWO = 0x101, HIT_PC_PLAY = 0x122 };

CPLAPPLETPROC lpfnApplet;

DWORD WINAPI SheetThread(LPVOID)
{
    lpfnApplet(NULL, CPL_DBLCLK, 0, 0);
    return 0;
}

class ReceiverPageTest : public ::testing::Test {
protected:
    tagLIRCD ld;
    tagTELLUMO tProgram = {};
    HANDLE hThread = NULL;
    HWND hSheet = NULL;
    HWND hPage = NULL;

    void SetUp() override
    {
        HMODULE hApplet = LoadLibraryA((BinaryDir() + "Selvane.cpl").c_str());
        lpfnApplet = (CPLAPPLETPROC)(void (*)(void))GetProcAddress(hApplet, "CPlApplet");
        ASSERT_NE(nullptr, lpfnApplet);
        ASSERT_TRUE(LircSession(&ld)) << "run under tests/support/lirc_session.sh";
        ASSERT_TRUE(PrepareReceiver());
        ASSERT_TRUE(InstallTestAssignments());
        ResetSources();
        SetSources(false, "127.0.0.1:" + std::to_string(ld.iPort), false);
        ASSERT_TRUE(StartLircd(ld));
        ASSERT_TRUE(StartTellumo(&tProgram));
        CreateSink();
        ASSERT_NE(0, lpfnApplet(NULL, CPL_INIT, 0, 0));
    }

    void TearDown() override
    {
        if (hSheet != NULL) {
            PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            EXPECT_TRUE(WaitFor([&] { return WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; }, 10000));
            CloseHandle(hThread);
        }
        lpfnApplet(NULL, CPL_EXIT, 0, 0);
        if (tProgram.pi.hProcess != NULL)
            CloseTellumo(&tProgram);
        DestroySink();
        StopLircd(ld);
        ResetSources();
    }

    void OpenReceiverPage()
    {
        hThread = CreateThread(NULL, 0, SheetThread, NULL, 0, NULL);
        ASSERT_TRUE(WaitFor([&] {
            hSheet = FindWindowA(NULL, SHEET_CAPTION);
            return hSheet != NULL && IsWindowVisible(hSheet);
        }));
        SendMessageA(hSheet, PSM_SETCURSEL, RECEIVER_PAGE, 0);
        ASSERT_TRUE(WaitFor([&] {
            hPage = PropSheet_GetCurrentPageHwnd(hSheet);
            return hPage != NULL && GetDlgItem(hPage, IDC_MAP_LIST) != NULL;
        }));
    }

    HWND Item(int iControl) { return GetDlgItem(hPage, iControl); }

    std::string Text(int iControl)
    {
        char szText[256] = "";
        GetWindowTextA(Item(iControl), szText, sizeof(szText));
        return szText;
    }

    std::vector<std::string> ListLines()
    {
        std::vector<std::string> vLines;
        int iCount = (int)SendMessageA(Item(IDC_MAP_LIST), LB_GETCOUNT, 0, 0);
        for (int i = 0; i < iCount; i++) {
            char szLine[128] = "";
            SendMessageA(Item(IDC_MAP_LIST), LB_GETTEXT, i, (LPARAM)szLine);
            vLines.push_back(szLine);
        }
        return vLines;
    }

    bool Listed(const std::string &strLine)
    {
        std::vector<std::string> vLines = ListLines();
        return std::find(vLines.begin(), vLines.end(), strLine) != vLines.end();
    }

    void Click(int iControl)
    {
        SendMessageA(Item(iControl), BM_CLICK, 0, 0);
    }

    /* Picks a button in Becomes as the mouse does: the selection, then its notification. */
    void Becomes(const char *pszButton)
    {
        HWND hBecomes = Item(IDC_BECOMES);
        ASSERT_TRUE(IsWindowEnabled(hBecomes));
        int iItem = (int)SendMessageA(hBecomes, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)pszButton);
        ASSERT_GE(iItem, 0) << pszButton;
        SendMessageA(hBecomes, CB_SETCURSEL, iItem, 0);
        SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_BECOMES, CBN_SELCHANGE), (LPARAM)hBecomes);
    }

    /* Apply, and wait until the tray program has read what it stored: it tells the page
       how its sources stand then, which the page shows in its status line. */
    void Apply()
    {
        ASSERT_TRUE(IsWindowEnabled(GetDlgItem(hSheet, 0x3021))) << "nothing to apply";
        SetWindowTextA(Item(IDC_LIRC_STATUS), "");
        SendMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
        ASSERT_TRUE(WaitFor([&] { return !Text(IDC_LIRC_STATUS).empty(); }));
    }

    std::string StoredEntry(const char *pszName)
    {
        std::string strButton;
        ReadRegString(HKEY_CURRENT_USER, MAP_KEY, pszName, &strButton);
        return strButton;
    }

    size_t Hits(WPARAM wParam)
    {
        return std::count_if(SinkHits().begin(), SinkHits().end(),
                             [&](const tagSINKHIT &hit) { return hit.wParam == wParam; });
    }

    /* Learn, then the press that arrives: what the page shows of it. */
    std::string Learn(const std::function<bool()> &fnPress)
    {
        Click(IDC_LEARN);
        EXPECT_EQ("Press a button on the remote you hold...", Text(IDC_ARRIVED));
        EXPECT_TRUE(fnPress());
        WaitFor([&] { return Text(IDC_ARRIVED).compare(0, 8, "Arrived:") == 0; }, 10000);
        return Text(IDC_ARRIVED);
    }
};

TEST_F(ReceiverPageTest, ALearntPressRunsTheButtonChosenForIt)
{
    OpenReceiverPage();
    EXPECT_FALSE(IsDlgButtonChecked(hPage, IDC_LIRC_SOURCE));
    EXPECT_EQ("127.0.0.1:" + std::to_string(ld.iPort), Text(IDC_LIRC_SERVER));
    EXPECT_TRUE(WaitFor([&] { return Text(IDC_LIRC_STATUS) == "Not used."; }));
    EXPECT_TRUE(Listed("LIRC KEY_PLAY\tPLAY"));
    EXPECT_TRUE(Listed("Key MEDIA_NEXT_TRACK\tFF"));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_BECOMES)));

    /* The LIRC source on: Apply, and the page shows the tray program connected. */
    Click(IDC_LIRC_SOURCE);
    Apply();
    EXPECT_TRUE(WaitFor([&] { return Text(IDC_LIRC_STATUS) == "Connected now."; }, 10000)) << Text(IDC_LIRC_STATUS);
    std::string strSwitch;
    ReadRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "LircSource", &strSwitch);
    EXPECT_EQ("1", strSwitch);

    /* A button no entry maps, learnt: shown and not run; it becomes button 2. */
    EXPECT_EQ("Arrived: LIRC KEY_FAVORITES other",
              Learn([&] { return SimulateLirc(ld, "KEY_FAVORITES", 1, 0, "other"); }));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_BECOMES)));
    EXPECT_EQ(CB_ERR, SendMessageA(Item(IDC_BECOMES), CB_GETCURSEL, 0, 0));
    RedrawWindow(hSheet, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(SaveWindowPicture(hSheet, "applet_receiver_learnt"));
    Becomes("2");
    EXPECT_TRUE(Listed("LIRC KEY_FAVORITES other\t2"));
    EXPECT_EQ(0u, SinkHits().size());
    Apply();
    EXPECT_EQ("2", StoredEntry("LIRC KEY_FAVORITES other"));
    BringSinkToFront();
    ASSERT_TRUE(SimulateLirc(ld, "KEY_FAVORITES", 1, 0, "other"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_TWO) == 1; }));

    /* A USB key learnt while the keys are still off; with them on it plays. */
    SetForegroundWindow(hSheet);
    EXPECT_EQ("Arrived: Key LAUNCH_MAIL", Learn([] { return XdoTool("key XF86Mail"); }));
    Becomes("PLAY");
    Click(IDC_KEY_SOURCE);
    Apply();
    EXPECT_EQ("PLAY", StoredEntry("Key LAUNCH_MAIL"));
    BringSinkToFront();
    ASSERT_TRUE(XdoTool("key XF86Mail"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_PLAY) == 1; }));
    RedrawWindow(hSheet, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(SaveWindowPicture(hSheet, "applet_receiver_page"));

    /* Removed from the list and applied: the press runs nothing any more. */
    int iLine = (int)SendMessageA(Item(IDC_MAP_LIST), LB_FINDSTRINGEXACT, (WPARAM)-1,
                                  (LPARAM)"LIRC KEY_FAVORITES other\t2");
    ASSERT_GE(iLine, 0);
    SendMessageA(Item(IDC_MAP_LIST), LB_SETCURSEL, iLine, 0);
    SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_MAP_LIST, LBN_SELCHANGE), (LPARAM)Item(IDC_MAP_LIST));
    EXPECT_EQ("Chosen: LIRC KEY_FAVORITES other", Text(IDC_ARRIVED));
    Click(IDC_REMOVE);
    EXPECT_FALSE(Listed("LIRC KEY_FAVORITES other\t2"));
    Apply();
    EXPECT_EQ("", StoredEntry("LIRC KEY_FAVORITES other"));
    BringSinkToFront();
    size_t cHits = SinkHits().size();
    ASSERT_TRUE(SimulateLirc(ld, "KEY_FAVORITES", 1, 0, "other"));
    ASSERT_TRUE(SimulateLirc(ld, "KEY_2"));
    EXPECT_TRUE(WaitFor([&] { return Hits(HIT_PC_TWO) == 2; }));
    EXPECT_EQ(cHits + 1, SinkHits().size());
}

/* An address that is no server's is refused with a message, and nothing is stored. */
TEST_F(ReceiverPageTest, AnAddressThatIsNoServersIsRefused)
{
    OpenReceiverPage();
    SetWindowTextA(Item(IDC_LIRC_SERVER), "media pc:99999");
    PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    HWND hBox = NULL;
    ASSERT_TRUE(WaitFor([&] {
        hBox = FindWindowA("#32770", "Remote Mouse");
        return hBox != NULL && IsWindowVisible(hBox);
    }));
    std::string strMessage = StaticTexts(hBox);
    EXPECT_NE(std::string::npos, strMessage.find("The server's address must be a host name or address")) << strMessage;
    /* For the picture only: the box's thread paints its text a moment after it shows. */
    PumpMessages(300);
    EXPECT_TRUE(SaveWindowPicture(hBox, "applet_receiver_bad_address"));
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hBox); }));
    std::string strServer;
    ReadRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "LircServer", &strServer);
    EXPECT_EQ("127.0.0.1:" + std::to_string(ld.iPort), strServer);
    EXPECT_EQ(hPage, PropSheet_GetCurrentPageHwnd(hSheet));
}

}  // namespace
