// The bundled syntax of the device dialect: the shapes that are easy to get wrong (banners,
// certificate chains, modes three levels deep, access-list entries, interface ranges,
// trailing blanks, repeated lines), rules the file itself must keep, and a round trip of
// real device configurations when they are present beside the project.
#include <quillset/quillset.h>

#include "record_layout.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using quillset::test::Layout;
using quillset::test::ReadFile;

std::string const kSyntax = QUILLSET_SYNTAXES_DIR "/zyn.syntax";

std::vector<std::string> SplitLines(std::string const& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The lines of a configuration that carry something, sorted: no lone "!", no blank lines,
// no trailing blanks or carriage returns (generation never writes them).
std::vector<std::string> MeaningfulLines(std::string const& text)
{
    std::vector<std::string> lines;
    for (std::string line : SplitLines(text)) {
        line.erase(line.find_last_not_of(" \t\r") + 1);
        std::size_t const start = line.find_first_not_of(" \t");
        if (start != std::string::npos && line.compare(start, std::string::npos, "!") != 0)
            lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// "Parent>Record|field=value..." for every record, in store order, for whole-store checks.
std::vector<std::string> Records(CDbObject const& db)
{
    std::vector<std::string> records;
    db.StartEnumeration();
    while (CDbEntry* record = db.GetNextEntry()) {
        CDbEntry const* parent = record->GetParent();
        records.push_back((parent ? std::string(parent->GetName()) + ">" : std::string()) + Layout(*record));
    }
    return records;
}

class BundledSyntax : public testing::Test {
protected:
    BundledSyntax() : gen(kSyntax.c_str(), 512) { SetZynMode(&gen); }

    std::string Generate(CDbObject const& db)
    {
        CString text;
        EXPECT_EQ(gen.GenerateCommand(db, text), 0);
        return static_cast<char const*>(text);
    }

    CCmdGen gen;
};

TEST_F(BundledSyntax, LoadsWithoutErrors)
{
    EXPECT_EQ(gen.GetStatus(), 0);
    EXPECT_GT(gen.GetSyntax().GetSize(), 500);
}

// Each configuration is written in the order the syntax generates, so that the generated
// text equals it (minus trailing blanks); the listed records must be among those parsed.
TEST_F(BundledSyntax, TrickyShapesParseIntoRecordsAndComeBackUnchanged)
{
    struct Case {
        char const* what;
        std::string config;
        std::vector<std::string> records;
    };
    Case const cases[] = {
        {"banner between ^C delimiters over several lines",
         "banner motd ^C\nAuthorised access only.\n  Sessions are logged.\n^C\n",
         {"Banner|kind=0|text=^C\nAuthorised access only.\n  Sessions are logged.\n^C"}},
        {"banner with its own delimiter on one line",
         "banner login #Keep out#\nbanner exec ^CWelcome^C\n",
         {"Banner|kind=3|text=#Keep out#", "Banner|kind=1|text=^CWelcome^C"}},
        {"banner text after two blanks, with a trailing blank", "banner motd  This is the S1 switch \n",
         {"Banner|kind=0|text= This is the S1 switch"}},
        {"certificate chain ending in quit",
         "crypto pki certificate chain TP-self-signed-1\n certificate self-signed 01\n"
         "  3082032E 30820216 A0030201\n  3082032E 30820216 A0030201\n  0D0609 2A8648\n        quit\n",
         {"CryptoPkiCertificateChain|trustpoint=TP-self-signed-1",
          "CryptoPkiCertificateChain>Certificate|kind=1|serial=01",
          "Certificate>CertificateData|hex=3082032E 30820216 A0030201",
          "Certificate>CertificateData|hex=3082032E 30820216 A0030201",
          "Certificate>CertificateData|hex=0D0609 2A8648", "Certificate>CertificateQuit|indent=       "}},
        {"neighbors of a BGP address family",
         "router bgp 65000\n bgp router-id 10.0.0.1\n neighbor 10.0.0.2 remote-as 65001\n"
         " neighbor 10.0.0.2 update-source Loopback0\n address-family ipv4 vrf RED\n"
         "  neighbor 10.0.0.2 activate\n  neighbor 10.0.0.2 route-map IN in\n"
         "  neighbor 10.0.0.2 send-community both\n exit-address-family\n",
         {"RouterBgp|as=65000", "RouterBgp>BgpNeighbor|peer=10.0.0.2|remoteAs=65001",
          "RouterBgp>BgpNeighbor|peer=10.0.0.2|updateSource=Loopback0",
          "RouterBgp>BgpAddressFamily|family=0|vrf=RED",
          "BgpAddressFamily>AfNeighbor|peer=10.0.0.2|flag=0",
          "BgpAddressFamily>AfNeighbor|peer=10.0.0.2|routeMap=IN|direction=0",
          "BgpAddressFamily>AfNeighbor|peer=10.0.0.2|communities=0",
          "BgpAddressFamily>ExitAddressFamily"}},
        {"actions of a policy map's classes",
         "policy-map WAN\n class VOICE\n  priority percent 30\n  police cir 8000\n"
         "    conform-action transmit\n    exceed-action drop\n class class-default\n"
         "  bandwidth remaining percent 50\n  set dscp af11\n",
         {"PolicyMap>PolicyClass|name=VOICE", "PolicyClass>ClassPriority|percent=30",
          "PolicyClass>ClassPolice|rate=cir 8000", "ClassPolice>PoliceConformAction|deeper=1|action=transmit",
          "ClassPolice>PoliceExceedAction|deeper=1|action=drop",
          "PolicyClass>ClassBandwidth|remainingPercent=50", "PolicyClass>ClassSet|field=0|value=af11"}},
        {"access-list entries with and without sequence numbers, remarks in place",
         "ip access-list extended EDGE\n 10 permit ip any any\n permit ip any any\n remark web\n"
         " 20 deny   tcp any any eq 80 log\n deny ip any any\n"
         "access-list 10 remark managers\naccess-list 10 permit 10.0.0.0 0.0.0.255\n",
         {"IpAccessList>AccessListEntry|seq=10|action=0|match=ip any any",
          "IpAccessList>AccessListEntry|action=0|match=ip any any", "IpAccessList>AccessListEntry|action=2|match=web",
          "IpAccessList>AccessListEntry|seq=20|action=1|match=  tcp any any eq 80 log",
          "AccessList|number=10|action=2|match=managers"}},
        {"interface range and a sub-interface",
         "interface range GigabitEthernet1/0/1 - 24\n switchport mode access\n"
         "interface GigabitEthernet0/0.10\n encapsulation dot1Q 10\n",
         {"Interface|range=GigabitEthernet1/0/1 - 24", "Interface>SwitchportMode|mode=0",
          "Interface|name=GigabitEthernet0/0.10", "Interface>Encapsulation|kind=0|vlan=10"}},
        {"lines with trailing blanks",
         "ip dhcp pool LAN\n network 10.0.0.0 255.255.255.0 \n dns-server 8.8.8.8 \n"
         "crypto isakmp key secret address 0.0.0.0        \n",
         {"IpDhcpPool>DhcpNetwork|network=10.0.0.0|mask=255.255.255.0",
          "IpDhcpPool>DhcpDnsServer|servers=8.8.8.8", "CryptoIsakmpKey|key=secret|address=0.0.0.0"}},
        {"\"no\" forms as a field of the same command",
         "no service pad\nservice password-encryption\ninterface Ethernet0\n no ip redirects\n shutdown\n"
         "interface Ethernet1\n no shutdown\n",
         {"Service|negated=1|feature=pad", "Service|feature=password-encryption",
          "Interface>IpRedirects|negated=1", "Interface>Shutdown", "Interface>Shutdown|negated=1"}},
        {"repeated lines that differ only in optional parts stay apart",
         "ip cef\nip cef accounting per-prefix\ninterface Vlan10\n ip helper-address 10.0.0.5\n"
         " ip helper-address 10.0.0.6\n switchport trunk allowed vlan 10,20\n"
         " switchport trunk allowed vlan add 30\n"
         "ip route 10.0.0.0 255.0.0.0 192.0.2.1\nip route vrf RED 10.0.0.0 255.0.0.0 192.0.2.1\n",
         {"IpCef", "IpCef|setting=accounting per-prefix",
          "Interface>IpHelperAddress|address=10.0.0.6",
          "Interface>SwitchportTrunkAllowedVlan|change=0|vlans=30",
          "IpRoute|vrf=RED|prefix=10.0.0.0|mask=255.0.0.0|route=192.0.2.1"}},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        CDbObject db;
        gen.ParseCommand(c.config.c_str(), db);
        std::vector<std::string> const records = Records(db);
        for (std::string const& expected : c.records)
            EXPECT_NE(std::find(records.begin(), records.end(), expected), records.end()) << expected;
        EXPECT_EQ(db.SelectCount("_UNKNOWN", nullptr), 0);

        std::string expectedText;
        for (std::string line : SplitLines(c.config))
            expectedText += line.erase(line.find_last_not_of(' ') + 1) + "\n";
        std::string const text = Generate(db);
        EXPECT_EQ(text, expectedText);
        CDbObject again;
        gen.ParseCommand(text.c_str(), again);
        EXPECT_EQ(Records(again), Records(db));
    }
}

// Lines no command describes stay inside the mode they were written in, also two and three
// levels down, and come back with their text.
TEST_F(BundledSyntax, UnknownLinesStayInTheirMode)
{
    std::string const config =
        "router bgp 1\n address-family ipv4\n  neighbor 10.0.0.2 activate\n  bgp dampening 5\n"
        "  table-map-like thing\n exit-address-family\n"
        "policy-map P\n class C\n  police 8000\n   conform-action transmit\n   strange-action x\n"
        "vendor-option 1024\nend\n";
    CDbObject db;
    gen.ParseCommand(config.c_str(), db);
    CDbEntry* family = db.Select("BgpAddressFamily", 0);
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(Layout(*db.Select("_UNKNOWN", family, 0)), "_UNKNOWN|_Text=  table-map-like thing");
    EXPECT_EQ(Layout(*db.Select("_UNKNOWN", db.Select("ClassPolice", 0), 0)), "_UNKNOWN|_Text=   strange-action x");
    EXPECT_EQ(Layout(*db.Select("_UNKNOWN", nullptr, 0)), "_UNKNOWN|_Text=vendor-option 1024");
    std::string const text = Generate(db);
    EXPECT_EQ(MeaningfulLines(text), MeaningfulLines(config));
    EXPECT_LT(text.find("  table-map-like thing"), text.find(" exit-address-family"));
    EXPECT_EQ(text.substr(text.size() - 23), "vendor-option 1024\nend\n");
}

struct Definition {
    std::string id;
    std::string parent;
    std::string syntax;
    int line;
};

std::vector<Definition> ReadDefinitions(std::string const& text)
{
    std::vector<Definition> definitions;
    int number = 0;
    for (std::string const& line : SplitLines(text)) {
        ++number;
        std::size_t const first = line.find(',');
        std::size_t const second = first == std::string::npos ? first : line.find(',', first + 1);
        if (line.empty() || line[0] == '/' || line[0] == '$' || second == std::string::npos)
            continue;
        definitions.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1),
                               line.substr(second + 1), number});
    }
    return definitions;
}

// The rules the bundled file keeps so that every line comes back and every command is found
// by its keyword.
TEST(BundledSyntaxFile, KeepsItsRules)
{
    std::string const text = ReadFile(kSyntax);
    EXPECT_EQ(text.find("$define NoGen"), std::string::npos) << "every command a device has is written back";
    std::vector<Definition> const definitions = ReadDefinitions(text);
    // Entries whose first word is a number or data: access-list entries keep their order
    // only as one command; certificate data and object-group addresses have no keyword;
    // "quit" comes at whatever indentation the device used.
    std::set<std::string> const keywordless = {"AccessListEntry", "Ipv6AccessListEntry", "CertificateData",
                                               "CertificateQuit", "ObjectGroupAddress"};
    std::set<std::string> parents, unknownUnder;
    std::map<std::string, std::string> parentOf;
    std::string previous;  // the command of the previous definition (its parent for "_UNKNOWN")
    for (std::size_t i = 0; i < definitions.size(); ++i) {
        Definition const& d = definitions[i];
        SCOPED_TRACE("line " + std::to_string(d.line) + ": " + d.id);
        // A sub-command follows its parent, a sibling or a descendant of a sibling: anywhere
        // else it lies outside its parent's block and is never matched.
        bool nested = d.parent.empty();
        for (std::string c = previous; !nested && !c.empty(); c = parentOf[c])
            nested = c == d.parent;
        EXPECT_TRUE(nested) << d.id << " is not among the definitions of " << d.parent;
        previous = d.id == "_UNKNOWN" ? d.parent : d.id;
        if (d.id != "_UNKNOWN")
            parentOf[d.id] = d.parent;
        if (d.id == "_UNKNOWN") {
            unknownUnder.insert(d.parent);
            // Two such commands in a row would write an unknown line twice.
            bool const last = i + 1 == definitions.size();
            EXPECT_TRUE(last || definitions[i + 1].id != "_UNKNOWN");
            continue;
        }
        if (!d.parent.empty())
            parents.insert(d.parent);
        if (keywordless.count(d.id) != 0)
            continue;
        std::string syntax = d.syntax.substr(d.syntax.find_first_not_of(' '));
        // A leading negation, or the extra blanks of indentation some releases write.
        for (char const* prefix : {"[{%negated(no=1)} ]", "[{%negated(not=1)} ]"}) {
            if (syntax.rfind(prefix, 0) == 0)
                syntax.erase(0, std::string(prefix).size());
        }
        if (syntax.rfind("[%deeper(", 0) == 0)
            syntax.erase(0, syntax.find(")]") + 2);
        EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(syntax[0])) || syntax[0] == '!') << d.syntax;
    }
    for (std::string const& parent : parents)
        EXPECT_EQ(unknownUnder.count(parent), 1u) << parent << " opens a mode without an _UNKNOWN command";
    // A nested mode is followed by a command of its own parent: were it the last one, a line
    // after the nested mode would climb past its parent's commands.
    for (std::size_t i = 0; i < definitions.size(); ++i) {
        Definition const& mode = definitions[i];
        if (mode.parent.empty() || parents.count(mode.id) == 0)
            continue;
        std::size_t next = i + 1;
        auto inside = [&](std::string c) {
            for (; !c.empty(); c = parentOf[c]) {
                if (c == mode.id)
                    return true;
            }
            return false;
        };
        while (next < definitions.size() && inside(definitions[next].parent))
            ++next;
        ASSERT_LT(next, definitions.size()) << mode.id;
        EXPECT_EQ(definitions[next].parent, mode.parent) << mode.id << " ends its parent's commands";
    }
}

// Real device configurations: nearly every line structured, every line written back, and
// the generated text parses into the same store.
TEST(BundledSyntaxCorpus, RoundTripsEveryConfiguration)
{
    std::vector<std::string> const files = quillset::test::CorpusFiles(QUILLSET_CORPUS_DIR);
    if (files.empty())
        GTEST_SKIP() << "no device configurations at " << QUILLSET_CORPUS_DIR;

    CCmdGen gen(kSyntax.c_str(), 512);
    SetZynMode(&gen);
    long lines = 0, matched = 0;
    for (auto const& file : files) {
        SCOPED_TRACE(file);
        std::string config = ReadFile(file);
        if (!config.empty() && config.back() != '\n')
            config += '\n';  // text after the last line feed is never a command
        CDbObject db;
        gen.ParseCommand(config.c_str(), db);
        long const fileLines = static_cast<long>(MeaningfulLines(config).size());
        long unknownLines = 0;
        db.StartEnumeration();
        while (CDbEntry* record = db.GetNextEntry()) {
            if (std::string(record->GetName()) == "_UNKNOWN") {
                std::string const unknown = static_cast<char const*>(record->Get("_Text"));
                unknownLines += std::max<long>(1, static_cast<long>(MeaningfulLines(unknown).size()));
            }
        }
        EXPECT_GE((fileLines - unknownLines) * 100, fileLines * 85) << unknownLines << " of " << fileLines;
        lines += fileLines;
        matched += fileLines - unknownLines;

        CString text;
        ASSERT_EQ(gen.GenerateCommand(db, text), 0);
        CDbObject again;
        gen.ParseCommand(text, again);
        CString textAgain;
        gen.GenerateCommand(again, textAgain);
        EXPECT_EQ(std::string(textAgain), std::string(text));

        // Row packing merges a line into an identical one under the same parent (a hand
        // edit can repeat one); without it, every line comes back.
        gen.EnableRowPacking(false);
        CDbObject unpacked;
        gen.ParseCommand(config.c_str(), unpacked);
        CString unpackedText;
        gen.GenerateCommand(unpacked, unpackedText);
        EXPECT_EQ(MeaningfulLines(std::string(unpackedText)), MeaningfulLines(config));
        gen.EnableRowPacking(true);
    }
    EXPECT_GE(matched * 100, lines * 95) << matched << " of " << lines << " lines matched";
}

}  // namespace
