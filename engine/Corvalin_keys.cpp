/*
 * Corvalin_keys.cpp - keystroke and message injection: the event queue and its playback,
 * single keys, key combinations, hot keys and texts turned into key events, the key tables
 * read from Brenvik, message lists posted to a window, and the clipboard text of PASTE.
 *
 * Playback: StartJournalPlayback installs JournalPlaybackProc as a journal-playback hook,
 * which the system asks for one event after the other. Systems that accept such a hook
 * but never call it would leave the queue growing and nothing typed: a watchdog on the
 * first request catches that, removes the hook before anything was taken from it, and
 * plays the same events, in order, with SendInput instead. Once a system has been found
 * not to serve the hook, later playbacks go to SendInput at once; so does a playback
 * whose hook the system refuses.
 */
#include <windows.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Corvalin_keys.h"
#include "msglist.h"

LPHOOKINFO lpHookInfo;

/* Playback through the journal hook or SendInput. */
static const UINT HOOK_WATCHDOG_MS = 60;   /* time the system gets to ask for an event */
static const UINT INPUT_BATCH = 64;        /* events handed to one SendInput call */
static BOOL bHookServed;                   /* the system has asked the hook for an event */
static BOOL bHookUnserved;                 /* the system does not serve the hook */
static UINT_PTR uiWatchdog;                /* timer of the watchdog, 0 when none runs */
static HHOOK hHookCancel;                  /* watches for a cancelled playback */

/* The modifiers of a hot-key text, by position: pressed in this order, released in the
   reverse one. */
static const struct {
    char chLetter;
    BYTE bKey;
} hotKeyModifiers[] = {
    { 'A', VK_MENU },
    { 'C', VK_CONTROL },
    { 'S', VK_SHIFT },
};
static const int HOTKEY_MODIFIERS = sizeof(hotKeyModifiers) / sizeof(hotKeyModifiers[0]);

/* The clipboard text: at most this many characters and its terminator. */
static const UINT CLIPBOARD_TEXT_SIZE = 257;

/* ---- Pure helpers ------------------------------------------------------------------- */

const BYTE *FindKeyRecord(const BYTE *lpTable, UINT cbRecord, BYTE bChar, int iOccurence)
{
    if (lpTable == NULL || bChar == 0 || iOccurence < 1)
        return NULL;
    for (; lpTable[0] != 0; lpTable += cbRecord) {
        if (lpTable[0] == bChar && --iOccurence == 0)
            return lpTable;
    }
    return NULL;
}

LPCSTR ReadMessageItem(LPCSTR lpszList, UINT *lpuiMessage, WPARAM *lpwParam, LPARAM *lplParam)
{
    DWORD adwField[3];
    LPCSTR lpszNext = ReadMessageGroup(lpszList, adwField);
    if (lpszNext == NULL)
        return NULL;
    *lpuiMessage = LOWORD(adwField[0]);
    *lpwParam = LOWORD(adwField[1]);
    *lplParam = (LPARAM)(LONG)adwField[2];
    return lpszNext;
}

UINT ReduceDoubledQuotes(LPSTR lpszTarget, UINT cchTarget, LPCSTR lpszSource)
{
    UINT cch = 0;
    for (; *lpszSource != '\0' && cch + 1 < cchTarget; ++lpszSource) {
        lpszTarget[cch++] = *lpszSource;
        if (lpszSource[0] == '"' && lpszSource[1] == '"')
            ++lpszSource;
    }
    lpszTarget[cch] = '\0';
    return cch;
}

void EventToInput(const EVENTMSG *lpEvent, INPUT *lpInput)
{
    ZeroMemory(lpInput, sizeof(*lpInput));
    lpInput->type = INPUT_KEYBOARD;
    lpInput->ki.wVk = LOBYTE(lpEvent->paramL);
    lpInput->ki.wScan = HIBYTE(LOWORD(lpEvent->paramL));
    if (lpEvent->message == WM_KEYUP || lpEvent->message == WM_SYSKEYUP)
        lpInput->ki.dwFlags = KEYEVENTF_KEYUP;
}

/* ---- Key tables --------------------------------------------------------------------- */

/* Copies the record of table uID_RCDATA found as FindKeyRecord does into lpRecord
   (cbRecord bytes); FALSE when the table or the record is missing. */
static BOOL LookUpKeyRecord(UINT uID_RCDATA, UINT cbRecord, BYTE bChar, int iOccurence,
                            BYTE *lpRecord)
{
    HGLOBAL hTable = GetRCDataZendraRes(uID_RCDATA);
    if (hTable == NULL)
        return FALSE;
    const BYTE *lpRecordFound = FindKeyRecord((const BYTE *)LockResource(hTable), cbRecord,
                                              bChar, iOccurence);
    if (lpRecordFound != NULL)
        memcpy(lpRecord, lpRecordFound, cbRecord);
    FreeResource(hTable);
    return lpRecordFound != NULL;
}

int IsSpecialKey(char chKey)
{
    BYTE bRecord;
    return LookUpKeyRecord(IDR_SPECIAL_KEY_CHARS, 1, (BYTE)chKey, 1, &bRecord) ? 1 : 0;
}

void TranslateKeyValue(char cChar, LPWORD lpwValue)
{
    BYTE abRecord[3];
    *lpwValue = LookUpKeyRecord(IDR_KEYCODE_VKEYS, 3, (BYTE)cChar, 1, abRecord)
                ? MAKEWORD(abRecord[1], abRecord[2]) : 0;
}

void GetControlKey(char cChar, LPWORD lpwVKControl, LPWORD lpwVKKey, int iOccurence)
{
    BYTE abRecord[5];
    if (LookUpKeyRecord(IDR_CHAR_KEYS, 5, (BYTE)cChar, iOccurence, abRecord)) {
        *lpwVKControl = MAKEWORD(abRecord[1], abRecord[2]);
        *lpwVKKey = MAKEWORD(abRecord[3], abRecord[4]);
    } else {
        *lpwVKControl = 0;
        *lpwVKKey = 0;
    }
}

BYTE GetHotKeyValue(char chKey)
{
    if ((chKey >= 'a' && chKey <= 'z') || IsSpecialKey(chKey)) {
        WORD wValue;
        TranslateKeyValue(chKey, &wValue);
        return LOBYTE(wValue);
    }
    return (BYTE)chKey;
}

/* ---- The queue ---------------------------------------------------------------------- */

void AddItemToList(LPHOOKINFO lpHook, UINT message, UINT paramH, UINT paramL)
{
    if (lpHook == NULL)
        return;
    LPEVENTINFO lpEvent = (LPEVENTINFO)LocalAlloc(LPTR, sizeof(EVENTINFO));
    if (lpEvent == NULL)
        return;
    lpEvent->EventMsg.message = message;
    lpEvent->EventMsg.paramL = paramL;
    lpEvent->EventMsg.paramH = paramH;
    lpEvent->EventMsg.time = GetTickCount() * 1000;

    if (lpHook->lpFirstEvent == NULL) {
        lpHook->lpFirstEvent = lpEvent;
        lpHook->lpCurrentEvent = lpEvent;
    } else {
        lpHook->lpLastEvent->lpNextEventInfo = lpEvent;
    }
    lpHook->lpLastEvent = lpEvent;
}

/* Appends one event of virtual key bKey, creating the queue when there is none. */
static void QueueKeyEvent(UINT message, BYTE bKey)
{
    if (lpHookInfo == NULL)
        lpHookInfo = (LPHOOKINFO)LocalAlloc(LPTR, sizeof(HOOKINFO));
    UINT uiScanCode = MapVirtualKeyA(bKey, 0);
    AddItemToList(lpHookInfo, message, 1, (uiScanCode << 8) | bKey);
}

/* Releases the first event of the queue (the one just played); the queue itself goes
   with its last event, so that the next queuing starts a new one. */
static void ReleaseFirstEvent(void)
{
    LPEVENTINFO lpPlayed = lpHookInfo->lpFirstEvent;
    lpHookInfo->lpFirstEvent = lpPlayed->lpNextEventInfo;
    lpHookInfo->lpCurrentEvent = lpPlayed->lpNextEventInfo;
    LocalFree(lpPlayed);
    if (lpHookInfo->lpFirstEvent == NULL) {
        LocalFree(lpHookInfo);
        lpHookInfo = NULL;
    }
}

void SendKey(BYTE bKey)
{
    QueueKeyEvent(WM_KEYDOWN, bKey);
    QueueKeyEvent(WM_KEYUP, bKey);
}

void SendDoubleKey(BYTE bKey1, BYTE bKey2)
{
    QueueKeyEvent(WM_KEYDOWN, bKey1);
    SendKey(bKey2);
    QueueKeyEvent(WM_KEYUP, bKey1);
}

void SendMenuKey(BYTE bKey)
{
    QueueKeyEvent(WM_SYSKEYDOWN, VK_MENU);
    QueueKeyEvent(WM_SYSKEYDOWN, bKey);
    QueueKeyEvent(WM_KEYUP, bKey);
    QueueKeyEvent(WM_KEYUP, VK_MENU);
}

void SendDoubleRightAltKey(BYTE bKey)
{
    QueueKeyEvent(WM_KEYDOWN, VK_CONTROL);
    QueueKeyEvent(WM_KEYDOWN, VK_MENU);
    SendKey(bKey);
    QueueKeyEvent(WM_KEYUP, VK_CONTROL);
    QueueKeyEvent(WM_KEYUP, VK_MENU);
}

/* Queues a Caps Lock press when Caps Lock is on, so that what follows is typed with it
   off; returns whether it was on (the caller then presses it again at the end). */
static BOOL QueueCapsLockOff(void)
{
    if ((GetKeyState(VK_CAPITAL) & 1) == 0)
        return FALSE;
    SendKey(VK_CAPITAL);
    return TRUE;
}

/* Queues the keys that type one character of a text. */
static void QueueCharacter(char cChar)
{
    if (cChar >= 'a' && cChar <= 'z') {
        SendKey((BYTE)(cChar - 0x20));
    } else if (cChar >= 'A' && cChar <= 'Z') {
        SendDoubleKey(VK_SHIFT, (BYTE)cChar);
    } else {
        WORD wModifier, wKey;
        GetControlKey(cChar, &wModifier, &wKey, 1);
        if (wModifier == VK_MENU)
            SendDoubleRightAltKey(LOBYTE(wKey));
        else if (wModifier != 0)
            SendDoubleKey(LOBYTE(wModifier), LOBYTE(wKey));
        else
            SendKey(LOBYTE(wKey));
    }
}

int AddKeyStrokes(LPCSTR lpszFunction)
{
    if (lpszFunction == NULL || *lpszFunction == '\0')
        return 0;
    BOOL bCapsLock = QueueCapsLockOff();
    for (LPCSTR p = lpszFunction; *p != '\0'; ++p) {
        QueueCharacter(*p);
        /* A doubled quote of the command text types one quote. */
        if (*p == '"' && p[1] != '\0')
            ++p;
    }
    if (bCapsLock)
        SendKey(VK_CAPITAL);
    return 1;
}

void SendHotKey(LPCSTR lpszFunction, BYTE bStart)
{
    if (lpszFunction == NULL || *lpszFunction == '\0')
        return;
    /* Positions [0] to [2] hold the modifier letters, [3] the key, [4] a following key;
       a shorter text simply lacks the later positions. */
    size_t cchText = strnlen(lpszFunction, 5);
    BOOL abPressed[HOTKEY_MODIFIERS];
    for (int i = 0; i < HOTKEY_MODIFIERS; ++i)
        abPressed[i] = cchText > (size_t)i && lpszFunction[i] == hotKeyModifiers[i].chLetter;
    /* With Alt held (it comes first) every key goes down as a system key. */
    UINT uiKeyDown = abPressed[0] ? WM_SYSKEYDOWN : WM_KEYDOWN;

    BOOL bCapsLock = QueueCapsLockOff();
    for (int i = 0; i < HOTKEY_MODIFIERS; ++i)
        if (abPressed[i])
            QueueKeyEvent(uiKeyDown, hotKeyModifiers[i].bKey);
    if (cchText > 3) {
        BYTE bKey = GetHotKeyValue(lpszFunction[3]);
        QueueKeyEvent(uiKeyDown, bKey);
        QueueKeyEvent(WM_KEYUP, bKey);
    }
    for (int i = HOTKEY_MODIFIERS - 1; i >= 0; --i)
        if (abPressed[i])
            QueueKeyEvent(WM_KEYUP, hotKeyModifiers[i].bKey);
    if (cchText > 4)
        SendKey(GetHotKeyValue(lpszFunction[4]));
    if (bCapsLock)
        SendKey(VK_CAPITAL);

    if (bStart)
        StartJournalPlayback();
}

/* ---- Playback ----------------------------------------------------------------------- */

/* Plays the whole queue with SendInput, releasing the events as they are played. Returns
   1 when everything was played; 0 when the system refused events, which then stay queued
   for the next start. */
static int PlayQueueWithSendInput(void)
{
    INPUT aInput[INPUT_BATCH];
    while (lpHookInfo != NULL && lpHookInfo->lpFirstEvent != NULL) {
        UINT uiCount = 0;
        for (LPEVENTINFO lpEvent = lpHookInfo->lpFirstEvent;
             lpEvent != NULL && uiCount < INPUT_BATCH; lpEvent = lpEvent->lpNextEventInfo)
            EventToInput(&lpEvent->EventMsg, &aInput[uiCount++]);

        UINT uiPlayed = SendInput(uiCount, aInput, sizeof(INPUT));
        for (UINT i = 0; i < uiPlayed; ++i)
            ReleaseFirstEvent();
        if (uiPlayed < uiCount)
            return 0;
    }
    return 1;
}

/* Removes the playback hook and the watch for its cancellation. */
static void RemovePlaybackHook(void)
{
    if (lpHookInfo != NULL && lpHookInfo->hHookPlay != NULL) {
        UnhookWindowsHookEx(lpHookInfo->hHookPlay);
        lpHookInfo->hHookPlay = NULL;
    }
    if (hHookCancel != NULL) {
        UnhookWindowsHookEx(hHookCancel);
        hHookCancel = NULL;
    }
}

/* The user cancelled the playback (Ctrl+Esc, Ctrl+Alt+Del) and the system removed the hook
   itself. The rest of the cancelled run is dropped: typed later it would land wherever
   the user went meanwhile, and the event being played may have reached the window. The
   next start installs the hook afresh. */
static void CancelJournalPlayback(void)
{
    if (lpHookInfo == NULL || lpHookInfo->hHookPlay == NULL)
        return;
    lpHookInfo->hHookPlay = NULL;
    RemovePlaybackHook();
    if (uiWatchdog != 0) {
        KillTimer(NULL, uiWatchdog);
        uiWatchdog = 0;
    }
    while (lpHookInfo != NULL)
        ReleaseFirstEvent();
}

/* The system tells of a cancelled playback with WM_CANCELJOURNAL posted to the thread
   without a window: only a message hook of that thread sees it, whichever loop (the
   program's, a message box's) takes it from the queue. */
static LRESULT CALLBACK CancelWatchProc(int iCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hThisHook = hHookCancel;
    const MSG *lpMsg = (const MSG *)lParam;
    if (iCode == HC_ACTION && wParam == PM_REMOVE && lpMsg != NULL && lpMsg->hwnd == NULL &&
        lpMsg->message == WM_CANCELJOURNAL)
        CancelJournalPlayback();
    return CallNextHookEx(hThisHook, iCode, wParam, lParam);
}

/* The system has not asked the hook for an event within the watchdog's time: it does not
   serve journal hooks. Nothing has been taken from the queue, so it is played whole. */
static void CALLBACK HookWatchdogProc(HWND hWnd, UINT uiMsg, UINT_PTR idTimer, DWORD dwTime)
{
    (void)hWnd;
    (void)uiMsg;
    (void)dwTime;
    KillTimer(NULL, idTimer);
    uiWatchdog = 0;
    if (bHookServed)
        return;
    bHookUnserved = TRUE;
    RemovePlaybackHook();
    PlayQueueWithSendInput();
}

/* The module that holds the hook procedure. */
static HINSTANCE HookModule(void)
{
    HMODULE hModule = NULL;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                       GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       (LPCSTR)(void *)JournalPlaybackProc, &hModule);
    return hModule;
}

int StartJournalPlayback(void)
{
    if (lpHookInfo == NULL || lpHookInfo->lpFirstEvent == NULL)
        return 0;
    if (bHookUnserved)
        return PlayQueueWithSendInput();

    if (lpHookInfo->hHookPlay == NULL) {
        lpHookInfo->hHookPlay = SetWindowsHookExA(WH_JOURNALPLAYBACK, JournalPlaybackProc,
                                                  HookModule(), 0);
        if (lpHookInfo->hHookPlay == NULL)
            return PlayQueueWithSendInput();   /* the system refuses journal hooks */
        if (hHookCancel == NULL)
            hHookCancel = SetWindowsHookExA(WH_GETMESSAGE, CancelWatchProc, NULL, GetCurrentThreadId());
        if (!bHookServed && uiWatchdog == 0) {
            uiWatchdog = SetTimer(NULL, 0, HOOK_WATCHDOG_MS, HookWatchdogProc);
            if (uiWatchdog == 0) {
                /* Without a watchdog an unserved hook would never be noticed. */
                RemovePlaybackHook();
                return PlayQueueWithSendInput();
            }
        }
    }
    return lpHookInfo->hHookPlay != NULL ? 1 : 0;
}

extern "C" LRESULT CALLBACK JournalPlaybackProc(int iCode, WPARAM wParam, LPARAM lParam)
{
    static HHOOK hOldHook;
    BOOL bHooked = lpHookInfo != NULL && lpHookInfo->hHookPlay != NULL;
    if (bHooked)
        hOldHook = lpHookInfo->hHookPlay;
    if (iCode < 0)
        return CallNextHookEx(hOldHook, iCode, wParam, lParam);

    if (iCode == HC_GETNEXT) {
        if (bHooked)
            bHookServed = TRUE;
        EVENTMSG *lpEventMsg = (EVENTMSG *)lParam;
        if (lpHookInfo != NULL && lpHookInfo->lpCurrentEvent != NULL && lpEventMsg != NULL) {
            const EVENTMSG *lpQueued = &lpHookInfo->lpCurrentEvent->EventMsg;
            lpEventMsg->message = lpQueued->message;
            lpEventMsg->paramL = lpQueued->paramL;
            lpEventMsg->paramH = lpQueued->paramH;
            lpEventMsg->time = lpQueued->time;
        }
        return 0;   /* no delay before the event */
    }

    if (iCode == HC_SKIP && lpHookInfo != NULL && lpHookInfo->lpCurrentEvent != NULL) {
        if (lpHookInfo->lpCurrentEvent->lpNextEventInfo == NULL && bHooked)
            RemovePlaybackHook();
        ReleaseFirstEvent();
    }
    return CallNextHookEx(hOldHook, iCode, wParam, lParam);
}

/* ---- Window messages and the clipboard ---------------------------------------------- */

void SendWindowsMessages(HWND hWnd, LPCSTR lpszFunc)
{
    if (lpszFunc == NULL)
        return;
    UINT uiMessage;
    WPARAM wParam;
    LPARAM lParam;
    while ((lpszFunc = ReadMessageItem(lpszFunc, &uiMessage, &wParam, &lParam)) != NULL)
        PostMessageA(hWnd, uiMessage, wParam, lParam);
}

void CopyToClipboard(HWND hWnd, LPCSTR lpszData)
{
    if (lpszData == NULL || !OpenClipboard(hWnd))
        return;
    EmptyClipboard();
    HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, CLIPBOARD_TEXT_SIZE);
    if (hText != NULL) {
        LPSTR lpszText = (LPSTR)GlobalLock(hText);
        if (lpszText != NULL)
            ReduceDoubledQuotes(lpszText, CLIPBOARD_TEXT_SIZE, lpszData);
        GlobalUnlock(hText);
        if (lpszText == NULL || SetClipboardData(CF_TEXT, hText) == NULL)
            GlobalFree(hText);
    }
    CloseClipboard();
}
