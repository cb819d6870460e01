// A whole-process driver for timing and peak memory (/usr/bin/time -v): writes an input of
// one shape to a file, or parses a configuration file with the dialect syntax into a store
// and writes the store file, as a host program would.
//   parse_driver make corpus|access-list|unknown|interfaces N FILE
//   parse_driver parse CONFIG STORE
#include "shape_inputs.h"

#include <quillset/quillset.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace quillset::bench;

std::string MakeShape(std::string const& shape, int lines)
{
    if (shape == "corpus")
        return CorpusLines(QUILLSET_CORPUS_DIR, lines);
    if (shape == "access-list")
        return AccessList(lines);
    if (shape == "unknown")
        return UnknownLines(lines);
    if (shape == "interfaces")
        return Interfaces(lines);
    return "";
}

int Usage()
{
    std::fputs("usage: parse_driver make corpus|access-list|unknown|interfaces N FILE\n"
               "       parse_driver parse CONFIG STORE\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string const verb = argc > 1 ? argv[1] : "";
    if (verb == "make" && argc == 5) {
        std::string const text = MakeShape(argv[2], std::atoi(argv[3]));
        if (text.empty())
            return Usage();
        WriteFile(argv[4], text);
        return 0;
    }
    if (verb != "parse" || argc != 4)
        return Usage();
    CCmdGen gen(QUILLSET_SYNTAXES_DIR "/zyn.syntax", 64);
    SetZynMode(&gen);
    CDbObject db;
    if (gen.ParseCommandFile(argv[2], db) != 0 || db.WriteDelimitedFile(argv[3]) != 0) {
        std::fprintf(stderr, "parse_driver: cannot parse %s into %s\n", argv[2], argv[3]);
        return 1;
    }
    return 0;
}
