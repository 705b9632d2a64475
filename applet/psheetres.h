/*
 * psheetres.h - identifiers of Selvane's own resources: icons, strings, the three pages and
 * the controls of the Cursor and Receiver pages.
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
#define IDD_RECEIVER            3

#define IDC_SHOW_TRAIL          101
#define IDC_SPEED               102
#define IDC_TRAIL               103
#define IDC_ENABLE_BUTTONS      105
#define IDC_CONFIGURATION       106

/* The Receiver page. */
#define IDC_LIRC_SOURCE         201
#define IDC_LIRC_SERVER         202
#define IDC_LIRC_STATUS         203
#define IDC_KEY_SOURCE          204
#define IDC_MAP_LIST            205
#define IDC_LEARN               206
#define IDC_REMOVE              207
#define IDC_ARRIVED             208
#define IDC_BECOMES             209

/* Texts the Receiver page shows. */
#define IDS_TRAY_NOT_RUNNING    4100    /* status while the tray program does not run */
#define IDS_LIRC_OFF            4101
#define IDS_LIRC_CONNECTED      4102
#define IDS_LIRC_NOT_CONNECTED  4103
#define IDS_LEARN_WAITING       4104
#define IDS_ARRIVED             4105    /* "Arrived: %s" */
#define IDS_CHOSEN              4106    /* "Chosen: %s" */
#define IDS_BAD_SERVER          4107    /* Apply refused: the address is no "host:port" */
#define IDS_LIRC_CONNECTING     4108

#endif /* ORVANE_PSHEETRES_H */
