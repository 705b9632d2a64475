/*
 * task32_layout.cpp - where things sit in the task switcher: icons five to a row, each in
 * a frame, the window's size for a given number of items, the name area at the bottom,
 * and how much of a long title fits in it. Arithmetic only; no window is touched.
 */
#include <windows.h>
#include <string.h>
#include "task32.h"

/* Margins and pitches, in pixels. */
#define TASK_MARGIN         20      /* window edge to the first icon; name area inset */
#define TASK_COLUMN_GAP     20      /* between icons of a row */
#define TASK_ROW_GAP        10      /* between rows */
#define TASK_FRAME_GROWTH   4       /* frame around an icon */
#define TASK_EXTRA_WIDTH    120     /* outer width beyond five icons */
#define TASK_EXTRA_HEIGHT   90      /* outer height beyond the rows */

void GetFrameRect(int iIcon, LPRECT lprRect)
{
    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    int iColumn = (iIcon - 1) % TASK_COLUMNS;
    int iRow = (iIcon - 1) / TASK_COLUMNS;
    int x = TASK_MARGIN + iColumn * (cxIcon + TASK_COLUMN_GAP);
    int y = TASK_MARGIN + iRow * (cyIcon + TASK_ROW_GAP);
    SetRect(lprRect, x - TASK_FRAME_GROWTH, y - TASK_FRAME_GROWTH,
            x + cxIcon + TASK_FRAME_GROWTH, y + cyIcon + TASK_FRAME_GROWTH);
}

void GetIconRect(LPRECT lprRect)
{
    lprRect->left += TASK_FRAME_GROWTH;
    lprRect->top += TASK_FRAME_GROWTH;
    lprRect->right -= 2 * TASK_FRAME_GROWTH;
    lprRect->bottom -= 2 * TASK_FRAME_GROWTH;
}

int GetRectFromPoint(LPAPPLIST lpList, LPPOINT lppPoint, LPRECT lprRect)
{
    if (lpList == NULL)
        return 0;
    for (int i = 1; i <= lpList->iNumberOfItem; i++) {
        RECT rFrame;
        GetFrameRect(i, &rFrame);
        if (PtInRect(&rFrame, *lppPoint)) {
            if (lprRect != NULL)
                *lprRect = rFrame;
            return i;
        }
    }
    return 0;
}

SIZE GetTaskWindowSize(int iItems)
{
    int iRows = (iItems + TASK_COLUMNS - 1) / TASK_COLUMNS;
    SIZE size;
    size.cx = TASK_COLUMNS * GetSystemMetrics(SM_CXICON) + TASK_EXTRA_WIDTH;
    size.cy = iRows * (GetSystemMetrics(SM_CYICON) + TASK_ROW_GAP) + TASK_EXTRA_HEIGHT;
    return size;
}

RECT GetNameArea(RECT rClient)
{
    RECT rArea;
    rArea.left = rClient.left + TASK_MARGIN;
    rArea.right = rClient.right - TASK_MARGIN;
    rArea.bottom = rClient.bottom - TASK_MARGIN;
    rArea.top = rArea.bottom - GetSystemMetrics(SM_CYCAPTION);
    return rArea;
}

int StepItem(int iCurrent, int iStep, int iCount)
{
    int iNext = iCurrent + iStep;
    if (iNext > iCount)
        iNext = iCount;
    if (iNext < 1)
        iNext = 1;
    return iNext;
}

int FindMaxTextLength(HDC hDC, int iRectWidth, LPCSTR lpszStr)
{
    int iLength = (int)strlen(lpszStr);
    for (int i = 0; i < iLength; i++) {
        SIZE size;
        if (GetTextExtentPoint32A(hDC, lpszStr + i, iLength - i, &size) && size.cx <= iRectWidth)
            return i;
    }
    return iLength;
}
