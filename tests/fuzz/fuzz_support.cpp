/*
 * fuzz_support.cpp - stopping at a broken invariant, or reporting it (see fuzz_support.h).
 */
#include <stdio.h>
#include <stdlib.h>
#include <map>
#include "fuzz_support.h"

static std::map<std::string, long> brokenInvariants;

static void PrintCounts(void)
{
    for (const auto &broken : brokenInvariants)
        fprintf(stderr, "invariant broken %ld times: %s\n", broken.second, broken.first.c_str());
}

void Violated(const char *pszInvariant, const std::string &strInput)
{
    static const char *pszReportOnly = getenv("ORVANE_FUZZ_REPORT_ONLY");
    static const bool bReportOnly = pszReportOnly != NULL;
    static const long lReported = bReportOnly ? atol(pszReportOnly) : 1;
    long &lCount = brokenInvariants[pszInvariant];
    if (lCount++ < lReported) {
        std::string strShown;
        for (unsigned char ch : strInput) {
            char szChar[8];
            snprintf(szChar, sizeof(szChar), ch >= 0x20 && ch < 0x7F && ch != '\\' ? "%c" : "\\x%02X", ch);
            strShown += szChar;
        }
        fprintf(stderr, "invariant broken: %s\n  input: \"%s\"\n", pszInvariant, strShown.c_str());
    }
    if (!bReportOnly)
        abort();
    if (brokenInvariants.size() == 1 && lCount == 1)
        atexit(PrintCounts);
}
