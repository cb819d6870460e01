// Fuzz target: a sequence of store calls (create, query, count, set, remove, delete) decoded
// from the input, each checked against a plain model of the store: a list of records with
// names, ordered fields and parent links, searched by walking it.
#include <quillset/quillset.h>

#include "fuzz_support.h"

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using quillset::fuzz::Check;

char const* const kNames[] = {"a", "b", "c"};
char const* const kFields[] = {"f", "g", "h"};
char const* const kValues[] = {"", "0", "1"};

struct ModelRecord {
    std::string name;
    int parent;  // index in the model, or -1
    std::vector<std::pair<std::string, std::string>> fields;
    bool alive = true;
    CDbEntry* real;

    std::string Get(std::string const& field) const
    {
        for (auto const& [name, value] : fields) {
            if (name == field)
                return value;
        }
        return "";
    }
};

class Model {
public:
    // The records of `name` in the order added that match, with any parent when `parent`
    // is -2.
    std::vector<int> Matches(std::string const& name, int parent, std::string const& field, std::string const& value)
    {
        std::vector<int> found;
        for (int i = 0; i < static_cast<int>(m_records.size()); ++i) {
            ModelRecord const& r = m_records[i];
            if (r.alive && r.name == name && (parent == -2 || r.parent == parent) && r.Get(field) == value)
                found.push_back(i);
        }
        return found;
    }
    std::vector<int> Alive() const
    {
        std::vector<int> alive;
        for (int i = 0; i < static_cast<int>(m_records.size()); ++i) {
            if (m_records[i].alive)
                alive.push_back(i);
        }
        return alive;
    }
    void Delete(int doomed, bool cascade)
    {
        m_records[doomed].alive = false;
        for (int i = 0; i < static_cast<int>(m_records.size()); ++i) {
            if (m_records[i].alive && m_records[i].parent == doomed) {
                if (cascade)
                    Delete(i, true);
                else
                    m_records[i].parent = -1;
            }
        }
    }
    std::vector<ModelRecord>& Records() { return m_records; }

private:
    std::vector<ModelRecord> m_records;
};

// Reads the input a byte at a time; past its end every byte is 0.
class Bytes {
public:
    Bytes(std::uint8_t const* data, std::size_t size) : m_data(data), m_size(size) {}
    bool More() const { return m_at < m_size; }
    int Next(int bound) { return m_at < m_size ? m_data[m_at++] % bound : 0; }

private:
    std::uint8_t const* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    CDbObject db;
    Model model;
    Bytes in(data, size);
    for (int step = 0; in.More() && step < 200; ++step) {
        int const op = in.Next(6);
        char const* name = kNames[in.Next(3)];
        char const* field = kFields[in.Next(3)];
        char const* value = kValues[in.Next(3)];
        std::vector<int> const alive = model.Alive();
        int const pick = alive.empty() ? -1 : alive[in.Next(static_cast<int>(alive.size()))];
        // Half of the calls name a parent (the picked record), half none.
        int const parent = in.Next(2) == 0 ? -1 : pick;
        CDbEntry* const parentRecord = parent >= 0 ? model.Records()[parent].real : nullptr;
        switch (op) {
        case 0: {
            CDbEntry* made = db.Create(name, parentRecord, field, value, nullptr);
            Check(made != nullptr && made->GetParent() == parentRecord, "Create makes the record under its parent");
            model.Records().push_back({name, parent, {{field, value}}, true, made});
            break;
        }
        case 1: {
            int const index = in.Next(3);
            std::vector<int> const found = model.Matches(name, parent >= 0 ? parent : -2, field, value);
            CDbEntry* expected = index < static_cast<int>(found.size()) ? model.Records()[found[index]].real : nullptr;
            // A query resumes where the same query stopped, which misses records that came
            // to match since (by design); another query first makes this one start afresh.
            db.Select("reset", "f", "", nullptr);
            Check(db.Select(name, parentRecord, index, field, value, nullptr) == expected, "Select finds the model's match");
            break;
        }
        case 2: {
            int const count = static_cast<int>(model.Matches(name, parent >= 0 ? parent : -2, field, value).size());
            Check(db.SelectCount(name, parentRecord, field, value, nullptr) == count, "SelectCount counts the model's matches");
            break;
        }
        case 3:
        case 4: {
            if (pick < 0)
                break;
            ModelRecord& record = model.Records()[pick];
            db.SetSelected(record.real);
            auto& fields = record.fields;
            auto const at = std::find_if(fields.begin(), fields.end(), [&](auto const& f) { return f.first == field; });
            if (op == 3) {
                Check(db.Set(field, value) == 0, "Set on the selected record succeeds");
                if (at != fields.end())
                    at->second = value;
                else
                    fields.emplace_back(field, value);
            } else {
                Check(db.Remove(field) == (at != fields.end() ? 0 : 1), "Remove answers whether the field was there");
                if (at != fields.end())
                    fields.erase(at);
            }
            Check(std::string(db.Get(field)) == record.Get(field), "the field reads as the model's");
            break;
        }
        case 5: {
            if (pick < 0)
                break;
            bool const cascade = in.Next(2) == 1;
            Check(db.Delete(model.Records()[pick].real, cascade) == 0, "Delete succeeds");
            model.Delete(pick, cascade);
            break;
        }
        }
        Check(db.GetEntryCount() == static_cast<int>(model.Alive().size()), "the store holds the model's records");
    }
    for (int i : model.Alive()) {
        ModelRecord const& r = model.Records()[i];
        CDbEntry const* expectedParent = r.parent >= 0 ? model.Records()[r.parent].real : nullptr;
        Check(r.real->GetParent() == expectedParent, "parent links follow the model");
        Check(r.real->GetFieldCount() == static_cast<int>(r.fields.size()), "records hold the model's fields");
    }
    return 0;
}
