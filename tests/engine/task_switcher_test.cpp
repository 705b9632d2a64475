/*
 * The task switcher as a person meets it: NEXTTASK through Corvalin's command reader opens
 * it over taskprobe's windows; the tests read which item is current from where the cursor
 * was put, read the name area's pixels, press keys and the mouse, and watch which window
 * comes to the front.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <string>
#include <vector>
#include "testsupport.h"
#include "OrvaneStore.h"
#include "task_probes.h"
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Corvalin.h"

namespace {

int X() { return GetSystemMetrics(SM_CXICON); }
int Y() { return GetSystemMetrics(SM_CYICON); }

/* Centre of item n's frame, in the switcher's client coordinates. */
POINT ItemCentre(int n)
{
    POINT pt;
    pt.x = 20 + ((n - 1) % 5) * (X() + 20) + X() / 2;
    pt.y = 20 + ((n - 1) / 5) * (Y() + 10) + Y() / 2;
    return pt;
}

void RunCommand(const char *lpszCommand)
{
    char szCommand[256];
    lstrcpynA(szCommand, lpszCommand, sizeof(szCommand));
    ParseFunction(NULL, szCommand);
}

BOOL CALLBACK CollectDialog(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (strcmp(szClass, "#32770") == 0 && IsWindowVisible(hWnd))
        ((std::vector<HWND> *)lParam)->push_back(hWnd);
    return TRUE;
}

/* The switchers open on this thread. */
std::vector<HWND> Switchers()
{
    std::vector<HWND> switchers;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, (LPARAM)&switchers);
    return switchers;
}

/* The current item, found from where the switcher put the cursor (0: not on an item). */
int CursorItem(HWND hSwitcher)
{
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(hSwitcher, &pt);
    for (int n = 1; n <= 40; n++) {
        POINT ptCentre = ItemCentre(n);
        /* MoveCursor centres on the frame, which may differ from the icon's centre by one pixel. */
        if (abs(pt.x - ptCentre.x) <= 1 && abs(pt.y - ptCentre.y) <= 1)
            return n;
    }
    return 0;
}

HWND OpenSwitcher()
{
    RunCommand("NEXTTASK");
    HWND hSwitcher = NULL;
    WaitFor([&] {
        std::vector<HWND> switchers = Switchers();
        hSwitcher = switchers.empty() ? NULL : switchers[0];
        return hSwitcher != NULL;
    });
    /* The switcher puts the cursor on the first icon; the display server reports that move
       a little later, and the report must not overtake the test's own moves. */
    WaitFor([&] { return CursorItem(hSwitcher) == 1; });
    PumpMessages(300);
    return hSwitcher;
}

/* Waits for the cursor to arrive on item n: the display server applies cursor moves a
   little after the program asks for them. */
bool CursorReaches(HWND hSwitcher, int n)
{
    return WaitFor([&] { return CursorItem(hSwitcher) == n; }, 400);
}

/* The input sentinel of this thread: F24, which the switcher ignores, pressed and released
   behind the input sent before it; true once this thread has taken the release from its
   queue, and so has handled that input. */
bool bSentinelTaken;
HHOOK hSentinelWatch;

LRESULT CALLBACK SentinelWatchProc(int iCode, WPARAM wParam, LPARAM lParam)
{
    const MSG *pMsg = (const MSG *)lParam;
    if (iCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message == WM_KEYUP && pMsg->wParam == VK_F24)
        bSentinelTaken = true;
    return CallNextHookEx(hSentinelWatch, iCode, wParam, lParam);
}

bool AwaitInputSentinel()
{
    bSentinelTaken = false;
    hSentinelWatch = SetWindowsHookExA(WH_GETMESSAGE, SentinelWatchProc, NULL, GetCurrentThreadId());
    PressAndRelease(VK_F24);
    bool bTaken = WaitFor([] { return bSentinelTaken; });
    UnhookWindowsHookEx(hSentinelWatch);
    return bTaken;
}

void Key(HWND hSwitcher, UINT vk, int iTimes = 1)
{
    for (int i = 0; i < iTimes; i++)
        SendMessageA(hSwitcher, WM_KEYDOWN, vk, 0);
    PumpMessages(30);
}

/* ---- Reading the name area ------------------------------------------------------------ */

RECT NameArea(HWND hSwitcher)
{
    RECT rClient;
    GetClientRect(hSwitcher, &rClient);
    RECT rArea = { 20, rClient.bottom - 20 - GetSystemMetrics(SM_CYCAPTION), rClient.right - 20,
                   rClient.bottom - 20 };
    return rArea;
}

std::vector<DWORD> Pixels(HDC hDC, HBITMAP hBitmap, int cx, int cy)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(cx * cy);
    GetDIBits(hDC, hBitmap, 0, cy, pixels.data(), &bmi, DIB_RGB_COLORS);
    /* Colour only: drawing an icon with an alpha channel leaves alpha values behind. */
    for (DWORD &dwPixel : pixels)
        dwPixel &= 0xFFFFFF;
    return pixels;
}

/* Pixels of a cx by cy bitmap, compatible with hWnd's display, after draw(hMemDC). */
template <typename Drawing>
std::vector<DWORD> DrawnPixels(HWND hWnd, int cx, int cy, Drawing draw)
{
    HDC hWindowDC = GetDC(hWnd);
    HDC hMemDC = CreateCompatibleDC(hWindowDC);
    HBITMAP hBitmap = CreateCompatibleBitmap(hWindowDC, cx, cy);
    HGDIOBJ hOld = SelectObject(hMemDC, hBitmap);
    draw(hMemDC, hWindowDC);
    SelectObject(hMemDC, hOld);
    std::vector<DWORD> pixels = Pixels(hMemDC, hBitmap, cx, cy);
    DeleteObject(hBitmap);
    DeleteDC(hMemDC);
    ReleaseDC(hWnd, hWindowDC);
    return pixels;
}

/* What the window shows inside rArea (client coordinates). */
std::vector<DWORD> Capture(HWND hWnd, RECT rArea)
{
    UpdateWindow(hWnd);
    return DrawnPixels(hWnd, rArea.right - rArea.left, rArea.bottom - rArea.top, [&](HDC hMemDC, HDC hWindowDC) {
        BitBlt(hMemDC, 0, 0, rArea.right - rArea.left, rArea.bottom - rArea.top, hWindowDC, rArea.left,
               rArea.top, SRCCOPY);
    });
}

void FillGrey(HDC hDC, int cx, int cy)
{
    RECT rFill = { 0, 0, cx, cy };
    HBRUSH hGrey = CreateSolidBrush(RGB(192, 192, 192));
    FillRect(hDC, &rFill, hGrey);
    DeleteObject(hGrey);
}

/* The switcher's name font for an area cy pixels high. */
HFONT CreateNameFont(int cy)
{
    return CreateFontA((int)(0.7 * cy), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x24, "MS Sans Serif");
}

/* A name area of that size showing lpszText as a person expects it: grey, the text in the
   switcher's font five pixels in and three down. */
std::vector<DWORD> RenderName(HWND hSwitcher, RECT rArea, const char *lpszText)
{
    int cx = rArea.right - rArea.left, cy = rArea.bottom - rArea.top;
    return DrawnPixels(hSwitcher, cx, cy, [&](HDC hMemDC, HDC) {
        FillGrey(hMemDC, cx, cy);
        HFONT hFont = CreateNameFont(cy);
        HGDIOBJ hOldFont = SelectObject(hMemDC, hFont);
        SetBkMode(hMemDC, TRANSPARENT);
        TextOutA(hMemDC, 5, 3, lpszText, lstrlenA(lpszText));
        SelectObject(hMemDC, hOldFont);
        DeleteObject(hFont);
    });
}

/* The highlighted item, as the colour of its frame shows it (0: none). */
int CurrentItem(HWND hSwitcher)
{
    RECT rClient;
    GetClientRect(hSwitcher, &rClient);
    std::vector<DWORD> pixels = Capture(hSwitcher, rClient);
    for (int n = 1; n <= 40; n++) {
        POINT pt = ItemCentre(n);
        int y = pt.y - Y() / 2 - 4;     /* the frame's top edge */
        if (y >= rClient.bottom)
            break;
        if (pixels[y * rClient.right + pt.x] == 0x000AC3)     /* (0, 10, 195) */
            return n;
    }
    return 0;
}

bool CurrentBecomes(HWND hSwitcher, int n)
{
    return WaitFor([&] { return CurrentItem(hSwitcher) == n; }, 400);
}

/* Which of the titles the name area shows; "?" for none of them. */
std::string ShownName(HWND hSwitcher, const std::vector<std::string> &titles)
{
    RECT rArea = NameArea(hSwitcher);
    std::vector<DWORD> shown = Capture(hSwitcher, rArea);
    for (const std::string &strTitle : titles)
        if (!strTitle.empty() && RenderName(hSwitcher, rArea, strTitle.c_str()) == shown)
            return strTitle;
    return "?";
}

/* The names of the items from the current one to the last, stepping with Right. */
std::vector<std::string> WalkNames(HWND hSwitcher, const std::vector<std::string> &titles)
{
    std::vector<std::string> names;
    int iItem = CurrentItem(hSwitcher);
    for (;;) {
        names.push_back(ShownName(hSwitcher, titles));
        Key(hSwitcher, VK_RIGHT);
        if (!CurrentBecomes(hSwitcher, iItem + 1)) {
            EXPECT_EQ(iItem, CurrentItem(hSwitcher));
            return names;
        }
        iItem++;
    }
}

/* Brings the item with that name up by walking from the first item; its number, or 0. */
int GoToName(HWND hSwitcher, const std::string &strTitle)
{
    Key(hSwitcher, VK_LEFT, 40);
    for (int n = 1; n <= 40; n++) {
        if (ShownName(hSwitcher, { strTitle }) == strTitle)
            return n;
        Key(hSwitcher, VK_RIGHT);
        if (!CurrentBecomes(hSwitcher, n + 1))
            return 0;
    }
    return 0;
}

/* Whether a visible window with this title would be listed: this test's windows aside,
   only the desktop's own windows are open, and they have no caption. */
bool IsTaskWindowTitle(const std::string &strTitle)
{
    HWND hWnd = FindTitled(strTitle);
    return hWnd != NULL && IsWindowVisible(hWnd) && (GetWindowLongA(hWnd, GWL_STYLE) & WS_CAPTION) != 0;
}

class TaskSwitcher : public ::testing::Test {
protected:
    tagPROBES probes;
    void TearDown() override
    {
        for (HWND hSwitcher : Switchers())
            DestroyWindow(hSwitcher);
        StopProbes(probes);
    }
    /* Titles that the switcher should list, in the system's window order. */
    std::vector<std::string> ExpectedOrder(const std::vector<std::string> &listed)
    {
        std::vector<std::string> expected;
        for (const std::string &strTitle : WindowTitlesInOrder())
            for (const std::string &strListed : listed)
                if (strTitle == strListed)
                    expected.push_back(strTitle);
        return expected;
    }
};

TEST_F(TaskSwitcher, ListsTheVisibleTitledMainWindowsInTheSystemsOrder)
{
    ASSERT_TRUE(StartProbes(probes,
        { "T:Titled", "U:", "H:Hidden", "P:Captionless", "M:Minimised", "T:Owner", "O:Owned" },
        { "Titled", "Hidden", "Captionless", "Minimised", "Owner", "Owned" }));
    std::vector<std::string> expected = ExpectedOrder({ "Titled", "Minimised", "Owner", "Owned" });
    ASSERT_EQ(4u, expected.size());

    HWND hSwitcher = OpenSwitcher();
    ASSERT_NE(nullptr, hSwitcher);
    SaveWindowPicture(hSwitcher, "task_switcher_kinds");
    EXPECT_EQ(1, CurrentItem(hSwitcher));
    EXPECT_EQ(1, CursorItem(hSwitcher));
    EXPECT_EQ(expected, WalkNames(hSwitcher, probes.titles));

    /* A second NEXTTASK while it is open opens nothing more. */
    RunCommand("NEXTTASK");
    PumpMessages(50);
    ASSERT_EQ(1u, Switchers().size());
    EXPECT_EQ(hSwitcher, Switchers()[0]);
}

TEST_F(TaskSwitcher, WithNoWindowToListItClosesAtOnceAndOpensLater)
{
    for (const std::string &strTitle : WindowTitlesInOrder())
        ASSERT_FALSE(IsTaskWindowTitle(strTitle)) << strTitle;
    RunCommand("NEXTTASK");
    PumpMessages(100);
    EXPECT_TRUE(Switchers().empty());

    ASSERT_TRUE(StartProbes(probes, { "T:Late" }, { "Late" }));
    HWND hSwitcher = OpenSwitcher();
    ASSERT_NE(nullptr, hSwitcher);
    EXPECT_EQ(std::vector<std::string>{ "Late" }, WalkNames(hSwitcher, { "Late" }));
}

TEST_F(TaskSwitcher, ElevenWindowsFillThreeRowsAndTheArrowsStopAtTheEnds)
{
    std::vector<std::string> arguments, titles;
    for (int i = 1; i <= 11; i++) {
        titles.push_back("Window " + std::to_string(i));
        arguments.push_back("T:" + titles.back());
    }
    ASSERT_TRUE(StartProbes(probes, arguments, titles));
    std::vector<std::string> expected = ExpectedOrder(titles);

    HWND hSwitcher = OpenSwitcher();
    ASSERT_NE(nullptr, hSwitcher);
    SaveWindowPicture(hSwitcher, "task_switcher_eleven");
    RECT rWindow;
    GetWindowRect(hSwitcher, &rWindow);
    EXPECT_EQ(5 * X() + 120, rWindow.right - rWindow.left);
    EXPECT_EQ(3 * (Y() + 10) + 90, rWindow.bottom - rWindow.top);

    Key(hSwitcher, VK_RIGHT, 10);
    ASSERT_TRUE(CurrentBecomes(hSwitcher, 11));
    EXPECT_TRUE(CursorReaches(hSwitcher, 11));
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(hSwitcher, &pt);
    EXPECT_EQ(ItemCentre(1).x, pt.x);            /* column 1 ... */
    EXPECT_EQ(ItemCentre(11).y, pt.y);           /* ... of row 3 */
    /* The key is handled when Key returns; its painting, once the window is updated. */
    Key(hSwitcher, VK_RIGHT);
    UpdateWindow(hSwitcher);
    EXPECT_EQ(11, CurrentItem(hSwitcher));
    EXPECT_EQ(expected[10], ShownName(hSwitcher, titles));
    SaveWindowPicture(hSwitcher, "task_switcher_item11");

    Key(hSwitcher, VK_LEFT, 10);
    EXPECT_TRUE(CurrentBecomes(hSwitcher, 1));
    Key(hSwitcher, VK_LEFT);
    UpdateWindow(hSwitcher);
    EXPECT_EQ(1, CurrentItem(hSwitcher));
    EXPECT_EQ(expected[0], ShownName(hSwitcher, titles));
}

/* The real mouse: the pointer goes to ptClient (switcher client coordinates), then the left
   button goes down or up if dwButton says so. */
void SendPointer(HWND hSwitcher, POINT ptClient, DWORD dwButton)
{
    POINT pt = ptClient;
    ClientToScreen(hSwitcher, &pt);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dx = (pt.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    inputs[0].mi.dy = (pt.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = dwButton;
    SendInput(dwButton != 0 ? 2 : 1, inputs, sizeof(INPUT));
    /* The input goes round the display server: wait until the pointer is there. */
    WaitFor([&] {
        POINT ptNow;
        GetCursorPos(&ptNow);
        return abs(ptNow.x - pt.x) <= 1 && abs(ptNow.y - pt.y) <= 1;
    }, 1000);
    PumpMessages(150);
}

/* Moves to item n's centre, then presses or releases the left button. Under Wine a report
   of where the pointer was before can reach the switcher after the report of a placement
   (a moved mouse never jumps back like that), so the pointer reaches the centre in two
   steps, the first a few pixels off it: a late report of the first step is still on item n. */
enum MouseAction { MOVE, PRESS, RELEASE };
void Mouse(HWND hSwitcher, MouseAction action, int n)
{
    POINT ptCentre = ItemCentre(n);
    POINT ptNear = { ptCentre.x + 3, ptCentre.y + 3 };
    SendPointer(hSwitcher, ptNear, 0);
    SendPointer(hSwitcher, ptCentre, action == PRESS ? MOUSEEVENTF_LEFTDOWN
                                     : action == RELEASE ? MOUSEEVENTF_LEFTUP : 0);
}

TEST_F(TaskSwitcher, PressOnOneIconAndReleaseOnAnotherOnlyMakesTheSecondCurrent)
{
    ASSERT_TRUE(StartProbes(probes, { "T:First", "T:Second", "T:Third" }, { "First", "Second", "Third" }));
    std::vector<std::string> expected = ExpectedOrder({ "First", "Second", "Third" });
    HWND hSwitcher = OpenSwitcher();
    ASSERT_NE(nullptr, hSwitcher);

    Mouse(hSwitcher, PRESS, 1);
    /* The pressed item's frame is filled, inside the current item's two-pixel frame. */
    POINT ptCorner = { ItemCentre(1).x - X() / 2 - 1, ItemCentre(1).y - Y() / 2 - 1 };
    RECT rCorner = { ptCorner.x, ptCorner.y, ptCorner.x + 1, ptCorner.y + 1 };
    EXPECT_TRUE(WaitFor([&] { return Capture(hSwitcher, rCorner)[0] == 0x00C0C0; }, 1000));
    SaveWindowPicture(hSwitcher, "task_switcher_pressed");
    Mouse(hSwitcher, MOVE, 3);
    EXPECT_EQ(expected[0], ShownName(hSwitcher, probes.titles));   /* nothing changes while held */
    Mouse(hSwitcher, RELEASE, 3);
    EXPECT_TRUE(WaitFor([&] { return ShownName(hSwitcher, probes.titles) == expected[2]; }, 1000));
    ASSERT_TRUE(IsWindow(hSwitcher));
    EXPECT_EQ(3, CurrentItem(hSwitcher));

    /* Moving without the button makes the item under the pointer current. */
    Mouse(hSwitcher, MOVE, 2);
    EXPECT_TRUE(WaitFor([&] { return ShownName(hSwitcher, probes.titles) == expected[1]; }, 1000));

    /* Press and release on the same item switch to it. */
    Mouse(hSwitcher, PRESS, 2);
    Mouse(hSwitcher, RELEASE, 2);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hSwitcher); }));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == FindTitled(expected[1]); }));
}

TEST_F(TaskSwitcher, ALongTitleShowsItsTail)
{
    std::string strTitle = "The beginning of a window title far too long for the name area of the task "
                           "switcher, which ends here: THE END";
    ASSERT_TRUE(StartProbes(probes, { "T:" + strTitle }, { strTitle }));
    HWND hSwitcher = OpenSwitcher();
    ASSERT_NE(nullptr, hSwitcher);
    SaveWindowPicture(hSwitcher, "task_switcher_long_title");

    RECT rArea = NameArea(hSwitcher);
    std::vector<DWORD> shown = Capture(hSwitcher, rArea);
    size_t iShownFrom = std::string::npos;
    for (size_t i = 0; i < strTitle.size() && iShownFrom == std::string::npos; i++)
        if (RenderName(hSwitcher, rArea, strTitle.c_str() + i) == shown)
            iShownFrom = i;
    ASSERT_NE(std::string::npos, iShownFrom) << "the name area shows no tail of the title";
    EXPECT_GT(iShownFrom, 20u);

    /* The longest tail that fits: one character more would not. */
    HDC hDC = GetDC(hSwitcher);
    HFONT hFont = CreateNameFont(rArea.bottom - rArea.top);
    HGDIOBJ hOldFont = SelectObject(hDC, hFont);
    SIZE size;
    GetTextExtentPoint32A(hDC, strTitle.c_str() + iShownFrom - 1, (int)(strTitle.size() - iShownFrom + 1), &size);
    SelectObject(hDC, hOldFont);
    DeleteObject(hFont);
    ReleaseDC(hSwitcher, hDC);
    EXPECT_GT(size.cx, rArea.right - rArea.left - 5);
}

TEST_F(TaskSwitcher, ChoosingAMinimisedWindowRestoresItAndBringsItToTheFront)
{
    ASSERT_TRUE(StartProbes(probes, { "T:Plain", "M:Minimised" }, { "Plain", "Minimised" }));
    HWND hMinimised = FindTitled("Minimised");
    ASSERT_TRUE(IsIconic(hMinimised));
    HWND hSwitcher = OpenSwitcher();
    ASSERT_NE(nullptr, hSwitcher);
    ASSERT_NE(0, GoToName(hSwitcher, "Minimised"));

    Key(hSwitcher, VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hSwitcher); }));
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(hMinimised) && GetForegroundWindow() == hMinimised; }));
    EXPECT_FALSE(IsIconic(hMinimised));
    EXPECT_EQ(hMinimised, GetForegroundWindow());
    EXPECT_EQ("Minimised", WindowTitlesInOrder().front());
}

TEST_F(TaskSwitcher, AWindowThatVanishedBeforeEnterJustClosesTheSwitcher)
{
    ASSERT_TRUE(StartProbes(probes, { "T:Staying", "T:Vanishing" }, { "Staying", "Vanishing" }));
    HWND hVanishing = FindTitled("Vanishing");
    HWND hSwitcher = OpenSwitcher();
    ASSERT_NE(nullptr, hSwitcher);
    ASSERT_NE(0, GoToName(hSwitcher, "Vanishing"));
    PostMessageA(hVanishing, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(hVanishing); }));

    Key(hSwitcher, VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hSwitcher); }));

    /* Closed for good: the next NEXTTASK opens a new switcher. */
    HWND hAgain = OpenSwitcher();
    ASSERT_NE(nullptr, hAgain);
    EXPECT_EQ(std::vector<std::string>{ "Staying" }, WalkNames(hAgain, { "Staying" }));
}

TEST_F(TaskSwitcher, KeysTypedOnTheKeyboardMoveAndSwitch)
{
    ASSERT_TRUE(StartProbes(probes, { "T:Left one", "T:Right one" }, { "Left one", "Right one" }));
    std::vector<std::string> expected = ExpectedOrder({ "Left one", "Right one" });
    HWND hSwitcher = OpenSwitcher();
    ASSERT_NE(nullptr, hSwitcher);
    ASSERT_EQ(hSwitcher, GetForegroundWindow());

    for (WORD wKey : { VK_RIGHT, VK_RETURN }) {
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
        inputs[0].ki.wVk = inputs[1].ki.wVk = wKey;
        inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
        PumpMessages(100);
    }
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hSwitcher); }));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == FindTitled(expected[1]); }));
}

/* The remote's buttons as the tray program runs them: raw code, translation, the command
   of the button in the current mode. The test's assignments replace the stored ones for
   its duration. */
class TaskSwitcherFromTheRemote : public TaskSwitcher {
protected:
    const char *lpszOrvane = ORVANE_ROOT_KEY "\\";
    std::string strOldMode;
    bool bHadMode = false;
    HWND hTray = NULL;
    BYTE bMode = 0, bShift = 0;

    void SetValue(const std::string &strKey, const char *lpszName, const std::string &strValue)
    {
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, (lpszOrvane + strKey).c_str(), lpszName, strValue));
    }
    void SetUp() override
    {
        bHadMode = ReadRegString(HKEY_CURRENT_USER, (lpszOrvane + std::string("Mode")).c_str(), "1", &strOldMode);
        SetValue("Mode", "1", "TaskSwitcherTest");
        /* Raw codes 201 to 203 are the buttons 0 to 2 of mode 0. */
        SetValue("Translation", "201", "0");
        SetValue("Translation", "202", "1");
        SetValue("Translation", "203", "2");
        SetValue("TaskSwitcherTest", "0", "NEXTTASK");
        SetValue("TaskSwitcherTest", "1", "RIGHT,TYPE");
        SetValue("TaskSwitcherTest", "2", "ENTER,TYPE");
        hTray = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    }
    void TearDown() override
    {
        TaskSwitcher::TearDown();
        DestroyWindow(hTray);
        DeleteRegKey(HKEY_CURRENT_USER, (lpszOrvane + std::string("TaskSwitcherTest")).c_str());
        for (const char *lpszCode : { "201", "202", "203" })
            DeleteRegValue(HKEY_CURRENT_USER, (lpszOrvane + std::string("Translation")).c_str(), lpszCode);
        if (bHadMode)
            SetValue("Mode", "1", strOldMode);
        else
            DeleteRegValue(HKEY_CURRENT_USER, (lpszOrvane + std::string("Mode")).c_str(), "1");
    }
    /* One press of the button with that raw code, the way the tray program handles it. */
    void Press(BYTE bRawCode)
    {
        BYTE bCode = bRawCode;
        if (DecodeScanCode(hTray, &bCode, &bMode, &bShift)) {
            char szCommand[256];
            if (LookUpCode(bMode, bCode, szCommand, sizeof(szCommand)))
                ParseFunction(hTray, szCommand);
        }
        PumpMessages(200);
    }
};

TEST_F(TaskSwitcherFromTheRemote, NextTaskThenTheArrowsAndEnterSwitchPrograms)
{
    ASSERT_TRUE(StartProbes(probes, { "T:Remote first", "T:Remote second" }, { "Remote first", "Remote second" }));
    std::vector<std::string> expected = ExpectedOrder({ "Remote first", "Remote second" });

    Press(201);
    ASSERT_EQ(1u, Switchers().size());
    HWND hSwitcher = Switchers()[0];
    EXPECT_TRUE(CurrentBecomes(hSwitcher, 1));
    /* The display server has reported the cursor that the switcher put on the first item. */
    EXPECT_TRUE(WaitFor([&] { return CursorItem(hSwitcher) == 1; }));

    Press(202);
    EXPECT_TRUE(CurrentBecomes(hSwitcher, 2));
    EXPECT_EQ(expected[1], ShownName(hSwitcher, expected));
    /* The last item: stays. Its keys are handed over before Press returns (the first
       playback found the journal hook unserved), so the sentinel comes after them. */
    Press(202);
    EXPECT_TRUE(AwaitInputSentinel());
    UpdateWindow(hSwitcher);
    EXPECT_EQ(2, CurrentItem(hSwitcher));

    Press(203);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hSwitcher); }));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == FindTitled(expected[1]); }));
}

/* The icon drawn for an item, as the pixels inside its frame. */
std::vector<DWORD> ItemIcon(HWND hSwitcher, int n)
{
    POINT pt = ItemCentre(n);
    RECT rIcon = { pt.x - X() / 2, pt.y - Y() / 2, pt.x + X() / 2, pt.y + Y() / 2 };
    return Capture(hSwitcher, rIcon);
}

/* hIcon drawn on the switcher's grey, as the switcher would show it. */
std::vector<DWORD> RenderIcon(HWND hSwitcher, HICON hIcon)
{
    return DrawnPixels(hSwitcher, X(), Y(), [&](HDC hMemDC, HDC) {
        FillGrey(hMemDC, X(), Y());
        DrawIcon(hMemDC, 0, 0, hIcon);
    });
}

/* Item n shows the first icon of the probe's program file. */
void ExpectProbeIconOnItem(HWND hSwitcher, int n)
{
    HICON hProbeIcon = ExtractIconA(GetModuleHandleA(NULL), (BinaryDir() + "taskprobe.exe").c_str(), 0);
    ASSERT_TRUE(hProbeIcon != NULL && hProbeIcon != (HICON)1);
    EXPECT_EQ(RenderIcon(hSwitcher, hProbeIcon), ItemIcon(hSwitcher, n));
    DestroyIcon(hProbeIcon);
}

TEST_F(TaskSwitcher, IconsComeFromTheProgramFileElseTheClassElseTheDefault)
{
    /* A window of this program, whose file holds no icon: its class icon is shown. */
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hIcon = LoadIconA(NULL, IDI_QUESTION);
    wc.lpszClassName = "TaskTestClassIcon";
    RegisterClassA(&wc);
    wc.hIcon = NULL;
    wc.lpszClassName = "TaskTestNoIcon";
    RegisterClassA(&wc);
    HWND hClassIcon = CreateWindowA("TaskTestClassIcon", "With class icon", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    10, 600, 160, 100, NULL, NULL, GetModuleHandleA(NULL), NULL);
    HWND hNoIcon = CreateWindowA("TaskTestNoIcon", "Without icon", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 200, 600, 160, 100, NULL, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(StartProbes(probes, { "T:Probe program" }, { "Probe program" }));
    std::vector<std::string> titles = { "With class icon", "Without icon", "Probe program" };
    std::vector<std::string> expected = ExpectedOrder(titles);

    HWND hSwitcher = OpenSwitcher();
    ASSERT_NE(nullptr, hSwitcher);
    SaveWindowPicture(hSwitcher, "task_switcher_icons");
    ASSERT_EQ(expected, WalkNames(hSwitcher, titles));
    Key(hSwitcher, VK_LEFT, 5);
    for (int n = 1; n <= 3; n++) {
        HICON hIcon = NULL;
        if (expected[n - 1] == "Probe program") {
            ExpectProbeIconOnItem(hSwitcher, n);
            continue;
        }
        hIcon = expected[n - 1] == "With class icon" ? LoadIconA(NULL, IDI_QUESTION) : GetIconRes(IDI_TASK_FALLBACK);
        ASSERT_NE(nullptr, hIcon) << expected[n - 1];
        EXPECT_EQ(RenderIcon(hSwitcher, hIcon), ItemIcon(hSwitcher, n)) << expected[n - 1];
    }
    DestroyWindow(hClassIcon);
    DestroyWindow(hNoIcon);
}

TEST_F(TaskSwitcher, OnTheWindows95FamilyTheIconStillComesFromTheProgramFile)
{
    if (RerunUnderWindows95("task_switcher_win95.exe"))
        return;
    ASSERT_TRUE(StartProbes(probes, { "T:Probe under 95", "T:Other under 95" },
                            { "Probe under 95", "Other under 95" }));
    HWND hSwitcher = OpenSwitcher();
    ASSERT_NE(nullptr, hSwitcher);
    SaveWindowPicture(hSwitcher, "task_switcher_win95");
    int n = GoToName(hSwitcher, "Probe under 95");
    ASSERT_NE(0, n);
    ExpectProbeIconOnItem(hSwitcher, n);
    Key(hSwitcher, VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hSwitcher); }));
}

}  // namespace
