/*
 * tray.h - Tellumo's window class and title (the applet looks for the same pair to see
 * whether the tray program runs) and its routines.
 */
#ifndef ORVANE_TRAY_H
#define ORVANE_TRAY_H

#include <windows.h>

#define TRAY_CLASS  "TELLUMO"
#define TRAY_TITLE  "Zendra Remote Buttons"

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
