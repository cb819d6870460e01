// The tokens of the syntax-file language, as the scanner hands them to the grammar: named
// tokens 258 to 272, single characters by their code (a byte above 127 keeps its unsigned
// value) and 0 for the end of input.
#ifndef QUILLSET_SYNTAX_SYNTAX_TOKEN_H
#define QUILLSET_SYNTAX_SYNTAX_TOKEN_H

#include <memory>
#include <string>
#include <string_view>

namespace quillset::syntax {

enum TokenKind : int {
    kEndOfInput = 0,
    kNewline = '\n',
    kBraceOpen = '{',  // opens a bracketed variable, %{name}
    kBar = '|',
    kBraceClose = '}',
    kIdField = 258,
    kParentField,
    kLiteral,
    kVarName,
    kVarType,
    kVarPrefix,
    kVarDefault,
    kEnumValues,
    kOptionOpen,
    kOptionClose,
    kGroupOpen,
    kGroupClose,
    kDefine,
    kUndef,
    kFlagName,
};

// The values of one enumerated variable, in file order: up to kMaxValues heap copies
// followed by a null entry, as CSymbolVarEnum takes them.
class ValueList {
public:
    static constexpr int kMaxValues = 50;

    ValueList() = default;
    ValueList(ValueList const&) = delete;
    ValueList& operator=(ValueList const&) = delete;
    ~ValueList();

    // False when the list is full already.
    bool Append(std::string_view value);
    int Count() const { return m_count; }
    char** Items() { return m_items; }

private:
    char* m_items[kMaxValues + 1] = {};
    int m_count = 0;
};

struct Token {
    int kind = kEndOfInput;
    std::string text;                   // ID_FIELD to VAR_DEFAULT, FLAG_NAME
    bool spaceFollows = false;          // OPTION_CLOSE: a space or a continuation after "]"
    std::unique_ptr<ValueList> values;  // ENUM_VALUES
};

}  // namespace quillset::syntax

#endif
