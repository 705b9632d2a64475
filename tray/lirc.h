/*
 * lirc.h - Tellumo's client of a LIRC or WinLIRC server: one TCP connection served by
 * Winsock's messages on the tray window, so that there is no thread and no polling and an
 * idle connection costs nothing. A refused or lost connection is tried again after a pause
 * that doubles up to half a minute; the lines that arrive are taken one at a time.
 */
#ifndef ORVANE_LIRC_H
#define ORVANE_LIRC_H

#include <windows.h>
#include "lircline.h"

#define WM_LIRC_SOCKET      (WM_APP + 1)    /* WSAAsyncSelect's events of the connection */
#define WM_LIRC_RESOLVED    (WM_APP + 2)    /* WSAAsyncGetHostByName's answer */
#define TIMER_LIRC_RETRY    4
#define LIRC_RECEIVE_SIZE   4096    /* bytes taken from the socket at one event, at most */

/* Connects to the server of "host:port" (dropping any earlier connection); an address that
   is not one is never reached. */
void ConnectLirc(HWND hWnd, const char *pszServer);
/* Ends the connection, its retries and Winsock; the state is cleared. */
void DisconnectLirc(HWND hWnd);

/* LircConnected: the connection stands. LircUnreached: an attempt has failed, or the
   connection was lost, since the client was last connected. */
BOOL LircConnected(void);
BOOL LircUnreached(void);

/* The handlers of the two Winsock messages and of the retry timer. Each returns TRUE when
   LircConnected or LircUnreached changed. */
BOOL OnLircSocket(HWND hWnd, WPARAM wParam, LPARAM lParam);
BOOL OnLircResolved(HWND hWnd, WPARAM wParam, LPARAM lParam);
BOOL OnLircRetry(HWND hWnd);

/* The next whole line that arrived, once a socket event has been handled; FALSE when none
   is left. */
BOOL TakeLircLine(tagLIRCLINE *pll);

#endif /* ORVANE_LIRC_H */
