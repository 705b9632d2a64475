/*
 * zendrares32_lists.cpp - the readers of Brenvik's RCDATA lists: string lists (entries
 * ended by NUL, the list by an empty entry), the word lists that go with them by
 * position, and the entries and positions looked up in them. Resource lookups and text
 * only: no window is touched, so the readers can be tested and fuzzed on their own.
 */
#include <windows.h>
#include <string.h>
#include "Brenvik.h"
#include "Brenvik_module.h"
#include "zendrares32.h"

LPSTR CopyToLocal(LPCSTR lpszText)
{
    size_t cbText = strlen(lpszText);
    LPSTR lpszCopy = (LPSTR)LocalAlloc(LPTR, cbText + 1);
    if (lpszCopy != NULL)
        memcpy(lpszCopy, lpszText, cbText);
    return lpszCopy;
}

extern "C" HGLOBAL WINAPI GetRCDataZendraRes(UINT uID_RCDATA)
{
    HRSRC hResInfo = FindResourceA(hInstance, MAKEINTRESOURCEA(uID_RCDATA), RT_RCDATA);
    if (hResInfo == NULL)
        return NULL;
    return LoadResource(hInstance, hResInfo);
}

/* ---- String lists ------------------------------------------------------------------ */

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

BYTE CompareStringsRC(LPCSTR lpszText, UINT uID_RCDATA)          { return CompareStringsIn(lpszText, uID_RCDATA, FALSE); }
BYTE CompareStringsRCZendraRes(LPCSTR lpszText, UINT uID_RCDATA) { return CompareStringsIn(lpszText, uID_RCDATA, TRUE); }
LPSTR FunctionNameRC(UINT uID_RCDATA, BYTE bPosition)            { return FunctionNameIn(uID_RCDATA, bPosition, FALSE); }
LPSTR FunctionNameRCZendraRes(UINT uID_RCDATA, BYTE bPosition)   { return FunctionNameIn(uID_RCDATA, bPosition, TRUE); }

/* ---- Word lists ---------------------------------------------------------------------- */

/* A value list of this library: its words and how many there are; null when missing. */
const WORD *LockValueList(UINT uValueList, int *pcValues)
{
    *pcValues = 0;
    HRSRC hResInfo = FindResourceA(hInstance, MAKEINTRESOURCEA(uValueList), RT_RCDATA);
    HGLOBAL hData = hResInfo != NULL ? LoadResource(hInstance, hResInfo) : NULL;
    const WORD *pwValues = hData != NULL ? (const WORD *)LockResource(hData) : NULL;
    if (pwValues != NULL)
        *pcValues = (int)(SizeofResource(hInstance, hResInfo) / sizeof(WORD));
    return pwValues;
}

LPSTR GetIndexedString(UINT uStringList, int iPosition)
{
    return FunctionNameRC(uStringList, (BYTE)(iPosition + 1));
}

BYTE GetIndexedValue(UINT uValueList, int iPosition)
{
    int cValues;
    const WORD *pwValues = LockValueList(uValueList, &cValues);
    return iPosition >= 0 && iPosition < cValues ? LOBYTE(pwValues[iPosition]) : 0;
}

int CountStringIndex(UINT uStringList, LPCSTR lpszText)
{
    tagRCTABLE rc;
    if (lpszText == NULL || !OpenTable(uStringList, FALSE, &rc))
        return -1;
    int iFound = -1;
    int i = 0;
    for (LPCSTR lpszEntry = rc.lpszFirst; *lpszEntry != '\0'; lpszEntry = NextEntry(lpszEntry), i++)
        if (strcmp(lpszEntry, lpszText) == 0) {
            iFound = i;
            break;
        }
    CloseTable(&rc);
    return iFound;
}

int CountValueIndex(UINT uValueList, BYTE bValue)
{
    int cValues;
    const WORD *pwValues = LockValueList(uValueList, &cValues);
    for (int i = 0; i < cValues; i++)
        if (LOBYTE(pwValues[i]) == bValue)
            return i;
    return -1;
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
