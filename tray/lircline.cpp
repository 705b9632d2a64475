/*
 * lircline.cpp - putting the server's bytes together into lines and reading a line. What
 * a server sends is outside input: every length is checked before a byte is kept.
 */
#include <string.h>
#include "lircline.h"

enum { FIELD_CODE, FIELD_REPEAT, FIELD_BUTTON, FIELD_REMOTE, FIELD_COUNT };

/* A field of a line: where it starts and how long it is. */
struct tagFIELD {
    const char *p;
    size_t cch;
};

size_t LircStreamLine(tagLIRCSTREAM *pls, const char *pb, size_t cb, tagLIRCLINE *pll, int *pbComplete)
{
    tagLIRCLINE *plp = &pls->llPending;
    *pbComplete = 0;
    for (size_t i = 0; i < cb; i++) {
        if (pb[i] == '\n') {
            if (!plp->bTooLong && plp->cchText > 0 && plp->achText[plp->cchText - 1] == '\r')
                plp->cchText--;
            plp->achText[plp->cchText] = '\0';
            *pll = *plp;
            *plp = {};
            *pbComplete = 1;
            return i + 1;
        }
        /* Beyond the limit only the start is kept, to show in the press log. */
        if (plp->cchText < LIRC_LINE_MAX)
            plp->achText[plp->cchText++] = pb[i];
        else
            plp->bTooLong = 1;
    }
    return cb;
}

static int IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

/* 1 to cchMaxDigits hexadecimal digits; their value (cut to 32 bits) into *puiValue. */
static int ReadHex(const tagFIELD &f, size_t cchMaxDigits, unsigned *puiValue)
{
    if (f.cch == 0 || f.cch > cchMaxDigits)
        return 0;
    unsigned uiValue = 0;
    for (size_t i = 0; i < f.cch; i++) {
        char ch = f.p[i];
        int iDigit = ch >= '0' && ch <= '9' ? ch - '0'
                   : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                   : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10 : -1;
        if (iDigit < 0)
            return 0;
        uiValue = (uiValue << 4) | (unsigned)iDigit;
    }
    *puiValue = uiValue;
    return 1;
}

static int CopyName(const tagFIELD &f, char *pszName)
{
    if (f.cch == 0 || f.cch >= LIRC_NAME_SIZE)
        return 0;
    memcpy(pszName, f.p, f.cch);
    pszName[f.cch] = '\0';
    return 1;
}

int ParseLircLine(const tagLIRCLINE *pll, tagLIRCPRESS *plp)
{
    if (pll->bTooLong)
        return LIRC_TOO_LONG;
    const char *p = pll->achText;
    size_t cch = pll->cchText < LIRC_LINE_MAX ? pll->cchText : LIRC_LINE_MAX;
    for (size_t i = 0; i < cch; i++) {
        unsigned char ch = (unsigned char)p[i];
        if ((ch < ' ' && ch != '\t') || ch > '~')
            return LIRC_BINARY;
    }
    tagFIELD afFields[FIELD_COUNT];
    int cFields = 0;
    for (size_t i = 0; i < cch;) {
        if (IsBlank(p[i])) {
            i++;
            continue;
        }
        if (cFields == FIELD_COUNT)
            return LIRC_MALFORMED;
        size_t iStart = i;
        while (i < cch && !IsBlank(p[i]))
            i++;
        afFields[cFields++] = tagFIELD{ p + iStart, i - iStart };
    }
    if (cFields == 0)
        return LIRC_EMPTY;
    unsigned uiCode;
    if (cFields != FIELD_COUNT || !ReadHex(afFields[FIELD_CODE], LIRC_CODE_DIGITS, &uiCode)
        || !ReadHex(afFields[FIELD_REPEAT], LIRC_REPEAT_DIGITS, &plp->uiRepeat)
        || !CopyName(afFields[FIELD_BUTTON], plp->szButton) || !CopyName(afFields[FIELD_REMOTE], plp->szRemote))
        return LIRC_MALFORMED;
    return LIRC_PRESS;
}
