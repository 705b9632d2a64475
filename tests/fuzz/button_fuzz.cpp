/*
 * button_fuzz.cpp - the button model under coverage-guided fuzzing: a stored command (any
 * registry string) read into a record and stored again, as a configuration run does.
 * - Nobody opens the button: the record gives the command back byte for byte; one too long
 *   for the model is kept whole.
 * - The person opens the button's family and confirms it unchanged: the editor's OK stores
 *   the fields alone. When they make a command (a record whose fields make none shows no
 *   family; one too long to store leaves the stored command as it was), the engine must
 *   read the same items (keywords and arguments) from it as from the command stored
 *   before: only the form may change (letter case, a missing closing quote).
 */
#include <stdint.h>
#include <string.h>
#include "Brenvik_internal.h"
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

    if (bi.fFunction != NO_FUNCTION) {
        tagBUTTONINFO biConfirmed = {};
        AssignButtonInfo(&biConfirmed, bi.fFunction, bi.pszPrimary, bi.pszExtra1, bi.pszExtra2);
        if (ConvertButtonToCommand(&biConfirmed, szCommand) == 1)
            EXPECT_INVARIANT(ReadEngineItems(szCommand) == ReadEngineItems(strStored),
                             "the engine reads a button confirmed unchanged as before", strStored);
        AssignButtonInfo(&biConfirmed, NO_FUNCTION, NULL, NULL, NULL);
    }
    AssignButtonInfo(&bi, NO_FUNCTION, NULL, NULL, NULL);
    return 0;
}
