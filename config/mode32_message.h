/*
 * mode32_message.h - the window-message recorder (mode32_message.cpp, mode32_message_text.cpp).
 */
#ifndef ORVANE_MODE32_MESSAGE_H
#define ORVANE_MODE32_MESSAGE_H

#include <windows.h>

/* A sequence is up to six groups "[message:wparam:lparam]" in hexadecimal. Its entries in
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

#endif /* ORVANE_MODE32_MESSAGE_H */
