/*
 * Brenvik's dialog templates and pictures as the built library holds them: each template
 * loads through CreateDialogRes with its caption, size, font and every control the
 * configuration code relies on (identifier, kind, text); the layout keeps controls apart
 * and inside their dialog; icons, marks and cursor have their sizes and colour depths.
 */
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "Brenvik.h"
#include "BrenvikRes.h"

namespace {

HMODULE Brenvik()
{
    static HMODULE hBrenvik = LoadLibraryA("Brenvik.dll");
    return hBrenvik;
}

INT_PTR CALLBACK PlainDlgProc(HWND, UINT uMessage, WPARAM, LPARAM)
{
    return uMessage == WM_INITDIALOG;
}

enum tagKIND {
    PUSH, DEFPUSH, CHECK, RADIO, GROUP, EDIT, READONLY, HIDDEN_EDIT, DROPLIST, SORTED_DROPLIST,
    SORTED_COMBO, LIST, MULTILIST, TEXT, ARROWS
};

struct tagCONTROL {
    int         iID;
    tagKIND     kind;
    const char *pszText;   /* null: not checked */
};

struct tagTEMPLATE {
    WORD                    wID;
    const char             *pszCaption;
    int                     cx, cy;
    std::vector<tagCONTROL> controls;
    std::vector<const char *> labels;   /* texts that some static of the dialog shows */
};

/* The editors' common buttons; Zendra Commands has its help button elsewhere. */
std::vector<tagCONTROL> Buttons(const char *pszClear, const char *pszSetValues,
                                int iHelp = IDC_HELPBUTTON)
{
    std::vector<tagCONTROL> buttons = {{IDOK, DEFPUSH, "&OK"}, {IDCANCEL, PUSH, "&Cancel"},
                                       {iHelp, PUSH, "&Help"}, {IDC_CLEAR, PUSH, pszClear}};
    if (pszSetValues != nullptr)
        buttons.push_back({IDC_SET_VALUES, PUSH, pszSetValues});
    return buttons;
}

std::vector<tagCONTROL> operator+(std::vector<tagCONTROL> a, const std::vector<tagCONTROL> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<tagTEMPLATE> &Templates()
{
    static const std::vector<tagTEMPLATE> templates = {
        {IDD_TASKS, "", 161, 127, {}, {}},
        {IDD_KEYBOARD, "KeyBoard", 161, 127, {}, {}},
        {IDD_BUTTONS, "Buttons", 207, 111, {}, {}},
        {IDD_FUNCTIONS, "Functions", 248, 153,
         {{IDOK, DEFPUSH, "&OK"}, {IDCANCEL, PUSH, "&Cancel"}, {IDC_HELPBUTTON, PUSH, "&Help"}}, {}},
        {IDD_WHATSTHIS, "What'sThis?", 186, 108,
         {{IDC_WT_LABEL1, TEXT, nullptr}, {IDC_WT_VALUE1, TEXT, nullptr},
          {IDC_WT_LABEL2, TEXT, nullptr}, {IDC_WT_VALUE2, TEXT, nullptr},
          {IDC_WT_LABEL3, TEXT, nullptr}, {IDC_WT_VALUE3, TEXT, nullptr},
          {IDC_WT_LABEL4, TEXT, nullptr}, {IDC_WT_VALUE4, TEXT, nullptr},
          {IDC_WT_EXPLANATION, TEXT, nullptr}, {IDOK, DEFPUSH, "&OK"},
          {IDC_HELPBUTTON, PUSH, "&Help"}}, {}},
        {IDD_POSITION, "Set Position and Size", 212, 130,
         {{IDOK, DEFPUSH, "&Ok"}, {IDCANCEL, PUSH, "&Cancel"}, {IDC_HELPBUTTON, PUSH, "&Help"},
          {IDC_POS_LEFT, EDIT, nullptr}, {IDC_POS_TOP, EDIT, nullptr},
          {IDC_POS_WIDTH, EDIT, nullptr}, {IDC_POS_HEIGHT, EDIT, nullptr},
          {IDC_POS_ONLY, CHECK, "Position Only"}, {IDC_POS_DRAW, PUSH, "&Draw"},
          {IDC_POS_SELECT, PUSH, "&Select"}},
         {"Left", "Top", "Width", "Height", "Automatic"}},
        {IDD_LAUNCH, "Launch", 369, 152,
         Buttons("C&lear", "Set &Values") +
             std::vector<tagCONTROL>{{IDC_LAUNCH_FILE, EDIT, nullptr}, {IDC_LAUNCH_CMDLINE, EDIT, nullptr},
              {IDC_LAUNCH_SIZEPOS, PUSH, "&Size and Pos"}, {IDC_LAUNCH_POSTEXT, TEXT, nullptr},
              {IDC_LAUNCH_BROWSE, PUSH, "&Browse"}, {IDC_LAUNCH_DEF_FILE, TEXT, nullptr},
              {IDC_LAUNCH_DEF_CMDLINE, TEXT, nullptr}, {IDC_LAUNCH_DEF_POSTEXT, TEXT, nullptr}},
         {"&Filename:", "&Command Line:", "Filename:", "Command Line:", "Size and Pos:"}},
        {IDD_WEB, "Web Address", 349, 109,
         Buttons("C&lear", "Set &Value") +
             std::vector<tagCONTROL>{{IDC_WEB_ADDRESS, EDIT, nullptr}, {IDC_WEB_DEF_ADDRESS, TEXT, nullptr}},
         {"&Web Address:", "Web Address:", "Default WEB Address"}},
        {IDD_MULTIMEDIA, "Multi Media", 304, 155,
         Buttons("C&lear", "Set &Values") +
             std::vector<tagCONTROL>{{IDC_MM_DEVICE, DROPLIST, nullptr}, {IDC_MM_FUNCTION, DROPLIST, nullptr},
              {IDC_MM_TRACK, EDIT, nullptr}, {IDC_MM_DEF_DEVICE, TEXT, nullptr},
              {IDC_MM_DEF_FUNCTION, TEXT, nullptr}, {IDC_MM_DEF_TRACK, TEXT, nullptr}},
         {"&Media Device:", "&Function:", "&Track:", "Media Device:", "Function:", "Track:"}},
        {IDD_EDIT, "Edit", 322, 150,
         Buttons("&Clear", "Set &Values") +
             std::vector<tagCONTROL>{{IDC_EDIT_FUNCTION, DROPLIST, nullptr}, {IDC_EDIT_DATA, EDIT, nullptr},
              {IDC_EDIT_DEF_FUNCTION, TEXT, nullptr}, {IDC_EDIT_DEF_DATA, TEXT, nullptr}},
         {"&Function:", "&Extra Data:", "Function:", "Extra Data:"}},
        {IDD_SYSTEM, "System", 299, 137,
         Buttons("C&lear", "Set &Values") +
             std::vector<tagCONTROL>{{IDC_SYS_FUNCTION, DROPLIST, nullptr},
              {IDC_SYS_CURRENT_LABEL, TEXT, "Current:"}, {IDC_SYS_CURRENT, READONLY, nullptr},
              {IDC_SYS_HOTKEY_CODE, TEXT, nullptr}, {IDC_SYS_ASSIGN, PUSH, "&Assign"},
              {IDC_SYS_DEF_FUNCTION, TEXT, nullptr}, {IDC_SYS_DEF_CURRENT, TEXT, nullptr}},
         {"&Function:", "Function:", "Current:"}},
        {IDD_HOTKEY, "Hot Key", 242, 100,
         Buttons("C&lear", nullptr) +
             std::vector<tagCONTROL>{{IDC_HK_KEY, DROPLIST, nullptr}, {IDC_HK_ALT, CHECK, "&ALT"},
              {IDC_HK_CTRL, CHECK, "C&TRL"}, {IDC_HK_SHIFT, CHECK, "&SHIFT"},
              {IDC_HK_FOLLOWED_BY, DROPLIST, nullptr}},
         {"&Key:", "&Followed By:"}},
        {IDD_MESSAGES, "View Messages", 270, 236,
         Buttons("C&lear", nullptr) +
             std::vector<tagCONTROL>{{IDC_MSG_APPLICATIONS, DROPLIST, nullptr},
              {IDC_MSG_START, PUSH, "&Start Rec"}, {IDC_MSG_STOP, PUSH, "S&top Rec"},
              {IDC_MSG_TRACE, LIST, nullptr}, {IDC_MSG_RESET, PUSH, "&Reset"},
              {IDC_MSG_SEQUENCE, MULTILIST, nullptr}, {IDC_MSG_ADD, PUSH, "&Add"},
              {IDC_MSG_DELETE, PUSH, "&Delete"}, {IDC_MSG_NAME, SORTED_COMBO, nullptr},
              {IDC_MSG_WPARAM, EDIT, nullptr}, {IDC_MSG_LPARAM, EDIT, nullptr},
              {IDC_MSG_NOTE, TEXT, ""}, {IDC_ENCODED, HIDDEN_EDIT, nullptr}},
         {"Current Message:", "Parameter &1:", "Parameter &2:"}},
        {IDD_ZENDRA, "Zendra Commands", 311, 232,
         Buttons("C&lear", "Set &Values", IDC_ZD_HELP) +
             std::vector<tagCONTROL>{{IDC_ZD_MACRO, RADIO, "&Macro"}, {IDC_ZD_COMMAND, RADIO, "Comma&nd"},
              {IDC_ZD_PREVIEW, READONLY, nullptr}, {IDC_ZD_SWITCH_LABEL, TEXT, "S&witch:"},
              {IDC_ZD_SWITCH, SORTED_DROPLIST, nullptr}, {IDC_ZD_HOUSE, DROPLIST, nullptr},
              {IDC_ZD_FUNCTION_LABEL, TEXT, "&Function:"}, {IDC_ZD_FUNCTION, DROPLIST, nullptr},
              {IDC_ZD_PERCENT_LABEL, TEXT, "Percenta&ge:"}, {IDC_ZD_PERCENT, EDIT, nullptr},
              {IDC_ZD_PERCENT_ARROWS, ARROWS, nullptr}, {IDC_ZD_CODE_LABEL, TEXT, "Cod&e:"},
              {IDC_ZD_CODE, EDIT, nullptr}, {IDC_ZD_UNITS, MULTILIST, nullptr},
              {IDC_ZD_DEF_TYPE, TEXT, nullptr}, {IDC_ZD_DEF_COMMAND, TEXT, nullptr},
              {IDC_ENCODED, HIDDEN_EDIT, nullptr}},
         {"Ho&use Code:", "De&vice Codes:", "Command Type:", "Actual Command:"}},
        {IDD_AUTOMODES, "Automatic Modes", 260, 197,
         {{IDOK, DEFPUSH, "&OK"}, {IDCANCEL, PUSH, "&Cancel"}, {IDC_HELPBUTTON, PUSH, "&Help"},
          {IDC_AM_ENABLED, CHECK, "&Follow the program in front"}, {IDC_AM_PAIRS, LIST, nullptr},
          {IDC_AM_MODE, DROPLIST, nullptr}, {IDC_AM_REMOVE, PUSH, "&Remove"},
          {IDC_AM_PROGRAM, SORTED_COMBO, nullptr}, {IDC_AM_BROWSE, PUSH, "&Browse..."},
          {IDC_AM_ADD, PUSH, "&Add"}},
         {"&Programs and the mode each chooses when it comes to the front:", "&Mode:", "Pr&ogram:",
          "Add a program"}},
    };
    return templates;
}

void PrintTo(const tagTEMPLATE &t, std::ostream *pos)
{
    *pos << "template " << t.wID;
}

std::string ClassOf(HWND hWnd)
{
    char szClass[32] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    return szClass;
}

std::string TextOf(HWND hWnd)
{
    char szText[256] = "";
    GetWindowTextA(hWnd, szText, sizeof(szText));
    return szText;
}

/* Whether a control's class and styles make it the kind the code expects. */
void ExpectKind(HWND hCtl, tagKIND kind)
{
    std::string strClass = ClassOf(hCtl);
    LONG lStyle = GetWindowLongA(hCtl, GWL_STYLE);
    LONG lType = lStyle & 0x0F;
    auto IsClass = [&](const char *pszClass) { return lstrcmpiA(strClass.c_str(), pszClass) == 0; };
    switch (kind) {
    case PUSH:     EXPECT_TRUE(IsClass("Button") && lType == BS_PUSHBUTTON); break;
    case DEFPUSH:  EXPECT_TRUE(IsClass("Button") && lType == BS_DEFPUSHBUTTON); break;
    case CHECK:    EXPECT_TRUE(IsClass("Button") && lType == BS_AUTOCHECKBOX); break;
    case RADIO:    EXPECT_TRUE(IsClass("Button") && lType == BS_AUTORADIOBUTTON); break;
    case GROUP:    EXPECT_TRUE(IsClass("Button") && lType == BS_GROUPBOX); break;
    case EDIT:     EXPECT_TRUE(IsClass("Edit") && !(lStyle & ES_READONLY) && (lStyle & WS_VISIBLE)); break;
    case READONLY: EXPECT_TRUE(IsClass("Edit") && (lStyle & ES_READONLY)); break;
    case HIDDEN_EDIT: EXPECT_TRUE(IsClass("Edit") && !(lStyle & WS_VISIBLE)); break;
    case DROPLIST:
    case SORTED_DROPLIST:
        EXPECT_TRUE(IsClass("ComboBox") && (lStyle & 3) == CBS_DROPDOWNLIST);
        EXPECT_EQ(kind == SORTED_DROPLIST, (lStyle & CBS_SORT) != 0) << "list positions are table positions";
        break;
    case SORTED_COMBO:
        EXPECT_TRUE(IsClass("ComboBox") && (lStyle & 3) == CBS_DROPDOWN && (lStyle & CBS_SORT));
        break;
    case LIST:
    case MULTILIST:
        EXPECT_TRUE(IsClass("ListBox") && !(lStyle & LBS_SORT));
        EXPECT_EQ(kind == MULTILIST, (lStyle & LBS_MULTIPLESEL) != 0);
        break;
    case TEXT:     EXPECT_TRUE(IsClass("Static")); break;
    case ARROWS:   EXPECT_TRUE(IsClass("ScrollBar") && (lStyle & SBS_VERT)); break;
    }
}

class DialogTemplates : public ::testing::TestWithParam<tagTEMPLATE> {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, Brenvik());
        hDlg = CreateDialogRes(GetParam().wID, NULL, PlainDlgProc);
        ASSERT_NE(nullptr, hDlg) << "template " << GetParam().wID;
    }
    void TearDown() override
    {
        if (hDlg != NULL)
            DestroyWindow(hDlg);
    }
    HWND hDlg = NULL;
};

TEST_P(DialogTemplates, LoadsWithCaptionSizeAndFont)
{
    const tagTEMPLATE &t = GetParam();
    EXPECT_EQ(t.pszCaption, TextOf(hDlg));
    RECT rcClient, rcUnits = {0, 0, t.cx, t.cy};
    GetClientRect(hDlg, &rcClient);
    if (GetWindowLongA(hDlg, GWL_STYLE) & WS_VSCROLL)
        rcClient.right += GetSystemMetrics(SM_CXVSCROLL);
    MapDialogRect(hDlg, &rcUnits);
    EXPECT_EQ(rcUnits.right, rcClient.right);
    EXPECT_EQ(rcUnits.bottom, rcClient.bottom);

    HFONT hFont = (HFONT)SendMessageA(hDlg, WM_GETFONT, 0, 0);
    LOGFONTA lf = {};
    ASSERT_NE(0, GetObjectA(hFont, sizeof(lf), &lf));
    EXPECT_STREQ("MS Sans Serif", lf.lfFaceName);
    HDC hDC = GetDC(hDlg);
    EXPECT_EQ(-MulDiv(8, GetDeviceCaps(hDC, LOGPIXELSY), 72), lf.lfHeight);
    ReleaseDC(hDlg, hDC);
}

TEST_P(DialogTemplates, HoldsEveryControlWithItsKindAndText)
{
    const tagTEMPLATE &t = GetParam();
    if (t.wID == IDD_SYSTEM) {
        RECT rcCode, rcClient;
        GetWindowRect(GetDlgItem(hDlg, IDC_SYS_HOTKEY_CODE), &rcCode);
        MapWindowPoints(NULL, hDlg, (POINT *)&rcCode, 2);
        GetClientRect(hDlg, &rcClient);
        EXPECT_GE(rcCode.left, rcClient.right) << "the hot-key code is kept out of sight";
    }
    for (const tagCONTROL &c : t.controls) {
        SCOPED_TRACE("control " + std::to_string(c.iID));
        HWND hCtl = GetDlgItem(hDlg, c.iID);
        ASSERT_NE(nullptr, hCtl);
        ExpectKind(hCtl, c.kind);
        if (c.pszText != nullptr) {
            EXPECT_EQ(c.pszText, TextOf(hCtl));
        }
    }
    std::vector<std::string> texts;
    for (HWND h = GetWindow(hDlg, GW_CHILD); h != NULL; h = GetWindow(h, GW_HWNDNEXT))
        texts.push_back(TextOf(h));
    for (const char *pszLabel : t.labels)
        EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), pszLabel)) << pszLabel;
    if (t.controls.empty()) {
        EXPECT_EQ(nullptr, GetWindow(hDlg, GW_CHILD)) << "drawn by its procedure";
    }
}

/* Visible controls lie inside the dialog, never overlap one another, and lie wholly
   inside any group box they touch. Two are placed apart on purpose: the System dialog's
   store of the hot-key code lies beyond its edge, and the what's-this explanation covers
   the rows that its procedure removes when it shows it. */
TEST_P(DialogTemplates, ControlsStayApartAndInside)
{
    const struct { WORD wTemplate; int iID; } exempt[] = {
        {IDD_SYSTEM, IDC_SYS_HOTKEY_CODE}, {IDD_WHATSTHIS, IDC_WT_EXPLANATION}};
    auto IsExempt = [&](HWND h) {
        for (const auto &e : exempt)
            if (e.wTemplate == GetParam().wID && e.iID == GetDlgCtrlID(h))
                return true;
        return false;
    };
    RECT rcClient;
    GetClientRect(hDlg, &rcClient);
    struct tagPLACED { HWND hCtl; RECT rc; bool bGroup; };
    std::vector<tagPLACED> placed;
    for (HWND h = GetWindow(hDlg, GW_CHILD); h != NULL; h = GetWindow(h, GW_HWNDNEXT)) {
        if (!(GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) || IsExempt(h))
            continue;
        RECT rc;
        GetWindowRect(h, &rc);
        MapWindowPoints(NULL, hDlg, (POINT *)&rc, 2);
        bool bGroup = ClassOf(h) == "Button" && (GetWindowLongA(h, GWL_STYLE) & 0x0F) == BS_GROUPBOX;
        placed.push_back({h, rc, bGroup});
        RECT rcInside;
        IntersectRect(&rcInside, &rc, &rcClient);
        EXPECT_TRUE(EqualRect(&rcInside, &rc)) << "\"" << TextOf(h) << "\" leaves the dialog";
    }
    for (size_t i = 0; i < placed.size(); ++i)
        for (size_t j = 0; j < i; ++j) {
            RECT rcBoth;
            if (!IntersectRect(&rcBoth, &placed[i].rc, &placed[j].rc))
                continue;
            const tagPLACED *pGroup = placed[i].bGroup ? &placed[i] : placed[j].bGroup ? &placed[j] : nullptr;
            const tagPLACED *pOther = pGroup == &placed[i] ? &placed[j] : &placed[i];
            EXPECT_TRUE(pGroup != nullptr && !pOther->bGroup && EqualRect(&rcBoth, &pOther->rc))
                << "\"" << TextOf(placed[i].hCtl) << "\" (" << GetDlgCtrlID(placed[i].hCtl)
                << ") and \"" << TextOf(placed[j].hCtl) << "\" (" << GetDlgCtrlID(placed[j].hCtl) << ")";
        }
}

INSTANTIATE_TEST_SUITE_P(Brenvik, DialogTemplates, ::testing::ValuesIn(Templates()),
                         [](const ::testing::TestParamInfo<tagTEMPLATE> &info) {
                             return "Template" + std::to_string(info.param.wID);
                         });

TEST(DialogStyles, WindowsOfTheToolsAndThePictureHaveTheirFrames)
{
    ASSERT_NE(nullptr, Brenvik());
    auto StyleOf = [](WORD wID) {
        HWND hDlg = CreateDialogRes(wID, NULL, PlainDlgProc);
        LONG lStyle = hDlg != NULL ? GetWindowLongA(hDlg, GWL_STYLE) : 0;
        if (hDlg != NULL)
            DestroyWindow(hDlg);
        return lStyle;
    };
    LONG lTasks = StyleOf(IDD_TASKS);
    EXPECT_EQ(0, lTasks & WS_DLGFRAME) << "no caption";
    EXPECT_TRUE(lTasks & WS_BORDER);
    EXPECT_TRUE(lTasks & WS_VISIBLE);
    LONG lKeyboard = StyleOf(IDD_KEYBOARD);
    EXPECT_EQ(WS_CAPTION, lKeyboard & WS_CAPTION);
    EXPECT_TRUE((lKeyboard & WS_SYSMENU) && (lKeyboard & WS_VISIBLE) && (lKeyboard & WS_POPUP));
    LONG lButtons = StyleOf(IDD_BUTTONS);
    EXPECT_EQ(WS_CAPTION, lButtons & WS_CAPTION);
    EXPECT_TRUE((lButtons & WS_SYSMENU) && (lButtons & WS_THICKFRAME) && (lButtons & WS_VSCROLL));
}

/* ---- Pictures ------------------------------------------------------------------------- */

#pragma pack(push, 2)
struct tagGROUPENTRY {   /* one image of an icon or cursor group as stored */
    BYTE  bWidth, bHeight, bColours, bReserved;
    WORD  wPlanes, wBitCount;
    DWORD dwBytes;
    WORD  wID;
};
#pragma pack(pop)

std::vector<tagGROUPENTRY> GroupEntries(LPCSTR lpszName, LPCSTR lpszType)
{
    HRSRC hInfo = FindResourceA(Brenvik(), lpszName, lpszType);
    if (hInfo == NULL)
        return {};
    const WORD *pw = (const WORD *)LockResource(LoadResource(Brenvik(), hInfo));
    const tagGROUPENTRY *pEntries = (const tagGROUPENTRY *)(pw + 3);
    return std::vector<tagGROUPENTRY>(pEntries, pEntries + pw[2]);
}

TEST(Pictures, IconsHaveTheirSizesInSixteenColours)
{
    ASSERT_NE(nullptr, Brenvik());
    const struct { LPCSTR lpszName; std::vector<int> sizes; } icons[] = {
        {"IDI_PC", {16}},
        {MAKEINTRESOURCEA(IDI_MODE_WEB), {16}}, {MAKEINTRESOURCEA(IDI_MODE_PHONE), {16}},
        {MAKEINTRESOURCEA(IDI_MODE_DVD), {16}}, {MAKEINTRESOURCEA(IDI_MODE_CD), {16}},
        {MAKEINTRESOURCEA(IDI_HOME_AUTOMATION), {32}}, {MAKEINTRESOURCEA(IDI_TASK_FALLBACK), {32}},
        {MAKEINTRESOURCEA(IDI_LAUNCH), {32}}, {MAKEINTRESOURCEA(IDI_WEB_ADDRESS), {32}},
        {MAKEINTRESOURCEA(IDI_EDIT), {32}}, {MAKEINTRESOURCEA(IDI_MEDIA), {32}},
        {MAKEINTRESOURCEA(IDI_SYSTEM), {32}}, {MAKEINTRESOURCEA(IDI_REMOTE), {32, 16}},
        {MAKEINTRESOURCEA(IDI_REMOTE_MOUSE), {32, 16}}, {MAKEINTRESOURCEA(IDI_REMOTE_SMALL), {16}},
    };
    for (const auto &icon : icons) {
        SCOPED_TRACE(IS_INTRESOURCE(icon.lpszName) ? std::to_string((UINT_PTR)icon.lpszName)
                                                   : std::string(icon.lpszName));
        std::vector<tagGROUPENTRY> entries = GroupEntries(icon.lpszName, RT_GROUP_ICON);
        ASSERT_EQ(icon.sizes.size(), entries.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(icon.sizes[i], entries[i].bWidth);
            EXPECT_EQ(icon.sizes[i], entries[i].bHeight);
            EXPECT_EQ(16, entries[i].bColours);
            EXPECT_EQ(4, entries[i].wBitCount);
        }
        if (IS_INTRESOURCE(icon.lpszName)) {
            HICON hIcon = GetIconRes((WORD)(UINT_PTR)icon.lpszName);
            EXPECT_NE(nullptr, hIcon);
            DestroyIcon(hIcon);
        }
    }
    EXPECT_EQ(nullptr, GetIconRes(1)) << "the PC-mode icon is the tray program's own";
}

TEST(Pictures, MarksAreSixteenColourSquaresOfSixteen)
{
    ASSERT_NE(nullptr, Brenvik());
    for (WORD wID = IDB_MARK_LAUNCH; wID <= IDB_MARK_SYSTEM; ++wID) {
        SCOPED_TRACE(wID);
        HBITMAP hBitmap = GetBitmapRes(wID);
        ASSERT_NE(nullptr, hBitmap);
        BITMAP bm = {};
        GetObjectA(hBitmap, sizeof(bm), &bm);
        EXPECT_EQ(16, bm.bmWidth);
        EXPECT_EQ(16, bm.bmHeight);
        DeleteObject(hBitmap);
        HRSRC hInfo = FindResourceA(Brenvik(), MAKEINTRESOURCEA(wID), RT_BITMAP);
        const BITMAPINFOHEADER *pbih = (const BITMAPINFOHEADER *)LockResource(LoadResource(Brenvik(), hInfo));
        ASSERT_NE(nullptr, pbih);
        EXPECT_EQ(4, pbih->biBitCount);
    }
    EXPECT_EQ(nullptr, GetBitmapRes(IDB_MARK_SYSTEM + 1));
}

TEST(Pictures, CaptureCursorIsTwoColoursOfThirtyTwo)
{
    ASSERT_NE(nullptr, Brenvik());
    HCURSOR hCursor = GetCursorRes(IDCUR_CAPTURE);
    EXPECT_NE(nullptr, hCursor);
    /* Cursor groups store the width and the doubled height as words. */
    HRSRC hInfo = FindResourceA(Brenvik(), MAKEINTRESOURCEA(IDCUR_CAPTURE), RT_GROUP_CURSOR);
    ASSERT_NE(nullptr, hInfo);
    const WORD *pw = (const WORD *)LockResource(LoadResource(Brenvik(), hInfo));
    ASSERT_EQ(1, pw[2]);
    EXPECT_EQ(32, pw[3]);
    EXPECT_EQ(64, pw[4]);
    EXPECT_EQ(1, pw[6]) << "bits per pixel";
    const WORD *pImage = (const WORD *)LockResource(LoadResource(
        Brenvik(), FindResourceA(Brenvik(), MAKEINTRESOURCEA(pw[9]), RT_CURSOR)));
    ASSERT_NE(nullptr, pImage);
    EXPECT_TRUE(pImage[0] >= 8 && pImage[0] < 24 && pImage[1] >= 8 && pImage[1] < 24)
        << "hot spot near the middle: " << pImage[0] << "," << pImage[1];
    EXPECT_EQ(nullptr, GetMenuRes(1));
    EXPECT_EQ(nullptr, GetAcceleratorsRes(1));
}

}  // namespace
