/*
 * probe_client.cpp - driving probe.exe from a test.
 */
#include "probe_client.h"
#include <stdio.h>
#include "testsupport.h"

bool StartProbe(ProbeProcess *pp, const std::string &strLogName, const std::vector<std::string> &windows,
                const std::string &strProgram)
{
    pp->strLog = BinaryDir() + "probe-" + strLogName + ".log";
    DeleteFileA(pp->strLog.c_str());
    std::string strCommand = "\"" + BinaryDir() + strProgram + "\" \"" + pp->strLog + "\"";
    for (const std::string &strWindow : windows)
        strCommand += " " + strWindow;
    pp->hProcess = StartProcess(strCommand);
    return pp->hProcess != NULL && WaitForProbeLine(*pp, "ready", 10000);
}

void StopProbe(ProbeProcess *pp)
{
    if (pp->hProcess == NULL)
        return;
    TerminateProcess(pp->hProcess, 0);
    WaitForSingleObject(pp->hProcess, 5000);
    CloseHandle(pp->hProcess);
    pp->hProcess = NULL;
}

HWND ProbeWindow(const char *pszName)
{
    return FindWindowA("OrvaneProbe", ("Probe " + std::string(pszName)).c_str());
}

HWND ProbeControl(const char *pszName, const char *pszClass)
{
    return FindWindowExA(ProbeWindow(pszName), NULL, pszClass, NULL);
}

std::vector<std::string> ProbeLog(const ProbeProcess &pp)
{
    std::vector<std::string> lines;
    HANDLE hFile = CreateFileA(pp.strLog.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return lines;
    std::string strText;
    char buffer[4096];
    DWORD cbRead;
    while (ReadFile(hFile, buffer, sizeof(buffer), &cbRead, NULL) && cbRead > 0)
        strText.append(buffer, cbRead);
    CloseHandle(hFile);
    size_t iStart = 0, iEnd;
    while ((iEnd = strText.find('\n', iStart)) != std::string::npos) {
        lines.push_back(strText.substr(iStart, iEnd - iStart));
        iStart = iEnd + 1;
    }
    return lines;
}

bool ProbeLogHas(const ProbeProcess &pp, const std::string &strLine)
{
    for (const std::string &str : ProbeLog(pp))
        if (str == strLine)
            return true;
    return false;
}

bool WaitForProbeLine(const ProbeProcess &pp, const std::string &strLine, DWORD dwTimeout)
{
    return WaitFor([&] { return ProbeLogHas(pp, strLine); }, dwTimeout);
}

std::vector<std::string> ProbeLines(const ProbeProcess &pp, const std::string &strPrefix)
{
    std::vector<std::string> lines;
    for (const std::string &str : ProbeLog(pp))
        if (str.compare(0, strPrefix.size(), strPrefix) == 0)
            lines.push_back(str);
    return lines;
}

/* Does the action, then waits until the probe logged one line more with this prefix. */
template <typename Action>
static bool AwaitOneMoreLine(const ProbeProcess &pp, const std::string &strPrefix, Action action)
{
    size_t cBefore = ProbeLines(pp, strPrefix).size();
    action();
    return WaitFor([&] { return ProbeLines(pp, strPrefix).size() > cBefore; });
}

/* How the log begins the line of a message that the window took from its queue. */
static std::string QueuedLine(const std::string &strName, UINT uMessage)
{
    char szMessage[16];
    snprintf(szMessage, sizeof(szMessage), "0x%04x ", uMessage);
    return "queued " + strName + " " + szMessage;
}

bool AwaitInputSentinel(const ProbeProcess &pp, const std::string &strName)
{
    return AwaitOneMoreLine(pp, QueuedLine(strName, WM_KEYUP) + ProbeHex(SENTINEL_KEY) + " ",
                            [] { PressAndRelease(SENTINEL_KEY); });
}

bool AwaitPostedSentinel(const ProbeProcess &pp, HWND hWnd, const std::string &strName)
{
    return AwaitOneMoreLine(pp, QueuedLine(strName, WM_NULL), [&] { PostMessageA(hWnd, WM_NULL, 0, 0); });
}

std::string ProbeHex(unsigned long long ull)
{
    char sz[24];
    snprintf(sz, sizeof(sz), "0x%llx", ull);
    return sz;
}

bool MoveCursor(int x, int y)
{
    /* A session left without windows holds an empty cursor clip under Wine until the
       desktop window is back; asking for the desktop brings it back. */
    GetDesktopWindow();
    auto there = [&] {
        POINT pt;
        GetCursorPos(&pt);
        return pt.x == x && pt.y == y;
    };
    return WaitFor([&] {
        SetCursorPos(x, y);
        return there() && (PumpMessages(30), there());
    }, 3000);
}

POINT SettledCursorPosition()
{
    POINT ptBefore, ptAfter;
    GetCursorPos(&ptAfter);
    int iTries = 0;
    do {
        ptBefore = ptAfter;
        PumpMessages(30);
        GetCursorPos(&ptAfter);
    } while ((ptBefore.x != ptAfter.x || ptBefore.y != ptAfter.y) && ++iTries < 50);
    return ptAfter;
}
