// ChainBuilder: assembles the symbol chain of one command while the grammar reads it. It
// appends symbols, hangs optional parts from anchors and gathers the alternatives of
// groups, on two stacks of bounded size: the anchors of open optional parts together with
// the finished alternatives of open groups, and the chains that enclose open groups.
#ifndef QUILLSET_SYNTAX_CHAIN_BUILDER_H
#define QUILLSET_SYNTAX_CHAIN_BUILDER_H

#include <quillset/symbols.h>

#include <array>

namespace quillset::syntax {

template <class T, int Capacity>
class BoundedStack {
public:
    // False when the stack is full.
    bool Push(T const& item)
    {
        if (m_size == Capacity)
            return false;
        m_items[m_size++] = item;
        return true;
    }
    T Pop() { return m_items[--m_size]; }
    bool IsEmpty() const { return m_size == 0; }

private:
    std::array<T, Capacity> m_items{};
    int m_size = 0;
};

class ChainBuilder {
public:
    static constexpr int kStackCapacity = 128;

    ChainBuilder() = default;
    ChainBuilder(ChainBuilder const&) = delete;
    ChainBuilder& operator=(ChainBuilder const&) = delete;
    ~ChainBuilder() { Abandon(); }

    void Append(CSymbolEntry* symbol);
    // The steps of optional parts and groups; those that push answer false when a stack is
    // full.
    bool OpenOptional();
    void CloseOptional(bool spaceFollows);
    bool EndAlternative();
    bool OpenGroup();
    bool CloseGroup();

    CSymbolEntry* Head() const { return m_chain.head; }
    CSymbolEntry* Tail() const { return m_chain.tail; }
    // The finished chain now belongs to a registered command: start the next one.
    void Release() { m_chain = Chain{}; }
    // Destroys every symbol of the unfinished command and empties both stacks.
    void Abandon();

private:
    struct Chain {
        CSymbolEntry* head = nullptr;
        // The last symbol appended, or the anchor of an optional part just closed.
        CSymbolEntry* tail = nullptr;
        // Whether the next symbol becomes the tail's `next` (else its `branch`).
        bool linkToNext = true;
        // Whether an optional part opened now needs an empty anchor of its own.
        bool needAnchor = true;
        int alternativeCount = 0;
    };
    struct OptionEntry {
        CSymbolEntry* symbol = nullptr;
        bool isAlternative = false;  // a finished alternative is owned here, an anchor is not
    };

    Chain m_chain;
    BoundedStack<OptionEntry, kStackCapacity> m_options;
    BoundedStack<Chain, kStackCapacity> m_groups;
};

}  // namespace quillset::syntax

#endif
