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
