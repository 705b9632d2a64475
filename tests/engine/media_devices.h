/*
 * media_devices.h - the media tests' side of the simulated MCI devices (simcd.drv and
 * simvideo.drv): installing them in the [mci] section of the prefix's system.ini, setting
 * their behaviour and reading the commands they received; and running a command string
 * through Corvalin while the message boxes it shows are read and closed.
 */
#ifndef ORVANE_MEDIA_DEVICES_H
#define ORVANE_MEDIA_DEVICES_H

#include <windows.h>
#include <mmsystem.h>
#include <string>
#include <vector>

/* Names the simulated drivers, next to this program, as MCI device types "simcd" and
   "simvideo"; starts a fresh command log and clears every behaviour setting. */
void InstallSimulatedDevices();

/* Deletes the command log. */
void RemoveDeviceLog();

/* The commands the devices received since the last call, one line each. */
std::vector<std::string> TakeDeviceLog();

/* Behaviour of the devices: track lengths ("185,203", seconds or frames) and the steps
   that fail ("mode,play"); empty strings restore the defaults. */
void SetDeviceTracks(const char *pszTracks);
void SetDeviceFailures(const char *pszSteps);

/* The mode of the open device of a type (MCI_MODE_x), 0 when none is open; asked
   without being logged. */
DWORD DeviceMode(const char *pszDeviceType);

/* Stops the open device of a type, as if its medium had ended; not logged. */
void StopDevice(const char *pszDeviceType);

/* The system's text of an MCI error. */
std::string MCIErrorText(MCIERROR dwError);

/* A message box seen while a command ran. */
struct BoxSeen {
    std::string strCaption;
    std::string strText;
    bool bErrorIcon;
};

/* Runs a command string through Corvalin's ParseFunction; every message box it shows is
   read and closed. */
std::vector<BoxSeen> RunCommand(const std::string &strCommand);

#endif /* ORVANE_MEDIA_DEVICES_H */
