// Record: what a Python Record object holds. It shares its store, so the store lives as
// long as any of its records is referenced, and checks the record's life token at every
// use.
#ifndef QUILLSET_PYTHON_RECORD_H
#define QUILLSET_PYTHON_RECORD_H

#include "store_handle.h"

#include <pybind11/pybind11.h>

#include <mutex>
#include <string>

namespace quillset::python {

class Record {
public:
    // Called with the store's mutex held.
    Record(StorePtr store, CDbEntry* entry) : m_store(std::move(store)), m_entry(entry), m_life(m_store->LifeOf(entry))
    {
    }

    // Locks the store; then Entry() may be used until the lock ends.
    std::unique_lock<std::mutex> Lock() const { return std::unique_lock<std::mutex>(m_store->Mutex()); }
    // The record; raises DeletedRecordError once it was deleted.
    CDbEntry& Entry() const;
    StorePtr const& Store() const { return m_store; }
    bool operator==(Record const& other) const { return m_entry == other.m_entry; }
    std::size_t Hash() const { return std::hash<CDbEntry const*>{}(m_entry); }

private:
    StorePtr m_store;
    CDbEntry* m_entry;
    std::shared_ptr<RecordLife> m_life;
};

// The text a Python value is stored as: True/False as 1/0, None as the empty text, anything
// else as str() gives it.
std::string FieldText(pybind11::handle value);

}  // namespace quillset::python

#endif
