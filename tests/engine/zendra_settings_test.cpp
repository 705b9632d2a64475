/*
 * zendra_settings_test.cpp - Dovrel's settings as the home-automation sender reads them
 * (created with their defaults when missing or empty), and the sender's command line.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "Corvalin_zendra.h"

namespace {

const char szDovrelKey[] = "Software\\Zendra\\Dovrel(TM)";

class DovrelSettings : public testing::Test {
protected:
    void SetUp() override { DeleteDovrelKey(); }
    void TearDown() override { DeleteDovrelKey(); }

    static void DeleteDovrelKey()
    {
        for (const char *pszSub : { "\\BurstMode", "\\WorkingDirectory", "" })
            RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(szDovrelKey) + pszSub).c_str());
    }
    /* The setting as Dovrel stores it: the default value of a subkey; "(none)" if missing. */
    static std::string Stored(const char *pszSetting)
    {
        HKEY hKey;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, szDovrelKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return "(none)";
        char szValue[1024];
        LONG cbValue = sizeof(szValue);
        LONG lResult = RegQueryValueA(hKey, pszSetting, szValue, &cbValue);
        RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS ? std::string(szValue) : "(none)";
    }
    static void Store(const char *pszSetting, const std::string &strValue)
    {
        HKEY hKey;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, szDovrelKey, &hKey));
        RegSetValueA(hKey, pszSetting, REG_SZ, strValue.c_str(), (DWORD)strValue.size());
        RegCloseKey(hKey);
    }
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
    EXPECT_EQ("(none)", Stored("BurstMode"));
    EXPECT_EQ("0", Read("BurstMode", "0", 10));
    EXPECT_EQ("c:\\home", Read("WorkingDirectory", "c:\\home", 240));
    EXPECT_EQ("0", Stored("BurstMode"));
    EXPECT_EQ("c:\\home", Stored("WorkingDirectory"));
}

TEST_F(DovrelSettings, StoredValueIsRead)
{
    Store("BurstMode", "1");
    Store("WorkingDirectory", "d:\\dovrel");
    EXPECT_EQ("1", Read("BurstMode", "0", 10));
    EXPECT_EQ("d:\\dovrel", Read("WorkingDirectory", "c:\\home", 240));
}

TEST_F(DovrelSettings, EmptyValueIsReplacedByTheDefault)
{
    Store("BurstMode", "");
    EXPECT_EQ("0", Read("BurstMode", "0", 10));
    EXPECT_EQ("0", Stored("BurstMode"));
}

TEST_F(DovrelSettings, ValueTooLongForTheBufferIsKept)
{
    std::string strLong(300, 'd');
    Store("WorkingDirectory", strLong);
    EXPECT_EQ("c:\\home", Read("WorkingDirectory", "c:\\home", 240));
    EXPECT_EQ(strLong, Stored("WorkingDirectory"));
    /* Exactly filling the buffer is still read. */
    Store("BurstMode", std::string(9, '7'));
    EXPECT_EQ(std::string(9, '7'), Read("BurstMode", "0", 10));
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
