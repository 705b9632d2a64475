/*
 * setup.cpp - OrvaneSetup.exe, the installation steps for this machine's Wine prefix:
 *
 *   OrvaneSetup /driver              installs (or updates) the receiver driver mirelo.sys,
 *                                    found next to this program, into the system's drivers
 *                                    folder as an auto-start kernel service and starts it
 *   OrvaneSetup /stopdriver          stops the driver (the device disappears)
 *   OrvaneSetup /removedriver        stops the driver and deletes its service and its file
 *
 * The three driver steps need an administrator's rights: a process without them runs
 * itself again with them (the system asks the person) and passes on its exit code. The
 * data steps work on the registry of the person who runs them and need no such rights.
 *   OrvaneSetup /data FILE [DIR] [/keep]
 *                                    writes the installation data file into the registry of
 *                                    the current user; WorkingDirectory becomes DIR (default:
 *                                    this program's folder). /keep (an upgrade) leaves what
 *                                    is stored as it is (mode names, translations, assignments,
 *                                    settings) and only adds what is missing; the data's
 *                                    assignments of a mode go to the key the user's mode
 *                                    names (STORE_MODE_KEY) give it
 *   OrvaneSetup /remove FILE [/keep] removes the configuration of the current user; /keep
 *                                    spares the modes, the translation and the button
 *                                    assignments, under the user's names of the modes, and
 *                                    the other remotes' buttons and the automatic modes
 *
 * Exit code 0 on success; the reason of a failure is printed.
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <shellapi.h>
#include <shlwapi.h>
#include "mirelo.h"
#include "OrvaneStore.h"
#include "setupdata.h"

#define VENDOR_KEY      "Software\\Zendra"
#define DEVICE_WAIT_MS  10000
/* Marks the run that RunElevated started: it does its step with whatever rights it got. */
#define ELEVATED_OPTION "/elevated"

static void ProgramFolder(LPSTR lpszFolder, DWORD cchFolder)
{
    DWORD cch = GetModuleFileNameA(NULL, lpszFolder, cchFolder);
    while (cch > 0 && lpszFolder[cch - 1] != '\\' && lpszFolder[cch - 1] != '/')
        cch--;
    lpszFolder[cch > 0 ? cch - 1 : 0] = '\0';
}

static int DeviceOpens(void)
{
    HANDLE hDevice = CreateFileA(MIRELO_DEVICE_PATH, 0, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (hDevice == INVALID_HANDLE_VALUE)
        return 0;
    CloseHandle(hDevice);
    return 1;
}

/* Waits until the device opens (bPresent) or no longer opens. */
static int WaitForDevice(int bPresent)
{
    for (DWORD dwWaited = 0; dwWaited < DEVICE_WAIT_MS; dwWaited += 50) {
        if (DeviceOpens() == bPresent)
            return 1;
        Sleep(50);
    }
    return 0;
}

static int Fail(LPCSTR lpszWhat)
{
    printf("OrvaneSetup: %s failed (error %lu)\n", lpszWhat, GetLastError());
    return 1;
}

/* Reads a whole file into a terminated heap buffer, or null; *pcbFile (when given) gets its
   size. */
static LPSTR ReadWholeFile(LPCSTR lpszPath, DWORD *pcbFile)
{
    HANDLE hFile = CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return NULL;
    DWORD cbFile = GetFileSize(hFile, NULL);
    LPSTR lpszText = cbFile == INVALID_FILE_SIZE ? NULL : (LPSTR)calloc(cbFile + 1, 1);
    DWORD cbRead = 0;
    if (lpszText != NULL && (!ReadFile(hFile, lpszText, cbFile, &cbRead, NULL) || cbRead != cbFile)) {
        free(lpszText);
        lpszText = NULL;
    }
    CloseHandle(hFile);
    if (pcbFile != NULL)
        *pcbFile = cbFile;
    return lpszText;
}

/* Whether both files can be read and hold the same bytes. */
static int SameContents(LPCSTR lpszFirst, LPCSTR lpszSecond)
{
    DWORD cbFirst = 0, cbSecond = 0;
    LPSTR lpFirst = ReadWholeFile(lpszFirst, &cbFirst), lpSecond = ReadWholeFile(lpszSecond, &cbSecond);
    int bSame = lpFirst != NULL && lpSecond != NULL && cbFirst == cbSecond && memcmp(lpFirst, lpSecond, cbFirst) == 0;
    free(lpFirst);
    free(lpSecond);
    return bSame;
}

/* Where the driver runs from: the system's folder of drivers, which only administrators can
   change. The copy next to this program may lie in a folder of a user, who must not be able
   to change what the kernel loads. */
static void InstalledDriverPath(LPSTR lpszPath, DWORD cchPath)
{
    char szSystem[MAX_PATH];
    GetSystemDirectoryA(szSystem, sizeof(szSystem));
    snprintf(lpszPath, cchPath, "%s\\drivers\\mirelo.sys", szSystem);
}

/* The service manager with every right, and the driver's service in *phService (null when it
   does not exist); null when the manager cannot be opened. */
static SC_HANDLE OpenDriverService(SC_HANDLE *phService)
{
    SC_HANDLE hManager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    *phService = hManager != NULL ? OpenServiceA(hManager, MIRELO_SERVICE_NAME, SERVICE_ALL_ACCESS) : NULL;
    return hManager;
}

/* Asks the driver to stop; 1 when it stopped or was not running. */
static int AskDriverToStop(SC_HANDLE hService)
{
    SERVICE_STATUS ssStatus;
    return ControlService(hService, SERVICE_CONTROL_STOP, &ssStatus) || GetLastError() == ERROR_SERVICE_NOT_ACTIVE;
}

static int InstallDriver(void)
{
    char szSource[MAX_PATH], szDriver[MAX_PATH];
    ProgramFolder(szSource, MAX_PATH - 12);
    lstrcatA(szSource, "\\mirelo.sys");
    if (GetFileAttributesA(szSource) == INVALID_FILE_ATTRIBUTES)
        return Fail(szSource);
    InstalledDriverPath(szDriver, sizeof(szDriver));

    SC_HANDLE hService, hManager = OpenDriverService(&hService);
    if (hManager == NULL)
        return Fail("opening the service manager");
    if (!SameContents(szSource, szDriver)) {
        /* The file of a loaded driver cannot be replaced: a running one stops first. */
        if (hService != NULL && !(AskDriverToStop(hService) && WaitForDevice(0)))
            return Fail("stopping the driver to replace it");
        if (!CopyFileA(szSource, szDriver, FALSE))
            return Fail(szDriver);
    }
    if (hService != NULL) {
        if (!ChangeServiceConfigA(hService, SERVICE_KERNEL_DRIVER, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                                  szDriver, NULL, NULL, NULL, NULL, NULL, "Mirelo receiver"))
            return Fail("updating the driver service");
    } else {
        hService = CreateServiceA(hManager, MIRELO_SERVICE_NAME, "Mirelo receiver", SERVICE_ALL_ACCESS,
                                  SERVICE_KERNEL_DRIVER, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                                  szDriver, NULL, NULL, NULL, NULL, NULL);
        if (hService == NULL)
            return Fail("creating the driver service");
    }
    if (!StartServiceA(hService, 0, NULL) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING)
        return Fail("starting the driver");
    CloseServiceHandle(hService);
    CloseServiceHandle(hManager);
    if (!WaitForDevice(1))
        return Fail("opening " MIRELO_DEVICE_PATH);
    printf("OrvaneSetup: driver %s running\n", szDriver);
    return 0;
}

static int StopDriver(void)
{
    SC_HANDLE hService, hManager = OpenDriverService(&hService);
    if (hManager == NULL)
        return Fail("opening the service manager");
    if (hService == NULL)
        return Fail("opening the driver service");
    if (!AskDriverToStop(hService))
        return Fail("stopping the driver");
    CloseServiceHandle(hService);
    CloseServiceHandle(hManager);
    if (!WaitForDevice(0))
        return Fail("waiting for the device to go");
    printf("OrvaneSetup: driver stopped\n");
    return 0;
}

/* Stops the driver and takes its service and its file away. */
static int RemoveDriver(void)
{
    SC_HANDLE hService, hManager = OpenDriverService(&hService);
    if (hManager == NULL)
        return Fail("opening the service manager");
    BOOL bDeleted = TRUE;
    if (hService != NULL) {
        AskDriverToStop(hService);
        bDeleted = DeleteService(hService);
        CloseServiceHandle(hService);
    }
    CloseServiceHandle(hManager);
    if (!bDeleted)
        return Fail("deleting the driver service");
    if (!WaitForDevice(0))
        return Fail("waiting for the device to go");
    char szDriver[MAX_PATH];
    InstalledDriverPath(szDriver, sizeof(szDriver));
    /* A file the system still holds goes at the next start. */
    if (!DeleteFileA(szDriver) && GetLastError() != ERROR_FILE_NOT_FOUND
        && !MoveFileExA(szDriver, NULL, MOVEFILE_DELAY_UNTIL_REBOOT))
        return Fail(szDriver);
    printf("OrvaneSetup: no driver service left\n");
    return 0;
}

/* Whether this process may change the services of the machine: its token is elevated, or
   the system knows no elevation (an administrator there simply is one). */
static int RunsElevated(void)
{
    HANDLE hToken;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &hToken))
        return 1;
    TOKEN_ELEVATION teElevation = {};
    DWORD cb = 0;
    BOOL bKnown = GetTokenInformation(hToken, TokenElevation, &teElevation, sizeof(teElevation), &cb);
    CloseHandle(hToken);
    return !bKnown || teElevation.TokenIsElevated;
}

/* Runs this program again with an administrator's rights (the system asks the person for
   them) to do lpszCommand, and waits for it; its exit code. */
static int RunElevated(LPCSTR lpszCommand)
{
    char szProgram[MAX_PATH], szArguments[64];
    GetModuleFileNameA(NULL, szProgram, sizeof(szProgram));
    snprintf(szArguments, sizeof(szArguments), "%s " ELEVATED_OPTION, lpszCommand);
    printf("OrvaneSetup: %s needs an administrator's rights\n", lpszCommand);
    SHELLEXECUTEINFOA seiRun = {};
    seiRun.cbSize = sizeof(seiRun);
    seiRun.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    seiRun.lpVerb = "runas";
    seiRun.lpFile = szProgram;
    seiRun.lpParameters = szArguments;
    seiRun.nShow = SW_HIDE;
    if (!ShellExecuteExA(&seiRun) || seiRun.hProcess == NULL)
        return Fail("getting an administrator's rights");     /* declined: ERROR_CANCELLED */
    WaitForSingleObject(seiRun.hProcess, INFINITE);
    DWORD dwExit = 1;
    GetExitCodeProcess(seiRun.hProcess, &dwExit);
    CloseHandle(seiRun.hProcess);
    return (int)dwExit;
}

/* Opens root\lpszSection; bAfresh first deletes what an earlier installation left there. */
static HKEY OpenSectionKey(LPCSTR lpszSection, int bAfresh)
{
    char szKey[MAX_PATH];
    snprintf(szKey, sizeof(szKey), "%s\\%s", ORVANE_ROOT_KEY, lpszSection);
    if (bAfresh)
        SHDeleteKeyA(HKEY_CURRENT_USER, szKey);
    HKEY hKey = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, szKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                        &hKey, NULL) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

/* Where a pass over the data file stands. */
struct tagDATAPASS {
    LPCSTR lpszFile;
    int iLine;
    int bKeep;          /* an upgrade: what is stored stays, only what is missing is added */
    int iKind;          /* SK_x of the current section */
    HKEY hKey;          /* key of the current section (writing) */
    int iValues;
    char aszDataModes[STORE_MODES][STORE_MODE_KEY_SIZE];  /* the data file's own names of the modes */
    LPSTR lpszKept;     /* names of the kept keys, each ended by '\n' (removing) */
};

typedef int (*DATALINEPROC)(tagDATAPASS *pdp, int iKind, LPSTR lpszName, LPSTR lpszValue);

/* Calls lpfnLine for each line of the data file until one returns 0; 0 when the file
   cannot be read, a line is not understood or the callback refused one. The kind of the
   current section is kept in pdp->iKind. */
static int ForEachDataLine(tagDATAPASS *pdp, DATALINEPROC lpfnLine)
{
    LPSTR lpszText = ReadWholeFile(pdp->lpszFile, NULL);
    if (lpszText == NULL)
        return Fail(pdp->lpszFile), 0;
    int bGood = 1;
    pdp->iLine = 0;
    pdp->iKind = SK_ASSIGNMENTS;
    for (LPSTR lpszLine = lpszText, lpszNext; lpszLine != NULL && bGood; lpszLine = lpszNext) {
        lpszNext = strchr(lpszLine, '\n');
        if (lpszNext != NULL)
            *lpszNext++ = '\0';
        pdp->iLine++;
        LPSTR lpszName, lpszValue;
        int iKind = ParseDataLine(lpszLine, &lpszName, &lpszValue);
        if (iKind == LK_SECTION)
            pdp->iKind = SectionKind(lpszName);
        if (iKind == LK_BAD) {
            printf("OrvaneSetup: %s line %d: not understood\n", pdp->lpszFile, pdp->iLine);
            bGood = 0;
        } else if (iKind != LK_NOTHING) {
            bGood = lpfnLine(pdp, iKind, lpszName, lpszValue);
        }
    }
    free(lpszText);
    return bGood;
}

/* Notes the data file's name of each mode. */
static int CollectDataMode(tagDATAPASS *pdp, int iKind, LPSTR lpszName, LPSTR lpszValue)
{
    int iMode = iKind == LK_VALUE && pdp->iKind == SK_MODES ? DataModeIndex(lpszName) : -1;
    DWORD cbName, dwType;
    if (iMode >= 0 && (!DecodeDataValue(lpszValue, (LPBYTE)pdp->aszDataModes[iMode], STORE_MODE_KEY_SIZE, &cbName, &dwType)
                       || dwType != REG_SZ))
        pdp->aszDataModes[iMode][0] = '\0';      /* no key can have that name */
    return 1;
}

/* The stored string lpszName of the open key, in cbValue bytes with its terminator; FALSE when
   it is missing, not a string or longer. */
static int ReadStoredString(HKEY hKey, LPCSTR lpszName, LPSTR lpszValue, DWORD cbValue)
{
    DWORD dwType = REG_NONE, cbData = cbValue - 1;
    if (RegQueryValueExA(hKey, lpszName, NULL, &dwType, (LPBYTE)lpszValue, &cbData) != ERROR_SUCCESS
        || dwType != REG_SZ)
        return 0;
    lpszValue[cbData] = '\0';       /* a stored string need not end in NUL */
    return 1;
}

/* The key that takes the data file's section lpszSection. In an upgrade a mode's section
   goes to the key that the stored mode names (STORE_MODE_KEY) give that mode, which a profile may have
   renamed; every other section, and every section of a fresh installation, to its own name. */
static void TargetKey(const tagDATAPASS *pdp, LPCSTR lpszSection, LPSTR lpszKey, DWORD cchKey)
{
    lstrcpynA(lpszKey, lpszSection, cchKey);
    HKEY hModes;
    if (!pdp->bKeep || RegOpenKeyExA(HKEY_CURRENT_USER, ORVANE_ROOT_KEY "\\" STORE_MODE_KEY, 0, KEY_READ, &hModes) != ERROR_SUCCESS)
        return;
    for (int iMode = 0; iMode < STORE_MODES; iMode++) {
        char szName[2] = { (char)('1' + iMode), '\0' }, szStored[STORE_MODE_KEY_SIZE];
        if (lstrcmpiA(pdp->aszDataModes[iMode], lpszSection) == 0
            && ReadStoredString(hModes, szName, szStored, sizeof(szStored)) && UsableTableValue(SK_MODES, szStored))
            lstrcpynA(lpszKey, szStored, cchKey);
    }
    RegCloseKey(hModes);
}

/* Whether an upgrade leaves the stored value lpszName of the current section as it is: any
   stored assignment or setting stays; a table value stays when the engine can use it. */
static int KeepsStoredValue(const tagDATAPASS *pdp, LPCSTR lpszName)
{
    if (pdp->iKind != SK_MODES && pdp->iKind != SK_TABLE)
        return RegQueryValueExA(pdp->hKey, lpszName, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
    char szStored[STORE_MODE_KEY_SIZE > STORE_TRANSLATION_SIZE ? STORE_MODE_KEY_SIZE : STORE_TRANSLATION_SIZE];
    return ReadStoredString(pdp->hKey, lpszName, szStored, sizeof(szStored)) && UsableTableValue(pdp->iKind, szStored);
}

static int WriteDataLine(tagDATAPASS *pdp, int iKind, LPSTR lpszName, LPSTR lpszValue)
{
    if (iKind == LK_SECTION) {
        if (pdp->hKey != NULL)
            RegCloseKey(pdp->hKey);
        char szKey[MAX_PATH];
        TargetKey(pdp, lpszName, szKey, sizeof(szKey));
        pdp->hKey = OpenSectionKey(szKey, !pdp->bKeep);
        return pdp->hKey != NULL;
    }
    BYTE abData[1024];
    DWORD cbData, dwType;
    if (pdp->hKey == NULL || !DecodeDataValue(lpszValue, abData, sizeof(abData), &cbData, &dwType)) {
        printf("OrvaneSetup: %s line %d: value outside a section or malformed\n", pdp->lpszFile, pdp->iLine);
        return 0;
    }
    if (pdp->bKeep && KeepsStoredValue(pdp, lpszName))
        return 1;
    pdp->iValues++;
    return RegSetValueExA(pdp->hKey, lpszName, 0, dwType, abData, cbData) == ERROR_SUCCESS;
}

static int WriteData(LPCSTR lpszFile, LPCSTR lpszDirectory, int bKeep)
{
    tagDATAPASS dp = {};
    dp.lpszFile = lpszFile;
    dp.bKeep = bKeep;
    int bWritten = ForEachDataLine(&dp, CollectDataMode) && ForEachDataLine(&dp, WriteDataLine);
    if (dp.hKey != NULL)
        RegCloseKey(dp.hKey);
    if (!bWritten)
        return 1;
    HKEY hKey = OpenSectionKey(ORVANE_SETTINGS, FALSE);
    if (hKey == NULL
        || RegSetValueExA(hKey, ORVANE_WORKING_DIRECTORY, 0, REG_SZ, (const BYTE *)lpszDirectory,
                          (DWORD)strlen(lpszDirectory) + 1) != ERROR_SUCCESS)
        return Fail("writing WorkingDirectory");
    RegCloseKey(hKey);
    printf("OrvaneSetup: %d values written, WorkingDirectory %s\n", dp.iValues + 1, lpszDirectory);
    return 0;
}

/* Collects the keys an uninstall keeps: where every section of the data file but the
   settings went, the modes under the names the user gave them. */
static int CollectKeptSection(tagDATAPASS *pdp, int iKind, LPSTR lpszName, LPSTR lpszValue)
{
    (void)lpszValue;
    if (iKind != LK_SECTION || pdp->iKind == SK_SETTINGS)
        return 1;
    char szKey[MAX_PATH];
    TargetKey(pdp, lpszName, szKey, sizeof(szKey));
    size_t cchKept = pdp->lpszKept != NULL ? strlen(pdp->lpszKept) : 0;
    LPSTR lpszMore = (LPSTR)realloc(pdp->lpszKept, cchKept + strlen(szKey) + 2);
    if (lpszMore == NULL)
        return 0;
    pdp->lpszKept = lpszMore;
    snprintf(lpszMore + cchKept, strlen(szKey) + 2, "%s\n", szKey);
    return 1;
}

static int IsKeptSection(LPCSTR lpszKept, LPCSTR lpszName)
{
    for (LPCSTR lpsz = lpszKept; lpsz != NULL && *lpsz != '\0'; lpsz = strchr(lpsz, '\n') + 1) {
        size_t cch = strchr(lpsz, '\n') - lpsz;
        if (cch == strlen(lpszName) && _strnicmp(lpsz, lpszName, cch) == 0)
            return 1;
    }
    return 0;
}

/* Deletes HKEY_CURRENT_USER\lpszKey when it holds neither keys nor values; whether the key
   is gone. */
static int DeleteKeyIfEmpty(LPCSTR lpszKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, lpszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return 1;
    DWORD dwKeys = 1, dwValues = 1;
    RegQueryInfoKeyA(hKey, NULL, NULL, NULL, &dwKeys, NULL, NULL, &dwValues, NULL, NULL, NULL, NULL);
    RegCloseKey(hKey);
    return dwKeys == 0 && dwValues == 0 && RegDeleteKeyA(HKEY_CURRENT_USER, lpszKey) == ERROR_SUCCESS;
}

/* Deletes every subkey of hParent that pfnStays does not keep (pfnStays may trim the key it
   keeps; it returns whether the key is still there). */
typedef int (*SUBKEYSTAYS)(HKEY hParent, LPCSTR lpszName, const void *pContext);
static void DeleteSubkeys(HKEY hParent, SUBKEYSTAYS pfnStays, const void *pContext)
{
    char szName[MAX_PATH];
    DWORD dwIndex = 0;
    for (DWORD cchName = MAX_PATH; RegEnumKeyExA(hParent, dwIndex, szName, &cchName, NULL, NULL, NULL, NULL)
                                   == ERROR_SUCCESS;
         cchName = MAX_PATH) {
        if (pfnStays(hParent, szName, pContext))
            dwIndex++;
        else
            SHDeleteKeyA(hParent, szName);
    }
}

/* What a person made below the settings key (the other remotes' buttons they learnt, the
   programs they paired with modes) stays with the assignments; the rest of it is this
   machine's and goes. */
static const char *const aszKeptSettings[] = { STORE_RECEIVER_MAP_KEY, STORE_AUTOMODE_KEY };

static int IsKeptSettingsKey(HKEY hSettings, LPCSTR lpszSubkey, const void *pContext)
{
    (void)hSettings;
    (void)pContext;
    char szKey[MAX_PATH];
    snprintf(szKey, sizeof(szKey), "%s\\%s", ORVANE_SETTINGS, lpszSubkey);
    for (size_t i = 0; i < sizeof(aszKeptSettings) / sizeof(aszKeptSettings[0]); i++)
        if (lstrcmpiA(szKey, aszKeptSettings[i]) == 0)
            return 1;
    return 0;
}

/* Empties the settings key but for the keys a person made; the key goes when nothing is
   left in it. Whether it is still there. */
static int RemoveMachineSettings(HKEY hRoot)
{
    HKEY hSettings;
    if (RegOpenKeyExA(hRoot, ORVANE_SETTINGS, 0, KEY_ALL_ACCESS, &hSettings) != ERROR_SUCCESS)
        return 0;
    char szName[MAX_PATH];
    DWORD cchName = MAX_PATH;
    while (RegEnumValueA(hSettings, 0, szName, &cchName, NULL, NULL, NULL, NULL) == ERROR_SUCCESS
           && RegDeleteValueA(hSettings, szName) == ERROR_SUCCESS)
        cchName = MAX_PATH;
    DeleteSubkeys(hSettings, IsKeptSettingsKey, NULL);
    RegCloseKey(hSettings);
    return !DeleteKeyIfEmpty(ORVANE_SETTINGS_KEY);
}

static int NoKeyKept(HKEY hRoot, LPCSTR lpszName, const void *pContext)
{
    (void)hRoot;
    (void)lpszName;
    (void)pContext;
    return 0;
}

/* With the assignments kept: the data's sections under the user's names of the modes, and
   the settings key trimmed to what a person made. */
static int KeptRootKey(HKEY hRoot, LPCSTR lpszName, const void *pContext)
{
    if (lstrcmpiA(lpszName, ORVANE_SETTINGS) == 0)
        return RemoveMachineSettings(hRoot);
    return IsKeptSection(((const tagDATAPASS *)pContext)->lpszKept, lpszName);
}

/* Removes everything below the configuration root; bKeep spares the modes, the translation,
   the assignments (under the names the user's modes have) and what a person made below the
   settings. The vendor key goes too when nothing else is left in it. */
static int RemoveData(LPCSTR lpszFile, int bKeep)
{
    tagDATAPASS dp = {};
    dp.lpszFile = lpszFile;
    dp.bKeep = bKeep;
    if (bKeep && !(ForEachDataLine(&dp, CollectDataMode) && ForEachDataLine(&dp, CollectKeptSection))) {
        free(dp.lpszKept);
        return 1;
    }
    HKEY hRoot;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ORVANE_ROOT_KEY, 0, KEY_ALL_ACCESS, &hRoot) == ERROR_SUCCESS) {
        DeleteSubkeys(hRoot, bKeep ? KeptRootKey : NoKeyKept, &dp);
        RegCloseKey(hRoot);
    }
    free(dp.lpszKept);
    DeleteKeyIfEmpty(ORVANE_ROOT_KEY);
    DeleteKeyIfEmpty(VENDOR_KEY);
    printf("OrvaneSetup: configuration removed%s\n", bKeep ? ", modes, translation, assignments, learnt buttons and automatic modes kept" : "");
    return 0;
}

/* Whether the last argument is "/keep"; it is then taken off the count. */
static int TakeKeep(int *pArgc, char **argv)
{
    if (*pArgc > 3 && lstrcmpiA(argv[*pArgc - 1], "/keep") == 0) {
        (*pArgc)--;
        return 1;
    }
    return 0;
}

/* The steps that change the services of the machine, by their options. */
static const struct {
    LPCSTR lpszOption;
    int (*pfnStep)(void);
} aServiceSteps[] = {
    { "/driver", InstallDriver },
    { "/stopdriver", StopDriver },
    { "/removedriver", RemoveDriver },
};

int main(int argc, char **argv)
{
    /* Only these steps need an administrator: run without one, they ask for the rights. */
    int bAsked = argc == 3 && lstrcmpiA(argv[2], ELEVATED_OPTION) == 0;
    for (const auto &step : aServiceSteps) {
        if ((argc == 2 || bAsked) && lstrcmpiA(argv[1], step.lpszOption) == 0)
            return bAsked || RunsElevated() ? step.pfnStep() : RunElevated(step.lpszOption);
    }
    if (argc >= 3 && lstrcmpiA(argv[1], "/data") == 0) {
        int bKeep = TakeKeep(&argc, argv);
        char szFolder[MAX_PATH];
        ProgramFolder(szFolder, MAX_PATH);
        if (argc == 3 || argc == 4)
            return WriteData(argv[2], argc == 4 ? argv[3] : szFolder, bKeep);
    }
    if (argc >= 3 && lstrcmpiA(argv[1], "/remove") == 0) {
        int bKeep = TakeKeep(&argc, argv);
        if (argc == 3)
            return RemoveData(argv[2], bKeep);
    }
    printf("usage: OrvaneSetup /driver | /stopdriver | /removedriver\n"
           "       OrvaneSetup /data FILE [WORKINGDIRECTORY] [/keep]\n"
           "       OrvaneSetup /remove FILE [/keep]\n");
    return 2;
}
