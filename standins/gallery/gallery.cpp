/*
 * gallery.cpp - dialog gallery: opens every dialog template of Brenvik.dll with sample
 * contents, the function picture where the editors put it (the family's picture of the
 * Button.bmp beside the gallery, or a crossed placeholder without it), and writes a
 * picture of each window as <folder>\<id>.bmp.
 *
 *   gallery.exe <folder>
 */
#include <windows.h>
#include <windowsx.h>
#include <stdio.h>
#include <string.h>
#include "Brenvik.h"
#include "BrenvikRes.h"

/* Where a template's procedure draws its function picture (80 x 80 pixels, cell iPicture
   of Button.bmp, -1 for none): left at the caption height; top at (client height - 80) /
   iDivisor, or at the caption height when iDivisor is 0. */
struct tagGALLERYPAGE {
    WORD wTemplate;
    int  iPicture;
    int  iDivisor;
    BOOL bGrey;         /* paints on light grey like the real procedure */
};

static const tagGALLERYPAGE gPages[] = {
    {IDD_TASKS, -1, 0, TRUE},         {IDD_KEYBOARD, -1, 0, TRUE},
    {IDD_WHATSTHIS, -1, 0, TRUE},     {IDD_BUTTONS, -1, 0, TRUE},
    {IDD_POSITION, -1, 0, TRUE},      {IDD_FUNCTIONS, -1, 0, TRUE},
    {IDD_LAUNCH, 0, 4, TRUE},         {IDD_WEB, 1, 4, TRUE},
    {IDD_MULTIMEDIA, 2, 6, TRUE},     {IDD_EDIT, 3, 4, TRUE},
    {IDD_SYSTEM, 4, 6, TRUE},         {IDD_HOTKEY, 4, 3, TRUE},
    {IDD_MESSAGES, 5, 0, TRUE},       {IDD_ZENDRA, 6, 0, FALSE},
    {IDD_AUTOMODES, -1, 0, TRUE},
};

#define PICTURE_SIZE    80      /* one family picture, and its place in Button.bmp */
#define PICTURE_SHADOW  5

/* Sample texts, the longest a user is likely to see, to show clipping. */
struct tagSAMPLETEXT {
    WORD   wTemplate;
    int    iControl;
    LPCSTR lpszText;
};

static const tagSAMPLETEXT gTexts[] = {
    {IDD_WHATSTHIS, IDC_WT_LABEL1, "Function Mode:"},
    {IDD_WHATSTHIS, IDC_WT_VALUE1, "Application Launch"},
    {IDD_WHATSTHIS, IDC_WT_LABEL2, "File name:"},
    {IDD_WHATSTHIS, IDC_WT_VALUE2, "NOTEPAD.EXE"},
    {IDD_WHATSTHIS, IDC_WT_LABEL3, "Command Line:"},
    {IDD_WHATSTHIS, IDC_WT_VALUE3, "C:\\My Documents\\todo.txt"},
    {IDD_WHATSTHIS, IDC_WT_LABEL4, "Size/Position:"},
    {IDD_WHATSTHIS, IDC_WT_VALUE4, "100,100,640,480"},
    {IDD_POSITION, IDC_POS_LEFT, "100"},
    {IDD_POSITION, IDC_POS_TOP, "100"},
    {IDD_POSITION, IDC_POS_WIDTH, "640"},
    {IDD_POSITION, IDC_POS_HEIGHT, "480"},
    {IDD_LAUNCH, IDC_LAUNCH_FILE, "C:\\WINDOWS\\NOTEPAD.EXE"},
    {IDD_LAUNCH, IDC_LAUNCH_CMDLINE, "C:\\My Documents\\todo.txt"},
    {IDD_LAUNCH, IDC_LAUNCH_POSTEXT, "100,100,640,480"},
    {IDD_LAUNCH, IDC_LAUNCH_DEF_FILE, "C:\\WINDOWS\\NOTEPAD.EXE"},
    {IDD_LAUNCH, IDC_LAUNCH_DEF_CMDLINE, "C:\\My Documents\\Tom && Jerry.txt"},
    {IDD_LAUNCH, IDC_LAUNCH_DEF_POSTEXT, "100,100,640,480"},
    {IDD_WEB, IDC_WEB_ADDRESS, "http://www.example.com/remote/index.html"},
    {IDD_WEB, IDC_WEB_DEF_ADDRESS, "http://www.example.com/remote/index.html"},
    {IDD_MULTIMEDIA, IDC_MM_TRACK, "12"},
    {IDD_MULTIMEDIA, IDC_MM_DEF_DEVICE, "CDAudio"},
    {IDD_MULTIMEDIA, IDC_MM_DEF_FUNCTION, "Master Volume Down (Win95)"},
    {IDD_MULTIMEDIA, IDC_MM_DEF_TRACK, "12"},
    {IDD_EDIT, IDC_EDIT_DATA, "Kind regards,"},
    {IDD_EDIT, IDC_EDIT_DEF_FUNCTION, "Paste"},
    {IDD_EDIT, IDC_EDIT_DEF_DATA, "Kind regards,"},
    {IDD_SYSTEM, IDC_SYS_CURRENT, "CTRL-SHIFT- A, <Enter>"},
    {IDD_SYSTEM, IDC_SYS_HOTKEY_CODE, "-CSAr"},
    {IDD_SYSTEM, IDC_SYS_DEF_FUNCTION, "Tile Windows (Horizontal)"},
    {IDD_SYSTEM, IDC_SYS_DEF_CURRENT, "ALT-CTRL-SHIFT-<Page Down>, <Right Arrow>"},
    {IDD_MESSAGES, IDC_MSG_WPARAM, "00000001"},
    {IDD_MESSAGES, IDC_MSG_LPARAM, "00000000"},
    {IDD_ZENDRA, IDC_ZD_PERCENT, "40"},
    {IDD_ZENDRA, IDC_ZD_CODE, "ff"},
    {IDD_ZENDRA, IDC_ZD_PREVIEW, "A1,A3 Dim To 40%"},
    {IDD_ZENDRA, IDC_ZD_DEF_TYPE, "Command"},
    {IDD_ZENDRA, IDC_ZD_DEF_COMMAND, "A1,A3,A12 Brighten First Then Dim To 50%"},
    {IDD_AUTOMODES, IDC_AM_PROGRAM, "vlc.exe"},
};

/* Entries of lists that the real procedure fills at run time; the second of each list is
   shown selected. */
struct tagSAMPLEENTRY {
    WORD   wTemplate;
    int    iControl;
    LPCSTR lpszEntry;
};

static const tagSAMPLEENTRY gEntries[] = {
    {IDD_AUTOMODES, IDC_AM_PAIRS, "DVD\twmplayer.exe"},
    {IDD_AUTOMODES, IDC_AM_PAIRS, "WEB\tC:\\Program Files\\Mozilla Firefox\\firefox.exe"},
    {IDD_AUTOMODES, IDC_AM_PAIRS, "CD\tC:\\Program Files\\Audio\\jukebox.exe"},
    {IDD_AUTOMODES, IDC_AM_MODE, "PC"},
    {IDD_AUTOMODES, IDC_AM_MODE, "WEB"},
    {IDD_AUTOMODES, IDC_AM_MODE, "Phone"},
    {IDD_AUTOMODES, IDC_AM_MODE, "DVD"},
    {IDD_AUTOMODES, IDC_AM_MODE, "CD"},
};

/* Lists filled from Brenvik's tables; the longest entry is selected to show clipping. */
struct tagSAMPLELIST {
    WORD wTemplate;
    int  iControl;
    UINT uTable;
};

static const tagSAMPLELIST gLists[] = {
    {IDD_MULTIMEDIA, IDC_MM_FUNCTION, IDR_MEDIA_NAMES},
    {IDD_EDIT, IDC_EDIT_FUNCTION, IDR_EDIT_NAMES},
    {IDD_SYSTEM, IDC_SYS_FUNCTION, IDR_SYSTEM_NAMES},
    {IDD_HOTKEY, IDC_HK_KEY, IDR_HOTKEY_NAMES},
    {IDD_HOTKEY, IDC_HK_FOLLOWED_BY, IDR_HOTKEY_NAMES},
    {IDD_MESSAGES, IDC_MSG_NAME, IDR_MESSAGE_NAMES},
    {IDD_ZENDRA, IDC_ZD_HOUSE, IDR_HOUSE_CODES},
    {IDD_ZENDRA, IDC_ZD_SWITCH, IDR_ON_OFF},
    {IDD_ZENDRA, IDC_ZD_FUNCTION, IDR_ZENDRA_FUNCTIONS},
    {IDD_ZENDRA, IDC_ZD_UNITS, IDR_UNIT_CODES},
    {IDD_MESSAGES, IDC_MSG_SEQUENCE, IDR_MESSAGE_NAMES},
    {IDD_MESSAGES, IDC_MSG_TRACE, IDR_MESSAGE_NAMES},
};

static const tagGALLERYPAGE *gpPage;     /* page being shown */
static HBRUSH hGreyBrush;
static HBITMAP hFamilyPictures;         /* Button.bmp beside the gallery, or null */

static BOOL IsListBox(HWND hCtl)
{
    char szClass[16];
    GetClassNameA(hCtl, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, "ListBox") == 0;
}

/* Adds every entry of a string-list table; selects the longest (or, in a list box, shows
   a few entries as selected). */
static void FillFromTable(HWND hCtl, UINT uTable)
{
    HGLOBAL hData = GetRCDataZendraRes(uTable);
    LPCSTR lpszEntry = hData != NULL ? (LPCSTR)LockResource(hData) : NULL;
    if (lpszEntry == NULL)
        return;
    BOOL bListBox = IsListBox(hCtl);
    size_t cchLongest = 0;
    int iLongest = 0;
    for (int i = 0; *lpszEntry != '\0'; lpszEntry += strlen(lpszEntry) + 1, ++i) {
        SendMessageA(hCtl, bListBox ? LB_ADDSTRING : CB_ADDSTRING, 0, (LPARAM)lpszEntry);
        if (strlen(lpszEntry) > cchLongest) {
            cchLongest = strlen(lpszEntry);
            iLongest = i;
        }
    }
    FreeResource(hData);
    if (bListBox) {
        SendMessageA(hCtl, LB_SETSEL, TRUE, 0);
        SendMessageA(hCtl, LB_SETSEL, TRUE, 2);
    } else {
        ComboBox_SetCurSel(hCtl, iLongest);
    }
}

static void FillSamples(HWND hDlg, WORD wTemplate)
{
    for (const tagSAMPLETEXT &st : gTexts)
        if (st.wTemplate == wTemplate)
            SetDlgItemTextA(hDlg, st.iControl, st.lpszText);
    for (const tagSAMPLELIST &sl : gLists)
        if (sl.wTemplate == wTemplate)
            FillFromTable(GetDlgItem(hDlg, sl.iControl), sl.uTable);
    for (const tagSAMPLEENTRY &se : gEntries) {
        if (se.wTemplate != wTemplate)
            continue;
        HWND hCtl = GetDlgItem(hDlg, se.iControl);
        BOOL bListBox = IsListBox(hCtl);
        SendMessageA(hCtl, bListBox ? LB_ADDSTRING : CB_ADDSTRING, 0, (LPARAM)se.lpszEntry);
        SendMessageA(hCtl, bListBox ? LB_SETCURSEL : CB_SETCURSEL, 1, 0);
    }
    if (wTemplate == IDD_AUTOMODES) {
        int iTabStop = AM_PROGRAM_COLUMN;
        ListBox_SetTabStops(GetDlgItem(hDlg, IDC_AM_PAIRS), 1, &iTabStop);
        CheckDlgButton(hDlg, IDC_AM_ENABLED, BST_CHECKED);
    }
    if (wTemplate == IDD_WHATSTHIS)
        DestroyWindow(GetDlgItem(hDlg, IDC_WT_EXPLANATION));   /* four rows in use */
    if (wTemplate == IDD_MULTIMEDIA) {
        /* The editor lists the PC's media devices; one of them stands for that list. */
        HWND hDevice = GetDlgItem(hDlg, IDC_MM_DEVICE);
        ComboBox_SetCurSel(hDevice, ComboBox_AddString(hDevice, "cdaudio"));
    }
    if (wTemplate == IDD_POSITION || wTemplate == IDD_ZENDRA)
        CheckDlgButton(hDlg, wTemplate == IDD_POSITION ? IDC_POS_ONLY : IDC_ZD_COMMAND, BST_CHECKED);
}

static RECT PictureRect(HWND hDlg)
{
    RECT rClient;
    GetClientRect(hDlg, &rClient);
    int iCaption = GetSystemMetrics(SM_CYCAPTION);
    int iTop = gpPage->iDivisor != 0 ? (rClient.bottom - PICTURE_SIZE) / gpPage->iDivisor : iCaption;
    RECT rPicture = {iCaption, iTop, iCaption + PICTURE_SIZE, iTop + PICTURE_SIZE};
    return rPicture;
}

/* The picture the editors draw, with its shadow: the family's cell of Button.bmp, or a
   frame with a cross in its place. */
static void DrawPicture(HDC hDC, RECT rPicture, int iPicture)
{
    RECT rShadow = rPicture;
    OffsetRect(&rShadow, -PICTURE_SHADOW, -PICTURE_SHADOW);
    FillRect(hDC, &rShadow, (HBRUSH)GetStockObject(DKGRAY_BRUSH));
    if (hFamilyPictures != NULL) {
        HDC hMem = CreateCompatibleDC(hDC);
        HGDIOBJ hOld = SelectObject(hMem, hFamilyPictures);
        BitBlt(hDC, rPicture.left, rPicture.top, PICTURE_SIZE, PICTURE_SIZE, hMem,
               iPicture * PICTURE_SIZE, 0, SRCCOPY);
        SelectObject(hMem, hOld);
        DeleteDC(hMem);
        return;
    }
    FillRect(hDC, &rPicture, (HBRUSH)GetStockObject(WHITE_BRUSH));
    FrameRect(hDC, &rPicture, (HBRUSH)GetStockObject(BLACK_BRUSH));
    MoveToEx(hDC, rPicture.left, rPicture.top, NULL);
    LineTo(hDC, rPicture.right, rPicture.bottom);
    MoveToEx(hDC, rPicture.right - 1, rPicture.top, NULL);
    LineTo(hDC, rPicture.left - 1, rPicture.bottom);
}

static void OnPaint(HWND hDlg)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hDlg, &ps);
    if (gpPage->iPicture >= 0)
        DrawPicture(hDC, PictureRect(hDlg), gpPage->iPicture);
    if (gpPage->wTemplate == IDD_WHATSTHIS) {
        HICON hIcon = GetIconRes(11);
        if (hIcon != NULL)
            DrawIcon(hDC, 15, 15, hIcon);
    }
    EndPaint(hDlg, &ps);
}

static INT_PTR CALLBACK GalleryDlgProc(HWND hDlg, UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (uMessage) {
    case WM_INITDIALOG:
        FillSamples(hDlg, gpPage->wTemplate);
        return TRUE;
    case WM_PAINT:
        OnPaint(hDlg);
        return TRUE;
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (!gpPage->bGrey)
            return FALSE;
        /* Edit fields and lists keep their white ground, as on the real dialogs' screens. */
        if (uMessage == WM_CTLCOLOREDIT || uMessage == WM_CTLCOLORLISTBOX)
            return FALSE;
        SetBkColor((HDC)wParam, RGB(192, 192, 192));
        return (INT_PTR)hGreyBrush;
    }
    return FALSE;
}

static void PumpFor(DWORD dwMilliseconds)
{
    DWORD dwStart = GetTickCount();
    MSG msg;
    while (GetTickCount() - dwStart < dwMilliseconds) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

/* Copies the window's screen area into a 24-bit .bmp file. */
static BOOL SaveWindowPicture(HWND hWnd, LPCSTR lpszFile)
{
    RECT r;
    GetWindowRect(hWnd, &r);
    int cx = r.right - r.left, cy = r.bottom - r.top;
    HDC hScreen = GetDC(NULL);
    HDC hMem = CreateCompatibleDC(hScreen);
    BITMAPINFOHEADER bih = {sizeof(bih), cx, cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void *pBits = NULL;
    HBITMAP hBitmap = CreateDIBSection(hScreen, (BITMAPINFO *)&bih, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    BitBlt(hMem, 0, 0, cx, cy, hScreen, r.left, r.top, SRCCOPY);
    GdiFlush();
    DWORD cbRow = ((DWORD)cx * 3 + 3) & ~3u;
    BITMAPFILEHEADER bfh = {0x4D42, 0, 0, 0, sizeof(bfh) + sizeof(bih)};
    bfh.bfSize = bfh.bfOffBits + cbRow * cy;
    BOOL bOk = FALSE;
    FILE *pFile = fopen(lpszFile, "wb");
    if (pFile != NULL) {
        bOk = fwrite(&bfh, sizeof(bfh), 1, pFile) == 1 && fwrite(&bih, sizeof(bih), 1, pFile) == 1 &&
              fwrite(pBits, cbRow * cy, 1, pFile) == 1;
        bOk = fclose(pFile) == 0 && bOk;
    }
    SelectObject(hMem, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(NULL, hScreen);
    return bOk;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: gallery <folder>\n");
        return 2;
    }
    hGreyBrush = CreateSolidBrush(RGB(192, 192, 192));
    char szPictures[MAX_PATH];
    DWORD cch = GetModuleFileNameA(NULL, szPictures, sizeof(szPictures));
    char *pszName = cch > 0 && cch < sizeof(szPictures) ? strrchr(szPictures, '\\') : NULL;
    if (pszName != NULL && (size_t)(pszName + 1 - szPictures) + sizeof("Button.bmp") <= sizeof(szPictures)) {
        strcpy(pszName + 1, "Button.bmp");
        hFamilyPictures = (HBITMAP)LoadImageA(NULL, szPictures, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    }
    int iFailed = 0;
    for (const tagGALLERYPAGE &page : gPages) {
        gpPage = &page;
        HWND hDlg = CreateDialogRes(page.wTemplate, NULL, GalleryDlgProc);
        if (hDlg == NULL) {
            fprintf(stderr, "gallery: template %u does not load\n", page.wTemplate);
            ++iFailed;
            continue;
        }
        SetWindowPos(hDlg, HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(hDlg);
        UpdateWindow(hDlg);
        PumpFor(400);
        char szFile[MAX_PATH];
        snprintf(szFile, sizeof(szFile), "%s\\%u.bmp", argv[1], page.wTemplate);
        if (!SaveWindowPicture(hDlg, szFile)) {
            fprintf(stderr, "gallery: cannot write %s\n", szFile);
            ++iFailed;
        }
        DestroyWindow(hDlg);
        PumpFor(50);
    }
    DeleteObject(hGreyBrush);
    if (hFamilyPictures != NULL)
        DeleteObject(hFamilyPictures);
    return iFailed == 0 ? 0 : 1;
}
