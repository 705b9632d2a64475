/*
 * setup_test.cpp - the setup program on a Wine prefix that has never seen Orvane, run by
 * fresh_prefix_test.sh in two sessions of that prefix: the first installs silently (with the
 * receiver stand-in) for the person who runs it, the second is the next logon, where the
 * tray program must come up by itself and the applet must open the configuration; then an
 * upgrade over an installation whose modes a profile renamed, and the uninstalls follow.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <commctrl.h>
#include <tlhelp32.h>
#include <string>
#include "testsupport.h"
#include "traytest.h"
#include "traywatch.h"
#include "psheetres.h"

#define VENDOR_KEY      "Software\\Zendra"
#define ROOT_KEY        VENDOR_KEY "\\Orvane"
#define SETTINGS_KEY    ROOT_KEY "\\Settings"
#define UNINSTALL_KEY   "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvane"
#define CPLS_KEY        "Software\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cpls"
#define RUN_KEY         "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
#define MENU_FOLDER     "Microsoft\\Windows\\Start Menu\\Programs\\Orvane"
#define TRAY_CLOSE      261     /* the tray program's Close and Configure commands */
#define TRAY_CONFIGURE  263
#define SC_SAVE_PROFILE 0x0100  /* the configuration's window-menu commands */
#define SC_LOAD_PROFILE 0x0110

static const char *const apszInstalled[] = {
    "Tellumo.exe", "Corvalin.dll", "Brenvik.dll", "Selvane.cpl", "keyboard.bmp", "OrvaneSetup.exe",
    "orvane.ini", "mirelo.sys", "remote.exe", "uninstall.exe",
};

/* Where a setup that nobody told otherwise installs: a folder of the user's own. */
static std::string InstallDir()
{
    char szLocal[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_LOCAL_APPDATA, NULL, 0, szLocal);
    return std::string(szLocal) + "\\Programs\\Orvane";
}

static std::string Installed(const std::string &strName)
{
    return InstallDir() + "\\" + strName;
}

static bool FileThere(const std::string &strPath)
{
    return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

/* A visible window owned by hOwner, or null. */
static HWND OwnedWindow(HWND hOwner)
{
    HWND ahFind[2] = { hOwner, NULL };
    EnumWindows([](HWND hWnd, LPARAM lParam) -> BOOL {
        HWND *phFind = (HWND *)lParam;
        if (IsWindowVisible(hWnd) && GetWindow(hWnd, GW_OWNER) == phFind[0])
            phFind[1] = hWnd;
        return phFind[1] == NULL;
    }, (LPARAM)ahFind);
    return ahFind[1];
}

static bool KeyThere(HKEY hRoot, LPCSTR lpszKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, lpszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

static std::string RegString(HKEY hRoot, LPCSTR lpszKey, LPCSTR lpszValue)
{
    std::string strData = "<missing>";
    ReadRegString(hRoot, lpszKey, lpszValue, &strData);
    return strData;
}

static bool DriverServiceThere()
{
    SC_HANDLE hManager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    SC_HANDLE hService = hManager != NULL ? OpenServiceA(hManager, "Mirelo", SERVICE_QUERY_STATUS) : NULL;
    if (hService != NULL)
        CloseServiceHandle(hService);
    if (hManager != NULL)
        CloseServiceHandle(hManager);
    return hService != NULL;
}

static std::string MenuFolder()
{
    char szPrograms[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_APPDATA, NULL, 0, szPrograms);
    return std::string(szPrograms) + "\\" MENU_FOLDER;
}

/* The names the Control Panel folder of the shell lists. */
static std::string ControlPanelNames()
{
    std::string strNames;
    CoInitialize(NULL);
    IShellFolder *psfDesktop = NULL, *psfPanel = NULL;
    LPITEMIDLIST pidlPanel = NULL;
    if (SUCCEEDED(SHGetDesktopFolder(&psfDesktop))
        && SUCCEEDED(SHGetSpecialFolderLocation(NULL, CSIDL_CONTROLS, &pidlPanel))
        && SUCCEEDED(psfDesktop->BindToObject(pidlPanel, NULL, IID_IShellFolder, (void **)&psfPanel))) {
        IEnumIDList *peItems = NULL;
        if (SUCCEEDED(psfPanel->EnumObjects(NULL, SHCONTF_NONFOLDERS | SHCONTF_FOLDERS, &peItems)) && peItems) {
            LPITEMIDLIST pidl;
            while (peItems->Next(1, &pidl, NULL) == S_OK) {
                STRRET sr;
                char szName[MAX_PATH] = "";
                if (SUCCEEDED(psfPanel->GetDisplayNameOf(pidl, SHGDN_NORMAL, &sr)))
                    StrRetToBufA(&sr, pidl, szName, sizeof(szName));
                strNames += std::string(szName) + "\n";
                CoTaskMemFree(pidl);
            }
            peItems->Release();
        }
    }
    if (psfPanel)
        psfPanel->Release();
    if (psfDesktop)
        psfDesktop->Release();
    CoTaskMemFree(pidlPanel);
    return strNames;
}

/* Whether the uninstaller has finished: its entry and the folder are gone. */
static bool Uninstalled()
{
    return !KeyThere(HKEY_CURRENT_USER, UNINSTALL_KEY) && !FileThere(InstallDir());
}

/* Runs the installed uninstaller silently; it hands over to a copy of itself and ends at
   once, so the end shows as its uninstall entry going. */
static bool Uninstall(const std::string &strOptions)
{
    if (RunProcess("\"" + Installed("uninstall.exe") + "\" /S " + strOptions, 60000) != 0)
        return false;
    return WaitFor(Uninstalled, 60000);
}

/* The rights a program asks Windows for when it starts: the level its manifest requests. */
static std::string RequestedLevel(const std::string &strProgram)
{
    HMODULE hProgram = LoadLibraryExA(strProgram.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC hManifest = hProgram != NULL ? FindResourceA(hProgram, MAKEINTRESOURCEA(1), (LPCSTR)RT_MANIFEST) : NULL;
    std::string strManifest;
    if (hManifest != NULL)
        strManifest.assign((const char *)LockResource(LoadResource(hProgram, hManifest)), SizeofResource(hProgram, hManifest));
    if (hProgram != NULL)
        FreeLibrary(hProgram);
    size_t iLevel = strManifest.find("level=\"");
    return iLevel == std::string::npos ? "<none>" : strManifest.substr(iLevel + 7, strManifest.find('"', iLevel + 7) - iLevel - 7);
}

/* Where the receiver's driver service loads its file from. */
static std::string DriverServicePath()
{
    std::string strPath = "<no service>";
    SC_HANDLE hManager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    SC_HANDLE hService = hManager != NULL ? OpenServiceA(hManager, "Mirelo", SERVICE_QUERY_CONFIG) : NULL;
    BYTE abConfig[8192];
    DWORD cbNeeded;
    if (hService != NULL && QueryServiceConfigA(hService, (QUERY_SERVICE_CONFIGA *)abConfig, sizeof(abConfig), &cbNeeded))
        strPath = ((QUERY_SERVICE_CONFIGA *)abConfig)->lpBinaryPathName;
    if (hService != NULL)
        CloseServiceHandle(hService);
    if (hManager != NULL)
        CloseServiceHandle(hManager);
    return strPath;
}

static std::string SystemDriverFile()
{
    char szSystem[MAX_PATH] = "";
    GetSystemDirectoryA(szSystem, sizeof(szSystem));
    return std::string(szSystem) + "\\drivers\\mirelo.sys";
}

/* ---- the wizards, driven as a user drives them ---- */

#define ID_NEXT         1       /* Next, Install, Uninstall, Close and Finish */
#define ID_DIRECTORY    1019    /* the folder on the directory page */

/* A dialog window whose caption begins with lpszCaption (the uninstaller's ends in a
   blank) and that has a child of the given class (a page) or, with null, a Yes button
   (a question). */
static HWND FindDialog(LPCSTR lpszCaption, LPCSTR lpszChildClass)
{
    for (HWND hWnd = NULL; (hWnd = FindWindowExA(NULL, hWnd, "#32770", NULL)) != NULL;) {
        char szTitle[128] = "";
        GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
        if (strncmp(szTitle, lpszCaption, strlen(lpszCaption)) != 0)
            continue;
        if (lpszChildClass != NULL ? FindWindowExA(hWnd, NULL, lpszChildClass, NULL) != NULL
                                   : GetDlgItem(hWnd, IDYES) != NULL)
            return hWnd;
    }
    return NULL;
}

static HWND FindWizard(LPCSTR lpszCaption)
{
    return FindDialog(lpszCaption, "#32770");
}

static HWND FindQuestion(LPCSTR lpszCaption)
{
    return FindDialog(lpszCaption, NULL);
}

static HWND CurrentPage(HWND hWizard)
{
    return FindWindowExA(hWizard, NULL, "#32770", NULL);
}

/* The captions of the visible top-level windows, for a failure's message. */
static std::string VisibleWindows()
{
    std::string strTitles;
    EnumWindows([](HWND hWnd, LPARAM lParam) -> BOOL {
        char szTitle[128] = "";
        if (IsWindowVisible(hWnd) && GetWindowTextA(hWnd, szTitle, sizeof(szTitle)) > 0)
            *(std::string *)lParam += std::string(szTitle) + "; ";
        return TRUE;
    }, (LPARAM)&strTitles);
    return strTitles;
}

/* The names of the running programs, for a failure's message. */
static std::string RunningPrograms()
{
    std::string strNames;
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return strNames;
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof(pe);
    for (BOOL bMore = Process32First(hSnapshot, &pe); bMore; bMore = Process32Next(hSnapshot, &pe))
        strNames += std::string(pe.szExeFile) + "; ";
    CloseHandle(hSnapshot);
    return strNames;
}

/* Pictures the wizard for people to look at once its page shows and button 1 is ready. */
static void PictureWhenReady(HWND hWizard, const std::string &strName)
{
    EXPECT_TRUE(WaitFor([&] {
        HWND hPage = CurrentPage(hWizard);
        return IsWindowVisible(hWizard) && hPage != NULL && IsWindowVisible(hPage)
               && IsWindowEnabled(GetDlgItem(hWizard, ID_NEXT));
    }, 60000)) << strName;
    RedrawWindow(hWizard, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(SaveWindowPicture(hWizard, strName));
}

/* Presses button 1 and waits for the next page. */
static bool GoOn(HWND hWizard)
{
    HWND hPage = CurrentPage(hWizard);
    PostMessageA(GetDlgItem(hWizard, ID_NEXT), BM_CLICK, 0, 0);
    return WaitFor([&] { return CurrentPage(hWizard) != hPage && CurrentPage(hWizard) != NULL; }, 20000);
}

static DWORD InstallSilently()
{
    return RunProcess("\"" + BinaryDir() + "setup.exe\" /S /RECEIVER", 120000);
}

/* First session: a silent installation, run by the user without an administrator's rights,
   puts every file, key and value in the user's own places; only the receiver's driver is
   the machine's, in the system's folder of drivers. */
TEST(SetupTest, InstallsIntoFreshPrefix)
{
    ASSERT_FALSE(KeyThere(HKEY_CURRENT_USER, ROOT_KEY)) << "the prefix is not fresh";
    EXPECT_EQ("asInvoker", RequestedLevel(BinaryDir() + "setup.exe")) << "no administrator needed";
    ASSERT_EQ(0u, InstallSilently());

    for (const char *pszName : apszInstalled)
        EXPECT_TRUE(FileThere(Installed(pszName))) << pszName;
    EXPECT_EQ("asInvoker", RequestedLevel(Installed("uninstall.exe")));
    /* Stripped: the installed library is smaller than the built one. */
    WIN32_FILE_ATTRIBUTE_DATA fadBuilt, fadInstalled;
    ASSERT_TRUE(GetFileAttributesExA((BinaryDir() + "Corvalin.dll").c_str(), GetFileExInfoStandard, &fadBuilt));
    ASSERT_TRUE(GetFileAttributesExA(Installed("Corvalin.dll").c_str(), GetFileExInfoStandard, &fadInstalled));
    EXPECT_LT(fadInstalled.nFileSizeLow, fadBuilt.nFileSizeLow);

    EXPECT_EQ(InstallDir(), RegString(HKEY_CURRENT_USER, SETTINGS_KEY, "WorkingDirectory"));
    EXPECT_EQ("PC", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Mode", "1"));
    EXPECT_EQ("CD", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Mode", "5"));
    EXPECT_EQ("22", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Translation", "64"));
    EXPECT_EQ("LAUNCH\"notepad.exe\"", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\PC", "34"));
    EXPECT_EQ("MIXERVOLUP", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Default", "0"));
    /* The user's hive holds the applet, the logon start and the uninstall entry; the
       machine's holds none of them. */
    EXPECT_EQ(Installed("Selvane.cpl"), RegString(HKEY_CURRENT_USER, CPLS_KEY, "Selvane"));
    EXPECT_EQ("\"" + Installed("Tellumo.exe") + "\"", RegString(HKEY_CURRENT_USER, RUN_KEY, "Tellumo"));
    EXPECT_EQ("Orvane", RegString(HKEY_CURRENT_USER, UNINSTALL_KEY, "DisplayName"));
    EXPECT_EQ("<missing>", RegString(HKEY_LOCAL_MACHINE, CPLS_KEY, "Selvane"));
    EXPECT_EQ("<missing>", RegString(HKEY_LOCAL_MACHINE, RUN_KEY, "Tellumo"));
    EXPECT_FALSE(KeyThere(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    EXPECT_TRUE(FileThere(MenuFolder() + "\\Orvane tray program.lnk"));
    EXPECT_TRUE(FileThere(MenuFolder() + "\\Virtual remote.lnk"));
    EXPECT_EQ(SystemDriverFile(), DriverServicePath()) << "the kernel loads nothing a user can change";
    MIRELOSTATE msState;
    EXPECT_TRUE(QueryReceiver(&msState)) << "the receiver stand-in runs";
}

/* Next logon: the tray program has started by itself and shows its icon; a press of the
   virtual remote runs the button's first assignment; the Control Panel lists the applet,
   which leaves the configuration to the running tray program and, once it is closed, opens
   the configuration itself. */
TEST(SetupTest, WorksAfterLogon)
{
    HWND hTray = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hTray = FindWindowA("TELLUMO", "Zendra Remote Buttons")) != NULL; }, 30000));
    std::vector<tagTRAYENTRY> vIcons;
    EXPECT_TRUE(WaitFor([&] { return ReadTrayIcons(&vIcons) && vIcons.size() == 1; }, 10000));
    ASSERT_EQ(1u, vIcons.size());
    EXPECT_EQ("PC Mode Selected", vIcons[0].strTip);

    ASSERT_EQ(0u, RunProcess("\"" + Installed("remote.exe") + "\" /play PC PLAY"));
    HWND hNotepad = NULL;
    EXPECT_TRUE(WaitFor([&] { return (hNotepad = FindWindowA("Notepad", NULL)) != NULL && IsWindowVisible(hNotepad); },
                        20000));
    SaveScreenShot("setup_after_logon.bmp");
    if (hNotepad != NULL)
        PostMessageA(hNotepad, WM_CLOSE, 0, 0);

    EXPECT_NE(std::string::npos, ControlPanelNames().find("Remote Mouse\n")) << ControlPanelNames();

    /* The tray icon's Configure opens the configuration over the tray program. */
    PostMessageA(hTray, WM_COMMAND, TRAY_CONFIGURE, 0);
    HWND hConfiguration = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hConfiguration = OwnedWindow(hTray)) != NULL; }, 20000));
    PostMessageA(hConfiguration, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hConfiguration); }, 20000));

    /* The installed applet, as the Control Panel opens it: with the tray program running,
       the configuration is the tray program's and the page offers none; without it, the
       page's button finds the configuration where the installation put it. */
    for (bool bTrayRuns : { true, false }) {
        if (!bTrayRuns) {
            PostMessageA(hTray, WM_COMMAND, TRAY_CLOSE, 0);
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(hTray); }, 20000));
        }
        HANDLE hControl = StartProcess("control.exe \"" + Installed("Selvane.cpl") + "\"");
        HWND hSheet = NULL;
        ASSERT_TRUE(WaitFor([&] {
            return (hSheet = FindWindowA(NULL, "Remote Mouse Properties")) != NULL && IsWindowVisible(hSheet);
        }, 20000));
        HWND hButton = GetDlgItem(PropSheet_GetCurrentPageHwnd(hSheet), IDC_CONFIGURATION);
        EXPECT_EQ(!bTrayRuns, IsWindowVisible(hButton) != FALSE);
        if (!bTrayRuns) {
            PostMessageA(hButton, BM_CLICK, 0, 0);
            ASSERT_TRUE(WaitFor([&] { return (hConfiguration = OwnedWindow(hSheet)) != NULL; }, 20000));
            EXPECT_TRUE(SaveWindowPicture(hConfiguration, "setup_applet_configuration"));
            PostMessageA(hConfiguration, WM_CLOSE, 0, 0);
            EXPECT_TRUE(WaitFor([&] { return !IsWindow(hConfiguration); }, 20000));
        }
        PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        EXPECT_TRUE(WaitFor([&] { return WaitForSingleObject(hControl, 0) == WAIT_OBJECT_0; }, 20000));
        CloseHandle(hControl);
    }

    /* The tray program comes back as the next logon starts it. */
    HANDLE hTrayProgram = StartProcess(RegString(HKEY_CURRENT_USER, RUN_KEY, "Tellumo"));
    EXPECT_NE(nullptr, hTrayProgram);
    if (hTrayProgram != NULL)
        CloseHandle(hTrayProgram);
    EXPECT_TRUE(WaitFor([] { return FindWindowA("TELLUMO", "Zendra Remote Buttons") != NULL; }, 60000));
}

/* A command of the configuration's window menu on a profile file, answered as a person
   would: the file dialog gets the path, a load's question is answered Yes. Returns the
   question's text (empty for a save). */
static std::string ProfileThroughMenu(HWND hConfiguration, UINT uiCommand, const std::string &strPath)
{
    PostMessageA(hConfiguration, WM_SYSCOMMAND, uiCommand, 0);
    HWND hFiles = NULL;
    EXPECT_TRUE(WaitFor([&] { return (hFiles = OwnedWindow(hConfiguration)) != NULL; }, 20000));
    SetDlgItemTextA(hFiles, 0x47C /* file name */, strPath.c_str());
    PostMessageA(hFiles, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hFiles); }, 20000));
    std::string strQuestion;
    HWND hQuestion = NULL;
    if (uiCommand == SC_LOAD_PROFILE
        && WaitFor([&] { return (hQuestion = FindQuestion("Remote Profile")) != NULL; }, 20000)) {
        strQuestion = StaticTexts(hQuestion);
        PostMessageA(hQuestion, WM_COMMAND, IDYES, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(hQuestion); }, 20000));
    }
    return strQuestion;
}

/* A whole file as text; false when it cannot be read. */
static bool ReadTextFile(const std::string &strPath, std::string *pstrText)
{
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    pstrText->assign(GetFileSize(hFile, NULL), '\0');
    DWORD cbRead = 0;
    bool bRead = ReadFile(hFile, &(*pstrText)[0], (DWORD)pstrText->size(), &cbRead, NULL) && cbRead == pstrText->size();
    CloseHandle(hFile);
    return bRead;
}

static bool WriteTextFile(const std::string &strPath, const std::string &strText)
{
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD cbDone = 0;
    bool bWritten = WriteFile(hFile, strText.data(), (DWORD)strText.size(), &cbDone, NULL) && cbDone == strText.size();
    return CloseHandle(hFile) && bWritten;
}

/* The text with the first occurrence of strOld (which must be there) replaced. */
static std::string Replaced(std::string strText, const std::string &strOld, const std::string &strNew)
{
    size_t iAt = strText.find(strOld);
    EXPECT_NE(std::string::npos, iAt) << strOld;
    return iAt == std::string::npos ? strText : strText.replace(iAt, strOld.size(), strNew);
}

/* A profile renames the first mode and changes the translation: saved from the
   configuration, edited as a text, loaded back. Then an upgrade through the wizard over the
   running installation: it offers the installed folder; every mode name, translation and
   assignment of the user stays, a missing one comes back into the renamed mode, and the tray
   program runs again. */
TEST(SetupTest, UpgradeKeepsAssignments)
{
    HWND hOldTray = FindWindowA("TELLUMO", "Zendra Remote Buttons");
    ASSERT_NE(nullptr, hOldTray);
    PostMessageA(hOldTray, WM_COMMAND, TRAY_CONFIGURE, 0);
    HWND hConfiguration = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hConfiguration = OwnedWindow(hOldTray)) != NULL; }, 20000));
    char szTemporary[MAX_PATH] = "";
    GetTempPathA(sizeof(szTemporary), szTemporary);
    const std::string strProfile = std::string(szTemporary) + "renamed.orp";
    ProfileThroughMenu(hConfiguration, SC_SAVE_PROFILE, strProfile);
    std::string strText;
    ASSERT_TRUE(WaitFor([&] { return ReadTextFile(strProfile, &strText) && strText.find("End of profile") != std::string::npos; }));
    strText = Replaced(strText, "\r\n1=\"PC\"\r\n", "\r\n1=\"Desktop\"\r\n");
    strText = Replaced(strText, "\r\n[PC]\r\n", "\r\n[Desktop]\r\n");
    strText = Replaced(strText, "34=\"LAUNCH\\\"notepad.exe\\\"\"", "34=\"LAUNCH\\\"winver.exe\\\"\"");
    strText = Replaced(strText, "\r\n64=\"22\"\r\n", "\r\n64=\"ff\"\r\n");
    strText = Replaced(strText, "\r\n68=\"26\"\r\n", "\r\n");
    ASSERT_TRUE(WriteTextFile(strProfile, strText));
    const std::string strQuestion = ProfileThroughMenu(hConfiguration, SC_LOAD_PROFILE, strProfile);
    EXPECT_NE(std::string::npos, strQuestion.find("that are removed: 1.")) << strQuestion;
    PostMessageA(hConfiguration, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(hConfiguration); }, 20000));
    DeleteFileA(strProfile.c_str());
    ASSERT_EQ("Desktop", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Mode", "1"));
    ASSERT_EQ("<missing>", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Translation", "68"));
    DeleteRegValue(HKEY_CURRENT_USER, ROOT_KEY "\\Desktop", "0");

    HANDLE hSetup = StartProcess("\"" + BinaryDir() + "setup.exe\"");
    ASSERT_NE(nullptr, hSetup);
    HWND hWizard = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hWizard = FindWizard("Orvane Setup")) != NULL; }, 30000));
    PictureWhenReady(hWizard, "setup_1_welcome");
    ASSERT_TRUE(GoOn(hWizard));
    PictureWhenReady(hWizard, "setup_2_components");
    ASSERT_TRUE(GoOn(hWizard));
    /* The page fills the folder in after it appears. */
    char szFolder[MAX_PATH] = "";
    EXPECT_TRUE(WaitFor([&] {
        return GetDlgItemTextA(CurrentPage(hWizard), ID_DIRECTORY, szFolder, sizeof(szFolder)) > 0;
    }, 20000));
    std::string strFolder = szFolder;
    if (!strFolder.empty() && strFolder.back() == '\\')
        strFolder.pop_back();          /* the page may end the folder with a backslash */
    EXPECT_EQ(InstallDir(), strFolder);
    PictureWhenReady(hWizard, "setup_3_folder");
    ASSERT_TRUE(GoOn(hWizard));
    PictureWhenReady(hWizard, "setup_4_installed");
    ASSERT_TRUE(GoOn(hWizard));
    PictureWhenReady(hWizard, "setup_5_finish");
    PostMessageA(GetDlgItem(hWizard, ID_NEXT), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return WaitForSingleObject(hSetup, 0) == WAIT_OBJECT_0; }, 30000));
    CloseHandle(hSetup);

    EXPECT_EQ("Desktop", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Mode", "1"));
    EXPECT_EQ("LAUNCH\"winver.exe\"", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Desktop", "34"));
    EXPECT_EQ("NEXTTASK", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Desktop", "0"));
    EXPECT_EQ("ff", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Translation", "64"));
    EXPECT_EQ("26", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Translation", "68"));
    EXPECT_EQ(InstallDir(), RegString(HKEY_CURRENT_USER, SETTINGS_KEY, "WorkingDirectory"));
    EXPECT_FALSE(IsWindow(hOldTray));
    EXPECT_TRUE(WaitFor([] { return FindWindowA("TELLUMO", "Zendra Remote Buttons") != NULL; }, 60000))
        << "running: " << RunningPrograms();
}

/* Uninstall: first silently keeping the assignments (the renamed mode, the translation, the
   assignments and the other remotes' map stay, nothing else), and installing once more brings them back in use;
   then through the uninstaller's pages answering that nothing is to be kept: no file, key,
   value, shortcut, service or driver of ours is left. */
TEST(SetupTest, UninstallLeavesNothing)
{
    ASSERT_TRUE(Uninstall("/KEEP"));
    EXPECT_EQ(nullptr, FindWindowA("TELLUMO", "Zendra Remote Buttons"));
    EXPECT_EQ("Desktop", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Mode", "1"));
    EXPECT_EQ("LAUNCH\"winver.exe\"", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Desktop", "34"));
    EXPECT_EQ("ff", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Translation", "64"));
    EXPECT_TRUE(KeyThere(HKEY_CURRENT_USER, ROOT_KEY "\\Default"));
    EXPECT_FALSE(KeyThere(HKEY_CURRENT_USER, ROOT_KEY "\\PC")) << "no mode is called so any more";
    /* Of the settings, only what a person makes there stays: the map of other remotes'
       buttons, which the tray program stored at its first start. */
    EXPECT_EQ("<missing>", RegString(HKEY_CURRENT_USER, SETTINGS_KEY, "WorkingDirectory"));
    EXPECT_TRUE(KeyThere(HKEY_CURRENT_USER, SETTINGS_KEY "\\Receiver"));

    ASSERT_EQ(0u, InstallSilently());
    EXPECT_EQ("Desktop", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Mode", "1"));
    EXPECT_EQ("LAUNCH\"winver.exe\"", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Desktop", "34"));
    EXPECT_EQ("ff", RegString(HKEY_CURRENT_USER, ROOT_KEY "\\Translation", "64"));
    EXPECT_EQ(InstallDir(), RegString(HKEY_CURRENT_USER, SETTINGS_KEY, "WorkingDirectory"));

    /* The uninstaller hands over to a copy of itself, whose window comes next. */
    ASSERT_EQ(0u, RunProcess("\"" + Installed("uninstall.exe") + "\""));
    HWND hWizard = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hWizard = FindWizard("Orvane Uninstall")) != NULL; }, 30000))
        << VisibleWindows();
    PictureWhenReady(hWizard, "uninstall_1_confirm");
    PostMessageA(GetDlgItem(hWizard, ID_NEXT), BM_CLICK, 0, 0);
    HWND hQuestion = NULL;
    ASSERT_TRUE(WaitFor([&] { return (hQuestion = FindQuestion("Orvane Uninstall")) != NULL; }, 30000))
        << VisibleWindows();
    EXPECT_TRUE(SaveWindowPicture(hQuestion, "uninstall_2_keep"));
    PostMessageA(GetDlgItem(hQuestion, IDNO), BM_CLICK, 0, 0);
    PictureWhenReady(hWizard, "uninstall_3_done");
    PostMessageA(GetDlgItem(hWizard, ID_NEXT), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor(Uninstalled, 60000));
    EXPECT_TRUE(WaitFor([] { return FindWizard("Orvane Uninstall") == NULL; }, 20000));

    EXPECT_FALSE(KeyThere(HKEY_CURRENT_USER, VENDOR_KEY));
    EXPECT_EQ("<missing>", RegString(HKEY_CURRENT_USER, CPLS_KEY, "Selvane"));
    EXPECT_EQ("<missing>", RegString(HKEY_CURRENT_USER, RUN_KEY, "Tellumo"));
    EXPECT_FALSE(FileThere(MenuFolder()));
    EXPECT_FALSE(DriverServiceThere());
    EXPECT_FALSE(FileThere(SystemDriverFile()));
    EXPECT_EQ(std::string::npos, ControlPanelNames().find("Remote Mouse\n"));
}
