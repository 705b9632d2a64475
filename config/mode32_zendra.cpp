/*
 * mode32_zendra.cpp - the home-automation command dialog ("Zendra Commands"): the user
 * picks a house code, units and a function (Command mode) or switches one unit on or off
 * (Macro mode); the dialog shows the command as it is built and stores it in the
 * home-automation holder, which the engine later hands to Dovrel; and the test whether any
 * home-automation software is installed. mode32_zendra_text.cpp reads and builds the
 * command's text.
 */
#include <windows.h>
#include <windowsx.h>
#include <stdio.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "zendrares32.h"
#include "but32.h"
#include "editor.h"
#include "family.h"
#include "mode32_lists.h"
#include "mode32_zendra.h"
#include "dlgcrack.h"

#define PERCENT_TEXT        6       /* the percentage box is read up to 5 characters */

/* Keys that tell whether home-automation software is installed. */
static const UINT uiDovrelKeys[] = { IDS_DOVREL_TM_KEY, IDS_DOVREL_II_KEY, IDS_HOME_DIRECTOR_KEY };

/* The dialog (one at a time). */
static struct tagZENDRA {
    tagMACROINFO miMacro;
    BOOL  bInit;            /* controls are being set up: their notifications are ignored */
    LPSTR pszInCode;        /* the stored command at opening */
    LPSTR pszOutCode;       /* the command built by OK */
    BOOL  bKeepStored;      /* the button's command, which the controls cannot write again:
                               shown and stored as it is until a control is changed */
} zdDialog;

/* ---- Home-automation software ----------------------------------------------------------- */

int IsKeyExist(HKEY hKey, LPCSTR lpszSubKey)
{
    HKEY hOpened;
    if (RegOpenKeyExA(hKey, lpszSubKey, 0, KEY_READ, &hOpened) != ERROR_SUCCESS)
        return 0;
    RegCloseKey(hOpened);
    return 1;
}

int IsDovrelInstalled(void)
{
    for (UINT uiKey : uiDovrelKeys) {
        char szKey[MAX_PATH];
        if (LoadStringA(hInstance, uiKey, szKey, sizeof(szKey)) > 0 && IsKeyExist(HKEY_CURRENT_USER, szKey))
            return 1;
    }
    return 0;
}

/* ---- Control states --------------------------------------------------------------------- */

static void EnableItems(HWND hDlg, const int *piIDs, int cIDs, BOOL bEnable)
{
    for (int i = 0; i < cIDs; i++)
        EnableWindow(GetDlgItem(hDlg, piIDs[i]), bEnable);
}

static void GetItemText(HWND hDlg, int iID, LPSTR lpszText, int iSize)
{
    if (GetDlgItemTextA(hDlg, iID, lpszText, iSize) == 0)
        lpszText[0] = '\0';
}

static HWND UnitList(HWND hDlg)
{
    return GetDlgItem(hDlg, IDC_ZD_UNITS);
}

void EnableValueBox(HWND hDlg, int iMode)
{
    static const int iValueIDs[] = { IDC_ZD_PERCENT_LABEL, IDC_ZD_PERCENT, IDC_ZD_PERCENT_ARROWS };
    char szFunction[NAME_SIZE];
    GetItemText(hDlg, IDC_ZD_FUNCTION, szFunction, sizeof(szFunction));
    EnableItems(hDlg, iValueIDs, ARRAYSIZE(iValueIDs), iMode == 1 && BrightnessFunction(szFunction));
}

void EnableCodeBox(HWND hDlg)
{
    static const int iCodeIDs[] = { IDC_ZD_CODE_LABEL, IDC_ZD_CODE };
    char szFunction[NAME_SIZE];
    GetItemText(hDlg, IDC_ZD_FUNCTION, szFunction, sizeof(szFunction));
    EnableItems(hDlg, iCodeIDs, ARRAYSIZE(iCodeIDs), FunctionPosition(szFunction) == ZF_EXTENDED_CODE);
}

void EnableMode(HWND hDlg, int iMode)
{
    static const int iSwitchIDs[] = { IDC_ZD_SWITCH_LABEL, IDC_ZD_SWITCH };
    static const int iFunctionIDs[] = { IDC_ZD_FUNCTION_LABEL, IDC_ZD_FUNCTION };
    CheckRadioButton(hDlg, IDC_ZD_MACRO, IDC_ZD_COMMAND, iMode == 0 ? IDC_ZD_MACRO : IDC_ZD_COMMAND);
    EnableItems(hDlg, iSwitchIDs, ARRAYSIZE(iSwitchIDs), iMode == 0);
    EnableItems(hDlg, iFunctionIDs, ARRAYSIZE(iFunctionIDs), iMode != 0);
    EnableValueBox(hDlg, iMode);
    EnableCodeBox(hDlg);
}

/* The mode the radio buttons show: the preview, the boxes and OK all follow it. */
static int CheckedMode(HWND hDlg)
{
    return IsDlgButtonChecked(hDlg, IDC_ZD_MACRO) == BST_CHECKED ? 0 : 1;
}

void SelectDevice(HWND hDlg, int iKeep)
{
    HWND hList = UnitList(hDlg);
    if (ListBox_GetSelCount(hList) == iKeep)
        return;
    int iCount = ListBox_GetCount(hList);
    for (int i = 0; i < iCount; i++)
        if (ListBox_GetSel(hList, i) > 0 && iKeep-- <= 0)
            ListBox_SetSel(hList, FALSE, i);
}

void LimitSelection(HWND hDlg)
{
    HWND hList = UnitList(hDlg);
    int iCaret = ListBox_GetCaretIndex(hList);
    int iCount = ListBox_GetCount(hList);
    for (int i = 0; i < iCount; i++)
        if (i != iCaret && ListBox_GetSel(hList, i) > 0)
            ListBox_SetSel(hList, FALSE, i);
}

/* The selected units, in list order. */
static int SelectedUnits(HWND hDlg, int *piUnits)
{
    HWND hList = UnitList(hDlg);
    int iCount = ListBox_GetCount(hList);
    int iUnits = 0;
    for (int i = 0; i < iCount && iUnits < MACRO_UNITS; i++)
        if (ListBox_GetSel(hList, i) > 0)
            piUnits[iUnits++] = i + 1;
    return iUnits;
}

int GetAllDevices(HWND hDlg, LPSTR lpszOut, int iSize, LPCSTR lpszHouseCode)
{
    int iUnits[MACRO_UNITS];
    return FormatTargets(lpszHouseCode, iUnits, SelectedUnits(hDlg, iUnits), lpszOut, iSize);
}

/* The command the controls describe, in mode iMode. */
static void ReadControls(HWND hDlg, int iMode, tagMACROINFO *pmiMacro)
{
    char szText[NAME_SIZE];
    *pmiMacro = {};
    pmiMacro->bMacroCommand = (BYTE)iMode;
    GetItemText(hDlg, IDC_ZD_HOUSE, szText, sizeof(szText));
    pmiMacro->lpszHouseCode = CopyToLocal(szText);
    GetItemText(hDlg, IDC_ZD_FUNCTION, szText, sizeof(szText));
    pmiMacro->lpszFunction = CopyToLocal(szText);
    GetItemText(hDlg, IDC_ZD_CODE, szText, CODE_BUFFER);
    pmiMacro->lpszCode = CopyToLocal(szText);
    GetItemText(hDlg, IDC_ZD_SWITCH, szText, sizeof(szText));
    char szOn[NAME_SIZE];
    LoadName(IDS_ON, szOn);
    pmiMacro->bOnOff = lstrcmpA(szText, szOn) == 0;
    pmiMacro->iValue = (int)GetDlgItemInt(hDlg, IDC_ZD_PERCENT, NULL, FALSE);
    pmiMacro->iNumDevice = SelectedUnits(hDlg, pmiMacro->iDeviceCode);
}

static void FormatControls(HWND hDlg, int iMode, int bStored, LPSTR lpszOut, int iSize)
{
    tagMACROINFO miControls;
    ReadControls(hDlg, iMode, &miControls);
    FormatHouseCode(&miControls, bStored, lpszOut, iSize);
    ClearUpMacroStruct(&miControls);
}

void DisplayMacro(HWND hDlg, int iMode)
{
    if (zdDialog.bKeepStored) {
        SetDlgItemTextA(hDlg, IDC_ZD_PREVIEW, zdDialog.pszInCode);
        return;
    }
    SetDlgItemTextA(hDlg, IDC_ZD_PREVIEW, "");
    char szFunction[NAME_SIZE];
    GetItemText(hDlg, IDC_ZD_FUNCTION, szFunction, sizeof(szFunction));
    if (iMode == 1 && WholeHouseFunction(szFunction))
        ListBox_SetSel(UnitList(hDlg), FALSE, -1);
    char szPreview[PREVIEW_SIZE];
    FormatControls(hDlg, iMode, 0, szPreview, sizeof(szPreview));
    SetDlgItemTextA(hDlg, IDC_ZD_PREVIEW, szPreview);
}

LPSTR CreateHouseCodeString(HWND hDlg)
{
    char szCommand[PREVIEW_SIZE];
    FormatControls(hDlg, CheckedMode(hDlg), 1, szCommand, sizeof(szCommand));
    return szCommand[0] != '\0' ? CopyToLocal(szCommand) : NULL;
}

void ShowDefaultHouseCode(HWND hDlg, LPCSTR lpszCommand)
{
    char szType[NAME_SIZE];
    char szShown[PREVIEW_SIZE + NAME_SIZE];
    if (lpszCommand == NULL) {
        int iMode = CheckedMode(hDlg);
        LoadName(iMode == 0 ? IDS_MACRO : IDS_COMMAND, szType);
        SetDlgItemTextA(hDlg, IDC_ZD_DEF_TYPE, szType);
        char szPreview[PREVIEW_SIZE];
        GetItemText(hDlg, IDC_ZD_PREVIEW, szPreview, sizeof(szPreview));
        if (szPreview[0] == '\0')
            return;
        snprintf(szShown, sizeof(szShown), "%s%s%s", iMode == 0 ? szType : "", iMode == 0 ? " " : "", szPreview);
    } else {
        LoadName(IDS_MACRO, szType);
        if (!CheckStrings(lpszCommand, szType, 5))
            LoadName(IDS_COMMAND, szType);
        SetDlgItemTextA(hDlg, IDC_ZD_DEF_TYPE, szType);
        DescribeStoredCommand(lpszCommand, szShown, sizeof(szShown));
    }
    SetDlgItemTextA(hDlg, IDC_ZD_DEF_COMMAND, szShown);
}

/* Selects the entry that equals the text, or the first one. */
static void SelectExact(HWND hDlg, int iID, LPCSTR lpszText)
{
    HWND hCombo = GetDlgItem(hDlg, iID);
    int iIndex = lpszText != NULL ? ComboBox_FindStringExact(hCombo, -1, lpszText) : CB_ERR;
    ComboBox_SetCurSel(hCombo, iIndex != CB_ERR ? iIndex : 0);
}

void SetupHouseCodeDialog(HWND hDlg, tagMACROINFO miMacro)
{
    EnableMode(hDlg, miMacro.bMacroCommand);
    char szSwitch[NAME_SIZE];
    LoadName(miMacro.bOnOff == 1 ? IDS_ON : IDS_OFF, szSwitch);
    SelectExact(hDlg, IDC_ZD_SWITCH, szSwitch);
    SelectExact(hDlg, IDC_ZD_HOUSE, miMacro.lpszHouseCode);
    SelectExact(hDlg, IDC_ZD_FUNCTION, miMacro.lpszFunction);
    HWND hList = UnitList(hDlg);
    ListBox_SetSel(hList, FALSE, -1);
    for (int i = 0; i < miMacro.iNumDevice && i < MACRO_UNITS; i++)
        if (miMacro.iDeviceCode[i] >= 1 && miMacro.iDeviceCode[i] <= MACRO_UNITS)
            ListBox_SetSel(hList, TRUE, miMacro.iDeviceCode[i] - 1);
    EnableValueBox(hDlg, miMacro.bMacroCommand);
    SetDlgItemTextA(hDlg, IDC_ZD_CODE, miMacro.lpszCode != NULL ? miMacro.lpszCode : "");
    EnableCodeBox(hDlg);
    SetDlgItemInt(hDlg, IDC_ZD_PERCENT, miMacro.iValue, FALSE);
    DisplayMacro(hDlg, miMacro.bMacroCommand);
}

/* "Set &Values": the stored command into the controls. */
static void SetZendraValues(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    if (pbiHolder->pszPrimary == NULL)
        return;
    tagMACROINFO miStored = {};
    CreateMacroStruct(pbiHolder->pszPrimary, &miStored);
    SetupHouseCodeDialog(hDlg, miStored);
    ClearUpMacroStruct(&miStored);
}

/* The lists, then the stored command into the hidden field. */
static void SetZendra(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent)
{
    SetDlgItemInt(hDlg, IDC_ZD_PERCENT, 0, FALSE);
    InitialiseComboBoxRC(hDlg, IDC_ZD_HOUSE, IDR_HOUSE_CODES, 0);
    InitialiseComboBoxRC(hDlg, IDC_ZD_FUNCTION, IDR_ZENDRA_FUNCTIONS, 0);
    InitialiseComboBoxRC(hDlg, IDC_ZD_SWITCH, IDR_ON_OFF, 0);
    FillListBoxRC(GetDlgItem(hDlg, IDC_ZD_UNITS), IDR_UNIT_CODES, NULL);
    if (pbiHolder->pszPrimary != NULL)
        SetEncoded(hDlg, pbiHolder, bCurrent);
}

const tagFAMILY ZendraFamily = {
    ZENDRACOMMAND, IDD_ZENDRA, ZendraDlgProc, IDR_ZENDRA_TEMPLATES, IDH_ZENDRA, 6, 0,
    SetZendra, GetEncoded, SetZendraValues, NULL
};

/* ---- The dialog --------------------------------------------------------------------------- */

static void SetPercentage(HWND hDlg, int iValue)
{
    zdDialog.miMacro.iValue = iValue;
    SetScrollPos(GetDlgItem(hDlg, IDC_ZD_PERCENT_ARROWS), SB_CTL, iValue, TRUE);
}

static BOOL OnInitDialog(HWND hDlg, HWND hFocus, LPARAM lParam)
{
    (void)hFocus;
    (void)lParam;
    zdDialog.bInit = TRUE;
    ClearUpMacroStruct(&zdDialog.miMacro);
    FamilyInitDialog(hDlg, &ZendraFamily);
    char szStored[COMMAND_SIZE];
    GetItemText(hDlg, IDC_ENCODED, szStored, sizeof(szStored));
    zdDialog.pszInCode = szStored[0] != '\0' ? CopyToLocal(szStored) : NULL;
    CreateMacroStruct(zdDialog.pszInCode, &zdDialog.miMacro);
    if ((Editor()->bEmpty & (1 << ZENDRACOMMAND)) == 0) {
        zdDialog.bKeepStored = zdDialog.pszInCode != NULL && !IsHouseCodeAsWritten(zdDialog.pszInCode);
        SetupHouseCodeDialog(hDlg, zdDialog.miMacro);
        ShowDefaultHouseCode(hDlg, zdDialog.bKeepStored ? zdDialog.pszInCode : NULL);
    } else {
        /* Blank controls, in the mode of the stored command. They still name a house code
           and a function, so that no command is built without them. */
        tagMACROINFO miBlank = {};
        miBlank.bMacroCommand = zdDialog.miMacro.bMacroCommand;
        SetupHouseCodeDialog(hDlg, miBlank);
        ShowDefaultHouseCode(hDlg, zdDialog.pszInCode);
    }
    /* The arrows step from what the box shows (0 when the controls opened blank). */
    SetScrollRange(GetDlgItem(hDlg, IDC_ZD_PERCENT_ARROWS), SB_CTL, 0, PERCENT_MAX, FALSE);
    SetPercentage(hDlg, (int)GetDlgItemInt(hDlg, IDC_ZD_PERCENT, NULL, FALSE));
    Edit_LimitText(GetDlgItem(hDlg, IDC_ZD_CODE), CODE_DIGITS);
    zdDialog.bInit = FALSE;
    return FALSE;   /* the focus is on OK */
}

static void OnPercentUpdate(HWND hDlg)
{
    char szText[PERCENT_TEXT];
    GetItemText(hDlg, IDC_ZD_PERCENT, szText, sizeof(szText));
    int iValue;
    if (AcceptPercentage(szText, &iValue))
        SetPercentage(hDlg, iValue);
    else
        SetDlgItemInt(hDlg, IDC_ZD_PERCENT, zdDialog.miMacro.iValue, FALSE);
    DisplayMacro(hDlg, CheckedMode(hDlg));
}

static void OnCodeUpdate(HWND hDlg)
{
    char szText[CODE_BUFFER], szCanonical[CODE_BUFFER];
    GetItemText(hDlg, IDC_ZD_CODE, szText, sizeof(szText));
    lstrcpynA(szCanonical, szText, sizeof(szCanonical));
    IsInRange(szCanonical, 0);
    if (strcmp(szText, szCanonical) == 0) {
        LocalFree(zdDialog.miMacro.lpszCode);
        zdDialog.miMacro.lpszCode = CopyToLocal(szText);
    }
    DisplayMacro(hDlg, CheckedMode(hDlg));
}

static void OnFunctionChange(HWND hDlg)
{
    EnableValueBox(hDlg, CheckedMode(hDlg));
    EnableCodeBox(hDlg);
    char szFunction[NAME_SIZE];
    GetItemText(hDlg, IDC_ZD_FUNCTION, szFunction, sizeof(szFunction));
    int iPosition = FunctionPosition(szFunction);
    if (iPosition == ZF_EXTENDED_CODE || iPosition == ZF_STATUS_REQUEST)
        LimitSelection(hDlg);
    DisplayMacro(hDlg, CheckedMode(hDlg));
}

static void OnModeButton(HWND hDlg, int iMode)
{
    EnableMode(hDlg, iMode);
    if (iMode == 0)
        SelectDevice(hDlg, 1);
    DisplayMacro(hDlg, iMode);
}

static void OnOK(HWND hDlg)
{
    LocalFree(zdDialog.pszOutCode);
    zdDialog.pszOutCode = zdDialog.bKeepStored ? CopyToLocal(zdDialog.pszInCode)
                                               : CreateHouseCodeString(hDlg);
    SetDlgItemTextA(hDlg, IDC_ENCODED, zdDialog.pszOutCode != NULL ? zdDialog.pszOutCode : "");
    FamilyCommand(hDlg, IDOK);
}

static void OnSetValues(HWND hDlg)
{
    FamilyCommand(hDlg, IDC_SET_VALUES);
    LPSTR lpszShown = CreateHouseCodeString(hDlg);
    ClearUpMacroStruct(&zdDialog.miMacro);
    CreateMacroStruct(lpszShown, &zdDialog.miMacro);
    LocalFree(lpszShown);
    SetPercentage(hDlg, zdDialog.miMacro.iValue);
}

static void OnClear(HWND hDlg)
{
    ClearUpMacroStruct(&zdDialog.miMacro);
    SetupHouseCodeDialog(hDlg, zdDialog.miMacro);
    SetPercentage(hDlg, 0);
}

/* Whether a notification tells of a change the person made to the command. */
static BOOL IsChange(int iID, UINT uiNotify)
{
    switch (iID) {
    case IDC_ZD_MACRO:
    case IDC_ZD_COMMAND:
    case IDC_CLEAR:
    case IDC_SET_VALUES:
        return uiNotify == BN_CLICKED;
    case IDC_ZD_SWITCH:
    case IDC_ZD_HOUSE:
    case IDC_ZD_FUNCTION:
        return uiNotify == CBN_SELCHANGE;
    case IDC_ZD_UNITS:
        return uiNotify == LBN_SELCHANGE;
    case IDC_ZD_PERCENT:
    case IDC_ZD_CODE:
        return uiNotify == EN_UPDATE;
    }
    return FALSE;
}

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    if (zdDialog.bInit)
        return;
    if (IsChange(iID, uiNotify))
        zdDialog.bKeepStored = FALSE;
    switch (iID) {
    case IDC_ZD_MACRO:
        OnModeButton(hDlg, 0);
        break;
    case IDC_ZD_COMMAND:
        OnModeButton(hDlg, 1);
        break;
    case IDC_ZD_SWITCH:
    case IDC_ZD_HOUSE:
        DisplayMacro(hDlg, CheckedMode(hDlg));
        break;
    case IDC_ZD_UNITS:
        if (CheckedMode(hDlg) == 0)
            LimitSelection(hDlg);
        OnFunctionChange(hDlg);
        break;
    case IDC_ZD_FUNCTION:
        OnFunctionChange(hDlg);
        break;
    case IDC_ZD_PERCENT:
        if (uiNotify == EN_UPDATE)
            OnPercentUpdate(hDlg);
        break;
    case IDC_ZD_CODE:
        if (uiNotify == EN_UPDATE)
            OnCodeUpdate(hDlg);
        break;
    case IDC_CLEAR:
        OnClear(hDlg);
        break;
    case IDC_SET_VALUES:
        OnSetValues(hDlg);
        break;
    case IDOK:
        OnOK(hDlg);
        break;
    case IDC_ZD_HELP:
        Help(hDlg, IDH_ZENDRA, TRUE);
        break;
    case IDCANCEL:
        FamilyCommand(hDlg, IDCANCEL);
        break;
    }
}

/* The arrows step the percentage by one within 0 to 100. */
static void OnVScroll(HWND hDlg, HWND hCtl, UINT uiCode, int iPos)
{
    (void)iPos;
    if (GetDlgCtrlID(hCtl) != IDC_ZD_PERCENT_ARROWS || zdDialog.bInit)
        return;
    int iValue = zdDialog.miMacro.iValue;
    if (uiCode == SB_LINEUP && iValue < PERCENT_MAX)
        iValue++;
    else if (uiCode == SB_LINEDOWN && iValue > 0)
        iValue--;
    else
        return;
    zdDialog.bKeepStored = FALSE;
    SetPercentage(hDlg, iValue);
    SetDlgItemInt(hDlg, IDC_ZD_PERCENT, iValue, FALSE);
    DisplayMacro(hDlg, CheckedMode(hDlg));
}

static void OnDestroy(HWND hDlg)
{
    ClearUpMacroStruct(&zdDialog.miMacro);
    LocalFree(zdDialog.pszInCode);
    LocalFree(zdDialog.pszOutCode);
    zdDialog = {};
    FamilyOnDestroy(hDlg);
}

extern "C" INT_PTR CALLBACK ZendraDlgProc(HWND hDlg, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
        HANDLE_DLGMSG(hDlg, WM_VSCROLL, OnVScroll);
        HANDLE_DLGMSG(hDlg, WM_PAINT, FamilyOnPaint);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, OnDestroy);
    }
    return FALSE;
}
