/*
 * profile_fuzz.cpp - the profile reader under coverage-guided fuzzing. Every input is either
 * refused with a reason and a line, or accepted and then written back to a text that reads
 * as the same profile.
 */
#include <stdint.h>
#include <string.h>
#include "profile32_format.h"
#include "fuzz_support.h"

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
    std::string strInput((const char *)pbData, cbData);
    if (!ReadProfile((const char *)pbData, cbData, &ppFirst, &pe)) {
        EXPECT_INVARIANT(pe.iReason > PROFILE_OK && pe.iReason < PROFILE_REASONS && pe.iLine >= 1,
                         "a refused profile is refused with a reason and a line", strInput);
        return 0;
    }
    size_t cchText = WriteProfile(&ppFirst, szText, sizeof(szText));
    bool bSame = cchText != 0 && ReadProfile(szText, cchText, &ppSecond, &pe) && ppSecond.iCount == ppFirst.iCount;
    for (int i = 0; bSame && i < ppFirst.iCount; i++)
        bSame = SameValue(&ppFirst.pvValues[i], &ppSecond.pvValues[i]);
    EXPECT_INVARIANT(bSame, "an accepted profile written back reads as the same profile", strInput);
    return 0;
}
