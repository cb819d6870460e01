// The syntax-file scanner. Each rule below is a pattern and an action; the start condition
// decides which rules are tried, the longest match wins and, between matches of the same
// length, the rule declared first. Lines are counted for error messages.
#include "syntax/syntax_scanner.h"

#include "syntax/syntax_text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace quillset::syntax {

// In tie-break order.
enum class SyntaxScanner::Rule : int {
    kBlankLine = 1,     // at line start: blanks, line feed
    kHashComment,       // at line start: blanks, "#", the rest of the line
    kSlashComment,      // at line start: blanks, "//", the rest of the line
    kDefine,            // at line start: blanks, "$define", blanks
    kUndef,             // at line start: blanks, "$undef", blanks
    kFlagName,          // name characters
    kDirectiveComment,  // blanks, "#" or "//", up to the line feed
    kField,             // field characters, ","
    kOctalEscape,       // "\" and one to three digits
    kCharEscape,        // "\" and a character other than line feed
    kLiteral,           // literal characters, the first neither "(" nor "="
    kOptionOpen,        // "["
    kOptionClose,       // "]", then optionally "\" and line feed, then optionally a space
    kGroupOpen,         // "{"
    kGroupClose,        // "}"
    kVariableStart,     // "%"
    kBraceOpen,         // "{" of "%{"
    kUnsignedPrefix,    // "#"
    kShortestPrefix,    // "."
    kStringPrefix,      // "*"
    kVarName,           // name characters, or a single "%"
    kVarType,           // ":", letters, optionally "(" argument ")"
    kVarDefault,        // "=", characters other than space, line feed, "]" and "}"
    kEnumOpen,          // "("
    kVariableEnd,       // any character other than line feed: pushed back, or "}" of "%{"
    kEnumValue,         // characters other than ",", ")" and line feed, then one of them
    kContinuation,      // "\" and line feed
    kNewline,           // line feed
    kCharacter,         // any character other than line feed
};

namespace {

constexpr int kNoToken = -1;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }
bool IsFieldChar(char c) { return IsNameChar(c) || IsBlank(c); }

bool IsBodySpecial(char c)
{
    switch (c) {
    case '$': case '%': case '[': case '\\': case ']': case '{': case '|': case '}': case '\n': return true;
    default: return false;
    }
}

bool IsLiteralChar(char c) { return !IsBodySpecial(c); }
bool IsLiteralStart(char c) { return IsLiteralChar(c) && c != '(' && c != '='; }
bool IsDefaultChar(char c) { return c != ' ' && c != '\n' && c != ']' && c != '}'; }
bool IsEnumValueChar(char c) { return c != ',' && c != ')' && c != '\n'; }

// The index of the first character at or after `from` that `accepts` does not take.
template <class Accepts>
std::size_t Skip(std::string_view s, std::size_t from, Accepts accepts)
{
    while (from < s.size() && accepts(s[from]))
        ++from;
    return from;
}

bool At(std::string_view s, std::size_t i, char c) { return i < s.size() && s[i] == c; }

bool StartsWithAt(std::string_view s, std::size_t i, std::string_view word)
{
    return i <= s.size() && s.substr(i, word.size()) == word;
}

std::size_t One(std::string_view s, char c) { return At(s, 0, c) ? 1 : 0; }

// The length up to and including the first line feed at or after `from`; 0 when there is none.
std::size_t ThroughLineFeed(std::string_view s, std::size_t from)
{
    std::size_t const lineFeed = s.find('\n', from);
    return lineFeed == std::string_view::npos ? 0 : lineFeed + 1;
}

// Blanks, the directive word, then at least one blank.
std::size_t DirectiveLength(std::string_view s, std::string_view word)
{
    std::size_t const start = Skip(s, 0, IsBlank);
    if (!StartsWithAt(s, start, word))
        return 0;
    std::size_t const end = Skip(s, start + word.size(), IsBlank);
    return end > start + word.size() ? end : 0;
}

// ":" and letters, with a parenthesised argument (line feeds included) when one follows.
std::size_t TypeSpecLength(std::string_view s)
{
    if (!At(s, 0, ':'))
        return 0;
    std::size_t const letters = Skip(s, 1, IsLetter);
    if (letters == 1)
        return 0;
    if (At(s, letters, '(')) {
        std::size_t const close = s.find(')', letters + 1);
        if (close != std::string_view::npos && close > letters + 1)
            return close + 1;
    }
    return letters;
}

std::size_t TrimmedStart(std::string_view s) { return Skip(s, 0, IsBlank); }

[[noreturn]] void InternalFailure(char const* message)
{
    std::fprintf(stderr, "%s\n", message);
    std::exit(2);
}

}  // namespace

bool SyntaxScanner::Start(std::FILE* input, long maxBytes)
{
    std::string text;
    try {
        char buffer[8192];
        std::size_t count;
        while ((count = std::fread(buffer, 1, sizeof buffer, input)) > 0) {
            text.append(buffer, count);
            if (static_cast<long>(text.size()) > maxBytes)
                return false;
        }
    } catch (std::bad_alloc const&) {
        InternalFailure("out of dynamic memory in yy_create_buffer()");
    }
    if (std::ferror(input))
        InternalFailure("input in flex scanner failed");
    Start(text);
    return true;
}

void SyntaxScanner::Start(std::string_view text)
{
    m_text.clear();
    m_text.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && At(text, i + 1, '\n')))
            m_text += text[i];
    }
    m_pos = 0;
    m_condition = Condition::kHeader;
    m_atLineStart = true;
    m_line = 1;
    m_fieldCount = 0;
    m_braceFlag = false;
    m_values.reset();
    m_atEnd = false;
}

int SyntaxScanner::Next(Token& token)
{
    token.text.clear();
    token.spaceFollows = false;
    token.values.reset();
    for (;;) {
        if (m_pos >= m_text.size()) {
            m_atEnd = true;
            return token.kind = kEndOfInput;
        }
        Match const match = LongestMatch();
        std::string_view const text = std::string_view(m_text).substr(m_pos, match.length);
        m_pos += match.length;
        m_atLineStart = text.back() == '\n';
        int const kind = Act(match.rule, text, token);
        if (kind != kNoToken)
            return token.kind = kind;
    }
}

SyntaxScanner::Match SyntaxScanner::LongestMatch() const
{
    static constexpr Rule kHeaderRules[] = {Rule::kBlankLine, Rule::kHashComment, Rule::kSlashComment,
                                            Rule::kDefine,    Rule::kUndef,       Rule::kField,
                                            Rule::kContinuation, Rule::kNewline,  Rule::kCharacter};
    static constexpr Rule kDirectiveRules[] = {Rule::kFlagName, Rule::kDirectiveComment, Rule::kContinuation,
                                               Rule::kNewline, Rule::kCharacter};
    static constexpr Rule kBodyRules[] = {Rule::kOctalEscape, Rule::kCharEscape, Rule::kLiteral,
                                          Rule::kOptionOpen,  Rule::kOptionClose, Rule::kGroupOpen,
                                          Rule::kGroupClose,  Rule::kVariableStart, Rule::kContinuation,
                                          Rule::kNewline,     Rule::kCharacter};
    static constexpr Rule kVariableRules[] = {Rule::kBraceOpen, Rule::kUnsignedPrefix, Rule::kShortestPrefix,
                                              Rule::kStringPrefix, Rule::kVarName, Rule::kContinuation,
                                              Rule::kNewline, Rule::kCharacter};
    static constexpr Rule kVariableTailRules[] = {Rule::kVarType, Rule::kVarDefault, Rule::kEnumOpen,
                                                  Rule::kVariableEnd, Rule::kContinuation, Rule::kNewline,
                                                  Rule::kCharacter};
    static constexpr Rule kEnumListRules[] = {Rule::kEnumValue, Rule::kCharacter};

    std::string_view const rest = std::string_view(m_text).substr(m_pos);
    Match best{Rule::kCharacter, 0};
    auto tryRules = [&](auto const& rules) {
        for (Rule rule : rules) {
            std::size_t const length = MatchLength(rule, rest);
            if (length > best.length)
                best = {rule, length};
        }
    };
    switch (m_condition) {
    case Condition::kHeader: tryRules(kHeaderRules); break;
    case Condition::kDirective: tryRules(kDirectiveRules); break;
    case Condition::kBody: tryRules(kBodyRules); break;
    case Condition::kVariable: tryRules(kVariableRules); break;
    case Condition::kVariableTail: tryRules(kVariableTailRules); break;
    case Condition::kEnumList: tryRules(kEnumListRules); break;
    }
    if (best.length == 0)
        InternalFailure("fatal flex scanner internal error--no action found");
    return best;
}

std::size_t SyntaxScanner::MatchLength(Rule rule, std::string_view rest) const
{
    switch (rule) {
    case Rule::kBlankLine: {
        std::size_t const end = TrimmedStart(rest);
        return m_atLineStart && At(rest, end, '\n') ? end + 1 : 0;
    }
    case Rule::kHashComment: {
        std::size_t const start = TrimmedStart(rest);
        return m_atLineStart && At(rest, start, '#') ? ThroughLineFeed(rest, start) : 0;
    }
    case Rule::kSlashComment: {
        std::size_t const start = TrimmedStart(rest);
        return m_atLineStart && StartsWithAt(rest, start, "//") ? ThroughLineFeed(rest, start) : 0;
    }
    case Rule::kDefine: return m_atLineStart ? DirectiveLength(rest, "$define") : 0;
    case Rule::kUndef: return m_atLineStart ? DirectiveLength(rest, "$undef") : 0;
    case Rule::kFlagName: return Skip(rest, 0, IsNameChar);
    case Rule::kDirectiveComment: {
        std::size_t const start = TrimmedStart(rest);
        if (!At(rest, start, '#') && !StartsWithAt(rest, start, "//"))
            return 0;
        std::size_t const lineFeed = rest.find('\n', start);
        return lineFeed == std::string_view::npos ? rest.size() : lineFeed;
    }
    case Rule::kField: {
        std::size_t const end = Skip(rest, 0, IsFieldChar);
        return At(rest, end, ',') ? end + 1 : 0;
    }
    case Rule::kOctalEscape: {
        std::size_t const end = At(rest, 0, '\\') ? Skip(rest, 1, IsDigit) : 0;
        return end > 1 ? std::min<std::size_t>(end, 4) : 0;
    }
    case Rule::kCharEscape: return At(rest, 0, '\\') && rest.size() > 1 && rest[1] != '\n' ? 2 : 0;
    case Rule::kLiteral: return IsLiteralStart(rest[0]) ? Skip(rest, 1, IsLiteralChar) : 0;
    case Rule::kOptionOpen: return One(rest, '[');
    case Rule::kOptionClose: {
        if (!At(rest, 0, ']'))
            return 0;
        std::size_t end = StartsWithAt(rest, 1, "\\\n") ? 3 : 1;
        return At(rest, end, ' ') ? end + 1 : end;
    }
    case Rule::kGroupOpen:
    case Rule::kBraceOpen: return One(rest, '{');
    case Rule::kGroupClose: return One(rest, '}');
    case Rule::kVariableStart: return One(rest, '%');
    case Rule::kUnsignedPrefix: return One(rest, '#');
    case Rule::kShortestPrefix: return One(rest, '.');
    case Rule::kStringPrefix: return One(rest, '*');
    case Rule::kVarName: {
        std::size_t const end = Skip(rest, 0, IsNameChar);
        return end > 0 ? end : One(rest, '%');
    }
    case Rule::kVarType: return TypeSpecLength(rest);
    case Rule::kVarDefault: {
        std::size_t const end = At(rest, 0, '=') ? Skip(rest, 1, IsDefaultChar) : 0;
        return end > 1 ? end : 0;
    }
    case Rule::kEnumOpen: return One(rest, '(');
    case Rule::kEnumValue: {
        std::size_t const end = Skip(rest, 0, IsEnumValueChar);
        return end < rest.size() ? end + 1 : 0;
    }
    case Rule::kContinuation: return StartsWithAt(rest, 0, "\\\n") ? 2 : 0;
    case Rule::kNewline: return m_condition == Condition::kHeader && m_atLineStart ? 0 : One(rest, '\n');
    case Rule::kVariableEnd:
    case Rule::kCharacter: return rest[0] != '\n' ? 1 : 0;
    }
    return 0;
}

int SyntaxScanner::Act(Rule rule, std::string_view text, Token& token)
{
    switch (rule) {
    case Rule::kBlankLine:
    case Rule::kHashComment:
    case Rule::kSlashComment: ++m_line; return kNoToken;
    case Rule::kDefine: m_condition = Condition::kDirective; return kDefine;
    case Rule::kUndef: m_condition = Condition::kDirective; return kUndef;
    case Rule::kFlagName: token.text = text; return kFlagName;
    case Rule::kDirectiveComment:
    case Rule::kContinuation: return kNoToken;
    case Rule::kField: return Field(text, token);
    case Rule::kOctalEscape: {
        // Every digit, 8 and 9 included, counts in base 8; the byte 0 gives an empty literal.
        int value = 0;
        for (char digit : text.substr(1))
            value = (value * 8 + (digit - '0')) & 0xFF;
        token.text.assign(value != 0 ? 1 : 0, static_cast<char>(value));
        return kLiteral;
    }
    case Rule::kCharEscape: token.text.assign(1, EscapedChar(text[1])); return kLiteral;
    case Rule::kLiteral: token.text = text; return kLiteral;
    case Rule::kOptionOpen: return kOptionOpen;
    case Rule::kOptionClose: token.spaceFollows = text.size() > 1; return kOptionClose;
    case Rule::kGroupOpen: return kGroupOpen;
    case Rule::kGroupClose: return kGroupClose;
    case Rule::kVariableStart: m_condition = Condition::kVariable; return kNoToken;
    case Rule::kBraceOpen: m_braceFlag = true; return kBraceOpen;
    case Rule::kUnsignedPrefix: token.text = "u"; return kVarPrefix;
    case Rule::kShortestPrefix: token.text = "smin"; return kVarPrefix;
    case Rule::kStringPrefix: token.text = "s"; return kVarPrefix;
    case Rule::kVarName: token.text = text; m_condition = Condition::kVariableTail; return kVarName;
    case Rule::kVarType: token.text = text.substr(1); return kVarType;
    case Rule::kVarDefault: token.text = text.substr(1); return kVarDefault;
    case Rule::kEnumOpen:
        m_values = std::make_unique<ValueList>();
        m_condition = Condition::kEnumList;
        return kNoToken;
    case Rule::kVariableEnd:
        // The variable ends here; the character is read again as body text, unless it
        // closes a variable opened with "%{".
        m_condition = Condition::kBody;
        if (text[0] == '}' && m_braceFlag) {
            m_braceFlag = false;
            return kBraceClose;
        }
        --m_pos;
        return kNoToken;
    case Rule::kEnumValue: return EnumValue(text, token);
    case Rule::kNewline:
        m_fieldCount = 0;
        ++m_line;
        m_condition = Condition::kHeader;
        return kNewline;
    case Rule::kCharacter: return static_cast<unsigned char>(text[0]);
    }
    return kNoToken;
}

// The first field of a command line is its ID, the second its parent ID; the syntax text
// follows the second.
int SyntaxScanner::Field(std::string_view text, Token& token)
{
    std::string_view value = text.substr(0, text.size() - 1);
    value.remove_prefix(TrimmedStart(value));
    while (!value.empty() && IsBlank(value.back()))
        value.remove_suffix(1);
    token.text = value;
    if (++m_fieldCount == 1)
        return kIdField;
    m_condition = Condition::kBody;
    return kParentField;
}

// A comma leaves the list open for the next value; ")" or a line feed ends it.
int SyntaxScanner::EnumValue(std::string_view text, Token& token)
{
    if (!m_values->Append(text.substr(0, text.size() - 1))) {
        std::fprintf(stderr, "Error on line %d: Too many values in enum variable.\n", m_line);
        std::exit(3);
    }
    if (text.back() == ',')
        return kNoToken;
    m_condition = Condition::kVariableTail;
    token.values = std::move(m_values);
    return kEnumValues;
}

ValueList::~ValueList()
{
    for (int i = 0; i < m_count; ++i)
        delete[] m_items[i];
}

bool ValueList::Append(std::string_view value)
{
    if (m_count == kMaxValues)
        return false;
    char* copy = new char[value.size() + 1];
    value.copy(copy, value.size());
    copy[value.size()] = '\0';
    m_items[m_count++] = copy;
    return true;
}

}  // namespace quillset::syntax
