/*
 * keyfilter.h - what becomes of a key that the keyboard hook sees: it passes to the
 * programs, or it is taken as a press of a button of the remote, or (while the applet
 * learns) as the key to learn. A key that was taken is taken until it is let go, so that no
 * program sees half of it; keys the system itself typed are never taken. Pure: the hook
 * thread decides with it and only posts what it decided.
 */
#ifndef ORVANE_KEYFILTER_H
#define ORVANE_KEYFILTER_H

#include "receivermap.h"

/* The hook thread's knowledge: a snapshot of the map and the keys held down. */
struct tagKEYFILTER {
    short asRaw[KEY_COUNT];             /* the raw code of each key, -1 for a key not taken */
    int bLearn;                         /* the next key pressed is learnt */
    unsigned char abHeld[KEY_COUNT];    /* taken and not yet let go */
};

/* What to do with a key event. */
enum {
    KEY_PASS,       /* to the programs */
    KEY_SWALLOW,    /* taken, nothing to post (the release of a taken key) */
    KEY_PRESS,      /* taken: a new press of the button */
    KEY_REPEAT,     /* taken: the key is held, the press repeats */
    KEY_LEARNT      /* taken: the key to learn (learning ends) */
};

/* A fresh filter of the map's keys (asRaw may be null: no key is mapped). */
void StartKeyFilter(tagKEYFILTER *pkf, const short *asRaw, int bLearn);
/* A new snapshot of the map; the keys held stay taken until let go. */
void RenewKeyFilter(tagKEYFILTER *pkf, const short *asRaw, int bLearn);
/* Decides on one event of key uiKey: pressed or let go, typed by a program or not. */
int FilterKey(tagKEYFILTER *pkf, unsigned uiKey, int bRelease, int bInjected);

#endif /* ORVANE_KEYFILTER_H */
