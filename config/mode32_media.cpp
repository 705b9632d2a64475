/*
 * mode32_media.cpp - the Multi Media dialog: a media device and what to do with it, or
 * one of the volume functions, which take no device.
 */
#include <windows.h>
#include "HelpTopics.h"
#include <windowsx.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "but32.h"
#include "family.h"
#include "mode32_lists.h"
#include "dlgcrack.h"

#define CHANGE_TRACK    6       /* the last function that takes a device; the track is its */
#define TRACK_DIGITS    4       /* the engine reads at most four */

/* Device and track belong to the functions up to "Change Track". */
static void EnableDevice(HWND hDlg, BOOL bEnable)
{
    EnableWindow(GetDlgItem(hDlg, IDC_MM_DEVICE), bEnable);
    EnableWindow(GetDlgItem(hDlg, IDC_MM_TRACK), bEnable);
}

/* Device, function and track of the holder into the editable controls; stops at the
   first name that is not in its list. */
static void SetMediaValues(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    if (pbiHolder->pszPrimary == NULL) {
        EnableDevice(hDlg, FALSE);
        ComboBox_SetCurSel(GetDlgItem(hDlg, IDC_MM_DEVICE), 0);
    } else if (SelectPrefix(hDlg, IDC_MM_DEVICE, pbiHolder->pszPrimary)) {
        EnableDevice(hDlg, TRUE);       /* "Set Values" after a function without a device */
    } else {
        return;
    }
    if (pbiHolder->pszExtra1 == NULL || !SelectPrefix(hDlg, IDC_MM_FUNCTION, pbiHolder->pszExtra1))
        return;
    if (pbiHolder->pszExtra2 != NULL)
        SetDlgItemTextA(hDlg, IDC_MM_TRACK, pbiHolder->pszExtra2);
}

static void SetMedia(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent)
{
    Edit_LimitText(GetDlgItem(hDlg, IDC_MM_TRACK), TRACK_DIGITS);
    GetMCIDevices(GetDlgItem(hDlg, IDC_MM_DEVICE), NULL);
    InitialiseComboBoxRC(hDlg, IDC_MM_FUNCTION, IDR_MEDIA_NAMES, 0);
    SetDlgItemTextA(hDlg, IDC_MM_DEF_DEVICE, pbiHolder->pszPrimary != NULL ? pbiHolder->pszPrimary : "");
    SetDlgItemTextA(hDlg, IDC_MM_DEF_FUNCTION, pbiHolder->pszExtra1 != NULL ? pbiHolder->pszExtra1 : "");
    SetDlgItemTextA(hDlg, IDC_MM_DEF_TRACK, pbiHolder->pszExtra2 != NULL ? pbiHolder->pszExtra2 : "");
    if (bCurrent)
        SetMediaValues(hDlg, pbiHolder);
}

static void GetMedia(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    int iFunction = ComboBox_GetCurSel(GetDlgItem(hDlg, IDC_MM_FUNCTION));
    if (iFunction == CB_ERR) {
        AssignButtonInfo(pbiHolder, MULTIMEDIA, NULL, NULL, NULL);
        return;
    }
    DlgItemToString(hDlg, IDC_MM_DEVICE, &pbiHolder->pszPrimary);
    DlgItemToString(hDlg, IDC_MM_FUNCTION, &pbiHolder->pszExtra1);
    DlgItemToString(hDlg, IDC_MM_TRACK, &pbiHolder->pszExtra2);
    /* The volume functions take neither device nor track: what their boxes hold (greyed)
       is not theirs. */
    if (iFunction > CHANGE_TRACK) {
        AssignButtonString(&pbiHolder->pszPrimary, NULL);
        AssignButtonString(&pbiHolder->pszExtra2, NULL);
    }
}

/* A track is a number of up to four digits. A track box that the function disabled is
   not the function's, and is not checked. */
static BOOL CheckMedia(HWND hDlg)
{
    if (!IsWindowEnabled(GetDlgItem(hDlg, IDC_MM_TRACK)))
        return TRUE;
    char szTrack[TRACK_DIGITS + 2];
    GetDlgItemTextA(hDlg, IDC_MM_TRACK, szTrack, sizeof(szTrack));
    if (strspn(szTrack, "0123456789") == strlen(szTrack) && strlen(szTrack) <= TRACK_DIGITS)
        return TRUE;
    return Refuse(hDlg, IDC_MM_TRACK, "The track is a number of up to four digits.");
}

const tagFAMILY MediaFamily = {
    MULTIMEDIA, IDD_MULTIMEDIA, MultiDlgProc, IDR_MEDIA_TEMPLATES, IDH_MEDIA, 2, 6,
    SetMedia, GetMedia, SetMediaValues, CheckMedia
};

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    switch (iID) {
    case IDC_MM_FUNCTION:
        if (uiNotify == CBN_SELCHANGE)
            EnableDevice(hDlg, ComboBox_GetCurSel(hCtl) <= CHANGE_TRACK);
        break;
    case IDC_CLEAR:
        ComboBox_SetCurSel(GetDlgItem(hDlg, IDC_MM_DEVICE), 0);
        ComboBox_SetCurSel(GetDlgItem(hDlg, IDC_MM_FUNCTION), 0);
        SetDlgItemTextA(hDlg, IDC_MM_TRACK, "");
        EnableDevice(hDlg, TRUE);
        break;
    default:
        FamilyCommand(hDlg, iID);
    }
}

extern "C" INT_PTR CALLBACK MultiDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
    }
    return FamilyDlgMessage(hDlg, uiMessage, wParam, lParam, &MediaFamily);
}
