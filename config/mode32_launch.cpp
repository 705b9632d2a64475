/*
 * mode32_launch.cpp - the Launch dialog: the program to start, its command line and the
 * size and position of its window. A program with a folder is kept in its short form, so
 * that a path with blanks needs no quotes inside the stored command; a bare name stays as
 * written, for the launch to find along the search path.
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
#include "size32.h"
#include "dlgcrack.h"

#define PROGRAM_LENGTH      255     /* a program's full path */
#define LAUNCHSIZE_TEMPLATE 1       /* the longer of the two launch commands */

/* Shows a stored program as its full path. */
static void SetProgram(HWND hDlg, int iControl, LPCSTR lpszProgram, BOOL bBoxText)
{
    char szPath[MAX_PATH];
    GetFullProgramPath(lpszProgram, szPath, sizeof(szPath));
    if (bBoxText)
        SetDlgItemTextA(hDlg, iControl, szPath);
    else
        WriteToTextBox(hDlg, iControl, szPath);
}

static void SetText(HWND hDlg, int iControl, LPCSTR lpszText)
{
    SetDlgItemTextA(hDlg, iControl, lpszText != NULL ? lpszText : "");
}

static void SetLaunchValues(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    SetProgram(hDlg, IDC_LAUNCH_FILE, pbiHolder->pszPrimary, TRUE);
    SetText(hDlg, IDC_LAUNCH_CMDLINE, pbiHolder->pszExtra1);
    SetText(hDlg, IDC_LAUNCH_POSTEXT, pbiHolder->pszExtra2);
}

static void SetLaunch(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent)
{
    Edit_LimitText(GetDlgItem(hDlg, IDC_LAUNCH_FILE), PROGRAM_LENGTH);
    Edit_LimitText(GetDlgItem(hDlg, IDC_LAUNCH_CMDLINE), RUNNABLE_COMMAND_LENGTH);
    if (bCurrent)
        SetLaunchValues(hDlg, pbiHolder);
    if (pbiHolder->pszPrimary != NULL)
        SetProgram(hDlg, IDC_LAUNCH_DEF_FILE, pbiHolder->pszPrimary, FALSE);
    if (pbiHolder->pszExtra1 != NULL)
        WriteToTextBox(hDlg, IDC_LAUNCH_DEF_CMDLINE, pbiHolder->pszExtra1);
    if (pbiHolder->pszExtra2 != NULL)
        WriteToTextBox(hDlg, IDC_LAUNCH_DEF_POSTEXT, pbiHolder->pszExtra2);
}

static void GetLaunch(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    DlgItemToString(hDlg, IDC_LAUNCH_FILE, &pbiHolder->pszPrimary);
    if (pbiHolder->pszPrimary != NULL && *pbiHolder->pszPrimary != '\0') {
        char szShort[MAX_PATH];
        GetShortProgramPath(pbiHolder->pszPrimary, szShort, sizeof(szShort));
        AssignButtonString(&pbiHolder->pszPrimary, szShort);
    }
    DlgItemToString(hDlg, IDC_LAUNCH_CMDLINE, &pbiHolder->pszExtra1);
    DlgItemToString(hDlg, IDC_LAUNCH_POSTEXT, &pbiHolder->pszExtra2);
}

/* The program, command line and size must make one command the tray program can run.
   A quote typed into them would reach the program doubled, so none is taken, except those
   that came with the stored command and go back as they came. */
static BOOL CheckLaunch(HWND hDlg)
{
    char szProgram[PROGRAM_LENGTH + 1], szShort[MAX_PATH], szCmdLine[RUNNABLE_COMMAND_LENGTH + 2];
    char szSizePos[RUNNABLE_COMMAND_LENGTH + 2];
    GetDlgItemTextA(hDlg, IDC_LAUNCH_FILE, szProgram, sizeof(szProgram));
    GetDlgItemTextA(hDlg, IDC_LAUNCH_CMDLINE, szCmdLine, sizeof(szCmdLine));
    GetDlgItemTextA(hDlg, IDC_LAUNCH_POSTEXT, szSizePos, sizeof(szSizePos));
    tagBUTTONINFO *pbiHeld = FindHolder(Editor()->pbiHolder, APPLAUNCH);
    BOOL bProgram = IsPlainOrHeld(szProgram, pbiHeld != NULL ? pbiHeld->pszPrimary : NULL);
    if (!bProgram || !IsPlainOrHeld(szCmdLine, pbiHeld != NULL ? pbiHeld->pszExtra1 : NULL))
        return Refuse(hDlg, bProgram ? IDC_LAUNCH_CMDLINE : IDC_LAUNCH_FILE,
                      "The file name and the command line cannot contain double quotes.\n"
                      "A name with blanks is stored in its short form and needs none.");
    GetShortProgramPath(szProgram, szShort, sizeof(szShort));
    if (!FitsTemplate(IDR_LAUNCH_TEMPLATES, LAUNCHSIZE_TEMPLATE, LaunchArgumentLength(szShort, szCmdLine, szSizePos)))
        return TooLong(hDlg, IDC_LAUNCH_CMDLINE, "file name with its command line");
    return TRUE;
}

const tagFAMILY LaunchFamily = {
    APPLAUNCH, IDD_LAUNCH, LaunchDlgProc, IDR_LAUNCH_TEMPLATES, IDH_LAUNCH, 0, 4,
    SetLaunch, GetLaunch, SetLaunchValues, CheckLaunch
};

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    (void)uiNotify;
    switch (iID) {
    case IDC_LAUNCH_BROWSE:
        GetFileName(hDlg);
        break;
    case IDC_LAUNCH_SIZEPOS:
        GetSizeAndPosition(hDlg);
        break;
    case IDC_CLEAR:
        SetDlgItemTextA(hDlg, IDC_LAUNCH_FILE, "");
        SetDlgItemTextA(hDlg, IDC_LAUNCH_CMDLINE, "");
        SetDlgItemTextA(hDlg, IDC_LAUNCH_POSTEXT, "");
        break;
    default:
        FamilyCommand(hDlg, iID);
    }
}

extern "C" INT_PTR CALLBACK LaunchDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
    }
    return FamilyDlgMessage(hDlg, uiMessage, wParam, lParam, &LaunchFamily);
}
