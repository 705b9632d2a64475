/*
 * A button assigned from the picture of the remote and run by the engine: a double click
 * on digit 1 opens the function editor, its launch dialog takes the launch probe with a
 * command line, OK and OK, and closing the picture writes the command into the registry;
 * the engine then looks it up for that button and runs it, and the probe reports the
 * command line it was started with.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <map>
#include <string>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Corvalin.h"
#include "dialog_script.h"
#include "standin_reports.h"
#include "testsupport.h"
#include "OrvaneStore.h"

namespace {

const char szRoot[] = ORVANE_ROOT_KEY;
const char szSettings[] = ORVANE_SETTINGS_KEY;

TEST(AssignEndToEnd, PictureToRegistryToEngine)
{
    std::string strBin = BinaryDir();
    /* Installation data: PC mode's key, and the pictures beside the programs. */
    std::string strModeKey;
    if (!ReadRegString(HKEY_CURRENT_USER, (std::string(szRoot) + "\\Mode").c_str(), "1", &strModeKey) ||
        strModeKey.empty()) {
        strModeKey = "PC";
        WriteRegString(HKEY_CURRENT_USER, (std::string(szRoot) + "\\Mode").c_str(), "1", strModeKey);
    }
    std::string strKey = std::string(szRoot) + "\\" + strModeKey;
    std::string strSaved;
    bool bHadCommand = ReadRegString(HKEY_CURRENT_USER, strKey.c_str(), "1", &strSaved);
    WriteRegString(HKEY_CURRENT_USER, strKey.c_str(), "1", "");
    std::string strDirectory;
    bool bHadDirectory = ReadRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", &strDirectory);
    WriteRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", strBin);

    std::string strProbe = strBin + "launchprobe.exe";
    char szShort[MAX_PATH] = "";
    GetShortPathNameA(strProbe.c_str(), szShort, sizeof(szShort));
    bool bDone = RunScript([] { MouseButtons(NULL); }, {
        {"Buttons", [](HWND hDlg) {
            SaveWindowPicture(hDlg, "e2e-remote");
            /* Digit 1 lies at 28,147 - 52,171 of the picture, which starts unscrolled. */
            PostMessageA(hDlg, WM_MOUSEMOVE, 0, MAKELPARAM(40, 159));
            PostMessageA(hDlg, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 159));
        }},
        {"Functions", [](HWND hDlg) {
            SaveWindowPicture(hDlg, "e2e-functions");
            PostMessageA(hDlg, WM_MENUCHAR, 'l', 0);
        }},
        {"Launch", [&](HWND hDlg) {
            SetText(hDlg, IDC_LAUNCH_FILE, strProbe);
            SetText(hDlg, IDC_LAUNCH_CMDLINE, "assigned-by-editor");
            SaveWindowPicture(hDlg, "e2e-launch");
            PostClick(hDlg, IDOK);
        }},
        {"Functions", [](HWND hDlg) {
            SaveWindowPicture(hDlg, "e2e-functions-launch");
            PostClick(hDlg, IDOK);
        }},
        {"Buttons", [](HWND hDlg) { PostMessageA(hDlg, WM_CLOSE, 0, 0); }},
    });
    ASSERT_TRUE(bDone);

    /* The command string in the registry: the probe in its short form, then the line. */
    std::string strCommand;
    ASSERT_TRUE(ReadRegString(HKEY_CURRENT_USER, strKey.c_str(), "1", &strCommand));
    EXPECT_EQ(strCommand, std::string("LAUNCH\"") + szShort + "\x7F" "assigned-by-editor\"");

    /* The engine runs it as a press of that button would. */
    std::string strReportDir = CreateReportDir();
    char szFunction[256] = "";
    ASSERT_EQ(LookUpCode(0, 1, szFunction, 255), 1);
    ParseFunction(NULL, szFunction);
    std::map<std::string, std::string> record = WaitForRecord(strReportDir + "launch.txt", 20000);
    EXPECT_NE(record["cmdline"].find("assigned-by-editor"), std::string::npos) << record["cmdline"];
    RemoveReportDir(strReportDir);

    WriteRegString(HKEY_CURRENT_USER, strKey.c_str(), "1", bHadCommand ? strSaved : "");
    if (bHadDirectory)
        WriteRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", strDirectory);
    else
        DeleteRegValue(HKEY_CURRENT_USER, szSettings, "WorkingDirectory");
}

} // namespace
