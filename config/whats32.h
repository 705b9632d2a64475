/*
 * whats32.h - the what's-this window (whats32.cpp).
 */
#ifndef ORVANE_WHATS32_H
#define ORVANE_WHATS32_H

#include <windows.h>
#include "but32.h"

extern "C" INT_PTR CALLBACK WhatsThisDlg(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);
/* Rows of an assignment: 0 none, else 1 + the last of primary, extra 1, extra 2 present. */
int   GetNumOfField(const tagBUTTONINFO *pbiBut);

#endif /* ORVANE_WHATS32_H */
