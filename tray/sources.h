/*
 * sources.h - the receiver's other sources in the tray program: the LIRC client and the USB
 * remote's keys, switched on and mapped by the settings. A press from them takes the road
 * of a code from the receiver (WM_USER with the raw code of the button it is mapped to),
 * so that translation, modes, shift, the auto-repeat rule, the press log and every
 * assignment apply as they are. The applet's Receiver page can watch them: it is told when
 * they change and, while it learns, is sent the press that arrives instead of running it.
 */
#ifndef ORVANE_SOURCES_H
#define ORVANE_SOURCES_H

#include <windows.h>
#include <stddef.h>

/* Reads the settings and starts the sources that are on. */
void StartSources(HWND hWnd, HINSTANCE hInst);
/* Reads the settings again (the applet changed them): starts, ends or reconnects. */
void ReadSourceSettings(HWND hWnd);
/* Ends every source; the state is cleared. */
void StopSources(HWND hWnd);

/* A source besides the receiver is on: the program is reachable without the driver. */
BOOL SourcesOn(void);
/* Adds to the icon's tip what it should say of the sources (the LIRC server not reached). */
void AppendSourceNote(char *pszTip, size_t cchTip);

/* Starts or ends watching by the applet's page (null: none), and learning. */
void WatchSources(HWND hWnd, HWND hWatcher, BOOL bLearn);
/* The sources' own messages and timer; TRUE when it was theirs. */
BOOL OnSourceMessage(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam);
BOOL OnSourceTimer(HWND hWnd, UINT id);

#endif /* ORVANE_SOURCES_H */
