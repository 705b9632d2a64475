/*
 * The hot-key dialog and the message sequences: the conversions between a hot-key value,
 * its stored code and its text; the encoding of the messages a button posts; and both
 * dialogs driven with messages over the holder list, as the function editor leaves it.
 * The routines are internal, so this program compiles them in and points them at the DLL.
 */
#include <gtest/gtest.h>
#include <windowsx.h>
#include <string>
#include <vector>
#include "testsupport.h"
#include "dialog_script.h"
#include "msglist.h"
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "but32.h"
#include "editor.h"
#include "mode32_hotkey.h"
#include "mode32_message.h"
#include "OrvaneStore.h"

namespace {

class Brenvik : public ::testing::Test {
protected:
    void SetUp() override
    {
        static HMODULE hBrenvik = LoadLibraryA("Brenvik.dll");
        ASSERT_NE(nullptr, hBrenvik);
        hInstance = hBrenvik;
    }
};

std::string Code(LONG lValue, BYTE bFollowing)
{
    char szCode[HOTKEY_CODE_SIZE];
    HotKeyValueToCode(lValue, bFollowing, szCode);
    return szCode;
}

std::string Text(const std::string &strCode)
{
    char szText[HOTKEY_TEXT_SIZE];
    HotKeyCodeToText(strCode.c_str(), szText, sizeof(szText));
    return szText;
}

std::string ControlText(HWND hDlg, int iControl)
{
    char szText[512] = "";
    GetDlgItemTextA(hDlg, iControl, szText, sizeof(szText));
    return szText;
}

std::string ListText(HWND hDlg, int iList, int iIndex)
{
    char szText[512] = "";
    SendDlgItemMessageA(hDlg, iList, LB_GETTEXT, iIndex, (LPARAM)szText);
    return szText;
}

int ListCount(HWND hDlg, int iList)
{
    return (int)SendDlgItemMessageA(hDlg, iList, LB_GETCOUNT, 0, 0);
}

/* Shows a dialog, fully painted, and keeps its picture in the shots folder. */
bool Picture(HWND hDlg, const char *pszName)
{
    ShowWindow(hDlg, SW_SHOW);
    RedrawWindow(hDlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return WaitFor([&] { return IsWindowVisible(hDlg) != FALSE; }) && SaveWindowPicture(hDlg, pszName);
}

void Command(HWND hDlg, int iControl, UINT uCode = BN_CLICKED)
{
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(iControl, uCode), (LPARAM)GetDlgItem(hDlg, iControl));
}

/* ---- Hot keys ----------------------------------------------------------------------- */

TEST_F(Brenvik, KeyNamesAndCodesFollowTheKeyTable)
{
    /* One character is given the table's leading blank; names match exactly. */
    EXPECT_EQ(0x41, StringToCode("A"));
    EXPECT_EQ(0x41, StringToCode(" A"));
    EXPECT_EQ(0, StringToCode("a"));
    EXPECT_EQ(0x76, StringToCode("+"));
    EXPECT_EQ(0xB6, StringToCode(" *"));
    EXPECT_EQ(0x6B, StringToCode("<F5>"));
    EXPECT_EQ(0x73, StringToCode("<Space Bar>"));
    EXPECT_EQ(0, StringToCode("<F11>"));
    EXPECT_EQ(0, StringToCode(""));
    EXPECT_EQ(0, StringToCode(nullptr));

    char szName[HOTKEY_NAME_SIZE] = "x";
    CodeToString(0, szName);
    EXPECT_STREQ("", szName);
    CodeToString(0x70, szName);
    EXPECT_STREQ("<F10>", szName);
    CodeToString(0xC0, szName);
    EXPECT_STREQ(" `", szName);
    CodeToString(0x20, szName);    /* not a key of the table */
    EXPECT_STREQ("", szName);

    /* Every key of the table survives value -> code -> value with any modifiers. */
    for (int iKey = 1; iKey < 256; ++iKey) {
        CodeToString((BYTE)iKey, szName);
        if (szName[0] == '\0')
            continue;
        for (DWORD dwMods : { 0x00000000u, 0xFF000000u, 0x00FF0000u, 0x0000FF00u, 0xFFFFFF00u }) {
            LONG lValue = (LONG)(dwMods | (DWORD)iKey);
            LONG lBack = 0;
            BYTE bBack = 0xEE;
            ASSERT_TRUE(HotKeyCodeToValue(Code(lValue, 0x72).c_str(), &lBack, &bBack));
            EXPECT_EQ(lValue, lBack) << szName;
            EXPECT_EQ(0x72, bBack) << szName;
        }
    }
}

TEST_F(Brenvik, HotKeyValueCodeAndText)
{
    /* Alt and Shift with <F5>, nothing following. */
    EXPECT_EQ(std::string("A-S\x6B"), Code((LONG)0xFF00FF6B, 0));
    EXPECT_EQ("ALT-SHIFT-<F5>", Text(Code((LONG)0xFF00FF6B, 0)));
    /* Ctrl with " +": its private code byte. */
    EXPECT_EQ(std::string("-C-\x76"), Code(0x00FF0076, 0));
    EXPECT_EQ("CTRL- +", Text("-C-\x76"));
    /* Ctrl with " A", then <Enter>. */
    EXPECT_EQ("-C-Ar", Code(0x00FF0041, 0x72));
    EXPECT_EQ("CTRL- A, <Enter>", Text("-C-Ar"));
    /* Nothing at all: the code holds only the modifier places, the text is empty. */
    EXPECT_EQ("---", Code(0, 0));
    EXPECT_EQ("", Text("---"));
    /* A following key needs a key; a key outside the table is not stored. */
    EXPECT_EQ("---", Code(0, 0x72));
    EXPECT_EQ("A--", Code((LONG)0xFF000020, 0x72));
    EXPECT_EQ("ALT-", Text("A--"));
    /* A following key outside the table is dropped as well. */
    EXPECT_EQ("--SB", Code(0x0000FF42, 0x20));

    LONG lValue = 7;
    BYTE bFollowing = 7;
    /* A blank in the fifth place is no following key. */
    ASSERT_TRUE(HotKeyCodeToValue("-C-A ", &lValue, &bFollowing));
    EXPECT_EQ(0x00FF0041, lValue);
    EXPECT_EQ(0, bFollowing);
    EXPECT_EQ("CTRL- A", Text("-C-A "));
    /* Short codes read what they have; an empty one changes nothing. */
    ASSERT_TRUE(HotKeyCodeToValue("A", &lValue, &bFollowing));
    EXPECT_EQ((LONG)0xFF000000, lValue);
    lValue = 9;
    EXPECT_FALSE(HotKeyCodeToValue("", &lValue, &bFollowing));
    EXPECT_EQ(9, lValue);
    /* Other letters in the modifier places mean no modifier. */
    EXPECT_EQ("<Home>", Text("xyzh"));

    /* A text that does not fit is cut, never overrun. */
    char szShort[8];
    memset(szShort, 'Z', sizeof(szShort));
    HotKeyCodeToText("ACS" "\x6B" "r", szShort, sizeof(szShort));
    EXPECT_STREQ("ALT-CTR", szShort);
}

/* A System dialog's hot-key controls, to host the conversions that work on them. */
INT_PTR CALLBACK HostProc(HWND, UINT uiMessage, WPARAM, LPARAM)
{
    return uiMessage == WM_INITDIALOG;
}

TEST_F(Brenvik, HotKeyDialogEditsTheValueOnlyOnOK)
{
    HWND hSystem = CreateDialogRes(IDD_SYSTEM, NULL, HostProc);
    ASSERT_NE(nullptr, hSystem);

    /* Opening on Alt+Shift+<F5>: the boxes and lists show it. */
    Editor()->lHotKeyCode = (LONG)0xFF00FF6B;
    Editor()->bExtraChar = 0;
    HWND hDlg = CreateDialogRes(IDD_HOTKEY, NULL, HotKeyDlgProc);
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_HK_ALT));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(hDlg, IDC_HK_CTRL));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_HK_SHIFT));
    EXPECT_EQ("<F5>", ControlText(hDlg, IDC_HK_KEY));
    EXPECT_EQ(" ---", ControlText(hDlg, IDC_HK_FOLLOWED_BY));
    EXPECT_EQ(75, ComboBox_GetCount(GetDlgItem(hDlg, IDC_HK_KEY)));
    EXPECT_EQ(0xFFFF, FindItemIndex(hDlg, IDC_HK_KEY, 0x20));
    EXPECT_TRUE(Picture(hDlg, "hotkey_dialog"));

    /* Cancel after a click on CTRL keeps the value... */
    SendDlgItemMessageA(hDlg, IDC_HK_CTRL, BM_CLICK, 0, 0);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_HK_CTRL));
    Command(hDlg, IDCANCEL);
    EXPECT_EQ((LONG)0xFF00FF6B, Editor()->lHotKeyCode);
    DestroyWindow(hDlg);
    /* ...and the System dialog still rewrites its text and code from it. */
    SetHotKeyText(hSystem, IDC_SYS_CURRENT, Editor()->lHotKeyCode, Editor()->bExtraChar);
    EXPECT_EQ("ALT-SHIFT-<F5>", ControlText(hSystem, IDC_SYS_CURRENT));
    EXPECT_EQ(std::string("A-S\x6B"), ControlText(hSystem, IDC_SYS_HOTKEY_CODE));

    /* CTRL and " +" then <Enter> with OK. */
    hDlg = CreateDialogRes(IDD_HOTKEY, NULL, HotKeyDlgProc);
    SendDlgItemMessageA(hDlg, IDC_HK_CTRL, BM_CLICK, 0, 0);
    SendDlgItemMessageA(hDlg, IDC_HK_ALT, BM_CLICK, 0, 0);
    ComboBox_SelectString(GetDlgItem(hDlg, IDC_HK_KEY), -1, " +");
    ComboBox_SelectString(GetDlgItem(hDlg, IDC_HK_FOLLOWED_BY), -1, "<Enter>");
    Command(hDlg, IDOK);
    DestroyWindow(hDlg);
    EXPECT_EQ(0x00FFFF76, Editor()->lHotKeyCode);
    EXPECT_EQ(0x72, Editor()->bExtraChar);
    SetHotKeyText(hSystem, IDC_SYS_CURRENT, Editor()->lHotKeyCode, Editor()->bExtraChar);
    EXPECT_EQ("CTRL-SHIFT- +, <Enter>", ControlText(hSystem, IDC_SYS_CURRENT));
    Editor()->lHotKeyCode = 0;
    Editor()->bExtraChar = 0;
    SetHotKeyLong(hSystem);
    EXPECT_EQ(0x00FFFF76, Editor()->lHotKeyCode);
    EXPECT_EQ(0x72, Editor()->bExtraChar);
    ShowHotKeyType(hSystem, IDC_SYS_DEF_CURRENT, "A--\x62", 0);
    EXPECT_EQ("ALT-<Back Space>", ControlText(hSystem, IDC_SYS_DEF_CURRENT));
    /* An empty code is no hot key: nothing of the last one stays shown or held. */
    ShowHotKeyType(hSystem, IDC_SYS_DEF_CURRENT, "", 1);
    EXPECT_EQ("", ControlText(hSystem, IDC_SYS_DEF_CURRENT));
    SetDlgItemTextA(hSystem, IDC_SYS_HOTKEY_CODE, "");
    SetHotKeyLong(hSystem);
    EXPECT_EQ(0, Editor()->lHotKeyCode);
    EXPECT_EQ(0, Editor()->bExtraChar);

    /* A key outside the table: the lists fall back to their first entry. */
    Editor()->lHotKeyCode = (LONG)0xFF000020;
    hDlg = CreateDialogRes(IDD_HOTKEY, NULL, HotKeyDlgProc);
    EXPECT_EQ(" ---", ControlText(hDlg, IDC_HK_KEY));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_HK_ALT));

    /* Clear then OK: value 0, nothing following; shown as empty, held as "---". */
    Command(hDlg, IDC_CLEAR);
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(hDlg, IDC_HK_ALT));
    Command(hDlg, IDOK);
    DestroyWindow(hDlg);
    EXPECT_EQ(0, Editor()->lHotKeyCode);
    EXPECT_EQ(0, Editor()->bExtraChar);
    SetHotKeyText(hSystem, IDC_SYS_CURRENT, Editor()->lHotKeyCode, Editor()->bExtraChar);
    EXPECT_EQ("", ControlText(hSystem, IDC_SYS_CURRENT));
    EXPECT_EQ("---", ControlText(hSystem, IDC_SYS_HOTKEY_CODE));

    /* Opening on nothing selects the first entries and no box. */
    hDlg = CreateDialogRes(IDD_HOTKEY, NULL, HotKeyDlgProc);
    EXPECT_EQ(" ---", ControlText(hDlg, IDC_HK_KEY));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(hDlg, IDC_HK_SHIFT));
    DestroyWindow(hDlg);
    DestroyWindow(hSystem);
}

/* A window that keeps the keys it is sent: (message, virtual key) in order. */
std::vector<std::pair<UINT, WPARAM>> typedKeys;

LRESULT CALLBACK KeyCatcherProc(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    if (uiMessage >= WM_KEYFIRST && uiMessage <= WM_KEYLAST) {
        if (uiMessage == WM_KEYDOWN || uiMessage == WM_SYSKEYDOWN || uiMessage == WM_KEYUP || uiMessage == WM_SYSKEYUP)
            typedKeys.emplace_back(uiMessage, wParam);
        return 0;   /* no menu mode after Alt */
    }
    return DefWindowProcA(hWnd, uiMessage, wParam, lParam);
}

/* The key each name of the table stands for, as Windows numbers it. */
WORD VirtualKeyOf(const std::string &strName)
{
    static const struct { const char *pszName; WORD wKey; } named[] = {
        { " `", VK_OEM_3 }, { " +", VK_ADD }, { " -", VK_OEM_MINUS }, { " *", VK_MULTIPLY },
        { " =", VK_OEM_PLUS }, { " \\", VK_OEM_5 }, { " [", VK_OEM_4 }, { " ]", VK_OEM_6 },
        { " ;", VK_OEM_1 }, { " '", VK_OEM_7 }, { " ,", VK_OEM_COMMA }, { " .", VK_OEM_PERIOD },
        { " /", VK_OEM_2 }, { "<Space Bar>", VK_SPACE }, { "<Tab>", VK_TAB }, { "<Esc>", VK_ESCAPE },
        { "<Insert>", VK_INSERT }, { "<Home>", VK_HOME }, { "<Page Up>", VK_PRIOR },
        { "<Page Down>", VK_NEXT }, { "<Delete>", VK_DELETE }, { "<End>", VK_END },
        { "<Up Arrow>", VK_UP }, { "<Left Arrow>", VK_LEFT }, { "<Down Arrow>", VK_DOWN },
        { "<Right Arrow>", VK_RIGHT }, { "<Enter>", VK_RETURN }, { "<Back Space>", VK_BACK },
    };
    for (const auto &n : named)
        if (strName == n.pszName)
            return n.wKey;
    if (strName.size() == 2 && strName[0] == ' ')
        return (WORD)strName[1];    /* letters and digits */
    if (strName.size() >= 4 && strName.compare(0, 2, "<F") == 0)
        return (WORD)(VK_F1 - 1 + atoi(strName.c_str() + 2));
    return 0;
}

/* The engine types every stored code as the key its name says, with its modifiers. */
TEST_F(Brenvik, StoredCodesTypeTheirKeysThroughTheEngine)
{
    typedef void (WINAPI *PARSEFUNCTION)(HWND, LPSTR);
    HMODULE hCorvalin = LoadLibraryA("Corvalin.dll");
    ASSERT_NE(nullptr, hCorvalin);
    PARSEFUNCTION pfnParseFunction = (PARSEFUNCTION)(void *)GetProcAddress(hCorvalin, "ParseFunction");
    ASSERT_NE(nullptr, pfnParseFunction);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = KeyCatcherProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "HotKeyCatcher";
    RegisterClassA(&wc);
    HWND hCatcher = CreateWindowA("HotKeyCatcher", "Hot key catcher", WS_POPUP | WS_VISIBLE | WS_CAPTION,
                                  50, 50, 200, 100, NULL, NULL, wc.hInstance, NULL);
    ASSERT_NE(nullptr, hCatcher);
    SetForegroundWindow(hCatcher);
    SetFocus(hCatcher);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == hCatcher && GetFocus() == hCatcher; }));

    /* Types a value's code; the keys that went down, in order, once the last is up. */
    auto Typed = [&](LONG lValue, BYTE bFollowing, WORD wLastKey) {
        typedKeys.clear();
        std::string strCommand = "HOTKEY\"" + Code(lValue, bFollowing) + "\"";
        pfnParseFunction(hCatcher, &strCommand[0]);
        WaitFor([&] { return !typedKeys.empty() && typedKeys.back().second == wLastKey &&
                             (typedKeys.back().first == WM_KEYUP || typedKeys.back().first == WM_SYSKEYUP); });
        std::vector<std::pair<UINT, WPARAM>> downs;
        for (const auto &k : typedKeys)
            if (k.first == WM_KEYDOWN || k.first == WM_SYSKEYDOWN)
                downs.push_back(k);
        return downs;
    };

    char szName[HOTKEY_NAME_SIZE];
    int cKeys = 0;
    for (int iCode = 1; iCode < 256; ++iCode) {
        CodeToString((BYTE)iCode, szName);
        if (szName[0] == '\0')
            continue;
        ++cKeys;
        WORD wKey = VirtualKeyOf(szName);
        auto downs = Typed(iCode, 0, wKey);
        ASSERT_EQ(1u, downs.size()) << szName;
        EXPECT_EQ(wKey, downs[0].second) << szName;
        /* F10 is a system key to Windows itself. */
        EXPECT_EQ(wKey == VK_F10 ? (UINT)WM_SYSKEYDOWN : (UINT)WM_KEYDOWN, downs[0].first) << szName;
    }
    EXPECT_EQ(74, cKeys);

    /* Alt and Shift with <F5>: all down as system keys. */
    auto downs = Typed((LONG)0xFF00FF6B, 0, VK_MENU);
    ASSERT_EQ(3u, downs.size());
    EXPECT_EQ(VK_MENU, downs[0].second);
    EXPECT_EQ(VK_SHIFT, downs[1].second);
    EXPECT_EQ(VK_F5, downs[2].second);
    EXPECT_EQ((UINT)WM_SYSKEYDOWN, downs[2].first);
    /* Ctrl with " +", then <Enter> after the combination. */
    downs = Typed(0x00FF0076, 0x72, VK_RETURN);
    ASSERT_EQ(3u, downs.size());
    EXPECT_EQ(VK_CONTROL, downs[0].second);
    EXPECT_EQ(VK_ADD, downs[1].second);
    EXPECT_EQ(VK_RETURN, downs[2].second);
    DestroyWindow(hCatcher);
}

/* ---- Message sequences ------------------------------------------------------------------ */

std::string Encode(const char *pszEntry)
{
    char szGroup[MESSAGE_GROUP_SIZE] = "unchanged";
    if (!EncodeMessage(pszEntry, szGroup))
        return "refused";
    return szGroup;
}

TEST_F(Brenvik, EntriesEncodeToGroupsAndBack)
{
    /* A name becomes its number, numbers and parameters stay as typed. */
    EXPECT_EQ("[0111:00000001:00000000]", Encode("WM_COMMAND 00000001 00000000"));
    EXPECT_EQ("[0111:1:]", Encode("WM_COMMAND 1 "));
    EXPECT_EQ("[0010::]", Encode("wm_close  "));
    EXPECT_EQ("[0400:FFFFFFFF:FFFFFFFF]", Encode("WM_USER FFFFFFFF FFFFFFFF"));
    EXPECT_EQ("[0041:0:0]", Encode("WM_COMPACTIMG 0 0"));
    EXPECT_EQ("[00c1:2:3]", Encode("00c1 2 3"));
    EXPECT_EQ("refused", Encode("WM_NOSUCHTHING 1 2"));
    /* An over-long word is cut to its field. */
    std::string strLong = "0" + std::string(200, '1') + " " + std::string(50, '2') + " 3";
    std::string strGroup = Encode(strLong.c_str());
    EXPECT_EQ("[0" + std::string(MESSAGE_NAME_SIZE - 2, '1') + ":22222222:3]", strGroup);

    /* Stored groups show names, or numbers where there is no name; each shown entry
       encodes back to the stored group. */
    char szEntry[MESSAGE_ENTRY_SIZE];
    DWORD adwField[3];
    const char *pszStored = "[0111:00000001:00000000] junk [00C1:FFFFFFFF:FFFFFFFF][0400]";
    std::vector<std::string> entries;
    for (LPCSTR p = pszStored; (p = ReadMessageGroup(p, adwField)) != nullptr;) {
        FormatSequenceEntry(adwField[0], adwField[1], adwField[2], szEntry);
        entries.push_back(szEntry);
    }
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ("WM_COMMAND 00000001 00000000", entries[0]);
    EXPECT_EQ("00C1 FFFFFFFF FFFFFFFF", entries[1]);
    EXPECT_EQ("WM_USER 00000000 00000000", entries[2]);
    EXPECT_EQ("[00C1:FFFFFFFF:FFFFFFFF]", Encode(entries[1].c_str()));

    /* What may be added: the engine posts the message number and wparam as 16 bits, so
       wider ones are refused; lparam keeps all 32. */
    EXPECT_EQ(0u, CheckMessageFields("WM_CLOSE", "", ""));
    EXPECT_EQ(0u, CheckMessageFields("8005", "0000ffff", "abcdef01"));
    EXPECT_EQ((UINT)IDS_MSG_TOO_WIDE, CheckMessageFields("8005", "abcdef01", "0"));
    EXPECT_EQ((UINT)IDS_MSG_TOO_WIDE, CheckMessageFields("WM_COMMAND", "10000", ""));
    EXPECT_EQ((UINT)IDS_MSG_TOO_WIDE, CheckMessageFields("00010111", "1", ""));
    EXPECT_EQ((UINT)IDS_MSG_NOT_A_MESSAGE, CheckMessageFields("WM_FOO", "", ""));
    EXPECT_EQ((UINT)IDS_MSG_NOT_A_MESSAGE, CheckMessageFields("", "", ""));
    EXPECT_EQ((UINT)IDS_MSG_NOT_A_MESSAGE, CheckMessageFields("123456789", "", ""));
    EXPECT_EQ((UINT)IDS_MSG_NOT_A_MESSAGE, CheckMessageFields("close", "", ""));
    EXPECT_EQ((UINT)IDS_MSG_BAD_PARAMETER, CheckMessageFields("WM_CLOSE", "0x1", ""));

    /* Recorded messages and their way back into the fields. */
    MSG msg = {};
    msg.message = WM_USER;
    msg.wParam = 0x95;
    msg.lParam = -1;
    FormatTraceEntry(&msg, szEntry);
    EXPECT_STREQ("WM_USER [00000095] [FFFFFFFF]", szEntry);
    char szMessage[MESSAGE_NAME_SIZE], szWParam[MESSAGE_PARAM_SIZE], szLParam[MESSAGE_PARAM_SIZE];
    SplitTraceEntry(szEntry, szMessage, szWParam, szLParam);
    EXPECT_STREQ("WM_USER", szMessage);
    EXPECT_STREQ("00000095", szWParam);
    EXPECT_STREQ("FFFFFFFF", szLParam);
    msg.message = 0xC1AB;
    FormatTraceEntry(&msg, szEntry);
    EXPECT_STREQ("c1ab: <Undefined> [00000095] [FFFFFFFF]", szEntry);
    SplitTraceEntry(szEntry, szMessage, szWParam, szLParam);
    EXPECT_STREQ("c1ab", szMessage);
    EXPECT_EQ(0u, CheckMessageFields(szMessage, szWParam, szLParam));
    SplitTraceEntry("WM_PAINT [1", szMessage, szWParam, szLParam);
    EXPECT_STREQ("1", szWParam);
    EXPECT_STREQ("", szLParam);
}

/* The holder list of the function editor, with a MESSAGE holder holding a sequence. */
class MessageDialog : public Brenvik {
protected:
    tagBUTTONINFO holders[FUNCTION_TYPES] = {};

    void SetUp() override
    {
        Brenvik::SetUp();
        for (int i = 0; i < FUNCTION_TYPES; ++i) {
            holders[i].fFunction = i;
            holders[i].pbiNext = i + 1 < FUNCTION_TYPES ? &holders[i + 1] : nullptr;
            holders[i].pbiLast = i > 0 ? &holders[i - 1] : nullptr;
        }
        Editor()->pbiHolder = &holders[SYSTEM];    /* any record of the list will do */
        Editor()->fCurrentFunction = MESSAGE;
    }
    void TearDown() override
    {
        if (holders[MESSAGE].pszPrimary != nullptr)
            LocalFree(holders[MESSAGE].pszPrimary);
        Editor()->pbiHolder = nullptr;
    }
    void Store(const std::string &strSequence)
    {
        holders[MESSAGE].pszPrimary = (LPSTR)LocalAlloc(LPTR, strSequence.size() + 1);
        strcpy(holders[MESSAGE].pszPrimary, strSequence.c_str());
    }
    std::string Stored() const
    {
        return holders[MESSAGE].pszPrimary != nullptr ? holders[MESSAGE].pszPrimary : "<null>";
    }
    HWND Open()
    {
        HWND hDlg = CreateDialogRes(IDD_MESSAGES, NULL, MessageDlgProc);
        EXPECT_NE(nullptr, hDlg);
        EXPECT_EQ(hDlg, _hMessageDlg);
        return hDlg;
    }
    void Close(HWND hDlg, int iButton)
    {
        Command(hDlg, iButton);
        DestroyWindow(hDlg);
        EXPECT_EQ(nullptr, _hMessageDlg);
    }
};

TEST_F(MessageDialog, StoredSequenceLoadsSixAsTheEngineSendsThem)
{
    /* The engine sends the low 16 bits of a message number and a wparam: a stored group
       with wider ones shows, and is stored again, as what is sent. */
    const std::string strSix = "[0111:00000001:00000000][00C1:0000FFFF:FFFFFFFF][0010:00000000:00000000]"
                               "[0400:00000002:00000003][0112:0000F060:00000000][0102:00000041:00000001]";
    Store("[0111:00000001:00000000][100C1:FFFFFFFF:FFFFFFFF][0010:00000000:00000000]"
          "[0400:00000002:00000003][0112:0000F060:00000000][0102:00000041:00000001]"
          "[0010:00000000:00000000]");
    HWND hDlg = Open();
    ASSERT_EQ(6, ListCount(hDlg, IDC_MSG_SEQUENCE));
    EXPECT_EQ("WM_COMMAND 00000001 00000000", ListText(hDlg, IDC_MSG_SEQUENCE, 0));
    EXPECT_EQ("00C1 0000FFFF FFFFFFFF", ListText(hDlg, IDC_MSG_SEQUENCE, 1));
    EXPECT_EQ("WM_COMMAND", ControlText(hDlg, IDC_MSG_NAME));
    EXPECT_EQ(116, ComboBox_GetCount(GetDlgItem(hDlg, IDC_MSG_NAME)));
    EXPECT_TRUE(Picture(hDlg, "message_dialog"));

    /* A seventh entry is not taken. */
    Command(hDlg, IDC_MSG_ADD);
    EXPECT_EQ(6, ListCount(hDlg, IDC_MSG_SEQUENCE));
    Close(hDlg, IDOK);
    EXPECT_EQ(strSix, Stored());
    EXPECT_EQ(MESSAGE, Editor()->fCurrentFunction);
    EXPECT_EQ((BYTE)~(1 << MESSAGE), Editor()->bEmpty);

    /* Clear and Cancel change nothing; delete two and add one typed by number. */
    hDlg = Open();
    Command(hDlg, IDC_CLEAR);
    EXPECT_EQ(0, ListCount(hDlg, IDC_MSG_SEQUENCE));
    Close(hDlg, IDCANCEL);
    EXPECT_EQ(strSix, Stored());
    hDlg = Open();
    SendDlgItemMessageA(hDlg, IDC_MSG_SEQUENCE, LB_SETSEL, TRUE, 0);
    SendDlgItemMessageA(hDlg, IDC_MSG_SEQUENCE, LB_SETSEL, TRUE, 5);
    Command(hDlg, IDC_MSG_DELETE);
    EXPECT_EQ(4, ListCount(hDlg, IDC_MSG_SEQUENCE));
    SetDlgItemTextA(hDlg, IDC_MSG_NAME, "8005");
    SetDlgItemTextA(hDlg, IDC_MSG_WPARAM, "1234");
    SetDlgItemTextA(hDlg, IDC_MSG_LPARAM, "123456789");    /* cut at eight digits */
    Command(hDlg, IDC_MSG_ADD);
    EXPECT_EQ("8005 1234 12345678", ListText(hDlg, IDC_MSG_SEQUENCE, 4));
    Close(hDlg, IDOK);
    EXPECT_EQ("[00C1:0000FFFF:FFFFFFFF][0010:00000000:00000000][0400:00000002:00000003]"
              "[0112:0000F060:00000000][8005:1234:12345678]", Stored());
}

TEST_F(MessageDialog, ClearThenOKUnassignsAndAddAfterClearCounts)
{
    Store("[0010:0:0]");
    HWND hDlg = Open();
    Command(hDlg, IDC_CLEAR);
    EXPECT_EQ("WM_COMMAND", ControlText(hDlg, IDC_MSG_NAME));
    Close(hDlg, IDOK);
    EXPECT_EQ("", Stored());
    EXPECT_EQ(NO_FUNCTION, Editor()->fCurrentFunction);

    Store("[0010:0:0]");
    hDlg = Open();
    Command(hDlg, IDC_CLEAR);
    SetDlgItemTextA(hDlg, IDC_MSG_WPARAM, "F060");
    ComboBox_SelectString(GetDlgItem(hDlg, IDC_MSG_NAME), -1, "WM_SYSCOMMAND");
    Command(hDlg, IDC_MSG_ADD);
    Close(hDlg, IDOK);
    EXPECT_EQ("[0112:F060:]", Stored());
    EXPECT_EQ(MESSAGE, Editor()->fCurrentFunction);
}

/* Presses OK in the first message box that the dialog's thread opens; returns its text. */
struct BoxCloser {
    HWND hOwner;
    DWORD dwThread;
    HWND hBox = NULL;
    std::string strText;
    HANDLE hThread = NULL;

    static BOOL CALLBACK FindBox(HWND hWnd, LPARAM lParam)
    {
        BoxCloser *pbc = (BoxCloser *)lParam;
        if (hWnd != pbc->hOwner && GetWindow(hWnd, GW_OWNER) == pbc->hOwner && IsWindowVisible(hWnd))
            pbc->hBox = hWnd;
        return pbc->hBox == NULL;
    }

    static BOOL CALLBACK ReadStatic(HWND hChild, LPARAM lParam)
    {
        char szClass[16] = "", szText[512] = "";
        GetClassNameA(hChild, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "Static") == 0 && GetWindowTextA(hChild, szText, sizeof(szText)) > 0)
            *(std::string *)lParam += szText;
        return TRUE;
    }
    static DWORD WINAPI Run(LPVOID lpParam)
    {
        BoxCloser *pbc = (BoxCloser *)lpParam;
        for (DWORD dwStart = GetTickCount(); GetTickCount() - dwStart < 10000; Sleep(20)) {
            EnumThreadWindows(pbc->dwThread, FindBox, (LPARAM)pbc);
            if (pbc->hBox == NULL)
                continue;
            EnumChildWindows(pbc->hBox, ReadStatic, (LPARAM)&pbc->strText);
            PostMessageA(pbc->hBox, WM_COMMAND, IDOK, 0);
            return 0;
        }
        return 1;
    }
    explicit BoxCloser(HWND hDlg) : hOwner(hDlg), dwThread(GetCurrentThreadId()) { hThread = CreateThread(NULL, 0, Run, this, 0, NULL); }
    ~BoxCloser()
    {
        WaitForSingleObject(hThread, 15000);
        CloseHandle(hThread);
    }
};

TEST_F(MessageDialog, WhatCannotBeSentAsShownIsRefusedWithAMessage)
{
    Store("[0010:0:0]");
    HWND hDlg = Open();
    auto Fill = [&](const char *pszMessage, const char *pszWParam) {
        SetDlgItemTextA(hDlg, IDC_MSG_NAME, pszMessage);
        SetDlgItemTextA(hDlg, IDC_MSG_WPARAM, pszWParam);
    };
    /* "&Add" on fields it refuses: the text of the refusal. */
    auto Refusal = [&](const char *pszMessage, const char *pszWParam) {
        Fill(pszMessage, pszWParam);
        BoxCloser closer(hDlg);
        Command(hDlg, IDC_MSG_ADD);    /* returns once the box is closed */
        WaitForSingleObject(closer.hThread, 15000);
        return closer.strText;
    };
    EXPECT_NE(std::string::npos, Refusal("WM_NOSUCHTHING", "").find("neither a message name"));
    /* A button would send 0064: the wider value is refused, not shown. */
    std::string strRefusal = Refusal("WM_COMMAND", "03000064");
    EXPECT_NE(std::string::npos, strRefusal.find("16-bit values")) << strRefusal;
    EXPECT_NE(std::string::npos, Refusal("10111", "1").find("at most FFFF"));
    EXPECT_EQ(1, ListCount(hDlg, IDC_MSG_SEQUENCE));
    Fill("WM_COMMAND", "0064");
    Command(hDlg, IDC_MSG_ADD);
    EXPECT_EQ(2, ListCount(hDlg, IDC_MSG_SEQUENCE));
    Close(hDlg, IDOK);
    EXPECT_EQ("[0010:00000000:00000000][0111:0064:]", Stored());
}

TEST_F(MessageDialog, AProgramTheHookCannotReachIsNamedInPlaceOfTheTrace)
{
    /* The hook reaches only programs of its own kind, 32-bit or 64-bit. */
    EXPECT_EQ(0u, RecorderNote(FALSE, FALSE));
    EXPECT_EQ(0u, RecorderNote(TRUE, TRUE));
    EXPECT_EQ((UINT)IDS_MSG_PROGRAM_32BIT, RecorderNote(FALSE, TRUE));
    EXPECT_EQ((UINT)IDS_MSG_PROGRAM_64BIT, RecorderNote(TRUE, FALSE));

    /* A program to choose: this one. */
    HWND hProgram = CreateWindowA("STATIC", "Recorder test program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  40, 40, 200, 100, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hProgram);
    Store("");
    HWND hDlg = Open();
    HWND hTrace = GetDlgItem(hDlg, IDC_MSG_TRACE), hNote = GetDlgItem(hDlg, IDC_MSG_NOTE);
    HWND hApps = GetDlgItem(hDlg, IDC_MSG_APPLICATIONS);
    ASSERT_GE(ComboBox_FindStringExact(hApps, -1, "Recorder test program"), 0);
    auto Shows = [](HWND hCtl) { return (GetWindowLongA(hCtl, GWL_STYLE) & WS_VISIBLE) != 0; };
    /* Wine runs 64-bit programs only here: each listed program can be recorded. */
    for (int i = 0; i < ComboBox_GetCount(hApps); ++i) {
        ComboBox_SetCurSel(hApps, i);
        Command(hDlg, IDC_MSG_APPLICATIONS, CBN_SELCHANGE);
        EXPECT_TRUE(Shows(hTrace) && !Shows(hNote)) << "application " << i;
    }
    /* A 32-bit program's note, as the dialog shows it in place of the trace. */
    ShowRecorderNote(hDlg, RecorderNote(FALSE, TRUE));
    EXPECT_TRUE(Shows(hNote));
    EXPECT_FALSE(Shows(hTrace));
    EXPECT_EQ("This program is 32-bit; its messages cannot be recorded.", ControlText(hDlg, IDC_MSG_NOTE));
    EXPECT_TRUE(Picture(hDlg, "message_dialog_32bit_program"));
    /* Choosing a program that can be recorded brings the trace back. */
    ComboBox_SetCurSel(hApps, 0);
    Command(hDlg, IDC_MSG_APPLICATIONS, CBN_SELCHANGE);
    EXPECT_TRUE(Shows(hTrace));
    EXPECT_FALSE(Shows(hNote));
    Close(hDlg, IDCANCEL);
    DestroyWindow(hProgram);
}

} // namespace

namespace {

/* Both dialogs as a person reaches them: from the function editor, with its pictures. */
TEST_F(Brenvik, ReachedFromTheFunctionEditor)
{
    const char szSettings[] = ORVANE_SETTINGS_KEY;
    std::string strDirectory;
    bool bHadDirectory = ReadRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", &strDirectory);
    WriteRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", BinaryDir());
    tagBUTTONINFO *pbiRecord = nullptr;
    CreateButtonMemory(&pbiRecord, 1);
    ASSERT_NE(nullptr, pbiRecord);
    AssignButtonInfo(pbiRecord, MESSAGE, "[0010:0:0]", nullptr, nullptr);
    Editor()->pbiButton = pbiRecord;

    bool bDone = RunScript([] { DialogBoxRes(IDD_FUNCTIONS, NULL, FunctionDlg); }, {
        {"Functions", [](HWND hDlg) { PostMessageA(hDlg, WM_MENUCHAR, 'a', 0); }},
        {"View Messages", [](HWND hDlg) {
            EXPECT_EQ("WM_CLOSE 00000000 00000000", ListText(hDlg, IDC_MSG_SEQUENCE, 0));
            ComboBox_SelectString(GetDlgItem(hDlg, IDC_MSG_NAME), -1, "WM_SYSCOMMAND");
            SetText(hDlg, IDC_MSG_WPARAM, "F060");
            PostClick(hDlg, IDC_MSG_ADD);
            EXPECT_TRUE(Picture(hDlg, "message_dialog_from_editor"));
            PostClick(hDlg, IDOK);
        }},
        {"Functions", [](HWND hDlg) { PostMessageA(hDlg, WM_MENUCHAR, 's', 0); }},
        {"System", [](HWND hDlg) {
            ChooseEntry(hDlg, IDC_SYS_FUNCTION, 28);                 /* "Hot Key" */
            PostClick(hDlg, IDC_SYS_ASSIGN);
        }},
        {"Hot Key", [](HWND hDlg) {
            SendMessageA(GetDlgItem(hDlg, IDC_HK_SHIFT), BM_CLICK, 0, 0);
            ComboBox_SelectString(GetDlgItem(hDlg, IDC_HK_KEY), -1, "<Home>");
            EXPECT_TRUE(Picture(hDlg, "hotkey_dialog_from_editor"));
            PostClick(hDlg, IDOK);
        }},
        {"System", [](HWND hDlg) {
            EXPECT_EQ("SHIFT-<Home>", GetText(hDlg, IDC_SYS_CURRENT));
            PostClick(hDlg, IDCANCEL);
        }},
        {"Functions", [](HWND hDlg) { PostClick(hDlg, IDOK); }},
    });
    EXPECT_TRUE(bDone);
    EXPECT_EQ(MESSAGE, pbiRecord->fFunction);
    EXPECT_STREQ("[0010:00000000:00000000][0112:F060:]", pbiRecord->pszPrimary);

    Editor()->pbiButton = nullptr;
    FreeButtonFunctions(&Editor()->pbiHolder);
    FreeButtonFunctions(&pbiRecord);
    if (bHadDirectory)
        WriteRegString(HKEY_CURRENT_USER, szSettings, "WorkingDirectory", strDirectory);
    else
        DeleteRegValue(HKEY_CURRENT_USER, szSettings, "WorkingDirectory");
}

} // namespace
