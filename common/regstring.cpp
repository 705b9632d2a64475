/*
 * regstring.cpp - the stored forms of values in a key the caller holds open: ending a
 * string that a read returned, storing a string, and one-byte values. Apart from Get and
 * Write (registry.cpp) so that a program which takes those from a library's exports (the
 * tray program, from Corvalin) can still use them.
 */
#include <windows.h>
#include <string.h>
#include "registry.h"

extern "C" BOOL EndRegistryString(LPSTR lpszBuffer, DWORD cbData, DWORD cbBuffer)
{
    if (cbBuffer == 0)
        return FALSE;
    if (cbData > cbBuffer)
        cbData = cbBuffer;
    if (cbData > 0 && lpszBuffer[cbData - 1] == '\0')
        return TRUE;
    if (cbData < cbBuffer) {
        lpszBuffer[cbData] = '\0';
        return TRUE;
    }
    lpszBuffer[cbBuffer - 1] = '\0';
    return FALSE;
}

extern "C" BOOL WriteKeyValue(HKEY hKey, LPCSTR lpszSection, LPCSTR lpszData)
{
    if (lpszData == NULL)
        lpszData = "";
    return RegSetValueExA(hKey, lpszSection, 0, REG_SZ, (const BYTE *)lpszData,
                          (DWORD)strlen(lpszData)) == ERROR_SUCCESS;
}

extern "C" int GetByteValue(HKEY hKey, LPCSTR lpszValue, BYTE *pbValue)
{
    BYTE bData = 0;
    DWORD dwType = REG_NONE;
    DWORD cbData = sizeof(bData);
    /* A wider value does not fit and fails with ERROR_MORE_DATA: the caller keeps its own. */
    if (RegQueryValueExA(hKey, lpszValue, NULL, &dwType, &bData, &cbData) != ERROR_SUCCESS || cbData != sizeof(bData))
        return 0;
    *pbValue = bData;
    return 1;
}

extern "C" int WriteByteValue(HKEY hKey, LPCSTR lpszValue, BYTE bValue)
{
    return RegSetValueExA(hKey, lpszValue, 0, REG_BINARY, &bValue, sizeof(bValue)) == ERROR_SUCCESS;
}
