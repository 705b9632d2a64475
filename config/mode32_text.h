/*
 * mode32_text.h - the text rules of the family dialogs and the forms of a program file
 * (mode32_text.cpp). Nothing here touches a window.
 */
#ifndef ORVANE_MODE32_TEXT_H
#define ORVANE_MODE32_TEXT_H

#include <windows.h>

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

/* Full path of a stored file name (a bare name as it is); FALSE (and "") when it cannot be
   expanded. */
BOOL  GetFullProgramPath(LPCSTR lpszFile, LPSTR lpszPath, int cchPath);
/* The short (8.3) form of a path when the file exists, else the path itself (a bare name
   as it is). */
void  GetShortProgramPath(LPCSTR lpszPath, LPSTR lpszShort, int cchShort);
/* Where the launch finds a program: a path as it is, a bare name along the search path or
   in the App Paths of the current user or the machine. FALSE (and "") when it is nowhere. */
BOOL  FindProgram(LPCSTR lpszFile, LPSTR lpszPath, int cchPath);

#endif /* ORVANE_MODE32_TEXT_H */
