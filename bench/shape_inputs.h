// The inputs whose cost must grow linearly with their size: configuration texts of N lines
// in each shape a user meets (real configurations concatenated, one long access list, lines
// no syntax knows, interfaces with sub-commands, one command of N variables) and synthetic
// syntax files of K definitions. Shared by the benchmarks and the peak-memory driver.
#ifndef QUILLSET_BENCH_SHAPE_INPUTS_H
#define QUILLSET_BENCH_SHAPE_INPUTS_H

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quillset::bench {

inline std::string Quad(int i)
{
    return "10." + std::to_string(i >> 16 & 255) + "." + std::to_string(i >> 8 & 255) + "." + std::to_string(i & 255);
}

// The real configurations of `corpusDir`, concatenated until the text has `lines` lines;
// empty when the folder holds none.
inline std::string CorpusLines(std::string const& corpusDir, int lines)
{
    std::vector<std::string> files;
    if (DIR* const dir = opendir(corpusDir.c_str())) {
        while (dirent const* const entry = readdir(dir)) {
            std::string const name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".cfg") == 0)
                files.push_back(corpusDir + "/" + name);
        }
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> corpus;
    for (std::string const& file : files) {
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);)
            corpus.push_back(line);
    }
    std::string text;
    for (int i = 0; i < lines && !corpus.empty(); ++i)
        text += corpus[i % corpus.size()] + "\n";
    return text;
}

// One access list of `rules` distinct rules, all with the same action.
inline std::string AccessList(int rules)
{
    std::string text = "ip access-list extended EDGE_IN\n";
    for (int i = 1; i < rules; ++i)
        text += " permit tcp any host " + Quad(i) + " eq 443\n";
    return text;
}

// Lines that no definition describes.
inline std::string UnknownLines(int lines)
{
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += "logging host " + Quad(i) + "\n";
    return text;
}

// Interfaces of six lines each: the interface and five sub-commands.
inline std::string Interfaces(int lines)
{
    std::string text;
    for (int i = 0; i < lines / 6; ++i) {
        text += "interface GigabitEthernet" + std::to_string(i / 48) + "/" + std::to_string(i % 48) + "\n";
        text += " description port " + std::to_string(i) + "\n";
        text += " ip address " + Quad(i) + " 255.255.255.0\n";
        text += " speed 1000\n";
        text += " duplex full\n";
        text += " no shutdown\n";
    }
    return text;
}

// A syntax of one command with `variables` variables, and the line that fills them all.
inline std::string WideSyntax(int variables)
{
    std::string text = "Wide,,wide";
    for (int i = 0; i < variables; ++i)
        text += " %v" + std::to_string(i);
    return text + "\n";
}

inline std::string WideLine(int variables)
{
    std::string text = "wide";
    for (int i = 0; i < variables; ++i)
        text += " x" + std::to_string(i);
    return text + "\n";
}

// A syntax of `definitions` definitions: top-level commands "keyN %a:u %b", every tenth
// with two sub-commands, so that blocks and nesting look like a device's.
inline std::string ManyDefinitionsSyntax(int definitions)
{
    std::string text;
    for (int i = 0; i < definitions;) {
        std::string const id = "Command" + std::to_string(i);
        text += id + ",,key" + std::to_string(i) + " %a:u %b\n";
        ++i;
        for (int child = 0; child < 2 && i % 10 == 1 && i < definitions; ++child, ++i)
            text += "Child" + std::to_string(i) + "," + id + ", sub" + std::to_string(i) + " %c\n";
    }
    return text;
}

// `lines` lines of the top-level commands of ManyDefinitionsSyntax(definitions), spread
// evenly over all of them.
inline std::string ManyDefinitionsLines(int definitions, int lines)
{
    std::string text;
    unsigned state = 12345;
    for (int i = 0; i < lines; ++i) {
        state = state * 1103515245u + 12345u;
        int key = static_cast<int>(state >> 8) % definitions;
        if (key % 10 == 1 || key % 10 == 2)
            key -= key % 10;  // a sub-command's number: use its parent instead
        text += "key" + std::to_string(key) + " " + std::to_string(i) + " value\n";
    }
    return text;
}

inline void WriteFile(std::string const& path, std::string const& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace quillset::bench

#endif
