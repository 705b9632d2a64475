/*
 * virtk32.cpp - the on-screen keyboard window: a modeless dialog showing a picture of a
 * keyboard. The remote's cursor hops from key to key, clicks build up a line of text in
 * the strip at the top, and Enter types the line into the window that was under the
 * cursor when the keyboard opened. One keyboard at a time.
 */
#include <windows.h>
#include <windowsx.h>
#include <string.h>
#include <algorithm>
#include "Brenvik.h"
#include "BrenvikRes.h"
#include "Corvalin_internal.h"
#include "Corvalin_keys.h"
#include "virtk32.h"
#include "picture.h"
#include "dlgcrack.h"

static const POINT pWindowPos = { 100, 100 };
static const int CAPTION_TARGET_CHARS = 245;
static const int ARROW_STEP = 5;
static const char szPicture[] = "keyboard.bmp";

/* The open keyboard, one at a time: everything it holds, released and cleared in one step
   when its window goes. */
static struct tagVIRTK32 {
    HWND hKeyboardWindow;             /* the open keyboard, or null */
    /* Layout: key rectangles (locked resource), labels. */
    HGLOBAL hGB;
    const RECT *lprKeyBut;
    LPSTR cCharacter, cShiftKey, cAltKey;
    /* Picture and font. */
    HBITMAP hBitmap;
    HPALETTE hPalette;
    HFONT hFont;
    /* State. */
    BYTE bKeyState;
    RECT rTextRect, rKey;
    POINT pCharOffSet;
    HWND hParentWnd;                  /* receives the typed line */
    POINT pOldMousePos;               /* the cursor when the keyboard opened (screen) */
    int iCurrentKey = -1;             /* key pressed last, -1 for none */
    int iCurrentArea = -1;            /* key highlighted now */
    int iLastArea = -1;               /* key highlighted before */
    POINT pMouse, pOldMouse;
    tagCHARBUFFER cBuffer[CHARBUFFER_CELLS];
} virtk32;

/* ---- Navigation ------------------------------------------------------------------------ */

void SetCursorPosInWnd(HWND hWnd, const RECT *lprRect)
{
    POINT pCentre = KeyCentre(lprRect);
    ClientToScreen(hWnd, &pCentre);
    SetCursorPos(pCentre.x, pCentre.y);
}

int MoveCursorToRect(HWND hWnd, const RECT *lprKeys, POINT pNew)
{
    if (!PtInRect(&rKeyArea, pNew))
        return -1;
    int iKey = FindWhichKey(lprKeys, &pNew);
    if (iKey == -1)
        return -1;
    int iEdge = OnEdge(&lprKeys[iKey], &pNew);
    if (iEdge == -1)
        return iKey;
    int iNext = FindNextButton(lprKeys, iEdge, lprKeys[iKey]);
    if (iNext != -1)
        SetCursorPosInWnd(hWnd, &lprKeys[iNext]);
    return iNext;
}

/* ---- Sending ---------------------------------------------------------------------------- */

void PressKey(HWND hWnd, BYTE bKey)
{
    PostMessageA(hWnd, WM_KEYDOWN, bKey, 0);
    PostMessageA(hWnd, WM_KEYUP, bKey, 0);
}

void SendKeyMessage(HWND hWnd, int iKey)
{
    if (iKey < 0 || iKey > GetNumberOfItem(virtk32.lprKeyBut))
        return;
    if (iKey == GetIntRCData(IDR_KEY_INDEX, KI_CAPS)) {
        /* The system's Caps Lock, not only this thread's copy of it: the line is typed
           relative to the system's state. The keystroke reaches this window as a real
           WM_KEYDOWN, which updates the picture. */
        SendKey(VK_CAPITAL);
        StartJournalPlayback();
        return;
    }
    PressKey(hWnd, LOBYTE(GetWordRCData(IDR_KEY_VKEYS, iKey)));
}

/* Queues one key as the latch that typed it requires; bModifier is held around an
   unlatched key (Shift for capitals). */
static void QueueLatchedKey(BYTE bKey, BYTE bFlag, BYTE bModifier)
{
    switch (bFlag) {
    case CF_ALT:
        SendMenuKey(bKey);
        break;
    case CF_CTRL:
        SendDoubleKey(VK_CONTROL, bKey);
        break;
    case CF_ALTGR:
        SendDoubleRightAltKey(bKey);
        break;
    default:
        if (bModifier != 0)
            SendDoubleKey(bModifier, bKey);
        else
            SendKey(bKey);
        break;
    }
}

void SendData(HWND hTarget, HWND hKbdWnd, const tagCHARBUFFER *pcBuffer)
{
    /* A target closed meanwhile: the line would land in whatever window comes forward. */
    if (!IsWindow(hTarget))
        return;
    ActivateWindow(hTarget, hKbdWnd);
    BOOL bCapsLock = GetKeyState(VK_CAPITAL) & 1;
    if (bCapsLock)
        SendKey(VK_CAPITAL);
    for (int i = 0; i < CHARBUFFER_CELLS && pcBuffer[i].data.chData != 0; i++) {
        char c = pcBuffer[i].data.chData;
        BYTE bFlag = pcBuffer[i].data.bFlag;
        if (c >= 'a' && c <= 'z') {
            QueueLatchedKey((BYTE)(c - 32), bFlag, 0);
        } else if (c >= 'A' && c <= 'Z') {
            QueueLatchedKey((BYTE)c, bFlag, VK_SHIFT);
        } else {
            /* Layout 1 types an unlatched '^' with its second record (a dead key). */
            int iOccurence = (iVersion == LAYOUT_ALTGR && c == '^' && !(bFlag & (CF_ALT | CF_ALTGR))) ? 2 : 1;
            WORD wModifier, wKey;
            GetControlKey(c, &wModifier, &wKey, iOccurence);
            if (wKey != 0)
                QueueLatchedKey(LOBYTE(wKey), bFlag, LOBYTE(wModifier));
        }
    }
    if (bCapsLock)
        SendKey(VK_CAPITAL);
    StartJournalPlayback();
}

/* ---- Opening ------------------------------------------------------------------------- */

void OpenKeyboard(HWND hOwner)
{
    if (virtk32.hKeyboardWindow == NULL)
        CreateDialogRes(IDD_KEYBOARD, hOwner, KeyboardWndProc);
}

/* ---- Message handlers ------------------------------------------------------------------ */

/* Redraws the keys whose latch colours follow Alt, Ctrl and Shift. */
static void ReDrawModifierKeys(HWND hWnd)
{
    static const int aiModifiers[] = { KI_ALT, KI_CTRL, KI_SHIFT };
    for (int iEntry : aiModifiers) {
        int iKey = GetIntRCData(IDR_KEY_INDEX, iEntry);
        InvalidateKey(hWnd, virtk32.lprKeyBut, iKey, TRUE);
        InvalidateKey(hWnd, virtk32.lprKeyBut, iKey + 1, TRUE);
    }
}

static void ReDrawAltGrLabels(HWND hWnd)
{
    if (iVersion == LAYOUT_GERMAN)
        ReDrawAltKeyGerman(hWnd, virtk32.lprKeyBut, virtk32.cAltKey);
    else
        ReDrawAltKey(hWnd, virtk32.lprKeyBut, virtk32.cAltKey);
}

static BOOL OnInitDialog(HWND hWnd, HWND hWndFocus, LPARAM lParam)
{
    (void)hWndFocus;
    (void)lParam;
    iVersion = GetIntRCData(IDR_KEY_LAYOUT, 0);
    virtk32.hGB = GetRCDataZendraRes(IDR_KEY_RECTS);
    virtk32.lprKeyBut = virtk32.hGB != NULL ? (const RECT *)LockResource(virtk32.hGB) : NULL;
    if (virtk32.lprKeyBut == NULL) {
        if (virtk32.hGB != NULL)
            FreeResource(virtk32.hGB);
        virtk32.hGB = NULL;
        return FALSE;
    }

    virtk32.cCharacter = LoadRCDataStringZendraRes(IDR_KEY_LETTERS);
    virtk32.cShiftKey = LoadRCDataStringZendraRes(IDR_KEY_SYMBOLS);
    virtk32.cAltKey = LoadRCDataStringZendraRes(IDR_KEY_ALTGR);
    virtk32.bKeyState = 0;
    virtk32.hKeyboardWindow = hWnd;
    virtk32.iCurrentArea = virtk32.iLastArea = -1;

    GetCursorPos(&virtk32.pOldMousePos);
    virtk32.hParentWnd = FindParent(WindowFromPoint(virtk32.pOldMousePos));

    char szCaption[CAPTION_TARGET_CHARS + 16] = "Keyboard: ";
    size_t cchPrefix = strlen(szCaption);
    if (virtk32.hParentWnd != NULL)
        GetWindowTextA(virtk32.hParentWnd, szCaption + cchPrefix, CAPTION_TARGET_CHARS + 1);
    SetWindowTextA(hWnd, szCaption);

    InitialiseCharBuffer(virtk32.cBuffer);
    virtk32.pCharOffSet.x = virtk32.pCharOffSet.y = 0;

    HDC hDC = GetDC(hWnd);
    CreateBitmapFromFile(hDC, szPicture, &virtk32.hBitmap, &virtk32.hPalette);
    ReleaseDC(hWnd, hDC);

    /* Client area: one half of the picture; without a picture, the keys and a margin. */
    int iClientWidth, iClientHeight;
    BITMAP bm;
    if (virtk32.hBitmap != NULL && GetObjectA(virtk32.hBitmap, sizeof(bm), &bm) != 0) {
        iClientWidth = bm.bmWidth / 2;
        iClientHeight = bm.bmHeight;
    } else {
        iClientWidth = rKeyArea.left;
        iClientHeight = rKeyArea.left;
        for (int i = 0; i <= GetNumberOfItem(virtk32.lprKeyBut); i++) {
            iClientWidth = std::max(iClientWidth, (int)(virtk32.lprKeyBut[i].right + rKeyArea.left));
            iClientHeight = std::max(iClientHeight, (int)(virtk32.lprKeyBut[i].bottom + rKeyArea.left));
        }
    }
    RECT rWindow, rClient;
    GetWindowRect(hWnd, &rWindow);
    GetClientRect(hWnd, &rClient);
    SetWindowPos(hWnd, NULL, pWindowPos.x, pWindowPos.y,
                 (rWindow.right - rWindow.left) + (iClientWidth - rClient.right),
                 (rWindow.bottom - rWindow.top) + (iClientHeight - rClient.bottom),
                 SWP_NOZORDER | SWP_SHOWWINDOW);

    virtk32.hFont = CreateLabelFont((virtk32.lprKeyBut[0].right - virtk32.lprKeyBut[0].left) * 7 / 10);

    if (GetKeyState(VK_CAPITAL) & 1)
        virtk32.bKeyState |= KS_CAPS | KS_UPPER;
    if (GetKeyState(VK_SHIFT) & 0x8000)
        virtk32.bKeyState = (virtk32.bKeyState | KS_SHIFT) ^ KS_UPPER;
    if (GetKeyState(VK_CONTROL) & 0x8000)
        virtk32.bKeyState |= KS_CTRL;
    virtk32.bKeyState &= ~(KS_ALT | KS_ALTGR);
    if (GetKeyState(VK_MENU) & 0x8000)
        virtk32.bKeyState |= KS_ALT;

    virtk32.rTextRect = rDisplayStrip;

    /* Start on the middle of the keyboard. */
    const int iStartKey = 15;
    virtk32.pMouse.x = virtk32.lprKeyBut[iStartKey].left + 2;
    virtk32.pMouse.y = virtk32.lprKeyBut[iStartKey].top + 2;
    virtk32.pOldMouse = virtk32.pMouse;
    SetCursorPosInWnd(hWnd, &virtk32.lprKeyBut[iStartKey]);
    return TRUE;
}

static void OnDestroy(HWND hWnd)
{
    /* A window whose set-up failed holds nothing, and must not clear an open keyboard. */
    if (virtk32.hKeyboardWindow != hWnd)
        return;
    if (virtk32.hBitmap != NULL)
        DeleteBitmap(virtk32.hBitmap);
    if (virtk32.hPalette != NULL)
        DeletePalette(virtk32.hPalette);
    if (virtk32.hFont != NULL)
        DeleteFont(virtk32.hFont);
    LocalFree(virtk32.cCharacter);
    LocalFree(virtk32.cShiftKey);
    LocalFree(virtk32.cAltKey);
    if (virtk32.hGB != NULL)
        FreeResource(virtk32.hGB);
    virtk32 = {};
}

static void OnPaint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hWnd, &ps);
    HFONT hOldFont = SelectFont(hDC, virtk32.hFont);
    if (virtk32.hBitmap != NULL && virtk32.lprKeyBut != NULL) {
        if (virtk32.hPalette != NULL) {
            SelectPalette(hDC, virtk32.hPalette, FALSE);
            RealizePalette(hDC);
        }
        HDC hMemDC = CreateCompatibleDC(hDC);
        HBITMAP hOldBitmap = SelectBitmap(hMemDC, virtk32.hBitmap);
        const RECT &r = ps.rcPaint;
        BitBlt(hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, hMemDC, r.left, r.top, SRCCOPY);
        if (virtk32.bKeyState & KS_PRESSED)
            BitBlt(hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, hMemDC,
                   r.left + PRESSED_PICTURE_OFFSET, r.top, SRCCOPY);
        SelectBitmap(hMemDC, hOldBitmap);
        DeleteDC(hMemDC);

        DrawCharacterKey(hDC, virtk32.lprKeyBut, virtk32.cCharacter, virtk32.pCharOffSet, virtk32.bKeyState);
        if (virtk32.bKeyState & KS_ALTGR) {
            DrawToggleShiftKey(hDC, virtk32.lprKeyBut, virtk32.cShiftKey, virtk32.pCharOffSet, virtk32.bKeyState);
            if (iVersion == LAYOUT_GERMAN)
                DrawToggleAltKeyGerman(hDC, virtk32.lprKeyBut, virtk32.cAltKey, virtk32.pCharOffSet, virtk32.bKeyState);
            else
                DrawToggleAltKey(hDC, virtk32.lprKeyBut, virtk32.cAltKey, virtk32.pCharOffSet, virtk32.bKeyState);
        } else {
            if (iVersion == LAYOUT_GERMAN)
                DrawToggleAltKeyGerman(hDC, virtk32.lprKeyBut, virtk32.cAltKey, virtk32.pCharOffSet, virtk32.bKeyState);
            else
                DrawToggleAltKey(hDC, virtk32.lprKeyBut, virtk32.cAltKey, virtk32.pCharOffSet, virtk32.bKeyState);
            DrawToggleShiftKey(hDC, virtk32.lprKeyBut, virtk32.cShiftKey, virtk32.pCharOffSet, virtk32.bKeyState);
        }
        DrawAllWordKey(hDC, virtk32.lprKeyBut, virtk32.pCharOffSet, virtk32.bKeyState);
        RECT rCommon;
        if (IntersectRect(&rCommon, &ps.rcPaint, &virtk32.rTextRect))
            DrawDisplay(hWnd, &virtk32.rTextRect, virtk32.cBuffer);
    }
    SelectFont(hDC, hOldFont);
    EndPaint(hWnd, &ps);
}

static void OnCommand(HWND hWnd, int id, HWND hWndCtl, UINT codeNotify)
{
    (void)hWndCtl;
    (void)codeNotify;
    if (id == IDCANCEL)
        DestroyWindow(hWnd);
}

static void OnMouseMove(HWND hWnd, int x, int y, UINT keyFlags)
{
    (void)keyFlags;
    if (virtk32.lprKeyBut == NULL)
        return;
    virtk32.pOldMouse = virtk32.pMouse;
    virtk32.pMouse.x = x;
    virtk32.pMouse.y = y;
    if (virtk32.bKeyState & KS_PRESSED)
        return;
    virtk32.iLastArea = virtk32.iCurrentArea;
    virtk32.iCurrentArea = MoveCursorToRect(hWnd, virtk32.lprKeyBut, virtk32.pMouse);
    if (IsOnSameButton(virtk32.iCurrentArea, virtk32.iLastArea))
        return;
    if (virtk32.iCurrentArea != -1)
        HighLightKey(hWnd, virtk32.lprKeyBut, virtk32.iCurrentArea);
    if (virtk32.iLastArea != -1)
        UnHighLightKey(hWnd, virtk32.lprKeyBut, virtk32.iLastArea);
}

/* A double click is two presses: the dialog class reports the second as a double click. */
static void OnLButtonDown(HWND hWnd, BOOL fDoubleClick, int x, int y, UINT keyFlags)
{
    (void)fDoubleClick;
    (void)keyFlags;
    if (virtk32.lprKeyBut == NULL)
        return;
    /* Whatever waits to be painted is painted at rest first: while the key is held, only
       its own rectangle may take the pressed picture and the shifted labels. */
    UpdateWindow(hWnd);
    SetCapture(hWnd);
    virtk32.pCharOffSet.x = 2;
    virtk32.pCharOffSet.y = 1;
    virtk32.pMouse.x = x;
    virtk32.pMouse.y = y;
    virtk32.iCurrentKey = FindWhichKey(virtk32.lprKeyBut, &virtk32.pMouse);
    if (virtk32.iCurrentKey != -1) {
        virtk32.rKey = virtk32.lprKeyBut[virtk32.iCurrentKey];
        virtk32.bKeyState |= KS_PRESSED;
        InvalidateKey(hWnd, virtk32.lprKeyBut, virtk32.iCurrentKey, TRUE);
    }
}

static void OnLButtonUp(HWND hWnd, int x, int y, UINT keyFlags)
{
    (void)keyFlags;
    if (virtk32.lprKeyBut == NULL)
        return;
    /* Only a press that began on a key of this window sends anything. */
    BOOL bWasPressed = (virtk32.bKeyState & KS_PRESSED) != 0;
    virtk32.bKeyState &= ~KS_PRESSED;
    virtk32.pCharOffSet.x = virtk32.pCharOffSet.y = 0;
    virtk32.pMouse.x = x;
    virtk32.pMouse.y = y;
    if (virtk32.iCurrentKey != -1 && bWasPressed) {
        InvalidateKey(hWnd, virtk32.lprKeyBut, virtk32.iCurrentKey, TRUE);
        if (FindWhichKey(virtk32.lprKeyBut, &virtk32.pMouse) == virtk32.iCurrentKey)
            SendKeyMessage(hWnd, virtk32.iCurrentKey);
    }
    ReleaseCapture();
    virtk32.iCurrentArea = virtk32.iLastArea = -1;
}

/* Alt from the right-hand key (Alt Gr) or the left-hand one. */
static void ToggleAlt(HWND hWnd, BOOL bRightHand)
{
    if (bRightHand) {
        virtk32.bKeyState ^= KS_ALTGR;
        virtk32.bKeyState &= ~KS_ALT;
        if (virtk32.bKeyState & KS_SHIFT) {
            virtk32.bKeyState &= ~KS_SHIFT;
            virtk32.bKeyState ^= KS_UPPER;
            ReDrawShiftKey(hWnd, virtk32.lprKeyBut);
            ReDrawCharacterKey(hWnd, virtk32.lprKeyBut);
        }
        ReDrawAltGrLabels(hWnd);
    } else {
        if (virtk32.bKeyState & KS_ALTGR) {
            virtk32.bKeyState &= ~KS_ALTGR;
            ReDrawAltGrLabels(hWnd);
        }
        virtk32.bKeyState ^= KS_ALT;
    }
    virtk32.bKeyState &= ~KS_CTRL;
    ReDrawModifierKeys(hWnd);
}

static void OnKey(HWND hWnd, UINT vk, BOOL fDown, int cRepeat, UINT flags)
{
    (void)fDown;
    (void)cRepeat;
    if (virtk32.lprKeyBut == NULL)
        return;
    switch (vk) {
    case VK_RETURN:
        SetCursorPos(virtk32.pOldMousePos.x, virtk32.pOldMousePos.y);
        SendData(virtk32.hParentWnd, hWnd, virtk32.cBuffer);
        DestroyWindow(hWnd);
        return;
    case VK_ESCAPE:
        DestroyWindow(hWnd);
        return;
    case VK_CAPITAL:
        virtk32.bKeyState = (virtk32.bKeyState & ~KS_CAPS) | ((GetKeyState(VK_CAPITAL) & 1) ? KS_CAPS : 0);
        virtk32.bKeyState ^= KS_UPPER;
        ReDrawCharacterKey(hWnd, virtk32.lprKeyBut);
        InvalidateKey(hWnd, virtk32.lprKeyBut, GetIntRCData(IDR_KEY_INDEX, KI_CAPS), TRUE);
        return;
    case VK_SHIFT: {
        virtk32.bKeyState ^= KS_SHIFT | KS_UPPER;
        virtk32.bKeyState &= ~KS_ALTGR;
        ReDrawShiftKey(hWnd, virtk32.lprKeyBut);
        ReDrawCharacterKey(hWnd, virtk32.lprKeyBut);
        int iShift = GetIntRCData(IDR_KEY_INDEX, KI_SHIFT);
        int iAlt = GetIntRCData(IDR_KEY_INDEX, KI_ALT);
        InvalidateKey(hWnd, virtk32.lprKeyBut, iShift, TRUE);
        InvalidateKey(hWnd, virtk32.lprKeyBut, iShift + 1, TRUE);
        InvalidateKey(hWnd, virtk32.lprKeyBut, iAlt, TRUE);
        InvalidateKey(hWnd, virtk32.lprKeyBut, iAlt + 1, TRUE);
        return;
    }
    case VK_CONTROL:
        virtk32.bKeyState ^= KS_CTRL;
        virtk32.bKeyState &= ~(KS_ALT | KS_ALTGR);
        ReDrawModifierKeys(hWnd);
        return;
    case VK_MENU:
        ToggleAlt(hWnd, (flags & KF_EXTENDED) != 0
                        || virtk32.iCurrentKey == GetIntRCData(IDR_KEY_INDEX, KI_ALT) + 1);
        return;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (virtk32.iCurrentArea == -1)
            return;
        POINT p = KeyCentre(&virtk32.lprKeyBut[virtk32.iCurrentArea]);
        p.x += vk == VK_LEFT ? -ARROW_STEP : vk == VK_RIGHT ? ARROW_STEP : 0;
        p.y += vk == VK_UP ? -ARROW_STEP : vk == VK_DOWN ? ARROW_STEP : 0;
        SendMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        return;
    }
    case VK_BACK:
        DeleteLastItemBuffer(virtk32.cBuffer);
        break;
    default:
        AddCharToBuffer((WORD)vk, virtk32.cBuffer, virtk32.bKeyState);
        break;
    }

    /* A character or Backspace: show the line, end the one-shot latches. */
    DrawDisplay(hWnd, &virtk32.rTextRect, virtk32.cBuffer);
    virtk32.bKeyState &= ~(KS_ALT | KS_CTRL);
    if (iVersion == LAYOUT_US)
        virtk32.bKeyState &= ~KS_ALTGR;
    ReDrawModifierKeys(hWnd);
}

extern "C" INT_PTR CALLBACK KeyboardWndProc(HWND hWnd, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uMessage) {
        HANDLE_DLGMSG(hWnd, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(hWnd, WM_DESTROY, OnDestroy);
        HANDLE_DLGMSG(hWnd, WM_PAINT, OnPaint);
        HANDLE_DLGMSG(hWnd, WM_COMMAND, OnCommand);
        HANDLE_DLGMSG(hWnd, WM_KEYDOWN, OnKey);
        HANDLE_DLGMSG(hWnd, WM_MOUSEMOVE, OnMouseMove);
        HANDLE_DLGMSG(hWnd, WM_LBUTTONDOWN, OnLButtonDown);
        HANDLE_DLGMSG(hWnd, WM_LBUTTONDBLCLK, OnLButtonDown);
        HANDLE_DLGMSG(hWnd, WM_LBUTTONUP, OnLButtonUp);
    }
    return FALSE;
}
