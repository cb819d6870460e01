// Symbol visibility: the library is built with hidden visibility, and only what carries
// QS_API belongs to its exported interface (hosts see the same attribute on import).
#ifndef QUILLSET_EXPORT_H
#define QUILLSET_EXPORT_H

#define QS_API __attribute__((visibility("default")))
// Private helpers of exported classes: kept out of the library's symbol table.
#define QS_LOCAL __attribute__((visibility("hidden")))

#endif
