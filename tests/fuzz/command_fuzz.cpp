/*
 * command_fuzz.cpp - the engine's command-item reader under coverage-guided fuzzing. Every
 * item it reads lies inside the string; the items written back as the grammar writes them
 * (keyword, quoted argument, commas between) read as the same items, so what the engine
 * runs depends on the items alone. A translation value written in hexadecimal reads back
 * as the byte it was written from.
 */
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include "Corvalin_internal.h"
#include "fuzz_support.h"

static std::string WriteItems(const std::vector<tagENGINEITEM> &items)
{
    std::string strCommand;
    for (size_t i = 0; i < items.size(); i++) {
        if (i > 0)
            strCommand += ',';
        if (items[i].uiFunction != FN_NONE)
            strCommand += pszFunctions[items[i].uiFunction - 1];
        if (!items[i].strArgument.empty())
            strCommand += '"' + items[i].strArgument + '"';
    }
    return strCommand;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pbData, size_t cbData)
{
    std::string strCommand((const char *)pbData, strnlen((const char *)pbData, cbData));
    std::vector<tagENGINEITEM> items = ReadEngineItems(strCommand);
    EXPECT_INVARIANT(ReadEngineItems(WriteItems(items)) == items,
                     "the items written back read as the same items", strCommand);

    HexToByte(strCommand.c_str());
    if (cbData > 0) {
        char szHex[8];
        snprintf(szHex, sizeof(szHex), pbData[0] & 1 ? " 0x%x" : "%02X", pbData[0]);
        EXPECT_INVARIANT(HexToByte(szHex) == pbData[0], "a byte written in hexadecimal reads back",
                         std::string(szHex));
    }
    return 0;
}
