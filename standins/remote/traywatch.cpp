/*
 * traywatch.cpp - reads the notification area of Wine's virtual desktop. The tray window
 * (explorer's "Shell_TrayWnd") paints the icons itself and keeps one tool per icon in its
 * tooltip control; the tools are read with the tooltip messages through a buffer placed in
 * explorer's memory, since those messages carry pointers that are not marshalled.
 */
#include "traywatch.h"
#include <commctrl.h>

/* Explorer's tooltip control of the tray: the tooltips window that the tray owns. */
static HWND FindTrayTooltip(HWND hTray)
{
    for (HWND hWnd = FindWindowExA(NULL, NULL, TOOLTIPS_CLASSA, NULL); hWnd != NULL;
         hWnd = FindWindowExA(NULL, hWnd, TOOLTIPS_CLASSA, NULL))
        if (GetWindow(hWnd, GW_OWNER) == hTray)
            return hWnd;
    return NULL;
}

/* A buffer in another process for one tool record and its text. */
struct tagREMOTETOOL {
    TTTOOLINFOW ti;
    WCHAR szText[128];
};

bool ReadTrayIcons(std::vector<tagTRAYENTRY> *pvEntries)
{
    pvEntries->clear();
    HWND hTray = FindWindowA("Shell_TrayWnd", NULL);
    if (hTray == NULL)
        return false;
    /* The tray makes its tooltip control with the first icon. */
    HWND hTooltip = FindTrayTooltip(hTray);
    if (hTooltip == NULL)
        return true;
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hTooltip, &dwProcessId);
    HANDLE hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, dwProcessId);
    if (hProcess == NULL)
        return false;
    tagREMOTETOOL *pRemote = (tagREMOTETOOL *)VirtualAllocEx(hProcess, NULL, sizeof(tagREMOTETOOL),
                                                             MEM_COMMIT, PAGE_READWRITE);
    bool bRead = pRemote != NULL;
    int iTools = bRead ? (int)SendMessageW(hTooltip, TTM_GETTOOLCOUNT, 0, 0) : 0;
    for (int i = 0; i < iTools && bRead; i++) {
        tagREMOTETOOL rtTool = {};
        rtTool.ti.cbSize = sizeof(TTTOOLINFOW);
        rtTool.ti.lpszText = pRemote->szText;
        SIZE_T cbDone;
        bRead = WriteProcessMemory(hProcess, pRemote, &rtTool, sizeof(rtTool), &cbDone)
                && SendMessageW(hTooltip, TTM_ENUMTOOLSW, (WPARAM)i, (LPARAM)&pRemote->ti)
                && ReadProcessMemory(hProcess, pRemote, &rtTool, sizeof(rtTool), &cbDone);
        if (!bRead)
            break;
        /* The tool of a deleted icon stays, with an empty rectangle. */
        if (IsRectEmpty(&rtTool.ti.rect))
            continue;
        tagTRAYENTRY teEntry;
        teEntry.rcScreen = rtTool.ti.rect;
        MapWindowPoints(rtTool.ti.hwnd, NULL, (POINT *)&teEntry.rcScreen, 2);
        rtTool.szText[127] = L'\0';
        char szTip[256];
        WideCharToMultiByte(CP_ACP, 0, rtTool.szText, -1, szTip, sizeof(szTip), NULL, NULL);
        teEntry.strTip = szTip;
        pvEntries->push_back(teEntry);
    }
    if (pRemote != NULL)
        VirtualFreeEx(hProcess, pRemote, 0, MEM_RELEASE);
    CloseHandle(hProcess);
    return bRead;
}

double IconMatch(const RECT &rcScreen, HICON hIcon)
{
    int cx = rcScreen.right - rcScreen.left, cy = rcScreen.bottom - rcScreen.top;
    int cxIcon = GetSystemMetrics(SM_CXSMICON), cyIcon = GetSystemMetrics(SM_CYSMICON);
    if (cx < cxIcon || cy < cyIcon || hIcon == NULL)
        return 0.0;
    HDC hdcScreen = GetDC(NULL);
    HDC hdcShot = CreateCompatibleDC(hdcScreen), hdcWant = CreateCompatibleDC(hdcScreen);
    HBITMAP hbmShot = CreateCompatibleBitmap(hdcScreen, cx, cy), hbmWant = CreateCompatibleBitmap(hdcScreen, cx, cy);
    HGDIOBJ hOldShot = SelectObject(hdcShot, hbmShot), hOldWant = SelectObject(hdcWant, hbmWant);
    BitBlt(hdcShot, 0, 0, cx, cy, hdcScreen, rcScreen.left, rcScreen.top, SRCCOPY);
    /* The icon is centred in its place; a corner shows the tray's background. */
    HBRUSH hbrBack = CreateSolidBrush(GetPixel(hdcShot, 0, 0));
    RECT rcAll = { 0, 0, cx, cy };
    FillRect(hdcWant, &rcAll, hbrBack);
    DeleteObject(hbrBack);
    int x = (cx - cxIcon) / 2, y = (cy - cyIcon) / 2;
    DrawIconEx(hdcWant, x, y, hIcon, cxIcon, cyIcon, 0, NULL, DI_NORMAL);
    int iSame = 0;
    for (int iy = y; iy < y + cyIcon; iy++)
        for (int ix = x; ix < x + cxIcon; ix++)
            if (GetPixel(hdcShot, ix, iy) == GetPixel(hdcWant, ix, iy))
                iSame++;
    SelectObject(hdcShot, hOldShot);
    SelectObject(hdcWant, hOldWant);
    DeleteObject(hbmShot);
    DeleteObject(hbmWant);
    DeleteDC(hdcShot);
    DeleteDC(hdcWant);
    ReleaseDC(NULL, hdcScreen);
    return (double)iSame / (cxIcon * cyIcon);
}
