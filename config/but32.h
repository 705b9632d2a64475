/*
 * but32.h - the button model (but32.cpp, but32_command.cpp): the records of every
 * assignment, their conversion to and from a stored command, the function editor's
 * holders, and the services the editors share.
 */
#ifndef ORVANE_BUT32_H
#define ORVANE_BUT32_H

#include <windows.h>
#include "OrvaneStore.h"

/* Function types; a stored command carries its type only through its keyword. */
enum {
    NO_FUNCTION   = -1,
    APPLAUNCH     = 0,
    WEBBROWSER    = 1,
    MULTIMEDIA    = 2,
    EDIT          = 3,
    SYSTEM        = 4,
    MESSAGE       = 5,
    ZENDRACOMMAND = 6,
    FUNCTION_TYPES = 7
};

/* Function modes, as the engine numbers them. */
enum { PC = 0, WEB = 1, PHONE = 2, DVD = 3, CD = 4, MODES = STORE_MODES };

/* Button kinds: which list of a mode a record belongs to. */
enum { BT_DEFAULT = 0, BT_SHIFT = 1, BT_SPECIAL = 2, BT_NOMODE = 3 };

/* The model's lists and buffers, in the store's numbers (OrvaneStore.h). */
#define MAIN_BUTTONS     BUTTON_MAIN_COUNT           /* records of a default or shift list */
#define SPECIAL_BUTTONS  (BUTTON_SPECIAL_COUNT + 1)  /* transport buttons and the mode button */
#define NOMODE_BUTTONS   BUTTON_NOMODE_COUNT
#define COMMAND_SIZE     (STORED_COMMAND_SIZE + 1)   /* a stored command, plus one */
#define COMMAND_LIMIT    STORED_COMMAND_SIZE         /* longest command read or composed */

/* ConvertButtonToCommand: the fields would give a command longer than COMMAND_LIMIT. The
   buffer is left empty and SaveButtonData leaves the stored value as it was. */
#define COMMAND_TOO_LONG (-1)

/* One button. Strings are owned by the record; null means empty (treat "" the same).
   A fresh record is all zero: type APPLAUNCH without a program, i.e. not assigned.

   pszStored keeps the command exactly as the registry held it whenever the fields cannot
   give that text back (composing them would store something else), so a button nobody
   edits is written back byte for byte. Two cases:
   - no template list recognises the command, or it is too long to convert: fFunction is
     NO_FUNCTION and the three strings are null. The button IS assigned (show it marked),
     but to something the editors cannot show or edit;
   - the command is recognised but not in the form the model composes (other letter case,
     a missing closing quote, stray separators): type and strings are filled as usual.
   AssignButtonInfo, CopyButtonData and ConvertCommandToButton replace it (an edit or a new
   command wins; CopyButtonData keeps it when the holder gives the fields back unchanged);
   ConvertButtonToCommand and SaveButtonData write it back while it is set.
   GenerateButtonFunctions gives such a button no holder; the function editor copies a
   holder only after a family dialog was confirmed, so OK alone keeps the command.
   A button is assigned when pszStored is set, or its type is 0 to 6 with a primary text
   (for MULTIMEDIA: a primary or an extra 1, the volume functions have no device). */
struct tagBUTTONINFO {
    int   fFunction;             /* function type, NO_FUNCTION for none */
    LPSTR pszPrimary;
    LPSTR pszExtra1;
    LPSTR pszExtra2;
    tagBUTTONINFO *pbiNext;      /* next and previous record of the same list */
    tagBUTTONINFO *pbiLast;
    LPSTR pszStored;             /* the stored command kept as read, or null (see above) */
    LPSTR pszLoaded;             /* the command as the run read it (null: empty); saving
                                    writes only a button whose command now differs */
};

/* The buttons of one mode. */
struct tagBUTTONSET {
    tagBUTTONINFO *pbiDefault;   /* 17 unshifted buttons */
    tagBUTTONINFO *pbiShift;     /* 17 shifted buttons */
    tagBUTTONINFO *pbiSpecial;   /* 6 transport buttons and the mode button */
};

/* The whole remote. */
struct tagREMOTE {
    tagBUTTONSET  *pbsMode[MODES];
    tagBUTTONINFO *pbiNoMode;    /* the 2 buttons that do not depend on the mode */
};

/* Which picture button the what's-this window explains. */
struct tagBUTTONTYPEINFO {
    BYTE bIndex;                 /* position of the record in its list */
    BYTE bIDButton;              /* position of the button in the picture's button table */
    int  rmMode;
    int  btType;
};

void  CreateButtonList(tagREMOTE **pprRemote);
void  DestroyButtonList(tagREMOTE **pprRemote);
void  CreateButtonMemory(tagBUTTONINFO **ppbiList, BYTE bCount);
void  LoadButtonData(tagBUTTONINFO *pbiList, int rmMode, int btType);
void  SaveButtonData(tagBUTTONINFO *pbiList, int rmMode, int btType);
int   GetButtonCommand(LPSTR lpszCommand, BYTE bScanCode, int rmMode);
int   WriteButtonCommand(LPCSTR lpszCommand, BYTE bScanCode, int rmMode);
void  GetButton(tagBUTTONINFO **ppbiResult, tagREMOTE *prRemote, int rmMode, int btType, BYTE bPosition);
void  ConvertCommandToButton(tagBUTTONINFO *pbiButton, LPCSTR lpszCommand);
/* lpszTemplate: a COMMAND_SIZE buffer (a function name may be longer than its template). */
void  GetFunctionFromCommand(tagBUTTONINFO *pbiButton, LPSTR lpszTemplate);
/* 1 built, 0 nothing to store (buffer empty), COMMAND_TOO_LONG (buffer empty). Pure: the
   record is not changed (the quotes of every argument are doubled in the command only). */
int   ConvertButtonToCommand(tagBUTTONINFO *pbiButton, LPSTR lpszCommand);
/* The command the fields alone make, whatever command the record keeps; results as above. */
int   ComposeCommand(const tagBUTTONINFO *pbiButton, LPSTR lpszCommand);
/* Whether a record's string holds text (null and "" both count as empty). */
BOOL  HasText(LPCSTR lpszText);
/* The type whose templates use the first keyword of the command that any of them uses
   (preferring a template of that keyword alone), NO_FUNCTION when none does: how the
   what's-this window heads a command the editors cannot show. */
int   NearestFamily(LPCSTR lpszCommand);
/* Doubles the quotes of pszExtra1 in the record (ConvertButtonToCommand does not call it). */
void  PadQuotes(tagBUTTONINFO *pbiButton);
void  AssignButtonInfo(tagBUTTONINFO *pbiButton, int fFunction, LPCSTR lpszPrimary,
                       LPCSTR lpszExtra1, LPCSTR lpszExtra2);
void  AssignButtonString(LPSTR *ppszField, LPCSTR lpszText);
void  FreeButtonFunctions(tagBUTTONINFO **ppbiList);
/* The holders (made when missing) refreshed from the button: the holder of its own type
   takes its data; *pbEmpty gets the bit of every other holder. */
void  GenerateButtonFunctions(tagBUTTONINFO **ppbiHolder, const tagBUTTONINFO *pbiButton, BYTE *pbEmpty);
void  SetButtonFlag(BYTE *pbFlags, int fFunction);
void  CopyButtonData(tagBUTTONINFO **ppbiDest, tagBUTTONINFO *pbiHolder, int fFunction);
/* The field becomes the control's text, "" (not null) when the control is empty. */
void  DlgItemToString(HWND hDlg, int iControl, LPSTR *ppszField);
/* The common file dialog for a program file (*.exe), titled lpszTitle; TRUE with the
   chosen path in lpszFile (cchFile bytes), FALSE when the user cancels. */
BOOL  ChooseProgramFile(HWND hOwner, LPCSTR lpszTitle, LPSTR lpszFile, DWORD cchFile);
void  GetFileName(HWND hDlg);
void  GetMCIDevices(HWND hComboBox, LPCSTR lpszSelect);

#endif /* ORVANE_BUT32_H */
