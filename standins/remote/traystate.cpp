/*
 * traystate.cpp - traystate.exe, the eyes and hands of a person at the notification area,
 * for scripts: prints the icons shown with their tips and places, and can point at, click
 * or type on the first one.
 *
 *   traystate                 prints "icon at X,Y: TIP" per icon (exit code 1 when none)
 *   traystate /hover          puts the pointer on the first icon, so that its tip shows
 *   traystate /click          right-clicks the first icon and waits for its menu
 *   traystate /menu KEYS      ... and then types KEYS, the letters of the menu items
 *   traystate /type KEYS      types the letters KEYS, e.g. to choose a menu item; as
 *                             SendKeys writes them, ~ is Enter and {UP} the Up arrow
 *
 * and the same hands at the windows that the menu opens (CAPTION: a top-level window):
 *   traystate /point CAPTION X Y    puts the pointer on client point X,Y of the window
 *   traystate /rclick CAPTION X Y [KEYS]  ... and right-clicks there, waits for the menu
 *                                   and types KEYS into it
 *   traystate /close CAPTION        closes the window as its close box does
 *   traystate /dblclick CAPTION X Y double-clicks at client point X,Y of the window
 *   traystate /alt CAPTION L        presses Alt and the letter L in the window
 *   traystate /text CAPTION ID TEXT sets the text of the window's control ID
 *   traystate /choose CAPTION ID TEXT chooses the entry TEXT of the window's combo box ID
 *   traystate /press CAPTION ID     clicks the middle of the window's control ID
 *   traystate /front CAPTION        clicks the window's title bar where no other window
 *                                   covers it
 *   traystate /wait CAPTION         waits until the window shows
 *   traystate /gone CAPTION         waits until no such window is left, hidden or shown
 *
 * Each command that waits gives up after a few seconds with exit code 1, so that a script
 * can try its step again.
 */
#include <windows.h>
#include <stdio.h>
#include <ctype.h>
#include <stdlib.h>
#include <string.h>
#include "remote.h"
#include "traywatch.h"

#define WAIT_MS     10000
#define MENU_CLASS  "#32768"

/* Whether a visible top-level window with the caption shows. */
static BOOL WindowShows(LPCSTR lpszCaption)
{
    for (HWND hWnd = FindWindowExA(NULL, NULL, NULL, lpszCaption); hWnd != NULL;
         hWnd = FindWindowExA(NULL, hWnd, NULL, lpszCaption))
        if (IsWindowVisible(hWnd))
            return TRUE;
    return FALSE;
}

/* Waits until a pop-up menu shows where a click at ptScreen opens one (a menu opens with
   a corner at the click, or beside it at the screen's edge); FALSE when that took too long.
   A menu that showed elsewhere instead (the click went elsewhere) is closed. */
static BOOL WaitForMenuAt(POINT ptScreen)
{
    HWND hMenu = NULL;
    for (DWORD dwStart = GetTickCount(); GetTickCount() - dwStart < WAIT_MS; Sleep(50)) {
        hMenu = FindWindowA(MENU_CLASS, NULL);
        RECT rMenu;
        if (hMenu == NULL || !IsWindowVisible(hMenu) || !GetWindowRect(hMenu, &rMenu))
            continue;
        InflateRect(&rMenu, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
        if (PtInRect(&rMenu, ptScreen))
            return TRUE;
    }
    if (hMenu != NULL && IsWindowVisible(hMenu))
        PressKey(VK_ESCAPE);
    return FALSE;
}

/* Whether the window shows (bShown), or has gone altogether: a window that is closing is
   hidden first and still at work (a dialog writes what it holds) until it is destroyed. */
static BOOL WindowIs(LPCSTR lpszCaption, BOOL bShown)
{
    return bShown ? WindowShows(lpszCaption) : FindWindowA(NULL, lpszCaption) == NULL;
}

/* Waits until the window shows (bShown) or has gone; FALSE when that took too long. */
static BOOL WaitForWindow(LPCSTR lpszCaption, BOOL bShown)
{
    for (DWORD dwStart = GetTickCount(); GetTickCount() - dwStart < WAIT_MS; Sleep(50))
        if (WindowIs(lpszCaption, bShown))
            return TRUE;
    return WindowIs(lpszCaption, bShown);
}

/* Types letters, and as SendKeys writes them ~ for Enter and {UP} for the Up arrow. */
static void TypeKeys(LPCSTR lpszKeys)
{
    static const char szUp[] = "{UP}";
    for (const char *psz = lpszKeys; *psz != '\0'; psz++) {
        if (strncmp(psz, szUp, sizeof(szUp) - 1) == 0) {
            PressKey(VK_UP);
            psz += sizeof(szUp) - 2;
        } else {
            PressKey(*psz == '~' ? VK_RETURN : (WORD)toupper((unsigned char)*psz));
        }
        Sleep(50);
    }
}

/* Right-clicks at ptScreen, waits for the menu that opens there and types lpszKeys into it;
   the exit code: 1 when no menu opened there. */
static int ChooseFromMenuAt(POINT ptScreen, LPCSTR lpszKeys)
{
    ClickMouseButtonAt(ptScreen, true);
    if (!WaitForMenuAt(ptScreen))
        return 1;
    TypeKeys(lpszKeys);
    return 0;
}

/* Brings the window forward and puts the pointer on its client point (x, y), which
   *pptScreen receives in screen coordinates. */
static int PointAt(LPCSTR lpszCaption, int x, int y, POINT *pptScreen)
{
    HWND hWnd = FindWindowA(NULL, lpszCaption);
    if (hWnd == NULL)
        return 1;
    SetForegroundWindow(hWnd);
    *pptScreen = { x, y };
    ClientToScreen(hWnd, pptScreen);
    MovePointerTo(*pptScreen);
    return 0;
}

/* Alt held while a key goes down and up, into the window in front. */
static void PressAltKey(WORD wKey)
{
    INPUT aiKeys[4] = {};
    WORD wKeys[4] = { VK_MENU, wKey, wKey, VK_MENU };
    for (int i = 0; i < 4; i++) {
        aiKeys[i].type = INPUT_KEYBOARD;
        aiKeys[i].ki.wVk = wKeys[i];
        aiKeys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(4, aiKeys, sizeof(INPUT));
}

/* The client point of the middle of control iID of the window; FALSE when there is none. */
static BOOL ControlMiddle(LPCSTR lpszCaption, int iID, POINT *pt)
{
    HWND hWnd = FindWindowA(NULL, lpszCaption);
    HWND hControl = hWnd != NULL ? GetDlgItem(hWnd, iID) : NULL;
    RECT rControl;
    if (hControl == NULL || !GetWindowRect(hControl, &rControl))
        return FALSE;
    pt->x = (rControl.left + rControl.right) / 2;
    pt->y = (rControl.top + rControl.bottom) / 2;
    return ScreenToClient(hWnd, pt);
}

int main(int argc, char **argv)
{
    POINT ptScreen;
    if (argc == 5 && lstrcmpiA(argv[1], "/dblclick") == 0) {
        if (PointAt(argv[2], atoi(argv[3]), atoi(argv[4]), &ptScreen) != 0)
            return 1;
        ClickMouseButtonAt(ptScreen, false);
        ClickMouseButtonAt(ptScreen, false);
        return 0;
    }
    if (argc == 4 && lstrcmpiA(argv[1], "/alt") == 0) {
        HWND hWnd = FindWindowA(NULL, argv[2]);
        if (hWnd == NULL)
            return 1;
        SetForegroundWindow(hWnd);
        PressAltKey((WORD)toupper((unsigned char)argv[3][0]));
        return 0;
    }
    if (argc == 5 && lstrcmpiA(argv[1], "/text") == 0) {
        HWND hWnd = FindWindowA(NULL, argv[2]);
        HWND hControl = hWnd != NULL ? GetDlgItem(hWnd, atoi(argv[3])) : NULL;
        return hControl != NULL && SendMessageA(hControl, WM_SETTEXT, 0, (LPARAM)argv[4]) ? 0 : 1;
    }
    if (argc == 5 && lstrcmpiA(argv[1], "/choose") == 0) {
        HWND hWnd = FindWindowA(NULL, argv[2]);
        HWND hControl = hWnd != NULL ? GetDlgItem(hWnd, atoi(argv[3])) : NULL;
        if (hControl == NULL || SendMessageA(hControl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)argv[4]) == CB_ERR)
            return 1;
        /* The window learns of it as of a choice from the list. */
        SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(atoi(argv[3]), CBN_SELCHANGE), (LPARAM)hControl);
        return 0;
    }
    if (argc == 4 && lstrcmpiA(argv[1], "/press") == 0) {
        POINT pt;
        if (!ControlMiddle(argv[2], atoi(argv[3]), &pt) || PointAt(argv[2], pt.x, pt.y, &ptScreen) != 0)
            return 1;
        ClickMouseButtonAt(ptScreen, false);
        return 0;
    }
    if (argc == 3 && lstrcmpiA(argv[1], "/front") == 0) {
        HWND hWnd = FindWindowA(NULL, argv[2]);
        RECT rWindow;
        if (hWnd == NULL || !GetWindowRect(hWnd, &rWindow))
            return 1;
        /* The first point of the title bar, left to right, that shows this window; its
           middle when other windows cover all of it. */
        POINT pt = { (rWindow.left + rWindow.right) / 2,
                     rWindow.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2 };
        /* Past the window menu's icon and short of the caption buttons. */
        for (LONG x = rWindow.left + 2 * GetSystemMetrics(SM_CXSIZE); x < rWindow.right - 4 * GetSystemMetrics(SM_CXSIZE);
             x += 8) {
            POINT ptTry = { x, pt.y };
            if (WindowFromPoint(ptTry) == hWnd) {
                pt = ptTry;
                break;
            }
        }
        if (!ScreenToClient(hWnd, &pt) || PointAt(argv[2], pt.x, pt.y, &ptScreen) != 0)
            return 1;
        ClickMouseButtonAt(ptScreen, false);
        return 0;
    }
    if (argc == 5 && lstrcmpiA(argv[1], "/point") == 0)
        return PointAt(argv[2], atoi(argv[3]), atoi(argv[4]), &ptScreen);
    if ((argc == 5 || argc == 6) && lstrcmpiA(argv[1], "/rclick") == 0) {
        if (PointAt(argv[2], atoi(argv[3]), atoi(argv[4]), &ptScreen) != 0)
            return 1;
        return ChooseFromMenuAt(ptScreen, argc == 6 ? argv[5] : "");
    }
    if (argc == 3 && (lstrcmpiA(argv[1], "/wait") == 0 || lstrcmpiA(argv[1], "/gone") == 0))
        return WaitForWindow(argv[2], lstrcmpiA(argv[1], "/wait") == 0) ? 0 : 1;
    if (argc == 3 && lstrcmpiA(argv[1], "/close") == 0) {
        HWND hWnd = FindWindowA(NULL, argv[2]);
        return hWnd != NULL && PostMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    }
    if (argc == 3 && lstrcmpiA(argv[1], "/type") == 0) {
        TypeKeys(argv[2]);
        return 0;
    }
    std::vector<tagTRAYENTRY> vEntries;
    if (!ReadTrayIcons(&vEntries)) {
        printf("the notification area cannot be read\n");
        return 2;
    }
    if (argc == 1) {
        for (const tagTRAYENTRY &te : vEntries)
            printf("icon at %ld,%ld: %s\n", te.rcScreen.left, te.rcScreen.top, te.strTip.c_str());
        if (vEntries.empty())
            printf("no icon\n");
        return vEntries.empty() ? 1 : 0;
    }
    if (vEntries.empty())
        return 1;
    const RECT &rc = vEntries[0].rcScreen;
    ptScreen = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    SetCursorPos(ptScreen.x, ptScreen.y);
    if (lstrcmpiA(argv[1], "/click") != 0 && lstrcmpiA(argv[1], "/menu") != 0)
        return 0;
    return ChooseFromMenuAt(ptScreen, argc == 3 ? argv[2] : "");
}
