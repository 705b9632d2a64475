/*
 * source_input_test.cpp - what the receiver's other sources send, read without a window or
 * a socket: a LIRC server's bytes put together into lines and read, in pieces of any size
 * and with any bytes at all; the keyboard hook's decisions; the map's names, defaults and
 * lookups and the server's address.
 */
#include <gtest/gtest.h>
#include <random>
#include <string.h>
#include <string>
#include <vector>
#include "keyfilter.h"
#include "lircline.h"
#include "receivermap.h"

namespace {

/* The lines a text makes when its bytes arrive in pieces of the given sizes (cycled). */
std::vector<tagLIRCLINE> Lines(const std::string &strBytes, const std::vector<size_t> &vPieces)
{
    std::vector<tagLIRCLINE> vLines;
    tagLIRCSTREAM ls = {};
    size_t iPiece = 0;
    for (size_t iAt = 0; iAt < strBytes.size();) {
        size_t cb = std::min(vPieces[iPiece++ % vPieces.size()], strBytes.size() - iAt);
        const char *pb = strBytes.data() + iAt;
        iAt += cb;
        while (cb > 0) {
            tagLIRCLINE ll;
            int bComplete;
            size_t cbTaken = LircStreamLine(&ls, pb, cb, &ll, &bComplete);
            EXPECT_GT(cbTaken, 0u);
            EXPECT_LE(cbTaken, cb);
            pb += cbTaken;
            cb -= cbTaken;
            if (bComplete)
                vLines.push_back(ll);
        }
    }
    return vLines;
}

std::string Text(const tagLIRCLINE &ll)
{
    return std::string(ll.achText, ll.cchText);
}

int Kind(const std::string &strLine, tagLIRCPRESS *plp = nullptr)
{
    std::vector<tagLIRCLINE> vLines = Lines(strLine + "\n", { 4096 });
    EXPECT_EQ(1u, vLines.size());
    tagLIRCPRESS lp;
    return vLines.empty() ? -1 : ParseLircLine(&vLines[0], plp != nullptr ? plp : &lp);
}

TEST(LircLines, PressesArriveInPiecesOfAnySize)
{
    const std::string strBytes = "0000000000000001 00 KEY_1 tv\n"
                                 "000000000000000a 1f KEY_UP tv\r\n"
                                 "\n"
                                 "00000000deadbeef 00 KEY_OK Samsung_BN59-00940A\n"
                                 "1 0 b r\n";
    std::vector<std::vector<size_t>> vvPieces = { { 4096 }, { 1 }, { 2, 3 }, { 7, 1, 13 }, { 30 } };
    for (const std::vector<size_t> &vPieces : vvPieces) {
        std::vector<tagLIRCLINE> vLines = Lines(strBytes, vPieces);
        ASSERT_EQ(5u, vLines.size());
        EXPECT_EQ("000000000000000a 1f KEY_UP tv", Text(vLines[1]));       /* CR LF ends it too */
        tagLIRCPRESS lp;
        ASSERT_EQ(LIRC_PRESS, ParseLircLine(&vLines[1], &lp));
        EXPECT_EQ(0x1Fu, lp.uiRepeat);                                   /* hexadecimal */
        EXPECT_STREQ("KEY_UP", lp.szButton);
        EXPECT_STREQ("tv", lp.szRemote);
        EXPECT_EQ(LIRC_EMPTY, ParseLircLine(&vLines[2], &lp));
        ASSERT_EQ(LIRC_PRESS, ParseLircLine(&vLines[3], &lp));
        EXPECT_STREQ("Samsung_BN59-00940A", lp.szRemote);
        EXPECT_EQ(LIRC_PRESS, ParseLircLine(&vLines[4], &lp));
    }
    /* Bytes after the last line break wait for the rest of their line. */
    EXPECT_EQ(0u, Lines("0000000000000001 00 KEY_1 tv", { 3 }).size());
}

TEST(LircLines, WhatIsNoPressSaysWhy)
{
    tagLIRCPRESS lp;
    EXPECT_EQ(LIRC_PRESS, Kind("0000000000000001\t00  KEY_1 \t tv ", &lp));
    EXPECT_STREQ("KEY_1", lp.szButton);
    EXPECT_EQ(0u, lp.uiRepeat);
    EXPECT_EQ(LIRC_EMPTY, Kind(" \t "));
    EXPECT_EQ(LIRC_MALFORMED, Kind("BEGIN"));
    EXPECT_EQ(LIRC_MALFORMED, Kind("0000000000000001 00 KEY_1"));
    EXPECT_EQ(LIRC_MALFORMED, Kind("0000000000000001 00 KEY_1 tv more"));
    EXPECT_EQ(LIRC_MALFORMED, Kind("00000000000000001 00 KEY_1 tv"));     /* 17 digits */
    EXPECT_EQ(LIRC_MALFORMED, Kind("000000000000000g 00 KEY_1 tv"));
    EXPECT_EQ(LIRC_MALFORMED, Kind("0000000000000001 -1 KEY_1 tv"));
    EXPECT_EQ(LIRC_MALFORMED, Kind("0000000000000001 123456789 KEY_1 tv"));
    EXPECT_EQ(LIRC_PRESS, Kind("0000000000000001 ffffffff KEY_1 tv", &lp));
    EXPECT_EQ(0xFFFFFFFFu, lp.uiRepeat);
    EXPECT_EQ(LIRC_PRESS, Kind("1 0 " + std::string(LIRC_NAME_SIZE - 1, 'b') + " r"));
    EXPECT_EQ(LIRC_MALFORMED, Kind("1 0 " + std::string(LIRC_NAME_SIZE, 'b') + " r"));
    EXPECT_EQ(LIRC_MALFORMED, Kind("1 0 b " + std::string(LIRC_NAME_SIZE, 'r')));
    EXPECT_EQ(LIRC_BINARY, Kind(std::string("1 0 KEY_1 t\0v", 13)));
    EXPECT_EQ(LIRC_BINARY, Kind("1 0 KEY_\x7F tv"));
    EXPECT_EQ(LIRC_BINARY, Kind("1 0 KEY_\xC3\xA9 tv"));
    EXPECT_EQ(LIRC_BINARY, Kind("1 0 KEY_1\rtv"));
    EXPECT_EQ(LIRC_PRESS, Kind(std::string(LIRC_LINE_MAX - 10, ' ') + "1 0 b tv"));
    EXPECT_EQ(LIRC_TOO_LONG, Kind(std::string(LIRC_LINE_MAX + 1, ' ')));
}

/* Any bytes at all, in pieces of any size: every line stays within its buffer and ends in
   NUL, an over-long line keeps its start and is no press, and the stream goes on after it. */
TEST(LircLines, AnyBytesStayWithinTheLine)
{
    std::mt19937 rng(25);
    for (int iRound = 0; iRound < 300; iRound++) {
        std::string strBytes;
        size_t cb = rng() % 3000;
        for (size_t i = 0; i < cb; i++)
            strBytes += (char)(rng() % 5 == 0 ? "\n\r \t0"[rng() % 5] : rng() % 256);
        std::string strLong((size_t)(LIRC_LINE_MAX + rng() % 5000), 'x');
        strBytes += "\n" + strLong + "\n0000000000000001 00 KEY_1 tv\n";
        std::vector<tagLIRCLINE> vLines = Lines(strBytes, { 1 + rng() % 600, 1 + rng() % 7 });
        ASSERT_GE(vLines.size(), 2u);
        for (const tagLIRCLINE &ll : vLines) {
            ASSERT_LE(ll.cchText, (size_t)LIRC_LINE_MAX);
            ASSERT_EQ('\0', ll.achText[ll.cchText]);
            tagLIRCPRESS lp;
            int iKind = ParseLircLine(&ll, &lp);
            if (iKind == LIRC_PRESS) {
                ASSERT_LT(strlen(lp.szButton), (size_t)LIRC_NAME_SIZE);
                ASSERT_LT(strlen(lp.szRemote), (size_t)LIRC_NAME_SIZE);
            }
        }
        const tagLIRCLINE &llLong = vLines[vLines.size() - 2];
        EXPECT_TRUE(llLong.bTooLong);
        EXPECT_EQ(strLong.substr(0, LIRC_LINE_MAX), Text(llLong));
        tagLIRCPRESS lp;
        EXPECT_EQ(LIRC_PRESS, ParseLircLine(&vLines.back(), &lp));
    }
}

TEST(KeyFilter, MappedKeysAreTakenUntilLetGo)
{
    short asRaw[KEY_COUNT];
    for (short &s : asRaw)
        s = -1;
    asRaw[0xB3] = 0x40;
    tagKEYFILTER kf;
    StartKeyFilter(&kf, asRaw, 0);
    EXPECT_EQ(KEY_PASS, FilterKey(&kf, 'A', 0, 0));
    EXPECT_EQ(KEY_PASS, FilterKey(&kf, 'A', 1, 0));
    /* A press, the keyboard's repeats, the release. */
    EXPECT_EQ(KEY_PRESS, FilterKey(&kf, 0xB3, 0, 0));
    EXPECT_EQ(KEY_REPEAT, FilterKey(&kf, 0xB3, 0, 0));
    EXPECT_EQ(KEY_REPEAT, FilterKey(&kf, 0xB3, 0, 0));
    EXPECT_EQ(KEY_SWALLOW, FilterKey(&kf, 0xB3, 1, 0));
    EXPECT_EQ(KEY_PRESS, FilterKey(&kf, 0xB3, 0, 0));
    /* Typed by a program: passes, even while the key is held. */
    EXPECT_EQ(KEY_PASS, FilterKey(&kf, 0xB3, 0, 1));
    EXPECT_EQ(KEY_PASS, FilterKey(&kf, 0xB3, 1, 1));
    /* Unmapped while held: the release is still taken, then the key passes. */
    RenewKeyFilter(&kf, nullptr, 0);
    EXPECT_EQ(KEY_SWALLOW, FilterKey(&kf, 0xB3, 0, 0));
    EXPECT_EQ(KEY_SWALLOW, FilterKey(&kf, 0xB3, 1, 0));
    EXPECT_EQ(KEY_PASS, FilterKey(&kf, 0xB3, 0, 0));
    EXPECT_EQ(KEY_PASS, FilterKey(&kf, 0xB3, 1, 0));
    /* Learning takes the next key from the keyboard, whatever it is, with its release. */
    RenewKeyFilter(&kf, asRaw, 1);
    EXPECT_EQ(KEY_PASS, FilterKey(&kf, 'Q', 0, 1));
    EXPECT_EQ(KEY_PASS, FilterKey(&kf, 'Q', 1, 0));       /* let go of before learning began */
    EXPECT_EQ(KEY_LEARNT, FilterKey(&kf, 'Q', 0, 0));
    EXPECT_EQ(KEY_SWALLOW, FilterKey(&kf, 'Q', 0, 0));
    EXPECT_EQ(KEY_SWALLOW, FilterKey(&kf, 'Q', 1, 0));
    EXPECT_EQ(KEY_PASS, FilterKey(&kf, 'Q', 0, 0));
    EXPECT_EQ(KEY_PRESS, FilterKey(&kf, 0xB3, 0, 0));
    EXPECT_EQ(KEY_PASS, FilterKey(&kf, 0x1234, 0, 0));
    /* A key without a virtual key is never learnt. */
    RenewKeyFilter(&kf, asRaw, 1);
    EXPECT_EQ(KEY_PASS, FilterKey(&kf, 0, 0, 0));
    EXPECT_EQ(KEY_LEARNT, FilterKey(&kf, 0xB4, 0, 0));
}

TEST(ReceiverMap, DefaultMapCoversTheStandardNames)
{
    tagRECEIVERMAP rm;
    DefaultReceiverMap(&rm);
    struct tagEXPECTED {
        const char *pszButton, *pszRemote, *pszOurs;
    } aeExpected[] = {
        { "KEY_0", "any", "0" }, { "KEY_5", "tv", "5" }, { "KEY_9", "tv", "9" }, { "KEY_UP", "tv", "UP" },
        { "KEY_LEFT", "x", "LEFT" }, { "KEY_OK", "x", "OK" }, { "KEY_ENTER", "x", "OK" },
        { "KEY_PLAY", "x", "PLAY" }, { "KEY_PAUSE", "x", "PAUSE" }, { "KEY_STOP", "x", "STOP" },
        { "KEY_NEXT", "x", "FF" }, { "KEY_PREVIOUS", "x", "REW" }, { "KEY_VOLUMEUP", "x", "VOL+" },
        { "KEY_VOLUMEDOWN", "x", "VOL-" }, { "KEY_MUTE", "x", "MUTE" }, { "KEY_CHANNELUP", "x", "FF" },
        { "KEY_CHANNELDOWN", "x", "REW" }, { "KEY_POWER", "x", "SHIFT" }, { "KEY_MENU", "x", "MENU" },
        { "KEY_BACK", "x", "BACK" }, { "key_www", "x", "WEB" },
    };
    for (const tagEXPECTED &e : aeExpected)
        EXPECT_STREQ(e.pszOurs, ReceiverButtonName(LookUpLircButton(&rm, e.pszButton, e.pszRemote))) << e.pszButton;
    EXPECT_EQ(-1, LookUpLircButton(&rm, "KEY_NUMERIC_STAR", "tv"));
    short asRaw[KEY_COUNT];
    ReceiverKeyTable(&rm, asRaw);
    EXPECT_STREQ("FF", ReceiverButtonName(asRaw[0xB0]));
    EXPECT_STREQ("PLAY", ReceiverButtonName(asRaw[0xB3]));
    EXPECT_STREQ("VOL+", ReceiverButtonName(asRaw[0xAF]));
    int cMapped = 0;
    for (short s : asRaw)
        cMapped += s >= 0;
    EXPECT_EQ(7, cMapped) << "only the media and volume keys: no typing key is taken by default";

    /* A button of one remote goes before the same button of any remote; names compare
       without regard to case, as the registry's do. */
    ASSERT_TRUE(SetMapEntry(&rm, "LIRC KEY_1 tv", FindReceiverButton("2")));
    EXPECT_STREQ("2", ReceiverButtonName(LookUpLircButton(&rm, "KEY_1", "TV")));
    EXPECT_STREQ("1", ReceiverButtonName(LookUpLircButton(&rm, "KEY_1", "radio")));
    int iCount = rm.iCount;
    ASSERT_TRUE(SetMapEntry(&rm, "lirc key_1 TV", FindReceiverButton("3")));
    EXPECT_EQ(iCount, rm.iCount);
    EXPECT_STREQ("3", ReceiverButtonName(LookUpLircButton(&rm, "KEY_1", "tv")));
    RemoveMapEntry(&rm, FindMapEntry(&rm, "LIRC KEY_1 tv"));
    EXPECT_STREQ("1", ReceiverButtonName(LookUpLircButton(&rm, "KEY_1", "tv")));
    EXPECT_EQ(iCount - 1, rm.iCount);

    /* Not entries: unknown sources, names with spaces or too long, buttons that do not exist. */
    EXPECT_FALSE(SetMapEntry(&rm, "LIRC KEY_1", 0x99));
    EXPECT_FALSE(SetMapEntry(&rm, "IR KEY_1", 0x21));
    EXPECT_FALSE(SetMapEntry(&rm, "LIRC KEY 1 tv", 0x21));
    EXPECT_FALSE(SetMapEntry(&rm, "LIRC ", 0x21));
    EXPECT_FALSE(SetMapEntry(&rm, ("LIRC " + std::string(LIRC_NAME_SIZE, 'k')).c_str(), 0x21));
    EXPECT_FALSE(SetMapEntry(&rm, "Key NO_SUCH_KEY", 0x21));
    /* The map is full at MAP_MAX_ENTRIES. */
    for (int i = 0; rm.iCount < MAP_MAX_ENTRIES; i++)
        ASSERT_TRUE(SetMapEntry(&rm, ("LIRC B" + std::to_string(i)).c_str(), 0x21));
    EXPECT_FALSE(SetMapEntry(&rm, "LIRC ONE_TOO_MANY", 0x21));
    EXPECT_TRUE(SetMapEntry(&rm, "LIRC B0", 0x22));
}

TEST(ReceiverMap, EveryKeyHasANameThatReadsBack)
{
    for (unsigned uiKey = 1; uiKey < KEY_COUNT; uiKey++) {
        char szName[MAP_NAME_SIZE];
        ASSERT_TRUE(ComposeKeyMapName(uiKey, szName, sizeof(szName)));
        EXPECT_EQ((int)uiKey, ParseKeyMapName(szName)) << szName;
        EXPECT_EQ(MAP_KEY, MapNameSource(szName)) << szName;
    }
    char szName[MAP_NAME_SIZE];
    ComposeKeyMapName(0xB0, szName, sizeof(szName));
    EXPECT_STREQ("Key MEDIA_NEXT_TRACK", szName);
    ComposeKeyMapName('7', szName, sizeof(szName));
    EXPECT_STREQ("Key 7", szName);
    ComposeKeyMapName(0xE9, szName, sizeof(szName));
    EXPECT_STREQ("Key 0xE9", szName);
    EXPECT_FALSE(ComposeKeyMapName(0, szName, sizeof(szName)));
    EXPECT_FALSE(ComposeKeyMapName(256, szName, sizeof(szName)));
    EXPECT_FALSE(ComposeKeyMapName(0xB0, szName, 10));
    EXPECT_EQ(-1, ParseKeyMapName("Key 0x30"));      /* the digit 0 is named "0" */
    EXPECT_EQ(-1, ParseKeyMapName("LIRC KEY_1"));
    EXPECT_TRUE(ComposeLircMapName("KEY_1", "tv", szName, sizeof(szName)));
    EXPECT_STREQ("LIRC KEY_1 tv", szName);
    EXPECT_FALSE(ComposeLircMapName("KEY_1", "", szName, sizeof(szName)));
    EXPECT_STREQ("", szName);
    EXPECT_FALSE(ComposeLircMapName("KEY_1", "tv", szName, 8));
    EXPECT_EQ(MAP_LIRC, MapNameSource("LIRC KEY_1 tv"));
    EXPECT_EQ(MAP_NONE, MapNameSource("LIRC KEY_1 tv x"));
    EXPECT_EQ(MAP_NONE, MapNameSource("LIRC KEY_1  tv"));
}

TEST(ReceiverMap, ServerAddresses)
{
    char szHost[32];
    unsigned short usPort = 0;
    EXPECT_TRUE(ParseServerAddress("localhost:8765", szHost, sizeof(szHost), &usPort));
    EXPECT_STREQ("localhost", szHost);
    EXPECT_EQ(8765, usPort);
    EXPECT_TRUE(ParseServerAddress("192.168.1.20", szHost, sizeof(szHost), &usPort));
    EXPECT_EQ(LIRC_DEFAULT_PORT, usPort);
    EXPECT_TRUE(ParseServerAddress("media-pc_2:65535", szHost, sizeof(szHost), &usPort));
    EXPECT_EQ(65535, usPort);
    for (const char *pszBad : { "", ":8765", "host:", "host:0", "host:65536", "host:87a5", "host:+80", "ho st:1",
                                "host:1:2", "host:123456", "h\xE9st", "a-very-long-host-name-that-does-not-fit:1" })
        EXPECT_FALSE(ParseServerAddress(pszBad, szHost, sizeof(szHost), &usPort)) << pszBad;
}

}  // namespace
