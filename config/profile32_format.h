/*
 * profile32_format.h - the text of an assignment profile, a plain file that carries every
 * assignment of the remote from one installation to another:
 *
 *     Orvane remote profile 1
 *     [Mode]
 *     1="PC"
 *     [PC]
 *     0="LAUNCH\"notepad.exe\""
 *     ...
 *     [Settings\\Receiver]
 *     LIRC KEY_1="1"
 *     End of profile
 *
 * One section per registry key, one line per value; the last section, the map of the
 * receiver's other sources, may be left out (profiles written before it existed).
 * Printable ASCII stands as it is; a backslash, a double quote and every other byte (the
 * field separators of a command, line breaks, non-ASCII) are escaped as \\, \" and \xHH,
 * so that every byte survives and the file stays readable and diff-able. Key and value
 * names escape "=", "[" and "]" as well. A profile that carries the automatic modes (pairs
 * of a program and a mode) is of version 2 and holds their key's section,
 * [Settings\\AutoModes], after the modes' sections; every other profile stays of version 1.
 * The routines here touch no window, registry or file: they can be tested and fuzzed on
 * their own.
 */
#ifndef ORVANE_PROFILE32_FORMAT_H
#define ORVANE_PROFILE32_FORMAT_H

#include <stddef.h>
#include "OrvaneStore.h"
#include "autopairs.h"

#define PROFILE_HEADER       "Orvane remote profile 1"
#define PROFILE_HEADER_PAIRS "Orvane remote profile 2"  /* with automatic modes */
#define PROFILE_END          "End of profile"
#define PROFILE_KEY_SIZE     STORE_MODE_KEY_SIZE   /* a mode's key name, as the store reads it */
#define PROFILE_NAME_SIZE    64      /* a value name and its terminator */
#define PROFILE_VALUE_SIZE   STORED_COMMAND_SIZE   /* a stored command and its terminator */
#define PROFILE_MAX_VALUES   600     /* 207 buttons, 5 modes and the translations */
#define PROFILE_MAX_LINE     (4 * PROFILE_VALUE_SIZE + 4 * AUTOMODE_PROGRAM_SIZE)
#define PROFILE_MAX_FILE     (1024 * 1024)

#define PROFILE_MODES        STORE_MODES
#define PROFILE_MODE_VALUES  STORE_MODE_VALUES     /* buttons 0 to 39 and the mode's own */
#define PROFILE_RECEIVER_KEY STORE_RECEIVER_MAP_KEY

/* One value: the key it belongs to (a key of the store's own, a mode's, the receiver's map
   or STORE_AUTOMODE_KEY), its name and its text. Only a pair's name (its program) may be longer
   than PROFILE_NAME_SIZE allows. */
struct tagPROFILEVALUE {
    char szKey[PROFILE_KEY_SIZE];
    char szName[AUTOMODE_PROGRAM_SIZE];
    char szValue[PROFILE_VALUE_SIZE];
};

struct tagPROFILE {
    int iCount;
    tagPROFILEVALUE pvValues[PROFILE_MAX_VALUES];
};

/* Why a text is not a profile. */
enum {
    PROFILE_OK = 0,
    PROFILE_NOT_A_PROFILE,    /* first line is not the header */
    PROFILE_NEWER_VERSION,    /* a profile of a format this program does not know */
    PROFILE_BAD_LINE,         /* neither a section, a value nor the end */
    PROFILE_BAD_ESCAPE,
    PROFILE_TOO_LONG,         /* a line, a name or a value longer than it may be */
    PROFILE_BAD_SECTION,      /* unknown, repeated, or a value before any section */
    PROFILE_BAD_NAME,         /* a value name that its section does not hold */
    PROFILE_REPEATED_VALUE,
    PROFILE_BAD_MODE_NAME,    /* empty, too long, a path or a key of the settings */
    PROFILE_MISSING_VALUE,    /* a button or a mode's section left out */
    PROFILE_TRUNCATED,        /* the end line is missing */
    PROFILE_TEXT_AFTER_END,
    PROFILE_TOO_MANY_VALUES,
    PROFILE_TOO_LARGE,
    PROFILE_REASONS
};

struct tagPROFILEERROR {
    int iReason;              /* PROFILE_x */
    int iLine;                /* 1-based line the reason applies to */
};

/* Case-insensitive comparison of ASCII names, as registry key and value names compare. */
int CompareProfileNames(const char *pszFirst, const char *pszSecond);

/* Escapes cb bytes at pb into pszText (cchText characters with the terminator); bName also
   escapes "=", "[" and "]". Returns the escaped length, or (size_t)-1 when it does not fit. */
size_t EscapeProfileText(const char *pb, size_t cb, int bName, char *pszText, size_t cchText);

/* Turns cchText escaped characters back into bytes at pb (cbMax with the terminator, which
   is added). 1 on success; 0 on a bad escape (or an escaped NUL), -1 when too long. */
int UnescapeProfileText(const char *pszText, size_t cchText, char *pb, size_t cbMax);

/* Writes the profile as text; values of one key stay together in the order given; of
   version 2 when it holds automatic modes, else of version 1. Returns
   the length written (terminator added), or 0 when it does not fit or a name is too long. */
size_t WriteProfile(const tagPROFILE *ppProfile, char *pszText, size_t cchText);

/* Reads a whole profile text of cbText bytes (need not end in NUL). Checks everything a
   load relies on: the header, the grammar, the escapes and lengths, the sections (every
   mode named in the mode table has a section with all its buttons, the key of the
   mode-independent buttons holds both) and the end line. A pair of the automatic modes that
   is no use (an empty or over-long program, a mode the profile does not name, more than
   AUTOMODE_MAX_PAIRS) is passed over, the rest of the profile taken. 1 with *ppProfile
   filled; else 0 and *ppeError says why and where. */
int ReadProfile(const char *pText, size_t cbText, tagPROFILE *ppProfile, tagPROFILEERROR *ppeError);

#endif /* ORVANE_PROFILE32_FORMAT_H */
