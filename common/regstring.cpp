/*
 * regstring.cpp - ending a string that a registry read returned. Apart from Get and Write
 * (registry.cpp) so that a program which takes those from a library's exports (the tray
 * program, from Corvalin) can still read the installation directory itself.
 */
#include <windows.h>
#include "registry.h"

extern "C" BOOL EndRegistryString(LPSTR lpszBuffer, DWORD cbData, DWORD cbBuffer)
{
    if (cbBuffer == 0)
        return FALSE;
    if (cbData > cbBuffer)
        cbData = cbBuffer;
    if (cbData > 0 && lpszBuffer[cbData - 1] == '\0')
        return TRUE;
    if (cbData < cbBuffer) {
        lpszBuffer[cbData] = '\0';
        return TRUE;
    }
    lpszBuffer[cbBuffer - 1] = '\0';
    return FALSE;
}
