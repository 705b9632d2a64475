/*
 * profile32.cpp - assignment profiles: the picture of the remote's window menu saves every
 * assignment (all button values, the mode names, the translation of the remote's codes and
 * the map of the receiver's other sources) to a plain-text file and loads one back. A save
 * writes the new file completely before it takes the old one's place. A load reads and
 * checks the whole file first, says how much it would change and replaces only after the
 * user agrees: the keys the profile holds then hold exactly its values, whatever they held
 * before. A file that is not a sound profile is
 * refused, naming its line, and nothing changes. The per-machine settings (installation
 * directory, cursor, which sources are on, the LIRC server and the switch of the automatic
 * modes) never travel; the automatic modes' pairs do: a profile that carries them replaces
 * the stored ones, and a profile without them keeps them, under the new names of renamed
 * modes.
 */
#include <windows.h>
#include <commdlg.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "but32.h"
#include "profile32.h"
#include "profile32_format.h"
#include "autopairs_store.h"
#include "registry.h"

#define MESSAGE_SIZE 1024

static const char szModeKey[] = STORE_MODE_KEY;
static const char szTranslationKey[] = STORE_TRANSLATION_KEY;
static const char szDefaultKey[] = STORE_NOMODE_KEY;

/* ---- The registry side ----------------------------------------------------------------- */

/* Opens root\lpszKey as it stands (nothing is created); FALSE when it is not there. */
static BOOL OpenStoredKey(LPCSTR lpszKey, REGSAM samAccess, HKEY *phKey)
{
    char szPath[sizeof(ORVANE_ROOT_KEY) + PROFILE_KEY_SIZE + 1];
    snprintf(szPath, sizeof(szPath), "%s\\%s", ORVANE_ROOT_KEY, lpszKey);
    return RegOpenKeyExA(HKEY_CURRENT_USER, szPath, 0, samAccess, phKey) == ERROR_SUCCESS;
}

/* The string value lpszName of root\lpszKey, exactly as stored; FALSE when it is missing, not
   a string or longer than cbValue allows. */
static BOOL ReadStoredString(LPCSTR lpszKey, LPCSTR lpszName, LPSTR lpszValue, DWORD cbValue)
{
    HKEY hKey;
    lpszValue[0] = '\0';
    if (!OpenStoredKey(lpszKey, KEY_READ, &hKey))
        return FALSE;
    DWORD dwType = REG_NONE, cbData = cbValue - 1;
    LONG lResult = RegQueryValueExA(hKey, lpszName, NULL, &dwType, (LPBYTE)lpszValue, &cbData);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ) {
        lpszValue[0] = '\0';
        return FALSE;
    }
    lpszValue[cbData] = '\0';     /* a stored string need not end in NUL */
    return TRUE;
}

static BOOL AddValue(tagPROFILE *pp, LPCSTR lpszKey, LPCSTR lpszName, LPCSTR lpszValue)
{
    if (pp->iCount >= PROFILE_MAX_VALUES)
        return FALSE;
    tagPROFILEVALUE *ppv = &pp->pvValues[pp->iCount++];
    lstrcpynA(ppv->szKey, lpszKey, sizeof(ppv->szKey));
    lstrcpynA(ppv->szName, lpszName, sizeof(ppv->szName));
    lstrcpynA(ppv->szValue, lpszValue, sizeof(ppv->szValue));
    return TRUE;
}

static void AddStoredValue(tagPROFILE *pp, LPCSTR lpszKey, LPCSTR lpszName)
{
    char szValue[PROFILE_VALUE_SIZE];
    ReadStoredString(lpszKey, lpszName, szValue, sizeof(szValue));
    AddValue(pp, lpszKey, lpszName, szValue);
}

/* Every value of root\lpszKey that fits a profile, in stored order: the translations of
   raw codes, the receiver's map. */
static void AddKeyValues(tagPROFILE *pp, LPCSTR lpszKey)
{
    HKEY hKey;
    if (!OpenStoredKey(lpszKey, KEY_READ, &hKey))
        return;
    char szName[PROFILE_NAME_SIZE], szValue[PROFILE_VALUE_SIZE];
    for (DWORD dwIndex = 0;; dwIndex++) {
        DWORD cchName = sizeof(szName), cbValue = sizeof(szValue) - 1, dwType = REG_NONE;
        LONG lResult = RegEnumValueA(hKey, dwIndex, szName, &cchName, NULL, &dwType,
                                     (LPBYTE)szValue, &cbValue);
        if (lResult == ERROR_NO_MORE_ITEMS)
            break;
        if (lResult != ERROR_SUCCESS || dwType != REG_SZ || szName[0] == '\0')
            continue;          /* not a value the programs could read */
        szValue[cbValue] = '\0';
        AddValue(pp, lpszKey, szName, szValue);
    }
    RegCloseKey(hKey);
}

/* The whole configuration as it stands in the registry, in the order a profile keeps. */
static void CollectProfile(tagPROFILE *pp)
{
    char szModes[PROFILE_MODES][PROFILE_KEY_SIZE];
    char szName[PROFILE_NAME_SIZE];
    pp->iCount = 0;
    for (int m = 0; m < PROFILE_MODES; m++) {
        char szValue[PROFILE_VALUE_SIZE];
        snprintf(szName, sizeof(szName), "%d", m + 1);
        ReadStoredString(szModeKey, szName, szValue, sizeof(szValue));
        /* A name the engine cannot read names no mode. */
        lstrcpynA(szModes[m], strlen(szValue) < PROFILE_KEY_SIZE ? szValue : "", PROFILE_KEY_SIZE);
        AddValue(pp, szModeKey, szName, szModes[m]);
    }
    AddKeyValues(pp, szTranslationKey);
    AddStoredValue(pp, szDefaultKey, "0");
    AddStoredValue(pp, szDefaultKey, "1");
    for (int m = 0; m < PROFILE_MODES; m++) {
        if (szModes[m][0] == '\0')
            continue;
        for (int iButton = 0; iButton < PROFILE_MODE_VALUES; iButton++) {
            if (iButton < PROFILE_MODE_VALUES - 1)
                snprintf(szName, sizeof(szName), "%d", iButton);
            else
                lstrcpynA(szName, STORE_MODE_COMMAND, sizeof(szName));
            AddStoredValue(pp, szModes[m], szName);
        }
    }
    tagAUTOMODEPAIR apPairs[AUTOMODE_MAX_PAIRS];
    int cPairs = ReadAutoModePairs(apPairs, AUTOMODE_MAX_PAIRS, szModes);
    for (int i = 0; i < cPairs; i++)
        AddValue(pp, STORE_AUTOMODE_KEY, apPairs[i].szProgram, apPairs[i].szMode);
    AddKeyValues(pp, PROFILE_RECEIVER_KEY);
}

static BOOL IsPairValue(const tagPROFILEVALUE *ppv)
{
    return strcmp(ppv->szKey, STORE_AUTOMODE_KEY) == 0;
}

/* A profile with pairs of its own replaces the stored ones. */
static BOOL CarriesPairs(const tagPROFILE *pp)
{
    for (int i = 0; i < pp->iCount; i++)
        if (IsPairValue(&pp->pvValues[i]))
            return TRUE;
    return FALSE;
}

static BOOL IsButtonValue(const tagPROFILEVALUE *ppv)
{
    return lstrcmpiA(ppv->szKey, szModeKey) != 0 && lstrcmpiA(ppv->szKey, szTranslationKey) != 0
           && lstrcmpiA(ppv->szKey, PROFILE_RECEIVER_KEY) != 0 && !IsPairValue(ppv);
}

/* What a load would do to the registry. */
struct tagPROFILECHANGES {
    int iButtons;     /* button values the profile gives another text */
    int iTables;      /* mode names, translations and receiver map entries it gives another text */
    int iRemoved;     /* stored values of its keys that it does not hold */
};

/* Whether the profile's values iFirst to iLast - 1 (one key's) hold a value of that name. */
static BOOL HoldsValue(const tagPROFILE *pp, int iFirst, int iLast, LPCSTR lpszName)
{
    for (int i = iFirst; i < iLast; i++)
        if (CompareProfileNames(pp->pvValues[i].szName, lpszName) == 0)
            return TRUE;
    return FALSE;
}

/* Counts the stored values of every key the profile holds that the profile itself lacks;
   bRemove deletes them, so that a loaded key holds exactly the profile's values. */
static int ForeignValues(const tagPROFILE *pp, BOOL bRemove)
{
    int iForeign = 0;
    for (int iFirst = 0, iLast; iFirst < pp->iCount; iFirst = iLast) {
        LPCSTR lpszKey = pp->pvValues[iFirst].szKey;
        for (iLast = iFirst + 1; iLast < pp->iCount && strcmp(pp->pvValues[iLast].szKey, lpszKey) == 0;)
            iLast++;
        HKEY hKey;
        if (!OpenStoredKey(lpszKey, KEY_READ | KEY_SET_VALUE, &hKey))
            continue;
        char szName[16384];             /* the longest value name the registry allows */
        for (DWORD dwIndex = 0;;) {
            DWORD cchName = sizeof(szName);
            if (RegEnumValueA(hKey, dwIndex, szName, &cchName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
                break;
            if (HoldsValue(pp, iFirst, iLast, szName)) {
                dwIndex++;
                continue;
            }
            iForeign++;
            /* A deleted value moves the ones after it down by one. */
            if (!bRemove || RegDeleteValueA(hKey, szName) != ERROR_SUCCESS)
                dwIndex++;
        }
        RegCloseKey(hKey);
    }
    return iForeign;
}

static tagPROFILECHANGES CountChanges(const tagPROFILE *pp)
{
    tagPROFILECHANGES pc = { 0, 0, ForeignValues(pp, FALSE) };
    for (int i = 0; i < pp->iCount; i++) {
        const tagPROFILEVALUE *ppv = &pp->pvValues[i];
        char szStored[PROFILE_VALUE_SIZE];
        BOOL bSame = ReadStoredString(ppv->szKey, ppv->szName, szStored, sizeof(szStored))
                     && strcmp(szStored, ppv->szValue) == 0;
        if (!bSame)
            (IsButtonValue(ppv) ? pc.iButtons : pc.iTables)++;
    }
    return pc;
}

static int CountButtonValues(const tagPROFILE *pp)
{
    int iButtons = 0;
    for (int i = 0; i < pp->iCount; i++)
        iButtons += IsButtonValue(&pp->pvValues[i]);
    return iButtons;
}

/* The names the profile gives the modes ("" for a mode it does not name), which are the
   stored names once it is loaded: read from the profile, since reading a missing name
   from the registry would store it. */
static void ProfileModeNames(const tagPROFILE *pp, AUTOMODENAMES anModes)
{
    ZeroMemory(anModes, sizeof(AUTOMODENAMES));
    for (int i = 0; i < pp->iCount; i++) {
        const tagPROFILEVALUE *ppv = &pp->pvValues[i];
        int iMode = atoi(ppv->szName) - 1;      /* the reader let through "1" to "5" only */
        if (lstrcmpiA(ppv->szKey, szModeKey) == 0 && iMode >= 0 && iMode < STORE_MODES)
            lstrcpynA(anModes[iMode], ppv->szValue, STORE_MODE_KEY_SIZE);
    }
}

static void ApplyProfile(const tagPROFILE *pp)
{
    AUTOMODENAMES anOld, anNew;
    ReadModeNames(anOld);
    ForeignValues(pp, TRUE);
    for (int i = 0; i < pp->iCount; i++)
        Write(pp->pvValues[i].szKey, pp->pvValues[i].szName, pp->pvValues[i].szValue);
    /* Pairs of their own took the stored ones' place; else these follow renamed modes. */
    if (!CarriesPairs(pp)) {
        ProfileModeNames(pp, anNew);
        RenameAutoModePairs(anOld, anNew);
    }
}

/* ---- Files and dialogs ------------------------------------------------------------------ */

static int Say(HWND hDlg, UINT uiFormat, UINT uiType, ...)
{
    char szFormat[MESSAGE_SIZE], szMessage[MESSAGE_SIZE], szCaption[64];
    GetStringRes(uiFormat, szFormat, sizeof(szFormat));
    GetStringRes(IDS_PROFILE_CAPTION, szCaption, sizeof(szCaption));
    va_list vaArguments;
    va_start(vaArguments, uiType);
    vsnprintf(szMessage, sizeof(szMessage), szFormat, vaArguments);
    va_end(vaArguments);
    return MessageBoxA(hDlg, szMessage, szCaption, uiType);
}

/* Asks for a profile's path with the common file dialog; FALSE when the user cancels. */
static BOOL ChooseProfileFile(HWND hDlg, BOOL bSave, LPSTR lpszPath, DWORD cchPath)
{
    char szFilter[128], szExtension[8];
    int cchName = GetStringRes(IDS_PROFILE_FILTER, szFilter, sizeof(szFilter) - 16);
    int cchPattern = GetStringRes(IDS_PROFILE_PATTERN, szFilter + cchName + 1, 14);
    szFilter[cchName + 1 + cchPattern + 1] = '\0';     /* the list ends with an empty pair */
    GetStringRes(IDS_PROFILE_EXTENSION, szExtension, sizeof(szExtension));

    OPENFILENAMEA ofn;
    ZeroMemory(&ofn, sizeof(ofn));
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hDlg;
    ofn.lpstrFilter = szFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = lpszPath;
    ofn.nMaxFile = cchPath;
    ofn.lpstrDefExt = szExtension;
    lpszPath[0] = '\0';
    if (bSave) {
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        return GetSaveFileNameA(&ofn);
    }
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    return GetOpenFileNameA(&ofn);
}

/* The folder that holds lpszPath, with its trailing separator ("." for a bare name). */
static void FolderOf(LPCSTR lpszPath, LPSTR lpszFolder, DWORD cchFolder)
{
    lstrcpynA(lpszFolder, lpszPath, cchFolder);
    LPSTR lpszAfter = lpszFolder;
    for (LPSTR lpsz = lpszFolder; *lpsz != '\0'; lpsz++)
        if (*lpsz == '\\' || *lpsz == '/' || *lpsz == ':')
            lpszAfter = lpsz + 1;
    lstrcpynA(lpszAfter, lpszAfter == lpszFolder ? "." : "", 2);
}

/* Puts cbText bytes in the place of the file lpszPath only once all of them are on the disk:
   they go to a new file beside it first, which then replaces the old one in one step. A
   failure leaves the old file as it was and no new one behind. */
static BOOL ReplaceFileContents(LPCSTR lpszPath, LPCSTR lpText, DWORD cbText)
{
    char szFolder[MAX_PATH], szTemporary[MAX_PATH];
    FolderOf(lpszPath, szFolder, sizeof(szFolder));
    if (GetTempFileNameA(szFolder, "orp", 0, szTemporary) == 0)
        return FALSE;
    HANDLE hFile = CreateFileA(szTemporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    BOOL bWritten = FALSE;
    if (hFile != INVALID_HANDLE_VALUE) {
        DWORD cbDone = 0;
        bWritten = WriteFile(hFile, lpText, cbText, &cbDone, NULL) && cbDone == cbText && FlushFileBuffers(hFile);
        bWritten = CloseHandle(hFile) && bWritten;
    }
    if (bWritten && MoveFileExA(szTemporary, lpszPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return TRUE;
    DeleteFileA(szTemporary);
    return FALSE;
}

BOOL SaveProfileFile(LPCSTR lpszPath)
{
    tagPROFILE *pp = (tagPROFILE *)LocalAlloc(LPTR, sizeof(tagPROFILE));
    size_t cchText = PROFILE_MAX_FILE;
    LPSTR lpszText = (LPSTR)LocalAlloc(LPTR, cchText);
    BOOL bSaved = FALSE;
    if (pp != NULL && lpszText != NULL) {
        CollectProfile(pp);
        size_t cchWritten = WriteProfile(pp, lpszText, cchText);
        bSaved = cchWritten != 0 && ReplaceFileContents(lpszPath, lpszText, (DWORD)cchWritten);
    }
    LocalFree(lpszText);
    LocalFree(pp);
    return bSaved;
}

/* Reads and checks the profile file into *pp. PROFILE_OK, a PROFILE_x reason with its line
   in *piLine, or -1 when the file cannot be read at all. */
int ReadProfileFile(LPCSTR lpszPath, tagPROFILE *pp, int *piLine)
{
    HANDLE hFile = CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return -1;
    tagPROFILEERROR peError = { PROFILE_TOO_LARGE, 1 };
    int iResult = PROFILE_TOO_LARGE;
    DWORD cbFile = GetFileSize(hFile, NULL);
    if (cbFile != INVALID_FILE_SIZE && cbFile <= PROFILE_MAX_FILE) {
        LPSTR lpText = (LPSTR)LocalAlloc(LPTR, cbFile + 1);
        DWORD cbRead = 0;
        if (lpText == NULL || !ReadFile(hFile, lpText, cbFile, &cbRead, NULL) || cbRead != cbFile)
            iResult = -1;
        else
            iResult = ReadProfile(lpText, cbRead, pp, &peError) ? PROFILE_OK : peError.iReason;
        LocalFree(lpText);
    }
    CloseHandle(hFile);
    *piLine = peError.iLine;
    return iResult;
}

BOOL LoadProfileFile(HWND hDlg, LPCSTR lpszPath)
{
    tagPROFILE *pp = (tagPROFILE *)LocalAlloc(LPTR, sizeof(tagPROFILE));
    if (pp == NULL)
        return FALSE;
    BOOL bApplied = FALSE;
    int iLine = 0;
    int iResult = ReadProfileFile(lpszPath, pp, &iLine);
    if (iResult < 0) {
        Say(hDlg, IDS_PROFILE_UNREADABLE, MB_OK | MB_ICONSTOP, lpszPath);
    } else if (iResult != PROFILE_OK) {
        char szReason[256];
        GetStringRes(IDS_PROFILE_REASON_FIRST + iResult, szReason, sizeof(szReason));
        Say(hDlg, IDS_PROFILE_REFUSED, MB_OK | MB_ICONSTOP, lpszPath, iLine, szReason);
    } else {
        tagPROFILECHANGES pc = CountChanges(pp);
        BOOL bTables = pc.iTables != 0 || pc.iRemoved != 0;
        if (pc.iButtons == 0 && !bTables)
            Say(hDlg, IDS_PROFILE_UNCHANGED, MB_OK | MB_ICONINFORMATION);
        else if (Say(hDlg, bTables ? IDS_PROFILE_CONFIRM_MODES : IDS_PROFILE_CONFIRM,
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, pc.iButtons, CountButtonValues(pp),
                     pc.iTables, pc.iRemoved) == IDYES) {
            ApplyProfile(pp);
            bApplied = TRUE;
        }
    }
    LocalFree(pp);
    return bApplied;
}

void AddProfileMenu(HWND hDlg)
{
    HMENU hMenu = GetSystemMenu(hDlg, FALSE);
    char szItem[64];
    AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    GetStringRes(IDS_PROFILE_SAVE, szItem, sizeof(szItem));
    AppendMenuA(hMenu, MF_STRING, SC_SAVE_PROFILE, szItem);
    GetStringRes(IDS_PROFILE_LOAD, szItem, sizeof(szItem));
    AppendMenuA(hMenu, MF_STRING, SC_LOAD_PROFILE, szItem);
}

BOOL OnProfileCommand(HWND hDlg, UINT uiCommand, tagREMOTE **pprRemote)
{
    char szPath[MAX_PATH];
    switch (uiCommand) {
    case SC_SAVE_PROFILE:
        if (!ChooseProfileFile(hDlg, TRUE, szPath, sizeof(szPath)))
            return TRUE;
        CreateButtonList(pprRemote);       /* the edits so far go to the registry first */
        if (!SaveProfileFile(szPath))
            Say(hDlg, IDS_PROFILE_UNWRITABLE, MB_OK | MB_ICONSTOP, szPath);
        return TRUE;
    case SC_LOAD_PROFILE:
        if (!ChooseProfileFile(hDlg, FALSE, szPath, sizeof(szPath)))
            return TRUE;
        /* The counts compare with what the picture shows, so the edits are stored first;
           the tree is built again from the registry, loaded or not. */
        DestroyButtonList(pprRemote);
        LoadProfileFile(hDlg, szPath);
        CreateButtonList(pprRemote);
        InvalidateRect(hDlg, NULL, FALSE);
        return TRUE;
    }
    return FALSE;
}
