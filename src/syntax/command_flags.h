// The bits of a command's flags word: whether the command takes part in generation and in
// parsing. The word a syntax file starts with allows both.
#ifndef QUILLSET_SYNTAX_COMMAND_FLAGS_H
#define QUILLSET_SYNTAX_COMMAND_FLAGS_H

namespace quillset::syntax {

constexpr unsigned int kGenerateFlag = 1;
constexpr unsigned int kParseFlag = 2;
constexpr unsigned int kAllCommandFlags = 0xFFFF;

}  // namespace quillset::syntax

#endif
