// Failure: what the toolkit throws when a file cannot be used. It carries the file and the
// line (0 when there is none), so that every front end names them the same way.
#ifndef QUILLSET_TOOLKIT_FAILURE_H
#define QUILLSET_TOOLKIT_FAILURE_H

#include <stdexcept>
#include <string>

namespace quillset::toolkit {

class Failure : public std::runtime_error {
public:
    Failure(std::string file, int line, std::string const& what)
        : std::runtime_error(what), m_file(std::move(file)), m_line(line)
    {
    }

    std::string const& File() const { return m_file; }
    int Line() const { return m_line; }
    // "FILE:LINE: what is wrong", or "FILE: what is wrong" without a line.
    std::string Describe() const
    {
        std::string text = m_file;
        if (m_line > 0)
            text += ":" + std::to_string(m_line);
        return text + ": " + what();
    }

private:
    std::string m_file;
    int m_line;
};

}  // namespace quillset::toolkit

#endif
