/*
 * programpath.h - where a program named in a launch is found: the configuration shows a
 * bare name as present, and the engine starts it, by the same rules.
 */
#ifndef ORVANE_PROGRAMPATH_H
#define ORVANE_PROGRAMPATH_H

#include <windows.h>

/* Whether a program is named without a folder ("notepad.exe"): the launch looks for it
   along the search path, so it stays as written. */
BOOL IsBareProgramName(LPCSTR lpszFile);

/* The path a bare name is registered under in the App Paths of the current user, else of
   the machine ("notepad" stands for "notepad.exe"), when that file exists. FALSE (and "")
   when it is not registered, its path does not fit cchPath, or the file is not there. */
BOOL FindAppPath(LPCSTR lpszFile, LPSTR lpszPath, int cchPath);

#endif /* ORVANE_PROGRAMPATH_H */
