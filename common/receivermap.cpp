/*
 * receivermap.cpp - the buttons of the remote, the default map of the other sources' names
 * and the routines that read, compose and look up those names. Pure: also built natively.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include "receivermap.h"

static const char szLircPrefix[] = "LIRC ";
static const char szKeyPrefix[] = "Key ";

/* The receiver's raw codes of the remote's buttons. */
static const tagRECEIVERBUTTON arbButtons[] = {
    { "PC", 0x10 }, { "WEB", 0x11 }, { "PHONE", 0x12 }, { "DVD", 0x13 }, { "CD", 0x14 },
    { "SHIFT", 0x15 }, { "MUTE", 0x45 }, { "VOL-", 0x17 }, { "VOL+", 0x16 },
    { "1", 0x21 }, { "2", 0x22 }, { "3", 0x23 }, { "4", 0x24 }, { "5", 0x25 },
    { "6", 0x26 }, { "7", 0x27 }, { "8", 0x28 }, { "9", 0x29 }, { "0", 0x20 },
    { "BACK", 0x35 }, { "MENU", 0x36 },
    { "UP", 0x30 }, { "LEFT", 0x32 }, { "OK", 0x34 }, { "RIGHT", 0x33 }, { "DOWN", 0x31 },
    { "REW", 0x43 }, { "PLAY", 0x40 }, { "PAUSE", 0x41 }, { "STOP", 0x42 }, { "FF", 0x44 },
};

/* A name of the default map and the button it becomes. */
struct tagDEFAULTENTRY {
    const char *pszName;
    const char *pszButton;
};

static const tagDEFAULTENTRY adeDefaults[] = {
    { "LIRC KEY_0", "0" }, { "LIRC KEY_1", "1" }, { "LIRC KEY_2", "2" }, { "LIRC KEY_3", "3" },
    { "LIRC KEY_4", "4" }, { "LIRC KEY_5", "5" }, { "LIRC KEY_6", "6" }, { "LIRC KEY_7", "7" },
    { "LIRC KEY_8", "8" }, { "LIRC KEY_9", "9" },
    { "LIRC KEY_UP", "UP" }, { "LIRC KEY_DOWN", "DOWN" }, { "LIRC KEY_LEFT", "LEFT" },
    { "LIRC KEY_RIGHT", "RIGHT" }, { "LIRC KEY_OK", "OK" }, { "LIRC KEY_ENTER", "OK" },
    { "LIRC KEY_BACK", "BACK" }, { "LIRC KEY_MENU", "MENU" },
    { "LIRC KEY_PLAY", "PLAY" }, { "LIRC KEY_PLAYPAUSE", "PLAY" }, { "LIRC KEY_PAUSE", "PAUSE" },
    { "LIRC KEY_STOP", "STOP" }, { "LIRC KEY_NEXT", "FF" }, { "LIRC KEY_FASTFORWARD", "FF" },
    { "LIRC KEY_PREVIOUS", "REW" }, { "LIRC KEY_REWIND", "REW" },
    { "LIRC KEY_VOLUMEUP", "VOL+" }, { "LIRC KEY_VOLUMEDOWN", "VOL-" }, { "LIRC KEY_MUTE", "MUTE" },
    { "LIRC KEY_CHANNELUP", "FF" }, { "LIRC KEY_CHANNELDOWN", "REW" },
    /* A remote without mode buttons still reaches shift and the modes. */
    { "LIRC KEY_POWER", "SHIFT" },
    { "LIRC KEY_PC", "PC" }, { "LIRC KEY_WWW", "WEB" }, { "LIRC KEY_PHONE", "PHONE" },
    { "LIRC KEY_DVD", "DVD" }, { "LIRC KEY_CD", "CD" },
    { "LIRC KEY_RED", "PC" }, { "LIRC KEY_GREEN", "WEB" }, { "LIRC KEY_YELLOW", "DVD" },
    { "LIRC KEY_BLUE", "CD" },
    { "Key MEDIA_PLAY_PAUSE", "PLAY" }, { "Key MEDIA_STOP", "STOP" }, { "Key MEDIA_NEXT_TRACK", "FF" },
    { "Key MEDIA_PREV_TRACK", "REW" }, { "Key VOLUME_UP", "VOL+" }, { "Key VOLUME_DOWN", "VOL-" },
    { "Key VOLUME_MUTE", "MUTE" },
};

/* Names of the virtual keys that have one; digits, letters and function keys are named
   by KeyName itself. */
struct tagKEYNAME {
    unsigned uiKey;
    const char *pszName;
};

static const tagKEYNAME aknKeys[] = {
    { 0x08, "BACK" }, { 0x09, "TAB" }, { 0x0D, "RETURN" }, { 0x13, "PAUSE" }, { 0x1B, "ESCAPE" },
    { 0x20, "SPACE" }, { 0x21, "PRIOR" }, { 0x22, "NEXT" }, { 0x23, "END" }, { 0x24, "HOME" },
    { 0x25, "LEFT" }, { 0x26, "UP" }, { 0x27, "RIGHT" }, { 0x28, "DOWN" }, { 0x2D, "INSERT" },
    { 0x2E, "DELETE" }, { 0x5D, "APPS" }, { 0x5F, "SLEEP" },
    { 0xA6, "BROWSER_BACK" }, { 0xA7, "BROWSER_FORWARD" }, { 0xA8, "BROWSER_REFRESH" },
    { 0xA9, "BROWSER_STOP" }, { 0xAA, "BROWSER_SEARCH" }, { 0xAB, "BROWSER_FAVORITES" },
    { 0xAC, "BROWSER_HOME" }, { 0xAD, "VOLUME_MUTE" }, { 0xAE, "VOLUME_DOWN" }, { 0xAF, "VOLUME_UP" },
    { 0xB0, "MEDIA_NEXT_TRACK" }, { 0xB1, "MEDIA_PREV_TRACK" }, { 0xB2, "MEDIA_STOP" },
    { 0xB3, "MEDIA_PLAY_PAUSE" }, { 0xB4, "LAUNCH_MAIL" }, { 0xB5, "LAUNCH_MEDIA_SELECT" },
    { 0xB6, "LAUNCH_APP1" }, { 0xB7, "LAUNCH_APP2" }, { 0xFA, "PLAY" }, { 0xFB, "ZOOM" },
};

enum { KEY_DIGIT_0 = 0x30, KEY_LETTER_A = 0x41, KEY_NUMPAD_0 = 0x60, KEY_F1 = 0x70, KEY_F24 = 0x87 };

/* Names compare without regard to case (ASCII), as the registry compares value names. */
static int CompareNames(const char *pszFirst, const char *pszSecond)
{
    return strcasecmp(pszFirst, pszSecond);
}

static int StartsWith(const char *psz, const char *pszPrefix)
{
    return strncasecmp(psz, pszPrefix, strlen(pszPrefix)) == 0;
}

const tagRECEIVERBUTTON *ReceiverButtons(int *piCount)
{
    *piCount = (int)(sizeof(arbButtons) / sizeof(arbButtons[0]));
    return arbButtons;
}

int FindReceiverButton(const char *pszName)
{
    for (const tagRECEIVERBUTTON &rb : arbButtons)
        if (CompareNames(rb.pszName, pszName) == 0)
            return rb.bRaw;
    return -1;
}

const char *ReceiverButtonName(int iRaw)
{
    for (const tagRECEIVERBUTTON &rb : arbButtons)
        if (rb.bRaw == iRaw)
            return rb.pszName;
    return NULL;
}

/* ---- names ---- */

/* A LIRC name: 1 to LIRC_NAME_SIZE - 1 printable ASCII characters without spaces. */
static int IsLircName(const char *psz, size_t cch)
{
    if (cch == 0 || cch >= LIRC_NAME_SIZE)
        return 0;
    for (size_t i = 0; i < cch; i++)
        if ((unsigned char)psz[i] <= ' ' || (unsigned char)psz[i] > '~')
            return 0;
    return 1;
}

/* The name of a virtual key into pszKey (at least 24 bytes). */
static void KeyName(unsigned uiKey, char *pszKey, size_t cchKey)
{
    for (const tagKEYNAME &kn : aknKeys) {
        if (kn.uiKey == uiKey) {
            snprintf(pszKey, cchKey, "%s", kn.pszName);
            return;
        }
    }
    if (uiKey >= KEY_DIGIT_0 && uiKey <= KEY_DIGIT_0 + 9)
        snprintf(pszKey, cchKey, "%c", (char)uiKey);
    else if (uiKey >= KEY_LETTER_A && uiKey < KEY_LETTER_A + 26)
        snprintf(pszKey, cchKey, "%c", (char)uiKey);
    else if (uiKey >= KEY_NUMPAD_0 && uiKey <= KEY_NUMPAD_0 + 9)
        snprintf(pszKey, cchKey, "NUMPAD%u", uiKey - KEY_NUMPAD_0);
    else if (uiKey >= KEY_F1 && uiKey <= KEY_F24)
        snprintf(pszKey, cchKey, "F%u", uiKey - KEY_F1 + 1);
    else
        snprintf(pszKey, cchKey, "0x%02X", uiKey);
}

int ComposeKeyMapName(unsigned uiKey, char *pszName, size_t cchName)
{
    char szKey[24];
    if (uiKey == 0 || uiKey >= KEY_COUNT) {
        if (cchName > 0)
            pszName[0] = '\0';
        return 0;
    }
    KeyName(uiKey, szKey, sizeof(szKey));
    return snprintf(pszName, cchName, "%s%s", szKeyPrefix, szKey) < (int)cchName;
}

int ParseKeyMapName(const char *pszName)
{
    if (!StartsWith(pszName, szKeyPrefix))
        return -1;
    const char *pszKey = pszName + strlen(szKeyPrefix);
    /* Every key's name is its own: the name a key is written with reads back as that key. */
    for (unsigned uiKey = 1; uiKey < KEY_COUNT; uiKey++) {
        char szKey[24];
        KeyName(uiKey, szKey, sizeof(szKey));
        if (CompareNames(szKey, pszKey) == 0)
            return (int)uiKey;
    }
    return -1;
}

int ComposeLircMapName(const char *pszButton, const char *pszRemote, char *pszName, size_t cchName)
{
    if (cchName == 0)
        return 0;
    pszName[0] = '\0';
    if (!IsLircName(pszButton, strlen(pszButton)) || (pszRemote != NULL && !IsLircName(pszRemote, strlen(pszRemote))))
        return 0;
    int cch = snprintf(pszName, cchName, "%s%s%s%s", szLircPrefix, pszButton, pszRemote != NULL ? " " : "",
                       pszRemote != NULL ? pszRemote : "");
    if (cch < 0 || (size_t)cch >= cchName) {
        pszName[0] = '\0';
        return 0;
    }
    return 1;
}

int MapNameSource(const char *pszName)
{
    if (strlen(pszName) >= MAP_NAME_SIZE)
        return MAP_NONE;
    if (ParseKeyMapName(pszName) >= 0)
        return MAP_KEY;
    if (!StartsWith(pszName, szLircPrefix))
        return MAP_NONE;
    const char *pszButton = pszName + strlen(szLircPrefix);
    const char *pszSpace = strchr(pszButton, ' ');
    if (pszSpace == NULL)
        return IsLircName(pszButton, strlen(pszButton)) ? MAP_LIRC : MAP_NONE;
    return IsLircName(pszButton, (size_t)(pszSpace - pszButton)) && IsLircName(pszSpace + 1, strlen(pszSpace + 1))
           ? MAP_LIRC : MAP_NONE;
}

/* ---- the map ---- */

void DefaultReceiverMap(tagRECEIVERMAP *prm)
{
    prm->iCount = 0;
    for (const tagDEFAULTENTRY &de : adeDefaults)
        SetMapEntry(prm, de.pszName, FindReceiverButton(de.pszButton));
}

int FindMapEntry(const tagRECEIVERMAP *prm, const char *pszName)
{
    for (int i = 0; i < prm->iCount; i++)
        if (CompareNames(prm->ameEntries[i].szName, pszName) == 0)
            return i;
    return -1;
}

int SetMapEntry(tagRECEIVERMAP *prm, const char *pszName, int iRaw)
{
    if (MapNameSource(pszName) == MAP_NONE || ReceiverButtonName(iRaw) == NULL)
        return 0;
    int i = FindMapEntry(prm, pszName);
    if (i < 0) {
        if (prm->iCount >= MAP_MAX_ENTRIES)
            return 0;
        i = prm->iCount++;
    }
    snprintf(prm->ameEntries[i].szName, MAP_NAME_SIZE, "%s", pszName);
    prm->ameEntries[i].bRaw = (unsigned char)iRaw;
    return 1;
}

void RemoveMapEntry(tagRECEIVERMAP *prm, int i)
{
    if (i < 0 || i >= prm->iCount)
        return;
    memmove(&prm->ameEntries[i], &prm->ameEntries[i + 1], (size_t)(prm->iCount - i - 1) * sizeof(tagMAPENTRY));
    prm->iCount--;
}

int LookUpLircButton(const tagRECEIVERMAP *prm, const char *pszButton, const char *pszRemote)
{
    char szName[MAP_NAME_SIZE];
    int i = -1;
    if (ComposeLircMapName(pszButton, pszRemote, szName, sizeof(szName)))
        i = FindMapEntry(prm, szName);
    if (i < 0 && ComposeLircMapName(pszButton, NULL, szName, sizeof(szName)))
        i = FindMapEntry(prm, szName);
    return i >= 0 ? prm->ameEntries[i].bRaw : -1;
}

void ReceiverKeyTable(const tagRECEIVERMAP *prm, short asRaw[KEY_COUNT])
{
    for (int i = 0; i < KEY_COUNT; i++)
        asRaw[i] = -1;
    for (int i = 0; i < prm->iCount; i++) {
        int iKey = ParseKeyMapName(prm->ameEntries[i].szName);
        if (iKey >= 0)
            asRaw[iKey] = prm->ameEntries[i].bRaw;
    }
}

/* ---- the server ---- */

static int IsHostCharacter(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')
           || ch == '.' || ch == '-' || ch == '_';
}

int ParseServerAddress(const char *pszAddress, char *pszHost, size_t cchHost, unsigned short *pusPort)
{
    if (cchHost == 0)
        return 0;
    pszHost[0] = '\0';
    const char *pszColon = strchr(pszAddress, ':');
    size_t cchName = pszColon != NULL ? (size_t)(pszColon - pszAddress) : strlen(pszAddress);
    if (cchName == 0 || cchName >= cchHost)
        return 0;
    for (size_t i = 0; i < cchName; i++)
        if (!IsHostCharacter(pszAddress[i]))
            return 0;
    unsigned long ulPort = LIRC_DEFAULT_PORT;
    if (pszColon != NULL) {
        const char *pszPort = pszColon + 1;
        size_t cchPort = strlen(pszPort);
        if (cchPort == 0 || cchPort > 5 || strspn(pszPort, "0123456789") != cchPort)
            return 0;
        ulPort = strtoul(pszPort, NULL, 10);
        if (ulPort == 0 || ulPort > 65535)
            return 0;
    }
    memcpy(pszHost, pszAddress, cchName);
    pszHost[cchName] = '\0';
    *pusPort = (unsigned short)ulPort;
    return 1;
}
