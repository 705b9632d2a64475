/*
 * standin_reports.h - the tests' side of the stand-ins' report files: a fresh report
 * folder per test (handed to the stand-ins through the environment), and reading back
 * the lines and records they wrote.
 */
#ifndef ORVANE_STANDIN_REPORTS_H
#define ORVANE_STANDIN_REPORTS_H

#include <gtest/gtest.h>
#include <windows.h>
#include <map>
#include <string>
#include <vector>

/* Creates an empty report folder and names it in ORVANE_REPORT_DIR for the programs this
   process starts; returns its path with a trailing backslash. */
std::string CreateReportDir();

/* Deletes the folder's files and the folder, and clears ORVANE_REPORT_DIR. */
void RemoveReportDir(const std::string &strDir);

/* The lines of a text file (without line ends); none when it does not exist. */
std::vector<std::string> ReadLines(const std::string &strPath);

/* Waits (pumping messages) until the file has at least cLines lines; returns its lines. */
std::vector<std::string> WaitForLines(const std::string &strPath, size_t cLines,
                                      DWORD dwTimeout = 10000);

/* The "key=value" lines of the first record (ended by "end") in a file, waiting for it. */
std::map<std::string, std::string> WaitForRecord(const std::string &strPath,
                                                 DWORD dwTimeout = 10000);

/* Starts a program with a command line and waits until a window of the class and title
   exists; returns the process handle (null when it failed) and the window. */
HANDLE StartStandin(const std::string &strCommandLine, LPCSTR lpszClass, LPCSTR lpszTitle,
                    HWND *phWnd);

/* Closes a stand-in's window and waits for its process to end, then closes the handle. */
void StopStandin(HANDLE hProcess, HWND hWnd);

/* A test that talks to stand-ins: a fresh report folder, the program folder, and at most
   one stand-in program kept running until the test ends. */
class StandinTest : public testing::Test {
protected:
    std::string strReportDir;   /* with a trailing backslash */
    std::string strBin;         /* the folder of every built program, with a backslash */
    HANDLE hStandin = NULL;
    HWND hStandinWnd = NULL;

    void SetUp() override;
    void TearDown() override;

    /* Starts the stand-in and waits for its window; true when the window is there. */
    bool Start(const std::string &strCommandLine, LPCSTR lpszClass, LPCSTR lpszTitle);

    /* Ends the stand-in (closes its window and waits for it). */
    void Stop();

    /* The lines of a report file, once it has at least cLines of them. */
    std::vector<std::string> ReportLines(LPCSTR lpszFile, size_t cLines, DWORD dwTimeout = 10000);

    /* The sentinel after a command that may start programs: waits until no program that
       this test started is running, the stand-in aside. What a command hands to windows
       it sends before it returns, and the stand-ins report before they end, so their
       reports are then complete. False when one still runs after dwTimeout. */
    bool WaitForStartedProgramsToEnd(DWORD dwTimeout = 10000);

    /* Runs one command string through the engine the way the tray program does. */
    static void Run(const std::string &strCommand);
};

#endif /* ORVANE_STANDIN_REPORTS_H */
