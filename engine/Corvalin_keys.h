/*
 * Corvalin_keys.h - the engine's keystroke queue and its playback, the routines that queue
 * single keys, key combinations, hot keys and whole texts, the key tables they read from
 * Brenvik, the poster of message lists and the clipboard text behind PASTE.
 *
 * Nothing is typed while events are queued; StartJournalPlayback plays the queue into the
 * foreground window, through a journal-playback hook where the system serves one and with
 * SendInput where it does not.
 */
#ifndef ORVANE_CORVALIN_KEYS_H
#define ORVANE_CORVALIN_KEYS_H

#include <windows.h>

/* One queued keyboard event. */
typedef struct tagEVENTINFO {
    EVENTMSG             EventMsg;
    struct tagEVENTINFO *lpNextEventInfo;
} EVENTINFO, *LPEVENTINFO;

/* The queue: events from first to last; the current one is the next to be played (it is
   always the first, played events are released at once). hHookPlay is set while the
   journal-playback hook is installed. */
typedef struct tagHOOKINFO {
    LPEVENTINFO lpFirstEvent;
    LPEVENTINFO lpLastEvent;
    LPEVENTINFO lpCurrentEvent;
    HHOOK       hHookPlay;
} HOOKINFO, *LPHOOKINFO;

/* The engine's one queue; null while nothing is queued. */
extern LPHOOKINFO lpHookInfo;

/* Queuing. */
void AddItemToList(LPHOOKINFO lpHook, UINT message, UINT paramH, UINT paramL);
void SendKey(BYTE bKey);
void SendDoubleKey(BYTE bKey1, BYTE bKey2);
void SendMenuKey(BYTE bKey);
void SendDoubleRightAltKey(BYTE bKey);
int  AddKeyStrokes(LPCSTR lpszFunction);
void SendHotKey(LPCSTR lpszFunction, BYTE bStart);

/* Playback. */
int  StartJournalPlayback(void);
extern "C" LRESULT CALLBACK JournalPlaybackProc(int iCode, WPARAM wParam, LPARAM lParam);

/* Key tables. */
BYTE GetHotKeyValue(char chKey);
int  IsSpecialKey(char chKey);
void TranslateKeyValue(char cChar, LPWORD lpwValue);
void GetControlKey(char cChar, LPWORD lpwVKControl, LPWORD lpwVKKey, int iOccurence);

/* Window messages and the clipboard. */
void SendWindowsMessages(HWND hWnd, LPCSTR lpszFunc);
void CopyToClipboard(HWND hWnd, LPCSTR lpszData);

/* ---- Pure helpers (no window, device or resource), used by the routines above -------- */

/* The iOccurence-th (from 1) record of cbRecord bytes whose first byte is bChar, in a
   table ended by a record whose first byte is 0; null when there is none. */
const BYTE *FindKeyRecord(const BYTE *lpTable, UINT cbRecord, BYTE bChar, int iOccurence);

/* Reads the next "[message:wparam:lparam]" item at or after lpszList (fields may be left
   out from the end; a field that is empty, longer than 12 characters or not hexadecimal
   reads as 0). Returns the text after the item, or null when no item remains. */
LPCSTR ReadMessageItem(LPCSTR lpszList, UINT *lpuiMessage, WPARAM *lpwParam, LPARAM *lplParam);

/* Copies lpszSource into lpszTarget (cchTarget bytes, at least 1) with every doubled
   quote reduced to one; cuts what does not fit. Returns the characters written. */
UINT ReduceDoubledQuotes(LPSTR lpszTarget, UINT cchTarget, LPCSTR lpszSource);

/* The SendInput record that plays one queued keyboard event. */
void EventToInput(const EVENTMSG *lpEvent, INPUT *lpInput);

#endif /* ORVANE_CORVALIN_KEYS_H */
