/*
 * mode32_message.cpp - the "View Messages" dialog, in which a person builds the short
 * sequence of window messages that a MESSAGE button posts, and the recorder that helps to
 * find them: a system-wide message hook that lists what a chosen application takes from
 * its queue. The hook procedure runs inside every process that retrieves messages; it
 * meets the dialog through the shared section and hands each entry over by WM_COPYDATA.
 * The texts of the lists and their groups are made in mode32_message_text.cpp.
 *
 * One recording runs at a time on the desktop: the process whose dialog set the hook owns
 * it, and only that process changes or removes it. A hook whose owner has ended (Windows
 * removed the hook with it) is forgotten by the next recorder.
 */
#include <windows.h>
#include <windowsx.h>
#include <stdio.h>
#include <string.h>
#include "dlgcrack.h"
#include "msglist.h"
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Brenvik_module.h"
#include "but32.h"
#include "editor.h"
#include "family.h"
#include "mode32_lists.h"
#include "mode32_message.h"

#define TRACE_SEND_TIMEOUT  500             /* ms a recorded program waits for the dialog */
#define MESSAGE_CAPTION     "View Messages"
#define MESSAGE_TEXT_SIZE   320             /* the longest refusal or note */

/* The recording, seen by every process: who set _hHookMsg and what it records. Written
   only by the owner's dialog thread, and cleared by a recorder that finds the owner gone.
   A process id is given again once its process has ended, so the owner's start time
   comes with it. */
static struct tagRECORDING {
    DWORD    dwOwner;           /* process that set the hook, 0 for none */
    FILETIME ftOwnerStarted;
    HWND     hTraceWnd;         /* top-level window whose messages are recorded */
} recording SHARED_SECTION = {};

/* The dialog (one at a time). */
static struct tagMESSAGEDLG {
    LPSTR  lpszInMsg;       /* the stored sequence being loaded */
    LPSTR  lpszOutMsg;      /* the sequence built by OK */
    HWND  *lphWindowList;   /* candidates of the application list, null-terminated */
    int    bClear;          /* "C&lear" was the last list action */
} message;

/* ---- Lists of the dialog ---------------------------------------------------------------- */

/* A text of the string table, cut to MESSAGE_TEXT_SIZE. */
static void LoadMessageText(UINT uiText, LPSTR lpszText)
{
    if (LoadStringA(hInstance, uiText, lpszText, MESSAGE_TEXT_SIZE) == 0)
        lpszText[0] = '\0';
}

/* Tells why something is refused: a text of the string table, in a box over the dialog. */
static void TellRefusal(HWND hDlg, UINT uiText)
{
    char szText[MESSAGE_TEXT_SIZE];
    LoadMessageText(uiText, szText);
    MessageBoxA(hDlg, szText, MESSAGE_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

/* The text of a list box entry, cut to cchText; "" when there is none. */
static void GetListText(HWND hDlg, int iList, int iIndex, LPSTR lpszText, int cchText)
{
    lpszText[0] = '\0';
    int cch = (int)SendDlgItemMessageA(hDlg, iList, LB_GETTEXTLEN, iIndex, 0);
    if (cch == LB_ERR)
        return;
    if (cch < cchText) {
        SendDlgItemMessageA(hDlg, iList, LB_GETTEXT, iIndex, (LPARAM)lpszText);
        return;
    }
    LPSTR lpszLong = (LPSTR)LocalAlloc(LPTR, cch + 1);
    if (lpszLong == NULL)
        return;
    SendDlgItemMessageA(hDlg, iList, LB_GETTEXT, iIndex, (LPARAM)lpszLong);
    lstrcpynA(lpszText, lpszLong, cchText);
    LocalFree(lpszLong);
}

int AddMessagesToListBox(HWND hDlg, int iList, LPCSTR lpszSequence)
{
    int iCount = 0;
    DWORD adwField[3];
    char szEntry[MESSAGE_ENTRY_SIZE];
    while (lpszSequence != NULL && iCount < MESSAGE_GROUPS &&
           (lpszSequence = ReadMessageGroup(lpszSequence, adwField)) != NULL) {
        /* Shown as the engine sends it. */
        FormatSequenceEntry(LOWORD(adwField[0]), LOWORD(adwField[1]), adwField[2], szEntry);
        SendDlgItemMessageA(hDlg, iList, LB_ADDSTRING, 0, (LPARAM)szEntry);
        ++iCount;
    }
    return iCount;
}

/* The groups of all entries of the list, in order, as a heap text (null when the list is
   empty). An entry that cannot be encoded is reported and makes the result null with
   *pbRefused set. */
LPSTR CreateEncodedMessage(HWND hDlg, int iList, BOOL *pbRefused)
{
    *pbRefused = FALSE;
    int iCount = (int)SendDlgItemMessageA(hDlg, iList, LB_GETCOUNT, 0, 0);
    if (iCount <= 0)
        return NULL;
    LPSTR lpszSequence = (LPSTR)LocalAlloc(LPTR, (size_t)iCount * MESSAGE_GROUP_SIZE + 1);
    if (lpszSequence == NULL)
        return NULL;
    char szEntry[MESSAGE_ENTRY_SIZE], szGroup[MESSAGE_GROUP_SIZE];
    for (int i = 0; i < iCount; ++i) {
        GetListText(hDlg, iList, i, szEntry, sizeof(szEntry));
        if (!EncodeMessage(szEntry, szGroup)) {
            TellRefusal(hDlg, IDS_MSG_NOT_A_MESSAGE);
            LocalFree(lpszSequence);
            *pbRefused = TRUE;
            return NULL;
        }
        strcat(lpszSequence, szGroup);
    }
    return lpszSequence;
}

void DeleteListBoxItem(HWND hDlg, int iList)
{
    int iSelected = (int)SendDlgItemMessageA(hDlg, iList, LB_GETSELCOUNT, 0, 0);
    if (iSelected <= 0)
        return;
    int *piIndex = (int *)LocalAlloc(LPTR, iSelected * sizeof(int));
    if (piIndex == NULL)
        return;
    iSelected = (int)SendDlgItemMessageA(hDlg, iList, LB_GETSELITEMS, iSelected, (LPARAM)piIndex);
    /* From the last, so the positions of the others stay valid. */
    for (int i = iSelected - 1; i >= 0; --i)
        SendDlgItemMessageA(hDlg, iList, LB_DELETESTRING, piIndex[i], 0);
    LocalFree(piIndex);
}

/* Appends an entry to the trace list, the oldest going when it is full, and shows it. */
static void AppendTraceEntry(HWND hDlg, LPCSTR lpszEntry)
{
    while (SendDlgItemMessageA(hDlg, IDC_MSG_TRACE, LB_GETCOUNT, 0, 0) >= TRACE_ENTRIES)
        SendDlgItemMessageA(hDlg, IDC_MSG_TRACE, LB_DELETESTRING, 0, 0);
    int iIndex = (int)SendDlgItemMessageA(hDlg, IDC_MSG_TRACE, LB_ADDSTRING, 0, (LPARAM)lpszEntry);
    if (iIndex < 0)
        return;
    SendDlgItemMessageA(hDlg, IDC_MSG_TRACE, LB_SETCARETINDEX, iIndex, FALSE);
    SendDlgItemMessageA(hDlg, IDC_MSG_TRACE, LB_SETTOPINDEX, iIndex, 0);
}

void PutMessage(HWND hDlg, LPCSTR lpszEntry)
{
    char szMessage[MESSAGE_NAME_SIZE], szWParam[MESSAGE_PARAM_SIZE], szLParam[MESSAGE_PARAM_SIZE];
    SplitTraceEntry(lpszEntry, szMessage, szWParam, szLParam);
    int iIndex = (int)SendDlgItemMessageA(hDlg, IDC_MSG_NAME, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)szMessage);
    if (iIndex >= 0)
        SendDlgItemMessageA(hDlg, IDC_MSG_NAME, CB_SETCURSEL, iIndex, 0);
    else
        SetDlgItemTextA(hDlg, IDC_MSG_NAME, szMessage);
    SetDlgItemTextA(hDlg, IDC_MSG_WPARAM, szWParam);
    SetDlgItemTextA(hDlg, IDC_MSG_LPARAM, szLParam);
}

/* ---- The application list ------------------------------------------------------------- */

BOOL CALLBACK EnumTaskWindowProc2(HWND hWnd, LPARAM lParam)
{
    HWND **pphList = (HWND **)lParam;
    if (!IsWindowVisible(hWnd) || (GetWindowLongA(hWnd, GWL_STYLE) & WS_CAPTION) == 0 ||
        GetWindowTextLengthA(hWnd) == 0 || GetWindow(hWnd, GW_OWNER) != NULL)
        return TRUE;
    size_t cWindows = 0;
    while (*pphList != NULL && (*pphList)[cWindows] != NULL)
        ++cWindows;
    HLOCAL hGrown = *pphList == NULL ? LocalAlloc(LPTR, 2 * sizeof(HWND))
                  : LocalReAlloc((HLOCAL)*pphList, (cWindows + 2) * sizeof(HWND), LMEM_MOVEABLE | LMEM_ZEROINIT);
    if (hGrown == NULL)
        return FALSE;
    *pphList = (HWND *)hGrown;
    (*pphList)[cWindows] = hWnd;
    (*pphList)[cWindows + 1] = NULL;
    return TRUE;
}

void InitialiseApplicationList(HWND hDlg, int iList, HWND **pphList)
{
    /* A new list keeps the application chosen before, when it is still there. */
    HWND hList = GetDlgItem(hDlg, iList);
    char szChosen[MESSAGE_TITLE_SIZE] = "";
    int iChosen = ComboBox_GetCurSel(hList);
    if (iChosen >= 0 && ComboBox_GetLBTextLen(hList, iChosen) < (int)sizeof(szChosen))
        ComboBox_GetLBText(hList, iChosen, szChosen);

    if (*pphList != NULL)
        LocalFree((HLOCAL)*pphList);
    *pphList = NULL;
    EnumWindows(EnumTaskWindowProc2, (LPARAM)pphList);

    ComboBox_ResetContent(hList);
    char szTitle[MESSAGE_TITLE_SIZE];
    for (HWND *phWnd = *pphList; phWnd != NULL && *phWnd != NULL; ++phWnd) {
        if (!IsWindow(*phWnd) || GetWindowTextA(*phWnd, szTitle, sizeof(szTitle)) == 0)
            continue;
        int iIndex = ComboBox_AddString(hList, szTitle);
        if (iIndex >= 0)
            ComboBox_SetItemData(hList, iIndex, (LPARAM)*phWnd);
    }
    iChosen = szChosen[0] != '\0' ? ComboBox_FindStringExact(hList, -1, szChosen) : CB_ERR;
    ComboBox_SetCurSel(hList, iChosen != CB_ERR ? iChosen : 0);
}

/* The window whose messages are recorded: the chosen application's, null for none. */
static HWND ChosenApplication(HWND hDlg)
{
    HWND hList = GetDlgItem(hDlg, IDC_MSG_APPLICATIONS);
    int iIndex = ComboBox_GetCurSel(hList);
    return iIndex >= 0 ? (HWND)ComboBox_GetItemData(hList, iIndex) : NULL;
}

/* ---- Recording -------------------------------------------------------------------------- */

int AddTraceMsg(HWND hDlg, int iList, MSG msg)
{
    HWND hTarget = recording.hTraceWnd;
    if (hDlg == NULL || hTarget == NULL)
        return 0;
    /* The dialog's own thread is left out: adding an entry there makes more messages to
       record, without end. */
    if (GetWindowThreadProcessId(hDlg, NULL) == GetCurrentThreadId())
        return 0;
    HWND hTop = msg.hwnd;
    for (HWND hParent; (hParent = GetParent(hTop)) != NULL;)
        hTop = hParent;
    if (hTop != hTarget)
        return 0;

    char szEntry[MESSAGE_ENTRY_SIZE];
    FormatTraceEntry(&msg, szEntry);
    /* The entry travels by copy: the dialog may live in another process. */
    COPYDATASTRUCT cds = { (ULONG_PTR)iList, (DWORD)strlen(szEntry) + 1, szEntry };
    /* The recorded program waits for the dialog, but never long. */
    DWORD_PTR dwResult = 0;
    return SendMessageTimeoutA(hDlg, WM_COPYDATA, 0, (LPARAM)&cds, SMTO_ABORTIFHUNG, TRACE_SEND_TIMEOUT,
                               &dwResult) != 0 && dwResult != 0;
}

LRESULT CALLBACK GetMsgProc(int iCode, WPARAM wParam, LPARAM lParam)
{
    const MSG *pMsg = (const MSG *)lParam;
    if (iCode >= 0 && pMsg != NULL && pMsg->hwnd != NULL)
        AddTraceMsg(_hMessageDlg, IDC_MSG_TRACE, *pMsg);
    /* Every message goes on to the other hooks: recording must not change what the
       programs get. */
    return CallNextHookEx(_hHookMsg, iCode, wParam, lParam);
}

static BOOL ProcessStarted(HANDLE hProcess, FILETIME *pftStarted)
{
    FILETIME ftExited, ftKernel, ftUser;
    return GetProcessTimes(hProcess, pftStarted, &ftExited, &ftKernel, &ftUser);
}

/* Whether this process set the hook. */
static BOOL OwnsRecording(void)
{
    FILETIME ftStarted;
    return _hHookMsg != NULL && recording.dwOwner == GetCurrentProcessId() &&
           ProcessStarted(GetCurrentProcess(), &ftStarted) &&
           CompareFileTime(&ftStarted, &recording.ftOwnerStarted) == 0;
}

/* Whether the process that set the hook still runs. One that may not be asked (another
   user's) counts as running. */
static BOOL RecordingOwnerRuns(void)
{
    HANDLE hProcess = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, recording.dwOwner);
    if (hProcess == NULL)
        return GetLastError() == ERROR_ACCESS_DENIED;
    FILETIME ftStarted;
    BOOL bRuns = ProcessStarted(hProcess, &ftStarted) &&
                 CompareFileTime(&ftStarted, &recording.ftOwnerStarted) == 0 &&
                 WaitForSingleObject(hProcess, 0) == WAIT_TIMEOUT;
    CloseHandle(hProcess);
    return bRuns;
}

/* Forgets a hook whose owner has ended: Windows removed the hook with its process, and
   the handle left behind would keep every later recorder from starting. */
static void ForgetEndedRecording(void)
{
    if (_hHookMsg != NULL && !RecordingOwnerRuns()) {
        _hHookMsg = NULL;
        recording = {};
    }
}

static void StartRecording(HWND hDlg)
{
    ForgetEndedRecording();
    if (_hHookMsg != NULL && !OwnsRecording()) {
        TellRefusal(hDlg, IDS_MSG_OTHER_RECORDER);
        return;
    }
    recording.hTraceWnd = ChosenApplication(hDlg);
    _hMessageDlg = hDlg;
    if (_hHookMsg != NULL)
        return;
    /* The owner is known before the hook is, so no recorder takes it for an ended one. */
    recording.dwOwner = GetCurrentProcessId();
    ProcessStarted(GetCurrentProcess(), &recording.ftOwnerStarted);
    _hHookMsg = SetWindowsHookExA(WH_GETMESSAGE, GetMsgProc, hInstance, 0);
    if (_hHookMsg == NULL)
        recording = {};
}

/* Ends this process's recording; another process's is left to its owner. */
static void StopRecording(void)
{
    if (!OwnsRecording())
        return;
    UnhookWindowsHookEx(_hHookMsg);
    _hHookMsg = NULL;
    recording = {};
}

/* ---- Programs the hook cannot reach ------------------------------------------------------ */

UINT RecorderNote(BOOL bRecorderWow64, BOOL bProgramWow64)
{
    if (bRecorderWow64 == bProgramWow64)
        return 0;
    return bProgramWow64 ? IDS_MSG_PROGRAM_32BIT : IDS_MSG_PROGRAM_64BIT;
}

static BOOL RunsUnderWow64(HANDLE hProcess)
{
    BOOL bWow64 = FALSE;
    return IsWow64Process(hProcess, &bWow64) && bWow64;
}

/* The note for the program of a window; 0 (try to record) when it cannot be asked. */
static UINT NoteForWindow(HWND hWnd)
{
    DWORD dwProcess = 0;
    if (hWnd == NULL || GetWindowThreadProcessId(hWnd, &dwProcess) == 0)
        return 0;
    HANDLE hProcess = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, dwProcess);
    if (hProcess == NULL)
        return 0;
    UINT uiNote = RecorderNote(RunsUnderWow64(GetCurrentProcess()), RunsUnderWow64(hProcess));
    CloseHandle(hProcess);
    return uiNote;
}

void ShowRecorderNote(HWND hDlg, UINT uiNote)
{
    char szNote[MESSAGE_TEXT_SIZE] = "";
    if (uiNote != 0)
        LoadMessageText(uiNote, szNote);
    SetDlgItemTextA(hDlg, IDC_MSG_NOTE, szNote);
    ShowWindow(GetDlgItem(hDlg, IDC_MSG_NOTE), uiNote != 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(hDlg, IDC_MSG_TRACE), uiNote != 0 ? SW_HIDE : SW_SHOW);
}

/* A program was chosen: say whether it can be recorded, and record it from now on when
   this dialog records. */
static void OnApplicationChosen(HWND hDlg)
{
    HWND hChosen = ChosenApplication(hDlg);
    ShowRecorderNote(hDlg, NoteForWindow(hChosen));
    if (OwnsRecording())
        recording.hTraceWnd = hChosen;
}

/* ---- The dialog ---------------------------------------------------------------------- */

LPSTR GetEncodedString(HWND hDlg)
{
    int cch = GetWindowTextLengthA(GetDlgItem(hDlg, IDC_ENCODED));
    if (cch <= 0)
        return NULL;
    LPSTR lpszText = (LPSTR)LocalAlloc(LPTR, cch + 1);
    if (lpszText != NULL)
        GetDlgItemTextA(hDlg, IDC_ENCODED, lpszText, cch + 1);
    return lpszText;
}

static void SelectCommandMessage(HWND hDlg)
{
    SendDlgItemMessageA(hDlg, IDC_MSG_NAME, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)"WM_COMMAND");
}

/* The sequence travels in the hidden field, which the frame fills and reads. */
const tagFAMILY MessageFamily = {
    MESSAGE, IDD_MESSAGES, MessageDlgProc, IDR_MESSAGE_TEMPLATES, IDH_MESSAGES, 5, 0,
    SetEncoded, GetEncoded, NULL, NULL
};

static BOOL OnInitDialog(HWND hDlg, HWND hFocus, LPARAM lParam)
{
    (void)hFocus;
    (void)lParam;
    ForgetEndedRecording();
    /* While another process records, the messages keep going to its dialog. */
    if (_hHookMsg == NULL)
        _hMessageDlg = hDlg;
    message.bClear = 0;
    InitialiseApplicationList(hDlg, IDC_MSG_APPLICATIONS, &message.lphWindowList);
    OnApplicationChosen(hDlg);
    /* The frame puts the stored sequence into the hidden field. */
    FamilyInitDialog(hDlg, &MessageFamily);

    SendDlgItemMessageA(hDlg, IDC_MSG_SEQUENCE, LB_RESETCONTENT, 0, 0);
    InitialiseComboBoxRC(hDlg, IDC_MSG_NAME, IDR_MESSAGE_NAMES, IDR_MESSAGE_VALUES);
    message.lpszInMsg = GetEncodedString(hDlg);
    AddMessagesToListBox(hDlg, IDC_MSG_SEQUENCE, message.lpszInMsg);

    SendDlgItemMessageA(hDlg, IDC_MSG_NAME, CB_LIMITTEXT, MESSAGE_NAME_SIZE - 1, 0);
    SendDlgItemMessageA(hDlg, IDC_MSG_WPARAM, EM_LIMITTEXT, MESSAGE_PARAM_SIZE - 1, 0);
    SendDlgItemMessageA(hDlg, IDC_MSG_LPARAM, EM_LIMITTEXT, MESSAGE_PARAM_SIZE - 1, 0);
    SelectCommandMessage(hDlg);
    return FALSE;   /* the frame gave the focus to OK */
}

static void OnAdd(HWND hDlg)
{
    message.bClear = 0;
    if (SendDlgItemMessageA(hDlg, IDC_MSG_SEQUENCE, LB_GETCOUNT, 0, 0) >= MESSAGE_GROUPS)
        return;
    char szMessage[MESSAGE_NAME_SIZE], szWParam[MESSAGE_PARAM_SIZE], szLParam[MESSAGE_PARAM_SIZE];
    GetDlgItemTextA(hDlg, IDC_MSG_NAME, szMessage, sizeof(szMessage));
    GetDlgItemTextA(hDlg, IDC_MSG_WPARAM, szWParam, sizeof(szWParam));
    GetDlgItemTextA(hDlg, IDC_MSG_LPARAM, szLParam, sizeof(szLParam));
    UINT uiRefusal = CheckMessageFields(szMessage, szWParam, szLParam);
    if (uiRefusal != 0) {
        TellRefusal(hDlg, uiRefusal);
        return;
    }
    char szEntry[MESSAGE_ENTRY_SIZE];
    snprintf(szEntry, sizeof(szEntry), "%s %s %s", szMessage, szWParam, szLParam);
    SendDlgItemMessageA(hDlg, IDC_MSG_SEQUENCE, LB_ADDSTRING, 0, (LPARAM)szEntry);
}

static void OnClear(HWND hDlg)
{
    message.bClear = 1;
    SetDlgItemTextA(hDlg, IDC_MSG_NAME, "");
    SetDlgItemTextA(hDlg, IDC_MSG_WPARAM, "");
    SetDlgItemTextA(hDlg, IDC_MSG_LPARAM, "");
    SendDlgItemMessageA(hDlg, IDC_MSG_SEQUENCE, LB_RESETCONTENT, 0, 0);
    SelectCommandMessage(hDlg);
}

static void OnOK(HWND hDlg)
{
    if (message.lpszOutMsg != NULL)
        LocalFree(message.lpszOutMsg);
    message.lpszOutMsg = NULL;
    if (message.bClear != 1) {
        BOOL bRefused;
        message.lpszOutMsg = CreateEncodedMessage(hDlg, IDC_MSG_SEQUENCE, &bRefused);
        if (bRefused)
            return;
    }
    SetDlgItemTextA(hDlg, IDC_ENCODED, message.lpszOutMsg != NULL ? message.lpszOutMsg : "");
    /* Storing an empty sequence leaves the button without a function. */
    Editor()->fCurrentFunction = MESSAGE;
    GetFunction(hDlg, &MessageFamily, Editor()->pbiHolder);
    EndDialog(hDlg, 0);
}

static void OnTraceChosen(HWND hDlg)
{
    int iIndex = (int)SendDlgItemMessageA(hDlg, IDC_MSG_TRACE, LB_GETCURSEL, 0, 0);
    if (iIndex < 0)
        return;
    char szEntry[MESSAGE_ENTRY_SIZE];
    GetListText(hDlg, IDC_MSG_TRACE, iIndex, szEntry, sizeof(szEntry));
    PutMessage(hDlg, szEntry);
}

static void OnCommand(HWND hDlg, int id, HWND hCtl, UINT uCode)
{
    (void)hCtl;
    switch (id) {
    case IDOK:
        OnOK(hDlg);
        break;
    case IDCANCEL:
        EndDialog(hDlg, 0);
        break;
    case IDC_CLEAR:
        OnClear(hDlg);
        break;
    case IDC_HELPBUTTON:
        FamilyCommand(hDlg, id);
        break;
    case IDC_MSG_ADD:
        OnAdd(hDlg);
        break;
    case IDC_MSG_DELETE:
        DeleteListBoxItem(hDlg, IDC_MSG_SEQUENCE);
        break;
    case IDC_MSG_START:
        StartRecording(hDlg);
        break;
    case IDC_MSG_STOP:
        StopRecording();
        break;
    case IDC_MSG_RESET:
        SendDlgItemMessageA(hDlg, IDC_MSG_TRACE, LB_RESETCONTENT, 0, 0);
        break;
    case IDC_MSG_TRACE:
        OnTraceChosen(hDlg);
        break;
    case IDC_MSG_APPLICATIONS:
        if (uCode == CBN_DROPDOWN)
            InitialiseApplicationList(hDlg, IDC_MSG_APPLICATIONS, &message.lphWindowList);
        if (uCode == CBN_DROPDOWN || uCode == CBN_SELCHANGE)
            OnApplicationChosen(hDlg);
        break;
    }
}

/* A trace entry from the hook, in whatever process it ran. */
static BOOL OnCopyData(HWND hDlg, HWND hFrom, PCOPYDATASTRUCT pcds)
{
    (void)hFrom;
    if (pcds == NULL || pcds->dwData != IDC_MSG_TRACE || pcds->lpData == NULL ||
        pcds->cbData == 0 || pcds->cbData > MESSAGE_ENTRY_SIZE ||
        ((LPCSTR)pcds->lpData)[pcds->cbData - 1] != '\0')
        return FALSE;
    AppendTraceEntry(hDlg, (LPCSTR)pcds->lpData);
    return TRUE;
}

static void OnDestroy(HWND hDlg)
{
    FamilyOnDestroy(hDlg);
    /* The dialog goes first, so a hook call in between finds nothing to add to. */
    if (_hMessageDlg == hDlg)
        _hMessageDlg = NULL;
    StopRecording();
    if (message.lpszInMsg != NULL)
        LocalFree(message.lpszInMsg);
    if (message.lpszOutMsg != NULL)
        LocalFree(message.lpszOutMsg);
    if (message.lphWindowList != NULL)
        LocalFree((HLOCAL)message.lphWindowList);
    message = {};
}

INT_PTR CALLBACK MessageDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uiMessage) {
        HANDLE_DLGMSG(hDlg, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand);
        HANDLE_DLGMSG(hDlg, WM_COPYDATA, OnCopyData);
        HANDLE_DLGMSG(hDlg, WM_DESTROY, OnDestroy);
        FAMILY_DLGMSGS(hDlg);
    }
    return FALSE;
}
