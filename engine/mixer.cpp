/*
 * mixer.cpp - master volume and mute through the audio mixer interface.
 *
 * The master controls belong to the first active speakers destination of mixer device 0.
 * Every change opens the mixer, reads the control's value (one value for all channels),
 * writes the new value back and closes the mixer again. Failures end the change silently.
 */
#include <windows.h>
#include <mmsystem.h>
#include "mixer.h"

DWORD StepMixerVolume(DWORD dwValue, DWORD dwMinimum, DWORD dwMaximum, DWORD dwSteps, BOOL bUp)
{
    DWORD dwRange = dwMaximum > dwMinimum ? dwMaximum - dwMinimum : 0;
    /* A control that names no steps moves a small fixed part of its range per press. */
    DWORD dwStep = dwRange / (dwSteps != 0 ? dwSteps : MIXER_DEFAULT_STEPS);
    ULONGLONG ullValue;
    if (bUp)
        ullValue = (ULONGLONG)dwValue + dwStep;
    else
        ullValue = dwStep < dwValue ? dwValue - dwStep : 0;
    if (ullValue > dwMaximum)
        ullValue = dwMaximum;
    if (ullValue < dwMinimum)
        ullValue = dwMinimum;
    return (DWORD)ullValue;
}

/* The first active speakers destination of the open mixer; FALSE when a line query fails
   or there is none. */
static BOOL FindSpeakersLine(HMIXER hMixer, MIXERLINEA *pml)
{
    MIXERCAPSA mxcaps = {};
    if (mixerGetDevCapsA((UINT_PTR)hMixer, &mxcaps, sizeof(mxcaps)) != MMSYSERR_NOERROR)
        return FALSE;
    for (DWORD dwDestination = 0; dwDestination < mxcaps.cDestinations; dwDestination++) {
        ZeroMemory(pml, sizeof(*pml));
        pml->cbStruct = sizeof(*pml);
        pml->dwDestination = dwDestination;
        if (mixerGetLineInfoA((HMIXEROBJ)hMixer, pml,
                              MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_DESTINATION) !=
            MMSYSERR_NOERROR)
            return FALSE;
        if ((pml->fdwLine & MIXERLINE_LINEF_ACTIVE) && !(pml->fdwLine & MIXERLINE_LINEF_SOURCE) &&
            pml->dwComponentType == MIXERLINE_COMPONENTTYPE_DST_SPEAKERS)
            return TRUE;
    }
    return FALSE;
}

/* The first enabled control of a type on a line. */
static BOOL FindControl(HMIXER hMixer, const MIXERLINEA *pml, DWORD dwControlType,
                        MIXERCONTROLA *pmc)
{
    if (pml->cControls == 0)
        return FALSE;
    MIXERCONTROLA *pmcAll = (MIXERCONTROLA *)LocalAlloc(LPTR, pml->cControls * sizeof(MIXERCONTROLA));
    if (pmcAll == NULL)
        return FALSE;
    MIXERLINECONTROLSA mlc = {};
    mlc.cbStruct = sizeof(mlc);
    mlc.dwLineID = pml->dwLineID;
    mlc.cControls = pml->cControls;
    mlc.cbmxctrl = sizeof(MIXERCONTROLA);
    mlc.pamxctrl = pmcAll;
    BOOL bFound = FALSE;
    if (mixerGetLineControlsA((HMIXEROBJ)hMixer, &mlc,
                              MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL) == MMSYSERR_NOERROR) {
        for (DWORD i = 0; i < pml->cControls && !bFound; i++) {
            if (pmcAll[i].dwControlType == dwControlType &&
                !(pmcAll[i].fdwControl & MIXERCONTROL_CONTROLF_DISABLED)) {
                *pmc = pmcAll[i];
                bFound = TRUE;
            }
        }
    }
    LocalFree(pmcAll);
    return bFound;
}

/* Reads (bSet FALSE) or writes the value of a control, the same for every channel. A
   volume is an unsigned value, a mute a boolean: both one 32-bit field. */
static BOOL ControlValue(HMIXER hMixer, DWORD dwControlID, LPDWORD lpdwValue, BOOL bSet)
{
    MIXERCONTROLDETAILS mcd = {};
    mcd.cbStruct = sizeof(mcd);
    mcd.dwControlID = dwControlID;
    mcd.cChannels = 1;
    mcd.cbDetails = sizeof(DWORD);
    mcd.paDetails = lpdwValue;
    DWORD fdwDetails = MIXER_OBJECTF_HMIXER |
                       (bSet ? MIXER_SETCONTROLDETAILSF_VALUE : MIXER_GETCONTROLDETAILSF_VALUE);
    MMRESULT mmr = bSet ? mixerSetControlDetails((HMIXEROBJ)hMixer, &mcd, fdwDetails)
                        : mixerGetControlDetailsA((HMIXEROBJ)hMixer, &mcd, fdwDetails);
    return mmr == MMSYSERR_NOERROR;
}

/* Steps the master volume or toggles the master mute (dwControlType says which). */
static void ChangeMasterControl(DWORD dwControlType, BOOL bUp)
{
    if (mixerGetNumDevs() == 0)
        return;
    HMIXER hMixer;
    if (mixerOpen(&hMixer, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
        return;
    MIXERLINEA ml;
    MIXERCONTROLA mc;
    DWORD dwValue;
    if (FindSpeakersLine(hMixer, &ml) && FindControl(hMixer, &ml, dwControlType, &mc) &&
        ControlValue(hMixer, mc.dwControlID, &dwValue, FALSE)) {
        if (dwControlType == MIXERCONTROL_CONTROLTYPE_MUTE)
            dwValue = dwValue == 0 ? 1 : 0;
        else
            dwValue = StepMixerVolume(dwValue, mc.Bounds.dwMinimum, mc.Bounds.dwMaximum,
                                      mc.Metrics.cSteps, bUp);
        ControlValue(hMixer, mc.dwControlID, &dwValue, TRUE);
    }
    mixerClose(hMixer);
}

void MixerVolume(BOOL bUp)
{
    ChangeMasterControl(MIXERCONTROL_CONTROLTYPE_VOLUME, bUp);
}

void MixerMute(void)
{
    ChangeMasterControl(MIXERCONTROL_CONTROLTYPE_MUTE, FALSE);
}
