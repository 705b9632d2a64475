/*
 * rem32.h - the picture of the remote (rem32.cpp): the dialog a configuration run shows,
 * its marks of assigned buttons and its what's-this menu.
 */
#ifndef ORVANE_REM32_H
#define ORVANE_REM32_H

#include <windows.h>
#include "but32.h"

/* Display of assigned buttons (bDisplayMode) and the picture dialog's menu commands. */
enum { DISPLAY_COLOR = 0, DISPLAY_ICON = 1, DISPLAY_OFF = 2 };
#define IDM_WHATSTHIS      100
#define IDM_COLOR          101      /* IDM_COLOR + display mode */
#define IDM_ICON           102
#define IDM_OFF            103

/* The record a picture button edits in the tree (null for none). */
tagBUTTONINFO *FindPictureRecord(tagREMOTE *prRemote, const tagBUTTONTYPEINFO *pbti);
/* Whether a record shows as assigned: a launch whose program the launch finds, a web
   address with an address, any media, edit, system, message or home-automation function,
   or a stored command that the editors cannot show. */
BOOL  IsButtonAssigned(const tagBUTTONINFO *pbi);
int   WhatsThis(HWND hWnd, LPARAM lPoint, BYTE bDisplayMode);
void  DrawAssignedButtons(HDC hDC, HDC hPictureDC, const RECT *lprPaint);
void  DrawBorder(HDC hDC, const RECT *lprMark, int fFunction);
extern "C" INT_PTR CALLBACK SelectDlg(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);

#endif /* ORVANE_REM32_H */
