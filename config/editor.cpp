/*
 * editor.cpp - the editor's record, kept by each program for itself (editor.h).
 */
#include <windows.h>
#include "but32.h"
#include "editor.h"

/* A record with nothing chosen, keeping what the picture of the remote handed in: the
   button (which it takes back itself) and the holders. */
static tagEDITOR Fresh(const tagEDITOR *pedKeep)
{
    tagEDITOR edFresh = {};
    if (pedKeep != NULL) {
        edFresh.pbiButton = pedKeep->pbiButton;
        edFresh.btiButton = pedKeep->btiButton;
        edFresh.pbiHolder = pedKeep->pbiHolder;
    }
    edFresh.fCurrentFunction = NO_FUNCTION;
    return edFresh;
}

static tagEDITOR editor = Fresh(NULL);

tagEDITOR *Editor(void)
{
    return &editor;
}

void EndEdit(void)
{
    editor = Fresh(&editor);
}

void EndEditing(void)
{
    FreeButtonFunctions(&editor.pbiHolder);
    editor = Fresh(NULL);
}
