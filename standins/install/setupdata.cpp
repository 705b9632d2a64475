/*
 * setupdata.cpp - reads lines of the installation data file and the values they hold.
 */
#include "setupdata.h"
#include <string.h>

static LPSTR Trim(LPSTR lpszText)
{
    while (*lpszText == ' ' || *lpszText == '\t')
        lpszText++;
    size_t cch = strlen(lpszText);
    while (cch > 0 && strchr(" \t\r\n", lpszText[cch - 1]) != NULL)
        lpszText[--cch] = '\0';
    return lpszText;
}

int ParseDataLine(LPSTR lpszLine, LPSTR *plpszName, LPSTR *plpszValue)
{
    LPSTR lpszText = Trim(lpszLine);
    *plpszName = *plpszValue = NULL;
    if (*lpszText == '\0' || *lpszText == ';')
        return LK_NOTHING;
    if (*lpszText == '[') {
        LPSTR lpszEnd = strchr(lpszText, ']');
        if (lpszEnd == NULL || lpszEnd[1] != '\0')
            return LK_BAD;
        *lpszEnd = '\0';
        *plpszName = Trim(lpszText + 1);
        return **plpszName != '\0' ? LK_SECTION : LK_BAD;
    }
    LPSTR lpszEqual = strchr(lpszText, '=');
    if (lpszEqual == NULL)
        return LK_BAD;
    *lpszEqual = '\0';
    *plpszName = Trim(lpszText);
    *plpszValue = Trim(lpszEqual + 1);
    return **plpszName != '\0' ? LK_VALUE : LK_BAD;
}

static int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

/* Two hexadecimal digits at lpsz as a byte, or -1. */
static int HexByte(LPCSTR lpsz)
{
    int iHigh = HexDigit(lpsz[0]);
    int iLow = iHigh < 0 ? -1 : HexDigit(lpsz[1]);
    return iLow < 0 ? -1 : iHigh * 16 + iLow;
}

int DecodeDataValue(LPCSTR lpszValue, LPBYTE lpbData, DWORD cbData, DWORD *pcbUsed, DWORD *pdwType)
{
    DWORD cbUsed = 0;
    if (cbData == 0)
        return 0;
    if (strncmp(lpszValue, "hex:", 4) == 0) {
        for (LPCSTR lpsz = lpszValue + 4; *lpsz != '\0';) {
            if (*lpsz == ' ') {
                lpsz++;
                continue;
            }
            int iByte = HexByte(lpsz);
            if (iByte < 0 || cbUsed == cbData)
                return 0;
            lpbData[cbUsed++] = (BYTE)iByte;
            lpsz += 2;
        }
        *pdwType = REG_BINARY;
    } else {
        for (LPCSTR lpsz = lpszValue; *lpsz != '\0';) {
            int iByte = lpsz[0] == '\\' && lpsz[1] == 'x' ? HexByte(lpsz + 2) : -1;
            if (cbUsed + 1 >= cbData)
                return 0;
            lpbData[cbUsed++] = iByte >= 0 ? (BYTE)iByte : (BYTE)*lpsz;
            lpsz += iByte >= 0 ? 4 : 1;
        }
        lpbData[cbUsed++] = '\0';
        *pdwType = REG_SZ;
    }
    *pcbUsed = cbUsed;
    return 1;
}

int SectionKind(LPCSTR lpszSection)
{
    if (lstrcmpiA(lpszSection, STORE_MODE_KEY) == 0)
        return SK_MODES;
    if (lstrcmpiA(lpszSection, STORE_TRANSLATION_KEY) == 0)
        return SK_TABLE;
    return lstrcmpiA(lpszSection, ORVANE_SETTINGS) == 0 ? SK_SETTINGS : SK_ASSIGNMENTS;
}

int DataModeIndex(LPCSTR lpszName)
{
    return lpszName[0] >= '1' && lpszName[0] < '1' + STORE_MODES && lpszName[1] == '\0' ? lpszName[0] - '1' : -1;
}

int UsableTableValue(int iKind, LPCSTR lpszValue)
{
    if (lpszValue[0] == '\0')
        return 0;
    if (iKind != SK_MODES)
        return 1;
    /* STORE_NOMODE_KEY holds the mode-independent buttons, not a mode's. */
    return strlen(lpszValue) < STORE_MODE_KEY_SIZE && strchr(lpszValue, '\\') == NULL
           && SectionKind(lpszValue) == SK_ASSIGNMENTS && lstrcmpiA(lpszValue, STORE_NOMODE_KEY) != 0;
}
