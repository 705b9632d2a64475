/*
 * msglist.cpp - reading the groups of a message list (see msglist.h).
 */
#include <string.h>
#include "msglist.h"

/* Reads one field ended by ':', ']' or the end of the text into *lpdwValue: the
   hexadecimal digits at its start, up to the first character that is not one (0 when
   there are none or the field is too long); returns its end. */
static LPCSTR ReadHexField(LPCSTR lpszField, DWORD *lpdwValue)
{
    LPCSTR lpszEnd = lpszField + strcspn(lpszField, ":]");
    DWORD dwValue = 0;
    if (lpszEnd - lpszField <= MESSAGE_FIELD_MAX) {
        for (LPCSTR p = lpszField; p < lpszEnd; ++p) {
            char c = *p;
            int iDigit = (c >= '0' && c <= '9') ? c - '0'
                       : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                       : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
            if (iDigit < 0)
                break;
            dwValue = (dwValue << 4) | (DWORD)iDigit;
        }
    }
    *lpdwValue = dwValue;
    return lpszEnd;
}

LPCSTR ReadMessageGroup(LPCSTR lpszList, DWORD adwField[3])
{
    LPCSTR p = strchr(lpszList, '[');
    if (p == NULL)
        return NULL;

    adwField[0] = adwField[1] = adwField[2] = 0;
    ++p;
    for (int i = 0; i < 3; ++i) {
        p = ReadHexField(p, &adwField[i]);
        if (*p != ':')
            break;
        ++p;
    }
    /* Continue after the closing bracket (surplus fields are skipped with it). */
    p = strchr(p, ']');
    return p != NULL ? p + 1 : lpszList + strlen(lpszList);
}
