// The process's command flags word, shared by every file compiled in the process.
#include "syntax/command_flags.h"

#include <atomic>

namespace quillset::syntax {

namespace {

std::atomic<unsigned int> g_processCommandFlags{kAllCommandFlags};

}  // namespace

void FileCommandFlags::Start()
{
    m_current = g_processCommandFlags.load();
    m_changed = 0;
}

void FileCommandFlags::Change(unsigned int bits, unsigned int values)
{
    m_current = (m_current & ~bits) | values;
    m_changed |= bits;
}

void FileCommandFlags::Publish() const
{
    if (m_changed == 0)
        return;
    unsigned int word = g_processCommandFlags.load();
    while (!g_processCommandFlags.compare_exchange_weak(word, (word & ~m_changed) | (m_current & m_changed))) {
    }
}

}  // namespace quillset::syntax
