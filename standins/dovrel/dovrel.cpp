/*
 * dovrel.cpp - Dovrel's communications windows for the home-automation tests.
 *   dovrel.exe [zendra=<answer>] [tamberlin=<answer>]
 * opens the window of class "ZendraClass" titled "Dovrel(TM) Communications" and/or the
 * window of class "TAMBERLIN" titled "Dovrel Communications Driver (v2.0)". Each answers
 * WM_COPYDATA with its chosen number and records to "dovrel.txt" in the report folder:
 *   copydata <class> code=<dwData> size=<cbData> sender=<wParam in hex> text=<text>
 * Closing either window ends the program.
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "report.h"

#define LIFETIME_MS    120000   /* a forgotten stand-in ends by itself */

/* The windows Dovrel opens, the argument that asks for each and its answer. */
struct tagDOVRELWINDOW {
    LPCSTR  lpszArgument;
    LPCSTR  lpszClass;
    LPCSTR  lpszTitle;
    LRESULT lAnswer;
    HWND    hWnd;
};
static tagDOVRELWINDOW aWindows[] = {
    { "zendra=",    "ZendraClass", "Dovrel(TM) Communications",           0, NULL },
    { "tamberlin=", "TAMBERLIN",   "Dovrel Communications Driver (v2.0)", 0, NULL },
};

static tagDOVRELWINDOW *FindEntry(HWND hWnd)
{
    for (tagDOVRELWINDOW &window : aWindows)
        if (window.hWnd == hWnd)
            return &window;
    return NULL;
}

static BOOL OnCopyData(HWND hWnd, HWND hWndFrom, PCOPYDATASTRUCT pcds)
{
    tagDOVRELWINDOW *pWindow = FindEntry(hWnd);
    std::string strText;
    if (pcds->lpData != NULL)
        strText.assign((LPCSTR)pcds->lpData, strnlen((LPCSTR)pcds->lpData, pcds->cbData));
    char szHead[200];
    snprintf(szHead, sizeof(szHead), "copydata %s code=%lu size=%lu sender=%lx text=",
             pWindow ? pWindow->lpszClass : "?", (unsigned long)pcds->dwData,
             (unsigned long)pcds->cbData, (unsigned long)(ULONG_PTR)hWndFrom);
    AppendReport("dovrel.txt", (szHead + strText).c_str());
    return pWindow ? (BOOL)pWindow->lAnswer : FALSE;
}

static LRESULT CALLBACK DovrelWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    /* The cracker for WM_COPYDATA drops the handler's answer, which is the point here. */
    if (uMsg == WM_COPYDATA)
        return OnCopyData(hWnd, (HWND)wParam, (PCOPYDATASTRUCT)lParam);
    return StandinWndProc(hWnd, uMsg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPrevInst, LPSTR lpszCmdLine, int nCmdShow)
{
    (void)hPrevInst; (void)nCmdShow;
    BOOL bOpened = FALSE;
    for (tagDOVRELWINDOW &window : aWindows) {
        LPCSTR lpszAsked = strstr(lpszCmdLine, window.lpszArgument);
        if (lpszAsked == NULL)
            continue;
        window.lAnswer = atol(lpszAsked + strlen(window.lpszArgument));
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DovrelWndProc;
        wc.hInstance = hInst;
        wc.lpszClassName = window.lpszClass;
        RegisterClassA(&wc);
        window.hWnd = CreateWindowA(window.lpszClass, window.lpszTitle, WS_OVERLAPPED, 0, 0, 0, 0,
                                    NULL, NULL, hInst, NULL);
        LimitLifetime(window.hWnd, LIFETIME_MS);
        bOpened = TRUE;
    }
    return bOpened ? RunMessageLoop() : 1;
}
