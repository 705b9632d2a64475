/*
 * autopairs_store.cpp - the pairs of automatic modes and their switch in the registry, the
 * mode names they refer to, and the program behind a window. Whatever the registry holds,
 * a value that is no use is passed over and left as it is.
 */
#include <windows.h>
#include <stdio.h>
#include "autopairs_store.h"
#include "registry.h"
#include "store.h"

static const char szPairsKey[] = ORVANE_ROOT_KEY "\\" STORE_AUTOMODE_KEY;

void ReadModeNames(AUTOMODENAMES anModes)
{
    for (int m = 0; m < STORE_MODES; m++)
        ReadModeKey(m, anModes[m]);
}

int ReadAutoModePairs(tagAUTOMODEPAIR *pPairs, int cMax, const AUTOMODENAMES anModes)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, szPairsKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return 0;
    int cPairs = 0;
    for (DWORD dwIndex = 0; cPairs < cMax; dwIndex++) {
        tagAUTOMODEPAIR *pPair = &pPairs[cPairs];
        DWORD cchName = sizeof(pPair->szProgram), cbData = sizeof(pPair->szMode), dwType = REG_NONE;
        LONG lResult = RegEnumValueA(hKey, dwIndex, pPair->szProgram, &cchName, NULL, &dwType,
                                     (LPBYTE)pPair->szMode, &cbData);
        if (lResult == ERROR_NO_MORE_ITEMS)
            break;
        /* A name or a mode too long for its buffer comes back as ERROR_MORE_DATA. */
        if (lResult != ERROR_SUCCESS || dwType != REG_SZ
            || !EndRegistryString(pPair->szMode, cbData, sizeof(pPair->szMode)))
            continue;
        pPair->iMode = AutoModePairMode(pPair->szProgram, pPair->szMode, anModes);
        if (pPair->iMode >= 0)
            cPairs++;
    }
    RegCloseKey(hKey);
    return cPairs;
}

/* A program that can name a value of its own: the key's unnamed value is no pair. */
static BOOL IsProgramName(LPCSTR lpszProgram)
{
    return lpszProgram != NULL && lpszProgram[0] != '\0'
           && strnlen(lpszProgram, AUTOMODE_PROGRAM_SIZE) < AUTOMODE_PROGRAM_SIZE;
}

BOOL WriteAutoModePair(LPCSTR lpszProgram, LPCSTR lpszMode)
{
    HKEY hKey;
    if (!IsProgramName(lpszProgram)
        || RegCreateKeyExA(HKEY_CURRENT_USER, szPairsKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                           NULL, &hKey, NULL) != ERROR_SUCCESS)
        return FALSE;
    BOOL bWritten = RegSetValueExA(hKey, lpszProgram, 0, REG_SZ, (const BYTE *)lpszMode,
                                   (DWORD)strlen(lpszMode) + 1) == ERROR_SUCCESS;
    RegCloseKey(hKey);
    return bWritten;
}

BOOL DeleteAutoModePair(LPCSTR lpszProgram)
{
    HKEY hKey;
    if (!IsProgramName(lpszProgram)
        || RegOpenKeyExA(HKEY_CURRENT_USER, szPairsKey, 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
        return FALSE;
    BOOL bDeleted = RegDeleteValueA(hKey, lpszProgram) == ERROR_SUCCESS;
    RegCloseKey(hKey);
    return bDeleted;
}

void RenameAutoModePairs(const AUTOMODENAMES anOld, const AUTOMODENAMES anNew)
{
    /* Read first, then write: changing values while they are enumerated may skip some. */
    tagAUTOMODEPAIR apPairs[AUTOMODE_MAX_PAIRS];
    int cPairs = ReadAutoModePairs(apPairs, AUTOMODE_MAX_PAIRS, anOld);
    for (int i = 0; i < cPairs; i++) {
        const char *pszNew = RenamedAutoMode(apPairs[i].szMode, anOld, anNew);
        if (pszNew != NULL)
            WriteAutoModePair(apPairs[i].szProgram, pszNew);
    }
}

BOOL AutoModesEnabled(void)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return TRUE;
    BYTE bSwitch = 1;       /* a missing value, or one that is no byte, leaves the feature on */
    GetByteValue(hKey, AUTOMODE_SWITCH, &bSwitch);
    RegCloseKey(hKey);
    return bSwitch != 0;
}

BOOL EnableAutoModes(BOOL bEnabled)
{
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        NULL, &hKey, NULL) != ERROR_SUCCESS)
        return FALSE;
    BOOL bWritten = WriteByteValue(hKey, AUTOMODE_SWITCH, bEnabled ? 1 : 0);
    RegCloseKey(hKey);
    return bWritten;
}

/* Bound at run time: the build's headers reach back before the call came (Windows Vista);
   it names the programs of other users and elevated ones as well. */
typedef BOOL(WINAPI *IMAGENAMEPROC)(HANDLE hProcess, DWORD dwFlags, LPSTR lpszName, PDWORD pcchName);

BOOL WindowProgram(HWND hWnd, LPSTR lpszPath, DWORD cchPath)
{
    if (cchPath == 0)
        return FALSE;
    lpszPath[0] = '\0';
    HMODULE hKernel = GetModuleHandleA("kernel32.dll");
    IMAGENAMEPROC pfnImageName = hKernel != NULL
        ? (IMAGENAMEPROC)(void *)GetProcAddress(hKernel, "QueryFullProcessImageNameA") : NULL;
    DWORD dwProcess = 0;
    if (pfnImageName == NULL || hWnd == NULL || GetWindowThreadProcessId(hWnd, &dwProcess) == 0)
        return FALSE;
    HANDLE hProcess = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, dwProcess);
    if (hProcess == NULL)
        return FALSE;
    DWORD cch = cchPath;
    BOOL bNamed = pfnImageName(hProcess, 0, lpszPath, &cch);
    CloseHandle(hProcess);
    if (!bNamed)
        lpszPath[0] = '\0';
    return bNamed;
}
