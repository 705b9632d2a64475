/*
 * Corvalin_dispatch.cpp - the command dispatcher: turns a raw receiver code into a mode
 * change, a shift toggle, a mode-independent command or a button code, splits a command
 * string into its items and runs each of them against the string's target window. The
 * commands themselves come from the store, read as every program reads it (store.h).
 *
 * Each action family (window, system, keys, media, launch, home automation, tool
 * windows) has its own case group in ProcessFunction.
 */
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "Corvalin.h"
#include "Corvalin_internal.h"
#include "Corvalin_keys.h"
#include "Corvalin_launch.h"
#include "Corvalin_media.h"
#include "Corvalin_zendra.h"
#include "mixer.h"
#include "store.h"
#include "task32.h"
#include "virtk32.h"

/* The target window of the command string being run: the foreground window at its first
   item, unless an item replaces it; forgotten by the string's closing call. Asking the
   system for the window in front is a round trip to the window server, as a registry read
   is, so it is asked once, before the first item that needs it (TargetNeededBefore): the
   items before that one cannot have changed the answer. */
static HWND hTargetWnd;

/* Runs the command of button bCode, if one is assigned; lpszModeKey names its mode's key. */
static void RunButton(HWND hWnd, LPCSTR lpszModeKey, BYTE bCode)
{
    char szCommand[RUNNABLE_COMMAND_SIZE];
    if (ReadButtonValue(lpszModeKey, bCode, szCommand, sizeof(szCommand)))
        ParseFunction(hWnd, szCommand);
}

void DefaultFunction(HWND hWnd, BYTE bMode, LPSTR lpszModeKey)
{
    char szModeKey[STORE_MODE_KEY_SIZE];
    ReadModeKey(bMode, szModeKey);
    if (lpszModeKey != NULL)
        lstrcpynA(lpszModeKey, szModeKey, STORE_MODE_KEY_SIZE);
    RunButton(hWnd, szModeKey, BUTTON_MODE_OWN);
}

extern "C" void WINAPI ParseFunction(HWND hWnd, LPSTR lpszBuffer)
{
    if (lpszBuffer == NULL)
        return;
    /* The items are split in place, in a copy: the caller's string stays as it is. */
    size_t cbBuffer = strlen(lpszBuffer) + 1;
    LPSTR lpszCopy = (LPSTR)LocalAlloc(LPTR, cbBuffer);
    if (lpszCopy == NULL)
        return;
    memcpy(lpszCopy, lpszBuffer, cbBuffer);
    if (pfnCommandHook != NULL)
        pfnCommandHook(lpszBuffer);

    /* A message box of an item runs a message loop, in which the next press can run a
       string of its own: that one starts from the foreground window, and the interrupted
       string gets its own target back when it goes on. */
    HWND hInterruptedTarget = hTargetWnd;
    hTargetWnd = NULL;

    LPSTR lpszPosition = lpszCopy;
    tagCOMMANDITEM ciItem;
    while (NextCommandItem(&lpszPosition, &ciItem))
        if (ciItem.uiFunction != FN_NONE)
            ProcessFunction(hWnd, ciItem.uiFunction, ciItem.lpszArgument);

    LocalFree(lpszCopy);
    ProcessFunction(hWnd, FN_CLOSING, NULL);
    hTargetWnd = hInterruptedTarget;
}

extern "C" int WINAPI SelectMode(HWND hWnd, BYTE bMode, LPBYTE lpbMode, LPBYTE lpbShift, LPSTR lpszModeKey)
{
    /* Only five modes exist: any other leaves mode and shift be. */
    if (lpbMode == NULL || lpbShift == NULL || bMode >= STORE_MODES)
        return 0;
    *lpbMode = bMode;
    DefaultFunction(hWnd, bMode, lpszModeKey);
    *lpbShift = 0;
    return 1;
}

extern "C" int WINAPI DecodeScanCode(HWND hWnd, LPBYTE lpbCode, LPBYTE lpbMode, LPBYTE lpbShift)
{
    return DecodeScanCodeEx(hWnd, lpbCode, lpbMode, lpbShift, NULL);
}

extern "C" int WINAPI DecodeScanCodeEx(HWND hWnd, LPBYTE lpbCode, LPBYTE lpbMode, LPBYTE lpbShift,
                                       LPSTR lpszModeKey)
{
    if (lpbCode == NULL || lpbMode == NULL || lpbShift == NULL)
        return 0;

    char szRawCode[4], szTranslation[STORE_TRANSLATION_SIZE];
    snprintf(szRawCode, sizeof(szRawCode), "%u", *lpbCode);
    Get(STORE_TRANSLATION_KEY, szRawCode, "", szTranslation, sizeof(szTranslation));
    *lpbCode = HexToByte(szTranslation);

    BYTE bMode;
    switch (TranslatedCodeKind(*lpbCode, &bMode)) {
    case TC_BUTTON:
        if (*lpbShift == 1 && *lpbCode < BUTTON_MAIN_COUNT)
            *lpbCode += BUTTON_SHIFT_OFFSET;
        return 1;
    case TC_SELECT_MODE:
        SelectMode(hWnd, bMode, lpbMode, lpbShift, lpszModeKey);
        break;
    case TC_TOGGLE_SHIFT:
    case TC_NOMODE_BUTTON:
        ProcessPCFunction(hWnd, lpbCode, lpbShift);
        break;
    default:
        /* A mode beyond the five, or an unused code: mode and shift stay as they are. */
        break;
    }
    return 0;
}

void ProcessPCFunction(HWND hWnd, LPBYTE lpbCode, LPBYTE lpbShift)
{
    switch (*lpbCode) {
    case CODE_TOGGLE_SHIFT:
        *lpbShift ^= 1;
        break;
    case CODE_PC_BUTTON_1:
        GetPCFunction(hWnd, 0);
        break;
    case CODE_PC_BUTTON_2:
        GetPCFunction(hWnd, 1);
        break;
    }
}

void GetPCFunction(HWND hWnd, BYTE bFunction)
{
    if (bFunction < BUTTON_NOMODE_COUNT)
        RunButton(hWnd, NULL, (BYTE)(BUTTON_NOMODE_FIRST + bFunction));
}

/* Replaces the target by its top-level window and posts that a system command. */
static void PostTopLevelCommand(HWND *phTarget, WPARAM wCommand)
{
    if (*phTarget == NULL)
        return;
    *phTarget = FindParent(*phTarget);
    PostMessageA(*phTarget, WM_SYSCOMMAND, wCommand, 0);
}

/* Clicks the target where the cursor is, and selects all of an edit or list control. */
static void ClickTextWindow(HWND hTarget)
{
    POINT ptCursor;
    GetCursorPos(&ptCursor);
    ScreenToClient(hTarget, &ptCursor);
    LPARAM lPosition = MAKELPARAM((WORD)ptCursor.x, (WORD)ptCursor.y);
    PostMessageA(hTarget, WM_LBUTTONDOWN, 0, lPosition);
    PostMessageA(hTarget, WM_LBUTTONUP, 0, lPosition);

    static const char *const pszTextClasses[] = { "EDIT", "LISTBOX", "COMBOBOX" };
    char szClass[64];
    if (GetClassNameA(hTarget, szClass, sizeof(szClass)) == 0)
        return;
    for (LPCSTR lpszClass : pszTextClasses)
        if (lstrcmpiA(szClass, lpszClass) == 0)
            PostMessageA(hTarget, EM_SETSEL, 0, -1);
}

/* Shutting down needs the shutdown privilege on the NT family; elsewhere this fails
   harmlessly and the request decides. */
static void ShutDownSystem()
{
    HANDLE hToken;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &hToken)) {
        TOKEN_PRIVILEGES tp = {};
        tp.PrivilegeCount = 1;
        tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (LookupPrivilegeValueA(NULL, SE_SHUTDOWN_NAME, &tp.Privileges[0].Luid))
            AdjustTokenPrivileges(hToken, FALSE, &tp, 0, NULL, NULL);
        CloseHandle(hToken);
    }
    if (!ExitWindowsEx(EWX_SHUTDOWN, 0))
        MessageBoxA(GetActiveWindow(), "Exit Windows failed", "", MB_OK);
}

static void WaitForNextTick()
{
    DWORD dwTick = GetTickCount();
    while (GetTickCount() == dwTick)
        Sleep(1);
}

/* Gives the shell's "Program Manager" window the focus for the Start menu keys. */
static void FocusProgramManager(HWND *phTarget)
{
    HWND hPrevious = *phTarget;
    *phTarget = FindWindowA("Progman", "Program Manager");
    ActivateWindow(*phTarget, hPrevious);
}

void ProcessFunction(HWND hClipWnd, UINT uiFunction, LPSTR lpszFunction)
{
    /* While no window is in front (or an item left the target empty) an item that needs
       the target asks again, since an item before it may have brought one forward. */
    if (hTargetWnd == NULL && TargetNeededBefore(uiFunction))
        hTargetWnd = GetForegroundWindow();

    switch (uiFunction) {
    /* ---- Window commands ---- */
    case FN_SELECT:
        SelectWindow(&hTargetWnd, TRUE);
        break;
    case FN_SELECTTEXT:
        SelectWindow(&hTargetWnd, FALSE);
        if (hTargetWnd != NULL)
            ClickTextWindow(hTargetWnd);
        break;
    case FN_MAXIMIZE:
        PostTopLevelCommand(&hTargetWnd, SC_MAXIMIZE);
        break;
    case FN_MINIMIZE:
        PostTopLevelCommand(&hTargetWnd, SC_MINIMIZE);
        break;
    case FN_CLOSE:
        PostTopLevelCommand(&hTargetWnd, SC_CLOSE);
        break;
    case FN_RESTORE:
        PostTopLevelCommand(&hTargetWnd, SC_RESTORE);
        break;
    case FN_ICONIZEALL:
        EnumWindows(IconizeWindowsProc, 0);
        break;
    case FN_RESTOREALL:
        EnumWindows(RestoreWindowsProc, 0);
        break;
    case FN_MAXIMIZEALL:
        EnumWindows(MaximizeWindowsProc, 0);
        break;
    /* "Others" spares the window the user works in: across processes that is the
       foreground window (the active window is only known per thread). */
    case FN_ICONIZEOTHERS:
        EnumWindows(IconizeWindowsProc, (LPARAM)GetForegroundWindow());
        break;
    case FN_RESTOREOTHERS:
        EnumWindows(RestoreWindowsProc, (LPARAM)GetForegroundWindow());
        break;
    case FN_MAXIMIZEOTHERS:
        EnumWindows(MaximizeWindowsProc, (LPARAM)GetForegroundWindow());
        break;
    case FN_UNUDGE:
    case FN_DNUDGE:
    case FN_RNUDGE:
    case FN_LNUDGE:
        Nudge(uiFunction);
        break;
    case FN_HOMEPOINTER:
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
        break;
    case FN_REFRESH:
        PostMessageA(HWND_BROADCAST, WM_PAINT, 0, 0);
        PostMessageA(HWND_BROADCAST, WM_NCPAINT, 0, 0);
        break;
    case FN_CASCADE:
        CascadeWindows(NULL, 0, NULL, 0, NULL);
        break;
    case FN_HORTILE:
        TileWindows(NULL, MDITILE_HORIZONTAL, NULL, 0, NULL);
        break;
    case FN_VERTILE:
        TileWindows(NULL, MDITILE_VERTICAL, NULL, 0, NULL);
        break;

    /* ---- System ---- */
    case FN_SHUTDOWN:
        ShutDownSystem();
        break;
    case FN_SUSPEND:
        SetSystemPowerState(TRUE, FALSE);
        break;
    case FN_STANDBY:
        SetSystemPowerState(FALSE, FALSE);
        break;

    /* ---- Window commands that press keys (keystroke module: Corvalin_keys) ---- */
    case FN_MOVEWINDOW:
        SelectWindow(NULL, TRUE);
        SendHotKey("A--sM", FALSE);
        SendKey(VK_SPACE);
        StartJournalPlayback();
        break;
    case FN_RESIZE:
        SelectWindow(NULL, TRUE);
        SendHotKey("A--sS", FALSE);
        SendKey(VK_RIGHT);
        SendKey(VK_DOWN);
        StartJournalPlayback();
        break;
    case FN_STARTBUTTON:
        FocusProgramManager(&hTargetWnd);
        WaitForNextTick();
        SendKey(VK_F6);
        WaitForNextTick();
        SendKey(VK_SPACE);
        StartJournalPlayback();
        break;

    /* ---- Keystrokes, text, hot keys and messages (Corvalin_keys) ---- */
    case FN_PASTE:
        CopyToClipboard(hClipWnd, lpszFunction);
        if (hTargetWnd != NULL)
            PostMessageA(hTargetWnd, WM_PASTE, 0, 0);
        break;
    case FN_MESSAGE:
        hTargetWnd = GetForegroundWindow();
        if (hTargetWnd != NULL)
            SendWindowsMessages(hTargetWnd, lpszFunction);
        break;
    case FN_WINDOWMENU:
        SendKey(VK_APPS);
        StartJournalPlayback();
        break;
    case FN_TYPE:
        StartJournalPlayback();
        break;
    case FN_WRITE:
        if (AddKeyStrokes(lpszFunction))
            StartJournalPlayback();
        break;
    case FN_HOTKEY:
        SendHotKey(lpszFunction, TRUE);
        break;

    /* ---- Media and volume (Corvalin_media, mixer) ---- */
    case FN_MCIPLAY:
        SendMCIControl(lpszFunction, MEDIA_PLAY, 0);
        break;
    case FN_MCIFASTFWD:
        SendMCIControl(lpszFunction, MEDIA_FORWARD, 0);
        break;
    case FN_MCIREWIND:
        SendMCIControl(lpszFunction, MEDIA_BACKWARD, 0);
        break;
    case FN_MCISTOP:
        SendMCIControl(lpszFunction, MEDIA_STOP, 0);
        break;
    case FN_MCIPAUSE:
        SendMCIControl(lpszFunction, MEDIA_PAUSE, 0);
        break;
    case FN_MCITRACK:
        SendMCITrack(lpszFunction);
        break;
    case FN_AUXVOLUP:
    case FN_AUXVOLDN:
        ChangeAuxVolume(uiFunction == FN_AUXVOLUP);
        break;
    case FN_MIXERVOLUP:
    case FN_MIXERVOLDN:
        MixerVolume(uiFunction == FN_MIXERVOLUP);
        break;
    case FN_MIXERMUTE:
        MixerMute();
        break;

    /* ---- Programs and web addresses (Corvalin_launch) ---- */
    case FN_LAUNCH:
    case FN_LAUNCHSIZE:
        LaunchApp(lpszFunction);
        break;
    case FN_WEBADDRESS:
        SendWebAddress(lpszFunction, SW_SHOW);
        break;

    /* ---- Home automation (Corvalin_zendra) ---- */
    case FN_ZENDRA:
        SendZendraMessage(hTargetWnd, lpszFunction);
        break;

    /* ---- Tool windows: task switcher (task32), on-screen keyboard (virtk32) ---- */
    case FN_NEXTTASK:
        OpenTaskSwitcher(hTargetWnd);
        break;
    case FN_KEYBOARD:
        OpenKeyboard(hTargetWnd);
        break;

    case FN_CLOSING:
        hTargetWnd = NULL;
        break;

    /* ---- Single keys (Corvalin_keys): queued until an item plays them ---- */
    default:
        if (const tagKEYSTROKE *pks = FindKeyStroke(uiFunction)) {
            if (pks->bSecond != 0)
                SendDoubleKey(pks->bFirst, pks->bSecond);
            else
                SendKey(pks->bFirst);
        }
        break;
    }
}
