/*
 * task_probes.h - the task switcher tests' windows: a taskprobe process opening the kinds
 * of top-level window the switcher must list or leave out, and ways to find them.
 */
#ifndef ORVANE_TASK_PROBES_H
#define ORVANE_TASK_PROBES_H

#include <windows.h>
#include <string>
#include <vector>

/* One taskprobe process and the windows it opened. */
struct tagPROBES {
    PROCESS_INFORMATION pi;
    std::vector<std::string> titles;    /* as given, "" for untitled windows */
};

/* Starts taskprobe with "<kind>:<title>" arguments and waits until every window named in
   bWaitFor exists; false when it did not start or the windows did not appear. */
bool StartProbes(tagPROBES &probes, const std::vector<std::string> &arguments,
                 const std::vector<std::string> &waitFor);
/* Ends the probe process. */
void StopProbes(tagPROBES &probes);

/* A top-level window of any process by its exact title (null when none). */
HWND FindTitled(const std::string &strTitle);

/* Titles of the visible top-level windows in the system's window order. */
std::vector<std::string> WindowTitlesInOrder();

/* On the Windows NT family: runs the current test again in a copy of this program named
   strCopyName, which the platform is told (HKCU\Software\Wine\AppDefaults\<name>
   Version=win95) to report as the Windows 95 family, expects it to pass and returns true;
   the caller then returns at once. On the Windows 95 family: returns false. */
bool RerunUnderWindows95(const std::string &strCopyName);

#endif /* ORVANE_TASK_PROBES_H */
