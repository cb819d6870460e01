// Record life tokens of a shared store.
#include "store_handle.h"

namespace quillset::python {

std::shared_ptr<RecordLife> StoreHandle::LifeOf(CDbEntry* record)
{
    std::shared_ptr<RecordLife>& life = m_lives[record];
    if (life == nullptr)
        life = std::make_shared<RecordLife>();
    return life;
}

void StoreHandle::Delete(CDbEntry* record, bool cascade)
{
    Kill(record, cascade);
    m_store.Delete(record, cascade);
}

void StoreHandle::Kill(CDbEntry* record, bool withDescendants)
{
    for (int i = 0; withDescendants && i < record->GetChildCount(); ++i) {
        if (CDbEntry* const child = record->GetChild(i))
            Kill(child, true);
    }
    auto const found = m_lives.find(record);
    if (found == m_lives.end())
        return;
    found->second->alive = false;
    m_lives.erase(found);
}

}  // namespace quillset::python
