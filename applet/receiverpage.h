/*
 * receiverpage.h - the applet's Receiver page: the receiver's other sources and their map.
 */
#ifndef ORVANE_RECEIVERPAGE_H
#define ORVANE_RECEIVERPAGE_H

#include <windows.h>

extern "C" INT_PTR CALLBACK ReceiverDlgProc(HWND hDlg, UINT uMessage, WPARAM wParam, LPARAM lParam);

#endif /* ORVANE_RECEIVERPAGE_H */
