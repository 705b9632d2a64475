/*
 * task32.h - the task switcher inside Corvalin.dll: a captionless window with one icon
 * for every main window on the desktop, five to a row, and the title of the current one
 * underneath. Shared by its source files, the dispatcher (NEXTTASK) and the entry point.
 */
#ifndef ORVANE_TASK32_H
#define ORVANE_TASK32_H

#include <windows.h>

/* One listed window. The list owns the icon and the name. */
struct tagAPPITEM {
    HWND        hWnd;
    HICON       hIcon;          /* null: Brenvik's default icon is drawn */
    LPSTR       lpszName;       /* local-heap copy of the title */
    tagAPPITEM *lpNextItem;
};
typedef tagAPPITEM APPITEM, *LPAPPITEM;

/* The listed windows in list order; items are numbered from 1. */
struct tagAPPLIST {
    LPAPPITEM lpFirstItem;
    LPAPPITEM lpLastItem;
    int       iNumberOfItem;
};
typedef tagAPPLIST APPLIST, *LPAPPLIST;

extern "C" INT_PTR CALLBACK TaskDlgProc(HWND hTaskWnd, UINT uMessage, WPARAM wParam, LPARAM lParam);

/* NEXTTASK: opens the switcher, owned by hOwner, unless one is open already (one at a
   time). */
void OpenTaskSwitcher(HWND hOwner);

/* ---- Which windows are listed (task32_apps.cpp) ---------------------------------------- */

/* Whether a top-level window belongs in the switcher: visible, with a caption bit, a
   title, and not the shell's "Program Manager" on a version that reports minor 95 or more.
   dwVersion is what GetVersion returns. */
BOOL IsTaskWindow(LPCSTR lpszTitle, BOOL bVisible, LONG lStyle, DWORD dwVersion);

/* Appends hWnd to the null-terminated local-heap array *lplphList, which is reallocated one
   entry larger; returns 0 (array unchanged) when memory runs out. */
int AppendWindowHandle(HWND **lplphList, HWND hWnd);

/* EnumWindows callback: lParam points at the growing array (HWND **). */
extern "C" BOOL CALLBACK EnumTaskWindowProc(HWND hWnd, LPARAM lParam);

/* The item list. AddInfoToList copies the name and takes over the icon; 1 on success.
   DeleteInfoList destroys the icons, frees names, items and list and clears *lplpList.
   GetInfoFromList finds item i (from 1); null and 0 when i is outside 1 to the count. */
int  AddInfoToList(LPAPPLIST lpList, HWND hWnd, HICON hIcon, LPCSTR lpszStr);
void DeleteInfoList(LPAPPLIST *lplpList);
int  GetInfoFromList(LPAPPLIST lpList, int i, LPAPPITEM *lplpItem);

/* The executable path of the process that owns hWnd; nonzero when it was written. The
   running platform's naming functions are bound at the first call. */
int ProcessNameFromWindow(HWND hWnd, LPSTR pszProcName, int iBufSize);

/* ---- Layout (task32_layout.cpp; no window is touched) ---------------------------------- */

#define TASK_COLUMNS        5

/* Frame of item iIcon (from 1): the icon square grown by 4 pixels on every side. */
void GetFrameRect(int iIcon, LPRECT lprRect);
/* Turns a frame into the icon area that repaint tests use. */
void GetIconRect(LPRECT lprRect);
/* Number of the first item whose frame holds the point (and that frame), or 0. */
int  GetRectFromPoint(LPAPPLIST lpList, LPPOINT lppPoint, LPRECT lprRect);
/* Outer size of a switcher listing iItems windows. */
SIZE GetTaskWindowSize(int iItems);
/* The name area inside a client rectangle. */
RECT GetNameArea(RECT rClient);
/* Item number after a step of iStep from iCurrent, kept within 1 to iCount. */
int  StepItem(int iCurrent, int iStep, int iCount);
/* Index of the first character of the longest tail of lpszStr no wider than iRectWidth. */
int  FindMaxTextLength(HDC hDC, int iRectWidth, LPCSTR lpszStr);

#endif /* ORVANE_TASK32_H */
