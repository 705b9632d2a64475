/*
 * sources.cpp - the LIRC client and the USB remote's keys in the tray program: their
 * settings and map, the road of their presses, the tip's note and the applet's watching
 * and learning. A press of a mapped button reaches the tray window as WM_SOURCE_CODE with
 * its raw code, which it handles as the receiver's WM_USER (the LIRC client's are sent at
 * once, the keyboard hook's posted from its thread); ID_SOURCE_STATE is posted when the icon
 * or its tip should change.
 */
#include <windows.h>
#include <string.h>
#include "Tellumo.h"
#include "TellumoRes.h"
#include "lirc.h"
#include "presslog.h"
#include "receiversettings.h"
#include "sources.h"
#include "tray.h"
#include "usbkeys.h"

static_assert(LEARNED_NAME_SIZE == MAP_NAME_SIZE, "a learnt press carries a map entry's name");

#define NOTE_SIZE           64
#define WATCHER_TIMEOUT_MS  1000
#define SOURCES_OF_THE_ICON (SOURCE_LIRC_ON | SOURCE_LIRC_CONNECTED | SOURCE_KEYS_ON | SOURCE_LIRC_UNREACHED)

/* The sources; all zero while the program is not running. */
static struct tagSOURCES {
    HINSTANCE hInst;
    tagRECEIVERSETTINGS rsSettings;
    tagRECEIVERMAP rmMap;
    HWND hWatcher;                      /* the applet's Receiver page, or null */
    BOOL bLearn;                        /* the next press goes to the watcher */
    char szLearnt[MAP_NAME_SIZE];       /* the LIRC press learnt last: its repeats run nothing */
    UINT uiReported;                    /* the SOURCE_x flags last reported */
} Sources;

static UINT SourceFlags(void)
{
    return (Sources.rsSettings.bLirc ? SOURCE_LIRC_ON : 0) | (LircConnected() ? SOURCE_LIRC_CONNECTED : 0)
           | (LircUnreached() ? SOURCE_LIRC_UNREACHED : 0) | (Sources.rsSettings.bKeys ? SOURCE_KEYS_ON : 0)
           | (Sources.bLearn ? SOURCE_LEARNING : 0);
}

/* Tells the watcher how the sources stand, and the tray window when its icon or tip is to
   change. */
static void ReportSources(HWND hWnd)
{
    UINT uiFlags = SourceFlags();
    if (Sources.hWatcher != NULL && !PostMessageA(Sources.hWatcher, SOURCE_STATE_MESSAGE, uiFlags, 0))
        Sources.hWatcher = NULL;
    if ((uiFlags ^ Sources.uiReported) & SOURCES_OF_THE_ICON)
        PostMessageA(hWnd, WM_COMMAND, ID_SOURCE_STATE, 0);
    Sources.uiReported = uiFlags;
}

/* The hook runs while the keys are taken or a key may be learnt. */
static void ApplyKeyHook(HWND hWnd)
{
    if (!Sources.rsSettings.bKeys && !Sources.bLearn) {
        StopKeyHook();
        return;
    }
    short asRaw[KEY_COUNT];
    ReceiverKeyTable(&Sources.rmMap, asRaw);
    StartKeyHook(hWnd, Sources.rsSettings.bKeys ? asRaw : NULL, Sources.bLearn);
}

void ReadSourceSettings(HWND hWnd)
{
    tagRECEIVERSETTINGS rsBefore = Sources.rsSettings;
    ReadReceiverSettings(&Sources.rsSettings);
    ReadReceiverMap(&Sources.rmMap);
    if (!Sources.rsSettings.bLirc)
        DisconnectLirc(hWnd);
    else if (!rsBefore.bLirc || strcmp(rsBefore.szServer, Sources.rsSettings.szServer) != 0)
        ConnectLirc(hWnd, Sources.rsSettings.szServer);
    ApplyKeyHook(hWnd);
    ReportSources(hWnd);
}

void StartSources(HWND hWnd, HINSTANCE hInst)
{
    Sources.hInst = hInst;
    ReadSourceSettings(hWnd);
}

void StopSources(HWND hWnd)
{
    DisconnectLirc(hWnd);
    StopKeyHook();
    Sources = {};
}

BOOL SourcesOn(void)
{
    return Sources.rsSettings.bLirc || Sources.rsSettings.bKeys;
}

void AppendSourceNote(char *pszTip, size_t cchTip)
{
    char szNote[NOTE_SIZE];
    if (!LircUnreached() || LoadStringA(Sources.hInst, IDS_LIRC_UNREACHED, szNote, sizeof(szNote)) == 0)
        return;
    size_t cchUsed = strlen(pszTip);
    if (cchUsed + 1 < cchTip)
        lstrcpynA(pszTip + cchUsed, szNote, (int)(cchTip - cchUsed));
}

void WatchSources(HWND hWnd, HWND hWatcher, BOOL bLearn)
{
    Sources.hWatcher = hWatcher != NULL && IsWindow(hWatcher) ? hWatcher : NULL;
    Sources.bLearn = bLearn && Sources.hWatcher != NULL;
    ApplyKeyHook(hWnd);
    ReportSources(hWnd);
}

/* What arrived while learning goes to the watcher, and learning ends. A watcher that does
   not answer soon is given up. */
static void Learnt(HWND hWnd, const char *pszName)
{
    tagLEARNEDPRESS lpPress = {};
    lstrcpynA(lpPress.szName, pszName, sizeof(lpPress.szName));
    COPYDATASTRUCT cds = { LEARNED_PRESS_DATA, sizeof(lpPress), &lpPress };
    DWORD_PTR dwResult;
    if (Sources.hWatcher != NULL
        && !SendMessageTimeoutA(Sources.hWatcher, WM_COPYDATA, (WPARAM)hWnd, (LPARAM)&cds, SMTO_ABORTIFHUNG,
                                WATCHER_TIMEOUT_MS, &dwResult))
        Sources.hWatcher = NULL;
    Sources.bLearn = FALSE;
    ApplyKeyHook(hWnd);
    ReportSources(hWnd);
}

/* A press of a mapped button, for the receiver's road. */
struct tagSOURCEPRESS {
    BYTE bRaw;
    BYTE bNewPress;     /* a repeat count of 0 */
};

/* The press log's word for why a line was skipped. */
static int SkipReason(int iKind)
{
    switch (iKind) {
    case LIRC_TOO_LONG: return PLW_TOO_LONG;
    case LIRC_BINARY: return PLW_BINARY;
    case LIRC_MALFORMED: return PLW_NOT_A_PRESS;
    }
    return PLW_NOT_MAPPED;
}

/* A line from the server: TRUE when it is a press of a mapped button, in *psp. Other lines
   are logged, or while learning sent to the watcher. */
static BOOL TakeLircPress(HWND hWnd, const tagLIRCLINE *pll, tagSOURCEPRESS *psp)
{
    tagLIRCPRESS lp;
    char szName[MAP_NAME_SIZE];
    int iKind = ParseLircLine(pll, &lp);
    if (iKind == LIRC_EMPTY)
        return FALSE;
    if (iKind != LIRC_PRESS || !ComposeLircMapName(lp.szButton, lp.szRemote, szName, sizeof(szName))) {
        LogSkippedInput(SkipReason(iKind), pll->achText, pll->cchText);
        return FALSE;
    }
    if (lp.uiRepeat == 0)
        Sources.szLearnt[0] = '\0';
    else if (strcmp(szName, Sources.szLearnt) == 0)
        return FALSE;
    if (Sources.bLearn) {
        lstrcpynA(Sources.szLearnt, szName, sizeof(Sources.szLearnt));
        Learnt(hWnd, szName);
        return FALSE;
    }
    int iRaw = LookUpLircButton(&Sources.rmMap, lp.szButton, lp.szRemote);
    if (iRaw < 0) {
        LogSkippedInput(PLW_NOT_MAPPED, pll->achText, pll->cchText);
        return FALSE;
    }
    psp->bRaw = (BYTE)iRaw;
    psp->bNewPress = lp.uiRepeat == 0;
    return TRUE;
}

static void OnLearntKey(HWND hWnd, WPARAM wKey)
{
    char szName[MAP_NAME_SIZE];
    if (Sources.bLearn && ComposeKeyMapName((unsigned)wKey, szName, sizeof(szName)))
        Learnt(hWnd, szName);
}

BOOL OnSourceMessage(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
    case WM_LIRC_SOCKET: {
        BOOL bChanged = OnLircSocket(hWnd, wParam, lParam);
        /* Every line read is taken before a press runs: a command that opens a dialog lets
           the next read in meanwhile. Sent, not posted: the press runs now. */
        tagSOURCEPRESS aspPresses[LIRC_RECEIVE_SIZE / LIRC_SHORTEST_PRESS + 1];
        int cPresses = 0;
        tagLIRCLINE ll;
        while (TakeLircLine(&ll))
            if (cPresses < (int)ARRAYSIZE(aspPresses) && TakeLircPress(hWnd, &ll, &aspPresses[cPresses]))
                cPresses++;
        if (bChanged)
            ReportSources(hWnd);
        for (int i = 0; i < cPresses; i++)
            SendMessageA(hWnd, WM_SOURCE_CODE, aspPresses[i].bRaw, aspPresses[i].bNewPress);
        return TRUE;
    }
    case WM_LIRC_RESOLVED:
        if (OnLircResolved(hWnd, wParam, lParam))
            ReportSources(hWnd);
        return TRUE;
    case WM_LEARNT_KEY:
        OnLearntKey(hWnd, wParam);
        return TRUE;
    }
    return FALSE;
}

BOOL OnSourceTimer(HWND hWnd, UINT id)
{
    if (id != TIMER_LIRC_RETRY)
        return FALSE;
    if (OnLircRetry(hWnd))
        ReportSources(hWnd);
    return TRUE;
}
