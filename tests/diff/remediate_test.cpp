// Remediation and apply on the small dialect: the exact commands for each kind of change,
// and the configuration those commands produce.
#include "diff_fixture.h"

namespace {

using quillset::test::SmallDialect;

std::string const kRunning =
    "hostname r1\n"
    "interface Gi0/1\n"
    " description uplink\n"
    " ip address 10.0.0.1 255.255.255.0\n"
    " ip access-group WEB in\n"
    " shutdown\n"
    "interface Gi0/2\n"
    " no ip address\n"
    "ip access-list extended WEB\n"
    " 10 permit tcp any any eq 80\n"
    " 20 deny ip any any\n";

// `running` with the first occurrence of `from` replaced by `to`.
std::string Edit(std::string const& from, std::string const& to)
{
    std::string text = kRunning;
    std::size_t const at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST_F(SmallDialect, RemediationSendsOnlyWhatChangedInModeOrder)
{
    ASSERT_TRUE(bench.Ready()) << bench.Error();
    struct Case {
        char const* what;
        std::string running;
        std::string intended;
        std::string commands;
    } const cases[] = {
        {"nothing changed", kRunning, kRunning, ""},
        {"single-valued top level", kRunning, Edit("hostname r1", "hostname r2"), "hostname r2\n"},
        {"single-valued in a mode", kRunning, Edit("uplink", "core"), "interface Gi0/1\n description core\n exit\n"},
        {"mode removed once", kRunning, Edit("interface Gi0/2\n no ip address\n", ""), "no interface Gi0/2\n"},
        {"negation field", kRunning, Edit(" shutdown\n", ""), "interface Gi0/1\n no shutdown\n exit\n"},
        {"negated record removed", kRunning, Edit(" no ip address\n", ""), "interface Gi0/2\n ip address\n exit\n"},
        {"keyed rule added", kRunning, Edit(" 20 deny", " 15 permit tcp any any eq 443\n 20 deny"),
         "ip access-list extended WEB\n 15 permit tcp any any eq 443\n exit\n"},
        {"mode added with its children", kRunning, kRunning + "interface Gi0/3\n description new\n speed 100\n",
         "interface Gi0/3\n description new\n speed 100\n exit\n"},
        {"unmatched line added in a mode", kRunning, Edit(" no ip address\n", " no ip address\n cdp enable\n"),
         "interface Gi0/2\n cdp enable\n exit\n"},
        {"unmatched line removed", Edit("hostname r1\n", "hostname r1\nlogging on\n"), kRunning, "no logging on\n"},
        {"depended-on list removed after its user", kRunning,
         Edit(" ip access-group WEB in\n", "").substr(0, Edit(" ip access-group WEB in\n", "").find("ip access-list")),
         "interface Gi0/1\n no ip access-group WEB in\n exit\nno ip access-list extended WEB\n"},
        {"depended-on list added before its user", kRunning,
         Edit(" no ip address\n", " no ip address\n ip access-group MGMT in\n") +
             "ip access-list standard MGMT\n permit any\n",
         "ip access-list standard MGMT\n permit any\n exit\ninterface Gi0/2\n ip access-group MGMT in\n exit\n"},
    };
    for (auto const& c : cases)
        EXPECT_EQ(bench.Remediate(c.running, c.intended), c.commands) << c.what;
}

TEST_F(SmallDialect, ApplyChangesTheConfigurationAsTheDeviceWould)
{
    ASSERT_TRUE(bench.Ready()) << bench.Error();
    std::string const running = "hostname r1\ninterface e1\n description old\n shutdown\ninterface e2\n";
    struct Case {
        char const* what;
        std::string commands;
        std::string result;
    } const cases[] = {
        {"typed without indentation, replacing", "interface e1\ndescription new\n",
         "hostname r1\ninterface e1\n description new\n shutdown\ninterface e2\n"},
        {"short no form", "interface e1\n no description\n", "hostname r1\ninterface e1\n shutdown\ninterface e2\n"},
        {"negation field removes", "interface e1\n no shutdown\n", "hostname r1\ninterface e1\n description old\ninterface e2\n"},
        {"a mode removed with its sub-commands", "no interface e1\n", "hostname r1\ninterface e2\n"},
        {"a top-level command leaves the mode", "interface e2\n speed 10\nhostname r2\ninterface e1\n speed 20\n",
         "hostname r2\ninterface e1\n description old\n speed 20\n shutdown\ninterface e2\n speed 10\n"},
        {"exit leaves the mode", "interface e2\n exit\n cdp enable\n",
         "hostname r1\ninterface e1\n description old\n shutdown\ninterface e2\n cdp enable\n"},
        {"a new mode and an unmatched line", "interface e3\n cdp enable\n exit\nlogging on\n",
         "hostname r1\ninterface e1\n description old\n shutdown\ninterface e2\ninterface e3\n cdp enable\nlogging on\n"},
        {"a single-valued command is removed whatever its value", "no hostname r9\n",
         "interface e1\n description old\n shutdown\ninterface e2\n"},
        {"a no form with nothing to remove is kept as the parser reads it", "interface e2\n no speed 10\n",
         "hostname r1\ninterface e1\n description old\n shutdown\ninterface e2\n no speed 10\n"},
    };
    for (auto const& c : cases)
        EXPECT_EQ(bench.Apply(running, c.commands), c.result) << c.what;
}

}  // namespace
