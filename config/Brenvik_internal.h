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
#include "HelpTopics.h"
#include "OrvaneStore.h"

extern HINSTANCE hInstance;   /* this library's module, recorded by DllEntryPoint */

/* Variables that every process loading Brenvik sees alike. Keep them plain and
   constant-initialised: the section is reset when the last process unloads the library. */
#define SHARED_SECTION __attribute__((section(".shared"), shared))

/* ---- zendrares32: resource access ----------------------------------------------------
   Each reader comes in two members: the plain one finds the table in this library's own
   instance, the ...ZendraRes one goes through the GetRCDataZendraRes export. */

/* A zero-filled local-heap copy of a string, for the caller to free with LocalFree. */
LPSTR CopyToLocal(LPCSTR lpszText);
/* A locked RCDATA table: the loaded handle, to release, and its first byte. OpenTable finds
   it in this instance, or through GetRCDataZendraRes when bThroughExport is set. */
struct tagRCTABLE {
    HGLOBAL hData;
    LPCSTR  lpszFirst;
};
BOOL   OpenTable(UINT uID_RCDATA, BOOL bThroughExport, tagRCTABLE *prc);
void   CloseTable(tagRCTABLE *prc);
LPCSTR NextEntry(LPCSTR lpszEntry);     /* the entry after this one of a string list */

BYTE  CompareStringsRC(LPCSTR lpszText, UINT uID_RCDATA);
BYTE  CompareStringsRCZendraRes(LPCSTR lpszText, UINT uID_RCDATA);
LPSTR FunctionNameRC(UINT uID_RCDATA, BYTE bPosition);
LPSTR FunctionNameRCZendraRes(UINT uID_RCDATA, BYTE bPosition);
void  FillComboBoxRC(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect);
void  FillComboBoxRCZendraRes(HWND hComboBox, UINT uID_RCDATA, LPCSTR lpszSelect);
void  FillComboBox(HWND hComboBox, LPCSTR lpszList, LPCSTR lpszSelect);
/* A string list and a 16-bit value list that belong together by position, read through
   GetRCDataZendraRes (so they also serve the hooks inside other processes). The walk calls
   pfnEntry for each entry until it returns TRUE, and then returns TRUE. The lookups give
   the value of a name (bIgnoreCase: compared without case) or the first name of a value
   (cut to cchName); FALSE, with 0 or "", when there is none. */
typedef BOOL (*PAIREDENTRYPROC)(LPCSTR lpszName, WORD wValue, void *pContext);
BOOL  ForEachPairedEntry(UINT uNames, UINT uValues, PAIREDENTRYPROC pfnEntry, void *pContext);
BOOL  PairedValueOfName(UINT uNames, UINT uValues, LPCSTR lpszName, BOOL bIgnoreCase, WORD *pwValue);
BOOL  PairedNameOfValue(UINT uNames, UINT uValues, WORD wValue, LPSTR lpszName, int cchName);

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

extern tagBUTTONTYPEINFO btiButton;
extern tagBUTTONINFO *pbiButton;          /* the button being edited or examined */
/* The function editor's state, in this process only. */
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
void  GenerateButtonFunctions(tagBUTTONINFO **ppbiHolder);
void  SetButtonFlag(BYTE *pbFlags, int fFunction);
void  CopyButtonData(tagBUTTONINFO **ppbiDest, tagBUTTONINFO *pbiHolder, int fFunction);
/* The field becomes the control's text, "" (not null) when the control is empty. */
void  DlgItemToString(HWND hDlg, int iControl, LPSTR *ppszField);
/* The common file dialog for a program file (*.exe), titled lpszTitle; TRUE with the
   chosen path in lpszFile (cchFile bytes), FALSE when the user cancels. */
BOOL  ChooseProgramFile(HWND hOwner, LPCSTR lpszTitle, LPSTR lpszFile, DWORD cchFile);
void  GetFileName(HWND hDlg);
void  GetSizeAndPosition(HWND hDlg);     /* comes with the position-capture dialog */
void  GetMCIDevices(HWND hComboBox, LPCSTR lpszSelect);

/* ---- mode32_hotkey: the hot-key dialog and the forms of a hot key ----------------------
   A hot-key value holds 0xFF in bits 31-24 for Alt, 23-16 for Ctrl, 15-8 for Shift, and
   the key code in bits 7-0; a following key code travels beside it. The code stored with
   the button is "A" or "-", "C" or "-", "S" or "-", the key code byte and the following
   key code byte, ending early at a missing key. Key codes are those of the key table
   (IDR_HOTKEY_NAMES and IDR_HOTKEY_CODES), which the engine turns into virtual keys. */

#define HOTKEY_CODE_SIZE    6       /* five characters and the terminator */
#define HOTKEY_NAME_SIZE    16      /* longest key name and the terminator */
#define HOTKEY_TEXT_SIZE    48      /* "ALT-CTRL-SHIFT-" + name + ", " + name */

/* The modifiers by position in the code: letter, byte of the value, check box, text. */
struct tagHOTKEYMODIFIER {
    char   chLetter;
    DWORD  dwMask;
    int    idCheckBox;
    LPCSTR lpszText;
};
#define HOTKEY_MODIFIERS    3
extern const tagHOTKEYMODIFIER hotKeyModifiers[HOTKEY_MODIFIERS];

/* The hot key being edited by the System dialog. */
extern LONG lHotKeyCode;
extern BYTE bExtraChar;

/* Hot Key dialog (template 458): edits lHotKeyCode and bExtraChar; ends with 1. */
INT_PTR CALLBACK HotKeyDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);

/* Conversions, touching no window. A key name and its code (0 and "" for none); a value
   and its code (lpszCode: HOTKEY_CODE_SIZE bytes); a code's value (FALSE, nothing set,
   for an empty code; a blank following key counts as none) and its text. */
BYTE  StringToCode(LPCSTR lpszName);
void  CodeToString(BYTE bCode, LPSTR lpszName);
void  HotKeyValueToCode(LONG lValue, BYTE bFollowing, LPSTR lpszCode);
BOOL  HotKeyCodeToValue(LPCSTR lpszCode, LONG *plValue, BYTE *pbFollowing);
void  HotKeyCodeToText(LPCSTR lpszCode, LPSTR lpszText, int cchText);

/* In a dialog: the text of a value into a control and its code into control 454;
   lHotKeyCode and bExtraChar from the code in control 454 (no hot key for an empty
   code); the text of a code into a control (bFlag 1: as it is, else with "&" doubled;
   empty for an empty code). */
void  SetHotKeyText(HWND hDlg, int iControl, LONG lValue, BYTE bFollowing);
void  SetHotKeyLong(HWND hDlg);
void  ShowHotKeyType(HWND hDlg, int iControl, LPCSTR lpszCode, int bFlag);

/* The Hot Key dialog's controls from a value: check boxes and lists (no selection for a
   code without an item); check boxes alone; lists alone (position 0 for a code without an
   item). The position of a code in a key list, 0xFFFF when none. */
void  SetSelection(HWND hDlg, LONG lValue, BYTE bFollowing);
void  ShowCheckBoxSelection(HWND hDlg, LONG lValue);
void  ShowKeyText(HWND hDlg, LONG lValue, BYTE bFollowing);
int   FindItemIndex(HWND hDlg, int iList, BYTE bCode);

/* ---- mode32_message: the window-message recorder ----------------------------------------
   A sequence is up to six groups "[message:wparam:lparam]" in hexadecimal. Its entries in
   the sequence list read "message wparam lparam"; those of the trace list
   "NAME [wparam] [lparam]" or "number: <Undefined> [wparam] [lparam]". */

#define MESSAGE_GROUPS      6       /* groups of a sequence */
#define TRACE_ENTRIES       100     /* entries the trace list keeps */
#define MESSAGE_NAME_SIZE   32      /* a message name or typed number, and its terminator */
#define MESSAGE_PARAM_SIZE  9       /* eight hexadecimal digits and the terminator */
#define MESSAGE_ENTRY_SIZE  64      /* an entry of either list */
#define MESSAGE_GROUP_SIZE  64      /* one encoded group */
#define MESSAGE_TITLE_SIZE  256     /* a window title in the application list */

/* A message's number by its name (without case), and the name of a number; FALSE, with 0
   or "", when the list has none. */
BOOL  GetWinMessageValue(LPCSTR lpszName, DWORD *pdwValue);
BOOL  GetMessageName(DWORD dwMessage, LPSTR lpszName, int cchName);

/* Texts, touching no window. CheckMessageFields: 0 when the fields make an entry, else
   the string id of why not (a name or number it cannot read; a message number or wparam
   wider than the 16 bits the engine posts). The fields of a sequence entry (cut to MESSAGE_NAME_SIZE and
   MESSAGE_PARAM_SIZE). The group of an entry (MESSAGE_GROUP_SIZE bytes): a name becomes
   its number, a number stays as it is; FALSE for a name the list does not know. The
   entry of a stored group and of a recorded message (MESSAGE_ENTRY_SIZE bytes). The
   fields of a trace entry: the name, or the number of an "<Undefined>" one. */
UINT  CheckMessageFields(LPCSTR lpszMessage, LPCSTR lpszWParam, LPCSTR lpszLParam);
void  SplitSequenceEntry(LPCSTR lpszEntry, LPSTR lpszMessage, LPSTR lpszWParam, LPSTR lpszLParam);
BOOL  EncodeMessage(LPCSTR lpszEntry, LPSTR lpszGroup);
void  FormatSequenceEntry(DWORD dwMessage, DWORD dwWParam, DWORD dwLParam, LPSTR lpszEntry);
void  FormatTraceEntry(const MSG *pMsg, LPSTR lpszEntry);
void  SplitTraceEntry(LPCSTR lpszEntry, LPSTR lpszMessage, LPSTR lpszWParam, LPSTR lpszLParam);

/* In the dialog: the first six groups of a sequence into the sequence list (returns how
   many); all entries as one heap sequence (null when empty, or when an entry is refused,
   then with *pbRefused set); the selected entries deleted; a trace entry into the current
   message fields; a heap copy of the hidden sequence field (null when empty). */
int   AddMessagesToListBox(HWND hDlg, int iList, LPCSTR lpszSequence);
LPSTR CreateEncodedMessage(HWND hDlg, int iList, BOOL *pbRefused);
void  DeleteListBoxItem(HWND hDlg, int iList);
void  PutMessage(HWND hDlg, LPCSTR lpszEntry);
LPSTR GetEncodedString(HWND hDlg);

/* The application list: the titles of the visible, captioned, titled top-level windows
   without owner, each with its window as item data; *pphList the enumerated windows. */
void  InitialiseApplicationList(HWND hDlg, int iList, HWND **pphList);
BOOL CALLBACK EnumTaskWindowProc2(HWND hWnd, LPARAM lParam);

/* Recording: adds a message of the chosen application to the trace list of the dialog,
   from whatever process retrieved it; 1 when it was added. */
int   AddTraceMsg(HWND hDlg, int iList, MSG msg);

/* A hook library is loaded only into programs of its own kind, 32-bit or 64-bit. The note
   the recorder shows for a program (bRecorderWow64, bProgramWow64: the recorder or the
   program runs as a 32-bit program on 64-bit Windows): 0 when it can be recorded, else
   the string id of the note. ShowRecorderNote puts a note in place of the trace list, or
   the trace list back for 0. */
UINT  RecorderNote(BOOL bRecorderWow64, BOOL bProgramWow64);
void  ShowRecorderNote(HWND hDlg, UINT uiNote);

/* ---- rem32: the picture of the remote ----------------------------------------------- */

/* The picture holds three panels side by side: the remote as shown, its highlighted look
   and its look for an assigned button. Button rectangles are panel-1 coordinates. */
#define PANEL_WIDTH        157
#define PANEL_HIGHLIGHT    157      /* x of panel 2 */
#define PANEL_ASSIGNED     315      /* x of panel 3 */
#define MARK_SIZE          16       /* type mark beside an assigned button */

/* Picture buttons (0-based table indexes; hit testing reports them 1-based). */
#define PICTURE_BUTTONS    38
#define FIRST_TRANSPORT    17       /* Play .. Pause: special positions 0 to 5 */
#define FIRST_NOMODE       23       /* the two mode-independent buttons */
#define SHIFT_BUTTON       25
#define FIRST_MODE_BUTTON  26       /* PC .. CD: special position 6 of that mode */
#define MARKED_BUTTONS     31       /* buttons 0 to 30 can carry a function */
#define FIRST_HELP_AREA    31
#define HELP_AREAS         7

/* Display of assigned buttons (bDisplayMode) and the picture dialog's menu commands. */
enum { DISPLAY_COLOR = 0, DISPLAY_ICON = 1, DISPLAY_OFF = 2 };
#define IDM_WHATSTHIS      100
#define IDM_COLOR          101      /* IDM_COLOR + display mode */
#define IDM_ICON           102
#define IDM_OFF            103

extern const RECT  rButtons[PICTURE_BUTTONS + 1];   /* ended by an all-zero entry */
extern const POINT pIcons[PICTURE_BUTTONS];
extern const UINT  uiHelp[HELP_AREAS];

/* The button under a picture point (x low, y high word, signed): 1-based index into
   *pbIndex, 0 for none; when found its rectangle into *lprRect. Edges belong to it. */
void  GetButtonIndex(RECT *lprRect, LPARAM lPoint, BYTE *pbIndex);
/* Which record picture button iIndex (0-based) edits while mode rmShown and the shift
   state are shown: list kind, position and mode into *pbti (bIDButton = iIndex). FALSE
   for the shift button and the help areas, which have no record. */
BOOL  LocatePictureButton(int iIndex, int rmShown, BOOL bShift, tagBUTTONTYPEINFO *pbti);
/* Window rectangle and scroll page of the picture dialog for a picture of szBitmap on a
   screen of szScreen (full-screen client size). */
void  GetPicturePlacement(SIZE szBitmap, SIZE szScreen, int cxScroll, int cyFrame, int cyCaption,
                          RECT *lprWindow, int *piPage);
/* The scroll offset after scroll-bar request iCode (SB_xxx) from iPos, clamped to the
   picture. */
int   ScrollPicture(int iPos, int iCode, int iThumb, int cyBitmap, int cyClient);

/* The record a picture button edits in the tree (null for none). */
tagBUTTONINFO *FindPictureRecord(tagREMOTE *prRemote, const tagBUTTONTYPEINFO *pbti);
/* Whether a record shows as assigned: a launch whose program the launch finds, a web
   address with an address, any media, edit, system, message or home-automation function,
   or a stored command that the editors cannot show. */
BOOL  IsButtonAssigned(const tagBUTTONINFO *pbi);
int   WhatsThis(HWND hWnd, LPARAM lPoint, BYTE bDisplayMode);
void  DrawAssignedButtons(HDC hDC, HDC hPictureDC, const RECT *lprPaint);
void  DrawBorder(HDC hDC, const RECT *lprMark, int fFunction);
extern "C" INT_PTR CALLBACK SelectDlg(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);

/* ---- whats32: the what's-this window -------------------------------------------------- */

extern "C" INT_PTR CALLBACK WhatsThisDlg(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);
/* Rows of an assignment: 0 none, else 1 + the last of primary, extra 1, extra 2 present. */
int   GetNumOfField(const tagBUTTONINFO *pbiBut);

/* ---- profile32: assignment profiles ----------------------------------------------------
   Window-menu commands of the picture of the remote (system commands keep their low four
   bits clear). */
#define SC_SAVE_PROFILE 0x0100
#define SC_LOAD_PROFILE 0x0110

struct tagPROFILE;
void AddProfileMenu(HWND hDlg);
/* Runs a profile command of the window menu on the picture's tree; FALSE for other commands. */
BOOL OnProfileCommand(HWND hDlg, UINT uiCommand, tagREMOTE **pprRemote);
/* The whole configuration of the registry into a profile file; TRUE when written. A file of
   that name is replaced only by a complete new one: a failed save leaves it as it was. */
BOOL SaveProfileFile(LPCSTR lpszPath);
/* A profile file read and checked: PROFILE_OK, the reason it is refused (with its line in
   *piLine), or -1 when the file cannot be read. */
int  ReadProfileFile(LPCSTR lpszPath, tagPROFILE *pp, int *piLine);
/* Reads a profile file, says how many assignments it would change and, when the user agrees,
   writes it to the registry (TRUE): each key the profile holds is left with exactly the
   profile's values. A file that is not a sound profile is refused with a message naming its
   line, and nothing changes. */
BOOL LoadProfileFile(HWND hDlg, LPCSTR lpszPath);

/* ---- auto32: the Automatic Modes dialog ------------------------------------------------
   Its window-menu command on the picture of the remote, after the profiles'. */
#define SC_AUTO_MODES   0x0120

void AddAutoModeMenu(HWND hDlg);
/* Runs the Automatic Modes dialog for its window-menu command; FALSE for other commands. */
BOOL OnAutoModeCommand(HWND hDlg, UINT uiCommand);
INT_PTR CALLBACK AutoModesDlgProc(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam);

/* ---- mode32_zendra: home-automation command dialog ------------------------------------
   A command addresses a house code ("A".."P") and unit codes (1..16): "A1,A3 Dim To 40%",
   "B All Units Off", "C5 Extended Code 00ff", "A2 Dim 178%" (brighten first, then dim to
   50), "Macro D2 On". */

#define MACRO_UNITS 16           /* unit codes a command can carry; more are dropped */

/* One command in parsed form. Texts are local-heap copies owned by the record. */
struct tagMACROINFO {
    LPSTR lpszHouseCode;         /* one letter */
    LPSTR lpszFunction;          /* name from the function list; null in Macro mode */
    LPSTR lpszCode;              /* extended code text, or null */
    int   iDeviceCode[MACRO_UNITS];
    BYTE  bMacroCommand;         /* 0 Macro mode, 1 Command mode */
    BYTE  bOnOff;                /* Macro mode: 1 On, 0 Off */
    int   iValue;                /* percentage of the brightness functions, 0..100 */
    int   iNumDevice;            /* valid entries of iDeviceCode */
};

int   IsKeyExist(HKEY hKey, LPCSTR lpszSubKey);
int   IsDovrelInstalled(void);
void  CreateMacroStruct(LPCSTR lpszCommand, tagMACROINFO *pmiMacro);
void  ClearUpMacroStruct(tagMACROINFO *pmiMacro);
/* The text of a command: bStored 1 the stored form, 0 the dialog's preview. 0 when it
   lacks a house code, a function or the units it needs, or does not fit (lpszOut then
   empty). */
int   FormatHouseCode(const tagMACROINFO *pmiMacro, int bStored, LPSTR lpszOut, int iSize);
/* Whether a stored command is exactly what FormatHouseCode writes for what it reads (units
   1 to 16 among other things); the dialog keeps any other one as it is. */
int   IsHouseCodeAsWritten(LPCSTR lpszCommand);
/* "Brighten First Then Dim To" written out for a stored "Dim" with bit 7 set. */
void  DescribeStoredCommand(LPCSTR lpszCommand, LPSTR lpszOut, int iSize);
int   AcceptPercentage(LPCSTR lpszText, int *piValue);
int   BrightnessFunction(LPCSTR lpszFunction);
int   WholeHouseFunction(LPCSTR lpszFunction);
void  IsInRange(LPSTR lpszCode, int bFlag);   /* lpszCode holds at least 5 bytes */
int   CheckStrings(LPCSTR lpszText, LPCSTR lpszStart, int iLength);
LPSTR CreateHouseCodeString(HWND hDlg);
void  SetupHouseCodeDialog(HWND hDlg, tagMACROINFO miMacro);
void  DisplayMacro(HWND hDlg, int iMode);
void  ShowDefaultHouseCode(HWND hDlg, LPCSTR lpszCommand);
void  EnableMode(HWND hDlg, int iMode);
void  EnableValueBox(HWND hDlg, int iMode);
void  EnableCodeBox(HWND hDlg);
void  SelectDevice(HWND hDlg, int iKeep);
void  LimitSelection(HWND hDlg);
int   GetAllDevices(HWND hDlg, LPSTR lpszOut, int iSize, LPCSTR lpszHouseCode);
void  SetZendraValues(HWND hDlg, tagBUTTONINFO *pbiHolder);   /* "Set &Values" */

/* ---- size32: position and size capture ----------------------------------------------
   A launch position is left, top, width, height; width and height -1 mean position only,
   all four 0 no position. */

extern RECT rGlobalWindowPos;

/* The launch dialog's position text and back (pure). */
void  ParsePositionText(LPCSTR lpszText, RECT *prPos);
void  FormatPositionText(const RECT *prPos, LPSTR lpszText, int iSize);
void  SetAllCursor(HCURSOR hCur);
void  RestoreAllCursor(void);
/* PositionDlg, CaptureMouseMsg and ZendraDlgProc are exports (Brenvik.h). */

/* ---- mode32: the function editor and its family dialogs ------------------------------- */

/* The colour and colour messages of the editor dialogs. */
#define EDITOR_GREY         RGB(192, 192, 192)
#define EDITOR_CTLCOLOR_DLGMSGS(hDlg, fn) \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORMSGBOX, fn); \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLOREDIT, fn); \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORLISTBOX, fn); \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORBTN, fn); \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORDLG, fn); \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORSCROLLBAR, fn); \
        HANDLE_DLGMSG(hDlg, WM_CTLCOLORSTATIC, fn)

#define BUTTON_CELL_WIDTH   80      /* one family picture of "Button.bmp" */
#define EDITOR_BUTTONS      7       /* six family buttons and the help button */

/* One function family: its type, its dialog and what the dialog's frame needs. */
struct tagFAMILY {
    int     fFunction;
    WORD    wTemplate;          /* dialog template */
    DLGPROC lpfnDlgProc;
    UINT    uTemplates;         /* RCDATA list of its command templates */
    UINT    uHelpTopic;
    int     iPicture;           /* cell of "Button.bmp" */
    int     iPictureDivisor;    /* picture top = (client height - picture height) / this;
                                   0 puts it at the caption height */
    /* Fills the editable controls (bCurrent: the holder is the button's) and the Default
       Data group from the holder; reads the controls back into the holder. */
    void  (*pfnSet)(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent);
    void  (*pfnGet)(HWND hDlg, tagBUTTONINFO *pbiHolder);
    /* "Set &Values": the holder into the editable controls. */
    void  (*pfnSetValues)(HWND hDlg, tagBUTTONINFO *pbiHolder);
    /* Checks the controls before OK stores them; FALSE keeps the dialog open. */
    BOOL  (*pfnCheck)(HWND hDlg);
};

const tagFAMILY *FindFamily(int fFunction);
/* Whether a family's template iTemplate (from 0) filled with cchArgument characters makes
   a command the tray program can run. */
BOOL FitsCommand(int fFunction, int iTemplate, int cchArgument);
tagBUTTONINFO   *FindHolder(tagBUTTONINFO *pbiList, int fFunction);

void    SetFunction(HWND hDlg, int fFunction, tagBUTTONINFO *pbiList);
void    GetFunction(HWND hDlg, int fFunction, tagBUTTONINFO *pbiList);
void    Help(HWND hWnd, UINT uiTopic, BOOL bOpen);
void    CenterWindow(HWND hWnd);
void    PressButton(HWND hDlg, int iButton, const RECT *prButtons);
int     FindButton(const RECT *prButtons, POINT pt);
HBITMAP GetButtonBitmap(HDC hMainDC, HBITMAP hbmpSource, int iBut);
void    DrawBitmap(HDC hDC, HBITMAP hBitmap, LPRECT lprRect, int iButID);
void    CopyDefaultData(HWND hWnd, int fFunction, tagBUTTONINFO *pbiButton);
void    EnableAssignButton(HWND hDlg, int bFlag);

/* The frame every family dialog shares: a dialog procedure lists FAMILY_DLGMSGS after its
   own lines, calls FamilyInitDialog from its WM_INITDIALOG handler, FamilyOnDestroy from
   its WM_DESTROY handler and FamilyCommand for the commands it does not handle itself. */
void   FamilyInitDialog(HWND hDlg, int fFunction);
/* The frame alone, for a dialog that edits no holder (the Hot Key dialog): its picture,
   help topic and colours come from pFamily. */
void   FrameInitDialog(HWND hDlg, const tagFAMILY *pFamily);
void   FamilyCommand(HWND hDlg, int iID);
void   FamilyOnPaint(HWND hDlg);
void   FamilyOnDestroy(HWND hDlg);
HBRUSH FamilyOnCtlColor(HWND hDlg, HDC hDC, HWND hChild, int iType);
#define FAMILY_DLGMSGS(hDlg) \
        HANDLE_DLGMSG(hDlg, WM_PAINT, FamilyOnPaint); \
        EDITOR_CTLCOLOR_DLGMSGS(hDlg, FamilyOnCtlColor)

/* The whole dialog procedure of a family whose only messages of its own are its commands:
   the frame sets the dialog up for fFunction and takes it down, and the file's static
   OnCommand handles the commands it knows and passes the rest to FamilyCommand. */
#define FAMILY_DLGPROC(Name, fFunction) \
    extern "C" INT_PTR CALLBACK Name(HWND hDlg, UINT uiMessage, WPARAM wParam, LPARAM lParam) \
    { \
        switch (uiMessage) { \
            HANDLE_DLGMSG(hDlg, WM_COMMAND, OnCommand); \
            HANDLE_DLGMSG(hDlg, WM_DESTROY, FamilyOnDestroy); \
            FAMILY_DLGMSGS(hDlg); \
        case WM_INITDIALOG: \
            FamilyInitDialog(hDlg, (fFunction)); \
            return FALSE;   /* the frame has put the focus on OK */ \
        } \
        return FALSE; \
    }

/* Family routines of the mode32_<type> files: prepare and fill the editable controls
   (bCurrent: the holder is the button's) and the Default Data group; read them back;
   "Set &Values"; check the controls before OK stores them (FALSE keeps the dialog open). */
void SetLaunch(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent);
void GetLaunch(HWND hDlg, tagBUTTONINFO *pbiHolder);
void SetLaunchValues(HWND hDlg, tagBUTTONINFO *pbiHolder);
BOOL CheckLaunch(HWND hDlg);
void SetWeb(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent);
void GetWeb(HWND hDlg, tagBUTTONINFO *pbiHolder);
void SetWebValues(HWND hDlg, tagBUTTONINFO *pbiHolder);
BOOL CheckWeb(HWND hDlg);
void SetMedia(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent);
void GetMedia(HWND hDlg, tagBUTTONINFO *pbiHolder);
void SetMediaValues(HWND hDlg, tagBUTTONINFO *pbiHolder);
BOOL CheckMedia(HWND hDlg);
void SetEdit(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent);
void GetEdit(HWND hDlg, tagBUTTONINFO *pbiHolder);
void SetEditValues(HWND hDlg, tagBUTTONINFO *pbiHolder);
BOOL CheckEdit(HWND hDlg);
void SetSystem(HWND hDlg, tagBUTTONINFO *pbiHolder, BOOL bCurrent);
void GetSystem(HWND hDlg, tagBUTTONINFO *pbiHolder);
void SetSystemValues(HWND hDlg, tagBUTTONINFO *pbiHolder);

/* Lists of this library's RCDATA tables (string lists end with an empty entry; a value
   list holds one 16-bit value per string). */
void  InitialiseComboBoxRC(HWND hDlg, int iControl, UINT uStringList, UINT uValueList);
void  InitialiseComboBoxRCZendraRes(HWND hDlg, int iControl, UINT uStringList, UINT uValueList);
void  FillListBoxRC(HWND hListBox, UINT uStringList, LPCSTR lpszSelect);
/* A value list of this library: its words and how many there are; null when missing. */
const WORD *LockValueList(UINT uValueList, int *pcValues);
LPSTR GetIndexedString(UINT uStringList, int iPosition);
BYTE  GetIndexedValue(UINT uValueList, int iPosition);
int   CountStringIndex(UINT uStringList, LPCSTR lpszText);
int   CountValueIndex(UINT uValueList, BYTE bValue);
void  WriteToTextBox(HWND hDlg, int iControl, LPCSTR lpszText);
/* Selects the first entry of a combo box that begins with lpszText (case-insensitive);
   FALSE, selection unchanged, when there is none. */
BOOL  SelectPrefix(HWND hDlg, int iControl, LPCSTR lpszText);
/* The selected entry's text into a caller's buffer ("" when none). */
void  GetSelectedText(HWND hDlg, int iControl, LPSTR lpszText, int cchText);

/* Text rules, touching no window. */
int   CountCharInString(LPCSTR lpszText, char cChar);
/* Copies lpszText with every "&" doubled; FALSE (and an empty result) when it does not fit. */
BOOL  DoubleAmpersands(LPCSTR lpszText, LPSTR lpszResult, int cchResult);
/* Length of a template with its "%s" replaced by cchArgument characters. */
int   FilledTemplateLength(LPCSTR lpszTemplate, int cchArgument);
/* Length of the launch argument that a program, command line and size text make. */
int   LaunchArgumentLength(LPCSTR lpszProgram, LPCSTR lpszCmdLine, LPCSTR lpszSizePos);
/* Whether a text may stand in a quoted argument that is not doubled (no double quote and
   none of the bytes that separate the fields of an argument). */
BOOL  IsPlainArgument(LPCSTR lpszText);
/* A text a dialog may store: plain, or what the holder already held (lpszHeld), which
   came with a stored command and goes back as it came. */
BOOL  IsPlainOrHeld(LPCSTR lpszText, LPCSTR lpszHeld);
/* Length of a text in a stored argument, where each quote is doubled. */
int   QuotedLength(LPCSTR lpszText);
/* Whether a program is named without a folder ("notepad.exe"): the launch looks for it
   along the search path, so it stays as written. */
BOOL  IsBareProgramName(LPCSTR lpszFile);
/* Full path of a stored file name (a bare name as it is); FALSE (and "") when it cannot be
   expanded. */
BOOL  GetFullProgramPath(LPCSTR lpszFile, LPSTR lpszPath, int cchPath);
/* The short (8.3) form of a path when the file exists, else the path itself (a bare name
   as it is). */
void  GetShortProgramPath(LPCSTR lpszPath, LPSTR lpszShort, int cchShort);
/* Where the launch finds a program: a path as it is, a bare name along the search path or
   in the App Paths of the current user or the machine. FALSE (and "") when it is nowhere. */
BOOL  FindProgram(LPCSTR lpszFile, LPSTR lpszPath, int cchPath);
/* Refuses what a control holds: a message box giving the reason, the focus on the
   control; FALSE. TooLong names a field that does not fit. */
#define REFUSAL_CAPTION "Cannot Store"
BOOL  Refuse(HWND hDlg, int iControl, LPCSTR lpszReason);
BOOL  TooLong(HWND hDlg, int iControl, LPCSTR lpszField);

#endif /* ORVANE_BRENVIK_INTERNAL_H */
