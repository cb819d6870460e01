// CDbEntry fields: slots by name and by number, every value type, copying and clearing.
#include <quillset/dbentry.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(CDbValue const& value) { return static_cast<char const*>(value); }

// The record as "name|slot0|slot1..." with "-" for an empty slot and "field=value" otherwise.
std::string Layout(CDbEntry const& record)
{
    std::string out = record.GetName();
    for (int slot = 0; slot < record.GetFieldCount(); ++slot) {
        char const* field = record.GetFieldByIndex(slot);
        out += field ? "|" + std::string(field) + "=" + Text(record.GetByIndex(slot)) : std::string("|-");
    }
    return out;
}

TEST(RecordFields, SetByNameOverwritesInPlaceOrAppends)
{
    CDbEntry record("Interface");
    EXPECT_EQ(record.Set("speed", 100), 0);
    EXPECT_EQ(Text(record.Get("speed")), "100");
    record.Set("mtu", "1500");
    record.Set("speed", "auto");
    EXPECT_EQ(Layout(record), "Interface|speed=auto|mtu=1500");
    EXPECT_EQ(record.Set(nullptr, "x"), 1);
    EXPECT_EQ(record.GetFieldCount(), 2);
}

TEST(RecordFields, EveryValueTypeStoresItsText)
{
    CDbEntry record;
    record.Set("int", -5);
    record.Set("uint", 4294967295u);
    record.Set("long", -9000000000L);
    record.Set("ulong", 18446744073709551615UL);
    record.Set("yes", true);
    record.Set("no", false);
    record.Set("char", 'c');
    record.Set("value", CDbValue(2.5));
    record.Set("null", static_cast<char const*>(nullptr));
    EXPECT_EQ(Layout(record),
              "|int=-5|uint=4294967295|long=-9000000000|ulong=18446744073709551615|yes=1|no=0|char=c"
              "|value=2.500000|null=");
}

TEST(RecordFields, LengthLimitsTheStoredText)
{
    struct Case {
        int length;
        char const* stored;
    };
    Case const cases[] = {{3, "abc"}, {0, ""}, {-1, "abcdef"}, {6, "abcdef"}, {50, "abcdef"}};
    for (Case const& c : cases) {
        CDbEntry record;
        record.Set("f", "abcdef", c.length);
        EXPECT_EQ(Text(record.Get("f")), c.stored) << c.length;
    }
}

TEST(RecordFields, DigitNamesAddressSlotsAndLeaveGapsEmpty)
{
    CDbEntry record;
    record.Set("3", "x");
    ASSERT_EQ(record.GetFieldCount(), 4);
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(record.GetFieldByIndex(slot), nullptr);
        EXPECT_TRUE(record.GetByIndex(slot).IsEmpty());
    }
    EXPECT_STREQ(record.GetFieldByIndex(3), "3");
    EXPECT_TRUE(record.IsExist("3"));
    EXPECT_EQ(Text(record.Get("3")), "x");

    CDbEntry byNumber;
    byNumber.SetByIndex(3, 42);
    EXPECT_EQ(Layout(byNumber), "|-|-|-|3=42");

    record.Set("", "zero");  // the empty name is slot 0
    EXPECT_EQ(Layout(record), "|=zero|-|-|3=x");
}

TEST(RecordFields, DigitNameOnANamedSlotKeepsTheName)
{
    CDbEntry record;
    record.Set("name", "eth0");
    record.Set("speed", "10");
    record.Set("mtu", "1500");
    record.SetByIndex(2, "9000");
    EXPECT_EQ(Layout(record), "|name=eth0|speed=10|mtu=9000");
    EXPECT_FALSE(record.IsExist("2"));
    EXPECT_TRUE(record.Get("2").IsEmpty());
}

TEST(RecordFields, NegativeSlotNumbersAreOrdinaryNames)
{
    CDbEntry record;
    record.SetByIndex(-1, "a");
    record.SetByIndex(-1, 'b');
    EXPECT_EQ(Layout(record), "|-1=b");
}

TEST(RecordFields, HugeSlotNumbersAreOrdinaryNames)
{
    CDbEntry record;
    record.Set("99999999999999999999", "x");
    record.SetByIndex(2000000000, "y");
    EXPECT_EQ(Layout(record), "|99999999999999999999=x|2000000000=y");
    record.Set("65535", "last");
    EXPECT_EQ(record.GetFieldCount(), 65536);
}

TEST(RecordFields, ReadersOfMissingFieldsShareOneEmptyValue)
{
    CDbEntry record;
    record.Set("a", "1");
    CDbValue const& missing = record.Get("b");
    EXPECT_TRUE(missing.IsEmpty());
    EXPECT_EQ(&record.Get(nullptr), &missing);
    EXPECT_EQ(&record.GetByIndex(-1), &missing);
    EXPECT_EQ(&record.GetByIndex(1), &missing);
    EXPECT_EQ(&record.GetValueByIndex(7), &missing);
    EXPECT_EQ(record.GetFieldByIndex(1), nullptr);
    EXPECT_FALSE(record.IsExist(nullptr));
}

TEST(RecordFields, HeaderAndFooterAreOrdinarySlots)
{
    CDbEntry record;
    EXPECT_FALSE(record.IsExistHeader());
    record.SetHeader("!");
    record.SetFooter("exit");
    EXPECT_TRUE(record.IsExistHeader());
    EXPECT_TRUE(record.IsExistFooter());
    EXPECT_EQ(Text(record.GetHeader()), "!");
    EXPECT_EQ(Layout(record), "|_Header=!|_Footer=exit");
}

TEST(RecordFields, CopyRebuildsNamedSlotsAndSharesLinksOneWay)
{
    CDbEntry parent("Parent");
    CDbEntry source("Interface");
    source.Set("mtu", "1500");
    source.Set("2", "two");
    source.SetParent(&parent);
    CDbEntry child("Child");
    child.SetParent(&source);

    CDbEntry copy(source);
    EXPECT_EQ(Layout(copy), "Interface|mtu=1500|-|2=two");
    EXPECT_EQ(copy.GetParent(), &parent);
    EXPECT_EQ(parent.GetChildCount(), 1);  // the copy is not listed by the parent
    EXPECT_EQ(copy.GetChildCount(), 1);
    EXPECT_EQ(copy.GetChild(0), &child);
    EXPECT_EQ(child.GetParent(), &source);

    copy = copy;
    EXPECT_EQ(Layout(copy), "Interface|mtu=1500|-|2=two");
    source.Set("mtu", "9000");
    EXPECT_EQ(Text(copy.Get("mtu")), "1500");
}

TEST(RecordFields, ClearEmptiesEverythingButCapacityAndDelimiter)
{
    CDbEntry parent("Parent");
    CDbEntry record("Interface");
    record.Set("a", "1");
    record.SetParent(&parent);
    CDbEntry child("Child");
    child.SetParent(&record);
    record.Clear();
    EXPECT_STREQ(record.GetName(), "");
    EXPECT_EQ(record.GetFieldCount(), 0);
    EXPECT_EQ(record.GetParent(), nullptr);
    EXPECT_EQ(parent.GetChildCount(), 0);
    EXPECT_EQ(record.GetChildCount(), 0);
    EXPECT_EQ(child.GetParent(), &record);  // the child still points at it
    record.Set("b", "2");
    EXPECT_EQ(Layout(record), "|b=2");
}

TEST(RecordFields, SetNameAcceptsNullAsEmpty)
{
    CDbEntry record(static_cast<char const*>(nullptr), 0);
    EXPECT_STREQ(record.GetName(), "");
    record.SetName("Hostname");
    EXPECT_STREQ(record.GetName(), "Hostname");
    record.SetName(record.GetName());
    EXPECT_STREQ(record.GetName(), "Hostname");
    record.SetName(nullptr);
    EXPECT_STREQ(record.GetName(), "");
}

}  // namespace
