/*
 * profile32_format.cpp - writing and reading the text of an assignment profile. A profile
 * comes from outside (another PC, a friend, a damaged disk): the reader checks every line,
 * escape and length before anything is taken from it, so that a load either has the whole
 * profile or changes nothing.
 */
#include <string.h>
#include "profile32_format.h"

#define SIZE_ERROR ((size_t)-1)

/* The kinds of section a profile holds; SECTION_BUTTONS comes last (one bit per mode from
   it on in uiSeen). */
enum { SECTION_NONE, SECTION_MODE, SECTION_TRANSLATION, SECTION_DEFAULT, SECTION_RECEIVER, SECTION_AUTOMODES,
       SECTION_BUTTONS };

static const char szModeKey[] = STORE_MODE_KEY;
static const char szTranslationKey[] = STORE_TRANSLATION_KEY;
static const char szDefaultKey[] = STORE_NOMODE_KEY;
static const char szReceiverKey[] = PROFILE_RECEIVER_KEY;   /* no mode's name: it holds a '\\' */
/* Keys a mode's name may not take: the profile's own sections and the per-machine settings. */
static const char *const pszReservedKeys[] = { szModeKey, szTranslationKey, szDefaultKey, ORVANE_SETTINGS };

/* What the reader knows while it walks the lines. */
struct tagPROFILEREADER {
    const char *pText;
    size_t cbText;
    size_t iPosition;
    int  iLine;
    int  bPairs;                        /* a profile of version 2: it may carry pairs */
    int  cPairs;                        /* pairs taken */
    int  iSection;                      /* SECTION_x of the current section */
    int  iMode;                         /* its mode, for SECTION_BUTTONS */
    int  iSectionStart;                 /* index of its first value */
    int  iSectionLine;
    unsigned uiSeen;                    /* bit per SECTION_x seen */
    unsigned long long ullSeenValues;   /* bit per value name of the current section */
    char szModes[PROFILE_MODES][PROFILE_KEY_SIZE];
    int  iModeLine[PROFILE_MODES];      /* line of each mode's name in the mode table */
    int  iModeSectionLine[PROFILE_MODES];
    unsigned long long ullModeValues[PROFILE_MODES];
    unsigned uiDefaultValues;
    int  iDefaultLine;
};

int CompareProfileNames(const char *pszFirst, const char *pszSecond)
{
    for (;; pszFirst++, pszSecond++) {
        int iFirst = (unsigned char)*pszFirst, iSecond = (unsigned char)*pszSecond;
        if (iFirst >= 'a' && iFirst <= 'z') iFirst -= 'a' - 'A';
        if (iSecond >= 'a' && iSecond <= 'z') iSecond -= 'a' - 'A';
        if (iFirst != iSecond || iFirst == 0)
            return iFirst - iSecond;
    }
}

static int NeedsEscape(unsigned char ch, int bName)
{
    if (ch < 0x20 || ch > 0x7E || ch == '\\' || ch == '"')
        return 1;
    return bName && (ch == '=' || ch == '[' || ch == ']');
}

size_t EscapeProfileText(const char *pb, size_t cb, int bName, char *pszText, size_t cchText)
{
    static const char szHex[] = "0123456789ABCDEF";
    size_t iOut = 0;
    for (size_t i = 0; i < cb; i++) {
        unsigned char ch = (unsigned char)pb[i];
        char szEscape[4];
        size_t cchEscape;
        if (!NeedsEscape(ch, bName)) {
            szEscape[0] = (char)ch;
            cchEscape = 1;
        } else if (ch == '\\' || ch == '"') {
            szEscape[0] = '\\';
            szEscape[1] = (char)ch;
            cchEscape = 2;
        } else {
            szEscape[0] = '\\';
            szEscape[1] = 'x';
            szEscape[2] = szHex[ch >> 4];
            szEscape[3] = szHex[ch & 15];
            cchEscape = 4;
        }
        if (iOut + cchEscape >= cchText)
            return SIZE_ERROR;
        memcpy(pszText + iOut, szEscape, cchEscape);
        iOut += cchEscape;
    }
    if (cchText == 0)
        return SIZE_ERROR;
    pszText[iOut] = '\0';
    return iOut;
}

static int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

int UnescapeProfileText(const char *pszText, size_t cchText, char *pb, size_t cbMax)
{
    size_t iOut = 0;
    for (size_t i = 0; i < cchText; i++) {
        unsigned char ch = (unsigned char)pszText[i];
        if (ch == '\\') {
            if (i + 1 >= cchText)
                return 0;
            char chNext = pszText[++i];
            if (chNext == '\\' || chNext == '"') {
                ch = (unsigned char)chNext;
            } else if (chNext == 'x' && i + 2 < cchText
                       && HexDigit(pszText[i + 1]) >= 0 && HexDigit(pszText[i + 2]) >= 0) {
                ch = (unsigned char)(HexDigit(pszText[i + 1]) * 16 + HexDigit(pszText[i + 2]));
                i += 2;
                if (ch == 0)              /* registry strings end at their first NUL */
                    return 0;
            } else {
                return 0;
            }
        } else if (ch < 0x20 || ch > 0x7E || ch == '"') {
            return 0;                     /* the writer escapes these: a hand-made change */
        }
        if (iOut + 1 >= cbMax)
            return -1;
        pb[iOut++] = (char)ch;
    }
    if (cbMax == 0)
        return -1;
    pb[iOut] = '\0';
    return 1;
}

/* Appends cch characters to the text; 0 when they do not fit. */
static int Append(char *pszText, size_t cchText, size_t *piLength, const char *psz, size_t cch)
{
    if (*piLength + cch >= cchText)
        return 0;
    memcpy(pszText + *piLength, psz, cch);
    *piLength += cch;
    pszText[*piLength] = '\0';
    return 1;
}

/* Appends the escaped form of a string. */
static int AppendEscaped(char *pszText, size_t cchText, size_t *piLength, const char *psz, int bName)
{
    if (*piLength >= cchText)
        return 0;
    size_t cch = EscapeProfileText(psz, strlen(psz), bName, pszText + *piLength, cchText - *piLength);
    if (cch == SIZE_ERROR)
        return 0;
    *piLength += cch;
    return 1;
}

size_t WriteProfile(const tagPROFILE *ppProfile, char *pszText, size_t cchText)
{
    static const char szNewLine[] = "\r\n";
    size_t iLength = 0;
    if (cchText == 0)
        return 0;
    pszText[0] = '\0';
    const char *pszHeader = PROFILE_HEADER;
    for (int i = 0; i < ppProfile->iCount; i++)
        if (strcmp(ppProfile->pvValues[i].szKey, STORE_AUTOMODE_KEY) == 0)
            pszHeader = PROFILE_HEADER_PAIRS;
    int bOk = Append(pszText, cchText, &iLength, pszHeader, strlen(pszHeader))
              && Append(pszText, cchText, &iLength, szNewLine, 2);
    /* The Mode section comes first even when it names no mode: the reader requires it. */
    if (ppProfile->iCount == 0 || CompareProfileNames(ppProfile->pvValues[0].szKey, szModeKey) != 0)
        bOk = bOk && Append(pszText, cchText, &iLength, "[", 1)
              && Append(pszText, cchText, &iLength, szModeKey, strlen(szModeKey))
              && Append(pszText, cchText, &iLength, "]\r\n", 3);
    for (int i = 0; bOk && i < ppProfile->iCount; i++) {
        const tagPROFILEVALUE *ppv = &ppProfile->pvValues[i];
        if (i == 0 || strcmp(ppv->szKey, ppProfile->pvValues[i - 1].szKey) != 0)
            bOk = Append(pszText, cchText, &iLength, "[", 1)
                  && AppendEscaped(pszText, cchText, &iLength, ppv->szKey, 1)
                  && Append(pszText, cchText, &iLength, "]\r\n", 3);
        bOk = bOk && AppendEscaped(pszText, cchText, &iLength, ppv->szName, 1)
              && Append(pszText, cchText, &iLength, "=\"", 2)
              && AppendEscaped(pszText, cchText, &iLength, ppv->szValue, 0)
              && Append(pszText, cchText, &iLength, "\"\r\n", 3);
    }
    bOk = bOk && Append(pszText, cchText, &iLength, PROFILE_END, strlen(PROFILE_END))
          && Append(pszText, cchText, &iLength, szNewLine, 2);
    return bOk ? iLength : 0;
}

/* ---- Reading ------------------------------------------------------------------------- */

static int Fail(tagPROFILEERROR *ppeError, int iReason, int iLine)
{
    ppeError->iReason = iReason;
    ppeError->iLine = iLine;
    return 0;
}

/* The next line, without its line break, into ppLine and pcch; 0 at the end of the text. */
static int NextLine(tagPROFILEREADER *pr, const char **ppLine, size_t *pcch)
{
    if (pr->iPosition >= pr->cbText)
        return 0;
    const char *pStart = pr->pText + pr->iPosition;
    const char *pEnd = (const char *)memchr(pStart, '\n', pr->cbText - pr->iPosition);
    size_t cch = pEnd != NULL ? (size_t)(pEnd - pStart) : pr->cbText - pr->iPosition;
    pr->iPosition += cch + (pEnd != NULL ? 1 : 0);
    if (cch > 0 && pStart[cch - 1] == '\r')
        cch--;
    pr->iLine++;
    *ppLine = pStart;
    *pcch = cch;
    return 1;
}

static int LineIs(const char *pLine, size_t cch, const char *psz)
{
    return cch == strlen(psz) && memcmp(pLine, psz, cch) == 0;
}

/* A value name made only of decimal digits, without leading zeros: its number, else -1. */
static int NameNumber(const char *pszName)
{
    size_t cch = strlen(pszName);
    if (cch == 0 || cch > 3 || (cch > 1 && pszName[0] == '0'))
        return -1;
    int iNumber = 0;
    for (size_t i = 0; i < cch; i++) {
        if (pszName[i] < '0' || pszName[i] > '9')
            return -1;
        iNumber = iNumber * 10 + (pszName[i] - '0');
    }
    return iNumber;
}

/* Position of a value name within its section (for the repeated-value check), or -1 when
   the section does not hold such a value. Translation and receiver names are free: 64
   stands for all. */
static int ValueSlot(const tagPROFILEREADER *pr, const char *pszName)
{
    int iNumber = NameNumber(pszName);
    switch (pr->iSection) {
    case SECTION_MODE:
        return iNumber >= 1 && iNumber <= PROFILE_MODES ? iNumber - 1 : -1;
    case SECTION_DEFAULT:
        return iNumber >= 0 && iNumber < BUTTON_NOMODE_COUNT ? iNumber : -1;
    case SECTION_BUTTONS:
        if (CompareProfileNames(pszName, STORE_MODE_COMMAND) == 0)
            return PROFILE_MODE_VALUES - 1;
        return iNumber >= 0 && iNumber < PROFILE_MODE_VALUES - 1 ? iNumber : -1;
    case SECTION_TRANSLATION:
    case SECTION_RECEIVER:
    case SECTION_AUTOMODES:
        return pszName[0] != '\0' ? 64 : -1;
    }
    return -1;
}

static int IsReservedKey(const char *pszName)
{
    for (const char *pszReserved : pszReservedKeys)
        if (CompareProfileNames(pszName, pszReserved) == 0)
            return 1;
    return 0;
}

/* The mode names, once the mode table's section is complete: each is empty or a usable key name
   that no other mode has. */
static int CheckModeNames(const tagPROFILEREADER *pr, tagPROFILEERROR *ppeError)
{
    for (int m = 0; m < PROFILE_MODES; m++) {
        const char *pszName = pr->szModes[m];
        if (pszName[0] == '\0')
            continue;
        if (strchr(pszName, '\\') != NULL || IsReservedKey(pszName))
            return Fail(ppeError, PROFILE_BAD_MODE_NAME, pr->iModeLine[m]);
        for (int n = 0; n < m; n++)
            if (CompareProfileNames(pszName, pr->szModes[n]) == 0)
                return Fail(ppeError, PROFILE_BAD_MODE_NAME, pr->iModeLine[m]);
    }
    return 1;
}

/* Records the values seen in the section that ends here. */
static void CloseSection(tagPROFILEREADER *pr)
{
    if (pr->iSection == SECTION_BUTTONS)
        pr->ullModeValues[pr->iMode] = pr->ullSeenValues;
    else if (pr->iSection == SECTION_DEFAULT)
        pr->uiDefaultValues = (unsigned)pr->ullSeenValues;
}

static int OpenSection(tagPROFILEREADER *pr, const char *pLine, size_t cch, tagPROFILE *pp,
                       tagPROFILEERROR *ppeError)
{
    char szKey[PROFILE_KEY_SIZE];
    int iResult = UnescapeProfileText(pLine + 1, cch - 2, szKey, sizeof(szKey));
    if (iResult <= 0)
        return Fail(ppeError, iResult == 0 ? PROFILE_BAD_ESCAPE : PROFILE_BAD_SECTION, pr->iLine);
    if (pr->iSection == SECTION_MODE && !CheckModeNames(pr, ppeError))
        return 0;
    CloseSection(pr);

    int iSection = SECTION_BUTTONS, iMode = -1;
    if (CompareProfileNames(szKey, szModeKey) == 0)
        iSection = SECTION_MODE;
    else if (CompareProfileNames(szKey, szTranslationKey) == 0)
        iSection = SECTION_TRANSLATION;
    else if (CompareProfileNames(szKey, szDefaultKey) == 0)
        iSection = SECTION_DEFAULT;
    else if (CompareProfileNames(szKey, szReceiverKey) == 0)
        iSection = SECTION_RECEIVER;
    else if (CompareProfileNames(szKey, STORE_AUTOMODE_KEY) == 0 && pr->bPairs)
        iSection = SECTION_AUTOMODES;
    else
        for (int m = 0; m < PROFILE_MODES; m++)
            if (pr->szModes[m][0] != '\0' && CompareProfileNames(szKey, pr->szModes[m]) == 0)
                iMode = m;

    /* The mode table comes first: it names the other sections. Each section stands once. */
    unsigned uiBit = iSection == SECTION_BUTTONS ? 1u << (SECTION_BUTTONS + iMode) : 1u << iSection;
    if ((iSection == SECTION_BUTTONS && iMode < 0) || (pr->uiSeen & uiBit) != 0
        || ((pr->uiSeen & (1u << SECTION_MODE)) == 0) != (iSection == SECTION_MODE))
        return Fail(ppeError, PROFILE_BAD_SECTION, pr->iLine);
    pr->uiSeen |= uiBit;
    pr->iSection = iSection;
    pr->iMode = iMode;
    pr->iSectionStart = pp->iCount;
    pr->iSectionLine = pr->iLine;
    pr->ullSeenValues = 0;
    if (iSection == SECTION_BUTTONS)
        pr->iModeSectionLine[iMode] = pr->iLine;
    else if (iSection == SECTION_DEFAULT)
        pr->iDefaultLine = pr->iLine;
    return 1;
}

static int ReadValue(tagPROFILEREADER *pr, const char *pLine, size_t cch, tagPROFILE *pp,
                     tagPROFILEERROR *ppeError)
{
    const char *pEquals = (const char *)memchr(pLine, '=', cch);
    if (pEquals == NULL || (size_t)(pEquals - pLine) + 3 > cch || pEquals[1] != '"'
        || pLine[cch - 1] != '"')
        return Fail(ppeError, PROFILE_BAD_LINE, pr->iLine);
    if (pr->iSection == SECTION_NONE)
        return Fail(ppeError, PROFILE_BAD_SECTION, pr->iLine);
    if (pp->iCount >= PROFILE_MAX_VALUES)
        return Fail(ppeError, PROFILE_TOO_MANY_VALUES, pr->iLine);

    tagPROFILEVALUE *ppv = &pp->pvValues[pp->iCount];
    size_t cchName = (size_t)(pEquals - pLine);
    int bPair = pr->iSection == SECTION_AUTOMODES;
    int iName = UnescapeProfileText(pLine, cchName, ppv->szName, bPair ? sizeof(ppv->szName) : PROFILE_NAME_SIZE);
    int iValue = UnescapeProfileText(pEquals + 2, cch - cchName - 3, ppv->szValue, sizeof(ppv->szValue));
    if (iName == 0 || iValue == 0)
        return Fail(ppeError, PROFILE_BAD_ESCAPE, pr->iLine);
    /* A pair that is no use is passed over, as it is in the registry. */
    if (bPair && (iName < 0 || iValue < 0 || pr->cPairs == AUTOMODE_MAX_PAIRS
                  || AutoModePairMode(ppv->szName, ppv->szValue, pr->szModes) < 0))
        return 1;
    if (iName < 0 || iValue < 0)
        return Fail(ppeError, PROFILE_TOO_LONG, pr->iLine);

    int iSlot = ValueSlot(pr, ppv->szName);
    if (iSlot < 0)
        return Fail(ppeError, PROFILE_BAD_NAME, pr->iLine);
    int bRepeated = iSlot < 64 ? (pr->ullSeenValues >> iSlot) & 1 : 0;
    for (int i = pr->iSectionStart; iSlot == 64 && i < pp->iCount; i++)
        bRepeated |= CompareProfileNames(pp->pvValues[i].szName, ppv->szName) == 0;
    if (bRepeated)
        return Fail(ppeError, PROFILE_REPEATED_VALUE, pr->iLine);
    if (iSlot < 64)
        pr->ullSeenValues |= 1ull << iSlot;

    const char *pszKey = pr->iSection == SECTION_MODE ? szModeKey
                       : pr->iSection == SECTION_TRANSLATION ? szTranslationKey
                       : pr->iSection == SECTION_DEFAULT ? szDefaultKey
                       : pr->iSection == SECTION_RECEIVER ? szReceiverKey
                       : bPair ? STORE_AUTOMODE_KEY
                       : pr->szModes[pr->iMode];
    strcpy(ppv->szKey, pszKey);      /* every key name fits: checked as it was read */
    if (pr->iSection == SECTION_MODE) {
        if (strlen(ppv->szValue) >= PROFILE_KEY_SIZE)
            return Fail(ppeError, PROFILE_BAD_MODE_NAME, pr->iLine);
        strcpy(pr->szModes[iSlot], ppv->szValue);
        pr->iModeLine[iSlot] = pr->iLine;
    }
    pr->cPairs += bPair;
    pp->iCount++;
    return 1;
}

/* After the end line: every named mode has all its buttons, and both mode-independent
   buttons are there. */
static int CheckComplete(const tagPROFILEREADER *pr, tagPROFILEERROR *ppeError)
{
    const unsigned long long ullAllButtons = (1ull << PROFILE_MODE_VALUES) - 1;
    if ((pr->uiSeen & (1u << SECTION_MODE)) == 0 || pr->uiDefaultValues != (1u << BUTTON_NOMODE_COUNT) - 1)
        return Fail(ppeError, PROFILE_MISSING_VALUE,
                    pr->iDefaultLine != 0 ? pr->iDefaultLine : pr->iLine);
    for (int m = 0; m < PROFILE_MODES; m++) {
        if (pr->szModes[m][0] == '\0')
            continue;
        if (pr->ullModeValues[m] != ullAllButtons)
            return Fail(ppeError, PROFILE_MISSING_VALUE,
                        pr->iModeSectionLine[m] != 0 ? pr->iModeSectionLine[m] : pr->iModeLine[m]);
    }
    return 1;
}

int ReadProfile(const char *pText, size_t cbText, tagPROFILE *ppProfile, tagPROFILEERROR *ppeError)
{
    static tagPROFILEREADER rZero;
    tagPROFILEREADER r = rZero;
    r.pText = pText;
    r.cbText = cbText;
    ppProfile->iCount = 0;
    ppeError->iReason = PROFILE_OK;
    ppeError->iLine = 0;
    if (cbText > PROFILE_MAX_FILE)
        return Fail(ppeError, PROFILE_TOO_LARGE, 1);

    const char *pLine;
    size_t cch;
    int bHeader = NextLine(&r, &pLine, &cch);
    r.bPairs = bHeader && LineIs(pLine, cch, PROFILE_HEADER_PAIRS);
    if (!bHeader || !(r.bPairs || LineIs(pLine, cch, PROFILE_HEADER))) {
        size_t cchStem = strlen(PROFILE_HEADER) - 1;    /* the header without its version */
        int bOurs = r.iLine == 1 && cch > cchStem && memcmp(pLine, PROFILE_HEADER, cchStem) == 0;
        return Fail(ppeError, bOurs ? PROFILE_NEWER_VERSION : PROFILE_NOT_A_PROFILE, 1);
    }

    int bEnded = 0;
    while (NextLine(&r, &pLine, &cch)) {
        if (cch > PROFILE_MAX_LINE)
            return Fail(ppeError, PROFILE_TOO_LONG, r.iLine);
        if (cch == 0)
            continue;
        if (bEnded)
            return Fail(ppeError, PROFILE_TEXT_AFTER_END, r.iLine);
        if (LineIs(pLine, cch, PROFILE_END)) {
            if (r.iSection == SECTION_MODE && !CheckModeNames(&r, ppeError))
                return 0;
            CloseSection(&r);
            bEnded = 1;
            if (!CheckComplete(&r, ppeError))
                return 0;
        } else if (pLine[0] == '[' && cch >= 2 && pLine[cch - 1] == ']') {
            if (!OpenSection(&r, pLine, cch, ppProfile, ppeError))
                return 0;
        } else if (!ReadValue(&r, pLine, cch, ppProfile, ppeError)) {
            return 0;
        }
    }
    if (!bEnded)
        return Fail(ppeError, PROFILE_TRUNCATED, r.iLine + 1);
    return 1;
}
