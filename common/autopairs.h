/*
 * autopairs.h - automatic modes: pairs of a program and a mode, so that the remote's mode
 * follows the program in front. A pair names its program by file name ("wmplayer.exe") or
 * by full path, and its mode by name (the mode's key under "Mode"), so that it means the
 * same on every PC that names its modes alike.
 *
 * The pairs live below the configuration root in the key STORE_AUTOMODE_KEY, one string value
 * each: the program is the value's name, the mode its data. The switch that turns the
 * whole feature off is the one-byte value AUTOMODE_SWITCH of the settings key.
 *
 * What is here touches no window, registry or file (the profile reader, which is fuzzed
 * natively, checks pairs with it); autopairs_store.h holds the registry side.
 */
#ifndef ORVANE_COMMON_AUTOPAIRS_H
#define ORVANE_COMMON_AUTOPAIRS_H

#include <stddef.h>
#include "OrvaneStore.h"

#define AUTOMODE_SWITCH         "EnableAutoModes"       /* byte of the settings key; 0 off */
#define AUTOMODE_PROGRAM_SIZE   260     /* a program's file name or full path, with NUL */
#define AUTOMODE_MAX_PAIRS      100     /* pairs taken from the registry or a profile */

/* The names of the five modes' keys, in engine order; "" for a mode without a usable one. */
typedef char AUTOMODENAMES[STORE_MODES][STORE_MODE_KEY_SIZE];

/* One usable pair. */
struct tagAUTOMODEPAIR {
    char szProgram[AUTOMODE_PROGRAM_SIZE];
    char szMode[STORE_MODE_KEY_SIZE];   /* as stored */
    int  iMode;                         /* the engine mode (0-based) that szMode names */
};

/* Mode names compare as registry key names do: ASCII letters without regard to case. */
int CompareModeNames(const char *pszFirst, const char *pszSecond);

/* The engine mode of a pair of program pszProgram and mode name pszMode, or -1 when the
   pair is no use: an empty program, one too long for AUTOMODE_PROGRAM_SIZE, or a mode
   name that none of the modes carries. */
int AutoModePairMode(const char *pszProgram, const char *pszMode, const AUTOMODENAMES anModes);

/* The mode name a pair carries after the modes were renamed from anOld to anNew (slot by
   slot): the new name of the slot whose old name the pair named, or null when the pair
   keeps its name (that slot kept its name or lost it, or no slot had that name). */
const char *RenamedAutoMode(const char *pszMode, const AUTOMODENAMES anOld, const AUTOMODENAMES anNew);

#endif /* ORVANE_COMMON_AUTOPAIRS_H */
