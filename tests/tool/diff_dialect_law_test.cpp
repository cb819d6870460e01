// The remediation law with the tool's own dialect handlers, which fold indented lines
// into the line before them: between consecutive corpus files, applying the remediation to
// the first gives a configuration that needs no further command to become the second.
#include "toolkit/converter.h"

#include "diff/command_apply.h"
#include "diff/record_match.h"
#include "diff/remediation.h"
#include "test_files.h"
#include "toolkit/tool_dialect.h"

namespace {

using quillset::test::ReadFile;

TEST(DiffDialectLaw, RemediationReachesEachNextCorpusFile)
{
    std::vector<std::string> const files = quillset::test::CorpusFiles(QUILLSET_CORPUS_DIR);
    if (files.size() < 2)
        GTEST_SKIP() << "no corpus at " << QUILLSET_CORPUS_DIR;
    quillset::toolkit::ConverterOptions options;
    options.syntaxPath = QUILLSET_SYNTAXES_DIR "/zyn.syntax";
    quillset::toolkit::Converter converter(options);
    quillset::diff::Rules rules;
    quillset::diff::RulesError rulesError;
    quillset::diff::CommandModel model;
    ASSERT_TRUE(quillset::diff::LoadRules(QUILLSET_SYNTAXES_DIR "/zyn.rules", rules, rulesError) &&
                model.Build(converter.Syntaxes(), rules, rulesError))
        << rulesError.message;
    quillset::diff::ApplyDialect const dialect{quillset::toolkit::ToolLineHandler, quillset::toolkit::ToolUnknownHandler};
    int checked = 0;
    for (std::size_t k = 0; k + 1 < files.size(); ++k) {
        CDbObject running;
        CDbObject intended;
        CDbObject applied;
        converter.Parse(ReadFile(files[k]), running, files[k]);
        converter.Parse(ReadFile(files[k + 1]), intended, files[k + 1]);
        if (quillset::diff::HasKeyClash(model, intended))
            continue;  // two records with one key: no commands lead there
        converter.Parse(ReadFile(files[k]), applied, files[k]);
        std::string commands;
        for (std::string const& line : quillset::diff::Remediate(model, running, intended))
            commands += line + "\n";
        quillset::diff::ApplyCommands(model, applied, commands, dialect);
        EXPECT_EQ(quillset::diff::Remediate(model, intended, applied), std::vector<std::string>()) << files[k + 1];
        ++checked;
    }
    EXPECT_GT(checked, static_cast<int>(files.size()) / 2);
}

}  // namespace
