/*
 * launchprobe.cpp - a program for the launch tests to start. It reports what it was
 * started with (command line, current directory, startup record) and where its main
 * window, created with every coordinate left to the system, came to lie; then it ends.
 * The record goes to "launch.txt" in the report folder, one "key=value" per line,
 * ended by "end".
 */
#include <windows.h>
#include <stdio.h>
#include <string>
#include "report.h"

static const char szProbeClass[] = "OrvaneLaunchProbe";

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPrevInst, LPSTR lpszCmdLine, int nCmdShow)
{
    (void)hPrevInst;
    (void)lpszCmdLine;

    STARTUPINFOA si;
    GetStartupInfoA(&si);
    char szCurDir[MAX_PATH];
    GetCurrentDirectoryA(sizeof(szCurDir), szCurDir);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = StandinWndProc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = szProbeClass;
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowA(szProbeClass, "Launch probe", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hInst, NULL);
    RECT rcWindow = {};
    if (hWnd != NULL) {
        ShowWindow(hWnd, nCmdShow);
        GetWindowRect(hWnd, &rcWindow);
    }

    char szStartup[200];
    snprintf(szStartup, sizeof(szStartup),
             "flags=%lu\r\nx=%ld\r\ny=%ld\r\ncx=%ld\r\ncy=%ld\r\nshow=%u\r\ncmdshow=%d\r\n"
             "window=%ld,%ld,%ld,%ld\r\nend",
             si.dwFlags, (long)si.dwX, (long)si.dwY, (long)si.dwXSize, (long)si.dwYSize,
             si.wShowWindow, nCmdShow, rcWindow.left, rcWindow.top,
             rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top);
    std::string strRecord = std::string("cmdline=") + GetCommandLineA() + "\r\nargs=" +
                            GetArguments() + "\r\ncwd=" + szCurDir + "\r\n" + szStartup;
    AppendReport("launch.txt", strRecord.c_str());

    if (hWnd == NULL)
        return 1;
    DestroyWindow(hWnd);
    return RunMessageLoop();
}
