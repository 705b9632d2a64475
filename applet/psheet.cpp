/*
 * psheet.cpp - Selvane, the Control Panel applet "Remote Mouse". It opens a property sheet
 * with a Cursor page (the remote's cursor speed, the system's mouse trail, whether the
 * remote's buttons are reported, and a way into the button configuration while the tray
 * program is not running) and an About page. Apply stores speed and button switch in the
 * registry, hands both to the receiver driver and sets the system's mouse trail. F1 or the
 * title bar's "?" on a control shows a note on it; the sheet's Help button opens the help
 * file at the page in front.
 */
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>
#include <cpl.h>
#include "dlgcrack.h"
#include "htmlhelp.h"
#include "receiver.h"
#include "registry.h"
#include "Tellumo.h"
#include "psheet.h"
#include "psheetres.h"

#define SHEET_CAPTION       "Remote Mouse Properties"
#define SETTINGS_CLASS      "Settings"
#define BRENVIK_FILE        "\\brenvik.dll"
#define DIRECTORY_SIZE      246
#define HELP_TEXT_SIZE      512
#define ORDINAL_MOUSEBUTTONS 1

#define SPEED_MIN           0
#define SPEED_MAX           4
#define TRAIL_MIN           1
#define TRAIL_MAX           7

/* Values of the settings key, and what a new key starts with. */
#define VALUE_SPEED         "CursorSpeed"
#define VALUE_TRAIL         "CursorTrail"
#define VALUE_SHOW_TRAIL    "ShowTrail"
#define VALUE_SHOW_ICON     "ShowIcon"
#define VALUE_ENABLE        "EnableButtons"
#define DEFAULT_SPEED       3

typedef int (WINAPI *MOUSEBUTTONSPROC)(HWND hWnd);

static HINSTANCE hInstance;
/* The applet's icon, from CPL_INIT to CPL_EXIT. */
static HICON hIcon;

/* State of the open sheet, cleared when the Cursor page goes. */
static struct tagPSHEET {
    SHEETINFO siTempSheet;  /* the Cursor page's working copy */
    HWND hPSheet;           /* the sheet window, learnt when the page is activated */
    int iEnableTrails;      /* the system's mouse trail when the page opened */
    BOOL bChanged;          /* a trackbar change has been reported to the sheet */
} psheet;

/* Help contexts of the Cursor page's controls. */
static const struct tagHELPCONTEXT {
    int iControl;
    DWORD dwContext;
} ahcCursor[] = {
    { IDC_SHOW_TRAIL, IDH_SHOW_TRAIL },
    { IDC_SPEED, IDH_CURSOR_SPEED },
    { IDC_TRAIL, IDH_TRAIL_LENGTH },
    { IDC_ENABLE_BUTTONS, IDH_ENABLE_BUTTONS },
    { IDC_CONFIGURATION, IDH_CONFIGURATION },
};

BOOL WINAPI DllMain(HINSTANCE hInst, DWORD dwReason, LPVOID lpReserved)
{
    (void)lpReserved;
    if (dwReason == DLL_PROCESS_ATTACH)
        hInstance = hInst;
    return TRUE;
}

/* ---- registry, driver and configuration ---- */

void InitialiseMouseSettings(void)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS) {
        RegCloseKey(hKey);
        return;
    }
    if (RegCreateKeyExA(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, 0, (LPSTR)SETTINGS_CLASS, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return;
    WriteByteValue(hKey, VALUE_SPEED, DEFAULT_SPEED);
    WriteByteValue(hKey, VALUE_SHOW_ICON, 0);
    WriteByteValue(hKey, VALUE_ENABLE, 0);
    RegCloseKey(hKey);
}

/* A value that cannot be read leaves its field as it was. */
void GetMouseSettings(LPSHEETINFO lpInfo)
{
    InitialiseMouseSettings();
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    BYTE bValue;
    if (GetByteValue(hKey, VALUE_SPEED, &bValue))
        lpInfo->iSpeed = bValue;
    if (GetByteValue(hKey, VALUE_TRAIL, &bValue))
        lpInfo->iTrail = bValue;
    if (GetByteValue(hKey, VALUE_SHOW_TRAIL, &bValue))
        lpInfo->bShowTrail = bValue != 0;
    if (GetByteValue(hKey, VALUE_ENABLE, &bValue))
        lpInfo->bEnableButton = bValue != 0;
    RegCloseKey(hKey);
}

/* Only speed and button switch: the trail belongs to the system. */
void SaveMouseSettings(LPSHEETINFO lpInfo)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    WriteByteValue(hKey, VALUE_SPEED, LOBYTE(lpInfo->iSpeed));
    WriteByteValue(hKey, VALUE_ENABLE, lpInfo->bEnableButton ? 1 : 0);
    RegCloseKey(hKey);
}

/* A missing driver is no error: the settings apply when it comes. */
void SetMouseVxD(PMOUSEVXDPARAMS pmvpMouse)
{
    CallReceiver(RECEIVER_SETMOUSE, pmvpMouse, sizeof(*pmvpMouse));
}

void ReadDirectory(LPSTR pszBuffer, DWORD dwSize)
{
    Get(ORVANE_SETTINGS, ORVANE_WORKING_DIRECTORY, "", pszBuffer, (int)dwSize);
}

void ConfigureButtons(HWND hWnd)
{
    char szPath[DIRECTORY_SIZE + sizeof(BRENVIK_FILE)];
    ReadDirectory(szPath, DIRECTORY_SIZE);
    lstrcatA(szPath, BRENVIK_FILE);
    HMODULE hBrenvik = LoadLibraryA(szPath);
    if (hBrenvik == NULL)
        return;
    MOUSEBUTTONSPROC lpfnMouseButtons =
        (MOUSEBUTTONSPROC)(void (*)(void))GetProcAddress(hBrenvik, MAKEINTRESOURCEA(ORDINAL_MOUSEBUTTONS));
    if (lpfnMouseButtons != NULL)
        lpfnMouseButtons(hWnd);
    FreeLibrary(hBrenvik);
}

static BOOL TrayProgramRuns(void)
{
    return FindWindowA(TRAY_CLASS, TRAY_TITLE) != NULL;
}

/* The help text of a topic (the applet's own string), as a pop-up at the point of the
   help request. */
static void ShowControlHelp(const HELPINFO *lphi, DWORD dwContext)
{
    char szText[HELP_TEXT_SIZE];
    char szCaption[HELP_TEXT_SIZE];
    if (LoadStringA(hInstance, IDS_HELP_TEXT_BASE + dwContext, szText, sizeof(szText)) == 0)
        return;
    LoadStringA(hInstance, IDS_APPLET_NAME, szCaption, sizeof(szCaption));
    ShowHelpPopup((HWND)lphi->hItemHandle, szText, lphi->MousePos, szCaption);
}

/* ---- the Cursor page ---- */

static int TrackbarPos(HWND hDlg, int iControl)
{
    return (int)SendDlgItemMessageA(hDlg, iControl, TBM_GETPOS, 0, 0);
}

static void SetTrackbar(HWND hDlg, int iControl, int iMin, int iMax, int iPos)
{
    SendDlgItemMessageA(hDlg, iControl, TBM_SETRANGE, TRUE, MAKELPARAM(iMin, iMax));
    SendDlgItemMessageA(hDlg, iControl, TBM_SETPOS, TRUE, iPos);
}

/* The controls into the working copy; bLowBytes keeps only the positions' low bytes. */
static void ReadPageControls(HWND hDlg, BOOL bLowBytes)
{
    SHEETINFO *psi = &psheet.siTempSheet;
    psi->iSpeed = TrackbarPos(hDlg, IDC_SPEED);
    psi->iTrail = TrackbarPos(hDlg, IDC_TRAIL);
    if (bLowBytes) {
        psi->iSpeed = LOBYTE(psi->iSpeed);
        psi->iTrail = LOBYTE(psi->iTrail);
    }
    psi->bShowTrail = IsDlgButtonChecked(hDlg, IDC_SHOW_TRAIL) == BST_CHECKED;
    psi->bEnableButton = IsDlgButtonChecked(hDlg, IDC_ENABLE_BUTTONS) == BST_CHECKED;
}

static void ReportChange(HWND hDlg)
{
    PropSheet_Changed(psheet.hPSheet, hDlg);
}

static BOOL Speed_OnInitDialog(HWND hDlg, HWND hwndFocus, LPARAM lParam)
{
    (void)hwndFocus;
    (void)lParam;
    if (TrayProgramRuns())
        ShowWindow(GetDlgItem(hDlg, IDC_CONFIGURATION), SW_HIDE);
    psheet.hPSheet = NULL;
    GetMouseSettings(&psheet.siTempSheet);
    /* The trail shown is the system's own, not the registry's copy. */
    psheet.iEnableTrails = 0;
    SystemParametersInfoA(SPI_GETMOUSETRAILS, 0, &psheet.iEnableTrails, 0);
    psheet.siTempSheet.bShowTrail = psheet.iEnableTrails != 0 && psheet.iEnableTrails != 1;
    psheet.siTempSheet.iTrail = psheet.iEnableTrails;
    return FALSE;
}

static void Speed_OnSetActive(HWND hDlg, HWND hSheet)
{
    const SHEETINFO *psi = &psheet.siTempSheet;
    psheet.hPSheet = hSheet;
    SetTrackbar(hDlg, IDC_SPEED, SPEED_MIN, SPEED_MAX, psi->iSpeed);
    SetTrackbar(hDlg, IDC_TRAIL, TRAIL_MIN, TRAIL_MAX, psi->iTrail);
    CheckDlgButton(hDlg, IDC_SHOW_TRAIL, psi->bShowTrail ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(hDlg, IDC_TRAIL), psi->bShowTrail);
    CheckDlgButton(hDlg, IDC_ENABLE_BUTTONS, psi->bEnableButton ? BST_CHECKED : BST_UNCHECKED);
}

static void Speed_OnApply(HWND hDlg)
{
    ReadPageControls(hDlg, FALSE);
    const SHEETINFO *psi = &psheet.siTempSheet;
    SaveMouseSettings(&psheet.siTempSheet);
    MOUSEVXDPARAMS mvpMouse = { LOBYTE(psi->iSpeed), (BYTE)(psi->bEnableButton ? 1 : 0) };
    SetMouseVxD(&mvpMouse);
    /* Stored as well as broadcast, so that the trail outlives the session. */
    SystemParametersInfoA(SPI_SETMOUSETRAILS, psi->bShowTrail ? psi->iTrail : 0, NULL,
                          SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

static LRESULT Speed_OnNotify(HWND hDlg, int idFrom, NMHDR *pnmh)
{
    (void)idFrom;
    switch (pnmh->code) {
    case PSN_SETACTIVE:
        Speed_OnSetActive(hDlg, pnmh->hwndFrom);
        return 0;
    case PSN_KILLACTIVE:
        ReadPageControls(hDlg, TRUE);
        return FALSE;
    case PSN_APPLY:
        Speed_OnApply(hDlg);
        return PSNRET_NOERROR;
    case PSN_HELP:
        ShowHelpTopic(hDlg, IDH_CURSOR_PAGE);
        return 0;
    }
    return 0;
}

static void Speed_OnCommand(HWND hDlg, int id, HWND hwndCtl, UINT codeNotify)
{
    (void)hwndCtl;
    if (codeNotify != BN_CLICKED)
        return;
    switch (id) {
    case IDC_SHOW_TRAIL:
        EnableWindow(GetDlgItem(hDlg, IDC_TRAIL), IsDlgButtonChecked(hDlg, IDC_SHOW_TRAIL) == BST_CHECKED);
        ReportChange(hDlg);
        break;
    case IDC_ENABLE_BUTTONS:
        psheet.siTempSheet.bEnableButton = IsDlgButtonChecked(hDlg, IDC_ENABLE_BUTTONS) == BST_CHECKED;
        ReportChange(hDlg);
        break;
    case IDC_CONFIGURATION:
        /* The tray program may have started since the page opened: it owns the
           configuration then. */
        if (TrayProgramRuns())
            ShowWindow(GetDlgItem(hDlg, IDC_CONFIGURATION), SW_HIDE);
        else
            ConfigureButtons(psheet.hPSheet);
        break;
    }
}

/* The end of a drag or key move: only a new position (or an earlier report) is a change. */
static void Speed_OnHScroll(HWND hDlg, HWND hwndCtl, UINT code, int pos)
{
    (void)pos;
    if (code != TB_ENDTRACK)
        return;
    int iStored;
    switch (GetDlgCtrlID(hwndCtl)) {
    case IDC_SPEED:
        iStored = psheet.siTempSheet.iSpeed;
        break;
    case IDC_TRAIL:
        iStored = psheet.siTempSheet.iTrail;
        break;
    default:
        return;
    }
    if ((int)SendMessageA(hwndCtl, TBM_GETPOS, 0, 0) != iStored || psheet.bChanged) {
        ReportChange(hDlg);
        psheet.bChanged = TRUE;
    }
}

static BOOL Speed_OnHelp(HWND hDlg, LPHELPINFO lphi)
{
    (void)hDlg;
    if (lphi->iContextType != HELPINFO_WINDOW)
        return TRUE;
    for (const tagHELPCONTEXT &hc : ahcCursor) {
        if (hc.iControl == lphi->iCtrlId) {
            ShowControlHelp(lphi, hc.dwContext);
            return TRUE;
        }
    }
    return FALSE;
}

/* The Cursor page lives as long as the sheet: its end closes the help the sheet opened. */
static void Speed_OnDestroy(HWND hDlg)
{
    (void)hDlg;
    CloseHelpWindows();
    psheet = {};
}

INT_PTR CALLBACK SpeedDlgProc(HWND hDlg, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, Speed_OnInitDialog);
        HANDLE_DLGMSG(hDlg, WM_NOTIFY, Speed_OnNotify);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, Speed_OnCommand);
        HANDLE_DLGMSG(hDlg, WM_HSCROLL, Speed_OnHScroll);
        HANDLE_DLGMSG(hDlg, WM_HELP, Speed_OnHelp);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, Speed_OnDestroy);
    }
    return FALSE;
}

/* ---- the About page ---- */

static LRESULT About_OnNotify(HWND hDlg, int idFrom, NMHDR *pnmh)
{
    (void)idFrom;
    if (pnmh->code == PSN_HELP)
        ShowHelpTopic(hDlg, IDH_ABOUT);
    /* Leaving the page is always allowed (PSN_KILLACTIVE); nothing else is answered. */
    return FALSE;
}

static BOOL About_OnHelp(HWND hDlg, LPHELPINFO lphi)
{
    (void)hDlg;
    if (lphi->iContextType == HELPINFO_WINDOW)
        ShowControlHelp(lphi, IDH_ABOUT);
    return TRUE;
}

INT_PTR CALLBACK AboutDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_NOTIFY, About_OnNotify);
        HANDLE_DLGMSG(hDlg, WM_HELP, About_OnHelp);
    }
    return FALSE;
}

/* ---- the sheet and the Control Panel ---- */

void InitialisePropertySheet(HWND hWnd)
{
    static const struct tagPAGE {
        int iTemplate;
        DLGPROC lpfnDlgProc;
    } apgPages[] = {
        { IDD_CURSOR, SpeedDlgProc },
        { IDD_ABOUT, AboutDlgProc },
    };
    PROPSHEETPAGEA apsp[ARRAYSIZE(apgPages)] = {};
    for (size_t i = 0; i < ARRAYSIZE(apgPages); i++) {
        apsp[i].dwSize = sizeof(PROPSHEETPAGEA);
        apsp[i].dwFlags = PSP_DEFAULT | PSP_HASHELP;
        apsp[i].hInstance = hInstance;
        apsp[i].pszTemplate = MAKEINTRESOURCEA(apgPages[i].iTemplate);
        apsp[i].pfnDlgProc = apgPages[i].lpfnDlgProc;
    }
    PROPSHEETHEADERA psh = {};
    psh.dwSize = sizeof(PROPSHEETHEADERA);
    /* The Help button opens the help file at the page in front. */
    psh.dwFlags = PSH_USEHICON | PSH_PROPSHEETPAGE | PSH_HASHELP;
    psh.hwndParent = hWnd;
    psh.hInstance = hInstance;
    psh.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_APPLET));
    psh.pszCaption = SHEET_CAPTION;
    psh.nPages = ARRAYSIZE(apsp);
    psh.nStartPage = 0;
    psh.ppsp = apsp;
    PropertySheetA(&psh);
}

static void FillNewInquire(LPNEWCPLINFOA lpInfo)
{
    lpInfo->dwSize = sizeof(NEWCPLINFOA);
    lpInfo->dwFlags = 0;
    lpInfo->dwHelpContext = 0;
    lpInfo->lData = 0;
    lpInfo->hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_APPLET));
    LoadStringA(hInstance, IDS_APPLET_NAME, lpInfo->szName, sizeof(lpInfo->szName));
    LoadStringA(hInstance, IDS_APPLET_INFO, lpInfo->szInfo, sizeof(lpInfo->szInfo));
    lpInfo->szHelpFile[0] = '\0';
}

extern "C" LONG APIENTRY CPlApplet(HWND hWndCpl, UINT uMessage, LPARAM lParam1, LPARAM lParam2)
{
    /* The one applet of this file has index 0. */
    const BOOL bOurs = lParam1 == 0;
    switch (uMessage) {
    case CPL_INIT:
        if (hIcon == NULL)
            hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_APPLET));
        /* The Cursor page's trackbars. */
        InitCommonControls();
        return -1;
    case CPL_GETCOUNT:
        return 1;
    case CPL_INQUIRE:
        if (!bOurs)
            return -1;
        ((LPCPLINFO)lParam2)->idIcon = IDI_APPLET;
        ((LPCPLINFO)lParam2)->idName = IDS_APPLET_NAME;
        ((LPCPLINFO)lParam2)->idInfo = IDS_APPLET_INFO;
        ((LPCPLINFO)lParam2)->lData = 0;
        return 0;
    case CPL_SELECT:
        return 0;
    case CPL_DBLCLK:
        if (!bOurs)
            return -1;
        InitialisePropertySheet(hWndCpl);
        return 0;
    case CPL_STOP:
        return bOurs ? 0 : -1;
    case CPL_EXIT:
        if (hIcon != NULL)
            DestroyIcon(hIcon);
        hIcon = NULL;
        return 0;
    case CPL_NEWINQUIRE:
        if (!bOurs)
            return -1;
        FillNewInquire((LPNEWCPLINFOA)lParam2);
        return 0;
    case CPL_STARTWPARMSA:
    case CPL_STARTWPARMSW:
        /* Not handled: the Control Panel then opens the applet with CPL_DBLCLK, which is
           how "control.exe Selvane.cpl" reaches the sheet. */
        return 0;
    }
    return 1;
}
