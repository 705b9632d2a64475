/*
 * Corvalin_launch.h - LAUNCH and LAUNCHSIZE (start a program with an optional command line,
 * position and size) and WEBADDRESS (hand an address to the default web browser, by DDE
 * when a known browser runs, else through the shell).
 */
#ifndef ORVANE_CORVALIN_LAUNCH_H
#define ORVANE_CORVALIN_LAUNCH_H

#include <windows.h>
#include "OrvaneStore.h"     /* the separators of a launch argument's fields */

#define LAUNCH_BUFFER       256     /* file name, command line, directory */
#define BROWSER_KEY_BUFFER  520     /* ".htm" class name, then its open command */

/* Starts the program a launch argument describes; failures are silent. Returns 1. */
int LaunchApp(LPCSTR lpszFunction);

/* ---- Reading a launch argument (Corvalin_launch_args.cpp: text only) ---- */

/* What LaunchApp starts for one argument. */
struct tagLAUNCH {
    char szFileName[LAUNCH_BUFFER];      /* the program file, cut at its first separator */
    char szCmdLine[LAUNCH_BUFFER];       /* the command line, "" without one */
    char szDir[LAUNCH_BUFFER];           /* the folder it starts in (GetDir) */
    char szFullCmd[2 * LAUNCH_BUFFER + 1];   /* file and command line as one, for CreateProcess */
    STARTUPINFOA si;                     /* the window's place and size, and their flags */
};

/* Reads a launch argument into *pla; 0 (nothing to start) when either is null. */
int ReadLaunch(LPCSTR lpszFunction, tagLAUNCH *pla);

/* Copies the text before the position field into lpszFileName (at most iLength characters,
   so the buffer holds iLength + 1 bytes) and reads the position field into *lprPos: left x,
   top y, right width, bottom height; all 0 without a field, width and height -1 when the
   field stops early. 0 if a pointer is null, else 1. */
int GetLaunchParams(LPCSTR lpszFunction, LPSTR lpszFileName, LPRECT lprPos, int iLength);

/* The text between the command-line separator and the position field (or the end), at
   most iSize - 1 characters; empty without a command-line separator. */
void GetCmdLine(LPCSTR lpszFunction, LPSTR lpszCmdLine, int iSize);

/* The file name up to its last backslash; the whole name when no backslash follows its
   first character. At most iSize - 1 characters. */
void GetDir(LPCSTR lpszFile, LPSTR lpszDir, int iSize);

/* Replaces both separator bytes by ch (0 cuts the string at the first one). */
void ReplaceChar(LPSTR lpszStr, char ch);

/* Web addresses. */
int LaunchBrowserDDE(LPCSTR lpszAddress);
int LaunchBrowser(LPCSTR lpszAddress, int iShowCmd);
int OpenURLPage(HINSTANCE hInst, LPCSTR lpszMessage, LPCSTR lpszService, LPCSTR lpszTopic);
int OpenURLDDELink(HINSTANCE hInst, LPCSTR lpszMessage, LPCSTR lpszService, LPCSTR lpszTopic);
int CloseURLDDELink(void);

/* Reads the default value of hKey\lpszSubKey into lpszKeyData (iSize bytes; empty when it
   cannot be read). Returns the result of opening the key, ERROR_SUCCESS when it opened. */
LONG GetRegKey(HKEY hKey, LPCSTR lpszSubKey, LPSTR lpszKeyData, int iSize);

/* The open command of the ".htm" class; 1 when both registry reads worked. */
int GetBrowserCommand(LPSTR lpszCommand, int iSize);

/* A new lower-case local-heap copy of the program file name in a command ("x.exe" after
   the last backslash before ".exe"), or null when the command names no ".exe". */
LPSTR GetExecutableName(LPCSTR lpszString);

/* 1 if lpszA contains lpszB, ignoring the case of ASCII letters. */
int ContainString(LPCSTR lpszA, LPCSTR lpszB);

/* Turns A to Z into a to z in place. */
void ToLowerCase(LPSTR lpszString);

#endif /* ORVANE_CORVALIN_LAUNCH_H */
