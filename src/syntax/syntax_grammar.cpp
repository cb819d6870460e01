// The syntax-file grammar, by recursive descent with one token of lookahead:
//   file       -> command { command }
//   command    -> ID_FIELD PARENT_FIELD elements NEWLINE
//               | ( DEFINE | UNDEF ) FLAG_NAME NEWLINE
//   elements   -> element { element }
//   element    -> LITERAL | variable [ VAR_DEFAULT ] | "{" variable [ VAR_DEFAULT ] "}"
//               | OPTION_OPEN elements OPTION_CLOSE
//               | GROUP_OPEN elements { "|" elements } GROUP_CLOSE
//   variable   -> VAR_NAME [ VAR_TYPE | ENUM_VALUES ] | VAR_PREFIX VAR_NAME
// Each step runs before the next token is read, so an error is found at the first token
// that no command can continue with.
#include "syntax/syntax_grammar.h"

#include "syntax/command_flags.h"

#include <quillset/results.h>

#include <cstdio>
#include <cstdlib>

namespace quillset::syntax {

namespace {

char const kNestingMessage[] =
    "Option levels are too deeply nested and/or there are too many group entries between { and }.";

bool IsElementStart(int kind)
{
    switch (kind) {
    case kLiteral:
    case kVarName:
    case kVarPrefix:
    case kBraceOpen:
    case kOptionOpen:
    case kGroupOpen: return true;
    default: return false;
    }
}

// The flag bit that a directive names; other names have no effect.
unsigned int FlagBitOf(std::string const& name)
{
    if (name == "NoGen")
        return kGenerateFlag;
    if (name == "NoParse")
        return kParseFlag;
    return 0;
}

char const* AddCommandMessage(int result)
{
    switch (result) {
    case 3: return "Memory allocation error.";
    case 9: return "Same ID has a dfferent parent ID.";
    case QS_BEYOND_LIMIT: return QuillsetResultText(QS_BEYOND_LIMIT);
    default: return "Add command error.";
    }
}

}  // namespace

int SyntaxGrammar::Run(SyntaxScanner& scanner, AddCommandCallback const& addCommand)
{
    m_scanner = &scanner;
    m_addCommand = &addCommand;
    Advance();
    // A run must find at least one line; the end of input is an error at its start.
    if (m_token.kind == kEndOfInput)
        return SyntaxError();
    while (m_token.kind != kEndOfInput) {
        if (int const result = ParseCommand())
            return result;
    }
    return 0;
}

int SyntaxGrammar::ParseCommand()
{
    switch (m_token.kind) {
    case kIdField: return ParseDefinition();
    case kDefine:
    case kUndef: return ParseDirective();
    default: return SyntaxError();
    }
}

int SyntaxGrammar::ParseDefinition()
{
    m_id = std::move(m_token.text);
    Advance();
    if (m_token.kind != kParentField)
        return SyntaxError();
    m_parentId = std::move(m_token.text);
    Advance();
    if (int const result = ParseElements(0))
        return result;
    if (m_token.kind != kNewline)
        return SyntaxError();
    if (int const result = RegisterCommand())
        return result;
    Advance();
    return 0;
}

int SyntaxGrammar::ParseDirective()
{
    bool const define = m_token.kind == kDefine;
    Advance();
    if (m_token.kind != kFlagName)
        return SyntaxError();
    unsigned int const bit = FlagBitOf(m_token.text);
    Advance();
    if (m_token.kind != kNewline)
        return SyntaxError();
    if (define)
        m_flags.Define(bit);
    else
        m_flags.Undefine(bit);
    Advance();
    return 0;
}

int SyntaxGrammar::ParseElements(int depth)
{
    if (!IsElementStart(m_token.kind))
        return SyntaxError();
    do {
        if (int const result = ParseElement(depth))
            return result;
    } while (IsElementStart(m_token.kind));
    return 0;
}

int SyntaxGrammar::ParseElement(int depth)
{
    switch (m_token.kind) {
    case kLiteral:
        m_chain.Append(new CSymbolString(m_token.text.c_str()));
        Advance();
        return 0;
    case kOptionOpen:
    case kGroupOpen:
        if (depth == m_maxNestingDepth) {
            Report("parser stack overflow");
            return 2;
        }
        return m_token.kind == kOptionOpen ? ParseOptional(depth + 1) : ParseGroup(depth + 1);
    case kBraceOpen:
        Advance();
        if (int const result = ParseVariable())
            return result;
        if (m_token.kind != kBraceClose)
            return SyntaxError();
        Advance();
        return 0;
    default: return ParseVariable();
    }
}

// A variable, and the default that may follow it.
int SyntaxGrammar::ParseVariable()
{
    if (m_token.kind == kVarPrefix) {
        std::string const typeSpec = std::move(m_token.text);
        Advance();
        if (m_token.kind != kVarName)
            return SyntaxError();
        m_chain.Append(new CSymbolVar(m_token.text.c_str(), typeSpec.c_str()));
        Advance();
    } else if (m_token.kind == kVarName) {
        std::string const name = std::move(m_token.text);
        Advance();
        if (m_token.kind == kVarType) {
            m_chain.Append(new CSymbolVar(name.c_str(), m_token.text.c_str()));
            Advance();
        } else if (m_token.kind == kEnumValues) {
            m_chain.Append(new CSymbolVarEnum(name.c_str(), m_token.values->Items()));
            Advance();
        } else {
            m_chain.Append(new CSymbolVar(name.c_str(), nullptr));
        }
    } else {
        return SyntaxError();
    }
    if (m_token.kind == kVarDefault) {
        m_chain.Tail()->SetDefault(m_token.text.c_str());
        Advance();
    }
    return 0;
}

int SyntaxGrammar::ParseOptional(int depth)
{
    if (!m_chain.OpenOptional())
        NestingFailure();
    Advance();
    if (int const result = ParseElements(depth))
        return result;
    if (m_token.kind != kOptionClose)
        return SyntaxError();
    m_chain.CloseOptional(m_token.spaceFollows);
    Advance();
    return 0;
}

int SyntaxGrammar::ParseGroup(int depth)
{
    if (!m_chain.OpenGroup())
        NestingFailure();
    Advance();
    for (;;) {
        if (int const result = ParseElements(depth))
            return result;
        if (m_token.kind == kGroupClose)
            break;
        if (m_token.kind != kBar)
            return SyntaxError();
        if (!m_chain.EndAlternative())
            NestingFailure();
        Advance();
    }
    if (!m_chain.CloseGroup())
        NestingFailure();
    Advance();
    return 0;
}

int SyntaxGrammar::RegisterCommand()
{
    int const result = (*m_addCommand)(m_id.c_str(), m_parentId.c_str(), m_chain.Head(), m_flags.Current());
    if (result != 0)
        return Report(AddCommandMessage(result));
    m_chain.Release();
    return 0;
}

// Prints at most one message per value of the line counter; the unfinished command is
// dropped either way.
int SyntaxGrammar::Report(char const* message)
{
    int const line = m_scanner->Line();
    if (m_reportedLine != line) {
        std::fprintf(stderr, "Error on line %d: %s\n", line - 1, message);
        m_reportedLine = line;
    }
    m_chain.Abandon();
    return 1;
}

void SyntaxGrammar::NestingFailure()
{
    Report(kNestingMessage);
    std::exit(1);
}

}  // namespace quillset::syntax
