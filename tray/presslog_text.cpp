/*
 * presslog_text.cpp - the press log's pure parts: the text of one line and the places of
 * the window's controls. Nothing here touches a window, the registry or a device.
 */
#include <stdio.h>
#include <string.h>
#include "presslog.h"

/* The mode's name, or its 1-based number when its key has no name. */
static void ModeText(const tagPRESS *ppr, char *pszMode, size_t cchMode)
{
    if (ppr->szModeName[0] != '\0')
        snprintf(pszMode, cchMode, "%s", ppr->szModeName);
    else
        snprintf(pszMode, cchMode, "%u", ppr->bMode + 1u);
}

/* What the code decoded to, and what was to run: the command, "not assigned", "no action"
   or nothing (a shift toggle runs no command). */
static void DecodedText(const tagPRESS *ppr, const PRESSWORD *apwWords, char *pszDecoded, size_t cchDecoded,
                        const char **ppszResult)
{
    char szMode[STORE_MODE_KEY_SIZE + 4];
    ModeText(ppr, szMode, sizeof(szMode));
    const char *pszAssigned = ppr->szCommand[0] != '\0' ? ppr->szCommand : apwWords[PLW_NOT_ASSIGNED];
    *ppszResult = pszAssigned;
    BYTE bCode = ppr->bCode, bArgument = 0;
    int iKind = ppr->bLookUp ? TC_BUTTON : TranslatedCodeKind(bCode, &bArgument);
    if (iKind == TC_BUTTON) {
        snprintf(pszDecoded, cchDecoded, "%s %u, %s%s%s", apwWords[PLW_BUTTON], bCode, szMode,
                 ppr->bShift ? ", " : "", ppr->bShift ? apwWords[PLW_SHIFT] : "");
    } else if (iKind == TC_SELECT_MODE) {
        if (ppr->bRepeat == PR_AUTOMATIC)
            snprintf(pszDecoded, cchDecoded, "%s %s%s%s, %s %s", apwWords[PLW_MODE], szMode, ppr->bByHand ? " " : "",
                     ppr->bByHand ? apwWords[PLW_BY_HAND] : "", ppr->szFront, apwWords[PLW_IN_FRONT]);
        else
            snprintf(pszDecoded, cchDecoded, "%s %s", apwWords[PLW_MODE], szMode);
    } else if (iKind == TC_TOGGLE_SHIFT) {
        snprintf(pszDecoded, cchDecoded, "%s, %s", apwWords[ppr->bShift ? PLW_SHIFT_ON : PLW_SHIFT_OFF], szMode);
        *ppszResult = "";
    } else if (iKind == TC_NOMODE_BUTTON) {
        snprintf(pszDecoded, cchDecoded, "%s %u", apwWords[PLW_PC_BUTTON], bArgument + 1u);
    } else {
        /* A mode that does not exist, or a mode-independent code without a function. */
        snprintf(pszDecoded, cchDecoded, "%s 0x%02X", apwWords[PLW_CODE], bCode);
        *ppszResult = apwWords[PLW_NO_ACTION];
    }
}

void NoteSkippedText(tagPRESS *ppr, int iReason, const char *pText, size_t cchText)
{
    static const char szHex[] = "0123456789ABCDEF";
    ppr->bCode = (BYTE)iReason;
    size_t iOut = 0;
    for (size_t i = 0; i < cchText; i++) {
        unsigned char ch = (unsigned char)pText[i];
        int bPlain = ch >= ' ' && ch <= '~' && ch != '\\';
        if (iOut + (bPlain ? 1 : 4) >= sizeof(ppr->szCommand))
            break;
        if (bPlain) {
            ppr->szCommand[iOut++] = (char)ch;
            continue;
        }
        ppr->szCommand[iOut++] = '\\';
        ppr->szCommand[iOut++] = 'x';
        ppr->szCommand[iOut++] = szHex[ch >> 4];
        ppr->szCommand[iOut++] = szHex[ch & 15];
    }
    ppr->szCommand[iOut] = '\0';
}

void FormatPressLine(const tagPRESS *ppr, const PRESSWORD *apwWords, char *pszLine, size_t cchLine)
{
    if (cchLine == 0)
        return;
    const SYSTEMTIME &st = ppr->stTime;
    if (ppr->bRepeat == PR_SKIPPED) {
        int iReason = ppr->bCode >= PLW_TOO_LONG && ppr->bCode <= PLW_NOT_MAPPED ? (int)ppr->bCode : (int)PLW_NOT_A_PRESS;
        snprintf(pszLine, cchLine, "%02u:%02u:%02u.%03u\t\t%s\t%s\t%s", st.wHour, st.wMinute, st.wSecond,
                 st.wMilliseconds, apwWords[PLW_SKIPPED], apwWords[iReason], ppr->szCommand);
        return;
    }
    char szDecoded[STORE_MODE_KEY_SIZE + PRESS_FRONT_SIZE + 4 * PRESS_WORD_SIZE + 16] = "";
    const char *pszResult = "";
    if (ppr->bRepeat != PR_DROPPED)
        DecodedText(ppr, apwWords, szDecoded, sizeof(szDecoded), &pszResult);
    const char *pszRepeat = ppr->bRepeat == PR_REPEAT ? apwWords[PLW_REPEAT]
                          : ppr->bRepeat == PR_DROPPED ? apwWords[PLW_DROPPED]
                          : ppr->bRepeat == PR_AUTOMATIC ? apwWords[PLW_AUTOMATIC] : "";
    /* A change for the program in front came with no code from the receiver. */
    char szRaw[8] = "";
    if (ppr->bRepeat != PR_AUTOMATIC)
        snprintf(szRaw, sizeof(szRaw), "0x%02X", ppr->bRaw);
    snprintf(pszLine, cchLine, "%02u:%02u:%02u.%03u\t%s\t%s\t%s\t%s", st.wHour, st.wMinute, st.wSecond,
             st.wMilliseconds, szRaw, pszRepeat, szDecoded, pszResult);
}

/* Layout of the log window, in pixels: the list fills the window above a row of buttons
   at its bottom right. */
enum { LOG_MARGIN = 6, LOG_BUTTON_CX = 75, LOG_BUTTON_CY = 23, LOG_GAP = 6 };

/* The buttons from the right edge leftwards: Clear, then Copy. */
static const int aiButtonsFromRight[] = { PLC_CLEAR, PLC_COPY };

void LayoutPressLog(int cx, int cy, RECT *prcControls)
{
    int yButtons = cy - LOG_MARGIN - LOG_BUTTON_CY;
    int xRight = cx - LOG_MARGIN;
    for (int iControl : aiButtonsFromRight) {
        prcControls[iControl] = RECT{ xRight - LOG_BUTTON_CX, yButtons, xRight, yButtons + LOG_BUTTON_CY };
        xRight -= LOG_BUTTON_CX + LOG_GAP;
    }
    int yListBottom = yButtons - LOG_GAP;
    prcControls[PLC_LIST] = RECT{ LOG_MARGIN, LOG_MARGIN, cx - LOG_MARGIN,
                                  yListBottom > LOG_MARGIN ? yListBottom : LOG_MARGIN };
}
