// Turns the tree of matched records into the groups of changes a reader wants to see.
#include "diff/config_diff.h"

#include <utility>

namespace quillset::diff {

namespace {

class DiffCollector {
public:
    explicit DiffCollector(CommandModel const& model) : m_model(model) {}

    void Walk(std::vector<RecordPair> const& level)
    {
        ChangeGroup group;
        group.parents = m_path;
        for (RecordPair const& pair : level) {
            if (RecordChange change; Describe(pair, change))
                group.changes.push_back(std::move(change));
        }
        if (!group.changes.empty())
            m_groups.push_back(std::move(group));
        for (RecordPair const& pair : level) {
            if (pair.a == nullptr || pair.b == nullptr || pair.children.empty())
                continue;
            m_path.push_back(TrimIndent(m_model.FirstLineOf(*pair.b)));
            Walk(pair.children);
            m_path.pop_back();
        }
    }

    std::vector<ChangeGroup> Take() { return std::move(m_groups); }

private:
    bool Describe(RecordPair const& pair, RecordChange& change) const
    {
        CDbEntry const& record = pair.b != nullptr ? *pair.b : *pair.a;
        change.command = record.GetName();
        if (pair.a == nullptr || pair.b == nullptr) {
            change.kind = pair.a != nullptr ? ChangeKind::OnlyInA : ChangeKind::OnlyInB;
            change.lines = SubtreeLines(m_model, record);
            return true;
        }
        change.fields = ChangedFields(m_model, *pair.a, *pair.b);
        if (change.fields.empty())
            return false;
        change.kind = ChangeKind::Changed;
        change.lines = m_model.LinesOf(record);
        return true;
    }

    CommandModel const& m_model;
    std::vector<std::string> m_path;
    std::vector<ChangeGroup> m_groups;
};

void AppendSubtree(CommandModel const& model, CDbEntry const& record, std::vector<std::string>& lines)
{
    for (std::string& line : model.LinesOf(record))
        lines.push_back(std::move(line));
    for (CDbEntry const* const child : ChildrenInOrder(model, record))
        AppendSubtree(model, *child, lines);
}

}  // namespace

std::string TrimIndent(std::string const& line)
{
    std::size_t const start = line.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : line.substr(start);
}

std::vector<std::string> SubtreeLines(CommandModel const& model, CDbEntry const& record)
{
    std::vector<std::string> lines;
    AppendSubtree(model, record, lines);
    return lines;
}

std::vector<ChangeGroup> DiffStores(CommandModel const& model, CDbObject const& a, CDbObject const& b)
{
    DiffCollector collector(model);
    collector.Walk(MatchStores(model, a, b));
    return collector.Take();
}

char const* ChangeKindName(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::OnlyInA:
        return "only_in_a";
    case ChangeKind::OnlyInB:
        return "only_in_b";
    default:
        return "changed";
    }
}

}  // namespace quillset::diff
