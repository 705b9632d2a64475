/*
 * Corvalin_launch.cpp - LAUNCH, LAUNCHSIZE and WEBADDRESS.
 *
 * A launch argument (read in Corvalin_launch_args.cpp) is started with CreateProcess; when
 * that fails it is tried again with the file as application name, then through WinExec,
 * which also searches the system path, and last, for a bare name, from the App Paths where
 * the configuration also finds it.
 *
 * A web address goes by DDE to a running browser when the ".htm" open command names one
 * we can talk to; otherwise the shell opens it, and last the browser command is run.
 */
#include <windows.h>
#include <shellapi.h>
#include <ddeml.h>
#include <stdio.h>
#include <string.h>
#include "Corvalin.h"
#include "Corvalin_launch.h"
#include "Corvalin_internal.h"
#include "programpath.h"

/* Browser recognition, and what each browser's DDE server expects. */
static const char szHtmClass[]        = ".htm";
static const char szOpenCommand[]     = "\\shell\\open\\command";
static const char szExeExtension[]    = ".exe";
static const char szIExploreExe[]     = "IEXPLORE.EXE";
static const char szNetscapeExe[]     = "NETSCAPE.EXE";
static const char szIExploreService[] = "IEXPLORE";
static const char szNetscapeService[] = "Netscape";
static const char szURLTopic[]        = "WWW_OpenURL";
static const char szIExploreTail[]    = ",,-1,,,,,";
static const char szNetscapeTail[]    = ",,0xffffffff,0x4,,,";
static const char szURLFormat[]       = "\"%s\"%s";

/* The DDE conversation with a browser: one at a time, alive for one address only. */
static DWORD       idURLInst;
static HSZ         hszURLService;
static HSZ         hszURLTopic;
static HSZ         hszItem;
static HCONV       hURLConvApp;
static PFNCALLBACK lpfnURLDDEProc = URLCallBack;

/* A bare name the search path does not know, registered under App Paths: started from the
   registered file, in its folder, with the argument's command line and window place. */
static void LaunchFromAppPaths(const tagLAUNCH *pla)
{
    char szProgram[MAX_PATH];
    if (!FindAppPath(pla->szFileName, szProgram, sizeof(szProgram)))
        return;
    char szDir[MAX_PATH];
    GetDir(szProgram, szDir, sizeof(szDir));
    char szCommand[sizeof(szProgram) + LAUNCH_BUFFER + 3];
    snprintf(szCommand, sizeof(szCommand), pla->szCmdLine[0] ? "\"%s\" %s" : "\"%s\"",
             szProgram, pla->szCmdLine);
    STARTUPINFOA si = pla->si;
    PROCESS_INFORMATION pi;
    if (CreateProcessA(szProgram, szCommand, NULL, NULL, FALSE, 0, NULL, szDir, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

/* WinExec starts a program in the current folder: the argument's folder, for this start
   only. The process keeps its own, rather than holding on to the folder of whatever it
   tried to start last. */
static UINT WinExecIn(LPCSTR lpszDir, LPCSTR lpszCommand)
{
    char szOwnDir[MAX_PATH];
    DWORD cchOwnDir = GetCurrentDirectoryA(sizeof(szOwnDir), szOwnDir);
    SetCurrentDirectoryA(lpszDir);
    UINT uiResult = WinExec(lpszCommand, SW_SHOWNORMAL);
    if (cchOwnDir > 0 && cchOwnDir < sizeof(szOwnDir))
        SetCurrentDirectoryA(szOwnDir);
    return uiResult;
}

int LaunchApp(LPCSTR lpszFunction)
{
    tagLAUNCH la;
    if (!ReadLaunch(lpszFunction, &la))
        return 1;

    /* CreateProcess may write into the command line: give each attempt its own copy. */
    char szAttempt[sizeof(la.szFullCmd)];
    PROCESS_INFORMATION pi;
    ZeroMemory(&pi, sizeof(pi));
    memcpy(szAttempt, la.szFullCmd, sizeof(la.szFullCmd));
    BOOL bStarted = CreateProcessA(NULL, szAttempt, NULL, NULL, FALSE, 0, NULL, la.szDir, &la.si, &pi);
    if (!bStarted) {
        memcpy(szAttempt, la.szCmdLine, sizeof(la.szCmdLine));
        bStarted = CreateProcessA(la.szFileName, szAttempt, NULL, NULL, FALSE, 0, NULL, la.szDir,
                                  &la.si, &pi);
    }
    if (bStarted) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else if (WinExecIn(la.szDir, la.szFullCmd) <= 31) {
        LaunchFromAppPaths(&la);
    }
    return 1;
}

/* ---- Registry and browser commands ------------------------------------------------- */

LONG GetRegKey(HKEY hKey, LPCSTR lpszSubKey, LPSTR lpszKeyData, int iSize)
{
    HKEY hSubKey;
    lpszKeyData[0] = '\0';
    LONG lResult = RegOpenKeyExA(hKey, lpszSubKey, 0, KEY_QUERY_VALUE, &hSubKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    DWORD dwType = 0, cbData = (DWORD)iSize - 1;
    if (RegQueryValueExA(hSubKey, NULL, NULL, &dwType, (LPBYTE)lpszKeyData, &cbData) !=
            ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
        cbData = 0;
    lpszKeyData[cbData] = '\0';
    RegCloseKey(hSubKey);
    return lResult;
}

int GetBrowserCommand(LPSTR lpszCommand, int iSize)
{
    char szKey[BROWSER_KEY_BUFFER];
    if (GetRegKey(HKEY_CLASSES_ROOT, szHtmClass, szKey, sizeof(szKey)) != ERROR_SUCCESS ||
        strlen(szKey) + strlen(szOpenCommand) >= sizeof(szKey)) {
        lpszCommand[0] = '\0';
        return 0;
    }
    strcat(szKey, szOpenCommand);
    return GetRegKey(HKEY_CLASSES_ROOT, szKey, lpszCommand, iSize) == ERROR_SUCCESS;
}

static char LowerChar(char ch)
{
    return (ch >= 'A' && ch <= 'Z') ? (char)(ch + ('a' - 'A')) : ch;
}

void ToLowerCase(LPSTR lpszString)
{
    for (; *lpszString; lpszString++)
        *lpszString = LowerChar(*lpszString);
}

int ContainString(LPCSTR lpszA, LPCSTR lpszB)
{
    size_t cchB = strlen(lpszB);
    for (; *lpszA; lpszA++) {
        size_t i = 0;
        while (i < cchB && lpszA[i] && LowerChar(lpszA[i]) == LowerChar(lpszB[i]))
            i++;
        if (i == cchB)
            return 1;
    }
    return cchB == 0;
}

/* A zero-filled local-heap copy of cch characters of lpsz. */
static LPSTR LocalCopy(LPCSTR lpsz, size_t cch)
{
    LPSTR lpszCopy = (LPSTR)LocalAlloc(LPTR, cch + 1);
    if (lpszCopy != NULL)
        memcpy(lpszCopy, lpsz, cch);
    return lpszCopy;
}

LPSTR GetExecutableName(LPCSTR lpszString)
{
    LPSTR lpszLower = LocalCopy(lpszString, strlen(lpszString));
    if (lpszLower == NULL)
        return NULL;
    ToLowerCase(lpszLower);

    LPSTR lpszName = NULL;
    LPSTR lpszExe = strstr(lpszLower, szExeExtension);
    if (lpszExe != NULL) {
        lpszExe[sizeof(szExeExtension) - 1] = '\0';
        LPSTR lpszSlash = strrchr(lpszLower, '\\');
        LPSTR lpszStart = lpszSlash ? lpszSlash + 1 : lpszLower;
        lpszName = LocalCopy(lpszStart, strlen(lpszStart));
    }
    LocalFree(lpszLower);
    return lpszName;
}

/* The DDE message for a browser: the address in quotes followed by lpszTail, a new
   local-heap string (null when out of memory). */
static LPSTR FormatURLMessage(LPCSTR lpszAddress, LPCSTR lpszTail)
{
    size_t cbMessage = strlen(lpszAddress) + strlen(lpszTail) + 3;
    LPSTR lpszMessage = (LPSTR)LocalAlloc(LPTR, cbMessage);
    if (lpszMessage != NULL)
        snprintf(lpszMessage, cbMessage, szURLFormat, lpszAddress, lpszTail);
    return lpszMessage;
}

/* Cuts a browser command where its "%1" placeholder begins (quoted or not). */
static void CutAtPlaceholder(LPSTR lpszCommand)
{
    LPSTR lpszCut = strstr(lpszCommand, "\"%1\"");
    if (lpszCut == NULL)
        lpszCut = strstr(lpszCommand, "%1");
    if (lpszCut != NULL)
        *lpszCut = '\0';
}

/* ---- DDE with a running browser ---------------------------------------------------- */

extern "C" HDDEDATA CALLBACK URLCallBack(UINT uType, UINT uFmt, HCONV hConv, HSZ hsz1,
                                         HSZ hsz2, HDDEDATA hData, ULONG_PTR dwData1,
                                         ULONG_PTR dwData2)
{
    (void)uFmt; (void)hConv; (void)hsz1; (void)hsz2; (void)hData; (void)dwData1; (void)dwData2;
    if (uType == XTYP_DISCONNECT)
        hURLConvApp = NULL;
    return NULL;
}

int CloseURLDDELink(void)
{
    if (idURLInst != 0) {
        if (hURLConvApp != NULL)
            DdeDisconnect(hURLConvApp);
        HSZ *aphsz[] = { &hszURLService, &hszURLTopic, &hszItem };
        for (HSZ *phsz : aphsz)
            if (*phsz != NULL)
                DdeFreeStringHandle(idURLInst, *phsz);
        DdeUninitialize(idURLInst);
    }
    hURLConvApp = NULL;
    hszURLService = hszURLTopic = hszItem = NULL;
    idURLInst = 0;
    return 1;
}

int OpenURLDDELink(HINSTANCE hInst, LPCSTR lpszMessage, LPCSTR lpszService, LPCSTR lpszTopic)
{
    if (hInst == NULL)
        return 0;
    idURLInst = 0;
    if (DdeInitializeA(&idURLInst, lpfnURLDDEProc, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        idURLInst = 0;
        return 0;
    }
    hszURLService = DdeCreateStringHandleA(idURLInst, lpszService, CP_WINANSI);
    hszURLTopic = DdeCreateStringHandleA(idURLInst, lpszTopic, CP_WINANSI);
    hURLConvApp = (hszURLService && hszURLTopic)
                      ? DdeConnect(idURLInst, hszURLService, hszURLTopic, NULL) : NULL;
    if (hURLConvApp == NULL) {
        CloseURLDDELink();
        return 0;
    }

    if (lstrcmpiA(lpszService, szIExploreService) == 0) {
        DdeClientTransaction((LPBYTE)lpszMessage, (DWORD)strlen(lpszMessage) + 1, hURLConvApp,
                             NULL, CF_TEXT, XTYP_EXECUTE, TIMEOUT_ASYNC, NULL);
    } else if (lstrcmpiA(lpszService, szNetscapeService) == 0) {
        hszItem = DdeCreateStringHandleA(idURLInst, lpszMessage, CP_WINANSI);
        if (hszItem != NULL)
            DdeClientTransaction(NULL, 0, hURLConvApp, hszItem, CF_TEXT, XTYP_REQUEST,
                                 TIMEOUT_ASYNC, NULL);
    }
    return 1;
}

int OpenURLPage(HINSTANCE hInst, LPCSTR lpszMessage, LPCSTR lpszService, LPCSTR lpszTopic)
{
    if (hInst == NULL || lpszMessage == NULL)
        return 0;
    if (!OpenURLDDELink(hInst, lpszMessage, lpszService, lpszTopic))
        return 0;
    CloseURLDDELink();
    return 1;
}

int LaunchBrowserDDE(LPCSTR lpszAddress)
{
    char szCommand[BROWSER_KEY_BUFFER];
    GetBrowserCommand(szCommand, sizeof(szCommand));

    LPSTR lpszName = GetExecutableName(szCommand);
    if (lpszName == NULL)
        return 0;

    LPCSTR lpszService = NULL, lpszTail = NULL;
    if (ContainString(lpszName, szIExploreExe)) {
        lpszService = szIExploreService;
        lpszTail = szIExploreTail;
    } else if (ContainString(lpszName, szNetscapeExe)) {
        lpszService = szNetscapeService;
        lpszTail = szNetscapeTail;
    }
    LocalFree(lpszName);
    if (lpszService == NULL)
        return 0;

    LPSTR lpszMessage = FormatURLMessage(lpszAddress, lpszTail);
    int iResult = OpenURLPage(hInstance, lpszMessage, lpszService, szURLTopic);
    if (lpszMessage != NULL)
        LocalFree(lpszMessage);
    return iResult;
}

int LaunchBrowser(LPCSTR lpszAddress, int iShowCmd)
{
    if ((INT_PTR)ShellExecuteA(NULL, "open", lpszAddress, NULL, NULL, iShowCmd) > 32)
        return 1;

    char szCommand[BROWSER_KEY_BUFFER];
    if (!GetBrowserCommand(szCommand, sizeof(szCommand)))
        return 0;
    CutAtPlaceholder(szCommand);
    if ((INT_PTR)ShellExecuteA(NULL, "open", szCommand, lpszAddress, NULL, iShowCmd) > 32)
        return 1;

    size_t cbRun = strlen(szCommand) + strlen(lpszAddress) + 2;
    LPSTR lpszRun = (LPSTR)LocalAlloc(LPTR, cbRun);
    if (lpszRun == NULL)
        return 0;
    snprintf(lpszRun, cbRun, "%s %s", szCommand, lpszAddress);
    UINT uiResult = WinExec(lpszRun, (UINT)iShowCmd);
    LocalFree(lpszRun);
    return uiResult > 31;
}

extern "C" int WINAPI SendWebAddress(LPCSTR lpszAddress, int iShowCmd)
{
    if (lpszAddress == NULL)
        return 0;
    if (LaunchBrowserDDE(lpszAddress))
        return 1;
    return LaunchBrowser(lpszAddress, iShowCmd);
}
