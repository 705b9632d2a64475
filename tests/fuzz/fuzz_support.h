/*
 * fuzz_support.h - what the harnesses share: stopping at a broken invariant, and the items
 * the engine reads from a command string.
 */
#ifndef ORVANE_FUZZ_SUPPORT_H
#define ORVANE_FUZZ_SUPPORT_H

#include <string>
#include <vector>

/* A broken invariant ends the run, so libFuzzer keeps the input that broke it. With the
   environment variable ORVANE_FUZZ_REPORT_ONLY set to a number n (scripts/fuzz.sh
   --report-only, for faults that are known and not yet fixed), the first n inputs that
   break each invariant are printed, the run goes on, and the counts are printed at its
   end. */
void Violated(const char *pszInvariant, const std::string &strInput);
#define EXPECT_INVARIANT(bHolds, pszInvariant, strInput) \
    do { if (!(bHolds)) Violated(pszInvariant, strInput); } while (0)

/* One item of a command string as the engine reads it. */
struct tagENGINEITEM {
    unsigned uiFunction;
    std::string strArgument;
    bool operator==(const tagENGINEITEM &other) const
    {
        return uiFunction == other.uiFunction && strArgument == other.strArgument;
    }
};

/* The items of a command, read from a copy of exactly its size; an item or position
   outside the string ends the run. */
std::vector<tagENGINEITEM> ReadEngineItems(const std::string &strCommand);

/* The same items as the dispatcher runs them: LAUNCHSIZE made LAUNCH (it starts a program
   exactly as LAUNCH does), and the arguments whose fields the engine splits (a launch's,
   MCITRACK's) replaced by what the engine's own readers make of them, so that an empty
   last field and none at all compare equal where the engine takes them alike. */
std::vector<tagENGINEITEM> ReadEngineActions(const std::string &strCommand);

#endif /* ORVANE_FUZZ_SUPPORT_H */
