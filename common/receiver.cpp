/*
 * receiver.cpp - a call to the receiver driver, as the tray program and the applet make it.
 */
#include "receiver.h"

BOOL CallReceiver(DWORD dwCode, LPVOID lpInput, DWORD cbInput)
{
    /* OPEN_EXISTING: the NT family refuses a device open with no creation disposition. */
    HANDLE hDevice = CreateFileA(RECEIVER_PATH, 0, 0, NULL, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (hDevice == INVALID_HANDLE_VALUE)
        return FALSE;
    /* The NT family needs a place for the byte count when the call is not overlapped. */
    DWORD cbReturned;
    BOOL bAccepted = DeviceIoControl(hDevice, dwCode, lpInput, cbInput, NULL, 0, &cbReturned, NULL);
    CloseHandle(hDevice);
    return bAccepted;
}
