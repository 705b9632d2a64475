/*
 * pagehelp.cpp - the pop-up help of the applet's pages.
 */
#include <windows.h>
#include "htmlhelp.h"
#include "pagehelp.h"
#include "psheetres.h"

#define HELP_TEXT_SIZE 512

void ShowControlHelp(HINSTANCE hInst, const HELPINFO *lphi, DWORD dwContext)
{
    char szText[HELP_TEXT_SIZE];
    char szCaption[HELP_TEXT_SIZE];
    if (LoadStringA(hInst, IDS_HELP_TEXT_BASE + dwContext, szText, sizeof(szText)) == 0)
        return;
    LoadStringA(hInst, IDS_APPLET_NAME, szCaption, sizeof(szCaption));
    ShowHelpPopup((HWND)lphi->hItemHandle, szText, lphi->MousePos, szCaption);
}

BOOL ShowPageHelp(HINSTANCE hInst, const HELPINFO *lphi, const tagHELPCONTEXT *ahcContexts, size_t cContexts)
{
    if (lphi->iContextType != HELPINFO_WINDOW)
        return TRUE;
    for (size_t i = 0; i < cContexts; i++) {
        if (ahcContexts[i].iControl == lphi->iCtrlId) {
            ShowControlHelp(hInst, lphi, ahcContexts[i].dwContext);
            return TRUE;
        }
    }
    return FALSE;
}
