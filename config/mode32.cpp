/*
 * mode32.cpp - the function editor: seven drawn buttons, one per function family and one
 * for help, over the holder list of the button being edited. A family button opens that
 * family's dialog, which edits only its holder; OK copies the chosen holder into the
 * button. Also what every family dialog shares: the one table of families, the frame
 * (picture, grey colours, OK, Cancel, Help, Set Values), filling the controls from a
 * holder and reading them back, the RCDATA list operations and the text rules that keep
 * every input within the command it becomes.
 */
#include <windows.h>
#include <windowsx.h>
#include <string.h>
#include <stdio.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_internal.h"
#include "dlgcrack.h"
#include "frame.h"
#include "picture.h"
#include "htmlhelp.h"
#include "registry.h"

#define CR_DARK_RED         RGB(192, 0, 0)
#define CR_BEVEL_SHADOW     RGB(72, 72, 72)
#define CR_WHITE            RGB(255, 255, 255)
#define BUTTON_BEVEL        4       /* bevel of a drawn button, inside its black outline */
#define BUTTON_INSET        8       /* picture inside a drawn button */
#define BUTTON_GAP          8
#define PRESS_SHIFT         2       /* a held button's picture moves right and down */
#define AREA_FRAME_GAP      8       /* etched frame around the button area */
#define AREA_FRAME_WIDTH    2
#define PICTURE_SHADOW      5       /* family dialogs: shadow up and left of the picture */
#define MISSING_PICTURE     80      /* layout size when a picture file is missing */
#define HELP_BUTTON         6
#define FAMILY_BUTTONS      6
#define NO_BUTTON           (-1)
#define ID_PRESS_BUTTON     0x7F00  /* posted command: press drawn button (id - this) */
#define MEDIA_LAST_WITH_DEVICE 6    /* "Change Track": later media functions take no device */
#define APP_PATHS_KEY       "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths"

/* Families that share the home-automation button. */
static void SetMessage(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent);
static void SetZendra(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent);
static void GetEncoded(HWND hDlg, tagBUTTONINFO *pbiHolder);

/* The families, in type order. */
static const tagFAMILY Families[FUNCTION_TYPES] = {
    { APPLAUNCH, IDD_LAUNCH, LaunchDlgProc, IDR_LAUNCH_TEMPLATES, IDH_LAUNCH, 0, 4,
      SetLaunch, GetLaunch, SetLaunchValues, CheckLaunch },
    { WEBBROWSER, IDD_WEB, WebDlgProc, IDR_WEB_TEMPLATES, IDH_WEB, 1, 4,
      SetWeb, GetWeb, SetWebValues, CheckWeb },
    { MULTIMEDIA, IDD_MULTIMEDIA, MultiDlgProc, IDR_MEDIA_TEMPLATES, IDH_MEDIA, 2, 6,
      SetMedia, GetMedia, SetMediaValues, CheckMedia },
    { EDIT, IDD_EDIT, EditDlgProc, IDR_EDIT_TEMPLATES, IDH_EDIT, 3, 4,
      SetEdit, GetEdit, SetEditValues, CheckEdit },
    { SYSTEM, IDD_SYSTEM, SystemDlgProc, IDR_SYSTEM_TEMPLATES, IDH_SYSTEM, 4, 6,
      SetSystem, GetSystem, SetSystemValues, NULL },
    { MESSAGE, IDD_MESSAGES, MessageDlgProc, IDR_MESSAGE_TEMPLATES, IDH_MESSAGES, 5, 0,
      SetMessage, GetEncoded, NULL, NULL },
    { ZENDRACOMMAND, IDD_ZENDRA, ZendraDlgProc, IDR_ZENDRA_TEMPLATES, IDH_ZENDRA, 6, 0,
      SetZendra, GetEncoded, SetZendraValues, NULL },
};

/* The function editor (one at a time). */
static struct tagMODE32 {
    tagBUTTONINFO *pbiTemp;             /* the button being edited */
    RECT     rButtons[EDITOR_BUTTONS];  /* 0 to 5 families, 6 help */
    int      iButton;                   /* button drawn held down, NO_BUTTON for none */
    int      iCurrentBut;               /* button the mouse pressed, NO_BUTTON for none */
    int      iTempButton;               /* family chosen before a family dialog ran */
    BOOL     bDovrel;                   /* home-automation software is installed */
    HBITMAP  hModeBitmap;               /* "Button.bmp" and its palette */
    HPALETTE hModePalette;
    HBITMAP  hRemoteBitmap;             /* "SRemote.bmp" and its palette */
    HPALETTE hRemotePalette;
    HBRUSH   hBrush;                    /* light grey, for the editor and its dialogs */
    int      iFamilyDialogs;            /* family dialogs open on hBrush */
    BOOL     bFamilyConfirmed;          /* a family dialog stored its holder: OK copies it */
} mdEditor;

/* ---- Text rules ------------------------------------------------------------------------ */

int CountCharInString(LPCSTR lpszText, char cChar)
{
    int iCount = 0;
    for (; lpszText != NULL && *lpszText != '\0'; lpszText++)
        if (*lpszText == cChar)
            iCount++;
    return iCount;
}

BOOL DoubleAmpersands(LPCSTR lpszText, LPSTR lpszResult, int cchResult)
{
    int iOut = 0;
    for (; lpszText != NULL && *lpszText != '\0'; lpszText++) {
        int iNeed = *lpszText == '&' ? 2 : 1;
        if (iOut + iNeed >= cchResult) {
            if (cchResult > 0)
                lpszResult[0] = '\0';
            return FALSE;
        }
        lpszResult[iOut++] = *lpszText;
        if (iNeed == 2)
            lpszResult[iOut++] = '&';
    }
    if (cchResult > 0)
        lpszResult[iOut] = '\0';
    return cchResult > 0;
}

int FilledTemplateLength(LPCSTR lpszTemplate, int cchArgument)
{
    int cchTemplate = lstrlenA(lpszTemplate);
    return strstr(lpszTemplate, "%s") != NULL ? cchTemplate - 2 + cchArgument : cchTemplate;
}

int QuotedLength(LPCSTR lpszText)
{
    return lpszText != NULL ? lstrlenA(lpszText) + CountCharInString(lpszText, '"') : 0;
}

int LaunchArgumentLength(LPCSTR lpszProgram, LPCSTR lpszCmdLine, LPCSTR lpszSizePos)
{
    /* program, separator, command line, separator, size; each quote doubled */
    int cchArgument = QuotedLength(lpszProgram);
    if (lpszCmdLine != NULL && *lpszCmdLine != '\0')
        cchArgument += 1 + QuotedLength(lpszCmdLine);
    if (lpszSizePos != NULL && *lpszSizePos != '\0')
        cchArgument += 1 + QuotedLength(lpszSizePos);
    return cchArgument;
}

BOOL IsPlainArgument(LPCSTR lpszText)
{
    for (; lpszText != NULL && *lpszText != '\0'; lpszText++)
        if (*lpszText == '"' || *lpszText == CMDLINE_SEPARATOR || *lpszText == EXTRA_SEPARATOR)
            return FALSE;
    return TRUE;
}

BOOL IsPlainOrHeld(LPCSTR lpszText, LPCSTR lpszHeld)
{
    return IsPlainArgument(lpszText) || (lpszHeld != NULL && strcmp(lpszText, lpszHeld) == 0);
}

/* ---- Files ------------------------------------------------------------------------------- */

BOOL IsBareProgramName(LPCSTR lpszFile)
{
    return lpszFile != NULL && *lpszFile != '\0' && strpbrk(lpszFile, "\\/:") == NULL;
}

BOOL GetFullProgramPath(LPCSTR lpszFile, LPSTR lpszPath, int cchPath)
{
    lpszPath[0] = '\0';
    if (lpszFile == NULL || *lpszFile == '\0')
        return FALSE;
    if (IsBareProgramName(lpszFile)) {
        lstrcpynA(lpszPath, lpszFile, cchPath);
        return TRUE;
    }
    LPSTR lpszName;
    DWORD cchFull = GetFullPathNameA(lpszFile, (DWORD)cchPath, lpszPath, &lpszName);
    if (cchFull == 0 || cchFull >= (DWORD)cchPath) {
        lpszPath[0] = '\0';
        return FALSE;
    }
    /* The long form, when the file is there to ask. */
    char szLong[MAX_PATH];
    DWORD cchLong = GetLongPathNameA(lpszPath, szLong, sizeof(szLong));
    if (cchLong != 0 && cchLong < sizeof(szLong) && cchLong < (DWORD)cchPath)
        lstrcpyA(lpszPath, szLong);
    return TRUE;
}

void GetShortProgramPath(LPCSTR lpszPath, LPSTR lpszShort, int cchShort)
{
    DWORD cchResult = IsBareProgramName(lpszPath) ? 0
                    : GetShortPathNameA(lpszPath, lpszShort, (DWORD)cchShort);
    if (cchResult == 0 || cchResult >= (DWORD)cchShort)
        lstrcpynA(lpszShort, lpszPath, cchShort);
}

/* The program that "App Paths" registers for a bare name (with ".exe" added when it has
   no extension) under one hive, when that file exists. */
static BOOL FindAppPath(HKEY hRoot, LPCSTR lpszFile, LPSTR lpszPath, int cchPath)
{
    char szKey[MAX_PATH];
    int cchKey = snprintf(szKey, sizeof(szKey), "%s\\%s%s", APP_PATHS_KEY, lpszFile,
                          strchr(lpszFile, '.') != NULL ? "" : ".exe");
    HKEY hKey;
    if (cchKey <= 0 || cchKey >= (int)sizeof(szKey) ||
        RegOpenKeyExA(hRoot, szKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return FALSE;
    char szData[MAX_PATH];
    DWORD dwType = 0, cbData = sizeof(szData);
    LONG lResult = RegQueryValueExA(hKey, NULL, NULL, &dwType, (LPBYTE)szData, &cbData);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ) ||
        !EndRegistryString(szData, cbData, sizeof(szData)))
        return FALSE;
    /* The path may be written in quotes and with environment variables. */
    char szExpanded[MAX_PATH];
    DWORD cchExpanded = ExpandEnvironmentStringsA(szData, szExpanded, sizeof(szExpanded));
    if (cchExpanded == 0 || cchExpanded > sizeof(szExpanded))
        return FALSE;
    LPSTR lpszStart = szExpanded;
    if (*lpszStart == '"') {
        lpszStart++;
        LPSTR lpszClose = strchr(lpszStart, '"');
        if (lpszClose != NULL)
            *lpszClose = '\0';
    }
    if (GetFileAttributesA(lpszStart) == INVALID_FILE_ATTRIBUTES || lstrlenA(lpszStart) >= cchPath)
        return FALSE;
    lstrcpyA(lpszPath, lpszStart);
    return TRUE;
}

BOOL FindProgram(LPCSTR lpszFile, LPSTR lpszPath, int cchPath)
{
    lpszPath[0] = '\0';
    if (lpszFile == NULL || *lpszFile == '\0' || cchPath <= 0)
        return FALSE;
    if (!IsBareProgramName(lpszFile)) {
        if (GetFileAttributesA(lpszFile) == INVALID_FILE_ATTRIBUTES || lstrlenA(lpszFile) >= cchPath)
            return FALSE;
        lstrcpyA(lpszPath, lpszFile);
        return TRUE;
    }
    LPSTR lpszName;
    DWORD cchFound = SearchPathA(NULL, lpszFile, ".exe", (DWORD)cchPath, lpszPath, &lpszName);
    if (cchFound != 0 && cchFound < (DWORD)cchPath)
        return TRUE;
    lpszPath[0] = '\0';
    return FindAppPath(HKEY_CURRENT_USER, lpszFile, lpszPath, cchPath)
        || FindAppPath(HKEY_LOCAL_MACHINE, lpszFile, lpszPath, cchPath);
}

/* ---- RCDATA lists ---------------------------------------------------------------------- */

static void InitialiseComboBoxIn(HWND hDlg, int iControl, UINT uStringList, UINT uValueList,
                                 BOOL bThroughExport)
{
    HWND hCombo = GetDlgItem(hDlg, iControl);
    ComboBox_ResetContent(hCombo);
    tagRCTABLE rc;
    if (!OpenTable(uStringList, bThroughExport, &rc))
        return;
    int cValues = 0;
    const WORD *pwValues = (int)uValueList >= 1 ? LockValueList(uValueList, &cValues) : NULL;
    int i = 0;
    for (LPCSTR lpszEntry = rc.lpszFirst; *lpszEntry != '\0'; lpszEntry = NextEntry(lpszEntry), i++) {
        int iIndex = ComboBox_AddString(hCombo, lpszEntry);
        if (iIndex >= 0)
            ComboBox_SetItemData(hCombo, iIndex, i < cValues ? pwValues[i] : 0);
    }
    CloseTable(&rc);
}

void InitialiseComboBoxRC(HWND hDlg, int iControl, UINT uStringList, UINT uValueList)
{
    InitialiseComboBoxIn(hDlg, iControl, uStringList, uValueList, FALSE);
}

void InitialiseComboBoxRCZendraRes(HWND hDlg, int iControl, UINT uStringList, UINT uValueList)
{
    InitialiseComboBoxIn(hDlg, iControl, uStringList, uValueList, TRUE);
}

void FillListBoxRC(HWND hListBox, UINT uStringList, LPCSTR lpszSelect)
{
    ListBox_ResetContent(hListBox);
    tagRCTABLE rc;
    if (!OpenTable(uStringList, FALSE, &rc))
        return;
    int iSelect = -1;
    for (LPCSTR lpszEntry = rc.lpszFirst; *lpszEntry != '\0'; lpszEntry = NextEntry(lpszEntry)) {
        int iIndex = ListBox_AddString(hListBox, lpszEntry);
        if (iSelect < 0 && lpszSelect != NULL && lstrcmpiA(lpszEntry, lpszSelect) == 0)
            iSelect = iIndex;
    }
    CloseTable(&rc);
    ListBox_SetCurSel(hListBox, iSelect < 0 ? 0 : iSelect);
}

void WriteToTextBox(HWND hDlg, int iControl, LPCSTR lpszText)
{
    char szShown[2 * COMMAND_SIZE];
    DoubleAmpersands(lpszText, szShown, sizeof(szShown));
    SetDlgItemTextA(hDlg, iControl, szShown);
}

BOOL SelectPrefix(HWND hDlg, int iControl, LPCSTR lpszText)
{
    /* CB_FINDSTRING finds the first entry that begins with the text, case-insensitively. */
    HWND hCombo = GetDlgItem(hDlg, iControl);
    int iIndex = lpszText != NULL ? ComboBox_FindString(hCombo, -1, lpszText) : CB_ERR;
    if (iIndex == CB_ERR)
        return FALSE;
    ComboBox_SetCurSel(hCombo, iIndex);
    return TRUE;
}

void GetSelectedText(HWND hDlg, int iControl, LPSTR lpszText, int cchText)
{
    HWND hCombo = GetDlgItem(hDlg, iControl);
    int iIndex = ComboBox_GetCurSel(hCombo);
    lpszText[0] = '\0';
    if (iIndex != CB_ERR && ComboBox_GetLBTextLen(hCombo, iIndex) < cchText)
        ComboBox_GetLBText(hCombo, iIndex, lpszText);
}

BOOL Refuse(HWND hDlg, int iControl, LPCSTR lpszReason)
{
    MessageBoxA(hDlg, lpszReason, REFUSAL_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(hDlg, iControl));
    return FALSE;
}

BOOL TooLong(HWND hDlg, int iControl, LPCSTR lpszField)
{
    char szText[160];
    snprintf(szText, sizeof(szText),
             "The %s is too long for one button: a button's command holds at most %d characters.",
             lpszField, RUNNABLE_COMMAND_LENGTH);
    return Refuse(hDlg, iControl, szText);
}

/* ---- Holders and the family table ------------------------------------------------------- */

const tagFAMILY *FindFamily(int fFunction)
{
    return fFunction >= 0 && fFunction < FUNCTION_TYPES ? &Families[fFunction] : NULL;
}

BOOL FitsCommand(int fFunction, int iTemplate, int cchArgument)
{
    const tagFAMILY *pFamily = FindFamily(fFunction);
    LPSTR lpszTemplate = pFamily != NULL ? GetIndexedString(pFamily->uTemplates, iTemplate) : NULL;
    if (lpszTemplate == NULL)
        return TRUE;
    int cchCommand = FilledTemplateLength(lpszTemplate, cchArgument);
    LocalFree(lpszTemplate);
    return cchCommand <= RUNNABLE_COMMAND_LENGTH;
}

tagBUTTONINFO *FindHolder(tagBUTTONINFO *pbiList, int fFunction)
{
    if (pbiList == NULL)
        return NULL;
    while (pbiList->pbiLast != NULL)
        pbiList = pbiList->pbiLast;
    for (; pbiList != NULL; pbiList = pbiList->pbiNext)
        if (pbiList->fFunction == fFunction)
            return pbiList;
    return NULL;
}

static BOOL IsEmptyBit(int fFunction)
{
    return (bEmpty & (1 << fFunction)) != 0;
}

void SetFunction(HWND hDlg, int fFunction, tagBUTTONINFO *pbiList)
{
    const tagFAMILY *pFamily = FindFamily(fFunction);
    tagBUTTONINFO *pbiHolder = FindHolder(pbiList, fFunction);
    if (pFamily == NULL || pbiHolder == NULL)
        return;
    EnableWindow(GetDlgItem(hDlg, IDC_SET_VALUES),
                 pbiHolder->pszPrimary != NULL || pbiHolder->pszExtra1 != NULL);
    pFamily->pfnSet(hDlg, pbiHolder, !IsEmptyBit(fFunction));
}

void GetFunction(HWND hDlg, int fFunction, tagBUTTONINFO *pbiList)
{
    const tagFAMILY *pFamily = FindFamily(fFunction);
    tagBUTTONINFO *pbiHolder = FindHolder(pbiList, fFunction);
    if (pFamily == NULL || pbiHolder == NULL)
        return;
    pFamily->pfnGet(hDlg, pbiHolder);
    mdEditor.bFamilyConfirmed = TRUE;
    bEmpty = (BYTE)~(1 << fFunction);
    /* An empty name leaves the button unassigned; a media holder is named by its function. */
    LPCSTR lpszName = fFunction == MULTIMEDIA ? pbiHolder->pszExtra1 : pbiHolder->pszPrimary;
    if (lpszName != NULL && *lpszName == '\0')
        fCurrentFunction = NO_FUNCTION;
}

void CopyDefaultData(HWND hWnd, int fFunction, tagBUTTONINFO *pbiButton)
{
    const tagFAMILY *pFamily = FindFamily(fFunction);
    tagBUTTONINFO *pbiHolder = FindHolder(pbiButton, fFunction);
    if (pFamily != NULL && pFamily->pfnSetValues != NULL && pbiHolder != NULL)
        pFamily->pfnSetValues(hWnd, pbiHolder);
}

/* The window-message and home-automation dialogs carry their text in one hidden edit. */
static void SetMessage(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent)
{
    (void)bCurrent;
    SetDlgItemTextA(hDlg, IDC_ENCODED, pbiHolder->pszPrimary != NULL ? pbiHolder->pszPrimary : "");
}

static void SetZendra(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent)
{
    SetDlgItemInt(hDlg, IDC_ZD_PERCENT, 0, FALSE);
    InitialiseComboBoxRC(hDlg, IDC_ZD_HOUSE, IDR_HOUSE_CODES, 0);
    InitialiseComboBoxRC(hDlg, IDC_ZD_FUNCTION, IDR_ZENDRA_FUNCTIONS, 0);
    InitialiseComboBoxRC(hDlg, IDC_ZD_SWITCH, IDR_ON_OFF, 0);
    FillListBoxRC(GetDlgItem(hDlg, IDC_ZD_UNITS), IDR_UNIT_CODES, NULL);
    if (pbiHolder->pszPrimary != NULL)
        SetMessage(hDlg, pbiHolder, bCurrent);
}

static void GetEncoded(HWND hDlg, tagBUTTONINFO *pbiHolder)
{
    DlgItemToString(hDlg, IDC_ENCODED, &pbiHolder->pszPrimary);
}

/* ---- Shared services ----------------------------------------------------------------- */

void Help(HWND hWnd, UINT uiTopic, BOOL bOpen)
{
    if (bOpen)
        ShowHelpTopic(hWnd, uiTopic);
    else
        CloseHelpWindows();
}

void CenterWindow(HWND hWnd)
{
    RECT rWindow;
    GetWindowRect(hWnd, &rWindow);
    int cxWindow = rWindow.right - rWindow.left;
    int cyWindow = rWindow.bottom - rWindow.top;
    int cxScreen = GetSystemMetrics(SM_CXFULLSCREEN);
    int cyScreen = GetSystemMetrics(SM_CYFULLSCREEN);
    int x = cxWindow < cxScreen ? (cxScreen - cxWindow) / 2 : rWindow.left;
    int y = cyWindow < cyScreen ? (cyScreen - cyWindow) / 2 : rWindow.top;
    MoveWindow(hWnd, x, y, cxWindow, cyWindow, FALSE);
}

static HBRUSH GreyBrush()
{
    if (mdEditor.hBrush == NULL)
        mdEditor.hBrush = CreateSolidBrush(EDITOR_GREY);
    return mdEditor.hBrush;
}

HBITMAP GetButtonBitmap(HDC hMainDC, HBITMAP hbmpSource, int iBut)
{
    BITMAP bm;
    if (hbmpSource == NULL || GetObjectA(hbmpSource, sizeof(bm), &bm) == 0)
        return NULL;
    HBITMAP hCell = CreateCompatibleBitmap(hMainDC, BUTTON_CELL_WIDTH, bm.bmHeight);
    if (hCell == NULL)
        return NULL;
    HDC hCellDC = CreateCompatibleDC(hMainDC);
    HDC hSourceDC = CreateCompatibleDC(hMainDC);
    HBITMAP hOldCell = SelectBitmap(hCellDC, hCell);
    HBITMAP hOldSource = SelectBitmap(hSourceDC, hbmpSource);
    RECT rCell = { 0, 0, BUTTON_CELL_WIDTH, bm.bmHeight };
    FillRect(hCellDC, &rCell, GetStockBrush(LTGRAY_BRUSH));
    BitBlt(hCellDC, 0, 0, BUTTON_CELL_WIDTH, bm.bmHeight, hSourceDC, BUTTON_CELL_WIDTH * iBut, 0, SRCCOPY);
    SelectBitmap(hSourceDC, hOldSource);
    SelectBitmap(hCellDC, hOldCell);
    DeleteDC(hSourceDC);
    DeleteDC(hCellDC);
    return hCell;
}

/* Copies a bitmap whole into rDest of hDC. */
static void PutBitmap(HDC hDC, HBITMAP hBitmap, int x, int y, int cx, int cy)
{
    HDC hMemDC = CreateCompatibleDC(hDC);
    HBITMAP hOld = SelectBitmap(hMemDC, hBitmap);
    BitBlt(hDC, x, y, cx, cy, hMemDC, 0, 0, SRCCOPY);
    SelectBitmap(hMemDC, hOld);
    DeleteDC(hMemDC);
}

void DrawBitmap(HDC hDC, HBITMAP hBitmap, LPRECT lprRect, int iButID)
{
    HBITMAP hCell = hBitmap != NULL ? GetButtonBitmap(hDC, hBitmap, iButID) : NULL;
    if (hCell == NULL)
        return;
    RECT rShadow = *lprRect;
    OffsetRect(&rShadow, -PICTURE_SHADOW, -PICTURE_SHADOW);
    FillRect(hDC, &rShadow, GetStockBrush(DKGRAY_BRUSH));
    PutBitmap(hDC, hCell, lprRect->left, lprRect->top,
              lprRect->right - lprRect->left, lprRect->bottom - lprRect->top);
    DeleteBitmap(hCell);
}

/* ---- The frame of the family dialogs ---------------------------------------------------- */

static const tagFAMILY *DialogFamily(HWND hDlg)
{
    return (const tagFAMILY *)GetWindowLongPtrA(hDlg, DWLP_USER);
}

/* Where a family dialog shows its picture, in client coordinates; empty without one. */
static void GetPictureRect(HWND hDlg, const tagFAMILY *pFamily, RECT *prPicture)
{
    SetRectEmpty(prPicture);
    BITMAP bm;
    if (pFamily == NULL || mdEditor.hModeBitmap == NULL ||
        GetObjectA(mdEditor.hModeBitmap, sizeof(bm), &bm) == 0)
        return;
    RECT rClient;
    GetClientRect(hDlg, &rClient);
    int iCaption = GetSystemMetrics(SM_CYCAPTION);
    int iTop = pFamily->iPictureDivisor != 0
             ? (rClient.bottom - bm.bmHeight) / pFamily->iPictureDivisor : iCaption;
    SetRect(prPicture, iCaption, iTop, iCaption + BUTTON_CELL_WIDTH, iTop + bm.bmHeight);
}

void FrameInitDialog(HWND hDlg, const tagFAMILY *pFamily)
{
    SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)pFamily);
    GreyBrush();
    mdEditor.iFamilyDialogs++;
    SetFocus(GetDlgItem(hDlg, IDOK));
}

void FamilyInitDialog(HWND hDlg, int fFunction)
{
    FrameInitDialog(hDlg, FindFamily(fFunction));
    SetFunction(hDlg, fFunction, pbiHolder);
    CenterWindow(hDlg);
}

void FamilyCommand(HWND hDlg, int iID)
{
    const tagFAMILY *pFamily = DialogFamily(hDlg);
    if (pFamily == NULL)
        return;
    switch (iID) {
    case IDOK:
        if (pFamily->pfnCheck != NULL && !pFamily->pfnCheck(hDlg))
            return;
        fCurrentFunction = pFamily->fFunction;
        GetFunction(hDlg, pFamily->fFunction, pbiHolder);
        EndDialog(hDlg, 1);
        break;
    case IDCANCEL:
        EndDialog(hDlg, 1);
        break;
    case IDC_HELPBUTTON:
        Help(hDlg, pFamily->uHelpTopic, TRUE);
        break;
    case IDC_SET_VALUES:
        CopyDefaultData(hDlg, pFamily->fFunction, pbiHolder);
        break;
    }
}

void FamilyOnPaint(HWND hDlg)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hDlg, &ps);
    RECT rPicture, rMeet;
    GetPictureRect(hDlg, DialogFamily(hDlg), &rPicture);
    if (IntersectRect(&rMeet, &rPicture, &ps.rcPaint)) {
        HPALETTE hOldPalette = NULL;
        if (mdEditor.hModePalette != NULL) {
            hOldPalette = SelectPalette(hDC, mdEditor.hModePalette, FALSE);
            RealizePalette(hDC);
        }
        DrawBitmap(hDC, mdEditor.hModeBitmap, &rPicture, DialogFamily(hDlg)->iPicture);
        if (hOldPalette != NULL)
            SelectPalette(hDC, hOldPalette, FALSE);
    }
    EndPaint(hDlg, &ps);
}

void FamilyOnDestroy(HWND hDlg)
{
    const tagFAMILY *pFamily = DialogFamily(hDlg);
    if (pFamily != NULL)
        Help(hDlg, pFamily->uHelpTopic, FALSE);
    /* Outside the function editor the last family dialog takes the brush with it. */
    if (--mdEditor.iFamilyDialogs <= 0 && mdEditor.pbiTemp == NULL && mdEditor.hBrush != NULL) {
        DeleteBrush(mdEditor.hBrush);
        mdEditor.hBrush = NULL;
        mdEditor.iFamilyDialogs = 0;
    }
}

HBRUSH FamilyOnCtlColor(HWND hDlg, HDC hDC, HWND hChild, int iType)
{
    (void)hDlg;
    (void)hChild;
    (void)iType;
    SetBkColor(hDC, EDITOR_GREY);
    return GreyBrush();
}

/* ---- The function editor: buttons ---------------------------------------------------- */

/* The family of a drawn button: the sixth is home automation when its software is
   installed, window messages otherwise. */
static int ButtonFamily(int iButton)
{
    if (iButton == FAMILY_BUTTONS - 1)
        return mdEditor.bDovrel ? ZENDRACOMMAND : MESSAGE;
    return iButton;
}

/* Whether a drawn button shows the button's current family. */
static BOOL IsCurrentButton(int iButton)
{
    if (iButton == APPLAUNCH) {
        tagBUTTONINFO *pbiLaunch = FindHolder(pbiHolder, APPLAUNCH);
        return fCurrentFunction == APPLAUNCH && pbiLaunch != NULL && pbiLaunch->pszPrimary != NULL;
    }
    if (mdEditor.bDovrel && iButton == SYSTEM)
        return fCurrentFunction == SYSTEM || fCurrentFunction == MESSAGE;
    return fCurrentFunction == ButtonFamily(iButton);
}

int FindButton(const RECT *prButtons, POINT pt)
{
    for (int i = 0; i < EDITOR_BUTTONS; i++)
        if (PtInRect(&prButtons[i], pt))      /* right and bottom edges lie outside */
            return i;
    return NO_BUTTON;
}

void PressButton(HWND hDlg, int iButton, const RECT *prButtons)
{
    const RECT *prButton = &prButtons[iButton];
    POINT ptCentre = { (prButton->left + prButton->right) / 2, (prButton->top + prButton->bottom) / 2 };
    ClientToScreen(hDlg, &ptCentre);
    SetCursorPos(ptCentre.x, ptCentre.y);
    LPARAM lPoint = MAKELPARAM(prButton->left + 2, prButton->top + 2);
    SendMessageA(hDlg, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    SendMessageA(hDlg, WM_LBUTTONUP, 0, lPoint);
}

static void InvalidateButton(HWND hDlg, int iButton)
{
    if (iButton >= 0 && iButton < EDITOR_BUTTONS)
        InvalidateRect(hDlg, &mdEditor.rButtons[iButton], FALSE);
}

static void RunButton(HWND hDlg, int iButton)
{
    if (iButton == HELP_BUTTON) {
        Help(hDlg, IDH_FUNCTIONS, TRUE);
        return;
    }
    const tagFAMILY *pFamily = FindFamily(ButtonFamily(iButton));
    mdEditor.iTempButton = fCurrentFunction;
    DialogBoxRes(pFamily->wTemplate, hDlg, pFamily->lpfnDlgProc);
    if (fCurrentFunction != mdEditor.iTempButton) {
        /* The mark moves: the old and the new family's buttons (the system button also
           stands for window messages). */
        for (int i = 0; i < FAMILY_BUTTONS; i++)
            InvalidateButton(hDlg, i);
    }
}

/* ---- The function editor: layout and painting ---------------------------------------- */

static void GetPictureSize(HBITMAP hBitmap, SIZE *psz)
{
    BITMAP bm;
    if (hBitmap != NULL && GetObjectA(hBitmap, sizeof(bm), &bm) != 0) {
        psz->cx = bm.bmWidth;
        psz->cy = bm.bmHeight;
    } else {
        psz->cx = psz->cy = 0;
    }
}

/* Cell size of the family pictures; a missing strip lays out as if it had square cells. */
static void GetCellSize(SIZE *psz)
{
    SIZE szStrip;
    GetPictureSize(mdEditor.hModeBitmap, &szStrip);
    psz->cx = szStrip.cx > BUTTON_CELL_WIDTH ? (szStrip.cx - BUTTON_CELL_WIDTH) / 6 : MISSING_PICTURE;
    psz->cy = szStrip.cy > 0 ? szStrip.cy : MISSING_PICTURE;
}

static void AdjustWindowSize(HWND hDlg)
{
    SIZE szCell;
    GetCellSize(&szCell);
    MoveWindow(hDlg, 100, 100, (int)(szCell.cx * 5.8), (int)(szCell.cy * 4.3), FALSE);

    RECT rClient, rOK;
    GetClientRect(hDlg, &rClient);
    GetWindowRect(GetDlgItem(hDlg, IDOK), &rOK);
    int w = rOK.right - rOK.left;
    int t = rOK.bottom - rOK.top;
    int x = rClient.left + (rClient.right - rClient.left - 3 * w - 40) / 2;
    int y = rClient.bottom - t - t / 2;
    static const int iPushButtons[] = { IDOK, IDCANCEL, IDC_HELPBUTTON };
    for (int i = 0; i < 3; i++)
        MoveWindow(GetDlgItem(hDlg, iPushButtons[i]), x + i * (w + 25), y, w, t, FALSE);
}

static void CreateButtonArea(HWND hDlg)
{
    SIZE szCell, szRemote;
    GetCellSize(&szCell);
    GetPictureSize(mdEditor.hRemoteBitmap, &szRemote);
    if (szRemote.cx == 0)
        szRemote.cx = szRemote.cy = MISSING_PICTURE;
    int W = szCell.cx + 2 * BUTTON_INSET;
    int H = szCell.cy + 2 * BUTTON_INSET;
    int m = (int)(W * 0.4);
    RECT rClient;
    GetClientRect(hDlg, &rClient);
    RECT *pr = mdEditor.rButtons;
    SetRect(&pr[HELP_BUTTON], rClient.left + m, rClient.top + m,
            rClient.left + m + szRemote.cx + 2 * BUTTON_INSET, rClient.top + m + szRemote.cy + 2 * BUTTON_INSET);
    for (int i = 0; i < 3; i++) {
        int iLeft = (i == 0 ? pr[HELP_BUTTON].right : pr[i - 1].right) + BUTTON_GAP;
        SetRect(&pr[i], iLeft, pr[HELP_BUTTON].top, iLeft + W, pr[HELP_BUTTON].top + H);
        SetRect(&pr[i + 3], iLeft, pr[0].bottom + BUTTON_GAP, iLeft + W, pr[0].bottom + BUTTON_GAP + H);
    }
}

/* A drawn button: outline, bevel and picture; held buttons are flat, picture shifted. */
static void DrawButtonFrame(HDC hDC, HDC hPictureDC, const RECT *prButton, BOOL bCurrent,
                            BOOL bDown, int xPicture, int cxPicture, int cyPicture)
{
    HBRUSH hFill = CreateSolidBrush(bCurrent ? CR_DARK_RED : EDITOR_GREY);
    FillRect(hDC, prButton, hFill);
    DeleteBrush(hFill);
    FrameRect(hDC, prButton, GetStockBrush(BLACK_BRUSH));
    RECT rBevel = *prButton;
    InflateRect(&rBevel, -1, -1);
    DrawGFrame(hDC, rBevel, BUTTON_BEVEL, bDown ? EDITOR_GREY : CR_WHITE,
               bDown ? EDITOR_GREY : CR_BEVEL_SHADOW);
    if (hPictureDC == NULL)
        return;
    int iShift = bDown ? PRESS_SHIFT : 0;
    BitBlt(hDC, prButton->left + BUTTON_INSET + iShift, prButton->top + BUTTON_INSET + iShift,
           cxPicture, cyPicture, hPictureDC, xPicture, 0, SRCCOPY);
}

static void DrawModeFrame(HDC hDC)
{
    RECT rArea;
    SetRectEmpty(&rArea);
    for (int i = 0; i < EDITOR_BUTTONS; i++)
        UnionRect(&rArea, &rArea, &mdEditor.rButtons[i]);
    InflateRect(&rArea, AREA_FRAME_GAP + AREA_FRAME_WIDTH, AREA_FRAME_GAP + AREA_FRAME_WIDTH);
    DrawGFrame(hDC, rArea, AREA_FRAME_WIDTH, CR_BEVEL_SHADOW, CR_WHITE);
    InflateRect(&rArea, -AREA_FRAME_WIDTH, -AREA_FRAME_WIDTH);
    DrawGFrame(hDC, rArea, AREA_FRAME_WIDTH, CR_WHITE, CR_BEVEL_SHADOW);
}

static void DrawImageToBuffer(HDC hDC, const RECT *prPaint)
{
    FillRect(hDC, prPaint, GreyBrush());
    /* The buttons are drawn only when both pictures are there. */
    BOOL bPictures = mdEditor.hModeBitmap != NULL && mdEditor.hRemoteBitmap != NULL;
    HDC hStripDC = CreateCompatibleDC(hDC);
    HDC hRemoteDC = CreateCompatibleDC(hDC);
    HBITMAP hOldStrip = bPictures ? SelectBitmap(hStripDC, mdEditor.hModeBitmap) : NULL;
    HBITMAP hOldRemote = bPictures ? SelectBitmap(hRemoteDC, mdEditor.hRemoteBitmap) : NULL;
    SIZE szCell, szRemote;
    GetCellSize(&szCell);
    GetPictureSize(mdEditor.hRemoteBitmap, &szRemote);
    RECT rMeet;
    for (int i = 0; i < FAMILY_BUTTONS && bPictures; i++) {
        if (!IntersectRect(&rMeet, &mdEditor.rButtons[i], prPaint))
            continue;
        int iCell = ButtonFamily(i);
        DrawButtonFrame(hDC, hStripDC, &mdEditor.rButtons[i], IsCurrentButton(i), mdEditor.iButton == i,
                        BUTTON_CELL_WIDTH * iCell, BUTTON_CELL_WIDTH, szCell.cy);
    }
    if (bPictures && IntersectRect(&rMeet, &mdEditor.rButtons[HELP_BUTTON], prPaint))
        DrawButtonFrame(hDC, hRemoteDC, &mdEditor.rButtons[HELP_BUTTON], FALSE,
                        mdEditor.iButton == HELP_BUTTON, 0, szRemote.cx, szRemote.cy);
    if (bPictures)
        DrawModeFrame(hDC);
    if (hOldStrip != NULL)
        SelectBitmap(hStripDC, hOldStrip);
    if (hOldRemote != NULL)
        SelectBitmap(hRemoteDC, hOldRemote);
    DeleteDC(hStripDC);
    DeleteDC(hRemoteDC);
}

/* ---- The function editor: messages --------------------------------------------------- */

static BOOL OnInitDialog(HWND hDlg, HWND hFocus, LPARAM lParam)
{
    (void)hFocus;
    (void)lParam;
    mdEditor.pbiTemp = pbiButton;
    if (mdEditor.pbiTemp == NULL) {
        /* Started without a button: the picture of the remote is closing. */
        FreeButtonFunctions(&pbiHolder);
        EndDialog(hDlg, 0);
        return TRUE;
    }
    mdEditor.iButton = NO_BUTTON;
    mdEditor.iCurrentBut = NO_BUTTON;
    mdEditor.bFamilyConfirmed = FALSE;
    GenerateButtonFunctions(&pbiHolder);
    fCurrentFunction = mdEditor.pbiTemp->pszPrimary != NULL || mdEditor.pbiTemp->pszExtra1 != NULL
                     ? mdEditor.pbiTemp->fFunction : NO_FUNCTION;
    mdEditor.bDovrel = IsDovrelInstalled() == 1;
    GreyBrush();

    char szFile[MAX_PATH];
    HDC hDC = GetDC(hDlg);
    if (GetStringRes(IDS_BUTTON_BMP, szFile, sizeof(szFile)) != 0)
        CreateBitmapFromFile(hDC, szFile, &mdEditor.hModeBitmap, &mdEditor.hModePalette);
    if (GetStringRes(IDS_SREMOTE_BMP, szFile, sizeof(szFile)) != 0)
        CreateBitmapFromFile(hDC, szFile, &mdEditor.hRemoteBitmap, &mdEditor.hRemotePalette);
    ReleaseDC(hDlg, hDC);

    AdjustWindowSize(hDlg);
    CreateButtonArea(hDlg);
    SetFocus(GetDlgItem(hDlg, IDOK));
    if (GetParent(hDlg) != NULL)
        InvalidateRect(GetParent(hDlg), NULL, FALSE);
    CenterWindow(hDlg);
    return FALSE;
}

static void OnDestroy(HWND hDlg)
{
    if (mdEditor.hModeBitmap != NULL)
        DeleteBitmap(mdEditor.hModeBitmap);
    if (mdEditor.hModePalette != NULL)
        DeletePalette(mdEditor.hModePalette);
    if (mdEditor.hRemoteBitmap != NULL)
        DeleteBitmap(mdEditor.hRemoteBitmap);
    if (mdEditor.hRemotePalette != NULL)
        DeletePalette(mdEditor.hRemotePalette);
    if (mdEditor.hBrush != NULL)
        DeleteBrush(mdEditor.hBrush);
    Help(hDlg, IDH_FUNCTIONS, FALSE);
    if (GetParent(hDlg) != NULL)
        InvalidateRect(GetParent(hDlg), NULL, FALSE);
    mdEditor = {};
}

static void OnPaint(HWND hDlg)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hDlg, &ps);
    RECT rClient;
    GetClientRect(hDlg, &rClient);
    HDC hBufferDC = CreateCompatibleDC(hDC);
    HBITMAP hBuffer = CreateCompatibleBitmap(hDC, rClient.right, rClient.bottom);
    if (hBufferDC != NULL && hBuffer != NULL) {
        HBITMAP hOld = SelectBitmap(hBufferDC, hBuffer);
        HPALETTE hOldPalette = NULL;
        if (mdEditor.hModePalette != NULL) {
            hOldPalette = SelectPalette(hDC, mdEditor.hModePalette, FALSE);
            RealizePalette(hDC);
        }
        DrawImageToBuffer(hBufferDC, &ps.rcPaint);
        BitBlt(hDC, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, hBufferDC, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        if (hOldPalette != NULL)
            SelectPalette(hDC, hOldPalette, FALSE);
        SelectBitmap(hBufferDC, hOld);
    }
    if (hBuffer != NULL)
        DeleteBitmap(hBuffer);
    if (hBufferDC != NULL)
        DeleteDC(hBufferDC);
    EndPaint(hDlg, &ps);
}

static void OnLButtonDown(HWND hDlg, BOOL fDoubleClick, int x, int y, UINT keyFlags)
{
    (void)fDoubleClick;
    (void)keyFlags;
    SetCapture(hDlg);
    POINT pt = { x, y };
    mdEditor.iCurrentBut = FindButton(mdEditor.rButtons, pt);
    mdEditor.iButton = mdEditor.iCurrentBut;
    InvalidateButton(hDlg, mdEditor.iButton);
}

static void OnMouseMove(HWND hDlg, int x, int y, UINT keyFlags)
{
    (void)keyFlags;
    if (mdEditor.iCurrentBut == NO_BUTTON)
        return;
    /* The pressed button looks released while the pointer is away from it. */
    POINT pt = { x, y };
    int iHeld = FindButton(mdEditor.rButtons, pt) == mdEditor.iCurrentBut ? mdEditor.iCurrentBut : NO_BUTTON;
    if (iHeld != mdEditor.iButton) {
        mdEditor.iButton = iHeld;
        InvalidateButton(hDlg, mdEditor.iCurrentBut);
    }
}

static void OnLButtonUp(HWND hDlg, int x, int y, UINT keyFlags)
{
    (void)keyFlags;
    int iPressed = mdEditor.iCurrentBut;
    mdEditor.iCurrentBut = NO_BUTTON;
    mdEditor.iButton = NO_BUTTON;
    ReleaseCapture();
    if (iPressed == NO_BUTTON)
        return;
    InvalidateButton(hDlg, iPressed);
    UpdateWindow(hDlg);
    POINT pt = { x, y };
    if (FindButton(mdEditor.rButtons, pt) == iPressed)
        RunButton(hDlg, iPressed);
}

static DWORD OnMenuChar(HWND hDlg, UINT ch, UINT flags, HMENU hMenu)
{
    (void)flags;
    (void)hMenu;
    /* Alt and a letter of the table, compared byte for byte: only lower case acts. The
       press waits until the menu mode that asked has ended, or that mode would take the
       next click made in the family dialog or in the editor. */
    char szLetters[EDITOR_BUTTONS + 1] = "";
    GetStringRes(IDS_EDITOR_LETTERS, szLetters, sizeof(szLetters));
    for (int i = 0; szLetters[i] != '\0'; i++)
        if ((BYTE)szLetters[i] == ch) {
            PostMessageA(hDlg, WM_COMMAND, ID_PRESS_BUTTON + i, 0);
            return MAKELRESULT(0, MNC_CLOSE);
        }
    return MAKELRESULT(0, MNC_IGNORE);
}

static void OnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    (void)uiNotify;
    switch (iID) {
    case IDOK:
        /* Without a confirmed family dialog nothing was chosen: the button stays as it was,
           whatever the editors could show of it. */
        if (mdEditor.bFamilyConfirmed)
            CopyButtonData(&mdEditor.pbiTemp, pbiHolder, fCurrentFunction);
        EndDialog(hDlg, 1);
        break;
    case IDCANCEL:
        EndDialog(hDlg, 1);
        break;
    case IDC_HELPBUTTON:
        PressButton(hDlg, HELP_BUTTON, mdEditor.rButtons);
        break;
    default:
        if (iID >= ID_PRESS_BUTTON && iID < ID_PRESS_BUTTON + EDITOR_BUTTONS)
            PressButton(hDlg, iID - ID_PRESS_BUTTON, mdEditor.rButtons);
    }
}

extern "C" INT_PTR CALLBACK FunctionDlg(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, OnDestroy);
        HANDLE_DLGMSG(hDlg, WM_PAINT, OnPaint);
        HANDLE_DLGMSG(hDlg, WM_LBUTTONDOWN, OnLButtonDown);
        HANDLE_DLGMSG(hDlg, WM_MOUSEMOVE, OnMouseMove);
        HANDLE_DLGMSG(hDlg, WM_LBUTTONUP, OnLButtonUp);
        HANDLE_DLGMSG(hDlg, WM_MENUCHAR, OnMenuChar);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
        EDITOR_CTLCOLOR_DLGMSGS(hDlg, FamilyOnCtlColor);
    }
    return FALSE;
}
