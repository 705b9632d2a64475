/*
 * lircline.h - the lines a LIRC or WinLIRC server sends, one per press:
 *
 *     <code> <repeat count> <button name> <remote name>
 *
 * the code in hexadecimal (16 digits from lircd), the repeat count in hexadecimal (0 for a
 * new press, then 1, 2, ... while the button is held), the names without spaces. The bytes
 * come from a socket in pieces of any size: LircStreamLine puts them together into lines,
 * ParseLircLine reads one. Pure routines, for the tray program and for native fuzzing.
 */
#ifndef ORVANE_LIRCLINE_H
#define ORVANE_LIRCLINE_H

#include <stddef.h>
#include "receivermap.h"

#define LIRC_LINE_MAX       255     /* the longest line taken; a longer one is skipped */
#define LIRC_SHORTEST_PRESS 8       /* "0 0 b r" and its line break */
#define LIRC_CODE_DIGITS    16
#define LIRC_REPEAT_DIGITS  8

/* What a line is. */
enum { LIRC_PRESS, LIRC_EMPTY, LIRC_TOO_LONG, LIRC_BINARY, LIRC_MALFORMED };

struct tagLIRCPRESS {
    unsigned uiRepeat;                  /* 0: a new press */
    char szButton[LIRC_NAME_SIZE];
    char szRemote[LIRC_NAME_SIZE];
};

/* One line as it arrived, without its line break; an over-long line keeps only its start. */
struct tagLIRCLINE {
    char achText[LIRC_LINE_MAX + 1];    /* ended by a NUL after cchText bytes */
    size_t cchText;
    int bTooLong;
};

/* The part of a line received so far. Zero-filled: empty. */
struct tagLIRCSTREAM {
    tagLIRCLINE llPending;
};

/* Takes bytes from pb (cb of them) up to the end of the first line they complete. Returns
   how many it took; *pbComplete tells whether *pll now holds a whole line. The caller
   calls again with the rest until all is taken. */
size_t LircStreamLine(tagLIRCSTREAM *pls, const char *pb, size_t cb, tagLIRCLINE *pll, int *pbComplete);

/* Reads a whole line: LIRC_PRESS fills *plp; anything else says why the line is no press
   (LIRC_EMPTY: nothing but blanks, a keep-alive to pass over quietly). */
int ParseLircLine(const tagLIRCLINE *pll, tagLIRCPRESS *plp);

#endif /* ORVANE_LIRCLINE_H */
