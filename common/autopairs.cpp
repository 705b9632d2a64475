/*
 * autopairs.cpp - the rules of program-to-mode pairs that do not depend on where the pairs
 * are kept: which pairs are of use, and what a renaming of the modes makes of them.
 */
#include <string.h>
#include "autopairs.h"

static int FoldAsciiLetter(int ch)
{
    return ch >= 'a' && ch <= 'z' ? ch - ('a' - 'A') : ch;
}

int CompareModeNames(const char *pszFirst, const char *pszSecond)
{
    for (;; pszFirst++, pszSecond++) {
        int iFirst = FoldAsciiLetter((unsigned char)*pszFirst);
        int iSecond = FoldAsciiLetter((unsigned char)*pszSecond);
        if (iFirst != iSecond || iFirst == 0)
            return iFirst - iSecond;
    }
}

/* The slot whose name is pszMode, -1 for none (an empty name names no mode). */
static int FindModeName(const char *pszMode, const AUTOMODENAMES anModes)
{
    if (pszMode == NULL || pszMode[0] == '\0')
        return -1;
    for (int m = 0; m < STORE_MODES; m++)
        if (anModes[m][0] != '\0' && CompareModeNames(pszMode, anModes[m]) == 0)
            return m;
    return -1;
}

int AutoModePairMode(const char *pszProgram, const char *pszMode, const AUTOMODENAMES anModes)
{
    if (pszProgram == NULL || pszProgram[0] == '\0'
        || strnlen(pszProgram, AUTOMODE_PROGRAM_SIZE) >= AUTOMODE_PROGRAM_SIZE)
        return -1;
    return FindModeName(pszMode, anModes);
}

const char *RenamedAutoMode(const char *pszMode, const AUTOMODENAMES anOld, const AUTOMODENAMES anNew)
{
    int m = FindModeName(pszMode, anOld);
    if (m < 0 || anNew[m][0] == '\0' || strcmp(anNew[m], anOld[m]) == 0)
        return NULL;
    return anNew[m];
}
