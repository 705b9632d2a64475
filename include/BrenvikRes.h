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

#endif /* ORVANE_BRENVIKRES_H */
