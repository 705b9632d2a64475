/*
 * dialog_script.cpp - steps acting on the modal dialogs of this thread (dialog_script.h).
 */
#include "dialog_script.h"
#include <windowsx.h>
#include <set>

namespace {

struct tagSCRIPT {
    const std::vector<tagSCRIPTSTEP> *pSteps;
    size_t iNext;
    DWORD dwStepStart;
    bool bTimedOut;
    std::set<HWND> seenWindows;
    std::vector<std::string> *pstrSeen;
    DWORD dwTimeout;
} script;

std::string Caption(HWND hWnd)
{
    char szCaption[128] = "";
    GetWindowTextA(hWnd, szCaption, sizeof(szCaption));
    return szCaption;
}

bool IsDialog(HWND hWnd)
{
    char szClass[16] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    return lstrcmpA(szClass, "#32770") == 0 && IsWindowVisible(hWnd);
}

/* The enabled dialog of this thread with the caption, or null; notes every dialog seen. */
HWND FindScriptDialog(const std::string &strCaption)
{
    struct tagFIND { const std::string *pstrCaption; HWND hFound; } find = { &strCaption, NULL };
    EnumThreadWindows(GetCurrentThreadId(), [](HWND hWnd, LPARAM lParam) -> BOOL {
        tagFIND *pFind = (tagFIND *)lParam;
        if (!IsDialog(hWnd))
            return TRUE;
        if (script.seenWindows.insert(hWnd).second && script.pstrSeen != nullptr)
            script.pstrSeen->push_back(Caption(hWnd));
        if (IsWindowEnabled(hWnd) && Caption(hWnd) == *pFind->pstrCaption)
            pFind->hFound = hWnd;
        return TRUE;
    }, (LPARAM)&find);
    return find.hFound;
}

void EndEveryDialog()
{
    EnumThreadWindows(GetCurrentThreadId(), [](HWND hWnd, LPARAM) -> BOOL {
        if (IsDialog(hWnd))
            EndDialog(hWnd, 0);
        return TRUE;
    }, 0);
}

void CALLBACK ScriptTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (script.pSteps == nullptr || script.iNext >= script.pSteps->size()) {
        FindScriptDialog(std::string());
        return;
    }
    const tagSCRIPTSTEP &step = (*script.pSteps)[script.iNext];
    HWND hDlg = FindScriptDialog(step.strCaption);
    if (hDlg == NULL) {
        if (GetTickCount() - script.dwStepStart > script.dwTimeout) {
            script.bTimedOut = true;
            script.iNext = script.pSteps->size();
            EndEveryDialog();
        }
        return;
    }
    script.iNext++;
    step.action(hDlg);
    script.dwStepStart = GetTickCount();
}

} // namespace

bool RunScript(const std::function<void()> &fnOpen, const std::vector<tagSCRIPTSTEP> &steps,
               std::vector<std::string> *pstrSeen, DWORD dwTimeout)
{
    script.pSteps = &steps;
    script.iNext = 0;
    script.dwStepStart = GetTickCount();
    script.bTimedOut = false;
    script.seenWindows.clear();
    script.pstrSeen = pstrSeen;
    script.dwTimeout = dwTimeout;
    UINT_PTR idTimer = SetTimer(NULL, 0, 20, ScriptTimer);
    fnOpen();
    KillTimer(NULL, idTimer);
    bool bDone = !script.bTimedOut && script.iNext == steps.size();
    script.pSteps = nullptr;
    script.pstrSeen = nullptr;
    return bDone;
}

void PostClick(HWND hDlg, int iControl)
{
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(iControl, BN_CLICKED), (LPARAM)GetDlgItem(hDlg, iControl));
}

void SetText(HWND hDlg, int iControl, const std::string &strText)
{
    SetDlgItemTextA(hDlg, iControl, strText.c_str());
}

std::string GetText(HWND hDlg, int iControl)
{
    char szText[1024] = "";
    GetDlgItemTextA(hDlg, iControl, szText, sizeof(szText));
    return szText;
}

void ChooseEntry(HWND hDlg, int iControl, int iIndex)
{
    HWND hCombo = GetDlgItem(hDlg, iControl);
    ComboBox_SetCurSel(hCombo, iIndex);
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(iControl, CBN_SELCHANGE), (LPARAM)hCombo);
}

std::string SelectedEntry(HWND hDlg, int iControl)
{
    HWND hCombo = GetDlgItem(hDlg, iControl);
    int iIndex = ComboBox_GetCurSel(hCombo);
    char szText[256] = "";
    if (iIndex != CB_ERR && ComboBox_GetLBTextLen(hCombo, iIndex) < (int)sizeof(szText))
        ComboBox_GetLBText(hCombo, iIndex, szText);
    return szText;
}
