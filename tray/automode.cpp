/*
 * automode.cpp - the tray program follows the program in front. Two out-of-context event
 * hooks tell it when another program's window comes to the front, and each press looks
 * once more before it runs: no library goes into other programs and nothing polls, so an
 * idle tray program stays idle. The pairs and the switch are read from the registry
 * whenever another window is in front or the store has changed, so that what the
 * configuration stores counts at once, as for a button's command.
 */
#include <windows.h>
#include "autopairs_store.h"
#include "automode.h"

/* Following the front; all zero while it is not followed. */
static struct tagAUTOMODE {
    HWND hWnd;                      /* the tray window */
    HWINEVENTHOOK hForegroundHook;
    HWINEVENTHOOK hFocusHook;
    tagFRONT fFront;
    HKEY hStoreKey;                 /* the configuration's root, watched for changes */
    HANDLE hStoreChanged;           /* set when anything below it changed */
    HWND hLookedAt;                 /* the window in front at the last look */
} AutoMode;

/* Asks to be told of the next change below the configuration's root; when that cannot be
   asked, every look reads the store. */
static void ArmStoreWatch(void)
{
    if (RegNotifyChangeKeyValue(AutoMode.hStoreKey, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                AutoMode.hStoreChanged, TRUE) != ERROR_SUCCESS) {
        CloseHandle(AutoMode.hStoreChanged);
        AutoMode.hStoreChanged = NULL;
    }
}

/* Watches the configuration's root, so that a press in the window of the last look costs
   no reading of the pairs; the event starts set, so the first look reads them. */
static void WatchStore(void)
{
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ORVANE_ROOT_KEY, 0, KEY_NOTIFY, &AutoMode.hStoreKey) != ERROR_SUCCESS)
        return;
    AutoMode.hStoreChanged = CreateEventA(NULL, FALSE, TRUE, NULL);
    if (AutoMode.hStoreChanged != NULL)
        ArmStoreWatch();
}

/* Whether the pairs, the switch or the modes' names may have changed since the last call
   (TRUE too when that cannot be watched); the watch goes on. */
static BOOL StoreChanged(void)
{
    if (AutoMode.hStoreChanged == NULL)
        return TRUE;
    if (WaitForSingleObject(AutoMode.hStoreChanged, 0) != WAIT_OBJECT_0)
        return FALSE;
    ArmStoreWatch();
    return TRUE;
}

int LookAtFront(BYTE bEngineMode, const char **ppszProgram, int *pbByHand)
{
    HWND hFront = GetForegroundWindow();
    /* The same window with the same pairs asks for what it asked at the last look, which
       changes nothing (a mode chosen by hand holds while it stays in front). */
    if (hFront == AutoMode.hLookedAt && !StoreChanged())
        return -1;
    AutoMode.hLookedAt = hFront;
    DWORD dwProcess = 0;
    if (hFront == NULL || GetWindowThreadProcessId(hFront, &dwProcess) == 0)
        return -1;
    /* The tray program's own windows (its menu, the press log, the configuration) are
       where the user tends the remote, not a program to follow. */
    if (dwProcess == GetCurrentProcessId())
        return -1;
    char szProgram[AUTOMODE_PROGRAM_SIZE];
    WindowProgram(hFront, szProgram, sizeof(szProgram));   /* "" when it cannot be learnt */

    int bEnabled = AutoModesEnabled();
    int iPairMode = -1;
    if (bEnabled) {
        AUTOMODENAMES anModes;
        tagAUTOMODEPAIR apPairs[AUTOMODE_MAX_PAIRS];
        ReadModeNames(anModes);
        int iPair = MatchAutoModePair(apPairs, ReadAutoModePairs(apPairs, AUTOMODE_MAX_PAIRS, anModes), szProgram);
        if (iPair >= 0)
            iPairMode = apPairs[iPair].iMode;
    }
    int iMode = NextAutoMode(&AutoMode.fFront, szProgram, iPairMode, bEngineMode, bEnabled);
    *ppszProgram = ProgramFileName(AutoMode.fFront.szProgram);      /* as the record keeps it */
    *pbByHand = iPairMode < 0;
    return iMode;
}

static void CALLBACK OnFrontEvent(HWINEVENTHOOK hHook, DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild,
                                  DWORD dwThread, DWORD dwTime)
{
    (void)hHook;
    (void)dwEvent;
    (void)hWnd;
    (void)idObject;
    (void)idChild;
    (void)dwThread;
    (void)dwTime;
    PostMessageA(AutoMode.hWnd, WM_COMMAND, ID_FOLLOW_FRONT, 0);
}

void StartAutoModes(HWND hWnd)
{
    StopAutoModes();
    AutoMode.hWnd = hWnd;
    AutoMode.fFront.iPairMode = -1;
    WatchStore();
    const DWORD dwFlags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
    AutoMode.hForegroundHook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, NULL,
                                               OnFrontEvent, 0, 0, dwFlags);
    /* Some systems (Wine) raise no foreground event; the focus moving into another
       program's window tells the same, and FollowFront passes over the rest. */
    AutoMode.hFocusHook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, NULL, OnFrontEvent, 0, 0, dwFlags);
}

void StopAutoModes(void)
{
    if (AutoMode.hForegroundHook != NULL)
        UnhookWinEvent(AutoMode.hForegroundHook);
    if (AutoMode.hFocusHook != NULL)
        UnhookWinEvent(AutoMode.hFocusHook);
    if (AutoMode.hStoreChanged != NULL)
        CloseHandle(AutoMode.hStoreChanged);
    if (AutoMode.hStoreKey != NULL)
        RegCloseKey(AutoMode.hStoreKey);
    AutoMode = {};
}

void NoteModeChosenByHand(BYTE bMode)
{
    AutoMode.fFront.bHandMode = bMode;
}
