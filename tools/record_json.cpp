// Converts the record tree to and from JSON with nlohmann-json, keeping the field order.
#include "record_json.h"

#include "toolkit/failure.h"

#include <algorithm>

namespace quillset::tool {

namespace {

// Hand-written documents are checked for depth, so that a malicious one cannot exhaust
// the call stack of the recursive conversion.
constexpr int kMaxDepth = 200;

class NodeReader {
public:
    explicit NodeReader(std::string source) : m_source(std::move(source)) {}

    toolkit::RecordTree Nodes(Json const& array, int depth, std::string const& where)
    {
        if (!array.is_array())
            Fail(where + " must be an array of records");
        if (depth > kMaxDepth)
            Fail(where + " is nested deeper than " + std::to_string(kMaxDepth) + " levels");
        toolkit::RecordTree nodes;
        for (std::size_t i = 0; i < array.size(); ++i)
            nodes.push_back(Node(array[i], depth, where + "[" + std::to_string(i) + "]"));
        return nodes;
    }

private:
    toolkit::RecordNode Node(Json const& value, int depth, std::string const& where)
    {
        if (!value.is_object() || !value.contains("name") || !value["name"].is_string())
            Fail(where + " must be an object with a \"name\" text");
        toolkit::RecordNode node;
        node.name = value["name"].get<std::string>();
        if (value.contains("fields")) {
            if (!value["fields"].is_object())
                Fail(where + ".fields must be an object");
            for (auto const& [field, text] : value["fields"].items())
                node.fields.emplace_back(field, Text(text, where + ".fields." + field));
        }
        if (value.contains("header"))
            node.header = Text(value["header"], where + ".header");
        if (value.contains("footer"))
            node.footer = Text(value["footer"], where + ".footer");
        if (value.contains("children"))
            node.children = Nodes(value["children"], depth + 1, where + ".children");
        return node;
    }

    // A field value: text, or a number or truth value a person typed without quotes.
    std::string Text(Json const& value, std::string const& where)
    {
        if (value.is_string())
            return value.get<std::string>();
        if (value.is_number())
            return value.dump();
        if (value.is_boolean())
            return value.get<bool>() ? "1" : "0";
        Fail(where + " must be a text");
    }

    [[noreturn]] void Fail(std::string const& what) { throw toolkit::Failure(m_source, 0, what); }

    std::string m_source;
};

}  // namespace

Json NodeToJson(toolkit::RecordNode const& node)
{
    Json json = {{"name", node.name}, {"fields", Json::object()}};
    for (auto const& [field, value] : node.fields)
        json["fields"][field] = value;
    if (node.header)
        json["header"] = *node.header;
    if (node.footer)
        json["footer"] = *node.footer;
    if (!node.children.empty())
        json["children"] = TreeToJson(node.children);
    return json;
}

Json TreeToJson(toolkit::RecordTree const& tree)
{
    Json array = Json::array();
    for (toolkit::RecordNode const& node : tree)
        array.push_back(NodeToJson(node));
    return array;
}

std::string DocumentText(Json const& document, std::string const& source, bool oneLine)
{
    try {
        return document.dump(oneLine ? -1 : 2) + "\n";
    } catch (Json::type_error const&) {
        throw toolkit::Failure(source, 0, "holds text that is not UTF-8, which JSON cannot carry; use --format delimited");
    }
}

toolkit::RecordTree ParseTreeDocument(std::string const& text, std::string const& source)
{
    Json document;
    try {
        document = Json::parse(text);
    } catch (Json::parse_error const& error) {
        int const line = 1 + static_cast<int>(std::count(text.begin(),
                                                         text.begin() + std::min(error.byte, text.size()), '\n'));
        throw toolkit::Failure(source, line, "not valid JSON");
    }
    NodeReader reader(source);
    if (document.is_object() && document.contains("records"))
        return reader.Nodes(document["records"], 0, "records");
    return reader.Nodes(document, 0, "the document");
}

}  // namespace quillset::tool
