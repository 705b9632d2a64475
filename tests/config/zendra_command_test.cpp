/*
 * zendra_command_test.cpp - home-automation commands: their text read back into parts and
 * written again, and the "Zendra Commands" dialog driven as a person would, down to the
 * command stored in the holder. The modules are linked in; the tables and the dialog
 * template come from the built Brenvik.dll.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <windowsx.h>
#include <string>
#include <vector>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "zendrares32.h"
#include "but32.h"
#include "editor.h"
#include "mode32_zendra.h"
#include "standin_reports.h"
#include "testsupport.h"

namespace {

std::string Text(LPCSTR lpsz) { return lpsz != NULL ? lpsz : "(null)"; }

struct Parsed {
    tagMACROINFO mi = {};
    explicit Parsed(LPCSTR lpszCommand) { CreateMacroStruct(lpszCommand, &mi); }
    ~Parsed() { ClearUpMacroStruct(&mi); }
    std::string Units() const
    {
        std::string str;
        for (int i = 0; i < mi.iNumDevice; i++)
            str += (i ? "," : "") + std::to_string(mi.iDeviceCode[i]);
        return str;
    }
    std::string Stored() const
    {
        char sz[200];
        return FormatHouseCode(&mi, 1, sz, sizeof(sz)) ? sz : "(none)";
    }
};

class ZendraCommand : public testing::Test {
protected:
    static void SetUpTestSuite() { hInstance = LoadLibraryA("Brenvik.dll"); }
};

TEST_F(ZendraCommand, EveryFormReadsBackIntoItsPartsAndIsWrittenAgain)
{
    ASSERT_NE(hInstance, (HINSTANCE)NULL);
    struct Case {
        const char *pszCommand, *pszHouse, *pszFunction, *pszUnits;
        int bCommand, bOnOff, iValue;
        const char *pszCode, *pszWrittenAgain;
    } cases[] = {
        { "A1,A3 Dim To 40%", "A", "Dim To", "1,3", 1, 0, 40, NULL, "A1,A3 Dim To 40%" },
        { "B All Units Off", "B", "All Units Off", "", 1, 0, 0, NULL, "B All Units Off" },
        { "C5 Extended Code 00ff", "C", "Extended Code", "5", 1, 0, 0, "00ff", "C5 Extended Code 00ff" },
        /* Bit 7 of a dim value: brighten first, then dim to the rest. */
        { "A2 Dim 178%", "A", "Brighten First Then Dim To", "2", 1, 0, 50, NULL, "A2 Dim 178%" },
        { "Macro D2 On", "D", "(null)", "2", 0, 1, 0, NULL, "Macro D2 On" },
        { "macro p16 off", "p", "(null)", "16", 0, 0, 0, NULL, "Macro p16 Off" },
        /* Either case; "Bright" is not taken for the longer name it begins. */
        { "e3,e4 bright 7%", "e", "Bright", "3,4", 1, 0, 7, NULL, "e3,e4 Bright 7%" },
        { "G9 Status Request", "G", "Status Request", "9", 1, 0, 0, NULL, "G9 Status Request" },
        /* A function that is not in the list parses without one. */
        { "H2 Explode", "H", "(null)", "2", 1, 0, 0, NULL, "(none)" },
        /* Values that no percentage box accepts are brought into range. */
        { "A1 Dim 300%", "A", "Dim", "1", 1, 0, 100, NULL, "A1 Dim 100%" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pszCommand);
        Parsed p(c.pszCommand);
        EXPECT_EQ(c.pszHouse, Text(p.mi.lpszHouseCode));
        EXPECT_EQ(c.pszFunction, Text(p.mi.lpszFunction));
        EXPECT_EQ(c.pszUnits, p.Units());
        EXPECT_EQ(c.bCommand, p.mi.bMacroCommand);
        EXPECT_EQ(c.bOnOff, p.mi.bOnOff);
        EXPECT_EQ(c.iValue, p.mi.iValue);
        EXPECT_EQ(Text(c.pszCode), Text(p.mi.lpszCode));
        EXPECT_EQ(c.pszWrittenAgain, p.Stored());
    }

    /* More than 16 units: the first 16 are kept. */
    std::string strMany;
    for (int i = 1; i <= 20; i++)
        strMany += (i > 1 ? ",K" : "K") + std::to_string(i % 16 + 1);
    Parsed many((strMany + " On").c_str());
    EXPECT_EQ(16, many.mi.iNumDevice);
    EXPECT_EQ("2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,1", many.Units());

    /* Nothing to read leaves the record as it was. */
    tagMACROINFO mi = {};
    mi.iValue = 33;
    CreateMacroStruct("", &mi);
    CreateMacroStruct(NULL, &mi);
    EXPECT_EQ(33, mi.iValue);
    EXPECT_EQ(NULL, mi.lpszHouseCode);
}

/* Units are 1 to 16, written in one or two digits: any other number is no unit, and a
   command holding one is not written as it was read. */
TEST_F(ZendraCommand, UnitsOutsideOneToSixteenAreNotRead)
{
    ASSERT_NE(hInstance, (HINSTANCE)NULL);
    struct { const char *pszCommand, *pszUnits, *pszFunction; } cases[] = {
        { "A11111111111,A4 On", "4", "On" },
        { "A-3,A4 On", "", "(null)" },
        { "A0,A17,A16 Off", "16", "Off" },
        { "B99999999999999999999 Status Request", "", "Status Request" },
        { "Macro C123 On", "", "(null)" },
        { "Macro C12 On", "12", "(null)" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pszCommand);
        Parsed p(c.pszCommand);
        EXPECT_EQ(c.pszUnits, p.Units());
        EXPECT_EQ(c.pszFunction, Text(p.mi.lpszFunction));
        for (int i = 0; i < p.mi.iNumDevice; i++)
            EXPECT_TRUE(p.mi.iDeviceCode[i] >= 1 && p.mi.iDeviceCode[i] <= 16);
        /* Whatever is written again reads back the same. */
        std::string strWritten = p.Stored();
        if (strWritten != "(none)") {
            EXPECT_EQ(strWritten, Parsed(strWritten.c_str()).Stored());
        }
    }
    EXPECT_FALSE(IsHouseCodeAsWritten("A11111111111,A4 On"));
    EXPECT_FALSE(IsHouseCodeAsWritten("macro p16 off"));
    EXPECT_FALSE(IsHouseCodeAsWritten("A1 Dim 300%"));
    EXPECT_TRUE(IsHouseCodeAsWritten("A1,A16 Dim To 40%"));
    EXPECT_TRUE(IsHouseCodeAsWritten("Macro P16 Off"));
    /* A Macro house code outside A to P is none: the dialog keeps the command as it is. */
    EXPECT_EQ("(null)", Text(Parsed("Macro Z1 On").mi.lpszHouseCode));
    EXPECT_FALSE(IsHouseCodeAsWritten("Macro Z1 On"));
    EXPECT_FALSE(IsHouseCodeAsWritten("Macro @1 Off"));
    EXPECT_TRUE(IsHouseCodeAsWritten("A2 Dim 178%"));
}

TEST_F(ZendraCommand, PercentagesCodesAndTheDefaultDataText)
{
    ASSERT_NE(hInstance, (HINSTANCE)NULL);
    struct { const char *psz; int bAccepted, iValue; } percents[] = {
        { "0", 1, 0 }, { "7", 1, 7 }, { "40", 1, 40 }, { "100", 1, 100 }, { "05", 0, 0 },
        { "101", 0, 0 }, { "", 0, 0 }, { "4a", 0, 0 }, { "-1", 0, 0 }, { "00", 0, 0 },
    };
    for (auto &p : percents) {
        int iValue = -1;
        EXPECT_EQ(p.bAccepted, AcceptPercentage(p.psz, &iValue)) << p.psz;
        if (p.bAccepted) {
            EXPECT_EQ(p.iValue, iValue) << p.psz;
        }
    }

    struct { const char *psz, *pszShort, *pszStored; } codes[] = {
        { "FF", "ff", "00ff" }, { "00ff", "ff", "00ff" }, { "", "0", "0000" },
        { "zz", "0", "0000" }, { "1G", "1", "0001" }, { "ABCD", "abcd", "abcd" },
    };
    for (auto &c : codes) {
        char szShort[5], szStored[5];
        lstrcpynA(szShort, c.psz, sizeof(szShort));
        lstrcpynA(szStored, c.psz, sizeof(szStored));
        IsInRange(szShort, 0);
        IsInRange(szStored, 1);
        EXPECT_STREQ(c.pszShort, szShort) << c.psz;
        EXPECT_STREQ(c.pszStored, szStored) << c.psz;
    }

    char sz[100];
    DescribeStoredCommand("A2 Dim 178%", sz, sizeof(sz));
    EXPECT_STREQ("A2 Brighten First Then Dim To 50%", sz);
    DescribeStoredCommand("A1,A3 Dim To 40%", sz, sizeof(sz));
    EXPECT_STREQ("A1,A3 Dim To 40%", sz);
    DescribeStoredCommand("%", sz, sizeof(sz));
    EXPECT_STREQ("%", sz);

    /* Commands that need units have none: nothing is built. */
    tagMACROINFO mi = {};
    mi.bMacroCommand = 1;
    mi.lpszHouseCode = (LPSTR)"B";
    mi.lpszFunction = (LPSTR)"Dim";
    EXPECT_EQ(0, FormatHouseCode(&mi, 1, sz, sizeof(sz)));
    EXPECT_STREQ("", sz);
    /* A text that does not fit is refused whole. */
    mi.iNumDevice = 16;
    for (int i = 0; i < 16; i++)
        mi.iDeviceCode[i] = i + 1;
    EXPECT_EQ(0, FormatHouseCode(&mi, 1, sz, 20));
    EXPECT_STREQ("", sz);
    /* Nor without a house code. */
    mi.lpszHouseCode = (LPSTR)"";
    EXPECT_EQ(0, FormatHouseCode(&mi, 1, sz, sizeof(sz)));
}

TEST_F(ZendraCommand, InstalledWhenAnyOfTheThreeKeysIsThere)
{
    const char *pszKeys[] = { "Software\\Zendra\\Dovrel(TM)", "Software\\Zendra\\Dovrel(II)",
                              "Software\\IBM\\IBM Home Director" };
    for (const char *pszKey : pszKeys)
        DeleteRegKey(HKEY_CURRENT_USER, pszKey);
    EXPECT_EQ(0, IsDovrelInstalled());
    for (const char *pszKey : pszKeys) {
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, pszKey, "x", "1"));
        EXPECT_EQ(1, IsDovrelInstalled()) << pszKey;
        DeleteRegKey(HKEY_CURRENT_USER, pszKey);
    }
    EXPECT_EQ(0, IsDovrelInstalled());
}

/* ---- The dialog ------------------------------------------------------------------------ */

class ZendraDialog : public ZendraCommand {
protected:
    HWND hDlg = NULL;

    void SetUp() override
    {
        ASSERT_NE(hInstance, (HINSTANCE)NULL);
        for (int f = 0; f < FUNCTION_TYPES; f++) {
            holders[f] = {};
            holders[f].fFunction = f;
            holders[f].pbiNext = f + 1 < FUNCTION_TYPES ? &holders[f + 1] : NULL;
            holders[f].pbiLast = f > 0 ? &holders[f - 1] : NULL;
        }
        Editor()->pbiHolder = &holders[0];
        Editor()->fCurrentFunction = APPLAUNCH;
    }
    void TearDown() override
    {
        Close();
        LocalFree(holders[ZENDRACOMMAND].pszPrimary);
        Editor()->pbiHolder = NULL;
    }

    tagBUTTONINFO holders[FUNCTION_TYPES];

    /* Opens the dialog on a stored command; bCurrent: it is the button's assignment. */
    void Open(LPCSTR lpszStored, bool bCurrent)
    {
        LocalFree(holders[ZENDRACOMMAND].pszPrimary);
        holders[ZENDRACOMMAND].pszPrimary = lpszStored != NULL ? CopyToLocal(lpszStored) : NULL;
        Editor()->bEmpty = bCurrent ? (BYTE)~(1 << ZENDRACOMMAND) : 0x7F;
        hDlg = CreateDialogRes(IDD_ZENDRA, NULL, ZendraDlgProc);
        ASSERT_NE(hDlg, (HWND)NULL);
        ShowWindow(hDlg, SW_SHOW);
        PumpMessages(20);
    }
    void Close()
    {
        if (hDlg != NULL)
            DestroyWindow(hDlg);
        hDlg = NULL;
    }
    void Command(int iID, UINT uiNotify = BN_CLICKED)
    {
        SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(iID, uiNotify), (LPARAM)GetDlgItem(hDlg, iID));
    }
    void Click(int iID)
    {
        if (GetDlgItem(hDlg, iID) != NULL && iID != IDOK && iID != IDCANCEL)
            Button_SetCheck(GetDlgItem(hDlg, iID), BST_CHECKED);
        Command(iID);
    }
    void Choose(int iID, const char *pszText)
    {
        HWND hCombo = GetDlgItem(hDlg, iID);
        ComboBox_SetCurSel(hCombo, ComboBox_FindStringExact(hCombo, -1, pszText));
        Command(iID, CBN_SELCHANGE);
    }
    /* A click on a unit: its selection toggles and it gets the caret. */
    void ClickUnit(int iUnit)
    {
        HWND hList = GetDlgItem(hDlg, IDC_ZD_UNITS);
        ListBox_SetSel(hList, ListBox_GetSel(hList, iUnit - 1) <= 0, iUnit - 1);
        ListBox_SetCaretIndex(hList, iUnit - 1);
        Command(IDC_ZD_UNITS, LBN_SELCHANGE);
    }
    /* Typing: the new text, then the notification typing gives. */
    void Type(int iID, const char *pszText)
    {
        SetDlgItemTextA(hDlg, iID, pszText);
        Command(iID, EN_UPDATE);
    }
    void Arrow(UINT uiCode, int iTimes)
    {
        for (int i = 0; i < iTimes; i++)
            SendMessage(hDlg, WM_VSCROLL, MAKEWPARAM(uiCode, 0), (LPARAM)GetDlgItem(hDlg, IDC_ZD_PERCENT_ARROWS));
    }
    std::string Shown(int iID)
    {
        char sz[300] = "";
        GetDlgItemTextA(hDlg, iID, sz, sizeof(sz));
        return sz;
    }
    std::string SelectedUnits()
    {
        HWND hList = GetDlgItem(hDlg, IDC_ZD_UNITS);
        std::string str;
        for (int i = 0; i < ListBox_GetCount(hList); i++)
            if (ListBox_GetSel(hList, i) > 0)
                str += (str.empty() ? "" : ",") + std::to_string(i + 1);
        return str;
    }
    bool Enabled(int iID) { return IsWindowEnabled(GetDlgItem(hDlg, iID)) != FALSE; }
    std::string Stored() { return Text(holders[ZENDRACOMMAND].pszPrimary); }
    void Ok()
    {
        Command(IDOK);
        Close();
    }
    /* Presses OK on what the dialog shows now and returns what OK stored. The scenario
       goes on: OK only hid the dialog, and the holder and the editor's state are put back. */
    std::string OkStores()
    {
        LPSTR pszBefore = holders[ZENDRACOMMAND].pszPrimary;
        holders[ZENDRACOMMAND].pszPrimary = pszBefore != NULL ? CopyToLocal(pszBefore) : NULL;
        int fBefore = Editor()->fCurrentFunction;
        BYTE bBefore = Editor()->bEmpty;
        Command(IDOK);
        std::string strStored = Stored();
        LocalFree(holders[ZENDRACOMMAND].pszPrimary);
        holders[ZENDRACOMMAND].pszPrimary = pszBefore;
        Editor()->fCurrentFunction = fBefore;
        Editor()->bEmpty = bBefore;
        ShowWindow(hDlg, SW_SHOW);
        return strStored;
    }
    /* The preview, and the command OK stores while it shows. */
    void ExpectPreviewStores(const char *pszPreview, const char *pszStored)
    {
        EXPECT_EQ(pszPreview, Shown(IDC_ZD_PREVIEW));
        EXPECT_EQ(pszStored, OkStores()) << "stored while the preview shows \"" << pszPreview << "\"";
    }
};

TEST_F(ZendraDialog, ComposingCommandsForUnitsAndForTheWholeHouseCode)
{
    Open(NULL, false);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_ZD_MACRO));
    EXPECT_FALSE(Enabled(IDC_ZD_FUNCTION));
    EXPECT_FALSE(Enabled(IDC_SET_VALUES));
    Click(IDC_ZD_COMMAND);
    EXPECT_TRUE(Enabled(IDC_ZD_FUNCTION));
    EXPECT_FALSE(Enabled(IDC_ZD_SWITCH));
    Choose(IDC_ZD_HOUSE, "A");
    Choose(IDC_ZD_FUNCTION, "Dim To");
    EXPECT_TRUE(Enabled(IDC_ZD_PERCENT));
    EXPECT_FALSE(Enabled(IDC_ZD_CODE));
    ClickUnit(1);
    ClickUnit(3);
    Type(IDC_ZD_PERCENT, "40");
    ExpectPreviewStores("A1,A3 Dim To 40%", "A1,A3 Dim To 40%");
    SaveWindowPicture(hDlg, "zendra_dim_to");

    /* The whole house code takes no units: the preview drops them. */
    Choose(IDC_ZD_HOUSE, "B");
    Choose(IDC_ZD_FUNCTION, "All Units Off");
    EXPECT_FALSE(Enabled(IDC_ZD_PERCENT));
    EXPECT_EQ("", SelectedUnits());
    ExpectPreviewStores("B All Units Off", "B All Units Off");
    ClickUnit(4);
    EXPECT_EQ("", SelectedUnits());
    Ok();
    EXPECT_EQ("B All Units Off", Stored());
    EXPECT_EQ(ZENDRACOMMAND, Editor()->fCurrentFunction);
    EXPECT_EQ((BYTE)~(1 << ZENDRACOMMAND), Editor()->bEmpty);

    /* Reopened as the button's assignment it shows what was stored. */
    Open("B All Units Off", true);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_ZD_COMMAND));
    EXPECT_EQ("All Units Off", Shown(IDC_ZD_FUNCTION));
    EXPECT_EQ("Command", Shown(IDC_ZD_DEF_TYPE));
    EXPECT_EQ("B All Units Off", Shown(IDC_ZD_DEF_COMMAND));

    /* A function for units with none selected stores nothing: the button is unassigned. */
    Choose(IDC_ZD_FUNCTION, "On");
    ExpectPreviewStores("", "");
    Ok();
    EXPECT_EQ("", Stored());
    EXPECT_EQ(NO_FUNCTION, Editor()->fCurrentFunction);
}

TEST_F(ZendraDialog, PercentageBoxAndArrowsKeepToZeroThroughOneHundred)
{
    Open("A2 Dim 178%", true);
    /* Stored as Dim with bit 7: shown as what the person chose. */
    EXPECT_EQ("Brighten First Then Dim To", Shown(IDC_ZD_FUNCTION));
    EXPECT_EQ("50", Shown(IDC_ZD_PERCENT));
    EXPECT_EQ("2", SelectedUnits());
    ExpectPreviewStores("A2 Brighten First Then Dim To 50%", "A2 Dim 178%");
    EXPECT_EQ("A2 Brighten First Then Dim To 50%", Shown(IDC_ZD_DEF_COMMAND));
    EXPECT_EQ(50, GetScrollPos(GetDlgItem(hDlg, IDC_ZD_PERCENT_ARROWS), SB_CTL));

    Type(IDC_ZD_PERCENT, "05");
    EXPECT_EQ("50", Shown(IDC_ZD_PERCENT));
    Type(IDC_ZD_PERCENT, "100");
    EXPECT_EQ("100", Shown(IDC_ZD_PERCENT));
    Type(IDC_ZD_PERCENT, "101");
    EXPECT_EQ("100", Shown(IDC_ZD_PERCENT));
    Type(IDC_ZD_PERCENT, "x");
    EXPECT_EQ("100", Shown(IDC_ZD_PERCENT));
    Arrow(SB_LINEUP, 3);
    EXPECT_EQ("100", Shown(IDC_ZD_PERCENT));
    Arrow(SB_LINEDOWN, 2);
    EXPECT_EQ("98", Shown(IDC_ZD_PERCENT));
    EXPECT_EQ(98, GetScrollPos(GetDlgItem(hDlg, IDC_ZD_PERCENT_ARROWS), SB_CTL));
    Type(IDC_ZD_PERCENT, "1");
    Arrow(SB_LINEDOWN, 4);
    EXPECT_EQ("0", Shown(IDC_ZD_PERCENT));
    Arrow(SB_LINEUP, 1);
    ExpectPreviewStores("A2 Brighten First Then Dim To 1%", "A2 Dim 129%");
    Ok();
    EXPECT_EQ("A2 Dim 129%", Stored());
}

TEST_F(ZendraDialog, ExtendedCodeAndMacroKeepOneUnit)
{
    Open(NULL, false);
    Click(IDC_ZD_COMMAND);
    Choose(IDC_ZD_HOUSE, "C");
    ClickUnit(5);
    Choose(IDC_ZD_FUNCTION, "Extended Code");
    EXPECT_TRUE(Enabled(IDC_ZD_CODE));
    EXPECT_FALSE(Enabled(IDC_ZD_PERCENT));
    /* The preview shows the code as it is stored, whatever was typed. */
    Type(IDC_ZD_CODE, "zz");
    ExpectPreviewStores("C5 Extended Code 0000", "C5 Extended Code 0000");
    Type(IDC_ZD_CODE, "FF");
    ExpectPreviewStores("C5 Extended Code 00ff", "C5 Extended Code 00ff");
    /* A second unit: only the one with the caret stays. */
    ClickUnit(7);
    EXPECT_EQ("7", SelectedUnits());
    ClickUnit(5);
    EXPECT_EQ("5", SelectedUnits());
    SaveWindowPicture(hDlg, "zendra_extended_code");
    Ok();
    EXPECT_EQ("C5 Extended Code 00ff", Stored());

    /* Macro mode: the several units of a command shrink to the first. */
    Open(NULL, false);
    Click(IDC_ZD_COMMAND);
    Choose(IDC_ZD_HOUSE, "D");
    Choose(IDC_ZD_FUNCTION, "Dim");
    ClickUnit(2);
    ClickUnit(9);
    Click(IDC_ZD_MACRO);
    EXPECT_EQ("2", SelectedUnits());
    EXPECT_FALSE(Enabled(IDC_ZD_PERCENT));
    ClickUnit(4);
    EXPECT_EQ("4", SelectedUnits());
    ClickUnit(2);
    Choose(IDC_ZD_SWITCH, "On");
    ExpectPreviewStores("D2 On", "Macro D2 On");
    Ok();
    EXPECT_EQ("Macro D2 On", Stored());

    Open("Macro D2 On", true);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_ZD_MACRO));
    EXPECT_EQ("On", Shown(IDC_ZD_SWITCH));
    EXPECT_EQ("D", Shown(IDC_ZD_HOUSE));
    EXPECT_EQ("Macro", Shown(IDC_ZD_DEF_TYPE));
    EXPECT_EQ("Macro D2 On", Shown(IDC_ZD_DEF_COMMAND));
    SaveWindowPicture(hDlg, "zendra_macro");
    /* Clear: Macro, Off, first house code and function, no unit, no code, 0. */
    Click(IDC_CLEAR);
    EXPECT_EQ("Off", Shown(IDC_ZD_SWITCH));
    EXPECT_EQ("A", Shown(IDC_ZD_HOUSE));
    EXPECT_EQ("On", Shown(IDC_ZD_FUNCTION));
    EXPECT_EQ("", SelectedUnits());
    EXPECT_EQ("0", Shown(IDC_ZD_PERCENT));
    ExpectPreviewStores("", "");
    /* Set Values brings the stored command back. */
    Click(IDC_SET_VALUES);
    ExpectPreviewStores("D2 On", "Macro D2 On");
    Command(IDCANCEL);
    Close();
    EXPECT_EQ("Macro D2 On", Stored());
}

TEST_F(ZendraDialog, AStoredCommandThatIsNotTheButtonsOwnOpensBlankInItsMode)
{
    Open("A1,A3 Dim To 40%", false);
    /* The controls open blank in the command's mode; the Default Data group shows it. */
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_ZD_COMMAND));
    EXPECT_TRUE(Enabled(IDC_ZD_FUNCTION));
    EXPECT_FALSE(Enabled(IDC_ZD_SWITCH));
    EXPECT_EQ("", SelectedUnits());
    EXPECT_EQ("Command", Shown(IDC_ZD_DEF_TYPE));
    EXPECT_EQ("A1,A3 Dim To 40%", Shown(IDC_ZD_DEF_COMMAND));
    EXPECT_TRUE(Enabled(IDC_SET_VALUES));
    ExpectPreviewStores("", "");
    /* Preview, boxes and OK all follow the mode the radio buttons show. */
    ClickUnit(6);
    ClickUnit(7);
    ExpectPreviewStores("A6,A7 On", "A6,A7 On");
    SaveWindowPicture(hDlg, "zendra_not_current");
    Click(IDC_ZD_MACRO);
    EXPECT_EQ("6", SelectedUnits());
    ExpectPreviewStores("A6 Off", "Macro A6 Off");
    Click(IDC_ZD_COMMAND);
    Choose(IDC_ZD_FUNCTION, "Bright");
    EXPECT_TRUE(Enabled(IDC_ZD_PERCENT));
    ExpectPreviewStores("A6 Bright 0%", "A6 Bright 0%");
    /* The arrows step from the blank box, not from the stored command's 40. */
    Arrow(SB_LINEUP, 1);
    ExpectPreviewStores("A6 Bright 1%", "A6 Bright 1%");
    Click(IDC_SET_VALUES);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_ZD_COMMAND));
    ExpectPreviewStores("A1,A3 Dim To 40%", "A1,A3 Dim To 40%");
    EXPECT_TRUE(Enabled(IDC_ZD_PERCENT));

    /* A Macro command that is not the button's opens in Macro mode. */
    Close();
    Open("Macro D2 On", false);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_ZD_MACRO));
    ClickUnit(3);
    ExpectPreviewStores("A3 Off", "Macro A3 Off");
    Command(IDCANCEL);
    Close();
    EXPECT_EQ("Macro D2 On", Stored());
    EXPECT_EQ(APPLAUNCH, Editor()->fCurrentFunction);
}

/* The button's command that the controls cannot write again is shown and stored as it is,
   until the person changes a control. */
TEST_F(ZendraDialog, ACommandTheControlsCannotWriteIsKeptUntilChanged)
{
    Open("A11111111111,A4 On", true);
    EXPECT_EQ("A11111111111,A4 On", Shown(IDC_ZD_PREVIEW));
    EXPECT_EQ("A11111111111,A4 On", Shown(IDC_ZD_DEF_COMMAND));
    EXPECT_EQ("4", SelectedUnits());
    /* Focus moving through the boxes changes nothing. */
    Command(IDC_ZD_UNITS, LBN_SETFOCUS);
    Command(IDC_ZD_FUNCTION, CBN_SETFOCUS);
    EXPECT_EQ("A11111111111,A4 On", Shown(IDC_ZD_PREVIEW));
    SaveWindowPicture(hDlg, "zendra_kept");
    Ok();
    EXPECT_EQ("A11111111111,A4 On", Stored());
    EXPECT_EQ(ZENDRACOMMAND, Editor()->fCurrentFunction);

    Open("macro p16 off", true);
    EXPECT_EQ("macro p16 off", Shown(IDC_ZD_PREVIEW));
    Ok();
    EXPECT_EQ("macro p16 off", Stored());

    /* A change: the controls write the command, with the units that exist. */
    Open("A11111111111,A4 On", true);
    ClickUnit(5);
    EXPECT_EQ("A4,A5 On", Shown(IDC_ZD_PREVIEW));
    Ok();
    EXPECT_EQ("A4,A5 On", Stored());
}

/* What OK stores is what the button's press hands to Dovrel's communications window. */
TEST_F(ZendraDialog, TheComposedCommandReachesDovrel)
{
    Open(NULL, false);
    Click(IDC_ZD_COMMAND);
    Choose(IDC_ZD_FUNCTION, "Dim To");
    ClickUnit(1);
    ClickUnit(3);
    Type(IDC_ZD_PERCENT, "40");
    Ok();
    char szCommand[COMMAND_SIZE];
    ASSERT_EQ(1, ConvertButtonToCommand(&holders[ZENDRACOMMAND], szCommand));
    EXPECT_STREQ("ZENDRA\"A1,A3 Dim To 40%\"", szCommand);

    typedef void(WINAPI * PARSEFUNCTION)(HWND, LPSTR);
    HMODULE hEngine = LoadLibraryA("Corvalin.dll");
    PARSEFUNCTION pfnParseFunction = (PARSEFUNCTION)(void *)GetProcAddress(hEngine, "ParseFunction");
    ASSERT_NE((PARSEFUNCTION)NULL, pfnParseFunction);
    std::string strReportDir = CreateReportDir();
    HWND hDovrel = NULL;
    HANDLE hProcess = StartStandin("\"" + BinaryDir() + "dovrel.exe\" zendra=1", "ZendraClass",
                                   "Dovrel(TM) Communications", &hDovrel);
    ASSERT_NE((HWND)NULL, hDovrel);
    pfnParseFunction(NULL, szCommand);
    std::vector<std::string> lines = WaitForLines(strReportDir + "dovrel.txt", 1);
    StopStandin(hProcess, hDovrel);
    RemoveReportDir(strReportDir);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("copydata ZendraClass code=3 size=17 ")) << lines[0];
    EXPECT_EQ(lines[0].size() - 21, lines[0].rfind("text=A1,A3 Dim To 40%")) << lines[0];
    FreeLibrary(hEngine);
}

}  // namespace
