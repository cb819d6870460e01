// A neutral record tree: the records of a store as plain C++ values, in the order a person
// reads them (the order generation writes them), never the store's hash order. It is what
// the tool serialises as JSON and what other hosts expose; loading a tree back builds a
// store in which a record's position in the tree gives its parent.
#ifndef QUILLSET_TOOLKIT_RECORD_TREE_H
#define QUILLSET_TOOLKIT_RECORD_TREE_H

#include "toolkit/syntax_layout.h"

#include <quillset/dbobject.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillset::toolkit {

struct RecordNode {
    std::string name;
    // In slot order; the header and footer are kept apart.
    std::vector<std::pair<std::string, std::string>> fields;
    std::optional<std::string> header;
    std::optional<std::string> footer;
    std::vector<RecordNode> children;

    bool operator==(RecordNode const& other) const;
    bool operator!=(RecordNode const& other) const { return !(*this == other); }
};

using RecordTree = std::vector<RecordNode>;

// The store's records in reading order: per parent, commands by the position of their
// first definition in the syntax list, records of one command in store order, children
// after the definition they follow, unmatched lines where generation writes them. Records
// that generation never reaches (no definition, or a parent that does not match the
// nesting) follow the reachable ones of their parent, so that nothing is left out.
RecordTree BuildTree(CDbObject const& db, SyntaxList const& syntaxes);

// One record and its descendants, in the same order.
RecordNode BuildSubtree(CDbObject const& db, SyntaxList const& syntaxes, CDbEntry const& record);

// Adds the tree's records to `db`, each under the record of the node that holds it.
void LoadTree(RecordTree const& tree, CDbObject& db);

// Whether two stores hold the same records in the same reading order.
bool SameRecords(CDbObject const& a, CDbObject const& b, SyntaxList const& syntaxes);

// The number of nodes in the tree, at every depth.
int CountNodes(RecordTree const& tree);

}  // namespace quillset::toolkit

#endif
