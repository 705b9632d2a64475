/*
 * frame.h - the bevelled grey frame of the tool windows (the on-screen keyboard and the task
 * switcher): four edges cut at 45 degrees where they meet.
 */
#ifndef ORVANE_COMMON_FRAME_H
#define ORVANE_COMMON_FRAME_H

#include <windows.h>

/* Edges of a rectangle, as DrawRectEdge takes them and OnEdge reports them. */
#define EDGE_TOP    1
#define EDGE_RIGHT  2
#define EDGE_BOTTOM 3
#define EDGE_LEFT   4

/* The bevelled frame: four edges iWidth thick, top and left in crTop, bottom and right in
   crBottom, cut at 45 degrees where they meet. */
void DrawGFrame(HDC hDC, RECT rRect, int iWidth, COLORREF crTop, COLORREF crBottom);

/* One edge of a frame: fills rRect with a trapezoid whose slanted ends meet the
   neighbouring edges at iAngle degrees (1 to 90); iEdge is EDGE_TOP .. EDGE_LEFT. */
void DrawRectEdge(HDC hDC, RECT rRect, int iAngle, COLORREF crColour, int iEdge);

#endif /* ORVANE_COMMON_FRAME_H */
