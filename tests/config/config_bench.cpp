/*
 * config_bench.cpp - what a configuration run costs: opening (MouseButtons until the
 * picture of the remote is first painted: the 207 button values read and converted, the
 * picture loaded and drawn) and closing (every value converted, and what changed written
 * back), next to the raw registry work of the same 207 values (open, query or set, close
 * each), measured in the same run. Prints figures only.
 *
 *   scripts/wine-session.sh wine build/bin/config_bench.exe [ROUNDS]
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "Brenvik.h"
#include "testsupport.h"
#include "OrvaneStore.h"

namespace {

const char szRoot[] = ORVANE_ROOT_KEY;
const char *const pszModeKeys[] = { "PC", "WEB", "PHONE", "DVD", "CD" };

/* Every button value by key and name, as the run reads and writes them. */
struct tagVALUE {
    std::string strKey, strName, strData;
};
std::vector<tagVALUE> vValues;

/* A realistic assignment for button code c of mode m: most buttons carry a function. */
std::string Command(int m, int c)
{
    static const char *const pszCommands[] = {
        "LAUNCH\"C:\\windows\\notepad.exe\x7Freadme.txt\"", "WEBADDRESS\"http://example.org/\"",
        "MCIPLAY\"cdaudio\"", "PAGEUP,TYPE", "WRITE\"Hello \"\"you\"\"\"", "SELECT,CLOSE",
        "HOTKEY\"10010\"", "MESSAGE\"[0010:0:0]\"", "", "MIXERMUTE" };
    return pszCommands[(m * 7 + c) % (sizeof(pszCommands) / sizeof(pszCommands[0]))];
}

void Populate()
{
    char szDirectory[MAX_PATH];
    GetModuleFileNameA(NULL, szDirectory, sizeof(szDirectory));
    *strrchr(szDirectory, '\\') = '\0';
    Write("Settings", "WorkingDirectory", szDirectory);
    for (int m = 0; m < 5; m++) {
        Write("Mode", std::to_string(m + 1).c_str(), pszModeKeys[m]);
        for (int c = 0; c <= 40; c++) {
            std::string strName = c == 40 ? "Default" : std::to_string(c);
            vValues.push_back({ std::string(szRoot) + "\\" + pszModeKeys[m], strName, Command(m, c) });
        }
    }
    for (int c = 0; c < 2; c++)
        vValues.push_back({ std::string(szRoot) + "\\Default", std::to_string(c), Command(5, c) });
    for (const tagVALUE &v : vValues)
        Write(v.strKey.c_str() + sizeof(szRoot), v.strName.c_str(), v.strData.c_str());
}

void RawReads()
{
    for (const tagVALUE &v : vValues) {
        HKEY hKey;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, v.strKey.c_str(), 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
            continue;
        char szData[513];
        DWORD cbData = sizeof(szData);
        RegQueryValueExA(hKey, v.strName.c_str(), NULL, NULL, (BYTE *)szData, &cbData);
        RegCloseKey(hKey);
    }
}

void RawWrites()
{
    for (const tagVALUE &v : vValues) {
        HKEY hKey;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, v.strKey.c_str(), 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
            continue;
        RegSetValueExA(hKey, v.strName.c_str(), 0, REG_SZ, (const BYTE *)v.strData.c_str(),
                       (DWORD)v.strData.size());
        RegCloseKey(hKey);
    }
}

/* Moments of one run, taken on the dialog's own thread. */
double dStart, dPainted, dClosing, dReturned;
bool bPaintSeen;

/* Watches the dialog's thread: after the picture's first paint has been handled (the
   marker posted when the paint arrives comes next), it notes the time and closes. */
LRESULT CALLBACK WatchRun(int iCode, WPARAM wParam, LPARAM lParam)
{
    MSG *pMsg = (MSG *)lParam;
    if (iCode == HC_ACTION && wParam == PM_REMOVE) {
        if (pMsg->message == WM_PAINT && !bPaintSeen) {
            bPaintSeen = true;
            PostMessageA(pMsg->hwnd, WM_APP, 0, 0);
        } else if (pMsg->message == WM_APP && bPaintSeen && dPainted == 0) {
            dPainted = Seconds();
            dClosing = Seconds();
            PostMessageA(pMsg->hwnd, WM_COMMAND, IDCANCEL, 0);
        }
    }
    return CallNextHookEx(NULL, iCode, wParam, lParam);
}

/* One whole run on this thread, as the tray program runs it on its own; microseconds to
   open and to close. */
bool Run(double *pdOpen, double *pdClose)
{
    dStart = dPainted = dClosing = dReturned = 0;
    bPaintSeen = false;
    HHOOK hHook = SetWindowsHookExA(WH_GETMESSAGE, WatchRun, NULL, GetCurrentThreadId());
    dStart = Seconds();
    MouseButtons(NULL);
    dReturned = Seconds();
    UnhookWindowsHookEx(hHook);
    *pdOpen = (dPainted - dStart) * 1e6;
    *pdClose = (dReturned - dClosing) * 1e6;
    return dPainted != 0;
}

template <typename Work>
double Time(Work work)
{
    double dBegin = Seconds();
    work();
    return (Seconds() - dBegin) * 1e6;
}

void Report(const char *pszCase, const char *pszRaw, const std::vector<double> &run, const std::vector<double> &raw)
{
    double dRun = Median(run), dRaw = Median(raw);
    printf("%-28s run %9.1f us   %s %9.1f us   ratio %.2f\n", pszCase, dRun, pszRaw, dRaw, dRun / dRaw);
}

} // namespace

int main(int argc, char **argv)
{
    int iRounds = argc > 1 ? atoi(argv[1]) : 9;
    if (iRounds < 1)
        iRounds = 1;
    Populate();
    double dOpen, dClose;
    if (!Run(&dOpen, &dClose)) {   /* warm-up: files, fonts, caches */
        printf("config_bench: the picture of the remote did not open\n");
        return 1;
    }
    std::vector<double> open, close, reads, writes;
    /* Interleaved, so that both figures see the same state of the machine. */
    for (int i = 0; i < iRounds; i++) {
        reads.push_back(Time(RawReads));
        if (!Run(&dOpen, &dClose))
            return 1;
        open.push_back(dOpen);
        close.push_back(dClose);
        writes.push_back(Time(RawWrites));
    }
    printf("A configuration run with %u button values, median of %d runs:\n", (unsigned)vValues.size(), iRounds);
    Report("open to the first picture", "raw reads ", open, reads);
    Report("close, what changed written", "raw writes", close, writes);
    return 0;
}
