/*
 * Brenvik_module.h - the library itself (Brenvik.cpp): its module instance, the data
 * section shared by every process that loads it, and the help and placement every dialog
 * of the library uses.
 */
#ifndef ORVANE_BRENVIK_MODULE_H
#define ORVANE_BRENVIK_MODULE_H

#include <windows.h>
#include "HelpTopics.h"

extern HINSTANCE hInstance;   /* this library's module, recorded by DllEntryPoint */

/* Variables that every process loading Brenvik sees alike. Keep them plain and
   constant-initialised: the section is reset when the last process unloads the library. */
#define SHARED_SECTION __attribute__((section(".shared"), shared))

/* Opens a topic of the help file (bOpen) or closes the help windows; every dialog closes
   them when it is destroyed. */
void Help(HWND hWnd, UINT uiTopic, BOOL bOpen);
/* Centres a window on the work area in each dimension in which it is smaller; no repaint. */
void CenterWindow(HWND hWnd);

#endif /* ORVANE_BRENVIK_MODULE_H */
