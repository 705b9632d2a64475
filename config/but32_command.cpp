/*
 * but32_command.cpp - the conversion between a stored command and the editable fields of a
 * button record: a command is matched against the template lists of the function types
 * and split into its arguments, and the fields are composed back into the command they
 * make. Text and resource lists only: no window or registry is touched, so the conversion
 * can be tested and fuzzed on its own.
 */
#include <windows.h>
#include <string.h>
#include "BrenvikRes.h"
#include "zendrares32.h"
#include "but32.h"

#define CHANGE_TRACK      7          /* position of "Change Track" in the media names */

/* The template list of each function type, in type order (which is also the order in which
   a stored command's template is looked up), and the display names paired with it. */
struct tagFUNCTIONLIST {
    UINT uiTemplates;
    UINT uiNames;                    /* 0: the template is replaced by the first argument */
};

static const tagFUNCTIONLIST aflFunctions[FUNCTION_TYPES] = {
    { IDR_LAUNCH_TEMPLATES,  0 },                   /* APPLAUNCH */
    { IDR_WEB_TEMPLATES,     0 },                   /* WEBBROWSER */
    { IDR_MEDIA_TEMPLATES,   IDR_MEDIA_NAMES },     /* MULTIMEDIA */
    { IDR_EDIT_TEMPLATES,    IDR_EDIT_NAMES },      /* EDIT */
    { IDR_SYSTEM_TEMPLATES,  IDR_SYSTEM_NAMES },    /* SYSTEM */
    { IDR_MESSAGE_TEMPLATES, 0 },                   /* MESSAGE */
    { IDR_ZENDRA_TEMPLATES,  0 },                   /* ZENDRACOMMAND */
};

/* ---- Strings of a record ----------------------------------------------------------------- */

BOOL HasText(LPCSTR lpszText)
{
    return lpszText != NULL && lpszText[0] != '\0';
}

static void FreeText(LPSTR *ppszField)
{
    if (*ppszField != NULL)
        LocalFree(*ppszField);
    *ppszField = NULL;
}

/* The copy is made before the old text goes, so a field may be assigned from itself. */
void AssignButtonString(LPSTR *ppszField, LPCSTR lpszText)
{
    LPSTR lpszCopy = HasText(lpszText) ? CopyToLocal(lpszText) : NULL;
    FreeText(ppszField);
    *ppszField = lpszCopy;
}

void AssignButtonInfo(tagBUTTONINFO *pbi, int fFunction, LPCSTR lpszPrimary,
                      LPCSTR lpszExtra1, LPCSTR lpszExtra2)
{
    pbi->fFunction = fFunction;
    AssignButtonString(&pbi->pszPrimary, lpszPrimary);
    AssignButtonString(&pbi->pszExtra1, lpszExtra1);
    AssignButtonString(&pbi->pszExtra2, lpszExtra2);
    FreeText(&pbi->pszStored);
}

/* ---- Composing text within a limit ------------------------------------------------------ */

/* Appends lpszText to the text in lpszBuffer; FALSE (nothing appended) when the result
   would not fit cbBuffer bytes with its terminator. */
static BOOL AppendText(LPSTR lpszBuffer, size_t cbBuffer, LPCSTR lpszText)
{
    size_t cbUsed = strlen(lpszBuffer);
    size_t cbText = strlen(lpszText);
    if (cbUsed + cbText >= cbBuffer)
        return FALSE;
    memcpy(lpszBuffer + cbUsed, lpszText, cbText + 1);
    return TRUE;
}

/* Copies lpszText with every double quote doubled; FALSE when that does not fit. */
static BOOL DoubleQuotes(LPCSTR lpszText, LPSTR lpszBuffer, size_t cbBuffer)
{
    size_t cbUsed = 0;
    for (; *lpszText != '\0'; ++lpszText) {
        size_t cbChar = *lpszText == '"' ? 2 : 1;
        if (cbUsed + cbChar >= cbBuffer)
            return FALSE;
        memset(lpszBuffer + cbUsed, *lpszText, cbChar);
        cbUsed += cbChar;
    }
    lpszBuffer[cbUsed] = '\0';
    return TRUE;
}

void PadQuotes(tagBUTTONINFO *pbi)
{
    if (!HasText(pbi->pszExtra1))
        return;
    size_t cbPadded = 2 * strlen(pbi->pszExtra1) + 1;
    LPSTR lpszPadded = (LPSTR)LocalAlloc(LPTR, cbPadded);
    if (lpszPadded == NULL)
        return;
    DoubleQuotes(pbi->pszExtra1, lpszPadded, cbPadded);
    FreeText(&pbi->pszExtra1);
    pbi->pszExtra1 = lpszPadded;
}

/* Puts lpszArgument in place of the template's "%s" (a template without one is copied as
   it is); FALSE when the command would exceed COMMAND_LIMIT. */
static BOOL FillTemplate(LPCSTR lpszTemplate, LPCSTR lpszArgument, LPSTR lpszCommand)
{
    lpszCommand[0] = '\0';
    LPCSTR lpszPlace = strstr(lpszTemplate, "%s");
    if (lpszPlace == NULL)
        return AppendText(lpszCommand, COMMAND_LIMIT, lpszTemplate);
    size_t cbHead = (size_t)(lpszPlace - lpszTemplate);
    if (cbHead >= COMMAND_LIMIT)
        return FALSE;
    memcpy(lpszCommand, lpszTemplate, cbHead);
    lpszCommand[cbHead] = '\0';
    return AppendText(lpszCommand, COMMAND_LIMIT, lpszArgument)
        && AppendText(lpszCommand, COMMAND_LIMIT, lpszPlace + 2);
}

/* ---- From record to stored command ------------------------------------------------------ */

/* Position of the template in its type's list, and the argument that fills it; 0 when the
   record holds nothing to store, COMMAND_TOO_LONG when the argument does not fit. */
static int TemplateAndArgument(const tagBUTTONINFO *pbi, BYTE *pbPosition, LPSTR lpszArgument)
{
    lpszArgument[0] = '\0';
    *pbPosition = 1;
    BOOL bFits = TRUE;
    switch (pbi->fFunction) {
    case APPLAUNCH:
        if (!HasText(pbi->pszPrimary))
            return 0;
        *pbPosition = HasText(pbi->pszExtra2) ? 2 : 1;      /* LAUNCHSIZE, LAUNCH */
        bFits = AppendText(lpszArgument, COMMAND_LIMIT, pbi->pszPrimary);
        if (bFits && HasText(pbi->pszExtra1))
            bFits = AppendText(lpszArgument, COMMAND_LIMIT, CMDLINE_SEPARATOR_TEXT)
                 && AppendText(lpszArgument, COMMAND_LIMIT, pbi->pszExtra1);
        if (bFits && HasText(pbi->pszExtra2))
            bFits = AppendText(lpszArgument, COMMAND_LIMIT, EXTRA_SEPARATOR_TEXT)
                 && AppendText(lpszArgument, COMMAND_LIMIT, pbi->pszExtra2);
        break;
    case MULTIMEDIA:
        if (!HasText(pbi->pszExtra1))
            return 0;
        *pbPosition = CompareStringsRC(pbi->pszExtra1, IDR_MEDIA_NAMES);
        if (HasText(pbi->pszPrimary))
            bFits = AppendText(lpszArgument, COMMAND_LIMIT, pbi->pszPrimary);
        if (bFits && *pbPosition == CHANGE_TRACK && HasText(pbi->pszExtra2))
            bFits = AppendText(lpszArgument, COMMAND_LIMIT, EXTRA_SEPARATOR_TEXT)
                 && AppendText(lpszArgument, COMMAND_LIMIT, pbi->pszExtra2);
        break;
    case EDIT:
    case SYSTEM:
        if (!HasText(pbi->pszPrimary))
            return 0;
        *pbPosition = CompareStringsRC(pbi->pszPrimary, aflFunctions[pbi->fFunction].uiNames);
        if (HasText(pbi->pszExtra1))
            bFits = AppendText(lpszArgument, COMMAND_LIMIT, pbi->pszExtra1);
        break;
    case WEBBROWSER:
    case MESSAGE:
    case ZENDRACOMMAND:
        if (!HasText(pbi->pszPrimary))
            return 0;
        bFits = AppendText(lpszArgument, COMMAND_LIMIT, pbi->pszPrimary);
        break;
    default:
        return 0;
    }
    return bFits ? 1 : COMMAND_TOO_LONG;
}

/* Composes the command from the fields alone, whatever the record keeps. Every quote of
   the argument is doubled, as reading made each doubled quote one. */
int ComposeCommand(const tagBUTTONINFO *pbi, LPSTR lpszCommand)
{
    lpszCommand[0] = '\0';
    char szFields[COMMAND_SIZE], szArgument[COMMAND_SIZE];
    BYTE bPosition;
    int iResult = TemplateAndArgument(pbi, &bPosition, szFields);
    if (iResult != 1)
        return iResult;
    if (!DoubleQuotes(szFields, szArgument, COMMAND_LIMIT))
        return COMMAND_TOO_LONG;
    /* A name missing from its list selects position 0, the empty entry: an empty command. */
    LPSTR lpszTemplate = FunctionNameRC(aflFunctions[pbi->fFunction].uiTemplates, bPosition);
    if (lpszTemplate == NULL)
        return 1;
    if (!FillTemplate(lpszTemplate, szArgument, lpszCommand)) {
        lpszCommand[0] = '\0';
        iResult = COMMAND_TOO_LONG;
    }
    LocalFree(lpszTemplate);
    return iResult;
}

int ConvertButtonToCommand(tagBUTTONINFO *pbi, LPSTR lpszCommand)
{
    lpszCommand[0] = '\0';
    if (pbi->pszStored == NULL)
        return ComposeCommand(pbi, lpszCommand);
    return AppendText(lpszCommand, COMMAND_LIMIT, pbi->pszStored) ? 1 : COMMAND_TOO_LONG;
}

/* ---- From stored command to record ------------------------------------------------------ */

/* Template pass: the command with every quoted section reduced to "%s" between quotes (a
   doubled quote inside a section does not end it). FALSE when it does not fit. */
static BOOL CommandTemplate(LPCSTR lpszCommand, LPSTR lpszTemplate)
{
    lpszTemplate[0] = '\0';
    BOOL bInside = FALSE;
    char szChar[2] = "";
    for (LPCSTR lpsz = lpszCommand; *lpsz != '\0'; ++lpsz) {
        if (bInside) {
            if (*lpsz == '"' && lpsz[1] == '"')
                ++lpsz;
            else if (*lpsz == '"')
                bInside = FALSE;
            continue;
        }
        bInside = *lpsz == '"';
        szChar[0] = *lpsz;
        if (!AppendText(lpszTemplate, COMMAND_LIMIT, bInside ? "\"%s\"" : szChar))
            return FALSE;
    }
    return TRUE;
}

void GetFunctionFromCommand(tagBUTTONINFO *pbi, LPSTR lpszTemplate)
{
    for (int fFunction = 0; fFunction < FUNCTION_TYPES; ++fFunction) {
        const tagFUNCTIONLIST *pfl = &aflFunctions[fFunction];
        BYTE bPosition = CompareStringsRC(lpszTemplate, pfl->uiTemplates);
        if (bPosition == 0)
            continue;
        pbi->fFunction = fFunction;
        LPSTR lpszName = pfl->uiNames != 0 ? FunctionNameRC(pfl->uiNames, bPosition) : NULL;
        lstrcpynA(lpszTemplate, lpszName != NULL ? lpszName : "", COMMAND_SIZE);
        if (lpszName != NULL)
            LocalFree(lpszName);
        return;
    }
}

/* The arguments of a command, one after another, each ended by a NUL. */
struct tagARGUMENTS {
    char   szText[COMMAND_SIZE];
    size_t cbUsed;
    int    iSeparators;              /* the command-line separator counts 1, the extra one 2 */
};

/* Argument pass. Only text inside quotes is taken; a doubled quote there is one quote.
   A byte of lpszSeparators also ends a field where the engine ends one: the command-line
   separator only before any other (program | command line), the extra separator once
   (| size and position, device | track). Every other byte, and any later separator, is text of its field. */
static void CommandArguments(LPCSTR lpszCommand, LPCSTR lpszSeparators, tagARGUMENTS *pa)
{
    ZeroMemory(pa, sizeof(*pa));
    BOOL bInside = FALSE;
    for (LPCSTR lpsz = lpszCommand; *lpsz != '\0' && pa->cbUsed + 1 < COMMAND_LIMIT; ++lpsz) {
        if (!bInside) {
            bInside = *lpsz == '"';
            continue;
        }
        char ch = *lpsz;
        if (ch == '"' && lpsz[1] == '"') {
            ++lpsz;
        } else if (ch == '"') {
            bInside = FALSE;
            ch = '\0';
        } else if (strchr(lpszSeparators, ch) != NULL
                   && (ch == CMDLINE_SEPARATOR ? pa->iSeparators == 0 : pa->iSeparators < 2)) {
            pa->iSeparators += ch == CMDLINE_SEPARATOR ? 1 : 2;
            ch = '\0';
        }
        pa->szText[pa->cbUsed++] = ch;
    }
    /* An argument without its closing quote runs to the end; the zero fill ends it. */
}

/* The separators of the fields an argument holds: a launch's program, command line and
   size; Change Track's device and track. Every other argument is one text, separators and
   all, as the engine takes it. lpszName: the function name the template gave. */
static LPCSTR FieldSeparators(int fFunction, LPCSTR lpszName)
{
    if (fFunction == APPLAUNCH)
        return CMDLINE_SEPARATOR_TEXT EXTRA_SEPARATOR_TEXT;
    if (fFunction == MULTIMEDIA && CompareStringsRC(lpszName, IDR_MEDIA_NAMES) == CHANGE_TRACK)
        return EXTRA_SEPARATOR_TEXT;
    return "";
}

/* The n-th argument (from 0), or "" past the last one. */
static LPCSTR Argument(const tagARGUMENTS *pa, int iArgument)
{
    LPCSTR lpsz = pa->szText;
    LPCSTR lpszEnd = pa->szText + pa->cbUsed;    /* always a NUL */
    for (; iArgument > 0 && lpsz < lpszEnd; --iArgument)
        lpsz += strlen(lpsz) + 1;
    return lpsz < lpszEnd ? lpsz : lpszEnd;
}

/* The engine takes the first command-line separator anywhere as the start of the command
   line, also one inside a launch's size and position field. Without a command line before
   that field, the fields would show none where the engine runs one; an empty one there
   keeps that from happening, but no field can say that it is there (an empty field is
   none). Either way only the whole command says what runs. */
static BOOL SizeFieldHidesCommandLine(const tagARGUMENTS *pa, LPCSTR lpszA1, LPCSTR lpszA2)
{
    LPCSTR lpszSize = pa->iSeparators == 3 ? lpszA2 : pa->iSeparators == 2 ? lpszA1 : "";
    BOOL bCommandLineFirst = pa->iSeparators == 3 && HasText(lpszA1);
    return !bCommandLineFirst && strchr(lpszSize, CMDLINE_SEPARATOR) != NULL;
}

/* Fills a record whose strings are all null. */
static void FillFromCommand(tagBUTTONINFO *pbi, LPCSTR lpszCommand)
{
    if (!HasText(lpszCommand)) {
        pbi->fFunction = APPLAUNCH;      /* as a fresh record: not assigned */
        return;
    }
    /* Too long to convert, or no list knows it: kept whole, shown as not editable. */
    char szName[COMMAND_SIZE];
    if (strlen(lpszCommand) >= COMMAND_LIMIT || !CommandTemplate(lpszCommand, szName)) {
        AssignButtonString(&pbi->pszStored, lpszCommand);
        return;
    }
    GetFunctionFromCommand(pbi, szName);
    if (pbi->fFunction == NO_FUNCTION) {
        AssignButtonString(&pbi->pszStored, lpszCommand);
        return;
    }

    tagARGUMENTS aArguments;
    CommandArguments(lpszCommand, FieldSeparators(pbi->fFunction, szName), &aArguments);
    /* T: the function name, or the first argument when the template gave none. */
    int iFirst = szName[0] != '\0' ? 0 : 1;
    LPCSTR lpszT = iFirst == 0 ? szName : Argument(&aArguments, 0);
    LPCSTR lpszA1 = Argument(&aArguments, iFirst);
    LPCSTR lpszA2 = Argument(&aArguments, iFirst + 1);
    switch (pbi->fFunction) {
    case APPLAUNCH:
        if (SizeFieldHidesCommandLine(&aArguments, lpszA1, lpszA2)) {
            pbi->fFunction = NO_FUNCTION;
            AssignButtonString(&pbi->pszStored, lpszCommand);
            return;
        }
        if (aArguments.iSeparators == 2)        /* only a size and position */
            AssignButtonInfo(pbi, APPLAUNCH, lpszT, NULL, lpszA1);
        else
            AssignButtonInfo(pbi, APPLAUNCH, lpszT, lpszA1, aArguments.iSeparators == 3 ? lpszA2 : NULL);
        break;
    case MULTIMEDIA:
        AssignButtonInfo(pbi, MULTIMEDIA, lpszA1, lpszT, lpszA2);
        break;
    case EDIT:
    case SYSTEM:
        AssignButtonInfo(pbi, pbi->fFunction, lpszT, lpszA1, NULL);
        break;
    default:
        AssignButtonInfo(pbi, pbi->fFunction, lpszT, NULL, NULL);
        break;
    }

    /* What the fields would not store again exactly as it was stays as it was. */
    char szComposed[COMMAND_SIZE];
    if (ComposeCommand(pbi, szComposed) != 1 || strcmp(szComposed, lpszCommand) != 0)
        AssignButtonString(&pbi->pszStored, lpszCommand);
}

void ConvertCommandToButton(tagBUTTONINFO *pbi, LPCSTR lpszCommand)
{
    /* The old strings go last: the command may be one of them (a kept command read again). */
    tagBUTTONINFO biOld = *pbi;
    pbi->fFunction = NO_FUNCTION;
    pbi->pszPrimary = pbi->pszExtra1 = pbi->pszExtra2 = pbi->pszStored = NULL;
    FillFromCommand(pbi, lpszCommand);
    AssignButtonInfo(&biOld, NO_FUNCTION, NULL, NULL, NULL);
}

/* ---- The family a command is nearest to ------------------------------------------------- */

static BOOL IsKeywordChar(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9');
}

static size_t KeywordLength(LPCSTR lpsz)
{
    size_t cch = 0;
    while (IsKeywordChar(lpsz[cch]))
        ++cch;
    return cch;
}

/* The item after this one, as the engine reads a command: the keyword, its quoted argument
   (a doubled quote does not end it), anything up to the next comma; null after the last. */
static LPCSTR NextItem(LPCSTR lpszItem)
{
    LPCSTR lpsz = lpszItem + KeywordLength(lpszItem);
    if (*lpsz == '"') {
        for (++lpsz; *lpsz != '\0' && !(*lpsz == '"' && lpsz[1] != '"'); ++lpsz)
            if (*lpsz == '"')
                ++lpsz;
        if (*lpsz == '"')
            ++lpsz;
    }
    lpsz = strchr(lpsz, ',');
    return lpsz != NULL ? lpsz + 1 : NULL;
}

/* Whether a template list uses the keyword; bAlone: in a template of one item. */
static BOOL TemplatesUse(UINT uiTemplates, LPCSTR lpszKeyword, size_t cchKeyword, BOOL bAlone)
{
    tagRCTABLE rc;
    if (!OpenTable(uiTemplates, FALSE, &rc))
        return FALSE;
    BOOL bUsed = FALSE;
    for (LPCSTR lpszEntry = rc.lpszFirst; *lpszEntry != '\0' && !bUsed; lpszEntry = NextEntry(lpszEntry)) {
        if (bAlone && NextItem(lpszEntry) != NULL)
            continue;
        for (LPCSTR lpszItem = lpszEntry; lpszItem != NULL && !bUsed; lpszItem = NextItem(lpszItem))
            bUsed = KeywordLength(lpszItem) == cchKeyword
                 && _strnicmp(lpszItem, lpszKeyword, cchKeyword) == 0;
    }
    CloseTable(&rc);
    return bUsed;
}

int NearestFamily(LPCSTR lpszCommand)
{
    for (LPCSTR lpszItem = lpszCommand; lpszItem != NULL; lpszItem = NextItem(lpszItem)) {
        size_t cchKeyword = KeywordLength(lpszItem);
        if (cchKeyword == 0)
            continue;
        for (int bAlone = 1; bAlone >= 0; --bAlone)
            for (int fFunction = 0; fFunction < FUNCTION_TYPES; ++fFunction)
                if (TemplatesUse(aflFunctions[fFunction].uiTemplates, lpszItem, cchKeyword, bAlone))
                    return fFunction;
    }
    return NO_FUNCTION;
}
