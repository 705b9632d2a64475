/*
 * mode32_web.cpp - the Web Address dialog: the address a button opens in the browser.
 */
#include <windows.h>
#include <windowsx.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_internal.h"
#include "dlgcrack.h"

#define ADDRESS_LENGTH  RUNNABLE_COMMAND_LENGTH  /* what the box takes; the command decides */

void SetWebValues(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    SetDlgItemTextA(hDlg, IDC_WEB_ADDRESS, pbiHolder->pszPrimary != NULL ? pbiHolder->pszPrimary : "");
}

void SetWeb(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent)
{
    Edit_LimitText(GetDlgItem(hDlg, IDC_WEB_ADDRESS), ADDRESS_LENGTH);
    if (bCurrent)
        SetWebValues(hDlg, pbiHolder);
    WriteToTextBox(hDlg, IDC_WEB_DEF_ADDRESS, pbiHolder->pszPrimary);
}

void GetWeb(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    DlgItemToString(hDlg, IDC_WEB_ADDRESS, &pbiHolder->pszPrimary);
}

/* A quote typed into the address would reach the browser doubled; one that came with the
   stored command goes back as it came. */
BOOL CheckWeb(HWND hDlg)
{
    char szAddress[ADDRESS_LENGTH + 2];
    GetDlgItemTextA(hDlg, IDC_WEB_ADDRESS, szAddress, sizeof(szAddress));
    if (!FitsCommand(WEBBROWSER, 0, QuotedLength(szAddress)))
        return TooLong(hDlg, IDC_WEB_ADDRESS, "web address");
    tagBUTTONINFO *pbiHeld = FindHolder(pbiHolder, WEBBROWSER);
    if (IsPlainOrHeld(szAddress, pbiHeld != NULL ? pbiHeld->pszPrimary : NULL))
        return TRUE;
    return Refuse(hDlg, IDC_WEB_ADDRESS, "A web address cannot contain double quotes; write them as %22.");
}

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    (void)uiNotify;
    if (iID == IDC_CLEAR)
        SetDlgItemTextA(hDlg, IDC_WEB_ADDRESS, "");
    else
        FamilyCommand(hDlg, iID);
}

FAMILY_DLGPROC(WebDlgProc, WEBBROWSER)
