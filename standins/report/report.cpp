/*
 * report.cpp - the stand-ins' report files and window lifetime (see report.h).
 */
#include <windows.h>
#include <windowsx.h>
#include <string>
#include <string.h>
#include "report.h"

/* The report folder with a trailing backslash. */
static std::string ReportDir()
{
    char szDir[MAX_PATH];
    DWORD cch = GetEnvironmentVariableA(REPORT_DIR_VARIABLE, szDir, sizeof(szDir));
    if (cch == 0 || cch >= sizeof(szDir)) {
        cch = GetModuleFileNameA(NULL, szDir, sizeof(szDir));
        std::string strPath(szDir, cch);
        return strPath.substr(0, strPath.find_last_of('\\') + 1);
    }
    std::string strDir(szDir, cch);
    if (strDir.back() != '\\')
        strDir += '\\';
    return strDir;
}

BOOL AppendReport(LPCSTR lpszFile, LPCSTR lpszText)
{
    std::string strPath = ReportDir() + lpszFile;
    std::string strLine = std::string(lpszText) + "\r\n";
    /* Another stand-in may be appending at this moment: retry a short while. */
    for (int iTry = 0; iTry < 100; iTry++) {
        HANDLE hFile = CreateFileA(strPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, NULL,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile != INVALID_HANDLE_VALUE) {
            DWORD cbWritten = 0;
            BOOL bWritten = WriteFile(hFile, strLine.data(), (DWORD)strLine.size(), &cbWritten,
                                      NULL);
            CloseHandle(hFile);
            return bWritten && cbWritten == strLine.size();
        }
        Sleep(20);
    }
    return FALSE;
}

void GetProgramName(LPSTR lpszName, int iSize)
{
    char szPath[MAX_PATH];
    DWORD cch = GetModuleFileNameA(NULL, szPath, sizeof(szPath));
    szPath[cch < sizeof(szPath) ? cch : sizeof(szPath) - 1] = '\0';
    LPSTR lpszBase = strrchr(szPath, '\\');
    lpszBase = lpszBase ? lpszBase + 1 : szPath;
    LPSTR lpszDot = strrchr(lpszBase, '.');
    if (lpszDot != NULL)
        *lpszDot = '\0';
    lstrcpynA(lpszName, lpszBase, iSize);
}

LPCSTR GetArguments(void)
{
    LPCSTR lpsz = GetCommandLineA();
    if (*lpsz == '"') {
        lpsz = strchr(lpsz + 1, '"');
        lpsz = lpsz ? lpsz + 1 : "";
    } else {
        while (*lpsz && *lpsz != ' ' && *lpsz != '\t')
            lpsz++;
    }
    while (*lpsz == ' ' || *lpsz == '\t')
        lpsz++;
    return lpsz;
}

static void OnDestroy(HWND hWnd)
{
    (void)hWnd;
    PostQuitMessage(0);
}

LRESULT CALLBACK StandinWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
        HANDLE_MSG(hWnd, WM_DESTROY, OnDestroy);
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

static void CALLBACK EndLifetime(HWND hWnd, UINT uMsg, UINT_PTR idTimer, DWORD dwTime)
{
    (void)uMsg; (void)dwTime;
    KillTimer(hWnd, idTimer);
    DestroyWindow(hWnd);
}

void LimitLifetime(HWND hWnd, UINT uMilliseconds)
{
    SetTimer(hWnd, 1, uMilliseconds, EndLifetime);
}

int RunMessageLoop(void)
{
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
