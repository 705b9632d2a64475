/*
 * pagehelp.h - the pop-up help of the applet's pages: a control's topic (HelpTopics.h) and
 * its text, the applet's own string IDS_HELP_TEXT_BASE + topic.
 */
#ifndef ORVANE_PAGEHELP_H
#define ORVANE_PAGEHELP_H

#include <windows.h>
#include <stddef.h>

/* The topic of a page's control. */
struct tagHELPCONTEXT {
    int iControl;
    DWORD dwContext;
};

/* The text of a topic as a pop-up at the point of the help request. */
void ShowControlHelp(HINSTANCE hInst, const HELPINFO *lphi, DWORD dwContext);
/* A page's WM_HELP: the pop-up of the control asked about, from the page's table. TRUE
   when answered (requests for anything but a control are taken and ignored). */
BOOL ShowPageHelp(HINSTANCE hInst, const HELPINFO *lphi, const tagHELPCONTEXT *ahcContexts, size_t cContexts);

#endif /* ORVANE_PAGEHELP_H */
