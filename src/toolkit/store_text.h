// A store as the library's delimited text, held in memory: one record per line, parent
// links as "__Parent" line numbers. Unlike the library's file reader, lines of any length
// are read whole, and a bad parent link is a Failure naming its line.
#ifndef QUILLSET_TOOLKIT_STORE_TEXT_H
#define QUILLSET_TOOLKIT_STORE_TEXT_H

#include <quillset/dbobject.h>

#include <string>

namespace quillset::toolkit {

std::string DelimitedText(CDbObject const& db);

// Adds the records of `text` to `db` without merging; `source` names it in failures.
void LoadDelimitedText(std::string const& text, CDbObject& db, std::string const& source);

}  // namespace quillset::toolkit

#endif
