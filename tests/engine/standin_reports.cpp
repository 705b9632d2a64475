/*
 * standin_reports.cpp - report folders and report files of the stand-ins (see the header).
 */
#include "standin_reports.h"
#include "testsupport.h"
#include "Corvalin.h"
#include <tlhelp32.h>
#include <fstream>
#include <vector>

static const char szReportVariable[] = "ORVANE_REPORT_DIR";

std::string CreateReportDir()
{
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    static unsigned uiSerial;
    for (;;) {
        std::string strDir = std::string(szTemp) + "orvane-report-" +
                             std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(++uiSerial) + "\\";
        if (CreateDirectoryA(strDir.c_str(), NULL)) {
            SetEnvironmentVariableA(szReportVariable, strDir.c_str());
            return strDir;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return std::string();
    }
}

void RemoveReportDir(const std::string &strDir)
{
    SetEnvironmentVariableA(szReportVariable, NULL);
    if (strDir.empty())
        return;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strDir + "*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((strDir + fd.cFileName).c_str());
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
    }
    RemoveDirectoryA(strDir.c_str());
}

std::vector<std::string> ReadLines(const std::string &strPath)
{
    std::vector<std::string> lines;
    std::ifstream file(strPath, std::ios::binary);
    std::string strLine;
    while (std::getline(file, strLine)) {
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        lines.push_back(strLine);
    }
    return lines;
}

std::vector<std::string> WaitForLines(const std::string &strPath, size_t cLines, DWORD dwTimeout)
{
    std::vector<std::string> lines;
    WaitFor([&] { return (lines = ReadLines(strPath)).size() >= cLines; }, dwTimeout);
    return lines;
}

std::map<std::string, std::string> WaitForRecord(const std::string &strPath, DWORD dwTimeout)
{
    std::map<std::string, std::string> record;
    WaitFor([&] {
        record.clear();
        for (const std::string &strLine : ReadLines(strPath)) {
            if (strLine == "end")
                return true;
            size_t iEqual = strLine.find('=');
            if (iEqual != std::string::npos)
                record[strLine.substr(0, iEqual)] = strLine.substr(iEqual + 1);
        }
        return false;
    }, dwTimeout);
    return record;
}

HANDLE StartStandin(const std::string &strCommandLine, LPCSTR lpszClass, LPCSTR lpszTitle,
                    HWND *phWnd)
{
    *phWnd = NULL;
    HANDLE hProcess = StartProcess(strCommandLine);
    if (hProcess != NULL)
        WaitFor([&] { return (*phWnd = FindWindowA(lpszClass, lpszTitle)) != NULL; }, 10000);
    return hProcess;
}

void StopStandin(HANDLE hProcess, HWND hWnd)
{
    if (hWnd != NULL)
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
    if (hProcess == NULL)
        return;
    if (WaitForSingleObject(hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(hProcess, 1);
    CloseHandle(hProcess);
}

void StandinTest::SetUp()
{
    strReportDir = CreateReportDir();
    ASSERT_FALSE(strReportDir.empty());
    strBin = BinaryDir();
}

void StandinTest::TearDown()
{
    Stop();
    RemoveReportDir(strReportDir);
}

void StandinTest::Stop()
{
    StopStandin(hStandin, hStandinWnd);
    hStandin = NULL;
    hStandinWnd = NULL;
}

bool StandinTest::Start(const std::string &strCommandLine, LPCSTR lpszClass, LPCSTR lpszTitle)
{
    hStandin = StartStandin(strCommandLine, lpszClass, lpszTitle, &hStandinWnd);
    return hStandinWnd != NULL;
}

bool StandinTest::WaitForStartedProgramsToEnd(DWORD dwTimeout)
{
    DWORD dwStandin = 0;
    if (hStandinWnd != NULL)
        GetWindowThreadProcessId(hStandinWnd, &dwStandin);
    return WaitFor([&] {
        HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (hSnapshot == INVALID_HANDLE_VALUE)
            return false;
        PROCESSENTRY32 pe = {};
        pe.dwSize = sizeof(pe);
        bool bRunning = false;
        for (BOOL bMore = Process32First(hSnapshot, &pe); bMore && !bRunning; bMore = Process32Next(hSnapshot, &pe))
            bRunning = pe.th32ParentProcessID == GetCurrentProcessId() && pe.th32ProcessID != dwStandin;
        CloseHandle(hSnapshot);
        return !bRunning;
    }, dwTimeout);
}

std::vector<std::string> StandinTest::ReportLines(LPCSTR lpszFile, size_t cLines, DWORD dwTimeout)
{
    return WaitForLines(strReportDir + lpszFile, cLines, dwTimeout);
}

void StandinTest::Run(const std::string &strCommand)
{
    std::string strCopy = strCommand;
    ParseFunction(NULL, &strCopy[0]);
}
