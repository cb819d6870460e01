// The bits of a command's flags word (whether the command takes part in generation and in
// parsing), and the word a file's directive lines build from the process's word.
#ifndef QUILLSET_SYNTAX_COMMAND_FLAGS_H
#define QUILLSET_SYNTAX_COMMAND_FLAGS_H

namespace quillset::syntax {

constexpr unsigned int kGenerateFlag = 1;
constexpr unsigned int kParseFlag = 2;
constexpr unsigned int kAllCommandFlags = 0xFFFF;

// The flags word of one file being compiled. The word belongs to the process: a $define
// still in force at the end of one file applies to the commands of the next. Each file
// works on its own copy taken at its start and publishes the bits its directives set or
// cleared at its end, so files compiled on different threads never see each other's
// directives half-way, and files compiled one after another behave as if they shared one
// word.
class FileCommandFlags {
public:
    // Takes the process's word and forgets the changes of the previous file.
    void Start();
    void Define(unsigned int bits) { Change(bits, 0); }
    void Undefine(unsigned int bits) { Change(bits, bits); }
    unsigned int Current() const { return m_current; }
    // Applies this file's changes to the process's word.
    void Publish() const;

private:
    void Change(unsigned int bits, unsigned int values);

    unsigned int m_current = kAllCommandFlags;
    unsigned int m_changed = 0;  // the bits some directive of this file set or cleared
};

}  // namespace quillset::syntax

#endif
