// CDbEntry fields: slots by name and by number, every value type, copying and clearing.
#include <quillset/dbentry.h>
#include <quillset/limits.h>

#include "record_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using quillset::test::Layout;

TEST(RecordFields, SetStoresEveryValueTypeByNameInPlaceOrAppended)
{
    CDbEntry record("Interface");
    EXPECT_EQ(record.Set("int", 100), 0);
    record.Set("uint", 4294967295u);
    record.Set("long", -9000000000L);
    record.Set("ulong", 18446744073709551615UL);
    record.Set("bool", true);
    record.Set("char", 'c');
    record.Set("value", CDbValue(2.5));
    record.Set("null", static_cast<char const*>(nullptr));
    record.Set("int", -5);  // overwrites in place
    EXPECT_EQ(record.Set(nullptr, "x"), 1);
    EXPECT_EQ(Layout(record), "Interface|int=-5|uint=4294967295|long=-9000000000|ulong=18446744073709551615"
                              "|bool=1|char=c|value=2.500000|null=");
    for (int length : {3, 0, -1, 50}) {
        record.Set("cut", "abcdef", length);
        EXPECT_EQ(std::string(record.Get("cut")), std::string("abcdef").substr(0, length < 0 ? 6 : length));
    }
}

TEST(RecordFields, DigitNamesAddressSlotsUpToALimit)
{
    CDbEntry record;
    record.Set("3", "x");
    EXPECT_EQ(Layout(record), "|-|-|-|3=x");
    EXPECT_STREQ(record.Get("3"), "x");
    record.Set("", "zero");  // the empty name is slot 0
    record.SetByIndex(1, 42);
    EXPECT_EQ(Layout(record), "|=zero|1=42|-|3=x");

    // On a named slot a digit name replaces the value and keeps the name; negative and
    // huge numbers are ordinary names.
    CDbEntry named;
    named.Set("name", "eth0");
    named.SetByIndex(0, "eth1");
    named.SetByIndex(-1, 'b');
    named.Set("99999999999999999999", "x");
    EXPECT_EQ(Layout(named), "|name=eth1|-1=b|99999999999999999999=x");
    EXPECT_FALSE(named.IsExist("0"));
    named.Set(std::to_string(QS_MAX_SLOT_NUMBER).c_str(), "last");  // the highest addressable slot
    EXPECT_EQ(named.GetFieldCount(), QS_MAX_SLOT_NUMBER + 1);
    named.Set(std::to_string(QS_MAX_SLOT_NUMBER + 1).c_str(), "name");  // one past: an ordinary name
    EXPECT_EQ(named.GetFieldCount(), QS_MAX_SLOT_NUMBER + 2);
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

TEST(RecordFields, CopyRebuildsNamedSlotsAndClearEmptiesAll)
{
    CDbEntry parent("Parent"), child("Child"), source("Interface");
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

    source.Clear();
    EXPECT_EQ(Layout(source), "");
    EXPECT_EQ(source.GetParent(), nullptr);
    EXPECT_EQ(parent.GetChildCount(), 0);
    EXPECT_EQ(source.GetChildCount(), 0);
    EXPECT_EQ(child.GetParent(), &source);  // the child still points at it
    EXPECT_STREQ(copy.Get("mtu"), "1500");
    source.SetName(source.GetName());
    EXPECT_STREQ(source.GetName(), "");
}

}  // namespace
