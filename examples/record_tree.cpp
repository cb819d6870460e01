// A small host program: builds the records of an interface configuration, links them into a
// tree and prints the tree with every field, the way a host reads what a parse produced.
#include <quillset/quillset.h>

#include <cstdio>

namespace {

void PrintRecord(CDbEntry const& record, int depth)
{
    std::printf("%*s%s", depth * 2, "", record.GetName());
    for (int slot = 0; slot < record.GetFieldCount(); ++slot) {
        if (char const* field = record.GetFieldByIndex(slot))
            std::printf(" %s=\"%s\"", field, static_cast<char const*>(record.GetByIndex(slot)));
    }
    std::printf("\n");
    for (int i = 0; i < record.GetChildCount(); ++i)
        PrintRecord(*record.GetChild(i), depth + 1);
}

}  // namespace

int main()
{
    CDbEntry hostname("Hostname");
    hostname.Set("name", "edge-router");

    CDbEntry interface("Interface");
    interface.Set("name", "GigabitEthernet0/1");
    interface.SetHeader("!");

    CDbEntry description("Description");
    description.Set("text", "uplink, to core");
    description.SetParent(&interface);

    CDbEntry address("Address");
    address.Set("addr", "192.0.2.1");
    address.Set("mask", "255.255.255.0");
    address.SetParent(&interface);

    CDbEntry speed("Speed");
    speed.Set("speed", 1000);
    speed.SetParent(&interface);

    PrintRecord(hostname, 0);
    PrintRecord(interface, 0);

    // Values are text, read in whatever type the host asks for.
    int const mbps = speed.Get("speed");
    std::printf("speed as a number: %d, above 100: %s\n", mbps, speed.Get("speed") > 100 ? "yes" : "no");
    return 0;
}
