/*
 * config_bench.cpp - what a configuration run costs, each figure next to its floor,
 * measured in the same run:
 * - opening (MouseButtons until the picture of the remote is first painted: the 207 button
 *   values read and converted, the picture loaded and drawn) next to the raw registry reads
 *   of the same 207 values (open, query, close each) plus a bare dialog of the same
 *   template and size that loads and shows the same picture and closes after its first
 *   paint: what any window showing that picture costs;
 * - the model's reads alone (the button tree built, no window) next to the raw reads;
 * - closing (every value converted, and what changed written back) next to the raw writes.
 * Prints figures only.
 *
 *   scripts/wine-session.sh wine build/bin/config_bench.exe [ROUNDS]
 */
#include <windows.h>
#include <windowsx.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "but32.h"
#include "rem32_layout.h"
#include "dlgcrack.h"
#include "picture.h"
#include "testsupport.h"
#include "OrvaneStore.h"

namespace {

const char szRoot[] = ORVANE_ROOT_KEY;
const char *const pszModeKeys[] = { "PC", "WEB", "PHONE", "DVD", "CD" };

/* Every button value by key and name, as the run reads and writes them. */
struct tagVALUE {
    std::string strKey, strName, strData;
};
std::vector<tagVALUE> vValues;

/* A realistic assignment for button code c of mode m: most buttons carry a function. */
std::string Command(int m, int c)
{
    static const char *const pszCommands[] = {
        "LAUNCH\"C:\\windows\\notepad.exe\x7Freadme.txt\"", "WEBADDRESS\"http://example.org/\"",
        "MCIPLAY\"cdaudio\"", "PAGEUP,TYPE", "WRITE\"Hello \"\"you\"\"\"", "SELECT,CLOSE",
        "HOTKEY\"10010\"", "MESSAGE\"[0010:0:0]\"", "", "MIXERMUTE" };
    return pszCommands[(m * 7 + c) % (sizeof(pszCommands) / sizeof(pszCommands[0]))];
}

void Populate()
{
    char szDirectory[MAX_PATH];
    GetModuleFileNameA(NULL, szDirectory, sizeof(szDirectory));
    *strrchr(szDirectory, '\\') = '\0';
    Write("Settings", "WorkingDirectory", szDirectory);
    for (int m = 0; m < 5; m++) {
        Write("Mode", std::to_string(m + 1).c_str(), pszModeKeys[m]);
        for (int c = 0; c <= 40; c++) {
            std::string strName = c == 40 ? "Default" : std::to_string(c);
            vValues.push_back({ std::string(szRoot) + "\\" + pszModeKeys[m], strName, Command(m, c) });
        }
    }
    for (int c = 0; c < 2; c++)
        vValues.push_back({ std::string(szRoot) + "\\Default", std::to_string(c), Command(5, c) });
    for (const tagVALUE &v : vValues)
        Write(v.strKey.c_str() + sizeof(szRoot), v.strName.c_str(), v.strData.c_str());
}

void RawReads()
{
    for (const tagVALUE &v : vValues) {
        HKEY hKey;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, v.strKey.c_str(), 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
            continue;
        char szData[513];
        DWORD cbData = sizeof(szData);
        RegQueryValueExA(hKey, v.strName.c_str(), NULL, NULL, (BYTE *)szData, &cbData);
        RegCloseKey(hKey);
    }
}

void RawWrites()
{
    for (const tagVALUE &v : vValues) {
        HKEY hKey;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, v.strKey.c_str(), 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
            continue;
        RegSetValueExA(hKey, v.strName.c_str(), 0, REG_SZ, (const BYTE *)v.strData.c_str(),
                       (DWORD)v.strData.size());
        RegCloseKey(hKey);
    }
}

/* The bare dialog: the picture of the remote's template, sized and painted as the picture
   dialog is, and nothing else. */
struct tagBARE {
    HBITMAP  hBitmap;
    HPALETTE hPalette;
} bare;

BOOL BareOnInitDialog(HWND hDlg, HWND hFocus, LPARAM lParam)
{
    (void)hFocus;
    (void)lParam;
    char szFile[MAX_PATH] = "";
    GetStringRes(IDS_REMOTE_BMP, szFile, sizeof(szFile));
    HDC hDC = GetDC(hDlg);
    SIZE szBitmap = {};
    if (CreateBitmapFromFile(hDC, szFile, &bare.hBitmap, &bare.hPalette)) {
        BITMAP bm;
        GetObjectA(bare.hBitmap, sizeof(bm), &bm);
        szBitmap.cx = bm.bmWidth;
        szBitmap.cy = bm.bmHeight;
    }
    ReleaseDC(hDlg, hDC);
    SIZE szScreen = { GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN) };
    RECT rWindow;
    int iPage;
    GetPicturePlacement(szBitmap, szScreen, GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYFRAME),
                        GetSystemMetrics(SM_CYCAPTION), &rWindow, &iPage);
    MoveWindow(hDlg, rWindow.left, rWindow.top, rWindow.right - rWindow.left, rWindow.bottom - rWindow.top, FALSE);
    return TRUE;
}

void BareOnPaint(HWND hDlg)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hDlg, &ps);
    HDC hMemDC = CreateCompatibleDC(hDC);
    HBITMAP hOld = SelectBitmap(hMemDC, bare.hBitmap);
    HPALETTE hOldPalette = bare.hPalette != NULL ? SelectPalette(hDC, bare.hPalette, FALSE) : NULL;
    RealizePalette(hDC);
    BitBlt(hDC, 0, 0, PANEL_WIDTH, ps.rcPaint.bottom, hMemDC, 0, 0, SRCCOPY);
    if (hOldPalette != NULL)
        SelectPalette(hDC, hOldPalette, FALSE);
    SelectBitmap(hMemDC, hOld);
    DeleteDC(hMemDC);
    EndPaint(hDlg, &ps);
}

void BareOnCommand(HWND hDlg, int iID, HWND hCtl, UINT uiNotify)
{
    (void)hCtl;
    (void)uiNotify;
    if (iID == IDCANCEL)
        EndDialog(hDlg, 0);
}

void BareOnDestroy(HWND hDlg)
{
    (void)hDlg;
    DeleteBitmap(bare.hBitmap);
    if (bare.hPalette != NULL)
        DeletePalette(bare.hPalette);
    bare = {};
}

INT_PTR CALLBACK BareDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, BareOnInitDialog);
        HANDLE_DLGMSG(hDlg, WM_PAINT, BareOnPaint);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, BareOnCommand);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, BareOnDestroy);
    }
    return FALSE;
}

/* Microseconds to build the button tree from the registry (taking it down again is not
   counted: nothing changed, so it compares and writes nothing). */
double ModelReads()
{
    tagREMOTE *pr = NULL;
    double dBegin = Seconds();
    CreateButtonList(&pr);
    double dRead = (Seconds() - dBegin) * 1e6;
    DestroyButtonList(&pr);
    return dRead;
}

/* Moments of one run, taken on the dialog's own thread. */
double dStart, dPainted, dClosing, dReturned;
bool bPaintSeen;

/* Watches the dialog's thread: after the picture's first paint has been handled (the
   marker posted when the paint arrives comes next), it notes the time and closes. */
LRESULT CALLBACK WatchRun(int iCode, WPARAM wParam, LPARAM lParam)
{
    MSG *pMsg = (MSG *)lParam;
    if (iCode == HC_ACTION && wParam == PM_REMOVE) {
        if (pMsg->message == WM_PAINT && !bPaintSeen) {
            bPaintSeen = true;
            PostMessageA(pMsg->hwnd, WM_APP, 0, 0);
        } else if (pMsg->message == WM_APP && bPaintSeen && dPainted == 0) {
            dPainted = Seconds();
            dClosing = Seconds();
            PostMessageA(pMsg->hwnd, WM_COMMAND, IDCANCEL, 0);
        }
    }
    return CallNextHookEx(NULL, iCode, wParam, lParam);
}

/* One whole run on this thread of a dialog that shows the picture, the configuration's as
   the tray program runs it or the bare one; microseconds to open and to close. */
template <typename Open>
bool Run(Open open, double *pdOpen, double *pdClose)
{
    dStart = dPainted = dClosing = dReturned = 0;
    bPaintSeen = false;
    HHOOK hHook = SetWindowsHookExA(WH_GETMESSAGE, WatchRun, NULL, GetCurrentThreadId());
    dStart = Seconds();
    open();
    dReturned = Seconds();
    UnhookWindowsHookEx(hHook);
    *pdOpen = (dPainted - dStart) * 1e6;
    *pdClose = (dReturned - dClosing) * 1e6;
    return dPainted != 0;
}

template <typename Work>
double Time(Work work)
{
    double dBegin = Seconds();
    work();
    return (Seconds() - dBegin) * 1e6;
}

void Report(const char *pszCase, const char *pszRaw, const std::vector<double> &run, const std::vector<double> &raw)
{
    double dRun = Median(run), dRaw = Median(raw);
    printf("%-28s run %9.1f us   %s %9.1f us   ratio %.2f\n", pszCase, dRun, pszRaw, dRaw, dRun / dRaw);
}

} // namespace

int main(int argc, char **argv)
{
    int iRounds = argc > 1 ? atoi(argv[1]) : 9;
    if (iRounds < 1)
        iRounds = 1;
    /* The library's modules are compiled in; its resources come from the built library. */
    hInstance = LoadLibraryA("Brenvik.dll");
    if (hInstance == NULL) {
        printf("config_bench: Brenvik.dll is not there\n");
        return 1;
    }
    Populate();
    auto Configure = [] { MouseButtons(NULL); };
    auto Bare = [] { DialogBoxRes(IDD_BUTTONS, NULL, BareDlgProc); };
    double dOpen, dClose;
    if (!Run(Configure, &dOpen, &dClose) || !Run(Bare, &dOpen, &dClose)) {   /* warm-up: files, fonts, caches */
        printf("config_bench: the picture of the remote did not open\n");
        return 1;
    }
    std::vector<double> open, close, reads, writes, bareOpen, model, floor;
    /* Interleaved, so that every figure sees the same state of the machine. */
    for (int i = 0; i < iRounds; i++) {
        reads.push_back(Time(RawReads));
        if (!Run(Configure, &dOpen, &dClose))
            return 1;
        open.push_back(dOpen);
        close.push_back(dClose);
        writes.push_back(Time(RawWrites));
        if (!Run(Bare, &dOpen, &dClose))
            return 1;
        bareOpen.push_back(dOpen);
        floor.push_back(reads.back() + dOpen);
        model.push_back(ModelReads());
    }
    printf("A configuration run with %u button values, median of %d runs:\n", (unsigned)vValues.size(), iRounds);
    Report("open to the first picture", "floor     ", open, floor);
    printf("%-28s     %9.1f us   of the floor\n", "  the bare dialog", Median(bareOpen));
    Report("model's reads, no window", "raw reads ", model, reads);
    Report("close, what changed written", "raw writes", close, writes);
    printf("targets: open <= 1.20 x floor (raw reads + bare dialog), model <= 1.10 x raw reads, "
           "close <= 1.20 x raw writes\n");
    return 0;
}
