// Timings of the image class against the shortest Win32 path to the same result, and against
// the peers a user might pick instead (LoadImage, GDI+). Prints one table; timings are
// reported, never asserted: the exit code only says whether every case ran and checked out.
#include "bench/BenchHarness.h"
#include "image/DIBSection.h"
#include <objidl.h>
#include <wincodec.h>
#include <gdiplus.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <new>
#include <string>
#include <vector>

namespace
{
using namespace bench;

const int kSize = 4096;         // width and height of every picture
const int kBits = 24;
const int kRuns = 7;            // timed runs per case, after one warm-up
const int kCalls = 1000;        // drawing calls per timed run
const COLORREF kInk = RGB(200, 30, 60);
const BYTE kGrey = 0x80;        // the open area of the fill case, every byte this value

CBenchApp theApp(_T("Image benchmark"));

void PrintHeader(const char* pszWine, const std::string& strFolder)
{
    printf("Image model benchmark: CDIBSection against Win32 baselines, under Wine %s\n", pszWine);
    printf("Picture %d x %d, %d bits, %.1f MB of pixels; files in %s\n", kSize, kSize, kBits,
           (double)CDIBSection::BytesPerLine(kSize, kBits) * kSize / (1024.0 * 1024.0),
           strFolder.c_str());
    printf("Times: best of %d runs after a warm-up; drawing rows: %d calls per run.\n", kRuns,
           kCalls);
    printf("Ratio = operation / baseline; the baseline runs in the same process.\n\n");
    PrintTableHead();
}

// ---------------------------------------------------------------------------------------
// Pictures and files

size_t PictureBytes() { return (size_t)CDIBSection::BytesPerLine(kSize, kBits) * kSize; }

std::string BenchFolder()
{
    std::string strDir;
    const char* pszEnv = getenv("MFCPAINT_TESTDIR");
    if (pszEnv != NULL && *pszEnv != '\0')
    {
        strDir = pszEnv;
    }
    else
    {
        char szTemp[MAX_PATH];
        DWORD n = ::GetTempPathA(MAX_PATH, szTemp);
        strDir = (n > 0 && n < MAX_PATH) ? std::string(szTemp, n) : std::string(".");
    }
    while (!strDir.empty() && (strDir.back() == '\\' || strDir.back() == '/'))
        strDir.pop_back();
    strDir += "\\mfcpaint-bench";
    ::CreateDirectoryA(strDir.c_str(), NULL);
    return strDir;
}

bool ReadWholeFile(const std::string& strPath, std::vector<BYTE>& data)
{
    HANDLE h = ::CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwSize = ::GetFileSize(h, NULL);
    data.resize(dwSize);
    DWORD dwRead = 0;
    BOOL bOk = dwSize != INVALID_FILE_SIZE && ::ReadFile(h, data.data(), dwSize, &dwRead, NULL);
    ::CloseHandle(h);
    return bOk && dwRead == dwSize;
}

// ---------------------------------------------------------------------------------------
// Files, copy

void BenchLoad(const std::string& strPath, const BYTE* pExpected)
{
    const size_t cbPixels = PictureBytes();
    bool bChecked = false;
    const CString strLibraryPath(strPath.c_str());   // the library takes TCHAR text

    // Loads into a fresh object; the first load is compared with the picture.
    auto load = [&]() -> double {
        CDIBSection dib;
        CStopwatch sw;
        BOOL bOk = FALSE;
        try
        {
            bOk = dib.Load(strLibraryPath);
        }
        catch (CException* e)
        {
            e->Delete();
        }
        double ms = sw.Ms();
        if (!bOk || dib.GetWidth() != kSize || dib.GetHeight() != kSize || dib.GetDIBits() == NULL)
            return -1;
        if (!bChecked)
        {
            ::GdiFlush();
            if (memcmp(dib.GetDIBits(), pExpected, cbPixels) != 0)
                return -1;
            bChecked = true;
        }
        return ms;
    };

    // The shortest honest path: one read, a section of the file's header, one copy.
    auto readFile = [&]() -> double {
        CStopwatch sw;
        HANDLE h = ::CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return -1;
        DWORD dwSize = ::GetFileSize(h, NULL);
        BYTE* pFile = dwSize != INVALID_FILE_SIZE ? (BYTE*)malloc(dwSize) : NULL;
        DWORD dwRead = 0;
        BOOL bRead = pFile != NULL && ::ReadFile(h, pFile, dwSize, &dwRead, NULL) && dwRead == dwSize;
        ::CloseHandle(h);
        HBITMAP hbm = NULL;
        if (bRead && dwSize > sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        {
            const BITMAPFILEHEADER* pbfh = (const BITMAPFILEHEADER*)pFile;
            BITMAPINFO* pbmi = (BITMAPINFO*)(pFile + sizeof(BITMAPFILEHEADER));
            void* pBits = NULL;
            hbm = ::CreateDIBSection(NULL, pbmi, DIB_RGB_COLORS, &pBits, NULL, 0);
            if (hbm != NULL && pBits != NULL && pbfh->bfOffBits + cbPixels <= dwSize)
                memcpy(pBits, pFile + pbfh->bfOffBits, cbPixels);
            else if (hbm != NULL)
            {
                ::DeleteObject(hbm);
                hbm = NULL;
            }
        }
        free(pFile);
        double ms = sw.Ms();
        if (hbm == NULL)
            return -1;
        ::DeleteObject(hbm);
        return ms;
    };

    bool bLoadImageChecked = false;
    // Only a section of the file's own format is a fair peer.
    auto loadImage = [&]() -> double {
        CStopwatch sw;
        HBITMAP hbm = (HBITMAP)::LoadImageA(NULL, strPath.c_str(), IMAGE_BITMAP, 0, 0,
                                            LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        double ms = sw.Ms();
        if (hbm == NULL)
            return -1;
        if (!bLoadImageChecked)
        {
            DIBSECTION ds;
            bLoadImageChecked = ::GetObject(hbm, sizeof(ds), &ds) == sizeof(ds)
                && ds.dsBmih.biBitCount == kBits && ds.dsBm.bmBits != NULL
                && memcmp(ds.dsBm.bmBits, pExpected, cbPixels) == 0;
            if (!bLoadImageChecked)
                ms = -1;
        }
        ::DeleteObject(hbm);
        return ms;
    };

    WCHAR wszPath[MAX_PATH];
    if (::MultiByteToWideChar(CP_ACP, 0, strPath.c_str(), -1, wszPath, MAX_PATH) == 0)
        wszPath[0] = 0;
    bool bGdipChecked = false;
    // GDI+ decodes lazily: locking the whole image in the picture's format forces it.
    auto gdiplus = [&]() -> double {
        CStopwatch sw;
        Gdiplus::Bitmap* pBitmap = new Gdiplus::Bitmap(wszPath);
        Gdiplus::Rect rc(0, 0, kSize, kSize);
        Gdiplus::BitmapData data;
        bool bOk = pBitmap->GetLastStatus() == Gdiplus::Ok
            && pBitmap->LockBits(&rc, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB, &data)
                   == Gdiplus::Ok;
        double ms = sw.Ms();
        if (bOk)
        {
            // GDI+ rows run top-down, the file's bottom-up.
            if (!bGdipChecked)
            {
                const size_t nStride = (size_t)CDIBSection::BytesPerLine(kSize, kBits);
                for (int y = 0; y < kSize && bOk; y++)
                    bOk = memcmp((const BYTE*)data.Scan0 + (ptrdiff_t)data.Stride * y,
                                 pExpected + nStride * (kSize - 1 - y), 3 * kSize) == 0;
                bGdipChecked = bOk;
            }
            pBitmap->UnlockBits(&data);
        }
        delete pBitmap;
        return bOk ? ms : -1;
    };

    double dOp = 0, dBase = 0;
    bool bOk = MeasurePair(kRuns, load, readFile, dOp, dBase);
    PrintRow("Load vs ReadFile + CreateDIBSection + memcpy", bOk, dOp, dBase, 1.3);
    bOk = MeasurePair(kRuns, load, loadImage, dOp, dBase);
    PrintRow("Load vs LoadImage(LR_LOADFROMFILE)", bOk, dOp, dBase, 1.0);
    bOk = MeasurePair(kRuns, load, gdiplus, dOp, dBase);
    PrintRow("Load vs GDI+ Bitmap + LockBits", bOk, dOp, dBase, 0);
}

void BenchSave(CDIBSection& picture, const std::string& strSavePath, const std::string& strWritePath)
{
    std::vector<BYTE> fileBytes;
    const size_t cbExpected = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + PictureBytes();
    const CString strLibraryPath(strSavePath.c_str());   // the library takes TCHAR text

    auto save = [&]() -> double {
        CStopwatch sw;
        BOOL bOk = FALSE;
        try
        {
            bOk = picture.Save(strLibraryPath);
        }
        catch (CException* e)
        {
            e->Delete();
        }
        double ms = sw.Ms();
        return bOk ? ms : -1;
    };

    // The same bytes, already complete in memory, written to strPath in one call; flushed to
    // the disk when bFlush.
    auto writeBytes = [&](const std::string& strPath, bool bFlush) -> bool {
        HANDLE h = ::CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        DWORD dwWritten = 0;
        BOOL bOk = ::WriteFile(h, fileBytes.data(), (DWORD)fileBytes.size(), &dwWritten, NULL)
            && (!bFlush || ::FlushFileBuffers(h));
        ::CloseHandle(h);
        return bOk && dwWritten == fileBytes.size();
    };
    auto write = [&]() -> double {
        CStopwatch sw;
        bool bOk = writeBytes(strWritePath, false);
        double ms = sw.Ms();
        return bOk ? ms : -1;
    };
    // The same bytes replacing the file as Save does: a temporary file beside it, flushed to
    // the disk and renamed over the target.
    const std::string strTempPath = strWritePath + ".new";
    auto replace = [&]() -> double {
        CStopwatch sw;
        bool bOk = writeBytes(strTempPath, true)
            && ::MoveFileExA(strTempPath.c_str(), strWritePath.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        double ms = sw.Ms();
        return bOk ? ms : -1;
    };

    double dOp = 0, dBase = 0;
    // The baseline needs the bytes Save writes; a file shorter than header and pixels is wrong.
    bool bOk = save() >= 0 && ReadWholeFile(strSavePath, fileBytes) && fileBytes.size() >= cbExpected
        && MeasurePair(kRuns, save, write, dOp, dBase);
    // For scale only: Save also flushes a temporary file and renames it over the target, so
    // that a failed write never costs the old file; the next row is the like-for-like one.
    PrintRow("Save vs one WriteFile of the same bytes", bOk, dOp, dBase, 0);
    bOk = bOk && MeasurePair(kRuns, save, replace, dOp, dBase);
    PrintRow("Save vs WriteFile + flush + rename over it", bOk, dOp, dBase, 1.3);
}

void BenchCopy(CDIBSection& picture)
{
    const size_t cbPixels = PictureBytes();
    bool bChecked = false;

    auto copy = [&]() -> double {
        CDIBSection dib;
        CStopwatch sw;
        BOOL bOk = dib.Copy(picture);
        double ms = sw.Ms();
        if (!bOk || dib.GetDIBits() == NULL || dib.GetWidth() != kSize)
            return -1;
        if (!bChecked)
        {
            ::GdiFlush();
            if (memcmp(dib.GetDIBits(), picture.GetDIBits(), cbPixels) != 0)
                return -1;
            bChecked = true;
        }
        return ms;
    };

    auto memCopy = [&]() -> double {
        CStopwatch sw;
        void* pBits = NULL;
        HBITMAP hbm = CreateRawSection(kSize, &pBits);
        if (hbm != NULL)
            memcpy(pBits, picture.GetDIBits(), cbPixels);
        double ms = sw.Ms();
        if (hbm == NULL)
            return -1;
        ::DeleteObject(hbm);
        return ms;
    };

    double dOp = 0, dBase = 0;
    bool bOk = MeasurePair(kRuns, copy, memCopy, dOp, dBase);
    PrintRow("Copy vs CreateDIBSection + memcpy", bOk, dOp, dBase, 1.3);
}

// ---------------------------------------------------------------------------------------
// Drawing primitives: the class lends and takes back its memory DC and makes its pen or
// brush on every call; the baseline keeps one DC with the tool selected once.

struct Shape
{
    CPoint pt1;
    CPoint pt2;
};

class CDrawBench
{
public:
    CDrawBench(CDIBSection& dib, HDC hdc) : m_dib(dib), m_hdc(hdc)
    {
        // Spread over the picture, away from the edges, of varied sizes.
        for (int i = 0; i < kCalls; i++)
        {
            int x = 64 + (i * 397) % (kSize - 320);
            int y = 64 + (i * 619) % (kSize - 320);
            m_shapes.push_back(Shape{CPoint(x, y), CPoint(x + 40 + i % 160, y + 30 + (i * 7) % 120)});
        }
    }

    // op draws shape i through the class; base draws it on the long-lived DC, with the tool
    // that select() put there (select() returns what to put back).
    template <class TOp, class TSelect, class TBase>
    void Run(const char* pszCase, TOp op, TSelect select, TBase base)
    {
        auto opRun = [&]() -> double {
            CStopwatch sw;
            for (int i = 0; i < kCalls; i++)
                if (!op(m_shapes[i]))
                    return -1;
            ::GdiFlush();
            return sw.Ms();
        };
        auto baseRun = [&]() -> double {
            std::vector<HGDIOBJ> old = select();
            CStopwatch sw;
            for (int i = 0; i < kCalls; i++)
                if (!base(m_shapes[i]))
                    return -1;
            ::GdiFlush();
            double ms = sw.Ms();
            for (HGDIOBJ h : old)
                ::SelectObject(m_hdc, h);
            return ms;
        };
        double dOp = 0, dBase = 0;
        bool bOk = MeasurePair(kRuns, opRun, baseRun, dOp, dBase);
        char szCase[64];
        snprintf(szCase, sizeof(szCase), "%s (x%d)", pszCase, kCalls);
        PrintRow(szCase, bOk, dOp, dBase, 0);
    }

    void RunAll()
    {
        HDC hdc = m_hdc;
        CDIBSection& dib = m_dib;
        HPEN hPen1 = ::CreatePen(PS_SOLID, 1, kInk);
        HPEN hPen5 = ::CreatePen(PS_SOLID, 5, kInk);
        HBRUSH hBrush = ::CreateSolidBrush(kInk);
        auto pen = [&](HPEN hPen) {
            return [=]() { return std::vector<HGDIOBJ>{::SelectObject(hdc, hPen)}; };
        };
        auto outline = [=]() {
            return std::vector<HGDIOBJ>{::SelectObject(hdc, hPen1),
                                        ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH))};
        };
        auto filled = [=]() {
            return std::vector<HGDIOBJ>{::SelectObject(hdc, hBrush),
                                        ::SelectObject(hdc, ::GetStockObject(NULL_PEN))};
        };
        auto nothing = []() { return std::vector<HGDIOBJ>(); };

        // The class includes both corner points; its filled shapes go one pixel further
        // because GDI fills one less with the null pen.
        Run("DrawPoint width 1 vs SetPixelV",
            [&](const Shape& s) { return dib.DrawPoint(s.pt1, 1, kInk) != FALSE; }, nothing,
            [&](const Shape& s) { return ::SetPixelV(hdc, s.pt1.x, s.pt1.y, kInk) != FALSE; });
        Run("DrawPoint width 5 vs Ellipse, wide pen",
            [&](const Shape& s) { return dib.DrawPoint(s.pt1, 5, kInk) != FALSE; }, pen(hPen5),
            [&](const Shape& s) {
                return ::Ellipse(hdc, s.pt1.x, s.pt1.y, s.pt1.x + 1, s.pt1.y + 1) != FALSE;
            });
        Run("DrawLine vs MoveTo + LineTo + SetPixelV",
            [&](const Shape& s) { return dib.DrawLine(s.pt1, s.pt2, 1, kInk) != FALSE; }, pen(hPen1),
            [&](const Shape& s) {
                ::MoveToEx(hdc, s.pt1.x, s.pt1.y, NULL);
                return ::LineTo(hdc, s.pt2.x, s.pt2.y) && ::SetPixelV(hdc, s.pt2.x, s.pt2.y, kInk);
            });
        Run("DrawRectangle outlined vs Rectangle",
            [&](const Shape& s) { return dib.DrawRectangle(s.pt1, s.pt2, 1, kInk, FALSE, FALSE) != FALSE; },
            outline,
            [&](const Shape& s) {
                return ::Rectangle(hdc, s.pt1.x, s.pt1.y, s.pt2.x + 1, s.pt2.y + 1) != FALSE;
            });
        Run("DrawRectangle filled vs Rectangle",
            [&](const Shape& s) { return dib.DrawRectangle(s.pt1, s.pt2, 1, kInk, TRUE, FALSE) != FALSE; },
            filled,
            [&](const Shape& s) {
                return ::Rectangle(hdc, s.pt1.x, s.pt1.y, s.pt2.x + 2, s.pt2.y + 2) != FALSE;
            });
        Run("DrawRectangle rounded vs RoundRect",
            [&](const Shape& s) { return dib.DrawRectangle(s.pt1, s.pt2, 1, kInk, FALSE, TRUE) != FALSE; },
            outline,
            [&](const Shape& s) {
                int cx = s.pt2.x + 1 - s.pt1.x, cy = s.pt2.y + 1 - s.pt1.y;
                return ::RoundRect(hdc, s.pt1.x, s.pt1.y, s.pt2.x + 1, s.pt2.y + 1, cx / 3, cy / 3)
                    != FALSE;
            });
        Run("DrawEllipse outlined vs Ellipse",
            [&](const Shape& s) { return dib.DrawEllipse(s.pt1, s.pt2, 1, kInk, FALSE) != FALSE; },
            outline,
            [&](const Shape& s) {
                return ::Ellipse(hdc, s.pt1.x, s.pt1.y, s.pt2.x + 1, s.pt2.y + 1) != FALSE;
            });
        Run("DrawEllipse filled vs Ellipse",
            [&](const Shape& s) { return dib.DrawEllipse(s.pt1, s.pt2, 1, kInk, TRUE) != FALSE; },
            filled,
            [&](const Shape& s) {
                return ::Ellipse(hdc, s.pt1.x, s.pt1.y, s.pt2.x + 2, s.pt2.y + 2) != FALSE;
            });

        const CString strText(_T("Paint 0123456789"));
        const UINT nFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
        int nOldMode = ::SetBkMode(hdc, TRANSPARENT);
        COLORREF crOldText = ::SetTextColor(hdc, kInk);
        Run("DrawText vs DrawText",
            [&](const Shape& s) {
                return dib.DrawText(strText, CRect(s.pt1, s.pt2), nFormat, kInk) != FALSE;
            },
            nothing,
            [&](const Shape& s) {
                RECT rc = {s.pt1.x, s.pt1.y, s.pt2.x, s.pt2.y};
                return ::DrawText(hdc, strText, strText.GetLength(), &rc, nFormat) > 0;
            });
        ::SetTextColor(hdc, crOldText);
        ::SetBkMode(hdc, nOldMode);

        Run("ClearRect vs FillRect",
            [&](const Shape& s) {
                RECT rc = {s.pt1.x, s.pt1.y, s.pt2.x, s.pt2.y};
                return dib.ClearRect(&rc, kInk) != FALSE;
            },
            nothing,
            [&](const Shape& s) {
                RECT rc = {s.pt1.x, s.pt1.y, s.pt2.x, s.pt2.y};
                return ::FillRect(hdc, &rc, hBrush) != 0;
            });
        Run("SetPixel vs SetPixelV",
            [&](const Shape& s) { return dib.SetPixel(s.pt2, kInk) != FALSE; }, nothing,
            [&](const Shape& s) { return ::SetPixelV(hdc, s.pt2.x, s.pt2.y, kInk) != FALSE; });
        Run("GetPixel vs GetPixel",
            [&](const Shape& s) { return dib.GetPixel(s.pt2) != CLR_INVALID; }, nothing,
            [&](const Shape& s) { return ::GetPixel(hdc, s.pt2.x, s.pt2.y) != CLR_INVALID; });

        ::DeleteObject(hPen1);
        ::DeleteObject(hPen5);
        ::DeleteObject(hBrush);
    }

private:
    CDIBSection& m_dib;
    HDC m_hdc;
    std::vector<Shape> m_shapes;
};

void BenchDrawing(CDIBSection& picture)
{
    CDIBSection dib;
    if (!dib.Copy(picture))
    {
        PrintRow("drawing primitives", false, 0, 0, 0);
        return;
    }
    void* pBits = NULL;
    HBITMAP hbm = CreateRawSection(kSize, &pBits);
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOldBitmap = (hbm != NULL && hdc != NULL) ? ::SelectObject(hdc, hbm) : NULL;
    if (hOldBitmap == NULL)
        PrintRow("drawing primitives", false, 0, 0, 0);
    else
    {
        memcpy(pBits, picture.GetDIBits(), PictureBytes());
        CDrawBench(dib, hdc).RunAll();
        ::SelectObject(hdc, hOldBitmap);
    }
    if (hdc != NULL)
        ::DeleteDC(hdc);
    if (hbm != NULL)
        ::DeleteObject(hbm);
}

// ---------------------------------------------------------------------------------------
// Flood fill of one open area covering the whole picture.

// Every pixel of the bits holds the fill colour.
bool AllFilled(const BYTE* pBits)
{
    const int nStride = CDIBSection::BytesPerLine(kSize, kBits);
    for (int y = 0; y < kSize; y++)
    {
        const BYTE* p = pBits + (size_t)nStride * y;
        for (int x = 0; x < kSize; x++, p += 3)
            if (p[0] != GetBValue(kInk) || p[1] != GetGValue(kInk) || p[2] != GetRValue(kInk))
                return false;
    }
    return true;
}

void BenchFloodFill()
{
    const size_t cbPixels = PictureBytes();
    CDIBSection dib;
    void* pBits = NULL;
    HBITMAP hbm = CreateRawSection(kSize, &pBits);
    HDC hdc = ::CreateCompatibleDC(NULL);
    HBRUSH hBrush = ::CreateSolidBrush(kInk);
    HGDIOBJ hOldBitmap = (hbm != NULL && hdc != NULL) ? ::SelectObject(hdc, hbm) : NULL;
    bool bReady = hOldBitmap != NULL && hBrush != NULL
        && dib.CreateBitmap(kSize, kSize, 1, kBits) && dib.GetDIBits() != NULL;
    HGDIOBJ hOldBrush = bReady ? ::SelectObject(hdc, hBrush) : NULL;
    const CPoint ptCentre(kSize / 2, kSize / 2);

    auto fill = [&]() -> double {
        ::GdiFlush();
        memset(dib.GetDIBits(), kGrey, cbPixels);
        CStopwatch sw;
        BOOL bOk = dib.FloodFill(ptCentre, kInk);
        double ms = sw.Ms();
        ::GdiFlush();
        return bOk && AllFilled((const BYTE*)dib.GetDIBits()) ? ms : -1;
    };
    auto extFill = [&]() -> double {
        ::GdiFlush();
        memset(pBits, kGrey, cbPixels);
        CStopwatch sw;
        BOOL bOk = ::ExtFloodFill(hdc, ptCentre.x, ptCentre.y, RGB(kGrey, kGrey, kGrey),
                                  FLOODFILLSURFACE);
        ::GdiFlush();
        double ms = sw.Ms();
        return bOk && AllFilled((const BYTE*)pBits) ? ms : -1;
    };

    double dOp = 0, dBase = 0;
    bool bOk = bReady && MeasurePair(kRuns, fill, extFill, dOp, dBase);
    PrintRow("FloodFill vs ExtFloodFill(FLOODFILLSURFACE)", bOk, dOp, dBase, 1.0);

    if (hOldBrush != NULL)
        ::SelectObject(hdc, hOldBrush);
    if (hOldBitmap != NULL)
        ::SelectObject(hdc, hOldBitmap);
    if (hdc != NULL)
        ::DeleteDC(hdc);
    if (hbm != NULL)
        ::DeleteObject(hbm);
    if (hBrush != NULL)
        ::DeleteObject(hBrush);
}

// Writes the picture as a bitmap file with a V5 header (124 bytes, uncompressed 24-bit rows).
bool WriteV5Bitmap(CDIBSection& picture, const std::string& strPath)
{
    const DWORD cbPixels = (DWORD)PictureBytes();
    BITMAPV5HEADER v5;
    memset(&v5, 0, sizeof(v5));
    v5.bV5Size = sizeof(v5);
    v5.bV5Width = kSize;
    v5.bV5Height = kSize;
    v5.bV5Planes = 1;
    v5.bV5BitCount = (WORD)kBits;
    v5.bV5Compression = BI_RGB;
    v5.bV5SizeImage = cbPixels;
    v5.bV5CSType = 0x73524742;   // 'sRGB'
    v5.bV5Intent = LCS_GM_IMAGES;
    BITMAPFILEHEADER bfh;
    memset(&bfh, 0, sizeof(bfh));
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(bfh) + sizeof(v5);
    bfh.bfSize = bfh.bfOffBits + cbPixels;
    HANDLE hFile = ::CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD n1 = 0, n2 = 0, n3 = 0;
    ::GdiFlush();
    const bool bOk = ::WriteFile(hFile, &bfh, sizeof(bfh), &n1, NULL) && ::WriteFile(hFile, &v5, sizeof(v5), &n2, NULL) &&
                     ::WriteFile(hFile, picture.GetDIBits(), cbPixels, &n3, NULL) && n3 == cbPixels;
    ::CloseHandle(hFile);
    return bOk;
}

// The imaging component's own decode of the file into a 24-bit buffer: decoder, first frame,
// a converter to BGR, one CopyPixels of the whole picture. Rows come top-down.
double DecodeWithWic(const std::wstring& strPath, BYTE** ppKeep)
{
    CStopwatch sw;
    IWICImagingFactory* pFactory = NULL;
    IWICBitmapDecoder* pDecoder = NULL;
    IWICBitmapFrameDecode* pFrame = NULL;
    IWICFormatConverter* pConverter = NULL;
    const UINT nStride = (UINT)CDIBSection::BytesPerLine(kSize, kBits);
    BYTE* pBuffer = new (std::nothrow) BYTE[(size_t)nStride * kSize];
    bool bOk = pBuffer != NULL &&
               SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                            (void**)&pFactory)) &&
               SUCCEEDED(pFactory->CreateDecoderFromFilename(strPath.c_str(), NULL, GENERIC_READ,
                                                             WICDecodeMetadataCacheOnDemand, &pDecoder)) &&
               SUCCEEDED(pDecoder->GetFrame(0, &pFrame)) && SUCCEEDED(pFactory->CreateFormatConverter(&pConverter)) &&
               SUCCEEDED(pConverter->Initialize(pFrame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, NULL, 0.0,
                                                WICBitmapPaletteTypeCustom)) &&
               SUCCEEDED(pConverter->CopyPixels(NULL, nStride, nStride * kSize, pBuffer));
    for (IUnknown* p : {(IUnknown*)pConverter, (IUnknown*)pFrame, (IUnknown*)pDecoder, (IUnknown*)pFactory})
        if (p != NULL)
            p->Release();
    const double ms = sw.Ms();
    if (ppKeep != NULL && bOk)
        *ppKeep = pBuffer;
    else
        delete[] pBuffer;
    return bOk ? ms : -1;
}

// LoadPicture of a 4096 x 4096 PNG and of the same picture as a V5 bitmap file, each against
// the imaging component's own decode of the same file in the same run.
void BenchPictureFiles(CDIBSection& picture, const std::string& strFolder)
{
    const std::string strPng = strFolder + "\\picture.png", strV5 = strFolder + "\\picture-v5.bmp";
    if (!picture.SavePicture(CString(strPng.c_str())) || !WriteV5Bitmap(picture, strV5))
    {
        Fail("cannot write the PNG and V5 picture files");
        return;
    }
    ::GdiFlush();
    const BYTE* pExpected = (const BYTE*)picture.GetDIBits();
    const size_t cbPixels = PictureBytes();
    const HRESULT hrCom = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    for (const std::string* pPath : {&strPng, &strV5})
    {
        const CString strLibraryPath(pPath->c_str());
        const std::wstring strWide(CStringW(pPath->c_str()).GetString());
        bool bChecked = false, bBaseChecked = false;
        auto load = [&]() -> double {
            CDIBSection dib;
            CStopwatch sw;
            const BOOL bLoaded = dib.LoadPicture(strLibraryPath);
            double ms = sw.Ms();
            if (!bLoaded)
                return -1;
            if (!bChecked)
            {
                ::GdiFlush();
                bChecked = dib.GetBitCount() == kBits && memcmp(dib.GetDIBits(), pExpected, cbPixels) == 0;
                if (!bChecked)
                    ms = -1;
            }
            return ms;
        };
        auto wic = [&]() -> double {
            BYTE* pBuffer = NULL;
            double ms = DecodeWithWic(strWide, bBaseChecked ? NULL : &pBuffer);
            if (pBuffer != NULL)
            {
                // The buffer runs top-down, the picture's bits bottom-up.
                const size_t nStride = (size_t)CDIBSection::BytesPerLine(kSize, kBits);
                bBaseChecked = true;
                for (int y = 0; y < kSize && bBaseChecked; y++)
                    bBaseChecked = memcmp(pBuffer + nStride * y, pExpected + nStride * (kSize - 1 - y), nStride) == 0;
                delete[] pBuffer;
                if (!bBaseChecked)
                    ms = -1;
            }
            return ms;
        };
        double dOp = 0, dBase = 0;
        const bool bOk = MeasurePair(kRuns, load, wic, dOp, dBase);
        PrintRow(pPath == &strPng ? "LoadPicture PNG vs WIC decode + CopyPixels" : "LoadPicture V5 BMP vs WIC decode + CopyPixels",
                 bOk, dOp, dBase, 1.2);
    }
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
    ::DeleteFileA(strPng.c_str());
    ::DeleteFileA(strV5.c_str());
}

int RunBench()
{
    const std::string strFolder = BenchFolder();
    const std::string strPicture = strFolder + "\\picture.bmp";
    const std::string strSaved = strFolder + "\\saved.bmp";
    const std::string strWritten = strFolder + "\\written.bmp";

    PrintHeader(WineVersion(), strFolder);
    CStopwatch swTotal;

    CDIBSection picture;
    if (!picture.CreateBitmap(kSize, kSize, 1, kBits) || picture.GetDIBits() == NULL)
    {
        Fail("cannot create the 4096 x 4096 picture");
        return 1;
    }
    ::GdiFlush();
    PaintPattern((BYTE*)picture.GetDIBits(), kSize);
    if (!picture.Save(CString(strPicture.c_str())))
    {
        Fail("cannot save the picture file");
        return 1;
    }

    BenchLoad(strPicture, (const BYTE*)picture.GetDIBits());
    BenchSave(picture, strSaved, strWritten);
    BenchPictureFiles(picture, strFolder);
    BenchCopy(picture);
    BenchDrawing(picture);
    BenchFloodFill();

    PrintSummary(swTotal);

    ::DeleteFileA(strPicture.c_str());
    ::DeleteFileA(strSaved.c_str());
    ::DeleteFileA(strWritten.c_str());
    ::RemoveDirectoryA(strFolder.c_str());
    return 0;
}
}

int main()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR gdipToken = 0;
    if (Gdiplus::GdiplusStartup(&gdipToken, &input, NULL) != Gdiplus::Ok)
    {
        fprintf(stderr, "error: GdiplusStartup failed\n");
        return 1;
    }

    int nResult = bench::RunGuarded(RunBench);
    Gdiplus::GdiplusShutdown(gdipToken);
    return bench::ExitCode(nResult);
}
