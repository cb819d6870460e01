// The record-level diff on the small dialect: matching by identity whatever the position,
// changed fields with old and new values, records only on one side grouped by parent, and
// unmatched lines compared as text within their parent.
#include "diff_fixture.h"

namespace {

using quillset::diff::ChangeKind;
using quillset::test::SmallDialect;

// One line per change: "kind parents | lines | field:old>new ...".
std::vector<std::string> Summary(std::vector<quillset::diff::ChangeGroup> const& groups)
{
    std::vector<std::string> lines;
    char const* const kinds[] = {"-", "+", "~"};
    for (auto const& group : groups) {
        std::string parents;
        for (std::string const& parent : group.parents)
            parents += parent + " / ";
        for (auto const& change : group.changes) {
            std::string line = std::string(kinds[static_cast<int>(change.kind)]) + " " + parents + "|";
            for (std::string const& text : change.lines)
                line += text + "|";
            for (auto const& field : change.fields)
                line += " " + field.field + ":" + field.oldValue + ">" + field.newValue;
            lines.push_back(line);
        }
    }
    return lines;
}

TEST_F(SmallDialect, DiffMatchesRecordsByIdentityAndGroupsChangesByParent)
{
    ASSERT_TRUE(bench.Ready()) << bench.Error();
    struct Case {
        char const* what;
        std::string a;
        std::string b;
        std::vector<std::string> changes;
    } const cases[] = {
        {"moved blocks and reordered lines are no change",
         "interface e1\n description x\n speed 10\ninterface e2\n",
         "interface e2\ninterface e1\n speed 10\n description x\n", {}},
        {"changed fields of a keyed record",
         "hostname a\ninterface e1\n ip address 10.0.0.1 255.0.0.0\n",
         "hostname b\ninterface e1\n ip address 10.0.0.2 255.0.0.0\n",
         {"~ |hostname b| name:a>b", "~ interface e1 / | ip address 10.0.0.2 255.0.0.0| address:10.0.0.1>10.0.0.2"}},
        {"records only on one side, with their sub-commands",
         "interface e1\n speed 10\ninterface e2\n description gone\n",
         "interface e1\n speed 10\n description new\nroute 1\n",
         {"- |interface e2| description gone|", "+ |route 1|", "+ interface e1 / | description new|"}},
        {"negation is a changed field of the same record",
         "service pad\ninterface e1\n shutdown\n", "no service pad\ninterface e1\n no shutdown\n",
         {"~ |no service pad| negated:>1", "~ interface e1 / | no shutdown| negated:>1"}},
        {"unmatched lines compare as text within their parent",
         "interface e1\n cdp enable\ninterface e2\n", "interface e1\ninterface e2\n cdp enable\n",
         {"- interface e1 / | cdp enable|", "+ interface e2 / | cdp enable|"}},
        {"rules without a sequence number match by text and order",
         "ip access-list standard A\n permit any\n deny any\n",
         "ip access-list standard A\n deny any\n permit any\n",
         {"- ip access-list standard A / | permit any|", "+ ip access-list standard A / | permit any|"}},
        {"rules with a sequence number match by it",
         "ip access-list standard A\n 10 permit any\n 20 deny any\n",
         "ip access-list standard A\n 20 deny any\n 10 permit host 1.1.1.1\n",
         {"~ ip access-list standard A / | 10 permit host 1.1.1.1| match:any>host 1.1.1.1"}},
    };
    for (auto const& c : cases)
        EXPECT_EQ(Summary(quillset::diff::DiffStores(bench.Model(), *bench.Parse(c.a), *bench.Parse(c.b))), c.changes)
            << c.what;
}

}  // namespace
