/*
 * setupdata.h - reading the installation data file (sections of name=value lines) into
 * registry values. Touches no registry or file.
 */
#ifndef ORVANE_SETUPDATA_H
#define ORVANE_SETUPDATA_H

#include <windows.h>

enum tagLINEKIND { LK_NOTHING, LK_SECTION, LK_VALUE, LK_BAD };

/* Splits one line (changed in place): a section header "[name]", a "name=value" line, or a
   blank or ";" comment line. Names and values lose surrounding blanks. */
int ParseDataLine(LPSTR lpszLine, LPSTR *plpszName, LPSTR *plpszValue);

/* Turns a value text into registry data: "hex:HH HH ..." gives REG_BINARY bytes, anything
   else a REG_SZ string with each "\xHH" replaced by byte HH (terminator included in the
   size). Returns 0 when the text is malformed or does not fit cbData. */
int DecodeDataValue(LPCSTR lpszValue, LPBYTE lpbData, DWORD cbData, DWORD *pcbUsed, DWORD *pdwType);

/* What a section of the data holds, which decides how an upgrade and an uninstall treat
   it: the installation's own tables (the modes' key names and the translation) are written
   afresh by every installation; the settings and the button assignments (every other
   section) are the user's, kept by an upgrade; an uninstall keeps the assignments when
   asked to. */
enum tagSECTIONKIND { SK_TABLE, SK_SETTINGS, SK_ASSIGNMENTS };
int SectionKind(LPCSTR lpszSection);

#endif /* ORVANE_SETUPDATA_H */
