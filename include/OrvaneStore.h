/*
 * OrvaneStore.h - the assignment store as every program of the system sees it: where the
 * settings and assignments live below HKEY_CURRENT_USER, how a mode and a button become a
 * key and a value name, what a translated receiver code means, the bytes that separate the
 * fields of one argument, and how long a stored and a runnable command may be. Names and
 * numbers only, with no Windows header, so that the installation data, the profile format
 * and the native fuzzers read the same definitions as the libraries. The reader and writer
 * of one button's value are common/store.h.
 */
#ifndef ORVANE_STORE_H
#define ORVANE_STORE_H

/* ---- Keys and values ------------------------------------------------------------------- */

#define ORVANE_ROOT_KEY          "Software\\Zendra\\Orvane"
#define ORVANE_SETTINGS          "Settings"   /* the per-machine settings, never a mode */
#define ORVANE_SETTINGS_KEY      ORVANE_ROOT_KEY "\\" ORVANE_SETTINGS
#define ORVANE_WORKING_DIRECTORY "WorkingDirectory"

/* Keys below the root. "Mode" names the key of each mode (values "1" to "5", the engine's
   mode + 1); "Translation" maps a raw receiver code (its value name, in decimal) to a
   translated code (its data, in hexadecimal); "Default" holds the two mode-independent
   buttons. Both tables come with the installation. */
#define STORE_MODE_KEY           "Mode"
#define STORE_TRANSLATION_KEY    "Translation"
#define STORE_NOMODE_KEY         "Default"
/* The value of a mode's key that holds the command run when the mode is selected. */
#define STORE_MODE_COMMAND       "Default"
/* Below the root, the map of the receiver's other sources (a LIRC server's presses, a USB
   remote's keys) to the buttons of the remote: one string value per entry (common/
   receiversettings.h). */
#define STORE_RECEIVER_MAP_KEY   ORVANE_SETTINGS "\\Receiver"
/* Below the root, the automatic modes: one string value per pair, the program (a file name
   or a full path) its name and the name of a mode its data (common/autopairs.h). */
#define STORE_AUTOMODE_KEY       ORVANE_SETTINGS "\\AutoModes"

/* ---- Modes and buttons ----------------------------------------------------------------- */

/* Engine modes 0 to 4: PC, WEB, Phone, DVD, CD. */
#define STORE_MODES              5

/* Button codes. In a mode's key each has the value named by its code in decimal, except the
   mode's own command (STORE_MODE_COMMAND); the mode-independent buttons are values "0" and
   "1" of STORE_NOMODE_KEY. */
enum {
    BUTTON_MAIN_COUNT    = 17,    /* codes 0 to 16 */
    BUTTON_SHIFT_OFFSET  = 17,    /* codes 17 to 33: the main buttons with shift on */
    BUTTON_SPECIAL_FIRST = 34,    /* codes 34 to 39: transport buttons, not shifted */
    BUTTON_SPECIAL_COUNT = 6,
    BUTTON_NOMODE_FIRST  = 41,    /* codes 41 and 42 (the configuration's numbering) */
    BUTTON_NOMODE_COUNT  = 2,
    BUTTON_MODE_OWN      = 255    /* the mode's own command */
};
/* Values of one mode's key: buttons 0 to 39 and the mode's own command. */
#define STORE_MODE_VALUES        (BUTTON_SPECIAL_FIRST + BUTTON_SPECIAL_COUNT + 1)

/* Translated codes (the data of a "Translation" value, cut to 8 bits): bit 7 selects the
   mode in the low bits, bit 6 marks the codes that do not depend on the mode, anything
   else is a button code. */
enum {
    CODE_SELECT_MODE   = 0x80,
    CODE_MODE_MASK     = 0x7F,
    CODE_PC_FUNCTION   = 0x40,
    CODE_TOGGLE_SHIFT  = 0x40,
    CODE_PC_BUTTON_1   = 0x41,    /* runs mode-independent button 1 (value "0") */
    CODE_PC_BUTTON_2   = 0x42     /* runs mode-independent button 2 (value "1") */
};

/* What a translated code asks for (TranslatedCodeKind). */
enum {
    TC_BUTTON,          /* look up the button of this code */
    TC_SELECT_MODE,     /* select one of the five modes */
    TC_TOGGLE_SHIFT,
    TC_NOMODE_BUTTON,   /* run one of the two mode-independent buttons */
    TC_NO_ACTION        /* a mode beyond the five, or an unused code with bit 6 */
};

#ifdef __cplusplus
extern "C" {
#endif

/* The kind of a translated code; *pbArgument receives the mode (TC_SELECT_MODE), the
   mode-independent button from 0 (TC_NOMODE_BUTTON) or the code itself. Pure. */
int TranslatedCodeKind(unsigned char bCode, unsigned char *pbArgument);

#ifdef __cplusplus
}
#endif

/* ---- Command strings ------------------------------------------------------------------- */

/* Bytes that separate the fields of one quoted argument: a launch's program file from its
   command line, and the last field (a launch's size and position, MCITRACK's track) from
   what comes before. Edit texts carry them as ordinary characters. */
#define CMDLINE_SEPARATOR        '\x7F'
#define EXTRA_SEPARATOR          '\x83'
#define CMDLINE_SEPARATOR_TEXT   "\x7F"
#define EXTRA_SEPARATOR_TEXT     "\x83"

/* ---- Sizes, each with the terminator --------------------------------------------------- */

#define STORE_MODE_KEY_SIZE      20   /* a mode's key name; a longer one names no mode */
#define STORE_TRANSLATION_SIZE   20   /* a translation's data */
#define STORED_COMMAND_SIZE      512  /* a command as the configuration and profiles keep it */
/* A command that runs: the engine reads every command it runs, and the tray program a
   button's, into this much, so the editors take no longer one. */
#define RUNNABLE_COMMAND_LENGTH  254
#define RUNNABLE_COMMAND_SIZE    (RUNNABLE_COMMAND_LENGTH + 1)

#endif /* ORVANE_STORE_H */
