/*
 * htmlhelp.h - the help file of the installation, "Mirelo.chm", shown through HTML Help.
 * The HTML Help library (hhctrl.ocx) is loaded when help is first asked for, so that a
 * system without it still runs; each topic number of HelpTopics.h opens its own page.
 */
#ifndef ORVANE_COMMON_HTMLHELP_H
#define ORVANE_COMMON_HTMLHELP_H

#include <windows.h>
#include <stddef.h>
#include "HelpTopics.h"

#define HELP_FILE_NAME "Mirelo.chm"

/* The HTML Help commands the system uses (htmlhelp.h of the platform SDK). */
#define HH_DISPLAY_TOPIC        0x0000
#define HH_DISPLAY_TEXT_POPUP   0x000E
#define HH_CLOSE_ALL            0x0012

/* The page of a topic inside the help file ("functions.htm"), or null when the topic has
   none. */
LPCSTR HelpTopicPage(UINT uiTopic);

/* "<help file>::/<page>", the address HTML Help opens for a topic, into pszAddress
   (cchAddress bytes with the terminator). FALSE when the topic has no page or the address
   does not fit; the buffer then holds "". */
BOOL ComposeHelpAddress(LPCSTR pszHelpFile, UINT uiTopic, LPSTR pszAddress, size_t cchAddress);

/* Opens the page of uiTopic in the help window, for hWnd. A help file that is missing
   from the installation directory, a topic without a page and a system without HTML Help
   each get a message box owned by hWnd that says so (naming the file it looked for). */
void ShowHelpTopic(HWND hWnd, UINT uiTopic);

/* Closes the help windows that HTML Help opened in this process; nothing happens when
   help was never opened. */
void CloseHelpWindows(void);

/* Shows pszText as a pop-up whose top centre is at ptScreen, beside hControl. Where HTML
   Help cannot show it (not installed, or no pop-ups), the text comes in a message box
   with the caption pszCaption instead. */
void ShowHelpPopup(HWND hControl, LPCSTR pszText, POINT ptScreen, LPCSTR pszCaption);

#endif /* ORVANE_COMMON_HTMLHELP_H */
