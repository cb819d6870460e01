// The shared converter flags and their defaults.
#include "converter_options.h"

#include "bundled_files.h"

namespace quillset::tool {

toolkit::ConverterOptions ConverterFlags::Options() const
{
    toolkit::ConverterOptions options;
    options.syntaxPath = syntax.empty() ? DefaultSyntaxPath() : syntax;
    options.dialect = !plain;
    options.rowPacking = !noPacking;
    return options;
}

void AddConverterFlags(CLI::App& command, ConverterFlags& flags)
{
    command.add_option("-s,--syntax", flags.syntax, "Syntax file (default: the bundled device syntax)");
    command.add_flag("--plain", flags.plain, "Turn the device dialect off: plain line-by-line parsing");
    command.add_flag("--no-packing", flags.noPacking, "Keep every command as its own record (no row packing)");
}

}  // namespace quillset::tool
