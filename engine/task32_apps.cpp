/*
 * task32_apps.cpp - the applications the task switcher lists: which top-level windows
 * qualify, the handle array the enumeration grows, the item list, and the program file
 * behind a window (toolhelp on the Windows 95 family, psapi on Windows NT, both bound at
 * run time because neither exists on the other family).
 */
#include <windows.h>
#include <tlhelp32.h>
#include <string.h>
#include "task32.h"

/* ---- Which windows are listed ---------------------------------------------------------- */

#define TASK_TITLE_LENGTH   256     /* titles are read up to 255 characters */

BOOL IsTaskWindow(LPCSTR lpszTitle, BOOL bVisible, LONG lStyle, DWORD dwVersion)
{
    /* The minor version sits in the high byte of GetVersion's low word. */
    if (lstrcmpiA(lpszTitle, "Program Manager") == 0 && HIBYTE(LOWORD(dwVersion)) >= 95)
        return FALSE;
    if (!bVisible || (lStyle & WS_CAPTION) == 0)
        return FALSE;
    return lpszTitle[0] != '\0';
}

int AppendWindowHandle(HWND **lplphList, HWND hWnd)
{
    int iCount = 0;
    if (*lplphList != NULL)
        while ((*lplphList)[iCount] != NULL)
            iCount++;

    /* One entry more than before, plus the terminator; zero-filled. */
    HWND *lphNew = (HWND *)LocalAlloc(LPTR, (iCount + 2) * sizeof(HWND));
    if (lphNew == NULL)
        return 0;
    if (iCount > 0)
        memcpy(lphNew, *lplphList, iCount * sizeof(HWND));
    lphNew[iCount] = hWnd;
    if (*lplphList != NULL)
        LocalFree(*lplphList);
    *lplphList = lphNew;
    return 1;
}

extern "C" BOOL CALLBACK EnumTaskWindowProc(HWND hWnd, LPARAM lParam)
{
    char szTitle[TASK_TITLE_LENGTH] = "";
    GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    if (!IsTaskWindow(szTitle, IsWindowVisible(hWnd), GetWindowLongA(hWnd, GWL_STYLE), GetVersion()))
        return TRUE;
    return AppendWindowHandle((HWND **)lParam, hWnd);
}

/* ---- The item list ---------------------------------------------------------------------- */

int AddInfoToList(LPAPPLIST lpList, HWND hWnd, HICON hIcon, LPCSTR lpszStr)
{
    if (lpList == NULL)
        return 0;
    LPAPPITEM lpItem = (LPAPPITEM)LocalAlloc(LPTR, sizeof(APPITEM));
    if (lpItem == NULL)
        return 0;
    if (lpszStr != NULL) {
        lpItem->lpszName = (LPSTR)LocalAlloc(LPTR, strlen(lpszStr) + 1);
        if (lpItem->lpszName == NULL) {
            LocalFree(lpItem);
            return 0;
        }
        strcpy(lpItem->lpszName, lpszStr);
    }
    lpItem->hWnd = hWnd;
    lpItem->hIcon = hIcon;

    if (lpList->lpLastItem != NULL)
        lpList->lpLastItem->lpNextItem = lpItem;
    else
        lpList->lpFirstItem = lpItem;
    lpList->lpLastItem = lpItem;
    lpList->iNumberOfItem++;
    return 1;
}

void DeleteInfoList(LPAPPLIST *lplpList)
{
    if (*lplpList == NULL)
        return;
    LPAPPITEM lpItem = (*lplpList)->lpFirstItem;
    while (lpItem != NULL) {
        LPAPPITEM lpNext = lpItem->lpNextItem;
        if (lpItem->hIcon != NULL)
            DestroyIcon(lpItem->hIcon);
        if (lpItem->lpszName != NULL)
            LocalFree(lpItem->lpszName);
        LocalFree(lpItem);
        lpItem = lpNext;
    }
    LocalFree(*lplpList);
    *lplpList = NULL;
}

int GetInfoFromList(LPAPPLIST lpList, int i, LPAPPITEM *lplpItem)
{
    *lplpItem = NULL;
    if (lpList == NULL || i < 1 || i > lpList->iNumberOfItem)
        return 0;
    LPAPPITEM lpItem = lpList->lpFirstItem;
    while (--i > 0 && lpItem != NULL)
        lpItem = lpItem->lpNextItem;
    *lplpItem = lpItem;
    return lpItem != NULL;
}

/* ---- Program naming --------------------------------------------------------------------- */

typedef HANDLE (WINAPI *CREATESNAPSHOTPROC)(DWORD dwFlags, DWORD th32ProcessID);
typedef BOOL (WINAPI *PROCESSWALKPROC)(HANDLE hSnapshot, LPPROCESSENTRY32 lppe);
typedef BOOL (WINAPI *ENUMMODULEPROC)(HANDLE hProcess, HMODULE *lphModule, DWORD cb, LPDWORD lpcbNeeded);
typedef DWORD (WINAPI *MODULENAMEEXPROC)(HANDLE hProcess, HMODULE hModule, LPSTR lpFilename, DWORD nSize);

/* Bound at the first lookup, not while the system loads Corvalin: a library's entry point
   may not load another library. The library stays loaded while the process runs. */
static struct tagNAMING {
    BOOL               bBound;          /* binding was tried */
    DWORD              dwPlatformId;
    CREATESNAPSHOTPROC pfnCreateSnapshot;
    PROCESSWALKPROC    pfnProcessFirst;
    PROCESSWALKPROC    pfnProcessNext;
    ENUMMODULEPROC     pfnEnumModule;
    MODULENAMEEXPROC   pfnModuleNameEx;
} naming;

static void LoadFuncAddress(void)
{
    naming.bBound = TRUE;
    OSVERSIONINFOA osvi;
    ZeroMemory(&osvi, sizeof(osvi));
    osvi.dwOSVersionInfoSize = sizeof(osvi);
    if (!GetVersionExA(&osvi))
        return;
    naming.dwPlatformId = osvi.dwPlatformId;

    if (naming.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        HMODULE hKernel = GetModuleHandleA("kernel32.dll");
        if (hKernel == NULL)
            return;
        naming.pfnCreateSnapshot = (CREATESNAPSHOTPROC)(void *)GetProcAddress(hKernel, "CreateToolhelp32Snapshot");
        naming.pfnProcessFirst = (PROCESSWALKPROC)(void *)GetProcAddress(hKernel, "Process32First");
        naming.pfnProcessNext = (PROCESSWALKPROC)(void *)GetProcAddress(hKernel, "Process32Next");
    } else if (naming.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        HMODULE hPsapi = LoadLibraryA("psapi.dll");
        if (hPsapi == NULL)
            return;
        naming.pfnEnumModule = (ENUMMODULEPROC)(void *)GetProcAddress(hPsapi, "EnumProcessModules");
        naming.pfnModuleNameEx = (MODULENAMEEXPROC)(void *)GetProcAddress(hPsapi, "GetModuleFileNameExA");
    }
}

/* Windows 95 family: the process snapshot's entry for the window's process. */
static int ProcessNameFromSnapshot(DWORD dwProcessId, LPSTR pszProcName, int iBufSize)
{
    if (naming.pfnCreateSnapshot == NULL || naming.pfnProcessFirst == NULL || naming.pfnProcessNext == NULL)
        return 0;
    HANDLE hSnapshot = naming.pfnCreateSnapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE || hSnapshot == NULL)
        return 0;
    PROCESSENTRY32 pe;
    ZeroMemory(&pe, sizeof(pe));
    pe.dwSize = sizeof(pe);
    int iFound = 0;
    for (BOOL bMore = naming.pfnProcessFirst(hSnapshot, &pe); bMore && !iFound;
         bMore = naming.pfnProcessNext(hSnapshot, &pe)) {
        if (pe.th32ProcessID == dwProcessId) {
            lstrcpynA(pszProcName, pe.szExeFile, iBufSize);
            iFound = 1;
        }
    }
    CloseHandle(hSnapshot);
    return iFound;
}

/* Windows NT: the file of the process's first module. */
static int ProcessNameFromModule(DWORD dwProcessId, LPSTR pszProcName, int iBufSize)
{
    if (naming.pfnEnumModule == NULL || naming.pfnModuleNameEx == NULL)
        return 0;
    HANDLE hProcess = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, dwProcessId);
    if (hProcess == NULL)
        return 0;
    HMODULE hModule = NULL;
    DWORD cbNeeded = 0;
    int iFound = 0;
    if (naming.pfnEnumModule(hProcess, &hModule, sizeof(hModule), &cbNeeded) && cbNeeded > 0)
        iFound = naming.pfnModuleNameEx(hProcess, hModule, pszProcName, (DWORD)iBufSize) > 0;
    CloseHandle(hProcess);
    return iFound;
}

int ProcessNameFromWindow(HWND hWnd, LPSTR pszProcName, int iBufSize)
{
    if (pszProcName == NULL || iBufSize <= 0)
        return 0;
    DWORD dwProcessId = 0;
    if (GetWindowThreadProcessId(hWnd, &dwProcessId) == 0)
        return 0;
    if (!naming.bBound)
        LoadFuncAddress();
    switch (naming.dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS:
        return ProcessNameFromSnapshot(dwProcessId, pszProcName, iBufSize);
    case VER_PLATFORM_WIN32_NT:
        return ProcessNameFromModule(dwProcessId, pszProcName, iBufSize);
    default:
        return 0;
    }
}
