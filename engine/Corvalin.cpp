/*
 * Corvalin.cpp - the library's entry point: records the module handle that the
 * playback hook and the tool windows need, and binds the running system's process-naming
 * functions for the task switcher.
 */
#include <windows.h>
#include "Corvalin_internal.h"
#include "task32.h"

HINSTANCE hInstance;

extern "C" BOOL WINAPI DllMain(HINSTANCE hInst, DWORD dwReason, LPVOID lpReserved)
{
    (void)lpReserved;
    switch (dwReason) {
    case DLL_PROCESS_ATTACH:
        hInstance = hInst;
        LoadFuncAddress();
        break;
    case DLL_PROCESS_DETACH:
        UnloadFuncAddress();
        break;
    }
    return TRUE;
}
