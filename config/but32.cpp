/*
 * but32.cpp - the button model of a configuration run: every assignment of every button in
 * every mode as a tree of small records, loaded from the registry when the picture of the
 * remote opens and written back when it closes (but32_command.cpp converts between a
 * stored command and the editable fields of a record); the holder list that the function
 * editor edits (editor.h keeps it); and the services the editors share (control text,
 * program-file chooser, media devices).
 */
#include <windows.h>
#include <windowsx.h>
#include <commdlg.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "zendrares32.h"
#include "but32.h"
#include "registry.h"
#include "store.h"

#define HOLDERS           FUNCTION_TYPES

/* By button kind: the scan code of the first record (the mode button is the exception) and
   the number of buttons, so a longer list never reaches another kind's values. */
static const BYTE abFirstScanCode[] = { 0, BUTTON_SHIFT_OFFSET, BUTTON_SPECIAL_FIRST, BUTTON_NOMODE_FIRST };
static const BYTE abButtons[] = { MAIN_BUTTONS, MAIN_BUTTONS, SPECIAL_BUTTONS, NOMODE_BUTTONS };
#define MODE_BUTTON_POSITION 6

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
        AssignButtonString(&pbi->pszLoaded, NULL);
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
        return BUTTON_MODE_OWN;
    return (BYTE)(abFirstScanCode[btType] + bPosition);
}

int GetButtonCommand(LPSTR lpszCommand, BYTE bScanCode, int rmMode)
{
    return ReadModeButton(rmMode, bScanCode, lpszCommand, COMMAND_LIMIT);
}

int WriteButtonCommand(LPCSTR lpszCommand, BYTE bScanCode, int rmMode)
{
    return WriteModeButton(rmMode, bScanCode, lpszCommand);
}

/* Runs pfnButton for each record of a list with its button's value name under the list's
   key. Every button of a list lives under one key, so the key is opened once for the list
   and the mode's key name read once; a mode without a key name is skipped. */
static void ForEachButton(tagBUTTONINFO *pbiList, int rmMode, int btType,
                          void (*pfnButton)(tagBUTTONINFO *pbi, HKEY hKey, LPCSTR lpszValue))
{
    if (btType < BT_DEFAULT || btType > BT_NOMODE)
        return;
    char szModeKey[STORE_MODE_KEY_SIZE] = "";
    if (btType != BT_NOMODE)
        ReadModeKey(rmMode, szModeKey);
    HKEY hKey = NULL;
    BYTE bPosition = 0;
    for (tagBUTTONINFO *pbi = FirstRecord(pbiList); pbi != NULL && bPosition < abButtons[btType];
         pbi = pbi->pbiNext, ++bPosition) {
        tagBUTTONPLACE bp;
        if (!PlaceButton(ScanCode(btType, bPosition), szModeKey, &bp))
            break;
        if (hKey == NULL && (hKey = OpenTopicKey(bp.lpszKey)) == NULL)
            break;
        pfnButton(pbi, hKey, bp.szValue);
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
        AssignButtonString(&pbi->pszLoaded, szCommand);
        return;
    }
    /* Too long to read (or not a string): a long one is kept whole, never cut or lost. */
    LPSTR lpszLong = GetWholeKeyString(hKey, lpszValue);
    if (lpszLong != NULL) {
        ConvertCommandToButton(pbi, lpszLong);
        AssignButtonString(&pbi->pszLoaded, lpszLong);
        LocalFree(lpszLong);
    }
}

/* Writes what this run changed. A button it left alone keeps what the registry holds now,
   which another program's configuration run may have stored meanwhile. */
static void SaveButton(tagBUTTONINFO *pbi, HKEY hKey, LPCSTR lpszValue)
{
    char szCommand[COMMAND_SIZE];
    LPCSTR lpszCommand = pbi->pszStored;
    if (lpszCommand == NULL) {
        /* A command too long to store leaves the stored one as it was. */
        if (ComposeCommand(pbi, szCommand) == COMMAND_TOO_LONG)
            return;
        lpszCommand = szCommand;
    }
    if (strcmp(lpszCommand, pbi->pszLoaded != NULL ? pbi->pszLoaded : "") != 0)
        WriteKeyValue(hKey, lpszValue, lpszCommand);
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

void GenerateButtonFunctions(tagBUTTONINFO **ppbiHolder, const tagBUTTONINFO *pbiButton, BYTE *pbEmpty)
{
    *pbEmpty = 0;
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
            SetButtonFlag(pbEmpty, fFunction);
        }
    }
}

static BOOL SameText(LPCSTR lpszOne, LPCSTR lpszOther)
{
    return HasText(lpszOne) ? HasText(lpszOther) && strcmp(lpszOne, lpszOther) == 0 : !HasText(lpszOther);
}

static BOOL SameFields(const tagBUTTONINFO *pbiOne, const tagBUTTONINFO *pbiOther)
{
    return pbiOne->fFunction == pbiOther->fFunction
        && SameText(pbiOne->pszPrimary, pbiOther->pszPrimary)
        && SameText(pbiOne->pszExtra1, pbiOther->pszExtra1)
        && SameText(pbiOne->pszExtra2, pbiOther->pszExtra2);
}

void CopyButtonData(tagBUTTONINFO **ppbiDest, tagBUTTONINFO *pbiHolders, int fFunction)
{
    tagBUTTONINFO *pbiDest = *ppbiDest;
    if (pbiDest == NULL)
        return;
    tagBUTTONINFO *pbiHeld = FirstRecord(pbiHolders);
    while (pbiHeld != NULL && pbiHeld->fFunction != fFunction)
        pbiHeld = pbiHeld->pbiNext;
    /* Confirmed as it was read: the command stays exactly as it was stored. */
    if (pbiHeld != NULL && pbiDest->pszStored != NULL && SameFields(pbiDest, pbiHeld))
        return;
    pbiDest->fFunction = fFunction;
    AssignButtonString(&pbiDest->pszStored, NULL);
    if (pbiHeld != NULL)
        AssignButtonInfo(pbiDest, fFunction, pbiHeld->pszPrimary, pbiHeld->pszExtra1, pbiHeld->pszExtra2);
}

/* ---- Services shared by the editors ----------------------------------------------------- */

void DlgItemToString(HWND hDlg, int iControl, LPSTR *ppszField)
{
    AssignButtonString(ppszField, NULL);
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
    /* The current directory is where a bare program name is looked for: not the chooser's. */
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
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
