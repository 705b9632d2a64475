/*
 * mode32_hotkey.h - the Hot Key dialog and the forms of a hot key (mode32_hotkey.cpp,
 * mode32_hotkey_code.cpp).
 */
#ifndef ORVANE_MODE32_HOTKEY_H
#define ORVANE_MODE32_HOTKEY_H

#include <windows.h>

/* A hot-key value holds 0xFF in bits 31-24 for Alt, 23-16 for Ctrl, 15-8 for Shift, and
   the key code in bits 7-0; a following key code travels beside it. The code stored with
   the button is "A" or "-", "C" or "-", "S" or "-", the key code byte and the following
   key code byte, ending early at a missing key. Key codes are those of the key table
   (IDR_HOTKEY_NAMES and IDR_HOTKEY_CODES), which the engine turns into virtual keys. */

#define HOTKEY_CODE_SIZE    6       /* five characters and the terminator */
#define HOTKEY_NAME_SIZE    16      /* longest key name and the terminator */
#define HOTKEY_TEXT_SIZE    48      /* "ALT-CTRL-SHIFT-" + name + ", " + name */

/* The modifiers by position in the code: letter, byte of the value, check box, text. */
struct tagHOTKEYMODIFIER {
    char   chLetter;
    DWORD  dwMask;
    int    idCheckBox;
    LPCSTR lpszText;
};
#define HOTKEY_MODIFIERS    3
extern const tagHOTKEYMODIFIER hotKeyModifiers[HOTKEY_MODIFIERS];

/* Hot Key dialog (template 458): edits the hot key of the editor's record; ends with 1. */
INT_PTR CALLBACK HotKeyDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);

/* Conversions, touching no window. A key name and its code (0 and "" for none); a value
   and its code (lpszCode: HOTKEY_CODE_SIZE bytes); a code's value (FALSE, nothing set,
   for an empty code; a blank following key counts as none) and its text. */
BYTE  StringToCode(LPCSTR lpszName);
void  CodeToString(BYTE bCode, LPSTR lpszName);
void  HotKeyValueToCode(LONG lValue, BYTE bFollowing, LPSTR lpszCode);
BOOL  HotKeyCodeToValue(LPCSTR lpszCode, LONG *plValue, BYTE *pbFollowing);
void  HotKeyCodeToText(LPCSTR lpszCode, LPSTR lpszText, int cchText);

/* In a dialog: the text of a value into a control and its code into control 454;
   the editor's record's hot key from the code in control 454 (no hot key for an empty
   code); the text of a code into a control (bFlag 1: as it is, else with "&" doubled;
   empty for an empty code). */
void  SetHotKeyText(HWND hDlg, int iControl, LONG lValue, BYTE bFollowing);
void  SetHotKeyLong(HWND hDlg);
void  ShowHotKeyType(HWND hDlg, int iControl, LPCSTR lpszCode, int bFlag);

/* The Hot Key dialog's controls from a value: check boxes and lists (no selection for a
   code without an item); check boxes alone; lists alone (position 0 for a code without an
   item). The position of a code in a key list, 0xFFFF when none. */
void  SetSelection(HWND hDlg, LONG lValue, BYTE bFollowing);
void  ShowCheckBoxSelection(HWND hDlg, LONG lValue);
void  ShowKeyText(HWND hDlg, LONG lValue, BYTE bFollowing);
int   FindItemIndex(HWND hDlg, int iList, BYTE bCode);

#endif /* ORVANE_MODE32_HOTKEY_H */
