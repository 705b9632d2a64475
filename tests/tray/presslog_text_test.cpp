/*
 * presslog_text_test.cpp - the press log's lines for every kind of code, and the places of
 * its controls at any window size, without a window.
 */
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include "presslog.h"

static const PRESSWORD apwWords[PLW_COUNT] = {
    "repeat", "dropped", "button", "shift", "mode", "shift on", "shift off", "mode-independent button",
    "code", "no action", "not assigned", "skipped", "LIRC line too long", "LIRC line with binary data",
    "not a LIRC press", "LIRC button not mapped", "automatic", "in front", "as chosen by hand"
};

static tagPRESS Press(BYTE bRaw, BYTE bRepeat, int bLookUp, BYTE bCode, BYTE bMode, BYTE bShift, const char *pszMode,
                      const char *pszCommand)
{
    tagPRESS pr = {};
    pr.stTime = { 2026, 12, 2, 8, 9, 5, 7, 42 };
    pr.bRaw = bRaw;
    pr.bRepeat = bRepeat;
    pr.bLookUp = (BYTE)bLookUp;
    pr.bCode = bCode;
    pr.bMode = bMode;
    pr.bShift = bShift;
    strcpy(pr.szModeName, pszMode);
    strcpy(pr.szCommand, pszCommand);
    return pr;
}

static std::string Line(const tagPRESS &pr)
{
    char szLine[PRESS_LINE_SIZE];
    memset(szLine, 'x', sizeof(szLine));
    FormatPressLine(&pr, apwWords, szLine, sizeof(szLine));
    return szLine;
}

TEST(PressLogText, LinesOfEveryKindOfCode)
{
    /* Buttons, shifted or not, in a mode with a name and one without (its number instead). */
    EXPECT_EQ("09:05:07.042\t0x21\t\tbutton 0, PC\tTAB,TYPE", Line(Press(0x21, PR_PRESS, 1, 0, 0, 0, "PC", "TAB,TYPE")));
    EXPECT_EQ("09:05:07.042\t0x30\trepeat\tbutton 27, DVD, shift\tnot assigned",
              Line(Press(0x30, PR_REPEAT, 1, 27, 3, 1, "DVD", "")));
    EXPECT_EQ("09:05:07.042\t0xFF\t\tbutton 255, 5\tnot assigned", Line(Press(0xFF, PR_PRESS, 1, 255, 4, 0, "", "")));
    /* A dropped repeat says nothing of what the code means: the engine never saw it. */
    EXPECT_EQ("09:05:07.042\t0x30\tdropped\t\t", Line(Press(0x30, PR_DROPPED, 1, 10, 0, 0, "PC", "LINEUP")));
    /* Mode selections with and without the mode's own command; one beyond the five modes. */
    EXPECT_EQ("09:05:07.042\t0x11\t\tmode WEB\tWEBADDRESS\"x\"", Line(Press(0x11, PR_PRESS, 0, 0x81, 1, 0, "WEB", "WEBADDRESS\"x\"")));
    EXPECT_EQ("09:05:07.042\t0x12\t\tmode Phone\tnot assigned", Line(Press(0x12, PR_PRESS, 0, 0x82, 2, 0, "Phone", "")));
    EXPECT_EQ("09:05:07.042\t0x13\t\tcode 0x85\tno action", Line(Press(0x13, PR_PRESS, 0, 0x85, 0, 0, "PC", "")));
    /* Shift both ways (no command runs for it); the mode-independent codes and one unused. */
    EXPECT_EQ("09:05:07.042\t0x15\t\tshift on, CD\t", Line(Press(0x15, PR_PRESS, 0, 0x40, 4, 1, "CD", "")));
    EXPECT_EQ("09:05:07.042\t0x15\t\tshift off, CD\t", Line(Press(0x15, PR_PRESS, 0, 0x40, 4, 0, "CD", "")));
    EXPECT_EQ("09:05:07.042\t0x17\t\tmode-independent button 2\tMIXERVOLDN",
              Line(Press(0x17, PR_PRESS, 0, 0x42, 0, 0, "PC", "MIXERVOLDN")));
    EXPECT_EQ("09:05:07.042\t0x18\t\tcode 0x7F\tno action", Line(Press(0x18, PR_PRESS, 0, 0x7F, 0, 0, "PC", "")));

    /* A change for the program in front: no raw code, why it came, what the mode ran. */
    tagPRESS prFront = Press(0, PR_AUTOMATIC, 0, 0x83, 3, 0, "DVD", "MCIPLAY\"cdaudio\"");
    strcpy(prFront.szFront, "wmplayer.exe");
    EXPECT_EQ("09:05:07.042\t\tautomatic\tmode DVD, wmplayer.exe in front\tMCIPLAY\"cdaudio\"", Line(prFront));
    prFront = Press(0, PR_AUTOMATIC, 0, 0x80, 0, 0, "PC", "");
    strcpy(prFront.szFront, "calc.exe");
    prFront.bByHand = 1;
    EXPECT_EQ("09:05:07.042\t\tautomatic\tmode PC as chosen by hand, calc.exe in front\tnot assigned", Line(prFront));
    /* The longest of each still leaves the whole command on the line. */
    memset(prFront.szModeName, 'M', sizeof(prFront.szModeName) - 1);
    memset(prFront.szFront, 'F', sizeof(prFront.szFront) - 1);
    memset(prFront.szCommand, 'C', sizeof(prFront.szCommand) - 1);
    std::string strFront = Line(prFront);
    EXPECT_NE(std::string::npos, strFront.find(std::string(PRESS_FRONT_SIZE - 1, 'F') + " in front\t"));
    EXPECT_EQ(std::string(RUNNABLE_COMMAND_SIZE - 1, 'C'), strFront.substr(strFront.rfind('\t') + 1));

    /* The longest command and mode name fit a line of the log's size; a short buffer is cut
       and still terminated, and nothing is written past it. */
    tagPRESS prLong = Press(0x21, PR_REPEAT, 1, 33, 0, 1, "", "");
    memset(prLong.szModeName, 'M', sizeof(prLong.szModeName) - 1);
    memset(prLong.szCommand, 'C', sizeof(prLong.szCommand) - 1);
    std::string strLong = Line(prLong);
    EXPECT_EQ(std::string(RUNNABLE_COMMAND_LENGTH, 'C'), strLong.substr(strLong.rfind('\t') + 1));
    EXPECT_NE(std::string::npos, strLong.find(std::string(STORE_MODE_KEY_SIZE - 1, 'M') + ", shift\t"));
    char szShort[16];
    memset(szShort, 'x', sizeof(szShort));
    char szGuard = szShort[sizeof(szShort) - 1];
    FormatPressLine(&prLong, apwWords, szShort, sizeof(szShort) - 1);
    EXPECT_EQ("09:05:07.042\t0", std::string(szShort));
    EXPECT_EQ(szGuard, szShort[sizeof(szShort) - 1]);
    FormatPressLine(&prLong, apwWords, szShort, 0);
    EXPECT_EQ("09:05:07.042\t0", std::string(szShort));
}

/* A line a source sent that was no press: its reason and its bytes, readable and cut to the
   record, whatever they are; a reason that is no reason reads as "not a press". */
TEST(PressLogText, SkippedLinesShowTheirBytesReadably)
{
    tagPRESS pr = Press(0, PR_SKIPPED, 0, 0, 0, 0, "", "");
    const char achBinary[] = "1 0 KEY\\_\x01\xFF\0x";
    NoteSkippedText(&pr, PLW_BINARY, achBinary, sizeof(achBinary) - 1);
    EXPECT_EQ("09:05:07.042\t\tskipped\tLIRC line with binary data\t1 0 KEY\\x5C_\\x01\\xFF\\x00x", Line(pr));
    NoteSkippedText(&pr, PLW_NOT_MAPPED, "0001 00 KEY_FOO tv", 18);
    EXPECT_EQ("09:05:07.042\t\tskipped\tLIRC button not mapped\t0001 00 KEY_FOO tv", Line(pr));
    pr.bCode = PLW_REPEAT;
    EXPECT_EQ("09:05:07.042\t\tskipped\tnot a LIRC press\t0001 00 KEY_FOO tv", Line(pr));

    /* 255 bytes of 0xFF: as many whole escapes as the record holds. */
    std::string strLong(255, '\xFF');
    memset(pr.szCommand, 'x', sizeof(pr.szCommand));
    NoteSkippedText(&pr, PLW_TOO_LONG, strLong.data(), strLong.size());
    size_t cch = strlen(pr.szCommand);
    EXPECT_LT(cch, sizeof(pr.szCommand));
    EXPECT_EQ(0u, cch % 4);
    EXPECT_EQ((sizeof(pr.szCommand) - 1) / 4, cch / 4);
    EXPECT_EQ(std::string::npos, std::string(pr.szCommand).find_first_not_of("\\xF"));
}

static bool Overlap(const RECT &a, const RECT &b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(PressLogText, ControlsStayApartAndInsideAtAnySize)
{
    for (int cx : { PRESS_LOG_MIN_CX, 300, 592, 1600 }) {
        for (int cy : { PRESS_LOG_MIN_CY, 200, 266, 1000 }) {
            RECT rc[PLC_COUNT];
            LayoutPressLog(cx, cy, rc);
            for (int i = 0; i < PLC_COUNT; i++) {
                EXPECT_GE(rc[i].left, 0) << cx << "x" << cy << " control " << i;
                EXPECT_GE(rc[i].top, 0);
                EXPECT_LE(rc[i].right, cx);
                EXPECT_LE(rc[i].bottom, cy);
                EXPECT_LT(rc[i].left, rc[i].right);
                EXPECT_LT(rc[i].top, rc[i].bottom);
                for (int j = i + 1; j < PLC_COUNT; j++)
                    EXPECT_FALSE(Overlap(rc[i], rc[j])) << cx << "x" << cy << " controls " << i << ", " << j;
            }
            /* The buttons sit at the bottom right, Copy before Clear; the list takes the rest. */
            EXPECT_LT(rc[PLC_COPY].right, rc[PLC_CLEAR].left);
            EXPECT_GT(rc[PLC_CLEAR].right, cx - 10);
            EXPECT_GT(rc[PLC_CLEAR].bottom, cy - 10);
            EXPECT_LT(rc[PLC_LIST].bottom, rc[PLC_COPY].top);
            EXPECT_GT(rc[PLC_LIST].right - rc[PLC_LIST].left, cx - 20);
        }
    }
    /* Smaller than the window allows: nothing is turned inside out. */
    RECT rc[PLC_COUNT];
    LayoutPressLog(10, 10, rc);
    EXPECT_LE(rc[PLC_LIST].top, rc[PLC_LIST].bottom);
}
