// A small dialect syntax and its rules, written to temporary files, with helpers that
// parse configurations, run the diff engine and apply commands, shared by the diff suites.
#ifndef QUILLSET_TESTS_DIFF_FIXTURE_H
#define QUILLSET_TESTS_DIFF_FIXTURE_H

#include "diff/command_apply.h"
#include "diff/command_model.h"
#include "diff/config_diff.h"
#include "diff/remediation.h"
#include "test_files.h"

#include <quillset/cmdgen.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace quillset::test {

inline char const kSmallSyntax[] =
    "Hostname,,hostname %name\n"
    "Service,,[%negated(no =1)]service %*feature\n"
    "Interface,,interface %name\n"
    "Description,Interface, description %*text\n"
    "Address,Interface, ip address %address:ip %mask:ip\n"
    "NoAddress,Interface, no ip address\n"
    "AccessGroup,Interface, ip access-group %acl %direction(in,out)\n"
    "Speed,Interface, speed %mbps:u\n"
    "Shutdown,Interface, [%negated(no =1)]shutdown\n"
    "Router,,router ospf %process:u\n"
    "Network,Router, network %address:ip %wildcard:ip area %area\n"
    "AccessList,,ip access-list %kind(standard,extended) %name\n"
    "Rule,AccessList, [%seq:u ]%action(permit,deny) %*match\n"
    "Route,,ip route %prefix:ip %mask:ip %target\n";

inline char const kSmallRules[] =
    "# identity and replacement for the small dialect\n"
    "key Hostname\n"
    "key Interface name\n"
    "key Description\n"
    "key Address\n"
    "key Speed\n"
    "key Router process\n"
    "key AccessList name\n"
    "key Rule seq\n"
    "replace Hostname Description Address Speed AccessList\n"
    "ordered Rule\n"
    "depends AccessGroup on AccessList\n";

using Lines = std::vector<std::string>;

inline std::string Join(Lines const& lines)
{
    std::string text;
    for (std::string const& line : lines)
        text += line + "\n";
    return text;
}

// One syntax and rules loaded into a model; configurations parse in the device dialect.
class DiffBench {
public:
    DiffBench(std::string const& syntaxPath, std::string const& rules) : m_gen(syntaxPath.c_str(), 64)
    {
        SetZynMode(&m_gen);
        diff::Rules parsed;
        diff::RulesError error;
        m_ready = m_gen.IsValid() && diff::ParseRules(rules, "test.rules", parsed, error) &&
                  m_model.Build(m_gen.GetSyntax(), parsed, error);
        m_error = error.message;
    }

    bool Ready() const { return m_ready; }
    std::string const& Error() const { return m_error; }
    diff::CommandModel const& Model() const { return m_model; }
    CCmdGen& Gen() { return m_gen; }

    std::unique_ptr<CDbObject> Parse(std::string const& text)
    {
        auto store = std::make_unique<CDbObject>();
        m_gen.ParseCommand(text.c_str(), *store);
        return store;
    }

    std::string Generate(CDbObject const& store)
    {
        CString text;
        m_gen.GenerateCommand(store, text);
        return static_cast<char const*>(text);
    }

    std::string Remediate(std::string const& running, std::string const& intended)
    {
        return Join(diff::Remediate(m_model, *Parse(running), *Parse(intended)));
    }

    // The configuration after sending `commands` to `running`.
    std::string Apply(std::string const& running, std::string const& commands)
    {
        auto store = Parse(running);
        diff::ApplyCommands(m_model, *store, commands, quillset::diff::ApplyDialect{DialectLineHandler, DialectUnknownHandler});
        return Generate(*store);
    }

private:
    CCmdGen m_gen;
    diff::CommandModel m_model;
    bool m_ready = false;
    std::string m_error;
};

// The small syntax in a temporary file, loaded with the small rules.
class SmallDialect : public testing::Test {
protected:
    SmallDialect() : syntax(kSmallSyntax), bench(syntax.Path(), kSmallRules) {}

    TempFile syntax;
    DiffBench bench;
};

}  // namespace quillset::test

#endif
