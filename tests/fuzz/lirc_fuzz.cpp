/*
 * lirc_fuzz.cpp - what a LIRC server sends, under coverage-guided fuzzing. The bytes arrive
 * in pieces whose size the input's first byte chooses, are put together into lines and
 * read, and every press is looked up in the default map. Every line stays within its
 * buffer and ends in NUL; every press's names fit theirs and make a well-formed map name;
 * and the same bytes in one piece give the same lines.
 */
#include <stdint.h>
#include <string.h>
#include <string>
#include <vector>
#include "fuzz_support.h"
#include "lircline.h"
#include "receivermap.h"

static tagRECEIVERMAP rmDefault;

/* The lines of the bytes, given in pieces of cbPiece; each checked as it comes. */
static std::vector<std::string> Lines(const std::string &strBytes, size_t cbPiece, const std::string &strInput)
{
    std::vector<std::string> vLines;
    tagLIRCSTREAM ls = {};
    for (size_t iAt = 0; iAt < strBytes.size();) {
        size_t cb = strBytes.size() - iAt < cbPiece ? strBytes.size() - iAt : cbPiece;
        tagLIRCLINE ll;
        int bComplete;
        size_t cbTaken = LircStreamLine(&ls, strBytes.data() + iAt, cb, &ll, &bComplete);
        EXPECT_INVARIANT(cbTaken > 0 && cbTaken <= cb, "the stream takes a part of what it is given", strInput);
        iAt += cbTaken > 0 ? cbTaken : cb;
        if (!bComplete)
            continue;
        EXPECT_INVARIANT(ll.cchText <= LIRC_LINE_MAX && ll.achText[ll.cchText] == '\0',
                         "a line stays within its buffer and ends in NUL", strInput);
        vLines.push_back(std::string(ll.achText, ll.cchText) + (ll.bTooLong ? "\n(too long)" : ""));
        tagLIRCPRESS lp;
        if (ParseLircLine(&ll, &lp) != LIRC_PRESS)
            continue;
        char szName[MAP_NAME_SIZE];
        EXPECT_INVARIANT(strlen(lp.szButton) < LIRC_NAME_SIZE && strlen(lp.szRemote) < LIRC_NAME_SIZE
                         && ComposeLircMapName(lp.szButton, lp.szRemote, szName, sizeof(szName))
                         && MapNameSource(szName) == MAP_LIRC,
                         "a press's names fit and make a map name", strInput);
        int iRaw = LookUpLircButton(&rmDefault, lp.szButton, lp.szRemote);
        EXPECT_INVARIANT(iRaw < 0 || ReceiverButtonName(iRaw) != NULL, "a mapped press is a button's", strInput);
    }
    return vLines;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pbData, size_t cbData)
{
    if (rmDefault.iCount == 0)
        DefaultReceiverMap(&rmDefault);
    if (cbData == 0)
        return 0;
    std::string strInput((const char *)pbData, cbData);
    std::string strBytes = strInput.substr(1);
    EXPECT_INVARIANT(Lines(strBytes, 1 + pbData[0] % 64, strInput) == Lines(strBytes, strBytes.size() + 1, strInput),
                     "pieces of any size make the same lines", strInput);
    return 0;
}
