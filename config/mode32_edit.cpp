/*
 * mode32_edit.cpp - the Edit dialog: a key of the editing family, or a text to type or to
 * paste. Quotes in the text are doubled when the command is built, so they count twice.
 */
#include <windows.h>
#include <windowsx.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_internal.h"
#include "dlgcrack.h"

/* Function and text of the holder into the editable controls; the text only when the
   function is in the list. */
void SetEditValues(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    if (pbiHolder->pszPrimary == NULL || !SelectPrefix(hDlg, IDC_EDIT_FUNCTION, pbiHolder->pszPrimary))
        return;
    if (pbiHolder->pszExtra1 != NULL)
        SetDlgItemTextA(hDlg, IDC_EDIT_DATA, pbiHolder->pszExtra1);
}

void SetEdit(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent)
{
    Edit_LimitText(GetDlgItem(hDlg, IDC_EDIT_DATA), RUNNABLE_COMMAND_LENGTH);
    InitialiseComboBoxRC(hDlg, IDC_EDIT_FUNCTION, IDR_EDIT_NAMES, 0);
    SetDlgItemTextA(hDlg, IDC_EDIT_DEF_FUNCTION, pbiHolder->pszPrimary != NULL ? pbiHolder->pszPrimary : "");
    WriteToTextBox(hDlg, IDC_EDIT_DEF_DATA, pbiHolder->pszExtra1);
    if (bCurrent)
        SetEditValues(hDlg, pbiHolder);
}

void GetEdit(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    DlgItemToString(hDlg, IDC_EDIT_FUNCTION, &pbiHolder->pszPrimary);
    DlgItemToString(hDlg, IDC_EDIT_DATA, &pbiHolder->pszExtra1);
}

/* The text, its quotes doubled, must fit the command of the chosen function. */
BOOL CheckEdit(HWND hDlg)
{
    int iFunction = ComboBox_GetCurSel(GetDlgItem(hDlg, IDC_EDIT_FUNCTION));
    char szText[RUNNABLE_COMMAND_LENGTH + 2];
    GetDlgItemTextA(hDlg, IDC_EDIT_DATA, szText, sizeof(szText));
    if (iFunction == CB_ERR ||
        FitsCommand(EDIT, iFunction, QuotedLength(szText)))
        return TRUE;
    return TooLong(hDlg, IDC_EDIT_DATA, "text");
}

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

FAMILY_DLGPROC(EditDlgProc, EDIT)
