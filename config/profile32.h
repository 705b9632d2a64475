/*
 * profile32.h - assignment profiles (profile32.cpp): window-menu commands of the picture of the
 * remote (system commands keep their low four bits clear).
 */
#ifndef ORVANE_PROFILE32_H
#define ORVANE_PROFILE32_H

#include <windows.h>
#include "but32.h"

#define SC_SAVE_PROFILE 0x0100
#define SC_LOAD_PROFILE 0x0110

struct tagPROFILE;
void AddProfileMenu(HWND hDlg);
/* Runs a profile command of the window menu on the picture's tree; FALSE for other commands. */
BOOL OnProfileCommand(HWND hDlg, UINT uiCommand, tagREMOTE **pprRemote);
/* The whole configuration of the registry into a profile file; TRUE when written. A file of
   that name is replaced only by a complete new one: a failed save leaves it as it was. */
BOOL SaveProfileFile(LPCSTR lpszPath);
/* A profile file read and checked: PROFILE_OK, the reason it is refused (with its line in
   *piLine), or -1 when the file cannot be read. */
int  ReadProfileFile(LPCSTR lpszPath, tagPROFILE *pp, int *piLine);
/* Reads a profile file, says how many assignments it would change and, when the user agrees,
   writes it to the registry (TRUE): each key the profile holds is left with exactly the
   profile's values. A file that is not a sound profile is refused with a message naming its
   line, and nothing changes. */
BOOL LoadProfileFile(HWND hDlg, LPCSTR lpszPath);

#endif /* ORVANE_PROFILE32_H */
