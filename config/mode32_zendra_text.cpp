/*
 * mode32_zendra_text.cpp - the text of a home-automation command: its parsed form
 * (tagMACROINFO) read from a stored command, and the stored command or the dialog's
 * preview built from it. Text and resource lists only: no window is touched, so reading
 * and building can be tested and fuzzed on their own.
 */
#include <windows.h>
#include <ctype.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "zendrares32.h"
#include "mode32_zendra.h"

#define BRIGHTEN_FIRST      0x80    /* "Dim" with this bit: brighten first, then dim */

int FunctionPosition(LPCSTR lpszFunction)
{
    return lpszFunction != NULL ? CompareStringsRC(lpszFunction, IDR_ZENDRA_FUNCTIONS) : 0;
}

int BrightnessFunction(LPCSTR lpszFunction)
{
    int iPosition = FunctionPosition(lpszFunction);
    return iPosition >= ZF_DIM && iPosition <= ZF_BRIGHTEN_FIRST;
}

int WholeHouseFunction(LPCSTR lpszFunction)
{
    int iPosition = FunctionPosition(lpszFunction);
    return iPosition == ZF_ALL_LIGHTS_ON || iPosition == ZF_ALL_UNITS_OFF;
}

int CheckStrings(LPCSTR lpszText, LPCSTR lpszStart, int iLength)
{
    return lpszText != NULL && lpszStart != NULL && _strnicmp(lpszText, lpszStart, iLength) == 0;
}

/* Rewrites an extended code as the value of its leading hexadecimal digits (at most four):
   bFlag 0 without leading zeros, 1 as four digits. */
void IsInRange(LPSTR lpszCode, int bFlag)
{
    unsigned int uValue = 0;
    for (int i = 0; i < CODE_DIGITS && isxdigit((unsigned char)lpszCode[i]); i++) {
        int c = tolower((unsigned char)lpszCode[i]);
        uValue = uValue * 16 + (unsigned int)(isdigit(c) ? c - '0' : c - 'a' + 10);
    }
    snprintf(lpszCode, CODE_BUFFER, bFlag ? "%04x" : "%x", uValue);
}

/* A percentage typed as a person would: 0 to 100 without leading zeros or other characters. */
int AcceptPercentage(LPCSTR lpszText, int *piValue)
{
    size_t cchText = strlen(lpszText);
    if (cchText == 0 || cchText > 3 || (cchText > 1 && lpszText[0] == '0'))
        return 0;
    for (size_t i = 0; i < cchText; i++)
        if (!isdigit((unsigned char)lpszText[i]))
            return 0;
    int iValue = atoi(lpszText);
    if (iValue > PERCENT_MAX)
        return 0;
    *piValue = iValue;
    return 1;
}

/* Appends to a bounded text; 0 (and the text cut) when it does not fit. */
static int Append(LPSTR lpszOut, int iSize, LPCSTR lpszFormat, ...)
{
    size_t cchUsed = strlen(lpszOut);
    va_list args;
    va_start(args, lpszFormat);
    int iWritten = vsnprintf(lpszOut + cchUsed, iSize - cchUsed, lpszFormat, args);
    va_end(args);
    return iWritten >= 0 && cchUsed + iWritten < (size_t)iSize;
}

void LoadName(UINT uiID, LPSTR lpszName)
{
    if (LoadStringA(hInstance, uiID, lpszName, NAME_SIZE) == 0)
        lpszName[0] = '\0';
}

/* Targets: the house code, or each unit with the house code in front ("A1,A3"). */
int FormatTargets(LPCSTR lpszHouseCode, const int *piUnits, int iUnits, LPSTR lpszOut, int iSize)
{
    lpszOut[0] = '\0';
    LPCSTR lpszHouse = lpszHouseCode != NULL ? lpszHouseCode : "";
    if (iUnits == 0)
        return Append(lpszOut, iSize, "%s", lpszHouse);
    for (int i = 0; i < iUnits; i++)
        if (!Append(lpszOut, iSize, i == 0 ? "%s%d" : ",%s%d", lpszHouse, piUnits[i]))
            return 0;
    return 1;
}

int FormatHouseCode(const tagMACROINFO *pmiMacro, int bStored, LPSTR lpszOut, int iSize)
{
    if (iSize <= 0)
        return 0;
    lpszOut[0] = '\0';
    LPCSTR lpszFunction = pmiMacro->lpszFunction != NULL ? pmiMacro->lpszFunction : "";
    /* A command for the whole house code takes no units; every other one needs some. */
    BOOL bWholeHouse = pmiMacro->bMacroCommand && WholeHouseFunction(lpszFunction);
    int iUnits = bWholeHouse ? 0 : pmiMacro->iNumDevice;
    if ((iUnits == 0 && !bWholeHouse) || (pmiMacro->bMacroCommand && *lpszFunction == '\0') ||
        pmiMacro->lpszHouseCode == NULL || *pmiMacro->lpszHouseCode == '\0')
        return 0;
    char szName[NAME_SIZE];
    int bFits = 1;
    if (!pmiMacro->bMacroCommand) {
        if (bStored) {
            LoadName(IDS_MACRO, szName);
            bFits = Append(lpszOut, iSize, "%s ", szName);
        }
        char szTargets[PREVIEW_SIZE];
        LoadName(pmiMacro->bOnOff ? IDS_ON : IDS_OFF, szName);
        bFits = bFits && FormatTargets(pmiMacro->lpszHouseCode, pmiMacro->iDeviceCode, iUnits,
                                       szTargets, sizeof(szTargets))
                && Append(lpszOut, iSize, "%s %s", szTargets, szName);
    } else {
        bFits = FormatTargets(pmiMacro->lpszHouseCode, pmiMacro->iDeviceCode, iUnits, lpszOut, iSize);
        int iPosition = FunctionPosition(lpszFunction);
        if (iPosition == ZF_BRIGHTEN_FIRST && bStored) {
            LoadName(IDS_DIM, szName);
            bFits = bFits && Append(lpszOut, iSize, " %s %d%%", szName, pmiMacro->iValue + BRIGHTEN_FIRST);
        } else if (iPosition >= ZF_DIM && iPosition <= ZF_BRIGHTEN_FIRST) {
            bFits = bFits && Append(lpszOut, iSize, " %s %d%%", lpszFunction, pmiMacro->iValue);
        } else if (iPosition == ZF_EXTENDED_CODE) {
            /* The preview shows the code as it is stored, whatever was typed. */
            char szCode[CODE_BUFFER] = "";
            if (pmiMacro->lpszCode != NULL)
                lstrcpynA(szCode, pmiMacro->lpszCode, sizeof(szCode));
            IsInRange(szCode, 1);
            bFits = bFits && Append(lpszOut, iSize, " %s %s", lpszFunction, szCode);
        } else {
            bFits = bFits && Append(lpszOut, iSize, " %s", lpszFunction);
        }
    }
    if (!bFits)
        lpszOut[0] = '\0';
    return bFits;
}

void ClearUpMacroStruct(tagMACROINFO *pmiMacro)
{
    LocalFree(pmiMacro->lpszHouseCode);
    LocalFree(pmiMacro->lpszFunction);
    LocalFree(pmiMacro->lpszCode);
    *pmiMacro = {};
}

static LPCSTR SkipSpaces(LPCSTR lpsz)
{
    while (*lpsz == ' ')
        lpsz++;
    return lpsz;
}

static LPCSTR SkipDigits(LPCSTR lpsz, int iMost)
{
    for (int i = 0; i < iMost && isdigit((unsigned char)*lpsz); i++)
        lpsz++;
    return lpsz;
}

/* The unit written from lpsz up to lpszEnd: 1 to 16 in at most two digits, else 0. */
static int UnitNumber(LPCSTR lpsz, LPCSTR lpszEnd)
{
    int iUnit = lpszEnd - lpsz == 1 || lpszEnd - lpsz == 2 ? atoi(lpsz) : 0;
    return iUnit >= 1 && iUnit <= MACRO_UNITS ? iUnit : 0;
}

/* Whether a character names a house code, "A" to "P" in either case. */
static BOOL IsHouseLetter(char ch)
{
    return toupper((unsigned char)ch) >= 'A' && toupper((unsigned char)ch) <= 'P';
}

static LPSTR CopyLetter(char cLetter)
{
    char szLetter[2] = { cLetter, '\0' };
    return CopyToLocal(szLetter);
}

/* Does the text contain the name, ignoring case? */
static BOOL ContainsName(LPCSTR lpszText, LPCSTR lpszName)
{
    size_t cchName = strlen(lpszName);
    for (; *lpszText != '\0'; lpszText++)
        if (_strnicmp(lpszText, lpszName, cchName) == 0)
            return TRUE;
    return FALSE;
}

/* The longest function name the text begins with ("Dim To" rather than "Dim"), or 0. */
static BYTE MatchFunction(LPCSTR lpszText)
{
    BYTE bFound = 0;
    size_t cchFound = 0;
    for (BYTE b = ZF_ON; b <= ZF_STATUS_REQUEST; b++) {
        LPSTR lpszName = FunctionNameRC(IDR_ZENDRA_FUNCTIONS, b);
        size_t cchName = lpszName != NULL ? strlen(lpszName) : 0;
        if (cchName > cchFound && _strnicmp(lpszText, lpszName, cchName) == 0) {
            bFound = b;
            cchFound = cchName;
        }
        LocalFree(lpszName);
    }
    return bFound;
}

static void ParseMacroForm(LPCSTR lpsz, tagMACROINFO *pmiMacro)
{
    pmiMacro->bMacroCommand = 0;
    lpsz = SkipSpaces(lpsz);
    /* Any other character is no house code: the command stays one the dialog cannot write. */
    if (IsHouseLetter(*lpsz)) {
        pmiMacro->lpszHouseCode = CopyLetter(*lpsz++);
        LPCSTR lpszAfter = SkipDigits(lpsz, INT_MAX);
        pmiMacro->iDeviceCode[0] = UnitNumber(lpsz, lpszAfter);
        pmiMacro->iNumDevice = pmiMacro->iDeviceCode[0] != 0;
        lpsz = SkipSpaces(lpszAfter);
    }
    char szOn[NAME_SIZE];
    LoadName(IDS_ON, szOn);
    pmiMacro->bOnOff = lstrcmpiA(lpsz, szOn) == 0;
}

static void ParseCommandForm(LPCSTR lpsz, tagMACROINFO *pmiMacro)
{
    char szExtended[NAME_SIZE];
    LoadName(IDS_EXTENDED_CODE, szExtended);
    pmiMacro->bMacroCommand = 1;
    for (;;) {
        while (*lpsz != '\0' && !IsHouseLetter(*lpsz))
            lpsz++;
        if (*lpsz == '\0')
            break;
        LocalFree(pmiMacro->lpszHouseCode);
        pmiMacro->lpszHouseCode = CopyLetter(*lpsz++);
        LPCSTR lpszAfter = SkipDigits(lpsz, INT_MAX);
        int iUnit = UnitNumber(lpsz, lpszAfter);
        /* Units that do not exist, and units beyond what the record holds, are dropped. */
        if (iUnit != 0 && pmiMacro->iNumDevice < MACRO_UNITS)
            pmiMacro->iDeviceCode[pmiMacro->iNumDevice++] = iUnit;
        if (ContainsName(lpszAfter > lpsz ? lpszAfter - 1 : lpsz, szExtended))
            break;
        lpsz = lpszAfter;
        if (*lpsz != ',')
            break;
    }
    while (*lpsz != '\0' && !isalpha((unsigned char)*lpsz))
        lpsz++;
    BYTE bFunction = MatchFunction(lpsz);
    if (bFunction == 0)
        return;
    pmiMacro->lpszFunction = FunctionNameRC(IDR_ZENDRA_FUNCTIONS, bFunction);
    LPCSTR lpszRest = lpsz + strlen(pmiMacro->lpszFunction);
    if (bFunction == ZF_DIM || bFunction == ZF_DIM_TO || bFunction == ZF_BRIGHT) {
        int iValue = atoi(lpszRest);
        if (iValue & BRIGHTEN_FIRST) {
            iValue &= BRIGHTEN_FIRST - 1;
            LocalFree(pmiMacro->lpszFunction);
            pmiMacro->lpszFunction = FunctionNameRC(IDR_ZENDRA_FUNCTIONS, ZF_BRIGHTEN_FIRST);
        }
        /* A stored value outside the percentages would never be accepted by the box. */
        pmiMacro->iValue = iValue < 0 ? 0 : iValue > PERCENT_MAX ? PERCENT_MAX : iValue;
    } else if (bFunction == ZF_EXTENDED_CODE) {
        pmiMacro->lpszCode = CopyToLocal(SkipSpaces(lpszRest));
    }
}

void CreateMacroStruct(LPCSTR lpszCommand, tagMACROINFO *pmiMacro)
{
    if (lpszCommand == NULL || *lpszCommand == '\0')
        return;
    char szMacro[NAME_SIZE];
    LoadName(IDS_MACRO, szMacro);
    if (CheckStrings(lpszCommand, szMacro, 5))
        ParseMacroForm(lpszCommand + 5, pmiMacro);
    else
        ParseCommandForm(lpszCommand, pmiMacro);
}

int IsHouseCodeAsWritten(LPCSTR lpszCommand)
{
    tagMACROINFO miRead = {};
    CreateMacroStruct(lpszCommand, &miRead);
    char szWritten[PREVIEW_SIZE];
    int bWritten = FormatHouseCode(&miRead, 1, szWritten, sizeof(szWritten))
                && strcmp(szWritten, lpszCommand) == 0;
    ClearUpMacroStruct(&miRead);
    return bWritten;
}

void DescribeStoredCommand(LPCSTR lpszCommand, LPSTR lpszOut, int iSize)
{
    size_t cchCommand = strlen(lpszCommand);
    int iValue = cchCommand > 0 && lpszCommand[cchCommand - 1] == '%'
               ? atoi(lpszCommand + (cchCommand > 4 ? cchCommand - 4 : 0)) : 0;
    if (!(iValue & BRIGHTEN_FIRST)) {
        lstrcpynA(lpszOut, lpszCommand, iSize);
        return;
    }
    size_t cchTargets = strcspn(lpszCommand, " ");
    LPSTR lpszName = FunctionNameRC(IDR_ZENDRA_FUNCTIONS, ZF_BRIGHTEN_FIRST);
    snprintf(lpszOut, iSize, "%.*s %s %d%%", (int)cchTargets, lpszCommand,
             lpszName != NULL ? lpszName : "", iValue & (BRIGHTEN_FIRST - 1));
    LocalFree(lpszName);
}
