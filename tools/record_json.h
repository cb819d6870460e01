// The JSON form of the record tree: a document {"source": ..., "records": [node, ...]}
// where a node is {"name", "fields" (an object in slot order), "header", "footer",
// "children"}; header, footer and children are left out when not set or empty.
#ifndef QUILLSET_TOOLS_RECORD_JSON_H
#define QUILLSET_TOOLS_RECORD_JSON_H

#include "toolkit/record_tree.h"

#include <nlohmann/json.hpp>

#include <string>

namespace quillset::tool {

using Json = nlohmann::ordered_json;

Json NodeToJson(toolkit::RecordNode const& node);
Json TreeToJson(toolkit::RecordTree const& tree);

// The document text: indented, or on one line for JSON Lines. Throws Failure naming
// `source` when a text is not UTF-8, which JSON cannot carry.
std::string DocumentText(Json const& document, std::string const& source, bool oneLine);

// Reads a document (or a bare array of nodes); throws Failure naming `source` and the line
// of a syntax error, or what is wrong with a node.
toolkit::RecordTree ParseTreeDocument(std::string const& text, std::string const& source);

}  // namespace quillset::tool

#endif
