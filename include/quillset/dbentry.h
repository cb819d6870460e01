// CDbEntry: one record. A record name, an ordered row of field slots (name and value), a
// link to a parent record and the list of its child records. The record owns its texts and
// values, never its parent or children.
#ifndef QUILLSET_DBENTRY_H
#define QUILLSET_DBENTRY_H

#include <quillset/dbvalue.h>
#include <quillset/dynarray.h>
#include <quillset/export.h>
#include <quillset/qstring.h>

#include <memory>

namespace quillset::detail {
struct RecordAnchor;
struct RecordAccess;
class ChildList;
}

class QS_API CDbEntry {
public:
    explicit CDbEntry(char const* name, int capacity = 10);
    explicit CDbEntry(int capacity = 10);
    CDbEntry(CDbEntry const& other);
    ~CDbEntry();

    CDbEntry& operator=(CDbEntry const& other);
    // Name, named fields (each set again by name or slot number), delimiter, parent pointer
    // and child list of `other`. The parent's and the children's own links are not changed.
    CDbEntry& CopyData(CDbEntry const& other);
    // Empties the name and the slots, detaches from the parent and empties the child list.
    void Clear();

    void SetName(char const* name);
    char const* GetName() const;
    int GetFieldCount() const;

    // Fields. Results: 0 done, 1 the field name was null. A field name that is empty or
    // made only of digits addresses the slot of that number; any other name addresses its
    // first slot, or a new slot at the end. A `length` of 0 or more stores only that many
    // characters of `value`; a null value stores the empty text.
    int Set(char const* field, char const* value, int length = -1);
    int Set(char const* field, char c);
    int Set(char const* field, int v);
    int Set(char const* field, unsigned int v);
    int Set(char const* field, long v);
    int Set(char const* field, unsigned long v);
    int Set(char const* field, bool v);
    int Set(char const* field, CDbValue const& v);

    int SetByIndex(int slot, char const* value, int length = -1);
    int SetByIndex(int slot, char c);
    int SetByIndex(int slot, int v);
    int SetByIndex(int slot, unsigned int v);
    int SetByIndex(int slot, long v);
    int SetByIndex(int slot, unsigned long v);

    int SetHeader(char const* text);
    int SetFooter(char const* text);

    // Readers never fail: a missing field yields a shared, never-changing empty value.
    CDbValue const& Get(char const* field) const;
    bool IsExist(char const* field) const;
    CDbValue const& GetByIndex(int slot) const;
    CDbValue const& GetValueByIndex(int slot) const;
    char const* GetFieldByIndex(int slot) const;
    CDbValue const& GetHeader() const;
    CDbValue const& GetFooter() const;
    bool IsExistHeader() const;
    bool IsExistFooter() const;

    // Removes the first field of that name (later slots move down). 0 removed, 1 not found.
    int Remove(char const* field);

    // Tree links. A link never outlives the record it designates: once a parent or child
    // is destroyed, GetParent and GetChild answer null for it.
    CDbEntry* GetParent();
    CDbEntry const* GetParent() const;
    int GetChildCount() const;
    CDbEntry* GetChild(int i);
    CDbEntry const* GetChild(int i) const;
    // Detaches from the current parent, then links under `parent` (listed once).
    void SetParent(CDbEntry* parent);
    void RemoveParent();
    // Appends `child` (even if listed already) and makes this its parent, without taking
    // it off a previous parent's list.
    void AddChild(CDbEntry* child);
    // Clears `child`'s parent and takes its first occurrence off this list.
    void RemoveChild(CDbEntry* child);

    // Row packing: whether `other` must not be merged into this record (different name or
    // parent, or a common field with different text), and the merge itself.
    bool IsConflicting(CDbEntry const& other) const;
    int Combine(CDbEntry const& other);

    // The record as one line of delimited text (no line end): the record name, then for
    // each slot a comma and the slot's text. A record with any field whose name is not a
    // slot number is written with "name=" before each value (named); otherwise the values
    // of slots 1 onwards stand alone (positional). Names and values are escaped: backslash
    // before a comma, a backslash or "=", backslash-letter for the control characters
    // \a \b \t \n \v \f \r, and a double quote doubled; a line that would start with
    // white space, "#" or "/" gets a backslash first, so that a reader never takes it for a
    // blank or comment line.
    CString& GetEntry(CString& line) const;
    // The same line in a buffer of this record, valid until the next call of this form on
    // the record or the record's end.
    char const* GetEntry() const;
    // Clears the record and rebuilds it from a line as GetEntry writes it: escapes undone,
    // two double quotes read as one, a token holding an unescaped "=" read as name=value,
    // any other token as the value of the slot of its position. Returns 0.
    int SetEntry(char const* line);
    // Writes the record's line and a line feed to the standard output.
    void PrintEntry() const;

private:
    friend struct quillset::detail::RecordAccess;
    using RecordAnchor = quillset::detail::RecordAnchor;

    static bool IsFieldAnIndex(char const* field);
    QS_LOCAL int SlotOf(char const* field) const;
    QS_LOCAL int SlotForSet(char const* field) const;
    QS_LOCAL void GrowTo(int slotCount);
    QS_LOCAL void ReleaseSlots();
    QS_LOCAL RecordAnchor* Anchor();
    QS_LOCAL void LinkParent(RecordAnchor* parent);
    QS_LOCAL void AppendChild(CDbEntry* child);
    QS_LOCAL void EraseChild(CDbEntry const* child);
    QS_LOCAL void ReleaseChildren();

    char* m_name;
    CDynArray<char*> m_fieldNames;
    CDynArray<CDbValue*> m_values;
    RecordAnchor* m_parent;                 // weak link to the parent, or null
    // Weak links to the children, in link order; made with the first child.
    std::unique_ptr<quillset::detail::ChildList> m_children;
    char m_delimiter;
    RecordAnchor* m_anchor;                 // made when the record is first linked to
    mutable std::unique_ptr<CString> m_line;  // the line of GetEntry(), made at its first call
};

#endif
