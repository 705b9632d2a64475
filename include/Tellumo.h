/*
 * Tellumo.h - what the other deliverables know of the tray program: its window class and
 * title. The applet looks for this pair to see whether the tray program runs.
 */
#ifndef ORVANE_TELLUMO_H
#define ORVANE_TELLUMO_H

#define TRAY_CLASS  "TELLUMO"
#define TRAY_TITLE  "Zendra Remote Buttons"

#endif /* ORVANE_TELLUMO_H */
