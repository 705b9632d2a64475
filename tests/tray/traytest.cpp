/*
 * traytest.cpp - shared helpers of the tray program's tests.
 */
#include "traytest.h"
#include "testsupport.h"
#include <fstream>
#include <sstream>

bool PrepareReceiver()
{
    MIRELOSTATE msState;
    if (!QueryReceiver(&msState) && RunProcess("\"" + BinaryDir() + "OrvaneSetup.exe\" /driver") != 0)
        return false;
    return ConnectReceiver(1) && SetReceiverMouse(MIRELO_DEFAULT_SPEED, 1) && QueryReceiver(&msState);
}

bool InstallTestAssignments()
{
    std::string strDir = BinaryDir();
    return RunProcess("\"" + strDir + "OrvaneSetup.exe\" /data \"" + strDir + "tellumo_test.ini\"") == 0;
}

bool StartTellumo(tagTELLUMO *ptProgram)
{
    *ptProgram = {};
    if (!CreateTestProcess("\"" + BinaryDir() + "Tellumo.exe\"", &ptProgram->pi))
        return false;
    WaitFor([&] {
        ptProgram->hWnd = FindWindowA("TELLUMO", "Zendra Remote Buttons");
        return ptProgram->hWnd != NULL;
    });
    /* The window exists once WM_CREATE has registered it; let the first messages settle. */
    PumpMessages(100);
    return ptProgram->hWnd != NULL;
}

DWORD CloseTellumo(tagTELLUMO *ptProgram)
{
    if (ptProgram->pi.hProcess == NULL)
        return (DWORD)-1;
    PostMessageA(ptProgram->hWnd, WM_COMMAND, 261, 0);
    return WaitForTellumoEnd(ptProgram);
}

DWORD WaitForTellumoEnd(tagTELLUMO *ptProgram)
{
    DWORD dwExit = (DWORD)-1;
    bool bEnded = WaitFor([&] { return WaitForSingleObject(ptProgram->pi.hProcess, 0) == WAIT_OBJECT_0; }, 10000);
    if (bEnded)
        GetExitCodeProcess(ptProgram->pi.hProcess, &dwExit);
    else
        TerminateProcess(ptProgram->pi.hProcess, (UINT)-1);
    CloseHandle(ptProgram->pi.hThread);
    CloseHandle(ptProgram->pi.hProcess);
    *ptProgram = {};
    return dwExit;
}

int CountTellumoWindows(const tagTELLUMO *ptProgram, LPCSTR lpszClass, LPCSTR lpszTitle)
{
    int iCount = 0;
    for (HWND hWnd = FindWindowExA(NULL, NULL, lpszClass, lpszTitle); hWnd != NULL;
         hWnd = FindWindowExA(NULL, hWnd, lpszClass, lpszTitle)) {
        DWORD dwProcess = 0;
        GetWindowThreadProcessId(hWnd, &dwProcess);
        if (dwProcess == ptProgram->pi.dwProcessId && IsWindowVisible(hWnd))
            iCount++;
    }
    return iCount;
}

bool ReadTheTrayIcon(tagTRAYENTRY *pteEntry)
{
    std::vector<tagTRAYENTRY> vEntries;
    if (!ReadTrayIcons(&vEntries) || vEntries.size() != 1)
        return false;
    *pteEntry = vEntries[0];
    return true;
}

::testing::AssertionResult TrayShowsMode(int iMode, int iShift, DWORD dwTimeout)
{
    static const char *const apszTips[] = {
        "PC Mode Selected", "PC Mode Selected (shift)", "WEB Mode Selected", "WEB Mode Selected (shift)",
        "Phone Mode Selected", "Phone Mode Selected (shift)", "DVD Mode Selected", "DVD Mode Selected (shift)",
        "CD Mode Selected", "CD Mode Selected (shift)"
    };
    std::string strTip = apszTips[iMode * 2 + iShift];
    /* The tray draws the small image of the icon resource: the tray program's own for PC. */
    std::string strImage = BinaryDir() + (iMode == 0 ? "Tellumo.exe" : "Brenvik.dll");
    HMODULE hModule = LoadLibraryExA(strImage.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    int iIcon = iMode == 0 ? 1 : iMode + 1;
    HICON hIcon = (HICON)LoadImageA(hModule, MAKEINTRESOURCEA(iIcon), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), 0);
    if (hModule != NULL)
        FreeLibrary(hModule);
    if (hIcon == NULL)
        return ::testing::AssertionFailure() << "no icon of mode " << iMode << " in " << strImage;
    tagTRAYENTRY teEntry = {};
    double dMatch = 0.0;
    bool bShown = WaitFor([&] {
        if (!ReadTheTrayIcon(&teEntry) || teEntry.strTip != strTip)
            return false;
        dMatch = IconMatch(teEntry.rcScreen, hIcon);
        return dMatch > 0.9;
    }, dwTimeout);
    DestroyIcon(hIcon);
    if (bShown)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected \"" << strTip << "\", shown \"" << teEntry.strTip
                                         << "\" with a picture " << dMatch << " like that of mode " << iMode;
}

std::vector<std::string> PressLogLines(HWND hLog)
{
    std::vector<std::string> vLines;
    HWND hList = FindWindowExA(hLog, NULL, "ListBox", NULL);
    int iCount = (int)SendMessageA(hList, LB_GETCOUNT, 0, 0);
    /* Read as Unicode: across processes the list answers in Unicode whatever was asked. */
    for (int i = 0; i < iCount; i++) {
        WCHAR wszLine[512] = L"";
        SendMessageW(hList, LB_GETTEXT, i, (LPARAM)wszLine);
        char szLine[512] = "";
        WideCharToMultiByte(CP_ACP, 0, wszLine, -1, szLine, sizeof(szLine), NULL, NULL);
        vLines.push_back(szLine);
    }
    return vLines;
}

std::string WithoutTime(const std::string &strLine)
{
    size_t iTab = strLine.find('\t');
    return iTab == std::string::npos ? strLine : strLine.substr(iTab + 1);
}

static HWND hSink;
static std::vector<tagSINKHIT> vHits;

static LRESULT CALLBACK SinkWndProc(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    if (uiMessage == SINK_MESSAGE) {
        vHits.push_back({ wParam });
        return 0;
    }
    return DefWindowProcA(hWnd, uiMessage, wParam, lParam);
}

HWND CreateSink()
{
    static ATOM atomSink;
    if (atomSink == 0) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = SinkWndProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
        wc.lpszClassName = "TrayTestSink";
        atomSink = RegisterClassA(&wc);
    }
    hSink = CreateWindowExA(0, "TrayTestSink", "Commands arrive here", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                            NULL, NULL, GetModuleHandleA(NULL), NULL);
    ShowWindow(hSink, SW_SHOW);
    BringSinkToFront();
    vHits.clear();
    return hSink;
}

void BringSinkToFront()
{
    SetForegroundWindow(hSink);
    WaitFor([] { return GetForegroundWindow() == hSink; }, 2000);
}

void DestroySink()
{
    if (hSink != NULL)
        DestroyWindow(hSink);
    hSink = NULL;
}

HWND SinkWindow()
{
    return hSink;
}

const std::vector<tagSINKHIT> &SinkHits()
{
    return vHits;
}

void ClearSink()
{
    vHits.clear();
}

void PostCode(HWND hTellumo, BYTE bCode)
{
    PostMessageA(hTellumo, WM_USER, bCode, 0);
    PumpMessages(1);
}

DWORD RunRemote(const std::string &strArguments, const std::string &strLog)
{
    std::string strLogOption = strLog.empty() ? "" : "/log \"" + strLog + "\" ";
    return RunProcess("\"" + BinaryDir() + "remote.exe\" " + strLogOption + strArguments);
}

void ClickAt(POINT pt, bool bRight)
{
    SetCursorPos(pt.x, pt.y);
    PumpMessages(GetDoubleClickTime() + 100);
    ClickMouseButton(bRight);
}

HWND VisibleMenu()
{
    HWND hMenu = FindWindowA("#32768", NULL);
    return hMenu != NULL && IsWindowVisible(hMenu) ? hMenu : NULL;
}

std::string ReadTextFile(const std::string &strPath)
{
    std::ifstream in(strPath, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool SaveScreenShot(const std::string &strName)
{
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    HDC hdcScreen = GetDC(NULL);
    HDC hdcShot = CreateCompatibleDC(hdcScreen);
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = ((cx * 3 + 3) & ~3) * cy;
    void *pvBits = NULL;
    HBITMAP hbmShot = CreateDIBSection(hdcScreen, (BITMAPINFO *)&bih, DIB_RGB_COLORS, &pvBits, NULL, 0);
    bool bSaved = false;
    if (hbmShot != NULL) {
        HGDIOBJ hOld = SelectObject(hdcShot, hbmShot);
        BitBlt(hdcShot, 0, 0, cx, cy, hdcScreen, 0, 0, SRCCOPY);
        GdiFlush();
        BITMAPFILEHEADER bfh = {};
        bfh.bfType = 0x4D42;
        bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
        bfh.bfSize = bfh.bfOffBits + bih.biSizeImage;
        std::ofstream out(BinaryDir() + strName, std::ios::binary);
        out.write((const char *)&bfh, sizeof(bfh));
        out.write((const char *)&bih, sizeof(bih));
        out.write((const char *)pvBits, bih.biSizeImage);
        bSaved = out.good();
        SelectObject(hdcShot, hOld);
        DeleteObject(hbmShot);
    }
    DeleteDC(hdcShot);
    ReleaseDC(NULL, hdcScreen);
    return bSaved;
}
