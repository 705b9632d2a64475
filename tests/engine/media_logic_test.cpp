/*
 * media_logic_test.cpp - the arithmetic of the media and volume keywords on its own: the
 * track field of MCITRACK, track limits, tenths of a medium and the mixer volume steps.
 */
#include <gtest/gtest.h>
#include <string>
#include "Corvalin_media.h"
#include "mixer.h"

/* The track GetTrack returns and what it leaves of the buffer. */
static std::pair<int, std::string> Track(std::string strArgument)
{
    strArgument.push_back('\0');
    BYTE bTrack = GetTrack(&strArgument[0]);
    return {bTrack, std::string(strArgument.c_str())};
}

TEST(MediaLogic, GetTrackSplitsDeviceAndTrack)
{
    typedef std::pair<int, std::string> Result;
    EXPECT_EQ(Track("cdaudio\x83" "7"), Result(7, "cdaudio"));
    EXPECT_EQ(Track("cdaudio\x83" "12ab"), Result(12, "cdaudio"));
    EXPECT_EQ(Track("cdaudio\x83" "123456"), Result(255, "cdaudio"));   /* 1234, at most 255 */
    EXPECT_EQ(Track("cdaudio\x83" "0255"), Result(255, "cdaudio"));
    EXPECT_EQ(Track("cdaudio\x83" "256"), Result(255, "cdaudio"));
    EXPECT_EQ(Track("cdaudio\x83" "-3"), Result(0, "cdaudio"));
    EXPECT_EQ(Track("cdaudio\x83"), Result(0, "cdaudio"));
    EXPECT_EQ(Track("cdaudio"), Result(0, "cdaudio"));
    EXPECT_EQ(Track("\x83" "4"), Result(4, ""));
    EXPECT_EQ(Track("a\x83" "2\x83" "3"), Result(2, "a"));
    /* Typed with blanks or a plus sign before it, within the first four characters. */
    EXPECT_EQ(Track("cdaudio\x83" " 7"), Result(7, "cdaudio"));
    EXPECT_EQ(Track("cdaudio\x83" "+12"), Result(12, "cdaudio"));
    EXPECT_EQ(Track("cdaudio\x83" "  +9"), Result(9, "cdaudio"));
    EXPECT_EQ(Track("cdaudio\x83" "   +9"), Result(0, "cdaudio"));
    EXPECT_EQ(Track("cdaudio\x83" "+-2"), Result(0, "cdaudio"));
}

TEST(MediaLogic, TracksAreLimitedToTheMedium)
{
    EXPECT_EQ(LimitTrack(20, 12, FALSE), 12u);
    EXPECT_EQ(LimitTrack(20, 12, TRUE), 12u);
    EXPECT_EQ(LimitTrack(0, 12, FALSE), 1u);
    EXPECT_EQ(LimitTrack(0xFFFFFFFF, 12, FALSE), 12u);
    EXPECT_EQ(LimitTrack(11, 1, TRUE), 10u);      /* tenths of a single-track video */
    EXPECT_EQ(LimitTrack(7, 1, TRUE), 7u);
    EXPECT_EQ(LimitTrack(2, 1, FALSE), 1u);       /* a single-track audio medium */
    EXPECT_EQ(LimitTrack(3, 0, FALSE), 1u);       /* a device that reports no tracks */
}

TEST(MediaLogic, TenthsOfAMedium)
{
    EXPECT_EQ(TenthPosition(2505, 1), 0u);
    EXPECT_EQ(TenthPosition(2505, 2), 250u);
    EXPECT_EQ(TenthPosition(2505, 10), 2254u);
    EXPECT_EQ(TenthPosition(0xFFFFFFFF, 10), 3865470565u);    /* no overflow */
}

TEST(MediaLogic, MixerVolumeSteps)
{
    EXPECT_EQ(StepMixerVolume(1000, 0, 65535, 192, TRUE), 1341u);
    EXPECT_EQ(StepMixerVolume(1000, 0, 65535, 192, FALSE), 659u);
    EXPECT_EQ(StepMixerVolume(341, 0, 65535, 192, FALSE), 0u);
    EXPECT_EQ(StepMixerVolume(65500, 0, 65535, 192, TRUE), 65535u);
    EXPECT_EQ(StepMixerVolume(150, 100, 1100, 10, FALSE), 100u);   /* not below the minimum */
    EXPECT_EQ(StepMixerVolume(0xFFFFFF00, 0, 0xFFFFFFFF, 2, TRUE), 0xFFFFFFFFu);
    /* A control without steps moves a sixteenth of its range: one press down does not
       mute, sixteen presses come down to what the division left, one more to silence. */
    EXPECT_EQ(StepMixerVolume(500, 0, 1000, 0, TRUE), 562u);
    EXPECT_EQ(StepMixerVolume(500, 0, 1000, 0, FALSE), 438u);
    DWORD dwVolume = 65535;
    for (int i = 0; i < 16; i++)
        dwVolume = StepMixerVolume(dwVolume, 0, 65535, 0, FALSE);
    EXPECT_EQ(dwVolume, 15u);
    EXPECT_EQ(StepMixerVolume(dwVolume, 0, 65535, 0, FALSE), 0u);
}
