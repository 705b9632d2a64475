/*
 * mode32_message_text.cpp - the texts of the "View Messages" dialog's lists: message names
 * and numbers, the entries of the sequence and trace lists, and the group each entry
 * encodes to. A sequence is up to six groups "[message:wparam:lparam]" in hexadecimal: a
 * message chosen by name is written as its number in four or more digits, numbers typed
 * by the person are kept as typed. The engine posts the message number and wparam as
 * 16-bit values, so the list takes none wider and shows a stored one as it is sent. Text
 * and resource lists only: no window is touched, so the texts can be tested and fuzzed on
 * their own.
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "BrenvikRes.h"
#include "zendrares32.h"
#include "mode32_message.h"

#define SENT_FIELD_MAX      0xFFFF          /* the engine posts message and wparam as 16 bits */

/* ---- Names and numbers ---------------------------------------------------------------- */

BOOL GetWinMessageValue(LPCSTR lpszName, DWORD *pdwValue)
{
    WORD wValue;
    BOOL bFound = PairedValueOfName(IDR_MESSAGE_NAMES, IDR_MESSAGE_VALUES, lpszName, TRUE, &wValue);
    *pdwValue = wValue;
    return bFound;
}

BOOL GetMessageName(DWORD dwMessage, LPSTR lpszName, int cchName)
{
    lpszName[0] = '\0';
    return dwMessage <= 0xFFFF &&
           PairedNameOfValue(IDR_MESSAGE_NAMES, IDR_MESSAGE_VALUES, (WORD)dwMessage, lpszName, cchName);
}

/* ---- Texts of the lists (no window) ---------------------------------------------------- */

/* Whether a text is a hexadecimal number of one to eight digits; its value goes to
   *pdwValue. */
static BOOL ReadHexNumber(LPCSTR lpszText, DWORD *pdwValue)
{
    size_t cch = strlen(lpszText);
    if (cch < 1 || cch > 8 || strspn(lpszText, "0123456789abcdefABCDEF") != cch)
        return FALSE;
    *pdwValue = strtoul(lpszText, NULL, 16);
    return TRUE;
}

static BOOL IsMessageName(LPCSTR lpszText)
{
    return lpszText[0] == 'W' || lpszText[0] == 'w';
}

UINT CheckMessageFields(LPCSTR lpszMessage, LPCSTR lpszWParam, LPCSTR lpszLParam)
{
    DWORD dwMessage, dwWParam = 0, dwLParam = 0;
    if (IsMessageName(lpszMessage) ? !GetWinMessageValue(lpszMessage, &dwMessage)
                                   : !ReadHexNumber(lpszMessage, &dwMessage))
        return IDS_MSG_NOT_A_MESSAGE;
    if ((*lpszWParam != '\0' && !ReadHexNumber(lpszWParam, &dwWParam)) ||
        (*lpszLParam != '\0' && !ReadHexNumber(lpszLParam, &dwLParam)))
        return IDS_MSG_BAD_PARAMETER;
    /* A wider value would be sent cut, as another message than the list shows. */
    if (dwMessage > SENT_FIELD_MAX || dwWParam > SENT_FIELD_MAX)
        return IDS_MSG_TOO_WIDE;
    return 0;
}

/* Copies the text up to the next blank (or the end) into a field of cchField bytes, cut
   when longer; returns what follows the blank. */
static LPCSTR TakeWord(LPCSTR lpszText, LPSTR lpszField, int cchField)
{
    size_t cchWord = strcspn(lpszText, " ");
    lstrcpynA(lpszField, lpszText, (int)(cchWord + 1 < (size_t)cchField ? cchWord + 1 : (size_t)cchField));
    return lpszText[cchWord] == ' ' ? lpszText + cchWord + 1 : lpszText + cchWord;
}

void SplitSequenceEntry(LPCSTR lpszEntry, LPSTR lpszMessage, LPSTR lpszWParam, LPSTR lpszLParam)
{
    lpszEntry = TakeWord(lpszEntry, lpszMessage, MESSAGE_NAME_SIZE);
    lpszEntry = TakeWord(lpszEntry, lpszWParam, MESSAGE_PARAM_SIZE);
    lstrcpynA(lpszLParam, lpszEntry, MESSAGE_PARAM_SIZE);
}

BOOL EncodeMessage(LPCSTR lpszEntry, LPSTR lpszGroup)
{
    char szMessage[MESSAGE_NAME_SIZE], szWParam[MESSAGE_PARAM_SIZE], szLParam[MESSAGE_PARAM_SIZE];
    SplitSequenceEntry(lpszEntry, szMessage, szWParam, szLParam);
    lpszGroup[0] = '\0';
    if (IsMessageName(szMessage)) {
        DWORD dwValue;
        if (!GetWinMessageValue(szMessage, &dwValue))
            return FALSE;
        snprintf(szMessage, sizeof(szMessage), "%04lX", (unsigned long)dwValue);
    }
    snprintf(lpszGroup, MESSAGE_GROUP_SIZE, "[%s:%s:%s]", szMessage, szWParam, szLParam);
    return TRUE;
}

void FormatSequenceEntry(DWORD dwMessage, DWORD dwWParam, DWORD dwLParam, LPSTR lpszEntry)
{
    char szName[MESSAGE_NAME_SIZE];
    /* A number without a name is shown as a number, which encodes back to itself. */
    if (!GetMessageName(dwMessage, szName, sizeof(szName)))
        snprintf(szName, sizeof(szName), "%04lX", (unsigned long)dwMessage);
    snprintf(lpszEntry, MESSAGE_ENTRY_SIZE, "%s %08lX %08lX", szName,
             (unsigned long)dwWParam, (unsigned long)dwLParam);
}

void FormatTraceEntry(const MSG *pMsg, LPSTR lpszEntry)
{
    char szName[MESSAGE_NAME_SIZE];
    unsigned long ulWParam = (DWORD)pMsg->wParam, ulLParam = (DWORD)pMsg->lParam;
    if (GetMessageName(pMsg->message, szName, sizeof(szName)))
        snprintf(lpszEntry, MESSAGE_ENTRY_SIZE, "%s [%08lX] [%08lX]", szName, ulWParam, ulLParam);
    else
        snprintf(lpszEntry, MESSAGE_ENTRY_SIZE, "%04x: <Undefined> [%08lX] [%08lX]",
                 pMsg->message, ulWParam, ulLParam);
}

/* The text after lpszMark up to the next "]", cut to the field; "" when there is none.
   Returns where the field ends. */
static LPCSTR TakeBracketed(LPCSTR lpszText, LPCSTR lpszMark, LPSTR lpszField, int cchField)
{
    lpszField[0] = '\0';
    LPCSTR lpszStart = lpszText != NULL ? strstr(lpszText, lpszMark) : NULL;
    if (lpszStart == NULL)
        return NULL;
    lpszStart += strlen(lpszMark);
    size_t cchValue = strcspn(lpszStart, "]");
    lstrcpynA(lpszField, lpszStart, (int)(cchValue + 1 < (size_t)cchField ? cchValue + 1 : (size_t)cchField));
    return lpszStart + cchValue;
}

void SplitTraceEntry(LPCSTR lpszEntry, LPSTR lpszMessage, LPSTR lpszWParam, LPSTR lpszLParam)
{
    TakeWord(lpszEntry, lpszMessage, MESSAGE_NAME_SIZE);
    /* An entry without a name begins with its number and a colon: the number is kept. */
    size_t cchMessage = strlen(lpszMessage);
    if (cchMessage > 0 && lpszMessage[cchMessage - 1] == ':')
        lpszMessage[cchMessage - 1] = '\0';
    LPCSTR lpszRest = TakeBracketed(lpszEntry, " [", lpszWParam, MESSAGE_PARAM_SIZE);
    TakeBracketed(lpszRest, "] [", lpszLParam, MESSAGE_PARAM_SIZE);
}
