// Builds the reading-order tree of a store by walking the syntax list as generation does,
// and loads a tree back into a store.
#include "toolkit/record_tree.h"

#include <quillset/cmdgen.h>

#include <cstring>
#include <unordered_set>

namespace quillset::toolkit {

namespace {

char const kHeaderField[] = "_Header";
char const kFooterField[] = "_Footer";

bool SameText(char const* a, char const* b) { return std::strcmp(a, b) == 0; }

RecordNode NodeOf(CDbEntry const& record)
{
    RecordNode node;
    node.name = record.GetName();
    for (int slot = 0; slot < record.GetFieldCount(); ++slot) {
        char const* field = record.GetFieldByIndex(slot);
        // Header and footer are fields of the record; the tree shows them apart.
        if (field != nullptr && !SameText(field, kHeaderField) && !SameText(field, kFooterField))
            node.fields.emplace_back(field, static_cast<char const*>(record.GetByIndex(slot)));
    }
    if (record.IsExistHeader())
        node.header = static_cast<char const*>(record.GetHeader());
    if (record.IsExistFooter())
        node.footer = static_cast<char const*>(record.GetFooter());
    return node;
}

class ReadingOrderWalk {
public:
    ReadingOrderWalk(CDbObject const& db, SyntaxList const& syntaxes) : m_db(db), m_syntaxes(syntaxes) {}

    RecordTree Walk()
    {
        RecordTree top;
        int position = 0;
        WalkLevel(nullptr, "", position, top);
        m_db.StartEnumeration();
        while (CDbEntry const* record = m_db.GetNextEntry()) {
            if (record->GetParent() == nullptr && !m_visited.count(record))
                top.push_back(Unreached(*record));
        }
        return top;
    }

    RecordNode Subtree(CDbEntry const& record)
    {
        m_visited.insert(&record);
        char const* parentName = record.GetParent() ? record.GetParent()->GetName() : "";
        for (int i = 0; i < m_syntaxes.GetSize(); ++i) {
            if (SameText(m_syntaxes[i]->GetId(), record.GetName()) && SameText(m_syntaxes[i]->GetParentId(), parentName))
                return Visit(record, i);
        }
        return Visit(record, -1);
    }

private:
    void WalkLevel(CDbEntry const* parent, char const* parentName, int& i, RecordTree& out)
    {
        int const count = m_syntaxes.GetSize();
        bool seenUnknown = false;
        while (i < count && SameText(m_syntaxes[i]->GetParentId(), parentName)) {
            char const* id = m_syntaxes[i]->GetId();
            seenUnknown = seenUnknown || SameText(id, QS_UNKNOWN_ID);
            AddRecords(id, parent, i, out);
            i = EndOfGroup(m_syntaxes, i);
        }
        if (!seenUnknown)
            AddRecords(QS_UNKNOWN_ID, parent, -1, out);
    }

    // The records of one command under `parent`; `first` is the command's first definition
    // at this level (-1 for unmatched lines, which have no children).
    void AddRecords(char const* id, CDbEntry const* parent, int first, RecordTree& out)
    {
        for (int n = 0; CDbEntry const* record = m_db.Select(id, parent, n); ++n) {
            if (m_visited.insert(record).second)
                out.push_back(Visit(*record, first));
        }
    }

    RecordNode Visit(CDbEntry const& record, int first)
    {
        RecordNode node = NodeOf(record);
        char const* id = record.GetName();
        int const count = m_syntaxes.GetSize();
        for (int j = first; j >= 0;) {
            if (++j >= count)
                break;
            if (SameText(m_syntaxes[j]->GetParentId(), id))
                WalkLevel(&record, id, j, node.children);
            if (j >= count || !SameText(m_syntaxes[j]->GetId(), id))
                break;
        }
        AddUnreachedChildren(record, node);
        return node;
    }

    RecordNode Unreached(CDbEntry const& record)
    {
        m_visited.insert(&record);
        RecordNode node = NodeOf(record);
        AddUnreachedChildren(record, node);
        return node;
    }

    void AddUnreachedChildren(CDbEntry const& record, RecordNode& node)
    {
        for (int c = 0; c < record.GetChildCount(); ++c) {
            CDbEntry const* child = record.GetChild(c);
            if (child != nullptr && !m_visited.count(child))
                node.children.push_back(Unreached(*child));
        }
    }

    CDbObject const& m_db;
    SyntaxList const& m_syntaxes;
    std::unordered_set<CDbEntry const*> m_visited;
};

void LoadNodes(RecordTree const& nodes, CDbEntry* parent, CDbObject& db)
{
    for (RecordNode const& node : nodes) {
        CDbEntry record(node.name.c_str());
        for (auto const& [field, value] : node.fields)
            record.Set(field.c_str(), value.c_str());
        if (node.header)
            record.SetHeader(node.header->c_str());
        if (node.footer)
            record.SetFooter(node.footer->c_str());
        if (parent != nullptr)
            record.SetParent(parent);
        LoadNodes(node.children, db.AddEntry(record, false), db);
    }
}

}  // namespace

bool RecordNode::operator==(RecordNode const& other) const
{
    return name == other.name && fields == other.fields && header == other.header && footer == other.footer &&
           children == other.children;
}

RecordTree BuildTree(CDbObject const& db, SyntaxList const& syntaxes) { return ReadingOrderWalk(db, syntaxes).Walk(); }

RecordNode BuildSubtree(CDbObject const& db, SyntaxList const& syntaxes, CDbEntry const& record)
{
    return ReadingOrderWalk(db, syntaxes).Subtree(record);
}

void LoadTree(RecordTree const& tree, CDbObject& db) { LoadNodes(tree, nullptr, db); }

bool SameRecords(CDbObject const& a, CDbObject const& b, SyntaxList const& syntaxes)
{
    return BuildTree(a, syntaxes) == BuildTree(b, syntaxes);
}

int CountNodes(RecordTree const& tree)
{
    int count = 0;
    for (RecordNode const& node : tree)
        count += 1 + CountNodes(node.children);
    return count;
}

}  // namespace quillset::toolkit
