/*
 * receivermap.h - the remotes that reach the system besides its own receiver: the presses a
 * LIRC or WinLIRC server reports and the keys of a USB remote or media keyboard. Each name
 * such a source gives is mapped to a button of the system's own remote, that is to the raw
 * code its receiver reports for that button, so that the press takes the road of a press
 * of that button. The map's entries are named
 *
 *     LIRC <button>             a LIRC button of any remote       ("LIRC KEY_PLAY")
 *     LIRC <button> <remote>    a LIRC button of one remote       ("LIRC KEY_1 tv")
 *     Key <key>                 a virtual key ("Key MEDIA_NEXT_TRACK", "Key 0xE9")
 *
 * Pure routines: the buttons of the remote, the default map, names, lookups and the
 * server's address. Nothing here touches a window, the registry, a socket or a device.
 */
#ifndef ORVANE_COMMON_RECEIVERMAP_H
#define ORVANE_COMMON_RECEIVERMAP_H

#include <stddef.h>

#define MAP_NAME_SIZE       64      /* an entry's name and its terminator (a profile's limit) */
#define MAP_MAX_ENTRIES     128
#define LIRC_NAME_SIZE      29      /* a LIRC button or remote name and its terminator */
#define KEY_COUNT           256     /* virtual-key codes */
#define SERVER_ADDRESS_SIZE 64      /* "host:port" and its terminator */
#define LIRC_DEFAULT_SERVER "localhost:8765"
#define LIRC_DEFAULT_PORT   8765

/* The sources an entry's name belongs to. */
enum { MAP_NONE = -1, MAP_LIRC, MAP_KEY };

/* A button of the system's remote: its name as the picture of the remote labels it and the
   raw code the receiver reports for it. */
struct tagRECEIVERBUTTON {
    const char *pszName;
    unsigned char bRaw;
};

/* The buttons of the remote, in the order of the picture (modes, shift, volume, digits,
   arrows, player buttons); *piCount gets their number. */
const tagRECEIVERBUTTON *ReceiverButtons(int *piCount);
/* The raw code of a button named (without regard to case), or -1. */
int FindReceiverButton(const char *pszName);
/* The name of the button with this raw code, or null when no button has it. */
const char *ReceiverButtonName(int iRaw);

struct tagMAPENTRY {
    char szName[MAP_NAME_SIZE];
    unsigned char bRaw;
};

struct tagRECEIVERMAP {
    int iCount;
    tagMAPENTRY ameEntries[MAP_MAX_ENTRIES];
};

/* The map a new installation starts with: LIRC's standard button names of any remote and
   the media and volume keys. */
void DefaultReceiverMap(tagRECEIVERMAP *prm);
/* The entry of that name (without regard to case, as the registry compares names), or -1. */
int FindMapEntry(const tagRECEIVERMAP *prm, const char *pszName);
/* Maps a name to a raw code, replacing the entry of the same name. 0 when the name is not
   an entry's name, no button has the code, or the map is full. */
int SetMapEntry(tagRECEIVERMAP *prm, const char *pszName, int iRaw);
/* Removes entry i; the later entries move up. */
void RemoveMapEntry(tagRECEIVERMAP *prm, int i);

/* MAP_LIRC or MAP_KEY for a well-formed entry name, else MAP_NONE. */
int MapNameSource(const char *pszName);
/* "LIRC <button>" or, with a remote, "LIRC <button> <remote>". 0 when a name is empty, too
   long or holds anything but printable ASCII without spaces; pszName then holds "". */
int ComposeLircMapName(const char *pszButton, const char *pszRemote, char *pszName, size_t cchName);
/* "Key <key>": the key's name ("MEDIA_PLAY_PAUSE", "A", "F5") or "0x" and two hex digits. */
int ComposeKeyMapName(unsigned uiKey, char *pszName, size_t cchName);
/* The virtual key of a "Key ..." name, or -1. */
int ParseKeyMapName(const char *pszName);

/* The raw code of a press of a LIRC button: the entry of this remote's button first, then
   that of the button of any remote; -1 when neither is mapped. */
int LookUpLircButton(const tagRECEIVERMAP *prm, const char *pszButton, const char *pszRemote);
/* The raw code of every virtual key, -1 for a key the map does not take. */
void ReceiverKeyTable(const tagRECEIVERMAP *prm, short asRaw[KEY_COUNT]);

/* "host" or "host:port" (the port 1 to 65535, LIRC_DEFAULT_PORT when left out); the host a
   name or a dotted address of letters, digits, '.', '-' and '_'. 0 when it is not such an
   address. */
int ParseServerAddress(const char *pszAddress, char *pszHost, size_t cchHost, unsigned short *pusPort);

#endif /* ORVANE_COMMON_RECEIVERMAP_H */
