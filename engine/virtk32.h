/*
 * virtk32.h - the on-screen keyboard's internals, shared by its source files.
 */
#ifndef ORVANE_VIRTK32_H
#define ORVANE_VIRTK32_H

#include <windows.h>
#include "frame.h"

/* ---- Layout data --------------------------------------------------------------------- */

/* Entries of the key index table (RCDATA IDR_KEY_INDEX). */
enum {
    KI_SYMBOL_COUNT = 0,   /* symbol keys; also where the shifted symbol labels start */
    KI_FIRST_SYMBOL = 1,   /* letters are the keys before it */
    KI_FIRST_WORD = 2,     /* Backspace, first of the keys labelled with a word */
    KI_FIRST_ALTGR = 3,    /* first key with an AltGr label (layouts 0 and 1) */
    KI_TAB = 4,
    KI_ENTER_UPPER = 5,
    KI_ENTER_LOWER = 6,
    KI_CAPS = 7,
    KI_SHIFT = 8,          /* left Shift; right Shift follows */
    KI_CTRL = 9,           /* left Ctrl; right Ctrl follows */
    KI_ALT = 10,           /* left Alt; Alt Gr follows */
    KI_SPACE = 11
};

/* Layout versions (RCDATA IDR_KEY_LAYOUT). */
enum { LAYOUT_US = 0, LAYOUT_ALTGR = 1, LAYOUT_GERMAN = 2 };

/* The keyboard state byte bKeyState. */
#define KS_CAPS    0x01    /* Caps Lock on */
#define KS_SHIFT   0x02    /* Shift latched */
#define KS_PRESSED 0x04    /* a key is held down with the mouse */
#define KS_ALT     0x08    /* Alt latched */
#define KS_CTRL    0x10    /* Ctrl latched */
#define KS_UPPER   0x20    /* letters upper case: Caps Lock exclusive-or Shift */
#define KS_ALTGR   0x40    /* Alt Gr latched */

/* Where navigation looks for keys (right and bottom excluded). */
extern const RECT rKeyArea;

/* The picture "keyboard.bmp" holds two pictures side by side: the keyboard at rest, and
   PRESSED_PICTURE_OFFSET pixels further right the same keyboard with every key pressed.
   The typed line shows in the display strip; keys and window are key-face grey. */
constexpr int PRESSED_PICTURE_OFFSET = 454;
constexpr RECT rDisplayStrip = { 74, 15, 435, 40 };
constexpr COLORREF crKeyFace = RGB(192, 192, 192);

extern int iVersion;          /* layout version of the open keyboard */

int  GetIntRCData(WORD wName, int iIndex);
WORD GetWordRCData(WORD wName, int iIndex);
int  GetNumberOfItem(const RECT *lprKey);
int  FindWhichKey(const RECT *lprKey, const POINT *lppMouse);

/* ---- Navigation ------------------------------------------------------------------------ */

/* The centre of a key (halves truncated toward zero). */
POINT KeyCentre(const RECT *lprRect);

int  OnEdge(const RECT *lprRect, const POINT *lppPoint);
int  FindNextButton(const RECT *lprKeys, int iEdge, RECT rRect);
BOOL IsOnSameButton(int iBut1, int iBut2);
int  MoveCursorToRect(HWND hWnd, const RECT *lprKeys, POINT pNew);
void SetCursorPosInWnd(HWND hWnd, const RECT *lprRect);

/* ---- The typed line -------------------------------------------------------------------- */

#define CHARBUFFER_CELLS 256
#define CHARBUFFER_MAX   254   /* characters the line can hold */

/* Cell flags: which latch typed the character. */
#define CF_ALT   1
#define CF_CTRL  2
#define CF_ALTGR 4

union tagCHARBUFFER {
    UINT uiCharacter;
    struct {
        char chData;
        BYTE bFlag;
        BYTE bSpare[2];
    } data;
};

void InitialiseCharBuffer(tagCHARBUFFER *lpcBuffer);
int  FindBufferLength(const tagCHARBUFFER *lpcBuffer);
int  AddCharToBuffer(WORD wvKey, tagCHARBUFFER *lpcBuffer, BYTE bState);
void DeleteLastItemBuffer(tagCHARBUFFER *lpcBuffer);
void CreateSingleString(const tagCHARBUFFER *lpcBuffer, LPSTR lpszStr);
char ConvertVKCodeToChar(WORD wVKey, BYTE bState);
void GetKeyboardChar(LPSTR lpChar, WORD wControlKey, WORD wVKCode);

/* ---- Drawing ------------------------------------------------------------------------- */


HFONT CreateLabelFont(int iHeight);
RECT  AlterRect(RECT rRect, int iBy);
void  FillButton(HDC hDC, const RECT *lprRect, COLORREF crColour);
void  DrawCharacterKey(HDC hDC, const RECT *lprKey, LPCSTR lpszLabels, POINT pOffset, BYTE bState);
void  DrawToggleShiftKey(HDC hDC, const RECT *lprKey, LPCSTR lpszLabels, POINT pOffset, BYTE bState);
void  DrawToggleAltKey(HDC hDC, const RECT *lprKey, LPCSTR lpszLabels, POINT pOffset, BYTE bState);
void  DrawToggleAltKeyGerman(HDC hDC, const RECT *lprKey, LPCSTR lpszLabels, POINT pOffset, BYTE bState);
void  DrawAllWordKey(HDC hDC, const RECT *lprKey, POINT pOffset, BYTE bState);
void  DrawWordKey(HDC hDC, const RECT *lprKey, int iKey, LPCSTR lpszLabel, POINT pOffset, BYTE bState);
void  MakeBoarder(const RECT *lprKey, POINT aptBorder[7]);
void  DrawBoarder(HDC hDC, const POINT aptBorder[7]);
void  HighLightKey(HWND hWnd, const RECT *lprKey, int iKey);
void  UnHighLightKey(HWND hWnd, const RECT *lprKey, int iKey);
void  InvalidateKey(HWND hWnd, const RECT *lprKey, int iKey, BOOL bUpdate);
void  ReDrawCharacterKey(HWND hWnd, const RECT *lprKey);
void  ReDrawShiftKey(HWND hWnd, const RECT *lprKey);
void  ReDrawAltKey(HWND hWnd, const RECT *lprKey, LPCSTR lpszAltLabels);
void  ReDrawAltKeyGerman(HWND hWnd, const RECT *lprKey, LPCSTR lpszAltLabels);
COLORREF GetCharacterColour(BYTE bFlag);
int   GetFirstCharacter(HDC hDC, LPCSTR lpszString, int iWidth);
void  DrawTextToDisplay(HDC hDC, const RECT *lprRect, LPCSTR lpszText, const tagCHARBUFFER *lpcCells);
void  DrawDisplay(HWND hWnd, const RECT *lprRect, const tagCHARBUFFER *lpcBuffer);

/* ---- The window ------------------------------------------------------------------------ */

/* Opens the keyboard owned by hOwner unless one is open already. */
void OpenKeyboard(HWND hOwner);
extern "C" INT_PTR CALLBACK KeyboardWndProc(HWND hWnd, UINT uMessage, WPARAM wParam, LPARAM lParam);
void SendKeyMessage(HWND hWnd, int iKey);
void PressKey(HWND hWnd, BYTE bKey);
void SendData(HWND hParentWnd, HWND hKbdWnd, const tagCHARBUFFER *pcBuffer);

#endif /* ORVANE_VIRTK32_H */
