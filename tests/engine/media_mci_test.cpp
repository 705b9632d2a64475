/*
 * media_mci_test.cpp - the media keywords run through Corvalin's dispatcher against the
 * simulated CD player ("simcd") and video player ("simvideo"): what each keyword sends to
 * the device, the mode the device ends in, and the warning boxes of failing steps.
 */
#include <gtest/gtest.h>
#include "media_devices.h"

typedef std::vector<std::string> Lines;

/* The commands every action first asks of its device. */
static const Lines statusQueries = {"status mode", "status length", "status tracks",
                                    "status current"};

static Lines Concat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

/* The log lines that start with a prefix. */
static Lines Matching(const Lines &log, const std::string &strPrefix)
{
    Lines found;
    for (const std::string &strLine : log)
        if (strLine.compare(0, strPrefix.size(), strPrefix) == 0)
            found.push_back(strLine);
    return found;
}

static std::string TrackCommand(const char *pszDevice, const char *pszTrack)
{
    return std::string("MCITRACK\"") + pszDevice + "\x83" + pszTrack + "\"";
}

class MediaTest : public ::testing::Test {
protected:
    void SetUp() override { InstallSimulatedDevices(); }
    void TearDown() override { RemoveDeviceLog(); }

    /* Runs a command that must show no box; returns what the devices received. */
    Lines Command(const std::string &strCommand)
    {
        std::vector<BoxSeen> boxes = RunCommand(strCommand);
        for (const BoxSeen &box : boxes)
            ADD_FAILURE() << strCommand << " showed \"" << box.strCaption << "\": " << box.strText;
        return TakeDeviceLog();
    }
};

TEST_F(MediaTest, PlayOpensTheDeviceByTypeInTrackFormatAndPlays)
{
    EXPECT_EQ(Command("MCIPLAY\"simcd\""),
              Concat({{"open shareable", "getdevcaps 3", "set timeformat 10"}, statusQueries,
                      {"play"}}));
    EXPECT_EQ(DeviceMode("simcd"), (DWORD)MCI_MODE_PLAY);

    /* Playing already: the device stays open and is not told to play again. */
    EXPECT_EQ(Command("MCIPLAY\"simcd\""), Concat({{"status mode"}, statusQueries}));
    EXPECT_EQ(DeviceMode("simcd"), (DWORD)MCI_MODE_PLAY);
}

TEST_F(MediaTest, PausePausesThenResumesAndPlayResumesToo)
{
    Command("MCIPLAY\"simcd\"");
    EXPECT_EQ(Matching(Command("MCIPAUSE\"simcd\""), "pause"), Lines{"pause"});
    EXPECT_EQ(DeviceMode("simcd"), (DWORD)MCI_MODE_PAUSE);
    EXPECT_EQ(Matching(Command("MCIPAUSE\"simcd\""), "resume"), Lines{"resume"});
    EXPECT_EQ(DeviceMode("simcd"), (DWORD)MCI_MODE_PLAY);

    Command("MCIPAUSE\"simcd\"");
    EXPECT_EQ(Command("MCIPLAY\"simcd\"").back(), "play");
    EXPECT_EQ(DeviceMode("simcd"), (DWORD)MCI_MODE_PLAY);
}

TEST_F(MediaTest, PauseOnAStoppedDeviceStartsIt)
{
    Command("MCIPLAY\"simcd\"");
    StopDevice("simcd");
    ASSERT_EQ(DeviceMode("simcd"), (DWORD)MCI_MODE_STOP);
    EXPECT_EQ(Command("MCIPAUSE\"simcd\"").back(), "play");
    EXPECT_EQ(DeviceMode("simcd"), (DWORD)MCI_MODE_PLAY);
}

TEST_F(MediaTest, StopStopsAndClosesTheDevice)
{
    Command("MCIPLAY\"simcd\"");
    EXPECT_EQ(Command("MCISTOP\"simcd\""), Concat({{"status mode"}, statusQueries, {"stop", "close"}}));
    EXPECT_EQ(mciGetDeviceIDA("simcd"), 0u);

    /* A stopped device is closed without another stop. */
    Command("MCIPLAY\"simcd\"");
    StopDevice("simcd");
    EXPECT_EQ(Command("MCISTOP\"simcd\"").back(), "close");
    EXPECT_EQ(mciGetDeviceIDA("simcd"), 0u);

    /* The next command opens it afresh. */
    EXPECT_EQ(Command("MCIPLAY\"simcd\"").front(), "open shareable");
}

TEST_F(MediaTest, StopWithNothingOpenDoesNothingAndOpensNothing)
{
    EXPECT_EQ(Command("MCISTOP\"simcd\""), Lines{});
    EXPECT_EQ(mciGetDeviceIDA("simcd"), 0u);
}

TEST_F(MediaTest, SkipsForwardAndBackwardThroughTheTracksOfACd)
{
    Lines plays;
    for (const std::string &strCommand :
         {TrackCommand("simcd", "5"), std::string("MCIFASTFWD\"simcd\""),
          std::string("MCIREWIND\"simcd\""), TrackCommand("simcd", "1"),
          std::string("MCIREWIND\"simcd\""), TrackCommand("simcd", "12"),
          std::string("MCIFASTFWD\"simcd\"")}) {
        Lines found = Matching(Command(strCommand), "play");
        plays.insert(plays.end(), found.begin(), found.end());
    }
    /* TMSF positions: the track in the low byte, minutes, seconds and frames 0. */
    EXPECT_EQ(plays, (Lines{"play from=5", "play from=6", "play from=5", "play from=1",
                            "play from=1", "play from=12", "play from=12"}));
    EXPECT_EQ(DeviceMode("simcd"), (DWORD)MCI_MODE_PLAY);
}

TEST_F(MediaTest, TrackBeyondTheLastPlaysTheLast)
{
    SetDeviceTracks("185,203,247,198,312,176,225,264,190,233,281,207");
    EXPECT_EQ(Matching(Command(TrackCommand("simcd", "20")), "play"), Lines{"play from=12"});
    /* More than four digits: only the first four count. */
    EXPECT_EQ(Matching(Command(TrackCommand("simcd", "00034")), "play"), Lines{"play from=3"});
}

TEST_F(MediaTest, TrackWithoutANumberDoesNothing)
{
    EXPECT_EQ(Command("MCITRACK\"simcd\""), Lines{});
    EXPECT_EQ(Command(TrackCommand("simcd", "0")), Lines{});
    EXPECT_EQ(Command(TrackCommand("simcd", "x7")), Lines{});
    EXPECT_EQ(mciGetDeviceIDA("simcd"), 0u);
}

TEST_F(MediaTest, SkipOnASingleTrackCdReplaysItsTrack)
{
    SetDeviceTracks("3000");
    EXPECT_EQ(Matching(Command("MCIFASTFWD\"simcd\""), "play"), Lines{"play from=1"});
    EXPECT_EQ(Matching(Command("MCIFASTFWD\"simcd\""), "play"), Lines{"play from=1"});
}

TEST_F(MediaTest, SkipsThroughTheTenthsOfASingleTrackVideo)
{
    SetDeviceTracks("2505");
    Lines first = Command("MCIFASTFWD\"simvideo\"");
    EXPECT_EQ(first, Concat({{"open shareable", "getdevcaps 3", "set timeformat 3"},
                             statusQueries, {"seek to=250", "play"}}));
    Lines seeks = Matching(first, "seek");
    for (int iPress = 2; iPress <= 11; iPress++) {
        Lines log = Command("MCIFASTFWD\"simvideo\"");
        EXPECT_EQ(log.back(), "play");
        Lines found = Matching(log, "seek");
        seeks.insert(seeks.end(), found.begin(), found.end());
    }
    /* Nine presses reach nine tenths of 2505 frames; further presses stay there. */
    EXPECT_EQ(seeks, (Lines{"seek to=250", "seek to=501", "seek to=751", "seek to=1002",
                            "seek to=1252", "seek to=1503", "seek to=1753", "seek to=2004",
                            "seek to=2254", "seek to=2254", "seek to=2254"}));
    EXPECT_EQ(Matching(Command("MCIREWIND\"simvideo\""), "seek"), Lines{"seek to=2004"});
    EXPECT_EQ(Matching(Command(TrackCommand("simvideo", "3")), "seek"), Lines{"seek to=501"});
    EXPECT_EQ(Matching(Command("MCIFASTFWD\"simvideo\""), "seek"), Lines{"seek to=751"});
}

TEST_F(MediaTest, JumpsToATrackOfAMultiTrackVideoByItsFrames)
{
    SetDeviceTracks("100,200,300");
    Lines log = Command(TrackCommand("simvideo", "3"));
    EXPECT_EQ(Lines(log.end() - 4, log.end()),
              (Lines{"status length track=1", "status length track=2", "seek to=300", "play"}));
}

TEST_F(MediaTest, AnotherDeviceTypeStopsAndClosesTheOpenOneFirst)
{
    Command("MCIPLAY\"simcd\"");
    EXPECT_EQ(Command("MCIPLAY\"simvideo\""),
              Concat({{"status mode", "stop", "close", "open shareable", "getdevcaps 3",
                       "set timeformat 3"},
                      statusQueries, {"play"}}));
    EXPECT_EQ(mciGetDeviceIDA("simcd"), 0u);
    EXPECT_EQ(DeviceMode("simvideo"), (DWORD)MCI_MODE_PLAY);

    /* A stop for the other type closes the open device and opens nothing. */
    EXPECT_EQ(Command("MCISTOP\"simcd\""), (Lines{"status mode", "stop", "close"}));
    EXPECT_EQ(mciGetDeviceIDA("simvideo"), 0u);
}

TEST_F(MediaTest, RefusedShareableOpenOpensTheDeviceForItself)
{
    SetDeviceFailures("shareable");
    Lines log = Command("MCIPLAY\"simcd\"");
    EXPECT_EQ(Lines(log.begin(), log.begin() + 2), (Lines{"open shareable", "open"}));
    EXPECT_EQ(DeviceMode("simcd"), (DWORD)MCI_MODE_PLAY);
}

TEST_F(MediaTest, DeviceThatCannotOpenShowsTheSystemsErrorText)
{
    /* What the system itself answers for a type that no driver serves. */
    MCI_OPEN_PARMSA mop = {};
    mop.lpstrDeviceType = "nosuchdevice";
    MCIERROR dwError = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_WAIT, (DWORD_PTR)&mop);
    ASSERT_NE(dwError, 0u);

    std::vector<BoxSeen> boxes = RunCommand("MCIPLAY\"nosuchdevice\"");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].strCaption, "Warning: Device Open");
    EXPECT_EQ(boxes[0].strText, MCIErrorText(dwError));
    EXPECT_TRUE(boxes[0].bErrorIcon);

    /* A driver that refuses to open is asked twice: shareable, then for itself. */
    SetDeviceFailures("open");
    SetEnvironmentVariableA("SIMMCI_ERROR", "276");    /* MCIERR_DEVICE_NOT_READY */
    boxes = RunCommand("MCIPLAY\"simcd\"");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].strCaption, "Warning: Device Open");
    EXPECT_EQ(boxes[0].strText, MCIErrorText(MCIERR_DEVICE_NOT_READY));
    EXPECT_EQ(TakeDeviceLog(), (Lines{"open shareable", "open"}));
    EXPECT_EQ(mciGetDeviceIDA("simcd"), 0u);
}

/* One failing step: the commands that run first without failures, the command that meets
   the failure, the caption of its box, and the last command the device then receives. */
struct FailingStep {
    const char *pszName;
    const char *pszTracks;
    std::vector<std::string> before;
    const char *pszFail;
    std::string strCommand;
    const char *pszCaption;
    const char *pszLastCommand;
};

static const FailingStep failingSteps[] = {
    {"StatusMode", "", {}, "mode", "MCIPLAY\"simcd\"", "Warning: Status Mode", "status mode"},
    {"StatusLength", "", {}, "length", "MCIPLAY\"simcd\"", "Warning: Status Length", "status length"},
    {"NumberOfTracks", "", {}, "tracks", "MCIPLAY\"simcd\"", "Warning: Number of Tracks", "status tracks"},
    {"CurrentTrack", "", {}, "current", "MCIPLAY\"simcd\"", "Warning: Current Track", "status current"},
    {"Play", "", {}, "play", "MCIPLAY\"simcd\"", "Warning: Play", "play"},
    {"PlayTrack", "", {}, "play", "MCITRACK\"simcd\x83" "4\"", "Warning: Play", "play from=4"},
    {"Capabilities", "", {}, "devcaps", "MCIPLAY\"simcd\"", "Warning: Device Capabilities", "play"},
    {"TimeFormat", "", {}, "set", "MCIPLAY\"simcd\"", "Warning: Time Format", "play"},
    {"DeviceStatus", "", {"MCIPLAY\"simcd\""}, "mode", "MCIPLAY\"simcd\"", "Warning: Device Status", "status mode"},
    {"Pause", "", {"MCIPLAY\"simcd\""}, "pause", "MCIPAUSE\"simcd\"", "Warning: Pause", "pause"},
    {"Resume", "", {"MCIPLAY\"simcd\"", "MCIPAUSE\"simcd\""}, "resume", "MCIPAUSE\"simcd\"", "Warning: Resume", "resume"},
    {"Stop", "", {"MCIPLAY\"simcd\""}, "stop", "MCISTOP\"simcd\"", "Warning: Stop", "stop"},
    {"DeviceClose", "", {"MCIPLAY\"simcd\""}, "close", "MCISTOP\"simcd\"", "Warning: Device Close", "close"},
    {"StopOfTheOtherType", "", {"MCIPLAY\"simcd\""}, "stop", "MCIPLAY\"simvideo\"", "Warning: Stop", "play"},
    {"Seek", "2505", {}, "seek", "MCIFASTFWD\"simvideo\"", "Warning: Seek", "seek to=250"},
    {"TrackLength", "100,200", {}, "tracklength", "MCIFASTFWD\"simvideo\"", "Warning: Track Length", "status length track=1"},
};

static void PrintTo(const FailingStep &step, std::ostream *pos) { *pos << step.pszName; }

class MediaFailureTest : public MediaTest, public ::testing::WithParamInterface<FailingStep> {};

TEST_P(MediaFailureTest, ShowsTheStepsCaptionWithTheSystemsText)
{
    const FailingStep &step = GetParam();
    SetDeviceTracks(step.pszTracks);
    for (const std::string &strCommand : step.before)
        Command(strCommand);
    TakeDeviceLog();

    SetDeviceFailures(step.pszFail);
    std::vector<BoxSeen> boxes = RunCommand(step.strCommand);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].strCaption, step.pszCaption);
    EXPECT_EQ(boxes[0].strText, MCIErrorText(MCIERR_HARDWARE));
    EXPECT_TRUE(boxes[0].bErrorIcon);
    Lines log = TakeDeviceLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), step.pszLastCommand);
}

INSTANTIATE_TEST_SUITE_P(Steps, MediaFailureTest, ::testing::ValuesIn(failingSteps),
                         [](const ::testing::TestParamInfo<FailingStep> &info) {
                             return std::string(info.param.pszName);
                         });

TEST_F(MediaTest, DeviceThatStoppedFailingWorksAgain)
{
    Command("MCIPLAY\"simcd\"");
    SetDeviceFailures("stop");
    EXPECT_EQ(RunCommand("MCISTOP\"simcd\"").size(), 1u);
    EXPECT_NE(mciGetDeviceIDA("simcd"), 0u);     /* still open after the failed stop */
    SetDeviceFailures("");
    TakeDeviceLog();
    EXPECT_EQ(Command("MCISTOP\"simcd\"").back(), "close");
    EXPECT_EQ(mciGetDeviceIDA("simcd"), 0u);
}
