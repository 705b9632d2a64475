/*
 * Corvalin_media.h - the media keywords (MCIPLAY, MCISTOP, MCIPAUSE, MCIFASTFWD,
 * MCIREWIND, MCITRACK), which drive one MCI device at a time, and the auxiliary volume
 * steps (AUXVOLUP, AUXVOLDN).
 */
#ifndef ORVANE_CORVALIN_MEDIA_H
#define ORVANE_CORVALIN_MEDIA_H

#include <windows.h>
#include <mmsystem.h>
#include "OrvaneStore.h"     /* EXTRA_SEPARATOR comes before the track of MCITRACK */

/* What SendMCIControl is asked to do with the device. */
enum {
    MEDIA_PLAY = 1,
    MEDIA_STOP = 2,
    MEDIA_TRACK = 3,        /* play from track bTrack */
    MEDIA_PAUSE = 4,        /* pause, resume, or start a stopped device */
    MEDIA_BACKWARD = 5,     /* one track (or one tenth) back */
    MEDIA_FORWARD = 6       /* one track (or one tenth) forward */
};

#define MEDIA_TRACK_DIGITS  4       /* characters of the track field that are read */
#define MEDIA_TENTHS        10      /* a single-track video medium is skipped through in tenths */
#define MEDIA_DEVICE_BUFFER 256     /* the MCITRACK argument is copied into this much */
#define MEDIA_ERROR_TEXT    200     /* the system's text of an MCI error */
#define AUX_VOLUME_STEP     0x1000  /* per channel, of 0xFFFF */

/* Runs ControlMCIDevice under the wait cursor; returns its result. A call made while
   another waits (on its warning box) is dropped and returns 0. */
int SendMCIControl(LPCSTR lpszDeviceType, BYTE bAction, BYTE bTrack);

/* Opens the device type when another type (or none) is open, then performs bAction.
   1 on success or when nothing had to be done, 0 after an error box. */
int ControlMCIDevice(LPCSTR lpszDeviceType, BYTE bAction, BYTE bTrack);

/* Positions the open device at a track (at a tenth of a single-track video medium) and
   plays from there; 1 on success, 0 after an error box. */
int ChangeMCITrack(MCIDEVICEID mciID, DWORD dwNewTrack, DWORD dwTracks, DWORD dwSize, BOOL bVideo);

/* MCITRACK: the argument, the device name and the track after EXTRA_SEPARATOR, is copied
   and played from the track; an argument without a track (or track 0) does nothing. */
void SendMCITrack(LPCSTR lpszArgument);

/* AUXVOLUP, AUXVOLDN: one step on both channels of auxiliary device 0; silent when there
   is no such device. */
void ChangeAuxVolume(BOOL bUp);

/* ---- Pure arithmetic, no device (Corvalin_media_math.cpp) ---- */

/* Cuts lpszBuffer at the track separator and returns the track after it (a decimal number
   within the field's first four characters, after blanks and a plus sign; numbers above
   255 count as 255); 0 without a separator. */
BYTE GetTrack(LPSTR lpszBuffer);

/* MCITRACK's argument as SendMCITrack plays it: copied into lpszDevice (MEDIA_DEVICE_BUFFER
   bytes, cut to fit) and split there by GetTrack; returns the track. */
BYTE ReadTrackArgument(LPCSTR lpszArgument, LPSTR lpszDevice);

/* The track a skip or jump can reach: 1 to 10 on a single-track video medium (its tenths),
   else 1 to the number of tracks. */
DWORD LimitTrack(DWORD dwTrack, DWORD dwTracks, BOOL bVideo);

/* Start of tenth dwTenth (1 to 10) of a medium dwSize long. */
DWORD TenthPosition(DWORD dwSize, DWORD dwTenth);

/* An auxiliary volume (left channel in the low word, right in the high word) one step up
   or down, each channel kept within 0 to 0xFFFF. */
DWORD StepAuxVolume(DWORD dwVolume, BOOL bUp);

#endif /* ORVANE_CORVALIN_MEDIA_H */
