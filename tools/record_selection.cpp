// Builds query-language calls from command-line conditions. The language takes its
// conditions as a variable argument list ending with a null, so the pairs are passed in a
// fixed-size list padded with nulls.
#include "record_selection.h"

#include "toolkit/failure.h"

#include <array>

namespace quillset::tool {

namespace {

using QueryArguments = std::array<char const*, 2 * kMaxConditions + 1>;

struct Pairs {
    std::vector<std::string> texts;  // field, value, field, value ...
    QueryArguments arguments{};      // pointers into `texts`, then nulls

    explicit Pairs(std::vector<std::string> const& conditions)
    {
        for (std::string const& condition : conditions) {
            std::size_t const equals = condition.find('=');
            texts.push_back(condition.substr(0, equals));
            texts.push_back(condition.substr(equals + 1));
        }
        for (std::size_t i = 0; i < texts.size(); ++i)
            arguments[i] = texts[i].c_str();
    }
    Pairs(Pairs const&) = delete;  // `arguments` points into `texts`
    Pairs& operator=(Pairs const&) = delete;

    bool Empty() const { return texts.empty(); }
};

// Calls `query(arguments...)` with the whole padded list.
template <class Query, std::size_t... I>
CDbEntry* WithArguments(Query query, QueryArguments const& a, std::index_sequence<I...>)
{
    return query(a[I]...);
}

template <class Query>
CDbEntry* WithArguments(Query query, QueryArguments const& a)
{
    return WithArguments(query, a, std::make_index_sequence<std::tuple_size_v<QueryArguments>>{});
}

CDbEntry* FindParent(CDbObject& db, std::string const& under, std::string const& source)
{
    if (under.empty())
        return nullptr;
    std::size_t const colon = under.find(':');
    Pairs const pairs(std::vector<std::string>{under.substr(colon + 1)});
    std::string const name = under.substr(0, colon);
    CDbEntry* parent = WithArguments(
        [&](auto... a) { return db.Select(name.c_str(), static_cast<CDbEntry const*>(nullptr), 0, a..., nullptr); },
        pairs.arguments);
    if (parent == nullptr)
        throw toolkit::Failure(source, 0, "no " + name + " record matches " + under.substr(colon + 1));
    return parent;
}

}  // namespace

void Selection::AddTo(CLI::App& command)
{
    command.add_option("name", name, "Record name (the command's ID in the syntax file)")->required();
    command.add_option("conditions", conditions, "FIELD=VALUE conditions the record's fields must equal")
        ->check(FieldAssignment())
        ->expected(0, static_cast<int>(kMaxConditions));
    command.add_option("--under", under, "Only records under the first record matching NAME:FIELD=VALUE")
        ->check(CLI::Validator(
            [](std::string& text) {
                std::size_t const colon = text.find(':');
                return colon != std::string::npos && colon > 0 && text.find('=', colon) != std::string::npos
                           ? std::string()
                           : "expected NAME:FIELD=VALUE";
            },
            "NAME:FIELD=VALUE"));
}

std::vector<CDbEntry*> Selection::Select(CDbObject& db, std::string const& source) const
{
    CDbEntry const* parent = FindParent(db, under, source);
    Pairs const pairs(conditions);
    std::vector<CDbEntry*> records;
    for (int n = 0;; ++n) {
        CDbEntry* record = nullptr;
        if (pairs.Empty())
            record = parent ? db.Select(name.c_str(), parent, n) : db.Select(name.c_str(), n);
        else
            record = WithArguments([&](auto... a) { return db.Select(name.c_str(), parent, n, a..., nullptr); },
                                   pairs.arguments);
        if (record == nullptr)
            return records;
        records.push_back(record);
    }
}

CDbEntry* Selection::Create(CDbObject& db, std::string const& source) const
{
    CDbEntry* parent = FindParent(db, under, source);
    Pairs const pairs(conditions);
    if (pairs.Empty())
        return db.Create(name.c_str(), parent);
    return WithArguments([&](auto... a) { return db.Create(name.c_str(), parent, a..., nullptr); }, pairs.arguments);
}

CLI::Validator FieldAssignment()
{
    return CLI::Validator(
        [](std::string& text) {
            std::size_t const equals = text.find('=');
            return equals != std::string::npos && equals > 0 ? std::string() : "expected FIELD=VALUE";
        },
        "FIELD=VALUE");
}

}  // namespace quillset::tool
