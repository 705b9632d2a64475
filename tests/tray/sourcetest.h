/*
 * sourcetest.h - what the tests of the receiver's other sources share: commands of the Linux
 * side (lircd, irsend, xdotool) run from a test under Wine, the LIRC daemon of the session
 * (tests/support/lirc_session.sh), a LIRC server of the test's own on loopback, the sources'
 * settings, and the tip and press log that a person reads.
 */
#ifndef ORVANE_SOURCETEST_H
#define ORVANE_SOURCETEST_H

#include <winsock2.h>
#include <windows.h>
#include <string>
#include <vector>

/* The Linux path of a path under Wine's Z: drive. */
std::string UnixPath(const std::string &strWindowsPath);

/* Runs a shell script on the Linux side to its end (Wine starts Linux programs but cannot
   wait for them: the script tells its end through a file). Its exit status, or -1 when it
   did not end within dwTimeout. */
int RunUnixScript(const std::string &strScript, DWORD dwTimeout = 30000);

/* xdotool with these arguments, on the session's display ("key XF86AudioNext"). */
bool XdoTool(const std::string &strArguments);

/* The LIRC daemon of lirc_session.sh: its folder (Linux path) and TCP port. */
struct tagLIRCD {
    std::string strDir;
    int iPort;
};

/* The session's daemon; false when the test does not run under lirc_session.sh. */
bool LircSession(tagLIRCD *pld);
/* Starts lircd and waits until it takes connections. */
bool StartLircd(const tagLIRCD &ld);
/* Stops lircd and waits until it is gone. */
bool StopLircd(const tagLIRCD &ld);
/* Simulated presses through irsend: the button of remote "orvanetest" (or another remote),
   iCount lines with repeat counts 0, 1, ... one every dwInterval milliseconds. */
bool SimulateLirc(const tagLIRCD &ld, const std::string &strButton, int iCount = 1, DWORD dwInterval = 110,
                  const std::string &strRemote = "orvanetest");

/* Whether something listens on the loopback port. */
bool LoopbackListens(int iPort);

/* A LIRC server of the test's own, on a loopback port (0: a free one). */
struct tagTESTSERVER {
    SOCKET sListen;
    SOCKET sClient;
    int iPort;
};
bool OpenTestServer(tagTESTSERVER *pts, int iPort = 0);
/* Waits for the tray program to connect (the earlier client, if any, is closed). */
bool AcceptClient(tagTESTSERVER *pts, DWORD dwTimeout);
bool SendToClient(tagTESTSERVER *pts, const std::string &strBytes);
/* Ends the connection, as a server that goes away does. */
void DropClient(tagTESTSERVER *pts);
void CloseTestServer(tagTESTSERVER *pts);

/* The sources' settings as the Receiver page stores them: LircSource, LircServer and
   KeySource under the settings key; the map is left as it is. */
void SetSources(bool bLirc, const std::string &strServer, bool bKeys);
/* Adds (or with an empty button removes) one map entry under the settings key. */
void WriteMapEntry(const std::string &strName, const std::string &strButton);
/* The map back to the default map and both sources off. */
void ResetSources();
/* Tells a running tray program to read the sources again, as the applet's Apply does. */
void TellTrayToReadSources(HWND hTray);

/* A window of the test that watches the tray program's sources as the applet's Receiver
   page does (created at the first call); bLearn asks for the next press. */
void WatchTraySources(HWND hTray, bool bLearn);
/* The SOURCE_x flags the tray program last reported, and the name of the press it last
   sent while learning ("" for none). */
UINT WatchedSources();
std::string LearntName();

/* The tip of the tray program's icon, "" when there is none. */
std::string TrayTip();
/* The lines the open press log shows (it is opened when it is not, and then stands in
   front). */
std::vector<std::string> OpenPressLogLines(HWND hTray);

#endif /* ORVANE_SOURCETEST_H */
