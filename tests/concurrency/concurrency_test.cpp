// Threads using the library at once: compiling syntax files, parsing with their own or one
// shared CCmdGen (also as the tool's work pool does), and reading record lines. Every
// thread must get exactly what one thread alone gets; the ThreadSanitizer build of these
// tests also catches races that happen to give right answers.
#include <quillset/cmdgen.h>

#include "test_files.h"

#include "toolkit/converter.h"
#include "toolkit/input_file.h"
#include "toolkit/store_text.h"
#include "toolkit/work_pool.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using quillset::test::TempFile;

constexpr int kThreads = 4;
char const kSyntax[] = QUILLSET_SYNTAXES_DIR "/zyn.syntax";
char const kConfiguration[] = QUILLSET_EXAMPLES_DIR "/router.cfg";

// Runs `work(thread)` on kThreads threads at once and returns what each gave.
std::vector<std::string> OnThreads(std::function<std::string(int)> const& work)
{
    std::vector<std::string> results(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] { results[t] = work(t); });
    for (std::thread& thread : threads)
        thread.join();
    return results;
}

// Every compiled command as "ID/parent/flags", one per line, and the load status.
std::string DescribeSyntax(char const* path)
{
    CCmdGen gen(path, 64);
    std::string out = "status " + std::to_string(gen.GetStatus()) + "\n";
    CDynArray<CCmdSyntax*>& syntaxes = gen.GetSyntax();
    for (int i = 0; i < syntaxes.GetSize(); ++i) {
        out += std::string(syntaxes[i]->GetId()) + "/" + syntaxes[i]->GetParentId() + "/" +
               std::to_string(syntaxes[i]->GetFlags()) + "\n";
    }
    return out;
}

// The records of a parse as delimited text, and the configuration generated back.
std::string ParseAndGenerate(CCmdGen& gen)
{
    CDbObject db;
    gen.ParseCommandFile(kConfiguration, db);
    CString delimited, generated;
    db.WriteDelimitedString(delimited);
    gen.GenerateCommand(db, generated);
    return std::string(delimited) + "\n--\n" + static_cast<char const*>(generated);
}

std::string ParseWithOwnGenerator()
{
    CCmdGen gen(kSyntax, 64);
    SetZynMode(&gen);
    return ParseAndGenerate(gen);
}

TEST(Concurrency, SyntaxFilesCompileOnThreadsAsOnOne)
{
    // Directives that switch flags off and on again inside the file, so that no file hands
    // flags on to the next one, and a faulty line between them.
    TempFile const directives("A,,a %x(on,off)\n$define NoGen\nB,A, b\nC,, c ]\n$undef NoGen\n"
                              "$define NoParse\nD,, d %n:u=7\n$undef NoParse\n");
    std::string const expected[] = {DescribeSyntax(kSyntax), DescribeSyntax(directives.Path())};
    ASSERT_NE(expected[0].find("status 0\n"), std::string::npos);
    ASSERT_EQ(expected[1], "status 2\nA//65535\nB/A/65534\nD//65533\n");
    testing::internal::CaptureStderr();
    std::vector<std::string> const results =
        OnThreads([&](int t) { return DescribeSyntax(t % 2 == 0 ? kSyntax : directives.Path()); });
    testing::internal::GetCapturedStderr();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(results[t], expected[t % 2]) << "thread " << t;
}

TEST(Concurrency, ParsesWithSeparateGeneratorsMatchOneThread)
{
    std::string const expected = ParseWithOwnGenerator();
    ASSERT_NE(expected.find("Interface,"), std::string::npos);
    for (int round = 0; round < 3; ++round) {
        for (std::string const& result : OnThreads([](int) { return ParseWithOwnGenerator(); }))
            EXPECT_EQ(result, expected);
    }
}

TEST(Concurrency, OneCompiledGeneratorParsesOnManyThreads)
{
    CCmdGen shared(kSyntax, 64);
    SetZynMode(&shared);
    std::string const expected = ParseWithOwnGenerator();
    for (std::string const& result : OnThreads([&](int) {
             CDbObject db;
             shared.ParseCommandFile(kConfiguration, db);
             CString delimited;
             db.WriteDelimitedString(delimited);
             return std::string(delimited);
         }))
        EXPECT_EQ(result + expected.substr(expected.find("\n--\n")), expected);
}

TEST(Concurrency, TheToolsWorkPoolParsesWithOneConverter)
{
    using namespace quillset::toolkit;
    Converter converter(ConverterOptions{kSyntax, true, true});
    std::string const text = ReadInputFile(kConfiguration);
    auto const parse = [&] {
        CDbObject db;
        converter.Parse(text, db, kConfiguration);
        return DelimitedText(db);
    };
    std::string const expected = parse();
    std::vector<std::string> results(32);
    ForEachOnThreads(results.size(), kThreads, [&](std::size_t i) { results[i] = parse(); });
    EXPECT_EQ(results, std::vector<std::string>(results.size(), expected));
    // A failing item stops the pool and its exception reaches the caller.
    EXPECT_THROW(ForEachOnThreads(100, kThreads,
                                  [](std::size_t i) {
                                      if (i == 7)
                                          throw std::runtime_error("item 7");
                                  }),
                 std::runtime_error);
}

TEST(Concurrency, RecordLinesBelongToTheirRecords)
{
    std::vector<std::string> const results = OnThreads([](int t) {
        CDbEntry record("Vlan");
        record.Set("id", std::to_string(t).c_str());
        std::string lines;
        for (int i = 0; i < 200; ++i) {
            char const* line = record.GetEntry();
            if (lines.empty() || lines != line)
                lines += line;
        }
        return lines;
    });
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(results[t], "Vlan,id=" + std::to_string(t));
}

}  // namespace
