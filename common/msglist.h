/*
 * msglist.h - the message list that a MESSAGE command carries: groups of
 * "[message:wparam:lparam]" in hexadecimal. The engine reads it to post the messages, the
 * configuration reads it to show a stored list; both read it the same way.
 */
#ifndef ORVANE_COMMON_MSGLIST_H
#define ORVANE_COMMON_MSGLIST_H

#include <windows.h>

/* Longest field of a group, in characters; a longer one reads as 0. */
#define MESSAGE_FIELD_MAX   12

/* Reads the next group at or after lpszList into adwField (message, wparam, lparam; 32
   bits each). Fields may be left out from the end; a field is read up to its first
   character that is not a hexadecimal digit, and one that is empty, too long or does not
   start with a digit reads as 0; text outside brackets is skipped. Returns the text after the
   group, or null when no group remains. */
LPCSTR ReadMessageGroup(LPCSTR lpszList, DWORD adwField[3]);

#endif /* ORVANE_COMMON_MSGLIST_H */
