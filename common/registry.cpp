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

/* Opens root\lpszTopic with full access, creating it when it does not exist yet;
   *pbCreated tells which. Null when the key can be neither opened nor created. */
static HKEY OpenTopic(LPCSTR lpszTopic, BOOL *pbCreated)
{
    if (lpszTopic == NULL)
        return NULL;
    char szPath[MAX_PATH + sizeof(szRoot)];
    int iLength = snprintf(szPath, sizeof(szPath), "%s\\%s", szRoot, lpszTopic);
    if (iLength < 0 || iLength >= (int)sizeof(szPath))
        return NULL;

    HKEY hKey = NULL;
    *pbCreated = FALSE;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, szPath, 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS)
        return hKey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, szPath, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return NULL;
    *pbCreated = TRUE;
    return hKey;
}

static void SetStringValue(HKEY hKey, LPCSTR lpszSection, LPCSTR lpszData)
{
    RegSetValueExA(hKey, lpszSection, 0, REG_SZ, (const BYTE *)lpszData, (DWORD)strlen(lpszData));
}

extern "C" void WINAPI Get(LPCSTR lpszTopic, LPCSTR lpszSection, LPCSTR lpszDefault,
                           LPSTR lpszBuffer, int iMaxSize)
{
    if (lpszBuffer == NULL || iMaxSize <= 0)
        return;
    lpszBuffer[0] = '\0';
    if (lpszDefault == NULL)
        lpszDefault = "";

    BOOL bCreated;
    HKEY hKey = OpenTopic(lpszTopic, &bCreated);
    if (hKey == NULL)
        return;
    if (bCreated)
        SetStringValue(hKey, lpszSection, lpszDefault);

    DWORD dwType = REG_NONE;
    DWORD cbData = (DWORD)iMaxSize;
    LONG lResult = RegQueryValueExA(hKey, lpszSection, NULL, &dwType, (BYTE *)lpszBuffer, &cbData);
    if (lResult == ERROR_FILE_NOT_FOUND)
        SetStringValue(hKey, lpszSection, lpszDefault);

    /* A stored string may come without its terminator; one that fills the buffer
       completely has no room for it and counts as too long. */
    BOOL bComplete = FALSE;
    if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
        if (cbData > 0 && lpszBuffer[cbData - 1] == '\0') {
            bComplete = TRUE;
        } else if (cbData < (DWORD)iMaxSize) {
            lpszBuffer[cbData] = '\0';
            bComplete = TRUE;
        }
    }
    /* Missing, too long for the buffer or not a string: the caller gets the default and
       the stored value stays as it is. */
    if (!bComplete)
        lstrcpynA(lpszBuffer, lpszDefault, iMaxSize);
    RegCloseKey(hKey);
}

extern "C" int WINAPI Write(LPCSTR lpszTopic, LPCSTR lpszSection, LPCSTR lpszBuffer)
{
    BOOL bCreated;
    HKEY hKey = OpenTopic(lpszTopic, &bCreated);
    if (hKey == NULL)
        return 0;
    SetStringValue(hKey, lpszSection, lpszBuffer != NULL ? lpszBuffer : "");
    RegCloseKey(hKey);
    return 1;
}
