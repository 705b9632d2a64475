/*
 * applet_test.cpp - the Control Panel applet as the Control Panel and a user meet it: its
 * messages answered, its sheet opened on a thread of this program (as the Control Panel
 * does) or by control.exe, driven with clicks and mouse drags, and judged by what the
 * pages show, the registry, the system's mouse trail and what the receiver driver holds.
 */
#include <gtest/gtest.h>
#include <algorithm>
#include <windows.h>
#include <commctrl.h>
#include <cpl.h>
#include "psheetres.h"
#include "testsupport.h"
#include "traytest.h"
#include "OrvaneStore.h"

#define SETTINGS_KEY    ORVANE_SETTINGS_KEY
#define SHEET_CAPTION   "Remote Mouse Properties"
#define ID_APPLY        0x3021      /* the sheet's Apply button */

typedef LONG(APIENTRY *CPLAPPLETPROC)(HWND, UINT, LPARAM, LPARAM);

static HMODULE hApplet;
static CPLAPPLETPROC lpfnApplet;

static DWORD WINAPI SheetThread(LPVOID)
{
    lpfnApplet(NULL, CPL_DBLCLK, 0, 0);
    return 0;
}

static void WriteByteSetting(LPCSTR lpszValue, BYTE bValue)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                             &hKey, NULL));
    RegSetValueExA(hKey, lpszValue, 0, REG_BINARY, &bValue, 1);
    RegCloseKey(hKey);
}

/* A one-byte value, or -1 when it is missing or not one byte. */
static int ReadByteSetting(LPCSTR lpszValue)
{
    BYTE abData[4];
    DWORD cbData = sizeof(abData), dwType;
    if (RegGetValueA(HKEY_CURRENT_USER, SETTINGS_KEY, lpszValue, RRF_RT_ANY, &dwType, abData, &cbData)
            != ERROR_SUCCESS || cbData != 1 || dwType != REG_BINARY)
        return -1;
    return abData[0];
}

static int SystemTrail()
{
    int iTrail = -1;
    SystemParametersInfoA(SPI_GETMOUSETRAILS, 0, &iTrail, 0);
    return iTrail;
}

class AppletTest : public ::testing::Test {
protected:
    HANDLE hThread = NULL;
    DWORD idThread = 0;
    HWND hSheet = NULL;
    HWND hPage = NULL;
    int iSavedTrail = 0;

    static void SetUpTestSuite()
    {
        hApplet = LoadLibraryA((BinaryDir() + "Selvane.cpl").c_str());
        lpfnApplet = (CPLAPPLETPROC)(void (*)(void))GetProcAddress(hApplet, "CPlApplet");
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, lpfnApplet);
        ASSERT_TRUE(PrepareReceiver());
        iSavedTrail = SystemTrail();
        std::string strDir = BinaryDir();
        strDir.pop_back();
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, SETTINGS_KEY, "WorkingDirectory", strDir));
        ASSERT_NE(0, lpfnApplet(NULL, CPL_INIT, 0, 0));
    }

    void TearDown() override
    {
        if (hSheet != NULL)
            CloseSheet();
        lpfnApplet(NULL, CPL_EXIT, 0, 0);
        SystemParametersInfoA(SPI_SETMOUSETRAILS, iSavedTrail, NULL, 0);
    }

    /* Opens the sheet as the Control Panel does on a double click; the Cursor page in front. */
    void OpenSheet()
    {
        hThread = CreateThread(NULL, 0, SheetThread, NULL, 0, &idThread);
        ASSERT_TRUE(WaitFor([&] {
            hSheet = FindWindowA(NULL, SHEET_CAPTION);
            return hSheet != NULL && IsWindowVisible(hSheet);
        }));
        hPage = PropSheet_GetCurrentPageHwnd(hSheet);
        ASSERT_NE(nullptr, hPage);
        SetForegroundWindow(hSheet);
        WaitFor([&] { return GetForegroundWindow() == hSheet; }, 2000);
    }

    void CloseSheet()
    {
        PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        EXPECT_TRUE(WaitFor([&] { return WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; }, 10000));
        CloseHandle(hThread);
        hThread = NULL;
        hSheet = hPage = NULL;
    }

    HWND Item(int iControl) { return GetDlgItem(hPage, iControl); }
    bool Checked(int iControl) { return SendMessageA(Item(iControl), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int Position(int iControl) { return (int)SendMessageA(Item(iControl), TBM_GETPOS, 0, 0); }
    bool ApplyEnabled() { return IsWindowEnabled(GetDlgItem(hSheet, ID_APPLY)) != FALSE; }

    /* A visible window the sheet has opened over itself, or null. */
    HWND SheetPopup()
    {
        struct tagFIND {
            HWND hOwner, hFound;
        } find = { hSheet, NULL };
        EnumThreadWindows(idThread, [](HWND hWnd, LPARAM lParam) -> BOOL {
            tagFIND *pFind = (tagFIND *)lParam;
            if (GetWindow(hWnd, GW_OWNER) == pFind->hOwner && IsWindowVisible(hWnd))
                pFind->hFound = hWnd;
            return pFind->hFound == NULL;
        }, (LPARAM)&find);
        return find.hFound;
    }

    /* The note that help shows now, read from its window, which is then closed; "" when
       none comes. Where HTML Help shows no pop-up (as under the emulator), the applet shows
       the note in a box titled with its name, *pstrCaption. */
    std::string TakeHelpNote(std::string *pstrCaption)
    {
        HWND hNote = NULL;
        if (!WaitFor([&] { return (hNote = SheetPopup()) != NULL; }))
            return "";
        char szCaption[64] = "";
        GetWindowTextA(hNote, szCaption, sizeof(szCaption));
        *pstrCaption = szCaption;
        std::string strNote = StaticTexts(hNote);
        PostMessageA(hNote, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(hNote); }));
        return strNote;
    }

    /* Asks for help on a control of a page as the title bar's "?" and a click on the
       control do (the emulator has no "?" mode): the page gets the request from another
       thread, since a note's box holds it until the box is closed. Returns the note, ""
       when the request ended without one. */
    std::string NoteOfQuestionMark(HWND hOnPage, HWND hControl, std::string *pstrCaption)
    {
        struct tagREQUEST {
            HWND hPage;
            HELPINFO hi;
        } request = { hOnPage, { sizeof(HELPINFO), HELPINFO_WINDOW, GetDlgCtrlID(hControl), hControl, 0, {} } };
        RECT rControl;
        GetWindowRect(hControl, &rControl);
        request.hi.MousePos = { (rControl.left + rControl.right) / 2, (rControl.top + rControl.bottom) / 2 };
        HANDLE hSender = CreateThread(NULL, 0, [](LPVOID pv) -> DWORD {
            tagREQUEST *pRequest = (tagREQUEST *)pv;
            SendMessageA(pRequest->hPage, WM_HELP, 0, (LPARAM)&pRequest->hi);
            return 0;
        }, &request, 0, NULL);
        auto Answered = [&] { return WaitForSingleObject(hSender, 0) == WAIT_OBJECT_0; };
        std::string strNote;
        EXPECT_TRUE(WaitFor([&] { return Answered() || SheetPopup() != NULL; }));
        if (!Answered())
            strNote = TakeHelpNote(pstrCaption);
        EXPECT_TRUE(WaitFor(Answered));
        CloseHandle(hSender);
        return strNote;
    }

    HWND CaptureOfSheet()
    {
        GUITHREADINFO gti = {};
        gti.cbSize = sizeof(gti);
        GetGUIThreadInfo(idThread, &gti);
        return gti.hwndCapture;
    }

    /* Drags the thumb of a trackbar by iSteps ticks, and back by iBackSteps, then lets go.
       The mouse messages go straight to the trackbar: the pointer of the X server reports
       its moves late and would take the thumb elsewhere in the middle of the drag. */
    void DragThumb(int iControl, int iSteps, int iBackSteps)
    {
        HWND hTrackbar = Item(iControl);
        RECT rThumb, rChannel;
        SendMessageA(hTrackbar, TBM_GETTHUMBRECT, 0, (LPARAM)&rThumb);
        SendMessageA(hTrackbar, TBM_GETCHANNELRECT, 0, (LPARAM)&rChannel);
        int iMin = (int)SendMessageA(hTrackbar, TBM_GETRANGEMIN, 0, 0);
        int iMax = (int)SendMessageA(hTrackbar, TBM_GETRANGEMAX, 0, 0);
        int cxTick = (rChannel.right - rChannel.left - (rThumb.right - rThumb.left)) / (iMax - iMin);
        int x = (rThumb.left + rThumb.right) / 2, y = (rThumb.top + rThumb.bottom) / 2;
        int iStart = Position(iControl);
        PostMessageA(hTrackbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ASSERT_TRUE(WaitFor([&] { return CaptureOfSheet() == hTrackbar; }));
        PostMessageA(hTrackbar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + iSteps * cxTick, y));
        ASSERT_TRUE(WaitFor([&] { return Position(iControl) == iStart + iSteps; }));
        PostMessageA(hTrackbar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + (iSteps - iBackSteps) * cxTick, y));
        ASSERT_TRUE(WaitFor([&] { return Position(iControl) == iStart + iSteps - iBackSteps; }));
        PostMessageA(hTrackbar, WM_LBUTTONUP, 0, MAKELPARAM(x + (iSteps - iBackSteps) * cxTick, y));
        ASSERT_TRUE(WaitFor([&] { return CaptureOfSheet() == NULL; }));
        /* The end of the drag has reached the page once a message sent after it returns. */
        SendMessageA(hSheet, WM_NULL, 0, 0);
    }
};

/* The Control Panel's questions: count, names, icon, the answers for an index that is not
   ours and for messages the applet does not know. */
TEST_F(AppletTest, AnswersTheControlPanel)
{
    EXPECT_EQ(1, lpfnApplet(NULL, CPL_GETCOUNT, 0, 0));

    CPLINFO ci = { -5, -5, -5, 77 };
    EXPECT_EQ(0, lpfnApplet(NULL, CPL_INQUIRE, 0, (LPARAM)&ci));
    EXPECT_EQ(IDI_APPLET, ci.idIcon);
    EXPECT_EQ(IDS_APPLET_NAME, ci.idName);
    EXPECT_EQ(IDS_APPLET_INFO, ci.idInfo);
    EXPECT_EQ(0, ci.lData);
    char szText[128] = "";
    LoadStringA(hApplet, ci.idName, szText, sizeof(szText));
    EXPECT_STREQ("Remote Mouse", szText);
    LoadStringA(hApplet, ci.idInfo, szText, sizeof(szText));
    EXPECT_STREQ("Changes remote mouse settings.", szText);
    EXPECT_NE(nullptr, LoadIconA(hApplet, MAKEINTRESOURCEA(IDI_APPLET)));

    NEWCPLINFOA nci;
    memset(&nci, 0xCC, sizeof(nci));
    EXPECT_EQ(0, lpfnApplet(NULL, CPL_NEWINQUIRE, 0, (LPARAM)&nci));
    EXPECT_EQ(sizeof(NEWCPLINFOA), nci.dwSize);
    EXPECT_EQ(0u, nci.dwHelpContext);
    EXPECT_NE(nullptr, nci.hIcon);
    EXPECT_STREQ("Remote Mouse", nci.szName);
    EXPECT_STREQ("Changes remote mouse settings.", nci.szInfo);

    /* Only applet 0 exists. */
    EXPECT_EQ(-1, lpfnApplet(NULL, CPL_INQUIRE, 1, (LPARAM)&ci));
    EXPECT_EQ(-1, lpfnApplet(NULL, CPL_NEWINQUIRE, 1, (LPARAM)&nci));
    EXPECT_EQ(-1, lpfnApplet(NULL, CPL_DBLCLK, 1, 0));
    EXPECT_EQ(-1, lpfnApplet(NULL, CPL_STOP, 1, 0));
    EXPECT_EQ(0, lpfnApplet(NULL, CPL_SELECT, 0, 0));
    EXPECT_EQ(0, lpfnApplet(NULL, CPL_STOP, 0, 0));
    /* Starting with parameters is left to CPL_DBLCLK. */
    EXPECT_EQ(0, lpfnApplet(NULL, CPL_STARTWPARMSA, 0, 0));
    EXPECT_EQ(0, lpfnApplet(NULL, CPL_STARTWPARMSW, 0, 0));
    EXPECT_EQ(1, lpfnApplet(NULL, WM_USER + 100, 0, 0));
    /* A second start while loaded is harmless; the exit in TearDown frees the icon. */
    EXPECT_NE(0, lpfnApplet(NULL, CPL_INIT, 0, 0));
}

/* The trail shown is the system's: 0 and 1 mean no trail (box clear, trackbar disabled),
   a longer one is shown checked at its length; Apply with the box clear switches it off. */
TEST_F(AppletTest, TrailFollowsTheSystem)
{
    for (int iTrail : { 0, 1, 5 }) {
        SCOPED_TRACE(iTrail);
        ASSERT_TRUE(SystemParametersInfoA(SPI_SETMOUSETRAILS, iTrail, NULL, 0));
        OpenSheet();
        EXPECT_EQ(iTrail > 1, Checked(IDC_SHOW_TRAIL));
        EXPECT_EQ(iTrail > 1, IsWindowEnabled(Item(IDC_TRAIL)) != FALSE);
        EXPECT_EQ(std::max(iTrail, 1), Position(IDC_TRAIL));
        if (iTrail == 5)
            break;
        CloseSheet();
    }
    /* Clearing the box disables the trackbar at once and offers Apply. */
    EXPECT_FALSE(ApplyEnabled());
    SendMessageA(Item(IDC_SHOW_TRAIL), BM_CLICK, 0, 0);
    EXPECT_FALSE(Checked(IDC_SHOW_TRAIL));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_TRAIL)));
    EXPECT_TRUE(ApplyEnabled());
    SendMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    EXPECT_TRUE(WaitFor([] { return SystemTrail() == 0; }));
    /* Checking it again enables the trackbar, which still holds the old length. */
    SendMessageA(Item(IDC_SHOW_TRAIL), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_TRAIL)));
    SendMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    EXPECT_TRUE(WaitFor([] { return SystemTrail() == 5; }));
}

/* Apply stores only speed and button switch, and hands both to the receiver; a drag that
   ends where it began is no change. */
TEST_F(AppletTest, ApplyStoresSpeedAndButtonsOnly)
{
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETMOUSETRAILS, 0, NULL, 0));
    WriteByteSetting("CursorSpeed", 3);
    WriteByteSetting("EnableButtons", 0);
    WriteByteSetting("CursorTrail", 6);
    WriteByteSetting("ShowTrail", 1);
    ASSERT_TRUE(SetReceiverMouse(0, 1));

    OpenSheet();
    EXPECT_EQ(3, Position(IDC_SPEED));
    EXPECT_FALSE(Checked(IDC_ENABLE_BUTTONS));
    /* The registry's trail copy does not decide what is shown. */
    EXPECT_FALSE(Checked(IDC_SHOW_TRAIL));

    DragThumb(IDC_SPEED, -2, -2);
    EXPECT_EQ(3, Position(IDC_SPEED));
    EXPECT_FALSE(ApplyEnabled());
    DragThumb(IDC_SPEED, -2, 0);
    EXPECT_EQ(1, Position(IDC_SPEED));
    EXPECT_TRUE(ApplyEnabled());
    SendMessageA(Item(IDC_ENABLE_BUTTONS), BM_CLICK, 0, 0);

    SendMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    EXPECT_TRUE(WaitFor([] { return ReadByteSetting("CursorSpeed") == 1; }));
    EXPECT_EQ(1, ReadByteSetting("EnableButtons"));
    EXPECT_EQ(6, ReadByteSetting("CursorTrail"));
    EXPECT_EQ(1, ReadByteSetting("ShowTrail"));
    MIRELOSTATE msState = {};
    ASSERT_TRUE(QueryReceiver(&msState));
    EXPECT_EQ(1, msState.bSpeed);
    EXPECT_EQ(1, msState.bEnable);
    EXPECT_FALSE(ApplyEnabled());

    /* Switching the buttons off reaches the driver as 0; the speed stays. */
    SendMessageA(Item(IDC_ENABLE_BUTTONS), BM_CLICK, 0, 0);
    SendMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    EXPECT_TRUE(WaitFor([] { return ReadByteSetting("EnableButtons") == 0; }));
    ASSERT_TRUE(QueryReceiver(&msState));
    EXPECT_EQ(1, msState.bSpeed);
    EXPECT_EQ(0, msState.bEnable);
    CloseSheet();

    /* Opened again, the page shows what was stored. */
    OpenSheet();
    EXPECT_EQ(1, Position(IDC_SPEED));
    EXPECT_FALSE(Checked(IDC_ENABLE_BUTTONS));
}

/* A settings key that does not exist yet is made with its defaults; a value of the wrong
   size is ignored. */
TEST_F(AppletTest, NewSettingsKeyGetsDefaults)
{
    DeleteRegKey(HKEY_CURRENT_USER, SETTINGS_KEY);
    OpenSheet();
    EXPECT_EQ(3, Position(IDC_SPEED));
    EXPECT_FALSE(Checked(IDC_ENABLE_BUTTONS));
    CloseSheet();
    EXPECT_EQ(3, ReadByteSetting("CursorSpeed"));
    EXPECT_EQ(0, ReadByteSetting("ShowIcon"));
    EXPECT_EQ(0, ReadByteSetting("EnableButtons"));

    DWORD dwWide = 1;
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_ALL_ACCESS, &hKey));
    RegSetValueExA(hKey, "CursorSpeed", 0, REG_DWORD, (const BYTE *)&dwWide, sizeof(dwWide));
    RegCloseKey(hKey);
    WriteByteSetting("EnableButtons", 7);
    OpenSheet();
    EXPECT_EQ(0, Position(IDC_SPEED));
    EXPECT_TRUE(Checked(IDC_ENABLE_BUTTONS));
    WriteByteSetting("CursorSpeed", 3);
}

/* The Configuration button: hidden while the tray program runs (and hidden when it has
   started since the page opened), otherwise it opens Brenvik's configuration from the
   installation directory; with no Brenvik there it does nothing. */
TEST_F(AppletTest, ConfigurationButtonDependsOnTrayProgram)
{
    tagTELLUMO tProgram = {};
    ASSERT_TRUE(StartTellumo(&tProgram));
    OpenSheet();
    EXPECT_FALSE(IsWindowVisible(Item(IDC_CONFIGURATION)));
    CloseSheet();
    CloseTellumo(&tProgram);

    OpenSheet();
    HWND hButton = Item(IDC_CONFIGURATION);
    ASSERT_TRUE(IsWindowVisible(hButton));
    PostMessageA(hButton, BM_CLICK, 0, 0);
    HWND hConfiguration = NULL;
    ASSERT_TRUE(WaitFor([&] {
        hConfiguration = SheetPopup();
        return hConfiguration != NULL;
    }));
    EXPECT_FALSE(IsWindowEnabled(hSheet));
    SaveWindowPicture(hConfiguration, "applet_configuration");
    PostMessageA(hConfiguration, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(hSheet) && !IsWindow(hConfiguration); }));

    /* No Brenvik in the installation directory: the click returns at once, nothing opens. */
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, SETTINGS_KEY, "WorkingDirectory", "C:\\no\\such\\folder"));
    SendMessageA(hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(nullptr, SheetPopup());
    EXPECT_TRUE(IsWindowEnabled(hSheet));
    EXPECT_TRUE(IsWindowVisible(hButton));

    /* The tray program starts while the page is open: the click hides the button. */
    ASSERT_TRUE(StartTellumo(&tProgram));
    SendMessageA(hButton, BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(hButton));
    CloseTellumo(&tProgram);
}

/* control.exe with the applet's file opens the sheet in a process of its own; both pages
   are pictured for people to look at. */
TEST_F(AppletTest, ControlExeOpensTheSheet)
{
    HANDLE hProcess = StartProcess("control.exe \"" + BinaryDir() + "Selvane.cpl\"");
    ASSERT_NE(nullptr, hProcess);
    HWND hOther = NULL;
    ASSERT_TRUE(WaitFor([&] {
        hOther = FindWindowA(NULL, SHEET_CAPTION);
        return hOther != NULL && IsWindowVisible(hOther);
    }, 20000));
    HWND hTabs = PropSheet_GetTabControl(hOther);
    EXPECT_EQ(2, TabCtrl_GetItemCount(hTabs));
    HWND hCursor = PropSheet_GetCurrentPageHwnd(hOther);
    char szText[64] = "";
    GetDlgItemTextA(hCursor, IDC_CONFIGURATION, szText, sizeof(szText));
    EXPECT_STREQ("Confi&guration", szText);
    EXPECT_TRUE(SaveWindowPicture(hOther, "applet_cursor_page"));

    SendMessageA(hOther, PSM_SETCURSEL, 1, 0);
    ASSERT_TRUE(WaitFor([&] { return PropSheet_GetCurrentPageHwnd(hOther) != hCursor; }));
    HWND hAbout = PropSheet_GetCurrentPageHwnd(hOther);
    EXPECT_NE(nullptr, FindWindowExA(hAbout, NULL, "Static", "Version 1.22.00"));
    RedrawWindow(hOther, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(SaveWindowPicture(hOther, "applet_about_page"));

    PostMessageA(hOther, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return WaitForSingleObject(hProcess, 0) == WAIT_OBJECT_0; }, 20000));
    CloseHandle(hProcess);
}

/* Help as a person asks for it. F1 on a control of the Cursor page shows that control's
   note; the title bar's "?" and then a control does the same, on the About page too, and
   a label without a note shows nothing. The sheet's Help button opens the help file in
   the HTML Help window, and closing the sheet closes that window. */
TEST_F(AppletTest, HelpShowsEachControlsNoteAndTheHelpFile)
{
    OpenSheet();
    const struct {
        int iControl;
        const char *pszNote;
    } aControls[] = {
        { IDC_SPEED, "Sets how fast the remote moves the cursor" },
        { IDC_SHOW_TRAIL, "Shows a trail of pointers behind the cursor" },
        { IDC_ENABLE_BUTTONS, "When checked, the remote's programmable buttons run the functions" },
    };
    std::string strCaption;
    for (const auto &control : aControls) {
        SCOPED_TRACE(control.iControl);
        SendMessageA(hPage, WM_NEXTDLGCTL, (WPARAM)Item(control.iControl), TRUE);
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == hSheet; }));
        PressKey(VK_F1);
        std::string strNote = TakeHelpNote(&strCaption);
        EXPECT_EQ(0u, strNote.find(control.pszNote)) << strNote;
        EXPECT_EQ("Remote Mouse", strCaption);
    }

    std::string strNote = NoteOfQuestionMark(hPage, Item(IDC_CONFIGURATION), &strCaption);
    EXPECT_EQ(0u, strNote.find("Opens the picture of the remote")) << strNote;
    HWND hLabel = FindWindowExA(hPage, NULL, "Static", "&Min");
    ASSERT_NE(nullptr, hLabel);
    EXPECT_EQ("", NoteOfQuestionMark(hPage, hLabel, &strCaption));

    SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
    ASSERT_TRUE(WaitFor([&] { return PropSheet_GetCurrentPageHwnd(hSheet) != hPage; }));
    HWND hAbout = PropSheet_GetCurrentPageHwnd(hSheet);
    HWND hVersion = FindWindowExA(hAbout, NULL, "Static", "Version 1.22.00");
    ASSERT_NE(nullptr, hVersion);
    strNote = NoteOfQuestionMark(hAbout, hVersion, &strCaption);
    EXPECT_EQ(0u, strNote.find("The name and version of the Remote Mouse applet")) << strNote;
    SendMessageA(hSheet, PSM_SETCURSEL, 0, 0);

    /* The sheet's Help button. */
    HWND hHelpButton = GetDlgItem(hSheet, IDHELP);
    ASSERT_TRUE(IsWindowVisible(hHelpButton) && IsWindowEnabled(hHelpButton));
    EXPECT_EQ(nullptr, HelpWindowOfThread(idThread));
    PostMessageA(hHelpButton, BM_CLICK, 0, 0);
    HWND hHelp = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hHelp = HelpWindowOfThread(idThread)) != NULL; }, 10000));
    char szTitle[64] = "";
    GetWindowTextA(hHelp, szTitle, sizeof(szTitle));
    EXPECT_STREQ("Remote Mouse Help", szTitle);
    CloseSheet();
    EXPECT_FALSE(IsWindow(hHelp)) << "the help window outlived the sheet";
}
