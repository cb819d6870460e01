// Delimited text: the one-line form of a record (escapes, named and positional records),
// its round trip over generated records, and store files with their parent links and bad
// input.
#include <quillset/dbobject.h>
#include <quillset/limits.h>

#include "record_text.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using quillset::test::ReadFile;
using quillset::test::WriteFile;

// Each line decodes to the layout, which encodes back to the line (or to `encoded` where
// the decoder accepts more than the encoder writes). One record decodes every line, so
// each must clear what the previous left.
TEST(DelimitedText, DecodesAndEncodesNamedAndPositionalRecordsWithEscapes)
{
    struct Case {
        char const* line;
        char const* layout;
        char const* encoded;
    };
    Case const cases[] = {
        {"interface,name=eth0,mtu=1500", "interface|name=eth0|mtu=1500", nullptr},
        {"x,v=\\a\\b\\t\\n\\v\\f\\r\"\"\\,\\=\\\\\xC3\xA9", "x|v=\a\b\t\n\v\f\r\",=\\\xC3\xA9", nullptr},
        {"x,a\\=b,,c", "x|-|1=a=b|2=|3=c", nullptr},
        {"x,name=n,3=three,e=", "x|name=n|-|-|3=three|e=", "x,name=n,,,3=three,e="},
        {"\\#a\\,b,f\\=g=v", "#a,b|f=g=v", nullptr},
        {"\\ lead", " lead", nullptr},
        {"\\//c", "//c", nullptr},
        {"", "", nullptr},
        {"\\", "", ""},
        {",=v", "|=v", nullptr},
        {",0=v", "|0=v", nullptr},
        {"x,v=a\\,b\\\\c\\t\\q", "x|v=a,b\\c\tq", "x,v=a\\,b\\\\c\\tq"},
        {"n=v,a", "n=v|-|1=a", "n\\=v,a"},
        {"x,a=b=c,a\\=b", "x|a=b=c|-|2=a=b", "x,a=b\\=c,,2=a\\=b"},
        {"x,0=zero,a", "x|0=zero|-|2=a", "x,,a"},
        {"x,\"\"q\"\",\"", "x|-|1=\"q\"|2=\"", "x,\"\"q\"\",\"\""},
        {"x,q\\", "x|-|1=q\\", "x,q\\\\"},
        {"x,=v,3", "x|=v|-|2=3", "x,,3"},
    };
    CDbEntry record("old");
    record.Set("stale", "1");
    for (Case const& c : cases) {
        EXPECT_EQ(record.SetEntry(c.line), 0);
        EXPECT_EQ(Layout(record), c.layout) << c.line;
        CString line;
        EXPECT_STREQ(record.GetEntry(line), c.encoded ? c.encoded : c.line);
        EXPECT_STREQ(record.GetEntry(), line);
    }
    ::testing::internal::CaptureStdout();
    CDbEntry("x").PrintEntry();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "x\n");
}

// Any record of named fields, or of positional fields from slot 1 on, reads back as it was
// written, whatever bytes its names and values hold; its line never breaks a file's lines.
TEST(DelimitedText, GeneratedRecordsReadBackExactly)
{
    std::mt19937 random(5);
    std::string const alphabet = std::string("ab09,=\\\"#/ \a\b\t\n\v\f\r\x01\x1f\x7f\x80\xff");
    auto text = [&](int maxLength) {
        std::string out(random() % (maxLength + 1), ' ');
        for (char& c : out)
            c = alphabet[random() % alphabet.size()];
        return out;
    };
    for (int round = 0; round < 3000; ++round) {
        CDbEntry record(text(6).c_str());
        bool const positional = random() % 3 == 0;
        for (int i = 1, fields = random() % 5; i <= fields; ++i)
            record.Set((positional ? std::to_string(i) : text(5) + "n").c_str(), text(8).c_str());
        std::string const line = record.GetEntry();
        EXPECT_EQ(line.find_first_of("\n\r"), std::string::npos);
        CDbEntry copy;
        copy.SetEntry(line.c_str());
        ASSERT_EQ(Layout(copy), Layout(record)) << line;
    }
}

std::string TempPath(char const* name) { return ::testing::TempDir() + "quillset_" + name; }

// The name starts as a comment line would: the writer escapes it so that it reads back.
TEST(DelimitedFiles, ParentLinksSurviveWritingAndReadingAndFailuresAreReported)
{
    CDbObject store;
    CDbEntry outside("outside");
    CDbEntry* first = store.Create("#r", "id", "1", nullptr);
    store.Create("#r", &outside, "id", "2", nullptr);
    first->SetParent(store.Create("#r", "id", "3", nullptr));
    std::string const path = TempPath("links.txt");
    EXPECT_EQ(store.WriteDelimitedFile(path.c_str()), 0);
    EXPECT_EQ(ReadFile(path), "\\#r,id=1,__Parent=3\n\\#r,id=2,__Parent=4\n\\#r,id=3\n");
    CString text("old\n");
    EXPECT_EQ(store.WriteDelimitedString(text) + CDbObject().WriteDelimitedString(text), 0);
    EXPECT_STREQ(text, "old\n\\#r,id=1\n\\#r,id=2\n\\#r,id=3\n");
    EXPECT_EQ(CDbObject().ReadDelimitedFile(path.c_str(), false), 4);  // line 4 does not exist
    first->SetParent(nullptr);
    store.Select("#r", 1)->SetParent(first);
    ASSERT_EQ(store.WriteDelimitedFile(path.c_str()), 0);
    CDbObject loaded;
    EXPECT_EQ(loaded.ReadDelimitedFile(path.c_str(), true), 0);
    EXPECT_EQ(Links(loaded), "1 2<1 3");
    EXPECT_FALSE(loaded.Select("#r", 1)->IsExist("__Parent"));
    EXPECT_EQ(CDbObject().WriteDelimitedFile(path.c_str()), 0);
    EXPECT_EQ(ReadFile(path), "");
    EXPECT_EQ(store.WriteDelimitedFile(TempPath("missing/none.txt").c_str()), 1);
    if (std::ifstream("/dev/full")) {
        EXPECT_EQ(store.WriteDelimitedFile("/dev/full"), 3);  // fails when the lines are flushed
    }
}

// A record without a name whose line would be empty keeps its field, its place and the
// links to it.
TEST(DelimitedFiles, RecordsWithEmptyLinesReadBack)
{
    CDbObject store;
    CDbEntry* bare = store.Create("", nullptr);
    CDbEntry* slotZero = store.Create("", "0", "v", nullptr);
    store.Create("c", bare, "k", "1", nullptr);
    store.Create("c", slotZero, "k", "2", nullptr);
    std::string const path = TempPath("empty.txt");
    ASSERT_EQ(store.WriteDelimitedFile(path.c_str()), 0);
    EXPECT_EQ(ReadFile(path), "\\\n,0=v\nc,k=1,__Parent=1\nc,k=2,__Parent=2\n");
    CDbObject loaded;
    ASSERT_EQ(loaded.ReadDelimitedFile(path.c_str(), false), 0);
    EXPECT_EQ(loaded.GetEntryCount(), 4);
    EXPECT_EQ(loaded.Select("c", 0)->GetParent(), loaded.Select("", 0));
    EXPECT_EQ(Layout(*loaded.Select("c", 1)->GetParent()), "|0=v");
}

// Slot numbers past the limit are ordinary names, so a small file of large slot numbers
// cannot make the reader allocate a large slot array per line.
TEST(DelimitedFiles, SlotNumbersCannotAmplifyMemory)
{
    std::string const path = TempPath("slots.txt");
    std::string const atLimit = "A," + std::to_string(QS_MAX_SLOT_NUMBER) + "=\n";
    std::string content;
    for (int line = 0; line < 512; ++line)
        content += line == 0 ? atLimit : "A,65535=\n";
    WriteFile(path, content);
    CDbObject store;
    ASSERT_EQ(store.ReadDelimitedFile(path.c_str(), false), 0);
    ASSERT_EQ(store.GetEntryCount(), 512);
    EXPECT_EQ(store.Select("A", 0)->GetFieldCount(), QS_MAX_SLOT_NUMBER + 1);
    for (int i = 1; i < 512; ++i)
        ASSERT_EQ(store.Select("A", i)->GetFieldCount(), 1);
}

// A line longer than 1023 bytes is read as two, each counted.
TEST(DelimitedFiles, ReaderLoadsEveryWellFormedRecordOfBadInput)
{
    struct Case {
        std::string content;
        int result;
        std::string links;
    };
    Case const cases[] = {
        {"", 0, ""},
        {"# c\n\n   \n  // c\n\t#\n/r,id=1\n", 0, "1"},
        {"r,id=1\r\nr,id=2,__Parent=1\r\n\r\n", 0, "1 2<1"},
        {"r,id=1,__Parent=3\n#x\nr,id=3\n", 0, "1<3 3"},
        {"r,id=1,__Parent=2\n# c\n", 0, "1"},
        {"r,id=1,__Parent=1\n", 0, "1<1"},
        {"r,id=1\\\nr,id=2\\\r\n", 0, "1\\ 2\\"},
        {"r,id=1,__Parent=\n", 0, "1"},
        {"r,id=" + std::string(1018, 'a') + "r,id=2,__Parent=2\n", 0, std::string(1018, 'a') + " 2<2"},
        {"r,id=1\nr,id=2,__Parent=1\nr,id=3,__Parent=0\n", 4, "1 2<1 3"},
        {"r,id=1,__Parent=x\n", 4, "1"},
        {"r,id=1,__Parent=3\nr,id=2\n", 4, "1 2"},
        {"r,id=1,__Parent=99999999999999999999\n", 4, "1"},
    };
    std::string const path = TempPath("bad.txt");
    for (Case const& c : cases) {
        WriteFile(path, c.content);
        CDbObject store;
        EXPECT_EQ(store.ReadDelimitedFile(path.c_str(), false), c.result) << c.content;
        EXPECT_EQ(Links(store), c.links) << c.content;
    }
    EXPECT_EQ(CDbObject().ReadDelimitedFile(TempPath("missing/none.txt").c_str(), false), 1);
    EXPECT_EQ(CDbObject().ReadDelimitedFile(::testing::TempDir().c_str(), false), 2);  // a directory
}

}  // namespace
