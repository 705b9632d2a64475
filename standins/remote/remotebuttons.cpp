/*
 * remotebuttons.cpp - the buttons of the virtual remote: raw codes, places and shortcuts.
 * The raw codes are the receiver's own; the installation's translation table maps each of
 * them to a mode selection, the shift toggle, a mode-independent button or a button code.
 */
#include "remote.h"

/* Grid of 5 columns; rows from the top. */
static const tagREMOTEBUTTON rbButtons[] = {
    /* name       kind        code  dx  dy  col row span  key */
    { "PC",       BK_CODE,    0x10,  0,  0,  0,  0, 1, VK_F1 },
    { "WEB",      BK_CODE,    0x11,  0,  0,  1,  0, 1, VK_F2 },
    { "PHONE",    BK_CODE,    0x12,  0,  0,  2,  0, 1, VK_F3 },
    { "DVD",      BK_CODE,    0x13,  0,  0,  3,  0, 1, VK_F4 },
    { "CD",       BK_CODE,    0x14,  0,  0,  4,  0, 1, VK_F5 },
    { "SHIFT",    BK_CODE,    0x15,  0,  0,  0,  1, 2, 'S' },
    { "MUTE",     BK_CODE,    0x45,  0,  0,  2,  1, 1, 'U' },
    { "VOL-",     BK_CODE,    0x17,  0,  0,  3,  1, 1, VK_SUBTRACT },
    { "VOL+",     BK_CODE,    0x16,  0,  0,  4,  1, 1, VK_ADD },
    { "1",        BK_CODE,    0x21,  0,  0,  1,  2, 1, '1' },
    { "2",        BK_CODE,    0x22,  0,  0,  2,  2, 1, '2' },
    { "3",        BK_CODE,    0x23,  0,  0,  3,  2, 1, '3' },
    { "4",        BK_CODE,    0x24,  0,  0,  1,  3, 1, '4' },
    { "5",        BK_CODE,    0x25,  0,  0,  2,  3, 1, '5' },
    { "6",        BK_CODE,    0x26,  0,  0,  3,  3, 1, '6' },
    { "7",        BK_CODE,    0x27,  0,  0,  1,  4, 1, '7' },
    { "8",        BK_CODE,    0x28,  0,  0,  2,  4, 1, '8' },
    { "9",        BK_CODE,    0x29,  0,  0,  3,  4, 1, '9' },
    { "BACK",     BK_CODE,    0x35,  0,  0,  1,  5, 1, VK_BACK },
    { "0",        BK_CODE,    0x20,  0,  0,  2,  5, 1, '0' },
    { "MENU",     BK_CODE,    0x36,  0,  0,  3,  5, 1, 'M' },
    { "UP",       BK_CODE,    0x30,  0,  0,  2,  6, 1, VK_UP },
    { "LEFT",     BK_CODE,    0x32,  0,  0,  1,  7, 1, VK_LEFT },
    { "OK",       BK_CODE,    0x34,  0,  0,  2,  7, 1, VK_RETURN },
    { "RIGHT",    BK_CODE,    0x33,  0,  0,  3,  7, 1, VK_RIGHT },
    { "DOWN",     BK_CODE,    0x31,  0,  0,  2,  8, 1, VK_DOWN },
    { "REW",      BK_CODE,    0x43,  0,  0,  0,  9, 1, 'R' },
    { "PLAY",     BK_CODE,    0x40,  0,  0,  1,  9, 1, 'P' },
    { "PAUSE",    BK_CODE,    0x41,  0,  0,  2,  9, 1, VK_SPACE },
    { "STOP",     BK_CODE,    0x42,  0,  0,  3,  9, 1, 'X' },
    { "FF",       BK_CODE,    0x44,  0,  0,  4,  9, 1, 'F' },
    { "PTR-NW",   BK_POINTER, 0,    -1, -1,  1, 11, 1, VK_NUMPAD7 },
    { "PTR-N",    BK_POINTER, 0,     0, -1,  2, 11, 1, VK_NUMPAD8 },
    { "PTR-NE",   BK_POINTER, 0,     1, -1,  3, 11, 1, VK_NUMPAD9 },
    { "L-CLK",    BK_CLICK,   0,     0,  0,  0, 12, 1, VK_NUMPAD0 },
    { "PTR-W",    BK_POINTER, 0,    -1,  0,  1, 12, 1, VK_NUMPAD4 },
    { "PTR-E",    BK_POINTER, 0,     1,  0,  3, 12, 1, VK_NUMPAD6 },
    { "R-CLK",    BK_CLICK,   0,     1,  0,  4, 12, 1, VK_DECIMAL },
    { "PTR-SW",   BK_POINTER, 0,    -1,  1,  1, 13, 1, VK_NUMPAD1 },
    { "PTR-S",    BK_POINTER, 0,     0,  1,  2, 13, 1, VK_NUMPAD2 },
    { "PTR-SE",   BK_POINTER, 0,     1,  1,  3, 13, 1, VK_NUMPAD3 },
};

const tagREMOTEBUTTON *RemoteButtons(int *piCount)
{
    *piCount = (int)(sizeof(rbButtons) / sizeof(rbButtons[0]));
    return rbButtons;
}

const tagREMOTEBUTTON *FindButtonByName(LPCSTR lpszName)
{
    for (const tagREMOTEBUTTON &rb : rbButtons)
        if (lstrcmpiA(rb.lpszName, lpszName) == 0)
            return &rb;
    return NULL;
}

const tagREMOTEBUTTON *FindButtonByKey(UINT uiKey)
{
    for (const tagREMOTEBUTTON &rb : rbButtons)
        if (rb.uiKey == uiKey)
            return &rb;
    return NULL;
}
