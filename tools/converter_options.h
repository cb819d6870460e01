// The options every subcommand that parses or generates takes: the syntax file, --plain
// and --no-packing.
#ifndef QUILLSET_TOOLS_CONVERTER_OPTIONS_H
#define QUILLSET_TOOLS_CONVERTER_OPTIONS_H

#include "toolkit/converter.h"

#include <CLI/CLI.hpp>

namespace quillset::tool {

struct ConverterFlags {
    std::string syntax;
    bool plain = false;
    bool noPacking = false;

    toolkit::ConverterOptions Options() const;
};

void AddConverterFlags(CLI::App& command, ConverterFlags& flags);

}  // namespace quillset::tool

#endif
