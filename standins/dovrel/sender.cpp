/*
 * sender.cpp - Dovrel's command-line senders for the home-automation tests, built as
 * OSTREL.EXE and HAVRIK.EXE: each records "run <PROGRAM> <arguments>" to "dovrel.txt" in
 * the report folder and ends.
 */
#include <windows.h>
#include <string>
#include "report.h"

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPrevInst, LPSTR lpszCmdLine, int nCmdShow)
{
    (void)hInst; (void)hPrevInst; (void)lpszCmdLine; (void)nCmdShow;
    char szProgram[MAX_PATH];
    GetProgramName(szProgram, sizeof(szProgram));
    CharUpperA(szProgram);
    AppendReport("dovrel.txt", (std::string("run ") + szProgram + " " + GetArguments()).c_str());
    return 0;
}
