// The one reserved record line of store files, shared by the record decoder and the writer.
#ifndef QUILLSET_STORE_RECORD_LINE_H
#define QUILLSET_STORE_RECORD_LINE_H

namespace quillset::detail {

// The line of a record without name and fields, where an empty line would be skipped on
// reading. The encoder escapes every backslash it writes, so no other record has this line.
inline constexpr char kEmptyRecordLine[] = "\\";

}  // namespace quillset::detail

#endif
