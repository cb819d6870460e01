// A host of the installed library. It writes the string and value expressions that hosts
// write every day, which must compile without warnings next to the value's free operator+.
#include <quillset/quillset.h>

#include <cstdio>
#include <cstring>

namespace {

int failures = 0;

void Check(bool ok, char const* what)
{
    if (!ok) {
        std::fprintf(stderr, "host check failed: %s\n", what);
        ++failures;
    }
}

}  // namespace

int main()
{
    CString s("ab");
    CDbValue value("cd");

    CString joined = s + "text";
    joined = "text" + s;
    joined = s + 'c';
    joined = s + s;
    joined += "x";
    joined += value;
    CString assigned;
    assigned = value;
    CString converted = value;
    s + value;
    Check(s == "abcd", "CString + CDbValue appends in place");
    Check(assigned == "cd" && converted == "cd", "a value converts to its text");
    Check(joined != "", "concatenation");

    CDbEntry record("Interface");
    record.Set("speed", 100);
    record.Set("name", "eth0");
    int const speed = record.Get("speed");
    Check(speed == 100, "numeric view");
    Check(record.GetByIndex(1) == "eth0", "text comparison");
    Check(std::strcmp(record.Get("speed"), "100") == 0, "text view");

    CHashTable<CDbEntry> table(503);
    table.Add(record.GetName(), &record);
    Check(table.Lookup("Interface", 0) == &record, "hash table lookup");

    CDbObject store;
    CDbEntry* vlan = store.Create("vlan", "id", 10, nullptr);
    store.Create("port", vlan, "name", "eth0", nullptr);
    Check(store.Select("port", vlan, 0) != nullptr, "lookup by parent");
    Check(store.Select("vlan", nullptr, 0) == vlan, "lookup with a literal null parent");
    Check(store.SelectCount("port", "name", "eth0", nullptr) == 1, "query");
    CString text;
    store.WriteDelimitedString(text);
    Check(text.Find('\n') > 0, "delimited text");

    CDynArray<int> numbers;
    numbers[4] = 1;
    Check(numbers.GetSize() == 5, "array growth");
    return failures == 0 ? 0 : 1;
}
