/*
 * mode32_lists.cpp - the family dialogs' controls over this library's RCDATA lists (combo
 * and list boxes filled from a string list with its values), the texts they show and
 * select, whether a command template filled with an argument still runs, and the refusal
 * of what a control holds.
 */
#include <windows.h>
#include <windowsx.h>
#include <stdio.h>
#include "OrvaneStore.h"
#include "zendrares32.h"
#include "but32.h"
#include "mode32_lists.h"
#include "mode32_text.h"

static void InitialiseComboBoxIn(HWND hDlg, int iControl, UINT uStringList, UINT uValueList,
                                 BOOL bThroughExport)
{
    HWND hCombo = GetDlgItem(hDlg, iControl);
    ComboBox_ResetContent(hCombo);
    tagRCTABLE rc;
    if (!OpenTable(uStringList, bThroughExport, &rc))
        return;
    int cValues = 0;
    const WORD *pwValues = (int)uValueList >= 1 ? LockValueList(uValueList, &cValues) : NULL;
    int i = 0;
    for (LPCSTR lpszEntry = rc.lpszFirst; *lpszEntry != '\0'; lpszEntry = NextEntry(lpszEntry), i++) {
        int iIndex = ComboBox_AddString(hCombo, lpszEntry);
        if (iIndex >= 0)
            ComboBox_SetItemData(hCombo, iIndex, i < cValues ? pwValues[i] : 0);
    }
    CloseTable(&rc);
}

void InitialiseComboBoxRC(HWND hDlg, int iControl, UINT uStringList, UINT uValueList)
{
    InitialiseComboBoxIn(hDlg, iControl, uStringList, uValueList, FALSE);
}

void InitialiseComboBoxRCZendraRes(HWND hDlg, int iControl, UINT uStringList, UINT uValueList)
{
    InitialiseComboBoxIn(hDlg, iControl, uStringList, uValueList, TRUE);
}

void FillListBoxRC(HWND hListBox, UINT uStringList, LPCSTR lpszSelect)
{
    ListBox_ResetContent(hListBox);
    tagRCTABLE rc;
    if (!OpenTable(uStringList, FALSE, &rc))
        return;
    int iSelect = -1;
    for (LPCSTR lpszEntry = rc.lpszFirst; *lpszEntry != '\0'; lpszEntry = NextEntry(lpszEntry)) {
        int iIndex = ListBox_AddString(hListBox, lpszEntry);
        if (iSelect < 0 && lpszSelect != NULL && lstrcmpiA(lpszEntry, lpszSelect) == 0)
            iSelect = iIndex;
    }
    CloseTable(&rc);
    ListBox_SetCurSel(hListBox, iSelect < 0 ? 0 : iSelect);
}

void WriteToTextBox(HWND hDlg, int iControl, LPCSTR lpszText)
{
    char szShown[2 * COMMAND_SIZE];
    DoubleAmpersands(lpszText, szShown, sizeof(szShown));
    SetDlgItemTextA(hDlg, iControl, szShown);
}

BOOL SelectPrefix(HWND hDlg, int iControl, LPCSTR lpszText)
{
    /* CB_FINDSTRING finds the first entry that begins with the text, case-insensitively. */
    HWND hCombo = GetDlgItem(hDlg, iControl);
    int iIndex = lpszText != NULL ? ComboBox_FindString(hCombo, -1, lpszText) : CB_ERR;
    if (iIndex == CB_ERR)
        return FALSE;
    ComboBox_SetCurSel(hCombo, iIndex);
    return TRUE;
}

void GetSelectedText(HWND hDlg, int iControl, LPSTR lpszText, int cchText)
{
    HWND hCombo = GetDlgItem(hDlg, iControl);
    int iIndex = ComboBox_GetCurSel(hCombo);
    lpszText[0] = '\0';
    if (iIndex != CB_ERR && ComboBox_GetLBTextLen(hCombo, iIndex) < cchText)
        ComboBox_GetLBText(hCombo, iIndex, lpszText);
}

BOOL Refuse(HWND hDlg, int iControl, LPCSTR lpszReason)
{
    MessageBoxA(hDlg, lpszReason, REFUSAL_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(hDlg, iControl));
    return FALSE;
}

BOOL TooLong(HWND hDlg, int iControl, LPCSTR lpszField)
{
    char szText[160];
    snprintf(szText, sizeof(szText),
             "The %s is too long for one button: a button's command holds at most %d characters.",
             lpszField, RUNNABLE_COMMAND_LENGTH);
    return Refuse(hDlg, iControl, szText);
}

BOOL FitsTemplate(UINT uTemplates, int iTemplate, int cchArgument)
{
    LPSTR lpszTemplate = GetIndexedString(uTemplates, iTemplate);
    if (lpszTemplate == NULL)
        return TRUE;
    int cchCommand = FilledTemplateLength(lpszTemplate, cchArgument);
    LocalFree(lpszTemplate);
    return cchCommand <= RUNNABLE_COMMAND_LENGTH;
}
