/*
 * family.h - the frame every family dialog shares (mode32_frame.cpp), and the families: one
 * entry each, defined beside its dialog in mode32_<type>.cpp.
 */
#ifndef ORVANE_FAMILY_H
#define ORVANE_FAMILY_H

#include <windows.h>
#include "but32.h"
#include "dlgcrack.h"

/* The colour and colour messages of the editor dialogs. */
#define EDITOR_GREY         RGB(192, 192, 192)
#define EDITOR_CTLCOLOR_DLGMSGS(hDlg, fn) \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORMSGBOX, fn); \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLOREDIT, fn); \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORLISTBOX, fn); \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORBTN, fn); \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORDLG, fn); \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORSCROLLBAR, fn); \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORSTATIC, fn)

#define BUTTON_CELL_WIDTH   80      /* one family picture of "Button.bmp" */

/* One function family: its type, its dialog and what the dialog's frame needs. */
struct tagFAMILY {
    int     fFunction;
    WORD    wTemplate;          /* dialog template */
    DLGPROC lpfnDlgProc;
    UINT    uTemplates;         /* RCDATA list of its command templates */
    UINT    uHelpTopic;
    int     iPicture;           /* cell of "Button.bmp" */
    int     iPictureDivisor;    /* picture top = (client height - picture height) / this;
                                   0 puts it at the caption height */
    /* Fills the editable controls (bCurrent: the holder is the button's) and the Default
       Data group from the holder; reads the controls back into the holder. */
    void  (*pfnSet)(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent);
    void  (*pfnGet)(HWND hDlg, tagBUTTONINFO *pbiHolder);
    /* "Set &Values": the holder into the editable controls. */
    void  (*pfnSetValues)(HWND hDlg, tagBUTTONINFO *pbiHolder);
    /* Checks the controls before OK stores them; FALSE keeps the dialog open. */
    BOOL  (*pfnCheck)(HWND hDlg);
};

/* The families, each defined in its mode32_<type>.cpp. */
extern const tagFAMILY LaunchFamily, WebFamily, MediaFamily, EditFamily, SystemFamily,
                       MessageFamily, ZendraFamily;

/* The grey brush (made on first use); the frame's users: the editor opens it with the
   picture strip, each family dialog without; the last to close it deletes brush and strip.
   The strip and its palette, null while the editor is closed. */
HBRUSH  GreyBrush(void);
void    OpenFrame(HWND hDlg, BOOL bPictures);
void    CloseFrame(void);
HBITMAP FamilyPictures(HPALETTE *phPalette);
HBITMAP GetButtonBitmap(HDC hMainDC, HBITMAP hbmpSource, int iBut);
void    DrawBitmap(HDC hDC, HBITMAP hBitmap, LPRECT lprRect, int iButID);

/* The holder of a type in a holder list, null for none; filling a family's controls from
   its holder and reading them back (which updates the editor's record); "Set &Values".
   The window-message and home-automation dialogs carry their text in one hidden edit. */
tagBUTTONINFO *FindHolder(tagBUTTONINFO *pbiList, int fFunction);
void    SetFunction(HWND hDlg, const tagFAMILY *pFamily, tagBUTTONINFO *pbiList);
void    GetFunction(HWND hDlg, const tagFAMILY *pFamily, tagBUTTONINFO *pbiList);
void    CopyDefaultData(HWND hWnd, const tagFAMILY *pFamily, tagBUTTONINFO *pbiList);
void    SetEncoded(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent);
void    GetEncoded(HWND hDlg, tagBUTTONINFO *pbiHolder);

/* The frame every family dialog shares. A family whose only messages of its own are its
   commands hands every other message to FamilyDlgMessage with its entry; a larger one
   lists FAMILY_DLGMSGS after its own lines, calls FamilyInitDialog from its WM_INITDIALOG
   handler and FamilyOnDestroy from its WM_DESTROY handler. Both pass the commands they do
   not handle themselves to FamilyCommand. */
INT_PTR FamilyDlgMessage(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam,
                         const tagFAMILY *pFamily);
void    FamilyInitDialog(HWND hDlg, const tagFAMILY *pFamily);
/* The frame alone, for a dialog that edits no holder (the Hot Key dialog): its picture,
   help topic and colours come from pFamily. */
void    FrameInitDialog(HWND hDlg, const tagFAMILY *pFamily);
void    FamilyCommand(HWND hDlg, int iID);
void    FamilyOnPaint(HWND hDlg);
void    FamilyOnDestroy(HWND hDlg);
HBRUSH  FamilyOnCtlColor(HWND hDlg, HDC hDC, HWND hChild, int iType);
#define FAMILY_DLGMSGS(hDlg) \
        HANDLE_DLGMSG(hDlg, WM_PAINT, FamilyOnPaint); \
        EDITOR_CTLCOLOR_DLGMSGS(hDlg, FamilyOnCtlColor)

#endif /* ORVANE_FAMILY_H */
