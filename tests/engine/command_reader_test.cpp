/*
 * The command-string grammar on its own: keyword numbers, splitting into items, quoted
 * arguments, hexadecimal translation values, the keys of the keyboard keywords and where
 * a nudge leaves the cursor. Nothing here touches a window or the registry.
 */
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>
#include "Corvalin_internal.h"

namespace {

struct Item {
    UINT uiFunction;
    std::string strArgument;
    bool operator==(const Item &other) const
    {
        return uiFunction == other.uiFunction && strArgument == other.strArgument;
    }
};

std::ostream &operator<<(std::ostream &os, const Item &item)
{
    return os << "{" << item.uiFunction << ", \"" << item.strArgument << "\"}";
}

std::vector<Item> Split(std::string strCommand)
{
    std::vector<Item> items;
    LPSTR lpszPosition = &strCommand[0];
    tagCOMMANDITEM ci;
    while (NextCommandItem(&lpszPosition, &ci))
        items.push_back({ ci.uiFunction, ci.lpszArgument });
    return items;
}

} // namespace

TEST(KeywordTable, HasTheKeywordsInNumberOrder)
{
    int iCount = 0;
    while (pszFunctions[iCount][0] != '\0')
        iCount++;
    EXPECT_EQ(129, iCount);
    /* Spot checks across the whole list, where a slip in the order would show. */
    const std::pair<const char *, int> samples[] = {
        { "PAGEUP", 1 },      { "PASTE", 5 },        { "SELECT", 7 },        { "SHUTDOWN", 9 },
        { "SELECTTEXT", 15 }, { "RESTORE", 16 },     { "MCIPLAY", 17 },      { "MCIRECORD", 21 },
        { "MCITRACK", 23 },   { "SUSPEND", 26 },     { "HOMEPOINTER", 30 },  { "STARTBUTTON", 33 },
        { "FINDFILE", 35 },   { "REFRESH", 36 },     { "NEXTTASK", 39 },     { "FINDCOMPUTER", 40 },
        { "FONE", 41 },       { "FTWELVE", 52 },     { "UP", 53 },           { "RIGHT", 56 },
        { "CASCADE", 57 },    { "VERTILE", 59 },     { "LAUNCHSIZE", 60 },   { "ICONIZEOTHERS", 61 },
        { "MAXIMIZEALL", 63 }, { "MAXIMIZEOTHERS", 64 }, { "KEYA", 65 },      { "KEYZ", 90 },
        { "CAPSLOCK", 91 },   { "ALT", 93 },         { "NUMONE", 94 },       { "NUMNINE", 102 },
        { "NUMZERO", 103 },   { "EQUAL", 104 },      { "BACKSLASH", 110 },   { "COLON", 115 },
        { "TYPE", 116 },      { "WRITE", 117 },      { "UNUDGE", 118 },      { "LNUDGE", 121 },
        { "KEYBOARD", 122 },  { "MESSAGE", 123 },    { "HOTKEY", 124 },      { "MIXERMUTE", 127 },
        { "ZENDRA", 128 },    { "WEBADDRESS", 129 },
    };
    for (const auto &sample : samples)
        EXPECT_EQ(sample.second, GetFunction(sample.first)) << sample.first;
}

TEST(KeywordTable, LookUpIsExactAndCaseSensitive)
{
    EXPECT_EQ(0, GetFunction("pageup"));
    EXPECT_EQ(0, GetFunction("PAGE"));
    EXPECT_EQ(0, GetFunction("PAGEUPX"));
    EXPECT_EQ(0, GetFunction(""));
    for (int i = 0; pszFunctions[i][0] != '\0'; i++)
        EXPECT_EQ(i + 1, GetFunction(pszFunctions[i])) << "keyword listed twice: " << pszFunctions[i];
}

TEST(CommandReader, SplitsItemsAtCommas)
{
    EXPECT_EQ((std::vector<Item>{ { FN_PAGEUP, "" }, { FN_TYPE, "" } }), Split("PAGEUP,TYPE"));
    EXPECT_EQ((std::vector<Item>{ { FN_ENTER, "" }, { FN_TAB, "" } }), Split("ENTER ,TAB"));
    /* Empty items give function 0 and cost the others nothing. */
    EXPECT_EQ((std::vector<Item>{ { 0, "" }, { FN_ENTER, "" }, { 0, "" }, { FN_TAB, "" }, { 0, "" } }),
              Split(",ENTER,,TAB,"));
    EXPECT_EQ((std::vector<Item>{ { 0, "" } }), Split(""));
}

TEST(CommandReader, KeywordsAreCapitalisedAndEndAtOtherCharacters)
{
    EXPECT_EQ((std::vector<Item>{ { FN_PAGEUP, "" }, { FN_TYPE, "" } }), Split("PageUp,type"));
    /* "page up": the keyword is PAGE, unknown; the rest of the item is ignored. */
    EXPECT_EQ((std::vector<Item>{ { 0, "" } }), Split("page up"));
    /* A space before a keyword makes the item unknown. */
    EXPECT_EQ((std::vector<Item>{ { FN_ENTER, "" }, { 0, "" } }), Split("ENTER, TAB"));
    /* Bytes above 0x7F are not letters, whatever the code page says. */
    EXPECT_EQ((std::vector<Item>{ { 0, "" } }), Split("\xc9NTER"));
    EXPECT_EQ((std::vector<Item>{ { FN_ENTER, "" } }), Split("ENTER\xe9"));
    EXPECT_EQ((std::vector<Item>{ { FN_KEYA, "" }, { FN_NUMONE, "" } }), Split("keya,NumOne"));
}

TEST(CommandReader, QuotedArguments)
{
    /* Doubled quotes are passed on still doubled. */
    EXPECT_EQ((std::vector<Item>{ { FN_WRITE, "say \"\"hi\"\"" } }), Split("WRITE\"say \"\"hi\"\"\""));
    /* Commas inside quotes belong to the argument. */
    EXPECT_EQ((std::vector<Item>{ { FN_SELECT, "" }, { FN_END, "" }, { FN_PASTE, "a,b" }, { FN_TAB, "" } }),
              Split("SELECT,END,PASTE\"a,b\",TAB"));
    /* Without a closing quote the argument runs to the end of the string. */
    EXPECT_EQ((std::vector<Item>{ { FN_WRITE, "abc,TAB" } }), Split("WRITE\"abc,TAB"));
    EXPECT_EQ((std::vector<Item>{ { FN_WRITE, "" } }), Split("WRITE\""));
    EXPECT_EQ((std::vector<Item>{ { FN_WRITE, "" }, { FN_TAB, "" } }), Split("WRITE\"\",TAB"));
    /* A doubled quote at the very end does not close the argument. */
    EXPECT_EQ((std::vector<Item>{ { FN_WRITE, "x\"\"" } }), Split("WRITE\"x\"\""));
    /* Text after the closing quote is ignored up to the comma. */
    EXPECT_EQ((std::vector<Item>{ { FN_WEBADDRESS, "a" }, { FN_ENTER, "" } }),
              Split("WEBADDRESS\"a\"junk\"more,ENTER"));
    /* A quote not right after the keyword starts no argument. */
    EXPECT_EQ((std::vector<Item>{ { FN_WRITE, "" }, { 0, "" } }), Split("WRITE \"a,b\""));
    /* The separators of launch and track fields are ordinary argument bytes here. */
    EXPECT_EQ((std::vector<Item>{ { FN_LAUNCHSIZE, "c:\\a.exe\x7f-x\x83" "1,2,3,4" } }),
              Split("LAUNCHSIZE\"c:\\a.exe\x7f-x\x83" "1,2,3,4\""));
    EXPECT_EQ((std::vector<Item>{ { FN_MCITRACK, "cdaudio\x83" "12" } }), Split("MCITRACK\"cdaudio\x83" "12\""));
}

TEST(CommandReader, AStringWithoutItemsLeftReportsNone)
{
    LPSTR lpszPosition = NULL;
    tagCOMMANDITEM ci;
    EXPECT_FALSE(NextCommandItem(&lpszPosition, &ci));
}

TEST(TranslationValue, ReadsHexadecimalCutToEightBits)
{
    EXPECT_EQ(0x82, HexToByte("82"));
    EXPECT_EQ(0x40, HexToByte("40"));
    EXPECT_EQ(10, HexToByte("a"));
    EXPECT_EQ(10, HexToByte("A"));
    EXPECT_EQ(0x82, HexToByte("182"));
    EXPECT_EQ(0xEF, HexToByte("DEADBEEF"));
    EXPECT_EQ(0x34, HexToByte("0x1234"));
    EXPECT_EQ(0x34, HexToByte("1234567890abcdef1234"));
    EXPECT_EQ(0x12, HexToByte(" 12"));
    EXPECT_EQ(0x12, HexToByte("12zz"));
    EXPECT_EQ(0, HexToByte(""));
    EXPECT_EQ(0, HexToByte("zz"));
    EXPECT_EQ(0, HexToByte("-1"));
}

TEST(KeyStrokes, KeyboardKeywordsQueueTheirKeys)
{
    struct { UINT uiFunction; BYTE bFirst, bSecond; } samples[] = {
        { FN_PAGEUP, 0x21, 0 }, { FN_ENTER, 0x0D, 0 }, { FN_FTWELVE, 0x7B, 0 }, { FN_KEYQ, 'Q', 0 },
        { FN_NUMZERO, '0', 0 }, { FN_MINUS, 0x6D, 0 }, { FN_OPENBRACKET, 0x10, '9' },
        { FN_CLOSEBRACKET, 0x10, '0' }, { FN_COLON, 0x10, 0xBA }, { FN_INVERTEDCOMMA, 0xC0, 0 },
    };
    for (const auto &sample : samples) {
        const tagKEYSTROKE *pks = FindKeyStroke(sample.uiFunction);
        ASSERT_NE(nullptr, pks) << sample.uiFunction;
        EXPECT_EQ(sample.bFirst, pks->bFirst) << sample.uiFunction;
        EXPECT_EQ(sample.bSecond, pks->bSecond) << sample.uiFunction;
    }
    /* Nine editing keys, F1 to F12, four arrows, 26 letters, 3 modifiers, 10 digits and 12
       punctuation keys; nothing else queues a key by itself. */
    int iKeys = 0;
    for (UINT ui = 0; ui <= 255; ui++)
        iKeys += FindKeyStroke(ui) != NULL;
    EXPECT_EQ(9 + 12 + 4 + 26 + 3 + 10 + 12, iKeys);
    EXPECT_EQ(nullptr, FindKeyStroke(FN_TYPE));
    EXPECT_EQ(nullptr, FindKeyStroke(FN_WINDOWMENU));
}

TEST(NudgeStep, MovesFivePixelsAndStaysOnTheScreen)
{
    const POINT ptMiddle = { 100, 100 };
    auto at = [](POINT pt) { return std::make_pair(pt.x, pt.y); };
    EXPECT_EQ(std::make_pair(100L, 95L), at(NudgePoint(FN_UNUDGE, ptMiddle, 1024, 768)));
    EXPECT_EQ(std::make_pair(100L, 105L), at(NudgePoint(FN_DNUDGE, ptMiddle, 1024, 768)));
    EXPECT_EQ(std::make_pair(95L, 100L), at(NudgePoint(FN_RNUDGE, ptMiddle, 1024, 768)));
    EXPECT_EQ(std::make_pair(105L, 100L), at(NudgePoint(FN_LNUDGE, ptMiddle, 1024, 768)));
    EXPECT_EQ(std::make_pair(100L, 100L), at(NudgePoint(FN_TAB, ptMiddle, 1024, 768)));
    /* The edges are included: the right and bottom ones are the screen size itself. */
    EXPECT_EQ(std::make_pair(1024L, 5L), at(NudgePoint(FN_LNUDGE, POINT{ 1021, 5 }, 1024, 768)));
    EXPECT_EQ(std::make_pair(0L, 5L), at(NudgePoint(FN_RNUDGE, POINT{ 3, 5 }, 1024, 768)));
    EXPECT_EQ(std::make_pair(7L, 0L), at(NudgePoint(FN_UNUDGE, POINT{ 7, 2 }, 1024, 768)));
    EXPECT_EQ(std::make_pair(7L, 768L), at(NudgePoint(FN_DNUDGE, POINT{ 7, 767 }, 1024, 768)));
}
