/*
 * mode32_hotkey.cpp - the "Hot Key" dialog, in which a person picks the key combination that
 * a "Hot Key" system function types, and the forms of a hot key in its controls (the
 * conversions between the forms are in mode32_hotkey_code.cpp).
 */
#include <windows.h>
#include <windowsx.h>
#include <stdio.h>
#include <string.h>
#include "dlgcrack.h"
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "but32.h"
#include "editor.h"
#include "family.h"
#include "mode32_lists.h"
#include "mode32_hotkey.h"


/* The dialog's frame: the system family's picture, a third of the free height down. */
static const tagFAMILY hotKeyFrame = {
    NO_FUNCTION, IDD_HOTKEY, HotKeyDlgProc, 0, IDH_HOTKEY, SYSTEM, 3, NULL, NULL, NULL, NULL
};

/* The Hot Key dialog: its copy of the value, written back only by OK. */
static struct tagHOTKEYDLG {
    LONG lTempCode;
    BYTE bTempChar;
} hotkey;

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
    tagEDITOR *pEditor = Editor();
    if (!HotKeyCodeToValue(szCode, &pEditor->lHotKeyCode, &pEditor->bExtraChar)) {
        pEditor->lHotKeyCode = 0;
        pEditor->bExtraChar = 0;
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
    const tagEDITOR *pEditor = Editor();
    hotkey.lTempCode = pEditor->lHotKeyCode;
    hotkey.bTempChar = pEditor->bExtraChar;
    SetSelection(hDlg, pEditor->lHotKeyCode, pEditor->bExtraChar);
    if (pEditor->lHotKeyCode != 0) {
        ShowCheckBoxSelection(hDlg, pEditor->lHotKeyCode);
        ShowKeyText(hDlg, pEditor->lHotKeyCode, pEditor->bExtraChar);
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
        Editor()->lHotKeyCode = (LONG)(((DWORD)hotkey.lTempCode & 0xFFFFFF00) | (DWORD)iKey);
    int iFollowing = SelectedKey(hDlg, IDC_HK_FOLLOWED_BY);
    if (iFollowing >= 0)
        Editor()->bExtraChar = (BYTE)iFollowing;
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
