/*
 * The picture of the remote as a person meets it: a configuration run (MouseButtons) on a
 * thread of its own, driven by mouse messages and its menu, read back from the pixels it
 * shows, the what's-this window's texts and the registry it leaves behind.
 */
#include <gtest/gtest.h>
#include <stdio.h>
#include <functional>
#include <map>
#include <string>
#include <vector>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "but32.h"
#include "rem32.h"
#include "rem32_layout.h"
#include "profile32.h"
#include "testsupport.h"
#include "OrvaneStore.h"

namespace {

const char szRoot[] = ORVANE_ROOT_KEY;
const char *const pszModeKeys[MODES] = { "PC", "WEB", "PHONE", "DVD", "CD" };
const char szNotepad[] = "C:\\windows\\notepad.exe";

/* Mode-button functions are marked in icon mode by the type of their own mode. */
const char *const pszModeCommands[MODES] = {
    "HOMEPOINTER", "WEBADDRESS\"http://example.org\"", "", "MCIPLAY\"cdaudio\"", "PAGEUP,TYPE" };

std::string Text(HWND hDlg, int iControl)
{
    char szText[600] = "";
    GetDlgItemTextA(hDlg, iControl, szText, sizeof(szText));
    return szText;
}

std::string Path(const std::string &strTopic)
{
    return std::string(szRoot) + "\\" + strTopic;
}

/* A registry where every one of the 207 values exists, written as the system writes
   them (Write); mValues ("topic\\name") adds functions. */
void Populate(const std::map<std::string, std::string> &mValues)
{
    DeleteRegKey(HKEY_CURRENT_USER, szRoot);
    WriteRegString(HKEY_CURRENT_USER, Path("Settings").c_str(), "WorkingDirectory", BinaryDir());
    for (int m = 0; m < MODES; m++) {
        Write("Mode", std::to_string(m + 1).c_str(), pszModeKeys[m]);
        for (int iCode = 0; iCode < 40; iCode++)
            Write(pszModeKeys[m], std::to_string(iCode).c_str(), "");
        Write(pszModeKeys[m], "Default", pszModeCommands[m]);
    }
    Write("Default", "0", "");
    Write("Default", "1", "");
    for (const auto &value : mValues) {
        size_t iSlash = value.first.find('\\');
        Write(value.first.substr(0, iSlash).c_str(), value.first.substr(iSlash + 1).c_str(), value.second.c_str());
    }
}

/* Every value below the root. */
RegistrySnapshot Snapshot()
{
    return SnapshotRegistry(szRoot);
}

DWORD WINAPI RunConfiguration(LPVOID)
{
    return (DWORD)MouseButtons(NULL);
}

/* A visible top-level window of this process with that class and caption. */
HWND OwnWindow(const char *pszClass, const char *pszCaption)
{
    for (HWND hWnd = FindWindowExA(NULL, NULL, pszClass, pszCaption); hWnd != NULL;
         hWnd = FindWindowExA(NULL, hWnd, pszClass, pszCaption)) {
        DWORD dwProcess = 0;
        GetWindowThreadProcessId(hWnd, &dwProcess);
        if (dwProcess == GetCurrentProcessId() && IsWindowVisible(hWnd))
            return hWnd;
    }
    return NULL;
}

/* The pixels of remote.bmp, to compare the dialog's client area with. */
struct tagPICTURE {
    HDC hDC = NULL;
    HBITMAP hBitmap = NULL;
    bool Load()
    {
        hBitmap = (HBITMAP)LoadImageA(NULL, (BinaryDir() + "remote.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        hDC = CreateCompatibleDC(NULL);
        if (hBitmap == NULL)
            return false;
        SelectObject(hDC, hBitmap);
        return true;
    }
    COLORREF At(int x, int y) const { return GetPixel(hDC, x, y); }
    ~tagPICTURE()
    {
        DeleteDC(hDC);
        if (hBitmap != NULL)
            DeleteObject(hBitmap);
    }
};

class PictureDialogTest : public ::testing::Test {
protected:
    HANDLE hRun = NULL;
    HWND hDlg = NULL;
    tagPICTURE picture;

    void SetUp() override
    {
        ASSERT_TRUE(picture.Load()) << "remote.bmp next to the programs";
    }

    void TearDown() override
    {
        if (hRun != NULL) {
            if (IsWindow(hDlg))
                PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
            WaitForSingleObject(hRun, 10000);
            CloseHandle(hRun);
        }
    }

    void Open()
    {
        SetCursorPos(2, 2);   /* the real pointer stays off the picture */
        hRun = CreateThread(NULL, 0, RunConfiguration, NULL, 0, NULL);
        ASSERT_TRUE(WaitFor([&] { return (hDlg = OwnWindow("#32770", "Buttons")) != NULL; }, 10000));
    }

    /* Ends the run with a message and waits until MouseButtons returned 0. */
    void Close(UINT uiMessage, WPARAM wParam)
    {
        PostMessageA(hDlg, uiMessage, wParam, 0);
        ASSERT_TRUE(WaitFor([&] { return WaitForSingleObject(hRun, 0) == WAIT_OBJECT_0; }, 10000));
        DWORD dwResult = 1;
        GetExitCodeThread(hRun, &dwResult);
        EXPECT_EQ(0u, dwResult);
        CloseHandle(hRun);
        hRun = NULL;
    }

    COLORREF Shown(int x, int y)
    {
        HDC hDC = GetDC(hDlg);
        COLORREF cr = GetPixel(hDC, x, y);
        ReleaseDC(hDlg, hDC);
        return cr;
    }

    /* Whether the centre of picture button i shows the look of the panel at xPanel. */
    bool Looks(int i, int xPanel)
    {
        int x = (rButtons[i].left + rButtons[i].right) / 2 - 3, y = (rButtons[i].top + rButtons[i].bottom) / 2 - 3;
        return WaitFor([&] {
            RedrawWindow(hDlg, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
            for (int dy = 0; dy < 6; dy++)
                for (int dx = 0; dx < 6; dx++)
                    if (Shown(x + dx, y + dy) != picture.At(x + dx + xPanel, y + dy))
                        return false;
            return true;
        }, 3000);
    }

    /* Whether the type mark of picture button i is framed in crTop (top edge). */
    bool Framed(int i, COLORREF crTop)
    {
        return WaitFor([&] {
            RedrawWindow(hDlg, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
            return Shown(pIcons[i].x + 8, pIcons[i].y - 2) == crTop;
        }, 3000);
    }

    void Click(UINT uiMessage, int x, int y)
    {
        PostMessageA(hDlg, uiMessage, 0, MAKELPARAM(x, y));
    }

    void ClickButton(UINT uiMessage, int i)
    {
        Click(uiMessage, (rButtons[i].left + rButtons[i].right) / 2, (rButtons[i].top + rButtons[i].bottom) / 2);
    }

    /* Right-clicks picture button i; returns the open menu's handle (null when none). */
    HMENU OpenMenu(int i)
    {
        ClickButton(WM_RBUTTONDOWN, i);
        HWND hMenuWnd = NULL;
        if (!WaitFor([&] { return (hMenuWnd = OwnWindow("#32768", NULL)) != NULL; }, 3000))
            return NULL;
        return (HMENU)SendMessageA(hMenuWnd, 0x01E1 /* MN_GETHMENU */, 0, 0);
    }

    /* Types menu letters into the open menu, as a person choosing an item. */
    void ChooseFromMenu(const char *pszKeys)
    {
        for (const char *psz = pszKeys; *psz != '\0'; psz++) {
            HWND hMenuWnd = NULL;
            ASSERT_TRUE(WaitFor([&] { return (hMenuWnd = OwnWindow("#32768", NULL)) != NULL; }, 3000));
            PostMessageA(hMenuWnd, WM_CHAR, (WPARAM)*psz, 0);
            if (psz[1] != '\0') {
                ASSERT_TRUE(WaitFor([&] { return OwnWindow("#32768", NULL) != hMenuWnd || CountMenus() > 1; }, 3000));
            }
        }
        ASSERT_TRUE(WaitFor([&] { return OwnWindow("#32768", NULL) == NULL; }, 3000));
    }

    /* Whether the window shows the icon where the what's-this window draws its icon,
       pixel for pixel as DrawIcon draws it on the window's grey. */
    static bool ShowsIcon(HWND hWnd, HICON hIcon)
    {
        const int iLeft = 15, iTop = 15, iSize = 32;
        HDC hDC = GetDC(hWnd);
        HDC hMemDC = CreateCompatibleDC(hDC);
        HBITMAP hBitmap = CreateCompatibleBitmap(hDC, iSize, iSize);
        HGDIOBJ hOld = SelectObject(hMemDC, hBitmap);
        RECT r = { 0, 0, iSize, iSize };
        HBRUSH hGrey = CreateSolidBrush(RGB(192, 192, 192));
        FillRect(hMemDC, &r, hGrey);
        DeleteObject(hGrey);
        DrawIcon(hMemDC, 0, 0, hIcon);
        int iDiffering = 0, iDrawn = 0;
        for (int y = 0; y < iSize; y++)
            for (int x = 0; x < iSize; x++) {
                COLORREF cr = GetPixel(hMemDC, x, y);
                iDrawn += cr != RGB(192, 192, 192);
                iDiffering += GetPixel(hDC, iLeft + x, iTop + y) != cr;
            }
        SelectObject(hMemDC, hOld);
        DeleteObject(hBitmap);
        DeleteDC(hMemDC);
        ReleaseDC(hWnd, hDC);
        return iDrawn > 0 && iDiffering == 0;
    }

    /* A dialog of the run with that caption, once it shows; null when none does. */
    HWND WaitForDialog(const char *pszCaption)
    {
        HWND hWnd = NULL;
        WaitFor([&] { return (hWnd = OwnWindow("#32770", pszCaption)) != NULL; }, 10000);
        return hWnd;
    }

    /* One run of the function editor on picture button i: when cLetter is given, it opens
       that family's dialog, fnFamily reads it and OK confirms it; then the editor ends
       with wEnd (IDOK or IDCANCEL). */
    void RunEditor(int i, char cLetter, const char *pszFamily, const std::function<void(HWND)> &fnFamily,
                   WPARAM wEnd)
    {
        ClickButton(WM_LBUTTONDBLCLK, i);
        HWND hEditor = WaitForDialog("Functions");
        ASSERT_NE((HWND)NULL, hEditor) << "editor of button " << i;
        if (cLetter != 0) {
            PostMessageA(hEditor, WM_MENUCHAR, (WPARAM)cLetter, 0);
            HWND hFamily = WaitForDialog(pszFamily);
            ASSERT_NE((HWND)NULL, hFamily) << pszFamily;
            fnFamily(hFamily);
            SaveWindowPicture(hFamily, std::string("kept_") + pszFamily);
            PostMessageA(hFamily, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(hFamily); }, 10000)) << pszFamily << " took its OK";
        }
        PostMessageA(hEditor, WM_COMMAND, wEnd, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(hEditor); }, 10000));
    }

    int CountMenus()
    {
        int iCount = 0;
        for (HWND h = FindWindowExA(NULL, NULL, "#32768", NULL); h != NULL; h = FindWindowExA(NULL, h, "#32768", NULL))
            iCount += IsWindowVisible(h) ? 1 : 0;
        return iCount;
    }

    void SetDisplay(int i, const char *pszItem)
    {
        ASSERT_NE((HMENU)NULL, OpenMenu(i));
        ChooseFromMenu((std::string("d") + pszItem).c_str());
    }

    /* The what's-this window for picture button i: its texts, whether it shows hIcon,
       then closed with OK. */
    struct tagWHATS {
        std::string strRows[4];
        std::string strExplanation;
        int cyWindow = 0;
        bool bOpened = false;
        bool bShowsIcon = false;
    };
    tagWHATS WhatsThisFor(int i, HICON hIcon = NULL)
    {
        tagWHATS w;
        HMENU hMenu = OpenMenu(i);
        if (hMenu == NULL)
            return w;
        ChooseFromMenu("w");
        HWND hWhats = NULL;
        if (!WaitFor([&] { return (hWhats = OwnWindow("#32770", "What'sThis?")) != NULL; }, 5000))
            return w;
        w.bOpened = true;
        for (int iRow = 0; iRow < 4; iRow++) {
            char szLabel[128] = "", szValue[300] = "";
            GetDlgItemTextA(hWhats, IDC_WT_LABEL1 + 2 * iRow, szLabel, sizeof(szLabel));
            GetDlgItemTextA(hWhats, IDC_WT_VALUE1 + 2 * iRow, szValue, sizeof(szValue));
            if (GetDlgItem(hWhats, IDC_WT_LABEL1 + 2 * iRow) != NULL)
                w.strRows[iRow] = std::string(szLabel) + "|" + szValue;
            else
                w.strRows[iRow] = "-";
        }
        char szExplanation[300] = "";
        GetDlgItemTextA(hWhats, IDC_WT_EXPLANATION, szExplanation, sizeof(szExplanation));
        w.strExplanation = GetDlgItem(hWhats, IDC_WT_EXPLANATION) != NULL ? szExplanation : "-";
        RECT r;
        GetWindowRect(hWhats, &r);
        w.cyWindow = r.bottom - r.top;
        w.bShowsIcon = hIcon != NULL && WaitFor([&] {
            RedrawWindow(hWhats, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
            return ShowsIcon(hWhats, hIcon);
        }, 3000);
        SaveWindowPicture(hWhats, "whatsthis_" + std::to_string(i));
        PostMessageA(hWhats, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !IsWindow(hWhats); }, 5000);
        return w;
    }
};

const COLORREF crWebFrame = RGB(250, 100, 230), crLaunchFrame = RGB(255, 100, 0),
               crMediaFrame = RGB(0, 255, 0), crSystemFrame = RGB(200, 200, 0),
               crEditFrame = RGB(0, 200, 200);

/* Hit testing, pure: corners and edges of every rectangle belong to it; one pixel
   outside does not (unless a neighbour lies there). */
TEST(PictureLayoutTest, EveryEdgeHitsItsButtonAndNothingBeyondIt)
{
    int iButtons = 0;
    for (int i = 0; rButtons[i].left != 0; i++, iButtons++) {
        const RECT &r = rButtons[i];
        POINT ptEdges[] = { { r.left, r.top }, { r.right, r.top }, { r.left, r.bottom }, { r.right, r.bottom },
                            { (r.left + r.right) / 2, r.bottom }, { r.right, (r.top + r.bottom) / 2 } };
        for (POINT pt : ptEdges) {
            RECT rFound = {};
            BYTE bIndex = 0xFF;
            GetButtonIndex(&rFound, MAKELPARAM(pt.x, pt.y), &bIndex);
            /* Table order decides where rectangles share an edge (13 and 14, 15 and 16). */
            ASSERT_NE(0, bIndex) << "button " << i << " at " << pt.x << "," << pt.y;
            EXPECT_TRUE(PtInRect(&rButtons[bIndex - 1], pt) || pt.x == rButtons[bIndex - 1].right
                        || pt.y == rButtons[bIndex - 1].bottom);
            if (bIndex - 1 == i) {
                EXPECT_TRUE(EqualRect(&rFound, &r));
            }
        }
    }
    EXPECT_EQ(PICTURE_BUTTONS, iButtons);
    /* Outside every button, and negative coordinates packed as a person's point is. */
    BYTE bIndex = 0xFF;
    RECT rUntouched = { 1, 2, 3, 4 };
    GetButtonIndex(&rUntouched, MAKELPARAM(62, 232), &bIndex);
    EXPECT_EQ(0, bIndex);
    EXPECT_EQ(1, rUntouched.left);
    GetButtonIndex(&rUntouched, MAKELPARAM(-5, -20), &bIndex);
    EXPECT_EQ(0, bIndex);
    GetButtonIndex(&rUntouched, MAKELPARAM(119, 255), &bIndex);   /* corner of 23 */
    EXPECT_EQ(FIRST_NOMODE + 1, bIndex);
    GetButtonIndex(&rUntouched, MAKELPARAM(99, 307), &bIndex);    /* Channel Up and Down share it */
    EXPECT_EQ(13 + 1, bIndex);

    /* Scrolling stays inside the picture whatever is asked. */
    EXPECT_EQ(0, ScrollPicture(0, SB_LINEUP, 0, 500, 300));
    EXPECT_EQ(125, ScrollPicture(0, SB_PAGEDOWN, 0, 500, 300));
    EXPECT_EQ(200, ScrollPicture(190, SB_PAGEDOWN, 0, 500, 300));
    EXPECT_EQ(200, ScrollPicture(0, SB_BOTTOM, 0, 500, 300));
    EXPECT_EQ(42, ScrollPicture(7, SB_THUMBPOSITION, 42, 500, 300));
    EXPECT_EQ(7, ScrollPicture(7, SB_THUMBTRACK, 42, 500, 300));
    EXPECT_EQ(0, ScrollPicture(7, SB_TOP, 0, 500, 600));
}

/* The window hit-tests with edges included: the hovered button shows its highlighted
   look, at its outermost pixel as well, and a move off it restores the picture. */
TEST_F(PictureDialogTest, HoverHighlightsUpToTheRightAndBottomEdges)
{
    Populate({});
    Open();
    SaveWindowPicture(hDlg, "picture_off");
    const RECT &r5 = rButtons[5];
    EXPECT_TRUE(Looks(5, 0));
    Click(WM_MOUSEMOVE, r5.right, r5.bottom);
    EXPECT_TRUE(Looks(5, PANEL_HIGHLIGHT));
    Click(WM_MOUSEMOVE, r5.right + 1, r5.bottom);   /* beside it: no button */
    EXPECT_TRUE(Looks(5, 0));
    Click(WM_MOUSEMOVE, r5.left, r5.top);
    EXPECT_TRUE(Looks(5, PANEL_HIGHLIGHT));
    /* Right-clicking outside every button opens no menu. */
    Click(WM_RBUTTONDOWN, 2, 2);
    Click(WM_MOUSEMOVE, 2, 2);
    EXPECT_TRUE(Looks(5, 0));
    EXPECT_EQ(NULL, OwnWindow("#32768", NULL));
    Close(WM_COMMAND, IDOK);
}

/* Mode and shift buttons: the shown mode's button and an active shift are highlighted,
   and the marks follow the records of the mode and shift state shown. A launch of a
   missing program is not marked; one of an existing program is. */
TEST_F(PictureDialogTest, ModeAndShiftClicksChangeWhatIsMarked)
{
    Populate({ { "PC\\1", "WEBADDRESS\"http://one.example\"" },
               { "PC\\2", "LAUNCH\"C:\\nowhere\\missing.exe\"" },
               { "PC\\3", std::string("LAUNCH\"") + szNotepad + "\"" },
               { "PC\\6", "NOSUCHWORD\"kept\"" },                  /* no editor knows it */
               { "PC\\18", "SELECT,CLOSE" },                     /* shift 1 */
               { "WEB\\2", "MESSAGE\"[0010:0:0]\"" },
               { "Default\\1", "KEYBOARD" } });
    Open();
    SetDisplay(1, "c");
    EXPECT_TRUE(Looks(FIRST_MODE_BUTTON + PC, PANEL_HIGHLIGHT));
    EXPECT_TRUE(Looks(1, PANEL_ASSIGNED));
    EXPECT_TRUE(Looks(2, 0)) << "a launch of a missing program";
    EXPECT_TRUE(Looks(3, PANEL_ASSIGNED));
    EXPECT_TRUE(Looks(6, PANEL_ASSIGNED)) << "a command no editor knows is still a function";
    EXPECT_TRUE(Looks(FIRST_NOMODE + 1, PANEL_ASSIGNED));
    EXPECT_TRUE(Looks(FIRST_MODE_BUTTON + WEB, PANEL_ASSIGNED));
    EXPECT_TRUE(Looks(FIRST_MODE_BUTTON + PHONE, 0)) << "an empty mode command";
    SaveWindowPicture(hDlg, "picture_color");

    ClickButton(WM_LBUTTONDOWN, SHIFT_BUTTON);
    EXPECT_TRUE(Looks(SHIFT_BUTTON, PANEL_HIGHLIGHT));
    EXPECT_TRUE(Looks(1, PANEL_ASSIGNED));
    EXPECT_TRUE(Looks(3, 0));
    ClickButton(WM_LBUTTONDOWN, SHIFT_BUTTON);
    EXPECT_TRUE(Looks(SHIFT_BUTTON, 0));
    EXPECT_TRUE(Looks(3, PANEL_ASSIGNED));

    ClickButton(WM_LBUTTONDOWN, FIRST_MODE_BUTTON + WEB);
    EXPECT_TRUE(Looks(FIRST_MODE_BUTTON + WEB, PANEL_HIGHLIGHT));
    EXPECT_TRUE(Looks(FIRST_MODE_BUTTON + PC, PANEL_ASSIGNED)) << "PC's own command";
    EXPECT_TRUE(Looks(1, 0));
    EXPECT_TRUE(Looks(2, PANEL_ASSIGNED));
    EXPECT_TRUE(Looks(FIRST_NOMODE + 1, PANEL_ASSIGNED)) << "the same in every mode";

    /* A double click opens the function editor for the button; on the shift button the
       editor has no button and closes at once, leaving the picture as it was. */
    ClickButton(WM_LBUTTONDBLCLK, 2);
    HWND hEditor = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hEditor = OwnWindow("#32770", "Functions")) != NULL; }, 5000));
    PostMessageA(hEditor, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return OwnWindow("#32770", "Functions") == NULL; }, 5000));
    EXPECT_TRUE(Looks(2, PANEL_ASSIGNED)) << "cancelled: the button keeps its function";
    ClickButton(WM_LBUTTONDBLCLK, SHIFT_BUTTON);
    ClickButton(WM_LBUTTONDOWN, SHIFT_BUTTON);   /* handled after the double click */
    EXPECT_TRUE(Looks(SHIFT_BUTTON, PANEL_HIGHLIGHT));
    EXPECT_EQ(NULL, OwnWindow("#32770", "Functions"));
    Close(WM_CLOSE, 0);
}

/* The menu: its check mark follows the display mode; icon mode frames each type's mark
   in its colours, leaves the shown mode's button unmarked and marks the other mode
   buttons with their own mode's function; off shows the plain picture. */
TEST_F(PictureDialogTest, DisplayMenuChecksAndIconMarks)
{
    Populate({ { "PC\\1", "WEBADDRESS\"http://one.example\"" },
               { "PC\\4", std::string("LAUNCH\"") + szNotepad + "\"" },
               { "PC\\34", "MCIPLAY\"cdaudio\"" },
               { "PC\\5", "ENTER,TYPE" } });
    Open();
    HMENU hMenu = OpenMenu(1);
    ASSERT_NE((HMENU)NULL, hMenu);
    EXPECT_EQ(3, GetMenuItemCount(hMenu));   /* What's This?, a separator, Display */
    HMENU hDisplay = GetSubMenu(hMenu, 2);
    ASSERT_NE((HMENU)NULL, hDisplay);
    EXPECT_FALSE(GetMenuState(hDisplay, IDM_COLOR, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(hDisplay, IDM_OFF, MF_BYCOMMAND) & MF_CHECKED);
    ChooseFromMenu("di");

    EXPECT_TRUE(Framed(1, crWebFrame));
    EXPECT_TRUE(Framed(4, crLaunchFrame));
    EXPECT_TRUE(Framed(FIRST_TRANSPORT, crMediaFrame));
    EXPECT_TRUE(Framed(5, crEditFrame));
    EXPECT_TRUE(Looks(FIRST_MODE_BUTTON + PC, PANEL_HIGHLIGHT)) << "shown mode: no mark";
    EXPECT_TRUE(Framed(FIRST_MODE_BUTTON + WEB, crWebFrame));
    EXPECT_TRUE(Framed(FIRST_MODE_BUTTON + DVD, crMediaFrame));
    EXPECT_TRUE(Framed(FIRST_MODE_BUTTON + CD, crEditFrame));
    EXPECT_TRUE(Looks(2, 0));
    SaveWindowPicture(hDlg, "picture_icon");

    /* A mode button's menu switches to that mode first. */
    hMenu = OpenMenu(FIRST_MODE_BUTTON + DVD);
    ASSERT_NE((HMENU)NULL, hMenu);
    EXPECT_TRUE(GetMenuState(GetSubMenu(hMenu, 2), IDM_ICON, MF_BYCOMMAND) & MF_CHECKED);
    ChooseFromMenu("do");
    EXPECT_TRUE(Looks(FIRST_MODE_BUTTON + DVD, PANEL_HIGHLIGHT));
    EXPECT_TRUE(Looks(FIRST_MODE_BUTTON + PC, 0));
    EXPECT_TRUE(Looks(FIRST_MODE_BUTTON + WEB, 0)) << "display off";
    hMenu = OpenMenu(7);
    ASSERT_NE((HMENU)NULL, hMenu);
    EXPECT_TRUE(GetMenuState(GetSubMenu(hMenu, 2), IDM_OFF, MF_BYCOMMAND) & MF_CHECKED);
    ChooseFromMenu("dc");
    EXPECT_TRUE(Looks(FIRST_MODE_BUTTON + PC, PANEL_ASSIGNED));
    Close(WM_SYSCOMMAND, SC_CLOSE);
}

/* What's This? explains each kind of function, drops the rows without a value and
   shrinks by the rows it drops; the shift button gets its explanation; a help area
   opens nothing. */
TEST_F(PictureDialogTest, WhatsThisExplainsEveryKindOfButton)
{
    Populate({ { "PC\\0", std::string("LAUNCH\"") + szNotepad + "\x7F" "readme.txt\x83" "10,20,300,200\"" },
               { "PC\\1", "LAUNCH\"notepad.exe\"" },
               { "PC\\2", "WEBADDRESS\"http://one.example/a&b\"" },
               { "PC\\3", "MCITRACK\"cdaudio\x83" "7\"" },
               { "PC\\4", "WRITE\"Hello\"" },
               { "PC\\5", "HOTKEY\"00010\"" },
               { "PC\\6", "MESSAGE\"[0010:0:0]\"" },
               { "PC\\7", "ZENDRA\"A1ON\"" },
               { "PC\\8", "WEBADDRESS\"\"" } });
    Open();
    tagWHATS wLaunch = WhatsThisFor(0);
    ASSERT_TRUE(wLaunch.bOpened);
    EXPECT_EQ("Function Mode:|Application Launch", wLaunch.strRows[0]);
    EXPECT_EQ("File name:|notepad.exe", wLaunch.strRows[1]);
    EXPECT_EQ("Command Line:|readme.txt", wLaunch.strRows[2]);
    EXPECT_EQ("Size/Position:|10,20,300,200", wLaunch.strRows[3]);
    EXPECT_EQ("-", wLaunch.strExplanation);

    tagWHATS wShort = WhatsThisFor(1);   /* no backslash, no command line */
    EXPECT_EQ("File name:|notepad.exe", wShort.strRows[1]);
    EXPECT_EQ("-", wShort.strRows[2]);
    EXPECT_EQ(wLaunch.cyWindow - 40, wShort.cyWindow);

    EXPECT_EQ("Address(URL):|http://one.example/a&b", WhatsThisFor(2).strRows[1]);
    tagWHATS wMedia = WhatsThisFor(3);
    EXPECT_EQ("Function Mode:|Media Function", wMedia.strRows[0]);
    EXPECT_EQ("Media Device:|cdaudio", wMedia.strRows[1]);
    EXPECT_EQ("Function:|Change Track", wMedia.strRows[2]);
    EXPECT_EQ("Track:|7", wMedia.strRows[3]);
    tagWHATS wEdit = WhatsThisFor(4);
    EXPECT_EQ("Function:|Type", wEdit.strRows[1]);
    EXPECT_EQ("Data:|Hello", wEdit.strRows[2]);
    EXPECT_EQ(wLaunch.cyWindow - 30, wEdit.cyWindow);
    tagWHATS wSystem = WhatsThisFor(5);
    EXPECT_EQ("Function Mode:|System", wSystem.strRows[0]);
    EXPECT_EQ("Function:|Hot Key", wSystem.strRows[1]);
    EXPECT_EQ("Function Mode:|Message", WhatsThisFor(6).strRows[0]);
    EXPECT_EQ("Function Mode:|Zendra Function", WhatsThisFor(7).strRows[0]);
    tagWHATS wEmptyWeb = WhatsThisFor(8);
    EXPECT_EQ("Function Mode:|Not assigned.", wEmptyWeb.strRows[0]) << "a web address without address";
    EXPECT_EQ("-", wEmptyWeb.strRows[1]);
    EXPECT_EQ(wLaunch.cyWindow - 50, wEmptyWeb.cyWindow);
    tagWHATS wNone = WhatsThisFor(9);
    EXPECT_EQ("Function Mode:|Not assigned.", wNone.strRows[0]);

    /* A mode button: its mode's own command. */
    tagWHATS wMode = WhatsThisFor(FIRST_MODE_BUTTON + DVD);
    EXPECT_EQ("Function Mode:|Media Function", wMode.strRows[0]);
    EXPECT_EQ("Function:|Play", wMode.strRows[2]);

    tagWHATS wShift = WhatsThisFor(SHIFT_BUTTON);
    ASSERT_TRUE(wShift.bOpened);
    EXPECT_EQ("Shift Button|", wShift.strRows[0]);
    EXPECT_EQ("-", wShift.strRows[1]);
    EXPECT_EQ("The shift button is used to toggle between the two set of buttons in each function mode",
              wShift.strExplanation);

    /* A help area: the menu opens, What's This? does nothing. */
    ASSERT_NE((HMENU)NULL, OpenMenu(FIRST_HELP_AREA + 1));
    ChooseFromMenu("w");
    PumpMessages(300);
    EXPECT_EQ(NULL, OwnWindow("#32770", "What'sThis?"));
    Close(WM_COMMAND, IDCANCEL);
}

/* Stored commands that the editors show only in part, or not at all, come back from the
   function editor exactly as they were stored, and What's This? tells what they do: a
   command no editor knows, under the name of its nearest family; a program named without
   a folder, found along the search path or in App Paths; a launched file without icons,
   with the library's launch icon. */
TEST_F(PictureDialogTest, StoredCommandsSurviveTheEditorAndWhatsThisTellsThem)
{
    const std::string strPlain = BinaryDir() + "kept-plain.txt";   /* holds no icon */
    FILE *pFile = fopen(strPlain.c_str(), "wb");
    ASSERT_NE(nullptr, pFile);
    fputs("text\r\n", pFile);
    fclose(pFile);
    const char szAppPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\orvane-kept.exe";
    WriteRegString(HKEY_CURRENT_USER, szAppPath, NULL, BinaryDir() + "launchprobe.exe");
    const char szDovrelKey[] = "Software\\Zendra\\Dovrel(TM)";
    WriteRegString(HKEY_CURRENT_USER, szDovrelKey, "Installed", "1");   /* home automation in the editor */
    Populate({ { "PC\\1", "NUMZERO,TYPE" },
               { "PC\\2", "LAUNCH\"notepad.exe\"" },
               { "PC\\3", "WEBADDRESS\"a\"\"b\"" },
               { "PC\\4", "LAUNCH\"orvane-kept.exe\"" },
               { "PC\\5", "LAUNCH\"" + strPlain + "\"" },
               { "PC\\6", "XYZZY\"q\x7Fr\"" },
               { "PC\\7", "ZENDRA\"A11111111111,A4 On\"" } });
    RegistrySnapshot mBefore = Snapshot();
    Open();
    SetDisplay(1, "c");
    for (int i = 1; i <= 7; i++)
        EXPECT_TRUE(Looks(i, PANEL_ASSIGNED)) << "button " << i;

    tagWHATS wKept = WhatsThisFor(1, GetIconRes(IDI_EDIT));
    EXPECT_EQ("Function Mode:|Edit", wKept.strRows[0]);
    EXPECT_EQ("NUMZERO,TYPE", wKept.strExplanation);
    EXPECT_EQ("-", wKept.strRows[1]);
    EXPECT_TRUE(wKept.bShowsIcon);
    tagWHATS wUnknown = WhatsThisFor(6);
    EXPECT_EQ("Function Mode:|Command", wUnknown.strRows[0]);
    EXPECT_EQ("XYZZY\"q r\"", wUnknown.strExplanation);
    EXPECT_EQ("File name:|notepad.exe", WhatsThisFor(2).strRows[1]);
    tagWHATS wPlain = WhatsThisFor(5, GetIconRes(IDI_LAUNCH));
    EXPECT_EQ("File name:|kept-plain.txt", wPlain.strRows[1]);
    EXPECT_TRUE(wPlain.bShowsIcon) << "a file without icons shows the library's launch icon";

    /* OK and Cancel without a family leave the kept command; the family dialogs show what
       was stored and their OK gives it back unchanged. */
    RunEditor(1, 0, nullptr, nullptr, IDOK);
    RunEditor(1, 0, nullptr, nullptr, IDCANCEL);
    RunEditor(2, 'l', "Launch", [](HWND hLaunch) {
        EXPECT_EQ("notepad.exe", Text(hLaunch, IDC_LAUNCH_FILE));
        EXPECT_EQ("notepad.exe", Text(hLaunch, IDC_LAUNCH_DEF_FILE));
    }, IDOK);
    RunEditor(3, 'w', "Web Address", [](HWND hWeb) { EXPECT_EQ("a\"b", Text(hWeb, IDC_WEB_ADDRESS)); }, IDOK);
    RunEditor(7, 'a', "Zendra Commands", [](HWND hZendra) {
        EXPECT_EQ("A11111111111,A4 On", Text(hZendra, IDC_ZD_PREVIEW));
    }, IDOK);
    /* The editor's letters moved the pointer: off the picture again, no button is hovered. */
    SetCursorPos(2, 2);
    Click(WM_MOUSEMOVE, 2, 2);
    EXPECT_TRUE(Looks(1, PANEL_ASSIGNED));
    EXPECT_TRUE(Looks(2, PANEL_ASSIGNED));
    Close(WM_COMMAND, IDOK);
    EXPECT_EQ(mBefore, Snapshot());

    DeleteRegKey(HKEY_CURRENT_USER, szAppPath);
    DeleteRegKey(HKEY_CURRENT_USER, szDovrelKey);
    DeleteFileA(strPlain.c_str());
}

/* The window menu's profiles: a save writes what the picture holds, edits included; a load
   of an edited profile asks, then shows the loaded assignments, and closing keeps them. */
TEST_F(PictureDialogTest, ProfilesAreSavedAndLoadedThroughTheWindowMenu)
{
    Populate({ { "PC\\1", "WEBADDRESS\"http://one.example\"" } });
    const std::string strPath = BinaryDir() + "picture.orp";
    DeleteFileA(strPath.c_str());
    Open();
    SetDisplay(1, "c");
    ASSERT_TRUE(Looks(3, 0));

    /* The common file dialog of each command, answered as a person would. */
    auto ChooseFile = [&](UINT uiCommand, const char *pszCaption) {
        PostMessageA(hDlg, WM_SYSCOMMAND, uiCommand, 0);
        HWND hFiles = NULL;
        ASSERT_TRUE(WaitFor([&] { return (hFiles = OwnWindow("#32770", pszCaption)) != NULL; }, 10000));
        SetDlgItemTextA(hFiles, 0x47C /* file name */, strPath.c_str());
        PostMessageA(hFiles, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(hFiles); }, 10000));
    };
    ChooseFile(SC_SAVE_PROFILE, "Save As");
    std::string strText;
    ASSERT_TRUE(WaitFor([&] {
        FILE *pFile = fopen(strPath.c_str(), "rb");
        char szBuffer[65536];
        size_t cb = pFile != nullptr ? fread(szBuffer, 1, sizeof(szBuffer), pFile) : 0;
        if (pFile != nullptr)
            fclose(pFile);
        strText.assign(szBuffer, cb);
        return strText.find("End of profile") != std::string::npos;
    }, 10000));
    EXPECT_NE(std::string::npos, strText.find("[PC]\r\n0=\"\"\r\n1=\"WEBADDRESS\\\"http://one.example\\\"\""));

    /* The same profile with a launch on button 3. */
    const std::string strUnassigned = "\r\n3=\"\"";
    size_t iAt = strText.find(strUnassigned, strText.find("[PC]"));
    ASSERT_NE(std::string::npos, iAt);
    std::string strEscaped;                         /* backslashes are escaped in a profile */
    for (const char *psz = szNotepad; *psz != '\0'; psz++)
        strEscaped += *psz == '\\' ? std::string("\\\\") : std::string(1, *psz);
    strText.replace(iAt, strUnassigned.size(), "\r\n3=\"LAUNCH\\\"" + strEscaped + "\\\"\"");
    FILE *pFile = fopen(strPath.c_str(), "wb");
    fwrite(strText.data(), 1, strText.size(), pFile);
    fclose(pFile);

    ChooseFile(SC_LOAD_PROFILE, "Open");
    HWND hQuestion = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hQuestion = OwnWindow("#32770", "Remote Profile")) != NULL; }, 10000));
    ASSERT_TRUE(WaitFor([&] { return GetDlgItem(hQuestion, IDYES) != NULL; })) << "a question, not a refusal";
    PostMessageA(hQuestion, WM_COMMAND, IDYES, 0);
    EXPECT_TRUE(Looks(3, PANEL_ASSIGNED)) << "the loaded launch is marked";
    EXPECT_TRUE(Looks(1, PANEL_ASSIGNED));
    SaveWindowPicture(hDlg, "picture_after_load");
    Close(WM_COMMAND, IDCANCEL);
    std::string strStored;
    ASSERT_TRUE(ReadRegString(HKEY_CURRENT_USER, Path("PC").c_str(), "3", &strStored));
    EXPECT_EQ(std::string("LAUNCH\"") + szNotepad + "\"", strStored);
    DeleteFileA(strPath.c_str());
}

/* A whole run writes every value back: closed by Cancel, OK or the close box, a populated
   registry stays byte for byte as it was, through every mode and shift state shown. */
TEST_F(PictureDialogTest, EveryWayOfClosingLeavesThePopulatedRegistryAsItWas)
{
    Populate({ { "PC\\0", std::string("LAUNCH\"") + szNotepad + "\x7F" "a \"\"b\"\"\x83" "1,2\"" },
               { "PC\\17", "WRITE\"say \"\"hi\"\"\x7F\x83\"" },
               { "WEB\\39", "MCITRACK\"cdaudio\x83" "3\"" },
               { "PHONE\\16", "MIXERMUTE" },
               { "DVD\\20", "HOTKEY\"10010\"" },
               { "CD\\33", "ZENDRA\"B2OFF\"" },
               { "CD\\5", "NOSUCHWORD\"kept\",launch\"x\"" },
               { "Default\\0", "SELECT,MAXIMIZE" } });
    RegistrySnapshot mBefore = Snapshot();
    ASSERT_EQ(5u * 41u + 2u + 5u + 1u, mBefore.size());   /* 207 buttons, mode names, directory */
    const std::pair<UINT, WPARAM> closings[] = { { WM_COMMAND, IDCANCEL }, { WM_COMMAND, IDOK },
                                                  { WM_SYSCOMMAND, SC_CLOSE } };
    for (const auto &closing : closings) {
        Open();
        ClickButton(WM_LBUTTONDOWN, FIRST_MODE_BUTTON + CD);
        ClickButton(WM_LBUTTONDOWN, SHIFT_BUTTON);
        SetDisplay(1, "c");
        Close(closing.first, closing.second);
        EXPECT_EQ(mBefore, Snapshot()) << "closed by " << closing.first << "/" << closing.second;
    }
}

} // namespace
