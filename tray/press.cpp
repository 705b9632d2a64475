/*
 * press.cpp - one accepted code through the command engine (see press.h).
 */
#include <windows.h>
#include "Corvalin.h"
#include "press.h"
#include "presslog.h"
#include "store.h"

BYTE RunCode(HWND hWnd, BYTE bCode, LPBYTE lpbMode, LPBYTE lpbShift)
{
    /* A mode selection hands back the name the engine read to run the mode's command; any
       other code leaves it empty. */
    char szModeKey[STORE_MODE_KEY_SIZE] = "";
    int bLookUp = DecodeScanCodeEx(hWnd, &bCode, lpbMode, lpbShift, szModeKey);
    if (bLookUp) {
        ReadModeKey(*lpbMode, szModeKey);
        char szFunction[RUNNABLE_COMMAND_SIZE];
        if (ReadButtonValue(szModeKey, bCode, szFunction, sizeof(szFunction)))
            ParseFunction(hWnd, szFunction);
    }
    NoteDecoded(bLookUp, bCode, *lpbMode, *lpbShift, bLookUp || szModeKey[0] != '\0' ? szModeKey : NULL);
    return bCode;
}
