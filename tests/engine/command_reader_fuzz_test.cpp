/*
 * Randomised test of the command-string reader: many generated and mutated command
 * strings go through the splitter alone (no action runs). Each string is placed so that
 * its terminator is the last byte before an inaccessible page, so a read past the end
 * faults; the items must match a straightforward model of the grammar.
 */
#include <gtest/gtest.h>
#include <string.h>
#include <random>
#include <string>
#include <vector>
#include "Corvalin_internal.h"

namespace {

const int iGeneratedCases = 150000;
const int iMutatedCases = 150000;
const size_t cbArena = 64 * 1024;

struct ModelItem {
    std::string strKeyword;
    std::string strArgument;
};

bool IsAsciiAlnum(unsigned char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9');
}

/* The grammar read straight from its description, one character at a time. */
std::vector<ModelItem> ModelSplit(const std::string &strCommand)
{
    std::vector<ModelItem> items;
    size_t i = 0, n = strCommand.size();
    for (;;) {
        ModelItem item;
        for (; i < n && IsAsciiAlnum(strCommand[i]); i++)
            item.strKeyword += (char)toupper((unsigned char)strCommand[i]);
        if (i < n && strCommand[i] == '"') {
            for (i++; i < n; i++) {
                if (strCommand[i] == '"') {
                    if (i + 1 < n && strCommand[i + 1] == '"') {
                        item.strArgument += "\"\"";
                        i++;
                        continue;
                    }
                    i++;
                    break;
                }
                item.strArgument += strCommand[i];
            }
        }
        while (i < n && strCommand[i] != ',')
            i++;
        items.push_back(item);
        if (i >= n)
            return items;
        i++;
    }
}

/* A buffer whose end touches a page that may not be read. */
struct GuardedArena {
    char *pBase = nullptr;
    GuardedArena()
    {
        SYSTEM_INFO si;
        GetSystemInfo(&si);
        pBase = (char *)VirtualAlloc(NULL, cbArena + si.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        DWORD dwOld;
        VirtualProtect(pBase + cbArena, si.dwPageSize, PAGE_NOACCESS, &dwOld);
    }
    ~GuardedArena() { VirtualFree(pBase, 0, MEM_RELEASE); }
    /* Copies the string so that its terminator is the arena's last byte. */
    char *Place(const std::string &str)
    {
        char *p = pBase + cbArena - str.size() - 1;
        memcpy(p, str.c_str(), str.size() + 1);
        return p;
    }
};

/* Splits one string in the arena and compares with the model; false on a mismatch. */
bool CheckOne(GuardedArena &arena, const std::string &strCommand, std::string *pstrWhy)
{
    char *pStart = arena.Place(strCommand);
    char *pEnd = pStart + strCommand.size();
    std::vector<ModelItem> expected = ModelSplit(strCommand);

    LPSTR lpszPosition = pStart;
    tagCOMMANDITEM ci;
    size_t iItem = 0;
    while (NextCommandItem(&lpszPosition, &ci)) {
        if (iItem >= expected.size()) {
            *pstrWhy = "more items than the model";
            return false;
        }
        if (ci.lpszArgument < pStart || ci.lpszArgument > pEnd || strlen(ci.lpszArgument) > (size_t)(pEnd - ci.lpszArgument)) {
            *pstrWhy = "argument outside the string";
            return false;
        }
        UINT uiExpected = (UINT)GetFunction(expected[iItem].strKeyword.c_str());
        if (ci.uiFunction != uiExpected || expected[iItem].strArgument != ci.lpszArgument) {
            *pstrWhy = "item " + std::to_string(iItem) + " differs: function " + std::to_string(ci.uiFunction) +
                       " argument \"" + ci.lpszArgument + "\"";
            return false;
        }
        if (lpszPosition != NULL && (lpszPosition <= pStart || lpszPosition > pEnd)) {
            *pstrWhy = "position outside the string";
            return false;
        }
        iItem++;
    }
    if (iItem != expected.size()) {
        *pstrWhy = "fewer items than the model";
        return false;
    }
    return true;
}

std::string Printable(const std::string &str)
{
    std::string strOut;
    char sz[8];
    for (unsigned char ch : str) {
        if (ch >= 0x20 && ch < 0x7F && ch != '\\') {
            strOut += (char)ch;
        } else {
            snprintf(sz, sizeof(sz), "\\x%02x", ch);
            strOut += sz;
        }
    }
    return strOut;
}

/* Pieces the generator strings together from: keywords, quotes, separators, noise. */
std::string RandomPiece(std::mt19937 &rng)
{
    static const char *const pszNoise[] = {
        ",", ",", ",", "\"", "\"", "\"\"", " ", "\t", "\x7f", "\x83", "\xff", "\x80", "\x01",
        "\r\n", "a,b", "%s", "\"\"\"", ",,", "0", "9", "z", "Z", "_", "-", "\xe9\xe8",
    };
    std::uniform_int_distribution<int> kind(0, 9);
    switch (kind(rng)) {
    case 0:
    case 1:
    case 2:
    case 3: {
        std::string strKeyword = pszFunctions[std::uniform_int_distribution<int>(0, 128)(rng)];
        if (kind(rng) < 3)
            for (char &ch : strKeyword)
                if (kind(rng) < 5)
                    ch = (char)tolower((unsigned char)ch);
        return strKeyword;
    }
    case 4: {
        std::string strText;
        int iLength = std::uniform_int_distribution<int>(0, 12)(rng);
        for (int i = 0; i < iLength; i++)
            strText += (char)std::uniform_int_distribution<int>(1, 255)(rng);
        return strText;
    }
    case 5:
        return std::string(std::uniform_int_distribution<int>(1, 300)(rng), "\",aA \x83"[kind(rng) % 6]);
    default:
        return pszNoise[std::uniform_int_distribution<int>(0, sizeof(pszNoise) / sizeof(pszNoise[0]) - 1)(rng)];
    }
}

std::string Generate(std::mt19937 &rng)
{
    std::string str;
    int iPieces = std::uniform_int_distribution<int>(0, 16)(rng);
    for (int i = 0; i < iPieces && str.size() < cbArena / 2; i++)
        str += RandomPiece(rng);
    return str;
}

/* Flips, inserts, deletes or repeats bytes of a well-formed command. */
std::string Mutate(std::mt19937 &rng, std::string str)
{
    int iEdits = std::uniform_int_distribution<int>(1, 6)(rng);
    for (int i = 0; i < iEdits; i++) {
        size_t iAt = str.empty() ? 0 : std::uniform_int_distribution<size_t>(0, str.size() - 1)(rng);
        char chRandom = (char)std::uniform_int_distribution<int>(1, 255)(rng);
        switch (std::uniform_int_distribution<int>(0, 4)(rng)) {
        case 0: if (!str.empty()) str[iAt] = chRandom; break;
        case 1: str.insert(str.begin() + iAt, chRandom); break;
        case 2: if (!str.empty()) str.erase(iAt, 1); break;
        case 3: str.insert(iAt, str.substr(iAt, std::uniform_int_distribution<size_t>(1, 8)(rng))); break;
        case 4: str.insert(iAt, 1, "\",\x7f\x83"[chRandom & 3]); break;
        }
    }
    return str;
}

const char *const pszSeeds[] = {
    "PAGEUP,TYPE",
    "WRITE\"say \"\"hi\"\"\"",
    "SELECT,END,PASTE\"one, two \"\"three\"\"\"",
    "LAUNCH\"C:\\Program Files\\App\\app.exe\x7f/open x.txt\"",
    "LAUNCHSIZE\"C:\\app.exe\x7f-a\x83" "10,20,300,400\"",
    "MCITRACK\"cdaudio\x83" "12\"",
    "HOTKEY\"A--sM\"",
    "MESSAGE\"[0111:0000E100:00000000][0112:0000F060:00000000]\"",
    "ZENDRA\"A1 ON\"",
    "WEBADDRESS\"http://example.com/?a=1,b=\"\"2\"\"\"",
    "SELECT,MAXIMIZE",
    "ENTER ,TAB,,ESCAPE",
};

} // namespace

TEST(CommandReaderFuzz, GeneratedStringsMatchTheGrammar)
{
    GuardedArena arena;
    std::mt19937 rng(20261208);
    for (int i = 0; i < iGeneratedCases; i++) {
        std::string strCommand = Generate(rng), strWhy;
        ASSERT_TRUE(CheckOne(arena, strCommand, &strWhy)) << "case " << i << ": " << strWhy << "\n"
                                                          << Printable(strCommand);
    }
}

TEST(CommandReaderFuzz, MutatedCommandsMatchTheGrammar)
{
    GuardedArena arena;
    std::mt19937 rng(8122026);
    const int iSeeds = sizeof(pszSeeds) / sizeof(pszSeeds[0]);
    for (int i = 0; i < iMutatedCases; i++) {
        std::string strCommand = Mutate(rng, pszSeeds[i % iSeeds]), strWhy;
        ASSERT_TRUE(CheckOne(arena, strCommand, &strWhy)) << "case " << i << ": " << strWhy << "\n"
                                                          << Printable(strCommand);
    }
}

TEST(CommandReaderFuzz, VeryLongStrings)
{
    GuardedArena arena;
    std::string strWhy;
    const std::string strLong[] = {
        std::string(cbArena - 1, ','),
        std::string(cbArena - 1, '"'),
        "WRITE\"" + std::string(cbArena - 7, 'x'),
        std::string(cbArena - 1, 'A'),
        "WRITE" + std::string(cbArena - 6, '"'),
    };
    for (const std::string &str : strLong)
        EXPECT_TRUE(CheckOne(arena, str, &strWhy)) << strWhy << " (" << str.size() << " bytes starting "
                                                   << Printable(str.substr(0, 8)) << ")";
}
