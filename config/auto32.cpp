/*
 * auto32.cpp - the Automatic Modes dialog, opened from the picture of the remote's window
 * menu: the programs whose coming to the front chooses a mode, each with its mode, and the
 * switch of the whole feature. It edits a copy of the pairs; OK stores only what changed,
 * so that the values it cannot show (a pair of a mode that no longer exists, a damaged
 * value) stay as they are.
 */
#include <windows.h>
#include <windowsx.h>
#include <stdio.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "but32.h"
#include "family.h"
#include "mode32_lists.h"
#include "mode32_message.h"
#include "auto32.h"
#include "autopairs_store.h"
#include "dlgcrack.h"

#define LIST_EXTENT     1600    /* pixels the list scrolls to, for long paths */

/* Dialog state; cleared in one step when the window is destroyed. */
static struct tagAUTO32 {
    AUTOMODENAMES anModes;
    tagAUTOMODEPAIR apStored[AUTOMODE_MAX_PAIRS];   /* the usable pairs, as stored */
    int cStored;
    tagAUTOMODEPAIR apPairs[AUTOMODE_MAX_PAIRS];    /* as edited */
    int cPairs;
    HBRUSH hBrush;
} auto32;

/* ---- The lists ----------------------------------------------------------------------- */

/* The pair of this program among n pairs (as registry value names compare), or -1. */
static int FindPair(const tagAUTOMODEPAIR *pPairs, int cPairs, LPCSTR lpszProgram)
{
    for (int i = 0; i < cPairs; i++)
        if (lstrcmpiA(pPairs[i].szProgram, lpszProgram) == 0)
            return i;
    return -1;
}

/* Shows pair i as entry i of the list ("mode<tab>program", the mode as it is named now),
   replacing what was there. */
static void ShowPair(HWND hDlg, int i)
{
    HWND hList = GetDlgItem(hDlg, IDC_AM_PAIRS);
    char szEntry[STORE_MODE_KEY_SIZE + AUTOMODE_PROGRAM_SIZE + 1];
    snprintf(szEntry, sizeof(szEntry), "%s\t%s", auto32.anModes[auto32.apPairs[i].iMode], auto32.apPairs[i].szProgram);
    if (i < ListBox_GetCount(hList))
        ListBox_DeleteString(hList, i);
    ListBox_InsertString(hList, i, szEntry);
}

static int SelectedPair(HWND hDlg)
{
    int i = ListBox_GetCurSel(GetDlgItem(hDlg, IDC_AM_PAIRS));
    return i >= 0 && i < auto32.cPairs ? i : -1;
}

/* The mode chosen in the Mode box, -1 when none. */
static int ChosenMode(HWND hDlg)
{
    HWND hModes = GetDlgItem(hDlg, IDC_AM_MODE);
    int iItem = ComboBox_GetCurSel(hModes);
    return iItem >= 0 ? (int)ComboBox_GetItemData(hModes, iItem) : -1;
}

/* The Mode box and Remove follow the selected pair. */
static void ShowSelection(HWND hDlg)
{
    int i = SelectedPair(hDlg);
    EnableWindow(GetDlgItem(hDlg, IDC_AM_REMOVE), i >= 0);
    if (i < 0)
        return;
    HWND hModes = GetDlgItem(hDlg, IDC_AM_MODE);
    for (int iItem = ComboBox_GetCount(hModes) - 1; iItem >= 0; iItem--)
        if ((int)ComboBox_GetItemData(hModes, iItem) == auto32.apPairs[i].iMode)
            ComboBox_SetCurSel(hModes, iItem);
}

static void SelectPair(HWND hDlg, int i)
{
    ListBox_SetCurSel(GetDlgItem(hDlg, IDC_AM_PAIRS), i);
    ShowSelection(hDlg);
}

/* Gives pair i engine mode m under its current name. */
static void SetPairMode(int i, int m)
{
    lstrcpynA(auto32.apPairs[i].szMode, auto32.anModes[m], STORE_MODE_KEY_SIZE);
    auto32.apPairs[i].iMode = m;
}

/* The programs that have a window on the desktop now, by file name, for the Program box;
   not this process's own. */
static void FillRunningPrograms(HWND hDlg)
{
    HWND hPrograms = GetDlgItem(hDlg, IDC_AM_PROGRAM);
    HWND *phWindows = NULL;
    EnumWindows(EnumTaskWindowProc2, (LPARAM)&phWindows);
    for (HWND *phWnd = phWindows; phWnd != NULL && *phWnd != NULL; phWnd++) {
        DWORD dwProcess = 0;
        char szPath[AUTOMODE_PROGRAM_SIZE];
        if (GetWindowThreadProcessId(*phWnd, &dwProcess) == 0 || dwProcess == GetCurrentProcessId()
            || !WindowProgram(*phWnd, szPath, sizeof(szPath)))
            continue;
        LPCSTR lpszName = strrchr(szPath, '\\') != NULL ? strrchr(szPath, '\\') + 1 : szPath;
        if (ComboBox_FindStringExact(hPrograms, -1, lpszName) == CB_ERR)
            ComboBox_AddString(hPrograms, lpszName);
    }
    if (phWindows != NULL)
        LocalFree((HLOCAL)phWindows);
}

/* ---- Commands ------------------------------------------------------------------------ */

/* The Program box's text without the blanks around it, in szProgram. */
static LPCSTR ProgramToAdd(HWND hDlg, char (&szProgram)[AUTOMODE_PROGRAM_SIZE])
{
    GetDlgItemTextA(hDlg, IDC_AM_PROGRAM, szProgram, sizeof(szProgram));
    char *pszProgram = szProgram + strspn(szProgram, " ");
    for (size_t cch = strlen(pszProgram); cch > 0 && pszProgram[cch - 1] == ' '; cch--)
        pszProgram[cch - 1] = '\0';
    return pszProgram;
}

/* The Program box's text becomes a pair of the mode in the Mode box, and the selected one;
   a program already listed gets that mode. */
static void OnAdd(HWND hDlg)
{
    char szProgram[AUTOMODE_PROGRAM_SIZE];
    LPCSTR pszProgram = ProgramToAdd(hDlg, szProgram);
    char szMessage[256];
    if (pszProgram[0] == '\0') {
        GetStringRes(IDS_AUTO_NO_PROGRAM, szMessage, sizeof(szMessage));
        Refuse(hDlg, IDC_AM_PROGRAM, szMessage);
        return;
    }
    int m = ChosenMode(hDlg);
    if (m < 0) {
        MessageBeep(MB_ICONEXCLAMATION);    /* no mode has a name to choose */
        return;
    }
    int i = FindPair(auto32.apPairs, auto32.cPairs, pszProgram);
    if (i < 0) {
        if (auto32.cPairs == AUTOMODE_MAX_PAIRS) {
            char szFormat[256];
            GetStringRes(IDS_AUTO_FULL, szFormat, sizeof(szFormat));
            snprintf(szMessage, sizeof(szMessage), szFormat, AUTOMODE_MAX_PAIRS);
            Refuse(hDlg, IDC_AM_PAIRS, szMessage);
            return;
        }
        i = auto32.cPairs++;
        lstrcpynA(auto32.apPairs[i].szProgram, pszProgram, AUTOMODE_PROGRAM_SIZE);
    }
    SetPairMode(i, m);
    ShowPair(hDlg, i);
    SelectPair(hDlg, i);
    SetDlgItemTextA(hDlg, IDC_AM_PROGRAM, "");
}

static void OnRemove(HWND hDlg)
{
    int i = SelectedPair(hDlg);
    if (i < 0)
        return;
    memmove(&auto32.apPairs[i], &auto32.apPairs[i + 1], (size_t)(auto32.cPairs - i - 1) * sizeof(auto32.apPairs[0]));
    auto32.cPairs--;
    ListBox_DeleteString(GetDlgItem(hDlg, IDC_AM_PAIRS), i);
    SelectPair(hDlg, i < auto32.cPairs ? i : auto32.cPairs - 1);
}

static void OnModeChosen(HWND hDlg)
{
    int i = SelectedPair(hDlg), m = ChosenMode(hDlg);
    if (i < 0 || m < 0)
        return;
    SetPairMode(i, m);
    ShowPair(hDlg, i);
    SelectPair(hDlg, i);
}

static void OnBrowse(HWND hDlg)
{
    char szTitle[64], szFile[AUTOMODE_PROGRAM_SIZE];
    GetStringRes(IDS_AUTO_BROWSE_TITLE, szTitle, sizeof(szTitle));
    if (!ChooseProgramFile(hDlg, szTitle, szFile, sizeof(szFile)))
        return;
    SetDlgItemTextA(hDlg, IDC_AM_PROGRAM, szFile);
    SelectPair(hDlg, -1);
}

/* Stores what changed: removed pairs go, new and changed ones are written, the switch. */
static void OnOK(HWND hDlg)
{
    for (int i = 0; i < auto32.cStored; i++)
        if (FindPair(auto32.apPairs, auto32.cPairs, auto32.apStored[i].szProgram) < 0)
            DeleteAutoModePair(auto32.apStored[i].szProgram);
    for (int i = 0; i < auto32.cPairs; i++) {
        int iStored = FindPair(auto32.apStored, auto32.cStored, auto32.apPairs[i].szProgram);
        if (iStored < 0 || strcmp(auto32.apStored[iStored].szMode, auto32.apPairs[i].szMode) != 0)
            WriteAutoModePair(auto32.apPairs[i].szProgram, auto32.apPairs[i].szMode);
    }
    EnableAutoModes(IsDlgButtonChecked(hDlg, IDC_AM_ENABLED) == BST_CHECKED);
    EndDialog(hDlg, IDOK);
}

/* ---- Messages ------------------------------------------------------------------------ */

static BOOL OnInitDialog(HWND hDlg, HWND hFocus, LPARAM lParam)
{
    (void)hFocus;
    (void)lParam;
    auto32.hBrush = CreateSolidBrush(EDITOR_GREY);
    ReadModeNames(auto32.anModes);
    auto32.cStored = ReadAutoModePairs(auto32.apStored, AUTOMODE_MAX_PAIRS, auto32.anModes);
    auto32.cPairs = auto32.cStored;
    memcpy(auto32.apPairs, auto32.apStored, sizeof(auto32.apPairs));

    CheckDlgButton(hDlg, IDC_AM_ENABLED, AutoModesEnabled() ? BST_CHECKED : BST_UNCHECKED);
    HWND hList = GetDlgItem(hDlg, IDC_AM_PAIRS);
    int iTabStop = AM_PROGRAM_COLUMN;
    ListBox_SetTabStops(hList, 1, &iTabStop);
    ListBox_SetHorizontalExtent(hList, LIST_EXTENT);
    for (int i = 0; i < auto32.cPairs; i++)
        ShowPair(hDlg, i);
    HWND hModes = GetDlgItem(hDlg, IDC_AM_MODE);
    for (int m = 0; m < STORE_MODES; m++)
        if (auto32.anModes[m][0] != '\0')
            ComboBox_SetItemData(hModes, ComboBox_AddString(hModes, auto32.anModes[m]), m);
    ComboBox_SetCurSel(hModes, 0);      /* the mode of a program added first */
    ComboBox_LimitText(GetDlgItem(hDlg, IDC_AM_PROGRAM), AUTOMODE_PROGRAM_SIZE - 1);
    FillRunningPrograms(hDlg);
    SelectPair(hDlg, auto32.cPairs > 0 ? 0 : -1);
    CenterWindow(hDlg);
    return TRUE;
}

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    switch (iID) {
    case IDOK: {
        /* Enter in the Program box adds the program typed there. */
        char szProgram[AUTOMODE_PROGRAM_SIZE];
        if (IsChild(GetDlgItem(hDlg, IDC_AM_PROGRAM), GetFocus()) && ProgramToAdd(hDlg, szProgram)[0] != '\0')
            OnAdd(hDlg);
        else
            OnOK(hDlg);
        break;
    }
    case IDCANCEL:
        EndDialog(hDlg, IDCANCEL);
        break;
    case IDC_HELPBUTTON:
        Help(hDlg, IDH_AUTOMODES, TRUE);
        break;
    case IDC_AM_ADD:
        OnAdd(hDlg);
        break;
    case IDC_AM_REMOVE:
        OnRemove(hDlg);
        break;
    case IDC_AM_BROWSE:
        OnBrowse(hDlg);
        break;
    case IDC_AM_PAIRS:
        if (uiNotify == LBN_SELCHANGE)
            ShowSelection(hDlg);
        break;
    case IDC_AM_MODE:
        if (uiNotify == CBN_SELCHANGE)
            OnModeChosen(hDlg);
        break;
    case IDC_AM_PROGRAM:
        /* Going to add a program: the Mode box now chooses its mode, no listed one's. */
        if (uiNotify == CBN_SETFOCUS || uiNotify == CBN_EDITCHANGE || uiNotify == CBN_SELCHANGE)
            SelectPair(hDlg, -1);
        break;
    }
}

static BOOL OnHelp(HWND hDlg, LPHELPINFO lphi)
{
    (void)lphi;
    Help(hDlg, IDH_AUTOMODES, TRUE);
    return TRUE;
}

/* The dialog and its labels on light grey; the lists and the edit field stay white. */
static HBRUSH OnCtlColor(HWND hDlg, HDC hDC, HWND hChild, int iType)
{
    (void)hDlg;
    (void)hChild;
    (void)iType;
    SetBkColor(hDC, EDITOR_GREY);
    return auto32.hBrush;
}

static void OnDestroy(HWND hDlg)
{
    if (auto32.hBrush != NULL)
        DeleteBrush(auto32.hBrush);
    Help(hDlg, IDH_AUTOMODES, FALSE);
    auto32 = {};
}

INT_PTR CALLBACK AutoModesDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
        HANDLE_DLGMSG(hDlg, WM_HELP, OnHelp);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, OnDestroy);
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORDLG, OnCtlColor);
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORSTATIC, OnCtlColor);
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORBTN, OnCtlColor);
    }
    return FALSE;
}

/* ---- The window menu of the picture of the remote --------------------------------------- */

void AddAutoModeMenu(HWND hDlg)
{
    char szItem[64];
    GetStringRes(IDS_AUTO_MENU, szItem, sizeof(szItem));
    AppendMenuA(GetSystemMenu(hDlg, FALSE), MF_STRING, SC_AUTO_MODES, szItem);
}

BOOL OnAutoModeCommand(HWND hDlg, UINT uiCommand)
{
    if (uiCommand != SC_AUTO_MODES)
        return FALSE;
    DialogBoxRes(IDD_AUTOMODES, hDlg, AutoModesDlgProc);
    return TRUE;
}
