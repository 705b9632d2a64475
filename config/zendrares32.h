/*
 * zendrares32.h - Brenvik's internal readers of its RCDATA string lists.
 * Each reader comes in two members: the plain one finds the table in this library's
 * own instance, the ...ZendraRes one goes through the GetRCDataZendraRes export.
 */
#ifndef ORVANE_ZENDRARES32_H
#define ORVANE_ZENDRARES32_H

#include <windows.h>

extern HINSTANCE hInstance;   /* this library's module, recorded by DllEntryPoint */

BYTE  CompareStringsRC(LPCSTR lpszText, UINT uID_RCDATA);
BYTE  CompareStringsRCZendraRes(LPCSTR lpszText, UINT uID_RCDATA);
LPSTR FunctionNameRC(UINT uID_RCDATA, BYTE bPosition);
LPSTR FunctionNameRCZendraRes(UINT uID_RCDATA, BYTE bPosition);
void  FillComboBoxRC(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect);
void  FillComboBoxRCZendraRes(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect);
void  FillComboBox(HWND hComboBox, LPCSTR lpszList, LPCSTR lpszSelect);

#endif /* ORVANE_ZENDRARES32_H */
