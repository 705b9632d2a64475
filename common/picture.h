/*
 * picture.h - files of the installation directory: the path of a file there, opening it,
 * and turning a bitmap file into a device-dependent bitmap with its palette (the on-screen
 * keyboard, the picture of the remote and the function editor's pictures).
 */
#ifndef ORVANE_COMMON_PICTURE_H
#define ORVANE_COMMON_PICTURE_H

#include <windows.h>
#include <stddef.h>

/* The full path of pszFileName in the installation directory (see OpenLocalFile) into
   pszPath, cchPath bytes with the terminator. FALSE when it would not fit there or in
   MAX_PATH. */
BOOL LocalFilePath(LPCSTR pszFileName, LPSTR pszPath, size_t cchPath);

/* Opens pszFileName in the installation directory (value WorkingDirectory of
   "Software\Zendra\Orvane\Settings"; the current directory, written there, when the key
   is missing) with the _lopen mode uiMode. Returns the file handle or HFILE_ERROR. */
HFILE OpenLocalFile(LPCSTR pszFileName, UINT uiMode);

/* Loads the bitmap file lpszFile of the installation directory into a bitmap compatible
   with hDC and, for 1-, 4- and 8-bit pictures when lphPalette is not null, a palette
   (selected into hDC as background palette and realised). Nonzero on success; on
   failure both results are null. */
BOOL CreateBitmapFromFile(HDC hDC, LPCSTR lpszFile, HBITMAP *lphBitmap, HPALETTE *lphPalette);

/* Checks the part of a bitmap file that follows its 14-byte file header (cbBlock bytes at
   pbBlock) against the file header's bits offset: the information header, colour table
   and pixel rows must all lie inside the block. Returns the pixel bits, or null. */
const BYTE *FindBitmapBits(const BYTE *pbBlock, DWORD cbBlock, DWORD dwFileBitsOffset);

/* Number of palette entries the picture needs: 2, 16 or 256 for 1, 4 or 8 bits per pixel,
   else 0. */
int GetPaletteSize(const BITMAPINFOHEADER *pbih);

#endif /* ORVANE_COMMON_PICTURE_H */
