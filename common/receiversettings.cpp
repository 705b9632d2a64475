/*
 * receiversettings.cpp - the receiver's other sources in the registry. Only the registry's
 * own calls and the open-key routines of regstring.cpp: the tray program, which takes Get
 * and Write from the engine's exports, links this file too.
 */
#include <windows.h>
#include <string.h>
#include "receiversettings.h"
#include "registry.h"

/* A string value of an open key, whole and ended; FALSE when missing, not a string or too
   long for the buffer. */
static BOOL ReadString(HKEY hKey, LPCSTR lpszValue, LPSTR lpszBuffer, DWORD cbBuffer)
{
    DWORD dwType = REG_NONE, cbData = cbBuffer;
    return RegQueryValueExA(hKey, lpszValue, NULL, &dwType, (BYTE *)lpszBuffer, &cbData) == ERROR_SUCCESS
           && dwType == REG_SZ && EndRegistryString(lpszBuffer, cbData, cbBuffer);
}

static BOOL ReadSwitch(HKEY hKey, LPCSTR lpszValue)
{
    char szValue[4];
    return ReadString(hKey, lpszValue, szValue, sizeof(szValue)) && strcmp(szValue, "1") == 0;
}

void ReadReceiverSettings(tagRECEIVERSETTINGS *prs)
{
    *prs = {};
    lstrcpynA(prs->szServer, LIRC_DEFAULT_SERVER, sizeof(prs->szServer));
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    prs->bLirc = ReadSwitch(hKey, VALUE_LIRC_SOURCE);
    prs->bKeys = ReadSwitch(hKey, VALUE_KEY_SOURCE);
    if (!ReadString(hKey, VALUE_LIRC_SERVER, prs->szServer, sizeof(prs->szServer)))
        lstrcpynA(prs->szServer, LIRC_DEFAULT_SERVER, sizeof(prs->szServer));
    RegCloseKey(hKey);
}

BOOL SaveReceiverSettings(const tagRECEIVERSETTINGS *prs)
{
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        NULL, &hKey, NULL) != ERROR_SUCCESS)
        return FALSE;
    BOOL bSaved = WriteKeyValue(hKey, VALUE_LIRC_SOURCE, prs->bLirc ? "1" : "0")
                  && WriteKeyValue(hKey, VALUE_KEY_SOURCE, prs->bKeys ? "1" : "0")
                  && WriteKeyValue(hKey, VALUE_LIRC_SERVER, prs->szServer);
    RegCloseKey(hKey);
    return bSaved;
}

/* Every usable entry of the open map key. */
static void ReadMapValues(HKEY hKey, tagRECEIVERMAP *prm)
{
    prm->iCount = 0;
    for (DWORD dwIndex = 0;; dwIndex++) {
        char szName[MAP_NAME_SIZE], szButton[16];
        DWORD cchName = sizeof(szName), cbButton = sizeof(szButton), dwType = REG_NONE;
        LONG lResult = RegEnumValueA(hKey, dwIndex, szName, &cchName, NULL, &dwType, (BYTE *)szButton, &cbButton);
        if (lResult == ERROR_NO_MORE_ITEMS)
            break;
        /* A name or button too long for an entry, or a value of another type, is no entry. */
        if (lResult != ERROR_SUCCESS || dwType != REG_SZ || !EndRegistryString(szButton, cbButton, sizeof(szButton)))
            continue;
        SetMapEntry(prm, szName, FindReceiverButton(szButton));
    }
}

/* Stores every entry into the open map key. */
static BOOL WriteMapValues(HKEY hKey, const tagRECEIVERMAP *prm)
{
    BOOL bSaved = TRUE;
    for (int i = 0; i < prm->iCount; i++) {
        const char *pszButton = ReceiverButtonName(prm->ameEntries[i].bRaw);
        bSaved = pszButton != NULL && WriteKeyValue(hKey, prm->ameEntries[i].szName, pszButton) && bSaved;
    }
    return bSaved;
}

void ReadReceiverMap(tagRECEIVERMAP *prm)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RECEIVER_MAP_KEY, 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
        ReadMapValues(hKey, prm);
        RegCloseKey(hKey);
        return;
    }
    DefaultReceiverMap(prm);
    SaveReceiverMap(prm);
}

BOOL SaveReceiverMap(const tagRECEIVERMAP *prm)
{
    /* The key holds nothing but the map: it is made afresh. */
    RegDeleteKeyA(HKEY_CURRENT_USER, RECEIVER_MAP_KEY);
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, RECEIVER_MAP_KEY, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                        &hKey, NULL) != ERROR_SUCCESS)
        return FALSE;
    BOOL bSaved = WriteMapValues(hKey, prm);
    RegCloseKey(hKey);
    return bSaved;
}
