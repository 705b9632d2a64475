/*
 * picture.cpp - files of the installation directory: the path of a file there, and a
 * bitmap file turned into a device-dependent bitmap and palette, for the keyboard and the
 * picture of the remote, once picture_header.cpp has checked its headers against the bytes
 * actually read.
 */
#include <windows.h>
#include <windowsx.h>
#include <string.h>
#include "picture.h"
#include "registry.h"

static const char szSettingsKey[] = ORVANE_SETTINGS_KEY;
static const char szWorkingDirectory[] = ORVANE_WORKING_DIRECTORY;

/* The installation directory into lpszDir (MAX_PATH + 1 characters). */
static void GetInstallDirectory(LPSTR lpszDir)
{
    HKEY hKey;
    lpszDir[0] = '\0';
    if (RegOpenKeyExA(HKEY_CURRENT_USER, szSettingsKey, 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS) {
        DWORD dwType = 0;
        DWORD cbDir = MAX_PATH;
        if (RegQueryValueExA(hKey, szWorkingDirectory, NULL, &dwType, (LPBYTE)lpszDir, &cbDir) != ERROR_SUCCESS
            || dwType != REG_SZ)
            cbDir = 0;
        EndRegistryString(lpszDir, cbDir, MAX_PATH + 1);
        RegCloseKey(hKey);
        if (lpszDir[0] == '\0')
            GetCurrentDirectoryA(MAX_PATH, lpszDir);
        return;
    }
    /* First use: the directory the program runs in becomes the installation directory. */
    GetCurrentDirectoryA(MAX_PATH, lpszDir);
    if (RegCreateKeyExA(HKEY_CURRENT_USER, szSettingsKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &hKey, NULL) == ERROR_SUCCESS) {
        RegSetValueExA(hKey, szWorkingDirectory, 0, REG_SZ, (const BYTE *)lpszDir, (DWORD)strlen(lpszDir) + 1);
        RegCloseKey(hKey);
    }
}

BOOL LocalFilePath(LPCSTR pszFileName, LPSTR pszPath, size_t cchPath)
{
    char szPath[2 * MAX_PATH + 2];
    GetInstallDirectory(szPath);
    size_t cchDir = strlen(szPath);
    size_t cchName = strlen(pszFileName);
    if (cchDir + 1 + cchName >= MAX_PATH || cchDir + 1 + cchName >= cchPath)
        return FALSE;
    szPath[cchDir] = '\\';
    memcpy(szPath + cchDir + 1, pszFileName, cchName + 1);
    memcpy(pszPath, szPath, cchDir + 1 + cchName + 1);
    return TRUE;
}

HFILE OpenLocalFile(LPCSTR pszFileName, UINT uiMode)
{
    char szPath[MAX_PATH];
    if (!LocalFilePath(pszFileName, szPath, sizeof(szPath)))
        return HFILE_ERROR;
    return _lopen(szPath, (int)uiMode);
}

/* A logical palette of the picture's colour table, selected and realised in hDC. */
static HPALETTE CreatePicturePalette(HDC hDC, const BITMAPINFOHEADER *pbih)
{
    int iColours = GetPaletteSize(pbih);
    if (iColours == 0)
        return NULL;
    LOGPALETTE *plp = (LOGPALETTE *)LocalAlloc(LPTR, sizeof(LOGPALETTE) + iColours * sizeof(PALETTEENTRY));
    if (plp == NULL)
        return NULL;
    const RGBQUAD *prgb = (const RGBQUAD *)((const BYTE *)pbih + pbih->biSize);
    plp->palVersion = 0x300;
    plp->palNumEntries = (WORD)iColours;
    for (int i = 0; i < iColours; i++) {
        plp->palPalEntry[i].peRed = prgb[i].rgbRed;
        plp->palPalEntry[i].peGreen = prgb[i].rgbGreen;
        plp->palPalEntry[i].peBlue = prgb[i].rgbBlue;
        plp->palPalEntry[i].peFlags = 0;
    }
    HPALETTE hPalette = CreatePalette(plp);
    LocalFree(plp);
    if (hPalette != NULL) {
        SelectPalette(hDC, hPalette, TRUE);
        RealizePalette(hDC);
    }
    return hPalette;
}

BOOL CreateBitmapFromFile(HDC hDC, LPCSTR lpszFile, HBITMAP *lphBitmap, HPALETTE *lphPalette)
{
    *lphBitmap = NULL;
    if (lphPalette != NULL)
        *lphPalette = NULL;

    HFILE hFile = OpenLocalFile(lpszFile, OF_READ);
    if (hFile == HFILE_ERROR)
        return FALSE;
    LONG lLength = _llseek(hFile, 0, FILE_END);
    _llseek(hFile, 0, FILE_BEGIN);
    BITMAPFILEHEADER bmfh;
    if (lLength < (LONG)sizeof(bmfh) || _lread(hFile, &bmfh, sizeof(bmfh)) != sizeof(bmfh)
        || bmfh.bfType != 0x4D42) {
        _lclose(hFile);
        return FALSE;
    }

    /* The stored size may disagree with the file: never read more than the file holds.
       A size below the header wraps to "everything", as writers that leave it 0 expect. */
    HGLOBAL hBlock = GlobalAlloc(GHND, (SIZE_T)lLength);
    BYTE *pbBlock = hBlock != NULL ? (BYTE *)GlobalLock(hBlock) : NULL;
    if (pbBlock == NULL) {
        if (hBlock != NULL)
            GlobalFree(hBlock);
        _lclose(hFile);
        return FALSE;
    }
    DWORD cbAvailable = (DWORD)lLength - sizeof(bmfh);
    DWORD cbWanted = bmfh.bfSize - (DWORD)sizeof(bmfh);
    if (cbWanted > cbAvailable)
        cbWanted = cbAvailable;
    _lread(hFile, pbBlock, cbWanted);
    _lclose(hFile);

    /* The block is zero-filled: bytes the stored size left unread read as 0, none lie
       outside it. */
    const BYTE *pbBits = FindBitmapBits(pbBlock, cbAvailable, bmfh.bfOffBits);
    if (pbBits != NULL) {
        const BITMAPINFOHEADER *pbih = (const BITMAPINFOHEADER *)pbBlock;
        HPALETTE hPalette = lphPalette != NULL ? CreatePicturePalette(hDC, pbih) : NULL;
        *lphBitmap = CreateDIBitmap(hDC, pbih, CBM_INIT, pbBits, (const BITMAPINFO *)pbih, DIB_RGB_COLORS);
        if (*lphBitmap == NULL) {
            if (hPalette != NULL)
                DeletePalette(hPalette);
        } else if (lphPalette != NULL) {
            *lphPalette = hPalette;
        }
    }
    GlobalUnlock(hBlock);
    GlobalFree(hBlock);
    return *lphBitmap != NULL;
}
