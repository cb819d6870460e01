// The query language of CDbObject: selecting, counting and creating records by name, parent
// and field/value conditions passed as variable arguments, with the memory that lets the
// next index of a query resume where the previous one stopped.
#include <quillset/dbobject.h>

#include "store/store_state.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>

using quillset::detail::IndexAccess;
using quillset::detail::QueryMemory;
using quillset::detail::RecordGroup;
using quillset::detail::RecordTable;
using quillset::detail::StoreState;

namespace {

// The conditions of one call: the fixed pair, then the variable arguments, up to the first
// null pointer. The fixed pair is always kept, nulls included, and a null in it ends the
// list: a null field can hold no value, so such a query matches nothing (and creates no
// field) instead of dropping its only condition. Integer values are written as the
// unsigned decimal text of their 32-bit pattern, into texts the list owns.
class Conditions {
public:
    Conditions(char const* field, char const* value, va_list more)
    {
        m_pairs[0] = field;
        m_pairs[1] = value;
        bool open = field != nullptr && value != nullptr;
        while (open)
            open = Append(va_arg(more, char const*));
    }

    Conditions(char const* field, int value, va_list more)
    {
        m_pairs[0] = field;
        AppendNumber(value);
        while (field != nullptr && Append(field = va_arg(more, char const*)))
            AppendNumber(va_arg(more, int));
    }

    operator CDynArray<char const*>&() { return m_pairs; }

private:
    bool Append(char const* text)
    {
        if (text != nullptr)
            m_pairs[m_pairs.GetSize()] = text;
        return text != nullptr;
    }

    void AppendNumber(int value)
    {
        std::array<char, 12>& text = m_numbers.emplace_back();
        std::snprintf(text.data(), text.size(), "%lu", static_cast<unsigned long>(static_cast<unsigned int>(value)));
        Append(text.data());
    }

    CDynArray<char const*> m_pairs;
    std::deque<std::array<char, 12>> m_numbers;  // a deque never moves what it holds
};

// Reads the conditions of the calling member (whose last fixed parameter is `value`).
#define QUILLSET_CONDITIONS(pairs, field, value) \
    va_list more_##pairs;                          \
    va_start(more_##pairs, value);                 \
    Conditions pairs(field, value, more_##pairs);  \
    va_end(more_##pairs)

// A record matches when every pair has a value equal to the record's text of the field.
bool Matches(CDbEntry const& record, CDynArray<char const*> const& pairs)
{
    for (int i = 0; i < pairs.GetSize(); i += 2) {
        char const* const value = i + 1 < pairs.GetSize() ? pairs[i + 1] : nullptr;
        if (pairs[i] == nullptr || value == nullptr || std::strcmp(record.Get(pairs[i]), value) != 0)
            return false;
    }
    return true;
}

// Each text followed by "&".
std::string ArgumentKey(CDynArray<char const*> const& pairs)
{
    std::string key;
    for (int i = 0; i < pairs.GetSize(); ++i) {
        key += pairs[i] ? pairs[i] : "\\0";
        key += '&';
    }
    return key;
}

// Walks the records of `name` that a query with `parent` (null: any) may match, in group
// order from position `from`, until `visit` returns true; returns where the walk stopped.
template <class Visit>
int WalkQuery(RecordTable& table, StoreState& state, char const* name, CDbEntry const* parent, int from, Visit visit)
{
    RecordGroup* const group = state.Find(name);
    if (group == nullptr)
        return from;
    return parent ? group->VisitChildren(table, parent, from, visit) : group->VisitAll(table, from, visit);
}

}  // namespace

CDbEntry* CDbObject::DoSelect(char const* name, CDbEntry const* parent, int index, CDynArray<char const*>& pairs) const
{
    QueryMemory& memory = m_state->query;
    std::string key = ArgumentKey(pairs);
    int position = 0;
    int matches = 0;
    if (memory.Resumes(name, parent, index, key)) {
        position = memory.position;
        matches = memory.matches;
    }
    CDbEntry* result = nullptr;
    position = WalkQuery(m_index, *m_state, name, parent, position, [&](CDbEntry* record) {
        if (!Matches(*record, pairs))
            return false;
        if (matches == index) {
            result = record;
            return true;
        }
        ++matches;
        return false;
    });
    memory = QueryMemory{name ? name : "", parent, std::move(key), index, position, matches};
    m_selected = result;
    return result;
}

int CDbObject::DoSelectCount(char const* name, CDbEntry const* parent, CDynArray<char const*>& pairs) const
{
    int count = 0;
    WalkQuery(m_index, *m_state, name, parent, 0, [&](CDbEntry* record) {
        count += Matches(*record, pairs) ? 1 : 0;
        return false;
    });
    return count;
}

CDbEntry* CDbObject::DoCreate(char const* name, CDbEntry* parent, CDynArray<char const*>& pairs)
{
    auto* const record = new CDbEntry(name, 10);
    m_selected = record;
    for (int i = 0; i < pairs.GetSize(); i += 2)
        record->Set(pairs[i], i + 1 < pairs.GetSize() ? pairs[i + 1] : nullptr);
    if (parent != nullptr)
        record->SetParent(parent);
    IndexRecord(record);
    return record;
}

CDbEntry* CDbObject::Select(char const* name, char const* field, char const* value, ...) const
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelect(name, nullptr, 0, pairs);
}

CDbEntry* CDbObject::Select(char const* name, char const* field, int value, ...) const
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelect(name, nullptr, 0, pairs);
}

CDbEntry* CDbObject::Select(char const* name, int index, char const* field, char const* value, ...) const
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelect(name, nullptr, index, pairs);
}

CDbEntry* CDbObject::Select(char const* name, int index, char const* field, int value, ...) const
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelect(name, nullptr, index, pairs);
}

CDbEntry* CDbObject::Select(char const* name, CDbEntry const* parent, char const* field, char const* value, ...) const
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelect(name, parent, 0, pairs);
}

CDbEntry* CDbObject::Select(char const* name, CDbEntry const* parent, char const* field, int value, ...) const
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelect(name, parent, 0, pairs);
}

CDbEntry* CDbObject::Select(char const* name, CDbEntry const* parent, int index, char const* field, char const* value,
                            ...) const
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelect(name, parent, index, pairs);
}

CDbEntry* CDbObject::Select(char const* name, CDbEntry const* parent, int index, char const* field, int value, ...) const
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelect(name, parent, index, pairs);
}

CDbEntry* CDbObject::SelectCreate(char const* name)
{
    return Select(name, 0) ? m_selected : Create(name, nullptr);
}

CDbEntry* CDbObject::SelectCreateLast(char const* name)
{
    return SelectLast(name) ? m_selected : Create(name, nullptr);
}

CDbEntry* CDbObject::SelectCreate(char const* name, CDbEntry* parent)
{
    return Select(name, parent, 0) ? m_selected : Create(name, parent);
}

CDbEntry* CDbObject::SelectCreate(char const* name, char const* field, char const* value, ...)
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelect(name, nullptr, 0, pairs) ? m_selected : DoCreate(name, nullptr, pairs);
}

CDbEntry* CDbObject::SelectCreate(char const* name, char const* field, int value, ...)
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelect(name, nullptr, 0, pairs) ? m_selected : DoCreate(name, nullptr, pairs);
}

CDbEntry* CDbObject::SelectCreate(char const* name, CDbEntry* parent, char const* field, char const* value, ...)
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelect(name, parent, 0, pairs) ? m_selected : DoCreate(name, parent, pairs);
}

CDbEntry* CDbObject::SelectCreate(char const* name, CDbEntry* parent, char const* field, int value, ...)
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelect(name, parent, 0, pairs) ? m_selected : DoCreate(name, parent, pairs);
}

int CDbObject::SelectCount(char const* name, CDbEntry const* parent) const
{
    CDynArray<char const*> none;
    return parent ? DoSelectCount(name, parent, none) : IndexAccess::KeyCount(m_index, name);
}

int CDbObject::SelectCount(char const* name, char const* field, char const* value, ...) const
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelectCount(name, nullptr, pairs);
}

int CDbObject::SelectCount(char const* name, char const* field, int value, ...) const
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelectCount(name, nullptr, pairs);
}

int CDbObject::SelectCount(char const* name, CDbEntry const* parent, char const* field, char const* value, ...) const
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelectCount(name, parent, pairs);
}

int CDbObject::SelectCount(char const* name, CDbEntry const* parent, char const* field, int value, ...) const
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoSelectCount(name, parent, pairs);
}

CDbEntry* CDbObject::Create(char const* name, CDbEntry* parent)
{
    CDynArray<char const*> none;
    return DoCreate(name, parent, none);
}

CDbEntry* CDbObject::Create(char const* name, char const* field, char const* value, ...)
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoCreate(name, nullptr, pairs);
}

CDbEntry* CDbObject::Create(char const* name, char const* field, int value, ...)
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoCreate(name, nullptr, pairs);
}

CDbEntry* CDbObject::Create(char const* name, CDbEntry* parent, char const* field, char const* value, ...)
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoCreate(name, parent, pairs);
}

CDbEntry* CDbObject::Create(char const* name, CDbEntry* parent, char const* field, int value, ...)
{
    QUILLSET_CONDITIONS(pairs, field, value);
    return DoCreate(name, parent, pairs);
}
