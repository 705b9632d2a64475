/*
 * mode32_zendra.h - the home-automation command dialog (mode32_zendra.cpp) and the reading
 * and building of its commands (mode32_zendra_text.cpp).
 */
#ifndef ORVANE_MODE32_ZENDRA_H
#define ORVANE_MODE32_ZENDRA_H

#include <windows.h>
#include "but32.h"

/* A command addresses a house code ("A".."P") and unit codes (1..16): "A1,A3 Dim To 40%",
   "B All Units Off", "C5 Extended Code 00ff", "A2 Dim 178%" (brighten first, then dim to
   50), "Macro D2 On". */

#define MACRO_UNITS 16           /* unit codes a command can carry; more are dropped */

/* One command in parsed form. Texts are local-heap copies owned by the record. */
struct tagMACROINFO {
    LPSTR lpszHouseCode;         /* one letter */
    LPSTR lpszFunction;          /* name from the function list; null in Macro mode */
    LPSTR lpszCode;              /* extended code text, or null */
    int   iDeviceCode[MACRO_UNITS];
    BYTE  bMacroCommand;         /* 0 Macro mode, 1 Command mode */
    BYTE  bOnOff;                /* Macro mode: 1 On, 0 Off */
    int   iValue;                /* percentage of the brightness functions, 0..100 */
    int   iNumDevice;            /* valid entries of iDeviceCode */
};

int   IsKeyExist(HKEY hKey, LPCSTR lpszSubKey);
int   IsDovrelInstalled(void);
void  CreateMacroStruct(LPCSTR lpszCommand, tagMACROINFO *pmiMacro);
void  ClearUpMacroStruct(tagMACROINFO *pmiMacro);
/* The text of a command: bStored 1 the stored form, 0 the dialog's preview. 0 when it
   lacks a house code, a function or the units it needs, or does not fit (lpszOut then
   empty). */
int   FormatHouseCode(const tagMACROINFO *pmiMacro, int bStored, LPSTR lpszOut, int iSize);
/* Whether a stored command is exactly what FormatHouseCode writes for what it reads (units
   1 to 16 among other things); the dialog keeps any other one as it is. */
int   IsHouseCodeAsWritten(LPCSTR lpszCommand);
/* "Brighten First Then Dim To" written out for a stored "Dim" with bit 7 set. */
void  DescribeStoredCommand(LPCSTR lpszCommand, LPSTR lpszOut, int iSize);
int   AcceptPercentage(LPCSTR lpszText, int *piValue);
int   BrightnessFunction(LPCSTR lpszFunction);
int   WholeHouseFunction(LPCSTR lpszFunction);
void  IsInRange(LPSTR lpszCode, int bFlag);   /* lpszCode holds at least 5 bytes */
int   CheckStrings(LPCSTR lpszText, LPCSTR lpszStart, int iLength);
LPSTR CreateHouseCodeString(HWND hDlg);
void  SetupHouseCodeDialog(HWND hDlg, tagMACROINFO miMacro);
void  DisplayMacro(HWND hDlg, int iMode);
void  ShowDefaultHouseCode(HWND hDlg, LPCSTR lpszCommand);
void  EnableMode(HWND hDlg, int iMode);
void  EnableValueBox(HWND hDlg, int iMode);
void  EnableCodeBox(HWND hDlg);
void  SelectDevice(HWND hDlg, int iKeep);
void  LimitSelection(HWND hDlg);
int   GetAllDevices(HWND hDlg, LPSTR lpszOut, int iSize, LPCSTR lpszHouseCode);

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
