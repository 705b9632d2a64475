/*
 * keys_bench.cpp - typing rate of WRITE: a 200-character text typed through Corvalin's
 * ParseFunction into the probe's edit control, next to the same key events handed to one
 * direct SendInput call, in the same run. Prints figures; asserts nothing about time.
 *
 *   keys_bench.exe [ROUNDS]
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <string>
#include <vector>
#include "Corvalin.h"
#include "Corvalin_keys.h"
#include "probe_client.h"
#include "testsupport.h"

static const char szText[] =
    "The quick brown fox jumps over the lazy dog; PACK MY BOX WITH FIVE DOZEN LIQUOR JUGS! "
    "1234567890 (a+b)*c=d [e] {f} <g> h|i ~j `k' l:m? n/o \\p @q #r $s %t ^u &v _w -x .y ,z zz "
    "Sphinx of black quartz!!!";

static HWND hEdit;

static int EditLength()
{
    DWORD_PTR dwLength = 0;
    SendMessageTimeoutA(hEdit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &dwLength);
    return (int)dwLength;
}

static std::string EditText()
{
    char sz[512] = "";
    SendMessageTimeoutA(hEdit, WM_GETTEXT, sizeof(sz), (LPARAM)sz, SMTO_ABORTIFHUNG, 2000, NULL);
    return sz;
}

static double Seconds(LARGE_INTEGER liFrom)
{
    LARGE_INTEGER liNow, liFrequency;
    QueryPerformanceCounter(&liNow);
    QueryPerformanceFrequency(&liFrequency);
    return (double)(liNow.QuadPart - liFrom.QuadPart) / (double)liFrequency.QuadPart;
}

/* One typing run: the time the call that types took, and the time until the edit
   control held the whole text (negative when it never did), in seconds. */
struct tagRUN {
    double dCall;
    double dTyped;
};

/* Waits (pumping messages) until the edit control holds the whole text; seconds taken
   since liStart, or a negative value when it never does. */
static double WaitForText(LARGE_INTEGER liStart, int iLength)
{
    while (EditLength() < iLength) {
        if (Seconds(liStart) > 30)
            return -1;
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(1);
    }
    double dSeconds = Seconds(liStart);
    return EditText() == szText ? dSeconds : -1;
}

/* The events WRITE queues for the text, as SendInput records. */
static std::vector<INPUT> TextInputs()
{
    std::vector<INPUT> inputs;
    AddKeyStrokes(szText);
    for (LPEVENTINFO p = lpHookInfo->lpFirstEvent; p != NULL; p = p->lpNextEventInfo) {
        INPUT in;
        EventToInput(&p->EventMsg, &in);
        inputs.push_back(in);
    }
    while (lpHookInfo != NULL)
        JournalPlaybackProc(HC_SKIP, 0, 0);
    return inputs;
}

static tagRUN TypeDirect(const std::vector<INPUT> &inputs)
{
    SendMessageA(hEdit, WM_SETTEXT, 0, (LPARAM)"");
    std::vector<INPUT> copy(inputs);
    LARGE_INTEGER liStart;
    QueryPerformanceCounter(&liStart);
    SendInput((UINT)copy.size(), copy.data(), sizeof(INPUT));
    tagRUN run;
    run.dCall = Seconds(liStart);
    run.dTyped = WaitForText(liStart, (int)strlen(szText));
    return run;
}

static tagRUN TypeWrite(HWND hClipOwner)
{
    SendMessageA(hEdit, WM_SETTEXT, 0, (LPARAM)"");
    std::string strCommand = std::string("WRITE\"") + szText + "\"";
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back('\0');
    LARGE_INTEGER liStart;
    QueryPerformanceCounter(&liStart);
    ParseFunction(hClipOwner, command.data());
    tagRUN run;
    run.dCall = Seconds(liStart);
    run.dTyped = WaitForText(liStart, (int)strlen(szText));
    return run;
}

int main(int argc, char **argv)
{
    int iRounds = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    ProbeProcess pp;
    HWND hFrame = NULL;
    if (StartProbe(&pp, "keys_bench", { "typist,100,100,900,220,typing,keepopen" })) {
        hFrame = ProbeWindow("typist");
        WaitFor([&] { return GetForegroundWindow() == hFrame; });
    }
    hEdit = ProbeControl("typist", "Edit");
    HWND hClipOwner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    if (hEdit == NULL || (GetKeyState(VK_CAPITAL) & 1)) {
        fprintf(stderr, "keys_bench: no probe with the focus, or Caps Lock is on\n");
        StopProbe(&pp);
        return 1;
    }

    std::vector<INPUT> inputs = TextInputs();
    size_t cchText = strlen(szText);
    printf("text: %u characters, %u key events\n", (unsigned)cchText, (unsigned)inputs.size());

    /* The first WRITE also finds out whether the system serves the playback hook. */
    tagRUN first = TypeWrite(hClipOwner);
    printf("first WRITE (with the playback-hook check): typed in %.1f ms\n", first.dTyped * 1000);

    std::vector<double> direct, write, directCall, writeCall;
    int iFailed = first.dTyped < 0;
    for (int i = 0; i < iRounds; i++) {
        tagRUN d = TypeDirect(inputs);
        tagRUN w = TypeWrite(hClipOwner);
        printf("round %d: direct SendInput call %.1f ms, typed %.1f ms; "
               "WRITE call %.1f ms, typed %.1f ms\n",
               i + 1, d.dCall * 1000, d.dTyped * 1000, w.dCall * 1000, w.dTyped * 1000);
        if (d.dTyped < 0 || w.dTyped < 0) {
            iFailed++;
            continue;
        }
        direct.push_back(d.dTyped);
        write.push_back(w.dTyped);
        directCall.push_back(d.dCall);
        writeCall.push_back(w.dCall);
    }
    if (!direct.empty()) {
        double dDirectRate = cchText / Median(direct);
        double dWriteRate = cchText / Median(write);
        printf("median call: direct SendInput %.1f ms, WRITE %.1f ms\n",
               Median(directCall) * 1000, Median(writeCall) * 1000);
        printf("median rate: direct SendInput %.0f characters/s, WRITE %.0f characters/s, "
               "WRITE/direct %.2f (target 0.80)\n", dDirectRate, dWriteRate, dWriteRate / dDirectRate);
    }
    if (iFailed)
        printf("%d typing runs did not produce the text\n", iFailed);

    StopProbe(&pp);
    DeleteFileA(pp.strLog.c_str());
    DestroyWindow(hClipOwner);
    return iFailed ? 1 : 0;
}
