/*
 * Corvalin_store.cpp - the engine's export for reading the assignment store: the command
 * of a button in a mode, found and read as every program reads it (common/store.h). It
 * only reads; running what it reads is the dispatcher's business.
 */
#include <windows.h>
#include <limits.h>
#include "Corvalin.h"
#include "store.h"

extern "C" int WINAPI LookUpCode(BYTE bMode, BYTE bScanCode, LPSTR lpszFunction, UINT uiBufferSize)
{
    if (lpszFunction == NULL || uiBufferSize == 0)
        return 0;
    return ReadModeButton(bMode, bScanCode, lpszFunction, uiBufferSize > INT_MAX ? INT_MAX : (int)uiBufferSize);
}
