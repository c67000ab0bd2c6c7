// CDIBSection: a device-independent bitmap held in a Win32 DIB section, with its header,
// colour table, logical palette, one lendable memory DC and an optional DrawDib context.
// It is the image type of the whole library: the paint control's picture, its undo
// snapshots, its drag image and its mask are all held in objects of this class.
#pragma once
#include <afxwin.h>
#include <vfw.h>

class COleDataObject;

// Flags of CDIBSection::LoadPicture and SavePicture.
#define PNT_PICTURE_KEEP_ALPHA 0x0001   // keep the alpha byte in a 32-bit image instead of composing

// File formats of CDIBSection::SavePicture.
#define PNT_PICTURE_FROM_EXTENSION 0     // by the file name: .png, or .bmp and .dib
#define PNT_PICTURE_BMP 1
#define PNT_PICTURE_PNG 2
class IDIBSectionUI;
namespace diblayout
{
struct Layout;
}

class AFX_EXT_CLASS CDIBSection : public CObject
{
    DECLARE_DYNCREATE(CDIBSection)
public:
    CDIBSection();
    virtual ~CDIBSection();

    // Standard palette: the twenty static colours, a 6x6x6 cube and greys (256 entries).
    static PALETTEENTRY ms_StdColors[256];

    static int NumColorEntries(int nBitsPerPixel);
    // Row stride of a DIB: rows are padded to a multiple of 4 bytes.
    static int BytesPerLine(int nWidth, int nBitsPerPixel);
    static BOOL UsesPalette(CDC* pDC);

    // The messages and questions of every image go to pUI (see DIBSectionUI.h); the class
    // shows no window itself. Returns the interface installed before. The library installs
    // its own when it loads; NULL silences messages and refuses conversions that need asking.
    static IDIBSectionUI* SetUserInterface(IDIBSectionUI* pUI);
    static IDIBSectionUI* GetUserInterface();

    // Accessors
    CSize GetSize() const { return CSize(m_DIBInfo.bmiHeader.biWidth, m_DIBInfo.bmiHeader.biHeight); }
    int GetWidth() const { return m_DIBInfo.bmiHeader.biWidth; }
    int GetHeight() const { return m_DIBInfo.bmiHeader.biHeight; }
    int GetPlanes() const { return m_DIBInfo.bmiHeader.biPlanes; }
    int GetBitCount() const { return m_DIBInfo.bmiHeader.biBitCount; }
    LPVOID GetDIBits() { return m_pBits; }
    LPBITMAPINFO GetBitmapInfo() { return (LPBITMAPINFO)&m_DIBInfo; }
    LPBITMAPINFOHEADER GetBitmapInfoHeader() { return &m_DIBInfo.bmiHeader; }
    DWORD GetImageSize() const { return m_DIBInfo.bmiHeader.biSizeImage; }
    operator HBITMAP() const { return GetSafeHandle(); }
    // NULL for an empty image, and also when called through a null object pointer.
    HBITMAP GetSafeHandle() const;
    BOOL IsValid() const { return m_hBitmap != NULL; }
    CPalette* GetPalette() { return &m_Palette; }
    RGBQUAD* GetColorTable() { return m_DIBInfo.arColors; }
    int GetColorTableSize() const { return m_nColorTableSize; }

    // Life cycle and content
    void DeleteObject();
    BOOL CreateBitmap(int cx, int cy, UINT nPlanes, UINT nBitsPerPixel, const void* pBits = NULL,
                      LOGPALETTE* pPalette = NULL, CStringArray* pColorArray = NULL);
    BOOL SetBitmap(BITMAPINFO* pInfo, void* pBits);
    BOOL SetBitmap(HBITMAP hBitmap, CPalette* pPalette = NULL);
    BOOL SetBitmap(UINT nResourceID);
    BOOL SetBitmap(LPCTSTR lpszResourceName);
    BOOL Copy(CDIBSection& src);
    BOOL Resize(int cx, int cy, UINT nPlanes, UINT nBitsPerPixel, POINT* ptOffset = NULL);

    // Pixels in image coordinates, (0,0) the top-left pixel.
    COLORREF GetPixel(int x, int y);
    COLORREF GetPixel(CPoint pt) { return GetPixel(pt.x, pt.y); }
    BOOL SetPixel(int x, int y, COLORREF cr);
    BOOL SetPixel(CPoint pt, COLORREF cr) { return SetPixel(pt.x, pt.y, cr); }
    // Row nRow in memory order: row 0 is the bottom row of the picture. No range check.
    LPBYTE GetDIBitsRow(int nRow);

    // The one memory DC that this object lends; a second request ends the first loan.
    CDC* GetMemoryDC(CDC* pDC = NULL, BOOL bSelectPalette = TRUE);
    BOOL ReleaseMemoryDC(BOOL bForce = FALSE);

    BOOL SetDither(BOOL bDither);
    BOOL GetDither() const;

    // Files. Load gives FALSE for a file it cannot use and may throw CFileException on a
    // read error. Save writes a temporary file beside the target and puts it in the target's
    // place only when it is complete: FALSE when that cannot be done, CFileException when a
    // write fails (a full disk); either way an existing file stays as it was.
    BOOL Load(LPCTSTR lpszPathName);
    BOOL Save(LPCTSTR lpszPathName);

    // Picture files of every common format, read through the Windows Imaging Component:
    // bitmaps of every header and compression, PNG, JPEG, GIF (the first frame), TIFF (the
    // first page) and icons (the largest image). Palette pictures of 1, 4 or 8 bits keep
    // their depth and colours, the others become 24-bit. Alpha is composed over crBackground,
    // or kept in a 32-bit image with PNT_PICTURE_KEEP_ALPHA. FALSE for a file that cannot be
    // read whole, and then the image stays exactly as it was.
    BOOL LoadPicture(LPCTSTR lpszPathName, COLORREF crBackground = RGB(255, 255, 255), DWORD dwFlags = 0);
    // Writes PNG or a bitmap file (dwFormat, or the file name's extension). PNG holds 24-bit
    // colour, or a 32-bit image with its alpha byte under PNT_PICTURE_KEEP_ALPHA; a bitmap file
    // is written as Save writes it. FALSE on any failure, a full disk included; an existing
    // file is replaced only by a complete new one.
    BOOL SavePicture(LPCTSTR lpszPathName, DWORD dwFormat = PNT_PICTURE_FROM_EXTENSION, DWORD dwFlags = 0);
    // The filter for CFileDialog of the formats LoadPicture reads (bForSaving FALSE, with
    // "All pictures" first) or SavePicture writes (TRUE).
    static CString GetPictureFilter(BOOL bForSaving);

    // Drawing primitives, in image coordinates
    BOOL DrawPoint(CPoint pt, int nWidth, COLORREF cr);
    BOOL DrawLine(CPoint ptFrom, CPoint ptTo, int nWidth, COLORREF cr);
    BOOL DrawRectangle(CPoint pt1, CPoint pt2, int nWidth, COLORREF cr, BOOL bFilled, BOOL bRounded);
    BOOL DrawEllipse(CPoint pt1, CPoint pt2, int nWidth, COLORREF cr, BOOL bFilled);
    BOOL DrawText(CString str, CRect rc, UINT nFormat, COLORREF cr, CFont* pFont = NULL);
    BOOL FloodFill(CPoint pt, COLORREF cr);
    BOOL Clear(COLORREF cr = RGB(255, 255, 255));
    BOOL ClearRect(RECT* prc, COLORREF cr = RGB(255, 255, 255));

    // Palettes and colour tables
    static BOOL CreateHalftonePalette(CPalette& palette, int nColors);
    BOOL CreatePalette();
    BOOL SetPalette(CPalette* pPalette);
    BOOL SetLogPalette(LOGPALETTE* pLogPalette);
    LOGPALETTE* GetLogPalette();
    BOOL SetColorTable(UINT nColors, RGBQUAD* pColors);
    COLORREF* CreateColorRefTbl();

    // Display and transparent blits; pt is in pDC's logical coordinates.
    BOOL Draw(CDC* pDC, CPoint pt, POINT* ptSrc = NULL, SIZE* pSize = NULL);
    BOOL Stretch(CDC* pDC, CPoint pt, CSize size);
    BOOL DrawTransparent(CDC* pDC, CPoint pt, COLORREF crTransparent, POINT* ptSrc = NULL, SIZE* pSize = NULL);
    BOOL DrawTransparent(CDC* pDC, CPoint pt, HBITMAP hMask, POINT* ptSrc = NULL, SIZE* pSize = NULL);
    BOOL StretchTransparent(CDC* pDC, CPoint pt, CSize size, COLORREF crTransparent);
    BOOL StretchTransparent(CDC* pDC, CPoint pt, CSize size, HBITMAP hMask);

    // Clipboard exchange. Copies go out as CF_DIB; pastes put the clipboard picture's top-left
    // corner on prc's and change nothing outside prc (NULL: from (0,0), the full size).
    static int IsDataAvailable();
    static CSize ClipboardImageSize();
    static BOOL GetClipboardImageInfo(BITMAP* pInfo);
    BOOL CopyToClipboard(RECT* prc = NULL);
    BOOL GetClipboardData(RECT* prc = NULL, BOOL bUsePalette = FALSE);
    BOOL GetClipDitheredData(RECT* prc = NULL);
    BOOL PasteClipDitheredDIBData(COleDataObject* pData, RECT* prc = NULL);
    BOOL GetTransparentClipboardData(RECT* prc, COLORREF crTransparent, BOOL bUsePalette = FALSE);

protected:
    BOOL PasteClipboardBitmapData(COleDataObject* pData, RECT* prc, BOOL bUsePalette);
    HDRAWDIB GetDrawDibContext();
    BOOL FillDIBColorTable(UINT nColors, RGBQUAD* pColors);
    // Builds the section from a header whose parts `layout` describes (see DibLayout.h): the
    // table or masks inside pInfo, layout.nBitsBytes of pixel data at pBits. Every reader of
    // pictures from outside ends here, after the layout was checked.
    BOOL TakeOver(const BYTE* pInfo, const diblayout::Layout& layout, const void* pBits);
    // Copy's shortcut for a source of the same layout: the bits go into the existing section
    // instead of a new one. FALSE when the layouts differ.
    BOOL CopyBitsInPlace(CDIBSection& src);
    // The held header of an uncompressed bottom-up image, every other field zero.
    void SetInfoHeader(int cx, int cy, int nBitCount, DWORD nSizeImage);
    // A new section of the size and depth with every pixel zero, and the table's entries
    // (the rest of a palette depth's table black). Used by readers that decode into the bits.
    BOOL CreateBlankSection(int cx, int cy, int nBitCount, const RGBQUAD* pTable, UINT nTableEntries);
    // Puts src's image in this object's place without copying the bits; src is left empty.
    void TakeOverSection(CDIBSection& src);
    // Error hook of the failure paths; does nothing.
    void _ShowLastError();

    // Header followed by room for a full colour table (or the three BI_BITFIELDS masks).
    struct DIBINFO
    {
        BITMAPINFOHEADER bmiHeader;
        RGBQUAD arColors[256];
    };

    HBITMAP m_hBitmap;
    DIBINFO m_DIBInfo;
    LPVOID m_pBits;
    UINT m_nColorUsage;
    int m_nColorTableSize;
    CPalette m_Palette;
    BOOL m_bDither;
    HDRAWDIB m_hDrawDib;
    CDC m_MemDC;
    BOOL m_bOleInitialized;
    HGDIOBJ m_hOldBitmap;
    CPalette* m_pOldPalette;
    CStringArray* m_pColorArray;

private:
    CDIBSection(const CDIBSection&) = delete;
    void operator=(const CDIBSection&) = delete;
};
