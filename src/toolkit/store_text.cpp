// Writing and reading the delimited text of a store in memory.
#include "toolkit/store_text.h"

#include "toolkit/failure.h"

#include <cctype>
#include <cstdlib>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quillset::toolkit {

namespace {

char const kParentField[] = "__Parent";

// The record text of a line, or empty for a blank or comment line.
std::string_view RecordText(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front())))
        line.remove_prefix(1);
    if (line.empty() || line.front() == '#' || line.substr(0, 2) == "//")
        return {};
    return line;
}

}  // namespace

std::string DelimitedText(CDbObject const& db)
{
    std::vector<CDbEntry const*> records;
    std::unordered_map<CDbEntry const*, std::size_t> lineOf;
    db.StartEnumeration();
    while (CDbEntry const* record = db.GetNextEntry()) {
        records.push_back(record);
        lineOf.emplace(record, records.size());
    }
    std::string text;
    CString line;
    for (CDbEntry const* record : records) {
        text += static_cast<char const*>(record->GetEntry(line));
        if (CDbEntry const* parent = record->GetParent()) {
            auto const found = lineOf.find(parent);
            text += std::string(",") + kParentField + "=" +
                    std::to_string(found != lineOf.end() ? found->second : records.size() + 1);
        }
        text += '\n';
    }
    return text;
}

void LoadDelimitedText(std::string const& text, CDbObject& db, std::string const& source)
{
    std::vector<CDbEntry*> lines;  // the record stored for each line, null for skipped ones
    std::vector<std::pair<CDbEntry*, int>> linked;  // records with a parent link, and their line
    CDbEntry scratch(10);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string const record(RecordText(std::string_view(text).substr(start, end - start)));
        start = end + 1;
        if (record.empty()) {
            lines.push_back(nullptr);
            continue;
        }
        scratch.SetEntry(record.c_str());
        lines.push_back(db.AddEntry(scratch, false));
        if (lines.back()->IsExist(kParentField))
            linked.emplace_back(lines.back(), static_cast<int>(lines.size()));
    }
    for (auto const& [record, line] : linked) {
        long long const parent = std::strtoll(record->Get(kParentField), nullptr, 10);
        if (parent < 1 || parent > static_cast<long long>(lines.size()) || lines[parent - 1] == nullptr)
            throw Failure(source, line, "the parent link " + std::string(record->Get(kParentField)) +
                                            " does not name a line that holds a record");
        record->SetParent(lines[parent - 1]);
        record->Remove(kParentField);
    }
}

}  // namespace quillset::toolkit
