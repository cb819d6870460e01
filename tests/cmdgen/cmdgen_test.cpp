// CCmdGen on small syntax files: loading, registration, the block search of parsing,
// packing, unknown lines, defaults, and the order and failure codes of generation.
#include <quillset/cmdgen.h>

#include "record_layout.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using quillset::test::Layout;
using quillset::test::TempFile;

// Syntaxes in file order (ID, parent ID): 0 A, 1 B, 2 B1 under B, 3 B2 under B, 4 C,
// 5 C1 under C. Sub-commands carry one blank of indentation.
char const kNested[] = "A,,a %x\nB,,b %x\nB1,B, b1 %x\nB2,B, b2 %x\nC,,c %x\nC1,C, c1 %x\n";

std::string Generate(CCmdGen& gen, CDbObject const& db)
{
    CString text;
    EXPECT_EQ(gen.GenerateCommand(db, text), 0);
    return static_cast<char const*>(text);
}

TEST(CmdGen, LoadingReportsItsStatusAndKeepsGoodLines)
{
    CCmdGen missing("/nonexistent/quillset.syntax", 0);
    EXPECT_EQ(missing.GetStatus(), 4);
    EXPECT_FALSE(missing.IsValid());
    EXPECT_EQ(missing.GetSyntax().GetSize(), 0);

    TempFile faulty("A,,a\nB,,b ]\nA,,a again\nA,X,a elsewhere\n_UNKNOWN,,%%\n_UNKNOWN,A, %%\n");
    testing::internal::CaptureStderr();
    CCmdGen gen(faulty.Path(), -1);
    std::string const errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(gen.GetStatus(), 2);
    EXPECT_NE(errors.find("Same ID has a dfferent parent ID."), std::string::npos) << errors;
    ASSERT_EQ(gen.GetSyntax().GetSize(), 4);  // A twice, "_UNKNOWN" under two parents
    EXPECT_EQ(gen.GetHashSyntax()->Lookup("A", 1), gen.GetSyntax()[1]);
    EXPECT_EQ(gen.GetHashSyntax()->Lookup("_UNKNOWN", 1), gen.GetSyntax()[3]);
    CSymbolString refused("x");  // a refused registration leaves the chain with its caller
    EXPECT_EQ(gen.AddCommand("A", "Y", &refused, 3), 9);
    EXPECT_EQ(gen.AddCommand("Late", "", nullptr, 3), 0);  // an empty chain is accepted
}

TEST(CmdGen, BlocksNestByParentAndTheSearchClimbsOutwards)
{
    TempFile syntax(kNested);
    CCmdGen gen(syntax.Path(), 0);
    CDbObject db;
    EXPECT_EQ(gen.ParseCommand("b 1\n b1 2\na 3\n b2 4\n", db), 0);
    CDbEntry* b = db.Select("B", 0);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(db.Select("B1", 0)->GetParent(), b);
    EXPECT_EQ(db.Select("A", 0)->GetParent(), nullptr);
    EXPECT_EQ(Layout(*db.Select("B1", 0)), "B1|x=2");
    // Out of its parent's context a sub-command is not tried: the children's blocks are
    // skipped when the search runs in an enclosing block.
    EXPECT_EQ(db.Select("B2", 0), nullptr);
}

TEST(CmdGen, CommandsAreCutAtLineFeeds)
{
    TempFile syntax("A,,a %x\n");
    CCmdGen gen(syntax.Path(), 0);
    gen.RegisterUnknownCommandHandler(QuillsetHandleUnknown);
    CDbObject db;
    gen.ParseCommand("a 1\r\n\n\r\n   \nstray\na last-without-line-feed", db);
    EXPECT_EQ(Layout(*db.Select("A", 0)), "A|x=1");
    EXPECT_EQ(db.Select("A", 1), nullptr);
    EXPECT_EQ(Layout(*db.Select("_UNKNOWN", 0)), "_UNKNOWN|_Text=   ");
    EXPECT_EQ(Layout(*db.Select("_UNKNOWN", 1)), "_UNKNOWN|_Text=stray");
    EXPECT_EQ(db.GetEntryCount(), 3);

    CDbObject dropped;  // without a handler, unmatched lines are dropped
    gen.RegisterUnknownCommandHandler(nullptr);
    gen.ParseCommand("stray\n", dropped);
    EXPECT_EQ(dropped.GetEntryCount(), 0);
}

TEST(CmdGen, RowPackingMergesCompatibleRecordsAndDefaultsFillGaps)
{
    TempFile syntax("Port,,port %n[ speed %s=auto][ mtu %m]\nGroup,,group {a|b}\nSwitch,,switch\n");
    CCmdGen gen(syntax.Path(), 0);
    CDbObject packed;
    packed.Create("Port", "n", "9", nullptr);  // defaults reach records already stored
    gen.ParseCommand("port 1 mtu 1500\nport 1 speed 10\nport 2\ngroup a\ngroup a\n", packed);
    EXPECT_EQ(Layout(*packed.Select("Port", 0)), "Port|n=9|s=auto");
    EXPECT_EQ(Layout(*packed.Select("Port", 1)), "Port|n=1|m=1500|s=10");
    EXPECT_EQ(Layout(*packed.Select("Port", 2)), "Port|n=2|s=auto");
    EXPECT_EQ(packed.SelectCount("Group", nullptr), 2);  // a group makes a command unpackable

    gen.EnableRowPacking(false);
    CDbObject separate;
    gen.ParseCommand("port 1 mtu 1500\nport 1 speed 10\n", separate);
    EXPECT_EQ(separate.SelectCount("Port", nullptr), 2);
}

TEST(CmdGen, GenerationFollowsTheSyntaxOrderLevelByLevel)
{
    TempFile syntax(kNested);
    CCmdGen gen(syntax.Path(), 0);
    CDbObject db;
    db.Create("B", "x", "1", nullptr);
    db.Create("A", "x", "3", nullptr);
    CDbEntry* b2 = db.Create("B", "x", "2", nullptr);
    db.Create("B1", b2, "x", "4", nullptr)->SetHeader("! first child");
    b2->SetFooter("exit");
    db.Create("C1", "x", "orphan", nullptr);  // not under a C record: never written
    EXPECT_EQ(Generate(gen, db), "a 3\nb 1\nb 2\n! first child\n b1 4\nexit\n");
    EXPECT_EQ(Generate(gen, CDbObject()), "");
}

TEST(CmdGen, DefinitionsThatCannotBeWritten)
{
    TempFile syntax("If,,interface %name\nIf,, mtu %mtu\nSub,If, sub %v\n$define NoGen\nOff,,off\n"
                    "Kid,Off, kid\n$undef NoGen\n_UNKNOWN,,%{*_Text}\nLast,,last\n");
    CCmdGen gen(syntax.Path(), 0);
    gen.RegisterUnknownCommandHandler(QuillsetHandleUnknown);
    CDbObject db;
    gen.ParseCommand("interface e0\n mtu 9000\noff\n kid\nmystery\nlast\n", db);
    db.Create("If", "name", "e9", nullptr);  // no mtu: the second definition writes nothing
    db.Create("If", "mtu", "1", nullptr);    // no name: the first one writes nothing
    // Children of a record without a line of its own are not written either; the unknown
    // line comes out where "_UNKNOWN" is defined.
    EXPECT_EQ(Generate(gen, db), "interface e0\n mtu 9000\ninterface e9\n mtu 1\nmystery\nlast\n");

    gen.EnableCmdOptional(false);  // now e9's missing mtu fails the generation at syntax 1
    CString text;
    EXPECT_EQ(gen.GenerateCommand(db, text), 10);
    EXPECT_EQ(gen.GetErrorLineNumber(), 1);
    EXPECT_EQ(text, "interface e0\n mtu 9000\ninterface e9\n");
    TempFile output("");
    std::remove(output.Path());
    EXPECT_EQ(gen.GenerateCommandFile(db, output.Path()), 10);
    EXPECT_EQ(std::fopen(output.Path(), "r"), nullptr);
}

TEST(CmdGen, FilesInAndOut)
{
    TempFile syntax(kNested);
    CCmdGen gen(syntax.Path(), 0);
    CDbObject db;
    EXPECT_EQ(gen.ParseCommandFile("/nonexistent/config", db), 4);
    TempFile config("b 1\n b1 2\n");
    EXPECT_EQ(gen.ParseCommandFile(config.Path(), db), 0);
    EXPECT_EQ(gen.GenerateCommandFile(db, "/nonexistent/dir/out"), 4);
    EXPECT_EQ(gen.GenerateDelimitedFile(db, "/nonexistent/dir/out"), 6);

    TempFile delimited("");
    EXPECT_EQ(gen.GenerateDelimitedFile(db, delimited.Path()), 0);
    CString text;
    EXPECT_EQ(gen.GenerateCommand(delimited.Path(), text), 0);
    EXPECT_EQ(text, "b 1\n b1 2\n");
    EXPECT_EQ(gen.GenerateCommand("/nonexistent/delimited", text), 5);
}

}  // namespace
