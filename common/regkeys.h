/*
 * regkeys.h - where the system keeps its settings and assignments: the configuration root
 * below HKEY_CURRENT_USER and its settings key. Names only, for every program and test
 * that reads or writes them, with or without the registry routines of registry.h.
 */
#ifndef ORVANE_COMMON_REGKEYS_H
#define ORVANE_COMMON_REGKEYS_H

#define ORVANE_ROOT_KEY     "Software\\Zendra\\Orvane"
#define ORVANE_SETTINGS     "Settings"
#define ORVANE_SETTINGS_KEY ORVANE_ROOT_KEY "\\" ORVANE_SETTINGS
#define ORVANE_WORKING_DIRECTORY "WorkingDirectory"

#endif /* ORVANE_COMMON_REGKEYS_H */
