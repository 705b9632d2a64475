/*
 * sourcetest.cpp - helpers of the tests of the receiver's other sources.
 */
#include "sourcetest.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "Tellumo.h"
#include "OrvaneStore.h"
#include "testsupport.h"
#include "traytest.h"
#include "traywatch.h"

#define MAP_KEY ORVANE_SETTINGS_KEY "\\Receiver"

/* The watching window: what the tray program last told it. */
static struct tagWATCHER {
    HWND hWnd;
    UINT uiSources;
    std::string strLearnt;
} Watcher;

std::string UnixPath(const std::string &strWindowsPath)
{
    std::string strPath = strWindowsPath;
    if (strPath.size() >= 2 && (strPath[0] == 'Z' || strPath[0] == 'z') && strPath[1] == ':')
        strPath.erase(0, 2);
    for (char &ch : strPath)
        if (ch == '\\')
            ch = '/';
    return strPath;
}

static std::string ReadWholeFile(const std::string &strPath)
{
    std::string strText;
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return strText;
    char achBuffer[256];
    DWORD cbRead;
    while (ReadFile(hFile, achBuffer, sizeof(achBuffer), &cbRead, NULL) && cbRead > 0)
        strText.append(achBuffer, cbRead);
    CloseHandle(hFile);
    return strText;
}

int RunUnixScript(const std::string &strScript, DWORD dwTimeout)
{
    static int iScript;
    char szName[64];
    snprintf(szName, sizeof(szName), "unix-%lu-%d", GetCurrentProcessId(), ++iScript);
    std::string strBase = BinaryDir() + szName;
    std::string strDone = strBase + ".done";
    DeleteFileA(strDone.c_str());
    char szDisplay[64] = "";
    GetEnvironmentVariableA("DISPLAY", szDisplay, sizeof(szDisplay));
    /* The status is written to a file of its own and renamed, so that it is whole when seen. */
    std::string strText = std::string(szDisplay[0] != '\0' ? "export DISPLAY=" + std::string(szDisplay) + "\n" : "")
                          + "(\n" + strScript + "\n)\necho $? > '" + UnixPath(strDone) + ".part'\nmv '"
                          + UnixPath(strDone) + ".part' '" + UnixPath(strDone) + "'\n";
    std::string strFile = strBase + ".sh";
    HANDLE hFile = CreateFileA(strFile.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return -1;
    DWORD cbWritten;
    WriteFile(hFile, strText.data(), (DWORD)strText.size(), &cbWritten, NULL);
    CloseHandle(hFile);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    std::string strCommand = "/bin/sh \"" + UnixPath(strFile) + "\"";
    if (!CreateProcessA(NULL, &strCommand[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return -1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    bool bEnded = WaitFor([&] { return GetFileAttributesA(strDone.c_str()) != INVALID_FILE_ATTRIBUTES; }, dwTimeout);
    int iStatus = bEnded ? atoi(ReadWholeFile(strDone).c_str()) : -1;
    DeleteFileA(strDone.c_str());
    DeleteFileA(strFile.c_str());
    return iStatus;
}

bool XdoTool(const std::string &strArguments)
{
    return RunUnixScript("xdotool " + strArguments) == 0;
}

bool LircSession(tagLIRCD *pld)
{
    char szDir[MAX_PATH] = "", szPort[16] = "";
    if (!GetEnvironmentVariableA("ORVANE_LIRC_DIR", szDir, sizeof(szDir))
        || !GetEnvironmentVariableA("ORVANE_LIRC_PORT", szPort, sizeof(szPort)))
        return false;
    pld->strDir = szDir;
    pld->iPort = atoi(szPort);
    return pld->iPort > 0;
}

bool StartLircd(const tagLIRCD &ld)
{
    std::string strDir = "'" + ld.strDir + "'";
    if (RunUnixScript("lircd -O " + strDir + "/lircd.options " + strDir + "/lircd.conf </dev/null >>" + strDir
                      + "/lircd.log 2>&1 &") != 0)
        return false;
    return WaitFor([&] { return LoopbackListens(ld.iPort); }, 10000);
}

bool StopLircd(const tagLIRCD &ld)
{
    std::string strPid = "'" + ld.strDir + "/lircd.pid'";
    /* Waits until the daemon has gone, pid file and all. */
    return RunUnixScript("pid=$(cat " + strPid + ") || exit 1\nkill $pid\nfor i in $(seq 200); do\n"
                         "  kill -0 $pid 2>/dev/null || exit 0\n  sleep 0.05\ndone\nexit 1") == 0
           && !LoopbackListens(ld.iPort);
}

bool SimulateLirc(const tagLIRCD &ld, const std::string &strButton, int iCount, DWORD dwInterval,
                  const std::string &strRemote)
{
    char szScript[512];
    /* The held button's own pace, as a receiver repeats: the lines are timed by the script. */
    snprintf(szScript, sizeof(szScript),
             "for i in $(seq 0 %d); do\n"
             "  irsend -d '%s/lircd.sock' SIMULATE \"$(printf '%%016x %%02x %%s %%s' 1 $i '%s' '%s')\" || exit 1\n"
             "  [ $i -lt %d ] && sleep %u.%03u\n"
             "done\nexit 0",
             iCount - 1, ld.strDir.c_str(), strButton.c_str(), strRemote.c_str(), iCount - 1,
             (unsigned)(dwInterval / 1000), (unsigned)(dwInterval % 1000));
    return RunUnixScript(szScript) == 0;
}

static bool StartWinsock()
{
    static bool bStarted;
    WSADATA wd;
    if (!bStarted)
        bStarted = WSAStartup(MAKEWORD(2, 2), &wd) == 0;
    return bStarted;
}

static sockaddr_in Loopback(int iPort)
{
    sockaddr_in sa = {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons((u_short)iPort);
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return sa;
}

bool LoopbackListens(int iPort)
{
    if (!StartWinsock())
        return false;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in sa = Loopback(iPort);
    bool bListens = connect(s, (const sockaddr *)&sa, sizeof(sa)) == 0;
    closesocket(s);
    return bListens;
}

bool OpenTestServer(tagTESTSERVER *pts, int iPort)
{
    *pts = { INVALID_SOCKET, INVALID_SOCKET, 0 };
    if (!StartWinsock())
        return false;
    pts->sListen = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in sa = Loopback(iPort);
    int cbAddress = sizeof(sa);
    if (bind(pts->sListen, (const sockaddr *)&sa, sizeof(sa)) != 0 || listen(pts->sListen, 4) != 0
        || getsockname(pts->sListen, (sockaddr *)&sa, &cbAddress) != 0)
        return false;
    pts->iPort = ntohs(sa.sin_port);
    return true;
}

bool AcceptClient(tagTESTSERVER *pts, DWORD dwTimeout)
{
    DropClient(pts);
    return WaitFor([&] {
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(pts->sListen, &fds);
        timeval tv = { 0, 0 };
        if (select(0, &fds, NULL, NULL, &tv) == 1)
            pts->sClient = accept(pts->sListen, NULL, NULL);
        if (pts->sClient == INVALID_SOCKET)
            return false;
        /* Each line goes out as it is sent, as a server of presses sends them. */
        BOOL bNoDelay = TRUE;
        setsockopt(pts->sClient, IPPROTO_TCP, TCP_NODELAY, (const char *)&bNoDelay, sizeof(bNoDelay));
        return true;
    }, dwTimeout);
}

bool SendToClient(tagTESTSERVER *pts, const std::string &strBytes)
{
    return pts->sClient != INVALID_SOCKET
           && send(pts->sClient, strBytes.data(), (int)strBytes.size(), 0) == (int)strBytes.size();
}

void DropClient(tagTESTSERVER *pts)
{
    if (pts->sClient != INVALID_SOCKET)
        closesocket(pts->sClient);
    pts->sClient = INVALID_SOCKET;
}

void CloseTestServer(tagTESTSERVER *pts)
{
    DropClient(pts);
    if (pts->sListen != INVALID_SOCKET)
        closesocket(pts->sListen);
    pts->sListen = INVALID_SOCKET;
}

void SetSources(bool bLirc, const std::string &strServer, bool bKeys)
{
    WriteRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "LircSource", bLirc ? "1" : "0");
    WriteRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "LircServer", strServer);
    WriteRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "KeySource", bKeys ? "1" : "0");
}

void WriteMapEntry(const std::string &strName, const std::string &strButton)
{
    if (strButton.empty())
        DeleteRegValue(HKEY_CURRENT_USER, MAP_KEY, strName.c_str());
    else
        WriteRegString(HKEY_CURRENT_USER, MAP_KEY, strName.c_str(), strButton);
}

void ResetSources()
{
    SetSources(false, "localhost:8765", false);
    DeleteRegKey(HKEY_CURRENT_USER, MAP_KEY);
}

/* Marks that no report has come since. */
#define NO_REPORT 0xFFFFFFFF

void TellTrayToReadSources(HWND hTray)
{
    Watcher.uiSources = NO_REPORT;
    PostMessageA(hTray, WM_COMMAND, TRAY_READ_RECEIVER_SETTINGS, 0);
    /* The tray program reports to its watcher once it has read them. */
    if (Watcher.hWnd != NULL)
        WaitFor([] { return Watcher.uiSources != NO_REPORT; });
}

std::string TrayTip()
{
    std::vector<tagTRAYENTRY> vEntries;
    return ReadTrayIcons(&vEntries) && vEntries.size() == 1 ? vEntries[0].strTip : "";
}

std::vector<std::string> OpenPressLogLines(HWND hTray)
{
    HWND hLog = FindWindowA("TELLUMOLOG", "Press Log");
    if (hLog == NULL) {
        PostMessageA(hTray, WM_COMMAND, 264, 0);
        /* The log comes to the front last: then it is open. */
        WaitFor([&] {
            hLog = FindWindowA("TELLUMOLOG", "Press Log");
            return hLog != NULL && GetForegroundWindow() == hLog;
        });
    }
    return PressLogLines(hLog);
}

static LRESULT CALLBACK WatcherWndProc(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    if (uiMessage == SOURCE_STATE_MESSAGE) {
        Watcher.uiSources = (UINT)wParam;
        return 0;
    }
    if (uiMessage == WM_COPYDATA) {
        const COPYDATASTRUCT *pcds = (const COPYDATASTRUCT *)lParam;
        if (pcds->dwData != LEARNED_PRESS_DATA || pcds->cbData != sizeof(tagLEARNEDPRESS))
            return FALSE;
        const tagLEARNEDPRESS *plp = (const tagLEARNEDPRESS *)pcds->lpData;
        Watcher.strLearnt.assign(plp->szName, strnlen(plp->szName, sizeof(plp->szName)));
        return TRUE;
    }
    return DefWindowProcA(hWnd, uiMessage, wParam, lParam);
}

void WatchTraySources(HWND hTray, bool bLearn)
{
    if (Watcher.hWnd == NULL) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WatcherWndProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "SourceTestWatcher";
        RegisterClassA(&wc);
        Watcher.hWnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, wc.hInstance, NULL);
    }
    Watcher.uiSources = 0;
    Watcher.strLearnt.clear();
    PostMessageA(hTray, WM_COMMAND, MAKEWPARAM(TRAY_WATCH_SOURCES, bLearn ? 1 : 0), (LPARAM)Watcher.hWnd);
}

UINT WatchedSources()
{
    return Watcher.uiSources;
}

std::string LearntName()
{
    return Watcher.strLearnt;
}
