/*
 * The assignment store under Wine: Get and Write in both libraries, the registry layout
 * that LookUpCode and DecodeScanCode read (mode keys through "Mode", hexadecimal
 * "Translation" values, the "Default" values), and missing keys and values.
 * Commands run by the decoder are observed through the cursor (HOMEPOINTER, nudges).
 */
#include <gtest/gtest.h>
#include <string>
#include "testsupport.h"
#include "OrvaneStore.h"
#include "probe_client.h"
#include "store.h"
#include "Corvalin.h"

namespace {

const char szRoot[] = ORVANE_ROOT_KEY;
const char *const pszModeKeys[] = { "PC", "WEB", "Phone", "DVD", "CD" };

std::string KeyPath(const std::string &strTopic)
{
    return std::string(szRoot) + "\\" + strTopic;
}

/* A value of any type, stored exactly as given (no terminator added). */
void SetRawValue(const std::string &strTopic, const char *pszName, DWORD dwType, const void *pData, DWORD cbData)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(strTopic).c_str(), 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &hKey, NULL));
    RegSetValueExA(hKey, pszName, 0, dwType, (const BYTE *)pData, cbData);
    RegCloseKey(hKey);
}

void SetValue(const std::string &strTopic, const char *pszName, const std::string &strData)
{
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, KeyPath(strTopic).c_str(), pszName, strData));
}

/* The stored string, or "<missing>" when the value (or key) does not exist. */
std::string StoredValue(const std::string &strTopic, const char *pszName)
{
    std::string strData;
    if (!ReadRegString(HKEY_CURRENT_USER, KeyPath(strTopic).c_str(), pszName, &strData))
        return "<missing>";
    return strData;
}

DWORD StoredType(const std::string &strTopic, const char *pszName)
{
    HKEY hKey;
    DWORD dwType = REG_NONE;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(strTopic).c_str(), 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS) {
        RegQueryValueExA(hKey, pszName, NULL, &dwType, NULL, NULL);
        RegCloseKey(hKey);
    }
    return dwType;
}

void DeleteTopic(const std::string &strTopic)
{
    DeleteRegKey(HKEY_CURRENT_USER, KeyPath(strTopic).c_str());
}

/* A fresh installation: five mode keys, no assignments and no translations. */
class Store : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *pszTopic : { "Mode", "Translation", "Default", "StoreTest" })
            DeleteTopic(pszTopic);
        for (const char *pszKey : pszModeKeys)
            DeleteTopic(pszKey);
        for (int i = 0; i < 5; i++)
            SetValue("Mode", std::to_string(i + 1).c_str(), pszModeKeys[i]);
    }
};

/* Decodes a raw code with the cursor at ptStart; where the code's command left it. */
POINT CursorAfter(POINT ptStart, BYTE bCode, BYTE *pbMode, BYTE *pbShift, int *piResult)
{
    EXPECT_TRUE(MoveCursor(ptStart.x, ptStart.y));
    *piResult = DecodeScanCode(NULL, &bCode, pbMode, pbShift);
    return SettledCursorPosition();
}

} // namespace

TEST_F(Store, GetReadsAndWriteStores)
{
    EXPECT_EQ(1, Write("StoreTest", "Name", "value one"));
    EXPECT_EQ("value one", StoredValue("StoreTest", "Name"));
    char buffer[64] = "junk";
    Get("StoreTest", "Name", "default", buffer, sizeof(buffer));
    EXPECT_STREQ("value one", buffer);
    EXPECT_EQ(1, Write("StoreTest", "Name", ""));
    EXPECT_EQ("", StoredValue("StoreTest", "Name"));
}

TEST_F(Store, MissingKeyAndValueAreCreatedWithTheDefault)
{
    char buffer[64] = "junk";
    Get("StoreTest", "Missing", "fallback", buffer, sizeof(buffer));
    EXPECT_STREQ("fallback", buffer);
    EXPECT_EQ("fallback", StoredValue("StoreTest", "Missing"));
    Get("StoreTest", "Other", "", buffer, sizeof(buffer));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ("", StoredValue("StoreTest", "Other"));
}

TEST_F(Store, AValueLongerThanTheBufferIsLeftAloneAndTheDefaultReturned)
{
    SetValue("StoreTest", "Long", std::string(40, 'x'));
    char buffer[41];
    memset(buffer, '#', sizeof(buffer));
    Get("StoreTest", "Long", "dflt", buffer, 40);
    EXPECT_STREQ("dflt", buffer);
    EXPECT_EQ('#', buffer[40]);
    EXPECT_EQ(std::string(40, 'x'), StoredValue("StoreTest", "Long"));
    /* One character less fits with its terminator. */
    Get("StoreTest", "Long", "dflt", buffer, 41);
    EXPECT_EQ(std::string(40, 'x'), buffer);
    /* A default longer than the buffer is cut to fit. */
    char small[4];
    Get("StoreTest", "Long", "defaultvalue", small, sizeof(small));
    EXPECT_STREQ("def", small);
}

TEST_F(Store, StringsWithoutTerminatorAndOtherTypes)
{
    SetRawValue("StoreTest", "Exact", REG_SZ, "abcd", 4);
    DWORD dwNumber = 0x82;
    SetRawValue("StoreTest", "Number", REG_DWORD, &dwNumber, sizeof(dwNumber));

    char buffer[5];
    Get("StoreTest", "Exact", "", buffer, sizeof(buffer));
    EXPECT_STREQ("abcd", buffer);
    Get("StoreTest", "Exact", "d", buffer, 4);          /* no room for the terminator */
    EXPECT_STREQ("d", buffer);
    Get("StoreTest", "Number", "n", buffer, sizeof(buffer));
    EXPECT_STREQ("n", buffer);
    EXPECT_EQ((DWORD)REG_DWORD, StoredType("StoreTest", "Number"));
    /* No buffer: nothing happens. */
    Get("StoreTest", "Exact", "", NULL, 10);
    Get("StoreTest", "Exact", "", buffer, 0);
}

TEST_F(Store, BrenvikCarriesTheSameRoutinesAtOrdinals14And15)
{
    HMODULE hBrenvik = LoadLibraryA("Brenvik.dll");
    ASSERT_NE(nullptr, hBrenvik);
    void *pWrite = (void *)GetProcAddress(hBrenvik, MAKEINTRESOURCEA(14));
    void *pGet = (void *)GetProcAddress(hBrenvik, MAKEINTRESOURCEA(15));
    ASSERT_NE(nullptr, pWrite);
    ASSERT_NE(nullptr, pGet);
    EXPECT_EQ(pWrite, (void *)GetProcAddress(hBrenvik, "Write"));
    EXPECT_EQ(pGet, (void *)GetProcAddress(hBrenvik, "Get"));
    auto pfnWrite = (int(WINAPI *)(LPCSTR, LPCSTR, LPCSTR))pWrite;
    auto pfnGet = (void(WINAPI *)(LPCSTR, LPCSTR, LPCSTR, LPSTR, int))pGet;

    EXPECT_EQ(1, pfnWrite("StoreTest", "FromBrenvik", "written by Brenvik"));
    char buffer[64];
    Get("StoreTest", "FromBrenvik", "", buffer, sizeof(buffer));
    EXPECT_STREQ("written by Brenvik", buffer);
    SetValue("StoreTest", "Long", std::string(20, 'y'));
    pfnGet("StoreTest", "Long", "short", buffer, 10);
    EXPECT_STREQ("short", buffer);
    EXPECT_EQ(std::string(20, 'y'), StoredValue("StoreTest", "Long"));
    FreeLibrary(hBrenvik);
}

TEST_F(Store, LookUpCodeFindsTheModeKeyThroughMode)
{
    SetValue("CD", "7", "MCIPLAY\"cdaudio\"");
    SetValue("PC", "7", "ENTER");
    char buffer[256];
    EXPECT_EQ(1, LookUpCode(4, 7, buffer, 255));      /* engine mode 4 is value "5" */
    EXPECT_STREQ("MCIPLAY\"cdaudio\"", buffer);
    EXPECT_EQ(1, LookUpCode(0, 7, buffer, 255));
    EXPECT_STREQ("ENTER", buffer);
    /* Shifted and special buttons are values "17" to "39" of the same key. */
    SetValue("WEB", "33", "TAB");
    SetValue("WEB", "39", "ESCAPE");
    EXPECT_EQ(1, LookUpCode(1, 33, buffer, 255));
    EXPECT_STREQ("TAB", buffer);
    EXPECT_EQ(1, LookUpCode(1, 39, buffer, 255));
    EXPECT_STREQ("ESCAPE", buffer);
}

TEST_F(Store, AnUnassignedButtonLeavesAnEmptyValueBehind)
{
    char buffer[256] = "junk";
    EXPECT_EQ(0, LookUpCode(2, 12, buffer, 255));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ("", StoredValue("Phone", "12"));
}

TEST_F(Store, AMissingModeNameMakesLookUpDoNothing)
{
    DeleteTopic("Mode");
    char buffer[256] = "junk";
    EXPECT_EQ(0, LookUpCode(3, 1, buffer, 255));
    EXPECT_EQ("", StoredValue("Mode", "4"));
    EXPECT_EQ("<missing>", StoredValue("DVD", "1"));
    /* A mode name longer than its 20-byte buffer counts as missing. */
    SetValue("Mode", "4", std::string(25, 'M'));
    EXPECT_EQ(0, LookUpCode(3, 1, buffer, 255));
    EXPECT_EQ("<missing>", StoredValue(std::string(25, 'M'), "1"));
}

TEST_F(Store, ACommandLongerThanTheCallersBufferIsNotRun)
{
    std::string strLong = "WRITE\"" + std::string(300, 'a') + "\"";
    SetValue("PC", "3", strLong);
    char buffer[256];
    EXPECT_EQ(0, LookUpCode(0, 3, buffer, 255));
    EXPECT_EQ(strLong, StoredValue("PC", "3"));
    SetValue("PC", "3", std::string(254, 'b'));
    EXPECT_EQ(1, LookUpCode(0, 3, buffer, 255));
    EXPECT_EQ(254u, strlen(buffer));
}

TEST_F(Store, TranslationGivesButtonCodesWithShift)
{
    SetValue("Translation", "20", "a");
    SetValue("Translation", "21", "10");
    SetValue("Translation", "22", "11");
    SetValue("Translation", "23", "22");
    BYTE bMode = 1, bShift = 0;
    struct { BYTE bRaw, bShift, bExpected; } samples[] = {
        { 20, 0, 10 }, { 20, 1, 27 }, { 21, 1, 33 }, { 22, 1, 17 }, { 23, 1, 34 }, { 23, 0, 34 },
    };
    for (const auto &sample : samples) {
        BYTE bCode = sample.bRaw;
        bShift = sample.bShift;
        EXPECT_EQ(1, DecodeScanCode(NULL, &bCode, &bMode, &bShift)) << (int)sample.bRaw;
        EXPECT_EQ(sample.bExpected, bCode) << (int)sample.bRaw << " shift " << (int)sample.bShift;
        EXPECT_EQ(sample.bShift, bShift);
        EXPECT_EQ(1, bMode);
    }
}

TEST_F(Store, AnUnknownRawCodeReadsAsButtonZeroAndLeavesAnEmptyValue)
{
    BYTE bCode = 200, bMode = 0, bShift = 0;
    EXPECT_EQ(1, DecodeScanCode(NULL, &bCode, &bMode, &bShift));
    EXPECT_EQ(0, bCode);
    EXPECT_EQ("", StoredValue("Translation", "200"));
    SetValue("Translation", "201", "not hex");
    bCode = 201;
    EXPECT_EQ(1, DecodeScanCode(NULL, &bCode, &bMode, &bShift));
    EXPECT_EQ(0, bCode);
    /* Longer than the 20-byte buffer: read as missing, and kept as it is. */
    SetValue("Translation", "202", std::string(20, '0') + "82");
    bCode = 202;
    EXPECT_EQ(1, DecodeScanCode(NULL, &bCode, &bMode, &bShift));
    EXPECT_EQ(0, bCode);
    EXPECT_EQ(0, bMode);
    EXPECT_EQ(std::string(20, '0') + "82", StoredValue("Translation", "202"));
}

TEST_F(Store, AModeCodeSelectsTheModeRunsItsCommandAndClearsShift)
{
    SetValue("Translation", "5", "82");
    SetValue("Translation", "6", "182");                /* cut to 8 bits: 0x82 as well */
    SetValue("Phone", "Default", "HOMEPOINTER");
    for (BYTE bRaw : { 5, 6 }) {
        BYTE bMode = 0, bShift = 1;
        int iResult;
        POINT pt = CursorAfter(POINT{ 10, 10 }, bRaw, &bMode, &bShift, &iResult);
        EXPECT_EQ(0, iResult);
        EXPECT_EQ(2, bMode);
        EXPECT_EQ(0, bShift);
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2, pt.x) << (int)bRaw;
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) / 2, pt.y) << (int)bRaw;
    }
    /* The mode's command is the value "Default" of its key, not a button value. */
    EXPECT_EQ("<missing>", StoredValue("Phone", "255"));
    /* The caller who shows the mode gets the key's name as the command was found through it;
       a button code leaves the caller's buffer as it was. */
    SetValue("Translation", "7", "3");
    for (BYTE bRaw : { 5, 7 }) {
        char szModeKey[STORE_MODE_KEY_SIZE] = "unread";
        BYTE bCode = bRaw, bMode = 0, bShift = 0;
        EXPECT_EQ(bRaw == 7, DecodeScanCodeEx(NULL, &bCode, &bMode, &bShift, szModeKey));
        EXPECT_STREQ(bRaw == 5 ? "Phone" : "unread", szModeKey);
    }

    /* A mode command longer than its 256-byte buffer is not run. */
    SetValue("Phone", "Default", "HOMEPOINTER," + std::string(300, ' '));
    BYTE bMode = 0, bShift = 1;
    int iResult;
    POINT pt = CursorAfter(POINT{ 10, 10 }, 5, &bMode, &bShift, &iResult);
    EXPECT_EQ(2, bMode);
    EXPECT_EQ(10, pt.x);
    EXPECT_EQ(10, pt.y);
}

TEST_F(Store, ModeCodesBeyondTheFiveModesChangeNothing)
{
    SetValue("Translation", "7", "85");
    SetValue("Translation", "8", "ff");
    for (BYTE bRaw : { 7, 8 }) {
        BYTE bCode = bRaw, bMode = 3, bShift = 1;
        EXPECT_EQ(0, DecodeScanCode(NULL, &bCode, &bMode, &bShift));
        EXPECT_EQ(3, bMode);
        EXPECT_EQ(1, bShift);
    }
    EXPECT_EQ("<missing>", StoredValue("Mode", "6"));
}

TEST_F(Store, ShiftToggleAndModeIndependentButtons)
{
    SetValue("Translation", "9", "40");
    SetValue("Translation", "10", "41");
    SetValue("Translation", "11", "42");
    SetValue("Translation", "12", "43");
    SetValue("Default", "0", "DNUDGE");
    SetValue("Default", "1", "LNUDGE,LNUDGE");
    BYTE bMode = 4, bShift = 0;
    int iResult;
    POINT pt = CursorAfter(POINT{ 100, 100 }, 9, &bMode, &bShift, &iResult);
    EXPECT_EQ(0, iResult);
    EXPECT_EQ(1, bShift);
    CursorAfter(POINT{ 100, 100 }, 9, &bMode, &bShift, &iResult);
    EXPECT_EQ(0, bShift);
    EXPECT_EQ(100, pt.x);

    pt = CursorAfter(POINT{ 100, 100 }, 10, &bMode, &bShift, &iResult);
    EXPECT_EQ(0, iResult);
    EXPECT_EQ(100, pt.x);
    EXPECT_EQ(105, pt.y);
    pt = CursorAfter(POINT{ 100, 100 }, 11, &bMode, &bShift, &iResult);
    EXPECT_EQ(0, iResult);
    EXPECT_EQ(110, pt.x);
    EXPECT_EQ(100, pt.y);
    /* Other codes with bit 6 do nothing. */
    pt = CursorAfter(POINT{ 100, 100 }, 12, &bMode, &bShift, &iResult);
    EXPECT_EQ(0, iResult);
    EXPECT_EQ(100, pt.x);
    EXPECT_EQ(100, pt.y);
    EXPECT_EQ(4, bMode);
    EXPECT_EQ(0, bShift);
}

TEST_F(Store, ModeIndependentButtonsWithoutACommand)
{
    SetValue("Translation", "10", "41");
    BYTE bCode = 10, bMode = 0, bShift = 0;
    EXPECT_EQ(0, DecodeScanCode(NULL, &bCode, &bMode, &bShift));
    EXPECT_EQ("", StoredValue("Default", "0"));
}

/* The engine and the configuration number the buttons alike: the mode's own command and the
   two mode-independent buttons lie where the configuration writes them, and the shared
   reader and writer find every button there, reading the mode's key name only when the
   button needs it. */
TEST_F(Store, EveryButtonIsFoundWhereTheConfigurationKeepsIt)
{
    SetValue("Phone", "Default", "HOMEPOINTER");
    SetValue("Phone", "16", "TAB");
    SetValue("Phone", "39", "ESCAPE");
    SetValue("Default", "0", "DNUDGE");
    SetValue("Default", "1", "LNUDGE");
    char buffer[RUNNABLE_COMMAND_SIZE];
    struct { BYTE bMode, bCode; const char *pszCommand; } samples[] = {
        { 2, 255, "HOMEPOINTER" }, { 2, 16, "TAB" }, { 2, 39, "ESCAPE" }, { 4, 41, "DNUDGE" }, { 0, 42, "LNUDGE" },
    };
    for (const auto &sample : samples) {
        EXPECT_EQ(1, LookUpCode(sample.bMode, sample.bCode, buffer, sizeof(buffer))) << (int)sample.bCode;
        EXPECT_STREQ(sample.pszCommand, buffer);
    }
    EXPECT_EQ("<missing>", StoredValue("Phone", "255"));
    EXPECT_EQ("<missing>", StoredValue("CD", "41"));

    /* Written through the shared writer, a button lands in the same places. */
    EXPECT_TRUE(WriteModeButton(1, 33, "ENTER"));
    EXPECT_TRUE(WriteModeButton(3, 255, "CASCADE"));
    EXPECT_TRUE(WriteModeButton(7, 42, "VERTILE"));     /* no such mode: this button needs none */
    EXPECT_EQ("ENTER", StoredValue("WEB", "33"));
    EXPECT_EQ("CASCADE", StoredValue("DVD", "Default"));
    EXPECT_EQ("VERTILE", StoredValue("Default", "1"));

    /* A mode whose name is missing or too long for a key name has no buttons: nothing is
       read or written, and no key is made for it; its name is left as it is. */
    DeleteRegValue(HKEY_CURRENT_USER, KeyPath("Mode").c_str(), "4");
    SetValue("Mode", "5", std::string(STORE_MODE_KEY_SIZE, 'N'));
    char szModeKey[STORE_MODE_KEY_SIZE] = "junk";
    ReadModeKey(3, szModeKey);
    EXPECT_STREQ("", szModeKey);
    EXPECT_EQ("", StoredValue("Mode", "4"));
    ReadModeKey(4, szModeKey);
    EXPECT_STREQ("", szModeKey);
    EXPECT_EQ(std::string(STORE_MODE_KEY_SIZE, 'N'), StoredValue("Mode", "5"));
    EXPECT_FALSE(WriteModeButton(3, 1, "TAB"));
    EXPECT_FALSE(ReadModeButton(4, 1, buffer, sizeof(buffer)));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ("<missing>", StoredValue("DVD", "1"));
    EXPECT_EQ("<missing>", StoredValue(std::string(STORE_MODE_KEY_SIZE, 'N'), "1"));
    ReadModeKey(STORE_MODES, szModeKey);
    EXPECT_STREQ("", szModeKey);
    EXPECT_EQ("<missing>", StoredValue("Mode", "6"));
}

/* Every command the engine runs may be as long as the editors let a command be, and no
   longer: a button's, a mode's own and a mode-independent one. */
TEST_F(Store, CommandsRunUpToTheLengthTheEditorsAllow)
{
    auto Padded = [](size_t cchCommand) {
        std::string str = "HOMEPOINTER,";
        return str + std::string(cchCommand - str.size(), ' ');
    };
    SetValue("Translation", "5", "82");
    SetValue("Translation", "10", "41");
    for (size_t cchCommand : { (size_t)RUNNABLE_COMMAND_LENGTH, (size_t)RUNNABLE_COMMAND_LENGTH + 1 }) {
        bool bRuns = cchCommand <= RUNNABLE_COMMAND_LENGTH;
        SetValue("PC", "3", Padded(cchCommand));
        char buffer[RUNNABLE_COMMAND_SIZE];
        EXPECT_EQ(bRuns ? 1 : 0, LookUpCode(0, 3, buffer, sizeof(buffer))) << cchCommand;

        SetValue("Phone", "Default", Padded(cchCommand));
        SetValue("Default", "0", Padded(cchCommand));
        for (BYTE bRaw : { 5, 10 }) {
            BYTE bMode = 0, bShift = 0;
            int iResult;
            POINT pt = CursorAfter(POINT{ 10, 10 }, bRaw, &bMode, &bShift, &iResult);
            EXPECT_EQ(0, iResult);
            EXPECT_EQ(bRuns ? GetSystemMetrics(SM_CXSCREEN) / 2 : 10, pt.x) << cchCommand << " raw " << (int)bRaw;
        }
        EXPECT_EQ(Padded(cchCommand), StoredValue("Phone", "Default")) << "kept as stored";
    }
}
