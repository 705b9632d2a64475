/*
 * The button model: stored commands of every function family decompose into records and
 * compose back to the same text; commands the model cannot edit survive unchanged; a
 * configuration run writes the registry back as it found it; the function editor's holders.
 * The conversions read their template lists from Brenvik.dll's tables.
 */
#include <gtest/gtest.h>
#include <windowsx.h>
#include <map>
#include <random>
#include <string>
#include <vector>
#include "testsupport.h"
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "but32.h"
#include "family.h"
#include "OrvaneStore.h"

namespace {

const char szRoot[] = ORVANE_ROOT_KEY;
const char *const pszModeKeys[] = { "ModelPC", "ModelWEB", "ModelPhone", "ModelDVD", "ModelCD" };

std::string KeyPath(const std::string &strTopic)
{
    return std::string(szRoot) + "\\" + strTopic;
}

std::string Text(LPCSTR lpsz)
{
    return lpsz != nullptr ? lpsz : "<null>";
}

/* A record as text: type and the three fields, for comparisons with one message. */
std::string Fields(const tagBUTTONINFO &bi)
{
    return std::to_string(bi.fFunction) + "|" + Text(bi.pszPrimary) + "|" + Text(bi.pszExtra1) + "|" +
           Text(bi.pszExtra2);
}

/* One record on the heap, as the model makes them, freed at the end of the test. */
struct Record {
    tagBUTTONINFO *pbi = nullptr;
    Record() { CreateButtonMemory(&pbi, 1); }
    ~Record() { FreeButtonFunctions(&pbi); }
    tagBUTTONINFO *operator->() { return pbi; }
};

/* Composes into a buffer with a guard behind its 513 bytes; fails when the guard moved. */
int Compose(tagBUTTONINFO *pbi, std::string *pstrCommand)
{
    std::vector<char> buffer(COMMAND_SIZE + 64, '\x55');
    int iResult = ConvertButtonToCommand(pbi, buffer.data());
    for (size_t i = COMMAND_SIZE; i < buffer.size(); ++i)
        EXPECT_EQ('\x55', buffer[i]) << "written past the buffer";
    *pstrCommand = buffer.data();
    EXPECT_LT(pstrCommand->size(), (size_t)COMMAND_LIMIT);
    EXPECT_TRUE(iResult == 1 || iResult == 0 || iResult == COMMAND_TOO_LONG);
    if (iResult != 1) {
        EXPECT_EQ("", *pstrCommand);
    }
    return iResult;
}

class ButtonModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        static HMODULE hBrenvik = LoadLibraryA("Brenvik.dll");
        ASSERT_NE(nullptr, hBrenvik);
        hInstance = hBrenvik;
    }

    /* Loads the command, checks the fields, and checks that it composes back unchanged. */
    void ExpectRoundTrip(const std::string &strCommand, const std::string &strFields, bool bEditable = true)
    {
        Record r;
        ConvertCommandToButton(r.pbi, strCommand.c_str());
        EXPECT_EQ(strFields, Fields(*r.pbi)) << strCommand;
        EXPECT_EQ(bEditable, r->pszStored == nullptr) << strCommand;
        std::string strComposed;
        EXPECT_EQ(1, Compose(r.pbi, &strComposed));
        EXPECT_EQ(strCommand, strComposed);
    }
};

TEST_F(ButtonModel, EveryFamilyDecomposesAndComposesBack)
{
    /* Launch: file alone, with command line, with size only, with both. */
    ExpectRoundTrip("LAUNCH\"notepad.exe\"", "0|notepad.exe|<null>|<null>");
    ExpectRoundTrip("LAUNCH\"notepad.exe\x7Freadme.txt\"", "0|notepad.exe|readme.txt|<null>");
    ExpectRoundTrip("LAUNCHSIZE\"calc.exe\x83" "10,20\"", "0|calc.exe|<null>|10,20");
    ExpectRoundTrip("LAUNCHSIZE\"calc.exe\x7F/x, /y\x83" "1,2,300,400\"", "0|calc.exe|/x, /y|1,2,300,400");
    ExpectRoundTrip("WEBADDRESS\"http://example.com/a,b\"", "1|http://example.com/a,b|<null>|<null>");
    /* Media: with device, the track after 0x83, volume functions without a device. */
    ExpectRoundTrip("MCIPLAY\"cdaudio\"", "2|cdaudio|Play|<null>");
    ExpectRoundTrip("MCIFASTFWD\"cdaudio\"", "2|cdaudio|Skip Forward|<null>");
    ExpectRoundTrip("MCITRACK\"cdaudio\x83" "12\"", "2|cdaudio|Change Track|12");
    ExpectRoundTrip("MCISTOP\"\"", "2|<null>|Stop|<null>");
    ExpectRoundTrip("MIXERMUTE", "2|<null>|Master Mute|<null>");
    ExpectRoundTrip("AUXVOLDN", "2|<null>|Aux Volume Down (Win3x)|<null>");
    /* Edit: two-item templates without argument, quotes doubled, separators are text. */
    ExpectRoundTrip("PAGEUP,TYPE", "3|Page Up|<null>|<null>");
    ExpectRoundTrip("FTWELVE,TYPE", "3|F12|<null>|<null>");
    ExpectRoundTrip("WRITE\"say \"\"hi\"\"\"", "3|Type|say \"hi\"|<null>");
    ExpectRoundTrip("SELECT,END,PASTE\"a\x7F" "b\x83" "c\x7F" "d\"", "3|Paste|a\x7F" "b\x83" "c\x7F" "d|<null>");
    ExpectRoundTrip("WRITE\"\"\"\"", "3|Type|\"|<null>");
    /* System: plain, with several items, the hot key with its code. */
    ExpectRoundTrip("NEXTTASK", "4|Task Manager|<null>|<null>");
    ExpectRoundTrip("SELECT,MAXIMIZE", "4|Maximize|<null>|<null>");
    ExpectRoundTrip("HOTKEY\"100Pu\"", "4|Hot Key|100Pu|<null>");
    ExpectRoundTrip("HOTKEY\"\"", "4|Hot Key|<null>|<null>");
    ExpectRoundTrip("MESSAGE\"[0010:0000:0000]\"", "5|[0010:0000:0000]|<null>|<null>");
    ExpectRoundTrip("ZENDRA\"A1 On\"", "6|A1 On|<null>|<null>");
}

TEST_F(ButtonModel, QuotesAndSeparatorsInEveryArgumentComposeBackAsStored)
{
    /* A doubled quote reads as one in every family and is written doubled again. */
    ExpectRoundTrip("WEBADDRESS\"a\"\"b\"", "1|a\"b|<null>|<null>");
    ExpectRoundTrip("LAUNCH\"p.exe\x7F" "a \"\"b\"\"\"", "0|p.exe|a \"b\"|<null>");
    ExpectRoundTrip("LAUNCHSIZE\"p.exe\x83" "1,\"\"2\"", "0|p.exe|<null>|1,\"2");
    ExpectRoundTrip("MCITRACK\"cd\"\"audio\x83" "3\"\"\"", "2|cd\"audio|Change Track|3\"");
    ExpectRoundTrip("HOTKEY\"\"\"\"", "4|Hot Key|\"|<null>");
    ExpectRoundTrip("MESSAGE\"[0010:0:0]\"\"\"", "5|[0010:0:0]\"|<null>|<null>");
    ExpectRoundTrip("ZENDRA\"A1 \"\"On\"\"\"", "6|A1 \"On\"|<null>|<null>");
    /* Only launch and media arguments hold several fields; in the others the separators
       are text like any other. */
    ExpectRoundTrip("WEBADDRESS\"a\x7F" "b\x83" "c\"", "1|a\x7F" "b\x83" "c|<null>|<null>");
    ExpectRoundTrip("HOTKEY\"-C-\x83\"", "4|Hot Key|-C-\x83|<null>");
    ExpectRoundTrip("ZENDRA\"A1\x7F On\"", "6|A1\x7F On|<null>|<null>");
    /* A launch ends its program at the first separator and its command line at 0x83;
       Change Track ends its device at 0x83; any later separator, and every separator of
       the other media functions, is text of its field, as the engine reads them. */
    ExpectRoundTrip("LAUNCH\"a\x7F" "b\x7F" "c\"", "0|a|b\x7F" "c|<null>");
    ExpectRoundTrip("LAUNCHSIZE\"a\x7F" "b\x7F" "c\x83" "1\"", "0|a|b\x7F" "c|1");
    ExpectRoundTrip("MCIPLAY\"cdaudio\x83" "3\"", "2|cdaudio\x83" "3|Play|<null>");
    ExpectRoundTrip("MCITRACK\"cd\x83" "1\x83" "2\"", "2|cd|Change Track|1\x83" "2");
}

TEST_F(ButtonModel, CommandsTheFieldsCannotGiveBackAreKeptAsStored)
{
    /* No list knows these: not editable, the text kept whole. */
    ExpectRoundTrip("ENTER,TAB", "-1|<null>|<null>|<null>", false);
    ExpectRoundTrip("LAUNCH\"a\"junk", "-1|<null>|<null>|<null>", false);
    ExpectRoundTrip(" NEXTTASK", "-1|<null>|<null>|<null>", false);
    ExpectRoundTrip("\"", "-1|<null>|<null>|<null>", false);
    /* The engine takes a command-line separator inside the size field as the start of a
       command line where none comes before it; an empty one keeps it from doing so, but no
       field can keep an empty command line. A command line before the field stays editable. */
    ExpectRoundTrip("LAUNCHSIZE\"a\x7F\x83" "1\x7F" "x\"", "-1|<null>|<null>|<null>", false);
    ExpectRoundTrip("LAUNCHSIZE\"a\x83" "1,2\x7F" "x\x83" "y\"", "-1|<null>|<null>|<null>", false);
    ExpectRoundTrip("LAUNCHSIZE\"a\x7F" "b\x83" "1,2\x7F" "x\"", "0|a|b|1,2\x7F" "x");
    /* Known templates in another form: editable, but stored back as they were. */
    ExpectRoundTrip("nexttask", "4|Task Manager|<null>|<null>", false);
    ExpectRoundTrip("LAUNCH\"notepad.exe", "0|notepad.exe|<null>|<null>", false);
    /* Longer than the model reads: kept whole, composing it would not fit the buffer. */
    std::string strLong = "WEBADDRESS\"" + std::string(600, 'x') + "\"";
    Record r;
    ConvertCommandToButton(r.pbi, strLong.c_str());
    EXPECT_EQ("-1|<null>|<null>|<null>", Fields(*r.pbi));
    EXPECT_EQ(strLong, Text(r->pszStored));
    std::string strComposed;
    EXPECT_EQ(COMMAND_TOO_LONG, Compose(r.pbi, &strComposed));
    EXPECT_EQ("", strComposed);
    /* An edit replaces the kept text; an empty command leaves a fresh record. */
    ConvertCommandToButton(r.pbi, r->pszStored);
    EXPECT_EQ(strLong, Text(r->pszStored)) << "a kept command read again";
    AssignButtonInfo(r.pbi, WEBBROWSER, "w", nullptr, "");
    EXPECT_EQ(nullptr, r->pszStored);
    EXPECT_EQ("1|w|<null>|<null>", Fields(*r.pbi));
    ConvertCommandToButton(r.pbi, "");
    EXPECT_EQ("0|<null>|<null>|<null>", Fields(*r.pbi));

    /* What's This? heads a kept command with the family whose templates use its first
       known keyword, a template of that keyword alone first. */
    EXPECT_EQ(EDIT, NearestFamily("NUMZERO,TYPE"));
    EXPECT_EQ(EDIT, NearestFamily("backspace,type"));
    EXPECT_EQ(SYSTEM, NearestFamily("SELECT,NOSUCH"));      /* SELECT alone is a system template */
    EXPECT_EQ(APPLAUNCH, NearestFamily("LAUNCH\"a\"junk"));
    EXPECT_EQ(MULTIMEDIA, NearestFamily("NOSUCH\"LAUNCH,\"\"x\",MCIPLAY"));   /* not inside quotes */
    EXPECT_EQ(NO_FUNCTION, NearestFamily("XYZZY\"q\""));
    EXPECT_EQ(NO_FUNCTION, NearestFamily(" NEXTTASK"));      /* the engine runs no keyword there */
    EXPECT_EQ(NO_FUNCTION, NearestFamily(""));
}

TEST_F(ButtonModel, FieldsThatWouldNotFitAreRefusedWhole)
{
    Record r;
    /* 511 characters is the longest command; one more is refused, never cut. */
    std::string strFile(511 - strlen("LAUNCH\"\""), 'f');
    AssignButtonInfo(r.pbi, APPLAUNCH, strFile.c_str(), nullptr, nullptr);
    std::string strComposed;
    EXPECT_EQ(1, Compose(r.pbi, &strComposed));
    EXPECT_EQ(511u, strComposed.size());
    AssignButtonInfo(r.pbi, APPLAUNCH, (strFile + "f").c_str(), nullptr, nullptr);
    EXPECT_EQ(COMMAND_TOO_LONG, Compose(r.pbi, &strComposed));
    EXPECT_EQ("", strComposed);
    /* Doubled quotes count: 300 quotes make 600 characters. */
    AssignButtonInfo(r.pbi, EDIT, "Type", std::string(300, '"').c_str(), nullptr);
    EXPECT_EQ(COMMAND_TOO_LONG, Compose(r.pbi, &strComposed));
    EXPECT_EQ(std::string(300, '"'), Text(r->pszExtra1)) << "composing leaves the record alone";
    AssignButtonInfo(r.pbi, APPLAUNCH, "a", std::string(300, 'c').c_str(), std::string(300, 's').c_str());
    EXPECT_EQ(COMMAND_TOO_LONG, Compose(r.pbi, &strComposed));
    /* Nothing to store: no primary, unknown names, no function. */
    AssignButtonInfo(r.pbi, EDIT, nullptr, "text", nullptr);
    EXPECT_EQ(0, Compose(r.pbi, &strComposed));
    AssignButtonInfo(r.pbi, SYSTEM, "No Such Function", nullptr, nullptr);
    EXPECT_EQ(1, Compose(r.pbi, &strComposed));
    EXPECT_EQ("", strComposed);
    AssignButtonInfo(r.pbi, NO_FUNCTION, "x", nullptr, nullptr);
    EXPECT_EQ(0, Compose(r.pbi, &strComposed));
    /* PadQuotes doubles the edit text's quotes in the record itself. */
    AssignButtonInfo(r.pbi, EDIT, "Type", "a\"b", nullptr);
    PadQuotes(r.pbi);
    EXPECT_EQ("a\"\"b", Text(r->pszExtra1));
}

/* ---- Randomised conversions ------------------------------------------------------------ */

const int iCases = 4000;
const char *const pszPieces[] = {
    "LAUNCH", "LAUNCHSIZE", "WEBADDRESS", "MCIPLAY", "MCITRACK", "MIXERMUTE", "PAGEUP,TYPE",
    "WRITE", "SELECT,END,PASTE", "HOTKEY", "NEXTTASK", "SELECT,CLOSE", "MESSAGE", "ZENDRA",
    "\"", "\"\"", "\x7F", "\x83", ",", " ", "%s", "calc.exe", "1,2,3,4", "Master Mute",
};

const char *const pszKeywords[] = { "LAUNCH", "LAUNCHSIZE", "MCITRACK", "WRITE", "HOTKEY", "ZENDRA" };

/* The text as the last bytes before a page that may not be read. */
class FencedText {
public:
    FencedText()
    {
        SYSTEM_INFO si;
        GetSystemInfo(&si);
        m_cbPage = si.dwPageSize;
        m_pbBase = (BYTE *)VirtualAlloc(NULL, 2 * m_cbPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        DWORD dwOld;
        VirtualProtect(m_pbBase + m_cbPage, m_cbPage, PAGE_NOACCESS, &dwOld);
    }
    ~FencedText() { VirtualFree(m_pbBase, 0, MEM_RELEASE); }
    LPCSTR Place(const std::string &strText)
    {
        LPSTR lpsz = (LPSTR)m_pbBase + m_cbPage - strText.size() - 1;
        memcpy(lpsz, strText.c_str(), strText.size() + 1);
        return lpsz;
    }

private:
    BYTE *m_pbBase;
    size_t m_cbPage;
};

std::string RandomText(std::mt19937 &rng, size_t cbMax)
{
    std::string strText;
    size_t cbWanted = rng() % (cbMax + 1);
    while (strText.size() < cbWanted) {
        if (rng() % 3 == 0)
            strText += (char)(1 + rng() % 255);
        else
            strText += pszPieces[rng() % (sizeof(pszPieces) / sizeof(pszPieces[0]))];
    }
    return strText;
}

TEST_F(ButtonModel, StoredCommandsComposeBackUnchanged)
{
    std::mt19937 rng(1313);
    Record r;
    FencedText fence;
    int iEditable = 0;
    for (int iCase = 0; iCase < iCases; ++iCase) {
        std::string strCommand = RandomText(rng, iCase % 10 == 0 ? 700 : 120);
        /* Half of them shaped as a keyword with one quoted argument. */
        if (iCase % 2 == 0)
            strCommand = pszKeywords[rng() % 6] + ("\"" + strCommand + "\"");
        ConvertCommandToButton(r.pbi, fence.Place(strCommand));
        std::string strComposed;
        int iResult = Compose(r.pbi, &strComposed);
        if (strCommand.empty()) {
            EXPECT_EQ(0, iResult);
        } else if (strCommand.size() >= COMMAND_LIMIT) {
            EXPECT_EQ(COMMAND_TOO_LONG, iResult);
            EXPECT_STREQ(strCommand.c_str(), r->pszStored);
        } else {
            ASSERT_EQ(strCommand, strComposed) << "case " << iCase;
            iEditable += r->pszStored == nullptr;
        }
    }
    EXPECT_GT(iEditable, iCases / 50) << "too few generated commands were recognised";
}

/* What an editor confirms is composed from the fields alone; that command must read back
   into fields that give it again, or the next configuration run could not edit it. */
TEST_F(ButtonModel, CommandsComposedFromReadFieldsReadBackFromTheirFields)
{
    std::mt19937 rng(2727);
    Record read, confirmed;
    int iComposed = 0;
    const char *const pszFamilies[] = { "WEBADDRESS", "MESSAGE", "ZENDRA", "HOTKEY", "MCIPLAY",
                                        "MCITRACK", "LAUNCH", "LAUNCHSIZE", "WRITE" };
    for (int iCase = 0; iCase < iCases; ++iCase) {
        std::string strCommand = pszFamilies[rng() % 9] + ("\"" + RandomText(rng, 60) + "\"");
        ConvertCommandToButton(read.pbi, strCommand.c_str());
        AssignButtonInfo(confirmed.pbi, read->fFunction, read->pszPrimary, read->pszExtra1, read->pszExtra2);
        std::string strComposed;
        if (Compose(confirmed.pbi, &strComposed) != 1 || strComposed.empty())
            continue;
        ConvertCommandToButton(read.pbi, strComposed.c_str());
        ASSERT_EQ(nullptr, read->pszStored)
            << "case " << iCase << ": " << strCommand << " -> " << strComposed;
        ASSERT_EQ(confirmed->fFunction, read->fFunction) << strComposed;
        ++iComposed;
    }
    EXPECT_GT(iComposed, iCases / 4) << "too few generated commands composed";
}

TEST_F(ButtonModel, RecordsComposeWithinTheLimitAndReadBackTheSame)
{
    std::mt19937 rng(4242);
    Record r;
    int iComposed = 0;
    for (int iCase = 0; iCase < iCases; ++iCase) {
        int fFunction = (int)(rng() % 9) - 1;
        std::string strFields[3] = { RandomText(rng, 200), RandomText(rng, 200), RandomText(rng, 200) };
        /* Function names from the lists half the time, so most records compose. */
        if (rng() % 2 == 0 && (fFunction == EDIT || fFunction == SYSTEM))
            strFields[0] = fFunction == EDIT ? "Type" : "Hot Key";
        if (rng() % 2 == 0 && fFunction == MULTIMEDIA)
            strFields[1] = rng() % 2 ? "Change Track" : "Master Mute";
        AssignButtonInfo(r.pbi, fFunction, strFields[0].c_str(), strFields[1].c_str(), strFields[2].c_str());
        std::string strCommand;
        if (Compose(r.pbi, &strCommand) != 1 || strCommand.empty())
            continue;
        /* Whatever was composed loads and composes again to the same text. */
        ConvertCommandToButton(r.pbi, strCommand.c_str());
        std::string strAgain;
        EXPECT_EQ(1, Compose(r.pbi, &strAgain));
        ASSERT_EQ(strCommand, strAgain) << "case " << iCase;
        ++iComposed;
    }
    EXPECT_GT(iComposed, iCases / 4) << "too few generated records composed";
}

/* ---- A configuration run against the registry ------------------------------------------- */

typedef RegistrySnapshot Snapshot;

/* Every value of the assignment keys, raw: type and bytes. */
Snapshot TakeSnapshot(const char *const *ppszModeKeys = pszModeKeys)
{
    std::vector<std::string> topics = { "Mode", "Default" };
    topics.insert(topics.end(), ppszModeKeys, ppszModeKeys + MODES);
    return SnapshotRegistry(szRoot, topics);
}

class ButtonStore : public ButtonModel {
protected:
    void SetUp() override
    {
        ButtonModel::SetUp();
        for (const char *pszTopic : { "Mode", "Default" })
            DeleteRegKey(HKEY_CURRENT_USER, KeyPath(pszTopic).c_str());
        for (const char *pszTopic : pszModeKeys)
            DeleteRegKey(HKEY_CURRENT_USER, KeyPath(pszTopic).c_str());
        for (int i = 0; i < MODES; ++i)
            Write("Mode", std::to_string(i + 1).c_str(), pszModeKeys[i]);
    }
};

TEST_F(ButtonStore, ARunLeavesAPopulatedStoreByteIdentical)
{
    /* Every button of every mode gets a command; a few kinds the model cannot edit. */
    const char *const pszCommands[] = {
        "LAUNCH\"notepad.exe\x7Freadme.txt\"", "MIXERMUTE", "PAGEUP,TYPE", "WRITE\"say \"\"hi\"\"\"",
        "HOTKEY\"100Pu\"", "ENTER,TAB", "launch\"x", "MCITRACK\"cdaudio\x83" "4\"", "",
        "SELECT,END,PASTE\"\x7F\x83\"",
    };
    int iCommand = 0;
    std::string strLong = "ZENDRA\"" + std::string(700, 'z') + "\"";
    for (int iMode = 0; iMode < MODES; ++iMode) {
        for (int iCode = 0; iCode < 40; ++iCode)
            Write(pszModeKeys[iMode], std::to_string(iCode).c_str(), pszCommands[iCommand++ % 10]);
        Write(pszModeKeys[iMode], "Default", iMode == 2 ? strLong.c_str() : "NEXTTASK");
    }
    Write("Default", "0", "KEYBOARD");
    Write("Default", "1", strLong.c_str());
    Snapshot before = TakeSnapshot();
    ASSERT_EQ(5u + 5 * 41 + 2, before.size());

    tagREMOTE *pr = nullptr;
    CreateButtonList(&pr);
    ASSERT_NE(nullptr, pr);
    tagBUTTONINFO *pbi = nullptr;
    GetButton(&pbi, pr, CD, BT_SPECIAL, 6);
    ASSERT_NE(nullptr, pbi);
    EXPECT_EQ("4|Task Manager|<null>|<null>", Fields(*pbi)) << "the mode button is value Default";
    GetButton(&pbi, pr, WEB, BT_SHIFT, 0);
    ASSERT_NE(nullptr, pbi);
    EXPECT_EQ("2|cdaudio|Change Track|4", Fields(*pbi)) << "shift position 0 is code 17";
    GetButton(&pbi, pr, PC, BT_NOMODE, 1);
    EXPECT_EQ(strLong, Text(pbi->pszStored));
    GetButton(&pbi, pr, PC, BT_DEFAULT, 17);
    EXPECT_EQ(nullptr, pbi);
    /* Creating again saves the first tree before loading anew. */
    CreateButtonList(&pr);
    DestroyButtonList(&pr);
    EXPECT_EQ(nullptr, pr);
    EXPECT_TRUE(before == TakeSnapshot());
}

TEST_F(ButtonStore, AnEmptyStoreGetsAll207ValuesEmptyAndEditsAreWritten)
{
    tagREMOTE *pr = nullptr;
    CreateButtonList(&pr);
    tagBUTTONINFO *pbi = nullptr;
    GetButton(&pbi, pr, DVD, BT_SPECIAL, 2);
    AssignButtonInfo(pbi, MULTIMEDIA, nullptr, "Master Mute", nullptr);
    GetButton(&pbi, pr, PC, BT_NOMODE, 0);
    AssignButtonInfo(pbi, EDIT, "Type", "a\"b", nullptr);
    DestroyButtonList(&pr);

    Snapshot after = TakeSnapshot();
    EXPECT_EQ(5u + 5 * 41 + 2, after.size());
    int iEmpty = 0;
    for (const auto &value : after)
        iEmpty += value.first.compare(0, 5, "Mode\\") != 0 && value.second.strData.empty();
    EXPECT_EQ(205, iEmpty);
    std::string strStored;
    ReadRegString(HKEY_CURRENT_USER, KeyPath("ModelDVD").c_str(), "36", &strStored);
    EXPECT_EQ("MIXERMUTE", strStored);
    ReadRegString(HKEY_CURRENT_USER, KeyPath("Default").c_str(), "0", &strStored);
    EXPECT_EQ("WRITE\"a\"\"b\"", strStored);

    /* Only what the run changed is written: a button that another program's run stored
       meanwhile keeps that program's command; an edited and a cleared one are written. */
    CreateButtonList(&pr);
    Write("ModelDVD", "3", "NEXTTASK");
    GetButton(&pbi, pr, DVD, BT_DEFAULT, 4);
    AssignButtonInfo(pbi, SYSTEM, "Cascade Windows", nullptr, nullptr);
    GetButton(&pbi, pr, PC, BT_NOMODE, 0);
    CopyButtonData(&pbi, nullptr, NO_FUNCTION);
    DestroyButtonList(&pr);
    ReadRegString(HKEY_CURRENT_USER, KeyPath("ModelDVD").c_str(), "3", &strStored);
    EXPECT_EQ("NEXTTASK", strStored);
    ReadRegString(HKEY_CURRENT_USER, KeyPath("ModelDVD").c_str(), "4", &strStored);
    EXPECT_EQ("CASCADE", strStored);
    ReadRegString(HKEY_CURRENT_USER, KeyPath("Default").c_str(), "0", &strStored);
    EXPECT_EQ("", strStored);

    /* A mode without a key name is neither read nor written; its buttons stay empty. */
    Write("ModelPhone", "5", "NEXTTASK");
    Write("Mode", "3", "");
    char szCommand[COMMAND_SIZE];
    EXPECT_EQ(0, GetButtonCommand(szCommand, 5, PHONE));
    EXPECT_EQ(0, WriteButtonCommand("CASCADE", 5, PHONE));
    CreateButtonList(&pr);
    GetButton(&pbi, pr, PHONE, BT_DEFAULT, 5);
    EXPECT_EQ(nullptr, pbi->pszPrimary);
    AssignButtonInfo(pbi, SYSTEM, "Cascade Windows", nullptr, nullptr);
    DestroyButtonList(&pr);
    ReadRegString(HKEY_CURRENT_USER, KeyPath("ModelPhone").c_str(), "5", &strStored);
    EXPECT_EQ("NEXTTASK", strStored);
    EXPECT_EQ(1, GetButtonCommand(szCommand, 36, DVD));
    EXPECT_STREQ("MIXERMUTE", szCommand);
    EXPECT_EQ(1, WriteButtonCommand("HOMEPOINTER", 42, CD));
    ReadRegString(HKEY_CURRENT_USER, KeyPath("Default").c_str(), "1", &strStored);
    EXPECT_EQ("HOMEPOINTER", strStored);
}

TEST_F(ButtonModel, TheInstallationsAssignmentsComeBackUnchanged)
{
    std::string strDir = BinaryDir();
    ASSERT_EQ(0u, RunProcess("\"" + strDir + "OrvaneSetup.exe\" /data \"" + strDir + "orvane.ini\""));
    const char *const pszInstalledKeys[] = { "PC", "WEB", "Phone", "DVD", "CD" };
    Snapshot before = TakeSnapshot(pszInstalledKeys);
    ASSERT_EQ(5u + 207, before.size());

    tagREMOTE *pr = nullptr;
    CreateButtonList(&pr);
    int iEditable = 0;
    for (int iMode = 0; iMode < MODES; ++iMode) {
        for (int btType : { BT_DEFAULT, BT_SHIFT, BT_SPECIAL }) {
            tagBUTTONINFO *pbi = nullptr;
            GetButton(&pbi, pr, iMode, btType, 0);
            for (; pbi != nullptr; pbi = pbi->pbiNext)
                iEditable += pbi->pszStored == nullptr;
        }
    }
    /* Most of them are templates of the editors; keys the editors do not offer are kept. */
    EXPECT_GT(iEditable, 150);
    DestroyButtonList(&pr);
    EXPECT_TRUE(before == TakeSnapshot(pszInstalledKeys));
}

/* ---- The function editor's holders ------------------------------------------------------ */

TEST_F(ButtonModel, HoldersCarryTheButtonOnlyInItsOwnType)
{
    Record button;
    tagBUTTONINFO *pbiHolders = nullptr;
    tagBUTTONINFO *pbiButton = button.pbi;
    BYTE bEmpty = 0;
    ConvertCommandToButton(button.pbi, "MIXERMUTE");
    GenerateButtonFunctions(&pbiHolders, pbiButton, &bEmpty);
    EXPECT_EQ(0x7F & ~(1 << MULTIMEDIA), bEmpty);
    tagBUTTONINFO *pbiHeld = pbiHolders;
    for (int fFunction = 0; fFunction < FUNCTION_TYPES; ++fFunction, pbiHeld = pbiHeld->pbiNext) {
        ASSERT_NE(nullptr, pbiHeld);
        EXPECT_EQ(fFunction, pbiHeld->fFunction);
    }
    EXPECT_EQ(nullptr, pbiHeld);

    /* The editor changes the launch holder; the other holders keep what they held. */
    AssignButtonInfo(pbiHolders, APPLAUNCH, "calc.exe", nullptr, "1,2");
    ConvertCommandToButton(button.pbi, "NEXTTASK");
    GenerateButtonFunctions(&pbiHolders, pbiButton, &bEmpty);
    EXPECT_EQ(0x7F & ~(1 << SYSTEM), bEmpty);
    EXPECT_EQ("0|calc.exe|<null>|1,2", Fields(*pbiHolders));
    CopyButtonData(&pbiButton, pbiHolders, APPLAUNCH);
    EXPECT_EQ("0|calc.exe|<null>|1,2", Fields(*button.pbi));

    /* A kept command fills no holder; confirming a type replaces the kept text. */
    ConvertCommandToButton(button.pbi, "ENTER,TAB");
    GenerateButtonFunctions(&pbiHolders, pbiButton, &bEmpty);
    EXPECT_EQ(0x7F, bEmpty);
    CopyButtonData(&pbiButton, pbiHolders, SYSTEM);
    EXPECT_EQ(nullptr, button->pszStored);
    EXPECT_EQ("4|Task Manager|<null>|<null>", Fields(*button.pbi));

    /* No function: the type becomes -1, the strings stay but nothing is stored. */
    CopyButtonData(&pbiButton, pbiHolders, NO_FUNCTION);
    EXPECT_EQ("-1|Task Manager|<null>|<null>", Fields(*button.pbi));
    char szCommand[COMMAND_SIZE];
    EXPECT_EQ(0, ConvertButtonToCommand(button.pbi, szCommand));

    /* Confirmed without a change, a command in another form than the model writes stays
       as stored; a changed holder is composed from its fields. */
    for (const char *pszStored : { "nexttask", "LAUNCH\"notepad.exe", "WEBADDRESS\"x" }) {
        ConvertCommandToButton(button.pbi, pszStored);
        ASSERT_NE(nullptr, button->pszStored) << pszStored;
        GenerateButtonFunctions(&pbiHolders, pbiButton, &bEmpty);
        CopyButtonData(&pbiButton, pbiHolders, button->fFunction);
        EXPECT_EQ(1, ConvertButtonToCommand(button.pbi, szCommand));
        EXPECT_STREQ(pszStored, szCommand);
    }
    AssignButtonString(&FindHolder(pbiHolders, WEBBROWSER)->pszPrimary, "y");
    CopyButtonData(&pbiButton, pbiHolders, WEBBROWSER);
    ConvertButtonToCommand(button.pbi, szCommand);
    EXPECT_STREQ("WEBADDRESS\"y\"", szCommand);

    BYTE bFlags = 0;
    for (int fFunction : { -1, 0, 6, 7, 200 })
        SetButtonFlag(&bFlags, fFunction);
    EXPECT_EQ(0x41, bFlags);
    FreeButtonFunctions(&pbiHolders);
    EXPECT_EQ(nullptr, pbiHolders);
}

/* ---- Services of the editors ------------------------------------------------------------- */

TEST_F(ButtonModel, ControlsReadIntoFieldsAndTheMediaDevicesFillABox)
{
    HWND hParent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hParent);
    HWND hEdit = CreateWindowA("EDIT", "typed \"text\"", WS_CHILD, 0, 0, 100, 20, hParent, (HMENU)1, NULL, NULL);
    CreateWindowA("STATIC", "", WS_CHILD, 0, 30, 100, 20, hParent, (HMENU)2, NULL, NULL);
    HWND hCombo = CreateWindowA("COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 60, 100, 200, hParent,
                                (HMENU)3, NULL, NULL);
    ASSERT_NE(nullptr, hEdit);
    ASSERT_NE(nullptr, hCombo);

    LPSTR lpszField = nullptr;
    AssignButtonString(&lpszField, "old");
    DlgItemToString(hParent, 1, &lpszField);
    EXPECT_EQ("typed \"text\"", Text(lpszField));
    DlgItemToString(hParent, 2, &lpszField);
    EXPECT_EQ("", Text(lpszField)) << "an empty control gives an empty string, not null";

    /* The devices of the "mci" section; the selection ignores case, else the first. */
    GetMCIDevices(hCombo, "WAVEAUDIO");
    EXPECT_GE(ComboBox_FindStringExact(hCombo, -1, "cdaudio"), 0);
    DlgItemToString(hParent, 3, &lpszField);
    EXPECT_EQ("waveaudio", Text(lpszField));
    GetMCIDevices(hCombo, "no such device");
    EXPECT_EQ(0, ComboBox_GetCurSel(hCombo));
    ComboBox_SetCurSel(hCombo, -1);
    DlgItemToString(hParent, 3, &lpszField);
    EXPECT_EQ("", Text(lpszField));
    AssignButtonString(&lpszField, nullptr);
    EXPECT_EQ(nullptr, lpszField);
    DestroyWindow(hParent);
}

/* Answers the program chooser from a second thread as a person would: types a name
   without extension and confirms; remembers the title it found. */
DWORD WINAPI AnswerFileChooser(LPVOID lpParam)
{
    std::string *pstrTitle = (std::string *)lpParam;
    HWND hChooser = NULL;
    WaitFor([&] {
        hChooser = FindWindowA("#32770", "Select Application to Launch...");
        return hChooser != NULL && IsWindowVisible(hChooser);
    }, 15000);
    if (hChooser == NULL)
        return 1;
    *pstrTitle = "Select Application to Launch...";
    SaveWindowPicture(hChooser, "program_chooser");
    /* Into the folder first, as a person finds a program, then the name there. */
    SetDlgItemTextA(hChooser, 0x47C, "C:\\windows");                /* the file name box */
    PostMessageA(hChooser, WM_COMMAND, IDOK, 0);
    WaitFor([&] {
        char szFolder[MAX_PATH] = "";
        GetDlgItemTextA(hChooser, 0x471, szFolder, sizeof(szFolder));  /* "Look in" */
        return lstrcmpiA(szFolder, "windows") == 0;
    }, 10000);
    SetDlgItemTextA(hChooser, 0x47C, "notepad");
    PostMessageA(hChooser, WM_COMMAND, IDOK, 0);
    return 0;
}

TEST_F(ButtonModel, TheProgramChooserPutsItsChoiceIntoTheLaunchDialog)
{
    HWND hLaunch = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
    HWND hFile = CreateWindowA("EDIT", "before", WS_CHILD, 0, 0, 200, 20, hLaunch, (HMENU)IDC_LAUNCH_FILE, NULL, NULL);
    ASSERT_NE(nullptr, hFile);
    std::string strTitle;
    char szBefore[MAX_PATH] = "", szAfter[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(szBefore), szBefore);
    HANDLE hThread = CreateThread(NULL, 0, AnswerFileChooser, &strTitle, 0, NULL);
    GetFileName(hLaunch);
    WaitForSingleObject(hThread, 20000);
    CloseHandle(hThread);
    EXPECT_EQ("Select Application to Launch...", strTitle);
    GetCurrentDirectoryA(sizeof(szAfter), szAfter);
    EXPECT_STREQ(szBefore, szAfter) << "bare program names are looked up from there";
    char szFile[MAX_PATH] = "";
    GetWindowTextA(hFile, szFile, sizeof(szFile));
    EXPECT_STRCASEEQ("C:\\windows\\notepad.exe", szFile) << "the default extension is added";
    DestroyWindow(hLaunch);
}

} // namespace
