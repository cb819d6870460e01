// A small syntax file written to a temporary folder, and a converter on it, for the
// toolkit's tests: exact orders and texts must not depend on the bundled syntax.
#ifndef QUILLSET_TESTS_TOOL_TOOLKIT_FIXTURE_H
#define QUILLSET_TESTS_TOOL_TOOLKIT_FIXTURE_H

#include "test_files.h"

#include "toolkit/converter.h"
#include "toolkit/record_tree.h"

namespace quillset::test {

inline char const kSmallSyntax[] =
    "Host,,hostname %name\n"
    "Iface,,interface %name\n"
    "Desc,Iface, description %*text\n"
    "Speed,Iface, speed %mbps:u\n"
    "Shut,Iface, [%negated(no =1)]shutdown\n"
    "Address,Iface, ip address %address:ip[ %mask:ip]\n"
    "Line,,line %kind %first:u\n"
    "Timeout,Line, exec-timeout %minutes:u %seconds:u\n"
    "Banner,,banner motd %*text\n"
    "Route,,ip route %prefix:ip %mask:ip %next\n";

inline toolkit::ConverterOptions SmallOptions(TempFile const& syntax, bool packing = true)
{
    toolkit::ConverterOptions options;
    options.syntaxPath = syntax.Path();
    options.rowPacking = packing;
    return options;
}

// "name(field=value,...)[children]" for a whole tree, to compare orders at a glance.
inline std::string Outline(toolkit::RecordTree const& tree)
{
    std::string out;
    for (toolkit::RecordNode const& node : tree) {
        out += node.name + "(";
        for (auto const& [field, value] : node.fields)
            out += field + "=" + value + (&field == &node.fields.back().first ? "" : ",");
        out += ")";
        if (node.footer)
            out += "footer:" + *node.footer;
        if (node.header)
            out += "header:" + *node.header;
        if (!node.children.empty())
            out += "[" + Outline(node.children) + "]";
        out += " ";
    }
    return out;
}

}  // namespace quillset::test

#endif
