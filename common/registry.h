/*
 * registry.h - where every setting and assignment of the system lives: string values of keys
 * below HKEY_CURRENT_USER\Software\Zendra\Orvane, read and written through Get and Write.
 * Both libraries link these routines and export them under the same names.
 */
#ifndef ORVANE_COMMON_REGISTRY_H
#define ORVANE_COMMON_REGISTRY_H

#include <windows.h>
#include "OrvaneStore.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Reads value lpszSection of key lpszTopic into lpszBuffer, creating a missing key or value
   with lpszDefault; a stored value that is not a string or does not fit the buffer is left
   alone and the default is returned. */
void WINAPI Get(LPCSTR lpszTopic, LPCSTR lpszSection, LPCSTR lpszDefault,
                LPSTR lpszBuffer, int iMaxSize);

/* Stores a string value (null stores ""); 1 on success, 0 when the key is unavailable. */
int WINAPI Write(LPCSTR lpszTopic, LPCSTR lpszSection, LPCSTR lpszBuffer);

/* The whole of a string value however long, as a new local-heap string for the caller to
   free with LocalFree; null when the value is missing, empty or not a string. For values
   that Get's buffer cannot hold; creates nothing. */
LPSTR GetWholeString(LPCSTR lpszTopic, LPCSTR lpszSection);

/* The same work on a key the caller holds open, for runs of many values under one key
   (a mode's whole list of buttons): OpenTopicKey opens root\lpszTopic for reading and
   writing, creating it when missing (null when unavailable; the caller closes it with
   RegCloseKey). GetKeyValue reads as Get does and returns TRUE when the stored string was
   read whole; WriteKeyValue stores as Write does and returns TRUE when the value was stored;
   GetWholeKeyString reads as GetWholeString does. */
HKEY OpenTopicKey(LPCSTR lpszTopic);
BOOL GetKeyValue(HKEY hKey, LPCSTR lpszSection, LPCSTR lpszDefault, LPSTR lpszBuffer, int iMaxSize);
BOOL WriteKeyValue(HKEY hKey, LPCSTR lpszSection, LPCSTR lpszData);
LPSTR GetWholeKeyString(HKEY hKey, LPCSTR lpszSection);

/* One-byte REG_BINARY values of an already open key (the mouse settings). GetByteValue
   leaves *pbValue alone and returns 0 when the value is missing or is not one byte long;
   WriteByteValue returns 1 when the value was stored. */
int GetByteValue(HKEY hKey, LPCSTR lpszValue, BYTE *pbValue);
int WriteByteValue(HKEY hKey, LPCSTR lpszValue, BYTE bValue);

/* Ends a string value that a registry read put into lpszBuffer (cbBuffer bytes) at the
   cbData bytes the read returned: stored strings need not carry their terminator. FALSE
   when the value fills the whole buffer without one (too long for it). */
BOOL EndRegistryString(LPSTR lpszBuffer, DWORD cbData, DWORD cbBuffer);

#ifdef __cplusplus
}
#endif

#endif /* ORVANE_COMMON_REGISTRY_H */
