/*
 * traywatch.h - reads the notification area of Wine's virtual desktop the way a person
 * looks at it: which icons are shown, where, with which tip, and whether the picture on the
 * screen is a given icon.
 */
#ifndef ORVANE_TRAYWATCH_H
#define ORVANE_TRAYWATCH_H

#include <windows.h>
#include <string>
#include <vector>

struct tagTRAYENTRY {
    RECT rcScreen;          /* the icon's place on the screen */
    std::string strTip;     /* its tip text */
};

/* The icons of the notification area, read through the tray's tooltip control. Returns
   false when the tray is missing or cannot be read. */
bool ReadTrayIcons(std::vector<tagTRAYENTRY> *pvEntries);

/* Share (0..1) of the pixels of the icon's place on the screen that match hIcon drawn at
   small-icon size over the tray's background. */
double IconMatch(const RECT &rcScreen, HICON hIcon);

#endif /* ORVANE_TRAYWATCH_H */
