// CDbObject: the record store. It owns its records and indexes them by record name; one
// selected record, moved by every lookup, is what its field operations act on. A small
// query language selects, counts and creates records by name, parent and field values, and
// the store saves and loads itself as delimited text, one record per line.
#ifndef QUILLSET_DBOBJECT_H
#define QUILLSET_DBOBJECT_H

#include <quillset/dbentry.h>
#include <quillset/dbvalue.h>
#include <quillset/dynarray.h>
#include <quillset/export.h>
#include <quillset/hashtable.h>
#include <quillset/qstring.h>

#include <cstddef>
#include <memory>

namespace quillset::detail {
class StoreState;
struct StoreAccess;
}

class QS_API CDbObject {
public:
    // An empty store with no record selected; the default has the empty name and 503 buckets.
    CDbObject();
    explicit CDbObject(char const* name, int bucketCount = 503);
    ~CDbObject();
    CDbObject(CDbObject const&) = delete;
    CDbObject& operator=(CDbObject const&) = delete;
    // Moving takes the records, the selection, the query memory and the baseline; the
    // source is left an empty store with no record selected.
    CDbObject(CDbObject&& other);
    CDbObject& operator=(CDbObject&& other);

    char const* GetName() const;
    // The name of the selected record, or null when none is selected.
    char const* GetTableName() const;
    int GetEntryCount() const;
    CDbEntry* GetSelected() const;
    void SetSelected(CDbEntry* record);

    // Enumeration: all records of one name together, in the order added; the names in the
    // order of the hash. A new store needs no StartEnumeration before the first call.
    void StartEnumeration() const;
    CDbEntry* GetNextEntry() const;

    // Lookups. Each selects its result (none when it is null). Records of one name are
    // counted in the order added; Select(name, parent, index) counts only those whose parent
    // is `parent`, a null parent meaning records without one.
    CDbEntry* Select(char const* name, int index) const;
    CDbEntry* Select(char const* name, CDbEntry const* parent, int index) const;
    // A literal nullptr as parent would fit the integer query form Select(name, field,
    // value) as well; this picks the lookup of records without a parent.
    CDbEntry* Select(char const* name, std::nullptr_t, int index) const
    {
        return Select(name, static_cast<CDbEntry const*>(nullptr), index);
    }
    CDbEntry* SelectLast(char const* name) const;

    // Stores a copy of `record` (listed as a child of its parent), or with `combine` merges
    // it into the first record of that name and parent that does not conflict with it.
    // Returns the stored or merged-into record.
    CDbEntry* AddEntry(CDbEntry const& record, bool combine);
    // Deletes `record` (with `cascade`, all its descendants too). A record that the store
    // does not hold is only detached from its parent. Returns 0.
    int Delete(CDbEntry* record, bool cascade);
    // Deletes the selected record and selects none; 2 when no record is selected.
    int Delete(bool cascade);
    // Replaces the baseline, a snapshot copy of the store owned by it, whose records link
    // to each other as the store's records do; the store's own records are not changed.
    void BaselineData();

    // Field operations on the selected record. Readers answer an empty value or false when
    // no record is selected; writers then return 2, else 0 (Remove: 1 when not found).
    CDbValue Get(char const* field) const;
    CDbValue Get(char const* name, char const* field, int index) const;
    CDbValue Get(char const* name, CDbEntry const* parent, char const* field, int index) const;
    CDbValue GetHeader() const;
    CDbValue GetFooter() const;
    bool IsExist(char const* field) const;
    bool IsExist(char const* name, char const* field, int index) const;
    bool IsExist(char const* name, CDbEntry const* parent, char const* field, int index) const;
    bool IsExistHeader() const;
    bool IsExistFooter() const;
    int Set(char const* field, char const* value);
    int Set(char const* field, char value);
    int Set(char const* field, int value);
    int Set(char const* field, unsigned int value);
    int Set(char const* field, long value);
    int Set(char const* field, unsigned long value);
    int Set(char const* field, bool value);
    int Set(char const* field, CDbValue const& value);
    int SetHeader(char const* text);
    int SetFooter(char const* text);
    int Remove(char const* field);

    // The query language. A query names records, optionally a parent and an index, and
    // conditions: field/value pairs that a record's field texts must equal exactly (a
    // record without the field has the empty text). The first pair is passed in `field`
    // and `value`, further pairs as variable arguments, and the variable arguments must
    // always end with a null pointer, written nullptr or (char const*)0, never 0 or NULL:
    // - text forms (`char const* value`): every further argument is a char const*; the list
    //   ends at the first null, so a null where a value belongs leaves a field without a
    //   value, which no record matches and Create sets to the empty text;
    // - integer forms (`int value`): further arguments come in pairs, a char const* field
    //   name and an int (pass an int: a long or an unsigned long is read wrongly), and the
    //   list ends at a null field name. Values are matched as the unsigned decimal text of
    //   their 32-bit pattern: -1 matches "4294967295", not a field set with Set(field, -1).
    // Here a null parent means any parent; a record created without a parent has none.
    // Select with the next index of the same query (same name, parent and conditions)
    // resumes where the previous one stopped, so a loop over index 0, 1, 2 ... walks the
    // records once.
    CDbEntry* Select(char const* name, char const* field, char const* value, ...) const QS_SENTINEL;
    CDbEntry* Select(char const* name, char const* field, int value, ...) const QS_SENTINEL;
    CDbEntry* Select(char const* name, int index, char const* field, char const* value, ...) const QS_SENTINEL;
    CDbEntry* Select(char const* name, int index, char const* field, int value, ...) const QS_SENTINEL;
    CDbEntry* Select(char const* name, CDbEntry const* parent, char const* field, char const* value, ...) const QS_SENTINEL;
    CDbEntry* Select(char const* name, CDbEntry const* parent, char const* field, int value, ...) const QS_SENTINEL;
    CDbEntry* Select(char const* name, CDbEntry const* parent, int index, char const* field, char const* value,
                     ...) const QS_SENTINEL;
    CDbEntry* Select(char const* name, CDbEntry const* parent, int index, char const* field, int value, ...) const QS_SENTINEL;

    // Select, and create the record when there is none; returns the selected record.
    // SelectCreate(name) takes the first record of any parent, SelectCreateLast(name) the
    // latest, SelectCreate(name, parent) the first whose parent is `parent` (null: none).
    CDbEntry* SelectCreate(char const* name);
    CDbEntry* SelectCreateLast(char const* name);
    CDbEntry* SelectCreate(char const* name, CDbEntry* parent);
    CDbEntry* SelectCreate(char const* name, char const* field, char const* value, ...) QS_SENTINEL;
    CDbEntry* SelectCreate(char const* name, char const* field, int value, ...) QS_SENTINEL;
    CDbEntry* SelectCreate(char const* name, CDbEntry* parent, char const* field, char const* value, ...) QS_SENTINEL;
    CDbEntry* SelectCreate(char const* name, CDbEntry* parent, char const* field, int value, ...) QS_SENTINEL;

    // Counts; they change neither the selected record nor the query memory.
    // SelectCount(name, null) is the number of records of that name.
    int SelectCount(char const* name, CDbEntry const* parent) const;
    int SelectCount(char const* name, char const* field, char const* value, ...) const QS_SENTINEL;
    int SelectCount(char const* name, char const* field, int value, ...) const QS_SENTINEL;
    int SelectCount(char const* name, CDbEntry const* parent, char const* field, char const* value, ...) const QS_SENTINEL;
    int SelectCount(char const* name, CDbEntry const* parent, char const* field, int value, ...) const QS_SENTINEL;

    // A new record in the store holding the conditions as its fields, in order, listed
    // under `parent` when one is given; it is selected and returned.
    CDbEntry* Create(char const* name, CDbEntry* parent);
    CDbEntry* Create(char const* name, char const* field, char const* value, ...) QS_SENTINEL;
    CDbEntry* Create(char const* name, char const* field, int value, ...) QS_SENTINEL;
    CDbEntry* Create(char const* name, CDbEntry* parent, char const* field, char const* value, ...) QS_SENTINEL;
    CDbEntry* Create(char const* name, CDbEntry* parent, char const* field, int value, ...) QS_SENTINEL;

    // Delimited text files, one record per line (CDbEntry::GetEntry); a record's parent is
    // written as a last field "__Parent" holding the line number of the parent's line. A
    // null path means the standard input or output.
    // Reading adds every record (AddEntry with `combine`), skipping blank lines and lines
    // that start with "#" or "//", then links records to their parents. Lines are read in
    // pieces of at most 1023 bytes, each piece counting as a line. Results: 0 done; 1 the
    // file cannot be opened; 2 a read error ended reading (what was read is stored and
    // linked); 4 a "__Parent" number below 1 or past the last line (linking stops there);
    // 5 larger than QS_MAX_FILE_SIZE (a file is not read; a stream stops at the limit).
    int ReadDelimitedFile(char const* path, bool combine);
    // Results: 0 done; 1 the file cannot be opened; 3 a line cannot be written.
    int WriteDelimitedFile(char const* path) const;
    // Appends every record's line and a line feed, without parent links. Returns 0.
    int WriteDelimitedString(CString& text) const;

private:
    friend struct quillset::detail::StoreAccess;
    using StoreState = quillset::detail::StoreState;

    CDbEntry* DoSelect(char const* name, CDbEntry const* parent, int index, CDynArray<char const*>& pairs) const;
    int DoSelectCount(char const* name, CDbEntry const* parent, CDynArray<char const*>& pairs) const;
    CDbEntry* DoCreate(char const* name, CDbEntry* parent, CDynArray<char const*>& pairs);
    QS_LOCAL void IndexRecord(CDbEntry* record);
    QS_LOCAL void Swap(CDbObject& other) noexcept;
    QS_LOCAL CDbEntry* PackInto(CDbEntry const& record);
    QS_LOCAL CDbEntry* StoreNew(CDbEntry* record);
    QS_LOCAL CDbEntry* AdoptEntry(CDbEntry& record, bool combine);

    CDbObject* m_baseline;
    CString m_name;
    mutable CDbEntry* m_selected;
    // Declared before the table, so that it outlives the records the table destroys.
    std::unique_ptr<StoreState> m_state;
    mutable CHashTable<CDbEntry> m_index;
};

#endif
