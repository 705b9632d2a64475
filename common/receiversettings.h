/*
 * receiversettings.h - where the receiver's other sources keep their settings: below the
 * settings key, the switches of the LIRC client and of the USB remote's keys and the LIRC
 * server's address; in its subkey "Receiver", the map (one string value per entry: the
 * entry's name, the name of the button it becomes). Read by the tray program, read and
 * written by the applet's Receiver page, carried by the assignment profiles.
 */
#ifndef ORVANE_COMMON_RECEIVERSETTINGS_H
#define ORVANE_COMMON_RECEIVERSETTINGS_H

#include <windows.h>
#include "receivermap.h"
#include "OrvaneStore.h"

#define RECEIVER_MAP_KEY    ORVANE_ROOT_KEY "\\" STORE_RECEIVER_MAP_KEY
#define VALUE_LIRC_SOURCE   "LircSource"        /* "1": the LIRC client runs */
#define VALUE_LIRC_SERVER   "LircServer"        /* "host:port" */
#define VALUE_KEY_SOURCE    "KeySource"         /* "1": the USB remote's keys are taken */

struct tagRECEIVERSETTINGS {
    BOOL bLirc;
    BOOL bKeys;
    char szServer[SERVER_ADDRESS_SIZE];
};

/* The switches and the server; what is missing or unreadable reads as off and as
   LIRC_DEFAULT_SERVER. */
void ReadReceiverSettings(tagRECEIVERSETTINGS *prs);
BOOL SaveReceiverSettings(const tagRECEIVERSETTINGS *prs);

/* The map. A missing map key is made with the default map; values that are not strings,
   whose name is no entry's name or whose button does not exist are left out. */
void ReadReceiverMap(tagRECEIVERMAP *prm);
/* Replaces the stored map with prm (an empty map stays empty). */
BOOL SaveReceiverMap(const tagRECEIVERMAP *prm);

#endif /* ORVANE_COMMON_RECEIVERSETTINGS_H */
