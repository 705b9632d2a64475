/*
 * setup.cpp - OrvaneSetup.exe, the installation steps for this machine's Wine prefix:
 *
 *   OrvaneSetup /driver              installs (or updates) the receiver driver mirelo.sys,
 *                                    found next to this program, as an auto-start kernel
 *                                    service and starts it
 *   OrvaneSetup /stopdriver          stops the driver (the device disappears)
 *   OrvaneSetup /data FILE [DIR]     writes the installation data file into the registry of
 *                                    the current user; WorkingDirectory becomes DIR (default:
 *                                    this program's folder)
 *
 * Exit code 0 on success; the reason of a failure is printed.
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <shlwapi.h>
#include "mirelo.h"
#include "setupdata.h"

#define ROOT_KEY        "Software\\Zendra\\Orvane"
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

/* Opens root\lpszSection afresh: what an earlier installation left there goes. */
static HKEY RecreateKey(LPCSTR lpszSection)
{
    char szKey[MAX_PATH];
    snprintf(szKey, sizeof(szKey), "%s\\%s", ROOT_KEY, lpszSection);
    SHDeleteKeyA(HKEY_CURRENT_USER, szKey);
    HKEY hKey = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, szKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                        &hKey, NULL) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

static int WriteData(LPCSTR lpszFile, LPCSTR lpszDirectory)
{
    LPSTR lpszText = ReadWholeFile(lpszFile);
    if (lpszText == NULL)
        return Fail(lpszFile);
    HKEY hKey = NULL;
    bool bWritten = true;
    int iLine = 0, iValues = 0;
    for (LPSTR lpszLine = lpszText, lpszNext; lpszLine != NULL && bWritten; lpszLine = lpszNext) {
        lpszNext = strchr(lpszLine, '\n');
        if (lpszNext != NULL)
            *lpszNext++ = '\0';
        iLine++;
        LPSTR lpszName, lpszValue;
        BYTE abData[1024];
        DWORD cbData, dwType;
        switch (ParseDataLine(lpszLine, &lpszName, &lpszValue)) {
        case LK_SECTION:
            if (hKey != NULL)
                RegCloseKey(hKey);
            hKey = RecreateKey(lpszName);
            bWritten = hKey != NULL;
            break;
        case LK_VALUE:
            if (hKey == NULL || !DecodeDataValue(lpszValue, abData, sizeof(abData), &cbData, &dwType)) {
                printf("OrvaneSetup: %s line %d: value outside a section or malformed\n", lpszFile, iLine);
                bWritten = false;
                break;
            }
            bWritten = RegSetValueExA(hKey, lpszName, 0, dwType, abData, cbData) == ERROR_SUCCESS;
            iValues++;
            break;
        case LK_BAD:
            printf("OrvaneSetup: %s line %d: not understood\n", lpszFile, iLine);
            bWritten = false;
            break;
        }
    }
    free(lpszText);
    if (hKey != NULL)
        RegCloseKey(hKey);
    if (!bWritten)
        return 1;
    char szKey[] = ROOT_KEY "\\Settings";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, szKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &hKey,
                        NULL) != ERROR_SUCCESS
        || RegSetValueExA(hKey, "WorkingDirectory", 0, REG_SZ, (const BYTE *)lpszDirectory,
                          (DWORD)strlen(lpszDirectory) + 1) != ERROR_SUCCESS)
        return Fail("writing WorkingDirectory");
    RegCloseKey(hKey);
    printf("OrvaneSetup: %d values written, WorkingDirectory %s\n", iValues + 1, lpszDirectory);
    return 0;
}

int main(int argc, char **argv)
{
    if (argc == 2 && lstrcmpiA(argv[1], "/driver") == 0)
        return InstallDriver();
    if (argc == 2 && lstrcmpiA(argv[1], "/stopdriver") == 0)
        return StopDriver();
    if ((argc == 3 || argc == 4) && lstrcmpiA(argv[1], "/data") == 0) {
        char szFolder[MAX_PATH];
        ProgramFolder(szFolder, MAX_PATH);
        return WriteData(argv[2], argc == 4 ? argv[3] : szFolder);
    }
    printf("usage: OrvaneSetup /driver | /stopdriver | /data FILE [WORKINGDIRECTORY]\n");
    return 2;
}
