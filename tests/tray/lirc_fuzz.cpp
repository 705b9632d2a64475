/*
 * lirc_fuzz.cpp - coverage-guided fuzzing of what a LIRC server sends, built natively with
 * address and undefined-behaviour checks by scripts/fuzz-lirc.sh: the bytes arrive in
 * pieces whose sizes the input's first byte chooses, are put together into lines and read,
 * and every press is looked up in the default map. Every line stays within its buffer,
 * every press's names fit theirs, and a press always has a well-formed map name.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "lircline.h"
#include "receivermap.h"

static tagRECEIVERMAP rmDefault;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pbData, size_t cbData)
{
    if (rmDefault.iCount == 0)
        DefaultReceiverMap(&rmDefault);
    if (cbData == 0)
        return 0;
    size_t cbPiece = 1 + pbData[0] % 64;
    tagLIRCSTREAM ls = {};
    for (size_t iAt = 1; iAt < cbData;) {
        size_t cb = cbData - iAt < cbPiece ? cbData - iAt : cbPiece;
        tagLIRCLINE ll;
        int bComplete;
        size_t cbTaken = LircStreamLine(&ls, (const char *)pbData + iAt, cb, &ll, &bComplete);
        if (cbTaken == 0 || cbTaken > cb)
            abort();
        iAt += cbTaken;
        if (!bComplete)
            continue;
        if (ll.cchText > LIRC_LINE_MAX || ll.achText[ll.cchText] != '\0')
            abort();
        tagLIRCPRESS lp;
        if (ParseLircLine(&ll, &lp) != LIRC_PRESS)
            continue;
        char szName[MAP_NAME_SIZE];
        if (strlen(lp.szButton) >= LIRC_NAME_SIZE || strlen(lp.szRemote) >= LIRC_NAME_SIZE
            || !ComposeLircMapName(lp.szButton, lp.szRemote, szName, sizeof(szName))
            || MapNameSource(szName) != MAP_LIRC)
            abort();
        int iRaw = LookUpLircButton(&rmDefault, lp.szButton, lp.szRemote);
        if (iRaw >= 0 && ReceiverButtonName(iRaw) == NULL)
            abort();
    }
    return 0;
}
