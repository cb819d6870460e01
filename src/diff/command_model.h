// The commands of a syntax as comparison sees them: their order, nesting, fields, negation
// field and the rules that say how their records are identified and changed. Everything
// the diff, remediation and apply decide about a record goes through this one model.
#ifndef QUILLSET_DIFF_COMMAND_MODEL_H
#define QUILLSET_DIFF_COMMAND_MODEL_H

#include "diff/rules.h"

#include <quillset/cmdgen.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillset::diff {

struct CommandInfo {
    std::string id;
    std::string parentId;
    int order = 0;  // index of the first definition: commands are written in this order
    std::vector<CCmdSyntax*> definitions;
    std::vector<std::string> fields;  // the variables of its definitions
    bool isMode = false;              // other commands (or its unmatched lines) stand under it
    bool keyed = false;               // identified by keyFields instead of its whole text
    std::vector<std::string> keyFields;
    bool replaces = false;  // sending a changed record replaces the old one
    bool ordered = false;   // its records' order under one parent matters
    std::string sequence;   // the ordered commands whose records form one sequence share it
    int sequenceOrder = 0;  // the order of the sequence's first command
    std::string negationField;  // an enumeration with a "no" item, or empty
    std::string negationValue;  // the value that item stores
    int dependencyRank = 0;     // 0 when nothing depends on it, else 1 + the highest rank of its users
    std::string exitText;       // the line that leaves its mode
    bool sendable = false;      // it can be both written and read back
};

class CommandModel {
public:
    // Builds the model of a generator's syntax list under `rules`; the list must outlive
    // the model. Returns false with an error naming the rules file and line when a rule
    // names a command or field the syntax lacks, or when dependencies form a cycle.
    bool Build(CDynArray<CCmdSyntax*> const& syntaxes, Rules const& rules, RulesError& error);

    CommandInfo const* Find(std::string_view id) const;
    // The syntax list the model was built from, as the parser's handlers receive it.
    CDynArray<CCmdSyntax*> const& Syntaxes() const { return *m_syntaxes; }
    // The commands whose parent command is `parentId` ("" for the top level), in order.
    std::vector<CommandInfo const*> const& CommandsUnder(std::string const& parentId) const;
    // Where unmatched lines of a level are written: the "_UNKNOWN" definition of that level,
    // else after every command.
    int UnknownOrder(std::string const& parentId) const;
    int OrderOf(CDbEntry const& record) const;

    // The identity of a record among its siblings: its command and its identifying fields
    // (every field but the negation field when it has no usable key); unmatched lines by
    // their text.
    std::string IdentityOf(CDbEntry const& record) const;
    // The fields that identity does not cover, which a matched record may change.
    bool IsKeyField(CommandInfo const& command, CDbEntry const& record, std::string const& field) const;
    bool IsNegated(CDbEntry const& record) const;
    // Whether the record is identified by its command's key fields (it has all of them).
    bool HasKey(CommandInfo const& command, CDbEntry const& record) const;

    // The configuration lines of a record (indented as its syntax writes them), or the text
    // of an unmatched line. Empty when the syntax writes nothing for it.
    std::vector<std::string> LinesOf(CDbEntry const& record) const;
    std::string FirstLineOf(CDbEntry const& record) const;

    // The indentation a definition's text starts with.
    static std::string IndentOf(CCmdSyntax const& definition);

    static bool IsUnknown(CDbEntry const& record);

private:
    bool ApplyRules(Rules const& rules, RulesError& error);
    bool RankDependencies(Rules const& rules, RulesError& error);
    CommandInfo* Lookup(Rules const& rules, int line, std::string const& id, RulesError& error);

    CDynArray<CCmdSyntax*> const* m_syntaxes = nullptr;
    std::vector<CommandInfo> m_commands;
    std::unordered_map<std::string, std::size_t> m_byId;
    std::unordered_map<std::string, std::vector<CommandInfo const*>> m_byParent;
    std::unordered_map<std::string, int> m_unknownOrder;
};

}  // namespace quillset::diff

#endif
