/*
 * dlgcrack.h - one way to write a dialog procedure: a list of HANDLE_DLGMSG lines, one
 * small OnXxx handler per message, as windowsx.h's HANDLE_MSG does for window procedures.
 * Also the crackers of the few messages that windowsx.h does not carry.
 */
#ifndef ORVANE_COMMON_DLGCRACK_H
#define ORVANE_COMMON_DLGCRACK_H

#include <windows.h>
#include <windowsx.h>

/* A handled message returns TRUE with its result in DWLP_MSGRESULT, except the messages
   whose result a dialog procedure returns directly (WM_INITDIALOG, the WM_CTLCOLOR family,
   WM_COMPAREITEM, WM_VKEYTOITEM, WM_CHARTOITEM, WM_QUERYDRAGICON): SetDlgMsgResult knows
   which. Messages not listed fall through to "return FALSE". */
#define HANDLE_DLGMSG(hwnd, message, fn) \
    case (message): \
        return SetDlgMsgResult((hwnd), (message), HANDLE_##message((hwnd), (wParam), (lParam), (fn)))

/* A message that the dialog manager must still handle after fn: the procedure returns
   FALSE. WM_ACTIVATE is one: the dialog manager keeps the focused control across
   deactivation and gives it the focus back when the dialog is activated again. */
#define NOTIFY_DLGMSG(hwnd, message, fn) \
    case (message): \
        HANDLE_##message((hwnd), (wParam), (lParam), (fn)); \
        return FALSE

/* BOOL Cls_OnHelp(HWND hwnd, LPHELPINFO lphi) */
#define HANDLE_WM_HELP(hwnd, wParam, lParam, fn) \
    (LRESULT)(DWORD)(BOOL)(fn)((hwnd), (LPHELPINFO)(lParam))

/* void Cls_OnCaptureChanged(HWND hwnd, HWND hwndNewCapture) */
#define HANDLE_WM_CAPTURECHANGED(hwnd, wParam, lParam, fn) \
    ((fn)((hwnd), (HWND)(lParam)), 0L)

#endif /* ORVANE_COMMON_DLGCRACK_H */
