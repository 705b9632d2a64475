/*
 * mixer.h - the master (speaker) volume and mute of the first mixer device: MIXERVOLUP,
 * MIXERVOLDN and MIXERMUTE.
 */
#ifndef ORVANE_MIXER_H
#define ORVANE_MIXER_H

#include <windows.h>

/* One step up (bUp nonzero) or down on the master volume; silent without a mixer. */
void MixerVolume(BOOL bUp);

/* Turns the master mute on when it is off, off when it is on; silent without a mixer. */
void MixerMute(void);

/* Presses that cross the range of a control that names no number of steps. */
#define MIXER_DEFAULT_STEPS 16

/* A volume one step (the control's range divided by its number of steps, or by
   MIXER_DEFAULT_STEPS when it names none) up or down, kept within dwMinimum to dwMaximum. */
DWORD StepMixerVolume(DWORD dwValue, DWORD dwMinimum, DWORD dwMaximum, DWORD dwSteps, BOOL bUp);

#endif /* ORVANE_MIXER_H */
