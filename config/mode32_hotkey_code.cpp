/*
 * mode32_hotkey_code.cpp - the conversions between the three forms of a hot key: the value
 * being edited (Alt, Ctrl and Shift bytes and a key code, plus a following key), the
 * five-character code stored with the button (typed by the engine's hot-key routine) and
 * the text shown to people. Text and resource lists only: no window is touched, so the
 * conversions can be tested and fuzzed on their own.
 */
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "BrenvikRes.h"
#include "zendrares32.h"
#include "mode32_hotkey.h"

const tagHOTKEYMODIFIER hotKeyModifiers[HOTKEY_MODIFIERS] = {
    { 'A', 0xFF000000, IDC_HK_ALT,   "ALT-" },
    { 'C', 0x00FF0000, IDC_HK_CTRL,  "CTRL-" },
    { 'S', 0x0000FF00, IDC_HK_SHIFT, "SHIFT-" },
};

#define CODE_KEY            3       /* positions of the key and the following key */
#define CODE_FOLLOWING      4

BYTE StringToCode(LPCSTR lpszName)
{
    char szName[HOTKEY_NAME_SIZE];
    if (lpszName == NULL)
        return 0;
    /* Names of single characters carry a leading blank in the table. */
    if (lpszName[0] != '\0' && lpszName[1] == '\0')
        snprintf(szName, sizeof(szName), " %s", lpszName);
    else
        lstrcpynA(szName, lpszName, sizeof(szName));
    int iPosition = CountStringIndex(IDR_HOTKEY_NAMES, szName);
    return iPosition >= 0 ? GetIndexedValue(IDR_HOTKEY_CODES, iPosition) : 0;
}

void CodeToString(BYTE bCode, LPSTR lpszName)
{
    lpszName[0] = '\0';
    int iPosition = bCode != 0 ? CountValueIndex(IDR_HOTKEY_CODES, bCode) : -1;
    LPSTR lpszFound = iPosition >= 0 ? GetIndexedString(IDR_HOTKEY_NAMES, iPosition) : NULL;
    if (lpszFound != NULL) {
        lstrcpynA(lpszName, lpszFound, HOTKEY_NAME_SIZE);
        LocalFree(lpszFound);
    }
}

/* The byte at a position of a code; 0 past its end. */
static BYTE CodeByte(LPCSTR lpszCode, size_t iPosition)
{
    return strnlen(lpszCode, HOTKEY_CODE_SIZE - 1) > iPosition ? (BYTE)lpszCode[iPosition] : 0;
}

void HotKeyValueToCode(LONG lValue, BYTE bFollowing, LPSTR lpszCode)
{
    char szName[HOTKEY_NAME_SIZE];
    memset(lpszCode, 0, HOTKEY_CODE_SIZE);
    for (size_t i = 0; i < HOTKEY_MODIFIERS; ++i)
        lpszCode[i] = ((DWORD)lValue & hotKeyModifiers[i].dwMask) == hotKeyModifiers[i].dwMask
                    ? hotKeyModifiers[i].chLetter : '-';
    /* Only keys of the table are stored; the code ends at a missing key. */
    CodeToString(LOBYTE(lValue), szName);
    lpszCode[CODE_KEY] = (char)StringToCode(szName);
    if (lpszCode[CODE_KEY] != 0) {
        CodeToString(bFollowing, szName);
        lpszCode[CODE_FOLLOWING] = (char)StringToCode(szName);
    }
}

BOOL HotKeyCodeToValue(LPCSTR lpszCode, LONG *plValue, BYTE *pbFollowing)
{
    if (lpszCode == NULL || lpszCode[0] == '\0')
        return FALSE;
    DWORD dwValue = CodeByte(lpszCode, CODE_KEY);
    for (size_t i = 0; i < HOTKEY_MODIFIERS; ++i)
        if (CodeByte(lpszCode, i) == (BYTE)hotKeyModifiers[i].chLetter)
            dwValue |= hotKeyModifiers[i].dwMask;
    *plValue = (LONG)dwValue;
    BYTE bFollowing = CodeByte(lpszCode, CODE_FOLLOWING);
    *pbFollowing = bFollowing == ' ' ? 0 : bFollowing;
    return TRUE;
}

void HotKeyCodeToText(LPCSTR lpszCode, LPSTR lpszText, int cchText)
{
    char szName[HOTKEY_NAME_SIZE];
    lpszText[0] = '\0';
    if (lpszCode == NULL)
        return;
    for (size_t i = 0; i < HOTKEY_MODIFIERS; ++i)
        if (CodeByte(lpszCode, i) == (BYTE)hotKeyModifiers[i].chLetter)
            strncat(lpszText, hotKeyModifiers[i].lpszText, cchText - strlen(lpszText) - 1);
    CodeToString(CodeByte(lpszCode, CODE_KEY), szName);
    strncat(lpszText, szName, cchText - strlen(lpszText) - 1);
    CodeToString(CodeByte(lpszCode, CODE_FOLLOWING), szName);
    if (szName[0] != '\0') {
        strncat(lpszText, ", ", cchText - strlen(lpszText) - 1);
        strncat(lpszText, szName, cchText - strlen(lpszText) - 1);
    }
}
