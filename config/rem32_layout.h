/*
 * rem32_layout.h - where the buttons of the remote lie on its picture, and the arithmetic of the
 * picture dialog's placement and scrolling (rem32_layout.cpp).
 */
#ifndef ORVANE_REM32_LAYOUT_H
#define ORVANE_REM32_LAYOUT_H

#include <windows.h>
#include "but32.h"

/* The picture holds three panels side by side: the remote as shown, its highlighted look
   and its look for an assigned button. Button rectangles are panel-1 coordinates. */
#define PANEL_WIDTH        157
#define PANEL_HIGHLIGHT    157      /* x of panel 2 */
#define PANEL_ASSIGNED     315      /* x of panel 3 */
#define MARK_SIZE          16       /* type mark beside an assigned button */

/* Picture buttons (0-based table indexes; hit testing reports them 1-based). */
#define PICTURE_BUTTONS    38
#define FIRST_TRANSPORT    17       /* Play .. Pause: special positions 0 to 5 */
#define FIRST_NOMODE       23       /* the two mode-independent buttons */
#define SHIFT_BUTTON       25
#define FIRST_MODE_BUTTON  26       /* PC .. CD: special position 6 of that mode */
#define MARKED_BUTTONS     31       /* buttons 0 to 30 can carry a function */
#define FIRST_HELP_AREA    31
#define HELP_AREAS         7

extern const RECT  rButtons[PICTURE_BUTTONS + 1];   /* ended by an all-zero entry */
extern const POINT pIcons[PICTURE_BUTTONS];
extern const UINT  uiHelp[HELP_AREAS];

/* The button under a picture point (x low, y high word, signed): 1-based index into
   *pbIndex, 0 for none; when found its rectangle into *lprRect. Edges belong to it. */
void  GetButtonIndex(RECT *lprRect, LPARAM lPoint, BYTE *pbIndex);
/* Which record picture button iIndex (0-based) edits while mode rmShown and the shift
   state are shown: list kind, position and mode into *pbti (bIDButton = iIndex). FALSE
   for the shift button and the help areas, which have no record. */
BOOL  LocatePictureButton(int iIndex, int rmShown, BOOL bShift, tagBUTTONTYPEINFO *pbti);
/* Window rectangle and scroll page of the picture dialog for a picture of szBitmap on a
   screen of szScreen (full-screen client size). */
void  GetPicturePlacement(SIZE szBitmap, SIZE szScreen, int cxScroll, int cyFrame, int cyCaption,
                          RECT *lprWindow, int *piPage);
/* The scroll offset after scroll-bar request iCode (SB_xxx) from iPos, clamped to the
   picture. */
int   ScrollPicture(int iPos, int iCode, int iThumb, int cyBitmap, int cyClient);

#endif /* ORVANE_REM32_LAYOUT_H */
