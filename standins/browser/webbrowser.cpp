/*
 * webbrowser.cpp - a web browser for the web-address tests, built as IEXPLORE.EXE and as
 * NETSCAPE.EXE. Started with "-dde" it serves DDE as that browser does (service
 * "IEXPLORE" or "Netscape", topic "WWW_OpenURL") until its window is closed, and records
 * each execute and request; started otherwise, as the ".htm" open command, it records its
 * command line and ends. Records go to "browser.txt" in the report folder:
 *   start <PROGRAM> <arguments>
 *   connect <service> <topic>
 *   execute <service> <topic> <data>
 *   request <service> <topic> <item>
 *   disconnect <service>
 */
#include <windows.h>
#include <ddeml.h>
#include <string.h>
#include <string>
#include "report.h"

static const char szReportFile[] = "browser.txt";
static const char szTopic[] = "WWW_OpenURL";
static const char szServerClass[] = "OrvaneBrowserServer";
#define SERVER_LIFETIME_MS    120000   /* a forgotten server ends by itself */

/* The DDE service that each program name serves. */
struct tagBROWSER {
    LPCSTR lpszProgram;
    LPCSTR lpszService;
};
static const tagBROWSER aBrowsers[] = {
    { "IEXPLORE", "IEXPLORE" },
    { "NETSCAPE", "Netscape" },
};

static DWORD  idInst;
static HSZ    hszService;
static HSZ    hszTopic;
static char   szService[32];

static std::string StringOfHandle(HSZ hsz)
{
    char szText[1024] = "";
    DdeQueryStringA(idInst, hsz, szText, sizeof(szText), CP_WINANSI);
    return szText;
}

static void Record(LPCSTR lpszKind, HSZ hszTopicIn, const std::string &strText)
{
    std::string strLine = std::string(lpszKind) + " " + szService + " " +
                          StringOfHandle(hszTopicIn);
    if (!strText.empty())
        strLine += " " + strText;
    AppendReport(szReportFile, strLine.c_str());
}

static HDDEDATA CALLBACK ServerCallback(UINT uType, UINT uFmt, HCONV hConv, HSZ hsz1, HSZ hsz2,
                                        HDDEDATA hData, ULONG_PTR dwData1, ULONG_PTR dwData2)
{
    (void)uFmt; (void)hConv; (void)dwData1; (void)dwData2;
    switch (uType) {
    case XTYP_CONNECT:
        return (HDDEDATA)(ULONG_PTR)(DdeCmpStringHandles(hsz1, hszTopic) == 0 &&
                                     DdeCmpStringHandles(hsz2, hszService) == 0);
    case XTYP_CONNECT_CONFIRM:
        Record("connect", hsz1, std::string());
        break;
    case XTYP_DISCONNECT:
        AppendReport(szReportFile, (std::string("disconnect ") + szService).c_str());
        break;
    case XTYP_EXECUTE: {
        DWORD cbData = 0;
        LPBYTE lpData = DdeAccessData(hData, &cbData);
        std::string strData = lpData ? std::string((LPCSTR)lpData, strnlen((LPCSTR)lpData, cbData))
                                     : std::string();
        if (lpData != NULL)
            DdeUnaccessData(hData);
        Record("execute", hsz1, strData);
        return (HDDEDATA)DDE_FACK;
    }
    case XTYP_REQUEST: {
        Record("request", hsz1, StringOfHandle(hsz2));
        static const char szAnswer[] = "0";
        return DdeCreateDataHandle(idInst, (LPBYTE)szAnswer, sizeof(szAnswer), 0, hsz2, CF_TEXT, 0);
    }
    }
    return NULL;
}

/* Serves DDE until the server window (class OrvaneBrowserServer, titled with the
   service) is closed. */
static int RunServer(HINSTANCE hInst)
{
    if (DdeInitializeA(&idInst, ServerCallback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS |
                       CBF_SKIP_UNREGISTRATIONS, 0) != DMLERR_NO_ERROR)
        return 1;
    hszService = DdeCreateStringHandleA(idInst, szService, CP_WINANSI);
    hszTopic = DdeCreateStringHandleA(idInst, szTopic, CP_WINANSI);
    DdeNameService(idInst, hszService, NULL, DNS_REGISTER);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = StandinWndProc;
    wc.hInstance = hInst;
    wc.lpszClassName = szServerClass;
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowA(szServerClass, szService, WS_OVERLAPPED, 0, 0, 0, 0, NULL, NULL,
                              hInst, NULL);
    LimitLifetime(hWnd, SERVER_LIFETIME_MS);
    RunMessageLoop();
    DdeNameService(idInst, hszService, NULL, DNS_UNREGISTER);
    DdeFreeStringHandle(idInst, hszService);
    DdeFreeStringHandle(idInst, hszTopic);
    DdeUninitialize(idInst);
    return 0;
}

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPrevInst, LPSTR lpszCmdLine, int nCmdShow)
{
    (void)hPrevInst; (void)lpszCmdLine; (void)nCmdShow;
    char szProgram[MAX_PATH];
    GetProgramName(szProgram, sizeof(szProgram));
    CharUpperA(szProgram);
    lstrcpynA(szService, szProgram, sizeof(szService));
    for (const tagBROWSER &browser : aBrowsers)
        if (strcmp(szProgram, browser.lpszProgram) == 0)
            lstrcpynA(szService, browser.lpszService, sizeof(szService));

    LPCSTR lpszArguments = GetArguments();
    if (strcmp(lpszArguments, "-dde") == 0)
        return RunServer(hInst);
    AppendReport(szReportFile, (std::string("start ") + szProgram + " " + lpszArguments).c_str());
    return 0;
}
