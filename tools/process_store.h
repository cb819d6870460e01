// Stores that live until the process ends. A command that runs once per process does not
// tear its store down record by record when it is done: the operating system takes the
// memory back at exit at no cost, where the teardown is a quarter of a parse run.
#ifndef QUILLSET_TOOL_PROCESS_STORE_H
#define QUILLSET_TOOL_PROCESS_STORE_H

#include <quillset/dbobject.h>

namespace quillset::tool {

// A new empty store, never destroyed.
CDbObject& StoreUntilExit();

}  // namespace quillset::tool

#endif
