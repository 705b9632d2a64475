/*
 * usbkeys.cpp - the keyboard hook's thread. The tray thread starts and ends it and sends it
 * snapshots of the map as thread messages; everything else here runs on the hook thread.
 */
#include <windows.h>
#include <string.h>
#include "keyfilter.h"
#include "tray.h"
#include "usbkeys.h"

#define WM_KEY_SNAPSHOT (WM_APP + 10)   /* thread message: lParam a tagKEYSNAPSHOT to take and free */

struct tagKEYSNAPSHOT {
    short asRaw[KEY_COUNT];
    BOOL bLearn;
};

static struct tagKEYHOOK {
    /* The tray thread's. */
    HANDLE hThread;
    DWORD idThread;
    /* The hook thread's, once it runs. */
    HWND hTray;
    HHOOK hHook;
    tagKEYFILTER kfFilter;
} KeyHook;

/* Posts what was decided; PostMessage never waits for the tray window. */
static void PostDecision(int iKind, unsigned uiKey)
{
    switch (iKind) {
    case KEY_PRESS:
    case KEY_REPEAT:
        PostMessageA(KeyHook.hTray, WM_SOURCE_CODE, (WPARAM)KeyHook.kfFilter.asRaw[uiKey], iKind == KEY_PRESS);
        break;
    case KEY_LEARNT:
        PostMessageA(KeyHook.hTray, WM_LEARNT_KEY, uiKey, 0);
        break;
    }
}

static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION) {
        const KBDLLHOOKSTRUCT *pkb = (const KBDLLHOOKSTRUCT *)lParam;
        int iKind = FilterKey(&KeyHook.kfFilter, pkb->vkCode, (pkb->flags & LLKHF_UP) != 0,
                              (pkb->flags & LLKHF_INJECTED) != 0);
        if (iKind != KEY_PASS) {
            PostDecision(iKind, pkb->vkCode);
            return 1;
        }
    }
    return CallNextHookEx(KeyHook.hHook, nCode, wParam, lParam);
}

static DWORD WINAPI KeyHookThread(LPVOID lpReady)
{
    MSG msg;
    /* The thread's queue exists before the tray thread may post to it. */
    PeekMessageA(&msg, NULL, WM_USER, WM_USER, PM_NOREMOVE);
    KeyHook.hHook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHookProc, GetModuleHandleA(NULL), 0);
    SetEvent((HANDLE)lpReady);
    if (KeyHook.hHook == NULL)
        return 1;
    /* The system calls the hook from this loop. */
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (msg.message != WM_KEY_SNAPSHOT)
            continue;
        const tagKEYSNAPSHOT *pks = (const tagKEYSNAPSHOT *)msg.lParam;
        RenewKeyFilter(&KeyHook.kfFilter, pks->asRaw, pks->bLearn);
        LocalFree((HLOCAL)pks);
    }
    UnhookWindowsHookEx(KeyHook.hHook);
    return 0;
}

static BOOL SendSnapshot(const short *asRaw, BOOL bLearn)
{
    tagKEYSNAPSHOT *pks = (tagKEYSNAPSHOT *)LocalAlloc(LPTR, sizeof(tagKEYSNAPSHOT));
    if (pks == NULL)
        return FALSE;
    for (int i = 0; i < KEY_COUNT; i++)
        pks->asRaw[i] = asRaw != NULL ? asRaw[i] : -1;
    pks->bLearn = bLearn;
    if (PostThreadMessageA(KeyHook.idThread, WM_KEY_SNAPSHOT, 0, (LPARAM)pks))
        return TRUE;
    LocalFree(pks);
    return FALSE;
}

BOOL StartKeyHook(HWND hTray, const short *asRaw, BOOL bLearn)
{
    if (KeyHook.hThread != NULL)
        return SendSnapshot(asRaw, bLearn);
    KeyHook.hTray = hTray;
    StartKeyFilter(&KeyHook.kfFilter, asRaw, bLearn);
    HANDLE hReady = CreateEventA(NULL, TRUE, FALSE, NULL);
    if (hReady == NULL)
        return FALSE;
    KeyHook.hThread = CreateThread(NULL, 0, KeyHookThread, hReady, 0, &KeyHook.idThread);
    if (KeyHook.hThread != NULL) {
        /* Setting the hook takes a moment; the thread ends at once when it cannot. */
        HANDLE ahWait[] = { hReady, KeyHook.hThread };
        WaitForMultipleObjects(2, ahWait, FALSE, INFINITE);
    }
    CloseHandle(hReady);
    if (KeyHook.hHook != NULL)
        return TRUE;
    StopKeyHook();
    return FALSE;
}

void StopKeyHook(void)
{
    if (KeyHook.hThread != NULL) {
        PostThreadMessageA(KeyHook.idThread, WM_QUIT, 0, 0);
        WaitForSingleObject(KeyHook.hThread, INFINITE);
        CloseHandle(KeyHook.hThread);
    }
    KeyHook = {};
}
