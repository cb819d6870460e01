// StoreHandle: a record store as the Python module shares it. Python objects hold it through
// a shared pointer, so a Record keeps its store alive; each record handed out gets a life
// token that deleting the record kills, so a stale Record fails instead of touching freed
// memory. A mutex lets a generation run on the store with the GIL released. A parsed store
// remembers its source and the converter that parsed it, for its record tree.
#ifndef QUILLSET_PYTHON_STORE_HANDLE_H
#define QUILLSET_PYTHON_STORE_HANDLE_H

#include "toolkit/converter.h"

#include <quillset/dbobject.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace quillset::python {

// Whether the record a Python object designates still exists.
struct RecordLife {
    bool alive = true;
};

class StoreHandle {
public:
    CDbObject& Store() { return m_store; }
    std::mutex& Mutex() { return m_mutex; }

    // The life token of a record of this store, made at the first call for that record.
    std::shared_ptr<RecordLife> LifeOf(CDbEntry* record);
    // Deletes the record (and with `cascade` its descendants) and kills their tokens.
    void Delete(CDbEntry* record, bool cascade);

    void SetOrigin(std::string source, std::shared_ptr<toolkit::Converter> converter)
    {
        m_source = std::move(source);
        m_converter = std::move(converter);
    }
    std::optional<std::string> const& Source() const { return m_source; }
    // The converter that parsed the store, or null.
    toolkit::Converter* Converter() const { return m_converter.get(); }

private:
    void Kill(CDbEntry* record, bool withDescendants);

    CDbObject m_store;
    std::mutex m_mutex;
    std::unordered_map<CDbEntry*, std::shared_ptr<RecordLife>> m_lives;
    std::optional<std::string> m_source;
    std::shared_ptr<toolkit::Converter> m_converter;
};

using StorePtr = std::shared_ptr<StoreHandle>;

}  // namespace quillset::python

#endif
