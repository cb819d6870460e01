// SyntaxScanner: turns the text of a syntax file into tokens. In each start condition it
// takes the longest text that one of the condition's rules matches; of two rules matching
// the same text, the one declared first wins.
#ifndef QUILLSET_SYNTAX_SYNTAX_SCANNER_H
#define QUILLSET_SYNTAX_SYNTAX_SCANNER_H

#include "syntax/syntax_token.h"

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace quillset::syntax {

class SyntaxScanner {
public:
    // Reads the whole stream (a carriage return before a line feed is dropped) and starts
    // over at its first line; false, with nothing started, when the stream holds more than
    // `maxBytes`. A read error ends the process with status 2.
    bool Start(std::FILE* input, long maxBytes);
    void Start(std::string_view text);

    // The next token; 0 at the end of input, and again on every later call.
    int Next(Token& token);
    int Line() const { return m_line; }
    bool AtEnd() const { return m_atEnd; }

private:
    enum class Condition { kHeader, kBody, kDirective, kVariable, kVariableTail, kEnumList };
    enum class Rule : int;
    struct Match {
        Rule rule;
        std::size_t length;
    };

    Match LongestMatch() const;
    std::size_t MatchLength(Rule rule, std::string_view rest) const;
    // Runs the rule's action on the matched text: a token kind, or kNoToken to go on.
    int Act(Rule rule, std::string_view text, Token& token);
    int Field(std::string_view text, Token& token);
    int EnumValue(std::string_view text, Token& token);

    std::string m_text;
    std::size_t m_pos = 0;
    Condition m_condition = Condition::kHeader;
    bool m_atLineStart = true;
    int m_line = 1;
    int m_fieldCount = 0;
    bool m_braceFlag = false;
    std::unique_ptr<ValueList> m_values;  // the value list being read
    bool m_atEnd = false;
};

}  // namespace quillset::syntax

#endif
