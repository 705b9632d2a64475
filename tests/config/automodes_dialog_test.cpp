/*
 * automodes_dialog_test.cpp - the Automatic Modes dialog as a person uses it: opened from the
 * picture of the remote's window menu, it lists the usable pairs (and only those), offers
 * the programs running now, adds a chosen or typed program with the mode chosen for it,
 * changes and removes pairs, refuses an empty program, and stores on OK only what changed,
 * leaving the values it could not show as they were; Cancel stores nothing.
 */
#include <gtest/gtest.h>
#include <windowsx.h>
#include <string>
#include <vector>
#include "autopairs.h"
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "but32.h"
#include "auto32.h"
#include "dialog_script.h"
#include "probe_client.h"
#include "OrvaneStore.h"
#include "testsupport.h"

namespace {

const char szRoot[] = ORVANE_ROOT_KEY;
const char szPairsKey[] = ORVANE_ROOT_KEY "\\" STORE_AUTOMODE_KEY;
const char *const pszModes[] = { "PC", "WEB", "Phone", "DVD", "CD" };
const std::string strOverlong = std::string(300, 'o') + ".exe";

std::vector<std::string> ListEntries(HWND hDlg, int iControl)
{
    HWND hList = GetDlgItem(hDlg, iControl);
    char szClass[16] = "";
    GetClassNameA(hList, szClass, sizeof(szClass));
    bool bListBox = lstrcmpiA(szClass, "ListBox") == 0;
    int iCount = (int)SendMessageA(hList, bListBox ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    std::vector<std::string> v;
    for (int i = 0; i < iCount; i++) {
        char szEntry[600] = "";
        SendMessageA(hList, bListBox ? LB_GETTEXT : CB_GETLBTEXT, i, (LPARAM)szEntry);
        v.push_back(szEntry);
    }
    return v;
}

std::string SelectedPair(HWND hDlg)
{
    HWND hList = GetDlgItem(hDlg, IDC_AM_PAIRS);
    int i = ListBox_GetCurSel(hList);
    return i < 0 ? "" : ListEntries(hDlg, IDC_AM_PAIRS)[i];
}

/* What a person's action tells the dialog, at once (the steps check what follows). */
void Command(HWND hDlg, int iControl, UINT uiNotify)
{
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(iControl, uiNotify), (LPARAM)GetDlgItem(hDlg, iControl));
}

void ChooseMode(HWND hDlg, const char *pszMode)
{
    HWND hModes = GetDlgItem(hDlg, IDC_AM_MODE);
    ComboBox_SetCurSel(hModes, ComboBox_FindStringExact(hModes, -1, pszMode));
    Command(hDlg, IDC_AM_MODE, CBN_SELCHANGE);
}

void Type(HWND hDlg, const std::string &strProgram)
{
    SetText(hDlg, IDC_AM_PROGRAM, strProgram);
    Command(hDlg, IDC_AM_PROGRAM, CBN_EDITCHANGE);
}

void ChoosePair(HWND hDlg, int i)
{
    ListBox_SetCurSel(GetDlgItem(hDlg, IDC_AM_PAIRS), i);
    Command(hDlg, IDC_AM_PAIRS, LBN_SELCHANGE);
}

std::string StoredPair(const std::string &strProgram)
{
    std::string strMode;
    return ReadRegString(HKEY_CURRENT_USER, szPairsKey, strProgram.c_str(), &strMode) ? strMode : "<none>";
}

/* The switch's stored bytes: "" when missing. */
std::string StoredSwitch()
{
    RegistrySnapshot snapshot = SnapshotRegistry(szRoot, { ORVANE_SETTINGS });
    auto it = snapshot.find(std::string(ORVANE_SETTINGS) + "\\" + AUTOMODE_SWITCH);
    return it == snapshot.end() ? "" : it->second.strData;
}

} // namespace

TEST(AutoModesDialog, ListsAddsChangesAndRemovesPairsAndStoresOnlyOnOK)
{
    DeleteRegKey(HKEY_CURRENT_USER, szRoot);
    WriteRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, ORVANE_WORKING_DIRECTORY, BinaryDir());
    for (int m = 0; m < 5; m++)
        Write("Mode", std::to_string(m + 1).c_str(), pszModes[m]);
    /* One usable pair, and values of no use that the dialog must leave alone. */
    WriteRegString(HKEY_CURRENT_USER, szPairsKey, "notepad.exe", "web");
    WriteRegString(HKEY_CURRENT_USER, szPairsKey, "old.exe", "Video");
    WriteRegString(HKEY_CURRENT_USER, szPairsKey, "", "CD");
    WriteRegString(HKEY_CURRENT_USER, szPairsKey, strOverlong.c_str(), "CD");
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, szPairsKey, 0, KEY_SET_VALUE, &hKey));
    RegSetValueExA(hKey, "binary.exe", 0, REG_BINARY, (const BYTE *)"DVD", 3);
    RegCloseKey(hKey);
    const RegistrySnapshot before = SnapshotRegistry(szRoot, { STORE_AUTOMODE_KEY });

    /* A program running now, with a window on the desktop. */
    ProbeProcess ppRunning;
    ASSERT_TRUE(StartProbe(&ppRunning, "automodes-dialog", { "R,600,400,250,150" }));

    std::string strMenuItem, strRefusal;
    std::vector<std::string> vShownFirst, vModes, vRunning, vAfterEdits, vShownAgain;
    std::string strModeShown, strAfterTyped;
    std::vector<std::string> vSeen;
    bool bSwitchShown = false, bSwitchShownAgain = true, bRemoveEnabled = false;
    bool bDone = RunScript([] { MouseButtons(NULL); }, {
        {"Buttons", [&](HWND hDlg) {
            char szItem[64] = "";
            GetMenuStringA(GetSystemMenu(hDlg, FALSE), SC_AUTO_MODES, szItem, sizeof(szItem), MF_BYCOMMAND);
            strMenuItem = szItem;
            PostMessageA(hDlg, WM_SYSCOMMAND, SC_AUTO_MODES, 0);
        }},
        {"Automatic Modes", [&](HWND hDlg) {
            vShownFirst = ListEntries(hDlg, IDC_AM_PAIRS);
            vModes = ListEntries(hDlg, IDC_AM_MODE);
            vRunning = ListEntries(hDlg, IDC_AM_PROGRAM);
            strModeShown = SelectedEntry(hDlg, IDC_AM_MODE);
            bSwitchShown = IsDlgButtonChecked(hDlg, IDC_AM_ENABLED) == BST_CHECKED;
            bRemoveEnabled = IsWindowEnabled(GetDlgItem(hDlg, IDC_AM_REMOVE)) != FALSE;
            SaveWindowPicture(hDlg, "automodes-dialog");
            /* A running program, its mode chosen first. */
            HWND hPrograms = GetDlgItem(hDlg, IDC_AM_PROGRAM);
            ComboBox_SetCurSel(hPrograms, ComboBox_FindStringExact(hPrograms, -1, "probe.exe"));
            Command(hDlg, IDC_AM_PROGRAM, CBN_SELCHANGE);
            ChooseMode(hDlg, "DVD");
            Command(hDlg, IDC_AM_ADD, BN_CLICKED);
            /* A typed full path, then its mode changed; then a listed program typed again in
               other letters gets the mode chosen; then the path removed. */
            Type(hDlg, "  C:\\Apps\\Player.exe ");
            Command(hDlg, IDC_AM_ADD, BN_CLICKED);
            ChooseMode(hDlg, "Phone");
            strAfterTyped = SelectedPair(hDlg);
            Type(hDlg, "NOTEPAD.EXE");
            ChooseMode(hDlg, "CD");
            Command(hDlg, IDC_AM_ADD, BN_CLICKED);
            ChoosePair(hDlg, 2);
            Command(hDlg, IDC_AM_REMOVE, BN_CLICKED);
            vAfterEdits = ListEntries(hDlg, IDC_AM_PAIRS);
            /* Nothing to add: refused. */
            Type(hDlg, " ");
            PostClick(hDlg, IDC_AM_ADD);
        }},
        {"Cannot Store", [&](HWND hBox) {
            char szText[256] = "";
            GetDlgItemTextA(hBox, 0xFFFF, szText, sizeof(szText));
            strRefusal = szText;
            PostClick(hBox, IDOK);
        }},
        {"Automatic Modes", [&](HWND hDlg) {
            PostMessageA(GetDlgItem(hDlg, IDC_AM_ENABLED), BM_CLICK, 0, 0);
            PostClick(hDlg, IDOK);
        }},
        {"Buttons", [&](HWND hDlg) { PostMessageA(hDlg, WM_SYSCOMMAND, SC_AUTO_MODES, 0); }},
        {"Automatic Modes", [&](HWND hDlg) {
            vShownAgain = ListEntries(hDlg, IDC_AM_PAIRS);
            bSwitchShownAgain = IsDlgButtonChecked(hDlg, IDC_AM_ENABLED) == BST_CHECKED;
            /* Everything removed and switched on again, then Cancel. */
            while (ListBox_GetCount(GetDlgItem(hDlg, IDC_AM_PAIRS)) > 0) {
                ChoosePair(hDlg, 0);
                Command(hDlg, IDC_AM_REMOVE, BN_CLICKED);
            }
            CheckDlgButton(hDlg, IDC_AM_ENABLED, BST_CHECKED);
            PostClick(hDlg, IDCANCEL);
        }},
        {"Buttons", [](HWND hDlg) { PostMessageA(hDlg, WM_CLOSE, 0, 0); }},
    }, &vSeen);
    StopProbe(&ppRunning);
    std::string strSeen;
    for (const std::string &str : vSeen)
        strSeen += "[" + str + "] ";
    EXPECT_TRUE(bDone) << "dialogs shown: " << strSeen;

    EXPECT_EQ("&Automatic Modes...", strMenuItem);
    EXPECT_EQ(std::vector<std::string>{ "WEB\tnotepad.exe" }, vShownFirst) << "only the usable pair";
    EXPECT_EQ(std::vector<std::string>(pszModes, pszModes + 5), vModes);
    EXPECT_EQ("WEB", strModeShown) << "the selected pair's mode";
    EXPECT_TRUE(bSwitchShown) << "on while the switch is missing";
    EXPECT_TRUE(bRemoveEnabled);
    EXPECT_NE(vRunning.end(), std::find(vRunning.begin(), vRunning.end(), "probe.exe"));
    EXPECT_EQ(vRunning.end(), std::find(vRunning.begin(), vRunning.end(), "automodes_dialog_test.exe"))
        << "not the configuration's own program";
    EXPECT_EQ("Phone\tC:\\Apps\\Player.exe", strAfterTyped);
    EXPECT_EQ((std::vector<std::string>{ "CD\tnotepad.exe", "DVD\tprobe.exe" }), vAfterEdits);
    EXPECT_NE(std::string::npos, strRefusal.find("browse for its file")) << strRefusal;
    EXPECT_EQ((std::vector<std::string>{ "CD\tnotepad.exe", "DVD\tprobe.exe" }), vShownAgain);
    EXPECT_FALSE(bSwitchShownAgain);

    /* OK stored the changes, Cancel nothing; the values of no use stayed as they were. */
    EXPECT_EQ("CD", StoredPair("notepad.exe"));
    EXPECT_EQ("DVD", StoredPair("probe.exe"));
    EXPECT_EQ("<none>", StoredPair("C:\\Apps\\Player.exe"));
    EXPECT_EQ(std::string(1, '\0'), StoredSwitch());
    RegistrySnapshot after = SnapshotRegistry(szRoot, { STORE_AUTOMODE_KEY });
    for (const char *pszKept : { "old.exe", "", "binary.exe" }) {
        std::string strName = std::string(STORE_AUTOMODE_KEY) + "\\" + pszKept;
        ASSERT_EQ(1u, before.count(strName)) << pszKept;
        EXPECT_EQ(1u, after.count(strName)) << pszKept;
        if (after.count(strName)) {
            EXPECT_EQ(before.at(strName), after.at(strName)) << pszKept;
        }
    }
    EXPECT_EQ(1u, after.count(std::string(STORE_AUTOMODE_KEY) + "\\" + strOverlong));
    DeleteRegKey(HKEY_CURRENT_USER, szPairsKey);
    DeleteRegValue(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, AUTOMODE_SWITCH);
}
