/*
 * lirc.cpp - the LIRC client's connection. Everything happens in the tray window's message
 * loop: the host name is looked up with WSAAsyncGetHostByName, the socket reports its
 * connection, data and end through WSAAsyncSelect, and a timer starts the next attempt.
 * Only IPv4 servers are reached (LIRC and WinLIRC listen there).
 */
#include <winsock2.h>
#include <windows.h>
#include <string.h>
#include "lirc.h"

/* Pauses before the next attempt, in order; the last one repeats. */
static const UINT auiRetryMs[] = { 1000, 2000, 4000, 8000, 15000, 30000 };
#define RETRY_STEPS ((int)(sizeof(auiRetryMs) / sizeof(auiRetryMs[0])))

enum { STATE_OFF, STATE_RESOLVING, STATE_CONNECTING, STATE_CONNECTED, STATE_WAITING };

/* The client; all zero while it is off. */
static struct tagLIRC {
    int iState;                     /* STATE_x */
    BOOL bWinsock;                  /* WSAStartup has succeeded */
    BOOL bFailed;                   /* not reached since last connected */
    char szHost[SERVER_ADDRESS_SIZE];
    unsigned short usPort;
    HANDLE hResolve;                /* STATE_RESOLVING: the lookup */
    char achHostEntry[MAXGETHOSTSTRUCT];
    SOCKET sServer;                 /* STATE_CONNECTING and STATE_CONNECTED */
    int iRetry;                     /* index of the next pause */
    tagLIRCSTREAM lsStream;
    char achReceived[LIRC_RECEIVE_SIZE];
    size_t cbReceived;
    size_t iTaken;
} Lirc;

BOOL LircConnected(void)
{
    return Lirc.iState == STATE_CONNECTED;
}

BOOL LircUnreached(void)
{
    return Lirc.iState != STATE_OFF && Lirc.iState != STATE_CONNECTED && Lirc.bFailed;
}

/* The two flags the handlers report on, as one number. */
static int Reach(void)
{
    return (LircConnected() ? 1 : 0) | (LircUnreached() ? 2 : 0);
}

static BOOL HasSocket(void)
{
    return Lirc.iState == STATE_CONNECTING || Lirc.iState == STATE_CONNECTED;
}

/* Drops the socket or the lookup under way; what was received stays to be taken. */
static void CloseServer(HWND hWnd)
{
    if (Lirc.iState == STATE_RESOLVING)
        WSACancelAsyncRequest(Lirc.hResolve);
    if (HasSocket())
        closesocket(Lirc.sServer);
    KillTimer(hWnd, TIMER_LIRC_RETRY);
    Lirc.hResolve = NULL;
    Lirc.sServer = 0;
}

/* Not reached: the next attempt after the next pause. */
static void Fail(HWND hWnd)
{
    CloseServer(hWnd);
    Lirc.bFailed = TRUE;
    Lirc.iState = STATE_WAITING;
    SetTimer(hWnd, TIMER_LIRC_RETRY, auiRetryMs[Lirc.iRetry], NULL);
    if (Lirc.iRetry < RETRY_STEPS - 1)
        Lirc.iRetry++;
}

static void OpenConnection(HWND hWnd, unsigned long ulAddress)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        Fail(hWnd);
        return;
    }
    sockaddr_in sa = {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(Lirc.usPort);
    sa.sin_addr.s_addr = ulAddress;
    /* WSAAsyncSelect makes the socket non-blocking: connect only starts. */
    if (WSAAsyncSelect(s, hWnd, WM_LIRC_SOCKET, FD_CONNECT | FD_READ | FD_CLOSE) != 0
        || (connect(s, (const sockaddr *)&sa, sizeof(sa)) == SOCKET_ERROR && WSAGetLastError() != WSAEWOULDBLOCK)) {
        closesocket(s);
        Fail(hWnd);
        return;
    }
    Lirc.sServer = s;
    Lirc.iState = STATE_CONNECTING;
    /* A line the last connection left unfinished is no line. */
    Lirc.lsStream = {};
    Lirc.cbReceived = Lirc.iTaken = 0;
}

static void Attempt(HWND hWnd)
{
    unsigned long ulAddress = inet_addr(Lirc.szHost);
    if (ulAddress != INADDR_NONE) {
        OpenConnection(hWnd, ulAddress);
        return;
    }
    Lirc.hResolve = WSAAsyncGetHostByName(hWnd, WM_LIRC_RESOLVED, Lirc.szHost, Lirc.achHostEntry,
                                          sizeof(Lirc.achHostEntry));
    if (Lirc.hResolve == NULL)
        Fail(hWnd);
    else
        Lirc.iState = STATE_RESOLVING;
}

void ConnectLirc(HWND hWnd, const char *pszServer)
{
    DisconnectLirc(hWnd);
    WSADATA wd;
    Lirc.bWinsock = WSAStartup(MAKEWORD(2, 2), &wd) == 0;
    Lirc.iState = STATE_WAITING;
    if (!Lirc.bWinsock || !ParseServerAddress(pszServer, Lirc.szHost, sizeof(Lirc.szHost), &Lirc.usPort)) {
        Lirc.bFailed = TRUE;        /* stays waiting: there is nothing to try */
        return;
    }
    Attempt(hWnd);
}

void DisconnectLirc(HWND hWnd)
{
    CloseServer(hWnd);
    if (Lirc.bWinsock)
        WSACleanup();
    Lirc = {};
}

BOOL OnLircResolved(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    if (Lirc.iState != STATE_RESOLVING || (HANDLE)wParam != Lirc.hResolve)
        return FALSE;       /* the answer to a lookup given up since */
    int iReach = Reach();
    const hostent *phe = (const hostent *)Lirc.achHostEntry;
    Lirc.hResolve = NULL;
    if (WSAGETASYNCERROR(lParam) != 0 || phe->h_addrtype != AF_INET || phe->h_length != 4
        || phe->h_addr_list[0] == NULL) {
        Fail(hWnd);
    } else {
        unsigned long ulAddress;
        memcpy(&ulAddress, phe->h_addr_list[0], sizeof(ulAddress));
        OpenConnection(hWnd, ulAddress);
    }
    return Reach() != iReach;
}

/* One read of what has arrived, for TakeLircLine; the end of the connection or an error
   is a failure. */
static void Receive(HWND hWnd)
{
    int cb = recv(Lirc.sServer, Lirc.achReceived, sizeof(Lirc.achReceived), 0);
    if (cb > 0) {
        Lirc.cbReceived = (size_t)cb;
        Lirc.iTaken = 0;
    } else if (cb == 0 || WSAGetLastError() != WSAEWOULDBLOCK) {
        Fail(hWnd);
    }
}

BOOL OnLircSocket(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    /* Events of a socket closed since may still be on their way. */
    if (!HasSocket() || (SOCKET)wParam != Lirc.sServer)
        return FALSE;
    int iReach = Reach();
    switch (WSAGETSELECTEVENT(lParam)) {
    case FD_CONNECT:
        if (WSAGETSELECTERROR(lParam) != 0) {
            Fail(hWnd);
        } else {
            Lirc.iState = STATE_CONNECTED;
            Lirc.bFailed = FALSE;
            Lirc.iRetry = 0;
        }
        break;
    case FD_READ:
        Receive(hWnd);
        break;
    case FD_CLOSE:
        /* What came before the end is still read; the end itself starts the retries. */
        if (WSAGETSELECTERROR(lParam) == 0)
            Receive(hWnd);
        if (HasSocket())
            Fail(hWnd);
        break;
    }
    return Reach() != iReach;
}

BOOL OnLircRetry(HWND hWnd)
{
    if (Lirc.iState != STATE_WAITING || Lirc.szHost[0] == '\0')
        return FALSE;
    KillTimer(hWnd, TIMER_LIRC_RETRY);
    int iReach = Reach();
    Attempt(hWnd);
    return Reach() != iReach;
}

BOOL TakeLircLine(tagLIRCLINE *pll)
{
    while (Lirc.iTaken < Lirc.cbReceived) {
        int bComplete;
        Lirc.iTaken += LircStreamLine(&Lirc.lsStream, Lirc.achReceived + Lirc.iTaken, Lirc.cbReceived - Lirc.iTaken,
                                      pll, &bComplete);
        if (bComplete)
            return TRUE;
    }
    Lirc.cbReceived = Lirc.iTaken = 0;
    return FALSE;
}
