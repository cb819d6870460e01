// The texts of the named result codes, one table per family.
#include <quillset/results.h>

namespace {

struct CodeText {
    int code;
    char const* text;
};

template <int N>
char const* TextOf(CodeText const (&table)[N], int code)
{
    for (CodeText const& entry : table) {
        if (entry.code == code)
            return entry.text;
    }
    return "unknown result";
}

}  // namespace

char const* QuillsetResultText(int code)
{
    static CodeText const kTexts[] = {
        {QS_OK, "success"},
        {QS_SYNTAX_ERRORS, "the syntax file has errors"},
        {QS_NO_MEMORY, "out of memory"},
        {QS_CANNOT_OPEN, "the file cannot be opened"},
        {QS_CANNOT_READ, "the file cannot be read"},
        {QS_CANNOT_WRITE, "the output cannot be written"},
        {QS_PARENT_MISMATCH, "the command ID is registered under another parent ID"},
        {QS_VALUE_MISSING, "a definition lacks a value"},
        {QS_BEYOND_LIMIT, "beyond the nesting or size limits"},
        {QS_GENERATION_FAILED, "a definition cannot be generated"},
    };
    return TextOf(kTexts, code);
}

char const* QuillsetStoreResultText(int code)
{
    static CodeText const kTexts[] = {
        {QS_STORE_OK, "success"},
        {QS_STORE_NO_FIELD, "no such field"},
        {QS_STORE_NO_SELECTION, "no record is selected"},
    };
    return TextOf(kTexts, code);
}

char const* QuillsetFileResultText(int code)
{
    static CodeText const kTexts[] = {
        {QS_FILE_OK, "success"},
        {QS_FILE_CANNOT_OPEN, "the file cannot be opened"},
        {QS_FILE_READ_ERROR, "reading stopped at a read error"},
        {QS_FILE_CANNOT_WRITE, "a line cannot be written"},
        {QS_FILE_BAD_PARENT, "a parent line number is out of range"},
        {QS_FILE_TOO_LARGE, "the file is larger than the size limit"},
    };
    return TextOf(kTexts, code);
}

char const* QuillsetSymbolResultText(int code)
{
    static CodeText const kTexts[] = {
        {QS_SYMBOL_OK, "success"},
        {QS_SYMBOL_VALUE_MISSING, "a value is missing or has the wrong form"},
        {QS_SYMBOL_BAD_ADDRESS, "not an IPv4 address"},
        {QS_SYMBOL_NO_MATCH, "no match"},
        {QS_SYMBOL_NO_PARSE, "parsing is disabled"},
        {QS_SYMBOL_NO_GENERATE, "generation is disabled"},
        {QS_SYMBOL_NO_DEFAULT, "no default applied"},
    };
    return TextOf(kTexts, code);
}
