/*
 * zendrares32.h - reading this library's RCDATA tables (zendrares32.cpp, zendrares32_lists.cpp).
 */
#ifndef ORVANE_ZENDRARES32_H
#define ORVANE_ZENDRARES32_H

#include <windows.h>

/* Each reader comes in two members: the plain one finds the table in this library's own
   instance, the ...ZendraRes one goes through the GetRCDataZendraRes export. */
/* A zero-filled local-heap copy of a string, for the caller to free with LocalFree. */
LPSTR CopyToLocal(LPCSTR lpszText);
/* A locked RCDATA table: the loaded handle, to release, and its first byte. OpenTable finds
   it in this instance, or through GetRCDataZendraRes when bThroughExport is set. */
struct tagRCTABLE {
    HGLOBAL hData;
    LPCSTR  lpszFirst;
};
BOOL   OpenTable(UINT uID_RCDATA, BOOL bThroughExport, tagRCTABLE *prc);
void   CloseTable(tagRCTABLE *prc);
LPCSTR NextEntry(LPCSTR lpszEntry);     /* the entry after this one of a string list */

BYTE  CompareStringsRC(LPCSTR lpszText, UINT uID_RCDATA);
BYTE  CompareStringsRCZendraRes(LPCSTR lpszText, UINT uID_RCDATA);
LPSTR FunctionNameRC(UINT uID_RCDATA, BYTE bPosition);
LPSTR FunctionNameRCZendraRes(UINT uID_RCDATA, BYTE bPosition);
void  FillComboBoxRC(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect);
void  FillComboBoxRCZendraRes(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect);
void  FillComboBox(HWND hComboBox, LPCSTR lpszList, LPCSTR lpszSelect);
/* A string list and a 16-bit value list that belong together by position, read through
   GetRCDataZendraRes (so they also serve the hooks inside other processes). The walk calls
   pfnEntry for each entry until it returns TRUE, and then returns TRUE. The lookups give
   the value of a name (bIgnoreCase: compared without case) or the first name of a value
   (cut to cchName); FALSE, with 0 or "", when there is none. */
typedef BOOL (*PAIREDENTRYPROC)(LPCSTR lpszName, WORD wValue, void *pContext);
BOOL  ForEachPairedEntry(UINT uNames, UINT uValues, PAIREDENTRYPROC pfnEntry, void *pContext);
BOOL  PairedValueOfName(UINT uNames, UINT uValues, LPCSTR lpszName, BOOL bIgnoreCase, WORD *pwValue);
BOOL  PairedNameOfValue(UINT uNames, UINT uValues, WORD wValue, LPSTR lpszName, int cchName);


/* A value list of this library: its words and how many there are; null when missing. */
const WORD *LockValueList(UINT uValueList, int *pcValues);
LPSTR GetIndexedString(UINT uStringList, int iPosition);
BYTE  GetIndexedValue(UINT uValueList, int iPosition);
int   CountStringIndex(UINT uStringList, LPCSTR lpszText);
int   CountValueIndex(UINT uValueList, BYTE bValue);

#endif /* ORVANE_ZENDRARES32_H */
