/*
 * press_bench.cpp - what one button press costs: Tellumo's RunCode (DecodeScanCode, the
 * mode's key name and the button's command, and ParseFunction when a command is assigned),
 * next to the registry reads that the press cannot avoid (the raw code's translation, the
 * mode's key name, the button's command: open, query and close each), measured in the same
 * run; then the same press with
 * Tellumo's press log open: the engine reports the command and the log keeps the press's
 * record (its list takes the lines in later, on a timer, outside the press). Prints figures
 * only.
 *
 * The two-item command uses keywords that have no action of their own, so that the
 * figure is the engine's work and not that of a program being launched or a key typed.
 *
 *   scripts/wine-session.sh wine build/bin/press_bench.exe [ROUNDS]
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <vector>
#include "OrvaneStore.h"
#include "press.h"
#include "presslog.h"

namespace {

const char szRoot[] = ORVANE_ROOT_KEY;
const BYTE bRawUnassigned = 30, bRawCommand = 31;
const char szCommand[] = "MCIRECORD\"cdaudio\",FINDFILE";
const int iPressesPerRound = 2000;

void SetValue(const char *pszTopic, const char *pszName, const char *pszData)
{
    char szPath[128];
    snprintf(szPath, sizeof(szPath), "%s\\%s", szRoot, pszTopic);
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, szPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL) == ERROR_SUCCESS) {
        RegSetValueExA(hKey, pszName, 0, REG_SZ, (const BYTE *)pszData, (DWORD)strlen(pszData) + 1);
        RegCloseKey(hKey);
    }
}

/* One registry read as the press makes it: open the key, query the value, close. */
void RawRead(const char *pszPath, const char *pszName)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, pszPath, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return;
    char buffer[256];
    DWORD cbData = sizeof(buffer);
    RegQueryValueExA(hKey, pszName, NULL, NULL, (BYTE *)buffer, &cbData);
    RegCloseKey(hKey);
}

void RawReads(BYTE bRaw, const char *pszButton)
{
    char szRaw[4];
    snprintf(szRaw, sizeof(szRaw), "%u", bRaw);
    RawRead(ORVANE_ROOT_KEY "\\" STORE_TRANSLATION_KEY, szRaw);
    RawRead(ORVANE_ROOT_KEY "\\" STORE_MODE_KEY, "1");
    RawRead(ORVANE_ROOT_KEY "\\PC", pszButton);
}

/* One press as Tellumo makes it: its run of the code between the log's calls (which do
   nothing while the log is closed). */
void Press(BYTE bRaw)
{
    tagPRESS prPress;
    BeginPress(&prPress, bRaw, PR_PRESS);
    BYTE bMode = 0, bShift = 0;
    RunCode(NULL, bRaw, &bMode, &bShift);
    EndPress(&prPress);
}

/* Tellumo's texts, for the log's window and lines. */
HINSTANCE hTellumo;

/* Lets the log window paint what it was given (outside the measured rounds). */
void Idle()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

/* Opens the log and fills its list, waiting for the timer that brings the lines in. */
HWND OpenFullLog(BYTE bRaw)
{
    HWND hLog = OpenPressLog(hTellumo);
    HWND hList = FindWindowExA(hLog, NULL, "ListBox", NULL);
    for (int i = 0; i < PRESS_LOG_LINES; i++)
        Press(bRaw);
    while (SendMessageA(hList, LB_GETCOUNT, 0, 0) < PRESS_LOG_LINES) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, INFINITE, QS_ALLINPUT);
        Idle();
    }
    Idle();
    return hLog;
}

double Now()
{
    static LARGE_INTEGER liFrequency;
    if (liFrequency.QuadPart == 0)
        QueryPerformanceFrequency(&liFrequency);
    LARGE_INTEGER li;
    QueryPerformanceCounter(&li);
    return (double)li.QuadPart / (double)liFrequency.QuadPart;
}

/* Microseconds per call of one round. */
template <typename Work>
double Round(Work work)
{
    double dStart = Now();
    for (int i = 0; i < iPressesPerRound; i++)
        work();
    return (Now() - dStart) * 1e6 / iPressesPerRound;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Compare(const char *pszCase, BYTE bRaw, const char *pszButton, int iRounds)
{
    std::vector<double> press, raw, logged;
    /* Interleaved rounds, so that all figures see the same state of the machine. */
    for (int i = 0; i < iRounds; i++) {
        raw.push_back(Round([&] { RawReads(bRaw, pszButton); }));
        press.push_back(Round([&] { Press(bRaw); }));
        HWND hLog = OpenFullLog(bRaw);
        logged.push_back(Round([&] { Press(bRaw); }));
        DestroyWindow(hLog);
    }
    double dPress = Median(press), dRaw = Median(raw), dLogged = Median(logged);
    printf("%-24s press %8.2f us   raw reads %8.2f us   ratio %.2f\n", pszCase, dPress, dRaw, dPress / dRaw);
    printf("%-24s press %8.2f us   log closed %7.2f us   ratio %.2f\n", "  with the log open", dLogged, dPress,
           dLogged / dPress);
}

} // namespace

int main(int argc, char **argv)
{
    int iRounds = argc > 1 ? atoi(argv[1]) : 15;
    if (iRounds < 1)
        iRounds = 1;

    hTellumo = LoadLibraryExA("Tellumo.exe", NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (hTellumo == NULL) {
        printf("Tellumo.exe (for the log's texts) is not next to this program\n");
        return 1;
    }
    SetValue(STORE_MODE_KEY, "1", "PC");
    SetValue(STORE_TRANSLATION_KEY, "30", "5");
    SetValue(STORE_TRANSLATION_KEY, "31", "6");
    SetValue("PC", "5", "");
    SetValue("PC", "6", szCommand);
    Press(bRawUnassigned);
    Press(bRawCommand);

    printf("One press, median of %d rounds of %d presses (three registry reads each):\n", iRounds,
           iPressesPerRound);
    Compare("unassigned button", bRawUnassigned, "5", iRounds);
    Compare("two-item command", bRawCommand, "6", iRounds);
    return 0;
}
