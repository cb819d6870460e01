// Helpers of the syntax suites (see syntax_fixture.h).
#include "syntax_fixture.h"

#include "syntax/syntax_compiler.h"

#include <gtest/gtest.h>


namespace quillset::test {

Compiled Compile(std::string const& text, std::vector<int> const& results)
{
    TempFile file(text);
    Compiled compiled;
    std::size_t calls = 0;
    auto addCommand = [&](char const* id, char const* parentId, CSymbolEntry* root, unsigned int flags) {
        int const result = calls < results.size() ? results[calls] : 0;
        ++calls;
        if (result == 0)
            compiled.commands.push_back(std::make_unique<CCmdSyntax>(id, parentId, root, flags));
        return result;
    };
    testing::internal::CaptureStderr();
    compiled.status = syntax::CompileSyntaxFile(file.Path(), addCommand);
    compiled.errors = testing::internal::GetCapturedStderr();
    return compiled;
}

namespace {

std::string RenderSymbol(CSymbolEntry const* symbol)
{
    if (auto const* literal = dynamic_cast<CSymbolString const*>(symbol))
        return "'" + std::string(literal->GetText()) + "'";
    if (auto const* group = dynamic_cast<CSymbolGroup const*>(symbol)) {
        std::string out = "{";
        for (int i = 0; i < group->GetAlternativeCount(); ++i)
            out += (i > 0 ? "|" : "") + Render(group->GetAlternative(i));
        return out + "}";
    }
    auto const* variable = dynamic_cast<CSymbolVar const*>(symbol);
    if (variable == nullptr)
        return "~";
    std::string out = "%" + std::string(variable->GetName());
    if (auto const* enumerated = dynamic_cast<CSymbolVarEnum const*>(symbol)) {
        out += "(";
        for (int i = 0; i < enumerated->GetItemCount(); ++i) {
            out += (i > 0 ? "," : "") + std::string(enumerated->GetItem(i));
            if (enumerated->GetItemValue(i) != i)
                out += "=" + std::to_string(enumerated->GetItemValue(i));
        }
        out += ")";
    } else {
        out += ":" + std::string(variable->GetTypeCode());
        if (variable->GetTypeArgument() != nullptr)
            out += "(" + std::string(variable->GetTypeArgument()) + ")";
    }
    if (variable->GetDefault() != nullptr)
        out += "=" + std::string(variable->GetDefault());
    return out;
}

std::string RenderFrom(CSymbolEntry const* first, CSymbolEntry const* carrier)
{
    std::string out;
    for (CSymbolEntry const* symbol = first; symbol != nullptr; symbol = symbol->GetNext()) {
        if (symbol != first)
            out += " ";
        if (symbol->GetPrev() != carrier)
            out += "!";
        out += RenderSymbol(symbol);
        if (symbol->GetBranch() != nullptr)
            out += "[" + RenderFrom(symbol->GetBranch(), symbol) + "]";
        carrier = symbol;
    }
    return out;
}

}  // namespace

std::string Render(CSymbolEntry const* first) { return RenderFrom(first, nullptr); }

std::string Describe(Compiled const& compiled)
{
    std::string out;
    for (auto const& command : compiled.commands) {
        char flags[16];
        std::snprintf(flags, sizeof flags, "%X", command->GetFlags());
        out += std::string(command->GetId()) + "/" + command->GetParentId() + "/" + flags + ": " +
               Render(command->GetRoot()) + "\n";
    }
    return out;
}

std::string Fields(CDbEntry const& record)
{
    std::string out;
    for (int slot = 0; slot < record.GetFieldCount(); ++slot) {
        if (char const* field = record.GetFieldByIndex(slot))
            out += (out.empty() ? "" : " ") + std::string(field) + "=" +
                   static_cast<char const*>(record.GetByIndex(slot));
    }
    return out;
}

std::string RoundTrip(std::string const& syntax, char const* line)
{
    Compiled const compiled = Compile("A,B," + syntax + "\n");
    if (compiled.commands.size() != 1)
        return "not compiled: " + compiled.errors;
    CDbEntry record;
    int const result = compiled.Root()->ParseLine(line, &record);
    if (result != 0)
        return std::to_string(result);
    CString text;
    int const generated = compiled.Root()->GenerateChain(&record, text, false);
    return Fields(record) + " => " + (generated == 0 ? std::string(text) : "generation " + std::to_string(generated));
}

}  // namespace quillset::test
