/*
 * automode.h - automatic modes in the tray program: the remote's mode follows the program
 * in front. When a program with a pair comes to the front, its mode is selected as the
 * mode button would select it; a program without one brings back the mode last chosen by
 * hand; a mode button pressed on the remote holds until another program comes to the
 * front.
 */
#ifndef ORVANE_TRAY_AUTOMODE_H
#define ORVANE_TRAY_AUTOMODE_H

#include <windows.h>
#include "autopairs.h"

/* ---- the program in front (automode.cpp) ---- */

/* Posted (WM_COMMAND) to the tray window when another window may have come to the front. */
#define ID_FOLLOW_FRONT     283

/* Starts following the program in front for the tray window hWnd; StopAutoModes ends it. */
void StartAutoModes(HWND hWnd);
void StopAutoModes(void);
/* A mode button of the remote chose engine mode bMode. */
void NoteModeChosenByHand(BYTE bMode);
/* Looks at the program in front now: the engine mode it asks for while the engine is in
   bEngineMode, or -1 to leave the mode as it is; then *ppszProgram is the program's file
   name and *pbByHand whether the mode is the one last chosen by hand (it has no pair). The
   hooks ask the tray window to look; so does every press before it runs, because not every
   system tells of every change (Wine raises no foreground event, and a focus event only
   when the focus moves inside the program that comes to the front). */
int LookAtFront(BYTE bEngineMode, const char **ppszProgram, int *pbByHand);

/* ---- pure parts (automode_rule.cpp) ---- */

/* The pair of the program file pszPath (a full path), -1 for none. A pair whose program
   holds '\', '/' or ':' names a full path and compares with the whole of pszPath; any
   other names a file and compares with pszPath's file name, or, when it has no '.', with
   that name without its extension. Letters A to Z compare without regard to case, '/' as
   '\'. A full-path pair wins over a file-name pair; among equals the first one wins. */
int MatchAutoModePair(const tagAUTOMODEPAIR *pPairs, int cPairs, const char *pszPath);

/* The file name at the end of a path (after its last '\', '/' or ':'). */
const char *ProgramFileName(const char *pszPath);

/* What the tray program knows of the front. */
struct tagFRONT {
    BYTE bHandMode;                             /* engine mode last chosen by hand */
    char szProgram[AUTOMODE_PROGRAM_SIZE];      /* program last seen in front, "" none */
    int  iPairMode;                             /* the mode it asked for then, -1 none */
};

/* Program pszProgram is in front; iPairMode is the mode of its pair, -1 without one (or
   while the feature is off). Returns the engine mode to select (the pair's, else the one
   chosen by hand), or -1 to leave bEngineMode as it is: the feature is off, the mode is
   already right, or the same program is still in front asking for what it asked before
   (so that a mode chosen by hand holds; a pair given or changed meanwhile counts). */
int NextAutoMode(tagFRONT *pfFront, const char *pszProgram, int iPairMode, BYTE bEngineMode, int bEnabled);

#endif /* ORVANE_TRAY_AUTOMODE_H */
