/*
 * Corvalin.cpp - the library's entry point: records the module handle that the
 * playback hook and the tool windows need, and nothing more (an entry point may not load
 * other libraries: the task switcher binds its process-naming functions at their first
 * use). Also holds the hook through which the tray program's press log learns which
 * command strings run.
 */
#include <windows.h>
#include "Corvalin.h"
#include "Corvalin_internal.h"

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
    if (dwReason == DLL_PROCESS_ATTACH)
        hInstance = hInst;
    return TRUE;
}
