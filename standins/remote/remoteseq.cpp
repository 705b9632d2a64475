/*
 * remoteseq.cpp - reads the items of a button sequence given on the command line:
 * "PLAY" presses a button once, "UP*12" holds it for 12 codes (1 press + 11 repeats) at the
 * receiver's repeat interval, "UP*12@300" at 300 ms, "0x21" or "33" sends a raw code, and
 * "+500" pauses for 500 ms. Touches no window and no device.
 */
#include "remote.h"
#include <string.h>

#define MAX_COUNT     1000
#define MAX_INTERVAL  600000

/* Reads a whole decimal or "0x" hexadecimal number of cchText characters; 0 unless it is
   one and lies within 0..iMax. */
static int ParseNumber(LPCSTR lpszText, size_t cchText, int iMax, int *piValue)
{
    int iBase = 10;
    if (cchText > 2 && lpszText[0] == '0' && (lpszText[1] == 'x' || lpszText[1] == 'X')) {
        iBase = 16;
        lpszText += 2;
        cchText -= 2;
    }
    if (cchText == 0 || cchText > 8)
        return 0;
    int iValue = 0;
    for (size_t i = 0; i < cchText; i++) {
        char c = lpszText[i];
        int iDigit;
        if (c >= '0' && c <= '9')
            iDigit = c - '0';
        else if (iBase == 16 && c >= 'a' && c <= 'f')
            iDigit = c - 'a' + 10;
        else if (iBase == 16 && c >= 'A' && c <= 'F')
            iDigit = c - 'A' + 10;
        else
            return 0;
        iValue = iValue * iBase + iDigit;
    }
    if (iValue > iMax)
        return 0;
    *piValue = iValue;
    return 1;
}

int ParsePlayItem(LPCSTR lpszItem, tagPLAYITEM *pItem)
{
    tagPLAYITEM piItem = { NULL, -1, 1, 0 };
    size_t cchItem = strlen(lpszItem);

    if (lpszItem[0] == '+') {
        if (!ParseNumber(lpszItem + 1, cchItem - 1, MAX_INTERVAL, &piItem.iInterval))
            return 0;
        *pItem = piItem;
        return 1;
    }

    size_t cchBase = strcspn(lpszItem, "*@");
    LPCSTR lpszCount = strchr(lpszItem, '*');
    LPCSTR lpszInterval = strchr(lpszItem, '@');
    if (lpszCount != NULL && lpszInterval != NULL && lpszInterval < lpszCount)
        return 0;   /* "@" must follow the count */

    char szBase[16];
    if (cchBase == 0 || cchBase >= sizeof(szBase))
        return 0;
    memcpy(szBase, lpszItem, cchBase);
    szBase[cchBase] = '\0';
    piItem.pButton = FindButtonByName(szBase);
    if (piItem.pButton == NULL && !ParseNumber(szBase, cchBase, 255, &piItem.iCode))
        return 0;

    if (lpszCount != NULL) {
        size_t cchCount = (lpszInterval != NULL ? (size_t)(lpszInterval - lpszCount) : strlen(lpszCount)) - 1;
        if (!ParseNumber(lpszCount + 1, cchCount, MAX_COUNT, &piItem.iCount) || piItem.iCount == 0)
            return 0;
    }
    bool bPointer = piItem.pButton != NULL && piItem.pButton->iKind == BK_POINTER;
    piItem.iInterval = bPointer ? POINTER_INTERVAL_MS : REPEAT_INTERVAL_MS;
    if (lpszInterval != NULL
        && (!ParseNumber(lpszInterval + 1, strlen(lpszInterval + 1), MAX_INTERVAL, &piItem.iInterval)
            || piItem.iInterval == 0))
        return 0;
    *pItem = piItem;
    return 1;
}
