// Reading a configuration into a store and writing one back, with the progress line; the
// steps every subcommand shares.
#ifndef QUILLSET_TOOLS_CONFIG_FILES_H
#define QUILLSET_TOOLS_CONFIG_FILES_H

#include "toolkit/converter.h"

#include <quillset/dbobject.h>

#include <string>

namespace quillset::tool {

// Reads `path` ("-" for the standard input) and parses it into `db`.
void ParseConfigFile(toolkit::Converter& converter, std::string const& path, CDbObject& db);

// Writes configuration text to `output` ("-" for the standard output).
void WriteConfigText(std::string const& output, std::string const& text);

// Generates the configuration of `db` and writes it to `output`.
void WriteConfigFile(toolkit::Converter& converter, CDbObject const& db, std::string const& output);

}  // namespace quillset::tool

#endif
