/*
 * engine_items.cpp - the items the engine reads from a command string (see fuzz_support.h).
 */
#include <stdlib.h>
#include "Corvalin_internal.h"
#include "fuzz_support.h"

std::vector<tagENGINEITEM> ReadEngineItems(const std::string &strCommand)
{
    std::vector<char> text(strCommand.c_str(), strCommand.c_str() + strCommand.size() + 1);
    LPSTR lpszStart = text.data(), lpszEnd = lpszStart + strCommand.size();
    std::vector<tagENGINEITEM> items;
    LPSTR lpszPosition = lpszStart;
    tagCOMMANDITEM ci;
    while (NextCommandItem(&lpszPosition, &ci)) {
        EXPECT_INVARIANT(ci.lpszArgument >= lpszStart && ci.lpszArgument <= lpszEnd
                         && ci.uiFunction <= FN_LAST && items.size() <= strCommand.size()
                         && (lpszPosition == NULL || (lpszPosition > lpszStart && lpszPosition <= lpszEnd)),
                         "every item the engine reads lies inside the command", strCommand);
        items.push_back({ ci.uiFunction, ci.lpszArgument });
    }
    return items;
}
