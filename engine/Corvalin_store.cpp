/*
 * Corvalin_store.cpp - the engine's side of the assignment store: where the command of a
 * button in the current mode lies, and reading stored commands. It only reads; running
 * what it reads is the dispatcher's business.
 */
#include <windows.h>
#include <limits.h>
#include <stdio.h>
#include "Corvalin.h"
#include "Corvalin_internal.h"

void GetModeKey(BYTE bMode, char (&szModeKey)[MODE_KEY_SIZE])
{
    char szModeValue[4];
    snprintf(szModeValue, sizeof(szModeValue), "%u", bMode + 1u);
    Get("Mode", szModeValue, "", szModeKey, sizeof(szModeKey));
}

void ReadStoredCommand(LPCSTR lpszTopic, LPCSTR lpszSection, char (&szCommand)[STORED_COMMAND_SIZE])
{
    Get(lpszTopic, lpszSection, "", szCommand, sizeof(szCommand));
}

extern "C" int WINAPI LookUpCode(BYTE bMode, BYTE bScanCode, LPSTR lpszFunction, UINT uiBufferSize)
{
    if (lpszFunction == NULL || uiBufferSize == 0)
        return 0;
    lpszFunction[0] = '\0';

    char szModeKey[MODE_KEY_SIZE];
    GetModeKey(bMode, szModeKey);
    if (szModeKey[0] == '\0')
        return 0;

    char szCode[4];
    snprintf(szCode, sizeof(szCode), "%u", bScanCode);
    Get(szModeKey, szCode, "", lpszFunction, uiBufferSize > INT_MAX ? INT_MAX : (int)uiBufferSize);
    return lpszFunction[0] != '\0';
}
