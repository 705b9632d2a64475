/*
 * registry.cpp - Get and Write, the two routines through which the engine and the
 * configuration library read and store every setting and assignment: string values of keys
 * below the configuration root. Linked into both Corvalin and Brenvik, which export them
 * under the same names.
 */
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "registry.h"

static const char szRoot[] = ORVANE_ROOT_KEY;

/* Forms root\lpszTopic; FALSE when the path does not fit. */
static BOOL TopicPath(LPCSTR lpszTopic, LPSTR lpszPath, size_t cbPath)
{
    if (lpszTopic == NULL)
        return FALSE;
    int iLength = snprintf(lpszPath, cbPath, "%s\\%s", szRoot, lpszTopic);
    return iLength >= 0 && (size_t)iLength < cbPath;
}

extern "C" HKEY OpenTopicKey(LPCSTR lpszTopic)
{
    char szPath[MAX_PATH + sizeof(szRoot)];
    if (!TopicPath(lpszTopic, szPath, sizeof(szPath)))
        return NULL;
    HKEY hKey = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, szPath, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

extern "C" BOOL GetKeyValue(HKEY hKey, LPCSTR lpszSection, LPCSTR lpszDefault,
                            LPSTR lpszBuffer, int iMaxSize)
{
    if (lpszBuffer == NULL || iMaxSize <= 0)
        return FALSE;
    if (lpszDefault == NULL)
        lpszDefault = "";
    DWORD dwType = REG_NONE;
    DWORD cbData = (DWORD)iMaxSize;
    LONG lResult = RegQueryValueExA(hKey, lpszSection, NULL, &dwType, (BYTE *)lpszBuffer, &cbData);
    if (lResult == ERROR_FILE_NOT_FOUND)
        WriteKeyValue(hKey, lpszSection, lpszDefault);

    BOOL bComplete = lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ) &&
                     EndRegistryString(lpszBuffer, cbData, (DWORD)iMaxSize);
    /* Missing, too long for the buffer or not a string: the caller gets the default and
       the stored value stays as it is. */
    if (!bComplete)
        lstrcpynA(lpszBuffer, lpszDefault, iMaxSize);
    return bComplete;
}

extern "C" void WINAPI Get(LPCSTR lpszTopic, LPCSTR lpszSection, LPCSTR lpszDefault,
                           LPSTR lpszBuffer, int iMaxSize)
{
    if (lpszBuffer == NULL || iMaxSize <= 0)
        return;
    lpszBuffer[0] = '\0';
    HKEY hKey = OpenTopicKey(lpszTopic);
    if (hKey == NULL)
        return;
    GetKeyValue(hKey, lpszSection, lpszDefault, lpszBuffer, iMaxSize);
    RegCloseKey(hKey);
}

extern "C" int WINAPI Write(LPCSTR lpszTopic, LPCSTR lpszSection, LPCSTR lpszBuffer)
{
    HKEY hKey = OpenTopicKey(lpszTopic);
    if (hKey == NULL)
        return 0;
    WriteKeyValue(hKey, lpszSection, lpszBuffer);
    RegCloseKey(hKey);
    return 1;
}

extern "C" LPSTR GetWholeKeyString(HKEY hKey, LPCSTR lpszSection)
{
    DWORD dwType = REG_NONE;
    DWORD cbData = 0;
    if (RegQueryValueExA(hKey, lpszSection, NULL, &dwType, NULL, &cbData) != ERROR_SUCCESS
        || (dwType != REG_SZ && dwType != REG_EXPAND_SZ) || cbData == 0)
        return NULL;
    /* One byte more than stored: the value may come without its terminator. */
    LPSTR lpszText = (LPSTR)LocalAlloc(LPTR, cbData + 1);
    if (lpszText != NULL
        && (RegQueryValueExA(hKey, lpszSection, NULL, NULL, (BYTE *)lpszText, &cbData) != ERROR_SUCCESS
            || lpszText[0] == '\0')) {
        LocalFree(lpszText);
        lpszText = NULL;
    }
    return lpszText;
}

extern "C" LPSTR GetWholeString(LPCSTR lpszTopic, LPCSTR lpszSection)
{
    char szPath[MAX_PATH + sizeof(szRoot)];
    HKEY hKey = NULL;
    if (!TopicPath(lpszTopic, szPath, sizeof(szPath))
        || RegOpenKeyExA(HKEY_CURRENT_USER, szPath, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return NULL;
    LPSTR lpszText = GetWholeKeyString(hKey, lpszSection);
    RegCloseKey(hKey);
    return lpszText;
}
