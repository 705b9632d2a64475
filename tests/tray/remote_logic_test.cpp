/*
 * remote_logic_test.cpp - the virtual remote's sequence items, the installation data file's
 * lines and values, and the installation data itself: every code the remote sends is
 * translated, every button of every mode has a command the engine understands.
 */
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include "Corvalin_internal.h"
#include "remote.h"
#include "setupdata.h"
#include "testsupport.h"
#include "traytest.h"

static tagPLAYITEM Parsed(LPCSTR lpszItem, int *piResult)
{
    tagPLAYITEM piItem = { NULL, 77, 77, 77 };
    *piResult = ParsePlayItem(lpszItem, &piItem);
    return piItem;
}

TEST(PlayItem, ButtonsRepeatsAndPauses)
{
    int iResult;
    tagPLAYITEM piItem = Parsed("PLAY", &iResult);
    ASSERT_EQ(1, iResult);
    ASSERT_NE(nullptr, piItem.pButton);
    EXPECT_EQ(0x40, piItem.pButton->bCode);
    EXPECT_EQ(1, piItem.iCount);
    EXPECT_EQ(REPEAT_INTERVAL_MS, piItem.iInterval);

    piItem = Parsed("up*12", &iResult);
    ASSERT_EQ(1, iResult);
    EXPECT_STREQ("UP", piItem.pButton->lpszName);
    EXPECT_EQ(12, piItem.iCount);

    piItem = Parsed("VOL+*3@300", &iResult);
    ASSERT_EQ(1, iResult);
    EXPECT_STREQ("VOL+", piItem.pButton->lpszName);
    EXPECT_EQ(3, piItem.iCount);
    EXPECT_EQ(300, piItem.iInterval);

    piItem = Parsed("PTR-E*4", &iResult);
    ASSERT_EQ(1, iResult);
    EXPECT_EQ(BK_POINTER, piItem.pButton->iKind);
    EXPECT_EQ(POINTER_INTERVAL_MS, piItem.iInterval);

    piItem = Parsed("0x21", &iResult);
    ASSERT_EQ(1, iResult);
    EXPECT_EQ(nullptr, piItem.pButton);
    EXPECT_EQ(0x21, piItem.iCode);
    piItem = Parsed("255*2", &iResult);
    EXPECT_EQ(1, iResult);
    EXPECT_EQ(255, piItem.iCode);
    EXPECT_EQ(2, piItem.iCount);

    piItem = Parsed("+500", &iResult);
    ASSERT_EQ(1, iResult);
    EXPECT_EQ(nullptr, piItem.pButton);
    EXPECT_EQ(-1, piItem.iCode);
    EXPECT_EQ(500, piItem.iInterval);
}

TEST(PlayItem, MalformedItemsAreRefusedAndLeaveTheItem)
{
    const char *apszBad[] = { "", "*3", "PLAY*0", "PLAY*", "PLAY@", "PLAY@0", "PLAY@5*3", "PLAY*1001",
                              "PLAY*2x", "0x100", "256", "0x", "+", "+abc", "+-5", "NOSUCH",
                              "AVERYLONGNAMETHATDOESNOTFITANYBUFFER*2", "0x1G", "PLAY**2" };
    for (const char *pszBad : apszBad) {
        int iResult;
        tagPLAYITEM piItem = Parsed(pszBad, &iResult);
        EXPECT_EQ(0, iResult) << pszBad;
        EXPECT_EQ(77, piItem.iCode) << pszBad;
    }
}

TEST(RemoteButtons, NamesCodesAndShortcutsAreUnique)
{
    int iCount;
    const tagREMOTEBUTTON *prbButtons = RemoteButtons(&iCount);
    std::set<std::string> setNames;
    std::set<int> setCodes, setKeys, setPlaces;
    for (int i = 0; i < iCount; i++) {
        const tagREMOTEBUTTON &rb = prbButtons[i];
        EXPECT_TRUE(setNames.insert(rb.lpszName).second) << rb.lpszName;
        EXPECT_TRUE(setKeys.insert(rb.uiKey).second) << rb.lpszName;
        for (int iSpan = 0; iSpan < rb.iSpan; iSpan++) {
            EXPECT_TRUE(setPlaces.insert(rb.iRow * 100 + rb.iColumn + iSpan).second) << rb.lpszName;
        }
        if (rb.iKind == BK_CODE) {
            EXPECT_TRUE(setCodes.insert(rb.bCode).second) << rb.lpszName;
        }
        EXPECT_EQ(&rb, FindButtonByName(rb.lpszName));
        EXPECT_EQ(&rb, FindButtonByKey(rb.uiKey));
    }
    EXPECT_EQ(nullptr, FindButtonByName("NOSUCH"));
}

TEST(DataFile, LinesSplitIntoSectionsAndValues)
{
    char szLine[80];
    LPSTR lpszName, lpszValue;
    lstrcpyA(szLine, "  [ PC ]  \r");
    EXPECT_EQ(LK_SECTION, ParseDataLine(szLine, &lpszName, &lpszValue));
    EXPECT_STREQ("PC", lpszName);

    lstrcpyA(szLine, " 14 = ENTER,TYPE \r");
    EXPECT_EQ(LK_VALUE, ParseDataLine(szLine, &lpszName, &lpszValue));
    EXPECT_STREQ("14", lpszName);
    EXPECT_STREQ("ENTER,TYPE", lpszValue);

    lstrcpyA(szLine, "0=MESSAGE\"[10=2]\"");
    EXPECT_EQ(LK_VALUE, ParseDataLine(szLine, &lpszName, &lpszValue));
    EXPECT_STREQ("MESSAGE\"[10=2]\"", lpszValue);

    lstrcpyA(szLine, "Default=");
    EXPECT_EQ(LK_VALUE, ParseDataLine(szLine, &lpszName, &lpszValue));
    EXPECT_STREQ("", lpszValue);

    for (const char *pszNothing : { "", "   \r", "; a comment", "  ;x=y" }) {
        lstrcpyA(szLine, pszNothing);
        EXPECT_EQ(LK_NOTHING, ParseDataLine(szLine, &lpszName, &lpszValue)) << pszNothing;
    }
    for (const char *pszBad : { "[PC", "[]", "[PC] x", "no equals", "=value", " = x" }) {
        lstrcpyA(szLine, pszBad);
        EXPECT_EQ(LK_BAD, ParseDataLine(szLine, &lpszName, &lpszValue)) << pszBad;
    }
}

TEST(DataFile, ValuesBecomeStringsOrBytes)
{
    BYTE abData[16];
    DWORD cbData, dwType;
    ASSERT_EQ(1, DecodeDataValue("ab\\x83" "7", abData, sizeof(abData), &cbData, &dwType));
    EXPECT_EQ((DWORD)REG_SZ, dwType);
    ASSERT_EQ(5u, cbData);
    EXPECT_EQ(0, memcmp("ab\x83" "7", abData, 5));

    /* A backslash not followed by two hex digits stays as it is. */
    ASSERT_EQ(1, DecodeDataValue("C:\\xfiles\\x8", abData, sizeof(abData), &cbData, &dwType));
    EXPECT_STREQ("C:\\xfiles\\x8", (char *)abData);

    ASSERT_EQ(1, DecodeDataValue("hex:0a ff", abData, sizeof(abData), &cbData, &dwType));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);
    ASSERT_EQ(2u, cbData);
    EXPECT_EQ(0x0A, abData[0]);
    EXPECT_EQ(0xFF, abData[1]);

    ASSERT_EQ(1, DecodeDataValue("", abData, sizeof(abData), &cbData, &dwType));
    EXPECT_EQ(1u, cbData);

    EXPECT_EQ(0, DecodeDataValue("hex:0g", abData, sizeof(abData), &cbData, &dwType));
    EXPECT_EQ(0, DecodeDataValue("hex:012", abData, sizeof(abData), &cbData, &dwType));
    /* Too long for the buffer: refused, nothing written past it. */
    BYTE abSmall[5] = { 1, 2, 3, 4, 0xEE };
    EXPECT_EQ(0, DecodeDataValue("abcdef", abSmall, 4, &cbData, &dwType));
    EXPECT_EQ(0xEE, abSmall[4]);
    EXPECT_EQ(0, DecodeDataValue("hex:01 02 03 04 05", abSmall, 4, &cbData, &dwType));
    EXPECT_EQ(0xEE, abSmall[4]);
    EXPECT_EQ(0, DecodeDataValue("", abSmall, 0, &cbData, &dwType));
}

/* The installation data file as section -> (name -> value). */
typedef std::map<std::string, std::map<std::string, std::string>> DATAFILE;

static DATAFILE ReadDataFile(const std::string &strPath)
{
    DATAFILE dfData;
    std::istringstream in(ReadTextFile(strPath));
    std::string strLine, strSection;
    while (std::getline(in, strLine)) {
        std::vector<char> line(strLine.begin(), strLine.end());
        line.push_back('\0');
        LPSTR lpszName, lpszValue;
        int iKind = ParseDataLine(line.data(), &lpszName, &lpszValue);
        EXPECT_NE(LK_BAD, iKind) << strLine;
        if (iKind == LK_SECTION)
            strSection = lpszName;
        else if (iKind == LK_VALUE) {
            EXPECT_FALSE(strSection.empty()) << strLine;
            EXPECT_TRUE(dfData[strSection].emplace(lpszName, lpszValue).second) << "twice: " << strLine;
        }
    }
    return dfData;
}

TEST(InstallationData, EveryCodeOfTheRemoteIsTranslated)
{
    DATAFILE dfData = ReadDataFile(BinaryDir() + "orvane.ini");
    const auto &mapTranslation = dfData["Translation"];
    int iCount;
    const tagREMOTEBUTTON *prbButtons = RemoteButtons(&iCount);
    std::map<int, int> mapUses;     /* translated value -> how many raw codes give it */
    size_t cCodes = 0;
    for (int i = 0; i < iCount; i++) {
        if (prbButtons[i].iKind != BK_CODE)
            continue;
        cCodes++;
        auto it = mapTranslation.find(std::to_string(prbButtons[i].bCode));
        ASSERT_NE(mapTranslation.end(), it) << prbButtons[i].lpszName;
        mapUses[HexToByte(it->second.c_str())]++;
    }
    EXPECT_EQ(cCodes, mapTranslation.size()) << "a translation for a code the remote does not send";
    /* Five modes, shift, two mode-independent buttons, 17 main and 6 special buttons, each once. */
    std::set<int> setWanted = { 0x80, 0x81, 0x82, 0x83, 0x84, 0x40, 0x41, 0x42 };
    for (int iButton = 0; iButton <= 16; iButton++)
        setWanted.insert(iButton);
    for (int iButton = 34; iButton <= 39; iButton++)
        setWanted.insert(iButton);
    EXPECT_EQ(setWanted.size(), mapUses.size());
    for (int iValue : setWanted)
        EXPECT_EQ(1, mapUses[iValue]) << "translation value " << iValue;
}

/* Every item of a command names a keyword of the engine; arguments are closed. */
static void ExpectKnownCommand(const std::string &strWhere, const std::string &strCommand)
{
    EXPECT_FALSE(strCommand.empty()) << strWhere;
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back('\0');
    LPSTR lpszPosition = command.data();
    tagCOMMANDITEM ciItem;
    while (NextCommandItem(&lpszPosition, &ciItem))
        EXPECT_NE(0u, ciItem.uiFunction) << strWhere << ": " << strCommand;
    EXPECT_EQ(0u, std::count(strCommand.begin(), strCommand.end(), '"') % 2) << strWhere;
}

TEST(InstallationData, EveryButtonOfEveryModeIsAssigned)
{
    DATAFILE dfData = ReadDataFile(BinaryDir() + "orvane.ini");
    const char *apszModes[] = { "PC", "WEB", "Phone", "DVD", "CD" };
    for (int iMode = 0; iMode < 5; iMode++) {
        EXPECT_EQ(apszModes[iMode], dfData["Mode"][std::to_string(iMode + 1)]);
        const auto &mapMode = dfData[apszModes[iMode]];
        EXPECT_EQ(41u, mapMode.size()) << apszModes[iMode];
        for (int iButton = 0; iButton <= 39; iButton++) {
            auto it = mapMode.find(std::to_string(iButton));
            ASSERT_NE(mapMode.end(), it) << apszModes[iMode] << " " << iButton;
            ExpectKnownCommand(std::string(apszModes[iMode]) + " " + it->first, it->second);
        }
        ASSERT_EQ(1u, mapMode.count("Default")) << apszModes[iMode];
        ExpectKnownCommand(std::string(apszModes[iMode]) + " Default", mapMode.at("Default"));
    }
    EXPECT_EQ(2u, dfData["Default"].size());
    for (const auto &nv : dfData["Default"]) {
        ExpectKnownCommand("Default " + nv.first, nv.second);
    }
}
