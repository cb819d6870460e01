// Symbol visibility: the library is built with hidden visibility, and only what carries
// QS_API belongs to its exported interface (hosts see the same attribute on import).
#ifndef QUILLSET_EXPORT_H
#define QUILLSET_EXPORT_H

#define QS_API __attribute__((visibility("default")))
// Private helpers of exported classes: kept out of the library's symbol table.
#define QS_LOCAL __attribute__((visibility("hidden")))
// Variadic query forms: the compiler warns when the argument list does not end with a null
// pointer (a literal 0 or NULL does not count).
#define QS_SENTINEL __attribute__((sentinel))

#endif
