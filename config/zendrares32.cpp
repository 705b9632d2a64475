/*
 * zendrares32.cpp - access to the resources that Brenvik carries for the whole system:
 * strings, icons, bitmaps, the cursor and dialog templates, and boxes filled from RCDATA
 * string lists (zendrares32_lists.cpp reads the lists).
 */
#include <windows.h>
#include <windowsx.h>
#include <string.h>
#include <stdio.h>
#include "Brenvik.h"
#include "Brenvik_module.h"
#include "zendrares32.h"

/* ---- Exports ------------------------------------------------------------------------ */

extern "C" int WINAPI GetStringRes(UINT uiStringID, LPSTR lpszBuffer, int iSize)
{
    if (lpszBuffer == NULL)
        return 0;
    /* The loader empties the buffer for a string that does not exist: ask first (a size
       of 0 asks for the string's length without copying anything). */
    LPCWSTR lpszExisting = NULL;
    if (LoadStringW(hInstance, uiStringID, (LPWSTR)&lpszExisting, 0) <= 0)
        return 0;
    return LoadStringA(hInstance, uiStringID, lpszBuffer, iSize);
}

extern "C" HICON WINAPI GetIconRes(WORD wIconID)
{
    return LoadIconA(hInstance, MAKEINTRESOURCEA(wIconID));
}

extern "C" HBITMAP WINAPI GetBitmapRes(WORD wBitmapID)
{
    return LoadBitmapA(hInstance, MAKEINTRESOURCEA(wBitmapID));
}

extern "C" HCURSOR WINAPI GetCursorRes(WORD wCursorID)
{
    return LoadCursorA(hInstance, MAKEINTRESOURCEA(wCursorID));
}

extern "C" HMENU WINAPI GetMenuRes(WORD wMenuID)
{
    return LoadMenuA(hInstance, MAKEINTRESOURCEA(wMenuID));
}

extern "C" HACCEL WINAPI GetAcceleratorsRes(WORD wAccelID)
{
    return LoadAcceleratorsA(hInstance, MAKEINTRESOURCEA(wAccelID));
}

extern "C" INT_PTR WINAPI DialogBoxRes(WORD wTemplate, HWND hParentWnd, DLGPROC lpfnDialogProc)
{
    return DialogBoxParamA(hInstance, MAKEINTRESOURCEA(wTemplate), hParentWnd, lpfnDialogProc, 0);
}

extern "C" HWND WINAPI CreateDialogRes(WORD wTemplate, HWND hParentWnd, DLGPROC lpfnDialogProc)
{
    return CreateDialogParamA(hInstance, MAKEINTRESOURCEA(wTemplate), hParentWnd, lpfnDialogProc, 0);
}

extern "C" LPSTR WINAPI LoadRCDataStringZendraRes(int iIDItem)
{
    HGLOBAL hData = GetRCDataZendraRes((UINT)iIDItem);
    if (hData == NULL)
        return NULL;

    LPCSTR lpszText = (LPCSTR)LockResource(hData);
    LPSTR lpszCopy = lpszText != NULL ? CopyToLocal(lpszText) : NULL;
    FreeResource(hData);
    return lpszCopy;
}

/* Loads a string of the table; 0xFFFF or a missing string leaves that side open (null). */
static LPCSTR LoadOptionalString(WORD wID, LPSTR lpszBuffer, int iSize)
{
    if (wID == 0xFFFF || GetStringRes(wID, lpszBuffer, iSize) == 0)
        return NULL;
    return lpszBuffer;
}

extern "C" HWND WINAPI GetWindowHandle(WORD wClass, WORD wTitle)
{
    char szClass[256];
    char szTitle[256];
    return FindWindowA(LoadOptionalString(wClass, szClass, sizeof(szClass)),
                       LoadOptionalString(wTitle, szTitle, sizeof(szTitle)));
}

extern "C" UINT WINAPI LaunchProg(WORD wNameID, LPCSTR lpszCmdLine, UINT uiShow)
{
    char szCommand[260];
    int iLength = GetStringRes(wNameID, szCommand, sizeof(szCommand));
    if (iLength == 0)
        return 0;
    /* An argument that does not fit is dropped whole, never cut. */
    if (lpszCmdLine != NULL && iLength + strlen(lpszCmdLine) + 1 < sizeof(szCommand))
        snprintf(szCommand + iLength, sizeof(szCommand) - iLength, " %s", lpszCmdLine);
    return WinExec(szCommand, uiShow);
}

/* ---- Boxes filled from string lists ------------------------------------------------- */

static void FillComboBoxIn(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect, BOOL bThroughExport)
{
    ComboBox_ResetContent(hComboBox);
    tagRCTABLE rc;
    if (!OpenTable(uID_RCDATA, bThroughExport, &rc))
        return;
    FillComboBox(hComboBox, rc.lpszFirst, lpszSelect);
    CloseTable(&rc);
}

void FillComboBoxRC(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect)
{
    FillComboBoxIn(hComboBox, uID_RCDATA, lpszSelect, FALSE);
}

void FillComboBoxRCZendraRes(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect)
{
    FillComboBoxIn(hComboBox, uID_RCDATA, lpszSelect, TRUE);
}

/* Fills the box from a string list in memory and selects the last entry equal to
   lpszSelect (case-insensitive), or the first entry when none is. */
void FillComboBox(HWND hComboBox, LPCSTR lpszList, LPCSTR lpszSelect)
{
    ComboBox_ResetContent(hComboBox);
    int iSelect = 0;
    for (LPCSTR lpszEntry = lpszList; *lpszEntry != '\0'; lpszEntry = NextEntry(lpszEntry)) {
        int iIndex = ComboBox_AddString(hComboBox, lpszEntry);
        if (lpszSelect != NULL && iIndex >= 0 && lstrcmpiA(lpszEntry, lpszSelect) == 0)
            iSelect = iIndex;
    }
    ComboBox_SetCurSel(hComboBox, iSelect);
}
