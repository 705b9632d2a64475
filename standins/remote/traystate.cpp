/*
 * traystate.cpp - traystate.exe, the eyes and hands of a person at the notification area,
 * for scripts: prints the icons shown with their tips and places, and can point at, click
 * or type on the first one.
 *
 *   traystate                 prints "icon at X,Y: TIP" per icon (exit code 1 when none)
 *   traystate /hover          puts the pointer on the first icon, so that its tip shows
 *   traystate /click          right-clicks the first icon (its menu opens)
 *   traystate /type KEYS      types the letters KEYS, e.g. to choose a menu item
 */
#include <windows.h>
#include <stdio.h>
#include <ctype.h>
#include "remote.h"
#include "traywatch.h"

int main(int argc, char **argv)
{
    if (argc == 3 && lstrcmpiA(argv[1], "/type") == 0) {
        for (const char *psz = argv[2]; *psz != '\0'; psz++) {
            PressKey((WORD)toupper((unsigned char)*psz));
            Sleep(50);
        }
        return 0;
    }
    std::vector<tagTRAYENTRY> vEntries;
    if (!ReadTrayIcons(&vEntries)) {
        printf("the notification area cannot be read\n");
        return 2;
    }
    if (argc == 1) {
        for (const tagTRAYENTRY &te : vEntries)
            printf("icon at %ld,%ld: %s\n", te.rcScreen.left, te.rcScreen.top, te.strTip.c_str());
        if (vEntries.empty())
            printf("no icon\n");
        return vEntries.empty() ? 1 : 0;
    }
    if (vEntries.empty())
        return 1;
    const RECT &rc = vEntries[0].rcScreen;
    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    if (lstrcmpiA(argv[1], "/click") == 0)
        ClickMouseButton(true);
    return 0;
}
