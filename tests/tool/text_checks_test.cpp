// The text-level pieces of the toolkit: lost lines as a multiset, the command scan, the
// unified diff and the delimited text of a store.
#include "toolkit/failure.h"
#include "toolkit/line_diff.h"
#include "toolkit/round_trip.h"
#include "toolkit/store_text.h"
#include "toolkit/tool_dialect.h"

#include <gtest/gtest.h>

namespace {

using namespace quillset::toolkit;

std::string Lost(std::string const& before, std::string const& after)
{
    std::string out;
    for (NumberedLine const& line : LinesLost(before, after))
        out += std::to_string(line.line) + ":" + line.text + ";";
    return out;
}

TEST(LinesLost, ComparesMultisetsIgnoringWhatCarriesNothing)
{
    EXPECT_EQ(Lost("a\nb\n", "b\na\n"), "");
    EXPECT_EQ(Lost("a\na\nb\n", "a\nb\n"), "2:a;");
    EXPECT_EQ(Lost("a  \r\n!\n  !  \n\n   \nb", "a\nb\n"), "");
    EXPECT_EQ(Lost("! kept remark\n c\n", " c\n"), "1:! kept remark;");
    EXPECT_EQ(Lost("x\n", ""), "1:x;");
    EXPECT_EQ(Lost("", "y\n"), "");
}

TEST(ScanCommands, FindsWhereCommandsStartAndTheUnfinishedOne)
{
    struct Case {
        char const* text;
        std::vector<int> firstLines;
        int unfinished;
    };
    Case const cases[] = {
        {"", {}, 0},
        {"a\n!\n\n  \nb\n", {1, 5}, 0},
        {"banner motd ^C\none\ntwo^C\nx\n", {1, 4}, 0},
        {"a\nbanner motd ^C\none\n", {1}, 2},
        {"banner login ^C hi ^C\n", {1}, 0},
    };
    for (Case const& c : cases) {
        CommandScan const scan = ScanCommands(c.text, ToolLineHandler);
        EXPECT_EQ(scan.firstLines, c.firstLines) << c.text;
        EXPECT_EQ(scan.unfinishedLine, c.unfinished) << c.text;
    }
    EXPECT_EQ(ScanCommands("a\n  \nb\n", nullptr).firstLines, (std::vector<int>{1, 2, 3}));
}

TEST(UnifiedDiff, ShowsChangedLinesWithContext)
{
    EXPECT_EQ(UnifiedDiff("a\nb\n", "a\nb\n", "x", "y"), "");
    EXPECT_EQ(UnifiedDiff("1\n2\n3\n4\n5\n6\n7\n8\n9\n", "1\n2\n3\n4\nfive\n6\n7\n8\n9\n", "x", "y"),
              "--- x\n+++ y\n@@ -2,7 +2,7 @@\n 2\n 3\n 4\n-5\n+five\n 6\n 7\n 8\n");
    EXPECT_EQ(UnifiedDiff("a\n", "a\nb\n", "x", "y"), "--- x\n+++ y\n@@ -1,1 +1,2 @@\n a\n+b\n");
    // Changes more than six unchanged lines apart make separate hunks.
    std::string const many = "0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n";
    std::string const diff = UnifiedDiff(many, "X\n1\n2\n3\n4\n5\n6\n7\n8\nY\n", "x", "y");
    EXPECT_EQ(diff, "--- x\n+++ y\n@@ -1,4 +1,4 @@\n-0\n+X\n 1\n 2\n 3\n@@ -7,4 +7,4 @@\n 6\n 7\n 8\n-9\n+Y\n");
}

TEST(DelimitedText, ReadsBackWhatItWritesWithParentsAndLongLines)
{
    CDbObject db;
    CDbEntry* parent = db.Create("Iface", "name", "A,1", nullptr);
    std::string const longText(5000, 'x');
    db.Create("Desc", parent, "text", longText.c_str(), nullptr);
    std::string const text = DelimitedText(db);
    CDbObject loaded;
    LoadDelimitedText(text + "# comment\n\n", loaded, "s");
    ASSERT_EQ(loaded.GetEntryCount(), 2);
    CDbEntry const* desc = loaded.Select("Desc", 0);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(std::string(desc->Get("text")), longText);
    ASSERT_NE(desc->GetParent(), nullptr);
    EXPECT_EQ(std::string(desc->GetParent()->Get("name")), "A,1");
    EXPECT_FALSE(desc->IsExist("__Parent"));
    EXPECT_THROW(LoadDelimitedText("A,x=1,__Parent=9\n", loaded, "s"), Failure);
}

}  // namespace
