/*
 * Corvalin_zendra.cpp - ZENDRA: offers the command text to a running Dovrel
 * communications window by WM_COPYDATA; when none accepts it, runs Dovrel's command-line
 * sender from the directory its settings name. Dovrel keeps its settings as subkeys whose
 * default value holds the setting.
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "Corvalin_zendra.h"
#include "registry.h"

static const char szDovrelKey[] = "Software\\Zendra\\Dovrel(TM)";

/* Settings, with their defaults and buffer sizes. */
static const char szBurstMode[]        = "BurstMode";
static const char szBurstModeDefault[] = "0";
static const char szWorkingDir[]        = "WorkingDirectory";
static const char szWorkingDirDefault[] = "c:\\home";
#define BURST_MODE_BUFFER   10
#define WORKING_DIR_BUFFER  240

/* The senders: the normal one, and the one for burst mode. */
static const char szSender[]      = "OSTREL.EXE";
static const char szBurstSender[] = "HAVRIK.EXE";

/* Dovrel's communications windows, in the order they are offered the text. */
struct tagRECEIVER {
    LPCSTR lpszClass;
    LPCSTR lpszTitle;
};
static const tagRECEIVER aReceivers[] = {
    { "ZendraClass", "Dovrel(TM) Communications" },
    { "TAMBERLIN",   "Dovrel Communications Driver (v2.0)" },
};

void GetDovrelSetting(LPCSTR lpszSection, LPCSTR lpszDefault, LPSTR lpszBuffer, int iMaxSize)
{
    if (iMaxSize <= 0)
        return;
    lpszBuffer[0] = '\0';

    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, szDovrelKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS) {
        if (RegCreateKeyA(HKEY_CURRENT_USER, szDovrelKey, &hKey) != ERROR_SUCCESS)
            return;
        RegSetValueA(hKey, lpszSection, REG_SZ, lpszDefault, (DWORD)strlen(lpszDefault));
    }

    LONG cbValue = iMaxSize;
    LONG lResult = RegQueryValueA(hKey, lpszSection, lpszBuffer, &cbValue);
    /* The text ends where the value does, terminator or not; one that fills the buffer
       without a terminator is too long for it. */
    if (lResult == ERROR_SUCCESS && !EndRegistryString(lpszBuffer, (DWORD)cbValue, (DWORD)iMaxSize))
        lResult = ERROR_MORE_DATA;
    if (lResult != ERROR_SUCCESS || lpszBuffer[0] == '\0') {
        /* A setting too long for the buffer is kept; only a missing or empty one is set. */
        if (lResult != ERROR_MORE_DATA)
            RegSetValueA(hKey, lpszSection, REG_SZ, lpszDefault, (DWORD)strlen(lpszDefault));
        lstrcpynA(lpszBuffer, lpszDefault, iMaxSize);
    }
    RegCloseKey(hKey);
}

LPSTR FormatZendraCommand(LPCSTR lpszDirectory, LPCSTR lpszBurstMode, LPCSTR lpszMessage)
{
    LPCSTR lpszProgram = atoi(lpszBurstMode) != 0 ? szBurstSender : szSender;
    size_t cbCommand = strlen(lpszDirectory) + strlen(lpszProgram) + strlen(lpszMessage) + 3;
    LPSTR lpszCommand = (LPSTR)LocalAlloc(LPTR, cbCommand);
    if (lpszCommand != NULL)
        snprintf(lpszCommand, cbCommand, "%s\\%s %s", lpszDirectory, lpszProgram, lpszMessage);
    return lpszCommand;
}

int SendZendraMessage(HWND hWnd, LPCSTR lpszMessage)
{
    if (lpszMessage == NULL)
        lpszMessage = "";

    COPYDATASTRUCT cds;
    cds.dwData = ZENDRA_COPYDATA_CODE;
    cds.cbData = (DWORD)strlen(lpszMessage) + 1;
    cds.lpData = (PVOID)lpszMessage;

    for (const tagRECEIVER &receiver : aReceivers) {
        HWND hReceiver = FindWindowA(receiver.lpszClass, receiver.lpszTitle);
        if (hReceiver != NULL &&
            SendMessageA(hReceiver, WM_COPYDATA, (WPARAM)hWnd, (LPARAM)&cds) != 0)
            return 1;
    }

    char szBurst[BURST_MODE_BUFFER];
    char szDir[WORKING_DIR_BUFFER];
    GetDovrelSetting(szBurstMode, szBurstModeDefault, szBurst, sizeof(szBurst));
    GetDovrelSetting(szWorkingDir, szWorkingDirDefault, szDir, sizeof(szDir));
    LPSTR lpszCommand = FormatZendraCommand(szDir, szBurst, lpszMessage);
    if (lpszCommand != NULL) {
        WinExec(lpszCommand, SW_HIDE);
        LocalFree(lpszCommand);
    }
    return 1;
}
