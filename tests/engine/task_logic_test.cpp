/*
 * The task switcher's parts that need no switcher window: the layout arithmetic, the
 * tail of a long title, the item list, which windows the enumeration keeps, and the
 * program file behind a window on both platform families.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <string>
#include "testsupport.h"
#include "task_probes.h"
#include "task32.h"

namespace {

int X() { return GetSystemMetrics(SM_CXICON); }
int Y() { return GetSystemMetrics(SM_CYICON); }

RECT Rect(int l, int t, int r, int b)
{
    RECT rc = { l, t, r, b };
    return rc;
}

void ExpectRect(RECT rExpected, RECT rActual)
{
    EXPECT_EQ(rExpected.left, rActual.left);
    EXPECT_EQ(rExpected.top, rActual.top);
    EXPECT_EQ(rExpected.right, rActual.right);
    EXPECT_EQ(rExpected.bottom, rActual.bottom);
}

TEST(TaskLayout, IconsSitFiveToARowInFramesFourPixelsWider)
{
    RECT rFrame;
    GetFrameRect(1, &rFrame);
    ExpectRect(Rect(16, 16, 20 + X() + 4, 20 + Y() + 4), rFrame);
    GetFrameRect(5, &rFrame);
    ExpectRect(Rect(20 + 4 * (X() + 20) - 4, 16, 20 + 4 * (X() + 20) + X() + 4, 20 + Y() + 4), rFrame);
    /* Item 11 starts the third row. */
    GetFrameRect(11, &rFrame);
    ExpectRect(Rect(16, 20 + 2 * (Y() + 10) - 4, 20 + X() + 4, 20 + 2 * (Y() + 10) + Y() + 4), rFrame);

    GetIconRect(&rFrame);
    ExpectRect(Rect(20, 20 + 2 * (Y() + 10), 20 + X() - 4, 20 + 2 * (Y() + 10) + Y() - 4), rFrame);
}

TEST(TaskLayout, WindowGrowsByARowForEveryFiveItemsStarted)
{
    struct { int iItems, iRows; } cases[] = { { 1, 1 }, { 5, 1 }, { 6, 2 }, { 10, 2 }, { 11, 3 } };
    for (auto c : cases) {
        SIZE size = GetTaskWindowSize(c.iItems);
        EXPECT_EQ(5 * X() + 120, size.cx) << c.iItems;
        EXPECT_EQ(c.iRows * (Y() + 10) + 90, size.cy) << c.iItems;
    }
}

TEST(TaskLayout, NameAreaIsOneCaptionHighTwentyPixelsAboveTheBottom)
{
    RECT rArea = GetNameArea(Rect(0, 0, 278, 200));
    ExpectRect(Rect(20, 180 - GetSystemMetrics(SM_CYCAPTION), 258, 180), rArea);
}

TEST(TaskLayout, PointFindsTheItemWhoseFrameHoldsIt)
{
    APPLIST list = {};
    list.iNumberOfItem = 11;
    RECT rFrame, rFound;
    GetFrameRect(7, &rFrame);
    POINT pt = { rFrame.left, rFrame.top };
    EXPECT_EQ(7, GetRectFromPoint(&list, &pt, &rFound));
    ExpectRect(rFrame, rFound);
    /* Right and bottom edges belong to no frame; the gap between icons neither. */
    pt.x = rFrame.right;
    EXPECT_EQ(0, GetRectFromPoint(&list, &pt, &rFound));
    pt = { rFrame.left, rFrame.bottom };
    EXPECT_EQ(0, GetRectFromPoint(&list, &pt, &rFound));
    /* The place of a twelfth item is empty with eleven. */
    GetFrameRect(12, &rFrame);
    pt = { rFrame.left + 5, rFrame.top + 5 };
    EXPECT_EQ(0, GetRectFromPoint(&list, &pt, &rFound));
    EXPECT_EQ(0, GetRectFromPoint(NULL, &pt, &rFound));
}

TEST(TaskLayout, StepsStopAtTheFirstAndLastItem)
{
    EXPECT_EQ(11, StepItem(11, 1, 11));
    EXPECT_EQ(1, StepItem(1, -1, 11));
    EXPECT_EQ(4, StepItem(3, 1, 11));
    EXPECT_EQ(10, StepItem(11, -1, 11));
}

class TaskTitleTail : public ::testing::Test {
protected:
    HDC hDC = NULL;
    HFONT hFont = NULL, hOldFont = NULL;
    void SetUp() override
    {
        hDC = CreateCompatibleDC(NULL);
        hFont = CreateFontA(14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
        hOldFont = (HFONT)SelectObject(hDC, hFont);
    }
    void TearDown() override
    {
        SelectObject(hDC, hOldFont);
        DeleteObject(hFont);
        DeleteDC(hDC);
    }
    int Width(LPCSTR lpsz)
    {
        SIZE size = {};
        GetTextExtentPoint32A(hDC, lpsz, lstrlenA(lpsz), &size);
        return size.cx;
    }
};

TEST_F(TaskTitleTail, ATitleThatFitsIsShownWhole)
{
    EXPECT_EQ(0, FindMaxTextLength(hDC, 200, "Notepad"));
    EXPECT_EQ(0, FindMaxTextLength(hDC, 200, ""));
}

TEST_F(TaskTitleTail, ALongTitleShowsTheLongestTailThatFits)
{
    const char *lpszTitle = "Document with a rather long name - Some Editor of Texts";
    int iWidth = Width("Some Editor of Texts");
    int iFirst = FindMaxTextLength(hDC, iWidth, lpszTitle);
    ASSERT_GT(iFirst, 0);
    EXPECT_LE(Width(lpszTitle + iFirst), iWidth);
    EXPECT_GT(Width(lpszTitle + iFirst - 1), iWidth);
    EXPECT_STREQ("Some Editor of Texts", lpszTitle + iFirst);
    /* Not even the last character fits: nothing is shown. */
    EXPECT_EQ((int)strlen(lpszTitle), FindMaxTextLength(hDC, 1, lpszTitle));
}

TEST(TaskList, ItemsAreNumberedFromOneInTheOrderAdded)
{
    LPAPPLIST lpList = (LPAPPLIST)LocalAlloc(LPTR, sizeof(APPLIST));
    char szName[32] = "first";
    ASSERT_EQ(1, AddInfoToList(lpList, (HWND)(LONG_PTR)0x101, NULL, szName));
    strcpy(szName, "second");
    ASSERT_EQ(1, AddInfoToList(lpList, (HWND)(LONG_PTR)0x102, NULL, szName));
    ASSERT_EQ(1, AddInfoToList(lpList, (HWND)(LONG_PTR)0x103, NULL, ""));
    EXPECT_EQ(3, lpList->iNumberOfItem);

    LPAPPITEM lpItem;
    ASSERT_EQ(1, GetInfoFromList(lpList, 1, &lpItem));
    EXPECT_EQ((HWND)(LONG_PTR)0x101, lpItem->hWnd);
    EXPECT_STREQ("first", lpItem->lpszName);    /* a copy, not the caller's buffer */
    ASSERT_EQ(1, GetInfoFromList(lpList, 3, &lpItem));
    EXPECT_EQ((HWND)(LONG_PTR)0x103, lpItem->hWnd);
    EXPECT_EQ(lpList->lpLastItem, lpItem);
    for (int i : { 0, -1, 4 }) {
        EXPECT_EQ(0, GetInfoFromList(lpList, i, &lpItem)) << i;
        EXPECT_EQ(nullptr, lpItem) << i;
    }
    EXPECT_EQ(0, GetInfoFromList(NULL, 1, &lpItem));

    DeleteInfoList(&lpList);
    EXPECT_EQ(nullptr, lpList);
    DeleteInfoList(&lpList);    /* a second call finds nothing to free */
}

TEST(TaskList, FreeingTheListDestroysItsIcons)
{
    LPAPPLIST lpList = (LPAPPLIST)LocalAlloc(LPTR, sizeof(APPLIST));
    HICON hIcon = CopyIcon(LoadIconA(NULL, IDI_APPLICATION));
    ICONINFO ii;
    ASSERT_TRUE(GetIconInfo(hIcon, &ii));
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    ASSERT_EQ(1, AddInfoToList(lpList, (HWND)(LONG_PTR)0x101, hIcon, "with icon"));
    DeleteInfoList(&lpList);
    EXPECT_FALSE(GetIconInfo(hIcon, &ii));
}

TEST(TaskEnumeration, HandleArrayGrowsByOneAndStaysTerminated)
{
    HWND *lphList = (HWND *)LocalAlloc(LPTR, sizeof(HWND));
    for (LONG_PTR i = 1; i <= 40; i++)
        ASSERT_EQ(1, AppendWindowHandle(&lphList, (HWND)i));
    for (LONG_PTR i = 1; i <= 40; i++)
        EXPECT_EQ((HWND)i, lphList[i - 1]);
    EXPECT_EQ(nullptr, lphList[40]);
    LocalFree(lphList);
}

TEST(TaskEnumeration, VisibleTitledWindowsWithACaptionBitAreListed)
{
    const DWORD dwWindows98 = MAKEWORD(4, 10), dwMinor95 = MAKEWORD(4, 95);
    EXPECT_TRUE(IsTaskWindow("Editor", TRUE, WS_OVERLAPPEDWINDOW, dwWindows98));
    EXPECT_TRUE(IsTaskWindow("Border only", TRUE, WS_POPUP | WS_BORDER, dwWindows98));
    EXPECT_TRUE(IsTaskWindow("Dialog frame only", TRUE, WS_POPUP | WS_DLGFRAME, dwWindows98));
    EXPECT_FALSE(IsTaskWindow("Hidden", FALSE, WS_OVERLAPPEDWINDOW, dwWindows98));
    EXPECT_FALSE(IsTaskWindow("No caption", TRUE, WS_POPUP | WS_THICKFRAME, dwWindows98));
    EXPECT_FALSE(IsTaskWindow("", TRUE, WS_OVERLAPPEDWINDOW, dwWindows98));
    /* The shell's own window, only where the minor version says 95 or more. */
    EXPECT_FALSE(IsTaskWindow("PROGRAM MANAGER", TRUE, WS_OVERLAPPEDWINDOW, dwMinor95));
    EXPECT_TRUE(IsTaskWindow("Program Manager", TRUE, WS_OVERLAPPEDWINDOW, dwWindows98));
}

/* The probe windows of one process, each kind once. */
class TaskProbeWindows : public ::testing::Test {
protected:
    tagPROBES probes;
    void SetUp() override
    {
        ASSERT_TRUE(StartProbes(probes,
            { "T:Logic Titled", "U:", "H:Logic Hidden", "P:Logic Captionless", "M:Logic Minimised",
              "B:Logic Border", "T:Logic Owner", "O:Logic Owned" },
            { "Logic Titled", "Logic Hidden", "Logic Captionless", "Logic Minimised", "Logic Border",
              "Logic Owned" }));
    }
    void TearDown() override { StopProbes(probes); }
};

TEST_F(TaskProbeWindows, EnumerationKeepsMainWindowsInTheSystemsOrder)
{
    HWND *lphList = (HWND *)LocalAlloc(LPTR, sizeof(HWND));
    EnumWindows(EnumTaskWindowProc, (LPARAM)&lphList);
    std::vector<std::string> listed;
    for (int i = 0; lphList[i] != NULL; i++) {
        char szTitle[256] = "";
        GetWindowTextA(lphList[i], szTitle, sizeof(szTitle));
        if (strncmp(szTitle, "Logic ", 6) == 0)
            listed.push_back(szTitle);
    }
    LocalFree(lphList);

    std::vector<std::string> expected;
    for (const std::string &strTitle : WindowTitlesInOrder())
        if (strTitle == "Logic Titled" || strTitle == "Logic Minimised" || strTitle == "Logic Border" ||
            strTitle == "Logic Owner" || strTitle == "Logic Owned")
            expected.push_back(strTitle);
    ASSERT_EQ(5u, expected.size());
    EXPECT_EQ(expected, listed);
}

/* The path the platform gives for the probe's window ends in the probe's file name. */
void ExpectProbeNamed(HWND hWnd)
{
    char szPath[MAX_PATH] = "";
    ASSERT_NE(0, ProcessNameFromWindow(hWnd, szPath, sizeof(szPath)));
    std::string strPath = szPath;
    ASSERT_GE(strPath.size(), 13u);
    EXPECT_EQ(0, lstrcmpiA(strPath.substr(strPath.size() - 13).c_str(), "taskprobe.exe")) << strPath;
    /* The icon of that file, as the switcher extracts it. */
    HICON hIcon = ExtractIconA(GetModuleHandleA(NULL), szPath, 0);
    EXPECT_TRUE(hIcon != NULL && hIcon != (HICON)1) << strPath;
    if (hIcon != NULL && hIcon != (HICON)1)
        DestroyIcon(hIcon);

    /* A short buffer gets what fits and a terminator. */
    char szShort[6];
    memset(szShort, 'x', sizeof(szShort));
    ASSERT_NE(0, ProcessNameFromWindow(hWnd, szShort, 5));
    EXPECT_EQ(4u, strlen(szShort));
    EXPECT_EQ('x', szShort[5]);
}

TEST_F(TaskProbeWindows, ProgramFileOfAWindowOnWindowsNT)
{
    OSVERSIONINFOA osvi = {};
    osvi.dwOSVersionInfoSize = sizeof(osvi);
    ASSERT_TRUE(GetVersionExA(&osvi));
    ASSERT_EQ((DWORD)VER_PLATFORM_WIN32_NT, osvi.dwPlatformId);
    /* Loading the engine binds nothing (its entry point may not load psapi.dll); the first
       lookup does. */
    HMODULE hEngine = LoadLibraryA((BinaryDir() + "Corvalin.dll").c_str());
    ASSERT_NE(nullptr, hEngine);
    EXPECT_EQ(nullptr, GetModuleHandleA("psapi.dll"));
    char szPath[MAX_PATH];
    EXPECT_EQ(0, ProcessNameFromWindow(NULL, szPath, sizeof(szPath)));
    ExpectProbeNamed(FindTitled("Logic Titled"));
    EXPECT_NE(nullptr, GetModuleHandleA("psapi.dll"));
    FreeLibrary(hEngine);
}

TEST_F(TaskProbeWindows, ProgramFileOfAWindowOnTheWindows95Family)
{
    if (RerunUnderWindows95("task_logic_win95.exe"))
        return;
    ExpectProbeNamed(FindTitled("Logic Owned"));
    char szPath[MAX_PATH];
    EXPECT_EQ(0, ProcessNameFromWindow(NULL, szPath, sizeof(szPath)));
}

}  // namespace
