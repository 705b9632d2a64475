/*
 * task_probes.cpp - starting taskprobe and finding its windows for the switcher tests.
 */
#include "task_probes.h"
#include <gtest/gtest.h>
#include "testsupport.h"

bool StartProbes(tagPROBES &probes, const std::vector<std::string> &arguments,
                 const std::vector<std::string> &waitFor)
{
    std::string strCommand = "\"" + BinaryDir() + "taskprobe.exe\"";
    for (const std::string &strArgument : arguments) {
        strCommand += " \"" + strArgument + "\"";
        probes.titles.push_back(strArgument.size() > 2 && strArgument[0] != 'U' ? strArgument.substr(2) : "");
    }
    if (!CreateTestProcess(strCommand, &probes.pi))
        return false;
    WaitForInputIdle(probes.pi.hProcess, 5000);
    return WaitFor([&] {
        for (const std::string &strTitle : waitFor)
            if (FindTitled(strTitle) == NULL)
                return false;
        return true;
    });
}

void StopProbes(tagPROBES &probes)
{
    if (probes.pi.hProcess == NULL)
        return;
    TerminateProcess(probes.pi.hProcess, 0);
    WaitForSingleObject(probes.pi.hProcess, 5000);
    CloseHandle(probes.pi.hThread);
    CloseHandle(probes.pi.hProcess);
    probes.pi = {};
    PumpMessages(50);
}

HWND FindTitled(const std::string &strTitle)
{
    return FindWindowA(NULL, strTitle.c_str());
}

static BOOL CALLBACK CollectTitle(HWND hWnd, LPARAM lParam)
{
    char szTitle[256] = "";
    if (IsWindowVisible(hWnd) && GetWindowTextA(hWnd, szTitle, sizeof(szTitle)) > 0)
        ((std::vector<std::string> *)lParam)->push_back(szTitle);
    return TRUE;
}

std::vector<std::string> WindowTitlesInOrder()
{
    std::vector<std::string> titles;
    EnumWindows(CollectTitle, (LPARAM)&titles);
    return titles;
}

static bool RunningAs(const std::string &strExeName)
{
    char szSelf[MAX_PATH];
    GetModuleFileNameA(NULL, szSelf, sizeof(szSelf));
    return lstrcmpiA(szSelf, (BinaryDir() + strExeName).c_str()) == 0;
}

bool RerunUnderWindows95(const std::string &strCopyName)
{
    OSVERSIONINFOA osvi = {};
    osvi.dwOSVersionInfoSize = sizeof(osvi);
    GetVersionExA(&osvi);
    if (osvi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return false;
    /* The copy itself must never get here: that would mean the setting was ignored. */
    EXPECT_FALSE(RunningAs(strCopyName)) << "the platform ignored Version=win95";
    if (RunningAs(strCopyName))
        return true;

    char szSelf[MAX_PATH];
    GetModuleFileNameA(NULL, szSelf, sizeof(szSelf));
    std::string strCopy = BinaryDir() + strCopyName;
    EXPECT_TRUE(CopyFileA(szSelf, strCopy.c_str(), FALSE));
    EXPECT_TRUE(WriteRegString(HKEY_CURRENT_USER, ("Software\\Wine\\AppDefaults\\" + strCopyName).c_str(),
                               "Version", "win95"));
    const ::testing::TestInfo *pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string strFilter = std::string(pInfo->test_suite_name()) + "." + pInfo->name();
    EXPECT_EQ(0u, RunProcess("\"" + strCopy + "\" --gtest_filter=" + strFilter, 60000));
    return true;
}
