/*
 * mode32_web.cpp - the Web Address dialog: the address a button opens in the browser.
 */
#include <windows.h>
#include "HelpTopics.h"
#include <windowsx.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "but32.h"
#include "editor.h"
#include "family.h"
#include "mode32_lists.h"
#include "mode32_text.h"
#include "dlgcrack.h"

#define ADDRESS_LENGTH  RUNNABLE_COMMAND_LENGTH  /* what the box takes; the command decides */

static void SetWebValues(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    SetDlgItemTextA(hDlg, IDC_WEB_ADDRESS, pbiHolder->pszPrimary != NULL ? pbiHolder->pszPrimary : "");
}

static void SetWeb(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent)
{
    Edit_LimitText(GetDlgItem(hDlg, IDC_WEB_ADDRESS), ADDRESS_LENGTH);
    if (bCurrent)
        SetWebValues(hDlg, pbiHolder);
    WriteToTextBox(hDlg, IDC_WEB_DEF_ADDRESS, pbiHolder->pszPrimary);
}

static void GetWeb(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    DlgItemToString(hDlg, IDC_WEB_ADDRESS, &pbiHolder->pszPrimary);
}

/* A quote typed into the address would reach the browser doubled; one that came with the
   stored command goes back as it came. */
static BOOL CheckWeb(HWND hDlg)
{
    char szAddress[ADDRESS_LENGTH + 2];
    GetDlgItemTextA(hDlg, IDC_WEB_ADDRESS, szAddress, sizeof(szAddress));
    if (!FitsTemplate(IDR_WEB_TEMPLATES, 0, QuotedLength(szAddress)))
        return TooLong(hDlg, IDC_WEB_ADDRESS, "web address");
    tagBUTTONINFO *pbiHeld = FindHolder(Editor()->pbiHolder, WEBBROWSER);
    if (IsPlainOrHeld(szAddress, pbiHeld != NULL ? pbiHeld->pszPrimary : NULL))
        return TRUE;
    return Refuse(hDlg, IDC_WEB_ADDRESS, "A web address cannot contain double quotes; write them as %22.");
}

const tagFAMILY WebFamily = {
    WEBBROWSER, IDD_WEB, WebDlgProc, IDR_WEB_TEMPLATES, IDH_WEB, 1, 4,
    SetWeb, GetWeb, SetWebValues, CheckWeb
};

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    (void)uiNotify;
    if (iID == IDC_CLEAR)
        SetDlgItemTextA(hDlg, IDC_WEB_ADDRESS, "");
    else
        FamilyCommand(hDlg, iID);
}

extern "C" INT_PTR CALLBACK WebDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
    }
    return FamilyDlgMessage(hDlg, uiMessage, wParam, lParam, &WebFamily);
}
