// CopyText: the owned NUL-terminated copy that records and table elements keep of every
// text handed to them (a null text is copied as the empty text).
#ifndef QUILLSET_BASE_OWNED_TEXT_H
#define QUILLSET_BASE_OWNED_TEXT_H

#include <cstring>

namespace quillset {

inline char* CopyText(char const* text)
{
    if (text == nullptr)
        text = "";
    std::size_t const size = std::strlen(text) + 1;
    char* copy = new char[size];
    std::memcpy(copy, text, size);
    return copy;
}

}  // namespace quillset

#endif
