/*
 * mode32_hotkey.cpp - the "Hot Key" dialog, in which a person picks the key combination that
 * a "Hot Key" system function types, and the conversions between the three forms of a hot
 * key: the value being edited (Alt, Ctrl and Shift bytes and a key code, plus a following
 * key), the five-character code stored with the button (typed by the engine's hot-key
 * routine) and the text shown to people.
 */
#include <windows.h>
#include <windowsx.h>
#include <stdio.h>
#include <string.h>
#include "dlgcrack.h"
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_internal.h"


/* The dialog's frame: the system family's picture, a third of the free height down. */
static const tagFAMILY hotKeyFrame = {
    NO_FUNCTION, IDD_HOTKEY, HotKeyDlgProc, 0, IDH_HOTKEY, SYSTEM, 3, NULL, NULL, NULL, NULL
};

/* The modifiers by position in the code: letter, byte of the value, check box, text. */
static const struct tagMODIFIER {
    char  chLetter;
    DWORD dwMask;
    int   idCheckBox;
    LPCSTR lpszText;
} hotKeyModifiers[] = {
    { 'A', 0xFF000000, IDC_HK_ALT,   "ALT-" },
    { 'C', 0x00FF0000, IDC_HK_CTRL,  "CTRL-" },
    { 'S', 0x0000FF00, IDC_HK_SHIFT, "SHIFT-" },
};
#define HOTKEY_MODIFIERS    (sizeof(hotKeyModifiers) / sizeof(hotKeyModifiers[0]))
#define CODE_KEY            3       /* positions of the key and the following key */
#define CODE_FOLLOWING      4

/* The value being edited by the System dialog. */
LONG lHotKeyCode;
BYTE bExtraChar;

/* The Hot Key dialog: its copy of the value, written back only by OK. */
static struct tagHOTKEYDLG {
    LONG lTempCode;
    BYTE bTempChar;
} hotkey;

/* ---- Conversions (no window) ---------------------------------------------------------- */

BYTE StringToCode(LPCSTR lpszName)
{
    char szName[HOTKEY_NAME_SIZE];
    if (lpszName == NULL)
        return 0;
    /* Names of single characters carry a leading blank in the table. */
    if (lpszName[0] != '\0' && lpszName[1] == '\0')
        snprintf(szName, sizeof(szName), " %s", lpszName);
    else
        lstrcpynA(szName, lpszName, sizeof(szName));
    int iPosition = CountStringIndex(IDR_HOTKEY_NAMES, szName);
    return iPosition >= 0 ? GetIndexedValue(IDR_HOTKEY_CODES, iPosition) : 0;
}

void CodeToString(BYTE bCode, LPSTR lpszName)
{
    lpszName[0] = '\0';
    int iPosition = bCode != 0 ? CountValueIndex(IDR_HOTKEY_CODES, bCode) : -1;
    LPSTR lpszFound = iPosition >= 0 ? GetIndexedString(IDR_HOTKEY_NAMES, iPosition) : NULL;
    if (lpszFound != NULL) {
        lstrcpynA(lpszName, lpszFound, HOTKEY_NAME_SIZE);
        LocalFree(lpszFound);
    }
}

/* The byte at a position of a code; 0 past its end. */
static BYTE CodeByte(LPCSTR lpszCode, size_t iPosition)
{
    return strnlen(lpszCode, HOTKEY_CODE_SIZE - 1) > iPosition ? (BYTE)lpszCode[iPosition] : 0;
}

void HotKeyValueToCode(LONG lValue, BYTE bFollowing, LPSTR lpszCode)
{
    char szName[HOTKEY_NAME_SIZE];
    memset(lpszCode, 0, HOTKEY_CODE_SIZE);
    for (size_t i = 0; i < HOTKEY_MODIFIERS; ++i)
        lpszCode[i] = ((DWORD)lValue & hotKeyModifiers[i].dwMask) == hotKeyModifiers[i].dwMask
                    ? hotKeyModifiers[i].chLetter : '-';
    /* Only keys of the table are stored; the code ends at a missing key. */
    CodeToString(LOBYTE(lValue), szName);
    lpszCode[CODE_KEY] = (char)StringToCode(szName);
    if (lpszCode[CODE_KEY] != 0) {
        CodeToString(bFollowing, szName);
        lpszCode[CODE_FOLLOWING] = (char)StringToCode(szName);
    }
}

BOOL HotKeyCodeToValue(LPCSTR lpszCode, LONG *plValue, BYTE *pbFollowing)
{
    if (lpszCode == NULL || lpszCode[0] == '\0')
        return FALSE;
    DWORD dwValue = CodeByte(lpszCode, CODE_KEY);
    for (size_t i = 0; i < HOTKEY_MODIFIERS; ++i)
        if (CodeByte(lpszCode, i) == (BYTE)hotKeyModifiers[i].chLetter)
            dwValue |= hotKeyModifiers[i].dwMask;
    *plValue = (LONG)dwValue;
    BYTE bFollowing = CodeByte(lpszCode, CODE_FOLLOWING);
    *pbFollowing = bFollowing == ' ' ? 0 : bFollowing;
    return TRUE;
}

void HotKeyCodeToText(LPCSTR lpszCode, LPSTR lpszText, int cchText)
{
    char szName[HOTKEY_NAME_SIZE];
    lpszText[0] = '\0';
    if (lpszCode == NULL)
        return;
    for (size_t i = 0; i < HOTKEY_MODIFIERS; ++i)
        if (CodeByte(lpszCode, i) == (BYTE)hotKeyModifiers[i].chLetter)
            strncat(lpszText, hotKeyModifiers[i].lpszText, cchText - strlen(lpszText) - 1);
    CodeToString(CodeByte(lpszCode, CODE_KEY), szName);
    strncat(lpszText, szName, cchText - strlen(lpszText) - 1);
    CodeToString(CodeByte(lpszCode, CODE_FOLLOWING), szName);
    if (szName[0] != '\0') {
        strncat(lpszText, ", ", cchText - strlen(lpszText) - 1);
        strncat(lpszText, szName, cchText - strlen(lpszText) - 1);
    }
}

/* ---- The value, code and text in controls -------------------------------------------- */

void SetHotKeyText(HWND hDlg, int iControl, LONG lValue, BYTE bFollowing)
{
    char szCode[HOTKEY_CODE_SIZE];
    char szText[HOTKEY_TEXT_SIZE];
    /* The text is made from the code, so it shows exactly what is stored. */
    HotKeyValueToCode(lValue, bFollowing, szCode);
    HotKeyCodeToText(szCode, szText, sizeof(szText));
    SetDlgItemTextA(hDlg, iControl, szText);
    SetDlgItemTextA(hDlg, IDC_SYS_HOTKEY_CODE, szCode);
}

/* An empty code is no hot key: the value being edited becomes none as well, so that the
   Hot Key dialog and OK start from what the dialog holds. */
void SetHotKeyLong(HWND hDlg)
{
    char szCode[HOTKEY_CODE_SIZE];
    GetDlgItemTextA(hDlg, IDC_SYS_HOTKEY_CODE, szCode, sizeof(szCode));
    if (!HotKeyCodeToValue(szCode, &lHotKeyCode, &bExtraChar)) {
        lHotKeyCode = 0;
        bExtraChar = 0;
    }
}

/* An empty code shows as an empty text: whatever the control showed before goes. */
void ShowHotKeyType(HWND hDlg, int iControl, LPCSTR lpszCode, int bFlag)
{
    char szText[HOTKEY_TEXT_SIZE];
    HotKeyCodeToText(lpszCode, szText, sizeof(szText));
    if (bFlag == 1)
        SetDlgItemTextA(hDlg, iControl, szText);
    else
        WriteToTextBox(hDlg, iControl, szText);
}

int FindItemIndex(HWND hDlg, int iList, BYTE bCode)
{
    int iCount = (int)SendDlgItemMessageA(hDlg, iList, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < iCount; ++i)
        if (LOBYTE(SendDlgItemMessageA(hDlg, iList, CB_GETITEMDATA, i, 0)) == bCode)
            return i;
    return 0xFFFF;
}

/* Selects the item of a key code; bFallBack: position 0 when the code has no item, else
   the list is left without selection. */
static void SelectKey(HWND hDlg, int iList, BYTE bCode, BOOL bFallBack)
{
    int iIndex = FindItemIndex(hDlg, iList, bCode);
    if (iIndex == 0xFFFF)
        iIndex = bFallBack ? 0 : -1;
    SendDlgItemMessageA(hDlg, iList, CB_SETCURSEL, (WPARAM)iIndex, 0);
}

void ShowCheckBoxSelection(HWND hDlg, LONG lValue)
{
    for (size_t i = 0; i < HOTKEY_MODIFIERS; ++i)
        CheckDlgButton(hDlg, hotKeyModifiers[i].idCheckBox,
                       ((DWORD)lValue & hotKeyModifiers[i].dwMask) != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void SetSelection(HWND hDlg, LONG lValue, BYTE bFollowing)
{
    for (size_t i = 0; i < HOTKEY_MODIFIERS; ++i)
        CheckDlgButton(hDlg, hotKeyModifiers[i].idCheckBox,
                       ((DWORD)lValue & hotKeyModifiers[i].dwMask) == hotKeyModifiers[i].dwMask
                       ? BST_CHECKED : BST_UNCHECKED);
    SelectKey(hDlg, IDC_HK_KEY, LOBYTE(lValue), FALSE);
    SelectKey(hDlg, IDC_HK_FOLLOWED_BY, bFollowing, FALSE);
}

void ShowKeyText(HWND hDlg, LONG lValue, BYTE bFollowing)
{
    SelectKey(hDlg, IDC_HK_KEY, LOBYTE(lValue), TRUE);
    SelectKey(hDlg, IDC_HK_FOLLOWED_BY, LOBYTE(lValue) != 0 ? bFollowing : 0, TRUE);
}

/* ---- The dialog ----------------------------------------------------------------------- */

static BOOL OnInitDialog(HWND hDlg, HWND hFocus, LPARAM lParam)
{
    (void)hFocus;
    (void)lParam;
    FrameInitDialog(hDlg, &hotKeyFrame);
    InitialiseComboBoxRCZendraRes(hDlg, IDC_HK_KEY, IDR_HOTKEY_NAMES, IDR_HOTKEY_CODES);
    InitialiseComboBoxRCZendraRes(hDlg, IDC_HK_FOLLOWED_BY, IDR_HOTKEY_NAMES, IDR_HOTKEY_CODES);
    hotkey.lTempCode = lHotKeyCode;
    hotkey.bTempChar = bExtraChar;
    SetSelection(hDlg, lHotKeyCode, bExtraChar);
    if (lHotKeyCode != 0) {
        ShowCheckBoxSelection(hDlg, lHotKeyCode);
        ShowKeyText(hDlg, lHotKeyCode, bExtraChar);
    }
    CenterWindow(hDlg);
    return FALSE;   /* the frame gave the focus to OK */
}

/* The selected item's key code, or -1 when the list has no selection. */
static int SelectedKey(HWND hDlg, int iList)
{
    int iIndex = (int)SendDlgItemMessageA(hDlg, iList, CB_GETCURSEL, 0, 0);
    if (iIndex < 0)
        return -1;
    return LOBYTE(SendDlgItemMessageA(hDlg, iList, CB_GETITEMDATA, iIndex, 0));
}

static void OnOK(HWND hDlg)
{
    /* Modifier changes count only together with a chosen key. */
    int iKey = SelectedKey(hDlg, IDC_HK_KEY);
    if (iKey >= 0)
        lHotKeyCode = (LONG)(((DWORD)hotkey.lTempCode & 0xFFFFFF00) | (DWORD)iKey);
    int iFollowing = SelectedKey(hDlg, IDC_HK_FOLLOWED_BY);
    if (iFollowing >= 0)
        bExtraChar = (BYTE)iFollowing;
    EndDialog(hDlg, 1);
}

static void OnClear(HWND hDlg)
{
    hotkey.lTempCode = 0;
    hotkey.bTempChar = 0;
    SendDlgItemMessageA(hDlg, IDC_HK_KEY, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageA(hDlg, IDC_HK_FOLLOWED_BY, CB_SETCURSEL, 0, 0);
    ShowCheckBoxSelection(hDlg, 0);
}

static void OnCommand(HWND hDlg, int id, HWND hCtl, UINT uCode)
{
    (void)hCtl;
    for (size_t i = 0; i < HOTKEY_MODIFIERS; ++i)
        if (id == hotKeyModifiers[i].idCheckBox && uCode == BN_CLICKED)
            hotkey.lTempCode = (LONG)((DWORD)hotkey.lTempCode ^ hotKeyModifiers[i].dwMask);
    switch (id) {
    case IDOK:
        OnOK(hDlg);
        break;
    case IDCANCEL:
        EndDialog(hDlg, 1);
        break;
    case IDC_CLEAR:
        OnClear(hDlg);
        break;
    case IDC_HELPBUTTON:
        FamilyCommand(hDlg, id);
        break;
    }
}

static void OnDestroy(HWND hDlg)
{
    FamilyOnDestroy(hDlg);
    hotkey = {};
}

INT_PTR CALLBACK HotKeyDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, OnDestroy);
        FAMILY_DLGMSGS(hDlg);
    }
    return FALSE;
}
