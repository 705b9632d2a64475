/*
 * automode_rule.cpp - the pure parts of the automatic modes: which pair a program file
 * matches, and which mode a change of the program in front asks for. Nothing here touches
 * a window, the registry or a device.
 */
#include <string.h>
#include "automode.h"

/* A character as program names compare: ASCII letters in capitals, '/' as '\'. */
static int FoldProgramChar(unsigned char ch)
{
    if (ch >= 'a' && ch <= 'z')
        return ch - ('a' - 'A');
    return ch == '/' ? '\\' : ch;
}

/* Whether cch characters at pFirst and pszSecond (all of it) are the same program name. */
static int SameProgramText(const char *pFirst, size_t cch, const char *pszSecond)
{
    if (strlen(pszSecond) != cch)
        return 0;
    for (size_t i = 0; i < cch; i++)
        if (FoldProgramChar((unsigned char)pFirst[i]) != FoldProgramChar((unsigned char)pszSecond[i]))
            return 0;
    return 1;
}

static int IsFullPath(const char *pszProgram)
{
    return strpbrk(pszProgram, "\\/:") != NULL;
}

const char *ProgramFileName(const char *pszPath)
{
    const char *pszName = pszPath;
    for (const char *psz = pszPath; *psz != '\0'; psz++)
        if (*psz == '\\' || *psz == '/' || *psz == ':')
            pszName = psz + 1;
    return pszName;
}

static int MatchesFileName(const char *pszPair, const char *pszName)
{
    size_t cchName = strlen(pszName);
    if (strchr(pszPair, '.') == NULL) {
        const char *pszDot = strrchr(pszName, '.');
        if (pszDot != NULL)
            cchName = (size_t)(pszDot - pszName);
    }
    return SameProgramText(pszName, cchName, pszPair);
}

int MatchAutoModePair(const tagAUTOMODEPAIR *pPairs, int cPairs, const char *pszPath)
{
    if (pPairs == NULL || pszPath == NULL || pszPath[0] == '\0')
        return -1;
    const char *pszName = ProgramFileName(pszPath);
    int iByName = -1;
    for (int i = 0; i < cPairs; i++) {
        const char *pszPair = pPairs[i].szProgram;
        if (pszPair[0] == '\0')
            continue;
        if (IsFullPath(pszPair)) {
            if (SameProgramText(pszPath, strlen(pszPath), pszPair))
                return i;
        } else if (iByName < 0 && MatchesFileName(pszPair, pszName)) {
            iByName = i;
        }
    }
    return iByName;
}

int NextAutoMode(tagFRONT *pfFront, const char *pszProgram, int iPairMode, BYTE bEngineMode, int bEnabled)
{
    if (pszProgram == NULL)
        pszProgram = "";
    if (!bEnabled)
        iPairMode = -1;
    /* A name longer than is kept counts by as much of it as is kept. */
    size_t cchProgram = strnlen(pszProgram, sizeof(pfFront->szProgram) - 1);
    int bSameFront = SameProgramText(pszProgram, cchProgram, pfFront->szProgram) && iPairMode == pfFront->iPairMode;
    memcpy(pfFront->szProgram, pszProgram, cchProgram);
    pfFront->szProgram[cchProgram] = '\0';
    pfFront->iPairMode = iPairMode;
    if (!bEnabled || bSameFront)
        return -1;
    int iMode = iPairMode >= 0 ? iPairMode : pfFront->bHandMode;
    return iMode != bEngineMode ? iMode : -1;
}
