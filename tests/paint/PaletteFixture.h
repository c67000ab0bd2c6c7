// Fixture of the tool palette tests: the paint fixture's control with an 8-bit image, and a
// palette driving it, made by each test with CreatePalette.
#pragma once
#include "PaintFixture.h"
#include "resources/resource.h"
#include "toolpalette/PntToolCommands.h"
#include "toolpalette/PntToolCtrl.h"

// The palette with the parts that the tests reach opened to them.
class CTestToolCtrl : public CPntToolCtrl
{
public:
    using CPntToolCtrl::m_EraserWidthCombo, CPntToolCtrl::m_PenWidthCombo;
    using CPntToolCtrl::m_ForeColourPicker, CPntToolCtrl::m_TransColourPicker, CPntToolCtrl::m_nButtonWidth;
};

class PaletteFixture : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        ASSERT_TRUE(GiveImage(40, 30, 8));
    }
    void TearDown() override
    {
        if (::IsWindow(m_palette.m_hWnd))
            m_palette.DestroyWindow();
        PaintFixture::TearDown();
    }
    // The palette as a child of the frame, with tooltips, updated once.
    void CreatePalette(BOOL bNoMagnification = FALSE)
    {
        m_palette.SetNoMagnificationButtons(bNoMagnification);
        ASSERT_TRUE(m_palette.Create(m_pFrame, m_pCtrl, IDB_PNT_PALETTE, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS, FALSE));
        m_palette.OnUpdateCmdUI(NULL, TRUE);
    }

    CTestToolCtrl m_palette;
};
