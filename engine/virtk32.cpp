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

static const POINT pWindowPos = { 100, 100 };
static const int CAPTION_TARGET_CHARS = 245;
static const int ARROW_STEP = 5;
static const char szPicture[] = "keyboard.bmp";

/* The open keyboard. */
HWND hKeyboardWindow;

/* Layout: key rectangles (locked resource), labels. */
static HGLOBAL hGB;
static const RECT *lprKeyBut;
static LPSTR cCharacter, cShiftKey, cAltKey;

/* Picture and fonts. */
static HBITMAP hBitmap;
static HPALETTE hPalette;
static HFONT hFont;

/* State. */
static BYTE bKeyState;
static RECT rTextRect, rKey;
static POINT pCharOffSet;
static HWND hParentWnd;
static POINT pOldMousePos;
static int iCurrentKey = -1, iCurrentArea = -1, iLastArea = -1;
static POINT pMouse, pOldMouse;
static tagCHARBUFFER cBuffer[CHARBUFFER_CELLS];

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
    if (iKey < 0 || iKey > GetNumberOfItem(lprKeyBut))
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
    if (hKeyboardWindow == NULL)
        CreateDialogRes(IDD_KEYBOARD, hOwner, KeyboardWndProc);
}

/* ---- Message handlers ------------------------------------------------------------------ */

/* Redraws the keys whose latch colours follow Alt, Ctrl and Shift. */
static void ReDrawModifierKeys(HWND hWnd)
{
    static const int aiModifiers[] = { KI_ALT, KI_CTRL, KI_SHIFT };
    for (int iEntry : aiModifiers) {
        int iKey = GetIntRCData(IDR_KEY_INDEX, iEntry);
        InvalidateKey(hWnd, lprKeyBut, iKey, TRUE);
        InvalidateKey(hWnd, lprKeyBut, iKey + 1, TRUE);
    }
}

static void ReDrawAltGrLabels(HWND hWnd)
{
    if (iVersion == LAYOUT_GERMAN)
        ReDrawAltKeyGerman(hWnd, lprKeyBut, cAltKey);
    else
        ReDrawAltKey(hWnd, lprKeyBut, cAltKey);
}

static BOOL Kbd_OnInitDialog(HWND hWnd, HWND hWndFocus, LPARAM lParam)
{
    (void)hWndFocus;
    (void)lParam;
    iVersion = GetIntRCData(IDR_KEY_LAYOUT, 0);
    hGB = GetRCDataZendraRes(IDR_KEY_RECTS);
    lprKeyBut = hGB != NULL ? (const RECT *)LockResource(hGB) : NULL;
    if (lprKeyBut == NULL) {
        if (hGB != NULL)
            FreeResource(hGB);
        hGB = NULL;
        return FALSE;
    }

    cCharacter = LoadRCDataStringZendraRes(IDR_KEY_LETTERS);
    cShiftKey = LoadRCDataStringZendraRes(IDR_KEY_SYMBOLS);
    cAltKey = LoadRCDataStringZendraRes(IDR_KEY_ALTGR);
    bKeyState = 0;
    hKeyboardWindow = hWnd;
    iCurrentArea = iLastArea = -1;

    GetCursorPos(&pOldMousePos);
    hParentWnd = FindParent(WindowFromPoint(pOldMousePos));

    char szCaption[CAPTION_TARGET_CHARS + 16] = "Keyboard: ";
    size_t cchPrefix = strlen(szCaption);
    if (hParentWnd != NULL)
        GetWindowTextA(hParentWnd, szCaption + cchPrefix, CAPTION_TARGET_CHARS + 1);
    SetWindowTextA(hWnd, szCaption);

    InitialiseCharBuffer(cBuffer);
    pCharOffSet.x = pCharOffSet.y = 0;

    HDC hDC = GetDC(hWnd);
    CreateBitmapFromFile(hDC, szPicture, &hBitmap, &hPalette);
    ReleaseDC(hWnd, hDC);

    /* Client area: one half of the picture; without a picture, the keys and a margin. */
    int iClientWidth, iClientHeight;
    BITMAP bm;
    if (hBitmap != NULL && GetObjectA(hBitmap, sizeof(bm), &bm) != 0) {
        iClientWidth = bm.bmWidth / 2;
        iClientHeight = bm.bmHeight;
    } else {
        iClientWidth = rKeyArea.left;
        iClientHeight = rKeyArea.left;
        for (int i = 0; i <= GetNumberOfItem(lprKeyBut); i++) {
            iClientWidth = std::max(iClientWidth, (int)(lprKeyBut[i].right + rKeyArea.left));
            iClientHeight = std::max(iClientHeight, (int)(lprKeyBut[i].bottom + rKeyArea.left));
        }
    }
    RECT rWindow, rClient;
    GetWindowRect(hWnd, &rWindow);
    GetClientRect(hWnd, &rClient);
    SetWindowPos(hWnd, NULL, pWindowPos.x, pWindowPos.y,
                 (rWindow.right - rWindow.left) + (iClientWidth - rClient.right),
                 (rWindow.bottom - rWindow.top) + (iClientHeight - rClient.bottom),
                 SWP_NOZORDER | SWP_SHOWWINDOW);

    hFont = CreateLabelFont((lprKeyBut[0].right - lprKeyBut[0].left) * 7 / 10);

    if (GetKeyState(VK_CAPITAL) & 1)
        bKeyState |= KS_CAPS | KS_UPPER;
    if (GetKeyState(VK_SHIFT) & 0x8000)
        bKeyState = (bKeyState | KS_SHIFT) ^ KS_UPPER;
    if (GetKeyState(VK_CONTROL) & 0x8000)
        bKeyState |= KS_CTRL;
    bKeyState &= ~(KS_ALT | KS_ALTGR);
    if (GetKeyState(VK_MENU) & 0x8000)
        bKeyState |= KS_ALT;

    rTextRect = rDisplayStrip;

    /* Start on the middle of the keyboard. */
    const int iStartKey = 15;
    pMouse.x = lprKeyBut[iStartKey].left + 2;
    pMouse.y = lprKeyBut[iStartKey].top + 2;
    pOldMouse = pMouse;
    SetCursorPosInWnd(hWnd, &lprKeyBut[iStartKey]);
    return TRUE;
}

static void Kbd_OnDestroy(HWND hWnd)
{
    (void)hWnd;
    if (hBitmap != NULL)
        DeleteBitmap(hBitmap);
    if (hPalette != NULL)
        DeletePalette(hPalette);
    if (hFont != NULL)
        DeleteFont(hFont);
    hBitmap = NULL;
    hPalette = NULL;
    hFont = NULL;
    if (hKeyboardWindow == hWnd)
        hKeyboardWindow = NULL;
    LocalFree(cCharacter);
    LocalFree(cShiftKey);
    LocalFree(cAltKey);
    cCharacter = cShiftKey = cAltKey = NULL;
    if (hGB != NULL)
        FreeResource(hGB);
    hGB = NULL;
    lprKeyBut = NULL;
}

static void Kbd_OnPaint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hWnd, &ps);
    HFONT hOldFont = SelectFont(hDC, hFont);
    if (hBitmap != NULL && lprKeyBut != NULL) {
        if (hPalette != NULL) {
            SelectPalette(hDC, hPalette, FALSE);
            RealizePalette(hDC);
        }
        HDC hMemDC = CreateCompatibleDC(hDC);
        HBITMAP hOldBitmap = SelectBitmap(hMemDC, hBitmap);
        const RECT &r = ps.rcPaint;
        BitBlt(hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, hMemDC, r.left, r.top, SRCCOPY);
        if (bKeyState & KS_PRESSED)
            BitBlt(hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, hMemDC,
                   r.left + PRESSED_PICTURE_OFFSET, r.top, SRCCOPY);
        SelectBitmap(hMemDC, hOldBitmap);
        DeleteDC(hMemDC);

        DrawCharacterKey(hDC, lprKeyBut, cCharacter, pCharOffSet, bKeyState);
        if (bKeyState & KS_ALTGR) {
            DrawToggleShiftKey(hDC, lprKeyBut, cShiftKey, pCharOffSet, bKeyState);
            if (iVersion == LAYOUT_GERMAN)
                DrawToggleAltKeyGerman(hDC, lprKeyBut, cAltKey, pCharOffSet, bKeyState);
            else
                DrawToggleAltKey(hDC, lprKeyBut, cAltKey, pCharOffSet, bKeyState);
        } else {
            if (iVersion == LAYOUT_GERMAN)
                DrawToggleAltKeyGerman(hDC, lprKeyBut, cAltKey, pCharOffSet, bKeyState);
            else
                DrawToggleAltKey(hDC, lprKeyBut, cAltKey, pCharOffSet, bKeyState);
            DrawToggleShiftKey(hDC, lprKeyBut, cShiftKey, pCharOffSet, bKeyState);
        }
        DrawAllWordKey(hDC, lprKeyBut, pCharOffSet, bKeyState);
        RECT rCommon;
        if (IntersectRect(&rCommon, &ps.rcPaint, &rTextRect))
            DrawDisplay(hWnd, &rTextRect, cBuffer);
    }
    SelectFont(hDC, hOldFont);
    EndPaint(hWnd, &ps);
}

static void Kbd_OnCommand(HWND hWnd, int id, HWND hWndCtl, UINT codeNotify)
{
    (void)hWndCtl;
    (void)codeNotify;
    if (id == IDCANCEL)
        DestroyWindow(hWnd);
}

static void Kbd_OnMouseMove(HWND hWnd, int x, int y, UINT keyFlags)
{
    (void)keyFlags;
    if (lprKeyBut == NULL)
        return;
    pOldMouse = pMouse;
    pMouse.x = x;
    pMouse.y = y;
    if (bKeyState & KS_PRESSED)
        return;
    iLastArea = iCurrentArea;
    iCurrentArea = MoveCursorToRect(hWnd, lprKeyBut, pMouse);
    if (IsOnSameButton(iCurrentArea, iLastArea))
        return;
    if (iCurrentArea != -1)
        HighLightKey(hWnd, lprKeyBut, iCurrentArea);
    if (iLastArea != -1)
        UnHighLightKey(hWnd, lprKeyBut, iLastArea);
}

/* A double click is two presses: the dialog class reports the second as a double click. */
static void Kbd_OnLButtonDown(HWND hWnd, BOOL fDoubleClick, int x, int y, UINT keyFlags)
{
    (void)fDoubleClick;
    (void)keyFlags;
    if (lprKeyBut == NULL)
        return;
    /* Whatever waits to be painted is painted at rest first: while the key is held, only
       its own rectangle may take the pressed picture and the shifted labels. */
    UpdateWindow(hWnd);
    SetCapture(hWnd);
    pCharOffSet.x = 2;
    pCharOffSet.y = 1;
    pMouse.x = x;
    pMouse.y = y;
    iCurrentKey = FindWhichKey(lprKeyBut, &pMouse);
    if (iCurrentKey != -1) {
        rKey = lprKeyBut[iCurrentKey];
        bKeyState |= KS_PRESSED;
        InvalidateKey(hWnd, lprKeyBut, iCurrentKey, TRUE);
    }
}

static void Kbd_OnLButtonUp(HWND hWnd, int x, int y, UINT keyFlags)
{
    (void)keyFlags;
    if (lprKeyBut == NULL)
        return;
    /* Only a press that began on a key of this window sends anything. */
    BOOL bWasPressed = (bKeyState & KS_PRESSED) != 0;
    bKeyState &= ~KS_PRESSED;
    pCharOffSet.x = pCharOffSet.y = 0;
    pMouse.x = x;
    pMouse.y = y;
    if (iCurrentKey != -1 && bWasPressed) {
        InvalidateKey(hWnd, lprKeyBut, iCurrentKey, TRUE);
        if (FindWhichKey(lprKeyBut, &pMouse) == iCurrentKey)
            SendKeyMessage(hWnd, iCurrentKey);
    }
    ReleaseCapture();
    iCurrentArea = iLastArea = -1;
}

/* Alt from the right-hand key (Alt Gr) or the left-hand one. */
static void ToggleAlt(HWND hWnd, BOOL bRightHand)
{
    if (bRightHand) {
        bKeyState ^= KS_ALTGR;
        bKeyState &= ~KS_ALT;
        if (bKeyState & KS_SHIFT) {
            bKeyState &= ~KS_SHIFT;
            bKeyState ^= KS_UPPER;
            ReDrawShiftKey(hWnd, lprKeyBut);
            ReDrawCharacterKey(hWnd, lprKeyBut);
        }
        ReDrawAltGrLabels(hWnd);
    } else {
        if (bKeyState & KS_ALTGR) {
            bKeyState &= ~KS_ALTGR;
            ReDrawAltGrLabels(hWnd);
        }
        bKeyState ^= KS_ALT;
    }
    bKeyState &= ~KS_CTRL;
    ReDrawModifierKeys(hWnd);
}

static void Kbd_OnKey(HWND hWnd, UINT vk, BOOL fDown, int cRepeat, UINT flags)
{
    (void)fDown;
    (void)cRepeat;
    if (lprKeyBut == NULL)
        return;
    switch (vk) {
    case VK_RETURN:
        SetCursorPos(pOldMousePos.x, pOldMousePos.y);
        SendData(hParentWnd, hWnd, cBuffer);
        DestroyWindow(hWnd);
        return;
    case VK_ESCAPE:
        DestroyWindow(hWnd);
        return;
    case VK_CAPITAL:
        bKeyState = (bKeyState & ~KS_CAPS) | ((GetKeyState(VK_CAPITAL) & 1) ? KS_CAPS : 0);
        bKeyState ^= KS_UPPER;
        ReDrawCharacterKey(hWnd, lprKeyBut);
        InvalidateKey(hWnd, lprKeyBut, GetIntRCData(IDR_KEY_INDEX, KI_CAPS), TRUE);
        return;
    case VK_SHIFT: {
        bKeyState ^= KS_SHIFT | KS_UPPER;
        bKeyState &= ~KS_ALTGR;
        ReDrawShiftKey(hWnd, lprKeyBut);
        ReDrawCharacterKey(hWnd, lprKeyBut);
        int iShift = GetIntRCData(IDR_KEY_INDEX, KI_SHIFT);
        int iAlt = GetIntRCData(IDR_KEY_INDEX, KI_ALT);
        InvalidateKey(hWnd, lprKeyBut, iShift, TRUE);
        InvalidateKey(hWnd, lprKeyBut, iShift + 1, TRUE);
        InvalidateKey(hWnd, lprKeyBut, iAlt, TRUE);
        InvalidateKey(hWnd, lprKeyBut, iAlt + 1, TRUE);
        return;
    }
    case VK_CONTROL:
        bKeyState ^= KS_CTRL;
        bKeyState &= ~(KS_ALT | KS_ALTGR);
        ReDrawModifierKeys(hWnd);
        return;
    case VK_MENU:
        ToggleAlt(hWnd, (flags & KF_EXTENDED) != 0
                        || iCurrentKey == GetIntRCData(IDR_KEY_INDEX, KI_ALT) + 1);
        return;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (iCurrentArea == -1)
            return;
        POINT p = KeyCentre(&lprKeyBut[iCurrentArea]);
        p.x += vk == VK_LEFT ? -ARROW_STEP : vk == VK_RIGHT ? ARROW_STEP : 0;
        p.y += vk == VK_UP ? -ARROW_STEP : vk == VK_DOWN ? ARROW_STEP : 0;
        SendMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        return;
    }
    case VK_BACK:
        DeleteLastItemBuffer(cBuffer);
        break;
    default:
        AddCharToBuffer((WORD)vk, cBuffer, bKeyState);
        break;
    }

    /* A character or Backspace: show the line, end the one-shot latches. */
    DrawDisplay(hWnd, &rTextRect, cBuffer);
    bKeyState &= ~(KS_ALT | KS_CTRL);
    if (iVersion == LAYOUT_US)
        bKeyState &= ~KS_ALTGR;
    ReDrawModifierKeys(hWnd);
}

extern "C" INT_PTR CALLBACK KeyboardWndProc(HWND hWnd, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    switch (uMessage) {
    case WM_INITDIALOG:
        return HANDLE_WM_INITDIALOG(hWnd, wParam, lParam, Kbd_OnInitDialog);
    case WM_DESTROY:
        HANDLE_WM_DESTROY(hWnd, wParam, lParam, Kbd_OnDestroy);
        return TRUE;
    case WM_PAINT:
        HANDLE_WM_PAINT(hWnd, wParam, lParam, Kbd_OnPaint);
        return TRUE;
    case WM_COMMAND:
        HANDLE_WM_COMMAND(hWnd, wParam, lParam, Kbd_OnCommand);
        return TRUE;
    case WM_KEYDOWN:
        HANDLE_WM_KEYDOWN(hWnd, wParam, lParam, Kbd_OnKey);
        return TRUE;
    case WM_MOUSEMOVE:
        HANDLE_WM_MOUSEMOVE(hWnd, wParam, lParam, Kbd_OnMouseMove);
        return TRUE;
    case WM_LBUTTONDOWN:
        HANDLE_WM_LBUTTONDOWN(hWnd, wParam, lParam, Kbd_OnLButtonDown);
        return TRUE;
    case WM_LBUTTONDBLCLK:
        HANDLE_WM_LBUTTONDBLCLK(hWnd, wParam, lParam, Kbd_OnLButtonDown);
        return TRUE;
    case WM_LBUTTONUP:
        HANDLE_WM_LBUTTONUP(hWnd, wParam, lParam, Kbd_OnLButtonUp);
        return TRUE;
    }
    return FALSE;
}
