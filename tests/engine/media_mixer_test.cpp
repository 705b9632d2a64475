/*
 * media_mixer_test.cpp - MIXERVOLUP, MIXERVOLDN and MIXERMUTE through Corvalin's
 * dispatcher against the mixer Wine shows for a PulseAudio server (media_pulse.sh starts
 * one for this program). The values are set and read back here through the mixer's
 * speakers line, found by its component type.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>
#include <string.h>
#include <vector>
#include "Corvalin.h"

static void RunString(const char *pszCommand)
{
    std::vector<char> buffer(pszCommand, pszCommand + strlen(pszCommand) + 1);
    ParseFunction(NULL, buffer.data());
}

class MediaMixerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GT(mixerGetNumDevs(), 0u) << "no mixer: is the PulseAudio server running?";
        ASSERT_EQ(mixerOpen(&hMixer, 0, 0, 0, MIXER_OBJECTF_MIXER), (MMRESULT)MMSYSERR_NOERROR);
        MIXERLINEA ml = {};
        ml.cbStruct = sizeof(ml);
        ml.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
        ASSERT_EQ(mixerGetLineInfoA((HMIXEROBJ)hMixer, &ml,
                                    MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE),
                  (MMRESULT)MMSYSERR_NOERROR);
        ASSERT_TRUE(Control(ml.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME, &mcVolume));
        ASSERT_TRUE(Control(ml.dwLineID, MIXERCONTROL_CONTROLTYPE_MUTE, &mcMute));
        /* Master controls set every channel alike: one value stands for all. */
        ASSERT_TRUE(mcVolume.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM);
    }
    void TearDown() override
    {
        if (hMixer != NULL)
            mixerClose(hMixer);
    }

    bool Control(DWORD dwLineID, DWORD dwType, MIXERCONTROLA *pmc)
    {
        MIXERLINECONTROLSA mlc = {};
        mlc.cbStruct = sizeof(mlc);
        mlc.dwLineID = dwLineID;
        mlc.dwControlType = dwType;
        mlc.cControls = 1;
        mlc.cbmxctrl = sizeof(*pmc);
        mlc.pamxctrl = pmc;
        return mixerGetLineControlsA((HMIXEROBJ)hMixer, &mlc,
                                     MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) ==
               MMSYSERR_NOERROR;
    }

    /* Reads or writes the value of a control (one for all channels). */
    MMRESULT Details(const MIXERCONTROLA &mc, DWORD *pdwValue, bool bSet)
    {
        MIXERCONTROLDETAILS mcd = {};
        mcd.cbStruct = sizeof(mcd);
        mcd.dwControlID = mc.dwControlID;
        mcd.cChannels = 1;
        mcd.cbDetails = sizeof(DWORD);
        mcd.paDetails = pdwValue;
        return bSet ? mixerSetControlDetails((HMIXEROBJ)hMixer, &mcd, MIXER_OBJECTF_HMIXER)
                    : mixerGetControlDetailsA((HMIXEROBJ)hMixer, &mcd, MIXER_OBJECTF_HMIXER);
    }

    DWORD Value(const MIXERCONTROLA &mc)
    {
        DWORD dwValue = 0xDEADBEEF;
        EXPECT_EQ(Details(mc, &dwValue, false), (MMRESULT)MMSYSERR_NOERROR);
        return dwValue;
    }

    void SetValue(const MIXERCONTROLA &mc, DWORD dwValue)
    {
        ASSERT_EQ(Details(mc, &dwValue, true), (MMRESULT)MMSYSERR_NOERROR);
    }

    /* The volume after a command from a starting volume. */
    DWORD VolumeAfter(const char *pszCommand, DWORD dwStart)
    {
        SetValue(mcVolume, dwStart);
        RunString(pszCommand);
        return Value(mcVolume);
    }

    HMIXER hMixer = NULL;
    MIXERCONTROLA mcVolume = {}, mcMute = {};
};

TEST_F(MediaMixerTest, MasterVolumeStepsUpAndDownWithinItsBounds)
{
    DWORD dwMin = mcVolume.Bounds.dwMinimum, dwMax = mcVolume.Bounds.dwMaximum;
    ASSERT_GT(mcVolume.Metrics.cSteps, 1u);
    DWORD dwStep = (dwMax - dwMin) / mcVolume.Metrics.cSteps;
    ASSERT_GT(dwStep, 0u);

    EXPECT_EQ(VolumeAfter("MIXERVOLUP", dwMin + 1000), dwMin + 1000 + dwStep);
    EXPECT_EQ(VolumeAfter("MIXERVOLDN", dwMin + 1000), dwMin + 1000 - dwStep);
    EXPECT_EQ(VolumeAfter("MIXERVOLUP,MIXERVOLUP,MIXERVOLDN", dwMin + 1000), dwMin + 1000 + dwStep);
    EXPECT_EQ(VolumeAfter("MIXERVOLUP", dwMax - dwStep / 2), dwMax);
    EXPECT_EQ(VolumeAfter("MIXERVOLUP", dwMax), dwMax);
    EXPECT_EQ(VolumeAfter("MIXERVOLDN", dwMin + dwStep / 2), dwMin);
    EXPECT_EQ(VolumeAfter("MIXERVOLDN", dwMin + dwStep), dwMin);
    EXPECT_EQ(VolumeAfter("MIXERVOLDN", dwMin), dwMin);
}

TEST_F(MediaMixerTest, MuteTogglesAndLeavesTheVolume)
{
    SetValue(mcVolume, 30000);
    SetValue(mcMute, 0);
    RunString("MIXERMUTE");
    EXPECT_EQ(Value(mcMute), 1u);
    RunString("MIXERMUTE");
    EXPECT_EQ(Value(mcMute), 0u);
    RunString("MIXERMUTE,MIXERMUTE,MIXERMUTE");
    EXPECT_EQ(Value(mcMute), 1u);
    EXPECT_EQ(Value(mcVolume), 30000u);
}
