// CString: value semantics and the operations the library and hosts rely on.
#include <quillset/qstring.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(String, CopiesAreIndependent)
{
    CString a("abc");
    CString b(a);
    b += "d";
    EXPECT_EQ(a, "abc");
    EXPECT_EQ(b, "abcd");
    CString c;
    c = a;
    a = "x";
    EXPECT_EQ(c, "abc");
    EXPECT_NE(static_cast<char const*>(a), static_cast<char const*>(c));
}

TEST(String, EmptyAndCharacterTexts)
{
    CString s;
    ASSERT_NE(static_cast<char const*>(s), nullptr);
    EXPECT_EQ(s.GetLength(), 0);
    s = 'q';
    EXPECT_EQ(s.GetLength(), 1);
    EXPECT_EQ(s, "q");
    s = static_cast<char const*>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    s = "text";
    s.Empty();
    EXPECT_EQ(s, "");
    s = "abc";
    s = "";  // assigning empty text to a used buffer must end its text too
    EXPECT_STREQ(s, "");
    s = "abc";
    s = static_cast<char const*>(s) + 1;
    EXPECT_STREQ(s, "bc");
}

TEST(String, ConcatenationInEveryForm)
{
    CString s("ab");
    EXPECT_EQ(s + "cd", "abcd");
    EXPECT_EQ("cd" + s, "cdab");
    EXPECT_EQ(s + 'c', "abc");
    EXPECT_EQ('c' + s, "cab");
    EXPECT_EQ(s + s, "abab");
    s += s;  // appending a string to itself
    EXPECT_EQ(s, "abab");
    for (int i = 0; i < 10; ++i)
        s += static_cast<char const*>(s);  // and its own text, across reallocations
    EXPECT_EQ(s.GetLength(), 4 << 10);
}

TEST(String, TrimRightRemovesTrailingWhiteSpaceOnly)
{
    CString s(" a b \t\n\v\f\r ");
    s.TrimRight();
    EXPECT_EQ(s, " a b");
    CString spaces("   ");
    spaces.TrimRight();
    EXPECT_EQ(spaces, "");
    CString none;
    none.TrimRight();
    EXPECT_EQ(none, "");
}

TEST(String, DeleteFindAndMidStopAtTheEnds)
{
    CString s("abcdef");
    EXPECT_EQ(s.Delete(1, 2), 4);
    EXPECT_EQ(s, "adef");
    EXPECT_EQ(s.Delete(2, 100), 2);
    EXPECT_EQ(s, "ad");
    EXPECT_EQ(s.Delete(5, 1), 2);

    CString t("a,b,c");
    EXPECT_EQ(t.Find(','), 1);
    EXPECT_EQ(t.Find(',', 2), 3);
    EXPECT_EQ(t.Find('x'), -1);
    EXPECT_EQ(t.Find(',', 10), -1);
    EXPECT_EQ(t.Mid(2, 2), "b,");
    EXPECT_EQ(t.Mid(3, 100), ",c");
    EXPECT_EQ(t.Mid(9, 1), "");
}

TEST(String, FormatReplacesTheText)
{
    CString s("old");
    s.Format("%s=%d", "mtu", 1500);
    EXPECT_EQ(s, "mtu=1500");
    s.Format("%s%s", static_cast<char const*>(s), static_cast<char const*>(s));  // its own text
    EXPECT_EQ(s, "mtu=1500mtu=1500");
    std::string const longText(5000, 'z');
    s.Format("%s", longText.c_str());
    EXPECT_EQ(s.GetLength(), 5000);
}

TEST(String, BufferAccessKeepsOrResetsTheText)
{
    CString s("abc");
    char* buffer = s.GetBuffer(100);
    EXPECT_EQ(s, "abc");
    std::strcpy(buffer, "longer text");
    s.ReleaseBuffer(-1);
    EXPECT_EQ(s, "longer text");
    EXPECT_EQ(s.GetLength(), 11);
    s.GetBuffer(4);
    s.ReleaseBuffer(6);
    EXPECT_EQ(s, "longer");
}

}  // namespace
