/*
 * Corvalin_internal.h - what the engine's source files share inside Corvalin.dll: the
 * keyword numbers, the command-string reader, the dispatcher and the window routines.
 * Each action family (keys, window, media, launch, home automation, keyboard, task
 * switcher) adds its own routines here under its own heading.
 */
#ifndef ORVANE_CORVALIN_INTERNAL_H
#define ORVANE_CORVALIN_INTERNAL_H

#include <windows.h>

extern HINSTANCE hInstance;   /* this library's module, recorded by DllMain */

/* ---- Keywords ------------------------------------------------------------------------
   The keyword list in function-number order: a keyword's number is its position counted
   from 1. One list gives both the keyword texts (pszFunctions) and their numbers (FN_x). */
#define CORVALIN_KEYWORDS(X) \
    X(PAGEUP) X(PAGEDOWN) X(LINEUP) X(LINEDOWN) X(PASTE) X(ENTER) X(SELECT) X(LAUNCH) \
    X(SHUTDOWN) X(HOME) X(END) X(MAXIMIZE) X(MINIMIZE) X(CLOSE) X(SELECTTEXT) X(RESTORE) \
    X(MCIPLAY) X(MCIFASTFWD) X(MCIREWIND) X(MCISTOP) X(MCIRECORD) X(MCIPAUSE) X(MCITRACK) \
    X(AUXVOLUP) X(AUXVOLDN) X(SUSPEND) X(STANDBY) X(ICONIZEALL) X(RESTOREALL) \
    X(HOMEPOINTER) X(MOVEWINDOW) X(RESIZE) X(STARTBUTTON) X(WINDOWMENU) X(FINDFILE) \
    X(REFRESH) X(TAB) X(ESCAPE) X(NEXTTASK) X(FINDCOMPUTER) \
    X(FONE) X(FTWO) X(FTHREE) X(FFOUR) X(FFIVE) X(FSIX) X(FSEVEN) X(FEIGHT) X(FNINE) \
    X(FTEN) X(FELEVEN) X(FTWELVE) \
    X(UP) X(DOWN) X(LEFT) X(RIGHT) X(CASCADE) X(HORTILE) X(VERTILE) X(LAUNCHSIZE) \
    X(ICONIZEOTHERS) X(RESTOREOTHERS) X(MAXIMIZEALL) X(MAXIMIZEOTHERS) \
    X(KEYA) X(KEYB) X(KEYC) X(KEYD) X(KEYE) X(KEYF) X(KEYG) X(KEYH) X(KEYI) X(KEYJ) \
    X(KEYK) X(KEYL) X(KEYM) X(KEYN) X(KEYO) X(KEYP) X(KEYQ) X(KEYR) X(KEYS) X(KEYT) \
    X(KEYU) X(KEYV) X(KEYW) X(KEYX) X(KEYY) X(KEYZ) \
    X(CAPSLOCK) X(CONTROL) X(ALT) \
    X(NUMONE) X(NUMTWO) X(NUMTHREE) X(NUMFOUR) X(NUMFIVE) X(NUMSIX) X(NUMSEVEN) \
    X(NUMEIGHT) X(NUMNINE) X(NUMZERO) \
    X(EQUAL) X(BACKSPACE) X(MINUS) X(FORWARDSLASH) X(COMMA) X(FULLSTOP) X(BACKSLASH) \
    X(OPENBRACKET) X(CLOSEBRACKET) X(SEMICOLON) X(INVERTEDCOMMA) X(COLON) \
    X(TYPE) X(WRITE) X(UNUDGE) X(DNUDGE) X(RNUDGE) X(LNUDGE) X(KEYBOARD) X(MESSAGE) \
    X(HOTKEY) X(MIXERVOLUP) X(MIXERVOLDN) X(MIXERMUTE) X(ZENDRA) X(WEBADDRESS)

#define CORVALIN_KEYWORD_NUMBER(name) FN_##name,
enum {
    FN_NONE = 0,
    CORVALIN_KEYWORDS(CORVALIN_KEYWORD_NUMBER)
    FN_LAST = FN_WEBADDRESS,     /* 129 */
    FN_CLOSING = 255             /* end of a command string: forget the target */
};
#undef CORVALIN_KEYWORD_NUMBER

/* The keyword texts in number order, ended by an empty string. */
extern const char *const pszFunctions[];

/* ---- Command strings (pure: no window, registry or device) ---------------------------- */

/* One item of a command string as the reader splits it. */
struct tagCOMMANDITEM {
    UINT  uiFunction;    /* keyword number, 0 for an empty item or an unknown keyword */
    LPSTR lpszArgument;  /* the quoted argument, doubled quotes kept; "" if none */
};

int  GetFunction(LPCSTR lpszFunction);
BOOL NextCommandItem(LPSTR *plpszPosition, tagCOMMANDITEM *pciItem);
BYTE HexToByte(LPCSTR lpszText);

/* Key events that one keyword queues: a key, or bFirst held around bSecond. */
struct tagKEYSTROKE {
    BYTE bFunction;
    BYTE bFirst;
    BYTE bSecond;        /* 0: a single key */
};
const tagKEYSTROKE *FindKeyStroke(UINT uiFunction);

/* Whether a command string's target window must be known before item uiFunction runs:
   the item acts on the target, or may bring another window to the front (the target is
   the window in front at the string's first item). FALSE for an item that does neither,
   so that a string of such items never asks the system for the window in front. */
BOOL TargetNeededBefore(UINT uiFunction);

/* Where one nudge leaves the cursor on a screen of iWidth x iHeight. */
POINT NudgePoint(UINT uiFunction, POINT ptCursor, int iWidth, int iHeight);

/* ---- Dispatcher ----------------------------------------------------------------------- */

/* Listener of the command strings that run (SetCommandHook); null while there is none. */
extern void (CALLBACK *pfnCommandHook)(LPCSTR lpszCommand);

/* Runs mode bMode's own command; the name of the mode's key it read goes to lpszModeKey
   (STORE_MODE_KEY_SIZE bytes) unless that is null. */
void DefaultFunction(HWND hWnd, BYTE bMode, LPSTR lpszModeKey);
void ProcessPCFunction(HWND hWnd, LPBYTE lpbCode, LPBYTE lpbShift);
void GetPCFunction(HWND hWnd, BYTE bFunction);
void ProcessFunction(HWND hClipWnd, UINT uiFunction, LPSTR lpszFunction);

/* ---- Window and desktop commands ----------------------------------------------------- */

HWND FindParent(HWND hWnd);
void ActivateWindow(HWND hWnd, HWND hPrevious);
void SelectWindow(HWND *lphWnd, BOOL bParent);
void Nudge(UINT uiFunction);
/* The enumeration callbacks are exports: Corvalin.h. */

#endif /* ORVANE_CORVALIN_INTERNAL_H */
