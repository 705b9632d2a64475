/*
 * tray.h - Tellumo's routines and program-wide values.
 */
#ifndef ORVANE_TRAY_H
#define ORVANE_TRAY_H

#include <windows.h>
#include "Tellumo.h"

/* Commands the tray program posts itself (WM_COMMAND), besides those of Tellumo.h. */
#define ID_SOURCE_STATE     282     /* a source was switched or reached: the icon and tip follow */
/* A code from another source, handled as the receiver's WM_USER: wParam the raw code, lParam
   1 when the source says that it begins a new press. */
#define WM_SOURCE_CODE      (WM_APP + 4)

extern HINSTANCE hInstance;
extern HWND hMainWnd;
extern int bCreate;

LRESULT CALLBACK WndProc(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam);
/* Adds, changes or removes the notification-area icon; bMode is 1-based. */
void Tray(HWND hWnd, DWORD dwMessage, BYTE bMode, BYTE bShift);
int Menu(HWND hWnd);
BYTE ProcessCode(HWND hWnd, BYTE bCode);
void RegisterVxD(HWND hWnd, BYTE bMode, BYTE bShift);

#endif /* ORVANE_TRAY_H */
