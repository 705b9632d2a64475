/*
 * mode32_system.cpp - the System dialog: window, desktop and power functions, a hot key
 * (edited in the Hot Key dialog and kept as its code in a hidden static), and, when the
 * home-automation software is installed, the way to the window-message dialog, whose
 * button the function editor then gives to home automation.
 */
#include <windows.h>
#include "HelpTopics.h"
#include <windowsx.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "but32.h"
#include "editor.h"
#include "family.h"
#include "mode32_lists.h"
#include "mode32_hotkey.h"
#include "mode32_zendra.h"
#include "dlgcrack.h"

#define NAME_LENGTH     64
#define HOTKEY_CODE     6       /* five characters and the terminator */

static void EnableAssignButton(HWND hDlg, int bFlag)
{
    EnableWindow(GetDlgItem(hDlg, IDC_SYS_ASSIGN), bFlag);
    EnableWindow(GetDlgItem(hDlg, IDC_SYS_CURRENT_LABEL), bFlag);
    ShowWindow(GetDlgItem(hDlg, IDC_SYS_CURRENT), bFlag == 1 ? SW_SHOW : SW_HIDE);
}

/* Whether a name is the string table's entry uID, without regard to case. */
static BOOL IsNamed(LPCSTR lpszName, UINT uID)
{
    char szEntry[NAME_LENGTH];
    return GetStringRes(uID, szEntry, sizeof(szEntry)) != 0 && lstrcmpiA(lpszName, szEntry) == 0;
}

/* Selects the entry whose text is exactly the name; FALSE when there is none. */
static BOOL SelectExact(HWND hDlg, LPCSTR lpszName)
{
    HWND hCombo = GetDlgItem(hDlg, IDC_SYS_FUNCTION);
    int cEntries = ComboBox_GetCount(hCombo);
    for (int i = 0; i < cEntries; i++) {
        char szEntry[NAME_LENGTH];
        if (ComboBox_GetLBTextLen(hCombo, i) < NAME_LENGTH) {
            ComboBox_GetLBText(hCombo, i, szEntry);
            if (strcmp(szEntry, lpszName) == 0) {
                ComboBox_SetCurSel(hCombo, i);
                return TRUE;
            }
        }
    }
    return FALSE;
}

/* Shows a hot-key code: the Assign group, its text in 453, the code in 454 and the value
   being edited. */
static void ShowHotKey(HWND hDlg, LPCSTR lpszCode)
{
    EnableAssignButton(hDlg, 1);
    if (lpszCode != NULL)
        SetDlgItemTextA(hDlg, IDC_SYS_HOTKEY_CODE, lpszCode);
    char szCode[HOTKEY_CODE];
    GetDlgItemTextA(hDlg, IDC_SYS_HOTKEY_CODE, szCode, sizeof(szCode));
    ShowHotKeyType(hDlg, IDC_SYS_CURRENT, szCode, 1);
    SetHotKeyLong(hDlg);
}

/* The holder's function (and hot key) into the editable controls. */
static void SetSystemValues(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    if (pbiHolder->pszPrimary == NULL || !SelectExact(hDlg, pbiHolder->pszPrimary))
        return;
    if (IsNamed(pbiHolder->pszPrimary, IDS_HOTKEY))
        ShowHotKey(hDlg, pbiHolder->pszExtra1 != NULL ? pbiHolder->pszExtra1 : "");
    else
        EnableAssignButton(hDlg, 0);
}

static void SetSystem(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent)
{
    EnableAssignButton(hDlg, 0);
    InitialiseComboBoxRC(hDlg, IDC_SYS_FUNCTION, IDR_SYSTEM_NAMES, 0);
    SetDlgItemTextA(hDlg, IDC_SYS_DEF_FUNCTION, pbiHolder->pszPrimary != NULL ? pbiHolder->pszPrimary : "");
    if (pbiHolder->pszPrimary != NULL && IsNamed(pbiHolder->pszPrimary, IDS_HOTKEY))
        ShowHotKeyType(hDlg, IDC_SYS_DEF_CURRENT, pbiHolder->pszExtra1, 0);
    if (IsDovrelInstalled() == 1) {
        /* The window messages are reached from here while their button serves home automation. */
        char szMessages[NAME_LENGTH];
        GetStringRes(IDS_MESSAGE_DIALOG, szMessages, sizeof(szMessages));
        int iIndex = ComboBox_AddString(GetDlgItem(hDlg, IDC_SYS_FUNCTION), szMessages);
        if ((Editor()->bEmpty & (1 << MESSAGE)) == 0) {
            ComboBox_SetCurSel(GetDlgItem(hDlg, IDC_SYS_FUNCTION), iIndex);
            return;
        }
    }
    if (bCurrent)
        SetSystemValues(hDlg, pbiHolder);
}

static void GetSystem(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    DlgItemToString(hDlg, IDC_SYS_FUNCTION, &pbiHolder->pszPrimary);
    DlgItemToString(hDlg, IDC_SYS_HOTKEY_CODE, &pbiHolder->pszExtra1);
}

const tagFAMILY SystemFamily = {
    SYSTEM, IDD_SYSTEM, SystemDlgProc, IDR_SYSTEM_TEMPLATES, IDH_SYSTEM, 4, 6,
    SetSystem, GetSystem, SetSystemValues, NULL
};

static BOOL OnInitDialog(HWND hDlg, HWND hFocus, LPARAM lParam)
{
    (void)hFocus;
    (void)lParam;
    FamilyInitDialog(hDlg, &SystemFamily);
    return FALSE;
}

static void OnDestroy(HWND hDlg)
{
    Editor()->lHotKeyCode = 0;
    Editor()->bExtraChar = 0;
    FamilyOnDestroy(hDlg);
}

static void OnFunctionChosen(HWND hDlg)
{
    char szName[NAME_LENGTH];
    GetSelectedText(hDlg, IDC_SYS_FUNCTION, szName, sizeof(szName));
    if (IsNamed(szName, IDS_HOTKEY))
        ShowHotKey(hDlg, NULL);
    else
        EnableAssignButton(hDlg, 0);
    if (IsNamed(szName, IDS_MESSAGE_DIALOG))
        DialogBoxRes(IDD_MESSAGES, hDlg, MessageDlgProc);
}

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    char szName[NAME_LENGTH];
    switch (iID) {
    case IDC_SYS_FUNCTION:
        if (uiNotify == CBN_SELCHANGE)
            OnFunctionChosen(hDlg);
        break;
    case IDC_SYS_ASSIGN:
        /* The Hot Key dialog leaves the value alone on Cancel; it is shown again either way. */
        DialogBoxRes(IDD_HOTKEY, hDlg, HotKeyDlgProc);
        SetHotKeyText(hDlg, IDC_SYS_CURRENT, Editor()->lHotKeyCode, Editor()->bExtraChar);
        break;
    case IDC_CLEAR:
        ComboBox_SetCurSel(GetDlgItem(hDlg, IDC_SYS_FUNCTION), 0);
        SetDlgItemTextA(hDlg, IDC_SYS_CURRENT, "");
        SetDlgItemTextA(hDlg, IDC_SYS_HOTKEY_CODE, "");
        Editor()->lHotKeyCode = 0;
        Editor()->bExtraChar = 0;
        EnableAssignButton(hDlg, 0);
        break;
    case IDOK:
        /* "Message Dialog Box" stored its own result when its dialog closed. */
        GetSelectedText(hDlg, IDC_SYS_FUNCTION, szName, sizeof(szName));
        if (!IsNamed(szName, IDS_MESSAGE_DIALOG)) {
            Editor()->fCurrentFunction = SYSTEM;
            GetFunction(hDlg, &SystemFamily, Editor()->pbiHolder);
        }
        EndDialog(hDlg, 1);
        break;
    default:
        FamilyCommand(hDlg, iID);
    }
}

extern "C" INT_PTR CALLBACK SystemDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, OnDestroy);
        FAMILY_DLGMSGS(hDlg);
    }
    return FALSE;
}
