// The stores kept until exit, held where leak checkers see them as still reachable.
#include "process_store.h"

#include <memory>
#include <mutex>
#include <vector>

namespace quillset::tool {

CDbObject& StoreUntilExit()
{
    static std::mutex mutex;
    static auto* stores = new std::vector<std::unique_ptr<CDbObject>>;
    std::scoped_lock const lock(mutex);
    stores->push_back(std::make_unique<CDbObject>());
    return *stores->back();
}

}  // namespace quillset::tool
