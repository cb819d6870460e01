// Fuzz target: a delimited store file, read, written and read again. Properties: when the
// first read succeeds, the written file reads back with as many records, and from then on
// writing and reading change nothing (same records, order and parent links). An empty slot
// inside a named record is written as an empty token and reads back as an empty field of
// that slot number, so the file settles after one round. Lines longer than a read piece
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
    std::string const settled = again.Read();
    if (HasLongLine(settled))
        return 0;  // the second writing numbers every slot, which can make a line long
    CDbObject third;
    quillset::fuzz::Check(third.ReadDelimitedFile(again.Path(), false) == 0, "the file reads back again", settled);
    quillset::fuzz::Check(third.WriteDelimitedFile(output.Path()) == 0, "the store is written a third time");
    quillset::fuzz::Check(output.Read() == settled, "the same records and links", settled + "--- again:\n" + output.Read());
    return 0;
}
