/*
 * Brenvik_internal.h - what the modules of Brenvik.dll share inside the library: the
 * button model's records and editing state, the resource readers, and each module's
 * routines under its own heading (zendrares32 resources, but32 model, rem32 picture of the
 * remote, mode32 function editor and its family dialogs, whats32 what's-this window, size32
 * position capture).
 */
#ifndef ORVANE_BRENVIK_INTERNAL_H
#define ORVANE_BRENVIK_INTERNAL_H

#include <windows.h>

extern HINSTANCE hInstance;   /* this library's module, recorded by DllEntryPoint */

/* Variables that every process loading Brenvik sees alike. Keep them plain and
   constant-initialised: the section is reset when the last process unloads the library. */
#define SHARED_SECTION __attribute__((section(".shared"), shared))

/* ---- zendrares32: resource access ----------------------------------------------------
   Each reader comes in two members: the plain one finds the table in this library's own
   instance, the ...ZendraRes one goes through the GetRCDataZendraRes export. */

/* A zero-filled local-heap copy of a string, for the caller to free with LocalFree. */
LPSTR CopyToLocal(LPCSTR lpszText);

BYTE  CompareStringsRC(LPCSTR lpszText, UINT uID_RCDATA);
BYTE  CompareStringsRCZendraRes(LPCSTR lpszText, UINT uID_RCDATA);
LPSTR FunctionNameRC(UINT uID_RCDATA, BYTE bPosition);
LPSTR FunctionNameRCZendraRes(UINT uID_RCDATA, BYTE bPosition);
void  FillComboBoxRC(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect);
void  FillComboBoxRCZendraRes(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect);
void  FillComboBox(HWND hComboBox, LPCSTR lpszList, LPCSTR lpszSelect);

/* ---- but32: the button model ---------------------------------------------------------- */

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
enum { PC = 0, WEB = 1, PHONE = 2, DVD = 3, CD = 4, MODES = 5 };

/* Button kinds: which list of a mode a record belongs to. */
enum { BT_DEFAULT = 0, BT_SHIFT = 1, BT_SPECIAL = 2, BT_NOMODE = 3 };

#define MAIN_BUTTONS     17      /* records of a default or shift list */
#define SPECIAL_BUTTONS  7       /* six transport buttons and the mode button */
#define NOMODE_BUTTONS   2
#define COMMAND_SIZE     513     /* a stored command and its terminator, plus one */
#define COMMAND_LIMIT    512     /* longest command the model reads or composes, with NUL */
#define MODE_KEY_SIZE    20      /* a mode's key name under "Mode", with NUL */

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
   command wins); ConvertButtonToCommand and SaveButtonData write it back while it is set.
   GenerateButtonFunctions gives such a button no holder; the function editor's OK with no
   function chosen (CopyButtonData with -1) drops the kept command, as confirmed.
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

extern tagBUTTONTYPEINFO btiButton;
extern tagBUTTONINFO *pbiButton;          /* the button being edited or examined */
/* Editing state shared with the hooks' processes (shared section). */
extern tagBUTTONINFO *pbiHolder;          /* one holder per function type, in type order */
extern int  fCurrentFunction;             /* type chosen in the function editor, or -1 */
extern BYTE bEmpty;                       /* bit (1 << type): that holder is not the button's */

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
   record is not changed (the quotes of an edit text are doubled in the command only). */
int   ConvertButtonToCommand(tagBUTTONINFO *pbiButton, LPSTR lpszCommand);
/* Doubles the quotes of pszExtra1 in the record (ConvertButtonToCommand does not call it). */
void  PadQuotes(tagBUTTONINFO *pbiButton);
void  AssignButtonInfo(tagBUTTONINFO *pbiButton, int fFunction, LPCSTR lpszPrimary,
                       LPCSTR lpszExtra1, LPCSTR lpszExtra2);
void  AssignButtonString(LPSTR *ppszField, LPCSTR lpszText);
void  FreeButtonFunctions(tagBUTTONINFO **ppbiList);
void  GenerateButtonFunctions(tagBUTTONINFO **ppbiHolder);
void  SetButtonFlag(BYTE *pbFlags, int fFunction);
void  CopyButtonData(tagBUTTONINFO **ppbiDest, tagBUTTONINFO *pbiHolder, int fFunction);
/* The field becomes the control's text, "" (not null) when the control is empty. */
void  DlgItemToString(HWND hDlg, int iControl, LPSTR *ppszField);
void  GetFileName(HWND hDlg);
void  GetSizeAndPosition(HWND hDlg);     /* comes with the position-capture dialog */
void  GetMCIDevices(HWND hComboBox, LPCSTR lpszSelect);

#endif /* ORVANE_BRENVIK_INTERNAL_H */
