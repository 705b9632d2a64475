/*
 * Brenvik's shared data section: a write in one process is seen by another process that
 * has the library loaded at the same time; and what stays out of it: configuration runs of
 * several programs at once (the applet's and the tray program's) each edit their own
 * buttons through their own function editor, and every assignment is stored.
 */
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "testsupport.h"
#include "OrvaneStore.h"
#include "Brenvik.h"

namespace {

std::string Peer(const std::string &strArguments)
{
    return "\"" + BinaryDir() + "shared_peer.exe\" " + strArguments;
}

TEST(SharedSection, AWriteInEitherProcessIsSeenByTheOther)
{
    /* Values of this run alone, so that no other program's write can pass for them; the
       peer waits until it sees the value, and its own write is done when it has ended. */
    const int iMine = (int)(GetCurrentProcessId() | 0x10000000);
    _bDraw = iMine;
    EXPECT_EQ(0u, RunProcess(Peer("await " + std::to_string(iMine))));
    const int iTheirs = iMine + 1;
    EXPECT_EQ(0u, RunProcess(Peer("write " + std::to_string(iTheirs))));
    EXPECT_EQ(iTheirs, _bDraw);
    _bDraw = FALSE;
}

TEST(SharedSection, EveryExportedVariableIsInTheSharedSection)
{
    HMODULE hBrenvik = GetModuleHandleA("Brenvik.dll");
    ASSERT_NE(nullptr, hBrenvik);
    auto *pDos = (IMAGE_DOS_HEADER *)hBrenvik;
    auto *pNt = (IMAGE_NT_HEADERS *)((BYTE *)hBrenvik + pDos->e_lfanew);
    IMAGE_SECTION_HEADER *pSection = IMAGE_FIRST_SECTION(pNt);
    IMAGE_SECTION_HEADER *pShared = nullptr;
    for (int i = 0; i < pNt->FileHeader.NumberOfSections; ++i)
        if (memcmp(pSection[i].Name, ".shared", 7) == 0)
            pShared = &pSection[i];
    ASSERT_NE(nullptr, pShared);
    EXPECT_TRUE(pShared->Characteristics & IMAGE_SCN_MEM_SHARED);
    BYTE *pBegin = (BYTE *)hBrenvik + pShared->VirtualAddress;
    BYTE *pEnd = pBegin + pShared->Misc.VirtualSize;
    for (int iOrdinal = 29; iOrdinal <= 38; ++iOrdinal) {
        BYTE *pVariable = (BYTE *)GetProcAddress(hBrenvik, MAKEINTRESOURCEA(iOrdinal));
        ASSERT_NE(nullptr, pVariable) << "ordinal " << iOrdinal;
        EXPECT_TRUE(pVariable >= pBegin && pVariable < pEnd) << "ordinal " << iOrdinal;
    }
}

/* Configuration runs in peer processes on digits 1 to 6 of the first mode, whose values
   are emptied first and given back afterwards; the pictures come from the programs'
   folder. A peer that holds waits on its events, named for this test run. */
class EditorRuns : public testing::Test {
protected:
    static const int iDigits = 6;
    std::string strKey;
    std::string strSaved[iDigits + 1];
    bool bHad[iDigits + 1] = {};
    std::string strDirectory;
    bool bHadDirectory = false;
    std::vector<HANDLE> events;
    std::vector<HANDLE> peers;

    void SetUp() override
    {
        std::string strModeKey;
        if (!ReadRegString(HKEY_CURRENT_USER, ORVANE_ROOT_KEY "\\Mode", "1", &strModeKey) || strModeKey.empty()) {
            strModeKey = "PC";
            WriteRegString(HKEY_CURRENT_USER, ORVANE_ROOT_KEY "\\Mode", "1", strModeKey);
        }
        strKey = ORVANE_ROOT_KEY "\\" + strModeKey;
        for (int i = 1; i <= iDigits; i++) {
            bHad[i] = ReadRegString(HKEY_CURRENT_USER, strKey.c_str(), Name(i), &strSaved[i]);
            WriteRegString(HKEY_CURRENT_USER, strKey.c_str(), Name(i), "");
        }
        bHadDirectory = ReadRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "WorkingDirectory", &strDirectory);
        WriteRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "WorkingDirectory", BinaryDir());
    }
    void TearDown() override
    {
        /* A peer left holding after a failure must not store anything later. */
        for (HANDLE hPeer : peers) {
            TerminateProcess(hPeer, 3);
            WaitForSingleObject(hPeer, 30000);
            CloseHandle(hPeer);
        }
        for (int i = 1; i <= iDigits; i++)
            WriteRegString(HKEY_CURRENT_USER, strKey.c_str(), Name(i), bHad[i] ? strSaved[i] : "");
        if (bHadDirectory)
            WriteRegString(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "WorkingDirectory", strDirectory);
        else
            DeleteRegValue(HKEY_CURRENT_USER, ORVANE_SETTINGS_KEY, "WorkingDirectory");
        for (HANDLE hEvent : events)
            CloseHandle(hEvent);
    }
    static LPCSTR Name(int iDigit)
    {
        static const char *const pszNames[] = { "0", "1", "2", "3", "4", "5", "6" };
        return pszNames[iDigit];
    }
    std::string Stored(int iDigit)
    {
        std::string str = "<missing>";
        ReadRegString(HKEY_CURRENT_USER, strKey.c_str(), Name(iDigit), &str);
        return str;
    }
    static std::string EventName(const std::string &strPeer)
    {
        return "OrvaneSharedPeer-" + std::to_string(GetCurrentProcessId()) + "-" + strPeer;
    }
    HANDLE Event(const std::string &strPeer, const char *pszWhat)
    {
        HANDLE hEvent = CreateEventA(NULL, FALSE, FALSE, (EventName(strPeer) + "-" + pszWhat).c_str());
        events.push_back(hEvent);
        return hEvent;
    }
    std::string Edit(const std::string &strPeer, const std::string &strSteps)
    {
        Event(strPeer, "held");
        Event(strPeer, "go");
        return Peer("edit " + EventName(strPeer) + " " + strSteps);
    }
    /* A peer that holds, for the test to end or let go; TearDown ends it if it is left. */
    HANDLE Start(const std::string &strPeer, const std::string &strSteps)
    {
        HANDLE hPeer = StartProcess(Edit(strPeer, strSteps));
        if (hPeer != NULL)
            peers.push_back(hPeer);
        return hPeer;
    }
    /* Whether the peer has come to its next hold. */
    bool Held(const std::string &strPeer)
    {
        return WaitForSingleObject(Event(strPeer, "held"), 30000) == WAIT_OBJECT_0;
    }
    void Go(const std::string &strPeer) { SetEvent(Event(strPeer, "go")); }
};

TEST_F(EditorRuns, ProgramsEditingAtOnceKeepTheirOwnEditorsAndEveryAssignment)
{
    HANDLE hFirst = Start("first", "open:1 hold web:http://first.example/1 hold "
                                   "open:3 web:http://first.example/3 hold");
    ASSERT_NE((HANDLE)NULL, hFirst);
    ASSERT_TRUE(Held("first")) << "the first program's editor did not open";

    /* A second program's editor opens, assigns and closes while the first one's is open. */
    EXPECT_EQ(0u, RunProcess(Edit("second", "open:2 web:http://second.example/2")));
    Go("first");
    ASSERT_TRUE(Held("first")) << "the first program could not assign its button";

    /* One after the other: the first program's editor has closed, its run goes on. */
    EXPECT_EQ(0u, RunProcess(Edit("third", "open:4 web:http://third.example/4")));
    Go("first");
    ASSERT_TRUE(Held("first"));

    /* A program that dies with its editor open leaves nothing behind for the others. */
    HANDLE hDying = Start("dying", "open:5 hold web:http://dying.example/5");
    ASSERT_NE((HANDLE)NULL, hDying);
    EXPECT_TRUE(Held("dying"));
    TerminateProcess(hDying, 3);
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(hDying, 30000));
    Go("first");
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(hFirst, 30000));
    DWORD dwFirst = (DWORD)-1;
    GetExitCodeProcess(hFirst, &dwFirst);
    EXPECT_EQ(0u, dwFirst) << "the first program's run did not end as it should";
    EXPECT_EQ(0u, RunProcess(Edit("fourth", "open:6 web:http://fourth.example/6")));

    EXPECT_EQ("WEBADDRESS\"http://first.example/1\"", Stored(1));
    EXPECT_EQ("WEBADDRESS\"http://second.example/2\"", Stored(2));
    EXPECT_EQ("WEBADDRESS\"http://first.example/3\"", Stored(3));
    EXPECT_EQ("WEBADDRESS\"http://third.example/4\"", Stored(4));
    EXPECT_EQ("", Stored(5)) << "the program that died stored nothing";
    EXPECT_EQ("WEBADDRESS\"http://fourth.example/6\"", Stored(6));
}

}  // namespace
