/*
 * autopairs_store.h - automatic modes in the registry (see autopairs.h for the layout), and
 * the program behind a window.
 */
#ifndef ORVANE_COMMON_AUTOPAIRS_STORE_H
#define ORVANE_COMMON_AUTOPAIRS_STORE_H

#include <windows.h>
#include "autopairs.h"

/* The names of the five modes' keys, as the store reads them (ReadModeKey). */
void ReadModeNames(AUTOMODENAMES anModes);

/* The usable pairs in stored order, at most cMax; the count. Values that are no use (not
   a string, an empty or over-long program, a mode that no longer exists) are passed over
   and left as they are. */
int ReadAutoModePairs(tagAUTOMODEPAIR *pPairs, int cMax, const AUTOMODENAMES anModes);

/* Stores a pair (replacing the pair of the same program, in any letter case) or removes
   one; TRUE when done. */
BOOL WriteAutoModePair(LPCSTR lpszProgram, LPCSTR lpszMode);
BOOL DeleteAutoModePair(LPCSTR lpszProgram);

/* After the modes were renamed from anOld to anNew: every pair of a renamed mode names it
   by its new name. */
void RenameAutoModePairs(const AUTOMODENAMES anOld, const AUTOMODENAMES anNew);

/* The switch: on unless the value says 0 (a missing or damaged value leaves it on). */
BOOL AutoModesEnabled(void);
BOOL EnableAutoModes(BOOL bEnabled);

/* The full path of the program file of the process that owns hWnd; FALSE (and "") when it
   cannot be learnt. */
BOOL WindowProgram(HWND hWnd, LPSTR lpszPath, DWORD cchPath);

#endif /* ORVANE_COMMON_AUTOPAIRS_STORE_H */
