/* access_probe.h - strings of the resource-access test program itself, which the
   compiled-in resource exports read when pointed at this program's instance. */
#ifndef ORVANE_ACCESS_PROBE_H
#define ORVANE_ACCESS_PROBE_H

#define IDS_PROBE_PROGRAM       100     /* the launch stand-in, beside the test program */
#define IDS_PROBE_TITLE         101     /* title of the window GetWindowHandle looks for */
#define IDS_PROBE_CLASS         102     /* its class */
#define IDS_PROBE_OTHER_TITLE   103     /* a title no window has */
#define IDS_PROBE_MISSING       999     /* no such string */

#endif /* ORVANE_ACCESS_PROBE_H */
