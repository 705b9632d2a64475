/*
 * trayrules.cpp - the auto-repeat rule and the registration retries, on the caller's clock.
 * A time is compared with the clock by their difference, so that both keep working when
 * the millisecond count wraps around (every 49.7 days).
 */
#include "trayrules.h"

static int HasCome(DWORD dwDue, DWORD dwNow)
{
    return (LONG)(dwNow - dwDue) >= 0;
}

static DWORD TimeLeft(DWORD dwDue, DWORD dwNow)
{
    return HasCome(dwDue, dwNow) ? 0 : dwDue - dwNow;
}

/* ---- auto-repeat ---- */

void StartRepeatRule(tagREPEATRULE *prr)
{
    *prr = {};
    prr->bLastCode = NO_CODE;
}

void RepeatRuleClock(tagREPEATRULE *prr, DWORD dwNow)
{
    if (prr->bAwaited == RT_DELAY && HasCome(prr->dwDue, dwNow)) {
        prr->bAutoRepeat = 1;
        prr->bAwaited = RT_END;
        prr->dwDue += REPEAT_END_MS;
    }
    if (prr->bAwaited == RT_END && HasCome(prr->dwDue, dwNow)) {
        prr->bAutoRepeat = 0;
        prr->bLastCode = NO_CODE;
        prr->bAwaited = RT_NONE;
    }
}

BYTE RepeatRuleCode(tagREPEATRULE *prr, BYTE bCode, DWORD dwNow)
{
    /* The code is judged at its own time, even when the timer that says a time has come is
       still waiting behind it in the queue (Windows hands out timer messages last). */
    RepeatRuleClock(prr, dwNow);
    BYTE bVerdict;
    if (bCode != prr->bLastCode) {
        prr->bAutoRepeat = 0;
        bVerdict = PR_PRESS;
    } else if (prr->bAutoRepeat) {
        prr->bAwaited = RT_END;
        prr->dwDue = dwNow + REPEAT_END_MS;
        bVerdict = PR_REPEAT;
    } else {
        /* The first repeat starts the delay; later ones before it runs out leave it be. */
        if (prr->bAwaited != RT_DELAY) {
            prr->bAwaited = RT_DELAY;
            prr->dwDue = dwNow + REPEAT_DELAY_MS;
        }
        bVerdict = PR_DROPPED;
    }
    prr->bLastCode = bCode;
    return bVerdict;
}

DWORD RepeatRuleWait(const tagREPEATRULE *prr, DWORD dwNow)
{
    return prr->bAwaited == RT_NONE ? NO_WAIT : TimeLeft(prr->dwDue, dwNow);
}

/* ---- registration retries ---- */

int PowerEventRetries(UINT uiMessage, WPARAM wParam)
{
    if (uiMessage == WM_POWER)
        return wParam != PWR_SUSPENDREQUEST;
    /* The NT family reports power events with WM_POWERBROADCAST; a resume is one to act on. */
    return uiMessage == WM_POWERBROADCAST && (wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMECRITICAL
                                              || wParam == PBT_APMRESUMEAUTOMATIC);
}

void StartRegisterRetries(tagREGISTERRETRY *prt, DWORD dwNow)
{
    prt->bRunning = 1;
    prt->dwDue = dwNow + REGISTER_RETRY_MS;
}

int RegisterRetryDue(const tagREGISTERRETRY *prt, DWORD dwNow)
{
    return prt->bRunning && HasCome(prt->dwDue, dwNow);
}

void RegisterRetryResult(tagREGISTERRETRY *prt, int bRegistered, DWORD dwNow)
{
    if (!bRegistered)
        prt->bFailed++;
    if (bRegistered || prt->bFailed >= REGISTER_ATTEMPTS)
        *prt = {};
    else
        prt->dwDue = dwNow + REGISTER_RETRY_MS;
}

DWORD RegisterRetryWait(const tagREGISTERRETRY *prt, DWORD dwNow)
{
    return prt->bRunning ? TimeLeft(prt->dwDue, dwNow) : NO_WAIT;
}
