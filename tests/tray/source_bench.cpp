/*
 * source_bench.cpp - how long a press takes from its arrival to the key it types reaching
 * the window in front, by the receiver driver's road (WM_USER posted to Tellumo, as the
 * driver posts it) and by the LIRC road (a line from a LIRC server on loopback, this
 * program being the server), next to the floor: the same key sent straight to the window
 * with SendInput, and for the LIRC road also the network hop (a line from one loopback
 * socket to another). Median and 99th percentile, and the ratios of the roads to their
 * floors. Then Tellumo's own work while idle for 30 seconds with every source on (the LIRC
 * connection standing and the keyboard hook in place). Prints figures only.
 *
 *   scripts/wine-session.sh wine build/bin/source_bench.exe [PRESSES]
 */
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <functional>
#include "OrvaneStore.h"
#include "sourcetest.h"
#include "testsupport.h"
#include "traytest.h"
#include "Tellumo.h"

namespace {

const BYTE abRaw[2] = { 33, 34 };              /* buttons 0 and 1 of the remote: A and B */
const char *const apszLirc[2] = { "0000000000000001 00 KEY_1 bench\n", "0000000000000002 00 KEY_2 bench\n" };
const WORD awKeys[2] = { 'A', 'B' };
const DWORD IDLE_MS = 30000;

/* The window in front: when the key came. */
struct tagTARGET {
    HWND hWnd;
    double dArrived;
    WPARAM wKey;
} Target;

LRESULT CALLBACK TargetWndProc(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    if (uiMessage == WM_KEYDOWN && Target.dArrived == 0.0) {
        Target.dArrived = Seconds();
        Target.wKey = wParam;
        return 0;
    }
    return DefWindowProcA(hWnd, uiMessage, wParam, lParam);
}

bool CreateTarget()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TargetWndProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "SourceBenchTarget";
    RegisterClassA(&wc);
    Target.hWnd = CreateWindowExA(0, wc.lpszClassName, "Keys arrive here", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                  300, 200, NULL, NULL, wc.hInstance, NULL);
    SetForegroundWindow(Target.hWnd);
    SetFocus(Target.hWnd);
    return WaitFor([] { return GetForegroundWindow() == Target.hWnd; });
}

/* Handles messages as they come until the key has arrived (or a second has passed). */
bool AwaitKey(WPARAM wKey)
{
    double dLimit = Seconds() + 1.0;
    while (Target.dArrived == 0.0 && Seconds() < dLimit) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return Target.dArrived != 0.0 && Target.wKey == wKey;
}

/* Times cPresses presses of each road, A and B in turn (the auto-repeat rule takes the same
   code again soon for a repeat), the roads taking turns so that the machine's load falls on
   all alike; each trigger starts the clock at the press's arrival. Milliseconds per road. */
std::vector<std::vector<double>> Measure(int cPresses, const std::vector<std::function<void(int)>> &vfnRoads)
{
    std::vector<std::vector<double>> vvTimes(vfnRoads.size());
    for (int i = 0; i < cPresses; i++) {
        for (size_t iRoad = 0; iRoad < vfnRoads.size(); iRoad++) {
            Target.dArrived = 0.0;
            double dStart = Seconds();
            vfnRoads[iRoad](i % 2);
            if (AwaitKey(awKeys[i % 2]))
                vvTimes[iRoad].push_back((Target.dArrived - dStart) * 1000.0);
            PumpMessages(20);       /* the key's release, and whatever else follows it */
        }
    }
    return vvTimes;
}

double Percentile(std::vector<double> vValues, double dShare)
{
    if (vValues.empty())
        return 0.0;
    std::sort(vValues.begin(), vValues.end());
    size_t i = std::min(vValues.size() - 1, (size_t)(dShare * (double)vValues.size()));
    return vValues[i];
}

void Print(const char *pszRoad, const std::vector<double> &vTimes, int cPresses)
{
    printf("%-34s median %7.3f ms   99th %7.3f ms   (%zu of %d arrived)\n", pszRoad, Median(vTimes),
           Percentile(vTimes, 0.99), vTimes.size(), cPresses);
}

#define WM_HOP_SOCKET (WM_APP + 1)

/* One line from a loopback socket to another, in milliseconds: read at once by a waiting
   recv (bAsync false), or as a client of a window reads it, told by WSAAsyncSelect (the
   way the tray program's LIRC client hears of each line). */
std::vector<double> MeasureHop(int cLines, bool bAsync)
{
    std::vector<double> vTimes;
    tagTESTSERVER ts;
    if (!OpenTestServer(&ts))
        return vTimes;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in sa = {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons((u_short)ts.iPort);
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s, (const sockaddr *)&sa, sizeof(sa)) == 0 && AcceptClient(&ts, 5000)
        && (!bAsync || WSAAsyncSelect(s, Target.hWnd, WM_HOP_SOCKET, FD_READ) == 0)) {
        for (int i = 0; i < cLines; i++) {
            char achLine[64];
            double dStart = Seconds();
            send(ts.sClient, apszLirc[i % 2], (int)strlen(apszLirc[i % 2]), 0);
            MSG msg;
            if (bAsync) {
                while (GetMessageA(&msg, Target.hWnd, WM_HOP_SOCKET, WM_HOP_SOCKET) > 0
                       && WSAGETSELECTEVENT(msg.lParam) != FD_READ) {
                }
            }
            if (recv(s, achLine, sizeof(achLine), 0) > 0)
                vTimes.push_back((Seconds() - dStart) * 1000.0);
        }
    }
    closesocket(s);
    CloseTestServer(&ts);
    return vTimes;
}

/* Tellumo's processor time so far, in 100-nanosecond units, as Windows reports it. */
unsigned long long ProcessTime(HANDLE hProcess)
{
    FILETIME ftCreation, ftExit, ftKernel, ftUser;
    if (!GetProcessTimes(hProcess, &ftCreation, &ftExit, &ftKernel, &ftUser))
        return 0;
    return (((unsigned long long)ftKernel.dwHighDateTime << 32) | ftKernel.dwLowDateTime)
           + (((unsigned long long)ftUser.dwHighDateTime << 32) | ftUser.dwLowDateTime);
}

/* The same as Linux counts it for the process that runs Tellumo.exe under Wine: clock
   ticks of all its threads (utime + stime), or -1 when it cannot be read. */
long LinuxTicks()
{
    std::string strOut = BinaryDir() + "source_bench.ticks";
    std::string strProgram = BinaryDir() + "Tellumo.exe";
    int iStatus = RunUnixScript("for p in /proc/[0-9]*; do\n"
                                "  if { tr '\\0' ' ' < $p/cmdline; } 2>/dev/null | grep -qiF '" + strProgram + "'; then\n"
                                "    awk '{ print $14 + $15 }' $p/stat\n"
                                "  fi\n"
                                "done > '" + UnixPath(strOut) + "'");
    FILE *pFile = fopen(strOut.c_str(), "r");
    long lTicks = -1;
    if (iStatus == 0 && pFile != NULL && fscanf(pFile, "%ld", &lTicks) != 1)
        lTicks = -1;
    if (pFile != NULL)
        fclose(pFile);
    DeleteFileA(strOut.c_str());
    return lTicks;
}

}  // namespace

int main(int argc, char **argv)
{
    int cPresses = argc > 1 ? atoi(argv[1]) : 300;
    if (cPresses < 10)
        cPresses = 10;
    if (!PrepareReceiver() || !InstallTestAssignments()) {
        printf("the receiver driver or the assignments cannot be set up\n");
        return 1;
    }
    WriteRegString(HKEY_CURRENT_USER, ORVANE_ROOT_KEY "\\PC", "0", "KEYA,TYPE");
    WriteRegString(HKEY_CURRENT_USER, ORVANE_ROOT_KEY "\\PC", "1", "KEYB,TYPE");
    ResetSources();
    tagTESTSERVER ts;
    if (!OpenTestServer(&ts) || !CreateTarget()) {
        printf("no loopback server or no window in front\n");
        return 1;
    }
    SetSources(true, "127.0.0.1:" + std::to_string(ts.iPort), true);
    tagTELLUMO tProgram;
    if (!StartTellumo(&tProgram) || !AcceptClient(&ts, 10000)) {
        printf("Tellumo did not start or did not connect\n");
        return 1;
    }
    WatchTraySources(tProgram.hWnd, false);
    WaitFor([] { return (WatchedSources() & SOURCE_LIRC_CONNECTED) && (WatchedSources() & SOURCE_KEYS_ON); });
    SetForegroundWindow(Target.hWnd);
    SetFocus(Target.hWnd);

    printf("%d presses each, every source on (the keyboard hook sees every key)\n\n", cPresses);
    long lTicksStart = LinuxTicks();
    std::vector<std::vector<double>> vvTimes = Measure(cPresses, {
        [](int iKey) {
            INPUT ai[2] = {};
            ai[0].type = ai[1].type = INPUT_KEYBOARD;
            ai[0].ki.wVk = ai[1].ki.wVk = awKeys[iKey];
            ai[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, ai, sizeof(INPUT));
        },
        [&](int iKey) { PostMessageA(tProgram.hWnd, WM_USER, abRaw[iKey], 0); },
        [&](int iKey) { SendToClient(&ts, apszLirc[iKey]); },
    });
    const std::vector<double> &vFloor = vvTimes[0], &vDriver = vvTimes[1], &vLirc = vvTimes[2];
    long lTicksPresses = LinuxTicks() - lTicksStart;
    std::vector<double> vHop = MeasureHop(cPresses, true);
    std::vector<double> vHopRecv = MeasureHop(cPresses, false);
    Print("floor: SendInput straight", vFloor, cPresses);
    Print("network hop: to a window (select)", vHop, cPresses);
    Print("  the same to a waiting recv", vHopRecv, cPresses);
    Print("driver road: WM_USER to Tellumo", vDriver, cPresses);
    Print("LIRC road: a line from the server", vLirc, cPresses);
    double dFloor = Median(vFloor), dFloor99 = Percentile(vFloor, 0.99);
    double dHop = Median(vHop), dHop99 = Percentile(vHop, 0.99);
    printf("\ndriver road / floor:           median %5.2f   99th %5.2f\n", Median(vDriver) / dFloor,
           Percentile(vDriver, 0.99) / dFloor99);
    printf("LIRC road / (floor + hop):     median %5.2f   99th %5.2f\n", Median(vLirc) / (dFloor + dHop),
           Percentile(vLirc, 0.99) / (dFloor99 + dHop99));

    /* Idle: nothing arrives for 30 seconds. */
    HANDLE hProcess = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, tProgram.pi.dwProcessId);
    PumpMessages(500);
    unsigned long long ullBefore = ProcessTime(hProcess);
    long lTicksBefore = LinuxTicks();
    PumpMessages(IDLE_MS);
    unsigned long long ullAfter = ProcessTime(hProcess);
    long lTicksAfter = LinuxTicks();
    printf("\nTellumo's processor time in clock ticks (Linux /proc, utime + stime): %ld for the %d presses above,\n",
           lTicksPresses, 2 * cPresses);
    printf("and idle for %lu s, LIRC connected and the keyboard hook in place:\n", IDLE_MS / 1000);
    if (lTicksBefore >= 0 && lTicksAfter >= 0)
        printf("  Linux /proc: %ld clock ticks\n", lTicksAfter - lTicksBefore);
    else
        printf("  Linux /proc: Tellumo's process not found\n");
    /* Wine 8 does not keep another process's times up to date (a process spinning for
       seconds reads the same): shown as Windows reports it, but the ticks above count. */
    printf("  GetProcessTimes: %llu units of 100 ns (under Wine not the process's own work)\n", ullAfter - ullBefore);
    CloseHandle(hProcess);

    CloseTellumo(&tProgram);
    CloseTestServer(&ts);
    ResetSources();
    InstallTestAssignments();
    return 0;
}
