/*
 * rem32_layout.cpp - where the buttons of the remote lie on its picture: one table of
 * rectangles and mark points that the picture dialog hit-tests and marks, and that the
 * picture generator draws the remote from, so that picture and dialog cannot disagree.
 * Also the arithmetic of the dialog's placement and scrolling. Nothing here touches a
 * window, the registry or a device.
 */
#include <windows.h>
#include "HelpTopics.h"
#include "but32.h"
#include "rem32_layout.h"

/* Picture buttons in panel-1 pixels (left, top, right, bottom; edges belong to the
   button), ended by an all-zero entry. Index order is the hit-testing order. */
const RECT rButtons[PICTURE_BUTTONS + 1] = {
    {  63, 232,  86, 255 },  /*  0 digit 0 */
    {  28, 147,  52, 171 },  /*  1 digit 1 */
    {  63, 147,  86, 171 },  /*  2 digit 2 */
    {  97, 147, 119, 171 },  /*  3 digit 3 */
    {  28, 175,  52, 197 },  /*  4 digit 4 */
    {  63, 175,  86, 197 },  /*  5 digit 5 */
    {  97, 175, 119, 197 },  /*  6 digit 6 */
    {  28, 203,  52, 225 },  /*  7 digit 7 */
    {  63, 203,  86, 225 },  /*  8 digit 8 */
    {  97, 203, 119, 225 },  /*  9 digit 9 */
    { 113, 366, 135, 389 },  /* 10 Display */
    {  64, 356,  86, 379 },  /* 11 A/B */
    {  11, 366,  33, 389 },  /* 12 Mute */
    {  99, 267, 138, 307 },  /* 13 Channel Up */
    {  99, 307, 137, 344 },  /* 14 Channel Down */
    {   9, 265,  44, 307 },  /* 15 Volume Up */
    {   9, 307,  48, 345 },  /* 16 Volume Down */
    {  64, 381,  86, 403 },  /* 17 Play */
    {  21, 406,  49, 428 },  /* 18 Rewind */
    {  98, 406, 121, 428 },  /* 19 Fast Forward */
    {  64, 429,  86, 451 },  /* 20 Stop */
    {  64, 458,  86, 481 },  /* 21 Record */
    {  91, 449, 113, 472 },  /* 22 Pause */
    {  97, 233, 119, 255 },  /* 23 mode-independent button */
    {  28,  43,  72,  72 },  /* 24 mode-independent button */
    {  32, 229,  51, 251 },  /* 25 Shift */
    {  26,  76,  59,  99 },  /* 26 PC */
    {  23, 101,  45, 124 },  /* 27 WEB */
    {  78, 101, 100, 124 },  /* 28 Phone */
    {  49, 101,  72, 124 },  /* 29 DVD */
    {  63,  77,  85,  99 },  /* 30 CD */
    {  74,  50, 100,  72 },  /* 31 help areas, to 37 */
    {  92,  81, 125,  97 },
    { 106, 103, 126, 118 },
    {  23, 123,  44, 144 },
    {  52, 124,  71, 139 },
    {  80, 124,  99, 140 },
    { 106, 124, 128, 140 },
    {   0,   0,   0,   0 }
};

/* Top-left corner of each button's 16 x 16 type mark. The shift button and the help
   areas carry no mark; their points are kept so that the table stays parallel. */
const POINT pIcons[PICTURE_BUTTONS] = {
    {  67, 236 }, {  33, 152 }, {  67, 152 }, { 100, 152 }, {  33, 178 }, {  67, 178 },
    { 100, 178 }, {  33, 206 }, {  67, 206 }, { 100, 206 }, { 116, 370 }, {  67, 360 },
    {  14, 370 }, { 116, 286 }, { 116, 316 }, {  16, 286 }, {  16, 316 }, {  67, 384 },
    {  27, 409 }, { 101, 409 }, {  67, 432 }, {  67, 462 }, {  94, 453 }, { 100, 236 },
    {  46,  50 }, {  35, 233 }, {  36,  81 }, {  26, 104 }, {  81, 104 }, {  53, 104 },
    {  66,  81 }, {  80,  54 }, { 100,  82 }, { 108, 104 }, {  26, 126 }, {  54, 124 },
    {  82, 125 }, { 110, 125 }
};

/* Help topics of the areas 31 to 37. */
const UINT uiHelp[HELP_AREAS] = {
    IDH_LEFT_BUTTON, IDH_RIGHT_BUTTON, IDH_RECEIVER_LIGHT, IDH_SPEED_SWITCH, IDH_TRAIL_SWITCH,
    IDH_ON_SWITCH, IDH_OFF_SWITCH
};

void GetButtonIndex(RECT *lprRect, LPARAM lPoint, BYTE *pbIndex)
{
    int x = (short)LOWORD(lPoint);
    int y = (short)HIWORD(lPoint);
    *pbIndex = 0;
    for (int i = 0; rButtons[i].left != 0; i++) {
        const RECT &r = rButtons[i];
        if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) {
            *pbIndex = (BYTE)(i + 1);
            *lprRect = r;
            return;
        }
    }
}

BOOL LocatePictureButton(int iIndex, int rmShown, BOOL bShift, tagBUTTONTYPEINFO *pbti)
{
    pbti->bIDButton = (BYTE)iIndex;
    pbti->rmMode = rmShown;
    if (iIndex >= 0 && iIndex < MAIN_BUTTONS) {
        pbti->btType = bShift ? BT_SHIFT : BT_DEFAULT;
        pbti->bIndex = (BYTE)iIndex;
    } else if (iIndex >= FIRST_TRANSPORT && iIndex < FIRST_TRANSPORT + SPECIAL_BUTTONS - 1) {
        pbti->btType = BT_SPECIAL;
        pbti->bIndex = (BYTE)(iIndex - FIRST_TRANSPORT);
    } else if (iIndex == FIRST_NOMODE || iIndex == FIRST_NOMODE + 1) {
        pbti->btType = BT_NOMODE;
        pbti->bIndex = (BYTE)(iIndex - FIRST_NOMODE);
    } else if (iIndex >= FIRST_MODE_BUTTON && iIndex < FIRST_MODE_BUTTON + MODES) {
        pbti->btType = BT_SPECIAL;
        pbti->bIndex = SPECIAL_BUTTONS - 1;
        pbti->rmMode = iIndex - FIRST_MODE_BUTTON;
    } else {
        pbti->btType = BT_DEFAULT;   /* the shift button and the help areas: no record */
        pbti->bIndex = 0;
        return FALSE;
    }
    return TRUE;
}

void GetPicturePlacement(SIZE szBitmap, SIZE szScreen, int cxScroll, int cyFrame, int cyCaption,
                         RECT *lprWindow, int *piPage)
{
    int cxWindow = cxScroll + szBitmap.cx / 2;
    int cyWhole = 2 * cyFrame + szBitmap.cy + cyCaption;
    lprWindow->left = (szScreen.cx - cxWindow) / 2;
    lprWindow->right = lprWindow->left + cxWindow;
    if (cyWhole <= szScreen.cy) {
        lprWindow->top = (szScreen.cy - szBitmap.cy) / 2;
        lprWindow->bottom = lprWindow->top + cyWhole - 1;
        *piPage = szBitmap.cy;
    } else {
        lprWindow->top = 10;
        lprWindow->bottom = lprWindow->top + szScreen.cy - 20;
        *piPage = szScreen.cy - 20;
    }
}

int ScrollPicture(int iPos, int iCode, int iThumb, int cyBitmap, int cyClient)
{
    switch (iCode) {
    case SB_LINEUP:        iPos -= 1; break;
    case SB_LINEDOWN:      iPos += 1; break;
    case SB_PAGEUP:        iPos -= cyBitmap / 4; break;
    case SB_PAGEDOWN:      iPos += cyBitmap / 4; break;
    case SB_THUMBPOSITION: iPos = iThumb; break;
    case SB_TOP:           iPos = 0; break;
    case SB_BOTTOM:        iPos = cyBitmap; break;
    default:               break;   /* thumb tracking: only the clamp below */
    }
    if (iPos > cyBitmap - cyClient)
        iPos = cyBitmap - cyClient;
    if (iPos < 0)
        iPos = 0;
    return iPos;
}
