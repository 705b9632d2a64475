/*
 * win32_shim.cpp - the kernel and string services of win32/windows.h for native builds,
 * and the library's resources read from its compiled resource file (windres -O res,
 * named by ORVANE_RESOURCE_FILE when the harness is built), so the pure routines look up
 * the same tables and strings as they do inside Brenvik.dll.
 */
#include <stdio.h>
#include <stdlib.h>
#include <strings.h>
#include <vector>
#include "windows.h"

HINSTANCE hInstance;   /* the module every lookup names; one resource file serves all */

extern "C" HLOCAL LocalAlloc(UINT uFlags, SIZE_T cb)
{
    (void)uFlags;
    return calloc(1, cb != 0 ? cb : 1);
}

extern "C" HLOCAL LocalFree(HLOCAL hMem)
{
    free(hMem);
    return NULL;
}

extern "C" LPSTR lstrcpynA(LPSTR lpszTo, LPCSTR lpszFrom, int iMaxLength)
{
    if (iMaxLength <= 0)
        return lpszTo;
    int i = 0;
    for (; i < iMaxLength - 1 && lpszFrom[i] != '\0'; i++)
        lpszTo[i] = lpszFrom[i];
    lpszTo[i] = '\0';
    return lpszTo;
}

extern "C" BOOL SetRectEmpty(RECT *lprc)
{
    ZeroMemory(lprc, sizeof(*lprc));
    return TRUE;
}

extern "C" LPSTR lstrcpyA(LPSTR lpszTo, LPCSTR lpszFrom)
{
    return strcpy(lpszTo, lpszFrom);
}

/* Windows compares by the user's locale; the tables and the texts compared with them are
   ASCII, where that is the same as ignoring ASCII case. */
extern "C" int lstrcmpiA(LPCSTR lpsz1, LPCSTR lpsz2)
{
    return strcasecmp(lpsz1, lpsz2);
}

extern "C" int _strnicmp(const char *psz1, const char *psz2, size_t cch)
{
    return strncasecmp(psz1, psz2, cch);
}

/* ---- Resources ---------------------------------------------------------------------- */

struct tagRESOURCE {
    WORD wType;
    WORD wName;
    const BYTE *pbData;
    DWORD cbData;
};

static std::vector<BYTE> resourceFile;
static std::vector<tagRESOURCE> resources;

static DWORD ReadDword(const BYTE *pb) { return pb[0] | pb[1] << 8 | pb[2] << 16 | (DWORD)pb[3] << 24; }
static WORD ReadWord(const BYTE *pb) { return (WORD)(pb[0] | pb[1] << 8); }

/* A type or name of an entry's header: a number (0xFFFF, then the number) or a text of
   16-bit characters, which none of the looked-up resources has (0). */
static const BYTE *ReadIdentifier(const BYTE *pb, WORD *pwId)
{
    if (ReadWord(pb) == 0xFFFF) {
        *pwId = ReadWord(pb + 2);
        return pb + 4;
    }
    *pwId = 0;
    while (ReadWord(pb) != 0)
        pb += 2;
    return pb + 2;
}

/* Every entry of the file: each is its data size, its header size, the header (type,
   name and fixed fields) and the data, each part starting on a 4-byte boundary. */
static void LoadResourceFile(void)
{
    if (!resourceFile.empty())
        return;
    FILE *pFile = fopen(ORVANE_RESOURCE_FILE, "rb");
    if (pFile == NULL) {
        fprintf(stderr, "cannot read the resource file %s\n", ORVANE_RESOURCE_FILE);
        abort();
    }
    BYTE ab[4096];
    for (size_t cb; (cb = fread(ab, 1, sizeof(ab), pFile)) > 0;)
        resourceFile.insert(resourceFile.end(), ab, ab + cb);
    fclose(pFile);
    const BYTE *pb = resourceFile.data(), *pbEnd = pb + resourceFile.size();
    while (pb + 8 <= pbEnd) {
        DWORD cbData = ReadDword(pb), cbHeader = ReadDword(pb + 4);
        if (cbHeader < 8 || pb + cbHeader + cbData > pbEnd)
            break;
        tagRESOURCE r;
        ReadIdentifier(ReadIdentifier(pb + 8, &r.wType), &r.wName);
        r.pbData = pb + cbHeader;
        r.cbData = cbData;
        resources.push_back(r);
        pb += cbHeader + ((cbData + 3) & ~3u);
    }
}

extern "C" HRSRC FindResourceA(HMODULE hModule, LPCSTR lpszName, LPCSTR lpszType)
{
    (void)hModule;
    LoadResourceFile();
    for (const tagRESOURCE &r : resources)
        if (r.wType == (WORD)(ULONG_PTR)lpszType && r.wName == (WORD)(ULONG_PTR)lpszName)
            return (HRSRC)&r;
    return NULL;
}

extern "C" HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo)
{
    (void)hModule;
    return hResInfo != NULL ? (HGLOBAL)((const tagRESOURCE *)hResInfo)->pbData : NULL;
}

extern "C" LPVOID LockResource(HGLOBAL hResData)
{
    return hResData;
}

extern "C" BOOL FreeResource(HGLOBAL hResData)
{
    (void)hResData;
    return FALSE;
}

extern "C" DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo)
{
    (void)hModule;
    return hResInfo != NULL ? ((const tagRESOURCE *)hResInfo)->cbData : 0;
}

/* A string table block holds 16 strings, each a count and that many 16-bit characters. */
extern "C" int LoadStringA(HINSTANCE hInst, UINT uID, LPSTR lpszBuffer, int cchBufferMax)
{
    HRSRC hBlock = FindResourceA(hInst, MAKEINTRESOURCEA(uID / 16 + 1), RT_STRING);
    if (hBlock == NULL || cchBufferMax <= 0)
        return 0;
    const BYTE *pb = (const BYTE *)LoadResource(hInst, hBlock);
    for (UINT i = 0; i < uID % 16; i++)
        pb += 2 + 2 * ReadWord(pb);
    int cch = ReadWord(pb);
    if (cch > cchBufferMax - 1)
        cch = cchBufferMax - 1;
    for (int i = 0; i < cch; i++) {
        WORD wChar = ReadWord(pb + 2 + 2 * i);
        lpszBuffer[i] = wChar < 0x100 ? (char)wChar : '?';
    }
    lpszBuffer[cch] = '\0';
    return cch;
}
