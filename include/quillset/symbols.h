// Syntax symbols: the compiled form of one command of a syntax file. A command is a chain of
// symbols joined by `next`; an optional part hangs off the symbol before it through `branch`;
// a group holds alternative chains. The same tree matches a command line into a record and
// writes a record back as command text.
#ifndef QUILLSET_SYMBOLS_H
#define QUILLSET_SYMBOLS_H

#include <quillset/dbentry.h>
#include <quillset/export.h>
#include <quillset/qstring.h>

// Result codes of the symbol layer: 0 matched, written or default applied; 1 a value is
// missing or has the wrong form for generation; 2 an address does not scan as IPv4; 3 no
// (further) match; 4 parsing disabled; 5 generation disabled; 6 no default applied.
class QS_API CSymbolEntry {
public:
    CSymbolEntry();
    CSymbolEntry(CSymbolEntry const&) = delete;
    CSymbolEntry& operator=(CSymbolEntry const&) = delete;
    // Deletes the `branch` chain, then the `next` chain.
    virtual ~CSymbolEntry();

    virtual void SetDefault(char const* value);
    virtual int ApplyDefault(CDbEntry* record);
    // True when neither the optional part nor the rest of the chain holds a group.
    virtual bool IsPackable();
    // Writes this symbol's own text (not its links') into the empty `out`.
    virtual int Generate(CDbEntry const* record, CString& out) = 0;
    // Matches at `*cursor`. `*state` is -1 on the first attempt at a position; a repeated
    // call with what the symbol left there asks for its next alternative match.
    virtual int Parse(char const** cursor, CDbEntry* record, int* state) = 0;

    // Matches a whole command line (trailing spaces allowed) into the cleared record.
    int ParseLine(char const* line, CDbEntry* record);
    // The backtracking matcher, started on this symbol; `from` is the symbol whose
    // activation called this one, `nested` is true inside a group alternative.
    int ParseChain(char const** cursor, CDbEntry* record, CSymbolEntry* from, bool nested);
    // The chain's text with trailing white space removed; with `emptyOnMissing`, a missing
    // value gives an empty text and 0 instead of 1.
    int GenerateChain(CDbEntry const* record, CString& out, bool emptyOnMissing);
    // Appends the chain's text to `out`, leaving out optional parts that cannot be written.
    int GenerateWalk(CDbEntry const* record, CString& out);
    // ApplyDefault on every symbol reachable through `branch` and `next`: 0 when at least
    // one default was applied, else 6.
    int ApplyDefaults(CDbEntry* record);
    // Whether every literal of the chain's mandatory part occurs in `text`, in order.
    bool HasKeywords(char const* text);

    CSymbolEntry* GetPrev() const { return prev; }
    CSymbolEntry* GetBranch() const { return branch; }
    CSymbolEntry* GetNext() const { return next; }
    // Take ownership of `symbol` as the optional part or the following symbol (a chain
    // already there is deleted) and make this symbol its `prev`.
    void SetBranch(CSymbolEntry* symbol);
    void SetNext(CSymbolEntry* symbol);

private:
    QS_LOCAL static void Link(CSymbolEntry*& slot, CSymbolEntry* symbol, CSymbolEntry* carrier);

    CSymbolEntry* prev;    // not owned
    CSymbolEntry* branch;  // owned
    CSymbolEntry* next;    // owned
};

// A literal: matches exactly its text (byte-wise, case-sensitive) and writes it back.
class QS_API CSymbolString : public CSymbolEntry {
public:
    explicit CSymbolString(char const* text);
    ~CSymbolString() override;

    int Generate(CDbEntry const* record, CString& out) override;
    int Parse(char const** cursor, CDbEntry* record, int* state) override;

    char const* GetText() const { return text; }

private:
    char* text;
};

// Matches and writes nothing: the carrier of an optional part where no other symbol can be.
class QS_API CSymbolNull : public CSymbolEntry {
public:
    int Generate(CDbEntry const* record, CString& out) override;
    int Parse(char const** cursor, CDbEntry* record, int* state) override;
};

// A group of alternative chains, tried in the order written.
class QS_API CSymbolGroup : public CSymbolEntry {
public:
    // Copies the null-terminated array and takes ownership of the chains.
    explicit CSymbolGroup(CSymbolEntry** alternatives);
    ~CSymbolGroup() override;

    bool IsPackable() override;
    int Generate(CDbEntry const* record, CString& out) override;
    int Parse(char const** cursor, CDbEntry* record, int* state) override;

    int GetAlternativeCount() const { return alternativeCount; }
    CSymbolEntry* GetAlternative(int i) const;

private:
    CSymbolEntry** alternatives;  // null-terminated
    int alternativeCount;
};

// A typed variable: takes a piece of the line into the field `name` and writes it back when
// the field's text has the type's form. The name "%" matches without storing anything.
class QS_API CSymbolVar : public CSymbolEntry {
public:
    // `typeSpec` is a type code, optionally followed by "(argument)"; null for the default.
    CSymbolVar(char const* name, char const* typeSpec);
    ~CSymbolVar() override;

    void SetDefault(char const* value) override;
    int ApplyDefault(CDbEntry* record) override;
    int Generate(CDbEntry const* record, CString& out) override;
    int Parse(char const** cursor, CDbEntry* record, int* state) override;

    char const* GetName() const { return name; }
    char const* GetDefault() const { return defaultValue; }
    int GetType() const { return type; }
    char const* GetTypeCode() const { return typeCode; }
    char const* GetTypeArgument() const { return typeArgument; }

protected:
    bool IsAnonymous() const;

private:
    QS_LOCAL void BuildCharSet();
    QS_LOCAL int FormLength(char const* text) const;
    QS_LOCAL int MatchLength(char const* text, int previous) const;

    char* name;
    char* defaultValue;
    int type;
    char* typeCode;
    char* typeArgument;
    bool* charSet;  // 256 flags, for string types with an argument
};

// A variable over a list of words; the record holds the chosen word's number.
class QS_API CSymbolVarEnum : public CSymbolVar {
public:
    // `items` is a null-terminated list of definitions: "text", "text=value", "@text" for
    // the default item; the caller keeps it.
    CSymbolVarEnum(char const* name, char** items);
    ~CSymbolVarEnum() override;

    int Generate(CDbEntry const* record, CString& out) override;
    int Parse(char const** cursor, CDbEntry* record, int* state) override;

    int GetItemCount() const { return itemCount; }
    char const* GetItem(int i) const;
    int GetItemValue(int i) const;

private:
    QS_LOCAL int FindItem(int value) const;

    int itemCount;
    char** items;
    int* itemValues;  // null when every value equals its position
};

#endif
