/*
 * Corvalin.cpp - the library's entry point: records the module handle that the
 * playback hook and the tool windows need, and binds the running system's process-naming
 * functions for the task switcher. Also holds the hook through which the tray program's
 * press log learns which command strings run.
 */
#include <windows.h>
#include "Corvalin.h"
#include "Corvalin_internal.h"
#include "task32.h"

HINSTANCE hInstance;
COMMANDHOOK pfnCommandHook;

extern "C" COMMANDHOOK WINAPI SetCommandHook(COMMANDHOOK pfnHook)
{
    COMMANDHOOK pfnPrevious = pfnCommandHook;
    pfnCommandHook = pfnHook;
    return pfnPrevious;
}

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
