/*
 * testsupport.cpp - helpers for the tests that run under Wine.
 */
#include "testsupport.h"
#include <vector>

std::string BinaryDir()
{
    char szPath[MAX_PATH];
    DWORD dwLength = GetModuleFileNameA(NULL, szPath, sizeof(szPath));
    std::string strPath(szPath, dwLength);
    return strPath.substr(0, strPath.find_last_of("\\/") + 1);
}

DWORD RunProcess(const std::string &strCommandLine, DWORD dwTimeout)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::vector<char> command(strCommandLine.begin(), strCommandLine.end());
    command.push_back('\0');
    if (!CreateProcessA(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return (DWORD)-1;
    DWORD dwExit = (DWORD)-1;
    if (WaitForSingleObject(pi.hProcess, dwTimeout) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &dwExit);
    else
        TerminateProcess(pi.hProcess, (UINT)-1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return dwExit;
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
    bih.biBitCount = 32;
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
    DWORD cbBits = (DWORD)cx * cy * 4;
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
