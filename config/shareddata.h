/*
 * shareddata.h - Brenvik's data section shared by every process that loads the library.
 * Keep its variables plain and constant-initialised: the section is reset when the last
 * process unloads Brenvik. The exported ones are declared in Brenvik.h.
 */
#ifndef ORVANE_SHAREDDATA_H
#define ORVANE_SHAREDDATA_H

#define SHARED_SECTION __attribute__((section(".shared"), shared))

#endif /* ORVANE_SHAREDDATA_H */
