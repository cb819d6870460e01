// UnifiedDiff: common prefix and suffix, a longest-common-subsequence table over the middle,
// then hunks with context.
#include "toolkit/line_diff.h"

#include <algorithm>
#include <vector>

namespace quillset::toolkit {

namespace {

// The largest middle part matched line by line (cells of the table).
constexpr std::size_t kMaxTableCells = 4u << 20;
constexpr int kContext = 3;

std::vector<std::string> SplitLines(std::string const& text)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

struct Edit {
    char kind;  // ' ', '-' or '+'
    std::string const* line;
};

std::vector<Edit> MiddleEdits(std::vector<std::string> const& a, std::vector<std::string> const& b, std::size_t from,
                              std::size_t aEnd, std::size_t bEnd)
{
    std::size_t const n = aEnd - from;
    std::size_t const m = bEnd - from;
    std::vector<Edit> edits;
    if (n * m > kMaxTableCells) {
        for (std::size_t i = 0; i < n; ++i)
            edits.push_back({'-', &a[from + i]});
        for (std::size_t j = 0; j < m; ++j)
            edits.push_back({'+', &b[from + j]});
        return edits;
    }
    // common[i][j]: the length of the longest common subsequence of a[i..] and b[j..].
    std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            common[i][j] = a[from + i] == b[from + j] ? common[i + 1][j + 1] + 1
                                                      : std::max(common[i + 1][j], common[i][j + 1]);
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[from + i] == b[from + j]) {
            edits.push_back({' ', &a[from + i++]});
            ++j;
        } else if (i < n && (j == m || common[i + 1][j] >= common[i][j + 1])) {
            edits.push_back({'-', &a[from + i++]});
        } else {
            edits.push_back({'+', &b[from + j++]});
        }
    }
    return edits;
}

std::vector<Edit> AllEdits(std::vector<std::string> const& a, std::vector<std::string> const& b)
{
    std::size_t prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
           a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
        ++suffix;
    std::vector<Edit> edits;
    for (std::size_t i = 0; i < prefix; ++i)
        edits.push_back({' ', &a[i]});
    std::vector<Edit> const middle = MiddleEdits(a, b, prefix, a.size() - suffix, b.size() - suffix);
    edits.insert(edits.end(), middle.begin(), middle.end());
    for (std::size_t i = a.size() - suffix; i < a.size(); ++i)
        edits.push_back({' ', &a[i]});
    return edits;
}

}  // namespace

std::string UnifiedDiff(std::string const& before, std::string const& after, std::string const& beforeName,
                        std::string const& afterName)
{
    std::vector<std::string> const a = SplitLines(before);
    std::vector<std::string> const b = SplitLines(after);
    std::vector<Edit> const edits = AllEdits(a, b);
    int const count = static_cast<int>(edits.size());
    auto const nextChange = [&](int from) {
        while (from < count && edits[from].kind == ' ')
            ++from;
        return from;
    };
    std::string out;
    for (int k = nextChange(0); k < count;) {
        // One hunk holds the changes that are at most 2 * kContext unchanged lines apart.
        int last = k;
        int next = nextChange(last + 1);
        while (next < count && next - last - 1 <= 2 * kContext) {
            last = next;
            next = nextChange(last + 1);
        }
        int const start = std::max(0, k - kContext);
        int const end = std::min(count, last + 1 + kContext);
        int aLine = 1, bLine = 1, aCount = 0, bCount = 0;
        for (int e = 0; e < end; ++e) {
            bool const inA = edits[e].kind != '+';
            bool const inB = edits[e].kind != '-';
            (e < start ? aLine : aCount) += inA;
            (e < start ? bLine : bCount) += inB;
        }
        if (out.empty())
            out = "--- " + beforeName + "\n+++ " + afterName + "\n";
        out += "@@ -" + std::to_string(aLine) + "," + std::to_string(aCount) + " +" + std::to_string(bLine) + "," +
               std::to_string(bCount) + " @@\n";
        for (int e = start; e < end; ++e)
            out += edits[e].kind + *edits[e].line + "\n";
        k = next;
    }
    return out;
}

}  // namespace quillset::toolkit
