/*
 * frame.cpp - the bevelled grey frame of the tool windows (the on-screen keyboard and the
 * task switcher): each edge is a trapezoid of one-pixel lines, so that
 * the light and dark edges meet on a clean diagonal at the corners.
 */
#include <windows.h>
#include <windowsx.h>
#include <math.h>
#include "frame.h"

/* How an edge's lines run: along rows (top, bottom) or columns (left, right); whether they
   start inset by the corner depth and widen outward, or start full and narrow inward; and
   whether each line reaches one pixel further (the right edge closes the corner below). */
struct tagEDGESHAPE {
    int  iEdge;
    BOOL bRows;
    BOOL bInset;
    int  iEndExtra;
};

static const tagEDGESHAPE EdgeShapes[] = {
    { EDGE_TOP,    TRUE,  FALSE, 0 },
    { EDGE_BOTTOM, TRUE,  TRUE,  0 },
    { EDGE_LEFT,   FALSE, FALSE, 0 },
    { EDGE_RIGHT,  FALSE, TRUE,  1 },
};

void DrawRectEdge(HDC hDC, RECT rRect, int iAngle, COLORREF crColour, int iEdge)
{
    const tagEDGESHAPE *pShape = NULL;
    for (const tagEDGESHAPE &shape : EdgeShapes)
        if (shape.iEdge == iEdge)
            pShape = &shape;
    if (pShape == NULL || iAngle < 1 || iAngle > 90)
        return;

    /* Lines are stacked across the thickness; each runs from f1 to f2 along the edge. */
    int iFirst = pShape->bRows ? rRect.top : rRect.left;
    int iLast = pShape->bRows ? rRect.bottom : rRect.right;
    int iThickness = iLast - iFirst;
    if (iThickness <= 0)
        return;
    float fDepth = (float)iThickness / (float)tan(iAngle * 3.14159265358979 / 180.0);
    float fStep = 1.0f / ((float)iThickness / fDepth);
    float f1 = (float)(pShape->bRows ? rRect.left : rRect.top);
    float f2 = (float)(pShape->bRows ? rRect.right : rRect.bottom);
    if (pShape->bInset) {
        f1 += fDepth;
        f2 -= fDepth;
        fStep = -fStep;
    }

    HPEN hPen = CreatePen(PS_SOLID, 1, crColour);
    HPEN hOldPen = SelectPen(hDC, hPen);
    for (int i = iFirst; i < iLast; i++) {
        if (pShape->bRows) {
            MoveToEx(hDC, (int)f1, i, NULL);
            LineTo(hDC, (int)f2, i);
        } else {
            MoveToEx(hDC, i, (int)f1, NULL);
            LineTo(hDC, i, (int)f2 + pShape->iEndExtra);
        }
        f1 += fStep;
        f2 -= fStep;
    }
    SelectPen(hDC, hOldPen);
    DeletePen(hPen);
}

void DrawGFrame(HDC hDC, RECT rRect, int iWidth, COLORREF crTop, COLORREF crBottom)
{
    RECT rTop = { rRect.left, rRect.top, rRect.right, rRect.top + iWidth };
    RECT rLeft = { rRect.left, rRect.top, rRect.left + iWidth, rRect.bottom };
    RECT rBottom = { rRect.left, rRect.bottom - iWidth, rRect.right, rRect.bottom };
    RECT rRight = { rRect.right - iWidth, rRect.top, rRect.right, rRect.bottom };
    DrawRectEdge(hDC, rTop, 45, crTop, EDGE_TOP);
    DrawRectEdge(hDC, rLeft, 45, crTop, EDGE_LEFT);
    DrawRectEdge(hDC, rBottom, 45, crBottom, EDGE_BOTTOM);
    DrawRectEdge(hDC, rRight, 45, crBottom, EDGE_RIGHT);
}
