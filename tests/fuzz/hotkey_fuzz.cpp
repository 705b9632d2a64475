/*
 * hotkey_fuzz.cpp - the conversions between a hot key's value, its stored code and its text
 * under coverage-guided fuzzing. The input is read as a stored code, as a key name and
 * (its first bytes) as a value with its following key:
 * - a code or value converted once is in the form the System dialog stores, which
 *   converts back to itself;
 * - a key name and its code go back and forth;
 * - the text in a shorter buffer is the start of the same text.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "mode32_hotkey.h"
#include "fuzz_support.h"

/* The code a value stores, converted to a value and stored again. */
static bool StoresItself(const char (&szCode)[HOTKEY_CODE_SIZE])
{
    LONG lValue;
    BYTE bFollowing;
    char szAgain[HOTKEY_CODE_SIZE];
    return HotKeyCodeToValue(szCode, &lValue, &bFollowing)
        && (HotKeyValueToCode(lValue, bFollowing, szAgain), memcmp(szAgain, szCode, sizeof(szAgain)) == 0);
}

static void CheckCode(const std::string &strCode)
{
    LONG lValue;
    BYTE bFollowing;
    char szCode[HOTKEY_CODE_SIZE];
    if (HotKeyCodeToValue(strCode.c_str(), &lValue, &bFollowing)) {
        HotKeyValueToCode(lValue, bFollowing, szCode);
        EXPECT_INVARIANT(StoresItself(szCode), "a stored code read once is stored as it reads", strCode);
    }
}

static void CheckValue(const uint8_t *pbData)
{
    LONG lValue;
    memcpy(&lValue, pbData, sizeof(lValue));
    char szCode[HOTKEY_CODE_SIZE];
    HotKeyValueToCode(lValue, pbData[sizeof(lValue)], szCode);
    EXPECT_INVARIANT(StoresItself(szCode), "the code of a value is stored as it reads",
                     std::string((const char *)pbData, sizeof(lValue) + 1));
}

static void CheckName(const std::string &strName, BYTE bCode)
{
    char szName[HOTKEY_NAME_SIZE];
    BYTE bNamed = StringToCode(strName.c_str());
    if (bNamed != 0) {
        CodeToString(bNamed, szName);
        EXPECT_INVARIANT(szName[0] != '\0' && StringToCode(szName) == bNamed,
                         "a key name's code names that key", strName);
    }
    CodeToString(bCode, szName);
    EXPECT_INVARIANT(szName[0] == '\0' || StringToCode(szName) == bCode, "a key code's name has that code",
                     std::string(1, (char)bCode));
}

static void CheckText(const std::string &strCode, int cchShort)
{
    char szText[HOTKEY_TEXT_SIZE];
    HotKeyCodeToText(strCode.c_str(), szText, sizeof(szText));
    char *pszShort = (char *)malloc(cchShort);
    HotKeyCodeToText(strCode.c_str(), pszShort, cchShort);
    size_t cchCut = strnlen(pszShort, cchShort);
    EXPECT_INVARIANT(cchCut < (size_t)cchShort && strncmp(pszShort, szText, cchCut) == 0
                     && (cchCut == strlen(szText) || cchCut == (size_t)cchShort - 1),
                     "a text cut to a shorter buffer is the start of the text", strCode);
    free(pszShort);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pbData, size_t cbData)
{
    std::string strText((const char *)pbData, strnlen((const char *)pbData, cbData));
    CheckCode(strText);
    CheckName(strText, cbData > 0 ? pbData[0] : 0);
    CheckText(strText, 1 + (cbData > 0 ? pbData[cbData - 1] % HOTKEY_TEXT_SIZE : 0));
    if (cbData > sizeof(LONG))
        CheckValue(pbData);
    return 0;
}
