// CPntCtrl::LoadPicture and SavePicture: a picture file replaces the control's image as Load
// does, composed over the erase colour; a file that cannot be read changes nothing at all.
#include "PaintFixture.h"
#include "common/TestEnvironment.h"
#include "image/PictureSamples.h"

using namespace imagetest;

class PntCtrlPictureFile : public PaintFixture
{
protected:
    template <size_t N>
    CString Sample(const char* pszName, const BYTE (&bytes)[N])
    {
        const std::string path = testenv::OutputPath(pszName);
        EXPECT_TRUE(WriteAll(path, Bytes(bytes, bytes + N)));
        return PathText(path);
    }
    // One recorded step and the changed flag set, as after a stroke.
    void MakeAChange()
    {
        m_pCtrl->PreImageChange();
        m_pCtrl->GetDIBsection()->SetPixel(1, 1, kRed);
        m_pCtrl->SetImageChanged(TRUE);
        ASSERT_TRUE(m_pCtrl->CanUndo());
    }
};

TEST_F(PntCtrlPictureFile, APictureReplacesTheImageOverTheEraseColourAndResetsTheControl)
{
    ASSERT_TRUE(GiveImage(20, 10));
    MakeAChange();
    const COLORREF crErase = RGB(30, 60, 90);
    m_pCtrl->SetEraseColor(crErase);
    ASSERT_TRUE(m_pCtrl->LoadPicture(Sample("ctrl-rgba.png", picturesamples::kPngRgba)));
    EXPECT_EQ(CSize(4, 1), m_pCtrl->GetDIBsection()->GetSize());
    EXPECT_EQ(kRed, ImagePixel(0, 0));
    EXPECT_EQ(crErase, ImagePixel(2, 0));   // fully transparent
    EXPECT_FALSE(m_pCtrl->CanUndo());
    EXPECT_FALSE(m_pCtrl->GetImageChanged());

    // With the alpha kept the image is 32-bit and holds the file's alpha bytes.
    ASSERT_TRUE(m_pCtrl->LoadPicture(Sample("ctrl-rgba-kept.png", picturesamples::kPngRgba), PNT_PICTURE_KEEP_ALPHA));
    ASSERT_EQ(32, m_pCtrl->GetDIBsection()->GetBitCount());
    EXPECT_EQ(128u, RawPixel(*m_pCtrl->GetDIBsection(), 1, 0) >> 24);
}

TEST_F(PntCtrlPictureFile, AFileThatCannotBeReadChangesNothing)
{
    ASSERT_TRUE(GiveImage(20, 10));
    MakeAChange();
    const Bytes before = Bits(*m_pCtrl->GetDIBsection());
    const BYTE cut[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    EXPECT_FALSE(m_pCtrl->LoadPicture(Sample("ctrl-cut.png", cut)));
    EXPECT_FALSE(m_pCtrl->LoadPicture(PathText(testenv::OutputPath("ctrl-missing.png"))));
    EXPECT_EQ(CSize(20, 10), m_pCtrl->GetDIBsection()->GetSize());
    EXPECT_TRUE(before == Bits(*m_pCtrl->GetDIBsection()));
    EXPECT_TRUE(m_pCtrl->CanUndo());
    EXPECT_TRUE(m_pCtrl->GetImageChanged());
}

TEST_F(PntCtrlPictureFile, SavingAPictureKeepsTheChangedStateAndReadsBack)
{
    ASSERT_TRUE(GiveImage(6, 4));
    MakeAChange();
    const CString path = PathText(testenv::OutputPath("ctrl-saved.png"));
    ASSERT_TRUE(m_pCtrl->SavePicture(path));
    EXPECT_TRUE(m_pCtrl->CanUndo());
    EXPECT_TRUE(m_pCtrl->GetImageChanged());
    CDIBSection back;
    ASSERT_TRUE(back.LoadPicture(path));
    EXPECT_EQ(RawPixels(*m_pCtrl->GetDIBsection()), RawPixels(back));
    EXPECT_FALSE(m_pCtrl->SavePicture(PathText(testenv::OutputPath("ctrl-saved.jpg"))));
}
