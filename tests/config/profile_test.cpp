/*
 * profile_test.cpp - assignment profiles against the registry under Wine: a save, a wiped
 * configuration and a load give back every value byte for byte; a damaged file is refused
 * with a message that names its line, and nothing changes; a load asks first, and No keeps
 * everything as it was; a loaded profile leaves its keys holding exactly its values; a save
 * that fails leaves the profile it was to replace as it was.
 */
#include <gtest/gtest.h>
#include <stdio.h>
#include <algorithm>
#include <map>
#include <string>
#include <thread>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "but32.h"
#include "profile32.h"
#include "profile32_format.h"
#include "autopairs_store.h"
#include "registry.h"
#include "testsupport.h"

namespace {

typedef RegistrySnapshot Snapshot;

/* Every value of the configuration's keys (not the per-machine settings). */
Snapshot TakeSnapshot()
{
    return SnapshotRegistry(ORVANE_ROOT_KEY, { "Mode", "Translation", "Default", "PC", "WEB", "Phone", "DVD", "CD" });
}

const char *const pszModes[] = { "PC", "WEB", "Phone", "DVD", "CD" };

/* A configured remote: every template family, commands no list knows, awkward bytes. */
void Configure()
{
    DeleteRegKey(HKEY_CURRENT_USER, ORVANE_ROOT_KEY);
    const std::string strCommands[] = {
        "LAUNCH\"C:\\Windows\\notepad.exe\x7F" "a \"\"b\"\"\x83" "1,2,300,200\"",
        "WEBADDRESS\"http://example.org/?a=1&b=\xE9\"", "MCITRACK\"cdaudio\x83" "4\"", "MIXERMUTE",
        "WRITE\"two\r\nlines \x7F\x83\"", "PAGEUP,TYPE", "HOTKEY\"A0C1\"",
        "MESSAGE\"[0111:0000009C:00000000]\"", "ZENDRA\"A1,A3 Dim To 40%\"",
        "FROBNICATE\"not ours\",LINEUP", "",
    };
    int iCommand = 0;
    for (int m = 0; m < 5; m++) {
        Write("Mode", std::to_string(m + 1).c_str(), pszModes[m]);
        for (int b = 0; b < 40; b++)
            Write(pszModes[m], std::to_string(b).c_str(), strCommands[iCommand++ % 11].c_str());
        Write(pszModes[m], "Default", "KEYBOARD");
    }
    Write("Default", "0", "NEXTTASK");
    Write("Default", "1", "");
    for (int iCode = 0; iCode < 64; iCode++)
        Write("Translation", std::to_string(iCode).c_str(), ("0x" + std::to_string(iCode % 40)).c_str());
    Write(ORVANE_SETTINGS, ORVANE_WORKING_DIRECTORY, "C:\\Orvane");
}

std::string ProfilePath(const char *pszName)
{
    return BinaryDir() + pszName;
}

void WriteFile(const std::string &strPath, const std::string &strText)
{
    FILE *pFile = fopen(strPath.c_str(), "wb");
    ASSERT_NE(nullptr, pFile);
    fwrite(strText.data(), 1, strText.size(), pFile);
    fclose(pFile);
}

/* The names of the files in a folder. */
std::vector<std::string> FilesIn(const std::string &strFolder)
{
    std::vector<std::string> vNames;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strFolder + "*").c_str(), &fd);
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = FindNextFileA(hFind, &fd))
        if (strcmp(fd.cFileName, ".") != 0 && strcmp(fd.cFileName, "..") != 0)
            vNames.push_back(fd.cFileName);
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
    return vNames;
}

/* A disk that fills up halfway through a write: while it lasts, every WriteFile of this
   program (the configuration's modules are linked in) puts down half of its bytes and then
   fails as a full disk does. */
class DiskFillsUp {
public:
    DiskFillsUp() : ppfnSlot(ImportSlot((void *)&::WriteFile))
    {
        pfnRealWrite = (WRITEFILEPROC)*ppfnSlot;
        Patch((void *)&HalfWrite);
    }
    ~DiskFillsUp() { Patch((void *)pfnRealWrite); }

private:
    typedef BOOL (WINAPI *WRITEFILEPROC)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    static WRITEFILEPROC pfnRealWrite;     /* the slot's own function, which the patch hides */

    static BOOL WINAPI HalfWrite(HANDLE hFile, LPCVOID pBuffer, DWORD cb, LPDWORD pcbDone, LPOVERLAPPED po)
    {
        pfnRealWrite(hFile, pBuffer, cb / 2, pcbDone, po);
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    /* The program's import address table slot that holds pfn. */
    static void **ImportSlot(void *pfn)
    {
        BYTE *pbImage = (BYTE *)GetModuleHandleA(NULL);
        const IMAGE_NT_HEADERS *pnt = (const IMAGE_NT_HEADERS *)(pbImage + ((IMAGE_DOS_HEADER *)pbImage)->e_lfanew);
        const IMAGE_DATA_DIRECTORY &dd = pnt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
        void **ppSlots = (void **)(pbImage + dd.VirtualAddress);
        for (size_t i = 0; i < dd.Size / sizeof(void *); i++)
            if (ppSlots[i] == pfn)
                return &ppSlots[i];
        return nullptr;
    }
    void Patch(void *pfn)
    {
        if (ppfnSlot == nullptr)
            return;          /* nothing to patch: the save then succeeds, and the test says so */
        DWORD dwOld;
        VirtualProtect(ppfnSlot, sizeof(void *), PAGE_READWRITE, &dwOld);
        *ppfnSlot = pfn;
        VirtualProtect(ppfnSlot, sizeof(void *), dwOld, &dwOld);
    }
    void **ppfnSlot;
};
DiskFillsUp::WRITEFILEPROC DiskFillsUp::pfnRealWrite;

std::string ReadFile(const std::string &strPath)
{
    std::string strText;
    FILE *pFile = fopen(strPath.c_str(), "rb");
    if (pFile == nullptr)
        return strText;
    char szBuffer[4096];
    size_t cb;
    while ((cb = fread(szBuffer, 1, sizeof(szBuffer), pFile)) > 0)
        strText.append(szBuffer, cb);
    fclose(pFile);
    return strText;
}

/* The load of lpszPath as a person meets it: its message box is read and answered with
   iButton; returns the box's text and whether the load replaced anything. */
std::string LoadAnswering(const std::string &strPath, int iButton, BOOL *pbApplied)
{
    *pbApplied = FALSE;
    std::thread loader([&] { *pbApplied = LoadProfileFile(NULL, strPath.c_str()); });
    HWND hBox = NULL;
    char szCaption[64];
    GetStringRes(IDS_PROFILE_CAPTION, szCaption, sizeof(szCaption));
    WaitFor([&] { hBox = FindWindowA("#32770", szCaption); return hBox != NULL; });
    std::string strText;
    if (hBox != NULL) {
        strText = StaticTexts(hBox);
        WaitFor([&] { return GetDlgItem(hBox, iButton) != NULL; });
        PostMessageA(hBox, WM_COMMAND, iButton, 0);
    }
    loader.join();
    return strText;
}

} // namespace

class ProfileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { hInstance = LoadLibraryA("Brenvik.dll"); }
};

TEST_F(ProfileTest, SaveWipeAndLoadGiveBackEveryValueByteForByte)
{
    Configure();
    const Snapshot before = TakeSnapshot();
    ASSERT_EQ(5u + 5 * 41 + 2 + 64, before.size());
    const std::string strPath = ProfilePath("roundtrip.orp");
    ASSERT_TRUE(SaveProfileFile(strPath.c_str()));
    const std::string strText = ReadFile(strPath);
    EXPECT_EQ(std::string::npos, strText.find("WorkingDirectory"));   /* per-machine: stays home */

    DeleteRegKey(HKEY_CURRENT_USER, ORVANE_ROOT_KEY);
    BOOL bApplied;
    std::string strBox = LoadAnswering(strPath, IDYES, &bApplied);
    EXPECT_TRUE(bApplied);
    EXPECT_NE(std::string::npos, strBox.find("changes 207 of its 207 button assignments")) << strBox;
    EXPECT_EQ(before, TakeSnapshot());

    /* The same file again: nothing to change, nothing written. */
    strBox = LoadAnswering(strPath, IDOK, &bApplied);
    EXPECT_FALSE(bApplied);
    EXPECT_NE(std::string::npos, strBox.find("nothing to change")) << strBox;
}

TEST_F(ProfileTest, ARefusedOrDeclinedLoadChangesNothing)
{
    Configure();
    const std::string strPath = ProfilePath("damaged.orp");
    ASSERT_TRUE(SaveProfileFile(strPath.c_str()));
    const std::string strGood = ReadFile(strPath);
    Write("PC", "3", "LINEDOWN");
    const Snapshot before = TakeSnapshot();

    /* One edited assignment: the question counts it, and No keeps the registry. */
    BOOL bApplied;
    std::string strBox = LoadAnswering(strPath, IDNO, &bApplied);
    EXPECT_FALSE(bApplied);
    EXPECT_NE(std::string::npos, strBox.find("changes 1 of its 207")) << strBox;
    EXPECT_EQ(before, TakeSnapshot());

    struct { std::string strText; const char *pszSays; } damaged[] = {
        { strGood.substr(0, strGood.size() / 2), "Line " },
        { "Some other program's settings\r\n" + strGood, "Line 1: the file is not a remote profile" },
        { strGood.substr(0, strGood.find("[PC]")) + "[PC]\r\n0=\"bad \\q\"\r\n", "the line holds a damaged escape" },
        { std::string(PROFILE_MAX_FILE + 10, '\n'), "too large" },
    };
    for (const auto &d : damaged) {
        WriteFile(strPath, d.strText);
        strBox = LoadAnswering(strPath, IDOK, &bApplied);
        EXPECT_FALSE(bApplied);
        EXPECT_NE(std::string::npos, strBox.find(d.pszSays)) << strBox;
        EXPECT_NE(std::string::npos, strBox.find("Nothing has been changed")) << strBox;
        EXPECT_EQ(before, TakeSnapshot());
    }
    DeleteFileA(strPath.c_str());
    strBox = LoadAnswering(strPath, IDOK, &bApplied);
    EXPECT_NE(std::string::npos, strBox.find("cannot be read")) << strBox;
}

/* Whatever the keys held before, a loaded profile leaves in them exactly its own values:
   translations, mode names and stray values it lacks go, and the question counts them. */
TEST_F(ProfileTest, ALoadedProfileLeavesItsKeysHoldingExactlyItsValues)
{
    Configure();
    const std::string strPath = ProfilePath("exact.orp");
    ASSERT_TRUE(SaveProfileFile(strPath.c_str()));
    /* A profile made on a PC whose remote sends no code 63 and that has no fifth mode. */
    std::string strText = ReadFile(strPath);
    for (const char *pszLine : { "\r\n63=\"0x23\"", "\r\n5=\"CD\"" }) {
        size_t iAt = strText.find(pszLine);
        ASSERT_NE(std::string::npos, iAt) << pszLine;
        strText.erase(iAt, strlen(pszLine));
    }
    strText.erase(strText.find("[CD]"), strText.find(PROFILE_END) - strText.find("[CD]"));
    WriteFile(strPath, strText);
    Snapshot expected = TakeSnapshot();
    for (const char *pszGone : { "Translation\\63", "Mode\\5" })
        ASSERT_EQ(1u, expected.erase(pszGone)) << pszGone;

    /* What was there before: codes of another remote, stray values, edits. */
    Write("Translation", "200", "5");
    Write("Translation", "201", "");
    Write("Mode", "6", "Spare");
    Write("PC", "Extra", "NEXTTASK");
    Write("Translation", "3", "ff");
    Write("PC", "3", "LINEDOWN");
    const Snapshot edited = TakeSnapshot();

    BOOL bApplied;
    std::string strBox = LoadAnswering(strPath, IDNO, &bApplied);
    EXPECT_NE(std::string::npos, strBox.find("changes 1 of its 166 button assignments and 1 of its mode names, "
                                             "translations of the remote's codes, other remotes' buttons and automatic modes.")) << strBox;
    EXPECT_NE(std::string::npos, strBox.find("does not hold and that are removed: 6.")) << strBox;
    EXPECT_EQ(edited, TakeSnapshot()) << "No keeps everything";

    /* The key of the mode the profile does not name is none of its keys: it stays. */
    strBox = LoadAnswering(strPath, IDYES, &bApplied);
    EXPECT_TRUE(bApplied);
    EXPECT_EQ(expected, TakeSnapshot());

    /* Loaded again: nothing is left to change or remove. */
    strBox = LoadAnswering(strPath, IDOK, &bApplied);
    EXPECT_FALSE(bApplied);
    EXPECT_NE(std::string::npos, strBox.find("nothing to change")) << strBox;
}

/* A save writes the whole profile beside the old one first: a disk that fills up, or a
   program that holds the old file open, leaves the old profile as it was and no other file
   behind; a save that succeeds replaces it whole, and a bare file name lands in the current
   folder. */
TEST_F(ProfileTest, AFailedSaveLeavesTheOldProfileAsItWas)
{
    Configure();
    const std::string strFolder = ProfilePath("saves\\");
    CreateDirectoryA(strFolder.c_str(), NULL);
    for (const std::string &strName : FilesIn(strFolder))
        DeleteFileA((strFolder + strName).c_str());
    const std::string strPath = strFolder + "kept.orp";
    ASSERT_TRUE(SaveProfileFile(strPath.c_str()));
    const std::string strOld = ReadFile(strPath);
    ASSERT_NE(std::string::npos, strOld.find(PROFILE_END));
    Write("PC", "3", "LINEDOWN");
    const std::vector<std::string> vOnlyKept = { "kept.orp" };

    {
        DiskFillsUp dfu;
        EXPECT_FALSE(SaveProfileFile(strPath.c_str()));
    }
    EXPECT_EQ(strOld, ReadFile(strPath)) << "the disk filled up";
    EXPECT_EQ(vOnlyKept, FilesIn(strFolder));

    HANDLE hHeld = CreateFileA(strPath.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    EXPECT_FALSE(SaveProfileFile(strPath.c_str()));
    CloseHandle(hHeld);
    EXPECT_EQ(strOld, ReadFile(strPath)) << "another program held the file";
    EXPECT_EQ(vOnlyKept, FilesIn(strFolder));

    ASSERT_TRUE(SaveProfileFile(strPath.c_str()));
    const std::string strNew = ReadFile(strPath);
    EXPECT_NE(std::string::npos, strNew.find("\r\n3=\"LINEDOWN\"\r\n"));
    EXPECT_EQ(strOld.size() - strlen("MIXERMUTE") + strlen("LINEDOWN"), strNew.size());
    EXPECT_EQ(vOnlyKept, FilesIn(strFolder));

    char szCurrent[MAX_PATH];
    GetCurrentDirectoryA(sizeof(szCurrent), szCurrent);
    SetCurrentDirectoryA(strFolder.c_str());
    EXPECT_TRUE(SaveProfileFile("bare.orp"));
    SetCurrentDirectoryA(szCurrent);
    EXPECT_EQ(strNew, ReadFile(strFolder + "bare.orp"));
    EXPECT_EQ(std::vector<std::string>({ "bare.orp", "kept.orp" }), FilesIn(strFolder));
}

namespace {

const char szPairsKey[] = ORVANE_ROOT_KEY "\\" STORE_AUTOMODE_KEY;

/* The stored automatic modes: program -> stored bytes. */
std::map<std::string, std::string> StoredPairs()
{
    std::map<std::string, std::string> mPairs;
    for (const auto &value : SnapshotRegistry(ORVANE_ROOT_KEY, { STORE_AUTOMODE_KEY })) {
        std::string strData = value.second.strData;
        while (!strData.empty() && strData.back() == '\0')
            strData.pop_back();      /* written with or without the terminator */
        mPairs[value.first.substr(strlen(STORE_AUTOMODE_KEY) + 1)] = strData;
    }
    return mPairs;
}

/* The text with every occurrence of strFrom replaced. */
std::string Replace(std::string strText, const std::string &strFrom, const std::string &strTo)
{
    for (size_t iAt = strText.find(strFrom); iAt != std::string::npos; iAt = strText.find(strFrom, iAt + strTo.size()))
        strText.replace(iAt, strFrom.size(), strTo);
    return strText;
}

} // namespace

/* The automatic modes travel with a profile: saved as a section of their own (the switch
   stays with the PC), loaded back in place of the stored ones and counted in the question;
   a profile without them keeps the stored pairs, under the new names of renamed modes; pairs
   of no use in a profile are passed over. */
TEST_F(ProfileTest, AutomaticModesTravelAndFollowRenamedModes)
{
    Configure();
    WriteRegString(HKEY_CURRENT_USER, szPairsKey, "notepad.exe", "WEB");
    WriteRegString(HKEY_CURRENT_USER, szPairsKey, "C:\\Apps\\player.exe", "dvd");
    WriteRegString(HKEY_CURRENT_USER, szPairsKey, "old.exe", "Video");
    EnableAutoModes(FALSE);
    const std::map<std::string, std::string> mUsable = { { "notepad.exe", "WEB" }, { "C:\\Apps\\player.exe", "dvd" } };
    const std::string strPath = ProfilePath("automodes.orp");
    ASSERT_TRUE(SaveProfileFile(strPath.c_str()));
    const std::string strText = ReadFile(strPath);
    EXPECT_EQ(0u, strText.find(PROFILE_HEADER_PAIRS "\r\n"));
    /* The pairs in the order the registry lists them. */
    const size_t iSection = strText.find("\r\n[Settings\\\\AutoModes]\r\n");
    ASSERT_NE(std::string::npos, iSection) << strText;
    std::string strPairs = strText.substr(iSection + 2);
    EXPECT_NE(std::string::npos, strPairs.find("\r\nnotepad.exe=\"WEB\"\r\n"));
    EXPECT_NE(std::string::npos, strPairs.find("\r\nC:\\\\Apps\\\\player.exe=\"dvd\"\r\n"));
    EXPECT_EQ(std::count(strPairs.begin(), strPairs.end(), '\n'), 4) << "the section, two pairs, the end";
    EXPECT_EQ(std::string::npos, strText.find("old.exe"));
    EXPECT_EQ(std::string::npos, strText.find(AUTOMODE_SWITCH));

    /* Wiped and loaded back: the same pairs, and the same file saved again. */
    const Snapshot before = TakeSnapshot();
    DeleteRegKey(HKEY_CURRENT_USER, ORVANE_ROOT_KEY);
    BOOL bApplied;
    std::string strBox = LoadAnswering(strPath, IDYES, &bApplied);
    EXPECT_TRUE(bApplied);
    EXPECT_EQ(before, TakeSnapshot());
    EXPECT_EQ(mUsable, StoredPairs());
    ASSERT_TRUE(SaveProfileFile(strPath.c_str()));
    EXPECT_EQ(strText, ReadFile(strPath)) << "a round trip gives the same bytes";

    /* Only the pairs differ: one missing, one the profile lacks. The question says so, and
       the load makes the pairs the profile's. */
    DeleteRegValue(HKEY_CURRENT_USER, szPairsKey, "notepad.exe");
    WriteRegString(HKEY_CURRENT_USER, szPairsKey, "extra.exe", "PC");
    strBox = LoadAnswering(strPath, IDYES, &bApplied);
    EXPECT_TRUE(bApplied);
    EXPECT_NE(std::string::npos, strBox.find("changes 0 of its 207 button assignments and 1 of its mode names, "
                                             "translations of the remote's codes, other remotes' buttons and automatic modes.")) << strBox;
    EXPECT_NE(std::string::npos, strBox.find("does not hold and that are removed: 1.")) << strBox;
    EXPECT_EQ(mUsable, StoredPairs());

    /* A profile of version 1 that names DVD "Video": the pairs stay, DVD's under its new name. */
    std::string strRenamed = strText.substr(0, strText.find("[Settings\\\\AutoModes]")) + PROFILE_END "\r\n";
    strRenamed = Replace(Replace(strRenamed, "4=\"DVD\"", "4=\"Video\""), "[DVD]", "[Video]");
    strRenamed.replace(0, strlen(PROFILE_HEADER_PAIRS), PROFILE_HEADER);
    WriteFile(strPath, strRenamed);
    strBox = LoadAnswering(strPath, IDYES, &bApplied);
    EXPECT_TRUE(bApplied) << strBox;
    EXPECT_EQ((std::map<std::string, std::string>{ { "notepad.exe", "WEB" }, { "C:\\Apps\\player.exe", "Video" } }),
              StoredPairs());

    /* A profile whose pairs are partly of no use: those are passed over, the rest replace
       the stored pairs. */
    std::string strOfNoUse = strRenamed.substr(0, strRenamed.rfind(PROFILE_END));
    strOfNoUse.replace(0, strlen(PROFILE_HEADER), PROFILE_HEADER_PAIRS);
    strOfNoUse += "[Settings\\\\AutoModes]\r\nnew.exe=\"video\"\r\n" + std::string(300, 'x') + ".exe=\"CD\"\r\n"
                  "=\"PC\"\r\ngone.exe=\"DVD\"\r\n" PROFILE_END "\r\n";
    WriteFile(strPath, strOfNoUse);
    strBox = LoadAnswering(strPath, IDYES, &bApplied);
    EXPECT_TRUE(bApplied) << strBox;
    EXPECT_EQ((std::map<std::string, std::string>{ { "new.exe", "video" } }), StoredPairs());
    DeleteFileA(strPath.c_str());
    DeleteRegKey(HKEY_CURRENT_USER, szPairsKey);
}


/* The map of the receiver's other sources travels with the profile and replaces the map of
   the PC it is loaded on as a whole; a profile written without the map leaves the PC's map
   alone, and the LIRC server's address stays with the PC. */
TEST_F(ProfileTest, TheReceiverMapTravelsAndReplacesTheMapOfThePC)
{
    const char szMapTopic[] = ORVANE_SETTINGS "\\Receiver";
    auto MapSnapshot = [] { return SnapshotRegistry(ORVANE_SETTINGS_KEY, { "Receiver" }); };
    Configure();
    const std::string strOlderPath = ProfilePath("older.orp");
    ASSERT_TRUE(SaveProfileFile(strOlderPath.c_str()));
    EXPECT_EQ(std::string::npos, ReadFile(strOlderPath).find("Receiver"));

    Write(szMapTopic, "LIRC KEY_1 tv", "2");
    Write(szMapTopic, "Key MEDIA_NEXT_TRACK", "FF");
    Write(ORVANE_SETTINGS, "LircServer", "media-pc:8765");
    const Snapshot mapSaved = MapSnapshot();
    ASSERT_EQ(2u, mapSaved.size());
    const std::string strPath = ProfilePath("receiver.orp");
    ASSERT_TRUE(SaveProfileFile(strPath.c_str()));
    const std::string strText = ReadFile(strPath);
    EXPECT_NE(std::string::npos,
              strText.find("[Settings\\\\Receiver]\r\nKey MEDIA_NEXT_TRACK=\"FF\"\r\nLIRC KEY_1 tv=\"2\"\r\nEnd of profile"))
        << strText.substr(strText.size() - 200);
    EXPECT_EQ(std::string::npos, strText.find("media-pc"));

    /* This PC's map has an entry more and one changed: the load takes the profile's map. */
    Write(szMapTopic, "LIRC KEY_RED", "CD");
    Write(szMapTopic, "LIRC KEY_1 tv", "3");
    BOOL bApplied;
    std::string strBox = LoadAnswering(strPath, IDYES, &bApplied);
    EXPECT_TRUE(bApplied);
    EXPECT_NE(std::string::npos, strBox.find("changes 0 of its 207 button assignments and 1 of its mode names, "
                                             "translations of the remote's codes, other remotes' buttons and automatic modes.")) << strBox;
    EXPECT_NE(std::string::npos, strBox.find("does not hold and that are removed: 1.")) << strBox;
    EXPECT_EQ(mapSaved, MapSnapshot());

    /* The older profile holds the same buttons and no map: nothing changes. */
    Write(szMapTopic, "LIRC KEY_RED", "CD");
    const Snapshot mapHere = MapSnapshot();
    strBox = LoadAnswering(strOlderPath, IDOK, &bApplied);
    EXPECT_FALSE(bApplied);
    EXPECT_NE(std::string::npos, strBox.find("nothing to change")) << strBox;
    EXPECT_EQ(mapHere, MapSnapshot());
    std::string strServer;
    ReadRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "LircServer", &strServer);
    EXPECT_EQ("media-pc:8765", strServer);
}
