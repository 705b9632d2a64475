/*
 * zendra_settings_test.cpp - Dovrel's settings as the home-automation sender reads them
 * (created with their defaults when missing or empty), and the sender's command line.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "Corvalin_zendra.h"
#include "dovrel_registry.h"

namespace {


class DovrelSettings : public testing::Test {
protected:
    void SetUp() override { DeleteDovrelKey(); }
    void TearDown() override { DeleteDovrelKey(); }

    static std::string Read(const char *pszSetting, const char *pszDefault, int iSize)
    {
        std::string strBuffer(iSize + 8, '#');
        GetDovrelSetting(pszSetting, pszDefault, &strBuffer[0], iSize);
        EXPECT_EQ(std::string(8, '#'), strBuffer.substr(iSize)) << "written past the buffer";
        return strBuffer.c_str();
    }
};

TEST_F(DovrelSettings, MissingKeyIsCreatedWithTheDefaults)
{
    EXPECT_EQ("(none)", StoredDovrelSetting("BurstMode"));
    EXPECT_EQ("0", Read("BurstMode", "0", 10));
    EXPECT_EQ("c:\\home", Read("WorkingDirectory", "c:\\home", 240));
    EXPECT_EQ("0", StoredDovrelSetting("BurstMode"));
    EXPECT_EQ("c:\\home", StoredDovrelSetting("WorkingDirectory"));
}

TEST_F(DovrelSettings, StoredValueIsRead)
{
    ASSERT_TRUE(StoreDovrelSetting("BurstMode", "1"));
    ASSERT_TRUE(StoreDovrelSetting("WorkingDirectory", "d:\\dovrel"));
    EXPECT_EQ("1", Read("BurstMode", "0", 10));
    EXPECT_EQ("d:\\dovrel", Read("WorkingDirectory", "c:\\home", 240));
}

TEST_F(DovrelSettings, EmptyValueIsReplacedByTheDefault)
{
    ASSERT_TRUE(StoreDovrelSetting("BurstMode", ""));
    EXPECT_EQ("0", Read("BurstMode", "0", 10));
    EXPECT_EQ("0", StoredDovrelSetting("BurstMode"));
}

TEST_F(DovrelSettings, ValueTooLongForTheBufferIsKept)
{
    std::string strLong(300, 'd');
    ASSERT_TRUE(StoreDovrelSetting("WorkingDirectory", strLong));
    EXPECT_EQ("c:\\home", Read("WorkingDirectory", "c:\\home", 240));
    EXPECT_EQ(strLong, StoredDovrelSetting("WorkingDirectory"));
    /* Exactly filling the buffer is still read. */
    ASSERT_TRUE(StoreDovrelSetting("BurstMode", std::string(9, '7')));
    EXPECT_EQ(std::string(9, '7'), Read("BurstMode", "0", 10));
}

TEST_F(DovrelSettings, ValuesStoredWithoutTerminatorEndWhereTheyEnd)
{
    /* The registry may hand a string back without its terminating zero: what follows it
       in the buffer must not join the setting (it would reach the sender's command line). */
    auto storeBare = [](const char *pszSetting, const std::string &strValue) {
        HKEY hKey;
        if (RegCreateKeyA(HKEY_CURRENT_USER, DovrelSettingKey(pszSetting).c_str(), &hKey) != ERROR_SUCCESS)
            return false;
        LONG lResult = RegSetValueExA(hKey, NULL, 0, REG_SZ, (const BYTE *)strValue.data(),
                                      (DWORD)strValue.size());
        RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS;
    };
    ASSERT_TRUE(storeBare("WorkingDirectory", "d:\\dovrel"));
    ASSERT_TRUE(storeBare("BurstMode", "1"));
    EXPECT_EQ("d:\\dovrel", Read("WorkingDirectory", "c:\\home", 240));
    EXPECT_EQ("1", Read("BurstMode", "0", 10));
    /* Filling the buffer to its last byte leaves no room for the end: too long, kept. */
    ASSERT_TRUE(storeBare("BurstMode", std::string(10, '7')));
    EXPECT_EQ("0", Read("BurstMode", "0", 10));
    EXPECT_EQ(std::string(10, '7'), StoredDovrelSetting("BurstMode"));
}

std::string Command(const char *pszDir, const char *pszBurst, const std::string &strText)
{
    LPSTR lpsz = FormatZendraCommand(pszDir, pszBurst, strText.c_str());
    std::string strCommand = lpsz ? lpsz : "(null)";
    if (lpsz)
        LocalFree(lpsz);
    return strCommand;
}

TEST(DovrelSender, CommandLine)
{
    EXPECT_EQ("c:\\home\\OSTREL.EXE A1 ON", Command("c:\\home", "0", "A1 ON"));
    EXPECT_EQ("c:\\home\\HAVRIK.EXE A1 ON", Command("c:\\home", "1", "A1 ON"));
    EXPECT_EQ("c:\\home\\HAVRIK.EXE x", Command("c:\\home", "-3", "x"));
    EXPECT_EQ("c:\\home\\OSTREL.EXE x", Command("c:\\home", "yes", "x"));
    EXPECT_EQ("c:\\home\\OSTREL.EXE ", Command("c:\\home", "", ""));
    std::string strLong(2000, 't');
    EXPECT_EQ("d\\OSTREL.EXE " + strLong, Command("d", "0", strLong));
}

} // namespace
