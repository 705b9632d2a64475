/*
 * BrenvikRes.h - identifiers of the resources that Brenvik.dll carries for the whole
 * system. Included by the resource script and by every module that reads a resource.
 * Plain #defines only: windres reads this file too.
 */
#ifndef ORVANE_BRENVIKRES_H
#define ORVANE_BRENVIKRES_H

/* Notification-area tips: mode m (0 PC .. 4 CD), shift s -> IDS_TIP_FIRST + 2*m + s. */
#define IDS_TIP_FIRST           2

/* Tray context menu; the menu command id equals the string id. */
#define IDS_CLOSE               261
#define IDS_HELP                262
#define IDS_CONFIGURE           263

#endif /* ORVANE_BRENVIKRES_H */
