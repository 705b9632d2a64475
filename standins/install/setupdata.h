/*
 * setupdata.h - reading the installation data file (sections of name=value lines) into
 * registry values. Touches no registry or file.
 */
#ifndef ORVANE_SETUPDATA_H
#define ORVANE_SETUPDATA_H

#include <windows.h>
#include "OrvaneStore.h"

enum tagLINEKIND { LK_NOTHING, LK_SECTION, LK_VALUE, LK_BAD };

/* Splits one line (changed in place): a section header "[name]", a "name=value" line, or a
   blank or ";" comment line. Names and values lose surrounding blanks. */
int ParseDataLine(LPSTR lpszLine, LPSTR *plpszName, LPSTR *plpszValue);

/* Turns a value text into registry data: "hex:HH HH ..." gives REG_BINARY bytes, anything
   else a REG_SZ string with each "\xHH" replaced by byte HH (terminator included in the
   size). Returns 0 when the text is malformed or does not fit cbData. */
int DecodeDataValue(LPCSTR lpszValue, LPBYTE lpbData, DWORD cbData, DWORD *pcbUsed, DWORD *pdwType);

/* What a section of the data holds, which decides how an upgrade and an uninstall treat
   it. Every kind is the user's once written: an upgrade adds what is missing and changes
   nothing that is stored, except that a table value the engine cannot use (an empty one,
   which the engine leaves for a code it does not know, or a mode name that cannot name a
   mode's key) is written afresh. An uninstall removes the settings (ORVANE_SETTINGS); the
   modes (STORE_MODE_KEY), the translation of the remote's codes (STORE_TRANSLATION_KEY),
   the button assignments (every other section) and what a person made below the settings
   (STORE_RECEIVER_MAP_KEY, STORE_AUTOMODE_KEY) stay when the user asks to keep the
   assignments. */
enum tagSECTIONKIND { SK_MODES, SK_TABLE, SK_SETTINGS, SK_ASSIGNMENTS };
int SectionKind(LPCSTR lpszSection);

/* Which mode a value name of the section STORE_MODE_KEY stands for: 0 to 4, or -1. */
int DataModeIndex(LPCSTR lpszName);

/* Whether lpszValue, stored in a table (SK_MODES or SK_TABLE), is one the engine can use:
   a text that is not empty, and for a mode the name of a key that can hold the mode's
   assignments (shorter than STORE_MODE_KEY_SIZE, no path, no key of another kind). */
int UsableTableValue(int iKind, LPCSTR lpszValue);

#endif /* ORVANE_SETUPDATA_H */
