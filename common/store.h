/*
 * store.h - reading and writing the assignment store laid out in OrvaneStore.h: the name of
 * a mode's key and one button's command. The engine, the configuration and the tray
 * program all place and read a button through these, and the registry routines underneath
 * settle how a stored string without its terminator, or too long for the buffer, reads.
 */
#ifndef ORVANE_COMMON_STORE_H
#define ORVANE_COMMON_STORE_H

#include <windows.h>
#include "OrvaneStore.h"

/* A button's value name: STORE_MODE_COMMAND or a code in decimal, with the terminator. */
#define BUTTON_VALUE_NAME_SIZE 8

/* Where one button's command is stored. */
struct tagBUTTONPLACE {
    LPCSTR lpszKey;                           /* its mode's key, or STORE_NOMODE_KEY */
    char   szValue[BUTTON_VALUE_NAME_SIZE];
};

/* Whether bCode is one of the two mode-independent buttons. */
BOOL IsNoModeButton(BYTE bCode);

/* Key and value name of button bCode, given the name of its mode's key (null or "" when
   the mode has none; the mode-independent buttons need none). FALSE when the button
   belongs to a mode without a key. Touches no registry. */
BOOL PlaceButton(BYTE bCode, LPCSTR lpszModeKey, tagBUTTONPLACE *pbp);

/* The name of engine mode iMode's key into lpszModeKey (STORE_MODE_KEY_SIZE bytes): ""
   when iMode is not a mode or the mode has no usable name. Reads the mode's value of
   STORE_MODE_KEY once, creating it empty when it is missing. */
void ReadModeKey(int iMode, LPSTR lpszModeKey);

/* Reads button bCode's command into lpszCommand (cbCommand bytes) as Get does with an
   empty default: a missing value is created empty, and one that does not fit reads as "".
   TRUE when a command was read. A button of a mode without a key reads as "" and nothing
   is created. */
BOOL ReadButtonValue(LPCSTR lpszModeKey, BYTE bCode, LPSTR lpszCommand, int cbCommand);

/* Stores button bCode's command (null stores ""). FALSE when the button's mode has no key
   or the key is unavailable. */
BOOL WriteButtonValue(LPCSTR lpszModeKey, BYTE bCode, LPCSTR lpszCommand);

/* The same for button bCode of engine mode iMode, reading the mode's key name only when
   the button needs it. */
BOOL ReadModeButton(int iMode, BYTE bCode, LPSTR lpszCommand, int cbCommand);
BOOL WriteModeButton(int iMode, BYTE bCode, LPCSTR lpszCommand);

#endif /* ORVANE_COMMON_STORE_H */
