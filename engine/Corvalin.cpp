/*
 * Corvalin.cpp - the library's entry point: records the module handle that the
 * playback hook and the tool windows need.
 */
#include <windows.h>
#include "Corvalin_internal.h"

HINSTANCE hInstance;

extern "C" BOOL WINAPI DllMain(HINSTANCE hInst, DWORD dwReason, LPVOID lpReserved)
{
    (void)lpReserved;
    switch (dwReason) {
    case DLL_PROCESS_ATTACH:
        hInstance = hInst;
        break;
    case DLL_PROCESS_DETACH:
        break;
    }
    return TRUE;
}
