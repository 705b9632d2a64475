/*
 * windows.h - the part of the Win32 header that the pure routines (and the declarations of
 * their modules' headers) use, for building them natively with the fuzzing tools. The
 * types keep their Windows sizes (LONG and DWORD are 32 bits, handles are pointers), so
 * the routines compute exactly what they compute on Windows. The few functions are
 * kernel and string services, given by win32_shim.cpp; the resources are read from the
 * library's compiled resource file. Nothing here opens a window or a registry key.
 */
#ifndef ORVANE_FUZZ_WINDOWS_H
#define ORVANE_FUZZ_WINDOWS_H

#include <stddef.h>
#include <stdint.h>
#include <string.h>

#define WINAPI
#define CALLBACK
#define __declspec(attribute)

typedef int            BOOL;
typedef unsigned char  BYTE;
typedef unsigned short WORD;
typedef uint32_t       DWORD;
typedef int32_t        LONG;
typedef unsigned int   UINT;
typedef char           CHAR;
typedef uint64_t       ULONGLONG;
typedef intptr_t       INT_PTR;
typedef uintptr_t      UINT_PTR;
typedef intptr_t       LONG_PTR;
typedef uintptr_t      ULONG_PTR;
typedef uintptr_t      DWORD_PTR;
typedef size_t         SIZE_T;
typedef UINT_PTR       WPARAM;
typedef LONG_PTR       LPARAM;
typedef LONG_PTR       LRESULT;
typedef char          *LPSTR;
typedef const char    *LPCSTR;
typedef BYTE          *LPBYTE;
typedef void          *LPVOID;
typedef void          *PVOID;
typedef int            HFILE;

#define ORVANE_FUZZ_HANDLE(name) typedef struct name##__ *name
ORVANE_FUZZ_HANDLE(HINSTANCE);
ORVANE_FUZZ_HANDLE(HWND);
ORVANE_FUZZ_HANDLE(HDC);
ORVANE_FUZZ_HANDLE(HKEY);
ORVANE_FUZZ_HANDLE(HRSRC);
ORVANE_FUZZ_HANDLE(HBITMAP);
ORVANE_FUZZ_HANDLE(HPALETTE);
ORVANE_FUZZ_HANDLE(HICON);
ORVANE_FUZZ_HANDLE(HCURSOR);
ORVANE_FUZZ_HANDLE(HMENU);
ORVANE_FUZZ_HANDLE(HACCEL);
ORVANE_FUZZ_HANDLE(HBRUSH);
ORVANE_FUZZ_HANDLE(HHOOK);
#undef ORVANE_FUZZ_HANDLE
typedef HINSTANCE HMODULE;
typedef void     *HANDLE;
typedef void     *HGLOBAL;
typedef void     *HLOCAL;

typedef INT_PTR (CALLBACK *DLGPROC)(HWND, UINT, WPARAM, LPARAM);

#define TRUE  1
#define FALSE 0
#define MAX_PATH 260
#define LOBYTE(w) ((BYTE)((DWORD_PTR)(w) & 0xFF))
#define LOWORD(l) ((WORD)((DWORD_PTR)(l) & 0xFFFF))
#define RGB(r, g, b) ((DWORD)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define ZeroMemory(p, cb) memset((p), 0, (cb))
#define MAKEINTRESOURCEA(i) ((LPSTR)(ULONG_PTR)(WORD)(i))
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_RCDATA MAKEINTRESOURCEA(10)
#define LPTR 0x0040

typedef struct tagPOINT { LONG x, y; } POINT;
typedef struct tagSIZE { LONG cx, cy; } SIZE;
typedef struct tagRECT { LONG left, top, right, bottom; } RECT, *LPRECT;
typedef struct tagMSG {
    HWND   hwnd;
    UINT   message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD  time;
    POINT  pt;
} MSG;

#pragma pack(push, 2)
typedef struct tagBITMAPFILEHEADER {
    WORD  bfType;
    DWORD bfSize;
    WORD  bfReserved1;
    WORD  bfReserved2;
    DWORD bfOffBits;
} BITMAPFILEHEADER;
#pragma pack(pop)
typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG  biWidth;
    LONG  biHeight;
    WORD  biPlanes;
    WORD  biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG  biXPelsPerMeter;
    LONG  biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER;
typedef struct tagRGBQUAD { BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved; } RGBQUAD;
#define BI_RGB       0
#define BI_BITFIELDS 3

typedef struct _STARTUPINFOA {
    DWORD  cb;
    LPSTR  lpReserved;
    LPSTR  lpDesktop;
    LPSTR  lpTitle;
    DWORD  dwX, dwY, dwXSize, dwYSize;
    DWORD  dwXCountChars, dwYCountChars, dwFillAttribute;
    DWORD  dwFlags;
    WORD   wShowWindow;
    WORD   cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput, hStdOutput, hStdError;
} STARTUPINFOA;
#define STARTF_USESHOWWINDOW 0x00000001
#define STARTF_USESIZE       0x00000002
#define STARTF_USEPOSITION   0x00000004
#define SW_SHOWDEFAULT       10
#define CW_USEDEFAULT        ((int)0x80000000)

#ifdef __cplusplus
extern "C" {
#endif

HLOCAL  LocalAlloc(UINT uFlags, SIZE_T cb);
HLOCAL  LocalFree(HLOCAL hMem);
LPSTR   lstrcpynA(LPSTR lpszTo, LPCSTR lpszFrom, int iMaxLength);
LPSTR   lstrcpyA(LPSTR lpszTo, LPCSTR lpszFrom);
int     lstrcmpiA(LPCSTR lpsz1, LPCSTR lpsz2);
int     _strnicmp(const char *psz1, const char *psz2, size_t cch);
HRSRC   FindResourceA(HMODULE hModule, LPCSTR lpszName, LPCSTR lpszType);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID  LockResource(HGLOBAL hResData);
BOOL    FreeResource(HGLOBAL hResData);
DWORD   SizeofResource(HMODULE hModule, HRSRC hResInfo);
int     LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpszBuffer, int cchBufferMax);
BOOL    SetRectEmpty(RECT *lprc);

#ifdef __cplusplus
}
#endif

#endif /* ORVANE_FUZZ_WINDOWS_H */
