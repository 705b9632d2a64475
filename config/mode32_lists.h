/*
 * mode32_lists.h - the family dialogs' controls over this library's RCDATA lists, and the
 * refusal of what a control holds (mode32_lists.cpp).
 */
#ifndef ORVANE_MODE32_LISTS_H
#define ORVANE_MODE32_LISTS_H

#include <windows.h>

/* Lists of this library's RCDATA tables (string lists end with an empty entry; a value
   list holds one 16-bit value per string). */
void  InitialiseComboBoxRC(HWND hDlg, int iControl, UINT uStringList, UINT uValueList);
void  InitialiseComboBoxRCZendraRes(HWND hDlg, int iControl, UINT uStringList, UINT uValueList);
void  FillListBoxRC(HWND hListBox, UINT uStringList, LPCSTR lpszSelect);
void  WriteToTextBox(HWND hDlg, int iControl, LPCSTR lpszText);
/* Selects the first entry of a combo box that begins with lpszText (case-insensitive);
   FALSE, selection unchanged, when there is none. */
BOOL  SelectPrefix(HWND hDlg, int iControl, LPCSTR lpszText);
/* The selected entry's text into a caller's buffer ("" when none). */
void  GetSelectedText(HWND hDlg, int iControl, LPSTR lpszText, int cchText);
/* Whether template iTemplate (from 0) of a family's template list, filled with
   cchArgument characters, makes a command the tray program can run. */
BOOL  FitsTemplate(UINT uTemplates, int iTemplate, int cchArgument);

/* Refuses what a control holds: a message box giving the reason, the focus on the
   control; FALSE. TooLong names a field that does not fit. */
#define REFUSAL_CAPTION "Cannot Store"
BOOL  Refuse(HWND hDlg, int iControl, LPCSTR lpszReason);
BOOL  TooLong(HWND hDlg, int iControl, LPCSTR lpszField);

#endif /* ORVANE_MODE32_LISTS_H */
