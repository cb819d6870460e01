// ParseSwitches: internal switches of the parser and the generator that no host needs, for
// the tests that check a fast path against the plain one.
#ifndef QUILLSET_CMDGEN_PARSE_SWITCHES_H
#define QUILLSET_CMDGEN_PARSE_SWITCHES_H

#include <quillset/cmdgen.h>

namespace quillset::detail {

struct ParseSwitches {
    // Off: every command is looked for with the full block search instead of the index.
    static void UseDispatchIndex(CCmdGen& gen, bool on) { gen.m_dispatchIndex = on; }
    // Off: generation looks for records of every command of a level under each record.
    static void UseGenerationIndex(CCmdGen& gen, bool on) { gen.m_generationIndex = on; }
};

}  // namespace quillset::detail

#endif
