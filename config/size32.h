/*
 * size32.h - position and size capture (size32.cpp).
 */
#ifndef ORVANE_SIZE32_H
#define ORVANE_SIZE32_H

#include <windows.h>

/* A launch position is left, top, width, height; width and height -1 mean position only,
   all four 0 no position. The one being captured is the editor's record's (editor.h). */

/* The launch dialog's position text and back (pure). */
void  ParsePositionText(LPCSTR lpszText, RECT *prPos);
void  FormatPositionText(const RECT *prPos, LPSTR lpszText, int iSize);
void  SetAllCursor(HCURSOR hCur);
void  RestoreAllCursor(void);
/* PositionDlg and CaptureMouseMsg are exports (Brenvik.h). */

/* The Size/Position dialog over a launch dialog: its position text in and out. */
void  GetSizeAndPosition(HWND hDlg);

#endif /* ORVANE_SIZE32_H */
