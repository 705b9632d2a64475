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
    int bLookUp = DecodeScanCode(hWnd, &bCode, lpbMode, lpbShift);
    char szModeKey[STORE_MODE_KEY_SIZE] = "";
    if (bLookUp) {
        ReadModeKey(*lpbMode, szModeKey);
        char szFunction[RUNNABLE_COMMAND_SIZE];
        if (ReadButtonValue(szModeKey, bCode, szFunction, sizeof(szFunction)))
            ParseFunction(hWnd, szFunction);
    }
    NoteDecoded(bLookUp, bCode, *lpbMode, *lpbShift, bLookUp ? szModeKey : NULL);
    return bCode;
}
