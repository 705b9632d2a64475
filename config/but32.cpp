/*
 * but32.cpp - the button model of a configuration run: every assignment of every button in
 * every mode as a tree of small records, loaded from the registry when the picture of the
 * remote opens and written back when it closes; the conversion between a stored command and
 * the editable fields of a record; the holder list that the function editor edits; and the
 * services the editors share (control text, program-file chooser, media devices).
 * MouseButtons, called by the tray program's Configure command and by the Control Panel
 * applet, starts a run.
 */
#include <windows.h>
#include <windowsx.h>
#include <commdlg.h>
#include <stdio.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_internal.h"
#include "registry.h"

tagBUTTONINFO    *pbiButton;
tagBUTTONTYPEINFO btiButton;

/* Field separators inside one quoted argument. */
#define CMDLINE_SEPARATOR "\x7F"     /* program file | command line */
#define EXTRA_SEPARATOR   "\x83"     /* ... | size and position, device | track */

#define VALUE_NAME_SIZE   12         /* a scan code or "Default", with NUL */
#define DEFAULT_KEY       "Default"  /* key of the mode-independent buttons, value of a mode's own */
#define CHANGE_TRACK      7          /* position of "Change Track" in the media names */
#define HOLDERS           FUNCTION_TYPES

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

/* By button kind: the scan code of the first record (the mode button is the exception) and
   the number of buttons, so a longer list never reaches another kind's values. */
static const BYTE abFirstScanCode[] = { 0, MAIN_BUTTONS, 2 * MAIN_BUTTONS, 41 };
static const BYTE abButtons[] = { MAIN_BUTTONS, MAIN_BUTTONS, SPECIAL_BUTTONS, NOMODE_BUTTONS };
#define MODE_BUTTON_POSITION 6
#define MODE_BUTTON_CODE     255

/* ---- Strings of a record ----------------------------------------------------------------- */

static BOOL HasText(LPCSTR lpszText)
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
            bFits = AppendText(lpszArgument, COMMAND_LIMIT, CMDLINE_SEPARATOR)
                 && AppendText(lpszArgument, COMMAND_LIMIT, pbi->pszExtra1);
        if (bFits && HasText(pbi->pszExtra2))
            bFits = AppendText(lpszArgument, COMMAND_LIMIT, EXTRA_SEPARATOR)
                 && AppendText(lpszArgument, COMMAND_LIMIT, pbi->pszExtra2);
        break;
    case MULTIMEDIA:
        if (!HasText(pbi->pszExtra1))
            return 0;
        *pbPosition = CompareStringsRC(pbi->pszExtra1, IDR_MEDIA_NAMES);
        if (HasText(pbi->pszPrimary))
            bFits = AppendText(lpszArgument, COMMAND_LIMIT, pbi->pszPrimary);
        if (bFits && *pbPosition == CHANGE_TRACK && HasText(pbi->pszExtra2))
            bFits = AppendText(lpszArgument, COMMAND_LIMIT, EXTRA_SEPARATOR)
                 && AppendText(lpszArgument, COMMAND_LIMIT, pbi->pszExtra2);
        break;
    case EDIT:
    case SYSTEM:
        if (!HasText(pbi->pszPrimary))
            return 0;
        *pbPosition = CompareStringsRC(pbi->pszPrimary, aflFunctions[pbi->fFunction].uiNames);
        /* The dispatcher types an edit text with its doubled quotes made single again. */
        if (pbi->fFunction == EDIT && HasText(pbi->pszExtra1))
            bFits = DoubleQuotes(pbi->pszExtra1, lpszArgument, COMMAND_LIMIT);
        else if (HasText(pbi->pszExtra1))
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

/* Composes the command from the fields alone, whatever the record keeps. */
static int ComposeCommand(const tagBUTTONINFO *pbi, LPSTR lpszCommand)
{
    lpszCommand[0] = '\0';
    char szArgument[COMMAND_SIZE];
    BYTE bPosition;
    int iResult = TemplateAndArgument(pbi, &bPosition, szArgument);
    if (iResult != 1)
        return iResult;
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
    int    iSeparators;              /* 0x7F counts 1, 0x83 counts 2; no more after 2 */
};

/* Argument pass. Only text inside quotes is taken; a doubled quote there is one quote.
   Outside edit texts 0x7F and 0x83 also end an argument while fewer than 2 are counted. */
static void CommandArguments(LPCSTR lpszCommand, BOOL bSeparators, tagARGUMENTS *pa)
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
        } else if (bSeparators && pa->iSeparators < 2 && (ch == '\x7F' || ch == '\x83')) {
            pa->iSeparators += ch == '\x7F' ? 1 : 2;
            ch = '\0';
        }
        pa->szText[pa->cbUsed++] = ch;
    }
    /* An argument without its closing quote runs to the end; the zero fill ends it. */
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
    CommandArguments(lpszCommand, pbi->fFunction != EDIT, &aArguments);
    /* T: the function name, or the first argument when the template gave none. */
    int iFirst = szName[0] != '\0' ? 0 : 1;
    LPCSTR lpszT = iFirst == 0 ? szName : Argument(&aArguments, 0);
    LPCSTR lpszA1 = Argument(&aArguments, iFirst);
    LPCSTR lpszA2 = Argument(&aArguments, iFirst + 1);
    switch (pbi->fFunction) {
    case APPLAUNCH:
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

/* ---- Lists of records ------------------------------------------------------------------- */

static tagBUTTONINFO *FirstRecord(tagBUTTONINFO *pbi)
{
    while (pbi != NULL && pbi->pbiLast != NULL)
        pbi = pbi->pbiLast;
    return pbi;
}

void CreateButtonMemory(tagBUTTONINFO **ppbiList, BYTE bCount)
{
    tagBUTTONINFO *pbiLast = *ppbiList;
    while (pbiLast != NULL && pbiLast->pbiNext != NULL)
        pbiLast = pbiLast->pbiNext;
    for (BYTE b = 0; b < bCount; ++b) {
        tagBUTTONINFO *pbi = (tagBUTTONINFO *)LocalAlloc(LPTR, sizeof(tagBUTTONINFO));
        if (pbi == NULL)
            return;
        pbi->pbiLast = pbiLast;
        if (pbiLast != NULL)
            pbiLast->pbiNext = pbi;
        else
            *ppbiList = pbi;
        pbiLast = pbi;
    }
}

void FreeButtonFunctions(tagBUTTONINFO **ppbiList)
{
    tagBUTTONINFO *pbi = FirstRecord(*ppbiList);
    while (pbi != NULL) {
        tagBUTTONINFO *pbiNext = pbi->pbiNext;
        AssignButtonInfo(pbi, NO_FUNCTION, NULL, NULL, NULL);
        LocalFree(pbi);
        pbi = pbiNext;
    }
    *ppbiList = NULL;
}

void GetButton(tagBUTTONINFO **ppbiResult, tagREMOTE *prRemote, int rmMode, int btType, BYTE bPosition)
{
    *ppbiResult = NULL;
    if (prRemote == NULL)
        return;
    tagBUTTONINFO *pbi = NULL;
    if (btType == BT_NOMODE) {
        pbi = prRemote->pbiNoMode;
    } else {
        if (rmMode < 0 || rmMode >= MODES || prRemote->pbsMode[rmMode] == NULL)
            return;
        tagBUTTONSET *pbs = prRemote->pbsMode[rmMode];
        pbi = btType == BT_SHIFT ? pbs->pbiShift : btType == BT_SPECIAL ? pbs->pbiSpecial : pbs->pbiDefault;
    }
    pbi = FirstRecord(pbi);
    for (BYTE b = 0; b < bPosition && pbi != NULL; ++b)
        pbi = pbi->pbiNext;
    *ppbiResult = pbi;
}

/* ---- Registry --------------------------------------------------------------------------- */

static BYTE ScanCode(int btType, BYTE bPosition)
{
    if (btType == BT_SPECIAL && bPosition == MODE_BUTTON_POSITION)
        return MODE_BUTTON_CODE;
    return (BYTE)(abFirstScanCode[btType] + bPosition);
}

static BOOL IsNoModeCode(BYTE bScanCode)
{
    return bScanCode > 40 && bScanCode != MODE_BUTTON_CODE;
}

/* The name of the key that holds mode rmMode's assignments; "" when there is none. */
static void ModeKeyName(int rmMode, LPSTR lpszModeKey)
{
    lpszModeKey[0] = '\0';
    if (rmMode < 0 || rmMode >= MODES)
        return;
    char szValue[VALUE_NAME_SIZE];
    snprintf(szValue, sizeof(szValue), "%d", rmMode + 1);
    Get("Mode", szValue, "", lpszModeKey, MODE_KEY_SIZE);
}

/* Key and value name of one button, given its mode's key name; FALSE when the button
   belongs to a mode without a key name. */
static BOOL ButtonPlace(BYTE bScanCode, LPCSTR lpszModeKey, LPCSTR *ppszKey, LPSTR lpszValue)
{
    if (IsNoModeCode(bScanCode)) {
        *ppszKey = DEFAULT_KEY;
        snprintf(lpszValue, VALUE_NAME_SIZE, "%d", bScanCode - 41);
        return TRUE;
    }
    if (lpszModeKey[0] == '\0')
        return FALSE;
    *ppszKey = lpszModeKey;
    if (bScanCode == MODE_BUTTON_CODE)
        lstrcpyA(lpszValue, DEFAULT_KEY);
    else
        snprintf(lpszValue, VALUE_NAME_SIZE, "%d", bScanCode);
    return TRUE;
}

/* Reads the mode key's name unless the code does not depend on the mode. */
static BOOL PlaceOfCode(BYTE bScanCode, int rmMode, LPSTR lpszModeKey, LPCSTR *ppszKey, LPSTR lpszValue)
{
    lpszModeKey[0] = '\0';
    if (!IsNoModeCode(bScanCode))
        ModeKeyName(rmMode, lpszModeKey);
    return ButtonPlace(bScanCode, lpszModeKey, ppszKey, lpszValue);
}

int GetButtonCommand(LPSTR lpszCommand, BYTE bScanCode, int rmMode)
{
    lpszCommand[0] = '\0';
    char szModeKey[MODE_KEY_SIZE];
    char szValue[VALUE_NAME_SIZE];
    LPCSTR lpszKey;
    if (!PlaceOfCode(bScanCode, rmMode, szModeKey, &lpszKey, szValue))
        return 0;
    Get(lpszKey, szValue, "", lpszCommand, COMMAND_LIMIT);
    return lpszCommand[0] != '\0';
}

int WriteButtonCommand(LPCSTR lpszCommand, BYTE bScanCode, int rmMode)
{
    char szModeKey[MODE_KEY_SIZE];
    char szValue[VALUE_NAME_SIZE];
    LPCSTR lpszKey;
    if (!PlaceOfCode(bScanCode, rmMode, szModeKey, &lpszKey, szValue))
        return 0;
    return Write(lpszKey, szValue, lpszCommand);
}

/* Runs pfnButton for each record of a list with its button's value name under the list's
   key. Every button of a list lives under one key, so the key is opened once for the list
   and the mode's key name read once; a mode without a key name is skipped. */
static void ForEachButton(tagBUTTONINFO *pbiList, int rmMode, int btType,
                          void (*pfnButton)(tagBUTTONINFO *pbi, HKEY hKey, LPCSTR lpszValue))
{
    if (btType < BT_DEFAULT || btType > BT_NOMODE)
        return;
    char szModeKey[MODE_KEY_SIZE] = "";
    if (btType != BT_NOMODE)
        ModeKeyName(rmMode, szModeKey);
    HKEY hKey = NULL;
    BYTE bPosition = 0;
    for (tagBUTTONINFO *pbi = FirstRecord(pbiList); pbi != NULL && bPosition < abButtons[btType];
         pbi = pbi->pbiNext, ++bPosition) {
        char szValue[VALUE_NAME_SIZE];
        LPCSTR lpszKey;
        if (!ButtonPlace(ScanCode(btType, bPosition), szModeKey, &lpszKey, szValue))
            break;
        if (hKey == NULL && (hKey = OpenTopicKey(lpszKey)) == NULL)
            break;
        pfnButton(pbi, hKey, szValue);
    }
    if (hKey != NULL)
        RegCloseKey(hKey);
}

static void LoadButton(tagBUTTONINFO *pbi, HKEY hKey, LPCSTR lpszValue)
{
    char szCommand[COMMAND_SIZE];
    if (GetKeyValue(hKey, lpszValue, "", szCommand, COMMAND_LIMIT)) {
        if (szCommand[0] != '\0')
            ConvertCommandToButton(pbi, szCommand);
        return;
    }
    /* Too long to read (or not a string): a long one is kept whole, never cut or lost. */
    LPSTR lpszLong = GetWholeKeyString(hKey, lpszValue);
    if (lpszLong != NULL) {
        ConvertCommandToButton(pbi, lpszLong);
        LocalFree(lpszLong);
    }
}

static void SaveButton(tagBUTTONINFO *pbi, HKEY hKey, LPCSTR lpszValue)
{
    if (pbi->pszStored != NULL) {
        WriteKeyValue(hKey, lpszValue, pbi->pszStored);
        return;
    }
    /* A command too long to store leaves the stored one as it was. */
    char szCommand[COMMAND_SIZE];
    if (ComposeCommand(pbi, szCommand) != COMMAND_TOO_LONG)
        WriteKeyValue(hKey, lpszValue, szCommand);
}

void LoadButtonData(tagBUTTONINFO *pbiList, int rmMode, int btType)
{
    ForEachButton(pbiList, rmMode, btType, LoadButton);
}

void SaveButtonData(tagBUTTONINFO *pbiList, int rmMode, int btType)
{
    ForEachButton(pbiList, rmMode, btType, SaveButton);
}

/* ---- The tree --------------------------------------------------------------------------- */

/* Makes and loads one list; FALSE when memory ran short. */
static BOOL CreateList(tagBUTTONINFO **ppbiList, BYTE bCount, int rmMode, int btType)
{
    CreateButtonMemory(ppbiList, bCount);
    LoadButtonData(*ppbiList, rmMode, btType);
    BYTE bMade = 0;
    for (tagBUTTONINFO *pbi = *ppbiList; pbi != NULL; pbi = pbi->pbiNext)
        ++bMade;
    return bMade == bCount;
}

void CreateButtonList(tagREMOTE **pprRemote)
{
    if (*pprRemote != NULL)
        DestroyButtonList(pprRemote);
    tagREMOTE *pr = (tagREMOTE *)LocalAlloc(LPTR, sizeof(tagREMOTE));
    *pprRemote = pr;
    if (pr == NULL)
        return;
    for (int rmMode = 0; rmMode < MODES; ++rmMode) {
        tagBUTTONSET *pbs = (tagBUTTONSET *)LocalAlloc(LPTR, sizeof(tagBUTTONSET));
        pr->pbsMode[rmMode] = pbs;
        if (pbs == NULL
            || !CreateList(&pbs->pbiDefault, MAIN_BUTTONS, rmMode, BT_DEFAULT)
            || !CreateList(&pbs->pbiShift, MAIN_BUTTONS, rmMode, BT_SHIFT)
            || !CreateList(&pbs->pbiSpecial, SPECIAL_BUTTONS, rmMode, BT_SPECIAL))
            return;
    }
    CreateList(&pr->pbiNoMode, NOMODE_BUTTONS, PC, BT_NOMODE);
}

void DestroyButtonList(tagREMOTE **pprRemote)
{
    tagREMOTE *pr = *pprRemote;
    if (pr == NULL)
        return;
    for (int rmMode = 0; rmMode < MODES; ++rmMode) {
        tagBUTTONSET *pbs = pr->pbsMode[rmMode];
        if (pbs == NULL)
            continue;
        SaveButtonData(pbs->pbiDefault, rmMode, BT_DEFAULT);
        SaveButtonData(pbs->pbiShift, rmMode, BT_SHIFT);
        SaveButtonData(pbs->pbiSpecial, rmMode, BT_SPECIAL);
        FreeButtonFunctions(&pbs->pbiDefault);
        FreeButtonFunctions(&pbs->pbiShift);
        FreeButtonFunctions(&pbs->pbiSpecial);
        LocalFree(pbs);
    }
    SaveButtonData(pr->pbiNoMode, PC, BT_NOMODE);
    FreeButtonFunctions(&pr->pbiNoMode);
    LocalFree(pr);
    *pprRemote = NULL;
}

/* ---- The function editor's holders ------------------------------------------------------ */

void SetButtonFlag(BYTE *pbFlags, int fFunction)
{
    if (fFunction >= 0 && fFunction < FUNCTION_TYPES)
        *pbFlags |= (BYTE)(1 << fFunction);
}

/* Whether the button's own data belongs in holder fFunction: its type with a primary, or
   a volume function (media without a device). */
static BOOL HoldsButton(const tagBUTTONINFO *pbi, int fFunction)
{
    if (pbi == NULL || pbi->fFunction != fFunction)
        return FALSE;
    return HasText(pbi->pszPrimary) || (fFunction == MULTIMEDIA && HasText(pbi->pszExtra1));
}

void GenerateButtonFunctions(tagBUTTONINFO **ppbiHolder)
{
    bEmpty = 0;
    if (*ppbiHolder == NULL)
        CreateButtonMemory(ppbiHolder, HOLDERS);
    tagBUTTONINFO *pbiHeld = FirstRecord(*ppbiHolder);
    for (int fFunction = 0; fFunction < HOLDERS; ++fFunction, pbiHeld = pbiHeld->pbiNext) {
        if (pbiHeld == NULL)
            return;
        if (HoldsButton(pbiButton, fFunction)) {
            AssignButtonInfo(pbiHeld, fFunction, pbiButton->pszPrimary, pbiButton->pszExtra1,
                             pbiButton->pszExtra2);
        } else {
            pbiHeld->fFunction = fFunction;
            SetButtonFlag(&bEmpty, fFunction);
        }
    }
}

void CopyButtonData(tagBUTTONINFO **ppbiDest, tagBUTTONINFO *pbiHolders, int fFunction)
{
    tagBUTTONINFO *pbiDest = *ppbiDest;
    if (pbiDest == NULL)
        return;
    pbiDest->fFunction = fFunction;
    AssignButtonString(&pbiDest->pszStored, NULL);
    for (tagBUTTONINFO *pbi = FirstRecord(pbiHolders); pbi != NULL; pbi = pbi->pbiNext) {
        if (pbi->fFunction == fFunction) {
            AssignButtonInfo(pbiDest, fFunction, pbi->pszPrimary, pbi->pszExtra1, pbi->pszExtra2);
            return;
        }
    }
}

/* ---- Services shared by the editors ----------------------------------------------------- */

void DlgItemToString(HWND hDlg, int iControl, LPSTR *ppszField)
{
    FreeText(ppszField);
    HWND hControl = GetDlgItem(hDlg, iControl);
    char szClass[9] = "";
    GetClassNameA(hControl, szClass, sizeof(szClass));
    BOOL bText = lstrcmpiA(szClass, "Edit") == 0 || lstrcmpiA(szClass, "Static") == 0;
    int iSelected = bText ? 0 : ComboBox_GetCurSel(hControl);
    int iLength = bText ? GetWindowTextLengthA(hControl)
                        : iSelected != CB_ERR ? ComboBox_GetLBTextLen(hControl, iSelected) : 0;
    if (iLength < 0)
        iLength = 0;
    *ppszField = (LPSTR)LocalAlloc(LPTR, (size_t)iLength + 1);
    if (*ppszField == NULL || iLength == 0)
        return;
    if (bText)
        GetWindowTextA(hControl, *ppszField, iLength + 1);
    else
        ComboBox_GetLBText(hControl, iSelected, *ppszField);
}

BOOL ChooseProgramFile(HWND hOwner, LPCSTR lpszTitle, LPSTR lpszFile, DWORD cchFile)
{
    char szDirectory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(szDirectory), szDirectory);
    lpszFile[0] = '\0';
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = "Application Files (*.exe)\0*.exe\0All Files (*.*)\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = lpszFile;
    ofn.nMaxFile = cchFile;
    ofn.lpstrInitialDir = szDirectory;
    ofn.lpstrTitle = lpszTitle;
    ofn.lpstrDefExt = "exe";
    ofn.Flags = OFN_HIDEREADONLY;
    return GetOpenFileNameA(&ofn);
}

void GetFileName(HWND hDlg)
{
    char szFile[128];
    if (ChooseProgramFile(hDlg, "Select Application to Launch...", szFile, sizeof(szFile)))
        SetDlgItemTextA(hDlg, IDC_LAUNCH_FILE, szFile);
}

void GetMCIDevices(HWND hComboBox, LPCSTR lpszSelect)
{
    /* Key names, each ended by a NUL, the list by a second one (zero fill). */
    char szDevices[COMMAND_SIZE] = "";
    GetPrivateProfileStringA("mci", NULL, "", szDevices, COMMAND_LIMIT - 1, "system.ini");
    FillComboBox(hComboBox, szDevices, lpszSelect);
}

/* ---- The configuration run -------------------------------------------------------------- */

extern "C" int WINAPI MouseButtons(HWND hWnd)
{
    DialogBoxRes(IDD_BUTTONS, hWnd, SelectDlg);
    return 0;
}
