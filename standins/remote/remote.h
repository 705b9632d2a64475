/*
 * remote.h - the virtual remote: its buttons, the sequences it plays from the command line,
 * and its link to the receiver driver stand-in (it posts the codes the way the receiver does).
 */
#ifndef ORVANE_REMOTE_H
#define ORVANE_REMOTE_H

#include <windows.h>
#include "mirelo.h"

/* Interval at which a held button repeats its code, as a real receiver does. */
#define REPEAT_INTERVAL_MS  110
/* Interval of the cursor steps while a pointer button is held. */
#define POINTER_INTERVAL_MS 25

enum tagBUTTONKIND {
    BK_CODE,        /* reported to the registered window as a raw code */
    BK_POINTER,     /* moves the cursor (the receiver does this itself) */
    BK_CLICK        /* presses a mouse button (the receiver does this itself) */
};

/* One button of the remote: face, position on a grid, what it does, keyboard shortcut. */
struct tagREMOTEBUTTON {
    LPCSTR lpszName;    /* label and name used in sequences, e.g. "PLAY" */
    int    iKind;       /* tagBUTTONKIND */
    BYTE   bCode;       /* raw code (BK_CODE) */
    int    iDx, iDy;    /* direction (BK_POINTER); iDx 0 left, 1 right button (BK_CLICK) */
    int    iColumn, iRow, iSpan;   /* place on a grid of 6 columns */
    UINT   uiKey;       /* virtual-key shortcut, 0 for none */
};

const tagREMOTEBUTTON *RemoteButtons(int *piCount);
const tagREMOTEBUTTON *FindButtonByName(LPCSTR lpszName);
const tagREMOTEBUTTON *FindButtonByKey(UINT uiKey);

/* One item of a played sequence: "NAME", "NAME*N", "NAME*N@MS", a raw code ("0x21", "33",
   with the same suffixes) or a pause "+MS". */
struct tagPLAYITEM {
    const tagREMOTEBUTTON *pButton;   /* null for a raw code or a pause */
    int  iCode;         /* raw code when pButton is null; -1 for a pause */
    int  iCount;        /* codes sent (1 + repeats) or pointer steps */
    int  iInterval;     /* milliseconds between them, or the length of the pause */
};

/* Parses one item; 0 when it is not understood (the item is then left unchanged). */
int ParsePlayItem(LPCSTR lpszItem, tagPLAYITEM *pItem);

/* Receiver link. Each call opens the device, makes one request and closes it again. */
int QueryReceiver(MIRELOSTATE *pState);
int SetReceiverMouse(BYTE bSpeed, BYTE bEnable);
int ConnectReceiver(BYTE bConnected);

/* Reports a press of a BK_CODE button or a raw code as the receiver does: posts WM_USER
   with the code to the registered window unless buttons are disabled. Returns 1 when sent.
   lpszName labels the log line. */
int SendCode(LPCSTR lpszName, BYTE bCode);
/* One cursor step in the button's direction at the driver's speed. */
void MovePointer(const tagREMOTEBUTTON *pButton);
/* Presses and releases a mouse button (BK_CLICK). */
void ClickPointer(const tagREMOTEBUTTON *pButton);

/* Input as a person gives it: a click of the left or right mouse button where the pointer
   is, a press and release of a key. */
void ClickMouseButton(bool bRight);
void PressKey(WORD wKey);
/* The pointer moved to a point of the screen; a click there, the point carried by the click
   itself, so that a late report of an earlier move cannot take the click elsewhere. */
void MovePointerTo(POINT ptScreen);
void ClickMouseButtonAt(POINT ptScreen, bool bRight);

/* Log: every code sent or held back, one line each, to the file opened here (stdout when
   none is opened). */
void OpenLog(LPCSTR lpszPath);
void LogLine(LPCSTR lpszFormat, ...);

#endif /* ORVANE_REMOTE_H */
