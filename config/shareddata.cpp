/*
 * shareddata.cpp - the exported variables of Brenvik's cross-process data section.
 */
#include "Brenvik.h"
#include "shareddata.h"

HHOOK   _hHookMsg      SHARED_SECTION = NULL;
HWND    _hMessageDlg   SHARED_SECTION = NULL;
HWND    _hMainDlg      SHARED_SECTION = NULL;
HHOOK   _hMouseMsg     SHARED_SECTION = NULL;
BOOL    _bDraw         SHARED_SECTION = FALSE;
BOOL    _bPosOnly      SHARED_SECTION = FALSE;
BOOL    _bSelect       SHARED_SECTION = FALSE;
BOOL    _bMseFirstDown SHARED_SECTION = FALSE;
BOOL    _bSelectDown   SHARED_SECTION = FALSE;
HCURSOR _hNewCur       SHARED_SECTION = NULL;
