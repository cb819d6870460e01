// The query language: conditions in text and integer form, the parent rule, counting,
// creating, and queries that resume where the previous one stopped.
#include <quillset/dbobject.h>

#include "record_text.h"

#include <gtest/gtest.h>

namespace {

struct ThreeInterfaces : ::testing::Test {
    CDbObject store;
    CDbEntry* parent = store.Create("P", nullptr);
    CDbEntry* first = store.Create("interface", "name", "eth0", nullptr);
    CDbEntry* second = store.Create("interface", "name", "eth1", nullptr);
    CDbEntry* third = store.Create("interface", parent, "name", "eth0", nullptr);
};

TEST_F(ThreeInterfaces, ConditionsMatchAnyParentUnlikeTheBasicLookup)
{
    EXPECT_EQ(store.GetSelected(), third);  // Create selects the record it made
    EXPECT_EQ(store.Select("interface", "name", "eth0", nullptr), first);
    EXPECT_EQ(store.Select("interface", 1, "name", "eth0", nullptr), third);
    EXPECT_EQ(store.Select("interface", nullptr, 1), second);
    EXPECT_EQ(store.Select("interface", parent, "name", "eth0", nullptr), third);
    EXPECT_EQ(store.Select("interface", parent, 1, "name", "eth0", nullptr), nullptr);
    EXPECT_EQ(store.GetSelected(), nullptr);
    EXPECT_EQ(store.Select("interface", nullptr, 0, "name", "eth1", nullptr), second);
    // Counting selects nothing.
    EXPECT_EQ(store.SelectCount("interface", "name", "eth0", nullptr), 2);
    EXPECT_EQ(store.SelectCount("interface", nullptr), 3);
    EXPECT_EQ(store.SelectCount("interface", parent), 1);
    EXPECT_EQ(store.SelectCount("interface", "name", nullptr, nullptr), 0);  // a field without value
    EXPECT_EQ(store.SelectCount("interface", "mtu", "", nullptr), 3);      // "" matches a missing field
    EXPECT_EQ(store.SelectCount(nullptr, nullptr), 0);
    EXPECT_EQ(store.GetSelected(), second);
}

// Resuming where the loop stopped misses a record before it that matches only now; a lower
// index starts afresh and sees it. A deletion moves records down, so the next query starts
// over.
TEST_F(ThreeInterfaces, NextIndexOfAQueryResumesWhereThePreviousStopped)
{
    std::vector<CDbEntry*> found;
    for (int i = 0; CDbEntry* match = store.Select("interface", i, "name", "eth0", nullptr); ++i)
        found.push_back(match);
    EXPECT_EQ(found, (std::vector<CDbEntry*>{first, third}));
    second->Set("name", "eth0");
    EXPECT_EQ(store.Select("interface", 2, "name", "eth0", nullptr), nullptr);
    EXPECT_EQ(store.Select("interface", 0, "name", "eth0", nullptr), first);
    EXPECT_EQ(store.Select("interface", 2, "name", "eth0", nullptr), third);
    second->Set("name", "eth1");
    CDbEntry* fourth = store.Create("interface", "name", "eth0", nullptr);
    EXPECT_EQ(store.Select("interface", 1, "name", "eth0", nullptr), third);
    store.Delete(second, false);
    EXPECT_EQ(store.Select("interface", 2, "name", "eth0", nullptr), fourth);
}

TEST_F(ThreeInterfaces, SelectCreateFindsOrCreatesOnce)
{
    EXPECT_EQ(store.SelectCreate("interface"), first);
    EXPECT_EQ(store.SelectCreateLast("interface"), third);
    EXPECT_EQ(store.SelectCreate("interface", parent), third);
    EXPECT_EQ(store.SelectCreate("P", parent)->GetParent(), parent);     // no P under P yet
    CDbEntry* created = store.SelectCreate("x", parent, "a", "1", "b", "2", "a", "3", "c", nullptr);
    EXPECT_EQ(Layout(*created), "x|a=3|b=2|c=");
    EXPECT_EQ(store.SelectCreate("x", parent, "a", "3", "b", "2", nullptr), created);
    EXPECT_EQ(store.SelectCreate("x", "c", "", nullptr), created);
    EXPECT_EQ(parent->GetChild(2), created);
    EXPECT_EQ(store.SelectCreate("x", nullptr)->GetParent(), nullptr);  // null: without parent
    EXPECT_EQ(Layout(*store.SelectCreateLast("loopback")), "loopback");
    EXPECT_EQ(store.GetEntryCount(), 8);
}

TEST(QueryLanguage, IntegerConditionsAreTheUnsignedTextOfTheirBits)
{
    CDbObject store;
    CDbEntry* pattern = store.Create(nullptr, "n", -1, "m", 0, nullptr);
    EXPECT_EQ(Layout(*pattern), "|n=4294967295|m=0");
    EXPECT_EQ(Layout(*store.Create("", nullptr, "2", nullptr, nullptr)), "|-|-|2=");
    store.Create("", nullptr)->Set("n", -1);
    CDbEntry* seven = store.Create("", pattern, "n", 7, nullptr);
    EXPECT_EQ(store.Select("", "n", -1, nullptr), pattern);
    EXPECT_EQ(store.Select("", "n", -1, "m", 1, nullptr), nullptr);
    EXPECT_EQ(store.SelectCreate("", pattern, "n", 7, nullptr), seven);
    EXPECT_EQ(store.SelectCount("", "n", "-1", nullptr), 1);
}

// A null in the fixed first pair is a condition no record meets, never a missing condition.
TEST_F(ThreeInterfaces, ANullInTheFirstPairMatchesNothing)
{
    char const* const noField = nullptr;
    EXPECT_EQ(store.Select("interface", noField, "eth1", nullptr), nullptr);
    EXPECT_EQ(store.Select("interface", noField, 0, nullptr), nullptr);
    EXPECT_EQ(store.SelectCount("interface", noField, "eth0", nullptr), 0);
    EXPECT_EQ(store.SelectCount("interface", parent, noField, 7, nullptr), 0);
    EXPECT_EQ(store.SelectCount("interface", "name", noField, "name", "eth0", nullptr), 0);
    CDbEntry* created = store.SelectCreate("interface", noField, "eth9", nullptr);
    EXPECT_EQ(Layout(*created), "interface");  // a null field sets nothing
    EXPECT_EQ(store.GetEntryCount(), 5);
}

}  // namespace
