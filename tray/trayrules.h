/*
 * trayrules.h - the tray program's two rules in time, kept apart from any window: the
 * auto-repeat rule, which decides whether a code from the receiver runs, and the retries of
 * the registration after a power event. Both run on a clock that the caller gives
 * (milliseconds that wrap around, as GetTickCount and GetMessageTime count): the tray program
 * drives them with its window's timers, a test with a clock that it sets.
 */
#ifndef ORVANE_TRAYRULES_H
#define ORVANE_TRAYRULES_H

#include <windows.h>

#define NO_CODE             255     /* no last code */
#define REPEAT_DELAY_MS     1000    /* from the first repeat of a code until its repeats act */
#define REPEAT_END_MS       300     /* this long without a repeat ends auto-repeat */
#define REGISTER_RETRY_MS   1000    /* between registration attempts after a power event */
#define REGISTER_ATTEMPTS   5       /* failed attempts after which the retries stop */
#define NO_WAIT             INFINITE    /* a rule that waits for no time */

/* What the auto-repeat rule makes of a code: it runs (the first of a press, or a repeat while
   auto-repeat is on) or it is dropped. */
enum { PR_PRESS, PR_REPEAT, PR_DROPPED };

/* Which of the auto-repeat rule's times is awaited. */
enum { RT_NONE, RT_DELAY, RT_END };

/* The auto-repeat rule. The first code of a press runs at once. The same code again is a
   repeat: repeats are dropped until REPEAT_DELAY_MS after the first of them, then each one
   runs, as long as they come less than REPEAT_END_MS apart; after such a gap the last code is
   forgotten and the next code, even the same one, runs at once. A different code runs at once
   and turns auto-repeat off, but does not restart a delay that is running. */
struct tagREPEATRULE {
    BYTE bLastCode;     /* NO_CODE when none */
    BYTE bAutoRepeat;   /* repeats of bLastCode run */
    BYTE bAwaited;      /* RT_x: the delay (auto-repeat then starts) or the end (it then ends) */
    DWORD dwDue;        /* when the awaited time comes */
};

/* Idle: no last code, auto-repeat off, no time awaited. */
void StartRepeatRule(tagREPEATRULE *prr);
/* A code at dwNow (times that have come by then act first): PR_x. */
BYTE RepeatRuleCode(tagREPEATRULE *prr, BYTE bCode, DWORD dwNow);
/* The clock reads dwNow: the awaited time acts if it has come. */
void RepeatRuleClock(tagREPEATRULE *prr, DWORD dwNow);
/* Milliseconds from dwNow until the awaited time (0 when it has come), NO_WAIT for none. */
DWORD RepeatRuleWait(const tagREPEATRULE *prr, DWORD dwNow);

/* Registration retries: a power event (any but a suspend request, or a resume broadcast)
   starts them; then the registration is tried every REGISTER_RETRY_MS until it succeeds or
   has failed REGISTER_ATTEMPTS times. A power event while they run restarts the period and
   keeps the count. */
struct tagREGISTERRETRY {
    BYTE bRunning;
    BYTE bFailed;       /* failed attempts since the power event */
    DWORD dwDue;        /* when the next attempt is due */
};

/* Whether a WM_POWER or WM_POWERBROADCAST message with this wParam starts the retries. */
int PowerEventRetries(UINT uiMessage, WPARAM wParam);
void StartRegisterRetries(tagREGISTERRETRY *prt, DWORD dwNow);
/* Nonzero when an attempt is due at dwNow; its result then goes to RegisterRetryResult. */
int RegisterRetryDue(const tagREGISTERRETRY *prt, DWORD dwNow);
void RegisterRetryResult(tagREGISTERRETRY *prt, int bRegistered, DWORD dwNow);
/* Milliseconds from dwNow until the next attempt (0 when it is due), NO_WAIT for none. */
DWORD RegisterRetryWait(const tagREGISTERRETRY *prt, DWORD dwNow);

#endif /* ORVANE_TRAYRULES_H */
