/*
 * mode32_zendra.h - what the home-automation dialog (mode32_zendra.cpp) and the reading and
 * building of its commands (mode32_zendra_text.cpp) share.
 */
#ifndef ORVANE_MODE32_ZENDRA_H
#define ORVANE_MODE32_ZENDRA_H

#include <windows.h>

#define PERCENT_MAX         100
#define CODE_DIGITS         4       /* an extended code is at most four hexadecimal digits */
#define CODE_BUFFER         (CODE_DIGITS + 1)
#define NAME_SIZE           40
#define PREVIEW_SIZE        160     /* 16 units of three characters and the longest function */

/* Positions in the function list (1-based, as CompareStringsRC counts). */
enum {
    ZF_ON = 1, ZF_OFF, ZF_DIM, ZF_DIM_TO, ZF_BRIGHT, ZF_BRIGHTEN_FIRST, ZF_ALL_LIGHTS_ON,
    ZF_ALL_UNITS_OFF, ZF_EXTENDED_CODE, ZF_STATUS_REQUEST
};

/* The position of a function name in the function list, 0 for none. */
int  FunctionPosition(LPCSTR lpszFunction);
/* A string of this library into a NAME_SIZE buffer ("" when there is none). */
void LoadName(UINT uiID, LPSTR lpszName);
/* The targets of a command: the house code, or each unit with the house code in front
   ("A1,A3"); 0 (and the text cut) when they do not fit iSize bytes. */
int  FormatTargets(LPCSTR lpszHouseCode, const int *piUnits, int iUnits, LPSTR lpszOut, int iSize);

#endif /* ORVANE_MODE32_ZENDRA_H */
