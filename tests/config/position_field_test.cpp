/*
 * position_field_test.cpp - the launch dialog's position text through the "Set Position
 * and Size" dialog: read into the four fields, typed over, written back on OK and left
 * alone on Cancel; every way out of the dialog takes its mouse hook away. The modules are
 * linked in; the dialog runs modally on the test's thread while a second thread works it.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include <thread>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "editor.h"
#include "size32.h"
#include "testsupport.h"

namespace {

std::string Format(LONG l, LONG t, LONG w, LONG h)
{
    RECT r = { l, t, w, h };
    char sz[40];
    FormatPositionText(&r, sz, sizeof(sz));
    return sz;
}

std::string Parse(const char *psz)
{
    RECT r = { 9, 9, 9, 9 };
    ParsePositionText(psz, &r);
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

TEST(PositionText, FieldsOfOneToFourNumbers)
{
    EXPECT_EQ("0,0,0,0", Parse(""));
    EXPECT_EQ("0,0,0,0", Parse(NULL));
    EXPECT_EQ("7,0,0,0", Parse("7"));
    EXPECT_EQ("50,60,-1,-1", Parse("50,60"));
    EXPECT_EQ("1,2,3,-1", Parse("1,2,3"));
    EXPECT_EQ("10,20,300,200", Parse("10,20,300,200"));
    EXPECT_EQ("10,20,300,200", Parse("10,20,300,200,99"));
    EXPECT_EQ("-5,0,0,-1", Parse("-5,x,y"));
    EXPECT_EQ("", Format(0, 0, 0, 0));
    EXPECT_EQ("100,50", Format(100, 50, -1, -1));
    EXPECT_EQ("0,0", Format(0, 0, -1, -1));
    EXPECT_EQ("7,0,0,0", Format(7, 0, 0, 0));
    EXPECT_EQ("10,20,300,200", Format(10, 20, 300, 200));
}

/* A stand-in for the launch dialog: a window with the position text control. */
class PositionField : public testing::Test {
protected:
    HWND hLaunch = NULL;
    static void SetUpTestSuite() { hInstance = LoadLibraryA("Brenvik.dll"); }
    void SetUp() override
    {
        ASSERT_NE(hInstance, (HINSTANCE)NULL);
        hLaunch = CreateWindowA("STATIC", "Launch", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 500, 300, 100,
                                NULL, NULL, NULL, NULL);
        CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 5, 5, 200, 20, hLaunch,
                      (HMENU)(INT_PTR)IDC_LAUNCH_POSTEXT, NULL, NULL);
    }
    void TearDown() override
    {
        if (IsWindow(hLaunch))
            DestroyWindow(hLaunch);
    }

    /* Opens the dialog on the field and works it with pScript from another thread (which
       ends it); returns the field afterwards. */
    std::string Edit(const std::string &strField, const std::function<void(HWND)> &pScript)
    {
        SetDlgItemTextA(hLaunch, IDC_LAUNCH_POSTEXT, strField.c_str());
        std::thread worker([&] {
            HWND hPos = NULL;
            DWORD dwStart = GetTickCount();
            /* The dialog shows itself once its fields are filled. */
            while (!IsWindowVisible(hPos = FindWindowA(NULL, "Set Position and Size")) &&
                   GetTickCount() - dwStart < 10000)
                Sleep(10);
            if (IsWindowVisible(hPos))
                pScript(hPos);
        });
        GetSizeAndPosition(hLaunch);
        worker.join();
        char sz[60] = "";
        if (IsWindow(hLaunch))
            GetDlgItemTextA(hLaunch, IDC_LAUNCH_POSTEXT, sz, sizeof(sz));
        return sz;
    }
};

std::string Field(HWND hPos, int iID)
{
    char sz[40] = "";
    GetDlgItemTextA(hPos, iID, sz, sizeof(sz));
    return sz;
}

std::string Fields(HWND hPos)
{
    return Field(hPos, IDC_POS_LEFT) + "," + Field(hPos, IDC_POS_TOP) + "," + Field(hPos, IDC_POS_WIDTH) +
           "," + Field(hPos, IDC_POS_HEIGHT);
}

bool SizeEnabled(HWND hPos)
{
    return IsWindowEnabled(GetDlgItem(hPos, IDC_POS_WIDTH)) && IsWindowEnabled(GetDlgItem(hPos, IDC_POS_HEIGHT));
}

void Press(HWND hPos, int iID)
{
    SendMessage(hPos, WM_COMMAND, MAKEWPARAM(iID, BN_CLICKED), (LPARAM)GetDlgItem(hPos, iID));
}

void PositionOnly(HWND hPos, bool bChecked)
{
    CheckDlgButton(hPos, IDC_POS_ONLY, bChecked ? BST_CHECKED : BST_UNCHECKED);
    Press(hPos, IDC_POS_ONLY);
}

TEST_F(PositionField, OkWritesTheFieldBackInItsShortestForm)
{
    std::string strSeen;
    bool bPositionOnly = false, bSizeEnabled = true;
    EXPECT_EQ("100,50", Edit("100,50", [&](HWND hPos) {
        strSeen = Fields(hPos);
        bPositionOnly = IsDlgButtonChecked(hPos, IDC_POS_ONLY) == BST_CHECKED;
        bSizeEnabled = SizeEnabled(hPos);
        SaveWindowPicture(hPos, "position_only");
        Press(hPos, IDOK);
    }));
    EXPECT_EQ("100,50,0,0", strSeen);
    EXPECT_TRUE(bPositionOnly);
    EXPECT_FALSE(bSizeEnabled);

    /* Position Only on and off again: the stored size comes back. */
    std::string strChecked, strUnchecked;
    EXPECT_EQ("10,20,300,200", Edit("10,20,300,200", [&](HWND hPos) {
        PositionOnly(hPos, true);
        strChecked = Fields(hPos) + (SizeEnabled(hPos) ? " enabled" : " disabled");
        PositionOnly(hPos, false);
        strUnchecked = Fields(hPos) + (SizeEnabled(hPos) ? " enabled" : " disabled");
        SaveWindowPicture(hPos, "position_size");
        Press(hPos, IDOK);
    }));
    EXPECT_EQ("10,20,0,0 disabled", strChecked);
    EXPECT_EQ("10,20,300,200 enabled", strUnchecked);

    /* Position Only makes a size field a position. */
    EXPECT_EQ("10,20", Edit("10,20,300,200", [&](HWND hPos) {
        PositionOnly(hPos, true);
        Press(hPos, IDOK);
    }));

    /* Typed values: left and top kept on the screen, sizes not below 0, words read 0. */
    int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ("0," + std::to_string(cyScreen) + ",0,0", Edit("10,20,300,200", [&](HWND hPos) {
        SetDlgItemTextA(hPos, IDC_POS_LEFT, "-5");
        SetDlgItemTextA(hPos, IDC_POS_TOP, "99999");
        SetDlgItemTextA(hPos, IDC_POS_WIDTH, "abc");
        SetDlgItemTextA(hPos, IDC_POS_HEIGHT, "-7");
        Press(hPos, IDOK);
    }));

    /* Three numbers: no height, which shows as 0. */
    EXPECT_EQ("1,2,3,0", Edit("1,2,3", [&](HWND hPos) {
        strSeen = Fields(hPos);
        Press(hPos, IDOK);
    }));
    EXPECT_EQ("1,2,3,0", strSeen);

    /* One number is a left edge alone; all zeros clear the field. */
    EXPECT_EQ("7,0,0,0", Edit("7", [&](HWND hPos) { Press(hPos, IDOK); }));
    EXPECT_EQ("", Edit("40,40", [&](HWND hPos) {
        PositionOnly(hPos, false);
        SetDlgItemTextA(hPos, IDC_POS_LEFT, "0");
        SetDlgItemTextA(hPos, IDC_POS_TOP, "0");
        Press(hPos, IDOK);
    }));
}

TEST_F(PositionField, CancelAndEveryOtherWayOutLeaveTheFieldAndTakeTheHookAway)
{
    HHOOK hHookSeen = NULL;
    EXPECT_EQ("10,20,300,200", Edit("10,20,300,200", [&](HWND hPos) {
        hHookSeen = _hMouseMsg;
        SetDlgItemTextA(hPos, IDC_POS_LEFT, "400");
        PositionOnly(hPos, true);
        Press(hPos, IDCANCEL);
    }));
    EXPECT_NE((HHOOK)NULL, hHookSeen);
    EXPECT_EQ((HHOOK)NULL, _hMouseMsg);
    EXPECT_EQ((HWND)NULL, _hMainDlg);
    EXPECT_FALSE(_bPosOnly);
    RECT rOpened = { 10, 20, 300, 200 };
    EXPECT_TRUE(EqualRect(&rOpened, &Editor()->rWindowPos));

    /* The close box; a drawing armed when it closes ends with it. */
    bool bDrawArmed = false;
    EXPECT_EQ("10,20", Edit("10,20", [&](HWND hPos) {
        Press(hPos, IDC_POS_DRAW);
        bDrawArmed = _bDraw && _hNewCur != NULL;
        SendMessage(hPos, WM_SYSCOMMAND, SC_CLOSE, 0);
    }));
    EXPECT_TRUE(bDrawArmed);
    EXPECT_EQ((HHOOK)NULL, _hMouseMsg);
    EXPECT_FALSE(_bDraw);
    EXPECT_EQ((HCURSOR)NULL, _hNewCur);

    /* The launch dialog goes away under it. */
    Edit("10,20", [&](HWND hPos) {
        Press(hPos, IDC_POS_SELECT);
        bDrawArmed = _bSelect && _bSelectDown;
        PostMessage(hLaunch, WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(bDrawArmed);
    EXPECT_FALSE(IsWindow(hLaunch));
    EXPECT_EQ((HHOOK)NULL, _hMouseMsg);
    EXPECT_EQ((HWND)NULL, _hMainDlg);
    EXPECT_FALSE(_bSelect);
}

}  // namespace
