// Lengths and indexes past what an int can hold are refused with std::length_error, never
// wrapped into a short allocation.
#include <quillset/dynarray.h>
#include <quillset/qstring.h>

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

namespace {

TEST(LengthLimits, GrowthPastTheLargestIntIsRefused)
{
    CString text("kept");
    EXPECT_THROW(text.GetBuffer(INT_MAX), std::length_error);
    EXPECT_STREQ(text, "kept");
    CDynArray<char> bytes;
    EXPECT_THROW(bytes[INT_MAX / 2], std::length_error);
    EXPECT_THROW(bytes[INT_MAX], std::length_error);
    EXPECT_EQ(bytes.GetSize(), 0);
    bytes[1000] = 'x';
    EXPECT_EQ(bytes.GetCapacity(), 2002);
}

}  // namespace
