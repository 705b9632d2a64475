/*
 * button_fuzz.cpp - the button model under coverage-guided fuzzing: a stored command (any
 * registry string) read into a record and stored again, as a configuration run does.
 * - Nobody opens the button, or the editor's OK comes without a confirmed family dialog,
 *   or a family dialog is confirmed with the fields it was given: the record gives the
 *   command back byte for byte (the editor keeps the stored text then); one too long for
 *   the model is kept whole.
 * - What the family dialog shows is what the button runs: the fields alone, as the dialog
 *   stores them once the person changes any of them, make a command from which the engine
 *   reads the same items (keywords and arguments) as from the stored one; only the form
 *   may differ (letter case, a missing closing quote, LAUNCH for LAUNCHSIZE, an empty last
 *   field of a launch or a track, which the engine's readers take as none). A record whose
 *   fields make no command shows no family; one too long to store leaves the stored
 *   command as it was.
 */
#include <stdint.h>
#include <string.h>
#include "but32.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pbData, size_t cbData)
{
    /* A registry string ends at its first NUL. */
    std::string strStored((const char *)pbData, strnlen((const char *)pbData, cbData));
    tagBUTTONINFO bi = {};
    ConvertCommandToButton(&bi, strStored.c_str());

    char szCommand[COMMAND_SIZE];
    if (strStored.size() >= COMMAND_LIMIT)
        EXPECT_INVARIANT(ConvertButtonToCommand(&bi, szCommand) == COMMAND_TOO_LONG && bi.pszStored != NULL
                         && strStored == bi.pszStored,
                         "a command too long for the model is kept whole", strStored);
    else
        EXPECT_INVARIANT(ConvertButtonToCommand(&bi, szCommand) >= 0 && strStored == szCommand,
                         "a button nobody edits gives its command back byte for byte", strStored);

    if (bi.fFunction != NO_FUNCTION && ComposeCommand(&bi, szCommand) == 1)
        EXPECT_INVARIANT(ReadEngineActions(szCommand) == ReadEngineActions(strStored),
                         "the fields a family dialog shows make the command the button runs", strStored);
    AssignButtonInfo(&bi, NO_FUNCTION, NULL, NULL, NULL);
    return 0;
}
