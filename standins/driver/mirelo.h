/*
 * mirelo.h - control codes of the receiver driver stand-in (device "\\.\MIRELO"), shared by
 * the driver, the virtual remote, the set-up program and the tests.
 *
 * Codes 1 and 2 are the ones the receiver has always understood: 1 registers the window that
 * receives the button codes (4 bytes), 2 sets cursor speed and button enabling (2 bytes).
 * The two codes below are this stand-in's own: one reads back what the driver holds, the
 * other plugs or unplugs the (virtual) receiver, so that a refusing driver can be shown.
 */
#ifndef ORVANE_MIRELO_H
#define ORVANE_MIRELO_H

#define MIRELO_DEVICE_PATH   "\\\\.\\MIRELO"
#define MIRELO_SERVICE_NAME  "Mirelo"

#define MIRELO_IOCTL_REGISTER   1   /* input: 32-bit window handle */
#define MIRELO_IOCTL_SETMOUSE   2   /* input: speed byte, enable byte */
/* CTL_CODE(FILE_DEVICE_UNKNOWN, 0x800 / 0x801, METHOD_BUFFERED, FILE_ANY_ACCESS) */
#define MIRELO_IOCTL_QUERY      0x00222000  /* output: tagMIRELOSTATE */
#define MIRELO_IOCTL_CONNECT    0x00222004  /* input: 1 byte, 1 plugged in, 0 unplugged */

#define MIRELO_DEFAULT_SPEED    3
#define MIRELO_MAX_SPEED        4

/* What the driver holds, as read back with MIRELO_IOCTL_QUERY. */
typedef struct tagMIRELOSTATE {
    unsigned int  uiWindow;         /* registered window (low 32 bits), 0 when none */
    unsigned int  uiRequests;       /* registration requests since the driver loaded */
    unsigned int  uiRegistrations;  /* of them accepted */
    unsigned char bSpeed;           /* cursor speed, 0 (slow) to 4 (fast) */
    unsigned char bEnable;          /* 1: buttons are reported; 0: cursor movement only */
    unsigned char bConnected;       /* 1 while the receiver accepts registrations */
    unsigned char bReserved;
} MIRELOSTATE;

#endif /* ORVANE_MIRELO_H */
