/*
 * setup.cpp - OrvaneSetup.exe, the installation steps for this machine's Wine prefix:
 *
 *   OrvaneSetup /driver              installs (or updates) the receiver driver mirelo.sys,
 *                                    found next to this program, as an auto-start kernel
 *                                    service and starts it
 *   OrvaneSetup /stopdriver          stops the driver (the device disappears)
 *   OrvaneSetup /removedriver        stops the driver and deletes its service
 *   OrvaneSetup /data FILE [DIR] [/keep]
 *                                    writes the installation data file into the registry of
 *                                    the current user; WorkingDirectory becomes DIR (default:
 *                                    this program's folder). /keep (an upgrade) leaves the
 *                                    assignments and settings already stored as they are and
 *                                    only adds the missing ones
 *   OrvaneSetup /remove FILE [/keep] removes the configuration of the current user; /keep
 *                                    spares the button assignments (the assignment sections
 *                                    of the data file)
 *
 * Exit code 0 on success; the reason of a failure is printed.
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <shlwapi.h>
#include "mirelo.h"
#include "OrvaneStore.h"
#include "setupdata.h"

#define VENDOR_KEY      "Software\\Zendra"
#define DEVICE_WAIT_MS  10000

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

static int InstallDriver(void)
{
    char szPath[MAX_PATH];
    ProgramFolder(szPath, MAX_PATH - 12);
    lstrcatA(szPath, "\\mirelo.sys");
    if (GetFileAttributesA(szPath) == INVALID_FILE_ATTRIBUTES)
        return Fail(szPath);

    SC_HANDLE hManager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (hManager == NULL)
        return Fail("opening the service manager");
    SC_HANDLE hService = OpenServiceA(hManager, MIRELO_SERVICE_NAME, SERVICE_ALL_ACCESS);
    if (hService != NULL) {
        if (!ChangeServiceConfigA(hService, SERVICE_KERNEL_DRIVER, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                                  szPath, NULL, NULL, NULL, NULL, NULL, "Mirelo receiver"))
            return Fail("updating the driver service");
    } else {
        hService = CreateServiceA(hManager, MIRELO_SERVICE_NAME, "Mirelo receiver", SERVICE_ALL_ACCESS,
                                  SERVICE_KERNEL_DRIVER, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                                  szPath, NULL, NULL, NULL, NULL, NULL);
        if (hService == NULL)
            return Fail("creating the driver service");
    }
    if (!StartServiceA(hService, 0, NULL) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING)
        return Fail("starting the driver");
    CloseServiceHandle(hService);
    CloseServiceHandle(hManager);
    if (!WaitForDevice(1))
        return Fail("opening " MIRELO_DEVICE_PATH);
    printf("OrvaneSetup: driver %s running\n", szPath);
    return 0;
}

static int StopDriver(void)
{
    SC_HANDLE hManager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (hManager == NULL)
        return Fail("opening the service manager");
    SC_HANDLE hService = OpenServiceA(hManager, MIRELO_SERVICE_NAME, SERVICE_ALL_ACCESS);
    if (hService == NULL)
        return Fail("opening the driver service");
    SERVICE_STATUS ssStatus;
    if (!ControlService(hService, SERVICE_CONTROL_STOP, &ssStatus) && GetLastError() != ERROR_SERVICE_NOT_ACTIVE)
        return Fail("stopping the driver");
    CloseServiceHandle(hService);
    CloseServiceHandle(hManager);
    if (!WaitForDevice(0))
        return Fail("waiting for the device to go");
    printf("OrvaneSetup: driver stopped\n");
    return 0;
}

/* Reads a whole file into a terminated heap buffer, or null. */
static LPSTR ReadWholeFile(LPCSTR lpszPath)
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
    return lpszText;
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
    int bKeep;          /* assignments already stored stay as they are */
    HKEY hKey;          /* key of the current section (writing) */
    int bKeepValues;    /* the current section's stored values stay */
    int iValues;
    LPSTR lpszKept;     /* names of the kept sections, each ended by '\n' (removing) */
};

typedef int (*DATALINEPROC)(tagDATAPASS *pdp, int iKind, LPSTR lpszName, LPSTR lpszValue);

/* Calls lpfnLine for each line of the data file until one returns 0; 0 when the file
   cannot be read, a line is not understood or the callback refused one. */
static int ForEachDataLine(tagDATAPASS *pdp, DATALINEPROC lpfnLine)
{
    LPSTR lpszText = ReadWholeFile(pdp->lpszFile);
    if (lpszText == NULL)
        return Fail(pdp->lpszFile), 0;
    int bGood = 1;
    pdp->iLine = 0;
    for (LPSTR lpszLine = lpszText, lpszNext; lpszLine != NULL && bGood; lpszLine = lpszNext) {
        lpszNext = strchr(lpszLine, '\n');
        if (lpszNext != NULL)
            *lpszNext++ = '\0';
        pdp->iLine++;
        LPSTR lpszName, lpszValue;
        int iKind = ParseDataLine(lpszLine, &lpszName, &lpszValue);
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

static int WriteDataLine(tagDATAPASS *pdp, int iKind, LPSTR lpszName, LPSTR lpszValue)
{
    if (iKind == LK_SECTION) {
        if (pdp->hKey != NULL)
            RegCloseKey(pdp->hKey);
        pdp->bKeepValues = pdp->bKeep && SectionKind(lpszName) != SK_TABLE;
        pdp->hKey = OpenSectionKey(lpszName, !pdp->bKeepValues);
        return pdp->hKey != NULL;
    }
    BYTE abData[1024];
    DWORD cbData, dwType;
    if (pdp->hKey == NULL || !DecodeDataValue(lpszValue, abData, sizeof(abData), &cbData, &dwType)) {
        printf("OrvaneSetup: %s line %d: value outside a section or malformed\n", pdp->lpszFile, pdp->iLine);
        return 0;
    }
    if (pdp->bKeepValues && RegQueryValueExA(pdp->hKey, lpszName, NULL, NULL, NULL, NULL) == ERROR_SUCCESS)
        return 1;
    pdp->iValues++;
    return RegSetValueExA(pdp->hKey, lpszName, 0, dwType, abData, cbData) == ERROR_SUCCESS;
}

static int WriteData(LPCSTR lpszFile, LPCSTR lpszDirectory, int bKeep)
{
    tagDATAPASS dp = {};
    dp.lpszFile = lpszFile;
    dp.bKeep = bKeep;
    int bWritten = ForEachDataLine(&dp, WriteDataLine);
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

/* Collects the assignment sections of the data file, the keys an uninstall may keep. */
static int CollectKeptSection(tagDATAPASS *pdp, int iKind, LPSTR lpszName, LPSTR lpszValue)
{
    (void)lpszValue;
    if (iKind != LK_SECTION || SectionKind(lpszName) != SK_ASSIGNMENTS)
        return 1;
    size_t cchKept = pdp->lpszKept != NULL ? strlen(pdp->lpszKept) : 0;
    LPSTR lpszMore = (LPSTR)realloc(pdp->lpszKept, cchKept + strlen(lpszName) + 2);
    if (lpszMore == NULL)
        return 0;
    pdp->lpszKept = lpszMore;
    snprintf(lpszMore + cchKept, strlen(lpszName) + 2, "%s\n", lpszName);
    return 1;
}

static int IsKeptSection(LPCSTR lpszKept, LPCSTR lpszName)
{
    char szLine[MAX_PATH + 2];
    snprintf(szLine, sizeof(szLine), "%s\n", lpszName);
    for (LPCSTR lpsz = lpszKept; lpsz != NULL && *lpsz != '\0'; lpsz = strchr(lpsz, '\n') + 1) {
        if (strncmp(lpsz, szLine, strlen(szLine)) == 0)
            return 1;
    }
    return 0;
}

/* Deletes HKEY_CURRENT_USER\lpszKey when it holds neither keys nor values. */
static void DeleteKeyIfEmpty(LPCSTR lpszKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, lpszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    DWORD dwKeys = 1, dwValues = 1;
    RegQueryInfoKeyA(hKey, NULL, NULL, NULL, &dwKeys, NULL, NULL, &dwValues, NULL, NULL, NULL, NULL);
    RegCloseKey(hKey);
    if (dwKeys == 0 && dwValues == 0)
        RegDeleteKeyA(HKEY_CURRENT_USER, lpszKey);
}

/* Removes everything below the configuration root; bKeep spares the assignment sections
   of the data file. The vendor key goes too when nothing else is left in it. */
static int RemoveData(LPCSTR lpszFile, int bKeep)
{
    tagDATAPASS dp = {};
    dp.lpszFile = lpszFile;
    if (bKeep && !ForEachDataLine(&dp, CollectKeptSection)) {
        free(dp.lpszKept);
        return 1;
    }
    HKEY hRoot;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ORVANE_ROOT_KEY, 0, KEY_ALL_ACCESS, &hRoot) == ERROR_SUCCESS) {
        char szName[MAX_PATH];
        DWORD dwIndex = 0;
        for (DWORD cchName = MAX_PATH; RegEnumKeyExA(hRoot, dwIndex, szName, &cchName, NULL, NULL, NULL, NULL)
                                       == ERROR_SUCCESS;
             cchName = MAX_PATH) {
            if (bKeep && IsKeptSection(dp.lpszKept, szName))
                dwIndex++;
            else
                SHDeleteKeyA(hRoot, szName);
        }
        RegCloseKey(hRoot);
    }
    free(dp.lpszKept);
    DeleteKeyIfEmpty(ORVANE_ROOT_KEY);
    DeleteKeyIfEmpty(VENDOR_KEY);
    printf("OrvaneSetup: configuration removed%s\n", bKeep ? ", assignments kept" : "");
    return 0;
}

/* Stops the driver and takes its service away. */
static int RemoveDriver(void)
{
    SC_HANDLE hManager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (hManager == NULL)
        return Fail("opening the service manager");
    SC_HANDLE hService = OpenServiceA(hManager, MIRELO_SERVICE_NAME, SERVICE_ALL_ACCESS);
    BOOL bDeleted = TRUE;
    if (hService != NULL) {
        SERVICE_STATUS ssStatus;
        ControlService(hService, SERVICE_CONTROL_STOP, &ssStatus);
        bDeleted = DeleteService(hService);
        CloseServiceHandle(hService);
    }
    CloseServiceHandle(hManager);
    if (!bDeleted)
        return Fail("deleting the driver service");
    if (!WaitForDevice(0))
        return Fail("waiting for the device to go");
    printf("OrvaneSetup: no driver service left\n");
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

int main(int argc, char **argv)
{
    if (argc == 2 && lstrcmpiA(argv[1], "/driver") == 0)
        return InstallDriver();
    if (argc == 2 && lstrcmpiA(argv[1], "/stopdriver") == 0)
        return StopDriver();
    if (argc == 2 && lstrcmpiA(argv[1], "/removedriver") == 0)
        return RemoveDriver();
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
