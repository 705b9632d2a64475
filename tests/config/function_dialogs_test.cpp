/*
 * The function editor and its family dialogs, run as a user meets them: each scenario
 * opens the real dialogs of Brenvik's templates on a button record, acts on them with
 * messages and key presses, and reads what they left in the holders and the button.
 */
#include <gtest/gtest.h>
#include <windowsx.h>
#include <string>
#include <vector>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "but32.h"
#include "editor.h"
#include "family.h"
#include "mode32_lists.h"
#include "mode32_text.h"
#include "rem32_layout.h"
#include "dialog_script.h"
#include "testsupport.h"
#include "htmlhelp.h"
#include "OrvaneStore.h"

namespace {

const char szDovrelKey[] = "Software\\Zendra\\Dovrel(TM)";
const char szSettings[] = ORVANE_SETTINGS_KEY;
const char szRoot[] = ORVANE_ROOT_KEY;

class FunctionDialogs : public ::testing::Test {
protected:
    tagBUTTONINFO *pbiRecord = nullptr;
    bool bHadDirectory = false;
    std::string strDirectory;

    void SetUp() override
    {
        hInstance = LoadLibraryA("Brenvik.dll");
        ASSERT_NE(hInstance, nullptr);
        DeleteRegKey(HKEY_CURRENT_USER, szDovrelKey);
        /* The pictures lie next to the programs, the installation directory. */
        bHadDirectory = ReadRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", &strDirectory);
        WriteRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", BinaryDir());
        CreateButtonMemory(&pbiRecord, 1);
        ASSERT_NE(pbiRecord, nullptr);
    }

    void TearDown() override
    {
        Editor()->pbiButton = nullptr;
        FreeButtonFunctions(&Editor()->pbiHolder);
        FreeButtonFunctions(&pbiRecord);
        DeleteRegKey(HKEY_CURRENT_USER, szDovrelKey);
        if (bHadDirectory)
            WriteRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", strDirectory);
        else
            DeleteRegValue(HKEY_CURRENT_USER, szSettings, "WorkingDirectory");
    }

    /* The button being edited, and the holders the function editor makes from it. */
    void Edit(int fFunction, LPCSTR lpszPrimary, LPCSTR lpszExtra1 = nullptr, LPCSTR lpszExtra2 = nullptr)
    {
        AssignButtonInfo(pbiRecord, fFunction, lpszPrimary, lpszExtra1, lpszExtra2);
        Editor()->pbiButton = pbiRecord;
        GenerateButtonFunctions(&Editor()->pbiHolder, Editor()->pbiButton, &Editor()->bEmpty);
        Editor()->fCurrentFunction = lpszPrimary != nullptr || lpszExtra1 != nullptr ? fFunction : NO_FUNCTION;
    }

    static tagBUTTONINFO *Holder(int fFunction) { return FindHolder(Editor()->pbiHolder, fFunction); }

    static bool Run(WORD wTemplate, DLGPROC lpfnProc, const std::vector<tagSCRIPTSTEP> &steps,
                    std::vector<std::string> *pstrSeen = nullptr)
    {
        return RunScript([&] { DialogBoxRes(wTemplate, NULL, lpfnProc); }, steps, pstrSeen);
    }
};

std::string Str(LPCSTR lpsz) { return lpsz != nullptr ? lpsz : "(null)"; }

bool Enabled(HWND hDlg, int iControl) { return IsWindowEnabled(GetDlgItem(hDlg, iControl)) != FALSE; }

/* Types into an emptied box as the keyboard would, so that its length limit applies. */
void TypeText(HWND hDlg, int iControl, const std::string &strText)
{
    SetDlgItemTextA(hDlg, iControl, "");
    for (char c : strText)
        SendDlgItemMessageA(hDlg, iControl, WM_CHAR, (BYTE)c, 0);
}

/* Closes the refusal that a step expects, and checks its dialog is still open. */
tagSCRIPTSTEP Refusal()
{
    return {REFUSAL_CAPTION, [](HWND hBox) { PostMessageA(hBox, WM_COMMAND, IDOK, 0); }};
}

void PressKeys(std::initializer_list<std::pair<WORD, bool>> keys)
{
    std::vector<INPUT> inputs;
    for (const auto &key : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key.first;
        input.ki.dwFlags = key.second ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

/* Where the client area of a window shows the current family's dark red; empty when
   nowhere. */
RECT MarkedArea(HWND hWnd)
{
    RECT rClient, rMarked = {};
    UpdateWindow(hWnd);
    GetClientRect(hWnd, &rClient);
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = rClient.right;
    bih.biHeight = -rClient.bottom;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    DWORD *pdwBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(NULL, (BITMAPINFO *)&bih, DIB_RGB_COLORS, (void **)&pdwBits, NULL, 0);
    HDC hDC = GetDC(hWnd);
    HDC hMemDC = CreateCompatibleDC(hDC);
    HGDIOBJ hOld = SelectObject(hMemDC, hBitmap);
    BitBlt(hMemDC, 0, 0, rClient.right, rClient.bottom, hDC, 0, 0, SRCCOPY);
    GdiFlush();
    for (int y = 0; y < rClient.bottom; y++)
        for (int x = 0; x < rClient.right; x++)
            if ((pdwBits[y * rClient.right + x] & 0xFFFFFF) == 0xC00000) {
                RECT rPixel = { x, y, x + 1, y + 1 };
                UnionRect(&rMarked, &rMarked, &rPixel);
            }
    SelectObject(hMemDC, hOld);
    DeleteDC(hMemDC);
    ReleaseDC(hWnd, hDC);
    DeleteObject(hBitmap);
    return rMarked;
}

// ---- Text rules ------------------------------------------------------------------------

TEST(FunctionTextRules, CommandLengthsAndShownText)
{
    char szShown[16];
    EXPECT_TRUE(DoubleAmpersands("a & b&", szShown, sizeof(szShown)));
    EXPECT_STREQ(szShown, "a && b&&");
    EXPECT_FALSE(DoubleAmpersands("&&&&&&&&", szShown, sizeof(szShown)));   /* 16 + NUL */
    EXPECT_STREQ(szShown, "");

    EXPECT_EQ(LaunchArgumentLength("C:\\A.EXE", "", nullptr), 8);
    EXPECT_EQ(LaunchArgumentLength("C:\\A.EXE", "x y", "1,2"), 8 + 4 + 4);
    EXPECT_EQ(FilledTemplateLength("WRITE\"%s\"", 5), 12);
    EXPECT_EQ(FilledTemplateLength("PAGEUP,TYPE", 5), 11);                 /* takes no text */

    EXPECT_TRUE(IsPlainArgument("C:\\Program Files\\x.exe /a"));
    EXPECT_FALSE(IsPlainArgument("say \"hi\""));
    EXPECT_FALSE(IsPlainArgument("a\x7F" "b"));
    EXPECT_FALSE(IsPlainArgument("a\x83" "b"));
    EXPECT_EQ(CountCharInString("\"a\"\"b", '"'), 3);
    EXPECT_EQ(CountCharInString(nullptr, '"'), 0);
}

// ---- The function editor ------------------------------------------------------------------

TEST_F(FunctionDialogs, EditorLettersPressesAndCancel)
{
    Edit(APPLAUNCH, "C:\\windows\\notepad.exe");
    POINT ptWeb = {};
    std::vector<std::string> seen;
    bool bDone = Run(IDD_FUNCTIONS, FunctionDlg, {
        {"Functions", [&](HWND hDlg) {
            EXPECT_EQ(Editor()->fCurrentFunction, APPLAUNCH);
            /* An upper-case letter does nothing; the lower-case one opens its family. */
            LRESULT lResult = SendMessageA(hDlg, WM_MENUCHAR, MAKEWPARAM('W', MF_SYSMENU), 0);
            EXPECT_EQ(HIWORD(GetWindowLongPtrA(hDlg, DWLP_MSGRESULT)), MNC_IGNORE) << lResult;
            PostMessageA(hDlg, WM_MENUCHAR, MAKEWPARAM('w', MF_SYSMENU), 0);
        }},
        {"Web Address", [&](HWND hDlg) {
            /* The letter pressed the drawn button: the pointer stands on its centre. */
            GetCursorPos(&ptWeb);
            ScreenToClient(GetParent(hDlg), &ptWeb);
            SetText(hDlg, IDC_WEB_ADDRESS, "http://example.com/a&b");
            PostClick(hDlg, IDOK);
        }},
        {"Functions", [&](HWND hDlg) {
            EXPECT_EQ(Editor()->fCurrentFunction, WEBBROWSER);
            EXPECT_EQ(Str(Holder(WEBBROWSER)->pszPrimary), "http://example.com/a&b");
            SaveWindowPicture(hDlg, "functions-web-chosen");
            /* Pressed on the web button, released away from it: nothing opens. */
            PostMessageA(hDlg, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptWeb.x, ptWeb.y));
            PostMessageA(hDlg, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1, 1));
            PostMessageA(hDlg, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
            /* A real Alt+E then opens the edit family. */
            SetForegroundWindow(hDlg);
            PressKeys({{VK_MENU, true}, {'E', true}, {'E', false}, {VK_MENU, false}});
        }},
        {"Edit", [&](HWND hDlg) { PostClick(hDlg, IDCANCEL); }},
        {"Functions", [&](HWND hDlg) {
            /* Released on the button it pressed: the web family again. */
            PostMessageA(hDlg, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptWeb.x, ptWeb.y));
            PostMessageA(hDlg, WM_LBUTTONUP, 0, MAKELPARAM(ptWeb.x, ptWeb.y));
        }},
        {"Web Address", [&](HWND hDlg) {
            EXPECT_EQ(GetText(hDlg, IDC_WEB_ADDRESS), "http://example.com/a&b");
            EXPECT_EQ(GetText(hDlg, IDC_WEB_DEF_ADDRESS), "http://example.com/a&&b");
            PostClick(hDlg, IDCANCEL);
        }},
        {"Functions", [&](HWND hDlg) { PostClick(hDlg, IDCANCEL); }},
    }, &seen);
    EXPECT_TRUE(bDone);
    std::vector<std::string> expected = {"Functions", "Web Address", "Edit", "Web Address"};
    EXPECT_EQ(seen, expected);
    /* Cancel after a confirmed family dialog leaves the button as it was. */
    EXPECT_EQ(pbiRecord->fFunction, APPLAUNCH);
    EXPECT_EQ(Str(pbiRecord->pszPrimary), "C:\\windows\\notepad.exe");

    /* A button with no function: OK stores none. */
    FreeButtonFunctions(&pbiRecord);
    CreateButtonMemory(&pbiRecord, 1);
    Edit(APPLAUNCH, nullptr);
    bDone = Run(IDD_FUNCTIONS, FunctionDlg, {
        {"Functions", [&](HWND hDlg) {
            EXPECT_EQ(Editor()->fCurrentFunction, NO_FUNCTION);
            SaveWindowPicture(hDlg, "functions-unassigned");
            PostClick(hDlg, IDOK);
        }},
    });
    EXPECT_TRUE(bDone);
    char szCommand[COMMAND_SIZE];
    EXPECT_EQ(ConvertButtonToCommand(pbiRecord, szCommand), 0);

    /* Started without a button, the editor ends at once and frees the holders. */
    Editor()->pbiButton = nullptr;
    EXPECT_EQ(DialogBoxRes(IDD_FUNCTIONS, NULL, FunctionDlg), 0);
    EXPECT_EQ(Editor()->pbiHolder, nullptr);
}

/* Function editors created on this thread, counted by a creation hook. */
int cEditorsCreated = 0;

LRESULT CALLBACK CountEditors(int iCode, WPARAM wParam, LPARAM lParam)
{
    if (iCode == HCBT_CREATEWND) {
        const CREATESTRUCTA *pcs = ((const CBT_CREATEWNDA *)lParam)->lpcs;
        if (pcs->lpszName != nullptr && !IS_INTRESOURCE(pcs->lpszName) && strcmp(pcs->lpszName, "Functions") == 0)
            ++cEditorsCreated;
    }
    return CallNextHookEx(NULL, iCode, wParam, lParam);
}

/* The holders live as long as the picture of the remote: an editor run leaves them for the
   next button, and closing the picture frees them without opening an editor to do it. */
TEST_F(FunctionDialogs, TheHoldersGoWithThePicture)
{
    cEditorsCreated = 0;
    HHOOK hHook = SetWindowsHookExA(WH_CBT, CountEditors, NULL, GetCurrentThreadId());
    ASSERT_NE(hHook, (HHOOK)NULL);
    int cBeforeClosing = -1;
    bool bDone = RunScript([] { MouseButtons(NULL); }, {
        {"Buttons", [](HWND hDlg) {
            /* A double click on digit 1 opens its editor. */
            PostMessageA(hDlg, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 159));
        }},
        {"Functions", [](HWND hDlg) { PostClick(hDlg, IDCANCEL); }},
        {"Buttons", [&](HWND hDlg) {
            EXPECT_NE(Editor()->pbiHolder, nullptr) << "kept for the next button";
            cBeforeClosing = cEditorsCreated;
            PostClick(hDlg, IDCANCEL);
        }},
    });
    UnhookWindowsHookEx(hHook);
    EXPECT_TRUE(bDone);
    EXPECT_EQ(cBeforeClosing, 1);
    EXPECT_EQ(cEditorsCreated, cBeforeClosing) << "closing the picture opened an editor";
    EXPECT_EQ(Editor()->pbiHolder, nullptr);
}

TEST_F(FunctionDialogs, EditorMarksTheCurrentFamily)
{
    /* The mark of one editor run: the dark red area of the drawn buttons. */
    auto Mark = [&](std::vector<tagSCRIPTSTEP> steps) {
        RECT rMark = {};
        steps.push_back({"Functions", [&](HWND hDlg) {
            rMark = MarkedArea(hDlg);
            PostClick(hDlg, IDCANCEL);
        }});
        EXPECT_TRUE(Run(IDD_FUNCTIONS, FunctionDlg, steps));
        return rMark;
    };
    Edit(APPLAUNCH, "C:\\windows\\notepad.exe");
    RECT rLaunch = Mark({});
    ASSERT_FALSE(IsRectEmpty(&rLaunch));
    RECT rWeb = Mark({
        {"Functions", [](HWND hDlg) { PostMessageA(hDlg, WM_MENUCHAR, 'w', 0); }},
        {"Web Address", [](HWND hDlg) {
            TypeText(hDlg, IDC_WEB_ADDRESS, std::string(300, 'a'));
            EXPECT_EQ(GetText(hDlg, IDC_WEB_ADDRESS), std::string(254, 'a')) << "what a command can hold";
            SetText(hDlg, IDC_WEB_ADDRESS, "http://example.com/");
            SaveWindowPicture(hDlg, "web-from-editor");
            PostClick(hDlg, IDOK);
        }},
    });
    EXPECT_GT(rWeb.left, rLaunch.right);        /* the next button of the same row */
    EXPECT_EQ(rWeb.top, rLaunch.top);

    /* A launch chosen without a program is no mark at all. */
    RECT rNone = Mark({
        {"Functions", [](HWND hDlg) { PostMessageA(hDlg, WM_MENUCHAR, 'l', 0); }},
        {"Launch", [](HWND hDlg) {
            SetText(hDlg, IDC_LAUNCH_FILE, "");
            SetText(hDlg, IDC_LAUNCH_CMDLINE, "/only");
            PostClick(hDlg, IDOK);
        }},
    });
    EXPECT_TRUE(IsRectEmpty(&rNone));

    /* With home-automation software, window messages are marked on the system button,
       under the web button. */
    WriteRegString(HKEY_CURRENT_USER, szDovrelKey, "Installed", "1");
    FreeButtonFunctions(&pbiRecord);
    CreateButtonMemory(&pbiRecord, 1);
    Edit(MESSAGE, "[0010:0:0]");
    RECT rMessage = Mark({});
    EXPECT_EQ(rMessage.left, rWeb.left);
    EXPECT_GT(rMessage.top, rWeb.bottom);
}

// ---- The family dialogs --------------------------------------------------------------------

TEST_F(FunctionDialogs, LaunchDefaultDataLimitsAndShortPath)
{
    Edit(WEBBROWSER, "http://example.com/");
    AssignButtonInfo(Holder(APPLAUNCH), APPLAUNCH, "C:\\windows\\notepad.exe", "a & b", "10,20");
    std::string strLong(300, 'x');
    bool bDone = Run(IDD_LAUNCH, LaunchDlgProc, {
        {"Launch", [&](HWND hDlg) {
            /* Not the button's function: blank fields, the last data in the Default Data group
               with "&" shown as itself. */
            EXPECT_EQ(GetText(hDlg, IDC_LAUNCH_FILE), "");
            EXPECT_EQ(GetText(hDlg, IDC_LAUNCH_DEF_CMDLINE), "a && b");
            EXPECT_EQ(GetText(hDlg, IDC_LAUNCH_DEF_POSTEXT), "10,20");
            EXPECT_TRUE(Enabled(hDlg, IDC_SET_VALUES));
            SaveWindowPicture(hDlg, "launch-default-data");
            PostClick(hDlg, IDC_SET_VALUES);
        }},
        {"Launch", [&](HWND hDlg) {
            EXPECT_EQ(GetText(hDlg, IDC_LAUNCH_CMDLINE), "a & b");
            EXPECT_EQ(GetText(hDlg, IDC_LAUNCH_POSTEXT), "10,20");
            SetText(hDlg, IDC_LAUNCH_CMDLINE, strLong);
            PostClick(hDlg, IDOK);
        }},
        Refusal(),
        {"Launch", [&](HWND hDlg) {
            SetText(hDlg, IDC_LAUNCH_CMDLINE, "\"my file.txt\"");
            PostClick(hDlg, IDOK);
        }},
        Refusal(),
        {"Launch", [&](HWND hDlg) {
            EXPECT_EQ(Str(Holder(APPLAUNCH)->pszExtra1), "a & b");    /* nothing stored yet */
            SendMessageA(hDlg, WM_COMMAND, IDC_CLEAR, 0);
            EXPECT_EQ(GetText(hDlg, IDC_LAUNCH_POSTEXT), "");
            SetText(hDlg, IDC_LAUNCH_CMDLINE, "/x");
            PostClick(hDlg, IDOK);
        }},
    });
    EXPECT_TRUE(bDone);
    /* An empty file name unassigns the button; the command line is still kept. */
    EXPECT_EQ(Editor()->fCurrentFunction, NO_FUNCTION);
    EXPECT_EQ(Str(Holder(APPLAUNCH)->pszExtra1), "/x");
    EXPECT_EQ(Editor()->bEmpty, (BYTE)~(1 << APPLAUNCH));

    /* A program chosen by its long path is kept in its short form. */
    char szDir[MAX_PATH] = "C:\\Orvane Launch Test Folder";
    CreateDirectoryA(szDir, NULL);
    std::string strProgram = std::string(szDir) + "\\Long Program Name.exe";
    HANDLE hFile = CreateFileA(strProgram.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    CloseHandle(hFile);
    char szShort[MAX_PATH] = "";
    GetShortPathNameA(strProgram.c_str(), szShort, sizeof(szShort));
    bDone = Run(IDD_LAUNCH, LaunchDlgProc, {
        {"Launch", [&](HWND hDlg) {
            EXPECT_EQ(GetText(hDlg, IDC_LAUNCH_FILE), "");        /* the last OK unassigned it */
            SetText(hDlg, IDC_LAUNCH_FILE, strProgram);
            PostClick(hDlg, IDOK);
        }},
    });
    EXPECT_TRUE(bDone);
    EXPECT_EQ(Editor()->fCurrentFunction, APPLAUNCH);
    EXPECT_EQ(Str(Holder(APPLAUNCH)->pszPrimary), szShort);
    EXPECT_EQ(std::string(szShort).find(' '), std::string::npos);
    DeleteFileA(strProgram.c_str());
    RemoveDirectoryA(szDir);
}

TEST_F(FunctionDialogs, MediaDeviceFollowsTheFunction)
{
    WritePrivateProfileStringA("mci", "cdaudio", "mcicda.drv", "system.ini");
    WritePrivateProfileStringA("mci", "sequencer", "mciseq.drv", "system.ini");
    Edit(MULTIMEDIA, "cdaudio", "Change Track", "3");
    bool bDone = Run(IDD_MULTIMEDIA, MultiDlgProc, {
        {"Multi Media", [&](HWND hDlg) {
            EXPECT_EQ(SelectedEntry(hDlg, IDC_MM_DEVICE), "cdaudio");
            EXPECT_EQ(SelectedEntry(hDlg, IDC_MM_FUNCTION), "Change Track");
            EXPECT_EQ(GetText(hDlg, IDC_MM_TRACK), "3");
            EXPECT_TRUE(Enabled(hDlg, IDC_MM_DEVICE));
            SaveWindowPicture(hDlg, "media-change-track");
            SetText(hDlg, IDC_MM_TRACK, "1a");
            PostClick(hDlg, IDOK);
        }},
        Refusal(),
        {"Multi Media", [&](HWND hDlg) {
            EXPECT_EQ(Str(Holder(MULTIMEDIA)->pszExtra2), "3");
            TypeText(hDlg, IDC_MM_TRACK, "98765");
            EXPECT_EQ(GetText(hDlg, IDC_MM_TRACK), "9876");
            SetText(hDlg, IDC_MM_TRACK, "12");
            ChooseEntry(hDlg, IDC_MM_FUNCTION, 11);                  /* "Master Mute" */
        }},
        {"Multi Media", [&](HWND hDlg) {
            EXPECT_FALSE(Enabled(hDlg, IDC_MM_DEVICE));
            EXPECT_FALSE(Enabled(hDlg, IDC_MM_TRACK));
            PostClick(hDlg, IDOK);
        }},
    });
    EXPECT_TRUE(bDone);
    EXPECT_EQ(Editor()->fCurrentFunction, MULTIMEDIA);
    EXPECT_EQ(Holder(MULTIMEDIA)->pszPrimary, nullptr);              /* no device */
    EXPECT_EQ(Str(Holder(MULTIMEDIA)->pszExtra1), "Master Mute");

    /* Opened for a button of another family, OK with no function chosen stores nothing
       and keeps the family. */
    FreeButtonFunctions(&pbiRecord);
    CreateButtonMemory(&pbiRecord, 1);
    Edit(EDIT, "Page Up");
    bDone = Run(IDD_MULTIMEDIA, MultiDlgProc, {
        {"Multi Media", [&](HWND hDlg) {
            EXPECT_EQ(SelectedEntry(hDlg, IDC_MM_FUNCTION), "");
            EXPECT_EQ(GetText(hDlg, IDC_MM_DEF_FUNCTION), "Master Mute");
            PostClick(hDlg, IDOK);
        }},
    });
    EXPECT_TRUE(bDone);
    EXPECT_EQ(Editor()->fCurrentFunction, MULTIMEDIA);
    EXPECT_EQ(Holder(MULTIMEDIA)->pszPrimary, nullptr);
    EXPECT_EQ(Holder(MULTIMEDIA)->pszExtra1, nullptr);
    EXPECT_EQ(Holder(MULTIMEDIA)->pszExtra2, nullptr);
}

TEST_F(FunctionDialogs, EditTextQuotesCountTwice)
{
    Edit(EDIT, "Type", "say \"hi\" & bye");
    std::string strQuotes(130, '"');                                /* 260 once doubled */
    bool bDone = Run(IDD_EDIT, EditDlgProc, {
        {"Edit", [&](HWND hDlg) {
            EXPECT_EQ(SelectedEntry(hDlg, IDC_EDIT_FUNCTION), "Type");
            EXPECT_EQ(GetText(hDlg, IDC_EDIT_DATA), "say \"hi\" & bye");
            EXPECT_EQ(GetText(hDlg, IDC_EDIT_DEF_DATA), "say \"hi\" && bye");
            SaveWindowPicture(hDlg, "edit-type");
            SetText(hDlg, IDC_EDIT_DATA, strQuotes);
            PostClick(hDlg, IDOK);
        }},
        Refusal(),
        {"Edit", [&](HWND hDlg) {
            /* The same text for a key that takes none is no command's argument. */
            ChooseEntry(hDlg, IDC_EDIT_FUNCTION, 0);
            PostClick(hDlg, IDOK);
        }},
    });
    EXPECT_TRUE(bDone);
    EXPECT_EQ(Editor()->fCurrentFunction, EDIT);
    EXPECT_EQ(Str(Holder(EDIT)->pszPrimary), "Page Up");
}

TEST_F(FunctionDialogs, SystemHotKeyCodeAndMessageEntry)
{
    /* Hot Key, Ctrl with " A" assigned, then Task Manager: the code stays with the entry. */
    Edit(EDIT, "Page Up");
    bool bDone = Run(IDD_SYSTEM, SystemDlgProc, {
        {"System", [&](HWND hDlg) {
            EXPECT_FALSE(Enabled(hDlg, IDC_SYS_ASSIGN));
            ChooseEntry(hDlg, IDC_SYS_FUNCTION, 28);                 /* "Hot Key" */
            PostClick(hDlg, IDC_SYS_ASSIGN);
        }},
        {"Hot Key", [&](HWND hDlg) {
            SendMessageA(GetDlgItem(hDlg, IDC_HK_CTRL), BM_CLICK, 0, 0);
            ComboBox_SetCurSel(GetDlgItem(hDlg, IDC_HK_KEY), 1);     /* " A" */
            PostClick(hDlg, IDOK);
        }},
        {"System", [&](HWND hDlg) {
            EXPECT_EQ(GetText(hDlg, IDC_SYS_HOTKEY_CODE), "-C-A");
            EXPECT_NE(GetText(hDlg, IDC_SYS_CURRENT), "");
            ChooseEntry(hDlg, IDC_SYS_FUNCTION, 0);                  /* "Task Manager" */
        }},
        {"System", [&](HWND hDlg) {
            EXPECT_FALSE(Enabled(hDlg, IDC_SYS_ASSIGN));
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(hDlg, IDC_SYS_CURRENT)));
            PostClick(hDlg, IDOK);
        }},
    });
    EXPECT_TRUE(bDone);
    EXPECT_EQ(Editor()->fCurrentFunction, SYSTEM);
    EXPECT_EQ(Str(Holder(SYSTEM)->pszPrimary), "Task Manager");
    EXPECT_EQ(Str(Holder(SYSTEM)->pszExtra1), "-C-A");
    EXPECT_EQ(Editor()->lHotKeyCode, 0);                                      /* reset on closing */

    /* A stored hot key opens with its Assign group and text. */
    FreeButtonFunctions(&pbiRecord);
    CreateButtonMemory(&pbiRecord, 1);
    Edit(SYSTEM, "Hot Key", "-C-A");
    bDone = Run(IDD_SYSTEM, SystemDlgProc, {
        {"System", [&](HWND hDlg) {
            EXPECT_EQ(SelectedEntry(hDlg, IDC_SYS_FUNCTION), "Hot Key");
            EXPECT_TRUE(Enabled(hDlg, IDC_SYS_ASSIGN));
            EXPECT_TRUE(IsWindowVisible(GetDlgItem(hDlg, IDC_SYS_CURRENT)));
            EXPECT_EQ(GetText(hDlg, IDC_SYS_CURRENT), GetText(hDlg, IDC_SYS_DEF_CURRENT));
            SaveWindowPicture(hDlg, "system-hot-key");
            PostClick(hDlg, IDCANCEL);
        }},
    });
    EXPECT_TRUE(bDone);

    /* With home-automation software, a window-message button opens the System dialog on
       "Message Dialog Box", whose OK stores nothing here. */
    WriteRegString(HKEY_CURRENT_USER, szDovrelKey, "Installed", "1");
    FreeButtonFunctions(&pbiRecord);
    CreateButtonMemory(&pbiRecord, 1);
    Edit(MESSAGE, "[0010:0:0]");
    bDone = Run(IDD_SYSTEM, SystemDlgProc, {
        {"System", [&](HWND hDlg) {
            EXPECT_EQ(SelectedEntry(hDlg, IDC_SYS_FUNCTION), "Message Dialog Box");
            EXPECT_EQ(GetText(hDlg, IDC_SYS_DEF_FUNCTION), "Hot Key");
            PostClick(hDlg, IDOK);
        }},
    });
    EXPECT_TRUE(bDone);
    EXPECT_EQ(Editor()->fCurrentFunction, MESSAGE);
    EXPECT_EQ(Str(Holder(MESSAGE)->pszPrimary), "[0010:0:0]");
    EXPECT_EQ(Str(Holder(SYSTEM)->pszPrimary), "Hot Key");

    /* On a stored hot key, Clear forgets the hot key too, not only what shows of it. */
    FreeButtonFunctions(&pbiRecord);
    CreateButtonMemory(&pbiRecord, 1);
    Edit(SYSTEM, "Hot Key", "-C-A");
    bDone = Run(IDD_SYSTEM, SystemDlgProc, {
        {"System", [&](HWND hDlg) {
            SendMessageA(hDlg, WM_COMMAND, IDC_CLEAR, 0);
            EXPECT_EQ(GetText(hDlg, IDC_SYS_CURRENT), "");
            PostClick(hDlg, IDOK);
        }},
    });
    EXPECT_TRUE(bDone);
    EXPECT_EQ(Str(Holder(SYSTEM)->pszPrimary), "Task Manager");
    EXPECT_EQ(Str(Holder(SYSTEM)->pszExtra1), "");
}

// ---- From the picture of the remote to the registry -----------------------------------------

/* A double click on a picture button, at the middle of its rectangle (the picture opens
   unscrolled). */
void DoubleClickPictureButton(HWND hDlg, int iButton)
{
    LPARAM lPoint = MAKELPARAM((rButtons[iButton].left + rButtons[iButton].right) / 2,
                               (rButtons[iButton].top + rButtons[iButton].bottom) / 2);
    PostMessageA(hDlg, WM_MOUSEMOVE, 0, lPoint);
    PostMessageA(hDlg, WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
}

/* Whole configuration runs on digits 8 and 9 of PC mode (left as they were found): what
   the family dialogs show when OK is pressed is what the registry gets. */
TEST_F(FunctionDialogs, WhatTheDialogsShowIsWhatTheRegistryGets)
{
    std::string strModeKey;
    std::string strModes = std::string(szRoot) + "\\Mode";
    if (!ReadRegString(HKEY_CURRENT_USER, strModes.c_str(), "1", &strModeKey) || strModeKey.empty()) {
        strModeKey = "PC";
        WriteRegString(HKEY_CURRENT_USER, strModes.c_str(), "1", strModeKey);
    }
    std::string strKey = std::string(szRoot) + "\\" + strModeKey;
    std::string strSaved[2];
    bool bHad[2];
    const char *pszValues[2] = { "8", "9" };
    for (int i = 0; i < 2; i++)
        bHad[i] = ReadRegString(HKEY_CURRENT_USER, strKey.c_str(), pszValues[i], &strSaved[i]);
    WritePrivateProfileStringA("mci", "cdaudio", "mcicda.drv", "system.ini");
    /* A track change, and a hot key stored without its code. */
    WriteRegString(HKEY_CURRENT_USER, strKey.c_str(), "8", "MCITRACK\"cdaudio\x83" "3\"");
    WriteRegString(HKEY_CURRENT_USER, strKey.c_str(), "9", "HOTKEY\"\"");

    bool bDone = RunScript([] { MouseButtons(NULL); }, {
        {"Buttons", [](HWND hDlg) { DoubleClickPictureButton(hDlg, 8); }},
        {"Functions", [](HWND hDlg) { PostMessageA(hDlg, WM_MENUCHAR, 'm', 0); }},
        {"Multi Media", [](HWND hDlg) {
            EXPECT_EQ(SelectedEntry(hDlg, IDC_MM_FUNCTION), "Change Track");
            EXPECT_EQ(GetText(hDlg, IDC_MM_TRACK), "3");
            /* A bad track, then a volume function, which disables the track box. */
            SetText(hDlg, IDC_MM_TRACK, "1a");
            ChooseEntry(hDlg, IDC_MM_FUNCTION, 11);                  /* "Master Mute" */
        }},
        {"Multi Media", [](HWND hDlg) {
            EXPECT_FALSE(Enabled(hDlg, IDC_MM_TRACK));
            SaveWindowPicture(hDlg, "media-mute-over-bad-track");
            PostClick(hDlg, IDOK);                                   /* the greyed track is not checked */
        }},
        {"Functions", [](HWND hDlg) { PostClick(hDlg, IDOK); }},
        {"Buttons", [](HWND hDlg) { DoubleClickPictureButton(hDlg, 9); }},
        {"Functions", [](HWND hDlg) { PostMessageA(hDlg, WM_MENUCHAR, 's', 0); }},
        {"System", [](HWND hDlg) {
            EXPECT_EQ(SelectedEntry(hDlg, IDC_SYS_FUNCTION), "Hot Key");
            EXPECT_EQ(GetText(hDlg, IDC_SYS_CURRENT), "");
            PostClick(hDlg, IDC_SYS_ASSIGN);
        }},
        {"Hot Key", [](HWND hDlg) {
            SendMessageA(GetDlgItem(hDlg, IDC_HK_CTRL), BM_CLICK, 0, 0);
            ComboBox_SetCurSel(GetDlgItem(hDlg, IDC_HK_KEY), 1);     /* " A" */
            PostClick(hDlg, IDOK);
        }},
        {"System", [](HWND hDlg) {
            EXPECT_EQ(GetText(hDlg, IDC_SYS_CURRENT), "CTRL- A");
            PostClick(hDlg, IDC_SET_VALUES);
        }},
        {"System", [](HWND hDlg) {
            /* The stored hot key has no code: nothing of the assigned one stays. */
            EXPECT_EQ(GetText(hDlg, IDC_SYS_CURRENT), "");
            EXPECT_EQ(Editor()->lHotKeyCode, 0);
            EXPECT_EQ(Editor()->bExtraChar, 0);
            SaveWindowPicture(hDlg, "system-set-values-empty-hot-key");
            PostClick(hDlg, IDC_SYS_ASSIGN);
        }},
        {"Hot Key", [](HWND hDlg) {
            EXPECT_EQ(IsDlgButtonChecked(hDlg, IDC_HK_CTRL), BST_UNCHECKED);
            EXPECT_EQ(SelectedEntry(hDlg, IDC_HK_KEY), " ---");
            PostClick(hDlg, IDCANCEL);
        }},
        {"System", [](HWND hDlg) {
            EXPECT_EQ(GetText(hDlg, IDC_SYS_CURRENT), "");
            PostClick(hDlg, IDOK);
        }},
        {"Functions", [](HWND hDlg) { PostClick(hDlg, IDOK); }},
        {"Buttons", [](HWND hDlg) { PostMessageA(hDlg, WM_CLOSE, 0, 0); }},
    });
    EXPECT_TRUE(bDone);
    std::string strCommand;
    EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, strKey.c_str(), "8", &strCommand));
    EXPECT_EQ(strCommand, "MIXERMUTE");
    EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, strKey.c_str(), "9", &strCommand));
    EXPECT_EQ(strCommand, "HOTKEY\"---\"");                        /* no modifier, no key */

    for (int i = 0; i < 2; i++)
        WriteRegString(HKEY_CURRENT_USER, strKey.c_str(), pszValues[i], bHad[i] ? strSaved[i] : "");
}

} // namespace

/* Help in a family dialog: the help file of the installation opens in the HTML Help window
   (titled with the file's title), closing the dialog closes it, a second dialog opens it
   again; without the file a message box names the file it looked for. */
TEST_F(FunctionDialogs, HelpButtonOpensTheHelpFileAndClosingTheDialogClosesIt)
{
    Edit(APPLAUNCH, "C:\\windows\\notepad.exe");
    HWND hHelp = NULL;
    char szTitle[128] = "";
    for (auto family : {std::make_pair(IDD_LAUNCH, LaunchDlgProc), std::make_pair(IDD_WEB, WebDlgProc)}) {
        hHelp = NULL;
        bool bDone = Run(family.first, family.second, {
            {family.first == IDD_LAUNCH ? "Launch" : "Web Address", [](HWND hDlg) {
                EXPECT_EQ(HelpWindowOfThread(GetCurrentThreadId()), (HWND)NULL);
                PostClick(hDlg, IDC_HELPBUTTON);
            }},
            {family.first == IDD_LAUNCH ? "Launch" : "Web Address", [&](HWND hDlg) {
                ASSERT_TRUE(WaitFor([&] { return (hHelp = HelpWindowOfThread(GetCurrentThreadId())) != NULL; }));
                EXPECT_TRUE(IsWindowVisible(hHelp));
                GetWindowTextA(hHelp, szTitle, sizeof(szTitle));
                SaveWindowPicture(hHelp, "help-window");
                PostClick(hDlg, IDCANCEL);
            }},
        });
        EXPECT_TRUE(bDone);
        EXPECT_STREQ(szTitle, "Remote Mouse Help");
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(hHelp); })) << "the help window outlived its dialog";
    }

    /* An installation without the help file. */
    char szEmpty[MAX_PATH];
    GetTempPathA(sizeof(szEmpty), szEmpty);
    WriteRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", std::string(szEmpty) + "orvane-no-help");
    std::string strMessage;
    bool bDone = Run(IDD_LAUNCH, LaunchDlgProc, {
        {"Launch", [](HWND hDlg) { PostClick(hDlg, IDC_HELPBUTTON); }},
        {"Help", [&](HWND hBox) {
            strMessage = GetText(hBox, 0xFFFF);
            PostClick(hBox, IDOK);
        }},
        {"Launch", [](HWND hDlg) { PostClick(hDlg, IDCANCEL); }},
    });
    EXPECT_TRUE(bDone);
    EXPECT_NE(strMessage.find("orvane-no-help\\Mirelo.chm"), std::string::npos) << strMessage;
    EXPECT_EQ(HelpWindowOfThread(GetCurrentThreadId()), (HWND)NULL);
}

/* Every topic the programs ask for opens its own page of the help file, the tray's topic
   the start page; a number without a page, or an address too long for its buffer, gives
   nothing. */
TEST(HelpAddresses, EachTopicItsPage)
{
    char szAddress[MAX_PATH];
    ASSERT_TRUE(ComposeHelpAddress("C:\\Orvane\\Mirelo.chm", IDH_FUNCTIONS, szAddress, sizeof(szAddress)));
    EXPECT_STREQ(szAddress, "C:\\Orvane\\Mirelo.chm::/functions.htm");
    EXPECT_STREQ(HelpTopicPage(IDH_CONTENTS), "welcome.htm");
    EXPECT_STREQ(HelpTopicPage(IDH_ZENDRA), "homeauto.htm");
    for (UINT uiArea : uiHelp)
        EXPECT_NE(HelpTopicPage(uiArea), nullptr) << uiArea;
    EXPECT_EQ(HelpTopicPage(14), nullptr);
    EXPECT_FALSE(ComposeHelpAddress("C:\\Orvane\\Mirelo.chm", 14, szAddress, sizeof(szAddress)));
    EXPECT_STREQ(szAddress, "");
    EXPECT_FALSE(ComposeHelpAddress("C:\\Orvane\\Mirelo.chm", IDH_FUNCTIONS, szAddress, 20));
    EXPECT_STREQ(szAddress, "");
}
