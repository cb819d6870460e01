// Generation entry points: from a store to a text, from a delimited file, and to a file
// or the standard output. The walk itself is GenerationWalk's.
#include <quillset/cmdgen.h>

#include "base/stream_file.h"
#include "cmdgen/generation_walk.h"

#include <cstdio>

int CCmdGen::GenerateCommand(CDbObject const& db, CString& text)
{
    m_errorLine = 0;
    quillset::cmdgen::GenerationWalk walk(m_syntax, db, {m_cmdOptional, m_unknownHandler != nullptr, m_generationIndex},
                                          text);
    int position = 0;
    int const result = walk.Run(nullptr, position);
    m_errorLine = walk.FailedDefinition();
    return result;
}

int CCmdGen::GenerateCommand(char const* delimitedFile, CString& text)
{
    CDbObject store("", 503);
    if (store.ReadDelimitedFile(delimitedFile, false) != 0)
        return 5;
    return GenerateCommand(store, text);
}

int CCmdGen::GenerateCommandFile(CDbObject const& db, char const* path)
{
    CString text;
    int const result = GenerateCommand(db, text);
    if (result != 0)
        return result;
    quillset::StreamFile out(path, "w");
    if (out.Get() == nullptr)
        return 4;
    // A full disk shows in the write or only when the buffered text is flushed.
    std::size_t const length = static_cast<std::size_t>(text.GetLength());
    bool const written = std::fwrite(static_cast<char const*>(text), 1, length, out.Get()) == length;
    return out.Close() && written ? 0 : 6;
}
