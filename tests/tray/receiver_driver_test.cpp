/*
 * receiver_driver_test.cpp - the receiver driver stand-in as Wine loads it, and the virtual
 * remote that reports codes through it: what the driver stores, what it refuses, and what
 * reaches a registered window.
 */
#include <gtest/gtest.h>
#include "testsupport.h"
#include "traytest.h"

/* One control request on a fresh device handle; the error code when it fails, else 0. */
static DWORD Control(DWORD dwCode, LPVOID lpInput, DWORD cbInput, LPVOID lpOutput = NULL, DWORD cbOutput = 0)
{
    HANDLE hDevice = CreateFileA(MIRELO_DEVICE_PATH, 0, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (hDevice == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD cbReturned = 0;
    DWORD dwError = DeviceIoControl(hDevice, dwCode, lpInput, cbInput, lpOutput, cbOutput, &cbReturned, NULL)
                        ? 0 : GetLastError();
    CloseHandle(hDevice);
    return dwError;
}

static MIRELOSTATE State()
{
    MIRELOSTATE msState = {};
    EXPECT_TRUE(QueryReceiver(&msState));
    return msState;
}

/* A window of the test's own that counts the codes posted to it as WM_USER. */
static std::vector<std::pair<WPARAM, DWORD>> vCodes;

static LRESULT CALLBACK CodeWndProc(HWND hWnd, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    if (uiMessage == WM_USER) {
        vCodes.push_back({ wParam, GetTickCount() });
        return 0;
    }
    return DefWindowProcA(hWnd, uiMessage, wParam, lParam);
}

class ReceiverTest : public ::testing::Test {
protected:
    HWND hWnd = NULL;
    std::string strLog;

    void SetUp() override
    {
        ASSERT_TRUE(PrepareReceiver());
        WNDCLASSA wc = {};
        wc.lpfnWndProc = CodeWndProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "ReceiverTestWindow";
        RegisterClassA(&wc);
        hWnd = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);
        vCodes.clear();
        strLog = BinaryDir() + "receiver_test_remote.log";
        DeleteFileA(strLog.c_str());
    }

    void TearDown() override
    {
        DestroyWindow(hWnd);
        PrepareReceiver();
    }

    void RegisterOwnWindow()
    {
        DWORD dwWindow = (DWORD)(ULONG_PTR)hWnd;
        ASSERT_EQ(0u, Control(MIRELO_IOCTL_REGISTER, &dwWindow, sizeof(dwWindow)));
    }
};

TEST_F(ReceiverTest, RegistrationStoresTheWindowAndCountsRequests)
{
    MIRELOSTATE msBefore = State();
    RegisterOwnWindow();
    MIRELOSTATE msAfter = State();
    EXPECT_EQ((DWORD)(ULONG_PTR)hWnd, msAfter.uiWindow);
    EXPECT_EQ(msBefore.uiRequests + 1, msAfter.uiRequests);
    EXPECT_EQ(msBefore.uiRegistrations + 1, msAfter.uiRegistrations);
}

TEST_F(ReceiverTest, MouseSettingsAreStoredAndSpeedIsLimited)
{
    BYTE abSlowOff[2] = { 1, 0 };
    ASSERT_EQ(0u, Control(MIRELO_IOCTL_SETMOUSE, abSlowOff, 2));
    EXPECT_EQ(1, State().bSpeed);
    EXPECT_EQ(0, State().bEnable);
    BYTE abBeyond[2] = { 200, 7 };
    ASSERT_EQ(0u, Control(MIRELO_IOCTL_SETMOUSE, abBeyond, 2));
    EXPECT_EQ(MIRELO_MAX_SPEED, State().bSpeed);
    EXPECT_EQ(1, State().bEnable);
}

TEST_F(ReceiverTest, BadBuffersAreRefusedAndChangeNothing)
{
    RegisterOwnWindow();
    MIRELOSTATE msBefore = State();
    BYTE abBytes[8] = { 4, 0, 0, 0, 0, 0, 0, 0 };
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, Control(MIRELO_IOCTL_REGISTER, NULL, 0));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, Control(MIRELO_IOCTL_REGISTER, abBytes, 3));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, Control(MIRELO_IOCTL_REGISTER, abBytes, 8));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, Control(MIRELO_IOCTL_SETMOUSE, NULL, 0));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, Control(MIRELO_IOCTL_SETMOUSE, abBytes, 1));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, Control(MIRELO_IOCTL_SETMOUSE, abBytes, 3));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, Control(MIRELO_IOCTL_CONNECT, abBytes, 2));
    EXPECT_NE(0u, Control(MIRELO_IOCTL_QUERY, NULL, 0, abBytes, 4));
    EXPECT_NE(0u, Control(MIRELO_IOCTL_QUERY, NULL, 0, NULL, 0));
    EXPECT_NE(0u, Control(7, abBytes, 4));
    MIRELOSTATE msAfter = State();
    EXPECT_EQ(msBefore.uiWindow, msAfter.uiWindow);
    EXPECT_EQ(msBefore.uiRegistrations, msAfter.uiRegistrations);
    EXPECT_EQ(msBefore.bSpeed, msAfter.bSpeed);
    EXPECT_EQ(msBefore.bEnable, msAfter.bEnable);
    EXPECT_EQ(1, msAfter.bConnected);
}

TEST_F(ReceiverTest, UnpluggedReceiverRefusesAndForgetsTheWindow)
{
    RegisterOwnWindow();
    ASSERT_TRUE(ConnectReceiver(0));
    EXPECT_EQ(0u, State().uiWindow);
    DWORD dwWindow = (DWORD)(ULONG_PTR)hWnd;
    EXPECT_NE(0u, Control(MIRELO_IOCTL_REGISTER, &dwWindow, sizeof(dwWindow)));
    EXPECT_EQ(0u, State().uiWindow);
    ASSERT_TRUE(ConnectReceiver(1));
    RegisterOwnWindow();
    EXPECT_EQ(dwWindow, State().uiWindow);
}

/* The device opens only with a real creation disposition; 0 is refused on this system. */
TEST_F(ReceiverTest, DeviceOpensWithOpenExistingOnly)
{
    HANDLE hDevice = CreateFileA(MIRELO_DEVICE_PATH, 0, 0, NULL, 0, FILE_FLAG_DELETE_ON_CLOSE, NULL);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hDevice);
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
    if (hDevice != INVALID_HANDLE_VALUE)
        CloseHandle(hDevice);
    hDevice = CreateFileA(MIRELO_DEVICE_PATH, 0, 0, NULL, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hDevice);
    CloseHandle(hDevice);
}

TEST_F(ReceiverTest, StoppedDriverIsMissingUntilStartedAgain)
{
    ASSERT_EQ(0u, RunProcess("\"" + BinaryDir() + "OrvaneSetup.exe\" /stopdriver"));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, Control(MIRELO_IOCTL_QUERY, NULL, 0));
    EXPECT_EQ(1u, RunRemote("/play 1", strLog));
    EXPECT_NE(std::string::npos, ReadTextFile(strLog).find("receiver driver missing"));
    ASSERT_EQ(0u, RunProcess("\"" + BinaryDir() + "OrvaneSetup.exe\" /driver"));
    EXPECT_EQ(MIRELO_DEFAULT_SPEED, State().bSpeed);
}

TEST_F(ReceiverTest, RemoteReportsCodesToTheRegisteredWindow)
{
    RegisterOwnWindow();
    EXPECT_EQ(0u, RunRemote("/play 1 +50 PLAY 0x7F PC", strLog));
    PumpMessages(200);
    ASSERT_EQ(4u, vCodes.size());
    EXPECT_EQ(0x21u, vCodes[0].first);
    EXPECT_EQ(0x40u, vCodes[1].first);
    EXPECT_EQ(0x7Fu, vCodes[2].first);
    EXPECT_EQ(0x10u, vCodes[3].first);
    char szLine[80];
    snprintf(szLine, sizeof(szLine), "PLAY     code 0x40 -> window 0x%08X", (unsigned)(ULONG_PTR)hWnd);
    EXPECT_NE(std::string::npos, ReadTextFile(strLog).find(szLine)) << ReadTextFile(strLog);
}

TEST_F(ReceiverTest, HeldButtonRepeatsAtTheReceiverInterval)
{
    RegisterOwnWindow();
    EXPECT_EQ(0u, RunRemote("/play UP*6", strLog));
    PumpMessages(200);
    ASSERT_EQ(6u, vCodes.size());
    /* The codes are posted 110 ms apart; they are read here in one go after the remote ends,
       so the log's times tell the spacing. */
    std::string strText = ReadTextFile(strLog);
    std::vector<unsigned long> vTimes;
    for (size_t iPos = 0; (iPos = strText.find(" ms  UP", iPos)) != std::string::npos; iPos++) {
        size_t iStart = strText.rfind('\n', iPos);
        vTimes.push_back(strtoul(strText.c_str() + (iStart == std::string::npos ? 0 : iStart + 1), NULL, 10));
    }
    ASSERT_EQ(6u, vTimes.size()) << strText;
    for (size_t i = 1; i < vTimes.size(); i++) {
        EXPECT_GE(vTimes[i] - vTimes[0], i * REPEAT_INTERVAL_MS - 15) << strText;
        EXPECT_LE(vTimes[i] - vTimes[0], i * REPEAT_INTERVAL_MS + 250) << strText;
    }
}

TEST_F(ReceiverTest, DisabledButtonsLeaveOnlyCursorMovement)
{
    RegisterOwnWindow();
    ASSERT_TRUE(SetReceiverMouse(3, 0));
    SetCursorPos(400, 300);
    EXPECT_EQ(1u, RunRemote("/play 1 PTR-E*4 PLAY", strLog));
    PumpMessages(200);
    EXPECT_TRUE(vCodes.empty());
    POINT ptCursor;
    GetCursorPos(&ptCursor);
    EXPECT_EQ(400 + 4 * (2 + 3 * 3), ptCursor.x);
    EXPECT_EQ(300, ptCursor.y);
    std::string strText = ReadTextFile(strLog);
    EXPECT_NE(std::string::npos, strText.find("1        code 0x21 held back: buttons disabled")) << strText;
    EXPECT_NE(std::string::npos, strText.find("PTR-E    cursor moved to (444,300)")) << strText;
}

TEST_F(ReceiverTest, PointerMovesAtTheStoredSpeed)
{
    ASSERT_TRUE(SetReceiverMouse(0, 1));
    SetCursorPos(400, 300);
    EXPECT_EQ(0u, RunRemote("/play PTR-SW*5 PTR-N*2"));
    POINT ptCursor;
    GetCursorPos(&ptCursor);
    EXPECT_EQ(400 - 5 * 2, ptCursor.x);
    EXPECT_EQ(300 + 5 * 2 - 2 * 2, ptCursor.y);
    ASSERT_TRUE(SetReceiverMouse(4, 1));
    EXPECT_EQ(0u, RunRemote("/play PTR-E"));
    GetCursorPos(&ptCursor);
    EXPECT_EQ(400 - 10 + 14, ptCursor.x);
}

TEST_F(ReceiverTest, SequenceWithAMistakeSendsNothing)
{
    RegisterOwnWindow();
    EXPECT_EQ(2u, RunRemote("/play 1 PLAY*0 2", strLog));
    PumpMessages(100);
    EXPECT_TRUE(vCodes.empty());
    EXPECT_NE(std::string::npos, ReadTextFile(strLog).find("not understood: \"PLAY*0\""));
}
