// A query whose argument list ends with a literal 0 instead of a null pointer: on 64-bit
// hosts the callee may read garbage, so it must not compile cleanly.
#include <quillset/dbobject.h>

int main()
{
    CDbObject store;
    return store.Select("interface", "name", "eth0", "mtu", "1500", 0) != nullptr;
}
