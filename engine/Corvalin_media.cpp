/*
 * Corvalin_media.cpp - the media keywords and the auxiliary volume steps.
 *
 * One MCI device is open at a time, opened by the type the command names and kept open
 * between commands, so that pause, skip and stop act on the running medium. A command for
 * another type stops and closes it first. Audio media are driven in track format (TMSF),
 * video media in frames; a single-track video medium is skipped through in tenths of its
 * length. Every MCI failure is shown in a box with the system's error text and a caption
 * that names the failing step.
 */
#include <windows.h>
#include <mmsystem.h>
#include <string.h>
#include "Corvalin_media.h"

/* Captions of the error boxes, one per failing step. */
static const char szDeviceStatus[]  = "Warning: Device Status";
static const char szStop[]          = "Warning: Stop";
static const char szDeviceClose[]   = "Warning: Device Close";
static const char szDeviceOpen[]    = "Warning: Device Open";
static const char szCapabilities[]  = "Warning: Device Capabilities";
static const char szTimeFormat[]    = "Warning: Time Format";
static const char szPlay[]          = "Warning: Play";
static const char szPause[]         = "Warning: Pause";
static const char szResume[]        = "Warning: Resume";
static const char szTrackLength[]   = "Warning: Track Length";
static const char szSeek[]          = "Warning: Seek";

/* What is asked of a device before every action, in this order. */
enum { STATUS_MODE, STATUS_LENGTH, STATUS_TRACKS, STATUS_CURRENT, STATUS_COUNT };
static const struct {
    DWORD dwItem;
    const char *pszCaption;
} statusQueries[STATUS_COUNT] = {
    {MCI_STATUS_MODE, "Warning: Status Mode"},
    {MCI_STATUS_LENGTH, "Warning: Status Length"},
    {MCI_STATUS_NUMBER_OF_TRACKS, "Warning: Number of Tracks"},
    {MCI_STATUS_CURRENT_TRACK, "Warning: Current Track"},
};

/* ---- MCI commands with their error boxes ------------------------------------------------ */

static void ReportMCIError(MCIERROR dwError, LPCSTR lpszCaption)
{
    char szText[MEDIA_ERROR_TEXT] = "";
    mciGetErrorStringA(dwError, szText, sizeof(szText));
    MessageBoxA(GetActiveWindow(), szText, lpszCaption, MB_ICONERROR);
}

/* Sends one command; a failure is shown under lpszCaption. TRUE on success. */
static BOOL SendMCICommand(MCIDEVICEID mciID, UINT uiMessage, DWORD dwFlags, LPVOID lpParms,
                           LPCSTR lpszCaption)
{
    MCIERROR dwError = mciSendCommandA(mciID, uiMessage, dwFlags, (DWORD_PTR)lpParms);
    if (dwError != 0) {
        ReportMCIError(dwError, lpszCaption);
        return FALSE;
    }
    return TRUE;
}

/* One status item, of the whole medium (dwTrack 0) or of one track. */
static BOOL QueryStatus(MCIDEVICEID mciID, DWORD dwItem, DWORD dwTrack, LPDWORD lpdwValue,
                        LPCSTR lpszCaption)
{
    MCI_STATUS_PARMS msp = {};
    msp.dwItem = dwItem;
    msp.dwTrack = dwTrack;
    DWORD dwFlags = MCI_STATUS_ITEM | MCI_WAIT | (dwTrack != 0 ? MCI_TRACK : 0);
    if (!SendMCICommand(mciID, MCI_STATUS, dwFlags, &msp, lpszCaption))
        return FALSE;
    *lpdwValue = (DWORD)msp.dwReturn;
    return TRUE;
}

/* Opens a device by type, shareable if the device allows it; 0 after an error box. */
static MCIDEVICEID OpenMCIDevice(LPCSTR lpszDeviceType)
{
    MCI_OPEN_PARMSA mop = {};
    mop.lpstrDeviceType = lpszDeviceType;
    MCIERROR dwError = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_SHAREABLE | MCI_WAIT,
                                       (DWORD_PTR)&mop);
    if (dwError != 0)
        dwError = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_WAIT, (DWORD_PTR)&mop);
    if (dwError != 0) {
        ReportMCIError(dwError, szDeviceOpen);
        return 0;
    }
    return mop.wDeviceID;
}

/* Video devices are driven in frames, all others by track; FALSE when the device could
   not tell whether it shows video. */
static BOOL SetTimeFormat(MCIDEVICEID mciID, BOOL *pbVideo)
{
    MCI_GETDEVCAPS_PARMS mgp = {};
    mgp.dwItem = MCI_GETDEVCAPS_HAS_VIDEO;
    if (!SendMCICommand(mciID, MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, &mgp,
                        szCapabilities))
        return FALSE;
    *pbVideo = mgp.dwReturn != 0;
    MCI_SET_PARMS msp = {};
    msp.dwTimeFormat = *pbVideo ? MCI_FORMAT_FRAMES : MCI_FORMAT_TMSF;
    SendMCICommand(mciID, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &msp, szTimeFormat);
    return TRUE;
}

static void ForgetDevice(MCIDEVICEID *pmciID, LPSTR *ppszDeviceType)
{
    *pmciID = 0;
    if (*ppszDeviceType != NULL) {
        LocalFree(*ppszDeviceType);
        *ppszDeviceType = NULL;
    }
}

/* ---- The media keywords ----------------------------------------------------------------- */

int ChangeMCITrack(MCIDEVICEID mciID, DWORD dwNewTrack, DWORD dwTracks, DWORD dwSize, BOOL bVideo)
{
    DWORD dwTrack = LimitTrack(dwNewTrack, dwTracks, bVideo);
    MCI_PLAY_PARMS mpp = {};
    if (!bVideo) {
        mpp.dwFrom = MCI_MAKE_TMSF(dwTrack, 0, 0, 0);
        return SendMCICommand(mciID, MCI_PLAY, MCI_FROM, &mpp, szPlay);
    }

    DWORD dwPosition = 0;
    if (dwTracks == 1) {
        dwPosition = TenthPosition(dwSize, dwTrack);
    } else {
        for (DWORD dwBefore = 1; dwBefore < dwTrack; dwBefore++) {
            DWORD dwLength;
            if (!QueryStatus(mciID, MCI_STATUS_LENGTH, dwBefore, &dwLength, szTrackLength))
                return 0;
            dwPosition += dwLength;
        }
    }
    MCI_SEEK_PARMS msp = {};
    msp.dwTo = dwPosition;
    if (!SendMCICommand(mciID, MCI_SEEK, MCI_TO | MCI_WAIT, &msp, szSeek))
        return 0;
    return SendMCICommand(mciID, MCI_PLAY, 0, &mpp, szPlay);
}

int ControlMCIDevice(LPCSTR lpszDeviceType, BYTE bAction, BYTE bTrack)
{
    static MCIDEVICEID mciID = 0;
    static LPSTR pszDeviceType = NULL;
    static BOOL bVideo = FALSE;
    static DWORD dwPseudoTrack = 1;

    MCI_GENERIC_PARMS mgp = {};
    MCI_PLAY_PARMS mpp = {};
    if (lpszDeviceType == NULL)
        lpszDeviceType = "";

    /* Another type was asked for: the open device makes way. */
    if (mciID != 0) {
        DWORD dwMode;
        if (!QueryStatus(mciID, MCI_STATUS_MODE, 0, &dwMode, szDeviceStatus))
            return 0;
        if (pszDeviceType == NULL || *pszDeviceType == '\0' ||
            strcmp(pszDeviceType, lpszDeviceType) != 0) {
            if (dwMode != MCI_MODE_STOP)
                SendMCICommand(mciID, MCI_STOP, MCI_WAIT, &mgp, szStop);
            SendMCICommand(mciID, MCI_CLOSE, MCI_WAIT, &mgp, szDeviceClose);
            ForgetDevice(&mciID, &pszDeviceType);
        }
    }

    if (mciID == 0) {
        if (bAction == MEDIA_STOP)
            return 1;
        mciID = OpenMCIDevice(lpszDeviceType);
        if (mciID == 0)
            return 0;
        dwPseudoTrack = 1;
        pszDeviceType = (LPSTR)LocalAlloc(LPTR, strlen(lpszDeviceType) + 1);
        if (pszDeviceType != NULL)
            strcpy(pszDeviceType, lpszDeviceType);
        bVideo = FALSE;
        SetTimeFormat(mciID, &bVideo);
    }

    DWORD adwStatus[STATUS_COUNT];
    for (int i = 0; i < STATUS_COUNT; i++)
        if (!QueryStatus(mciID, statusQueries[i].dwItem, 0, &adwStatus[i],
                         statusQueries[i].pszCaption))
            return 0;
    DWORD dwMode = adwStatus[STATUS_MODE];
    DWORD dwTracks = adwStatus[STATUS_TRACKS];
    /* Where a skip starts: the current track, or the tenth of a single-track medium. */
    DWORD dwCurrent = dwTracks == 1 ? dwPseudoTrack : adwStatus[STATUS_CURRENT];
    BOOL bCanSkip = dwMode == MCI_MODE_PLAY || dwMode == MCI_MODE_STOP;

    switch (bAction) {
    case MEDIA_PLAY:
        if (dwMode != MCI_MODE_PLAY && !SendMCICommand(mciID, MCI_PLAY, 0, &mpp, szPlay))
            return 0;
        break;
    case MEDIA_STOP:
        if (dwMode != MCI_MODE_STOP && !SendMCICommand(mciID, MCI_STOP, MCI_WAIT, &mgp, szStop))
            return 0;
        if (!SendMCICommand(mciID, MCI_CLOSE, MCI_WAIT, &mgp, szDeviceClose))
            return 0;
        ForgetDevice(&mciID, &pszDeviceType);
        dwPseudoTrack = 1;
        break;
    case MEDIA_TRACK:
        if (bCanSkip) {
            if (!ChangeMCITrack(mciID, bTrack, dwTracks, adwStatus[STATUS_LENGTH], bVideo))
                return 0;
            dwPseudoTrack = bTrack < MEDIA_TENTHS ? (bTrack > 0 ? bTrack : 1) : MEDIA_TENTHS;
        }
        break;
    case MEDIA_PAUSE:
        if (dwMode == MCI_MODE_PLAY)
            return SendMCICommand(mciID, MCI_PAUSE, MCI_WAIT, &mgp, szPause);
        if (dwMode == MCI_MODE_PAUSE)
            return SendMCICommand(mciID, MCI_RESUME, 0, &mgp, szResume);
        if (dwMode == MCI_MODE_STOP)
            return SendMCICommand(mciID, MCI_PLAY, 0, &mpp, szPlay);
        break;
    case MEDIA_BACKWARD:
        if (bCanSkip) {
            if (!ChangeMCITrack(mciID, dwCurrent > 1 ? dwCurrent - 1 : 1, dwTracks,
                                adwStatus[STATUS_LENGTH], bVideo))
                return 0;
            if (dwPseudoTrack > 1)
                dwPseudoTrack--;
        }
        break;
    case MEDIA_FORWARD:
        if (bCanSkip) {
            if (!ChangeMCITrack(mciID, dwCurrent + 1, dwTracks, adwStatus[STATUS_LENGTH], bVideo))
                return 0;
            if (dwPseudoTrack < MEDIA_TENTHS)
                dwPseudoTrack++;
        }
        break;
    }
    return 1;
}

int SendMCIControl(LPCSTR lpszDeviceType, BYTE bAction, BYTE bTrack)
{
    /* A warning box runs a message loop in which the next press is handled: a media
       command from it would change the device under the one that waits on the box. */
    static BOOL bMediaBusy;
    if (bMediaBusy)
        return 0;
    bMediaBusy = TRUE;
    HCURSOR hPrevious = SetCursor(LoadCursor(NULL, IDC_WAIT));
    int iResult = ControlMCIDevice(lpszDeviceType, bAction, bTrack);
    SetCursor(hPrevious);
    bMediaBusy = FALSE;
    return iResult;
}

void SendMCITrack(LPCSTR lpszArgument)
{
    char szDevice[MEDIA_DEVICE_BUFFER];
    BYTE bTrack = ReadTrackArgument(lpszArgument, szDevice);
    if (bTrack != 0)
        SendMCIControl(szDevice, MEDIA_TRACK, bTrack);
}

/* ---- Auxiliary volume ----------------------------------------------------------------- */

void ChangeAuxVolume(BOOL bUp)
{
    DWORD dwVolume;
    if (auxGetVolume(0, &dwVolume) == MMSYSERR_NOERROR)
        auxSetVolume(0, StepAuxVolume(dwVolume, bUp));
}
