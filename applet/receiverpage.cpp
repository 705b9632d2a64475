/*
 * receiverpage.cpp - the applet's Receiver page: which of the receiver's other sources are
 * on (a LIRC or WinLIRC server, a USB remote's keys), the server's address and whether the
 * tray program is connected to it now, and the map of their names to the remote's buttons.
 * Learn asks the tray program for the next press: it sends what arrived to this page (see
 * Tellumo.h) instead of running it, and the user picks the button it becomes. Apply stores
 * the sources and the map and tells the tray program to read them again.
 */
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>
#include <stdio.h>
#include <string.h>
#include "dlgcrack.h"
#include "htmlhelp.h"
#include "pagehelp.h"
#include "psheetres.h"
#include "receiverpage.h"
#include "receiversettings.h"
#include "Tellumo.h"

#define TEXT_SIZE       256
#define LIST_TAB_STOP   120     /* the button's column, in dialog units */

/* void Cls_OnSourceState(HWND hwnd, UINT uiSources) */
#define HANDLE_SOURCE_STATE_MESSAGE(hwnd, wParam, lParam, fn) ((fn)((hwnd), (UINT)(wParam)), 0L)

/* The open page; cleared when it goes. */
static struct tagRECEIVERPAGE {
    HINSTANCE hInst;
    tagRECEIVERMAP rmMap;               /* the working copy, stored by Apply */
    char szChosen[MAP_NAME_SIZE];       /* the name Becomes sets: learnt, or chosen in the list */
} ReceiverPage;

static const tagHELPCONTEXT ahcReceiver[] = {
    { IDC_LIRC_SOURCE, IDH_LIRC_SOURCE },
    { IDC_LIRC_SERVER, IDH_LIRC_SOURCE },
    { IDC_LIRC_STATUS, IDH_LIRC_SOURCE },
    { IDC_KEY_SOURCE, IDH_KEY_SOURCE },
    { IDC_MAP_LIST, IDH_RECEIVER_MAP },
    { IDC_LEARN, IDH_RECEIVER_MAP },
    { IDC_REMOVE, IDH_RECEIVER_MAP },
    { IDC_BECOMES, IDH_RECEIVER_MAP },
};

static HWND TrayWindow(void)
{
    return FindWindowA(TRAY_CLASS, TRAY_TITLE);
}

/* Asks the tray program to tell this page of its sources (or to stop), and to send it the
   next press. */
static void WatchTray(HWND hDlg, BOOL bLearn)
{
    HWND hTray = TrayWindow();
    if (hTray != NULL)
        PostMessageA(hTray, WM_COMMAND, MAKEWPARAM(TRAY_WATCH_SOURCES, bLearn ? 1 : 0), (LPARAM)hDlg);
}

/* One of the page's texts, with an argument for those that take one. */
static void SetText(HWND hDlg, int iControl, UINT idText, const char *pszArgument)
{
    char szFormat[TEXT_SIZE], szText[TEXT_SIZE];
    LoadStringA(ReceiverPage.hInst, idText, szFormat, sizeof(szFormat));
    snprintf(szText, sizeof(szText), szFormat, pszArgument);
    SetDlgItemTextA(hDlg, iControl, szText);
}

/* The map as the list shows it, the chosen name selected. */
static void FillList(HWND hDlg)
{
    HWND hList = GetDlgItem(hDlg, IDC_MAP_LIST);
    SetWindowRedraw(hList, FALSE);
    ListBox_ResetContent(hList);
    for (int i = 0; i < ReceiverPage.rmMap.iCount; i++) {
        const tagMAPENTRY &me = ReceiverPage.rmMap.ameEntries[i];
        char szLine[MAP_NAME_SIZE + 16];
        snprintf(szLine, sizeof(szLine), "%s\t%s", me.szName, ReceiverButtonName(me.bRaw));
        ListBox_AddString(hList, szLine);
    }
    SetWindowRedraw(hList, TRUE);
    InvalidateRect(hList, NULL, TRUE);
    int iChosen = FindMapEntry(&ReceiverPage.rmMap, ReceiverPage.szChosen);
    int iLine = -1;
    if (iChosen >= 0) {
        char szPrefix[MAP_NAME_SIZE + 1];
        snprintf(szPrefix, sizeof(szPrefix), "%s\t", ReceiverPage.rmMap.ameEntries[iChosen].szName);
        iLine = ListBox_FindString(hList, -1, szPrefix);
    }
    ListBox_SetCurSel(hList, iLine);
    EnableWindow(GetDlgItem(hDlg, IDC_REMOVE), iLine >= 0);
}

/* A name to give a button: Becomes shows the button it has now, if any. */
static void Choose(HWND hDlg, const char *pszName, UINT idText)
{
    lstrcpynA(ReceiverPage.szChosen, pszName, sizeof(ReceiverPage.szChosen));
    SetText(hDlg, IDC_ARRIVED, idText, pszName);
    HWND hBecomes = GetDlgItem(hDlg, IDC_BECOMES);
    int iEntry = FindMapEntry(&ReceiverPage.rmMap, pszName);
    const char *pszButton = iEntry >= 0 ? ReceiverButtonName(ReceiverPage.rmMap.ameEntries[iEntry].bRaw) : NULL;
    ComboBox_SetCurSel(hBecomes, pszButton != NULL ? ComboBox_FindStringExact(hBecomes, -1, pszButton) : -1);
    EnableWindow(hBecomes, TRUE);
    FillList(hDlg);
}

static void ReportChange(HWND hDlg)
{
    PropSheet_Changed(GetParent(hDlg), hDlg);
}

static BOOL Receiver_OnInitDialog(HWND hDlg, HWND hwndFocus, LPARAM lParam)
{
    (void)hwndFocus;
    (void)lParam;
    ReceiverPage.hInst = (HINSTANCE)GetWindowLongPtrA(hDlg, GWLP_HINSTANCE);
    tagRECEIVERSETTINGS rsSettings;
    ReadReceiverSettings(&rsSettings);
    ReadReceiverMap(&ReceiverPage.rmMap);
    CheckDlgButton(hDlg, IDC_LIRC_SOURCE, rsSettings.bLirc ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hDlg, IDC_KEY_SOURCE, rsSettings.bKeys ? BST_CHECKED : BST_UNCHECKED);
    Edit_LimitText(GetDlgItem(hDlg, IDC_LIRC_SERVER), SERVER_ADDRESS_SIZE - 1);
    SetDlgItemTextA(hDlg, IDC_LIRC_SERVER, rsSettings.szServer);
    HWND hBecomes = GetDlgItem(hDlg, IDC_BECOMES);
    int cButtons;
    const tagRECEIVERBUTTON *prbButtons = ReceiverButtons(&cButtons);
    for (int i = 0; i < cButtons; i++)
        ComboBox_AddString(hBecomes, prbButtons[i].pszName);
    static const int aiTabStops[] = { LIST_TAB_STOP };
    ListBox_SetTabStops(GetDlgItem(hDlg, IDC_MAP_LIST), 1, aiTabStops);
    FillList(hDlg);
    /* The tray program answers with its sources' state; until then it is not running. */
    SetText(hDlg, IDC_LIRC_STATUS, IDS_TRAY_NOT_RUNNING, NULL);
    EnableWindow(GetDlgItem(hDlg, IDC_LEARN), TrayWindow() != NULL);
    WatchTray(hDlg, FALSE);
    return FALSE;
}

static void Receiver_OnSourceState(HWND hDlg, UINT uiSources)
{
    UINT idStatus = !(uiSources & SOURCE_LIRC_ON) ? IDS_LIRC_OFF
                  : (uiSources & SOURCE_LIRC_CONNECTED) ? IDS_LIRC_CONNECTED
                  : (uiSources & SOURCE_LIRC_UNREACHED) ? IDS_LIRC_NOT_CONNECTED : IDS_LIRC_CONNECTING;
    SetText(hDlg, IDC_LIRC_STATUS, idStatus, NULL);
    EnableWindow(GetDlgItem(hDlg, IDC_LEARN), TRUE);
}

/* What the tray program sent while learning; anything that is not a well-formed press of
   a source is not taken. */
static BOOL Receiver_OnCopyData(HWND hDlg, HWND hwndFrom, PCOPYDATASTRUCT pcds)
{
    (void)hwndFrom;
    if (pcds->dwData != LEARNED_PRESS_DATA || pcds->cbData != sizeof(tagLEARNEDPRESS) || pcds->lpData == NULL)
        return FALSE;
    tagLEARNEDPRESS lpPress;
    memcpy(&lpPress, pcds->lpData, sizeof(lpPress));
    if (memchr(lpPress.szName, '\0', sizeof(lpPress.szName)) == NULL || MapNameSource(lpPress.szName) == MAP_NONE)
        return FALSE;
    Choose(hDlg, lpPress.szName, IDS_ARRIVED);
    SetFocus(GetDlgItem(hDlg, IDC_BECOMES));
    return TRUE;
}

static void OnBecomes(HWND hDlg)
{
    HWND hBecomes = GetDlgItem(hDlg, IDC_BECOMES);
    char szButton[16] = "";
    ComboBox_GetLBText(hBecomes, ComboBox_GetCurSel(hBecomes), szButton);
    if (ReceiverPage.szChosen[0] == '\0'
        || !SetMapEntry(&ReceiverPage.rmMap, ReceiverPage.szChosen, FindReceiverButton(szButton)))
        return;
    FillList(hDlg);
    ReportChange(hDlg);
}

/* The entry of the list's selected line. */
static int SelectedEntry(HWND hDlg)
{
    HWND hList = GetDlgItem(hDlg, IDC_MAP_LIST);
    int iLine = ListBox_GetCurSel(hList);
    char szLine[MAP_NAME_SIZE + 16] = "";
    if (iLine < 0 || ListBox_GetTextLen(hList, iLine) >= (int)sizeof(szLine))
        return -1;
    ListBox_GetText(hList, iLine, szLine);
    char *pszTab = strchr(szLine, '\t');
    if (pszTab != NULL)
        *pszTab = '\0';
    return FindMapEntry(&ReceiverPage.rmMap, szLine);
}

static void OnRemove(HWND hDlg)
{
    int iEntry = SelectedEntry(hDlg);
    if (iEntry < 0)
        return;
    RemoveMapEntry(&ReceiverPage.rmMap, iEntry);
    ReceiverPage.szChosen[0] = '\0';
    SetDlgItemTextA(hDlg, IDC_ARRIVED, "");
    ComboBox_SetCurSel(GetDlgItem(hDlg, IDC_BECOMES), -1);
    EnableWindow(GetDlgItem(hDlg, IDC_BECOMES), FALSE);
    FillList(hDlg);
    ReportChange(hDlg);
}

static void Receiver_OnCommand(HWND hDlg, int id, HWND hwndCtl, UINT codeNotify)
{
    (void)hwndCtl;
    switch (id) {
    case IDC_LIRC_SOURCE:
    case IDC_KEY_SOURCE:
        if (codeNotify == BN_CLICKED)
            ReportChange(hDlg);
        break;
    case IDC_LIRC_SERVER:
        if (codeNotify == EN_CHANGE)
            ReportChange(hDlg);
        break;
    case IDC_LEARN:
        if (codeNotify == BN_CLICKED) {
            SetText(hDlg, IDC_ARRIVED, IDS_LEARN_WAITING, NULL);
            WatchTray(hDlg, TRUE);
        }
        break;
    case IDC_REMOVE:
        if (codeNotify == BN_CLICKED)
            OnRemove(hDlg);
        break;
    case IDC_MAP_LIST:
        if (codeNotify == LBN_SELCHANGE && SelectedEntry(hDlg) >= 0)
            Choose(hDlg, ReceiverPage.rmMap.ameEntries[SelectedEntry(hDlg)].szName, IDS_CHOSEN);
        break;
    case IDC_BECOMES:
        if (codeNotify == CBN_SELCHANGE)
            OnBecomes(hDlg);
        break;
    }
}

/* Stores what the page shows; an address that is no server's keeps the page open. */
static LRESULT OnApply(HWND hDlg)
{
    tagRECEIVERSETTINGS rsSettings = {};
    rsSettings.bLirc = IsDlgButtonChecked(hDlg, IDC_LIRC_SOURCE) == BST_CHECKED;
    rsSettings.bKeys = IsDlgButtonChecked(hDlg, IDC_KEY_SOURCE) == BST_CHECKED;
    GetDlgItemTextA(hDlg, IDC_LIRC_SERVER, rsSettings.szServer, sizeof(rsSettings.szServer));
    char szHost[SERVER_ADDRESS_SIZE];
    unsigned short usPort;
    if (!ParseServerAddress(rsSettings.szServer, szHost, sizeof(szHost), &usPort)) {
        char szMessage[TEXT_SIZE], szCaption[TEXT_SIZE];
        LoadStringA(ReceiverPage.hInst, IDS_BAD_SERVER, szMessage, sizeof(szMessage));
        LoadStringA(ReceiverPage.hInst, IDS_APPLET_NAME, szCaption, sizeof(szCaption));
        MessageBoxA(hDlg, szMessage, szCaption, MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(hDlg, IDC_LIRC_SERVER));
        return PSNRET_INVALID_NOCHANGEPAGE;
    }
    SaveReceiverSettings(&rsSettings);
    SaveReceiverMap(&ReceiverPage.rmMap);
    HWND hTray = TrayWindow();
    if (hTray != NULL)
        PostMessageA(hTray, WM_COMMAND, TRAY_READ_RECEIVER_SETTINGS, 0);
    return PSNRET_NOERROR;
}

static LRESULT Receiver_OnNotify(HWND hDlg, int idFrom, NMHDR *pnmh)
{
    (void)idFrom;
    switch (pnmh->code) {
    case PSN_KILLACTIVE:
        return FALSE;
    case PSN_APPLY:
        return OnApply(hDlg);
    case PSN_HELP:
        ShowHelpTopic(hDlg, IDH_RECEIVER_MAP);
        return 0;
    }
    return 0;
}

static BOOL Receiver_OnHelp(HWND hDlg, LPHELPINFO lphi)
{
    (void)hDlg;
    return ShowPageHelp(ReceiverPage.hInst, lphi, ahcReceiver, ARRAYSIZE(ahcReceiver));
}

static void Receiver_OnDestroy(HWND hDlg)
{
    (void)hDlg;
    HWND hTray = TrayWindow();
    if (hTray != NULL)
        PostMessageA(hTray, WM_COMMAND, TRAY_WATCH_SOURCES, 0);
    ReceiverPage = {};
}

INT_PTR CALLBACK ReceiverDlgProc(HWND hDlg, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, Receiver_OnInitDialog);
        HANDLE_DLGMSG(hDlg, SOURCE_STATE_MESSAGE, Receiver_OnSourceState);
        HANDLE_DLGMSG(hDlg, WM_COPYDATA, Receiver_OnCopyData);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, Receiver_OnCommand);
        HANDLE_DLGMSG(hDlg, WM_NOTIFY, Receiver_OnNotify);
        HANDLE_DLGMSG(hDlg, WM_HELP, Receiver_OnHelp);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, Receiver_OnDestroy);
    }
    return FALSE;
}
