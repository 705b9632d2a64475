/*
 * BrenvikRes.h - identifiers of the resources that Brenvik.dll carries for the whole
 * system. Included by the resource script and by every module that reads a resource.
 * Plain #defines only: windres reads this file too.
 */
#ifndef ORVANE_BRENVIKRES_H
#define ORVANE_BRENVIKRES_H

/* Notification-area tips: mode m (0 PC .. 4 CD), shift s -> IDS_TIP_FIRST + 2*m + s. */
#define IDS_TIP_FIRST           2

/* Tray context menu; the menu command id equals the string id. */
#define IDS_CLOSE               261
#define IDS_HELP                262
#define IDS_CONFIGURE           263

/* Control Panel entry texts (kept for the installation; no code reads them). */
#define IDS_APPLET_NAME         300
#define IDS_APPLET_INFO         301
#define IDS_HELP_FILE           302

/* Home-automation command words. */
#define IDS_EXTENDED_CODE       303
#define IDS_ON                  304
#define IDS_OFF                 305
#define IDS_MACRO               306
#define IDS_COMMAND             307
#define IDS_DIM                 308

/* What's-this window: labels and explanations. */
#define IDS_SHIFT_BUTTON        309
#define IDS_SHIFT_BUTTON_INFO   310
#define IDS_FUNCTION_MODE       311
#define IDS_APPLICATION_LAUNCH  312
#define IDS_FILE_NAME           313
#define IDS_COMMAND_LINE        314
#define IDS_WEB_ADDRESS         315
#define IDS_ADDRESS_URL         316
#define IDS_MEDIA_FUNCTION      317
#define IDS_MEDIA_DEVICE        318
#define IDS_FUNCTION            319
#define IDS_TRACK               320
#define IDS_EDIT                321
#define IDS_DATA                322
#define IDS_SYSTEM              323
#define IDS_MESSAGE             324
#define IDS_ZENDRA_FUNCTION     325
#define IDS_NOT_ASSIGNED        326
#define IDS_SIZE_POSITION       328

/* Configuration: system-function names with a dialog of their own, registry keys of the
   home-automation software, the function editor's keyboard letters, picture files. */
#define IDS_HOTKEY              507
#define IDS_MESSAGE_DIALOG      508
#define IDS_DOVREL_TM_KEY       509
#define IDS_DOVREL_II_KEY       510
#define IDS_HOME_DIRECTOR_KEY   511
#define IDS_EDITOR_LETTERS      512     /* one letter per editor button, in button order */
#define IDS_BUTTON_BMP          513
#define IDS_SREMOTE_BMP         514
#define IDS_REMOTE_BMP          515

/* On-screen keyboard: labels of the word keys. */
#define IDS_KEY_ENTER           516
#define IDS_KEY_BACKSPACE       517
#define IDS_KEY_TAB             518
#define IDS_KEY_CAPS            519
#define IDS_KEY_SHIFT           520
#define IDS_KEY_CTRL            521
#define IDS_KEY_ALT             522
#define IDS_KEY_ALTGR           523

/* ---- Icons, bitmaps, cursor ---------------------------------------------------------------
   One more icon group, "IDI_PC", is known by its name and deliberately has no number. */
#define IDI_MODE_WEB            2       /* notification area: icon id = mode + 1 */
#define IDI_MODE_PHONE          3
#define IDI_MODE_DVD            4
#define IDI_MODE_CD             5
#define IDI_HOME_AUTOMATION     6       /* 32 x 32 */
#define IDI_TASK_FALLBACK       7       /* task switcher: window without an icon */
#define IDI_LAUNCH              11      /* what's-this: program without icons of its own */
#define IDI_WEB_ADDRESS         12
#define IDI_EDIT                13
#define IDI_MEDIA               14
#define IDI_SYSTEM              15      /* system function and window message */
#define IDI_REMOTE              56      /* tray window class icon, 32 x 32 and 16 x 16 */
#define IDI_REMOTE_MOUSE        57
#define IDI_REMOTE_SMALL        61

/* Function-type marks beside assigned buttons (16 x 16). */
#define IDB_MARK_LAUNCH         1
#define IDB_MARK_WEB            2
#define IDB_MARK_EDIT           3
#define IDB_MARK_MEDIA          4
#define IDB_MARK_SYSTEM         5       /* system function, window message, home automation */

#define IDCUR_CAPTURE           1       /* position dialog: pointing at a window */

/* ---- Dialog templates ------------------------------------------------------------------ */
#define IDD_TASKS               3       /* task switcher (no caption, no controls) */
#define IDD_KEYBOARD            327     /* on-screen keyboard (no controls) */
#define IDD_WHATSTHIS           400     /* "What'sThis?" */
#define IDD_BUTTONS             401     /* remote picture (no controls) */
#define IDD_POSITION            412     /* "Set Position and Size" */
#define IDD_FUNCTIONS           421     /* function editor */
#define IDD_LAUNCH              422     /* "Launch" */
#define IDD_WEB                 435     /* "Web Address" */
#define IDD_MULTIMEDIA          438     /* "Multi Media" */
#define IDD_EDIT                445     /* "Edit" */
#define IDD_SYSTEM              450     /* "System" */
#define IDD_HOTKEY              458     /* "Hot Key" */
#define IDD_MESSAGES            463     /* "View Messages" */
#define IDD_ZENDRA              476     /* "Zendra Commands" */

/* ---- Controls shared by the editors (besides IDOK 1 and IDCANCEL 2) --------------------- */
#define IDC_HELPBUTTON          410     /* "&Help" (Zendra Commands uses IDC_ZD_HELP) */
#define IDC_CLEAR               433     /* "C&lear" */
#define IDC_SET_VALUES          434     /* "Set &Values": copy the Default Data group back */
#define IDC_ENCODED             470     /* hidden edit carrying the stored text (463, 476) */

/* What'sThis? (400): four rows of label and value, and a wide explanation. */
#define IDC_WT_LABEL1           402
#define IDC_WT_VALUE1           403
#define IDC_WT_LABEL2           404
#define IDC_WT_VALUE2           405
#define IDC_WT_LABEL3           406
#define IDC_WT_VALUE3           407
#define IDC_WT_LABEL4           408
#define IDC_WT_VALUE4           409
#define IDC_WT_EXPLANATION      411

/* Set Position and Size (412). */
#define IDC_POS_LEFT            414
#define IDC_POS_TOP             415
#define IDC_POS_WIDTH           416
#define IDC_POS_HEIGHT          417
#define IDC_POS_ONLY            418     /* "Position Only" */
#define IDC_POS_DRAW            419
#define IDC_POS_SELECT          420

/* Launch (422); _DEF_ controls show the Default Data group. */
#define IDC_LAUNCH_FILE         423
#define IDC_LAUNCH_CMDLINE      424
#define IDC_LAUNCH_SIZEPOS      425     /* "&Size and Pos" */
#define IDC_LAUNCH_POSTEXT      426     /* position/size text */
#define IDC_LAUNCH_DEF_FILE     428
#define IDC_LAUNCH_DEF_CMDLINE  429
#define IDC_LAUNCH_DEF_POSTEXT  430
#define IDC_LAUNCH_BROWSE       431

/* Web Address (435). */
#define IDC_WEB_ADDRESS         436
#define IDC_WEB_DEF_ADDRESS     437

/* Multi Media (438). */
#define IDC_MM_DEVICE           439
#define IDC_MM_FUNCTION         440
#define IDC_MM_TRACK            441
#define IDC_MM_DEF_DEVICE       442
#define IDC_MM_DEF_FUNCTION     443
#define IDC_MM_DEF_TRACK        444

/* Edit (445). */
#define IDC_EDIT_FUNCTION       446
#define IDC_EDIT_DATA           447
#define IDC_EDIT_DEF_FUNCTION   448
#define IDC_EDIT_DEF_DATA       449

/* System (450). */
#define IDC_SYS_FUNCTION        451
#define IDC_SYS_CURRENT_LABEL   452     /* "Current:" */
#define IDC_SYS_CURRENT         453     /* text of the current hot key */
#define IDC_SYS_HOTKEY_CODE     454     /* hot-key code, held outside the visible area */
#define IDC_SYS_DEF_FUNCTION    455
#define IDC_SYS_DEF_CURRENT     456
#define IDC_SYS_ASSIGN          457

/* Hot Key (458). */
#define IDC_HK_KEY              454
#define IDC_HK_ALT              459
#define IDC_HK_CTRL             460
#define IDC_HK_SHIFT            461
#define IDC_HK_FOLLOWED_BY      462

/* View Messages (463). */
#define IDC_MSG_SEQUENCE        464     /* messages to send, multiple selection */
#define IDC_MSG_ADD             465
#define IDC_MSG_DELETE          466
#define IDC_MSG_WPARAM          467
#define IDC_MSG_LPARAM          468
#define IDC_MSG_NAME            469     /* "Current Message:" */
#define IDC_MSG_APPLICATIONS    471
#define IDC_MSG_START           472
#define IDC_MSG_STOP            473
#define IDC_MSG_TRACE           474
#define IDC_MSG_RESET           475
#define IDC_MSG_NOTE            2220    /* why the chosen program cannot be recorded (hidden) */

/* Zendra Commands (476). */
#define IDC_ZD_MACRO            477
#define IDC_ZD_COMMAND          478
#define IDC_ZD_PREVIEW          479
#define IDC_ZD_SWITCH_LABEL     480
#define IDC_ZD_SWITCH           481
#define IDC_ZD_HOUSE            482
#define IDC_ZD_FUNCTION_LABEL   483
#define IDC_ZD_FUNCTION         484
#define IDC_ZD_PERCENT_LABEL    485
#define IDC_ZD_PERCENT          486
#define IDC_ZD_PERCENT_ARROWS   487
#define IDC_ZD_CODE_LABEL       488
#define IDC_ZD_CODE             489
#define IDC_ZD_UNITS            490
#define IDC_ZD_DEF_TYPE         491
#define IDC_ZD_DEF_COMMAND      492
#define IDC_ZD_HELP             493

/* ---- Data tables (RCDATA) ------------------------------------------------------------- */
/* String lists end with an empty entry; "paired" tables match another one by position. */
#define IDR_MESSAGE_NAMES       400     /* window-message display names */
#define IDR_MESSAGE_VALUES      401     /* words: message number of each name of 400 */
#define IDR_HOUSE_CODES         406     /* home-automation house letters "A".."P" */
#define IDR_UNIT_CODES          407     /* home-automation unit numbers "1".."16" */
#define IDR_MEDIA_TEMPLATES     411     /* media command templates (paired with 498) */
#define IDR_EDIT_TEMPLATES      412     /* edit command templates (paired with 499) */
#define IDR_LAUNCH_TEMPLATES    413     /* LAUNCH, LAUNCHSIZE */
#define IDR_WEB_TEMPLATES       414     /* WEBADDRESS */
#define IDR_SYSTEM_TEMPLATES    415     /* system command templates (paired with 500) */
#define IDR_MESSAGE_TEMPLATES   416     /* MESSAGE */
#define IDR_ZENDRA_TEMPLATES    417     /* ZENDRA */
#define IDR_HOTKEY_NAMES        494     /* key names of the hot-key dialog */
#define IDR_HOTKEY_CODES        495     /* words: key code of each name of 494 */
#define IDR_ZENDRA_FUNCTIONS    496     /* home-automation function names */
#define IDR_ON_OFF              497     /* "On", "Off" */
#define IDR_MEDIA_NAMES         498     /* media function names */
#define IDR_EDIT_NAMES          499     /* edit function names */
#define IDR_SYSTEM_NAMES        500     /* system function names */
#define IDR_KEY_LETTERS         501     /* on-screen keyboard: letter labels in key order */
#define IDR_KEY_ALTGR           502     /* on-screen keyboard: AltGr labels (empty for US) */
#define IDR_KEY_SYMBOLS         503     /* on-screen keyboard: 21 symbol labels, then shifted */
#define IDR_CHAR_KEYS           504     /* 5-byte records: char, modifier vkey, vkey */
#define IDR_KEYCODE_VKEYS       506     /* 3-byte records: key-code letter, vkey */
#define IDR_SPECIAL_KEY_CHARS   524     /* characters that name special keys */
#define IDR_KEY_RECTS           600     /* on-screen keyboard: 32-bit key rectangles */
#define IDR_KEY_INDEX           601     /* on-screen keyboard: 12 key-index markers */
#define IDR_KEY_VKEYS           602     /* on-screen keyboard: word vkey per key, then 255 */
#define IDR_KEY_LAYOUT          603     /* on-screen keyboard: layout variant (0 US) */
#define IDR_KEY_ALTGR_KEYS      610     /* on-screen keyboard, layout 2: key of each AltGr label (not delivered) */

/* Assignment profiles of the picture of the remote (a range of their own, 1900 to 1949). */
#define IDS_PROFILE_SAVE          1900
#define IDS_PROFILE_LOAD          1901
#define IDS_PROFILE_FILTER        1902
#define IDS_PROFILE_PATTERN       1903
#define IDS_PROFILE_EXTENSION     1904
#define IDS_PROFILE_CAPTION       1905
#define IDS_PROFILE_CONFIRM       1906
#define IDS_PROFILE_CONFIRM_MODES 1907
#define IDS_PROFILE_UNCHANGED     1908
#define IDS_PROFILE_REFUSED       1909
#define IDS_PROFILE_UNREADABLE    1910
#define IDS_PROFILE_UNWRITABLE    1911
#define IDS_PROFILE_REASON_FIRST  1920    /* + reason 1 to 14: why a profile is refused */

/* View Messages: why an entry or a recording is refused, and why a program cannot be
   recorded (a range of their own, 2200 to 2219). */
#define IDS_MSG_NOT_A_MESSAGE     2200
#define IDS_MSG_BAD_PARAMETER     2201
#define IDS_MSG_TOO_WIDE          2202
#define IDS_MSG_OTHER_RECORDER    2203
#define IDS_MSG_PROGRAM_32BIT     2204
#define IDS_MSG_PROGRAM_64BIT     2205

/* Automatic Modes: the programs whose coming to the front chooses a mode, opened from the
   picture of the remote's window menu (a range of their own, 2300 to 2349). */
#define IDD_AUTOMODES             2300    /* "Automatic Modes" */
#define IDC_AM_ENABLED            2301    /* the switch of the whole feature */
#define IDC_AM_PAIRS              2302    /* the pairs: mode, tab, program */
#define AM_PROGRAM_COLUMN         48      /* dialog units from IDC_AM_PAIRS's edge to the program */
#define IDC_AM_MODE               2303    /* the mode of the selected pair */
#define IDC_AM_REMOVE             2304
#define IDC_AM_PROGRAM            2305    /* program to add: typed, chosen or browsed for */
#define IDC_AM_BROWSE             2306
#define IDC_AM_ADD                2307
#define IDS_AUTO_MENU             2320    /* the window menu's item */
#define IDS_AUTO_BROWSE_TITLE     2321    /* the file dialog of Browse */
#define IDS_AUTO_CAPTION          2322
#define IDS_AUTO_FULL             2323
#define IDS_AUTO_NO_PROGRAM       2324

#endif /* ORVANE_BRENVIKRES_H */
