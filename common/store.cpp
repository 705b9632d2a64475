/*
 * store.cpp - where a button's command lies and reading and writing it (see store.h), and
 * what a translated code asks for (OrvaneStore.h).
 */
#include <windows.h>
#include <stdio.h>
#include "registry.h"
#include "store.h"

extern "C" int TranslatedCodeKind(unsigned char bCode, unsigned char *pbArgument)
{
    *pbArgument = bCode;
    if (bCode & CODE_SELECT_MODE) {
        *pbArgument = bCode & CODE_MODE_MASK;
        return *pbArgument < STORE_MODES ? TC_SELECT_MODE : TC_NO_ACTION;
    }
    if (!(bCode & CODE_PC_FUNCTION))
        return TC_BUTTON;
    if (bCode == CODE_TOGGLE_SHIFT)
        return TC_TOGGLE_SHIFT;
    if (bCode == CODE_PC_BUTTON_1 || bCode == CODE_PC_BUTTON_2) {
        *pbArgument = bCode - CODE_PC_BUTTON_1;
        return TC_NOMODE_BUTTON;
    }
    return TC_NO_ACTION;
}

BOOL IsNoModeButton(BYTE bCode)
{
    return bCode >= BUTTON_NOMODE_FIRST && bCode < BUTTON_NOMODE_FIRST + BUTTON_NOMODE_COUNT;
}

BOOL PlaceButton(BYTE bCode, LPCSTR lpszModeKey, tagBUTTONPLACE *pbp)
{
    if (IsNoModeButton(bCode)) {
        pbp->lpszKey = STORE_NOMODE_KEY;
        snprintf(pbp->szValue, sizeof(pbp->szValue), "%d", bCode - BUTTON_NOMODE_FIRST);
        return TRUE;
    }
    if (lpszModeKey == NULL || lpszModeKey[0] == '\0')
        return FALSE;
    pbp->lpszKey = lpszModeKey;
    if (bCode == BUTTON_MODE_OWN)
        lstrcpynA(pbp->szValue, STORE_MODE_COMMAND, sizeof(pbp->szValue));
    else
        snprintf(pbp->szValue, sizeof(pbp->szValue), "%d", bCode);
    return TRUE;
}

void ReadModeKey(int iMode, LPSTR lpszModeKey)
{
    lpszModeKey[0] = '\0';
    if (iMode < 0 || iMode >= STORE_MODES)
        return;
    char szValue[BUTTON_VALUE_NAME_SIZE];
    snprintf(szValue, sizeof(szValue), "%d", iMode + 1);
    Get(STORE_MODE_KEY, szValue, "", lpszModeKey, STORE_MODE_KEY_SIZE);
}

BOOL ReadButtonValue(LPCSTR lpszModeKey, BYTE bCode, LPSTR lpszCommand, int cbCommand)
{
    if (lpszCommand == NULL || cbCommand <= 0)
        return FALSE;
    lpszCommand[0] = '\0';
    tagBUTTONPLACE bp;
    if (!PlaceButton(bCode, lpszModeKey, &bp))
        return FALSE;
    Get(bp.lpszKey, bp.szValue, "", lpszCommand, cbCommand);
    return lpszCommand[0] != '\0';
}

BOOL WriteButtonValue(LPCSTR lpszModeKey, BYTE bCode, LPCSTR lpszCommand)
{
    tagBUTTONPLACE bp;
    return PlaceButton(bCode, lpszModeKey, &bp) && Write(bp.lpszKey, bp.szValue, lpszCommand);
}

/* The name of the key that holds button bCode of mode iMode, read only when it is needed. */
static void ModeKeyOfButton(int iMode, BYTE bCode, LPSTR lpszModeKey)
{
    lpszModeKey[0] = '\0';
    if (!IsNoModeButton(bCode))
        ReadModeKey(iMode, lpszModeKey);
}

BOOL ReadModeButton(int iMode, BYTE bCode, LPSTR lpszCommand, int cbCommand)
{
    char szModeKey[STORE_MODE_KEY_SIZE];
    ModeKeyOfButton(iMode, bCode, szModeKey);
    return ReadButtonValue(szModeKey, bCode, lpszCommand, cbCommand);
}

BOOL WriteModeButton(int iMode, BYTE bCode, LPCSTR lpszCommand)
{
    char szModeKey[STORE_MODE_KEY_SIZE];
    ModeKeyOfButton(iMode, bCode, szModeKey);
    return WriteButtonValue(szModeKey, bCode, lpszCommand);
}
