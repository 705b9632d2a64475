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

/* One button. Strings are owned by the record; null means empty, "" is never stored. */
struct tagBUTTONINFO {
    int   fFunction;             /* function type, NO_FUNCTION for none */
    LPSTR pszPrimary;
    LPSTR pszExtra1;
    LPSTR pszExtra2;
    tagBUTTONINFO *pbiNext;      /* next and previous record of the same list */
    tagBUTTONINFO *pbiLast;
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
void  GetFunctionFromCommand(tagBUTTONINFO *pbiButton, LPSTR lpszTemplate);
int   ConvertButtonToCommand(tagBUTTONINFO *pbiButton, LPSTR lpszCommand);
void  PadQuotes(tagBUTTONINFO *pbiButton);
void  AssignButtonInfo(tagBUTTONINFO *pbiButton, int fFunction, LPCSTR lpszPrimary,
                       LPCSTR lpszExtra1, LPCSTR lpszExtra2);
void  AssignButtonString(LPSTR *ppszField, LPCSTR lpszText);
void  FreeButtonFunctions(tagBUTTONINFO **ppbiList);
void  GenerateButtonFunctions(tagBUTTONINFO **ppbiHolder);
void  SetButtonFlag(BYTE *pbFlags, int fFunction);
void  CopyButtonData(tagBUTTONINFO **ppbiDest, tagBUTTONINFO *pbiHolder, int fFunction);
void  DlgItemToString(HWND hDlg, int iControl, LPSTR *ppszField);
void  GetFileName(HWND hDlg);
void  GetSizeAndPosition(HWND hDlg);
void  GetMCIDevices(HWND hComboBox, LPCSTR lpszSelect);

#endif /* ORVANE_BRENVIK_INTERNAL_H */
