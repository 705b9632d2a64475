/*
 * remotelink.cpp - the virtual remote's side of the receiver: it asks the driver stand-in
 * which window is registered and how the cursor is set, then posts the button codes and
 * moves the cursor the way the receiver would. Every code sent or held back is logged.
 */
#include "remote.h"
#include <stdarg.h>
#include <stdio.h>

static HANDLE hLog = INVALID_HANDLE_VALUE;
static DWORD dwLogStart;

void OpenLog(LPCSTR lpszPath)
{
    hLog = CreateFileA(lpszPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hLog != INVALID_HANDLE_VALUE)
        SetFilePointer(hLog, 0, NULL, FILE_END);
}

void LogLine(LPCSTR lpszFormat, ...)
{
    if (dwLogStart == 0)
        dwLogStart = GetTickCount();
    char szLine[300];
    int cchPrefix = snprintf(szLine, sizeof(szLine), "%7lu ms  ", (unsigned long)(GetTickCount() - dwLogStart));
    va_list args;
    va_start(args, lpszFormat);
    vsnprintf(szLine + cchPrefix, sizeof(szLine) - cchPrefix - 2, lpszFormat, args);
    va_end(args);
    lstrcatA(szLine, "\r\n");
    HANDLE hOut = hLog != INVALID_HANDLE_VALUE ? hLog : GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD cbWritten;
    if (hOut != NULL && hOut != INVALID_HANDLE_VALUE)
        WriteFile(hOut, szLine, (DWORD)lstrlenA(szLine), &cbWritten, NULL);
}

/* One control request to the driver; 1 when the device opened and the request succeeded. */
static int ReceiverRequest(DWORD dwCode, LPVOID lpInput, DWORD cbInput, LPVOID lpOutput, DWORD cbOutput)
{
    HANDLE hDevice = CreateFileA(MIRELO_DEVICE_PATH, 0, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (hDevice == INVALID_HANDLE_VALUE)
        return 0;
    DWORD cbReturned = 0;
    BOOL bDone = DeviceIoControl(hDevice, dwCode, lpInput, cbInput, lpOutput, cbOutput, &cbReturned, NULL);
    CloseHandle(hDevice);
    return bDone && cbReturned == cbOutput;
}

int QueryReceiver(MIRELOSTATE *pState)
{
    return ReceiverRequest(MIRELO_IOCTL_QUERY, NULL, 0, pState, sizeof(*pState));
}

int SetReceiverMouse(BYTE bSpeed, BYTE bEnable)
{
    BYTE abParams[2] = { bSpeed, bEnable };
    return ReceiverRequest(MIRELO_IOCTL_SETMOUSE, abParams, sizeof(abParams), NULL, 0);
}

int ConnectReceiver(BYTE bConnected)
{
    return ReceiverRequest(MIRELO_IOCTL_CONNECT, &bConnected, 1, NULL, 0);
}

int SendCode(LPCSTR lpszName, BYTE bCode)
{
    MIRELOSTATE msState;
    if (!QueryReceiver(&msState)) {
        LogLine("%-8s code 0x%02X not sent: receiver driver missing", lpszName, bCode);
        return 0;
    }
    if (!msState.bEnable) {
        LogLine("%-8s code 0x%02X held back: buttons disabled", lpszName, bCode);
        return 0;
    }
    HWND hTarget = (HWND)(LONG_PTR)(LONG)msState.uiWindow;
    if (msState.uiWindow == 0 || !PostMessageA(hTarget, WM_USER, bCode, 0)) {
        LogLine("%-8s code 0x%02X not sent: no window registered", lpszName, bCode);
        return 0;
    }
    LogLine("%-8s code 0x%02X -> window 0x%08X", lpszName, bCode, msState.uiWindow);
    return 1;
}

void MovePointer(const tagREMOTEBUTTON *pButton)
{
    MIRELOSTATE msState;
    int iSpeed = QueryReceiver(&msState) ? msState.bSpeed : MIRELO_DEFAULT_SPEED;
    int iStep = 2 + 3 * iSpeed;
    POINT ptCursor;
    if (GetCursorPos(&ptCursor))
        SetCursorPos(ptCursor.x + pButton->iDx * iStep, ptCursor.y + pButton->iDy * iStep);
}

/* Mouse input that puts the pointer on a point of the screen. */
static INPUT PointerMoveInput(POINT ptScreen)
{
    INPUT iMove = {};
    iMove.type = INPUT_MOUSE;
    iMove.mi.dx = (ptScreen.x * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN);
    iMove.mi.dy = (ptScreen.y * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN);
    iMove.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return iMove;
}

void MovePointerTo(POINT ptScreen)
{
    INPUT iMove = PointerMoveInput(ptScreen);
    SendInput(1, &iMove, sizeof(iMove));
}

/* A press and release of a mouse button, at *pptScreen when given, else where the pointer is. */
static void SendClick(const POINT *pptScreen, bool bRight)
{
    INPUT aiClick[2] = {};
    for (INPUT &iClick : aiClick) {
        if (pptScreen != NULL)
            iClick = PointerMoveInput(*pptScreen);
        iClick.type = INPUT_MOUSE;
    }
    aiClick[0].mi.dwFlags |= bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    aiClick[1].mi.dwFlags |= bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, aiClick, sizeof(INPUT));
}

void ClickMouseButton(bool bRight)
{
    SendClick(NULL, bRight);
}

void ClickMouseButtonAt(POINT ptScreen, bool bRight)
{
    SendClick(&ptScreen, bRight);
}

void PressKey(WORD wKey)
{
    INPUT aiKey[2] = {};
    aiKey[0].type = aiKey[1].type = INPUT_KEYBOARD;
    aiKey[0].ki.wVk = aiKey[1].ki.wVk = wKey;
    aiKey[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, aiKey, sizeof(INPUT));
}

void ClickPointer(const tagREMOTEBUTTON *pButton)
{
    ClickMouseButton(pButton->iDx != 0);
    POINT ptCursor = {};
    GetCursorPos(&ptCursor);
    LogLine("%-8s clicked at (%ld,%ld)", pButton->lpszName, ptCursor.x, ptCursor.y);
}
