/*
 * Corvalin_launch_args.cpp - reading a launch argument: the program file, optionally
 * followed by the command-line separator and the command line, and by the extra-field
 * separator and the position "x,y[,w,h]" (OrvaneStore.h), into what LaunchApp starts. Text
 * only: no process, window or registry is touched, so it can be tested and fuzzed alone.
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "Corvalin_launch.h"

/* Copies at most cchMax characters of lpszSource (up to lpszEnd when it is not null) and
   terminates the copy. */
static void CopyField(LPCSTR lpszSource, LPCSTR lpszEnd, LPSTR lpszTarget, int cchMax)
{
    size_t cchSource = lpszEnd ? (size_t)(lpszEnd - lpszSource) : strlen(lpszSource);
    if (cchMax < 0)
        cchMax = 0;
    if (cchSource > (size_t)cchMax)
        cchSource = (size_t)cchMax;
    memcpy(lpszTarget, lpszSource, cchSource);
    lpszTarget[cchSource] = '\0';
}

/* The number after the next comma at or behind lpsz, or null when no comma follows;
   *plValue receives the number. */
static LPCSTR NextNumber(LPCSTR lpsz, LONG *plValue)
{
    LPCSTR lpszComma = strchr(lpsz, ',');
    if (lpszComma == NULL)
        return NULL;
    *plValue = atol(lpszComma + 1);
    return lpszComma + 1;
}

int GetLaunchParams(LPCSTR lpszFunction, LPSTR lpszFileName, LPRECT lprPos, int iLength)
{
    if (lpszFunction == NULL || lpszFileName == NULL || lprPos == NULL)
        return 0;

    LPCSTR lpszPos = strchr(lpszFunction, EXTRA_SEPARATOR);
    CopyField(lpszFunction, lpszPos, lpszFileName, iLength);

    SetRectEmpty(lprPos);
    if (lpszPos == NULL)
        return 1;

    LPCSTR lpsz = lpszPos + 1;
    lprPos->left   = atol(lpsz);
    lprPos->right  = -1;
    lprPos->bottom = -1;
    if ((lpsz = NextNumber(lpsz, &lprPos->top)) != NULL &&
        (lpsz = NextNumber(lpsz, &lprPos->right)) != NULL)
        NextNumber(lpsz, &lprPos->bottom);
    return 1;
}

void GetCmdLine(LPCSTR lpszFunction, LPSTR lpszCmdLine, int iSize)
{
    if (iSize <= 0)
        return;
    lpszCmdLine[0] = '\0';
    LPCSTR lpszStart = strchr(lpszFunction, CMDLINE_SEPARATOR);
    if (lpszStart == NULL)
        return;
    lpszStart++;
    CopyField(lpszStart, strchr(lpszStart, EXTRA_SEPARATOR), lpszCmdLine, iSize - 1);
}

void GetDir(LPCSTR lpszFile, LPSTR lpszDir, int iSize)
{
    if (iSize <= 0)
        return;
    LPCSTR lpszSlash = lpszFile[0] ? strrchr(lpszFile + 1, '\\') : NULL;
    CopyField(lpszFile, lpszSlash, lpszDir, iSize - 1);
}

void ReplaceChar(LPSTR lpszStr, char ch)
{
    for (; *lpszStr; lpszStr++)
        if (*lpszStr == CMDLINE_SEPARATOR || *lpszStr == EXTRA_SEPARATOR)
            *lpszStr = ch;
}

/* The startup record for a launch position (see GetLaunchParams). */
static void FillStartupInfo(const RECT *lprPos, STARTUPINFOA *lpsi)
{
    ZeroMemory(lpsi, sizeof(*lpsi));
    lpsi->cb = sizeof(*lpsi);
    lpsi->dwX = (DWORD)lprPos->left;
    lpsi->dwY = (DWORD)lprPos->top;
    lpsi->dwXSize = lprPos->right ? (DWORD)lprPos->right : (DWORD)CW_USEDEFAULT;
    lpsi->dwYSize = lprPos->bottom ? (DWORD)lprPos->bottom : (DWORD)CW_USEDEFAULT;
    lpsi->dwFlags = STARTF_USESHOWWINDOW;
    if (lprPos->left != 0) {
        lpsi->dwFlags |= STARTF_USEPOSITION;
        if (lprPos->right != -1)
            lpsi->dwFlags |= STARTF_USESIZE;
    }
    lpsi->wShowWindow = SW_SHOWDEFAULT;
}

int ReadLaunch(LPCSTR lpszFunction, tagLAUNCH *pla)
{
    RECT rPos;
    if (pla == NULL || !GetLaunchParams(lpszFunction, pla->szFileName, &rPos, LAUNCH_BUFFER - 1))
        return 0;
    ReplaceChar(pla->szFileName, '\0');
    GetCmdLine(lpszFunction, pla->szCmdLine, LAUNCH_BUFFER - 1);
    GetDir(pla->szFileName, pla->szDir, LAUNCH_BUFFER - 1);
    FillStartupInfo(&rPos, &pla->si);
    if (pla->szCmdLine[0])
        snprintf(pla->szFullCmd, sizeof(pla->szFullCmd), "%s %s", pla->szFileName, pla->szCmdLine);
    else
        snprintf(pla->szFullCmd, sizeof(pla->szFullCmd), "%s", pla->szFileName);
    ReplaceChar(pla->szFullCmd, ' ');
    return 1;
}
