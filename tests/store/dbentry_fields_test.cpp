// CDbEntry fields: slots by name and by number, every value type, copying and clearing.
#include <quillset/dbentry.h>

#include "record_layout.h"

#include <gtest/gtest.h>

namespace {

using quillset::test::Layout;

TEST(RecordFields, SetByNameOverwritesInPlaceOrAppends)
{
    CDbEntry record("Interface");
    EXPECT_EQ(record.Set("speed", 100), 0);
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
    record.Set("bool", true);
    record.Set("char", 'c');
    record.Set("value", CDbValue(2.5));
    record.Set("null", static_cast<char const*>(nullptr));
    EXPECT_EQ(Layout(record), "|int=-5|uint=4294967295|long=-9000000000|ulong=18446744073709551615|bool=1"
                              "|char=c|value=2.500000|null=");
    for (int length : {3, 0, -1, 50}) {
        record.Set("cut", "abcdef", length);
        EXPECT_EQ(std::string(record.Get("cut")), std::string("abcdef").substr(0, length < 0 ? 6 : length));
    }
}

TEST(RecordFields, DigitNamesAddressSlotsAndLeaveGapsEmpty)
{
    CDbEntry record;
    record.Set("3", "x");
    EXPECT_EQ(Layout(record), "|-|-|-|3=x");
    EXPECT_EQ(record.GetFieldByIndex(1), nullptr);
    EXPECT_TRUE(record.GetByIndex(1).IsEmpty());
    EXPECT_STREQ(record.Get("3"), "x");
    record.Set("", "zero");  // the empty name is slot 0
    record.SetByIndex(1, 42);
    EXPECT_EQ(Layout(record), "|=zero|1=42|-|3=x");

    // A digit name on a named slot replaces the value and keeps the name.
    CDbEntry named;
    named.Set("name", "eth0");
    named.Set("mtu", "1500");
    named.SetByIndex(1, "9000");
    EXPECT_EQ(Layout(named), "|name=eth0|mtu=9000");
    EXPECT_FALSE(named.IsExist("1"));
}

TEST(RecordFields, NegativeAndHugeSlotNumbersAreOrdinaryNames)
{
    CDbEntry record;
    record.SetByIndex(-1, "a");
    record.SetByIndex(-1, 'b');
    record.Set("99999999999999999999", "x");
    record.SetByIndex(2000000000, "y");
    EXPECT_EQ(Layout(record), "|-1=b|99999999999999999999=x|2000000000=y");
    record.Set("65535", "last");  // the highest addressable slot
    EXPECT_EQ(record.GetFieldCount(), 65536);
}

TEST(RecordFields, MissingFieldsReadAsOneSharedEmptyValue)
{
    CDbEntry record;
    record.Set("a", "1");
    CDbValue const& missing = record.Get("b");
    EXPECT_TRUE(missing.IsEmpty());
    for (CDbValue const* other : {&record.Get(nullptr), &record.GetByIndex(-1), &record.GetByIndex(1),
                                  &record.GetValueByIndex(7), &record.GetHeader()})
        EXPECT_EQ(other, &missing);
    EXPECT_EQ(record.GetFieldByIndex(1), nullptr);
    EXPECT_FALSE(record.IsExist(nullptr));

    record.SetHeader("!");
    record.SetFooter("exit");
    EXPECT_TRUE(record.IsExistHeader() && record.IsExistFooter());
    EXPECT_EQ(Layout(record), "|a=1|_Header=!|_Footer=exit");
}

TEST(RecordFields, CopyRebuildsNamedSlotsAndSharesLinksOneWay)
{
    CDbEntry parent("Parent"), child("Child");
    CDbEntry source("Interface");
    source.Set("mtu", "1500");
    source.Set("2", "two");
    source.SetParent(&parent);
    child.SetParent(&source);

    CDbEntry copy(source);
    CDbEntry const& self = copy;
    copy = self;
    EXPECT_EQ(Layout(copy), "Interface|mtu=1500|-|2=two");
    EXPECT_EQ(copy.GetParent(), &parent);
    EXPECT_EQ(parent.GetChildCount(), 1);  // the parent does not list the copy
    EXPECT_EQ(copy.GetChild(0), &child);
    EXPECT_EQ(child.GetParent(), &source);
    source.Set("mtu", "9000");
    EXPECT_STREQ(copy.Get("mtu"), "1500");
}

TEST(RecordFields, ClearEmptiesNameSlotsAndLinks)
{
    CDbEntry parent("Parent"), child("Child");
    CDbEntry record("Interface");
    record.Set("a", "1");
    record.SetParent(&parent);
    child.SetParent(&record);
    record.Clear();
    EXPECT_EQ(Layout(record), "");
    EXPECT_EQ(record.GetParent(), nullptr);
    EXPECT_EQ(parent.GetChildCount(), 0);
    EXPECT_EQ(record.GetChildCount(), 0);
    EXPECT_EQ(child.GetParent(), &record);  // the child still points at it
    record.SetName("Hostname");
    record.SetName(record.GetName());
    EXPECT_STREQ(record.GetName(), "Hostname");
    record.SetName(nullptr);
    EXPECT_STREQ(record.GetName(), "");
}

}  // namespace
