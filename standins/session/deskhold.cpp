/*
 * deskhold.cpp - holds the test session's desktop open. Wine closes a desktop a second
 * after the last program on it ends; a program that starts just then gets a desktop that
 * is going away, and its windows (a message box, say) vanish unseen or are never made.
 * This program stays on the desktop, with one message-only window that no window list
 * shows, until the session's Wine server ends. A second copy ends at once.
 */
#include <windows.h>

static const char szMutexName[] = "OrvaneSessionDesktopHold";
static const char szClassName[] = "OrvaneDeskHold";

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpszCmdLine, int nCmdShow)
{
    (void)hPrevInstance;
    (void)lpszCmdLine;
    (void)nCmdShow;
    HANDLE hMutex = CreateMutexA(NULL, FALSE, szMutexName);
    if (hMutex == NULL || GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;

    /* Asking for the desktop window starts the desktop if it is not there yet. */
    GetDesktopWindow();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = hInstance;
    wc.lpszClassName = szClassName;
    if (!RegisterClassA(&wc) ||
        !CreateWindowA(szClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, hInstance, NULL))
        return 1;

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    CloseHandle(hMutex);
    return 0;
}
