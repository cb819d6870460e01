// Fuzz target: a syntax file. It is compiled, then a fixed configuration is parsed with it
// and generated back. Properties: loading reports 0 or 2; generation answers 0, 10 or 14;
// every record is named after a compiled command or "_UNKNOWN"; generating twice gives the
// same text. Inputs that would end the process on purpose (more than 50 values in one
// list, nesting past the compiler's depth) are skipped.
#include <quillset/quillset.h>

#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

char const kConfiguration[] =
    "hostname r1\ninterface e0\n description uplink to core\n ip address 10.0.0.1 255.255.255.0\n"
    " shutdown\n!\ninterface e1\n speed 100\n mtu 9000\nrouter ospf 1\n network 10.0.0.0 0.0.0.255 area 0\n"
    "banner motd ^C\nhello\n^C\nend\n";

// Whether the input would reach one of the compiler's deliberate process exits: more than
// 50 values in one list, or more than 128 open optional parts and group alternatives in one
// definition (counted generously: every bracket, brace and bar of a line).
bool EndsTheProcess(std::string const& text)
{
    int commas = 0;
    int nesting = 0;
    bool inList = false;
    for (char c : text) {
        nesting += c == '[' || c == '{' || c == '|';
        if (c == '\n')
            nesting = 0;
        if (nesting >= 128)
            return true;
        if (c == '(' && !inList)
            inList = true, commas = 0;  // a "(" inside a list is one of its values
        else if (c == ')' || c == '\n')
            inList = false;
        else if (c == ',' && inList && ++commas >= 50)
            return true;
    }
    return false;
}

bool IsCompiledId(CCmdGen& gen, char const* name)
{
    return gen.GetHashSyntax()->Lookup(name, 0) != nullptr || std::string(name) == QS_UNKNOWN_ID;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    std::string const text(reinterpret_cast<char const*>(data), size);
    if (EndsTheProcess(text))
        return 0;
    static quillset::fuzz::ScratchFile file("syntax");
    CCmdGen gen(file.Write(text), 0);
    quillset::fuzz::Check(gen.GetStatus() == 0 || gen.GetStatus() == 2, "loading reports 0 or 2");
    SetZynMode(&gen);
    CDbObject db;
    gen.ParseCommand(kConfiguration, db);
    db.StartEnumeration();
    while (CDbEntry* record = db.GetNextEntry())
        quillset::fuzz::Check(IsCompiledId(gen, record->GetName()), "records are named after commands", record->GetName());
    CString first, second;
    int const result = gen.GenerateCommand(db, first);
    quillset::fuzz::Check(result == 0 || result == 10 || result == 14, "generation answers 0, 10 or 14");
    quillset::fuzz::Check(gen.GenerateCommand(db, second) == result && first == second, "generation is repeatable");
    return 0;
}
