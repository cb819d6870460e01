// Store files as the tool reads and writes them: the library's delimited text or the JSON
// record tree, chosen by --format when writing and detected when reading.
#ifndef QUILLSET_TOOLS_STORE_FILES_H
#define QUILLSET_TOOLS_STORE_FILES_H

#include "toolkit/syntax_layout.h"

#include <quillset/dbobject.h>

#include <string>
#include <vector>

namespace quillset::tool {

// --format values of parse.
std::vector<std::string> StoreFormats();

// The store as delimited text, a JSON document (with its source) or one JSON line.
std::string FormatStore(CDbObject const& db, toolkit::SyntaxList const& syntaxes, std::string const& format,
                        std::string const& source);

// Loads a store file's text: JSON when it starts with "{" or "[", else delimited.
void LoadStoreText(std::string const& text, CDbObject& db, std::string const& source);

}  // namespace quillset::tool

#endif
