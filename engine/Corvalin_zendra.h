/*
 * Corvalin_zendra.h - ZENDRA: hands a home-automation command text to Dovrel, the
 * separate home-automation software, through its communications window or, when no
 * window takes it, through one of its command-line senders.
 */
#ifndef ORVANE_CORVALIN_ZENDRA_H
#define ORVANE_CORVALIN_ZENDRA_H

#include <windows.h>

#define ZENDRA_COPYDATA_CODE  3     /* dwData of the WM_COPYDATA record */

/* Delivers lpszMessage; hWnd (the command's target window) is named as the sender.
   Returns 1 (a program started as last resort is not checked). */
int SendZendraMessage(HWND hWnd, LPCSTR lpszMessage);

/* Reads the Dovrel setting lpszSection into lpszBuffer (iMaxSize bytes), storing
   lpszDefault first when the setting is missing or empty. */
void GetDovrelSetting(LPCSTR lpszSection, LPCSTR lpszDefault, LPSTR lpszBuffer, int iMaxSize);

/* The command line of a Dovrel sender: "<directory>\<program> <text>", the burst-mode
   program when lpszBurstMode reads as a nonzero number. A new local-heap string, or null. */
LPSTR FormatZendraCommand(LPCSTR lpszDirectory, LPCSTR lpszBurstMode, LPCSTR lpszMessage);

#endif /* ORVANE_CORVALIN_ZENDRA_H */
