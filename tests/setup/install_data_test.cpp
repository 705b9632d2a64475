/*
 * install_data_test.cpp - the installation data writer (OrvaneSetup.exe /data and /remove)
 * over a configuration that a person has made their own: a profile renamed a mode and changed
 * the translation; an upgrade, an uninstall that keeps the assignments and the installation
 * after it keep every mode name, translation and assignment, and add only what is missing.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "OrvaneStore.h"
#include "testsupport.h"

namespace {

const std::string strRoot = ORVANE_ROOT_KEY "\\";

std::string Stored(const std::string &strKey, LPCSTR lpszValue)
{
    std::string strData = "<missing>";
    ReadRegString(HKEY_CURRENT_USER, (strRoot + strKey).c_str(), lpszValue, &strData);
    return strData;
}

void Store(const std::string &strKey, LPCSTR lpszValue, const std::string &strData)
{
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, (strRoot + strKey).c_str(), lpszValue, strData));
}

bool KeyThere(const std::string &strKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (strRoot + strKey).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

/* The snapshot without the values of the keys named. */
RegistrySnapshot Without(RegistrySnapshot snapshot, std::initializer_list<std::string> keys)
{
    for (const std::string &strKey : keys) {
        const std::string strPrefix = strKey + "\\";
        auto it = snapshot.lower_bound(strPrefix);
        while (it != snapshot.end() && it->first.compare(0, strPrefix.size(), strPrefix) == 0)
            it = snapshot.erase(it);
    }
    return snapshot;
}

DWORD RunWriter(const std::string &strArguments)
{
    return RunProcess("\"" + BinaryDir() + "OrvaneSetup.exe\" " + strArguments);
}

std::string DataFile()
{
    return "\"" + BinaryDir() + "orvane.ini\"";
}

/* What a loaded profile leaves: mode 1 is called "Desktop" and its assignments live there;
   the translation sends code 64 elsewhere and knows no code 68. The engine has meanwhile
   left an empty translation for code 16, and the names of modes 4 and 5 were damaged. */
void MakeItTheUsers()
{
    RegistrySnapshot pc = SnapshotRegistry(ORVANE_ROOT_KEY, { "PC" });
    ASSERT_EQ(41u, pc.size());
    for (const auto &value : pc)
        Store("Desktop", value.first.substr(3).c_str(), value.second.strData.c_str());
    ASSERT_TRUE(DeleteRegKey(HKEY_CURRENT_USER, (strRoot + "PC").c_str()));
    Store("Mode", "1", "Desktop");
    Store("Desktop", "34", "LAUNCH\"winver.exe\"");
    Store("Desktop", "35", "");
    DeleteRegValue(HKEY_CURRENT_USER, (strRoot + "Desktop").c_str(), "0");
    Store("Translation", "64", "ff");
    DeleteRegValue(HKEY_CURRENT_USER, (strRoot + "Translation").c_str(), "68");
    Store("Translation", "16", "");
    Store("Mode", "4", "Default");
    Store("Mode", "5", "");
    Store(ORVANE_SETTINGS, "ShowIcon", "mine");
    Store(STORE_RECEIVER_MAP_KEY, "LIRC KEY_1 tv", "2");
    Store(STORE_AUTOMODE_KEY, "notepad.exe", "Desktop");
}

/* What a person made: everything but the machine's settings, which go with an uninstall. */
RegistrySnapshot UsersOwn()
{
    RegistrySnapshot own = Without(SnapshotRegistry(ORVANE_ROOT_KEY), { ORVANE_SETTINGS });
    for (const auto &value : SnapshotRegistry(ORVANE_SETTINGS_KEY, { "Receiver", "AutoModes" }))
        own[ORVANE_SETTINGS "\\" + value.first] = value.second;
    return own;
}

} // namespace

TEST(InstallDataWriter, AnUpgradeKeepsEveryModeNameTranslationAndAssignment)
{
    DeleteRegKey(HKEY_CURRENT_USER, ORVANE_ROOT_KEY);
    ASSERT_EQ(0u, RunWriter("/data " + DataFile() + " C:\\First"));
    ASSERT_EQ("PC", Stored("Mode", "1"));
    const std::string strFirstZero = Stored("PC", "0");
    MakeItTheUsers();

    ASSERT_EQ(0u, RunWriter("/data " + DataFile() + " C:\\Second /keep"));
    /* The user's own stays. */
    EXPECT_EQ("Desktop", Stored("Mode", "1"));
    EXPECT_EQ("LAUNCH\"winver.exe\"", Stored("Desktop", "34"));
    EXPECT_EQ("", Stored("Desktop", "35")) << "a button the user cleared stays clear";
    EXPECT_EQ("ff", Stored("Translation", "64"));
    EXPECT_EQ("mine", Stored(ORVANE_SETTINGS, "ShowIcon"));
    /* What is missing, or what the engine cannot use, comes from the installation; the
       renamed mode's missing button lands in the mode's own key. */
    EXPECT_EQ(strFirstZero, Stored("Desktop", "0"));
    EXPECT_FALSE(KeyThere("PC")) << "no key that no mode names";
    EXPECT_EQ("26", Stored("Translation", "68"));
    EXPECT_EQ("80", Stored("Translation", "16"));
    EXPECT_EQ("DVD", Stored("Mode", "4"));
    EXPECT_EQ("CD", Stored("Mode", "5"));
    EXPECT_EQ("C:\\Second", Stored(ORVANE_SETTINGS, ORVANE_WORKING_DIRECTORY));

    /* An upgrade over an upgrade changes nothing. */
    const RegistrySnapshot upgraded = SnapshotRegistry(ORVANE_ROOT_KEY);
    ASSERT_EQ(0u, RunWriter("/data " + DataFile() + " C:\\Second /keep"));
    EXPECT_TRUE(upgraded == SnapshotRegistry(ORVANE_ROOT_KEY));
}

TEST(InstallDataWriter, AnUninstallThatKeepsTheAssignmentsKeepsRenamedModes)
{
    DeleteRegKey(HKEY_CURRENT_USER, ORVANE_ROOT_KEY);
    ASSERT_EQ(0u, RunWriter("/data " + DataFile() + " C:\\First"));
    MakeItTheUsers();
    ASSERT_EQ(0u, RunWriter("/data " + DataFile() + " C:\\First /keep"));
    Store("PC", "0", "left behind by a profile that renamed the mode");
    const RegistrySnapshot kept = Without(UsersOwn(), { "PC" });
    /* modes, their buttons, Default, translations, a learnt button and a pair */
    ASSERT_EQ(5u + 5 * 41 + 2 + 31 + 2, kept.size());

    ASSERT_EQ(0u, RunWriter("/remove " + DataFile() + " /keep"));
    EXPECT_TRUE(kept == UsersOwn()) << "modes, translation, assignments, learnt buttons and automatic modes stay";
    const RegistrySnapshot left = SnapshotRegistry(ORVANE_ROOT_KEY);
    EXPECT_TRUE(left == Without(left, { ORVANE_SETTINGS })) << "the machine's settings go";
    EXPECT_FALSE(KeyThere("PC"));

    /* Installed again: it is all there as the user left it. */
    ASSERT_EQ(0u, RunWriter("/data " + DataFile() + " C:\\Again /keep"));
    EXPECT_TRUE(kept == UsersOwn());
    EXPECT_EQ("Desktop", Stored("Mode", "1"));
    EXPECT_EQ("LAUNCH\"winver.exe\"", Stored("Desktop", "34"));

    /* Removed without keeping: nothing of ours is left. */
    ASSERT_EQ(0u, RunWriter("/remove " + DataFile()));
    EXPECT_TRUE(SnapshotRegistry(ORVANE_ROOT_KEY).empty());
    HKEY hRoot;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, ORVANE_ROOT_KEY, 0, KEY_READ, &hRoot));
}
