// CString: value semantics and the operations the library and hosts rely on.
#include <quillset/qstring.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(String, CopiesAreIndependentAndEmptyIsNeverNull)
{
    CString a("abc");
    CString b(a);
    b += "d";
    a = 'x';
    EXPECT_EQ(b, "abcd");
    EXPECT_EQ(a.GetLength(), 1);
    CString empty;
    ASSERT_NE(static_cast<char const*>(empty), nullptr);
    EXPECT_EQ(empty.GetLength(), 0);
    b = static_cast<char const*>(b) + 1;  // a part of its own text
    EXPECT_EQ(b, "bcd");
    b = "";
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(std::strlen(b), 0u);
}

TEST(String, ConcatenationInEveryForm)
{
    CString s("ab");
    EXPECT_EQ(s + "cd", "abcd");
    EXPECT_EQ("cd" + s, "cdab");
    EXPECT_EQ(s + 'c', "abc");
    EXPECT_EQ('c' + s, "cab");
    EXPECT_EQ(s + s, "abab");
    for (int i = 0; i < 10; ++i)
        s += static_cast<char const*>(s);  // its own text, across reallocations
    EXPECT_EQ(s.GetLength(), 2 << 10);
}

TEST(String, EditingOperationsStopAtTheEnds)
{
    CString s(" a b \t\n\v\f\r ");
    s.TrimRight();
    EXPECT_EQ(s, " a b");
    CString spaces("   ");
    spaces.TrimRight();
    EXPECT_EQ(spaces, "");

    CString t("abcdef");
    EXPECT_EQ(t.Delete(1, 2), 4);
    EXPECT_EQ(t.Delete(2, 100), 2);
    EXPECT_EQ(t.Delete(5, 1), 2);
    EXPECT_EQ(t, "ad");

    CString list("a,b,c");
    EXPECT_EQ(list.Find(','), 1);
    EXPECT_EQ(list.Find(',', 2), 3);
    EXPECT_EQ(list.Find('x'), -1);
    EXPECT_EQ(list.Mid(3, 100), ",c");
    EXPECT_EQ(list.Mid(9, 1), "");
}

TEST(String, FormatAndBufferAccess)
{
    CString s("old");
    s.Format("%s=%d", "mtu", 1500);
    EXPECT_EQ(s, "mtu=1500");
    s.Format("%s%s", static_cast<char const*>(s), static_cast<char const*>(s));  // its own text
    EXPECT_EQ(s, "mtu=1500mtu=1500");

    char* buffer = s.GetBuffer(100);
    EXPECT_EQ(s, "mtu=1500mtu=1500");  // reserving keeps the text
    std::strcpy(buffer, "longer text");
    s.ReleaseBuffer(-1);
    EXPECT_EQ(s.GetLength(), 11);
    s.ReleaseBuffer(6);
    EXPECT_EQ(s, "longer");
}

}  // namespace
