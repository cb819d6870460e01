// Pairs the records of two configurations: level by level, each record is matched to the
// record of the other side with the same identity under the matched parent, through a hash
// of identities (never by comparing every record with every other).
#ifndef QUILLSET_DIFF_RECORD_MATCH_H
#define QUILLSET_DIFF_RECORD_MATCH_H

#include "diff/command_model.h"

#include <quillset/dbobject.h>

#include <string>
#include <vector>

namespace quillset::diff {

struct RecordPair {
    CDbEntry const* a = nullptr;  // the record of the first configuration, or null
    CDbEntry const* b = nullptr;  // the record of the second configuration, or null
    std::vector<RecordPair> children;  // the matched children, when both records exist
};

struct FieldChange {
    std::string field;
    std::string oldValue;
    std::string newValue;
};

// The records of both stores as a tree of pairs, each level in output order (the syntax
// file's order; at one command, removed records before the others).
std::vector<RecordPair> MatchStores(CommandModel const& model, CDbObject const& a, CDbObject const& b);

// The fields that identity does not cover and whose values differ, in the first record's
// field order then the second's.
std::vector<FieldChange> ChangedFields(CommandModel const& model, CDbEntry const& a, CDbEntry const& b);

// The children of a record in output order (the syntax file's, then link order).
std::vector<CDbEntry const*> ChildrenInOrder(CommandModel const& model, CDbEntry const& record);

// A record with the same name and fields, linked to nothing.
CDbEntry DetachedCopy(CDbEntry const& record);

// Whether two siblings of a store share the identity of a keyed command or of a mode: a
// device holds one such record (sending a mode again enters it), so no commands lead there.
bool HasKeyClash(CommandModel const& model, CDbObject const& store);

// The records of a store that have no parent, in store order.
std::vector<CDbEntry const*> TopLevelRecords(CDbObject const& store);

}  // namespace quillset::diff

#endif
