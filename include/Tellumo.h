/*
 * Tellumo.h - what the other deliverables know of the tray program: its window class and
 * title, and how the applet's Receiver page talks to it. The applet looks for the pair to
 * see whether the tray program runs.
 */
#ifndef ORVANE_TELLUMO_H
#define ORVANE_TELLUMO_H

#include <windows.h>

#define TRAY_CLASS  "TELLUMO"
#define TRAY_TITLE  "Zendra Remote Buttons"

/* Commands another program posts to the tray window (WM_COMMAND, the id in wParam's low
   word). */
#define TRAY_READ_RECEIVER_SETTINGS 280     /* the sources or their map changed: read them again */
#define TRAY_WATCH_SOURCES          281     /* lParam: the window to tell of the sources, null for
                                               none; wParam's high word 1: learn the next press */

/* Posted to the watching window whenever the sources change, and at once when it starts
   watching: wParam holds SOURCE_x flags. */
#define SOURCE_STATE_MESSAGE    (WM_APP + 0x40)
#define SOURCE_LIRC_ON          0x01
#define SOURCE_LIRC_CONNECTED   0x02
#define SOURCE_LIRC_UNREACHED   0x04    /* not reached since the last connection */
#define SOURCE_KEYS_ON          0x08
#define SOURCE_LEARNING         0x10

/* While it learns, the watching window is sent each press that arrives instead of running
   it: WM_COPYDATA with dwData LEARNED_PRESS_DATA and a tagLEARNEDPRESS. */
#define LEARNED_PRESS_DATA      0x4C524E31
#define LEARNED_NAME_SIZE       64

struct tagLEARNEDPRESS {
    char szName[LEARNED_NAME_SIZE];     /* the map's name of what arrived ("LIRC KEY_1 tv") */
};

#endif /* ORVANE_TELLUMO_H */
