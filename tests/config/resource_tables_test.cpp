/*
 * Brenvik's data tables and string table as the built library holds them: layouts, counts
 * and terminators, the pairing of names with values by position, and the values checked
 * against the platform's own headers and keyboard layout wherever the platform knows them.
 */
#include <gtest/gtest.h>
#include <ctype.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>
#include "Brenvik.h"
#include "BrenvikRes.h"

namespace {

HMODULE Brenvik()
{
    static HMODULE hBrenvik = LoadLibraryA("Brenvik.dll");
    return hBrenvik;
}

/* The bytes of a table exactly as stored (no terminator added). */
std::string TableBytes(UINT uID)
{
    HRSRC hInfo = FindResourceA(Brenvik(), MAKEINTRESOURCEA(uID), RT_RCDATA);
    HGLOBAL hData = GetRCDataZendraRes(uID);
    if (hInfo == NULL || hData == NULL)
        return std::string();
    std::string strBytes((const char *)LockResource(hData), SizeofResource(Brenvik(), hInfo));
    FreeResource(hData);
    return strBytes;
}

/* Entries of a string list; fails the test unless the list ends with its empty entry at
   the very end of the table. */
std::vector<std::string> StringList(UINT uID)
{
    std::string strBytes = TableBytes(uID);
    std::vector<std::string> entries;
    size_t i = 0;
    while (i < strBytes.size() && strBytes[i] != '\0') {
        size_t iEnd = strBytes.find('\0', i);
        if (iEnd == std::string::npos)
            break;
        entries.push_back(strBytes.substr(i, iEnd - i));
        i = iEnd + 1;
    }
    EXPECT_EQ(strBytes.size(), i + 1) << "list " << uID << " must end with one empty entry";
    return entries;
}

/* A table of little-endian values of one size (words or 32-bit integers). */
template <typename T>
std::vector<T> Values(UINT uID)
{
    std::string strBytes = TableBytes(uID);
    EXPECT_EQ(0u, strBytes.size() % sizeof(T)) << uID;
    std::vector<T> values(strBytes.size() / sizeof(T));
    memcpy(values.data(), strBytes.data(), values.size() * sizeof(T));
    return values;
}

std::vector<WORD> Words(UINT uID) { return Values<WORD>(uID); }
std::vector<INT32> Integers(UINT uID) { return Values<INT32>(uID); }

/* Fixed records: each a character and 16-bit values, ended by a record starting with 0. */
struct tagKEYRECORD {
    BYTE bChar;
    WORD wModifier;   /* only in 5-byte records */
    WORD wVirtualKey;
};

std::vector<tagKEYRECORD> Records(UINT uID, size_t cbRecord)
{
    std::string strBytes = TableBytes(uID);
    std::vector<tagKEYRECORD> records;
    size_t i = 0;
    for (; i + cbRecord <= strBytes.size() && strBytes[i] != '\0'; i += cbRecord) {
        const BYTE *pb = (const BYTE *)strBytes.data() + i;
        tagKEYRECORD kr = {pb[0], 0, 0};
        if (cbRecord == 5)
            kr.wModifier = (WORD)(pb[1] | pb[2] << 8);
        kr.wVirtualKey = (WORD)(pb[cbRecord - 2] | pb[cbRecord - 1] << 8);
        records.push_back(kr);
    }
    EXPECT_EQ(strBytes.size(), i + cbRecord) << "table " << uID << " ends with one zero record";
    EXPECT_EQ(std::string(cbRecord, '\0'), strBytes.substr(i)) << uID;
    return records;
}

/* The platform's US layout: virtual key and whether Shift is needed for a character. */
WORD KeyOf(char c)
{
    return LOBYTE(VkKeyScanA(c));
}

bool NeedsShift(char c)
{
    return (HIBYTE(VkKeyScanA(c)) & 1) != 0;
}

std::string LoadString(UINT uID)
{
    char szText[256] = "";
    GetStringRes(uID, szText, sizeof(szText));
    return szText;
}

class ResourceTables : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, Brenvik()); }
};

TEST_F(ResourceTables, StringListsHaveTheirCountsAndNoEmptyEntry)
{
    const struct { UINT uID; size_t cEntries; } lists[] = {
        {IDR_MESSAGE_NAMES, 116}, {IDR_HOUSE_CODES, 16}, {IDR_UNIT_CODES, 16},
        {IDR_MEDIA_TEMPLATES, 12}, {IDR_EDIT_TEMPLATES, 24}, {IDR_LAUNCH_TEMPLATES, 2},
        {IDR_WEB_TEMPLATES, 1}, {IDR_SYSTEM_TEMPLATES, 29}, {IDR_MESSAGE_TEMPLATES, 1},
        {IDR_ZENDRA_TEMPLATES, 1}, {IDR_HOTKEY_NAMES, 75}, {IDR_ZENDRA_FUNCTIONS, 10},
        {IDR_ON_OFF, 2}, {IDR_MEDIA_NAMES, 12}, {IDR_EDIT_NAMES, 24}, {IDR_SYSTEM_NAMES, 29},
    };
    for (const auto &list : lists) {
        std::vector<std::string> entries = StringList(list.uID);
        EXPECT_EQ(list.cEntries, entries.size()) << "list " << list.uID;
        EXPECT_LT(entries.size(), 256u) << "positions are 8-bit";
    }
}

TEST_F(ResourceTables, ArraysHaveTheirLengthsAndTerminators)
{
    EXPECT_EQ(116u, Words(IDR_MESSAGE_VALUES).size());
    EXPECT_EQ(75u, Words(IDR_HOTKEY_CODES).size());
    std::vector<WORD> keyVirtualKeys = Words(IDR_KEY_VKEYS);
    ASSERT_EQ(60u, keyVirtualKeys.size());
    EXPECT_EQ(255, keyVirtualKeys.back());
    for (size_t i = 0; i + 1 < keyVirtualKeys.size(); ++i)
        EXPECT_NE(255, keyVirtualKeys[i]) << "early terminator at key " << i;

    std::vector<INT32> rects = Integers(IDR_KEY_RECTS);
    ASSERT_EQ(60u * 4, rects.size());
    EXPECT_EQ(std::vector<INT32>(4, 0), std::vector<INT32>(rects.end() - 4, rects.end()));
    EXPECT_EQ(12u, Integers(IDR_KEY_INDEX).size());
    EXPECT_EQ(std::vector<INT32>{0}, Integers(IDR_KEY_LAYOUT));
}

TEST_F(ResourceTables, SingleStringsAreOneTerminatedStringEach)
{
    EXPECT_EQ(std::string("QWERTYUIOPASDFGHJKLZXCVBNM", 27), TableBytes(IDR_KEY_LETTERS));
    EXPECT_EQ(std::string(1, '\0'), TableBytes(IDR_KEY_ALTGR));
    std::string strSymbols = TableBytes(IDR_KEY_SYMBOLS);
    ASSERT_EQ(43u, strSymbols.size());
    EXPECT_EQ('\0', strSymbols.back());
    std::string strSpecial = TableBytes(IDR_SPECIAL_KEY_CHARS);
    ASSERT_EQ(13u, strSpecial.size());
    EXPECT_EQ("`-=\\[];',./\xB6", strSpecial.substr(0, 12));

    LPSTR lpszLetters = LoadRCDataStringZendraRes(IDR_KEY_LETTERS);
    ASSERT_NE(nullptr, lpszLetters);
    EXPECT_EQ(27u, LocalSize(lpszLetters));
    LocalFree(lpszLetters);
}

/* Message names and numbers pair by position; the numbers are the platform's. */
TEST_F(ResourceTables, MessageNamesPairWithTheirWin32Numbers)
{
#define HEADER_NAME(name) {#name, name}
    const struct { const char *pszName; UINT uMessage; } known[] = {
        HEADER_NAME(WM_ACTIVATE), HEADER_NAME(WM_ACTIVATEAPP), HEADER_NAME(WM_ASKCBFORMATNAME),
        HEADER_NAME(WM_CANCELMODE), HEADER_NAME(WM_CHANGECBCHAIN), HEADER_NAME(WM_CHAR),
        HEADER_NAME(WM_CHARTOITEM), HEADER_NAME(WM_CHILDACTIVATE), HEADER_NAME(WM_CLEAR),
        HEADER_NAME(WM_CLOSE), HEADER_NAME(WM_COMMAND), HEADER_NAME(WM_COMMNOTIFY),
        HEADER_NAME(WM_COPY), HEADER_NAME(WM_CREATE), HEADER_NAME(WM_CUT),
        HEADER_NAME(WM_DESTROY), HEADER_NAME(WM_DESTROYCLIPBOARD), HEADER_NAME(WM_DRAWCLIPBOARD),
        HEADER_NAME(WM_DRAWITEM), HEADER_NAME(WM_ENABLE), HEADER_NAME(WM_ENDSESSION),
        HEADER_NAME(WM_ENTERIDLE), HEADER_NAME(WM_ERASEBKGND), HEADER_NAME(WM_FONTCHANGE),
        HEADER_NAME(WM_GETDLGCODE), HEADER_NAME(WM_GETFONT), HEADER_NAME(WM_GETMINMAXINFO),
        HEADER_NAME(WM_GETTEXT), HEADER_NAME(WM_GETTEXTLENGTH), HEADER_NAME(WM_HSCROLL),
        HEADER_NAME(WM_HSCROLLCLIPBOARD), HEADER_NAME(WM_ICONERASEBKGND), HEADER_NAME(WM_INITDIALOG),
        HEADER_NAME(WM_INITMENU), HEADER_NAME(WM_INITMENUPOPUP), HEADER_NAME(WM_KEYDOWN),
        HEADER_NAME(WM_KEYUP), HEADER_NAME(WM_KILLFOCUS), HEADER_NAME(WM_LBUTTONDBLCLK),
        HEADER_NAME(WM_LBUTTONDOWN), HEADER_NAME(WM_LBUTTONUP), HEADER_NAME(WM_MBUTTONDBLCLK),
        HEADER_NAME(WM_MBUTTONDOWN), HEADER_NAME(WM_MBUTTONUP), HEADER_NAME(WM_MEASUREITEM),
        HEADER_NAME(WM_MENUCHAR), HEADER_NAME(WM_MENUSELECT), HEADER_NAME(WM_MOUSEACTIVATE),
        HEADER_NAME(WM_MOUSEMOVE), HEADER_NAME(WM_MOVE), HEADER_NAME(WM_NCCREATE),
        HEADER_NAME(WM_NCDESTROY), HEADER_NAME(WM_NCHITTEST), HEADER_NAME(WM_NCLBUTTONDBLCLK),
        HEADER_NAME(WM_NCLBUTTONDOWN), HEADER_NAME(WM_NCLBUTTONUP), HEADER_NAME(WM_NCMBUTTONDBLCLK),
        HEADER_NAME(WM_NCMBUTTONDOWN), HEADER_NAME(WM_NCMBUTTONUP), HEADER_NAME(WM_NCMOUSEMOVE),
        HEADER_NAME(WM_NCPAINT), HEADER_NAME(WM_NCRBUTTONDBLCLK), HEADER_NAME(WM_NCRBUTTONDOWN),
        HEADER_NAME(WM_NCRBUTTONUP), HEADER_NAME(WM_NEXTDLGCTL), HEADER_NAME(WM_PAINT),
        HEADER_NAME(WM_PAINTCLIPBOARD), HEADER_NAME(WM_PALETTECHANGED), HEADER_NAME(WM_PARENTNOTIFY),
        HEADER_NAME(WM_PASTE), HEADER_NAME(WM_POWER), HEADER_NAME(WM_QUERYENDSESSION),
        HEADER_NAME(WM_QUERYNEWPALETTE), HEADER_NAME(WM_QUERYOPEN), HEADER_NAME(WM_QUEUESYNC),
        HEADER_NAME(WM_QUIT), HEADER_NAME(WM_RBUTTONDBLCLK), HEADER_NAME(WM_RBUTTONDOWN),
        HEADER_NAME(WM_RBUTTONUP), HEADER_NAME(WM_RENDERALLFORMATS), HEADER_NAME(WM_RENDERFORMAT),
        HEADER_NAME(WM_SETCURSOR), HEADER_NAME(WM_SETFOCUS), HEADER_NAME(WM_SETFONT),
        HEADER_NAME(WM_SETREDRAW), HEADER_NAME(WM_SETTEXT), HEADER_NAME(WM_SHOWWINDOW),
        HEADER_NAME(WM_SIZE), HEADER_NAME(WM_SIZECLIPBOARD), HEADER_NAME(WM_SPOOLERSTATUS),
        HEADER_NAME(WM_SYSCHAR), HEADER_NAME(WM_SYSCOLORCHANGE), HEADER_NAME(WM_SYSCOMMAND),
        HEADER_NAME(WM_SYSDEADCHAR), HEADER_NAME(WM_SYSKEYDOWN), HEADER_NAME(WM_SYSKEYUP),
        HEADER_NAME(WM_TIMECHANGE), HEADER_NAME(WM_TIMER), HEADER_NAME(WM_UNDO), HEADER_NAME(WM_USER),
        HEADER_NAME(WM_VKEYTOITEM), HEADER_NAME(WM_VSCROLL), HEADER_NAME(WM_VSCROLLCLIPBOARD),
        HEADER_NAME(WM_WINDOWPOSCHANGED), HEADER_NAME(WM_WINDOWPOSCHANGING),
        HEADER_NAME(WM_WININICHANGE),
        /* Display names spelt differently from the headers, and Windows 3.x messages. */
        {"WM_COMPACTIMG", WM_COMPACTING}, {"WM_COMPAREITM", WM_COMPAREITEM},
        {"WM_DROPFILE", WM_DROPFILES}, {"WM_NACTIVATE", WM_NCACTIVATE},
        {"WM_NCCALSIZE", WM_NCCALCSIZE}, {"WM_PALLETEISCHANGING", WM_PALETTEISCHANGING},
        {"WM_QUERTDRAGICON", WM_QUERYDRAGICON}, {"WM_DEADKEY", WM_DEADCHAR},
        {"WM_CTLCOLOR", 0x0019}, {"WM_SYSTEMERROR", 0x0017},
    };
#undef HEADER_NAME
    std::vector<std::string> names = StringList(IDR_MESSAGE_NAMES);
    std::vector<WORD> numbers = Words(IDR_MESSAGE_VALUES);
    ASSERT_EQ(names.size(), numbers.size());
    ASSERT_EQ(names.size(), sizeof(known) / sizeof(known[0]));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    for (const auto &message : known) {
        auto it = std::find(names.begin(), names.end(), message.pszName);
        ASSERT_NE(names.end(), it) << message.pszName;
        EXPECT_EQ(message.uMessage, numbers[it - names.begin()]) << message.pszName;
    }
}

/* Key names pair with key codes; codes that are not virtual keys resolve through the
   key-code table to the virtual key their name says. */
TEST_F(ResourceTables, HotKeyNamesResolveToTheirVirtualKeys)
{
    std::vector<std::string> names = StringList(IDR_HOTKEY_NAMES);
    std::vector<WORD> codes = Words(IDR_HOTKEY_CODES);
    std::vector<tagKEYRECORD> table = Records(IDR_KEYCODE_VKEYS, 3);
    ASSERT_EQ(names.size(), codes.size());
    auto Resolve = [&](WORD wCode) -> int {
        for (const tagKEYRECORD &kr : table)
            if (kr.bChar == wCode)
                return kr.wVirtualKey;
        return -1;
    };
    const struct { const char *pszName; int iVirtualKey; } named[] = {
        {"<Space Bar>", VK_SPACE}, {"<Tab>", VK_TAB}, {"<Esc>", VK_ESCAPE},
        {"<Insert>", VK_INSERT}, {"<Home>", VK_HOME}, {"<Page Up>", VK_PRIOR},
        {"<Page Down>", VK_NEXT}, {"<Delete>", VK_DELETE}, {"<End>", VK_END},
        {"<Up Arrow>", VK_UP}, {"<Left Arrow>", VK_LEFT}, {"<Down Arrow>", VK_DOWN},
        {"<Right Arrow>", VK_RIGHT}, {"<Enter>", VK_RETURN}, {"<Back Space>", VK_BACK},
        {" +", VK_ADD}, {" *", VK_MULTIPLY},
    };
    size_t cNamed = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string &name = names[i];
        SCOPED_TRACE(name);
        if (i == 0) {
            EXPECT_EQ(" ---", name);
            EXPECT_EQ(0, codes[i]);
        } else if (name.size() == 2 && name[0] == ' ' && isalnum((unsigned char)name[1])) {
            EXPECT_EQ((WORD)name[1], codes[i]);
        } else if (name.size() == 2 && name[0] == ' ' && name != " +" && name != " *") {
            EXPECT_EQ(KeyOf(name[1]), codes[i]) << "punctuation carries its virtual key";
        } else if (name.size() >= 4 && name[1] == 'F' && isdigit((unsigned char)name[2])) {
            EXPECT_EQ(VK_F1 + atoi(name.c_str() + 2) - 1, Resolve(codes[i]));
        } else {
            bool bFound = false;
            for (const auto &key : named)
                if (name == key.pszName) {
                    EXPECT_EQ(key.iVirtualKey, Resolve(codes[i]));
                    bFound = true;
                    ++cNamed;
                }
            EXPECT_TRUE(bFound) << "unexpected key name";
        }
    }
    EXPECT_EQ(sizeof(named) / sizeof(named[0]), cNamed);
    EXPECT_EQ(0x76, codes[std::find(names.begin(), names.end(), " +") - names.begin()]);
}

TEST_F(ResourceTables, KeyCodeTableListsLettersThenPunctuationThenTheNumericPad)
{
    std::vector<tagKEYRECORD> table = Records(IDR_KEYCODE_VKEYS, 3);
    ASSERT_EQ(38u, table.size());
    std::string strOrder;
    for (const tagKEYRECORD &kr : table)
        strOrder += (char)kr.bChar;
    EXPECT_EQ("abcdefghijklmnopqrstuwxyz`-=\\[];',./v\xB6", strOrder);
    for (const tagKEYRECORD &kr : table) {
        if (ispunct(kr.bChar) && kr.bChar < 0x80) {
            EXPECT_EQ(KeyOf((char)kr.bChar), kr.wVirtualKey) << kr.bChar;
        }
    }
    /* Every character that names a special key can be resolved. */
    for (char c : TableBytes(IDR_SPECIAL_KEY_CHARS).substr(0, 12))
        EXPECT_NE(std::string::npos, strOrder.find(c)) << c;
}

/* Characters to key strokes: the unshifted characters agree with the platform's US
   layout; each is followed by its shifted form on the same key, the same pair that the
   keyboard's symbol labels show. (The platform's layout under a virtual X server does not
   place every shifted character, so those are checked through their partners.) */
TEST_F(ResourceTables, CharacterRecordsMatchTheKeyboardLayout)
{
    std::vector<tagKEYRECORD> records = Records(IDR_CHAR_KEYS, 5);
    std::string strSymbols = TableBytes(IDR_KEY_SYMBOLS).c_str();
    ASSERT_EQ(44u, records.size());
    ASSERT_EQ(42u, strSymbols.size());
    for (size_t i = 0; i < 42; i += 2) {
        const tagKEYRECORD &krPlain = records[i], &krShifted = records[i + 1];
        SCOPED_TRACE(std::string(1, (char)krPlain.bChar) + (char)krShifted.bChar);
        EXPECT_EQ(KeyOf((char)krPlain.bChar), krPlain.wVirtualKey);
        EXPECT_FALSE(NeedsShift((char)krPlain.bChar));
        EXPECT_EQ(0, krPlain.wModifier);
        EXPECT_EQ(krPlain.wVirtualKey, krShifted.wVirtualKey);
        EXPECT_EQ(VK_SHIFT, krShifted.wModifier);
        size_t iLabel = strSymbols.find((char)krPlain.bChar);
        ASSERT_LT(iLabel, 21u);
        EXPECT_EQ(strSymbols[iLabel + 21], (char)krShifted.bChar);
    }
    EXPECT_EQ('1', records[0].bChar);
    EXPECT_EQ('~', records[41].bChar);
    for (size_t i = 42; i < 44; ++i) {
        EXPECT_EQ(KeyOf((char)records[i].bChar), records[i].wVirtualKey);
        EXPECT_EQ(0, records[i].wModifier);
    }
    EXPECT_EQ(' ', records[42].bChar);
    EXPECT_EQ('\t', records[43].bChar);
}

TEST_F(ResourceTables, CommandTemplatesPairWithTheirNames)
{
    const struct { UINT uTemplates, uNames; } pairs[] = {
        {IDR_MEDIA_TEMPLATES, IDR_MEDIA_NAMES}, {IDR_EDIT_TEMPLATES, IDR_EDIT_NAMES},
        {IDR_SYSTEM_TEMPLATES, IDR_SYSTEM_NAMES},
    };
    for (const auto &pair : pairs)
        EXPECT_EQ(StringList(pair.uTemplates).size(), StringList(pair.uNames).size());

    /* A template is keywords, optionally followed by one quoted placeholder. */
    for (UINT uID : {IDR_MEDIA_TEMPLATES, IDR_EDIT_TEMPLATES, IDR_LAUNCH_TEMPLATES,
                     IDR_WEB_TEMPLATES, IDR_SYSTEM_TEMPLATES, IDR_MESSAGE_TEMPLATES,
                     IDR_ZENDRA_TEMPLATES})
        for (const std::string &strTemplate : StringList(uID)) {
            size_t iArg = strTemplate.find('"');
            std::string strKeywords = strTemplate.substr(0, iArg);
            EXPECT_EQ(std::string::npos, strKeywords.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ,"))
                << strTemplate;
            if (iArg != std::string::npos) {
                EXPECT_EQ("\"%s\"", strTemplate.substr(iArg)) << strTemplate;
            }
        }

    auto TemplateOf = [](UINT uNames, UINT uTemplates, const char *pszName) {
        std::vector<std::string> names = StringList(uNames), templates = StringList(uTemplates);
        size_t i = std::find(names.begin(), names.end(), pszName) - names.begin();
        return i < templates.size() ? templates[i] : std::string("(missing)");
    };
    EXPECT_EQ("MCIPLAY\"%s\"", TemplateOf(IDR_MEDIA_NAMES, IDR_MEDIA_TEMPLATES, "Play"));
    EXPECT_EQ("MCITRACK\"%s\"", TemplateOf(IDR_MEDIA_NAMES, IDR_MEDIA_TEMPLATES, "Change Track"));
    EXPECT_EQ("MIXERMUTE", TemplateOf(IDR_MEDIA_NAMES, IDR_MEDIA_TEMPLATES, "Master Mute"));
    EXPECT_EQ("SELECT,END,PASTE\"%s\"", TemplateOf(IDR_EDIT_NAMES, IDR_EDIT_TEMPLATES, "Paste"));
    EXPECT_EQ("FTWELVE,TYPE", TemplateOf(IDR_EDIT_NAMES, IDR_EDIT_TEMPLATES, "F12"));
    EXPECT_EQ("NEXTTASK", TemplateOf(IDR_SYSTEM_NAMES, IDR_SYSTEM_TEMPLATES, "Task Manager"));
    EXPECT_EQ("ICONIZEALL", TemplateOf(IDR_SYSTEM_NAMES, IDR_SYSTEM_TEMPLATES, "Minimize All Windows"));
    EXPECT_EQ("RNUDGE", TemplateOf(IDR_SYSTEM_NAMES, IDR_SYSTEM_TEMPLATES, "Nudge Cursor Left"));
    EXPECT_EQ("HOTKEY\"%s\"", TemplateOf(IDR_SYSTEM_NAMES, IDR_SYSTEM_TEMPLATES, "Hot Key"));
    EXPECT_EQ((std::vector<std::string>{"LAUNCH\"%s\"", "LAUNCHSIZE\"%s\""}),
              StringList(IDR_LAUNCH_TEMPLATES));
    /* The system-function names that open dialogs of their own are in the string table. */
    EXPECT_EQ("Hot Key", StringList(IDR_SYSTEM_NAMES).back());
    EXPECT_EQ(LoadString(IDS_HOTKEY), StringList(IDR_SYSTEM_NAMES).back());
}

TEST_F(ResourceTables, HomeAutomationListsCoverTheAddresses)
{
    std::vector<std::string> houses = StringList(IDR_HOUSE_CODES), units = StringList(IDR_UNIT_CODES);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(std::string(1, (char)('A' + i)), houses[i]);
        EXPECT_EQ(std::to_string(i + 1), units[i]);
    }
    std::vector<std::string> functions = StringList(IDR_ZENDRA_FUNCTIONS);
    EXPECT_EQ(LoadString(IDS_EXTENDED_CODE), functions[8]);
    EXPECT_EQ(LoadString(IDS_DIM), functions[2]);
    EXPECT_EQ((std::vector<std::string>{LoadString(IDS_ON), LoadString(IDS_OFF)}), StringList(IDR_ON_OFF));
}

/* The on-screen keyboard: rectangles, labels and virtual keys agree key by key. */
TEST_F(ResourceTables, KeyboardLayoutIsConsistent)
{
    std::vector<INT32> r = Integers(IDR_KEY_RECTS);
    std::vector<WORD> vk = Words(IDR_KEY_VKEYS);
    std::vector<INT32> index = Integers(IDR_KEY_INDEX);
    std::string strLetters = TableBytes(IDR_KEY_LETTERS).c_str();
    std::string strSymbols = TableBytes(IDR_KEY_SYMBOLS).c_str();
    ASSERT_EQ(240u, r.size());
    ASSERT_EQ(12u, index.size());
    const int cKeys = 59;
    auto Key = [&](int i) { RECT rc = {r[4 * i], r[4 * i + 1], r[4 * i + 2], r[4 * i + 3]}; return rc; };

    for (int i = 0; i < cKeys; ++i) {
        RECT rc = Key(i);
        EXPECT_LT(rc.left, rc.right) << "key " << i;
        EXPECT_LT(rc.top, rc.bottom) << "key " << i;
        for (int j = 0; j < i; ++j) {
            RECT rcOther = Key(j), rcBoth;
            EXPECT_FALSE(IntersectRect(&rcBoth, &rc, &rcOther)) << "keys " << j << " and " << i;
        }
    }
    EXPECT_EQ((int)strLetters.size(), index[1]);
    EXPECT_EQ((int)strSymbols.size(), 2 * index[0]);
    for (int i = 0; i < index[1]; ++i)
        EXPECT_EQ((WORD)strLetters[i], vk[i]) << "letter key " << i;
    for (int i = 0; i < index[0]; ++i)
        EXPECT_EQ(KeyOf(strSymbols[i]), vk[index[1] + i]) << strSymbols[i];
    const struct { int iKey; WORD wVirtualKey; } words[] = {
        {index[2], VK_BACK}, {index[4], VK_TAB}, {index[5], VK_RETURN}, {index[6], VK_RETURN},
        {index[7], VK_CAPITAL}, {index[8], VK_SHIFT}, {index[8] + 1, VK_SHIFT},
        {index[9], VK_CONTROL}, {index[9] + 1, VK_CONTROL}, {index[10], VK_MENU},
        {index[10] + 1, VK_MENU}, {index[11], VK_SPACE},
    };
    for (const auto &word : words)
        EXPECT_EQ(word.wVirtualKey, vk[word.iKey]) << "key " << word.iKey;
    EXPECT_EQ(cKeys - 1, index[11]);

    /* The L-shaped Enter key, the two Shift keys and the space bar. */
    RECT rcEnterUpper = Key(49), rcEnterLower = Key(50);
    EXPECT_EQ(rcEnterUpper.bottom, rcEnterLower.top);
    RECT rcExpected[] = {{399, 96, 435, 122}, {375, 122, 435, 143}, {18, 148, 80, 169},
                         {373, 148, 436, 169}, {131, 173, 321, 194}};
    int iKeys[] = {49, 50, 52, 53, 58};
    for (int i = 0; i < 5; ++i) {
        RECT rc = Key(iKeys[i]);
        EXPECT_TRUE(EqualRect(&rc, &rcExpected[i])) << "key " << iKeys[i];
    }
}

/* Strings: every identifier of the catalogue exists; the tips follow their formula. */
TEST_F(ResourceTables, StringTableHoldsEveryIdentifier)
{
    const UINT uIDs[] = {IDS_CLOSE, IDS_HELP, IDS_CONFIGURE, IDS_APPLET_NAME, IDS_APPLET_INFO,
                         IDS_HELP_FILE, IDS_SIZE_POSITION, IDS_DOVREL_TM_KEY, IDS_DOVREL_II_KEY,
                         IDS_HOME_DIRECTOR_KEY, IDS_BUTTON_BMP, IDS_SREMOTE_BMP, IDS_REMOTE_BMP};
    for (UINT uID : uIDs)
        EXPECT_NE("", LoadString(uID)) << uID;
    for (UINT uID = IDS_EXTENDED_CODE; uID <= IDS_NOT_ASSIGNED; ++uID)
        EXPECT_NE("", LoadString(uID)) << uID;
    for (UINT uID = IDS_HOTKEY; uID <= IDS_KEY_ALTGR; ++uID)
        EXPECT_NE("", LoadString(uID)) << uID;
    EXPECT_EQ("", LoadString(IDS_SIZE_POSITION - 1));   /* 327 is a dialog, not a string */

    const char *pszModes[] = {"PC", "WEB", "Phone", "DVD", "CD"};
    for (int iMode = 0; iMode < 5; ++iMode)
        for (int iShift = 0; iShift < 2; ++iShift) {
            std::string strTip = std::string(pszModes[iMode]) + " Mode Selected" +
                                 (iShift ? " (shift)" : "");
            EXPECT_EQ(strTip, LoadString(IDS_TIP_FIRST + 2 * iMode + iShift));
        }

    EXPECT_EQ(7u, LoadString(IDS_EDITOR_LETTERS).size());
    EXPECT_EQ("Software\\Zendra\\Dovrel(TM)", LoadString(IDS_DOVREL_TM_KEY));
    EXPECT_EQ("Software\\IBM\\IBM Home Director", LoadString(IDS_HOME_DIRECTOR_KEY));
    for (UINT uID = IDS_KEY_ENTER; uID <= IDS_KEY_ALTGR; ++uID)
        EXPECT_LT(LoadString(uID).size(), 9u) << "word-key labels are read into 9 characters";
    EXPECT_EQ("The shift button is used to toggle between the two set of buttons in each function mode",
              LoadString(IDS_SHIFT_BUTTON_INFO));
    EXPECT_EQ("Address(URL):", LoadString(IDS_ADDRESS_URL));
}

}  // namespace
