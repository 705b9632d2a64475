/*
 * task32.cpp - the task switcher window: built from Brenvik's captionless template, it
 * lists the main windows of the desktop as icons, lets the remote move between them
 * (cursor or Left/Right) and brings the chosen one to the front on Enter or a click.
 * Painting is composed off screen so that moving the highlight does not flicker.
 */
#include <windows.h>
#include <windowsx.h>
#include <shellapi.h>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Corvalin_internal.h"
#include "virtk32.h"
#include "task32.h"
#include "dlgcrack.h"

/* The open switcher, one at a time: everything it holds, released and cleared in one step
   when its window goes. */
static struct tagTASK32 {
    HWND      hTaskWindow;        /* the open switcher, or null */
    LPAPPLIST lpAppList;
    HWND     *lphWindowList;
    int       iCurrentWnd;        /* current item, from 1 */
    int       iButDown;           /* item pressed with the mouse button, 0 for none */
    BOOL      bButDown;           /* mouse button held */
    POINT     pMouse;
    RECT      rTextRect;          /* the name area */
    HBRUSH    hBrush;             /* background */
    POINT     ptPlaced;           /* where the switcher last put the cursor (client) */
    DWORD     dwPlacedTime;       /* and when */
} task32;

#define PLACED_ECHO_TIME    250     /* milliseconds in which other pointer reports are echoes */

/* Colours. */
#define CR_BACKGROUND       RGB(192, 192, 192)
#define CR_LIGHT            RGB(255, 255, 255)
#define CR_SHADOW           RGB(92, 92, 92)
#define CR_CURRENT_TOP      RGB(0, 10, 195)
#define CR_CURRENT_BOTTOM   RGB(0, 10, 80)
#define CR_PRESSED          RGB(0, 192, 192)

/* Frame widths and offsets, in pixels. */
#define WINDOW_FRAME_WIDTH  3
#define NAME_FRAME_WIDTH    3
#define NAME_FRAME_OUTSET   3
#define CURRENT_FRAME_WIDTH 2
#define ICON_OFFSET         4       /* icon inside its frame */
#define NAME_TEXT_INSET     5
#define NAME_TEXT_TOP       3
#define TASK_NAME_LENGTH    260     /* names are copied up to 259 characters */

/* ---- Drawing --------------------------------------------------------------------------- */

static void DrawString(HDC hDC, RECT rTextRect, LPCSTR lpszStr)
{
    if (lpszStr == NULL || lpszStr[0] == '\0')
        return;
    int iHeight = (int)(0.7 * (rTextRect.bottom - rTextRect.top));
    HFONT hFont = CreateFontA(iHeight, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                              VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
    HFONT hOldFont = SelectFont(hDC, hFont);
    int iOldMode = SetBkMode(hDC, TRANSPARENT);
    int iFirst = FindMaxTextLength(hDC, rTextRect.right - rTextRect.left - NAME_TEXT_INSET, lpszStr);
    TextOutA(hDC, rTextRect.left + NAME_TEXT_INSET, rTextRect.top + NAME_TEXT_TOP,
             lpszStr + iFirst, lstrlenA(lpszStr + iFirst));
    SetBkMode(hDC, iOldMode);
    SelectFont(hDC, hOldFont);
    DeleteFont(hFont);
}

/* The sunken frame around the name area. */
static void DrawTextFrame(HDC hDC, RECT rRect)
{
    InflateRect(&rRect, NAME_FRAME_OUTSET, NAME_FRAME_OUTSET);
    DrawGFrame(hDC, rRect, NAME_FRAME_WIDTH, CR_SHADOW, CR_LIGHT);
}

/* An item's icon inside its frame; Brenvik's default icon when the item has none (a
   shared resource icon, which is not destroyed). */
static void DrawItemIcon(HDC hDC, LPAPPITEM lpItem, int x, int y)
{
    HICON hIcon = lpItem->hIcon != NULL ? lpItem->hIcon : GetIconRes(IDI_TASK_FALLBACK);
    if (hIcon != NULL)
        DrawIcon(hDC, x + ICON_OFFSET, y + ICON_OFFSET, hIcon);
}

static void DetailWindow(HWND hTaskWnd, HDC hDC, RECT rArea, RECT rTextRect, LPAPPLIST lpAppList,
                         int iCurrentWnd, int iButDown, BOOL bButDown)
{
    RECT rMeet, rFrame;
    LPAPPITEM lpItem;

    FillRect(hDC, &rArea, task32.hBrush);

    if (IntersectRect(&rMeet, &rArea, &rTextRect)) {
        GetInfoFromList(lpAppList, iCurrentWnd, &lpItem);
        if (lpItem != NULL)
            DrawString(hDC, rTextRect, lpItem->lpszName);
        DrawTextFrame(hDC, rTextRect);
    }

    RECT rClient;
    GetClientRect(hTaskWnd, &rClient);
    DrawGFrame(hDC, rClient, WINDOW_FRAME_WIDTH, CR_LIGHT, CR_SHADOW);

    int i = 1;
    for (lpItem = lpAppList->lpFirstItem; lpItem != NULL; lpItem = lpItem->lpNextItem, i++) {
        GetFrameRect(i, &rFrame);
        RECT rIcon = rFrame;
        GetIconRect(&rIcon);
        if (IntersectRect(&rMeet, &rArea, &rIcon))
            DrawItemIcon(hDC, lpItem, rFrame.left, rFrame.top);
    }

    /* The pressed item: its frame filled, its icon on top. */
    if (bButDown && GetInfoFromList(lpAppList, iButDown, &lpItem)) {
        GetFrameRect(iButDown, &rFrame);
        HBRUSH hPressed = CreateSolidBrush(CR_PRESSED);
        FillRect(hDC, &rFrame, hPressed);
        DeleteBrush(hPressed);
        DrawItemIcon(hDC, lpItem, rFrame.left, rFrame.top);
    }

    GetFrameRect(iCurrentWnd, &rFrame);
    if (IntersectRect(&rMeet, &rArea, &rFrame))
        DrawGFrame(hDC, rFrame, CURRENT_FRAME_WIDTH, CR_CURRENT_TOP, CR_CURRENT_BOTTOM);
}

/* Repaints the frames of two items and the name area at once. */
static void RedrawItems(HWND hTaskWnd, int iFirst, int iSecond)
{
    const int iItems[] = { iFirst, iSecond };
    for (int i : iItems) {
        if (i < 1)
            continue;
        RECT rFrame;
        GetFrameRect(i, &rFrame);
        InvalidateRect(hTaskWnd, &rFrame, FALSE);
    }
    RECT rName = task32.rTextRect;
    InflateRect(&rName, NAME_FRAME_OUTSET + NAME_FRAME_WIDTH, NAME_FRAME_OUTSET + NAME_FRAME_WIDTH);
    InvalidateRect(hTaskWnd, &rName, FALSE);
    UpdateWindow(hTaskWnd);
}

/* ---- Placement --------------------------------------------------------------------------- */

/* Client point to screen, then the cursor goes there. */
static void MoveCursor(HWND hWnd, int iX, int iY)
{
    task32.ptPlaced.x = iX;
    task32.ptPlaced.y = iY;
    task32.dwPlacedTime = GetTickCount();
    POINT pt = { iX, iY };
    ClientToScreen(hWnd, &pt);
    SetCursorPos(pt.x, pt.y);
}

static void MoveCursorToItem(HWND hTaskWnd, int iItem)
{
    RECT rFrame;
    GetFrameRect(iItem, &rFrame);
    MoveCursor(hTaskWnd, (rFrame.left + rFrame.right) / 2, (rFrame.top + rFrame.bottom) / 2);
}

/* Topmost, shown, in the middle of the screen's working area. */
static void PlaceCenter(HWND hWnd)
{
    RECT rClient;
    GetClientRect(hWnd, &rClient);
    int x = (GetSystemMetrics(SM_CXFULLSCREEN) - rClient.right) >> 1;
    int y = (GetSystemMetrics(SM_CYFULLSCREEN) - rClient.bottom) >> 1;
    SetWindowPos(hWnd, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

/* ---- Building the list ------------------------------------------------------------------- */

/* The icon shown for a window: the first icon of its program file, else its class icon
   (large, then small). Every icon returned is the caller's own, to destroy. */
static HICON GetWindowIcon(HWND hWnd)
{
    char szPath[MAX_PATH];
    if (ProcessNameFromWindow(hWnd, szPath, sizeof(szPath))) {
        HICON hIcon = ExtractIconA(hInstance, szPath, 0);
        /* 1 means the file exists but holds no icon. */
        if (hIcon != NULL && hIcon != (HICON)1)
            return hIcon;
    }
    HICON hClassIcon = (HICON)GetClassLongPtrA(hWnd, GCLP_HICON);
    if (hClassIcon == NULL)
        hClassIcon = (HICON)GetClassLongPtrA(hWnd, GCLP_HICONSM);
    return hClassIcon != NULL ? CopyIcon(hClassIcon) : NULL;
}

/* Fills task32.lpAppList from the enumerated handles; returns the number of the active window's
   item (0 when it is not listed), or -1 when memory ran out. */
static int BuildAppList(HWND hActive)
{
    task32.lpAppList = (LPAPPLIST)LocalAlloc(LPTR, sizeof(APPLIST));
    if (task32.lpAppList == NULL)
        return -1;
    int iActive = 0;
    for (int i = 0; task32.lphWindowList[i] != NULL; i++) {
        HWND hWnd = task32.lphWindowList[i];
        char szName[TASK_NAME_LENGTH] = "";
        GetWindowTextA(hWnd, szName, sizeof(szName));
        HICON hIcon = GetWindowIcon(hWnd);
        if (!AddInfoToList(task32.lpAppList, hWnd, hIcon, szName)) {
            if (hIcon != NULL)
                DestroyIcon(hIcon);
            return -1;
        }
        if (hWnd == hActive)
            iActive = i + 1;
    }
    return iActive;
}

/* ---- Message handlers -------------------------------------------------------------------- */

static BOOL OnInitDialog(HWND hTaskWnd, HWND hFocusWnd, LPARAM lParam)
{
    (void)hFocusWnd;
    (void)lParam;
    task32.hTaskWindow = hTaskWnd;
    task32.lphWindowList = (HWND *)LocalAlloc(LPTR, sizeof(HWND));
    if (task32.lphWindowList != NULL)
        EnumWindows(EnumTaskWindowProc, (LPARAM)&task32.lphWindowList);
    if (task32.lphWindowList == NULL || task32.lphWindowList[0] == NULL) {
        DestroyWindow(hTaskWnd);
        return FALSE;
    }

    if (task32.hBrush == NULL)
        task32.hBrush = CreateSolidBrush(CR_BACKGROUND);
    int iActive = BuildAppList(GetActiveWindow());
    LocalFree(task32.lphWindowList);
    task32.lphWindowList = NULL;
    if (iActive < 0) {
        DestroyWindow(hTaskWnd);
        return FALSE;
    }
    /* The active window's item, else the first: the name area always shows a window. */
    task32.iCurrentWnd = iActive > 0 ? iActive : 1;

    SIZE size = GetTaskWindowSize(task32.lpAppList->iNumberOfItem);
    SetWindowPos(hTaskWnd, NULL, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    RECT rClient;
    GetClientRect(hTaskWnd, &rClient);
    task32.rTextRect = GetNameArea(rClient);

    PlaceCenter(hTaskWnd);
    MoveCursorToItem(hTaskWnd, 1);
    task32.bButDown = FALSE;
    task32.iButDown = 0;
    SetFocus(hTaskWnd);
    SetForegroundWindow(hTaskWnd);
    return FALSE;
}

static void OnDestroy(HWND hTaskWnd)
{
    if (task32.hTaskWindow != hTaskWnd)
        return;
    /* Freed here so that a switcher destroyed from outside leaks nothing either. */
    DeleteInfoList(&task32.lpAppList);
    if (task32.lphWindowList != NULL)
        LocalFree(task32.lphWindowList);
    if (task32.hBrush != NULL)
        DeleteBrush(task32.hBrush);
    task32 = {};
}

static void OnPaint(HWND hTaskWnd)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hTaskWnd, &ps);
    if (task32.lpAppList != NULL && ps.rcPaint.right > 0 && ps.rcPaint.bottom > 0) {
        /* Composed on a bitmap reaching the invalid rectangle's far corner. */
        HDC hMemDC = CreateCompatibleDC(hDC);
        HBITMAP hBitmap = CreateCompatibleBitmap(hDC, ps.rcPaint.right, ps.rcPaint.bottom);
        HBITMAP hOldBitmap = SelectBitmap(hMemDC, hBitmap);
        DetailWindow(hTaskWnd, hMemDC, ps.rcPaint, task32.rTextRect, task32.lpAppList, task32.iCurrentWnd, task32.iButDown, task32.bButDown);
        BitBlt(hDC, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, hMemDC, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        SelectBitmap(hMemDC, hOldBitmap);
        DeleteBitmap(hBitmap);
        DeleteDC(hMemDC);
    }
    EndPaint(hTaskWnd, &ps);
}

/* Brings the current item's window to the front and closes the switcher. */
static void SwitchToCurrent(HWND hTaskWnd)
{
    LPAPPITEM lpItem;
    if (GetInfoFromList(task32.lpAppList, task32.iCurrentWnd, &lpItem) && IsWindow(lpItem->hWnd)) {
        SetForegroundWindow(lpItem->hWnd);
        SetActiveWindow(lpItem->hWnd);
        SetFocus(lpItem->hWnd);
        if (IsIconic(lpItem->hWnd))
            ShowWindow(lpItem->hWnd, SW_RESTORE);
    }
    DestroyWindow(hTaskWnd);
}

static void MakeCurrent(HWND hTaskWnd, int iItem)
{
    int iOld = task32.iCurrentWnd;
    task32.iCurrentWnd = iItem;
    RedrawItems(hTaskWnd, iOld, iItem);
}

static void OnKey(HWND hTaskWnd, UINT vk, BOOL fDown, int cRepeat, UINT flags)
{
    (void)fDown;
    (void)cRepeat;
    (void)flags;
    if (task32.lpAppList == NULL)
        return;
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
        MakeCurrent(hTaskWnd, StepItem(task32.iCurrentWnd, vk == VK_LEFT ? -1 : 1, task32.lpAppList->iNumberOfItem));
        MoveCursorToItem(hTaskWnd, task32.iCurrentWnd);
        break;
    case VK_RETURN:
        SwitchToCurrent(hTaskWnd);
        break;
    }
}

static void OnMouseMove(HWND hTaskWnd, int x, int y, UINT keyFlags)
{
    /* Right after the switcher placed the cursor, a report of the pointer elsewhere is
       an echo of where it was before (some display servers send one): it would take the
       highlight back to the item the keys just left. */
    if (GetTickCount() - task32.dwPlacedTime < PLACED_ECHO_TIME && (x != task32.ptPlaced.x || y != task32.ptPlaced.y))
        return;
    task32.bButDown = keyFlags == MK_LBUTTON;
    task32.pMouse.x = x;
    task32.pMouse.y = y;
    int iItem = GetRectFromPoint(task32.lpAppList, &task32.pMouse, NULL);
    if (task32.bButDown || iItem == 0 || iItem == task32.iCurrentWnd)
        return;
    MakeCurrent(hTaskWnd, iItem);
}

static void OnLButtonDown(HWND hTaskWnd, BOOL fDoubleClick, int x, int y, UINT keyFlags)
{
    (void)fDoubleClick;
    (void)keyFlags;
    task32.pMouse.x = x;
    task32.pMouse.y = y;
    task32.bButDown = TRUE;
    int iItem = GetRectFromPoint(task32.lpAppList, &task32.pMouse, NULL);
    if (iItem == 0)
        return;
    /* A press without a move before it still presses the item under the pointer. */
    task32.iButDown = iItem;
    MakeCurrent(hTaskWnd, iItem);
}

static void OnLButtonUp(HWND hTaskWnd, int x, int y, UINT keyFlags)
{
    (void)keyFlags;
    task32.pMouse.x = x;
    task32.pMouse.y = y;
    BOOL bWasDown = task32.bButDown;
    int iPressed = task32.iButDown;
    task32.bButDown = FALSE;
    task32.iButDown = 0;
    int iItem = GetRectFromPoint(task32.lpAppList, &task32.pMouse, NULL);
    if (iItem == 0) {
        if (bWasDown)
            RedrawItems(hTaskWnd, task32.iCurrentWnd, iPressed);
    } else if (iItem == iPressed) {
        PostMessageA(hTaskWnd, WM_KEYDOWN, VK_RETURN, 0);
    } else {
        /* Released over another item: it becomes current; the pressed one looks raised again. */
        MakeCurrent(hTaskWnd, iItem);
        RedrawItems(hTaskWnd, iPressed, 0);
    }
}

static HBRUSH OnCtlColor(HWND hTaskWnd, HDC hDC, HWND hChild, int iType)
{
    (void)hTaskWnd;
    (void)hChild;
    (void)iType;
    SetBkColor(hDC, CR_BACKGROUND);
    return task32.hBrush;
}

extern "C" INT_PTR CALLBACK TaskDlgProc(HWND hTaskWnd, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uMessage) {
        HANDLE_DLGMSG(hTaskWnd, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(hTaskWnd, WM_DESTROY, OnDestroy);
        HANDLE_DLGMSG(hTaskWnd, WM_PAINT, OnPaint);
        HANDLE_DLGMSG(hTaskWnd, WM_KEYDOWN, OnKey);
        HANDLE_DLGMSG(hTaskWnd, WM_MOUSEMOVE, OnMouseMove);
        HANDLE_DLGMSG(hTaskWnd, WM_LBUTTONDOWN, OnLButtonDown);
        HANDLE_DLGMSG(hTaskWnd, WM_LBUTTONUP, OnLButtonUp);
        HANDLE_DLGMSG(hTaskWnd, WM_CTLCOLORMSGBOX, OnCtlColor);
        HANDLE_DLGMSG(hTaskWnd, WM_CTLCOLOREDIT, OnCtlColor);
        HANDLE_DLGMSG(hTaskWnd, WM_CTLCOLORLISTBOX, OnCtlColor);
        HANDLE_DLGMSG(hTaskWnd, WM_CTLCOLORBTN, OnCtlColor);
        HANDLE_DLGMSG(hTaskWnd, WM_CTLCOLORDLG, OnCtlColor);
        HANDLE_DLGMSG(hTaskWnd, WM_CTLCOLORSCROLLBAR, OnCtlColor);
        HANDLE_DLGMSG(hTaskWnd, WM_CTLCOLORSTATIC, OnCtlColor);
    }
    return FALSE;
}

void OpenTaskSwitcher(HWND hOwner)
{
    if (task32.hTaskWindow == NULL)
        CreateDialogRes(IDD_TASKS, hOwner, TaskDlgProc);
}
