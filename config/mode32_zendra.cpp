/*
 * mode32_zendra.cpp - the home-automation command dialog ("Zendra Commands"): the user
 * picks a house code, units and a function (Command mode) or switches one unit on or off
 * (Macro mode); the dialog shows the command as it is built and stores it in the
 * home-automation holder, which the engine later hands to Dovrel. Also the command's
 * parsed form (tagMACROINFO), its building and parsing, and the test whether any
 * home-automation software is installed.
 */
#include <windows.h>
#include <windowsx.h>
#include <ctype.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_internal.h"
#include "dlgcrack.h"

#define PERCENT_MAX         100
#define CODE_DIGITS         4       /* an extended code is at most four hexadecimal digits */
#define CODE_BUFFER         (CODE_DIGITS + 1)
#define PERCENT_TEXT        6       /* the percentage box is read up to 5 characters */
#define BRIGHTEN_FIRST      0x80    /* "Dim" with this bit: brighten first, then dim */
#define NAME_SIZE           40
#define PREVIEW_SIZE        160     /* 16 units of three characters and the longest function */

/* Positions in the function list (1-based, as CompareStringsRC counts). */
enum {
    ZF_ON = 1, ZF_OFF, ZF_DIM, ZF_DIM_TO, ZF_BRIGHT, ZF_BRIGHTEN_FIRST, ZF_ALL_LIGHTS_ON,
    ZF_ALL_UNITS_OFF, ZF_EXTENDED_CODE, ZF_STATUS_REQUEST
};

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

/* ---- Commands as text ------------------------------------------------------------------ */

static int FunctionPosition(LPCSTR lpszFunction)
{
    return lpszFunction != NULL ? CompareStringsRC(lpszFunction, IDR_ZENDRA_FUNCTIONS) : 0;
}

int BrightnessFunction(LPCSTR lpszFunction)
{
    int iPosition = FunctionPosition(lpszFunction);
    return iPosition >= ZF_DIM && iPosition <= ZF_BRIGHTEN_FIRST;
}

int WholeHouseFunction(LPCSTR lpszFunction)
{
    int iPosition = FunctionPosition(lpszFunction);
    return iPosition == ZF_ALL_LIGHTS_ON || iPosition == ZF_ALL_UNITS_OFF;
}

int CheckStrings(LPCSTR lpszText, LPCSTR lpszStart, int iLength)
{
    return lpszText != NULL && lpszStart != NULL && _strnicmp(lpszText, lpszStart, iLength) == 0;
}

/* Rewrites an extended code as the value of its leading hexadecimal digits (at most four):
   bFlag 0 without leading zeros, 1 as four digits. */
void IsInRange(LPSTR lpszCode, int bFlag)
{
    unsigned int uValue = 0;
    for (int i = 0; i < CODE_DIGITS && isxdigit((unsigned char)lpszCode[i]); i++) {
        int c = tolower((unsigned char)lpszCode[i]);
        uValue = uValue * 16 + (unsigned int)(isdigit(c) ? c - '0' : c - 'a' + 10);
    }
    snprintf(lpszCode, CODE_BUFFER, bFlag ? "%04x" : "%x", uValue);
}

/* A percentage typed as a person would: 0 to 100 without leading zeros or other characters. */
int AcceptPercentage(LPCSTR lpszText, int *piValue)
{
    size_t cchText = strlen(lpszText);
    if (cchText == 0 || cchText > 3 || (cchText > 1 && lpszText[0] == '0'))
        return 0;
    for (size_t i = 0; i < cchText; i++)
        if (!isdigit((unsigned char)lpszText[i]))
            return 0;
    int iValue = atoi(lpszText);
    if (iValue > PERCENT_MAX)
        return 0;
    *piValue = iValue;
    return 1;
}

/* Appends to a bounded text; 0 (and the text cut) when it does not fit. */
static int Append(LPSTR lpszOut, int iSize, LPCSTR lpszFormat, ...)
{
    size_t cchUsed = strlen(lpszOut);
    va_list args;
    va_start(args, lpszFormat);
    int iWritten = vsnprintf(lpszOut + cchUsed, iSize - cchUsed, lpszFormat, args);
    va_end(args);
    return iWritten >= 0 && cchUsed + iWritten < (size_t)iSize;
}

static void LoadName(UINT uiID, LPSTR lpszName)
{
    if (LoadStringA(hInstance, uiID, lpszName, NAME_SIZE) == 0)
        lpszName[0] = '\0';
}

/* Targets: the house code, or each unit with the house code in front ("A1,A3"). */
static int FormatTargets(LPCSTR lpszHouseCode, const int *piUnits, int iUnits, LPSTR lpszOut, int iSize)
{
    lpszOut[0] = '\0';
    LPCSTR lpszHouse = lpszHouseCode != NULL ? lpszHouseCode : "";
    if (iUnits == 0)
        return Append(lpszOut, iSize, "%s", lpszHouse);
    for (int i = 0; i < iUnits; i++)
        if (!Append(lpszOut, iSize, i == 0 ? "%s%d" : ",%s%d", lpszHouse, piUnits[i]))
            return 0;
    return 1;
}

int FormatHouseCode(const tagMACROINFO *pmiMacro, int bStored, LPSTR lpszOut, int iSize)
{
    if (iSize <= 0)
        return 0;
    lpszOut[0] = '\0';
    LPCSTR lpszFunction = pmiMacro->lpszFunction != NULL ? pmiMacro->lpszFunction : "";
    /* A command for the whole house code takes no units; every other one needs some. */
    BOOL bWholeHouse = pmiMacro->bMacroCommand && WholeHouseFunction(lpszFunction);
    int iUnits = bWholeHouse ? 0 : pmiMacro->iNumDevice;
    if ((iUnits == 0 && !bWholeHouse) || (pmiMacro->bMacroCommand && *lpszFunction == '\0') ||
        pmiMacro->lpszHouseCode == NULL || *pmiMacro->lpszHouseCode == '\0')
        return 0;
    char szName[NAME_SIZE];
    int bFits = 1;
    if (!pmiMacro->bMacroCommand) {
        if (bStored) {
            LoadName(IDS_MACRO, szName);
            bFits = Append(lpszOut, iSize, "%s ", szName);
        }
        char szTargets[PREVIEW_SIZE];
        LoadName(pmiMacro->bOnOff ? IDS_ON : IDS_OFF, szName);
        bFits = bFits && FormatTargets(pmiMacro->lpszHouseCode, pmiMacro->iDeviceCode, iUnits,
                                       szTargets, sizeof(szTargets))
                && Append(lpszOut, iSize, "%s %s", szTargets, szName);
    } else {
        bFits = FormatTargets(pmiMacro->lpszHouseCode, pmiMacro->iDeviceCode, iUnits, lpszOut, iSize);
        int iPosition = FunctionPosition(lpszFunction);
        if (iPosition == ZF_BRIGHTEN_FIRST && bStored) {
            LoadName(IDS_DIM, szName);
            bFits = bFits && Append(lpszOut, iSize, " %s %d%%", szName, pmiMacro->iValue + BRIGHTEN_FIRST);
        } else if (iPosition >= ZF_DIM && iPosition <= ZF_BRIGHTEN_FIRST) {
            bFits = bFits && Append(lpszOut, iSize, " %s %d%%", lpszFunction, pmiMacro->iValue);
        } else if (iPosition == ZF_EXTENDED_CODE) {
            /* The preview shows the code as it is stored, whatever was typed. */
            char szCode[CODE_BUFFER] = "";
            if (pmiMacro->lpszCode != NULL)
                lstrcpynA(szCode, pmiMacro->lpszCode, sizeof(szCode));
            IsInRange(szCode, 1);
            bFits = bFits && Append(lpszOut, iSize, " %s %s", lpszFunction, szCode);
        } else {
            bFits = bFits && Append(lpszOut, iSize, " %s", lpszFunction);
        }
    }
    if (!bFits)
        lpszOut[0] = '\0';
    return bFits;
}

void ClearUpMacroStruct(tagMACROINFO *pmiMacro)
{
    LocalFree(pmiMacro->lpszHouseCode);
    LocalFree(pmiMacro->lpszFunction);
    LocalFree(pmiMacro->lpszCode);
    *pmiMacro = {};
}

static LPCSTR SkipSpaces(LPCSTR lpsz)
{
    while (*lpsz == ' ')
        lpsz++;
    return lpsz;
}

static LPCSTR SkipDigits(LPCSTR lpsz, int iMost)
{
    for (int i = 0; i < iMost && isdigit((unsigned char)*lpsz); i++)
        lpsz++;
    return lpsz;
}

/* The unit written from lpsz up to lpszEnd: 1 to 16 in at most two digits, else 0. */
static int UnitNumber(LPCSTR lpsz, LPCSTR lpszEnd)
{
    int iUnit = lpszEnd - lpsz == 1 || lpszEnd - lpsz == 2 ? atoi(lpsz) : 0;
    return iUnit >= 1 && iUnit <= MACRO_UNITS ? iUnit : 0;
}

static LPSTR CopyLetter(char cLetter)
{
    char szLetter[2] = { cLetter, '\0' };
    return CopyToLocal(szLetter);
}

/* Does the text contain the name, ignoring case? */
static BOOL ContainsName(LPCSTR lpszText, LPCSTR lpszName)
{
    size_t cchName = strlen(lpszName);
    for (; *lpszText != '\0'; lpszText++)
        if (_strnicmp(lpszText, lpszName, cchName) == 0)
            return TRUE;
    return FALSE;
}

/* The longest function name the text begins with ("Dim To" rather than "Dim"), or 0. */
static BYTE MatchFunction(LPCSTR lpszText)
{
    BYTE bFound = 0;
    size_t cchFound = 0;
    for (BYTE b = ZF_ON; b <= ZF_STATUS_REQUEST; b++) {
        LPSTR lpszName = FunctionNameRC(IDR_ZENDRA_FUNCTIONS, b);
        size_t cchName = lpszName != NULL ? strlen(lpszName) : 0;
        if (cchName > cchFound && _strnicmp(lpszText, lpszName, cchName) == 0) {
            bFound = b;
            cchFound = cchName;
        }
        LocalFree(lpszName);
    }
    return bFound;
}

static void ParseMacroForm(LPCSTR lpsz, tagMACROINFO *pmiMacro)
{
    pmiMacro->bMacroCommand = 0;
    lpsz = SkipSpaces(lpsz);
    if (*lpsz != '\0') {
        pmiMacro->lpszHouseCode = CopyLetter(*lpsz++);
        LPCSTR lpszAfter = SkipDigits(lpsz, INT_MAX);
        pmiMacro->iDeviceCode[0] = UnitNumber(lpsz, lpszAfter);
        pmiMacro->iNumDevice = pmiMacro->iDeviceCode[0] != 0;
        lpsz = SkipSpaces(lpszAfter);
    }
    char szOn[NAME_SIZE];
    LoadName(IDS_ON, szOn);
    pmiMacro->bOnOff = lstrcmpiA(lpsz, szOn) == 0;
}

static void ParseCommandForm(LPCSTR lpsz, tagMACROINFO *pmiMacro)
{
    char szExtended[NAME_SIZE];
    LoadName(IDS_EXTENDED_CODE, szExtended);
    pmiMacro->bMacroCommand = 1;
    for (;;) {
        while (*lpsz != '\0' && !(toupper((unsigned char)*lpsz) >= 'A' && toupper((unsigned char)*lpsz) <= 'P'))
            lpsz++;
        if (*lpsz == '\0')
            break;
        LocalFree(pmiMacro->lpszHouseCode);
        pmiMacro->lpszHouseCode = CopyLetter(*lpsz++);
        LPCSTR lpszAfter = SkipDigits(lpsz, INT_MAX);
        int iUnit = UnitNumber(lpsz, lpszAfter);
        /* Units that do not exist, and units beyond what the record holds, are dropped. */
        if (iUnit != 0 && pmiMacro->iNumDevice < MACRO_UNITS)
            pmiMacro->iDeviceCode[pmiMacro->iNumDevice++] = iUnit;
        if (ContainsName(lpszAfter > lpsz ? lpszAfter - 1 : lpsz, szExtended))
            break;
        lpsz = lpszAfter;
        if (*lpsz != ',')
            break;
    }
    while (*lpsz != '\0' && !isalpha((unsigned char)*lpsz))
        lpsz++;
    BYTE bFunction = MatchFunction(lpsz);
    if (bFunction == 0)
        return;
    pmiMacro->lpszFunction = FunctionNameRC(IDR_ZENDRA_FUNCTIONS, bFunction);
    LPCSTR lpszRest = lpsz + strlen(pmiMacro->lpszFunction);
    if (bFunction == ZF_DIM || bFunction == ZF_DIM_TO || bFunction == ZF_BRIGHT) {
        int iValue = atoi(lpszRest);
        if (iValue & BRIGHTEN_FIRST) {
            iValue &= BRIGHTEN_FIRST - 1;
            LocalFree(pmiMacro->lpszFunction);
            pmiMacro->lpszFunction = FunctionNameRC(IDR_ZENDRA_FUNCTIONS, ZF_BRIGHTEN_FIRST);
        }
        /* A stored value outside the percentages would never be accepted by the box. */
        pmiMacro->iValue = iValue < 0 ? 0 : iValue > PERCENT_MAX ? PERCENT_MAX : iValue;
    } else if (bFunction == ZF_EXTENDED_CODE) {
        pmiMacro->lpszCode = CopyToLocal(SkipSpaces(lpszRest));
    }
}

void CreateMacroStruct(LPCSTR lpszCommand, tagMACROINFO *pmiMacro)
{
    if (lpszCommand == NULL || *lpszCommand == '\0')
        return;
    char szMacro[NAME_SIZE];
    LoadName(IDS_MACRO, szMacro);
    if (CheckStrings(lpszCommand, szMacro, 5))
        ParseMacroForm(lpszCommand + 5, pmiMacro);
    else
        ParseCommandForm(lpszCommand, pmiMacro);
}

int IsHouseCodeAsWritten(LPCSTR lpszCommand)
{
    tagMACROINFO miRead = {};
    CreateMacroStruct(lpszCommand, &miRead);
    char szWritten[PREVIEW_SIZE];
    int bWritten = FormatHouseCode(&miRead, 1, szWritten, sizeof(szWritten))
                && strcmp(szWritten, lpszCommand) == 0;
    ClearUpMacroStruct(&miRead);
    return bWritten;
}

void DescribeStoredCommand(LPCSTR lpszCommand, LPSTR lpszOut, int iSize)
{
    size_t cchCommand = strlen(lpszCommand);
    int iValue = cchCommand > 0 && lpszCommand[cchCommand - 1] == '%'
               ? atoi(lpszCommand + (cchCommand > 4 ? cchCommand - 4 : 0)) : 0;
    if (!(iValue & BRIGHTEN_FIRST)) {
        lstrcpynA(lpszOut, lpszCommand, iSize);
        return;
    }
    size_t cchTargets = strcspn(lpszCommand, " ");
    LPSTR lpszName = FunctionNameRC(IDR_ZENDRA_FUNCTIONS, ZF_BRIGHTEN_FIRST);
    snprintf(lpszOut, iSize, "%.*s %s %d%%", (int)cchTargets, lpszCommand,
             lpszName != NULL ? lpszName : "", iValue & (BRIGHTEN_FIRST - 1));
    LocalFree(lpszName);
}

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
void SetZendraValues(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    if (pbiHolder->pszPrimary == NULL)
        return;
    tagMACROINFO miStored = {};
    CreateMacroStruct(pbiHolder->pszPrimary, &miStored);
    SetupHouseCodeDialog(hDlg, miStored);
    ClearUpMacroStruct(&miStored);
}

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
    FamilyInitDialog(hDlg, ZENDRACOMMAND);
    char szStored[COMMAND_SIZE];
    GetItemText(hDlg, IDC_ENCODED, szStored, sizeof(szStored));
    zdDialog.pszInCode = szStored[0] != '\0' ? CopyToLocal(szStored) : NULL;
    CreateMacroStruct(zdDialog.pszInCode, &zdDialog.miMacro);
    if ((bEmpty & (1 << ZENDRACOMMAND)) == 0) {
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
