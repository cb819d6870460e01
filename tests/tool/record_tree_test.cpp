// The reading-order record tree: the order generation writes, loading a tree back, and the
// store equality built on it.
#include "toolkit_fixture.h"

#include "toolkit/record_tree.h"

#include <gtest/gtest.h>

namespace {

using namespace quillset::toolkit;
using quillset::test::Outline;
using quillset::test::TempFile;

class RecordTreeTest : public testing::Test {
protected:
    TempFile syntax{quillset::test::kSmallSyntax};
    Converter converter{quillset::test::SmallOptions(syntax)};
};

TEST_F(RecordTreeTest, FollowsGenerationOrderNotInputOrder)
{
    CDbObject db;
    converter.Parse("interface B\n shutdown\n odd\n speed 10\nhostname r1\ninterface A\n description up\nfoo\n", db,
                    "x");
    EXPECT_EQ(Outline(BuildTree(db, converter.Syntaxes())),
              "Host(name=r1) Iface(name=B)[Speed(mbps=10) Shut() _UNKNOWN(_Text= odd) ] "
              "Iface(name=A)[Desc(text=up) ] _UNKNOWN(_Text=foo) ");
}

TEST_F(RecordTreeTest, OrderEqualsGeneratedTextOrder)
{
    // Each record writes one line, so the tree read depth-first must list the lines of the
    // generated text in order.
    CDbObject db;
    converter.Parse("line vty 0\n exec-timeout 5 0\nbanner motd hi\ninterface A\n mtu 9\n speed 1\nhostname h\n", db,
                    "x");
    std::string const text = converter.Generate(db, "x");
    CDbObject reparsed;
    converter.Parse(text, reparsed, "x");
    EXPECT_EQ(Outline(BuildTree(db, converter.Syntaxes())), Outline(BuildTree(reparsed, converter.Syntaxes())));
    EXPECT_EQ(text, "hostname h\ninterface A\n speed 1\n mtu 9\nline vty 0\n exec-timeout 5 0\nbanner motd hi\n");
}

TEST_F(RecordTreeTest, KeepsRecordsGenerationNeverReaches)
{
    CDbObject db;
    CDbEntry* iface = db.Create("Iface", "name", "A", nullptr);
    db.Create("Orphan", iface, "x", "1", nullptr);
    db.Create("Stray", "y", "2", nullptr);
    EXPECT_EQ(Outline(BuildTree(db, converter.Syntaxes())), "Iface(name=A)[Orphan(x=1) ] Stray(y=2) ");
}

TEST_F(RecordTreeTest, LoadingATreeGivesTheSameStore)
{
    CDbObject db;
    converter.Parse("hostname r\ninterface A\n speed 5\n no shutdown\n junk\ninterface B\n description x y\n", db, "x");
    RecordTree tree = BuildTree(db, converter.Syntaxes());
    tree[0].header = "! header";
    tree[1].footer = "! footer";
    CDbObject loaded;
    LoadTree(tree, loaded);
    EXPECT_EQ(BuildTree(loaded, converter.Syntaxes()), tree);
    EXPECT_EQ(loaded.GetEntryCount(), CountNodes(tree));
    EXPECT_EQ(converter.Generate(loaded, "x"),
              "! header\nhostname r\ninterface A\n speed 5\n no shutdown\n junk\n! footer\ninterface B\n description x y\n");
}

TEST_F(RecordTreeTest, SameRecordsSeesFieldsOrderAndNesting)
{
    auto const same = [&](char const* a, char const* b) {
        CDbObject first, second;
        converter.Parse(a, first, "a");
        converter.Parse(b, second, "b");
        return SameRecords(first, second, converter.Syntaxes());
    };
    EXPECT_TRUE(same("interface A\n speed 1\nhostname h\n", "hostname h\ninterface A\n speed 1\n"));
    EXPECT_FALSE(same("interface A\n speed 1\n", "interface A\n speed 2\n"));
    EXPECT_FALSE(same("interface A\ninterface B\n", "interface B\ninterface A\n"));
    EXPECT_FALSE(same("interface A\n foo\n", "interface A\nfoo\n"));
}

}  // namespace
