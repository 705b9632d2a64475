/*
 * TellumoRes.h - identifiers of Tellumo's own resources: the press log's menu label and its
 * window's texts (the shared strings of the menu's other items are Brenvik's).
 */
#ifndef ORVANE_TELLUMORES_H
#define ORVANE_TELLUMORES_H

#define IDI_PC_MODE         1       /* the program's own icon, shown in PC mode */

#define IDS_PRESS_LOG       264     /* "Press &Log": menu label and the item's command */
#define IDS_LOG_TITLE       265
#define IDS_LOG_COPY        266
#define IDS_LOG_CLEAR       267
/* Words of the log's lines, in the order of the PLW_ values (presslog.h). */
#define IDS_LOG_WORDS       270
/* Added to the icon's tip while the LIRC server is not reached. */
#define IDS_LIRC_UNREACHED  300

#endif /* ORVANE_TELLUMORES_H */
