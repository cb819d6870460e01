// The query language: conditions in text and integer form, the parent rule, counting,
// creating, and queries that resume where the previous one stopped.
#include <quillset/dbobject.h>

#include "record_text.h"

#include <gtest/gtest.h>

namespace {

// interface name=eth0; interface name=eth1; interface name=eth0 under P, in this order.
struct ThreeInterfaces : ::testing::Test {
    ThreeInterfaces()
    {
        parent = store.Create("P", nullptr);
        first = store.Create("interface", "name", "eth0", nullptr);
        second = store.Create("interface", "name", "eth1", nullptr);
        third = store.Create("interface", parent, "name", "eth0", nullptr);
    }
    CDbObject store;
    CDbEntry* parent;
    CDbEntry* first;
    CDbEntry* second;
    CDbEntry* third;
};

TEST_F(ThreeInterfaces, ConditionsMatchAnyParentUnlikeTheBasicLookup)
{
    EXPECT_EQ(store.Select("interface", "name", "eth0", nullptr), first);
    EXPECT_EQ(store.Select("interface", 1, "name", "eth0", nullptr), third);
    EXPECT_EQ(store.Select("interface", nullptr, 1), second);
    EXPECT_EQ(store.Select("interface", parent, "name", "eth0", nullptr), third);
    EXPECT_EQ(store.Select("interface", parent, 1, "name", "eth0", nullptr), nullptr);
    EXPECT_EQ(store.GetSelected(), nullptr);
    EXPECT_EQ(store.Select("interface", nullptr, 0, "name", "eth1", nullptr), second);
    EXPECT_EQ(store.GetSelected(), second);
    EXPECT_EQ(store.Select(nullptr, "name", "eth0", nullptr), nullptr);
}

TEST_F(ThreeInterfaces, CountsFollowTheSameRulesAndSelectNothing)
{
    store.SetSelected(parent);
    EXPECT_EQ(store.SelectCount("interface", "name", "eth0", nullptr), 2);
    EXPECT_EQ(store.SelectCount("interface", nullptr), 3);
    EXPECT_EQ(store.SelectCount("interface", parent), 1);
    EXPECT_EQ(store.SelectCount("interface", parent, "name", "eth1", nullptr), 0);
    EXPECT_EQ(store.SelectCount("interface", "name", nullptr, nullptr), 0);  // a field without value
    EXPECT_EQ(store.SelectCount("interface", "mtu", "", nullptr), 3);      // "" matches a missing field
    EXPECT_EQ(store.SelectCount("nothing", nullptr), 0);
    EXPECT_EQ(store.SelectCount(nullptr, nullptr), 0);
    EXPECT_EQ(store.GetSelected(), parent);
}

TEST_F(ThreeInterfaces, NextIndexOfAQueryResumesWhereThePreviousStopped)
{
    std::vector<CDbEntry*> found;
    for (int i = 0; CDbEntry* match = store.Select("interface", i, "name", "eth0", nullptr); ++i)
        found.push_back(match);
    EXPECT_EQ(found, (std::vector<CDbEntry*>{first, third}));
    // Resuming after `third` misses a record before it that matches only now; a lower
    // index starts afresh and sees it.
    EXPECT_EQ(store.Select("interface", 1, "name", "eth0", nullptr), third);
    second->Set("name", "eth0");
    EXPECT_EQ(store.Select("interface", 2, "name", "eth0", nullptr), nullptr);
    EXPECT_EQ(store.Select("interface", 0, "name", "eth0", nullptr), first);
    EXPECT_EQ(store.Select("interface", 2, "name", "eth0", nullptr), third);
    // Other conditions never resume, not even a value that is missing against one that is
    // empty.
    EXPECT_EQ(store.Select("interface", 0, "mtu", nullptr, nullptr), nullptr);
    EXPECT_EQ(store.Select("interface", 0, "mtu", "", nullptr), first);
    // A deletion moves records down, so the next query starts from the beginning.
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
    CDbEntry* top = store.SelectCreate("P", parent);  // no P under P yet
    EXPECT_EQ(top->GetParent(), parent);
    EXPECT_EQ(store.SelectCreate("P", nullptr), store.Select("P", 0));  // null: without parent
    CDbEntry* created = store.SelectCreate("interface", "name", "eth2", "mtu", "9000", nullptr);
    EXPECT_EQ(Layout(*created), "interface|name=eth2|mtu=9000");
    EXPECT_EQ(created->GetParent(), nullptr);
    EXPECT_EQ(store.SelectCreate("interface", "name", "eth2", "mtu", "9000", nullptr), created);
    CDbEntry* under = store.SelectCreate("interface", parent, "name", 7, nullptr);
    EXPECT_EQ(under->GetParent(), parent);
    EXPECT_EQ(store.SelectCreate("interface", parent, "name", 7, nullptr), under);
    EXPECT_EQ(store.GetSelected(), under);
    EXPECT_EQ(Layout(*store.SelectCreate("vlan", "id", 5, nullptr)), "vlan|id=5");
    EXPECT_EQ(Layout(*store.SelectCreateLast("loopback")), "loopback");
    EXPECT_EQ(store.GetEntryCount(), 9);
}

TEST(QueryLanguage, CreateBuildsTheConditionsIntoFields)
{
    CDbObject store;
    CDbEntry* parent = store.Create("P", nullptr);
    CDbEntry* created = store.Create("x", parent, "a", "1", "b", "2", "a", "3", "c", nullptr);
    EXPECT_EQ(Layout(*created), "x|a=3|b=2|c=");
    EXPECT_EQ(store.GetSelected(), created);
    ASSERT_EQ(parent->GetChildCount(), 1);
    EXPECT_EQ(parent->GetChild(0), created);
    EXPECT_EQ(Layout(*store.Create("x", "2", "two", nullptr)), "x|-|-|2=two");
    EXPECT_EQ(Layout(*store.Create("x", nullptr, "v", nullptr, nullptr)), "x|v=");
    EXPECT_EQ(Layout(*store.Create(nullptr, "n", -1, "m", 0, nullptr)), "|n=4294967295|m=0");
    EXPECT_EQ(Layout(*store.Create("x", parent, "n", 2147483647, nullptr)), "x|n=2147483647");
    EXPECT_EQ(store.SelectCount("x", parent), 2);
}

TEST(QueryLanguage, IntegerConditionsCompareTheUnsignedText)
{
    CDbObject store;
    CDbEntry* seven = store.Create("x", "v", "7", nullptr);
    CDbEntry* negative = store.Create("x", nullptr);
    negative->Set("v", -1);
    CDbEntry* pattern = store.Create("x", "v", "4294967295", "w", "2", nullptr);
    EXPECT_EQ(store.Select("x", "v", 7, nullptr), seven);
    EXPECT_EQ(store.Select("x", "v", -1, nullptr), pattern);
    EXPECT_EQ(store.Select("x", "v", -1, "w", 2, nullptr), pattern);
    EXPECT_EQ(store.Select("x", "v", -1, "w", 3, nullptr), nullptr);
    EXPECT_EQ(store.Select("x", 0, "v", 7, nullptr), seven);
    EXPECT_EQ(store.Select("x", nullptr, 1, "w", 0, nullptr), nullptr);
    EXPECT_EQ(store.SelectCount("x", "v", 7, nullptr), 1);
    EXPECT_EQ(store.SelectCount("x", nullptr, "v", -1, nullptr), 1);
    EXPECT_EQ(store.Select("x", "v", "-1", nullptr), negative);
}

}  // namespace
