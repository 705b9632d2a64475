/*
 * programpath.cpp - the rules by which a program named in a launch is found.
 */
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "programpath.h"
#include "registry.h"

#define APP_PATHS_KEY       "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths"

BOOL IsBareProgramName(LPCSTR lpszFile)
{
    return lpszFile != NULL && *lpszFile != '\0' && strpbrk(lpszFile, "\\/:") == NULL;
}

/* The program that "App Paths" registers for a bare name (with ".exe" added when it has
   no extension) under one hive, when that file exists. */
static BOOL FindAppPathUnder(HKEY hRoot, LPCSTR lpszFile, LPSTR lpszPath, int cchPath)
{
    char szKey[MAX_PATH];
    int cchKey = snprintf(szKey, sizeof(szKey), "%s\\%s%s", APP_PATHS_KEY, lpszFile,
                          strchr(lpszFile, '.') != NULL ? "" : ".exe");
    HKEY hKey;
    if (cchKey <= 0 || cchKey >= (int)sizeof(szKey) ||
        RegOpenKeyExA(hRoot, szKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return FALSE;
    char szData[MAX_PATH];
    DWORD dwType = 0, cbData = sizeof(szData);
    LONG lResult = RegQueryValueExA(hKey, NULL, NULL, &dwType, (LPBYTE)szData, &cbData);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ) ||
        !EndRegistryString(szData, cbData, sizeof(szData)))
        return FALSE;
    /* The path may be written in quotes and with environment variables. */
    char szExpanded[MAX_PATH];
    DWORD cchExpanded = ExpandEnvironmentStringsA(szData, szExpanded, sizeof(szExpanded));
    if (cchExpanded == 0 || cchExpanded > sizeof(szExpanded))
        return FALSE;
    LPSTR lpszStart = szExpanded;
    if (*lpszStart == '"') {
        lpszStart++;
        LPSTR lpszClose = strchr(lpszStart, '"');
        if (lpszClose != NULL)
            *lpszClose = '\0';
    }
    if (GetFileAttributesA(lpszStart) == INVALID_FILE_ATTRIBUTES || lstrlenA(lpszStart) >= cchPath)
        return FALSE;
    lstrcpyA(lpszPath, lpszStart);
    return TRUE;
}

BOOL FindAppPath(LPCSTR lpszFile, LPSTR lpszPath, int cchPath)
{
    if (cchPath <= 0)
        return FALSE;
    lpszPath[0] = '\0';
    return IsBareProgramName(lpszFile)
        && (FindAppPathUnder(HKEY_CURRENT_USER, lpszFile, lpszPath, cchPath)
            || FindAppPathUnder(HKEY_LOCAL_MACHINE, lpszFile, lpszPath, cchPath));
}
