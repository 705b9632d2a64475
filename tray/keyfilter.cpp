/*
 * keyfilter.cpp - the keyboard hook's decision on each key.
 */
#include <string.h>
#include "keyfilter.h"

void RenewKeyFilter(tagKEYFILTER *pkf, const short *asRaw, int bLearn)
{
    for (int i = 0; i < KEY_COUNT; i++)
        pkf->asRaw[i] = asRaw != NULL ? asRaw[i] : -1;
    pkf->bLearn = bLearn;
}

void StartKeyFilter(tagKEYFILTER *pkf, const short *asRaw, int bLearn)
{
    memset(pkf->abHeld, 0, sizeof(pkf->abHeld));
    RenewKeyFilter(pkf, asRaw, bLearn);
}

int FilterKey(tagKEYFILTER *pkf, unsigned uiKey, int bRelease, int bInjected)
{
    /* The system's own typing passes, even a key that a person holds down meanwhile; so
       does a key the system has no virtual key for (0). */
    if (uiKey == 0 || uiKey >= KEY_COUNT || bInjected)
        return KEY_PASS;
    if (bRelease) {
        if (!pkf->abHeld[uiKey])
            return KEY_PASS;
        pkf->abHeld[uiKey] = 0;
        return KEY_SWALLOW;
    }
    if (pkf->bLearn) {
        pkf->bLearn = 0;
        pkf->abHeld[uiKey] = 1;
        return KEY_LEARNT;
    }
    /* A key held since it was learnt repeats nothing. */
    if (pkf->abHeld[uiKey] && pkf->asRaw[uiKey] < 0)
        return KEY_SWALLOW;
    if (pkf->asRaw[uiKey] < 0)
        return KEY_PASS;
    int iKind = pkf->abHeld[uiKey] ? KEY_REPEAT : KEY_PRESS;
    pkf->abHeld[uiKey] = 1;
    return iKind;
}
