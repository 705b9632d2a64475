/*
 * virtk32_layout.cpp - the on-screen keyboard's arithmetic, apart from any window: reading
 * its layout tables from Brenvik, finding the key under a point, hopping from key to key,
 * and the typed line with its virtual-key to character translation.
 */
#include <windows.h>
#include <ctype.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "virtk32.h"

const RECT rKeyArea = { 18, 69, 434, 194 };

int iVersion;

/* ---- Layout tables ------------------------------------------------------------------- */

/* The bytes of RCDATA wName, or null, and how many there are (*pcbData); *phData is to be
   released with FreeResource. */
static const void *LockRCData(WORD wName, HGLOBAL *phData, DWORD *pcbData)
{
    *pcbData = 0;
    *phData = GetRCDataZendraRes(wName);
    const void *lpvData = *phData != NULL ? LockResource(*phData) : NULL;
    if (lpvData != NULL) {
        /* The length is the resource's own, in the library that handed it out. */
        HMODULE hModule = NULL;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           (LPCSTR)(void *)GetRCDataZendraRes, &hModule);
        HRSRC hInfo = FindResourceA(hModule, MAKEINTRESOURCEA(wName), RT_RCDATA);
        *pcbData = hInfo != NULL ? SizeofResource(hModule, hInfo) : 0;
    }
    return lpvData;
}

int GetIntRCData(WORD wName, int iIndex)
{
    HGLOBAL hData;
    DWORD cbData;
    const int *lpiData = (const int *)LockRCData(wName, &hData, &cbData);
    int iValue = 0;
    if (lpiData != NULL && iIndex >= 0 && (DWORD)iIndex < cbData / sizeof(int))
        iValue = lpiData[iIndex];
    if (hData != NULL)
        FreeResource(hData);
    return iValue;
}

WORD GetWordRCData(WORD wName, int iIndex)
{
    HGLOBAL hData;
    DWORD cbData;
    const WORD *lpwData = (const WORD *)LockRCData(wName, &hData, &cbData);
    WORD wValue = 0;
    for (int i = 0; lpwData != NULL && i <= iIndex; i++) {
        /* Past the table's end without its terminator: no such entry. */
        if ((DWORD)i >= cbData / sizeof(WORD)) {
            wValue = 0;
            break;
        }
        wValue = lpwData[i];
        if (wValue == 255)
            break;
    }
    if (hData != NULL)
        FreeResource(hData);
    return wValue;
}

int GetNumberOfItem(const RECT *lprKey)
{
    int iCount = 0;
    while (lprKey[iCount].right != lprKey[iCount].left)
        iCount++;
    return iCount - 1;
}

int FindWhichKey(const RECT *lprKey, const POINT *lppMouse)
{
    for (int i = 0; lprKey[i].right != lprKey[i].left; i++)
        if (PtInRect(&lprKey[i], *lppMouse))
            return i;
    return -1;
}

/* ---- Navigation ------------------------------------------------------------------------ */

/* Half the distance of a hop to the next row: 20 pixels, slanted by 20/5 or 20/4. */
static const int HOP = 20;
static const int HOP_ROW = HOP * 5 / 3;          /* 33 */
static const int CENTRE_BOX = 4;

POINT KeyCentre(const RECT *lprRect)
{
    POINT pCentre = { lprRect->left + (lprRect->right - lprRect->left) / 2,
                      lprRect->top + (lprRect->bottom - lprRect->top) / 2 };
    return pCentre;
}

int OnEdge(const RECT *lprRect, const POINT *lppPoint)
{
    POINT c = KeyCentre(lprRect);
    RECT rCentre = { c.x - CENTRE_BOX, c.y - CENTRE_BOX, c.x + CENTRE_BOX, c.y + CENTRE_BOX };
    if (!PtInRect(lprRect, *lppPoint) || PtInRect(&rCentre, *lppPoint))
        return -1;
    if (lppPoint->y >= lprRect->top && lppPoint->y <= c.y - CENTRE_BOX)
        return EDGE_TOP;
    if (lppPoint->x >= c.x + CENTRE_BOX && lppPoint->x <= lprRect->right)
        return EDGE_RIGHT;
    if (lppPoint->y >= c.y + CENTRE_BOX && lppPoint->y <= lprRect->bottom)
        return EDGE_BOTTOM;
    return EDGE_LEFT;
}

int FindNextButton(const RECT *lprKeys, int iEdge, RECT rRect)
{
    POINT pProbe = KeyCentre(&rRect);
    if (FindWhichKey(lprKeys, &pProbe) == -1)
        return -1;
    for (int i = 1; i <= 7; i++) {
        switch (iEdge) {
        case EDGE_TOP:
            pProbe.x += HOP / 5 * i;
            pProbe.y -= HOP_ROW * i;
            break;
        case EDGE_RIGHT:
            pProbe.x = rRect.right + HOP * i;
            break;
        case EDGE_BOTTOM:
            pProbe.x -= HOP / 4 * i;
            pProbe.y += HOP_ROW * i;
            break;
        case EDGE_LEFT:
            pProbe.x = rRect.left - HOP * i;
            break;
        default:
            return -1;
        }
        int iKey = FindWhichKey(lprKeys, &pProbe);
        if (iKey != -1)
            return iKey;
    }
    return -1;
}

BOOL IsOnSameButton(int iBut1, int iBut2)
{
    if (iBut1 == iBut2)
        return TRUE;
    int iUpper = GetIntRCData(IDR_KEY_INDEX, KI_ENTER_UPPER);
    int iLower = GetIntRCData(IDR_KEY_INDEX, KI_ENTER_LOWER);
    return (iBut1 == iUpper || iBut1 == iLower) && (iBut2 == iUpper || iBut2 == iLower);
}

/* ---- The typed line -------------------------------------------------------------------- */

void InitialiseCharBuffer(tagCHARBUFFER *lpcBuffer)
{
    for (int i = 0; i < CHARBUFFER_CELLS; i++) {
        lpcBuffer[i].data.chData = 0;
        lpcBuffer[i].data.bFlag = 0;
    }
}

int FindBufferLength(const tagCHARBUFFER *lpcBuffer)
{
    int iLength = 0;
    while (iLength < CHARBUFFER_CELLS && lpcBuffer[iLength].data.chData != 0)
        iLength++;
    return iLength;
}

/* The cell flag for the latches in bState. */
static BYTE GetLatchFlag(BYTE bState)
{
    if (iVersion == LAYOUT_US) {
        if (bState & (KS_ALT | KS_ALTGR))
            return CF_ALT;
        return (bState & KS_CTRL) ? CF_CTRL : 0;
    }
    if (bState & KS_ALT)
        return CF_ALT;
    if (bState & KS_CTRL)
        return CF_CTRL;
    return (bState & KS_ALTGR) ? CF_ALTGR : 0;
}

int AddCharToBuffer(WORD wvKey, tagCHARBUFFER *lpcBuffer, BYTE bState)
{
    int iLength = FindBufferLength(lpcBuffer);
    if (iLength >= CHARBUFFER_MAX)
        return 0;
    char cChar = ConvertVKCodeToChar(wvKey, bState);
    if (cChar == 0)
        return 0;
    lpcBuffer[iLength].data.chData = cChar;
    lpcBuffer[iLength].data.bFlag = GetLatchFlag(bState);
    lpcBuffer[iLength + 1].data.chData = 0;
    lpcBuffer[iLength + 1].data.bFlag = 0;
    return 1;
}

void DeleteLastItemBuffer(tagCHARBUFFER *lpcBuffer)
{
    int iLength = FindBufferLength(lpcBuffer);
    if (iLength == 0)
        return;
    lpcBuffer[iLength - 1].data.chData = 0;
    lpcBuffer[iLength - 1].data.bFlag = 0;
}

void CreateSingleString(const tagCHARBUFFER *lpcBuffer, LPSTR lpszStr)
{
    int iLength = FindBufferLength(lpcBuffer);
    for (int i = 0; i < iLength; i++)
        lpszStr[i] = lpcBuffer[i].data.chData;
    lpszStr[iLength] = '\0';
}

/* ---- Virtual key to character ---------------------------------------------------------- */

/* Records of the character table: character, modifier key, key (16-bit little-endian). */
static const int CHAR_RECORD = 5;

void GetKeyboardChar(LPSTR lpChar, WORD wControlKey, WORD wVKCode)
{
    *lpChar = 0;
    HGLOBAL hData;
    DWORD cbData;
    const BYTE *lpbRecord = (const BYTE *)LockRCData(IDR_CHAR_KEYS, &hData, &cbData);
    if (lpbRecord != NULL) {
        /* The first record of the key, then the adjacent ones of the same key. */
        while (lpbRecord[0] != 0 && MAKEWORD(lpbRecord[3], lpbRecord[4]) != wVKCode)
            lpbRecord += CHAR_RECORD;
        if (lpbRecord[0] != 0) {
            *lpChar = (char)lpbRecord[0];
            for (const BYTE *lpb = lpbRecord; lpb[0] != 0 && MAKEWORD(lpb[3], lpb[4]) == wVKCode;
                 lpb += CHAR_RECORD) {
                if (lpb[1] == LOBYTE(wControlKey)) {
                    *lpChar = (char)lpb[0];
                    break;
                }
            }
        }
    }
    if (hData != NULL)
        FreeResource(hData);
}

static char LetterInCase(char cLetter, BYTE bState)
{
    return (bState & KS_UPPER) ? cLetter : (char)tolower((unsigned char)cLetter);
}

char ConvertVKCodeToChar(WORD wVKey, BYTE bState)
{
    BOOL bLetter = wVKey >= 'A' && wVKey <= 'Z';
    /* The German layout has Q and M carry AltGr characters: those go through the table. */
    BOOL bAltGrLetter = iVersion == LAYOUT_GERMAN && (wVKey == 'Q' || wVKey == 'M');
    if (bLetter && !bAltGrLetter)
        return LetterInCase((char)wVKey, bState);

    WORD wModifier = 0;
    if (bState & KS_SHIFT)
        wModifier = VK_SHIFT;
    else if (bState & KS_ALTGR)
        wModifier = VK_MENU;
    char cChar;
    GetKeyboardChar(&cChar, wModifier, wVKey);
    if (iVersion == LAYOUT_GERMAN && (cChar == 'Q' || cChar == 'M'))
        cChar = LetterInCase(cChar, bState);
    return cChar;
}
