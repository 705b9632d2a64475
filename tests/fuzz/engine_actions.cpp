/*
 * engine_actions.cpp - what the engine does with the items of a command (see
 * fuzz_support.h): the arguments whose fields the engine splits are read by its own
 * readers, so that two texts that start the same program or play the same track compare
 * equal.
 */
#include <string>
#include "Corvalin_internal.h"
#include "Corvalin_launch.h"
#include "Corvalin_media.h"
#include "fuzz_support.h"

/* The fields of one reading, each ended by a NUL, and the bytes of a record. */
static void AddField(std::string *pstr, const char *pszField)
{
    *pstr += pszField;
    *pstr += '\0';
}

std::vector<tagENGINEITEM> ReadEngineActions(const std::string &strCommand)
{
    std::vector<tagENGINEITEM> items = ReadEngineItems(strCommand);
    for (tagENGINEITEM &item : items) {
        std::string strRead;
        if (item.uiFunction == FN_LAUNCH || item.uiFunction == FN_LAUNCHSIZE) {
            /* LAUNCHSIZE starts a program exactly as LAUNCH does. */
            item.uiFunction = FN_LAUNCH;
            tagLAUNCH la;
            if (ReadLaunch(item.strArgument.c_str(), &la)) {
                for (const char *pszField : { la.szFileName, la.szCmdLine, la.szDir, la.szFullCmd })
                    AddField(&strRead, pszField);
                strRead.append((const char *)&la.si, sizeof(la.si));
            }
        } else if (item.uiFunction == FN_MCITRACK) {
            char szDevice[MEDIA_DEVICE_BUFFER];
            BYTE bTrack = ReadTrackArgument(item.strArgument.c_str(), szDevice);
            AddField(&strRead, szDevice);
            strRead += (char)bTrack;
        } else {
            continue;
        }
        item.strArgument = strRead;
    }
    return items;
}
