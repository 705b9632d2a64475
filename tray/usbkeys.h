/*
 * usbkeys.h - the keys of a USB remote or a media keyboard. A low-level keyboard hook
 * (WH_KEYBOARD_LL, in Tellumo's own process, so that no library is loaded into other
 * programs) sees every key of the desktop. It runs on a thread of its own that only decides,
 * from a snapshot of the map, and posts to the tray window: a busy tray program or an open
 * message box never keeps the keyboard waiting, and the system never finds the hook slow.
 * A mapped key becomes WM_SOURCE_CODE with its raw code, handled as the receiver's WM_USER
 * (its first key down begins a new press, the keyboard's repeats are those of a held
 * button); a learnt key becomes WM_LEARNT_KEY.
 */
#ifndef ORVANE_USBKEYS_H
#define ORVANE_USBKEYS_H

#include <windows.h>
#include "receivermap.h"

#define WM_LEARNT_KEY   (WM_APP + 3)    /* to the tray window: wParam the virtual key learnt */

/* Starts the hook thread for the tray window, or hands the running one a new snapshot:
   asRaw the raw code of each key (null: no key is mapped), bLearn to learn the next key.
   FALSE when the hook cannot be set. */
BOOL StartKeyHook(HWND hTray, const short *asRaw, BOOL bLearn);
/* Takes the hook away and ends its thread. */
void StopKeyHook(void);

#endif /* ORVANE_USBKEYS_H */
