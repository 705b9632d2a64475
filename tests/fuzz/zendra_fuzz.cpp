/*
 * zendra_fuzz.cpp - the home-automation command reader and builder under coverage-guided
 * fuzzing. The input is read as a stored command:
 * - what the reader takes from any text keeps to the grammar: a house code "A" to "P",
 *   units 1 to 16, a function of the list, a percentage 0 to 100;
 * - the command built from what was read reads back as the same command and builds the
 *   same text again (an extended code compared by its value);
 * - built into a buffer of any size (the input's last byte), a command fits whole or
 *   leaves the buffer empty, and the preview and the description of a stored command stay
 *   inside theirs.
 */
#include <ctype.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "mode32_zendra.h"
#include "fuzz_support.h"

static bool KeepsToGrammar(const tagMACROINFO &mi)
{
    LPCSTR lpszHouse = mi.lpszHouseCode;
    if (lpszHouse != NULL && (lpszHouse[0] == '\0' || lpszHouse[1] != '\0' || toupper((unsigned char)lpszHouse[0]) < 'A'
                              || toupper((unsigned char)lpszHouse[0]) > 'P'))
        return false;
    if (mi.iNumDevice < 0 || mi.iNumDevice > MACRO_UNITS)
        return false;
    for (int i = 0; i < mi.iNumDevice; i++)
        if (mi.iDeviceCode[i] < 1 || mi.iDeviceCode[i] > MACRO_UNITS)
            return false;
    return (mi.lpszFunction == NULL || FunctionPosition(mi.lpszFunction) != 0)
        && mi.iValue >= 0 && mi.iValue <= PERCENT_MAX;
}

static bool SameText(LPCSTR lpsz1, LPCSTR lpsz2)
{
    return strcmp(lpsz1 != NULL ? lpsz1 : "", lpsz2 != NULL ? lpsz2 : "") == 0;
}

/* An extended code as the builder stores it. */
static std::string StoredCode(LPCSTR lpszCode)
{
    char szCode[CODE_BUFFER] = "";
    if (lpszCode != NULL)
        lstrcpynA(szCode, lpszCode, sizeof(szCode));
    IsInRange(szCode, 1);
    return szCode;
}

/* The same command; a function for the whole house code takes no units. */
static bool SameCommand(const tagMACROINFO &mi1, const tagMACROINFO &mi2)
{
    bool bWholeHouse = mi1.bMacroCommand && WholeHouseFunction(mi1.lpszFunction);
    return mi1.bMacroCommand == mi2.bMacroCommand && mi1.bOnOff == mi2.bOnOff && mi1.iValue == mi2.iValue
        && SameText(mi1.lpszHouseCode, mi2.lpszHouseCode) && SameText(mi1.lpszFunction, mi2.lpszFunction)
        && StoredCode(mi1.lpszCode) == StoredCode(mi2.lpszCode)
        && (bWholeHouse || (mi1.iNumDevice == mi2.iNumDevice
                            && memcmp(mi1.iDeviceCode, mi2.iDeviceCode, sizeof(mi1.iDeviceCode)) == 0));
}

static std::string Built(const tagMACROINFO &mi, int bStored)
{
    char szText[PREVIEW_SIZE];
    FormatHouseCode(&mi, bStored, szText, sizeof(szText));
    return szText;
}

/* Builds into a buffer of exactly iSize bytes. */
static void CheckBuffer(const tagMACROINFO &mi, int bStored, int iSize, const std::string &strStored)
{
    char *pszText = (char *)malloc(iSize);
    int iBuilt = FormatHouseCode(&mi, bStored, pszText, iSize);
    std::string strWhole = Built(mi, bStored);
    EXPECT_INVARIANT(iBuilt ? strWhole == pszText : pszText[0] == '\0',
                     "a command fits whole or leaves the buffer empty", strStored);
    free(pszText);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pbData, size_t cbData)
{
    std::string strStored((const char *)pbData, strnlen((const char *)pbData, cbData));
    tagMACROINFO miRead = {};
    CreateMacroStruct(strStored.c_str(), &miRead);
    EXPECT_INVARIANT(KeepsToGrammar(miRead), "what is read keeps to the grammar", strStored);

    std::string strBuilt = Built(miRead, 1);
    if (!strBuilt.empty()) {
        tagMACROINFO miAgain = {};
        CreateMacroStruct(strBuilt.c_str(), &miAgain);
        EXPECT_INVARIANT(SameCommand(miRead, miAgain) && Built(miAgain, 1) == strBuilt,
                         "a built command reads back as the command it was built from", strStored);
        ClearUpMacroStruct(&miAgain);
    }

    int iSize = 1 + (cbData > 0 ? pbData[cbData - 1] % PREVIEW_SIZE : 0);
    CheckBuffer(miRead, 1, iSize, strStored);
    CheckBuffer(miRead, 0, iSize, strStored);
    char *pszShown = (char *)malloc(iSize);
    DescribeStoredCommand(strStored.c_str(), pszShown, iSize);
    EXPECT_INVARIANT(strnlen(pszShown, iSize) < (size_t)iSize, "a description fits its buffer", strStored);
    free(pszShown);
    ClearUpMacroStruct(&miRead);
    return 0;
}
