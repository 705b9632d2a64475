/*
 * automode_rule_test.cpp - the rules of the automatic modes on their own: which pair a
 * program file matches, which mode a change of the program in front asks for, which pairs
 * are of use and what renaming the modes makes of them.
 */
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>
#include "automode.h"

namespace {

enum { PC, WEB, PHONE, DVD, CD };

std::vector<tagAUTOMODEPAIR> Pairs(const std::vector<std::pair<std::string, int>> &vPairs)
{
    std::vector<tagAUTOMODEPAIR> v;
    for (const auto &pair : vPairs) {
        tagAUTOMODEPAIR ap = {};
        snprintf(ap.szProgram, sizeof(ap.szProgram), "%s", pair.first.c_str());
        ap.iMode = pair.second;
        v.push_back(ap);
    }
    return v;
}

const AUTOMODENAMES anModes = { "PC", "WEB", "Phone", "DVD", "CD" };

} // namespace

TEST(AutoModeRule, AProgramFindsItsPairByFileNameOrByFullPath)
{
    const std::vector<tagAUTOMODEPAIR> v = Pairs({
        { "notepad.exe", WEB },             /* 0 */
        { "player.exe", PHONE },            /* 1: by name, listed before the path */
        { "C:\\Tools\\Player.EXE", DVD },   /* 2 */
        { "vlc", CD },                      /* 3: no extension */
        { "", PC },                         /* 4: no program */
        { "NOTEPAD.EXE", CD },              /* 5: the same as 0, later */
    });
    const struct { const char *pszPath; int iPair; } cases[] = {
        { "C:\\Windows\\NOTEPAD.EXE", 0 },
        { "notepad.exe", 0 },
        { "c:/tools/player.exe", 2 },             /* the full path wins, in any case and slash */
        { "D:\\Tools\\player.exe", 1 },           /* elsewhere the file name counts */
        { "C:\\Program Files\\VideoLAN\\vlc.exe", 3 },
        { "C:\\Program Files\\VideoLAN\\VLC", 3 },
        { "C:\\x\\vlc.exe.bak", -1 },             /* only the last extension is left out */
        { "C:\\x\\vlcplayer.exe", -1 },
        { "C:\\x\\mynotepad.exe", -1 },
        { "C:\\x\\notepad.exe2", -1 },
        { "C:\\Tools\\", -1 },                    /* no file name: the empty pair is no pair */
        { "Z:notepad.exe", 0 },
        { "", -1 },
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.iPair, MatchAutoModePair(v.data(), (int)v.size(), c.pszPath)) << c.pszPath;
    EXPECT_EQ(-1, MatchAutoModePair(v.data(), (int)v.size(), NULL));
    EXPECT_EQ(-1, MatchAutoModePair(NULL, 0, "C:\\Windows\\notepad.exe"));
    EXPECT_EQ(-1, MatchAutoModePair(v.data(), 0, "C:\\Windows\\notepad.exe"));
    EXPECT_STREQ("vlc.exe", ProgramFileName("C:\\a/b:vlc.exe"));
}

/* A day at the PC: the mode follows the programs with pairs, goes back to the mode chosen
   by hand for the others, and a mode chosen by hand holds while the same program stays in
   front. Switched off, nothing changes, but the program in front is still noted. */
TEST(AutoModeRule, TheModeFollowsTheFrontAndAModeChosenByHandHolds)
{
    tagFRONT fFront = {};
    BYTE bEngine = PC;
    auto Come = [&](const char *pszProgram, int iPairMode, int bEnabled) {
        int iMode = NextAutoMode(&fFront, pszProgram, iPairMode, bEngine, bEnabled);
        if (iMode >= 0)
            bEngine = (BYTE)iMode;
        return iMode;
    };
    EXPECT_EQ(-1, Come("C:\\x\\calc.exe", -1, 1)) << "PC, chosen by hand at the start, is already on";
    EXPECT_EQ(WEB, Come("C:\\x\\notepad.exe", WEB, 1));
    EXPECT_EQ(-1, Come("C:\\X\\NOTEPAD.EXE", WEB, 1)) << "another window of the same program";
    fFront.bHandMode = CD;      /* the CD button */
    bEngine = CD;
    EXPECT_EQ(-1, Come("c:/x/notepad.exe", WEB, 1)) << "the button holds while the program stays";
    EXPECT_EQ(DVD, Come("C:\\x\\player.exe", DVD, 1));
    EXPECT_EQ(CD, Come("C:\\x\\calc.exe", -1, 1)) << "back to the mode chosen by hand";
    EXPECT_EQ(WEB, Come("C:\\x\\notepad.exe", WEB, 1));
    EXPECT_EQ(CD, Come("", -1, 1)) << "a program that cannot be named has no pair";
    EXPECT_EQ(-1, Come("", -1, 1));
    EXPECT_EQ(-1, Come(NULL, -1, 1));

    /* Switched off nothing changes; switched on, the program in front is looked at anew. */
    EXPECT_EQ(-1, Come("C:\\x\\player.exe", DVD, 0)) << "switched off";
    EXPECT_EQ(CD, bEngine);
    EXPECT_EQ(-1, Come("C:\\x\\calc.exe", -1, 0));
    EXPECT_EQ(-1, Come("C:\\x\\calc.exe", -1, 1)) << "nothing new: the mode stays";
    EXPECT_EQ(-1, Come("C:\\x\\player.exe", DVD, 0));
    EXPECT_EQ(DVD, Come("C:\\x\\player.exe", DVD, 1)) << "on again";
    /* A pair given or changed for the program in front counts at once. */
    EXPECT_EQ(CD, Come("C:\\x\\editor.exe", -1, 1)) << "no pair: the mode chosen by hand";
    EXPECT_EQ(WEB, Come("C:\\x\\editor.exe", WEB, 1)) << "its pair given";
    EXPECT_EQ(PHONE, Come("C:\\x\\editor.exe", PHONE, 1)) << "its pair changed";
    EXPECT_EQ(CD, Come("C:\\x\\editor.exe", -1, 1)) << "its pair removed";
    EXPECT_EQ(WEB, Come("C:\\x\\notepad.exe", WEB, 1));

    /* A name longer than is kept counts by what is kept. */
    std::string strLong = "C:\\" + std::string(400, 'd') + "\\a.exe";
    EXPECT_EQ(DVD, Come(strLong.c_str(), DVD, 1));
    EXPECT_EQ(-1, Come((strLong + "x").c_str(), DVD, 1));
    EXPECT_EQ(AUTOMODE_PROGRAM_SIZE - 1, (int)strlen(fFront.szProgram));
}

TEST(AutoModeRule, PairsOfNoUseAndModesRenamed)
{
    EXPECT_EQ(DVD, AutoModePairMode("wmplayer.exe", "dvd", anModes));
    EXPECT_EQ(PHONE, AutoModePairMode("C:\\Phone\\dial.exe", "PHONE", anModes));
    EXPECT_EQ(-1, AutoModePairMode("wmplayer.exe", "Video", anModes));
    EXPECT_EQ(-1, AutoModePairMode("wmplayer.exe", "", anModes));
    EXPECT_EQ(-1, AutoModePairMode("wmplayer.exe", NULL, anModes));
    EXPECT_EQ(-1, AutoModePairMode("", "DVD", anModes));
    EXPECT_EQ(-1, AutoModePairMode(NULL, "DVD", anModes));
    EXPECT_EQ(CD, AutoModePairMode(std::string(AUTOMODE_PROGRAM_SIZE - 1, 'p').c_str(), "CD", anModes));
    EXPECT_EQ(-1, AutoModePairMode(std::string(AUTOMODE_PROGRAM_SIZE, 'p').c_str(), "CD", anModes));
    const AUTOMODENAMES anGaps = { "PC", "", "", "DVD", "" };
    EXPECT_EQ(-1, AutoModePairMode("web.exe", "WEB", anGaps)) << "a mode without a name";

    /* DVD becomes Video, WEB and Phone change places, CD loses its name, PC keeps it. */
    const AUTOMODENAMES anNew = { "PC", "Phone", "WEB", "Video", "" };
    EXPECT_STREQ("Video", RenamedAutoMode("dvd", anModes, anNew));
    EXPECT_STREQ("Phone", RenamedAutoMode("WEB", anModes, anNew));
    EXPECT_STREQ("WEB", RenamedAutoMode("Phone", anModes, anNew));
    EXPECT_EQ(nullptr, RenamedAutoMode("CD", anModes, anNew)) << "kept: a pair of no use, left alone";
    EXPECT_EQ(nullptr, RenamedAutoMode("PC", anModes, anNew));
    EXPECT_EQ(nullptr, RenamedAutoMode("Video", anModes, anNew)) << "no mode had that name before";
    const AUTOMODENAMES anCase = { "pc", "WEB", "Phone", "DVD", "CD" };
    EXPECT_STREQ("pc", RenamedAutoMode("PC", anModes, anCase));
}
