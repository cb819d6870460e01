// Reads the rules language: one statement per line, words separated by blanks, "#" starting
// a comment. Statements:
//   key COMMAND [FIELD...]        the fields that identify a record (none: one per parent)
//   replace COMMAND...            sending a changed record replaces the old one
//   ordered COMMAND...            the records of these commands form one sequence whose order matters
//   depends COMMAND... on COMMAND... records of the first commands refer to the others' records
//   exit [MODE] TEXT              the line that leaves a mode (every mode, or MODE's)
#include "diff/rules.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quillset::diff {

RulesError RulesError::At(std::string const& file, int line, std::string const& what)
{
    std::string message = file;
    if (line > 0)
        message += ":" + std::to_string(line);
    return {file, line, what, message + ": " + what};
}

namespace {

std::vector<std::string> SplitWords(std::string_view line)
{
    std::vector<std::string> words;
    std::size_t const comment = line.find('#');
    if (comment != std::string_view::npos)
        line = line.substr(0, comment);
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        std::size_t const start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > start)
            words.emplace_back(line.substr(start, i - start));
    }
    return words;
}

// Parses one statement's words; returns the problem, or an empty text when it is good.
std::string ParseStatement(std::vector<std::string> const& words, int line, Rules& rules)
{
    std::string const& verb = words[0];
    std::vector<std::string> rest(words.begin() + 1, words.end());
    if (verb == "key") {
        if (rest.empty())
            return "\"key\" needs a command";
        rules.keys.push_back({line, rest[0], std::vector<std::string>(rest.begin() + 1, rest.end())});
        return {};
    }
    if (verb == "replace" || verb == "ordered") {
        if (rest.empty())
            return "\"" + verb + "\" needs at least one command";
        (verb == "replace" ? rules.replaces : rules.ordered).push_back({line, rest});
        return {};
    }
    if (verb == "depends") {
        auto const on = std::find(rest.begin(), rest.end(), "on");
        if (on == rest.begin() || on == rest.end() || on + 1 == rest.end())
            return "expected \"depends COMMAND... on COMMAND...\"";
        rules.depends.push_back({line, std::vector<std::string>(rest.begin(), on), std::vector<std::string>(on + 1, rest.end())});
        return {};
    }
    if (verb == "exit") {
        if (rest.empty() || rest.size() > 2)
            return "expected \"exit TEXT\" or \"exit MODE TEXT\"";
        rules.exits.push_back({line, rest.size() == 2 ? rest[0] : std::string(), rest.back()});
        return {};
    }
    return "unknown statement \"" + verb + "\" (expected key, replace, ordered, depends or exit)";
}

}  // namespace

bool ParseRules(std::string_view text, std::string const& fileName, Rules& rules, RulesError& error)
{
    rules = Rules();
    rules.fileName = fileName;
    int lineNumber = 0;
    while (!text.empty()) {
        std::size_t const end = text.find('\n');
        std::string_view const line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        std::vector<std::string> const words = SplitWords(line);
        if (words.empty())
            continue;
        std::string const problem = ParseStatement(words, lineNumber, rules);
        if (!problem.empty()) {
            error = RulesError::At(fileName, lineNumber, problem);
            return false;
        }
    }
    return true;
}

bool LoadRules(std::string const& path, Rules& rules, RulesError& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = RulesError::At(path, 0, "cannot read the rules file");
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    return ParseRules(content.str(), path, rules, error);
}

bool LoadRulesFor(std::string const& syntaxPath, std::string const& rulesPath, Rules& rules, RulesError& error)
{
    if (!rulesPath.empty())
        return LoadRules(rulesPath, rules, error);
    std::string const beside = std::filesystem::path(syntaxPath).replace_extension(".rules").string();
    return !std::filesystem::exists(beside) || LoadRules(beside, rules, error);
}

}  // namespace quillset::diff
