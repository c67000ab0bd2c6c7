// CImageSettingsDlg: the dialog, its template in this DLL's own resources, and the conversion
// of the pasted picture when the user accepts.
#include "companion/ImageSettingsDlg.h"
#include "companion/CompanionResource.h"
#include "companion/DibConversion.h"
#include <stdio.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CImageSettingsDlg, CDialog)

namespace
{
// Any object of this DLL: its address tells which module the dialog's template is in.
const int s_nModuleAnchor = 0;

// The dialog template from this DLL's resources. The DLL is not in the application's resource
// chain, so the template is found through its own module handle.
LPCDLGTEMPLATE LoadOwnTemplate()
{
    HMODULE hModule = NULL;
    if (!::GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             (LPCTSTR)&s_nModuleAnchor, &hModule))
        return NULL;
    HRSRC hResource = ::FindResource(hModule, MAKEINTRESOURCE(IDD_IMAGESETTINGS), RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hModule, hResource) : NULL;
    return hTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : NULL;
}

// The sixteen colours of the VGA.
const COLORREF kStandard16[16] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};

RGBQUAD Quad(COLORREF cr)
{
    RGBQUAD q = {GetBValue(cr), GetGValue(cr), GetRValue(cr), 0};
    return q;
}

CString DepthText(int nBitCount)
{
    CString str;
    if (nBitCount <= 8)
        str.Format(_T("%d bits per pixel (%d colours)"), nBitCount, 1 << nBitCount);
    else if (nBitCount == 16)
        str = _T("16 bits per pixel (high colour)");
    else
        str.Format(_T("%d bits per pixel (true colour)"), nBitCount);
    return str;
}

// The packed DIB of hDIB locked, with its parts; unlocked when this goes out of scope.
class CLockedDIB
{
public:
    explicit CLockedDIB(HGLOBAL hDIB) : m_hDIB(hDIB), m_bLocated(false)
    {
        const void* p = hDIB != NULL ? ::GlobalLock(hDIB) : NULL;
        if (p == NULL)
            m_hDIB = NULL;
        else
            m_bLocated = dibconv::Locate(p, ::GlobalSize(hDIB), m_layout);
    }
    ~CLockedDIB()
    {
        if (m_hDIB != NULL)
            ::GlobalUnlock(m_hDIB);
    }
    const dibconv::Layout* Get() const { return m_bLocated ? &m_layout : NULL; }

private:
    HGLOBAL m_hDIB;
    bool m_bLocated;
    dibconv::Layout m_layout;
};
}

CImageSettingsDlg::CImageSettingsDlg(HGLOBAL hDIB, int nTargetBitCount, COLORREF* pTable16, COLORREF* pTable256,
                                     CStringArray* pColourNames, COLORREF* pTable2, COLORREF* pTable8, CWnd* pParent)
    : m_bDither(FALSE), m_hSource(hDIB), m_nTargetBitCount(nTargetBitCount), m_nGivenColours(0),
      m_pColourNames(pColourNames), m_hResult(NULL), m_pOwnerWnd(pParent)
{
    memset(m_crTable, 0, sizeof(m_crTable));
    // Only the table of the target depth is used.
    const COLORREF* pGiven = NULL;
    if (nTargetBitCount == 1)
        pGiven = pTable2;
    else if (nTargetBitCount == 4)
        pGiven = pTable16 != NULL ? pTable16 : pTable8;
    else if (nTargetBitCount == 8)
        pGiven = pTable256;
    if (pGiven != NULL)
    {
        m_nGivenColours = (nTargetBitCount == 4 && pTable16 == NULL) ? 8 : 1 << nTargetBitCount;
        memcpy(m_crTable, pGiven, (size_t)m_nGivenColours * sizeof(COLORREF));
    }
}

CImageSettingsDlg::~CImageSettingsDlg()
{
    if (m_hResult != NULL)
        ::GlobalFree(m_hResult);
}

INT_PTR CImageSettingsDlg::DoModal()
{
    if (!dibconv::IsTargetDepth(m_nTargetBitCount) || CLockedDIB(m_hSource).Get() == NULL)
        return -1;
    LPCDLGTEMPLATE lpTemplate = LoadOwnTemplate();
    if (lpTemplate == NULL)
        return -1;
    if (m_hResult != NULL)
    {
        ::GlobalFree(m_hResult);
        m_hResult = NULL;
    }
    InitModalIndirect(lpTemplate, m_pOwnerWnd);
    return CDialog::DoModal();
}

HGLOBAL CImageSettingsDlg::GetDIB()
{
    HGLOBAL hResult = m_hResult;
    m_hResult = NULL;
    return hResult;
}

int CImageSettingsDlg::TargetTable(RGBQUAD* pTable) const
{
    if (m_nTargetBitCount > 8)
        return 0;
    const int nColours = 1 << m_nTargetBitCount;
    memset(pTable, 0, (size_t)nColours * sizeof(RGBQUAD));
    if (m_nGivenColours > 0)
    {
        for (int i = 0; i < m_nGivenColours && i < nColours; i++)
            pTable[i] = Quad(m_crTable[i]);
    }
    else if (nColours == 2)
    {
        pTable[0] = Quad(RGB(0, 0, 0));
        pTable[1] = Quad(RGB(255, 255, 255));
    }
    else if (nColours == 16)
    {
        for (int i = 0; i < 16; i++)
            pTable[i] = Quad(kStandard16[i]);
    }
    else
    {
        // A 6 x 6 x 6 colour cube, then forty greys between its black and white.
        int n = 0;
        for (int r = 0; r < 6; r++)
            for (int g = 0; g < 6; g++)
                for (int b = 0; b < 6; b++)
                    pTable[n++] = Quad(RGB(51 * r, 51 * g, 51 * b));
        for (int i = 1; n < 256; i++)
            pTable[n++] = Quad(RGB(i * 255 / 41, i * 255 / 41, i * 255 / 41));
    }
    return nColours;
}

BOOL CImageSettingsDlg::OnInitDialog()
{
    CLockedDIB dib(m_hSource);
    if (const dibconv::Layout* pLayout = dib.Get())
    {
        CString str;
        str.Format(_T("%ld x %ld pixels, "), (long)pLayout->nWidth, (long)pLayout->nHeight);
        SetDlgItemText(IDC_IMGSET_SOURCE, str + DepthText(pLayout->nBitCount));
    }
    SetDlgItemText(IDC_IMGSET_TARGET, DepthText(m_nTargetBitCount));
    return CDialog::OnInitDialog();
}

void CImageSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_IMGSET_DITHER, m_bDither);
}

void CImageSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    RGBQUAD table[256];
    const int nColours = TargetTable(table);
    {
        CLockedDIB dib(m_hSource);
        if (const dibconv::Layout* pLayout = dib.Get())
            m_hResult = dibconv::Convert(*pLayout, m_nTargetBitCount, table, nColours, m_bDither);
    }
    if (m_hResult == NULL)
    {
        AfxMessageBox(_T("The pasted image could not be converted."), MB_OK | MB_ICONEXCLAMATION);
        EndDialog(IDABORT);
        return;
    }
    EndDialog(IDOK);
}
