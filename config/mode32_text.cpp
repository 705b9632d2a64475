/*
 * mode32_text.cpp - the text rules that keep what a family dialog takes within the command
 * it becomes (lengths, quotes, ampersands, field separators), and the forms of a program
 * file the launch dialog stores (full, short, found along the search path or in App Paths).
 */
#include <windows.h>
#include <string.h>
#include "OrvaneStore.h"
#include "mode32_text.h"
#include "programpath.h"

/* ---- Text rules ------------------------------------------------------------------------ */

int CountCharInString(LPCSTR lpszText, char cChar)
{
    int iCount = 0;
    for (; lpszText != NULL && *lpszText != '\0'; lpszText++)
        if (*lpszText == cChar)
            iCount++;
    return iCount;
}

BOOL DoubleAmpersands(LPCSTR lpszText, LPSTR lpszResult, int cchResult)
{
    int iOut = 0;
    for (; lpszText != NULL && *lpszText != '\0'; lpszText++) {
        int iNeed = *lpszText == '&' ? 2 : 1;
        if (iOut + iNeed >= cchResult) {
            if (cchResult > 0)
                lpszResult[0] = '\0';
            return FALSE;
        }
        lpszResult[iOut++] = *lpszText;
        if (iNeed == 2)
            lpszResult[iOut++] = '&';
    }
    if (cchResult > 0)
        lpszResult[iOut] = '\0';
    return cchResult > 0;
}

int FilledTemplateLength(LPCSTR lpszTemplate, int cchArgument)
{
    int cchTemplate = lstrlenA(lpszTemplate);
    return strstr(lpszTemplate, "%s") != NULL ? cchTemplate - 2 + cchArgument : cchTemplate;
}

int QuotedLength(LPCSTR lpszText)
{
    return lpszText != NULL ? lstrlenA(lpszText) + CountCharInString(lpszText, '"') : 0;
}

int LaunchArgumentLength(LPCSTR lpszProgram, LPCSTR lpszCmdLine, LPCSTR lpszSizePos)
{
    /* program, separator, command line, separator, size; each quote doubled */
    int cchArgument = QuotedLength(lpszProgram);
    if (lpszCmdLine != NULL && *lpszCmdLine != '\0')
        cchArgument += 1 + QuotedLength(lpszCmdLine);
    if (lpszSizePos != NULL && *lpszSizePos != '\0')
        cchArgument += 1 + QuotedLength(lpszSizePos);
    return cchArgument;
}

BOOL IsPlainArgument(LPCSTR lpszText)
{
    for (; lpszText != NULL && *lpszText != '\0'; lpszText++)
        if (*lpszText == '"' || *lpszText == CMDLINE_SEPARATOR || *lpszText == EXTRA_SEPARATOR)
            return FALSE;
    return TRUE;
}

BOOL IsPlainOrHeld(LPCSTR lpszText, LPCSTR lpszHeld)
{
    return IsPlainArgument(lpszText) || (lpszHeld != NULL && strcmp(lpszText, lpszHeld) == 0);
}

/* ---- Files ------------------------------------------------------------------------------- */

BOOL GetFullProgramPath(LPCSTR lpszFile, LPSTR lpszPath, int cchPath)
{
    lpszPath[0] = '\0';
    if (lpszFile == NULL || *lpszFile == '\0')
        return FALSE;
    if (IsBareProgramName(lpszFile)) {
        lstrcpynA(lpszPath, lpszFile, cchPath);
        return TRUE;
    }
    LPSTR lpszName;
    DWORD cchFull = GetFullPathNameA(lpszFile, (DWORD)cchPath, lpszPath, &lpszName);
    if (cchFull == 0 || cchFull >= (DWORD)cchPath) {
        lpszPath[0] = '\0';
        return FALSE;
    }
    /* The long form, when the file is there to ask. */
    char szLong[MAX_PATH];
    DWORD cchLong = GetLongPathNameA(lpszPath, szLong, sizeof(szLong));
    if (cchLong != 0 && cchLong < sizeof(szLong) && cchLong < (DWORD)cchPath)
        lstrcpyA(lpszPath, szLong);
    return TRUE;
}

void GetShortProgramPath(LPCSTR lpszPath, LPSTR lpszShort, int cchShort)
{
    DWORD cchResult = IsBareProgramName(lpszPath) ? 0
                    : GetShortPathNameA(lpszPath, lpszShort, (DWORD)cchShort);
    if (cchResult == 0 || cchResult >= (DWORD)cchShort)
        lstrcpynA(lpszShort, lpszPath, cchShort);
}

BOOL FindProgram(LPCSTR lpszFile, LPSTR lpszPath, int cchPath)
{
    lpszPath[0] = '\0';
    if (lpszFile == NULL || *lpszFile == '\0' || cchPath <= 0)
        return FALSE;
    if (!IsBareProgramName(lpszFile)) {
        if (GetFileAttributesA(lpszFile) == INVALID_FILE_ATTRIBUTES || lstrlenA(lpszFile) >= cchPath)
            return FALSE;
        lstrcpyA(lpszPath, lpszFile);
        return TRUE;
    }
    LPSTR lpszName;
    DWORD cchFound = SearchPathA(NULL, lpszFile, ".exe", (DWORD)cchPath, lpszPath, &lpszName);
    if (cchFound != 0 && cchFound < (DWORD)cchPath)
        return TRUE;
    lpszPath[0] = '\0';
    return FindAppPath(lpszFile, lpszPath, cchPath);
}
