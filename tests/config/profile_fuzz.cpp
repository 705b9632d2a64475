/*
 * profile_fuzz.cpp - coverage-guided fuzzing of the profile reader, built natively with
 * address and undefined-behaviour checks by scripts/fuzz-profile.sh. Every input is either
 * refused with a reason and a line, or accepted and then written back to a text that reads
 * as the same profile.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "profile32_format.h"

static tagPROFILE ppFirst, ppSecond;

static int SameValue(const tagPROFILEVALUE *ppvFirst, const tagPROFILEVALUE *ppvSecond)
{
    return strcmp(ppvFirst->szKey, ppvSecond->szKey) == 0
           && strcmp(ppvFirst->szName, ppvSecond->szName) == 0
           && strcmp(ppvFirst->szValue, ppvSecond->szValue) == 0;
}
static char szText[PROFILE_MAX_FILE];

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pbData, size_t cbData)
{
    tagPROFILEERROR pe;
    if (!ReadProfile((const char *)pbData, cbData, &ppFirst, &pe)) {
        if (pe.iReason <= PROFILE_OK || pe.iReason >= PROFILE_REASONS || pe.iLine < 1)
            abort();
        return 0;
    }
    size_t cchText = WriteProfile(&ppFirst, szText, sizeof(szText));
    if (cchText == 0 || !ReadProfile(szText, cchText, &ppSecond, &pe) || ppSecond.iCount != ppFirst.iCount)
        abort();
    for (int i = 0; i < ppFirst.iCount; i++)
        if (!SameValue(&ppFirst.pvValues[i], &ppSecond.pvValues[i]))
            abort();
    return 0;
}
