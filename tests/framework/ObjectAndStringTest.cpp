// Run-time classes, CString and CStringArray as the library uses them.
#include <afxwin.h>
#include <gtest/gtest.h>

namespace
{
class CTestShape : public CObject
{
    DECLARE_DYNCREATE(CTestShape)
public:
    int m_nSides = 4;
};
IMPLEMENT_DYNCREATE(CTestShape, CObject)

class CTestTriangle : public CTestShape
{
    DECLARE_DYNAMIC(CTestTriangle)
};
IMPLEMENT_DYNAMIC(CTestTriangle, CTestShape)
}

TEST(RuntimeClass, KindOfFollowsTheBaseChainAcrossModules)
{
    CTestTriangle triangle;
    EXPECT_TRUE(triangle.IsKindOf(RUNTIME_CLASS(CTestTriangle)));
    EXPECT_TRUE(triangle.IsKindOf(RUNTIME_CLASS(CTestShape)));
    EXPECT_TRUE(triangle.IsKindOf(RUNTIME_CLASS(CObject)));   // CObject lives in the framework DLL
    EXPECT_FALSE(triangle.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_STREQ("CTestTriangle", triangle.GetRuntimeClass()->m_lpszClassName);   // class names are char text
    EXPECT_EQ(0xFFFFu, triangle.GetRuntimeClass()->m_wSchema);

    CObject* pObject = &triangle;
    EXPECT_EQ(&triangle, DYNAMIC_DOWNCAST(CTestShape, pObject));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CException, pObject));
}

TEST(RuntimeClass, DynamicCreationMakesObjectsByRecordOrName)
{
    CObject* pObject = RUNTIME_CLASS(CTestShape)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CTestShape)));
    EXPECT_EQ(4, static_cast<CTestShape*>(pObject)->m_nSides);
    delete pObject;

    EXPECT_EQ(nullptr, RUNTIME_CLASS(CTestTriangle)->CreateObject());   // not creatable
    EXPECT_EQ(RUNTIME_CLASS(CTestShape), CRuntimeClass::FromName(_T("CTestShape")));
    EXPECT_EQ(RUNTIME_CLASS(CWnd), CRuntimeClass::FromName(_T("CWnd")));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(_T("CNoSuchClass")));
}

TEST(String, BuildsComparesAndSlices)
{
    CString s(_T("Paint"));
    s += ' ';
    s += CString(_T("Dlg:"));
    s += _T("28101");
    EXPECT_STREQ(_T("Paint Dlg:28101"), s);
    EXPECT_EQ(15, s.GetLength());
    EXPECT_TRUE(s == _T("Paint Dlg:28101"));
    EXPECT_TRUE(s != _T("paint dlg:28101"));
    EXPECT_EQ(0, s.CompareNoCase(_T("PAINT DLG:28101")));

    EXPECT_EQ(9, s.ReverseFind(':'));
    EXPECT_STREQ(_T("28101"), s.Mid(s.ReverseFind(':') + 1));
    EXPECT_STREQ(_T("Paint"), s.Left(5));
    EXPECT_STREQ(_T("101"), s.Right(3));
    EXPECT_STREQ(_T("Dlg"), s.Mid(6, 3));
    EXPECT_STREQ(_T(""), s.Mid(40));
    EXPECT_EQ(6, s.Find(_T("Dlg")));
    EXPECT_EQ(-1, s.Find('z'));

    CString copy = s;
    copy.SetAt(0, 'F');
    EXPECT_STREQ(_T("Paint Dlg:28101"), s);   // copies do not share their text
    EXPECT_STREQ(_T("Faint Dlg:28101"), copy);

    s = s.Mid(6);                         // assigning a part of itself
    EXPECT_STREQ(_T("Dlg:28101"), s);
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(_T(""), (LPCTSTR)s);
}

TEST(String, FormatsLongAndShortTexts)
{
    CString s;
    s.Format(_T("%s%d"), _T("PaintDlg:"), 28101);
    EXPECT_STREQ(_T("PaintDlg:28101"), s);
    s.Format(_T("RGB: %d, %d, %d"), 255, 0, 128);
    EXPECT_STREQ(_T("RGB: 255, 0, 128"), s);

    CString longText(_T('x'), 3000);
    s.Format(_T("[%s]"), (LPCTSTR)longText);
    ASSERT_EQ(3002, s.GetLength());
    EXPECT_EQ('[', s[0]);
    EXPECT_EQ(']', s[3001]);
}

TEST(String, BufferAccessAndFrameworkStrings)
{
    CString s;
    LPTSTR p = s.GetBuffer(32);
    lstrcpy(p, _T("Arial,12"));
    s.ReleaseBuffer();
    EXPECT_EQ(8, s.GetLength());
    EXPECT_STREQ(_T("12"), s.Mid(s.ReverseFind(',') + 1));

    // The framework DLL's own strings are found through the resource chain.
    CString text;
    EXPECT_TRUE(text.LoadString(AFX_IDS_RESOURCE_EXCEPTION));
    EXPECT_STREQ(_T("A required resource was unavailable."), text);
    EXPECT_FALSE(text.LoadString(0x7123));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(StringArray, AddsInsertsAndRemoves)
{
    CStringArray names;
    EXPECT_EQ(0, names.GetSize());
    names.Add(_T("Black"));
    names.Add(_T("White"));
    names.InsertAt(1, _T("Grey"), 2);
    ASSERT_EQ(4, names.GetSize());
    EXPECT_STREQ(_T("Black"), names[0]);
    EXPECT_STREQ(_T("Grey"), names[1]);
    EXPECT_STREQ(_T("Grey"), names.GetAt(2));
    EXPECT_STREQ(_T("White"), names[3]);

    names.RemoveAt(1, 2);
    ASSERT_EQ(2, names.GetSize());
    EXPECT_STREQ(_T("White"), names[1]);
    names.SetAtGrow(4, _T("Red"));
    EXPECT_EQ(5, names.GetSize());
    EXPECT_TRUE(names[2].IsEmpty());
    names.RemoveAll();
    EXPECT_EQ(0, names.GetSize());
}
