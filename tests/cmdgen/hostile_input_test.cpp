// CCmdGen on inputs that once crashed, hung or lost data: each case guards one fault.
#include <quillset/cmdgen.h>
#include <quillset/limits.h>
#include <quillset/results.h>

#include "test_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <pthread.h>
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

// Runs `work` on a thread with a small stack, as a host's worker thread may have.
void OnSmallStack(std::function<void()> work)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 128 * 1024);
    pthread_t thread;
    auto run = [](void* argument) -> void* {
        (*static_cast<std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, run, &work), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

// Commands nested as deep as the limit allows generate on a small stack, one line per
// level; one level more is refused.
TEST(HostileInput, DeepNestingGeneratesWithoutRecursion)
{
    std::string syntax, config, expected;
    for (int level = 0; level < QS_MAX_SYNTAX_NESTING; ++level) {
        std::string const id = "L" + std::to_string(level);
        syntax += id + "," + (level ? "L" + std::to_string(level - 1) : "") + ",k" + std::to_string(level) + "\n";
        config += "k" + std::to_string(level) + "\n";
    }
    TempFile file(syntax);
    CCmdGen gen(file.Path(), 0);
    ASSERT_EQ(gen.GetStatus(), QS_OK);
    CSymbolString deeper("x");
    std::string const last = "L" + std::to_string(QS_MAX_SYNTAX_NESTING - 1);
    EXPECT_EQ(gen.AddCommand("Deeper", last.c_str(), &deeper, 3), QS_BEYOND_LIMIT);
    CDbObject db;
    gen.ParseCommand(config.c_str(), db);
    ASSERT_EQ(db.GetEntryCount(), QS_MAX_SYNTAX_NESTING);
    CString text;
    int result = -1;
    OnSmallStack([&] { result = gen.GenerateCommand(db, text); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(text, config.c_str());
}

// A definition may hold up to the limits of variables and symbols; beyond them the
// compiler reports it and keeps going.
TEST(HostileInput, DefinitionSizeLimits)
{
    std::string const atLimit(QS_MAX_DEFINITION_VARIABLES * 2, '%');  // anonymous variables
    std::string const pastLimit = atLimit + "%%";
    std::string manyOptions;  // each optional part is a carrier and a literal
    for (int i = 0; i < QS_MAX_DEFINITION_SYMBOLS / 2; ++i)
        manyOptions += "[a]";
    TempFile file("A,," + atLimit + "\nB,," + pastLimit + "\nC,," + manyOptions + "\nE,," + manyOptions +
                  "[a]\nD,,d\n");
    testing::internal::CaptureStderr();
    CCmdGen gen(file.Path(), 0);
    std::string const errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(gen.GetStatus(), QS_SYNTAX_ERRORS);
    EXPECT_NE(errors.find("Error on line 2: beyond the nesting or size limits"), std::string::npos)
        << errors;
    EXPECT_NE(errors.find("Error on line 4:"), std::string::npos) << errors;
    ASSERT_EQ(gen.GetSyntax().GetSize(), 3);
    EXPECT_STREQ(gen.GetSyntax()[2]->GetId(), "D");
}

// A full disk is a failed write, not a success.
TEST(HostileInput, GenerationToAFullDiskFails)
{
    if (!std::ifstream("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TempFile syntax("A,,a %x\n");
    CCmdGen gen(syntax.Path(), 0);
    CDbObject db;
    db.Create("A", "x", "1", nullptr);
    EXPECT_EQ(gen.GenerateCommandFile(db, "/dev/full"), QS_CANNOT_WRITE);
    EXPECT_STREQ(QuillsetResultText(QS_CANNOT_WRITE), "the output cannot be written");
}

// Configuration, syntax and store files one byte past the largest size are refused unread.
TEST(HostileInput, FilesPastTheLargestSize)
{
    TempFile syntax("A,,a\n");
    CCmdGen gen(syntax.Path(), 0);
    TempFile big("a\n");
    ASSERT_EQ(truncate(big.Path(), QS_MAX_FILE_SIZE + 1), 0);  // sparse: no disk used
    CDbObject db;
    EXPECT_EQ(gen.ParseCommandFile(big.Path(), db), QS_BEYOND_LIMIT);
    EXPECT_EQ(db.ReadDelimitedFile(big.Path(), false), QS_FILE_TOO_LARGE);
    EXPECT_EQ(db.GetEntryCount(), 0);
    CCmdGen const tooLarge(big.Path(), 0);
    EXPECT_EQ(tooLarge.GetStatus(), QS_BEYOND_LIMIT);
}

// A failed search in a block of children that ends the syntax list climbs to the enclosing
// block like any other, instead of giving up on the line.
TEST(HostileInput, SearchClimbsOutOfAChildrenBlockAtTheEndOfTheList)
{
    TempFile syntax("If,,interface %name\nDesc,If, description %*text\n");
    CCmdGen gen(syntax.Path(), 0);
    CDbObject db;
    gen.ParseCommand("interface a\n description x\ninterface b\n", db);
    EXPECT_EQ(db.SelectCount("If", nullptr), 2);
}

}  // namespace
