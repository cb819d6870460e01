// Fuzz target: a delimited store file, read, written and read again. Property: when the
// first read succeeds, the second gives the same records in the same order with the same
// parent links, so writing it again gives the same file. Lines longer than a read piece
// are read as several lines by design, so files that write such lines are skipped.
#include <quillset/quillset.h>

#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

constexpr std::size_t kReadPiece = 1023;

bool HasLongLine(std::string const& text)
{
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.size() + 1 > kReadPiece)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    static quillset::fuzz::ScratchFile input("delimited_in");
    static quillset::fuzz::ScratchFile output("delimited_out");
    static quillset::fuzz::ScratchFile again("delimited_again");
    CDbObject first;
    if (first.ReadDelimitedFile(input.Write(std::string(reinterpret_cast<char const*>(data), size)), false) != 0)
        return 0;
    quillset::fuzz::Check(first.WriteDelimitedFile(output.Path()) == 0, "the store is written");
    std::string const written = output.Read();
    if (HasLongLine(written))
        return 0;
    CDbObject second;
    quillset::fuzz::Check(second.ReadDelimitedFile(output.Path(), false) == 0, "the written file reads back", written);
    quillset::fuzz::Check(second.GetEntryCount() == first.GetEntryCount(), "the same number of records", written);
    quillset::fuzz::Check(second.WriteDelimitedFile(again.Path()) == 0, "the store is written again");
    quillset::fuzz::Check(again.Read() == written, "the same records and links", written + "--- again:\n" + again.Read());
    return 0;
}
