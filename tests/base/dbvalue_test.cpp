// CDbValue: the texts each source type stores and the domain each comparison reads in.
#include <quillset/dbvalue.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::string Text(CDbValue const& value) { return static_cast<char const*>(value); }

TEST(DbValue, StoresTheTextOfEachSourceType)
{
    EXPECT_EQ(Text(CDbValue(-5)), "-5");
    EXPECT_EQ(Text(CDbValue(4294967295u)), "4294967295");
    EXPECT_EQ(Text(CDbValue(static_cast<short>(-1))), "-1");
    EXPECT_EQ(Text(CDbValue(static_cast<unsigned short>(65535))), "65535");
    EXPECT_EQ(Text(CDbValue(LONG_MIN)), "-9223372036854775808");
    EXPECT_EQ(Text(CDbValue(ULONG_MAX)), "18446744073709551615");
    EXPECT_EQ(Text(CDbValue(2.0f)), "2.000000");
    EXPECT_EQ(Text(CDbValue(true)), "1");
    EXPECT_EQ(Text(CDbValue(false)), "0");
    EXPECT_EQ(Text(CDbValue(static_cast<unsigned char>(0xE9))), "\xE9");
    EXPECT_EQ(Text(CDbValue(1e300)).size(), 308u);  // "%f" writes large magnitudes whole

    CDbValue value("old");
    value = 5;
    EXPECT_EQ(Text(value), "5");
    CDbValue const& self = value;
    value = self;
    EXPECT_EQ(Text(value), "5");
    value = '\0';  // the NUL character makes the empty value
    EXPECT_TRUE(value.IsEmpty());
}

TEST(DbValue, EmptyValueEqualsZeroInEveryDomain)
{
    CDbValue const value;
    EXPECT_TRUE(value.IsEmpty());
    EXPECT_TRUE(value == "" && value == '\0' && value == 0 && value == 0u && value == 0L);
    EXPECT_TRUE(value == static_cast<short>(0) && value == 0.0 && value == false);
    EXPECT_TRUE(value < static_cast<char>(1) && value > static_cast<char>(-1));
    EXPECT_TRUE(value < static_cast<unsigned char>(1));
    EXPECT_EQ(static_cast<char>(value), '\0');
}

TEST(DbValue, TruthIsFalseOnlyForEmptyAndZero)
{
    for (char const* text : {"", "0"})
        EXPECT_FALSE(static_cast<bool>(CDbValue(text))) << text;
    for (char const* text : {"0.0", "false", "no", " 0", "00", "abc"})
        EXPECT_TRUE(static_cast<bool>(CDbValue(text))) << text;
    EXPECT_TRUE(CDbValue("yes") > false && CDbValue("yes") >= true && CDbValue("yes") == true);
    EXPECT_TRUE(CDbValue() < true && CDbValue() <= false);
}

TEST(DbValue, NumericViewsFollowTheStandardConversions)
{
    EXPECT_EQ(static_cast<int>(CDbValue("12abc")), 12);
    EXPECT_EQ(static_cast<int>(CDbValue("  7")), 7);
    EXPECT_EQ(static_cast<int>(CDbValue("abc")), 0);
    EXPECT_EQ(static_cast<unsigned int>(CDbValue("-1")), 4294967295u);
    EXPECT_EQ(static_cast<unsigned short>(CDbValue("-1")), 65535);
    EXPECT_EQ(static_cast<short>(CDbValue("70000")), 4464);
    EXPECT_EQ(static_cast<long>(CDbValue("9000000000")), 9000000000L);
    EXPECT_EQ(static_cast<double>(CDbValue("1.5e2")), 150.0);
    EXPECT_EQ(CString(CDbValue("copy")), "copy");
}

TEST(DbValue, ComparisonsReadTheTextInTheOperandsDomain)
{
    CDbValue const minusOne("-1");
    EXPECT_TRUE(minusOne > 5u);   // 2^32 - 1 as unsigned
    EXPECT_FALSE(minusOne > 5);   // -1 as signed
    EXPECT_TRUE(minusOne == static_cast<unsigned short>(65535));
    EXPECT_TRUE(minusOne < static_cast<short>(0));
    EXPECT_TRUE(CDbValue("70000") == static_cast<short>(4464));
    EXPECT_TRUE(CDbValue("65535") == static_cast<short>(-1));
    EXPECT_TRUE(CDbValue("12ab") == 12 && CDbValue("  7") == 7 && CDbValue("abc") == 0);
    EXPECT_TRUE(CDbValue("1.5") == 1.5 && CDbValue("1.5") > 1.0f);
    EXPECT_TRUE(CDbValue("ab") != "AB");
    EXPECT_TRUE(CDbValue("\xE9") > static_cast<unsigned char>(0x7F));
    EXPECT_TRUE(CDbValue("\xE9") < static_cast<char>(0));
}

// long and unsigned long compare as 32-bit patterns although they are 64 bits wide here.
TEST(DbValue, LongComparisonsUseThirtyTwoBitPatterns)
{
    EXPECT_TRUE(CDbValue("4294967296") == 0L);  // 2^32 wraps to 0
    EXPECT_TRUE(CDbValue("2147483648") < 0L);   // 2^31 reads as INT_MIN
    EXPECT_TRUE(CDbValue("2147483647") > 0L);
    EXPECT_TRUE(CDbValue("-1") == 4294967295UL);
    EXPECT_TRUE(CDbValue("0") == 4294967296UL);  // the operand is cut to 32 bits too
    EXPECT_TRUE(CDbValue("-1") > 4294967294UL);
    EXPECT_EQ(static_cast<long>(CDbValue("4294967296")), 4294967296L);  // the view is 64-bit
}

TEST(DbValue, PlusAppendsToTheStringWhicheverSideItStands)
{
    CString s("ab");
    CDbValue const value("cd");
    EXPECT_EQ(&(s + value), &s);
    EXPECT_EQ(s, "abcd");
    value + s;
    EXPECT_EQ(s, "abcdcd");
}

}  // namespace
