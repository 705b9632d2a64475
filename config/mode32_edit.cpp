/*
 * mode32_edit.cpp - the Edit dialog: a key of the editing family, or a text to type or to
 * paste. Quotes in the text are doubled when the command is built, so they count twice.
 */
#include <windows.h>
#include "HelpTopics.h"
#include <windowsx.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "but32.h"
#include "family.h"
#include "mode32_lists.h"
#include "mode32_text.h"
#include "dlgcrack.h"

/* Function and text of the holder into the editable controls; the text only when the
   function is in the list. */
static void SetEditValues(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    if (pbiHolder->pszPrimary == NULL || !SelectPrefix(hDlg, IDC_EDIT_FUNCTION, pbiHolder->pszPrimary))
        return;
    if (pbiHolder->pszExtra1 != NULL)
        SetDlgItemTextA(hDlg, IDC_EDIT_DATA, pbiHolder->pszExtra1);
}

static void SetEdit(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent)
{
    Edit_LimitText(GetDlgItem(hDlg, IDC_EDIT_DATA), RUNNABLE_COMMAND_LENGTH);
    InitialiseComboBoxRC(hDlg, IDC_EDIT_FUNCTION, IDR_EDIT_NAMES, 0);
    SetDlgItemTextA(hDlg, IDC_EDIT_DEF_FUNCTION, pbiHolder->pszPrimary != NULL ? pbiHolder->pszPrimary : "");
    WriteToTextBox(hDlg, IDC_EDIT_DEF_DATA, pbiHolder->pszExtra1);
    if (bCurrent)
        SetEditValues(hDlg, pbiHolder);
}

static void GetEdit(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    DlgItemToString(hDlg, IDC_EDIT_FUNCTION, &pbiHolder->pszPrimary);
    DlgItemToString(hDlg, IDC_EDIT_DATA, &pbiHolder->pszExtra1);
}

/* The text, its quotes doubled, must fit the command of the chosen function. */
static BOOL CheckEdit(HWND hDlg)
{
    int iFunction = ComboBox_GetCurSel(GetDlgItem(hDlg, IDC_EDIT_FUNCTION));
    char szText[RUNNABLE_COMMAND_LENGTH + 2];
    GetDlgItemTextA(hDlg, IDC_EDIT_DATA, szText, sizeof(szText));
    if (iFunction == CB_ERR ||
        FitsTemplate(IDR_EDIT_TEMPLATES, iFunction, QuotedLength(szText)))
        return TRUE;
    return TooLong(hDlg, IDC_EDIT_DATA, "text");
}

const tagFAMILY EditFamily = {
    EDIT, IDD_EDIT, EditDlgProc, IDR_EDIT_TEMPLATES, IDH_EDIT, 3, 4,
    SetEdit, GetEdit, SetEditValues, CheckEdit
};

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    (void)uiNotify;
    if (iID == IDC_CLEAR) {
        ComboBox_SetCurSel(GetDlgItem(hDlg, IDC_EDIT_FUNCTION), 0);
        SetDlgItemTextA(hDlg, IDC_EDIT_DATA, "");
    } else {
        FamilyCommand(hDlg, iID);
    }
}

extern "C" INT_PTR CALLBACK EditDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
    }
    return FamilyDlgMessage(hDlg, uiMessage, wParam, lParam, &EditFamily);
}
