// CCmdGen on inputs that once crashed, hung or lost data: each case guards one fault.
#include <quillset/cmdgen.h>

#include "test_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using quillset::test::TempFile;

// The block of B's children (C) also holds B's later definitions, and A's children block
// right after it belongs to C: the search from b3 for an unmatched line must not skip
// past the end of the block it searches.
TEST(HostileInput, BlockSearchStaysInsideTheSearchedBlock)
{
    TempFile syntax("B,,b0\nC,B,c1\nB,,b2\nB,,b3\nB,,b4\nA,C,a5\n");
    CCmdGen gen(syntax.Path(), 0);
    ASSERT_EQ(gen.GetStatus(), 0);
    CDbObject db;
    EXPECT_EQ(gen.ParseCommand("b0\nb3\nzz\nb4\n", db), 0);
    EXPECT_EQ(gen.GetSyntax().GetSize(), 6);  // reading never grows the list
    EXPECT_EQ(db.SelectCount("B", nullptr), 1);  // b0, b3 and b4 pack into one record
    EXPECT_EQ(db.GetEntryCount(), 1);
}

}  // namespace
