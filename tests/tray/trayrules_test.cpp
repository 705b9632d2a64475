/*
 * trayrules_test.cpp - the auto-repeat rule and the registration retries on a clock that the
 * test sets: a held button, a second press, another button in between, the release, a timer
 * that comes late or early, the power events. The tray program's own timers drive the same
 * rules in tellumo_test.
 */
#include <gtest/gtest.h>
#include <vector>
#include "trayrules.h"

enum { CODE_UP = 48, CODE_ONE = 33, CODE_TWO = 34 };

/* The rule with a clock; every time is given from the clock's origin, which the tests place
   at 0 and just before the millisecond count wraps around. */
class RepeatRuleTest : public ::testing::TestWithParam<DWORD> {
protected:
    tagREPEATRULE rr;

    void SetUp() override
    {
        StartRepeatRule(&rr);
    }

    BYTE Code(DWORD dwAt, BYTE bCode)
    {
        return RepeatRuleCode(&rr, bCode, GetParam() + dwAt);
    }

    DWORD Wait(DWORD dwAt)
    {
        return RepeatRuleWait(&rr, GetParam() + dwAt);
    }
};

TEST_P(RepeatRuleTest, HeldButtonWaitsForTheDelayThenRepeatsUntilReleased)
{
    EXPECT_EQ(NO_WAIT, Wait(0));
    EXPECT_EQ(PR_PRESS, Code(0, CODE_UP));
    EXPECT_EQ(NO_WAIT, Wait(50)) << "a press alone awaits nothing";
    /* The first repeat starts the delay; later repeats do not restart it. */
    EXPECT_EQ(PR_DROPPED, Code(110, CODE_UP));
    EXPECT_EQ(1000u, Wait(110));
    EXPECT_EQ(PR_DROPPED, Code(600, CODE_UP));
    EXPECT_EQ(510u, Wait(600));
    EXPECT_EQ(PR_DROPPED, Code(1109, CODE_UP));
    /* From the end of the delay every repeat runs, at whatever rate, as long as the gaps stay
       below 300 ms: each repeat starts the 300 ms again. */
    EXPECT_EQ(PR_REPEAT, Code(1110, CODE_UP));
    EXPECT_EQ(300u, Wait(1110));
    EXPECT_EQ(PR_REPEAT, Code(1150, CODE_UP));
    EXPECT_EQ(PR_REPEAT, Code(1449, CODE_UP));
    EXPECT_EQ(PR_REPEAT, Code(1748, CODE_UP));
    EXPECT_EQ(1u, Wait(2047));
    /* Released: 300 ms later the press is over, and the same button acts at once again; its
       next repeat belongs to the new press and waits for a new delay. */
    EXPECT_EQ(0u, Wait(2048));
    EXPECT_EQ(PR_PRESS, Code(2048, CODE_UP));
    EXPECT_EQ(PR_DROPPED, Code(2158, CODE_UP));
    EXPECT_EQ(1000u, Wait(2158));
}

TEST_P(RepeatRuleTest, SecondPressWithoutRepeatsCountsAsARepeat)
{
    EXPECT_EQ(PR_PRESS, Code(0, CODE_ONE));
    /* Long after, with no repeat between: still the last code, so a repeat, dropped. */
    EXPECT_EQ(PR_DROPPED, Code(1500, CODE_ONE));
    /* Its delay runs out at 2500 and auto-repeat is on until 2800: a press now is a repeat
       that runs and keeps auto-repeat on. */
    EXPECT_EQ(PR_REPEAT, Code(2799, CODE_ONE));
    EXPECT_EQ(300u, Wait(2799));
    /* Once auto-repeat has ended, the button acts as a new press. */
    EXPECT_EQ(PR_PRESS, Code(3099, CODE_ONE));
}

TEST_P(RepeatRuleTest, OtherButtonRunsAtOnceAndLeavesTheDelayRunning)
{
    EXPECT_EQ(PR_PRESS, Code(0, CODE_ONE));
    EXPECT_EQ(PR_DROPPED, Code(100, CODE_ONE));         /* delay until 1100 */
    EXPECT_EQ(PR_PRESS, Code(300, CODE_TWO));
    EXPECT_EQ(PR_DROPPED, Code(400, CODE_TWO));
    EXPECT_EQ(700u, Wait(400)) << "the other button's repeat does not restart the delay";
    EXPECT_EQ(PR_DROPPED, Code(1099, CODE_TWO));
    /* So the other button repeats from the end of the first button's delay. */
    EXPECT_EQ(PR_REPEAT, Code(1100, CODE_TWO));
    /* A button pressed while another repeats runs; its own repeat ends the 300 ms of the
       first and starts a delay of its own. */
    EXPECT_EQ(PR_PRESS, Code(1200, CODE_ONE));
    EXPECT_EQ(100u, Wait(1300)) << "the first button's 300 ms still run";
    EXPECT_EQ(PR_DROPPED, Code(1300, CODE_ONE));
    EXPECT_EQ(1000u, Wait(1300));
    EXPECT_EQ(PR_DROPPED, Code(1600, CODE_ONE)) << "the ended 300 ms forgot nothing";
    EXPECT_EQ(PR_REPEAT, Code(2300, CODE_ONE));
}

INSTANTIATE_TEST_SUITE_P(ClockOrigins, RepeatRuleTest, ::testing::Values(0u, 0xFFFFFFFFu - 1500u));

/* Codes at pseudo-random times, judged by a rule that a timer drives as the tray program's
   does (it comes when the rule's wait says, or later, or a little early by the clock of the
   messages) and by one that only ever sees the codes: both must judge alike, so a late
   timer message changes nothing. */
TEST(RepeatRuleTimer, LateOrEarlyTimersChangeNoVerdict)
{
    static const BYTE abCodes[] = { CODE_UP, CODE_UP, CODE_UP, CODE_UP, CODE_UP, CODE_UP, CODE_UP, CODE_ONE };
    tagREPEATRULE rrTimed, rrUntimed;
    StartRepeatRule(&rrTimed);
    StartRepeatRule(&rrUntimed);
    unsigned uiSeed = 12345;
    auto Next = [&](unsigned uiRange) {
        uiSeed = uiSeed * 1103515245u + 12345u;
        return (uiSeed >> 16) % uiRange;
    };
    DWORD dwNow = 0xFFFFF000u;      /* wraps around half-way */
    size_t acVerdicts[3] = {};
    std::vector<BYTE> vTimed, vUntimed;
    for (int i = 0; i < 4000; i++) {
        DWORD dwCode = dwNow + 1 + Next(Next(4) == 0 ? 1500 : 350);
        for (DWORD dwWait = RepeatRuleWait(&rrTimed, dwNow); dwWait != NO_WAIT;
             dwWait = RepeatRuleWait(&rrTimed, dwNow)) {
            /* The timer message: up to 15 ms early by its clock (never before the last
               message), or up to 200 ms late. */
            DWORD dwDue = dwNow + dwWait;
            DWORD dwEarly = dwWait > 1 ? Next(dwWait < 16 ? dwWait : 16) : 0;
            DWORD dwTimer = Next(3) == 0 ? dwDue - dwEarly : dwDue + Next(200);
            if ((LONG)(dwCode - dwTimer) <= 0)
                break;
            dwNow = dwTimer;
            RepeatRuleClock(&rrTimed, dwNow);
        }
        dwNow = dwCode;
        BYTE bCode = abCodes[Next(8)];
        vTimed.push_back(RepeatRuleCode(&rrTimed, bCode, dwNow));
        vUntimed.push_back(RepeatRuleCode(&rrUntimed, bCode, dwNow));
        acVerdicts[vUntimed.back()]++;
    }
    EXPECT_EQ(vUntimed, vTimed);
    /* The sequence met every verdict often enough to mean something. */
    for (size_t cVerdicts : acVerdicts)
        EXPECT_GT(cVerdicts, 200u);
}

/* ---- registration retries ---- */

/* Tries at each due time from dwFrom on, with these results; the times of the attempts. */
static std::vector<DWORD> Attempts(tagREGISTERRETRY *prt, DWORD dwFrom, const std::vector<int> &results)
{
    std::vector<DWORD> vTimes;
    DWORD dwNow = dwFrom;
    for (int bRegistered : results) {
        DWORD dwWait = RegisterRetryWait(prt, dwNow);
        if (dwWait == NO_WAIT)
            break;
        EXPECT_FALSE(RegisterRetryDue(prt, dwNow + dwWait - 1)) << "due early, at " << dwNow + dwWait - 1;
        dwNow += dwWait;
        EXPECT_TRUE(RegisterRetryDue(prt, dwNow));
        vTimes.push_back(dwNow);
        RegisterRetryResult(prt, bRegistered, dwNow);
    }
    return vTimes;
}

TEST(RegisterRetries, OnceASecondUntilSuccessOrFiveFailures)
{
    tagREGISTERRETRY rt = {};
    EXPECT_EQ(NO_WAIT, RegisterRetryWait(&rt, 0));
    EXPECT_FALSE(RegisterRetryDue(&rt, 0));
    /* Five failures, one a second, then no more. */
    StartRegisterRetries(&rt, 0);
    EXPECT_EQ((std::vector<DWORD>{ 1000, 2000, 3000, 4000, 5000 }), Attempts(&rt, 0, { 0, 0, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(NO_WAIT, RegisterRetryWait(&rt, 5000));
    EXPECT_FALSE(RegisterRetryDue(&rt, 9000));
    /* The next power event counts afresh; the first success ends the retries. */
    StartRegisterRetries(&rt, 10000);
    EXPECT_EQ((std::vector<DWORD>{ 11000, 12000, 13000 }), Attempts(&rt, 10000, { 0, 0, 1, 0 }));
    EXPECT_EQ(NO_WAIT, RegisterRetryWait(&rt, 13000));
    /* A late attempt sets the next one a second after itself. */
    StartRegisterRetries(&rt, 20000);
    RegisterRetryResult(&rt, 0, 21700);
    EXPECT_EQ(1000u, RegisterRetryWait(&rt, 21700));
}

TEST(RegisterRetries, PowerEventWhileTheyRunRestartsThePeriodAndKeepsTheCount)
{
    /* Times around the wrap of the clock. */
    const DWORD dwFirst = 0xFFFFF000u, dwSecond = dwFirst + 1600;
    tagREGISTERRETRY rt = {};
    StartRegisterRetries(&rt, dwFirst);
    EXPECT_EQ((std::vector<DWORD>{ dwFirst + 1000 }), Attempts(&rt, dwFirst, { 0 }));
    StartRegisterRetries(&rt, dwSecond);
    EXPECT_EQ(1000u, RegisterRetryWait(&rt, dwSecond));
    /* Four more failures make five, a second apart from the second event. */
    EXPECT_EQ((std::vector<DWORD>{ dwSecond + 1000, dwSecond + 2000, dwSecond + 3000, dwSecond + 4000 }),
              Attempts(&rt, dwSecond, { 0, 0, 0, 0, 0 }));
    EXPECT_LT(dwSecond + 4000, dwFirst) << "the clock wrapped";
    EXPECT_EQ(NO_WAIT, RegisterRetryWait(&rt, dwSecond + 4000));
}

TEST(RegisterRetries, ResumesStartThemSuspendRequestsDoNot)
{
    EXPECT_TRUE(PowerEventRetries(WM_POWER, PWR_SUSPENDRESUME));
    EXPECT_TRUE(PowerEventRetries(WM_POWER, PWR_CRITICALRESUME));
    EXPECT_FALSE(PowerEventRetries(WM_POWER, PWR_SUSPENDREQUEST));
    EXPECT_TRUE(PowerEventRetries(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND));
    EXPECT_TRUE(PowerEventRetries(WM_POWERBROADCAST, PBT_APMRESUMECRITICAL));
    EXPECT_TRUE(PowerEventRetries(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC));
    EXPECT_FALSE(PowerEventRetries(WM_POWERBROADCAST, PBT_APMSUSPEND));
    EXPECT_FALSE(PowerEventRetries(WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE));
    EXPECT_FALSE(PowerEventRetries(WM_USER, PWR_SUSPENDRESUME));
}
