// ParseSwitches: internal switches of the parser that no host needs, for the tests that
// check a fast path against the plain one.
#ifndef QUILLSET_CMDGEN_PARSE_SWITCHES_H
#define QUILLSET_CMDGEN_PARSE_SWITCHES_H

#include <quillset/cmdgen.h>

namespace quillset::detail {

struct ParseSwitches {
    // Off: every command is looked for with the full block search instead of the index.
    static void UseDispatchIndex(CCmdGen& gen, bool on) { gen.m_dispatchIndex = on; }
};

}  // namespace quillset::detail

#endif
