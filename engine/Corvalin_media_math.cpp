/*
 * Corvalin_media_math.cpp - the media keywords' arithmetic: MCITRACK's argument split into
 * device and track, the tracks a skip can reach, a tenth of a medium and an auxiliary
 * volume step. No device is touched, so all of it can be tested and fuzzed on its own.
 */
#include <windows.h>
#include <ctype.h>
#include <string.h>
#include "Corvalin_media.h"

BYTE GetTrack(LPSTR lpszBuffer)
{
    LPSTR lpszSeparator = strchr(lpszBuffer, EXTRA_SEPARATOR);
    if (lpszSeparator == NULL)
        return 0;
    *lpszSeparator = '\0';
    /* The number as it is typed: within its first characters, leading blanks and a plus
       sign come before the digits. A minus sign leaves no track. */
    LPCSTR lpszField = lpszSeparator + 1;
    size_t cchField = strnlen(lpszField, MEDIA_TRACK_DIGITS);
    size_t i = 0;
    while (i < cchField && isspace((unsigned char)lpszField[i]))
        i++;
    if (i < cchField && lpszField[i] == '+')
        i++;
    UINT uiTrack = 0;
    for (; i < cchField && isdigit((unsigned char)lpszField[i]); i++)
        uiTrack = uiTrack * 10 + (UINT)(lpszField[i] - '0');
    return (BYTE)(uiTrack > 255 ? 255 : uiTrack);
}

BYTE ReadTrackArgument(LPCSTR lpszArgument, LPSTR lpszDevice)
{
    lstrcpynA(lpszDevice, lpszArgument != NULL ? lpszArgument : "", MEDIA_DEVICE_BUFFER);
    return GetTrack(lpszDevice);
}

DWORD LimitTrack(DWORD dwTrack, DWORD dwTracks, BOOL bVideo)
{
    DWORD dwLast = (dwTracks == 1 && bVideo) ? MEDIA_TENTHS : dwTracks;
    if (dwLast == 0)
        dwLast = 1;
    if (dwTrack < 1)
        return 1;
    return dwTrack > dwLast ? dwLast : dwTrack;
}

DWORD TenthPosition(DWORD dwSize, DWORD dwTenth)
{
    if (dwTenth < 1)
        dwTenth = 1;
    return (DWORD)((ULONGLONG)dwSize * (dwTenth - 1) / MEDIA_TENTHS);
}

DWORD StepAuxVolume(DWORD dwVolume, BOOL bUp)
{
    DWORD dwResult = 0;
    for (int iShift = 0; iShift < 32; iShift += 16) {
        LONG lChannel = (LONG)((dwVolume >> iShift) & 0xFFFF);
        lChannel += bUp ? AUX_VOLUME_STEP : -AUX_VOLUME_STEP;
        if (lChannel < 0)
            lChannel = 0;
        if (lChannel > 0xFFFF)
            lChannel = 0xFFFF;
        dwResult |= (DWORD)lChannel << iShift;
    }
    return dwResult;
}
