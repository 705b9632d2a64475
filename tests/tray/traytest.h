/*
 * traytest.h - what the tray program's tests share: the receiver driver in a known state,
 * Tellumo started and closed as a separate process, an assignment store of the tests' own,
 * and a window in front that counts the messages the assigned commands post to it.
 */
#ifndef ORVANE_TRAYTEST_H
#define ORVANE_TRAYTEST_H

#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "remote.h"
#include "traywatch.h"

/* Installs and starts the driver service when needed; plugs the receiver in, speed 3,
   buttons enabled. Returns false when the driver cannot be made to run. */
bool PrepareReceiver();

/* Writes tellumo_test.ini (next to the test programs) as the assignment store. */
bool InstallTestAssignments();

/* A running Tellumo. */
struct tagTELLUMO {
    PROCESS_INFORMATION pi;
    HWND hWnd;
};

/* Starts Tellumo and waits for its window; false when it does not come. */
bool StartTellumo(tagTELLUMO *ptProgram);
/* Chooses Close (command 261) and waits for the end; returns the exit code, or (DWORD)-1
   when the program had to be terminated. */
DWORD CloseTellumo(tagTELLUMO *ptProgram);
/* Waits for the program to end by itself (else terminates it) and forgets it; the exit code
   as above. */
DWORD WaitForTellumoEnd(tagTELLUMO *ptProgram);

/* Visible windows of the program's process with this class and caption. */
int CountTellumoWindows(const tagTELLUMO *ptProgram, LPCSTR lpszClass, LPCSTR lpszTitle);

/* The one icon of the notification area (the test prefix shows no other); false when there
   is none, or more than one. */
bool ReadTheTrayIcon(tagTRAYENTRY *pteEntry);
/* Waits until that icon shows the tip and the picture of this mode (0-based) and shift. */
::testing::AssertionResult TrayShowsMode(int iMode, int iShift, DWORD dwTimeout = 3000);

/* The lines of the press log window hLog, top to bottom; a line without its time. */
std::vector<std::string> PressLogLines(HWND hLog);
std::string WithoutTime(const std::string &strLine);

/* Message that the test assignments post to the foreground window: "[8123:N]". */
#define SINK_MESSAGE 0x8123

/* One message received by the sink: its wParam. */
struct tagSINKHIT {
    WPARAM wParam;
};

/* Creates the sink window and brings it to the front. */
HWND CreateSink();
void DestroySink();
HWND SinkWindow();
/* Makes the sink the foreground window again (after another window took its place). */
void BringSinkToFront();
/* Messages received since the sink was created or cleared. */
const std::vector<tagSINKHIT> &SinkHits();
void ClearSink();

/* Posts a receiver code to Tellumo and keeps this thread's messages flowing. */
void PostCode(HWND hTellumo, BYTE bCode);

/* Runs the virtual remote with a command line; its exit code. Its log goes to lpszLog. */
DWORD RunRemote(const std::string &strArguments, const std::string &strLog = "");

/* Clicks a mouse button at a point of the screen, apart enough from the last click not to
   make a double click. */
void ClickAt(POINT pt, bool bRight);
/* The open popup menu, null when none is shown. */
HWND VisibleMenu();

/* Saves the whole screen as a .bmp file next to the test programs, for a person to look at. */
bool SaveScreenShot(const std::string &strName);

/* The whole text of a file, empty when it cannot be read. */
std::string ReadTextFile(const std::string &strPath);

#endif /* ORVANE_TRAYTEST_H */
