/*
 * mmsystem.h - the one multimedia type that the media module's header declares with, for
 * building its pure routines natively (see windows.h here).
 */
#ifndef ORVANE_FUZZ_MMSYSTEM_H
#define ORVANE_FUZZ_MMSYSTEM_H

#include "windows.h"

typedef UINT MCIDEVICEID;

#endif /* ORVANE_FUZZ_MMSYSTEM_H */
