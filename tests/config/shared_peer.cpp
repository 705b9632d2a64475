/*
 * shared_peer - the other process of the shared-section, recorder and editor tests.
 *   shared_peer await N       waits until _bDraw holds N; exit code 0 when it did, 1 when not
 *   shared_peer write N       sets _bDraw to N
 *   shared_peer record TITLE  opens the View Messages dialog (not shown), chooses the
 *                             application TITLE and records it until it is ended (or a
 *                             minute has passed)
 *   shared_peer edit NAME STEP...
 *                             a configuration run on the picture of the remote, as a person
 *                             works it; exit code 0 when every step was taken. Steps:
 *       open:D                double-click digit D of the picture (the function editor opens)
 *       web:ADDRESS           in the open editor: the web family, ADDRESS, OK, then OK
 *       hold                  sets the event NAME-held and waits for the event NAME-go, with
 *                             whatever dialog is open staying open
 *                             The run ends with the picture closed after the last step.
 */
#include <windows.h>
#include <windowsx.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "rem32_layout.h"
#include "dialog_script.h"

namespace {

const DWORD dwAwaitLimit = 20000;
const DWORD dwHoldLimit = 60000;

/* Polls the shared variable: the other process may write it after this one started. */
int Await(int iValue)
{
    for (DWORD dwStart = GetTickCount(); GetTickCount() - dwStart < dwAwaitLimit; Sleep(10))
        if (_bDraw == iValue)
            return 0;
    return 1;
}

void DoubleClickDigit(HWND hPicture, int iDigit)
{
    const RECT &r = rButtons[iDigit];
    LPARAM lPoint = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(hPicture, WM_MOUSEMOVE, 0, lPoint);
    PostMessageA(hPicture, WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
}

int Edit(const std::string &strName, int argc, char **argv)
{
    HANDLE hHeld = CreateEventA(NULL, FALSE, FALSE, (strName + "-held").c_str());
    HANDLE hGo = CreateEventA(NULL, FALSE, FALSE, (strName + "-go").c_str());
    std::vector<tagSCRIPTSTEP> steps;
    std::string strShown = "Buttons";        /* the dialog that is in front at this step */
    for (int i = 0; i < argc; i++) {
        std::string strStep = argv[i];
        if (strStep.compare(0, 5, "open:") == 0) {
            int iDigit = atoi(strStep.c_str() + 5);
            if (iDigit < 1 || iDigit > 9)
                return 2;
            steps.push_back({ "Buttons", [iDigit](HWND hDlg) { DoubleClickDigit(hDlg, iDigit); } });
            strShown = "Functions";
        } else if (strStep.compare(0, 4, "web:") == 0) {
            std::string strAddress = strStep.substr(4);
            steps.push_back({ "Functions", [](HWND hDlg) { PostMessageA(hDlg, WM_MENUCHAR, 'w', 0); } });
            steps.push_back({ "Web Address", [strAddress](HWND hDlg) {
                SetText(hDlg, IDC_WEB_ADDRESS, strAddress);
                PostClick(hDlg, IDOK);
            } });
            steps.push_back({ "Functions", [](HWND hDlg) { PostClick(hDlg, IDOK); } });
            strShown = "Buttons";
        } else if (strStep == "hold") {
            steps.push_back({ strShown, [hHeld, hGo](HWND) {
                SetEvent(hHeld);
                WaitForSingleObject(hGo, dwHoldLimit);
            } });
        } else {
            return 2;
        }
    }
    if (strShown != "Buttons")
        return 2;
    steps.push_back({ "Buttons", [](HWND hDlg) { PostMessageA(hDlg, WM_CLOSE, 0, 0); } });
    return RunScript([] { MouseButtons(NULL); }, steps) ? 0 : 1;
}

const DWORD dwRecordLimit = 60000;

int Record(LPCSTR lpszTitle)
{
    HWND hDlg = CreateDialogRes(IDD_MESSAGES, NULL, MessageDlgProc);
    if (hDlg == NULL)
        return 1;
    HWND hApps = GetDlgItem(hDlg, IDC_MSG_APPLICATIONS);
    if (ComboBox_SelectString(hApps, -1, lpszTitle) < 0)
        return 2;
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_MSG_APPLICATIONS, CBN_SELCHANGE), (LPARAM)hApps);
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_MSG_START, BN_CLICKED), (LPARAM)GetDlgItem(hDlg, IDC_MSG_START));
    SetTimer(NULL, 0, dwRecordLimit, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0 && !(msg.message == WM_TIMER && msg.hwnd == NULL)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(hDlg);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && strcmp(argv[1], "await") == 0)
        return Await(atoi(argv[2]));
    if (argc >= 3 && strcmp(argv[1], "write") == 0) {
        _bDraw = atoi(argv[2]);
        return 0;
    }
    if (argc >= 3 && strcmp(argv[1], "record") == 0)
        return Record(argv[2]);
    if (argc >= 3 && strcmp(argv[1], "edit") == 0)
        return Edit(argv[2], argc - 3, argv + 3);
    return -1;
}
