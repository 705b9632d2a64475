/*
 * whats32.cpp - the what's-this window: what one button of the remote picture does now,
 * as an icon of its kind of function, the function type and up to three labelled values.
 * Rows without a value are removed and the window shrinks to fit; the shift button gets a
 * fixed explanation instead, and a stored command that no editor can show is written out
 * under the name of the family nearest to it.
 */
#include <windows.h>
#include <windowsx.h>
#include <shellapi.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "but32.h"
#include "editor.h"
#include "family.h"
#include "mode32_text.h"
#include "rem32_layout.h"
#include "whats32.h"
#include "dlgcrack.h"

#define ICON_LEFT       15
#define ICON_TOP        15
#define TEXT_SIZE       100      /* a label or type name and its terminator */

/* Window state; cleared in one step when the window is destroyed. */
static struct tagWHATS32 {
    int    iNumOfField;     /* rows in use: 1 the type only, up to 4 */
    HBRUSH hBrush;          /* grey background */
} whats32;

/* Which value a row shows. */
enum { VALUE_NONE, VALUE_FILE_NAME, VALUE_PRIMARY, VALUE_EXTRA1, VALUE_EXTRA2 };

/* What the window shows for each function type: the type's name, the label and value of
   rows 2 to 4, and the icon. */
struct tagWHATSROWS {
    UINT uiType;
    UINT uiLabel[3];
    int  iValue[3];
    WORD wIcon;
};
static const tagWHATSROWS wrTypes[FUNCTION_TYPES] = {
    { IDS_APPLICATION_LAUNCH, { IDS_FILE_NAME, IDS_COMMAND_LINE, IDS_SIZE_POSITION },
      { VALUE_FILE_NAME, VALUE_EXTRA1, VALUE_EXTRA2 }, IDI_LAUNCH },
    { IDS_WEB_ADDRESS, { IDS_ADDRESS_URL, 0, 0 }, { VALUE_PRIMARY, VALUE_NONE, VALUE_NONE }, IDI_WEB_ADDRESS },
    { IDS_MEDIA_FUNCTION, { IDS_MEDIA_DEVICE, IDS_FUNCTION, IDS_TRACK },
      { VALUE_PRIMARY, VALUE_EXTRA1, VALUE_EXTRA2 }, IDI_MEDIA },
    { IDS_EDIT, { IDS_FUNCTION, IDS_DATA, 0 }, { VALUE_PRIMARY, VALUE_EXTRA1, VALUE_NONE }, IDI_EDIT },
    { IDS_SYSTEM, { IDS_FUNCTION, 0, 0 }, { VALUE_PRIMARY, VALUE_NONE, VALUE_NONE }, IDI_SYSTEM },
    { IDS_MESSAGE, { 0, 0, 0 }, { VALUE_NONE, VALUE_NONE, VALUE_NONE }, IDI_SYSTEM },
    { IDS_ZENDRA_FUNCTION, { 0, 0, 0 }, { VALUE_NONE, VALUE_NONE, VALUE_NONE }, IDI_HOME_AUTOMATION },
};

/* Height the window loses when only 1, 2 or 3 rows are in use. */
static const int iShrink[4] = { 0, 50, 40, 30 };

static BOOL IsSet(LPCSTR lpsz)
{
    return lpsz != NULL && lpsz[0] != '\0';
}

int GetNumOfField(const tagBUTTONINFO *pbiBut)
{
    if (pbiBut == NULL)
        return 0;
    if (IsSet(pbiBut->pszExtra2))
        return 4;
    if (IsSet(pbiBut->pszExtra1))
        return 3;
    if (IsSet(pbiBut->pszPrimary))
        return 2;
    return 1;
}

/* Whether the button holds a stored command that no editor can show. */
static BOOL IsKeptCommand(const tagBUTTONINFO *pbi)
{
    return pbi != NULL && pbi->fFunction == NO_FUNCTION && IsSet(pbi->pszStored);
}

/* Whether the window explains a function (type, rows and icon) rather than "Not
   assigned.". */
static BOOL ShowsFunction(const tagBUTTONINFO *pbi)
{
    return pbi != NULL && whats32.iNumOfField != 1 && pbi->fFunction != NO_FUNCTION;
}

/* The file name part of a path: after its last backslash, or all of it. */
static LPCSTR FileNamePart(LPCSTR lpszPath)
{
    LPCSTR lpszSlash = strrchr(lpszPath, '\\');
    return lpszSlash != NULL ? lpszSlash + 1 : lpszPath;
}

static LPCSTR RowValue(const tagBUTTONINFO *pbi, int iValue)
{
    switch (iValue) {
    case VALUE_FILE_NAME: return IsSet(pbi->pszPrimary) ? FileNamePart(pbi->pszPrimary) : NULL;
    case VALUE_PRIMARY:   return pbi->pszPrimary;
    case VALUE_EXTRA1:    return pbi->pszExtra1;
    case VALUE_EXTRA2:    return pbi->pszExtra2;
    default:              return NULL;
    }
}

static void SetStringRes(HWND hDlg, int iControl, UINT uiString)
{
    char szText[TEXT_SIZE] = "";
    GetStringRes(uiString, szText, sizeof(szText));
    SetDlgItemTextA(hDlg, iControl, szText);
}

static void DestroyControls(HWND hDlg, int iFirst, int iLast)
{
    for (int i = iFirst; i <= iLast; i++) {
        HWND hControl = GetDlgItem(hDlg, i);
        if (hControl != NULL)
            DestroyWindow(hControl);
    }
}

/* rRect2 relative to the top-left corner of rRect1. */
static RECT GetWindowPosition(const RECT *lprRect1, const RECT *lprRect2)
{
    RECT r = *lprRect2;
    OffsetRect(&r, -lprRect1->left, -lprRect1->top);
    return r;
}

/* Moves a control up by cy pixels. */
static void MoveControlUp(HWND hDlg, int iControl, int cy)
{
    HWND hControl = GetDlgItem(hDlg, iControl);
    RECT rClient, rControl;
    GetClientRect(hDlg, &rClient);
    MapWindowPoints(hDlg, NULL, (POINT *)&rClient, 2);
    GetWindowRect(hControl, &rControl);
    RECT r = GetWindowPosition(&rClient, &rControl);
    SetWindowPos(hControl, NULL, r.left, r.top - cy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

/* Removes the empty rows and shrinks the window from the bottom, carrying its buttons. */
static void ResizeWindow(HWND hDlg, int iField)
{
    RECT rWindow;
    GetWindowRect(hDlg, &rWindow);
    int cy = iShrink[iField];
    SetWindowPos(hDlg, NULL, 0, 0, rWindow.right - rWindow.left, rWindow.bottom - rWindow.top - cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    MoveControlUp(hDlg, IDOK, cy);
    MoveControlUp(hDlg, IDC_HELPBUTTON, cy);
    DestroyControls(hDlg, IDC_WT_LABEL2 + 2 * (iField - 1), IDC_WT_VALUE4);
    DestroyControls(hDlg, IDC_WT_EXPLANATION, IDC_WT_EXPLANATION);
}

/* A stored command as text to read: the bytes that separate its fields, and other
   control bytes, become blanks. */
static void CommandAsText(LPCSTR lpszCommand, LPSTR lpszText, int cchText)
{
    int i = 0;
    for (; lpszCommand[i] != '\0' && i < cchText - 1; i++) {
        BYTE b = (BYTE)lpszCommand[i];
        lpszText[i] = b < ' ' || b == (BYTE)CMDLINE_SEPARATOR || b == (BYTE)EXTRA_SEPARATOR ? ' ' : (char)b;
    }
    lpszText[i] = '\0';
}

/* A command the editors cannot show: headed by the nearest family's name (or "Command"),
   the command itself in the explanation's place under it. */
static void ShowKeptCommand(HWND hDlg, LPCSTR lpszCommand)
{
    DestroyControls(hDlg, IDC_WT_LABEL2, IDC_WT_VALUE4);
    SetStringRes(hDlg, IDC_WT_LABEL1, IDS_FUNCTION_MODE);
    int fNearest = NearestFamily(lpszCommand);
    SetStringRes(hDlg, IDC_WT_VALUE1, fNearest != NO_FUNCTION ? wrTypes[fNearest].uiType : IDS_COMMAND);
    char szText[COMMAND_SIZE];
    CommandAsText(lpszCommand, szText, sizeof(szText));
    SetDlgItemTextA(hDlg, IDC_WT_EXPLANATION, szText);
}

static void FillRows(HWND hDlg, const tagBUTTONINFO *pbi)
{
    SetStringRes(hDlg, IDC_WT_LABEL1, IDS_FUNCTION_MODE);
    if (!ShowsFunction(pbi)) {
        SetStringRes(hDlg, IDC_WT_VALUE1, IDS_NOT_ASSIGNED);
        return;
    }
    if (pbi->fFunction < 0 || pbi->fFunction >= FUNCTION_TYPES)
        return;   /* a type this window does not know: no name, no rows */
    const tagWHATSROWS &wr = wrTypes[pbi->fFunction];
    SetStringRes(hDlg, IDC_WT_VALUE1, wr.uiType);
    for (int iRow = 0; iRow < 3; iRow++) {
        LPCSTR lpszValue = RowValue(pbi, wr.iValue[iRow]);
        if (!IsSet(lpszValue))
            continue;
        SetStringRes(hDlg, IDC_WT_LABEL2 + 2 * iRow, wr.uiLabel[iRow]);
        SetDlgItemTextA(hDlg, IDC_WT_VALUE2 + 2 * iRow, lpszValue);
    }
}

/* The icon of the assignment, for the caller to destroy with DestroyIcon when
   *pbOwned; null when none is shown. */
static HICON AssignmentIcon(const tagBUTTONINFO *pbi, BOOL *pbOwned)
{
    *pbOwned = FALSE;
    if (IsKeptCommand(pbi)) {
        int fNearest = NearestFamily(pbi->pszStored);
        return GetIconRes(fNearest != NO_FUNCTION ? wrTypes[fNearest].wIcon : IDI_SYSTEM);
    }
    if (!ShowsFunction(pbi) || pbi->fFunction < 0 || pbi->fFunction >= FUNCTION_TYPES)
        return NULL;
    if (pbi->fFunction != APPLAUNCH)
        return GetIconRes(wrTypes[pbi->fFunction].wIcon);
    char szProgram[MAX_PATH];
    if (!FindProgram(pbi->pszPrimary, szProgram, sizeof(szProgram)))
        return NULL;
    /* ExtractIcon answers null for a file without icons and 1 for one that cannot hold
       any: neither is an icon, and the library's launch icon stands in. */
    HICON hIcon = ExtractIconA(hInstance, szProgram, 0);
    if ((UINT_PTR)hIcon <= 1)
        return GetIconRes(IDI_LAUNCH);
    *pbOwned = TRUE;
    return hIcon;
}

static BOOL OnInitDialog(HWND hDlg, HWND hFocus, LPARAM lParam)
{
    (void)hFocus;
    (void)lParam;
    const tagEDITOR *pEditor = Editor();
    if (whats32.hBrush == NULL)
        whats32.hBrush = CreateSolidBrush(EDITOR_GREY);
    SetFocus(GetDlgItem(hDlg, IDOK));
    whats32.iNumOfField = 1;
    if (pEditor->btiButton.bIDButton == SHIFT_BUTTON) {
        DestroyControls(hDlg, IDC_WT_LABEL2, IDC_WT_VALUE4);
        SetStringRes(hDlg, IDC_WT_LABEL1, IDS_SHIFT_BUTTON);
        SetStringRes(hDlg, IDC_WT_EXPLANATION, IDS_SHIFT_BUTTON_INFO);
        return FALSE;
    }
    if (IsKeptCommand(pEditor->pbiButton)) {
        ShowKeptCommand(hDlg, pEditor->pbiButton->pszStored);
        return FALSE;
    }
    whats32.iNumOfField = GetNumOfField(pEditor->pbiButton);
    /* Nothing assigned: the single row "Not assigned.", like a function without values. */
    if (whats32.iNumOfField == 0 || pEditor->pbiButton->fFunction == NO_FUNCTION)
        whats32.iNumOfField = 1;
    if (whats32.iNumOfField < 4)
        ResizeWindow(hDlg, whats32.iNumOfField);
    else
        DestroyControls(hDlg, IDC_WT_EXPLANATION, IDC_WT_EXPLANATION);
    FillRows(hDlg, pEditor->pbiButton);
    return FALSE;   /* the focus is on OK */
}

static void OnPaint(HWND hDlg)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hDlg, &ps);
    const tagEDITOR *pEditor = Editor();
    if (pEditor->btiButton.bIDButton != SHIFT_BUTTON) {
        BOOL bOwned;
        HICON hIcon = AssignmentIcon(pEditor->pbiButton, &bOwned);
        if (hIcon != NULL) {
            DrawIcon(hDC, ICON_LEFT, ICON_TOP, hIcon);
            if (bOwned)
                DestroyIcon(hIcon);
        }
    }
    EndPaint(hDlg, &ps);
}

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    (void)uiNotify;
    if (iID == IDOK || iID == IDCANCEL)
        EndDialog(hDlg, 0);
    else if (iID == IDC_HELPBUTTON)
        Help(hDlg, IDH_WHATSTHIS, TRUE);
}

static HBRUSH OnCtlColor(HWND hDlg, HDC hDC, HWND hChild, int iType)
{
    (void)hDlg;
    (void)hChild;
    (void)iType;
    SetBkColor(hDC, EDITOR_GREY);
    return whats32.hBrush;
}

static void OnDestroy(HWND hDlg)
{
    if (whats32.hBrush != NULL)
        DeleteBrush(whats32.hBrush);
    Help(hDlg, IDH_WHATSTHIS, FALSE);
    whats32 = {};
}

extern "C" INT_PTR CALLBACK WhatsThisDlg(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(hDlg, WM_PAINT, OnPaint);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, OnDestroy);
        EDITOR_CTLCOLOR_DLGMSGS(hDlg, OnCtlColor);
    }
    return FALSE;
}
