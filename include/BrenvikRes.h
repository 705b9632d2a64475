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

#endif /* ORVANE_BRENVIKRES_H */
