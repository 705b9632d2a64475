/*
 * Corvalin_command.cpp - the command-string grammar: the keyword table, splitting a
 * command string into items, reading hexadecimal translation values, and the keys that
 * keyboard keywords queue. Pure text work: no window, registry or device is touched, so
 * all of it can be tested and fuzzed on its own.
 */
#include <windows.h>
#include <string.h>
#include "Corvalin_internal.h"

#define CORVALIN_KEYWORD_TEXT(name) #name,
const char *const pszFunctions[] = {
    CORVALIN_KEYWORDS(CORVALIN_KEYWORD_TEXT)
    ""
};
#undef CORVALIN_KEYWORD_TEXT

/* Keys queued by the keyboard keywords; bSecond is pressed while bFirst is held. */
static const tagKEYSTROKE keyStrokes[] = {
    { FN_PAGEUP, 0x21, 0 },        { FN_PAGEDOWN, 0x22, 0 },      { FN_LINEUP, 0x26, 0 },
    { FN_LINEDOWN, 0x28, 0 },      { FN_ENTER, 0x0D, 0 },         { FN_HOME, 0x24, 0 },
    { FN_END, 0x23, 0 },           { FN_TAB, 0x09, 0 },           { FN_ESCAPE, 0x1B, 0 },
    { FN_FONE, 0x70, 0 },          { FN_FTWO, 0x71, 0 },          { FN_FTHREE, 0x72, 0 },
    { FN_FFOUR, 0x73, 0 },         { FN_FFIVE, 0x74, 0 },         { FN_FSIX, 0x75, 0 },
    { FN_FSEVEN, 0x76, 0 },        { FN_FEIGHT, 0x77, 0 },        { FN_FNINE, 0x78, 0 },
    { FN_FTEN, 0x79, 0 },          { FN_FELEVEN, 0x7A, 0 },       { FN_FTWELVE, 0x7B, 0 },
    { FN_UP, 0x26, 0 },            { FN_DOWN, 0x28, 0 },          { FN_LEFT, 0x25, 0 },
    { FN_RIGHT, 0x27, 0 },
    { FN_KEYA, 'A', 0 }, { FN_KEYB, 'B', 0 }, { FN_KEYC, 'C', 0 }, { FN_KEYD, 'D', 0 },
    { FN_KEYE, 'E', 0 }, { FN_KEYF, 'F', 0 }, { FN_KEYG, 'G', 0 }, { FN_KEYH, 'H', 0 },
    { FN_KEYI, 'I', 0 }, { FN_KEYJ, 'J', 0 }, { FN_KEYK, 'K', 0 }, { FN_KEYL, 'L', 0 },
    { FN_KEYM, 'M', 0 }, { FN_KEYN, 'N', 0 }, { FN_KEYO, 'O', 0 }, { FN_KEYP, 'P', 0 },
    { FN_KEYQ, 'Q', 0 }, { FN_KEYR, 'R', 0 }, { FN_KEYS, 'S', 0 }, { FN_KEYT, 'T', 0 },
    { FN_KEYU, 'U', 0 }, { FN_KEYV, 'V', 0 }, { FN_KEYW, 'W', 0 }, { FN_KEYX, 'X', 0 },
    { FN_KEYY, 'Y', 0 }, { FN_KEYZ, 'Z', 0 },
    { FN_CAPSLOCK, 0x14, 0 },      { FN_CONTROL, 0x11, 0 },       { FN_ALT, 0x12, 0 },
    { FN_NUMONE, '1', 0 },   { FN_NUMTWO, '2', 0 },   { FN_NUMTHREE, '3', 0 },
    { FN_NUMFOUR, '4', 0 },  { FN_NUMFIVE, '5', 0 },  { FN_NUMSIX, '6', 0 },
    { FN_NUMSEVEN, '7', 0 }, { FN_NUMEIGHT, '8', 0 }, { FN_NUMNINE, '9', 0 },
    { FN_NUMZERO, '0', 0 },
    { FN_EQUAL, 0xBB, 0 },         { FN_BACKSPACE, 0x08, 0 },     { FN_MINUS, 0x6D, 0 },
    { FN_FORWARDSLASH, 0x6F, 0 },  { FN_COMMA, 0xBC, 0 },         { FN_FULLSTOP, 0xBE, 0 },
    { FN_BACKSLASH, 0xDC, 0 },     { FN_OPENBRACKET, 0x10, '9' }, { FN_CLOSEBRACKET, 0x10, '0' },
    { FN_SEMICOLON, 0xBA, 0 },     { FN_INVERTEDCOMMA, 0xC0, 0 }, { FN_COLON, 0x10, 0xBA },
};

int GetFunction(LPCSTR lpszFunction)
{
    for (int i = 0; pszFunctions[i][0] != '\0'; i++)
        if (strcmp(pszFunctions[i], lpszFunction) == 0)
            return i + 1;
    return 0;
}

static BOOL IsKeywordChar(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9');
}

/* Splits the item at *plpszPosition in place: capitalises and terminates its keyword,
   terminates its argument, and moves *plpszPosition past the item's comma. Returns FALSE
   (and fills nothing) when the string has no item left. A string of n commas has n + 1
   items, the empty ones giving function 0. */
BOOL NextCommandItem(LPSTR *plpszPosition, tagCOMMANDITEM *pciItem)
{
    LPSTR lpszKeyword = *plpszPosition;
    if (lpszKeyword == NULL)
        return FALSE;

    LPSTR lpsz = lpszKeyword;
    for (; IsKeywordChar(*lpsz); lpsz++)
        if (*lpsz >= 'a' && *lpsz <= 'z')
            *lpsz -= 'a' - 'A';

    /* Terminating the keyword overwrites the character after it: remember it. */
    char chAfter = *lpsz;
    *lpsz = '\0';
    pciItem->uiFunction = (UINT)GetFunction(lpszKeyword);
    pciItem->lpszArgument = lpsz;        /* the empty string unless a quote follows */
    if (chAfter == '\0') {
        *plpszPosition = NULL;
        return TRUE;
    }
    lpsz++;

    if (chAfter == '"') {
        pciItem->lpszArgument = lpsz;
        /* The argument ends at the first quote that is not doubled, or with the string. */
        while (*lpsz != '\0') {
            if (*lpsz == '"') {
                if (lpsz[1] != '"')
                    break;
                lpsz++;
            }
            lpsz++;
        }
        if (*lpsz == '\0') {
            *plpszPosition = NULL;
            return TRUE;
        }
        *lpsz++ = '\0';
    } else if (chAfter == ',') {
        *plpszPosition = lpsz;
        return TRUE;
    }

    /* Whatever else the item holds up to its comma is ignored. */
    LPSTR lpszComma = strchr(lpsz, ',');
    *plpszPosition = lpszComma != NULL ? lpszComma + 1 : NULL;
    return TRUE;
}

/* The low 8 bits of a hexadecimal number (optionally "0x"-prefixed); 0 when none. */
BYTE HexToByte(LPCSTR lpszText)
{
    while (*lpszText == ' ' || *lpszText == '\t')
        lpszText++;
    if (lpszText[0] == '0' && (lpszText[1] == 'x' || lpszText[1] == 'X'))
        lpszText += 2;

    BYTE bValue = 0;
    for (;; lpszText++) {
        char ch = *lpszText;
        int iDigit;
        if (ch >= '0' && ch <= '9')
            iDigit = ch - '0';
        else if (ch >= 'a' && ch <= 'f')
            iDigit = ch - 'a' + 10;
        else if (ch >= 'A' && ch <= 'F')
            iDigit = ch - 'A' + 10;
        else
            return bValue;
        bValue = (BYTE)((bValue << 4) | iDigit);
    }
}

const tagKEYSTROKE *FindKeyStroke(UINT uiFunction)
{
    for (const tagKEYSTROKE &ks : keyStrokes)
        if (ks.bFunction == uiFunction)
            return &ks;
    return NULL;
}

BOOL TargetNeededBefore(UINT uiFunction)
{
    /* Queued keys, the cursor, the volume, the broadcast repaint and the items without an
       action neither act on a window of their own choosing nor bring one to the front. */
    if (uiFunction > FN_LAST || FindKeyStroke(uiFunction) != NULL)
        return FALSE;
    switch (uiFunction) {
    case FN_MCIRECORD:
    case FN_FINDFILE:
    case FN_FINDCOMPUTER:
    case FN_HOMEPOINTER:
    case FN_UNUDGE:
    case FN_DNUDGE:
    case FN_RNUDGE:
    case FN_LNUDGE:
    case FN_AUXVOLUP:
    case FN_AUXVOLDN:
    case FN_MIXERVOLUP:
    case FN_MIXERVOLDN:
    case FN_MIXERMUTE:
    case FN_REFRESH:
        return FALSE;
    }
    return TRUE;
}
