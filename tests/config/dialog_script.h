/*
 * dialog_script.h - drives modal dialogs of this thread: a list of steps, each waiting
 * for a dialog with a given caption to be the enabled one and then acting on it. A thread
 * timer, dispatched by whatever modal loop runs, takes the steps in order; actions post
 * their clicks, so that the dialogs they open run in the dialogs' own loops.
 */
#ifndef ORVANE_DIALOG_SCRIPT_H
#define ORVANE_DIALOG_SCRIPT_H

#include <windows.h>
#include <functional>
#include <string>
#include <vector>

struct tagSCRIPTSTEP {
    std::string strCaption;
    std::function<void(HWND)> action;
};

/* Runs fnOpen (which opens a modal dialog and returns when it ends) while the steps act
   on the dialogs it shows. Returns false when a step's dialog did not show within
   dwTimeout (every dialog of the thread is then ended). pstrSeen, when given, receives
   the caption of every dialog that was shown, once per window, in order. */
bool RunScript(const std::function<void()> &fnOpen, const std::vector<tagSCRIPTSTEP> &steps,
               std::vector<std::string> *pstrSeen = nullptr, DWORD dwTimeout = 20000);

/* Posts a click of a dialog's button; sets a control's text; selects a combo box entry
   and tells the dialog, as a user's choice does. */
void PostClick(HWND hDlg, int iControl);
void SetText(HWND hDlg, int iControl, const std::string &strText);
std::string GetText(HWND hDlg, int iControl);
void ChooseEntry(HWND hDlg, int iControl, int iIndex);
std::string SelectedEntry(HWND hDlg, int iControl);

#endif /* ORVANE_DIALOG_SCRIPT_H */
