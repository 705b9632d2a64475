/*
 * HelpTopics.h - topic numbers of the help file Mirelo.chm. Every help request of the
 * programs names one of these; the help project (help/Mirelo.hhp) reads this file as its
 * [MAP] and ties each name to a page in [ALIAS], and the build checks that every number
 * has a page in the compiled file. One define per line, "#define NAME NUMBER" and nothing
 * after it: the help compiler reads these lines itself.
 */
/* No include guard: the compiler would take its define for a topic. */
#pragma once

/* The start page: the tray icon's Help. */
#define IDH_CONTENTS 0

/* The function editor and the dialog of each function family. */
#define IDH_FUNCTIONS 2
#define IDH_LAUNCH 3
#define IDH_WEB 4
#define IDH_MEDIA 5
#define IDH_EDIT 6
#define IDH_SYSTEM 7
#define IDH_POSITION 8
#define IDH_WHATSTHIS 9
#define IDH_MESSAGES 10
#define IDH_HOTKEY 11
#define IDH_ZENDRA 12

/* The picture of the remote's window menu: the Automatic Modes dialog. */
#define IDH_AUTOMODES 13

/* Parts of the picture of the remote that carry no function. */
#define IDH_LEFT_BUTTON 16
#define IDH_SPEED_SWITCH 17
#define IDH_TRAIL_SWITCH 18
#define IDH_OFF_SWITCH 19
#define IDH_ON_SWITCH 20
#define IDH_RIGHT_BUTTON 25
#define IDH_RECEIVER_LIGHT 26

/* The Control Panel applet: its pages and their controls. */
#define IDH_SHOW_TRAIL 32
#define IDH_TRAIL_LENGTH 33
#define IDH_CURSOR_PAGE 34
#define IDH_ENABLE_BUTTONS 35
#define IDH_CONFIGURATION 36
#define IDH_CURSOR_SPEED 37
#define IDH_ABOUT 38
#define IDH_LIRC_SOURCE 39
#define IDH_KEY_SOURCE 40
#define IDH_RECEIVER_MAP 41
