/*
 * message_fuzz.cpp - the message-list reader and the "View Messages" dialog's texts under
 * coverage-guided fuzzing. The input is read as a stored sequence, as a typed entry and
 * (its first bytes) as a recorded message:
 * - the reader moves forward through any text and stays inside it;
 * - a stored sequence opened in the dialog shows entries the dialog itself accepts, and OK
 *   stores groups that the engine sends as the same messages (message number and wparam
 *   as 16-bit values, as the dialog shows them);
 * - a typed entry that the dialog accepts, stored and opened again, reads the same;
 * - a recorded message taken into the sequence is stored as that message, or refused as
 *   too wide when its number or wparam would not be sent as recorded.
 */
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include "BrenvikRes.h"
#include "mode32_message.h"
#include "msglist.h"
#include "fuzz_support.h"

struct tagGROUP {
    DWORD adwField[3];
    bool operator==(const tagGROUP &other) const { return memcmp(adwField, other.adwField, sizeof(adwField)) == 0; }
};

/* A group as the engine sends it: message number and wparam cut to 16 bits. */
static tagGROUP AsSent(const tagGROUP &g)
{
    return { { LOWORD(g.adwField[0]), LOWORD(g.adwField[1]), g.adwField[2] } };
}

/* The groups of a text as the reader gives them, up to iMost. */
static std::vector<tagGROUP> ReadGroups(const std::string &strList, size_t iMost)
{
    std::vector<tagGROUP> groups;
    LPCSTR lpszStart = strList.c_str(), lpszEnd = lpszStart + strList.size();
    LPCSTR lpszNext = lpszStart;
    tagGROUP g;
    while (groups.size() < iMost && (lpszNext = ReadMessageGroup(lpszNext, g.adwField)) != NULL) {
        EXPECT_INVARIANT(lpszNext > lpszStart && lpszNext <= lpszEnd && groups.size() < strList.size(),
                         "the reader moves forward inside the list", strList);
        groups.push_back(g);
    }
    return groups;
}

/* What OK stores for an entry of the sequence list; the entry must be one the dialog
   accepts when typed. */
static std::string StoredGroup(LPCSTR lpszEntry, const std::string &strInput)
{
    char szMessage[MESSAGE_NAME_SIZE], szWParam[MESSAGE_PARAM_SIZE], szLParam[MESSAGE_PARAM_SIZE];
    SplitSequenceEntry(lpszEntry, szMessage, szWParam, szLParam);
    char szGroup[MESSAGE_GROUP_SIZE];
    EXPECT_INVARIANT(CheckMessageFields(szMessage, szWParam, szLParam) == 0 && EncodeMessage(lpszEntry, szGroup),
                     "an entry the dialog shows is one it accepts", strInput + " -> " + lpszEntry);
    return szGroup;
}

/* The stored groups opened in the dialog (which shows each as it is sent) and stored
   again by OK. */
static std::string OpenAndConfirm(const std::vector<tagGROUP> &groups, const std::string &strInput)
{
    std::string strStored;
    char szEntry[MESSAGE_ENTRY_SIZE];
    for (const tagGROUP &g : groups) {
        tagGROUP sent = AsSent(g);
        FormatSequenceEntry(sent.adwField[0], sent.adwField[1], sent.adwField[2], szEntry);
        strStored += StoredGroup(szEntry, strInput);
    }
    return strStored;
}

static void CheckStoredSequence(const std::string &strList)
{
    std::vector<tagGROUP> groups = ReadGroups(strList, (size_t)-1);
    if (groups.size() > MESSAGE_GROUPS)
        groups.resize(MESSAGE_GROUPS);
    std::vector<tagGROUP> sent;
    for (const tagGROUP &g : groups)
        sent.push_back(AsSent(g));
    EXPECT_INVARIANT(ReadGroups(OpenAndConfirm(groups, strList), MESSAGE_GROUPS + 1) == sent,
                     "a sequence confirmed unchanged posts the same messages", strList);
}

static void CheckTypedEntry(const std::string &strEntry)
{
    char szMessage[MESSAGE_NAME_SIZE], szWParam[MESSAGE_PARAM_SIZE], szLParam[MESSAGE_PARAM_SIZE];
    SplitSequenceEntry(strEntry.c_str(), szMessage, szWParam, szLParam);
    if (CheckMessageFields(szMessage, szWParam, szLParam) != 0)
        return;
    std::vector<tagGROUP> typed = ReadGroups(StoredGroup(strEntry.c_str(), strEntry), 2);
    EXPECT_INVARIANT(typed.size() == 1 && ReadGroups(OpenAndConfirm(typed, strEntry), 2) == typed,
                     "a typed entry stored and opened again reads the same", strEntry);
}

static void CheckRecordedMessage(const uint8_t *pbData)
{
    MSG msg = {};
    DWORD adwField[3];
    memcpy(adwField, pbData, sizeof(adwField));
    msg.message = adwField[0];
    msg.wParam = adwField[1];
    msg.lParam = (LPARAM)(LONG)adwField[2];
    char szEntry[MESSAGE_ENTRY_SIZE];
    FormatTraceEntry(&msg, szEntry);
    /* Choosing the trace entry puts its fields into the dialog; Add makes the entry. */
    char szMessage[MESSAGE_NAME_SIZE], szWParam[MESSAGE_PARAM_SIZE], szLParam[MESSAGE_PARAM_SIZE];
    SplitTraceEntry(szEntry, szMessage, szWParam, szLParam);
    UINT uiRefusal = CheckMessageFields(szMessage, szWParam, szLParam);
    bool bSentAsRecorded = adwField[0] <= 0xFFFF && adwField[1] <= 0xFFFF;
    EXPECT_INVARIANT(uiRefusal == (bSentAsRecorded ? 0 : IDS_MSG_TOO_WIDE),
                     "a recorded message's fields are accepted, or refused as too wide", szEntry);
    if (uiRefusal != 0)
        return;
    char szAdded[MESSAGE_ENTRY_SIZE];
    snprintf(szAdded, sizeof(szAdded), "%s %s %s", szMessage, szWParam, szLParam);
    tagGROUP recorded = { { adwField[0], adwField[1], adwField[2] } };
    EXPECT_INVARIANT(ReadGroups(StoredGroup(szAdded, szEntry), 2) == std::vector<tagGROUP>{ recorded },
                     "a recorded message is stored as that message", szEntry);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pbData, size_t cbData)
{
    std::string strText((const char *)pbData, strnlen((const char *)pbData, cbData));
    CheckStoredSequence(strText);
    CheckTypedEntry(strText);
    if (cbData >= 3 * sizeof(DWORD))
        CheckRecordedMessage(pbData);
    return 0;
}
