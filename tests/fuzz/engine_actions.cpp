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

/* The fields of one reading, each ended by a NUL. */
static void AddField(std::string *pstr, const char *pszField)
{
    *pstr += pszField;
    *pstr += '\0';
}

/* A number of the startup record, when its flag makes the system use it. */
static void AddPlace(std::string *pstr, const STARTUPINFOA &si, DWORD dwFlag, DWORD dwValue)
{
    AddField(pstr, (si.dwFlags & dwFlag) != 0 ? std::to_string(dwValue).c_str() : "-");
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
                /* The system places and sizes the window only under the record's flags. */
                AddField(&strRead, std::to_string(la.si.dwFlags).c_str());
                AddPlace(&strRead, la.si, STARTF_USEPOSITION, la.si.dwX);
                AddPlace(&strRead, la.si, STARTF_USEPOSITION, la.si.dwY);
                AddPlace(&strRead, la.si, STARTF_USESIZE, la.si.dwXSize);
                AddPlace(&strRead, la.si, STARTF_USESIZE, la.si.dwYSize);
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
