/*
 * media_devices.cpp - installing and steering the simulated MCI devices, and running
 * commands while a second thread reads and closes the message boxes they show.
 */
#include "media_devices.h"
#include "Corvalin.h"
#include "testsupport.h"
#include <atomic>
#include <fstream>
#include <thread>

static std::string strLogPath;

static const char *const apszDeviceTypes[] = {"simcd", "simvideo"};

void InstallSimulatedDevices()
{
    for (const char *pszType : apszDeviceTypes) {
        /* The driver path in system.ini must not hold spaces: the short form has none. */
        std::string strDriver = BinaryDir() + pszType + ".drv";
        char szShort[MAX_PATH];
        DWORD dwLength = GetShortPathNameA(strDriver.c_str(), szShort, sizeof(szShort));
        if (dwLength > 0 && dwLength < sizeof(szShort))
            strDriver = szShort;
        WritePrivateProfileStringA("mci", pszType, strDriver.c_str(), "system.ini");
    }
    char szTemp[MAX_PATH], szLog[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    GetTempFileNameA(szTemp, "mci", 0, szLog);
    strLogPath = szLog;
    SetEnvironmentVariableA("SIMMCI_LOG", szLog);
    SetDeviceTracks("");
    SetDeviceFailures("");
    SetEnvironmentVariableA("SIMMCI_ERROR", NULL);
}

void RemoveDeviceLog()
{
    DeleteFileA(strLogPath.c_str());
}

std::vector<std::string> TakeDeviceLog()
{
    std::vector<std::string> lines;
    {
        std::ifstream file(strLogPath, std::ios::binary);
        std::string strLine;
        while (std::getline(file, strLine))
            lines.push_back(strLine);
    }
    HANDLE hFile = CreateFileA(strLogPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, NULL,
                               TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
    return lines;
}

static void SetOrClear(const char *pszName, const char *pszValue)
{
    SetEnvironmentVariableA(pszName, pszValue != nullptr && *pszValue ? pszValue : NULL);
}

void SetDeviceTracks(const char *pszTracks) { SetOrClear("SIMMCI_TRACKS", pszTracks); }
void SetDeviceFailures(const char *pszSteps) { SetOrClear("SIMMCI_FAIL", pszSteps); }

/* Sends a command to the open device of a type with the log switched off. */
static MCIERROR SendUnlogged(const char *pszDeviceType, UINT uiMessage, DWORD dwFlags,
                             LPVOID lpParms)
{
    MCIDEVICEID mciID = mciGetDeviceIDA(pszDeviceType);
    if (mciID == 0)
        return MCIERR_INVALID_DEVICE_NAME;
    SetEnvironmentVariableA("SIMMCI_LOG", NULL);
    char szFail[256] = "";
    GetEnvironmentVariableA("SIMMCI_FAIL", szFail, sizeof(szFail));
    SetEnvironmentVariableA("SIMMCI_FAIL", NULL);
    MCIERROR dwError = mciSendCommandA(mciID, uiMessage, dwFlags, (DWORD_PTR)lpParms);
    SetOrClear("SIMMCI_FAIL", szFail);
    SetEnvironmentVariableA("SIMMCI_LOG", strLogPath.c_str());
    return dwError;
}

DWORD DeviceMode(const char *pszDeviceType)
{
    MCI_STATUS_PARMS msp = {};
    msp.dwItem = MCI_STATUS_MODE;
    if (SendUnlogged(pszDeviceType, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &msp) != 0)
        return 0;
    return (DWORD)msp.dwReturn;
}

void StopDevice(const char *pszDeviceType)
{
    MCI_GENERIC_PARMS mgp = {};
    SendUnlogged(pszDeviceType, MCI_STOP, MCI_WAIT, &mgp);
}

std::string MCIErrorText(MCIERROR dwError)
{
    char szText[200] = "";
    mciGetErrorStringA(dwError, szText, sizeof(szText));
    return szText;
}

/* ---- Message boxes ------------------------------------------------------------------- */

/* The text of a box (its one text static) and whether its icon is the error icon. */
static BOOL CALLBACK ReadBoxChild(HWND hChild, LPARAM lParam)
{
    BoxSeen *pbox = (BoxSeen *)lParam;
    char szClass[32];
    GetClassNameA(hChild, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, "Static") != 0)
        return TRUE;
    if ((GetWindowLongA(hChild, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        HICON hIcon = (HICON)SendMessageA(hChild, STM_GETICON, 0, 0);
        pbox->bErrorIcon = hIcon != NULL && hIcon == LoadIconA(NULL, IDI_ERROR);
    } else {
        char szText[512];
        if (GetWindowTextA(hChild, szText, sizeof(szText)) > 0)
            pbox->strText = szText;
    }
    return TRUE;
}

struct BoxSearch {
    DWORD dwProcessId;
    HWND hBox;
};

static BOOL CALLBACK FindBox(HWND hWnd, LPARAM lParam)
{
    BoxSearch *pbs = (BoxSearch *)lParam;
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hWnd, &dwProcessId);
    char szClass[16];
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (dwProcessId == pbs->dwProcessId && strcmp(szClass, "#32770") == 0 && IsWindowVisible(hWnd)) {
        pbs->hBox = hWnd;
        return FALSE;
    }
    return TRUE;
}

std::vector<BoxSeen> RunCommand(const std::string &strCommand)
{
    std::vector<BoxSeen> boxes;
    std::atomic<bool> bDone(false);
    std::thread watcher([&] {
        while (!bDone) {
            BoxSearch bs = {GetCurrentProcessId(), NULL};
            EnumWindows(FindBox, (LPARAM)&bs);
            if (bs.hBox == NULL) {
                Sleep(20);
                continue;
            }
            BoxSeen box;
            char szCaption[256] = "";
            GetWindowTextA(bs.hBox, szCaption, sizeof(szCaption));
            box.strCaption = szCaption;
            box.bErrorIcon = false;
            EnumChildWindows(bs.hBox, ReadBoxChild, (LPARAM)&box);
            boxes.push_back(box);
            PostMessageA(bs.hBox, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 250 && IsWindow(bs.hBox); i++)
                Sleep(20);
        }
    });
    std::vector<char> buffer(strCommand.begin(), strCommand.end());
    buffer.push_back('\0');
    ParseFunction(NULL, buffer.data());
    bDone = true;
    watcher.join();
    return boxes;
}
