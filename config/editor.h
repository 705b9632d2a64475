/*
 * editor.h - the editor's record (editor.cpp): the button being edited and what the
 * function editor, its family dialogs, the picture of the remote and the what's-this
 * window hand each other about it. Each program keeps its own: records of one process's
 * heap mean nothing to another, which may be editing at the same time.
 */
#ifndef ORVANE_EDITOR_H
#define ORVANE_EDITOR_H

#include <windows.h>
#include "but32.h"

struct tagEDITOR {
    tagBUTTONINFO    *pbiButton;        /* the button being edited or examined, or null */
    tagBUTTONTYPEINFO btiButton;        /* where the picture shows it */
    tagBUTTONINFO    *pbiHolder;        /* one holder per function type, in type order; they
                                           outlive the editor, as each family's last data */
    int  fCurrentFunction;              /* type chosen in the function editor, or -1 */
    BYTE bEmpty;                        /* bit (1 << type): that holder is not the button's */
    BOOL bFamilyConfirmed;              /* a family dialog stored its holder: OK copies it */
    LONG lHotKeyCode;                   /* the hot key the System dialog edits (mode32_hotkey.h) */
    BYTE bExtraChar;
    RECT rWindowPos;                    /* the launch position being captured (size32.h) */
};

tagEDITOR *Editor(void);
/* The function editor closes: the record is cleared in one step, but for the button and
   the holders. */
void EndEdit(void);
/* The picture of the remote closes: the holders are freed and the record cleared. */
void EndEditing(void);

#endif /* ORVANE_EDITOR_H */
