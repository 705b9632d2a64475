/*
 * press.h - one accepted code from the receiver through the command engine, as Tellumo runs
 * it and the press benchmark measures it.
 */
#ifndef ORVANE_PRESS_H
#define ORVANE_PRESS_H

#include <windows.h>

/* Translates bCode (a mode's or a mode-independent command runs then), and runs the
   command of the button it names, if one is assigned; *lpbMode and *lpbShift are the
   engine's mode and shift, changed by the code. The mode's key name is read once, and
   handed with the outcome to the press log. Returns the translated code. */
BYTE RunCode(HWND hWnd, BYTE bCode, LPBYTE lpbMode, LPBYTE lpbShift);

#endif /* ORVANE_PRESS_H */
