// Formatting and loading store files.
#include "store_files.h"

#include "record_json.h"

#include "toolkit/record_tree.h"
#include "toolkit/store_text.h"

namespace quillset::tool {

std::vector<std::string> StoreFormats() { return {"delimited", "json", "jsonl"}; }

std::string FormatStore(CDbObject const& db, toolkit::SyntaxList const& syntaxes, std::string const& format,
                        std::string const& source)
{
    if (format == "delimited")
        return toolkit::DelimitedText(db);
    Json const document = {{"source", source}, {"records", TreeToJson(toolkit::BuildTree(db, syntaxes))}};
    return DocumentText(document, source, format == "jsonl");
}

void LoadStoreText(std::string const& text, CDbObject& db, std::string const& source)
{
    std::size_t const first = text.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && (text[first] == '{' || text[first] == '['))
        toolkit::LoadTree(ParseTreeDocument(text, source), db);
    else
        toolkit::LoadDelimitedText(text, db, source);
}

}  // namespace quillset::tool
