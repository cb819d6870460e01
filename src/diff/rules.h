// The rules file: what a syntax file cannot say about comparing configurations (which
// fields identify a record, which commands replace their old value, which commands depend
// on others, how a mode is left), read from a small line-oriented text.
#ifndef QUILLSET_DIFF_RULES_H
#define QUILLSET_DIFF_RULES_H

#include <string>
#include <string_view>
#include <vector>

namespace quillset::diff {

// One statement of the file, kept with its line so that checks against a syntax can
// name the line.
struct KeyRule {
    int line = 0;
    std::string command;
    std::vector<std::string> fields;  // empty: one record per parent
};

struct NameListRule {
    int line = 0;
    std::vector<std::string> commands;
};

struct DependsRule {
    int line = 0;
    std::vector<std::string> users;
    std::vector<std::string> targets;
};

struct ExitRule {
    int line = 0;
    std::string mode;  // empty: every mode without a rule of its own
    std::string text;
};

struct Rules {
    std::string fileName;
    std::vector<KeyRule> keys;
    std::vector<NameListRule> replaces;
    std::vector<NameListRule> ordered;
    std::vector<DependsRule> depends;
    std::vector<ExitRule> exits;
};

// An error in a rules file: the file, the line (0 when there is none), what is wrong, and
// all three as "FILE:LINE: what is wrong" (or "FILE: what is wrong").
struct RulesError {
    std::string file;
    int line = 0;
    std::string what;
    std::string message;

    static RulesError At(std::string const& file, int line, std::string const& what);
};

// Reads rules text; on failure returns false and sets `error` to the first problem found.
bool ParseRules(std::string_view text, std::string const& fileName, Rules& rules, RulesError& error);
// Reads a rules file; a file that cannot be read is an error naming it.
bool LoadRules(std::string const& path, Rules& rules, RulesError& error);

// The rules a syntax file uses: the file at `rulesPath` when it is not empty, else the file
// beside the syntax with the extension ".rules" when there is one, else no rules (every
// record is then identified by its whole text).
bool LoadRulesFor(std::string const& syntaxPath, std::string const& rulesPath, Rules& rules, RulesError& error);

}  // namespace quillset::diff

#endif
