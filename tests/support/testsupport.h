/*
 * testsupport.h - helpers for the tests that run under Wine: where the built binaries
 * are, running a second process, registry strings, pumping messages while waiting.
 */
#ifndef ORVANE_TESTSUPPORT_H
#define ORVANE_TESTSUPPORT_H

#include <windows.h>
#include <map>
#include <string>
#include <vector>

/* Folder of the running test program, where every built binary lies (with a '\'). */
std::string BinaryDir();

/* Starts a command line; *ppi gets both handles, for the caller to close. A process that
   Wine lost while starting it (seen, rarely, on a loaded machine) is reported on stderr
   and started once more. */
bool CreateTestProcess(const std::string &strCommandLine, PROCESS_INFORMATION *ppi);

/* Starts a command line; returns the process handle for the caller to close, or null. */
HANDLE StartProcess(const std::string &strCommandLine);

/* Runs a command line to its end; returns its exit code, or (DWORD)-1 when it could not
   start or did not end within dwTimeout milliseconds (then it is terminated). */
DWORD RunProcess(const std::string &strCommandLine, DWORD dwTimeout = 30000);

/* String values in the registry. lpszValue null means the key's default value; a missing
   key reads false and is created by a write. DeleteRegKey removes a key with its subkeys
   (true when it deleted the key). */
bool ReadRegString(HKEY hRoot, LPCSTR lpszKey, LPCSTR lpszValue, std::string *pstrData);
bool WriteRegString(HKEY hRoot, LPCSTR lpszKey, LPCSTR lpszValue, const std::string &strData);
void DeleteRegValue(HKEY hRoot, LPCSTR lpszKey, LPCSTR lpszValue);
bool DeleteRegKey(HKEY hRoot, LPCSTR lpszKey);

/* One stored registry value: its type and its bytes exactly as stored. */
struct tagSTOREDVALUE {
    DWORD dwType;
    std::string strData;
    bool operator==(const tagSTOREDVALUE &o) const { return dwType == o.dwType && strData == o.strData; }
};
typedef std::map<std::string, tagSTOREDVALUE> RegistrySnapshot;   /* "key\name" -> value */

/* Every value of the named subkeys of lpszRoot (HKEY_CURRENT_USER), or of all its subkeys
   when none are named; a missing key adds nothing. */
RegistrySnapshot SnapshotRegistry(LPCSTR lpszRoot, const std::vector<std::string> &keys = {});

/* The texts of a window's static controls run together: what a message box says. */
std::string StaticTexts(HWND hWnd);

/* The visible HTML Help window ("HH Parent") that the thread opened, or null. */
HWND HelpWindowOfThread(DWORD idThread);

/* Dispatches this thread's messages for about dwMilliseconds. */
void PumpMessages(DWORD dwMilliseconds);

/* Presses and releases a key, as input from the keyboard. */
void PressAndRelease(WORD wVk);
/* Presses Caps Lock once, as a user would; and whether this thread sees it on. */
void PressCapsLock();
bool CapsLockOn();

/* Writes what the window shows, frame included, to shots\<strName>.bmp in the binary
   folder, for people to look at. Returns false when the file could not be written. */
bool SaveWindowPicture(HWND hWnd, const std::string &strName);

/* For benchmarks: a steady clock in seconds, and the median of some figures. */
double Seconds();
double Median(std::vector<double> values);

/* Pumps messages until bDone() is true or dwTimeout passes; returns bDone()'s last value. */
template <typename Predicate>
bool WaitFor(Predicate bDone, DWORD dwTimeout = 5000)
{
    DWORD dwStart = GetTickCount();
    while (!bDone()) {
        if (GetTickCount() - dwStart > dwTimeout)
            return bDone();
        PumpMessages(10);
    }
    return true;
}

#endif /* ORVANE_TESTSUPPORT_H */
