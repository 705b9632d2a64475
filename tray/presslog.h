/*
 * presslog.h - the press log: a window that lists each code from the receiver with the
 * time, what it decoded to, what the auto-repeat rule made of it and which command string
 * ran. Tellumo opens it from its icon's menu; while it is closed neither the tray program
 * nor the engine does any work for it.
 */
#ifndef ORVANE_PRESSLOG_H
#define ORVANE_PRESSLOG_H

#include <windows.h>
#include <stddef.h>
#include "OrvaneStore.h"
#include "trayrules.h"     /* PR_x: what the auto-repeat rule made of a code */

#define PRESS_LOG_CLASS     "TELLUMOLOG"
#define PRESS_LOG_LINES     500     /* lines kept; the oldest go first */
#define PRESS_LINE_SIZE     512     /* a whole line, the longest command included */

/* Besides the rule's PR_x, a record's kind: a line from a source that was no press of a
   mapped button (its reason and text in szCommand), and no code but the mode following the
   program in front. */
enum { PR_SKIPPED = PR_DROPPED + 1, PR_AUTOMATIC };
#define PRESS_FRONT_SIZE    64      /* the program in front's file name, as the log keeps it */

/* One code from the receiver as the tray program handled it. */
struct tagPRESS {
    SYSTEMTIME stTime;          /* when it arrived */
    BYTE bRaw;                  /* the receiver's code */
    BYTE bRepeat;               /* PR_x */
    BYTE bLookUp;               /* the engine made a button code of it and looked that up */
    BYTE bCode;                 /* the translated code: a button code, or a mode or function code */
    BYTE bMode;                 /* the engine's mode (0-based) and shift after the code */
    BYTE bShift;
    char szModeName[STORE_MODE_KEY_SIZE];   /* name of bMode's key ("" when unnamed) */
    char szCommand[RUNNABLE_COMMAND_SIZE];  /* first command string that ran, "" for none */
    char szFront[PRESS_FRONT_SIZE];         /* PR_AUTOMATIC: the program that came to the front */
    BYTE bByHand;               /* PR_AUTOMATIC: back to the mode last chosen by hand */
    tagPRESS *pprOuter;         /* the code whose command was running when this one came */
};

/* Words of a line, loaded from the resources (IDS_LOG_WORDS + PLW_x). */
enum {
    PLW_REPEAT, PLW_DROPPED, PLW_BUTTON, PLW_SHIFT, PLW_MODE, PLW_SHIFT_ON, PLW_SHIFT_OFF,
    PLW_PC_BUTTON, PLW_CODE, PLW_NO_ACTION, PLW_NOT_ASSIGNED,
    PLW_SKIPPED, PLW_TOO_LONG, PLW_BINARY, PLW_NOT_A_PRESS, PLW_NOT_MAPPED,
    PLW_AUTOMATIC, PLW_IN_FRONT, PLW_BY_HAND, PLW_COUNT
};
#define PRESS_WORD_SIZE 32
typedef char PRESSWORD[PRESS_WORD_SIZE];

/* ---- the window (presslog.cpp) ---- */

/* Opens the log, or brings it forward when it is open; its texts come from hInst. */
HWND OpenPressLog(HINSTANCE hInst);
/* A code arrives: begins its record (nothing happens while the log is closed). */
void BeginPress(tagPRESS *ppr, BYTE bRaw, BYTE bRepeat);
/* A mode change for the program in front begins, like a code: lpszFront is the
   program's file name, bByHand whether the mode is the one last chosen by hand. */
void BeginAutomaticPress(tagPRESS *ppr, LPCSTR lpszFront, int bByHand);
/* What the engine made of the code being handled; lpszModeKey is the name of bMode's key
   when the press read it (to look a button up, or to run the mode it selected), else null
   (the log reads it then). */
void NoteDecoded(int bLookUp, BYTE bCode, BYTE bMode, BYTE bShift, LPCSTR lpszModeKey);
/* The code's handling is over: its line is added. */
void EndPress(tagPRESS *ppr);
/* A line from a source that was skipped, for the reason PLW_x: its line is added with the
   bytes of the line written readably. */
void LogSkippedInput(int iReason, const char *pText, size_t cchText);

/* ---- pure parts (presslog_text.cpp) ---- */

/* The line of one code, columns separated by tabs: time, raw code, auto-repeat, what it
   decoded to, what ran. Always terminated within cchLine. */
void FormatPressLine(const tagPRESS *ppr, const PRESSWORD *apwWords, char *pszLine, size_t cchLine);
/* The reason word's number and the text of a skipped line into a record's command: printable
   ASCII as it is, every other byte as \xHH; cut to fit. */
void NoteSkippedText(tagPRESS *ppr, int iReason, const char *pText, size_t cchText);

/* Places of the log window's controls (PLC_x) in a client area of cx by cy pixels. */
enum { PLC_LIST, PLC_COPY, PLC_CLEAR, PLC_COUNT };
void LayoutPressLog(int cx, int cy, RECT *prcControls);
/* Smallest useful window size, in pixels of the client area. */
#define PRESS_LOG_MIN_CX    240
#define PRESS_LOG_MIN_CY    120

#endif /* ORVANE_PRESSLOG_H */
