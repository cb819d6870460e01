// The law of remediation as a property: for every running configuration R and intended
// configuration I, apply(R, remediate(R, I)) has the records of I and remediating it
// against I again sends nothing; a remediation only holds lines the syntax reads (or the
// configurations' own unmatched lines) and nothing for an unchanged configuration. Checked
// on generated changes of a small configuration, and on the corpus with the bundled syntax.
#include "diff_fixture.h"

#include "diff/record_match.h"

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <sstream>

namespace {

using quillset::diff::CommandModel;
using quillset::test::DiffBench;
using quillset::test::Join;
using quillset::test::Lines;
using quillset::test::ReadFile;
using quillset::test::SmallDialect;

std::string Fields(CDbEntry const& record)
{
    std::vector<std::string> fields;
    for (int i = 0; i < record.GetFieldCount(); ++i)
        fields.push_back(std::string(record.GetFieldByIndex(i)) + "=" + static_cast<char const*>(record.GetByIndex(i)));
    std::sort(fields.begin(), fields.end());
    std::string text;
    for (std::string const& field : fields)
        text += field + ";";
    return text;
}

bool IsSendable(CommandModel const& model, CDbEntry const& record)
{
    auto const* command = model.Find(record.GetName());
    return CommandModel::IsUnknown(record) || (command != nullptr && command->sendable);
}

// Every sendable record as its ancestors, name and fields (and its place among its
// siblings when the command is ordered), sorted: equal for two stores with the same records.
void Describe(CommandModel const& model, std::vector<CDbEntry const*> const& level, std::string const& prefix,
              std::vector<std::string>& out)
{
    std::map<std::string, int> positions;
    for (CDbEntry const* const record : level) {
        if (!IsSendable(model, *record))
            continue;
        std::string text = prefix + record->GetName() + "{" + Fields(*record) + "}";
        auto const* command = model.Find(record->GetName());
        if (command != nullptr && command->ordered && !model.HasKey(*command, *record))
            text += "#" + std::to_string(positions[command->sequence]++);
        out.push_back(text);
        Describe(model, quillset::diff::ChildrenInOrder(model, *record), text + "/", out);
    }
}

std::vector<std::string> Records(CommandModel const& model, CDbObject const& store)
{
    std::vector<std::string> records;
    Describe(model, quillset::diff::TopLevelRecords(store), "", records);
    std::sort(records.begin(), records.end());
    return records;
}

std::set<std::string> UnmatchedTexts(CDbObject const& store)
{
    std::set<std::string> texts;
    for (int i = 0; CDbEntry const* const record = store.Select(QS_UNKNOWN_ID, i); ++i)
        texts.insert(quillset::diff::TrimIndent(static_cast<char const*>(record->Get(QS_UNKNOWN_TEXT))));
    return texts;
}

// Whether some definition reads `body`, indented as written or as the definition's own
// literal indentation says.
bool SyntaxReads(CCmdGen& gen, std::string const& indent, std::string const& body)
{
    CDynArray<CCmdSyntax*>& syntaxes = gen.GetSyntax();
    for (int i = 0; i < syntaxes.GetSize(); ++i) {
        for (std::string const& line : {indent + body, CommandModel::IndentOf(*syntaxes[i]) + body}) {
            CDbEntry record;
            if (syntaxes[i]->Parse(line.c_str(), &record) == 0)
                return true;
        }
    }
    return false;
}

// The lines of a remediation that are none of: a mode's exit line or "!", a line the syntax
// reads, with or without "no ", or (the "no" form of) an unmatched line of either side.
Lines UnreadableLines(DiffBench& bench, Lines const& remediation, std::set<std::string> const& unmatched)
{
    Lines bad;
    for (std::string const& line : remediation) {
        std::string const trimmed = quillset::diff::TrimIndent(line);
        std::string const indent = line.substr(0, line.size() - trimmed.size());
        std::string const rest = trimmed.compare(0, 3, "no ") == 0 ? trimmed.substr(3) : trimmed;
        bool const exit = trimmed == "exit" || trimmed == "!";
        bool const read = SyntaxReads(bench.Gen(), indent, trimmed) || SyntaxReads(bench.Gen(), indent, rest) ||
                          SyntaxReads(bench.Gen(), indent, "no " + trimmed);
        bool const own = unmatched.count(trimmed) || unmatched.count(rest) || unmatched.count("no " + trimmed);
        if (!exit && !read && !own)
            bad.push_back(line);
    }
    return bad;
}

// Checks the law for one pair of configurations; failures name `what`.
void CheckLaw(DiffBench& bench, std::string const& running, std::string const& intended, std::string const& what)
{
    CommandModel const& model = bench.Model();
    auto const r = bench.Parse(running);
    auto const i = bench.Parse(intended);
    Lines const remediation = quillset::diff::Remediate(model, *r, *i);
    std::set<std::string> unmatched = UnmatchedTexts(*r);
    unmatched.merge(UnmatchedTexts(*i));
    EXPECT_EQ(UnreadableLines(bench, remediation, unmatched), Lines()) << what;

    auto const applied = bench.Parse(running);
    quillset::diff::ApplyCommands(model, *applied, Join(remediation), quillset::diff::ApplyDialect{DialectLineHandler, DialectUnknownHandler});
    EXPECT_EQ(Records(model, *applied), Records(model, *i)) << what << "\n--- remediation:\n" << Join(remediation);
    EXPECT_EQ(quillset::diff::Remediate(model, *i, *applied), Lines()) << what;
}

// A random change of a configuration's records: a record (with its subtree) removed, a
// field given another record's value, a child copied under another record of its parent's
// command, or a sub-command line inserted in the middle of its mode.
class ChangeMaker {
public:
    ChangeMaker(DiffBench& bench, unsigned seed) : m_bench(bench), m_random(seed) {}

    std::string Change(std::string const& text, int changes)
    {
        std::string current = text;
        for (int n = 0; n < changes; ++n)
            current = ChangeOnce(current);
        return current;
    }

private:
    std::string ChangeOnce(std::string const& text)
    {
        auto store = m_bench.Parse(text);
        std::vector<CDbEntry*> records;
        store->StartEnumeration();
        while (CDbEntry* const record = store->GetNextEntry())
            records.push_back(record);
        if (records.empty())
            return text;
        CDbEntry* const record = records[Pick(records.size())];
        switch (Pick(4)) {
        case 0:
            store->Delete(record, true);
            break;
        case 1:
            TakeFieldOfAnother(*record, records);
            break;
        case 2:
            CopyUnderAnother(*store, *record, records);
            break;
        default:
            return InsertSiblingLine(text);
        }
        return m_bench.Generate(*store);
    }

    void TakeFieldOfAnother(CDbEntry& record, std::vector<CDbEntry*> const& records)
    {
        CDbEntry const* const donor = records[Pick(records.size())];
        if (std::string(donor->GetName()) != record.GetName() || donor->GetFieldCount() == 0)
            return;
        int const slot = static_cast<int>(Pick(static_cast<std::size_t>(donor->GetFieldCount())));
        record.Set(donor->GetFieldByIndex(slot), donor->GetByIndex(slot));
    }

    void CopyUnderAnother(CDbObject& store, CDbEntry const& record, std::vector<CDbEntry*> const& records)
    {
        CDbEntry const* const parent = record.GetParent();
        CDbEntry* const other = records[Pick(records.size())];
        if (parent == nullptr || other == parent || std::string(other->GetName()) != parent->GetName())
            return;
        CDbEntry copy = quillset::diff::DetachedCopy(record);
        copy.SetParent(other);
        store.AddEntry(copy, false);
        copy.RemoveParent();
    }

    // Inserts, before an indented line, a variant of the indented line above it.
    std::string InsertSiblingLine(std::string const& text)
    {
        Lines lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        std::vector<std::size_t> places;
        for (std::size_t k = 1; k < lines.size(); ++k) {
            if (lines[k][0] == ' ' && lines[k - 1][0] == ' ' && lines[k - 1].find('\n') == std::string::npos)
                places.push_back(k);
        }
        if (places.empty())
            return text;
        std::size_t const at = places[Pick(places.size())];
        lines.insert(lines.begin() + static_cast<long>(at), lines[at - 1] + " 7");
        return Join(lines);
    }

    std::size_t Pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random); }

    DiffBench& m_bench;
    std::mt19937 m_random;
};

// Whether one parent holds an unmatched line and its "no" form: sent as commands, each
// undoes the other, so no sequence of lines can produce both (a known limit).
bool HasNegationPair(CDbObject const& store)
{
    std::set<std::pair<CDbEntry const*, std::string>> lines;
    for (int i = 0; CDbEntry const* const record = store.Select(QS_UNKNOWN_ID, i); ++i)
        lines.emplace(record->GetParent(), quillset::diff::TrimIndent(static_cast<char const*>(record->Get(QS_UNKNOWN_TEXT))));
    return std::any_of(lines.begin(), lines.end(), [&](auto const& line) {
        return lines.count({line.first, "no " + line.second}) > 0;
    });
}

// Whether a configuration is a fair input: one a device can hold, and one the library
// writes back to the same records (generation may move an unmatched line that a
// definition reads into that definition's mode, which no remediation can follow).
bool IsDeviceValid(DiffBench& bench, std::string const& text)
{
    auto const store = bench.Parse(text);
    return !quillset::diff::HasKeyClash(bench.Model(), *store) && !HasNegationPair(*store) &&
           Records(bench.Model(), *store) == Records(bench.Model(), *bench.Parse(bench.Generate(*store)));
}

// Checks the law in both directions between `base` and many changed versions of it.
void CheckGeneratedChanges(DiffBench& bench, std::string const& base, std::string const& name, int samples)
{
    int checked = 0;
    for (int seed = 0; seed < samples; ++seed) {
        ChangeMaker maker(bench, static_cast<unsigned>(seed));
        std::string const changed = maker.Change(base, 1 + seed % 6);
        if (!IsDeviceValid(bench, changed))
            continue;
        ++checked;
        CheckLaw(bench, base, changed, name + " seed " + std::to_string(seed));
        CheckLaw(bench, changed, base, name + " rollback, seed " + std::to_string(seed));
        if (testing::Test::HasFailure())
            return;
    }
    EXPECT_GE(checked * 4, samples) << name << ": too few changes gave a configuration a device can hold";
}

std::string const kSmallBase =
    "hostname r1\n"
    "no service pad\n"
    "service timestamps\n"
    "interface Gi0/1\n"
    " description uplink to core\n"
    " ip address 10.0.0.1 255.255.255.0\n"
    " ip access-group WEB in\n"
    " speed 100\n"
    " shutdown\n"
    " cdp enable\n"
    "interface Gi0/2\n"
    " no ip address\n"
    " no shutdown\n"
    "interface Gi0/3\n"
    " description spare\n"
    " no cdp enable\n"
    "router ospf 1\n"
    " network 10.0.0.0 0.0.0.255 area 0\n"
    " network 10.1.0.0 0.0.0.255 area 1\n"
    "ip access-list extended WEB\n"
    " 10 permit tcp any any eq 80\n"
    " 20 deny ip any any\n"
    "ip access-list standard MGMT\n"
    " permit 10.0.0.0 0.0.0.255\n"
    " deny any log\n"
    " permit any\n"
    "ip route 0.0.0.0 0.0.0.0 10.0.0.254\n"
    "logging host 10.9.9.9\n";

TEST_F(SmallDialect, LawHoldsForGeneratedChanges)
{
    ASSERT_TRUE(bench.Ready()) << bench.Error();
    EXPECT_EQ(quillset::diff::Remediate(bench.Model(), *bench.Parse(kSmallBase), *bench.Parse(kSmallBase)), Lines());
    CheckGeneratedChanges(bench, kSmallBase, "small", 300);
}

class Corpus : public testing::Test {
protected:
    Corpus() : bench(QUILLSET_SYNTAXES_DIR "/zyn.syntax", ReadFile(QUILLSET_SYNTAXES_DIR "/zyn.rules")) {}

    DiffBench bench;
};

TEST_F(Corpus, LawHoldsBetweenCorpusFilesAndForTheirChanges)
{
    ASSERT_TRUE(bench.Ready()) << bench.Error();
    std::vector<std::string> const files = quillset::test::CorpusFiles(QUILLSET_CORPUS_DIR);
    if (files.empty())
        GTEST_SKIP() << "no corpus at " << QUILLSET_CORPUS_DIR;
    std::string previous = ReadFile(files.back());
    for (std::string const& file : files) {
        std::string const text = ReadFile(file);
        EXPECT_EQ(quillset::diff::Remediate(bench.Model(), *bench.Parse(text), *bench.Parse(text)), Lines()) << file;
        if (!IsDeviceValid(bench, text))
            continue;
        if (IsDeviceValid(bench, previous))
            CheckLaw(bench, previous, text, "to " + file);
        CheckGeneratedChanges(bench, text, file, 4);
        if (HasFailure())
            return;
        previous = text;
    }
}

}  // namespace
