/*
 * simmci.cpp - an installable MCI driver that simulates a media device for the tests:
 * built as simcd.drv, an audio CD player (tracks, TMSF positions), and, with SIMMCI_VIDEO,
 * as simvideo.drv, a video player (video capability, positions in frames).
 *
 * The driver runs inside the client process, so the test configures it through the
 * environment, read afresh at every command:
 *   SIMMCI_TRACKS  track lengths separated by commas: seconds (CD) or frames (video);
 *                  default twelve CD tracks, or one video track of 2500 frames
 *   SIMMCI_FAIL    steps to fail, separated by commas: open, shareable (a shareable open),
 *                  close, devcaps, set, mode, length, tracks, current, position,
 *                  tracklength (length of one track), play, stop, pause, resume, seek
 *   SIMMCI_ERROR   the MCI error a failing step returns (decimal; default MCIERR_HARDWARE)
 *   SIMMCI_LOG     file that receives one line per command (appended)
 *
 * Playback does not advance by itself: a playing device stays at the position it was
 * started from, so that every position the client sets can be checked exactly.
 */
#include <windows.h>
#include <mmsystem.h>
#include <mmddk.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* In libwinmm.a, but not declared by MinGW's mmddk.h. */
extern "C" {
DWORD_PTR WINAPI mciGetDriverData(MCIDEVICEID uDeviceID);
BOOL WINAPI mciSetDriverData(MCIDEVICEID uDeviceID, DWORD_PTR dwData);
}

#ifdef SIMMCI_VIDEO
static const BOOL bVideoDevice = TRUE;
static const UINT uiDeviceType = MCI_DEVTYPE_DIGITAL_VIDEO;
static const DWORD dwUnitsPerSecond = 25;           /* video frames */
static const char szDefaultTracks[] = "2500";
#else
static const BOOL bVideoDevice = FALSE;
static const UINT uiDeviceType = MCI_DEVTYPE_CD_AUDIO;
static const DWORD dwUnitsPerSecond = 75;           /* CD frames (sectors) */
static const char szDefaultTracks[] = "185,203,247,198,312,176,225,264,190,233,281,207";
#endif

#define MAX_TRACKS 99
/* Driver id of the session open: above every 16-bit MCI device id. */
#define SESSION_ID 0x10000

/* One open device. Positions are counted in units (CD sectors or video frames) from the
   start of the medium. */
struct tagSIMDEVICE {
    DWORD dwTracks;
    DWORD adwTrackStart[MAX_TRACKS + 1];    /* start of each track; [dwTracks] = the end */
    DWORD dwTimeFormat;
    DWORD dwMode;
    DWORD dwPosition;
};

/* ---- configuration and log ---------------------------------------------------------- */

static BOOL StepFails(const char *pszStep, DWORD *pdwError)
{
    char szFail[512];
    DWORD dwLength = GetEnvironmentVariableA("SIMMCI_FAIL", szFail, sizeof(szFail));
    if (dwLength == 0 || dwLength >= sizeof(szFail))
        return FALSE;
    size_t cchStep = strlen(pszStep);
    for (const char *p = szFail; *p;) {
        size_t cchItem = strcspn(p, ",");
        if (cchItem == cchStep && strncmp(p, pszStep, cchStep) == 0) {
            char szError[16];
            dwLength = GetEnvironmentVariableA("SIMMCI_ERROR", szError, sizeof(szError));
            *pdwError = (dwLength && dwLength < sizeof(szError)) ? strtoul(szError, NULL, 10)
                                                                 : MCIERR_HARDWARE;
            return TRUE;
        }
        p += cchItem;
        if (*p == ',')
            p++;
    }
    return FALSE;
}

static void Log(const char *pszFormat, ...)
{
    char szPath[MAX_PATH];
    DWORD dwLength = GetEnvironmentVariableA("SIMMCI_LOG", szPath, sizeof(szPath));
    if (dwLength == 0 || dwLength >= sizeof(szPath))
        return;
    char szLine[256];
    va_list args;
    va_start(args, pszFormat);
    int cch = vsnprintf(szLine, sizeof(szLine) - 1, pszFormat, args);
    va_end(args);
    if (cch < 0 || cch > (int)sizeof(szLine) - 2)
        cch = (int)sizeof(szLine) - 2;
    szLine[cch++] = '\n';
    HANDLE hFile = CreateFileA(szPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    DWORD dwWritten;
    WriteFile(hFile, szLine, (DWORD)cch, &dwWritten, NULL);
    CloseHandle(hFile);
}

/* Loads the medium: track lengths from SIMMCI_TRACKS (whole seconds for a CD, frames for
   video). */
static void LoadMedium(tagSIMDEVICE *psd)
{
    char szTracks[1024];
    DWORD dwLength = GetEnvironmentVariableA("SIMMCI_TRACKS", szTracks, sizeof(szTracks));
    if (dwLength == 0 || dwLength >= sizeof(szTracks))
        strcpy(szTracks, szDefaultTracks);
    DWORD dwUnitsPerLength = bVideoDevice ? 1 : dwUnitsPerSecond;
    psd->dwTracks = 0;
    psd->adwTrackStart[0] = 0;
    for (char *p = szTracks; *p && psd->dwTracks < MAX_TRACKS;) {
        DWORD dwTrackLength = strtoul(p, &p, 10);
        psd->adwTrackStart[psd->dwTracks + 1] = psd->adwTrackStart[psd->dwTracks] +
                                                dwTrackLength * dwUnitsPerLength;
        psd->dwTracks++;
        p += strspn(p, ", ");
    }
    psd->dwTimeFormat = bVideoDevice ? MCI_FORMAT_FRAMES : MCI_FORMAT_MSF;
    psd->dwMode = MCI_MODE_STOP;
    psd->dwPosition = 0;
}

/* ---- positions in the device's time formats ---------------------------------------------- */

static DWORD MediumLength(const tagSIMDEVICE *psd) { return psd->adwTrackStart[psd->dwTracks]; }

/* Track (1-based) holding a position; the end of the medium belongs to the last track. */
static DWORD TrackAt(const tagSIMDEVICE *psd, DWORD dwPosition)
{
    DWORD dwTrack = 1;
    while (dwTrack < psd->dwTracks && dwPosition >= psd->adwTrackStart[dwTrack])
        dwTrack++;
    return dwTrack;
}

static DWORD UnitsToMSF(DWORD dwUnits)
{
    DWORD dwSeconds = dwUnits / dwUnitsPerSecond;
    return MCI_MAKE_MSF(dwSeconds / 60, dwSeconds % 60, dwUnits % dwUnitsPerSecond);
}

/* A position or length in the current time format, with the MCI return flag that tells
   how it is packed. */
static DWORD FormatUnits(const tagSIMDEVICE *psd, DWORD dwUnits, BOOL bPosition,
                         DWORD *pdwReturnFlag)
{
    *pdwReturnFlag = 0;
    switch (psd->dwTimeFormat) {
    case MCI_FORMAT_MILLISECONDS:
        return (DWORD)((ULONGLONG)dwUnits * 1000 / dwUnitsPerSecond);
    case MCI_FORMAT_MSF:
        *pdwReturnFlag = MCI_COLONIZED3_RETURN;
        return UnitsToMSF(dwUnits);
    case MCI_FORMAT_TMSF:
        if (!bPosition) {   /* lengths have no track: they are given as MSF */
            *pdwReturnFlag = MCI_COLONIZED3_RETURN;
            return UnitsToMSF(dwUnits);
        } else {
            DWORD dwTrack = TrackAt(psd, dwUnits);
            DWORD dwMSF = UnitsToMSF(dwUnits - psd->adwTrackStart[dwTrack - 1]);
            *pdwReturnFlag = MCI_COLONIZED4_RETURN;
            return MCI_MAKE_TMSF(dwTrack, MCI_MSF_MINUTE(dwMSF), MCI_MSF_SECOND(dwMSF),
                                 MCI_MSF_FRAME(dwMSF));
        }
    default:    /* frames */
        return dwUnits;
    }
}

/* A position given in the current time format, as units; MCIERR_OUTOFRANGE beyond the
   medium. */
static DWORD ParsePosition(const tagSIMDEVICE *psd, DWORD dwValue, DWORD *pdwUnits)
{
    ULONGLONG ullUnits;
    switch (psd->dwTimeFormat) {
    case MCI_FORMAT_MILLISECONDS:
        ullUnits = (ULONGLONG)dwValue * dwUnitsPerSecond / 1000;
        break;
    case MCI_FORMAT_MSF:
        ullUnits = ((ULONGLONG)MCI_MSF_MINUTE(dwValue) * 60 + MCI_MSF_SECOND(dwValue)) *
                       dwUnitsPerSecond + MCI_MSF_FRAME(dwValue);
        break;
    case MCI_FORMAT_TMSF: {
        DWORD dwTrack = MCI_TMSF_TRACK(dwValue);
        if (dwTrack < 1 || dwTrack > psd->dwTracks)
            return MCIERR_OUTOFRANGE;
        ullUnits = psd->adwTrackStart[dwTrack - 1] +
                   ((ULONGLONG)MCI_TMSF_MINUTE(dwValue) * 60 + MCI_TMSF_SECOND(dwValue)) *
                       dwUnitsPerSecond + MCI_TMSF_FRAME(dwValue);
        break;
    }
    default:
        ullUnits = dwValue;
    }
    if (ullUnits > MediumLength(psd))
        return MCIERR_OUTOFRANGE;
    *pdwUnits = (DWORD)ullUnits;
    return 0;
}

static BOOL TimeFormatSupported(DWORD dwFormat)
{
    if (dwFormat == MCI_FORMAT_MILLISECONDS)
        return TRUE;
    return bVideoDevice ? dwFormat == MCI_FORMAT_FRAMES
                        : dwFormat == MCI_FORMAT_MSF || dwFormat == MCI_FORMAT_TMSF;
}

/* ---- commands --------------------------------------------------------------------------- */

static DWORD OnStatus(tagSIMDEVICE *psd, DWORD dwFlags, MCI_STATUS_PARMS *pParms)
{
    static const struct { DWORD dwItem; const char *pszName; const char *pszStep; } items[] = {
        {MCI_STATUS_MODE, "mode", "mode"},
        {MCI_STATUS_LENGTH, "length", "length"},
        {MCI_STATUS_NUMBER_OF_TRACKS, "tracks", "tracks"},
        {MCI_STATUS_CURRENT_TRACK, "current", "current"},
        {MCI_STATUS_POSITION, "position", "position"},
        {MCI_STATUS_TIME_FORMAT, "timeformat", "status"},
        {MCI_STATUS_READY, "ready", "status"},
        {MCI_STATUS_MEDIA_PRESENT, "present", "status"},
    };
    if (!pParms || !(dwFlags & MCI_STATUS_ITEM))
        return MCIERR_MISSING_PARAMETER;
    const char *pszName = "unknown", *pszStep = "status";
    for (const auto &item : items)
        if (item.dwItem == pParms->dwItem) {
            pszName = item.pszName;
            pszStep = item.pszStep;
        }
    BOOL bTrack = (dwFlags & MCI_TRACK) != 0;
    if (bTrack)
        Log("status %s track=%lu", pszName, (unsigned long)pParms->dwTrack);
    else
        Log("status %s", pszName);
    if (bTrack && pParms->dwItem == MCI_STATUS_LENGTH)
        pszStep = "tracklength";
    DWORD dwError;
    if (StepFails(pszStep, &dwError))
        return dwError;
    if (bTrack && (pParms->dwTrack < 1 || pParms->dwTrack > psd->dwTracks))
        return MCIERR_OUTOFRANGE;

    DWORD dwReturnFlag = 0;
    switch (pParms->dwItem) {
    case MCI_STATUS_MODE:
        pParms->dwReturn = MAKEMCIRESOURCE(psd->dwMode, psd->dwMode);
        return MCI_RESOURCE_RETURNED;
    case MCI_STATUS_LENGTH: {
        DWORD dwUnits = bTrack ? psd->adwTrackStart[pParms->dwTrack] -
                                     psd->adwTrackStart[pParms->dwTrack - 1]
                               : MediumLength(psd);
        pParms->dwReturn = FormatUnits(psd, dwUnits, FALSE, &dwReturnFlag);
        return dwReturnFlag;
    }
    case MCI_STATUS_NUMBER_OF_TRACKS:
        pParms->dwReturn = psd->dwTracks;
        return 0;
    case MCI_STATUS_CURRENT_TRACK:
        pParms->dwReturn = TrackAt(psd, psd->dwPosition);
        return 0;
    case MCI_STATUS_POSITION: {
        DWORD dwUnits = bTrack ? psd->adwTrackStart[pParms->dwTrack - 1] : psd->dwPosition;
        pParms->dwReturn = FormatUnits(psd, dwUnits, TRUE, &dwReturnFlag);
        return dwReturnFlag;
    }
    case MCI_STATUS_TIME_FORMAT:
        pParms->dwReturn = MAKEMCIRESOURCE(psd->dwTimeFormat,
                                           MCI_FORMAT_RETURN_BASE + psd->dwTimeFormat);
        return MCI_RESOURCE_RETURNED;
    case MCI_STATUS_READY:
    case MCI_STATUS_MEDIA_PRESENT:
        pParms->dwReturn = MAKEMCIRESOURCE(TRUE, MCI_TRUE);
        return MCI_RESOURCE_RETURNED;
    default:
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
}

static DWORD OnGetDevCaps(DWORD dwFlags, MCI_GETDEVCAPS_PARMS *pParms)
{
    if (!pParms || !(dwFlags & MCI_GETDEVCAPS_ITEM))
        return MCIERR_MISSING_PARAMETER;
    Log("getdevcaps %lu", (unsigned long)pParms->dwItem);
    DWORD dwError;
    if (StepFails("devcaps", &dwError))
        return dwError;
    BOOL bAnswer;
    switch (pParms->dwItem) {
    case MCI_GETDEVCAPS_DEVICE_TYPE:
        pParms->dwReturn = MAKEMCIRESOURCE(uiDeviceType, uiDeviceType);
        return MCI_RESOURCE_RETURNED;
    case MCI_GETDEVCAPS_HAS_VIDEO:
        bAnswer = bVideoDevice;
        break;
    case MCI_GETDEVCAPS_HAS_AUDIO:
    case MCI_GETDEVCAPS_CAN_PLAY:
        bAnswer = TRUE;
        break;
    case MCI_GETDEVCAPS_CAN_RECORD:
    case MCI_GETDEVCAPS_USES_FILES:
    case MCI_GETDEVCAPS_COMPOUND_DEVICE:
    case MCI_GETDEVCAPS_CAN_SAVE:
    case MCI_GETDEVCAPS_CAN_EJECT:
        bAnswer = FALSE;
        break;
    default:
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
    pParms->dwReturn = bAnswer ? MAKEMCIRESOURCE(TRUE, MCI_TRUE) : MAKEMCIRESOURCE(FALSE, MCI_FALSE);
    return MCI_RESOURCE_RETURNED;
}

static DWORD OnSet(tagSIMDEVICE *psd, DWORD dwFlags, MCI_SET_PARMS *pParms)
{
    if (!pParms || !(dwFlags & MCI_SET_TIME_FORMAT))
        return MCIERR_UNSUPPORTED_FUNCTION;
    Log("set timeformat %lu", (unsigned long)pParms->dwTimeFormat);
    DWORD dwError;
    if (StepFails("set", &dwError))
        return dwError;
    if (!TimeFormatSupported(pParms->dwTimeFormat))
        return MCIERR_BAD_TIME_FORMAT;
    psd->dwTimeFormat = pParms->dwTimeFormat;
    return 0;
}

static DWORD OnPlay(tagSIMDEVICE *psd, DWORD dwFlags, MCI_PLAY_PARMS *pParms)
{
    char szFrom[32] = "", szTo[32] = "";
    if ((dwFlags & (MCI_FROM | MCI_TO)) && !pParms)
        return MCIERR_MISSING_PARAMETER;
    if (dwFlags & MCI_FROM)
        sprintf(szFrom, " from=%lu", (unsigned long)pParms->dwFrom);
    if (dwFlags & MCI_TO)
        sprintf(szTo, " to=%lu", (unsigned long)pParms->dwTo);
    Log("play%s%s", szFrom, szTo);
    DWORD dwError, dwFrom = psd->dwPosition, dwTo;
    if (StepFails("play", &dwError))
        return dwError;
    if ((dwFlags & MCI_FROM) && (dwError = ParsePosition(psd, pParms->dwFrom, &dwFrom)) != 0)
        return dwError;
    if ((dwFlags & MCI_TO) && (dwError = ParsePosition(psd, pParms->dwTo, &dwTo)) != 0)
        return dwError;
    psd->dwPosition = dwFrom;
    psd->dwMode = MCI_MODE_PLAY;
    return 0;
}

static DWORD OnSeek(tagSIMDEVICE *psd, DWORD dwFlags, MCI_SEEK_PARMS *pParms)
{
    DWORD dwError, dwUnits;
    if (dwFlags & MCI_TO) {
        if (!pParms)
            return MCIERR_MISSING_PARAMETER;
        Log("seek to=%lu", (unsigned long)pParms->dwTo);
        if (StepFails("seek", &dwError))
            return dwError;
        if ((dwError = ParsePosition(psd, pParms->dwTo, &dwUnits)) != 0)
            return dwError;
    } else if (dwFlags & (MCI_SEEK_TO_START | MCI_SEEK_TO_END)) {
        BOOL bStart = (dwFlags & MCI_SEEK_TO_START) != 0;
        Log(bStart ? "seek start" : "seek end");
        if (StepFails("seek", &dwError))
            return dwError;
        dwUnits = bStart ? 0 : MediumLength(psd);
    } else {
        return MCIERR_MISSING_PARAMETER;
    }
    psd->dwPosition = dwUnits;
    psd->dwMode = MCI_MODE_STOP;
    return 0;
}

/* Stop, pause and resume: a mode change, allowed from the listed modes only (others keep
   the mode as it is). */
static DWORD OnModeChange(tagSIMDEVICE *psd, const char *pszStep, DWORD dwFromMode,
                          DWORD dwToMode)
{
    Log("%s", pszStep);
    DWORD dwError;
    if (StepFails(pszStep, &dwError))
        return dwError;
    if (dwFromMode == 0 || psd->dwMode == dwFromMode)
        psd->dwMode = dwToMode;
    return 0;
}

static DWORD OnOpenDriver(DWORD dwFlags)
{
    BOOL bShareable = (dwFlags & MCI_OPEN_SHAREABLE) != 0;
    Log(bShareable ? "open shareable" : "open");
    DWORD dwError;
    if (StepFails("open", &dwError) || (bShareable && StepFails("shareable", &dwError)))
        return dwError;
    return 0;
}

static LRESULT OnDriverOpen(MCI_OPEN_DRIVER_PARMS *pParms)
{
    if (!pParms)            /* the session open before the device open */
        return SESSION_ID;
    tagSIMDEVICE *psd = (tagSIMDEVICE *)LocalAlloc(LPTR, sizeof(tagSIMDEVICE));
    if (!psd)
        return 0;
    LoadMedium(psd);
    pParms->wType = uiDeviceType;
    pParms->wCustomCommandTable = MCI_NO_COMMAND_TABLE;
    mciSetDriverData(pParms->wDeviceID, (DWORD_PTR)psd);
    return pParms->wDeviceID;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK DriverProc(DWORD_PTR dwDevID, HDRVR hDriver,
                                                              UINT uiMessage, LPARAM lParam1,
                                                              LPARAM lParam2)
{
    switch (uiMessage) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
        return 1;
    case DRV_QUERYCONFIGURE:
        return 0;
    case DRV_OPEN:
        return OnDriverOpen((MCI_OPEN_DRIVER_PARMS *)lParam2);
    case DRV_CLOSE:
        if (dwDevID != SESSION_ID) {
            LocalFree((HLOCAL)mciGetDriverData((MCIDEVICEID)dwDevID));
            mciSetDriverData((MCIDEVICEID)dwDevID, 0);
        }
        return 1;
    }
    if (uiMessage < DRV_MCI_FIRST || uiMessage > DRV_MCI_LAST)
        return DefDriverProc(dwDevID, hDriver, uiMessage, lParam1, lParam2);

    tagSIMDEVICE *psd = (tagSIMDEVICE *)mciGetDriverData((MCIDEVICEID)dwDevID);
    if (!psd)
        return MCIERR_INVALID_DEVICE_ID;
    DWORD dwFlags = (DWORD)lParam1;
    switch (uiMessage) {
    case MCI_OPEN_DRIVER:
        return OnOpenDriver(dwFlags);
    case MCI_CLOSE_DRIVER:    /* what the system sends for a client's MCI_CLOSE */
    case MCI_CLOSE:
        return OnModeChange(psd, "close", 0, MCI_MODE_STOP);
    case MCI_STATUS:
        return OnStatus(psd, dwFlags, (MCI_STATUS_PARMS *)lParam2);
    case MCI_GETDEVCAPS:
        return OnGetDevCaps(dwFlags, (MCI_GETDEVCAPS_PARMS *)lParam2);
    case MCI_SET:
        return OnSet(psd, dwFlags, (MCI_SET_PARMS *)lParam2);
    case MCI_PLAY:
        return OnPlay(psd, dwFlags, (MCI_PLAY_PARMS *)lParam2);
    case MCI_SEEK:
        return OnSeek(psd, dwFlags, (MCI_SEEK_PARMS *)lParam2);
    case MCI_STOP:
        return OnModeChange(psd, "stop", 0, MCI_MODE_STOP);
    case MCI_PAUSE:
        return OnModeChange(psd, "pause", MCI_MODE_PLAY, MCI_MODE_PAUSE);
    case MCI_RESUME:
        return OnModeChange(psd, "resume", MCI_MODE_PAUSE, MCI_MODE_PLAY);
    default:
        Log("command %u", uiMessage);
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
}
