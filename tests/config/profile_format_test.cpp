/*
 * profile_format_test.cpp - the text of an assignment profile on its own: every byte of
 * every value survives a round trip, a damaged or foreign text is refused naming its line,
 * and no input, however mangled, makes the reader crash or run past its buffers.
 */
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <memory>
#include <random>
#include <string>
#include "profile32_format.h"

namespace {

const char *const pszModes[] = { "PC", "WEB", "Phone", "DVD", "CD" };

void Add(tagPROFILE *pp, const char *pszKey, const std::string &strName, const std::string &strValue)
{
    tagPROFILEVALUE *ppv = &pp->pvValues[pp->iCount++];
    snprintf(ppv->szKey, sizeof(ppv->szKey), "%s", pszKey);
    snprintf(ppv->szName, sizeof(ppv->szName), "%s", strName.c_str());
    snprintf(ppv->szValue, sizeof(ppv->szValue), "%s", strValue.c_str());
}

/* A complete profile of iModes named modes, whose button values hold the awkward bytes. */
std::unique_ptr<tagPROFILE> MakeProfile(int iModes)
{
    std::unique_ptr<tagPROFILE> pp(new tagPROFILE());
    for (int m = 0; m < PROFILE_MODES; m++)
        Add(pp.get(), "Mode", std::to_string(m + 1), m < iModes ? pszModes[m] : "");
    Add(pp.get(), "Translation", "129", "0x80");
    Add(pp.get(), "Translation", "odd=[name]", "back\\slash");
    Add(pp.get(), "Default", "0", "KEYBOARD");
    Add(pp.get(), "Default", "1", "");
    const std::string strAwkward[] = {
        "LAUNCH\"C:\\Program Files\\Notepad.exe\x7F/a \"\"quoted\"\"\x83" "10,20,300,200\"",
        "MCITRACK\"cdaudio\x83" "7\"",
        "WRITE\"line one\r\nline two\ttab \xE9t\xE9 \x7F\x83\"",
        "PAGEUP,TYPE",
        "UNKNOWNWORD\"kept as it is\"",
        std::string(PROFILE_VALUE_SIZE - 1, 'x'),
    };
    for (int m = 0; m < iModes; m++)
        for (int b = 0; b < PROFILE_MODE_VALUES; b++)
            Add(pp.get(), pszModes[m], b < PROFILE_MODE_VALUES - 1 ? std::to_string(b) : "Default",
                b % 7 < 6 ? strAwkward[b % 7] : "");
    return pp;
}

std::string Write(const tagPROFILE *pp)
{
    std::string strText(256 * 1024, '\0');
    size_t cch = WriteProfile(pp, &strText[0], strText.size());
    strText.resize(cch);
    return strText;
}

tagPROFILEERROR Read(const std::string &strText, tagPROFILE *pp)
{
    tagPROFILEERROR pe = { -1, -1 };
    int iResult = ReadProfile(strText.data(), strText.size(), pp, &pe);
    EXPECT_EQ(iResult != 0, pe.iReason == PROFILE_OK);
    return pe;
}

void ExpectSame(const tagPROFILE *ppExpected, const tagPROFILE *ppActual)
{
    ASSERT_EQ(ppExpected->iCount, ppActual->iCount);
    for (int i = 0; i < ppExpected->iCount; i++) {
        EXPECT_STREQ(ppExpected->pvValues[i].szKey, ppActual->pvValues[i].szKey) << i;
        EXPECT_STREQ(ppExpected->pvValues[i].szName, ppActual->pvValues[i].szName) << i;
        EXPECT_STREQ(ppExpected->pvValues[i].szValue, ppActual->pvValues[i].szValue) << i;
    }
}

/* The text with line iLine (1-based) replaced; an empty replacement drops it. */
std::string ReplaceLine(const std::string &strText, int iLine, const std::string &strLine)
{
    size_t iStart = 0;
    for (int i = 1; i < iLine; i++)
        iStart = strText.find('\n', iStart) + 1;
    size_t iEnd = strText.find('\n', iStart) + 1;
    return strText.substr(0, iStart) + (strLine.empty() ? "" : strLine + "\r\n") + strText.substr(iEnd);
}

int LineOf(const std::string &strText, const std::string &strLine)
{
    size_t iAt = strText.find("\n" + strLine + "\r\n");
    int iLine = 2;
    for (size_t i = 0; i < iAt; i++)
        iLine += strText[i] == '\n';
    return iLine;
}

} // namespace

TEST(ProfileFormat, EveryByteOfEveryValueSurvivesAndTheTextStaysPlain)
{
    std::unique_ptr<tagPROFILE> pp = MakeProfile(PROFILE_MODES);
    std::string strText = Write(pp.get());
    ASSERT_FALSE(strText.empty());
    /* Plain, line-oriented ASCII: separators, line breaks and accents are all escaped. */
    for (unsigned char ch : strText)
        EXPECT_TRUE(ch == '\r' || ch == '\n' || (ch >= 0x20 && ch < 0x7F)) << (int)ch;
    EXPECT_EQ(0u, strText.find(PROFILE_HEADER "\r\n[Mode]\r\n1=\"PC\"\r\n"));
    EXPECT_NE(std::string::npos, strText.find("\r\n129=\"0x80\"\r\nodd\\x3D\\x5Bname\\x5D=\"back\\\\slash\"\r\n"));
    EXPECT_NE(std::string::npos, strText.find("2=\"WRITE\\\"line one\\x0D\\x0Aline two\\x09tab \\xE9t\\xE9 \\x7F\\x83\\\"\"\r\n"));
    EXPECT_EQ(strText.size() - strlen(PROFILE_END "\r\n"), strText.rfind(PROFILE_END "\r\n"));

    std::unique_ptr<tagPROFILE> ppRead(new tagPROFILE());
    EXPECT_EQ(PROFILE_OK, Read(strText, ppRead.get()).iReason);
    ExpectSame(pp.get(), ppRead.get());

    /* Hand-edited files: lower-case hex, LF line ends, blank lines and names in another case. */
    std::string strEdited = "Orvane remote profile 1\n\n[mode]\n1=\"Cd\\x2dmode\"\n[DEFAULT]\n0=\"a\"\n1=\"\\x7f\"\n"
                            "[cd-MODE]\n";
    for (int b = 0; b < PROFILE_MODE_VALUES - 1; b++)
        strEdited += std::to_string(b) + "=\"\"\n";
    strEdited += "default=\"NEXTTASK\"\nEnd of profile\n\n";
    EXPECT_EQ(PROFILE_OK, Read(strEdited, ppRead.get()).iReason);
    EXPECT_STREQ("Cd-mode", ppRead->pvValues[0].szValue);
    EXPECT_STREQ("\x7F", ppRead->pvValues[2].szValue);
    EXPECT_STREQ("Cd-mode", ppRead->pvValues[ppRead->iCount - 1].szKey);

    /* A profile that names no mode keeps its empty Mode section when written back. */
    const std::string strNoMode = "Orvane remote profile 1\r\n[Mode]\r\n[Default]\r\n0=\"a\"\r\n1=\"\"\r\n"
                                  "End of profile\r\n";
    ASSERT_EQ(PROFILE_OK, Read(strNoMode, ppRead.get()).iReason);
    EXPECT_EQ(strNoMode, Write(ppRead.get()));

    /* A text that does not fit its buffer is not written at all. */
    char szSmall[64];
    EXPECT_EQ(0u, WriteProfile(pp.get(), szSmall, sizeof(szSmall)));
}

TEST(ProfileFormat, DamagedForeignAndOverlongTextsAreRefusedNamingTheLine)
{
    std::unique_ptr<tagPROFILE> pp = MakeProfile(2);
    const std::string strGood = Write(pp.get());
    std::unique_ptr<tagPROFILE> ppRead(new tagPROFILE());
    const int iPC = LineOf(strGood, "[PC]"), iWeb = LineOf(strGood, "[WEB]");
    const int iEnd = LineOf(strGood, PROFILE_END);
    const std::string strTooLong = "3=\"" + std::string(PROFILE_VALUE_SIZE, 'x') + "\"";
    struct { std::string strText; int iReason; int iLine; } cases[] = {
        { "", PROFILE_NOT_A_PROFILE, 1 },
        { "[Mode]\r\n" + strGood, PROFILE_NOT_A_PROFILE, 1 },
        { ReplaceLine(strGood, 1, "Orvane remote profile 3"), PROFILE_NEWER_VERSION, 1 },
        { strGood.substr(0, strGood.size() - strlen(PROFILE_END "\r\n")), PROFILE_TRUNCATED, iEnd },
        { strGood.substr(0, strGood.size() - 30), PROFILE_BAD_LINE, iEnd - 1 },
        { strGood.substr(0, strGood.find("[WEB]")), PROFILE_TRUNCATED, iWeb },
        { ReplaceLine(strGood, iPC + 4, strTooLong), PROFILE_TOO_LONG, iPC + 4 },
        { ReplaceLine(strGood, iPC + 1, "0=\"bad \\q escape\""), PROFILE_BAD_ESCAPE, iPC + 1 },
        { ReplaceLine(strGood, iPC + 1, "0=\"cut \\x4\""), PROFILE_BAD_ESCAPE, iPC + 1 },
        { ReplaceLine(strGood, iPC + 1, "0=\"nul \\x00\""), PROFILE_BAD_ESCAPE, iPC + 1 },
        { ReplaceLine(strGood, iPC + 1, "0=\"raw \"quote\""), PROFILE_BAD_ESCAPE, iPC + 1 },
        { ReplaceLine(strGood, iPC + 1, "0 \"no equals sign\""), PROFILE_BAD_LINE, iPC + 1 },
        { ReplaceLine(strGood, iPC + 2, "0=\"twice\""), PROFILE_REPEATED_VALUE, iPC + 2 },
        { ReplaceLine(strGood, iPC + 1, "40=\"no such button\""), PROFILE_BAD_NAME, iPC + 1 },
        { ReplaceLine(strGood, iPC + 1, ""), PROFILE_MISSING_VALUE, iPC },
        { ReplaceLine(strGood, 3, "1=\"Settings\""), PROFILE_BAD_MODE_NAME, 3 },
        { ReplaceLine(strGood, 4, "2=\"pc\""), PROFILE_BAD_MODE_NAME, 4 },
        { ReplaceLine(strGood, 4, "2=\"a\\\\b\""), PROFILE_BAD_MODE_NAME, 4 },
        { ReplaceLine(strGood, iWeb, "[Phone]"), PROFILE_BAD_SECTION, iWeb },
        { ReplaceLine(strGood, iWeb, "[PC]"), PROFILE_BAD_SECTION, iWeb },
        { ReplaceLine(strGood, 2, "[PC]"), PROFILE_BAD_SECTION, 2 },
        { strGood + "more\r\n", PROFILE_TEXT_AFTER_END, iEnd + 1 },
        { std::string(PROFILE_MAX_FILE + 1, ' '), PROFILE_TOO_LARGE, 1 },
    };
    for (const auto &c : cases) {
        tagPROFILEERROR pe = Read(c.strText, ppRead.get());
        EXPECT_EQ(c.iReason, pe.iReason) << c.strText.substr(0, 200);
        EXPECT_EQ(c.iLine, pe.iLine) << c.strText.substr(0, 200);
    }
}

/* Random and mutated texts of a seed: the reader refuses or accepts without fault, and
   whatever it accepts writes back to a text that reads as the same profile. */
static void ReadMutations(const std::string &strSeed, int iRuns)
{
    std::unique_ptr<tagPROFILE> ppRead(new tagPROFILE()), ppAgain(new tagPROFILE());
    std::mt19937 rng(20261208);
    const char szAlphabet[] = "[]=\"\\x0Ff\r\n ModeDefaultTranslationEnd of profileSettings\\AutoModes";
    int iAccepted = 0;
    for (int iRun = 0; iRun < iRuns; iRun++) {
        std::string strText = strSeed;
        int iEdits = 1 + (int)(rng() % 4);
        for (int e = 0; e < iEdits; e++) {
            size_t iAt = rng() % (strText.size() + 1);
            switch (rng() % 4) {
            case 0: strText.insert(iAt, 1, szAlphabet[rng() % (sizeof(szAlphabet) - 1)]); break;
            case 1: if (iAt < strText.size()) strText.erase(iAt, 1 + rng() % 40); break;
            case 2: if (iAt < strText.size()) strText[iAt] = (char)(rng() & 0xFF); break;
            case 3: strText = strText.substr(0, iAt); break;
            }
        }
        /* The reader gets exactly the text's bytes: no terminator to lean on. */
        std::unique_ptr<char[]> pExact(new char[strText.size() + 1]);
        memcpy(pExact.get(), strText.data(), strText.size());
        tagPROFILEERROR pe;
        if (!ReadProfile(pExact.get(), strText.size(), ppRead.get(), &pe)) {
            ASSERT_GT(pe.iReason, PROFILE_OK);
            ASSERT_LT(pe.iReason, PROFILE_REASONS);
            ASSERT_GE(pe.iLine, 1);
            continue;
        }
        iAccepted++;
        std::string strAgain = Write(ppRead.get());
        ASSERT_EQ(PROFILE_OK, Read(strAgain, ppAgain.get()).iReason);
        ExpectSame(ppRead.get(), ppAgain.get());
    }
    printf("%d mutated profiles read, %d accepted\n", iRuns, iAccepted);
    EXPECT_GT(iAccepted, 0);
}

TEST(ProfileFormat, RandomAndMutatedTextsNeverBreakTheReader)
{
    std::unique_ptr<tagPROFILE> pp = MakeProfile(1);
    ReadMutations(Write(pp.get()), 100000);
}

/* A profile with automatic modes is of version 2, its pairs in a section of their own; one
   without them stays of version 1, which cannot carry them. Pairs of no use are passed over
   and the rest is taken; other damage is refused as anywhere else. */
TEST(ProfileFormat, AutomaticModesTravelInAProfileOfVersion2)
{
    std::unique_ptr<tagPROFILE> pp = MakeProfile(2);
    EXPECT_EQ(0u, Write(pp.get()).find(PROFILE_HEADER "\r\n[Mode]\r\n"));
    const std::string strLongest(AUTOMODE_PROGRAM_SIZE - 1, 'p');
    Add(pp.get(), STORE_AUTOMODE_KEY, "notepad.exe", "web");
    Add(pp.get(), STORE_AUTOMODE_KEY, "C:\\Program Files\\A=B [x]\\pl\xE4yer.exe", "PC");
    Add(pp.get(), STORE_AUTOMODE_KEY, strLongest, "WEB");
    const std::string strText = Write(pp.get());
    ASSERT_FALSE(strText.empty());
    EXPECT_EQ(0u, strText.find(PROFILE_HEADER_PAIRS "\r\n[Mode]\r\n"));
    EXPECT_NE(std::string::npos, strText.find("\r\n[Settings\\\\AutoModes]\r\nnotepad.exe=\"web\"\r\n"
                                              "C:\\\\Program Files\\\\A\\x3DB \\x5Bx\\x5D\\\\pl\\xE4yer.exe=\"PC\"\r\n"));
    std::unique_ptr<tagPROFILE> ppRead(new tagPROFILE());
    ASSERT_EQ(PROFILE_OK, Read(strText, ppRead.get()).iReason);
    ExpectSame(pp.get(), ppRead.get());
    EXPECT_EQ(strText, Write(ppRead.get())) << "a round trip gives the same bytes";

    /* Passed over: an over-long program, an empty one, a mode the profile does not name, a
       mode name too long for any mode, the pairs beyond the hundredth. */
    std::string strOfNoUse = strText.substr(0, strText.rfind(PROFILE_END));
    strOfNoUse += std::string(AUTOMODE_PROGRAM_SIZE, 'q') + "=\"PC\"\r\n=\"PC\"\r\ndvd.exe=\"DVD\"\r\n"
                  "x.exe=\"" + std::string(PROFILE_VALUE_SIZE, 'm') + "\"\r\n";
    for (int i = 3; i < AUTOMODE_MAX_PAIRS + 5; i++)
        strOfNoUse += "more" + std::to_string(i) + ".exe=\"PC\"\r\n";
    strOfNoUse += PROFILE_END "\r\n";
    ASSERT_EQ(PROFILE_OK, Read(strOfNoUse, ppRead.get()).iReason);
    ASSERT_EQ(pp->iCount + AUTOMODE_MAX_PAIRS - 3, ppRead->iCount);
    EXPECT_STREQ("more3.exe", ppRead->pvValues[pp->iCount].szName);
    EXPECT_STREQ("more99.exe", ppRead->pvValues[ppRead->iCount - 1].szName);

    /* Refused as anywhere: a damaged escape, a program twice (in any letter case), the
       section in a profile of version 1, or before "Mode". */
    const int iSection = LineOf(strText, "[Settings\\\\AutoModes]");
    const struct { std::string strText; int iReason; int iLine; } cases[] = {
        { ReplaceLine(strText, iSection + 1, "notepad.exe=\"bad \\q\""), PROFILE_BAD_ESCAPE, iSection + 1 },
        { ReplaceLine(strText, iSection + 2, "NOTEPAD.EXE=\"PC\""), PROFILE_REPEATED_VALUE, iSection + 2 },
        { ReplaceLine(strText, 1, PROFILE_HEADER), PROFILE_BAD_SECTION, iSection },
        { ReplaceLine(strText, 2, "[Settings\\\\AutoModes]"), PROFILE_BAD_SECTION, 2 },
    };
    for (const auto &c : cases) {
        tagPROFILEERROR pe = Read(c.strText, ppRead.get());
        EXPECT_EQ(c.iReason, pe.iReason) << c.strText.substr(0, 200);
        EXPECT_EQ(c.iLine, pe.iLine);
    }
    ReadMutations(strText, 30000);
}

/* The map of the receiver's other sources travels as a last section that profiles written
   before it leave out: such a profile reads and writes back byte for byte, and so does one
   with the section; the section stands once, after "Mode", with names that stand once. */
TEST(ProfileFormat, TheReceiverMapIsALastSectionOlderProfilesLeaveOut)
{
    std::unique_ptr<tagPROFILE> pp = MakeProfile(2);
    std::unique_ptr<tagPROFILE> ppRead(new tagPROFILE());
    const std::string strOlder = Write(pp.get());
    ASSERT_EQ(PROFILE_OK, Read(strOlder, ppRead.get()).iReason);
    EXPECT_EQ(strOlder, Write(ppRead.get()));

    Add(pp.get(), PROFILE_RECEIVER_KEY, "LIRC KEY_1 tv", "2");
    Add(pp.get(), PROFILE_RECEIVER_KEY, "Key MEDIA_NEXT_TRACK", "FF");
    Add(pp.get(), PROFILE_RECEIVER_KEY, "LIRC KEY_=[odd]", "VOL+");
    const std::string strText = Write(pp.get());
    const std::string strSection = "[Settings\\\\Receiver]\r\nLIRC KEY_1 tv=\"2\"\r\nKey MEDIA_NEXT_TRACK=\"FF\"\r\n"
                                   "LIRC KEY_\\x3D\\x5Bodd\\x5D=\"VOL+\"\r\n" PROFILE_END "\r\n";
    EXPECT_EQ(strOlder.substr(0, strOlder.size() - strlen(PROFILE_END "\r\n")) + strSection, strText);
    ASSERT_EQ(PROFILE_OK, Read(strText, ppRead.get()).iReason);
    ExpectSame(pp.get(), ppRead.get());
    EXPECT_EQ(strText, Write(ppRead.get()));

    /* A mode may still be called "Receiver"; the map's section cannot be a mode's. */
    std::string strRenamed = ReplaceLine(strOlder, 3, "1=\"Receiver\"");
    strRenamed.replace(strRenamed.find("[PC]"), 4, "[Receiver]");
    EXPECT_EQ(PROFILE_OK, Read(strRenamed, ppRead.get()).iReason);
    const int iSection = LineOf(strText, "[Settings\\\\Receiver]");
    const std::string strAfterMode = "Orvane remote profile 1\r\n[Settings\\\\Receiver]\r\nLIRC A=\"1\"\r\n"
                                     + strOlder.substr(strOlder.find("[Mode]"));
    struct { std::string strText; int iReason; int iLine; } cases[] = {
        { ReplaceLine(strText, iSection + 2, "lirc key_1 TV=\"3\""), PROFILE_REPEATED_VALUE, iSection + 2 },
        { ReplaceLine(strText, iSection + 1, "=\"3\""), PROFILE_BAD_NAME, iSection + 1 },
        { ReplaceLine(strText, iSection + 3, "[settings\\\\RECEIVER]"), PROFILE_BAD_SECTION, iSection + 3 },
        { strAfterMode, PROFILE_BAD_SECTION, 2 },
        { ReplaceLine(strText, iSection, "[Settings\\Receiver]"), PROFILE_BAD_ESCAPE, iSection },
    };
    for (const auto &c : cases) {
        tagPROFILEERROR pe = Read(c.strText, ppRead.get());
        EXPECT_EQ(c.iReason, pe.iReason) << c.iLine;
        EXPECT_EQ(c.iLine, pe.iLine);
    }
}
