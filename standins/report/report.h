/*
 * report.h - what the stand-ins share. How they tell a test what they received: each
 * appends lines to a text file named after it in the folder that the environment variable
 * ORVANE_REPORT_DIR names (inherited from the test that started them), or else beside its
 * own program. And the life of their windows: ended by the test, or after a time limit.
 */
#ifndef ORVANE_STANDIN_REPORT_H
#define ORVANE_STANDIN_REPORT_H

#include <windows.h>

#define REPORT_DIR_VARIABLE "ORVANE_REPORT_DIR"

/* Appends lpszText and a line end to lpszFile in the report folder, in one write. */
BOOL AppendReport(LPCSTR lpszFile, LPCSTR lpszText);

/* Window procedure of a stand-in's main window: destroying it ends the program. */
LRESULT CALLBACK StandinWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

/* Destroys hWnd after uMilliseconds, so that a stand-in a test forgot ends by itself. */
void LimitLifetime(HWND hWnd, UINT uMilliseconds);

/* Dispatches messages until the program ends; returns the exit code. */
int RunMessageLoop(void);

/* The base name of this program without its extension ("OSTREL" for ...\OSTREL.EXE). */
void GetProgramName(LPSTR lpszName, int iSize);

/* The command line after the program's name (and the blanks that follow it). */
LPCSTR GetArguments(void);

#endif /* ORVANE_STANDIN_REPORT_H */
