/*
 * probe_client.h - starting standins/probe (probe.exe) from a test, finding its windows
 * and reading what they recorded (see probe.cpp for the window specs and the log lines);
 * moving the cursor for commands that act where it points.
 */
#ifndef ORVANE_PROBE_CLIENT_H
#define ORVANE_PROBE_CLIENT_H

#include <windows.h>
#include <string>
#include <vector>

struct ProbeProcess {
    HANDLE hProcess = NULL;
    std::string strLog;      /* the log file, in the test program's folder */
};

/* Starts probe.exe with the given window specs ("NAME,X,Y,W,H[,hidden]..."), logging to
   probe-<strLogName>.log, and waits until every window exists. strProgram names another
   copy of probe.exe in the test programs' folder, for tests that tell programs apart. */
bool StartProbe(ProbeProcess *pp, const std::string &strLogName, const std::vector<std::string> &windows,
                const std::string &strProgram = "probe.exe");
void StopProbe(ProbeProcess *pp);

HWND ProbeWindow(const char *pszName);                         /* top-level "Probe NAME" */
HWND ProbeControl(const char *pszName, const char *pszClass);  /* "Edit", "ListBox", "Button" */

std::vector<std::string> ProbeLog(const ProbeProcess &pp);
/* Waits until the log holds the line (e.g. "queued A 0x0112 0xf030 0x0"). */
bool WaitForProbeLine(const ProbeProcess &pp, const std::string &strLine, DWORD dwTimeout = 3000);
bool ProbeLogHas(const ProbeProcess &pp, const std::string &strLine);
/* Lines of the log that start with the prefix (e.g. "queued B "). */
std::vector<std::string> ProbeLines(const ProbeProcess &pp, const std::string &strPrefix);

/* Sentinels: something that window strName (as the log names it) takes from its queue
   after everything an action put there before; once the probe has logged it, the action has
   had all its effect. Each waits for the probe to log one more of its kind, and is false
   when that does not come. */
/* A press and release of F24 (SENTINEL_KEY), which no control acts on, behind the input
   sent before it; the window must have the keyboard focus. */
#define SENTINEL_KEY VK_F24
bool AwaitInputSentinel(const ProbeProcess &pp, const std::string &strName);
/* WM_NULL posted to hWnd, behind the messages posted to it before. */
bool AwaitPostedSentinel(const ProbeProcess &pp, HWND hWnd, const std::string &strName);

/* The log's way of writing a number: 0x and lower-case hexadecimal. */
std::string ProbeHex(unsigned long long ull);

/* Moves the cursor and waits until the system reports it there: under Wine the
   position of an earlier move can still come back for a moment. */
bool MoveCursor(int x, int y);
/* The cursor position once two readings a moment apart agree. */
POINT SettledCursorPosition();

#endif /* ORVANE_PROBE_CLIENT_H */
