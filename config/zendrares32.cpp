/*
 * zendrares32.cpp - access to the resources that Brenvik carries for the whole system:
 * strings, icons, bitmaps, the cursor, dialog templates and the RCDATA tables, plus the
 * readers of RCDATA string lists (entries ended by NUL, the list by an empty entry).
 */
#include <windows.h>
#include <windowsx.h>
#include <string.h>
#include <stdio.h>
#include "Brenvik.h"
#include "Brenvik_internal.h"

LPSTR CopyToLocal(LPCSTR lpszText)
{
    size_t cbText = strlen(lpszText);
    LPSTR lpszCopy = (LPSTR)LocalAlloc(LPTR, cbText + 1);
    if (lpszCopy != NULL)
        memcpy(lpszCopy, lpszText, cbText);
    return lpszCopy;
}

/* ---- Exports ------------------------------------------------------------------------ */

extern "C" int WINAPI GetStringRes(UINT uiStringID, LPSTR lpszBuffer, int iSize)
{
    if (lpszBuffer == NULL)
        return 0;
    /* The loader empties the buffer for a string that does not exist: ask first (a size
       of 0 asks for the string's length without copying anything). */
    LPCWSTR lpszExisting = NULL;
    if (LoadStringW(hInstance, uiStringID, (LPWSTR)&lpszExisting, 0) <= 0)
        return 0;
    return LoadStringA(hInstance, uiStringID, lpszBuffer, iSize);
}

extern "C" HICON WINAPI GetIconRes(WORD wIconID)
{
    return LoadIconA(hInstance, MAKEINTRESOURCEA(wIconID));
}

extern "C" HBITMAP WINAPI GetBitmapRes(WORD wBitmapID)
{
    return LoadBitmapA(hInstance, MAKEINTRESOURCEA(wBitmapID));
}

extern "C" HCURSOR WINAPI GetCursorRes(WORD wCursorID)
{
    return LoadCursorA(hInstance, MAKEINTRESOURCEA(wCursorID));
}

extern "C" HMENU WINAPI GetMenuRes(WORD wMenuID)
{
    return LoadMenuA(hInstance, MAKEINTRESOURCEA(wMenuID));
}

extern "C" HACCEL WINAPI GetAcceleratorsRes(WORD wAccelID)
{
    return LoadAcceleratorsA(hInstance, MAKEINTRESOURCEA(wAccelID));
}

extern "C" INT_PTR WINAPI DialogBoxRes(WORD wTemplate, HWND hParentWnd, DLGPROC lpfnDialogProc)
{
    return DialogBoxParamA(hInstance, MAKEINTRESOURCEA(wTemplate), hParentWnd, lpfnDialogProc, 0);
}

extern "C" HWND WINAPI CreateDialogRes(WORD wTemplate, HWND hParentWnd, DLGPROC lpfnDialogProc)
{
    return CreateDialogParamA(hInstance, MAKEINTRESOURCEA(wTemplate), hParentWnd, lpfnDialogProc, 0);
}

extern "C" HGLOBAL WINAPI GetRCDataZendraRes(UINT uID_RCDATA)
{
    HRSRC hResInfo = FindResourceA(hInstance, MAKEINTRESOURCEA(uID_RCDATA), RT_RCDATA);
    if (hResInfo == NULL)
        return NULL;
    return LoadResource(hInstance, hResInfo);
}

extern "C" LPSTR WINAPI LoadRCDataStringZendraRes(int iIDItem)
{
    HGLOBAL hData = GetRCDataZendraRes((UINT)iIDItem);
    if (hData == NULL)
        return NULL;

    LPCSTR lpszText = (LPCSTR)LockResource(hData);
    LPSTR lpszCopy = lpszText != NULL ? CopyToLocal(lpszText) : NULL;
    FreeResource(hData);
    return lpszCopy;
}

/* Loads a string of the table; 0xFFFF or a missing string leaves that side open (null). */
static LPCSTR LoadOptionalString(WORD wID, LPSTR lpszBuffer, int iSize)
{
    if (wID == 0xFFFF || GetStringRes(wID, lpszBuffer, iSize) == 0)
        return NULL;
    return lpszBuffer;
}

extern "C" HWND WINAPI GetWindowHandle(WORD wClass, WORD wTitle)
{
    char szClass[256];
    char szTitle[256];
    return FindWindowA(LoadOptionalString(wClass, szClass, sizeof(szClass)),
                       LoadOptionalString(wTitle, szTitle, sizeof(szTitle)));
}

extern "C" UINT WINAPI LaunchProg(WORD wNameID, LPCSTR lpszCmdLine, UINT uiShow)
{
    char szCommand[260];
    int iLength = GetStringRes(wNameID, szCommand, sizeof(szCommand));
    if (iLength == 0)
        return 0;
    /* An argument that does not fit is dropped whole, never cut. */
    if (lpszCmdLine != NULL && iLength + strlen(lpszCmdLine) + 1 < sizeof(szCommand))
        snprintf(szCommand + iLength, sizeof(szCommand) - iLength, " %s", lpszCmdLine);
    return WinExec(szCommand, uiShow);
}

/* ---- String-list readers ------------------------------------------------------------- */

BOOL OpenTable(UINT uID_RCDATA, BOOL bThroughExport, tagRCTABLE *prc)
{
    if (bThroughExport) {
        prc->hData = GetRCDataZendraRes(uID_RCDATA);
    } else {
        HRSRC hResInfo = FindResourceA(hInstance, MAKEINTRESOURCEA(uID_RCDATA), RT_RCDATA);
        prc->hData = hResInfo != NULL ? LoadResource(hInstance, hResInfo) : NULL;
    }
    prc->lpszFirst = prc->hData != NULL ? (LPCSTR)LockResource(prc->hData) : NULL;
    if (prc->lpszFirst == NULL && prc->hData != NULL) {
        FreeResource(prc->hData);
        prc->hData = NULL;
    }
    return prc->lpszFirst != NULL;
}

void CloseTable(tagRCTABLE *prc)
{
    FreeResource(prc->hData);
}

LPCSTR NextEntry(LPCSTR lpszEntry)
{
    return lpszEntry + strlen(lpszEntry) + 1;
}

static BYTE CompareStringsIn(LPCSTR lpszText, UINT uID_RCDATA, BOOL bThroughExport)
{
    tagRCTABLE rc;
    if (lpszText == NULL || !OpenTable(uID_RCDATA, bThroughExport, &rc))
        return 0;
    BYTE bPosition = 0;
    BYTE bFound = 0;
    for (LPCSTR lpszEntry = rc.lpszFirst; *lpszEntry != '\0'; lpszEntry = NextEntry(lpszEntry)) {
        ++bPosition;
        if (lstrcmpiA(lpszEntry, lpszText) == 0) {
            bFound = bPosition;
            break;
        }
    }
    CloseTable(&rc);
    return bFound;
}

static LPSTR FunctionNameIn(UINT uID_RCDATA, BYTE bPosition, BOOL bThroughExport)
{
    tagRCTABLE rc;
    if (!OpenTable(uID_RCDATA, bThroughExport, &rc))
        return NULL;
    LPCSTR lpszFound = "";
    if (bPosition != 0) {
        LPCSTR lpszEntry = rc.lpszFirst;
        for (BYTE b = 1; b < bPosition && *lpszEntry != '\0'; ++b)
            lpszEntry = NextEntry(lpszEntry);
        lpszFound = lpszEntry;   /* the terminating empty entry when the list is shorter */
    }
    LPSTR lpszCopy = CopyToLocal(lpszFound);
    CloseTable(&rc);
    return lpszCopy;
}

static void FillComboBoxIn(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect, BOOL bThroughExport)
{
    ComboBox_ResetContent(hComboBox);
    tagRCTABLE rc;
    if (!OpenTable(uID_RCDATA, bThroughExport, &rc))
        return;
    FillComboBox(hComboBox, rc.lpszFirst, lpszSelect);
    CloseTable(&rc);
}

BYTE CompareStringsRC(LPCSTR lpszText, UINT uID_RCDATA)          { return CompareStringsIn(lpszText, uID_RCDATA, FALSE); }
BYTE CompareStringsRCZendraRes(LPCSTR lpszText, UINT uID_RCDATA) { return CompareStringsIn(lpszText, uID_RCDATA, TRUE); }
LPSTR FunctionNameRC(UINT uID_RCDATA, BYTE bPosition)            { return FunctionNameIn(uID_RCDATA, bPosition, FALSE); }
LPSTR FunctionNameRCZendraRes(UINT uID_RCDATA, BYTE bPosition)   { return FunctionNameIn(uID_RCDATA, bPosition, TRUE); }

void FillComboBoxRC(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect)
{
    FillComboBoxIn(hComboBox, uID_RCDATA, lpszSelect, FALSE);
}

void FillComboBoxRCZendraRes(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect)
{
    FillComboBoxIn(hComboBox, uID_RCDATA, lpszSelect, TRUE);
}

/* Fills the box from a string list in memory and selects the last entry equal to
   lpszSelect (case-insensitive), or the first entry when none is. */
void FillComboBox(HWND hComboBox, LPCSTR lpszList, LPCSTR lpszSelect)
{
    ComboBox_ResetContent(hComboBox);
    int iSelect = 0;
    for (LPCSTR lpszEntry = lpszList; *lpszEntry != '\0'; lpszEntry = NextEntry(lpszEntry)) {
        int iIndex = ComboBox_AddString(hComboBox, lpszEntry);
        if (lpszSelect != NULL && iIndex >= 0 && lstrcmpiA(lpszEntry, lpszSelect) == 0)
            iSelect = iIndex;
    }
    ComboBox_SetCurSel(hComboBox, iSelect);
}

/* ---- Paired tables: a string list and the word list that matches it by position ------- */

BOOL ForEachPairedEntry(UINT uNames, UINT uValues, PAIREDENTRYPROC pfnEntry, void *pContext)
{
    tagRCTABLE rcNames, rcValues;
    if (!OpenTable(uNames, TRUE, &rcNames))
        return FALSE;
    BOOL bStopped = FALSE;
    if (OpenTable(uValues, TRUE, &rcValues)) {
        const BYTE *lpValue = (const BYTE *)rcValues.lpszFirst;
        for (LPCSTR lpszEntry = rcNames.lpszFirst; !bStopped && *lpszEntry != '\0';
             lpszEntry = NextEntry(lpszEntry), lpValue += 2)
            bStopped = pfnEntry(lpszEntry, (WORD)(lpValue[0] | (lpValue[1] << 8)), pContext);
        CloseTable(&rcValues);
    }
    CloseTable(&rcNames);
    return bStopped;
}

/* What a lookup searches for and where it puts the other half of the entry. */
struct tagPAIREDLOOKUP {
    LPCSTR lpszName;
    BOOL   bIgnoreCase;
    WORD   wValue;
    LPSTR  lpszFound;
    int    cchFound;
};

BOOL PairedValueOfName(UINT uNames, UINT uValues, LPCSTR lpszName, BOOL bIgnoreCase, WORD *pwValue)
{
    tagPAIREDLOOKUP pl = { lpszName, bIgnoreCase, 0, NULL, 0 };
    BOOL bFound = lpszName != NULL && ForEachPairedEntry(uNames, uValues,
        [](LPCSTR lpszEntry, WORD wValue, void *pContext) -> BOOL {
            tagPAIREDLOOKUP *ppl = (tagPAIREDLOOKUP *)pContext;
            if ((ppl->bIgnoreCase ? lstrcmpiA(lpszEntry, ppl->lpszName) : strcmp(lpszEntry, ppl->lpszName)) != 0)
                return FALSE;
            ppl->wValue = wValue;
            return TRUE;
        }, &pl);
    *pwValue = pl.wValue;
    return bFound;
}

BOOL PairedNameOfValue(UINT uNames, UINT uValues, WORD wValue, LPSTR lpszName, int cchName)
{
    lpszName[0] = '\0';
    tagPAIREDLOOKUP pl = { NULL, FALSE, wValue, lpszName, cchName };
    return ForEachPairedEntry(uNames, uValues,
        [](LPCSTR lpszEntry, WORD wValue, void *pContext) -> BOOL {
            tagPAIREDLOOKUP *ppl = (tagPAIREDLOOKUP *)pContext;
            if (wValue != ppl->wValue)
                return FALSE;
            lstrcpynA(ppl->lpszFound, lpszEntry, ppl->cchFound);
            return TRUE;
        }, &pl);
}
