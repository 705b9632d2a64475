/*
 * Corvalin_store.cpp - the engine's side of the assignment store: finding the command of
 * a button in the current mode, and running a command string item by item.
 */
#include <windows.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include "Corvalin.h"
#include "Corvalin_internal.h"

/* Capacities of the values that the engine reads besides the button commands. */
enum { MODE_KEY_SIZE = 20, STORED_COMMAND_SIZE = 256 };

/* Reads the name of the key that holds engine mode bMode's assignments ("" if none). */
static void GetModeKey(BYTE bMode, char (&szModeKey)[MODE_KEY_SIZE])
{
    char szModeValue[4];
    snprintf(szModeValue, sizeof(szModeValue), "%u", bMode + 1u);
    Get("Mode", szModeValue, "", szModeKey, sizeof(szModeKey));
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

/* Runs the command stored as value lpszSection of key lpszTopic, if there is one. */
void RunStoredCommand(HWND hWnd, LPCSTR lpszTopic, LPCSTR lpszSection)
{
    char szCommand[STORED_COMMAND_SIZE];
    Get(lpszTopic, lpszSection, "", szCommand, sizeof(szCommand));
    if (szCommand[0] != '\0')
        ParseFunction(hWnd, szCommand);
}

void DefaultFunction(HWND hWnd, BYTE bMode)
{
    char szModeKey[MODE_KEY_SIZE];
    GetModeKey(bMode, szModeKey);
    if (szModeKey[0] != '\0')
        RunStoredCommand(hWnd, szModeKey, "Default");
}

extern "C" void WINAPI ParseFunction(HWND hWnd, LPSTR lpszBuffer)
{
    if (lpszBuffer == NULL)
        return;
    /* The items are split in place, in a copy: the caller's string stays as it is. */
    size_t cbBuffer = strlen(lpszBuffer) + 1;
    LPSTR lpszCopy = (LPSTR)LocalAlloc(LPTR, cbBuffer);
    if (lpszCopy == NULL)
        return;
    memcpy(lpszCopy, lpszBuffer, cbBuffer);
    if (pfnCommandHook != NULL)
        pfnCommandHook(lpszBuffer);

    LPSTR lpszPosition = lpszCopy;
    tagCOMMANDITEM ciItem;
    while (NextCommandItem(&lpszPosition, &ciItem))
        if (ciItem.uiFunction != FN_NONE)
            ProcessFunction(hWnd, ciItem.uiFunction, ciItem.lpszArgument);

    LocalFree(lpszCopy);
    ProcessFunction(hWnd, FN_CLOSING, NULL);
}
