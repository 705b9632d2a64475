/*
 * testsupport.cpp - helpers for the tests that run under Wine.
 */
#include <algorithm>
#include <cstdio>
#include "testsupport.h"
#include <vector>

std::string BinaryDir()
{
    char szPath[MAX_PATH];
    DWORD dwLength = GetModuleFileNameA(NULL, szPath, sizeof(szPath));
    std::string strPath(szPath, dwLength);
    return strPath.substr(0, strPath.find_last_of("\\/") + 1);
}

bool CreateTestProcess(const std::string &strCommandLine, PROCESS_INFORMATION *ppi)
{
    for (int iAttempt = 1; iAttempt <= 2; iAttempt++) {
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        *ppi = {};
        std::vector<char> command(strCommandLine.begin(), strCommandLine.end());
        command.push_back('\0');
        if (CreateProcessA(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, ppi))
            return true;
        /* Said here because callers only see that nothing started. */
        fprintf(stderr, "CreateTestProcess: error %lu starting %s (attempt %d)\n", GetLastError(),
                strCommandLine.c_str(), iAttempt);
    }
    return false;
}

HANDLE StartProcess(const std::string &strCommandLine)
{
    PROCESS_INFORMATION pi;
    if (!CreateTestProcess(strCommandLine, &pi))
        return NULL;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

DWORD RunProcess(const std::string &strCommandLine, DWORD dwTimeout)
{
    HANDLE hProcess = StartProcess(strCommandLine);
    if (hProcess == NULL)
        return (DWORD)-1;
    DWORD dwExit = (DWORD)-1;
    if (WaitForSingleObject(hProcess, dwTimeout) == WAIT_OBJECT_0) {
        GetExitCodeProcess(hProcess, &dwExit);
    } else {
        fprintf(stderr, "RunProcess: still running after %lu ms, ended: %s\n", dwTimeout, strCommandLine.c_str());
        TerminateProcess(hProcess, (UINT)-1);
    }
    CloseHandle(hProcess);
    return dwExit;
}

bool ReadRegString(HKEY hRoot, LPCSTR lpszKey, LPCSTR lpszValue, std::string *pstrData)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, lpszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD cbData = 0;
    bool bRead = RegQueryValueExA(hKey, lpszValue, NULL, NULL, NULL, &cbData) == ERROR_SUCCESS;
    std::vector<char> data(cbData + 1, '\0');
    bRead = bRead && RegQueryValueExA(hKey, lpszValue, NULL, NULL, (LPBYTE)data.data(),
                                      &cbData) == ERROR_SUCCESS;
    RegCloseKey(hKey);
    if (bRead)
        *pstrData = data.data();
    return bRead;
}

bool WriteRegString(HKEY hRoot, LPCSTR lpszKey, LPCSTR lpszValue, const std::string &strData)
{
    HKEY hKey;
    if (RegCreateKeyExA(hRoot, lpszKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL) !=
        ERROR_SUCCESS)
        return false;
    bool bWritten = RegSetValueExA(hKey, lpszValue, 0, REG_SZ, (const BYTE *)strData.c_str(),
                                   (DWORD)strData.size() + 1) == ERROR_SUCCESS;
    RegCloseKey(hKey);
    return bWritten;
}

void DeleteRegValue(HKEY hRoot, LPCSTR lpszKey, LPCSTR lpszValue)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, lpszKey, 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS) {
        RegDeleteValueA(hKey, lpszValue);
        RegCloseKey(hKey);
    }
}

bool DeleteRegKey(HKEY hRoot, LPCSTR lpszKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, lpszKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return false;
    char szSubKey[256];
    while (RegEnumKeyA(hKey, 0, szSubKey, sizeof(szSubKey)) == ERROR_SUCCESS &&
           DeleteRegKey(hKey, szSubKey)) {
    }
    RegCloseKey(hKey);
    return RegDeleteKeyA(hRoot, lpszKey) == ERROR_SUCCESS;
}

void PumpMessages(DWORD dwMilliseconds)
{
    DWORD dwStart = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - dwStart < dwMilliseconds);
}

void PressAndRelease(WORD wVk)
{
    INPUT aInput[2] = {};
    aInput[0].type = aInput[1].type = INPUT_KEYBOARD;
    aInput[0].ki.wVk = aInput[1].ki.wVk = wVk;
    aInput[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, aInput, sizeof(INPUT));
}

void PressCapsLock()
{
    PressAndRelease(VK_CAPITAL);
}

bool CapsLockOn()
{
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

std::string StaticTexts(HWND hWnd)
{
    std::string strTexts;
    EnumChildWindows(hWnd, [](HWND hChild, LPARAM lParam) -> BOOL {
        char szClass[16] = "", szText[1024] = "";
        GetClassNameA(hChild, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "Static") == 0 && GetWindowTextA(hChild, szText, sizeof(szText)) > 0)
            *(std::string *)lParam += szText;
        return TRUE;
    }, (LPARAM)&strTexts);
    return strTexts;
}

HWND HelpWindowOfThread(DWORD idThread)
{
    HWND hFound = NULL;
    EnumThreadWindows(idThread, [](HWND hWnd, LPARAM lParam) -> BOOL {
        char szClass[32] = "";
        GetClassNameA(hWnd, szClass, sizeof(szClass));
        if (lstrcmpA(szClass, "HH Parent") != 0 || !IsWindowVisible(hWnd))
            return TRUE;
        *(HWND *)lParam = hWnd;
        return FALSE;
    }, (LPARAM)&hFound);
    return hFound;
}

bool SaveWindowPicture(HWND hWnd, const std::string &strName)
{
    RECT rWindow;
    GetWindowRect(hWnd, &rWindow);
    int cx = rWindow.right - rWindow.left, cy = rWindow.bottom - rWindow.top;
    UpdateWindow(hWnd);
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = -cy;
    bih.biPlanes = 1;
    bih.biBitCount = 24;      /* no alpha byte for viewers to take as transparency */
    void *pvBits = NULL;
    HBITMAP hBitmap = CreateDIBSection(NULL, (BITMAPINFO *)&bih, DIB_RGB_COLORS, &pvBits, NULL, 0);
    if (hBitmap == NULL)
        return false;
    HDC hWindowDC = GetWindowDC(hWnd);
    HDC hMemDC = CreateCompatibleDC(hWindowDC);
    HGDIOBJ hOld = SelectObject(hMemDC, hBitmap);
    BitBlt(hMemDC, 0, 0, cx, cy, hWindowDC, 0, 0, SRCCOPY);
    GdiFlush();

    BITMAPFILEHEADER bfh = {};
    DWORD cbBits = (DWORD)((cx * 3 + 3) & ~3) * cy;
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
    bfh.bfSize = bfh.bfOffBits + cbBits;
    CreateDirectoryA((BinaryDir() + "shots").c_str(), NULL);
    HANDLE hFile = CreateFileA((BinaryDir() + "shots\\" + strName + ".bmp").c_str(), GENERIC_WRITE, 0, NULL,
                               CREATE_ALWAYS, 0, NULL);
    DWORD dwWritten;
    bool bOk = hFile != INVALID_HANDLE_VALUE && WriteFile(hFile, &bfh, sizeof(bfh), &dwWritten, NULL)
               && WriteFile(hFile, &bih, sizeof(bih), &dwWritten, NULL)
               && WriteFile(hFile, pvBits, cbBits, &dwWritten, NULL);
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
    SelectObject(hMemDC, hOld);
    DeleteDC(hMemDC);
    ReleaseDC(hWnd, hWindowDC);
    DeleteObject(hBitmap);
    return bOk;
}

double Seconds()
{
    static LARGE_INTEGER liFrequency;
    if (liFrequency.QuadPart == 0)
        QueryPerformanceFrequency(&liFrequency);
    LARGE_INTEGER li;
    QueryPerformanceCounter(&li);
    return (double)li.QuadPart / (double)liFrequency.QuadPart;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

RegistrySnapshot SnapshotRegistry(LPCSTR lpszRoot, const std::vector<std::string> &keys)
{
    RegistrySnapshot snapshot;
    std::vector<std::string> names = keys;
    HKEY hRoot;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, lpszRoot, 0, KEY_READ, &hRoot) != ERROR_SUCCESS)
        return snapshot;
    char szKey[256];
    for (DWORD i = 0; keys.empty() && RegEnumKeyA(hRoot, i, szKey, sizeof(szKey)) == ERROR_SUCCESS; i++)
        names.push_back(szKey);
    for (const std::string &strKey : names) {
        HKEY hKey;
        if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            continue;
        for (DWORD dwIndex = 0;; dwIndex++) {
            char szName[16384];     /* the longest value name the registry allows */
            std::vector<char> data(4096);
            DWORD cchName = sizeof(szName), cbData = (DWORD)data.size(), dwType = 0;
            if (RegEnumValueA(hKey, dwIndex, szName, &cchName, NULL, &dwType, (BYTE *)data.data(), &cbData) != ERROR_SUCCESS)
                break;
            snapshot[strKey + "\\" + szName] = { dwType, std::string(data.data(), cbData) };
        }
        RegCloseKey(hKey);
    }
    RegCloseKey(hRoot);
    return snapshot;
}
