/*
 * psheetres.h - identifiers of Selvane's own resources: icons, strings, the two pages and
 * the controls of the Cursor page.
 */
#ifndef ORVANE_PSHEETRES_H
#define ORVANE_PSHEETRES_H

#define IDI_APPLET              1       /* the applet, the sheet and the About page */
#define IDI_SPEED               2       /* beside the speed trackbar */
#define IDI_TRAIL               3       /* beside the trail trackbar */

#define IDS_APPLET_NAME         4096    /* "Remote Mouse" */
#define IDS_APPLET_INFO         4097    /* "Changes remote mouse settings." */
/* The pop-up help of a control: this plus its topic number (HelpTopics.h). */
#define IDS_HELP_TEXT_BASE      4200

#define IDD_CURSOR              1
#define IDD_ABOUT               2

#define IDC_SHOW_TRAIL          101
#define IDC_SPEED               102
#define IDC_TRAIL               103
#define IDC_ENABLE_BUTTONS      105
#define IDC_CONFIGURATION       106

#endif /* ORVANE_PSHEETRES_H */
