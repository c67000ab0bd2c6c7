// CStringA and CStringW side by side: conversions between the widths, formatting with the
// Windows meaning of %s, and the editing members, checked in both builds whatever TCHAR is.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>

namespace
{
// The ANSI code page's reading of narrow bytes, straight from the system.
std::wstring WideFromAnsi(const char* psz)
{
    int n = ::MultiByteToWideChar(CP_ACP, 0, psz, -1, NULL, 0);
    std::wstring text((size_t)n, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, psz, -1, &text[0], n);
    text.resize((size_t)n - 1);
    return text;
}
}

TEST(StringWidths, EachWidthIsBuiltFromTheOther)
{
    CStringW wide("Paint Dlg");
    EXPECT_STREQ(L"Paint Dlg", wide);
    EXPECT_EQ(9, wide.GetLength());

    CStringA narrow(L"Paint Dlg");
    EXPECT_STREQ("Paint Dlg", narrow);

    // A byte above 0x7F is read through the ANSI code page, as the system reads it.
    const char szLatin[] = "Caf\xE9 \xC0 la carte";
    EXPECT_STREQ(WideFromAnsi(szLatin).c_str(), CStringW(szLatin));

    // Assignment, appending and a counted part, each from the other width.
    wide = "abc";
    wide += "def";
    wide += L'!';
    EXPECT_STREQ(L"abcdef!", wide);
    narrow = L"xyz";
    narrow += L"123";
    EXPECT_STREQ("xyz123", narrow);
    EXPECT_STREQ(L"Pai", CStringW("Painting", 3));
    EXPECT_STREQ("Pai", CStringA(L"Painting", 3));

    // A CString of either width goes through its pointer into the other.
    CStringA fromWide(CStringW(L"round trip"));
    CStringW fromNarrow(CStringA("round trip"));
    EXPECT_STREQ("round trip", fromWide);
    EXPECT_STREQ(L"round trip", fromNarrow);

    // Nothing in, nothing out.
    EXPECT_TRUE(CStringW((const char*)NULL).IsEmpty());
    EXPECT_TRUE(CStringA((const wchar_t*)NULL).IsEmpty());
    EXPECT_TRUE(CStringA(L"").IsEmpty());
}

TEST(StringWidths, TextOutsideTheAnsiCodePageBecomesTheDefaultCharacter)
{
    // Greek small alpha and a CJK ideograph exist in no single-byte Western code page.
    const wchar_t szForeign[] = L"a\x03B1\x4E2D" L"b";
    char szExpected[16] = {};
    ::WideCharToMultiByte(CP_ACP, 0, szForeign, -1, szExpected, (int)sizeof(szExpected), NULL, NULL);
    CStringA narrow(szForeign);
    EXPECT_STREQ(szExpected, narrow);
    EXPECT_EQ('a', narrow[0]);
    EXPECT_EQ('b', narrow[narrow.GetLength() - 1]);

    // The wide string itself keeps every character.
    CStringW wide(szForeign);
    ASSERT_EQ(4, wide.GetLength());
    EXPECT_EQ(0x03B1, (int)wide[1]);
    EXPECT_EQ(0x4E2D, (int)wide[2]);
}

TEST(StringWidths, FormatReadsPercentSInTheFormatsOwnWidth)
{
    CStringW wide;
    wide.Format(L"[%s|%c|%d|%5.2f|%%|%x]", L"wide text", L'W', -42, 3.14159, 255u);
    EXPECT_STREQ(L"[wide text|W|-42| 3.14|%|ff]", wide);

    CStringA narrow;
    narrow.Format("[%s|%c|%d]", "narrow text", 'N', 7);
    EXPECT_STREQ("[narrow text|N|7]", narrow);

    // The explicit widths of %hs and %ls work in both.
    wide.Format(L"%hs+%ls", "narrow", L"wide");
    EXPECT_STREQ(L"narrow+wide", wide);
    narrow.Format("%hs+%ls", "narrow", L"wide");
    EXPECT_STREQ("narrow+wide", narrow);

    // Longer than any fixed buffer a formatter might use.
    CStringW longText(L'w', 5000);
    wide.Format(L"<%s>", (LPCWSTR)longText);
    ASSERT_EQ(5002, wide.GetLength());
    EXPECT_EQ(L'<', wide[0]);
    EXPECT_EQ(L'w', wide[4000]);
    EXPECT_EQ(L'>', wide[5001]);

    // AppendFormat keeps what was there.
    CString text(_T("R"));
    text.AppendFormat(_T(" %d G %d B %d"), 255, 128, 0);
    EXPECT_STREQ(_T("R 255 G 128 B 0"), text);
}

TEST(StringWidths, EditingMembersInBothWidths)
{
    CStringW wide(L"  the paint  control  ");
    wide.Trim();
    EXPECT_STREQ(L"the paint  control", wide);
    EXPECT_EQ(1, wide.Replace(L"  ", L" "));
    EXPECT_EQ(1, wide.Replace(L"paint", L"drawing"));
    EXPECT_STREQ(L"the drawing control", wide);
    EXPECT_EQ(2, wide.Remove(L'o'));
    EXPECT_STREQ(L"the drawing cntrl", wide);
    EXPECT_EQ(18, wide.Insert(0, L'>'));
    EXPECT_EQ(19, wide.Insert(100, L"<"));   // past the end: appended
    EXPECT_STREQ(L">the drawing cntrl<", wide);
    EXPECT_EQ(18, wide.Delete(0, 1));
    EXPECT_EQ(18, wide.Delete(40));          // past the end: nothing
    EXPECT_STREQ(L"the drawing cntrl<", wide);
    EXPECT_EQ(3, wide.FindOneOf(L" x"));
    EXPECT_EQ(-1, wide.FindOneOf(L"xyz"));

    CStringA narrow("Brush, Pen, Fill");
    EXPECT_EQ(2, narrow.Replace(", ", ";"));
    EXPECT_STREQ("Brush;Pen;Fill", narrow);
    EXPECT_EQ(0, narrow.Replace("", "x"));   // an empty pattern replaces nothing
    EXPECT_EQ(5, narrow.FindOneOf(";"));
    narrow.MakeUpper();
    EXPECT_STREQ("BRUSH;PEN;FILL", narrow);
    narrow.MakeLower();
    EXPECT_STREQ("brush;pen;fill", narrow);

    // Case changes reach letters beyond ASCII in the wide string.
    CStringW accented(L"caf\x00E9");
    accented.MakeUpper();
    EXPECT_STREQ(L"CAF\x00C9", accented);

    // Buffers count characters, not bytes.
    CStringW buffered;
    LPWSTR p = buffered.GetBuffer(40);
    wcscpy(p, L"forty wide characters fit in this buffer");
    buffered.ReleaseBuffer();
    EXPECT_EQ(40, buffered.GetLength());
    EXPECT_STREQ(L"buffer", buffered.Right(6));
}

TEST(StringWidths, TcharStringIsTheBuildsWidth)
{
    // CString is CStringW in a Unicode build and CStringA in an ANSI one.
#ifdef _UNICODE
    EXPECT_TRUE((std::is_same<CString, CStringW>::value));
#else
    EXPECT_TRUE((std::is_same<CString, CStringA>::value));
#endif
    CString text(_T("generic"));
    EXPECT_EQ(sizeof(TCHAR), sizeof(text[0]));
    // Either width converts into the build's CString.
    CString fromNarrow("from narrow");
    CString fromWide(L"from wide");
    EXPECT_STREQ(_T("from narrow"), fromNarrow);
    EXPECT_STREQ(_T("from wide"), fromWide);
}

TEST(StringWidths, RunTimeClassesAreFoundByNameInEitherWidth)
{
    EXPECT_EQ(RUNTIME_CLASS(CWnd), CRuntimeClass::FromName("CWnd"));
    EXPECT_EQ(RUNTIME_CLASS(CWnd), CRuntimeClass::FromName(L"CWnd"));
    EXPECT_EQ(RUNTIME_CLASS(CFrameWnd), CRuntimeClass::FromName(L"CFrameWnd"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"CNoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName((LPCWSTR)NULL));
}
