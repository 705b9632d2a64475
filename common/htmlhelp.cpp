/*
 * htmlhelp.cpp - the help file through HTML Help. The library hhctrl.ocx is bound when
 * help is first asked for and stays loaded: the help windows it opens outlive the call
 * that opened them. Which page belongs to which topic number comes from the help project
 * itself (help/Mirelo.hhp, turned into helppages.h by the build).
 */
#include <windows.h>
#include <string.h>
#include <stdio.h>
#include "htmlhelp.h"
#include "picture.h"

#define HTML_HELP_LIBRARY   "hhctrl.ocx"
#define HTML_HELP_ENTRY     "HtmlHelpA"
#define HELP_CAPTION        "Help"

typedef HWND (WINAPI *HTMLHELPPROC)(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);

/* HH_POPUP of the platform SDK. */
struct tagHHPOPUP {
    int       cbStruct;
    HINSTANCE hinst;
    UINT      idString;
    LPCSTR    pszText;
    POINT     pt;
    COLORREF  clrForeground;
    COLORREF  clrBackground;
    RECT      rcMargins;
    LPCSTR    pszFont;
};

struct tagHELPPAGE {
    UINT   uiTopic;
    LPCSTR pszPage;
};

static const tagHELPPAGE ahpPages[] = {
#define HELP_PAGE(topic, page) { topic, page },
#include "helppages.h"
#undef HELP_PAGE
};

LPCSTR HelpTopicPage(UINT uiTopic)
{
    for (const tagHELPPAGE &hp : ahpPages)
        if (hp.uiTopic == uiTopic)
            return hp.pszPage;
    return NULL;
}

BOOL ComposeHelpAddress(LPCSTR pszHelpFile, UINT uiTopic, LPSTR pszAddress, size_t cchAddress)
{
    if (cchAddress == 0)
        return FALSE;
    pszAddress[0] = '\0';
    LPCSTR pszPage = HelpTopicPage(uiTopic);
    if (pszPage == NULL)
        return FALSE;
    int cch = snprintf(pszAddress, cchAddress, "%s::/%s", pszHelpFile, pszPage);
    if (cch < 0 || (size_t)cch >= cchAddress) {
        pszAddress[0] = '\0';
        return FALSE;
    }
    return TRUE;
}

/* HtmlHelpA, loading the library when bLoad is set; null when it cannot be had. */
static HTMLHELPPROC HtmlHelpEntry(BOOL bLoad)
{
    HMODULE hLibrary = GetModuleHandleA(HTML_HELP_LIBRARY);
    if (hLibrary == NULL && bLoad)
        hLibrary = LoadLibraryA(HTML_HELP_LIBRARY);
    if (hLibrary == NULL)
        return NULL;
    return (HTMLHELPPROC)(void (*)(void))GetProcAddress(hLibrary, HTML_HELP_ENTRY);
}

static void HelpMessage(HWND hWnd, LPCSTR pszFormat, LPCSTR pszArgument)
{
    char szText[2 * MAX_PATH + 200];
    snprintf(szText, sizeof(szText), pszFormat, pszArgument);
    MessageBoxA(hWnd, szText, HELP_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

void ShowHelpTopic(HWND hWnd, UINT uiTopic)
{
    char szFile[MAX_PATH + 1];
    if (!LocalFilePath(HELP_FILE_NAME, szFile, sizeof(szFile))) {
        HelpMessage(hWnd, "The path of the help file %s is too long for this system.", HELP_FILE_NAME);
        return;
    }
    if (GetFileAttributesA(szFile) == INVALID_FILE_ATTRIBUTES) {
        HelpMessage(hWnd, "The help file was not found:\n%s\n\nInstall the help again with the setup program.", szFile);
        return;
    }
    char szAddress[MAX_PATH + 64];
    if (!ComposeHelpAddress(szFile, uiTopic, szAddress, sizeof(szAddress))) {
        char szTopic[16];
        snprintf(szTopic, sizeof(szTopic), "%u", uiTopic);
        HelpMessage(hWnd, "The help file has no page for topic %s.", szTopic);
        return;
    }
    HTMLHELPPROC lpfnHtmlHelp = HtmlHelpEntry(TRUE);
    if (lpfnHtmlHelp == NULL) {
        HelpMessage(hWnd, "Help cannot be shown: HTML Help (%s) is not installed on this system.", HTML_HELP_LIBRARY);
        return;
    }
    if (lpfnHtmlHelp(hWnd, szAddress, HH_DISPLAY_TOPIC, 0) == NULL)
        HelpMessage(hWnd, "HTML Help could not open the help file:\n%s", szFile);
}

void CloseHelpWindows(void)
{
    HTMLHELPPROC lpfnHtmlHelp = HtmlHelpEntry(FALSE);
    if (lpfnHtmlHelp != NULL)
        lpfnHtmlHelp(NULL, NULL, HH_CLOSE_ALL, 0);
}

void ShowHelpPopup(HWND hControl, LPCSTR pszText, POINT ptScreen, LPCSTR pszCaption)
{
    HTMLHELPPROC lpfnHtmlHelp = HtmlHelpEntry(TRUE);
    if (lpfnHtmlHelp != NULL) {
        tagHHPOPUP hp = {};
        hp.cbStruct = sizeof(hp);
        hp.pszText = pszText;
        hp.pt = ptScreen;
        hp.clrForeground = (COLORREF)-1;
        hp.clrBackground = (COLORREF)-1;
        SetRect(&hp.rcMargins, -1, -1, -1, -1);
        if (lpfnHtmlHelp(hControl, NULL, HH_DISPLAY_TEXT_POPUP, (DWORD_PTR)&hp) != NULL)
            return;
    }
    MessageBoxA(GetAncestor(hControl, GA_ROOT), pszText, pszCaption, MB_OK | MB_ICONINFORMATION);
}
