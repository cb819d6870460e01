// CCmdGen: loading the syntax file, registering and indexing syntaxes, options, handlers,
// and the reserved names of unmatched lines.
#include <quillset/cmdgen.h>
#include <quillset/results.h>

#include "cmdgen/command_registry.h"
#include "syntax/syntax_compiler.h"

#include <cstring>
#include <new>
#include <utility>

char const* const QS_UNKNOWN_ID = "_UNKNOWN";
char const* const QS_UNKNOWN_TEXT = "_Text";

namespace {

constexpr int kSyntaxBuckets = 503;

}  // namespace

CCmdGen::CCmdGen(char const* syntaxFile, int initialSize)
    : m_syntax(initialSize),
      m_hashSyntax(kSyntaxBuckets),
      m_cmdOptional(true),
      m_rowPacking(true),
      m_dispatchIndex(true),
      m_generationIndex(true),
      m_lineHandler(nullptr),
      m_unknownHandler(nullptr),
      m_errorLine(0),
      m_status(0),
      m_registry(std::make_unique<quillset::detail::CommandRegistry>())
{
    m_status = quillset::syntax::CompileSyntaxFile(
        syntaxFile, [this](char const* id, char const* parentId, CSymbolEntry* root, unsigned int flags) {
            return AddCommand(id, parentId, root, flags);
        });
    for (int i = 0; i < m_syntax.GetSize(); ++i)
        m_hashSyntax.Add(m_syntax[i]->GetId(), m_syntax[i]);
}

CCmdGen::~CCmdGen()
{
    for (int i = 0; i < m_syntax.GetSize(); ++i)
        delete m_syntax[i];
}

CCmdGen::CCmdGen(CCmdGen&& other)
    : m_syntax(std::move(other.m_syntax)),
      m_hashSyntax(std::move(other.m_hashSyntax)),
      m_cmdOptional(other.m_cmdOptional),
      m_rowPacking(other.m_rowPacking),
      m_dispatchIndex(other.m_dispatchIndex),
      m_generationIndex(other.m_generationIndex),
      m_lineHandler(other.m_lineHandler),
      m_unknownHandler(other.m_unknownHandler),
      m_errorLine(other.m_errorLine),
      m_status(other.m_status),
      m_registry(std::exchange(other.m_registry, std::make_unique<quillset::detail::CommandRegistry>()))
{
}

CCmdGen& CCmdGen::operator=(CCmdGen&& other)
{
    if (this == &other)
        return *this;
    for (int i = 0; i < m_syntax.GetSize(); ++i)
        delete m_syntax[i];
    m_syntax = std::move(other.m_syntax);
    other.m_syntax.RemoveAll();
    m_hashSyntax = std::move(other.m_hashSyntax);
    m_cmdOptional = other.m_cmdOptional;
    m_rowPacking = other.m_rowPacking;
    m_dispatchIndex = other.m_dispatchIndex;
    m_generationIndex = other.m_generationIndex;
    m_lineHandler = other.m_lineHandler;
    m_unknownHandler = other.m_unknownHandler;
    m_errorLine = other.m_errorLine;
    m_status = other.m_status;
    m_registry = std::exchange(other.m_registry, std::make_unique<quillset::detail::CommandRegistry>());
    return *this;
}

bool CCmdGen::IsValid() const { return m_status == 0; }
int CCmdGen::GetStatus() const { return m_status; }
int CCmdGen::GetErrorLineNumber() const { return m_errorLine; }
void CCmdGen::EnableCmdOptional(bool enable) { m_cmdOptional = enable; }
void CCmdGen::EnableRowPacking(bool enable) { m_rowPacking = enable; }
void CCmdGen::RegisterLineProcessingHandler(QuillsetLineHandler handler) { m_lineHandler = handler; }
void CCmdGen::RegisterUnknownCommandHandler(QuillsetUnknownHandler handler) { m_unknownHandler = handler; }
CDynArray<CCmdSyntax*>& CCmdGen::GetSyntax() { return m_syntax; }
CHashTable<CCmdSyntax>* CCmdGen::GetHashSyntax() { return &m_hashSyntax; }

int CCmdGen::AddCommand(char const* id, char const* parentId, CSymbolEntry* root, unsigned int flags)
{
    id = id ? id : "";
    parentId = parentId ? parentId : "";
    if (int const check = m_registry->Check(id, parentId, root); check != QS_OK)
        return check;
    CCmdSyntax* syntax = new (std::nothrow) CCmdSyntax(id, parentId, root ? root : new CSymbolNull, flags);
    if (syntax == nullptr)
        return 3;
    m_registry->Register(id, parentId);
    m_syntax[m_syntax.GetSize()] = syntax;
    return 0;
}

int CCmdGen::GenerateDelimitedFile(CDbObject const& db, char const* path)
{
    return db.WriteDelimitedFile(path) == 0 ? 0 : 6;
}

bool QuillsetHandleUnknown(char const* command, char const*, CDynArray<CCmdSyntax*> const&, int&, CDbEntry* record,
                           CDbEntry*)
{
    if (record != nullptr)
        record->Set(QS_UNKNOWN_TEXT, command, -1);
    return true;
}
