/*
 * receiver.h - the one way the deliverables talk to the receiver driver: open the device,
 * make one call with an input buffer, close it again.
 */
#ifndef ORVANE_COMMON_RECEIVER_H
#define ORVANE_COMMON_RECEIVER_H

#include <windows.h>

#define RECEIVER_PATH       "\\\\.\\MIRELO"
#define RECEIVER_REGISTER   1   /* input: the 32-bit handle of the window that gets the codes */
#define RECEIVER_SETMOUSE   2   /* input: tagMOUSEVXDPARAMS */

/* Opens the driver, passes cbInput bytes with control code dwCode and closes the driver.
   Nonzero when the driver was there and accepted the call. */
BOOL CallReceiver(DWORD dwCode, LPVOID lpInput, DWORD cbInput);

#endif /* ORVANE_COMMON_RECEIVER_H */
