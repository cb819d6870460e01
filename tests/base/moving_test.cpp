// Moving the interface's owning objects: the target takes everything, the source is left
// empty and still usable.
#include <quillset/cmdgen.h>
#include <quillset/dbobject.h>
#include <quillset/dbvalue.h>

#include "test_files.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

namespace {

static_assert(std::is_nothrow_move_constructible_v<CDbValue> && std::is_move_assignable_v<CDbValue>);
static_assert(std::is_move_constructible_v<CDbObject> && std::is_move_assignable_v<CDbObject>);
static_assert(std::is_move_constructible_v<CCmdGen> && std::is_move_assignable_v<CCmdGen>);

TEST(Moving, ValuesStoresAndGeneratorsMoveTheirContent)
{
    CDbValue value("eth0");
    CDbValue taken(std::move(value));
    EXPECT_STREQ(taken, "eth0");
    value = std::move(taken);
    EXPECT_STREQ(value, "eth0");

    CDbObject store;
    CDbEntry* parent = store.Create("If", "name", "eth0", nullptr);
    store.Create("Mtu", parent, "bytes", "1500", nullptr);
    CDbObject moved(std::move(store));
    EXPECT_EQ(moved.GetEntryCount(), 2);
    EXPECT_EQ(moved.Select("Mtu", parent, "bytes", "1500", nullptr)->GetParent(), parent);
    EXPECT_EQ(store.GetEntryCount(), 0);
    EXPECT_EQ(store.GetSelected(), nullptr);
    store.Create("Other", nullptr);  // the source still works
    store = std::move(moved);
    EXPECT_EQ(store.GetEntryCount(), 2);
    EXPECT_EQ(store.Select("Other", 0), nullptr);

    quillset::test::TempFile syntax("If,,interface %name\n");
    CCmdGen gen(syntax.Path(), 0);
    gen.EnableCmdOptional(false);
    CCmdGen movedGen(std::move(gen));
    EXPECT_EQ(gen.GetSyntax().GetSize(), 0);
    CDbObject parsed;
    movedGen.ParseCommand("interface e1\n", parsed);
    EXPECT_EQ(parsed.SelectCount("If", "name", "e1", nullptr), 1);
    gen = std::move(movedGen);
    CString text;
    EXPECT_EQ(gen.GenerateCommand(parsed, text), 0);
    EXPECT_STREQ(text, "interface e1\n");
    EXPECT_EQ(gen.GetHashSyntax()->GetCount(), 1);
}

}  // namespace
