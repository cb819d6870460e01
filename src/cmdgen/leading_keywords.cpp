// LeadingKeywords: walks every way a definition's match can begin, concatenating the texts
// its symbols can take, until each way has fixed the first word of the line.
#include "cmdgen/leading_keywords.h"

#include <algorithm>
#include <string_view>
#include <typeinfo>

namespace quillset::cmdgen {

namespace {

// Past this many walk steps (nested optional parts double the ways) the definition is left
// unkeyed: it is then tried for every command, which is slower but still right.
constexpr int kMaxSteps = 4096;

// What the match goes on with once the sequence being walked ends: the sequence starting at
// `symbol`, then `after`'s. A null `after` means the end of the command.
struct Continuation {
    CSymbolEntry const* symbol;
    Continuation const* after;
};

class KeywordWalk {
public:
    // False when some way cannot be followed to its first word.
    bool Walk(CSymbolEntry const* symbol, std::string const& prefix, Continuation const* after);

    std::vector<std::string> keywords;

private:
    bool Follow(CSymbolEntry const& symbol, std::string const& prefix, Continuation const* after);
    bool Record(std::string const& prefix, bool lineEnds);

    int m_steps = 0;
};

// The texts a symbol can take at the start of a line, or false for one whose texts cannot
// be listed. Only the library's own symbol types are known; a subclass may match anything.
bool TextsOf(CSymbolEntry const& symbol, std::vector<std::string_view>& texts)
{
    std::type_info const& type = typeid(symbol);
    if (type == typeid(CSymbolString)) {
        texts.push_back(static_cast<CSymbolString const&>(symbol).GetText());
    } else if (type == typeid(CSymbolNull)) {
        texts.push_back({});
    } else if (type == typeid(CSymbolVarEnum)) {
        auto const& list = static_cast<CSymbolVarEnum const&>(symbol);
        for (int i = 0; i < list.GetItemCount(); ++i)
            texts.push_back(list.GetItem(i));
    } else {
        return false;
    }
    return true;
}

// Files the keyword `prefix` fixes: the line starts with `prefix`, and when `lineEnds` only
// blanks follow it. Returns false when the line may be blanks only (no first word).
bool KeywordWalk::Record(std::string const& prefix, bool lineEnds)
{
    std::size_t const word = prefix.find_first_not_of(' ');
    if (word == std::string::npos)
        return false;
    std::size_t const wordEnd = prefix.find(' ', word);
    if (wordEnd == std::string::npos && !lineEnds)
        return false;
    std::string keyword = prefix.substr(0, wordEnd);
    if (std::find(keywords.begin(), keywords.end(), keyword) == keywords.end())
        keywords.push_back(std::move(keyword));
    return true;
}

bool KeywordWalk::Walk(CSymbolEntry const* symbol, std::string const& prefix, Continuation const* after)
{
    if (++m_steps > kMaxSteps)
        return false;
    if (symbol == nullptr)
        return after != nullptr ? Walk(after->symbol, prefix, after->after) : Record(prefix, true);
    if (typeid(*symbol) == typeid(CSymbolGroup)) {
        auto const& group = static_cast<CSymbolGroup const&>(*symbol);
        // The group's optional part and the rest of its sequence follow every alternative.
        Continuation const rest{symbol->GetNext(), after};
        Continuation const optional{symbol->GetBranch(), &rest};
        for (int i = 0; i < group.GetAlternativeCount(); ++i) {
            if (symbol->GetBranch() != nullptr && !Walk(group.GetAlternative(i), prefix, &optional))
                return false;
            if (!Walk(group.GetAlternative(i), prefix, &rest))
                return false;
        }
        return true;
    }
    std::vector<std::string_view> texts;
    if (!TextsOf(*symbol, texts))
        return false;
    for (std::string_view const text : texts) {
        std::string const extended = prefix + std::string(text);
        if (!Record(extended, false) && !Follow(*symbol, extended, after))
            return false;
    }
    return true;
}

// After a symbol: its optional part, then the rest of its sequence; or the rest directly.
bool KeywordWalk::Follow(CSymbolEntry const& symbol, std::string const& prefix, Continuation const* after)
{
    Continuation const rest{symbol.GetNext(), after};
    if (symbol.GetBranch() != nullptr && !Walk(symbol.GetBranch(), prefix, &rest))
        return false;
    return Walk(symbol.GetNext(), prefix, after);
}

}  // namespace

std::vector<std::string> LeadingKeywords(CSymbolEntry const* root)
{
    KeywordWalk walk;
    if (root == nullptr || !walk.Walk(root, {}, nullptr))
        return {};
    return std::move(walk.keywords);
}

}  // namespace quillset::cmdgen
