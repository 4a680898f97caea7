// The reader of CirclePack packing files: key words anywhere on a line, as CirclePack itself
// scans them; the data of FLOWERS, RADII and CENTERS on the lines after their key word.
#include "interchange/CirclePackFile.h"
#include "interchange/TextLines.h"

#include <algorithm>
#include <cstdint>
#include <set>

namespace {

class CPackReader {
public:
    CPackReader(std::string_view text, CCirclePackFile& file) : m_lines(text), m_file(file) {}

    bool Read(std::string& error);

private:
    bool Fail(const std::string& what) {
        m_error = AtLine(m_lines.LineNumber(), what);
        return false;
    }
    bool ReadKeyWord(std::string_view key, const std::vector<std::string_view>& tokens,
                     std::size_t& at);
    bool ReadNodeCount(std::string_view token);
    bool ReadFlowers();
    bool ReadFlower(const std::vector<std::string_view>& tokens);
    // `perVertex` numbers for each vertex, over as many lines as they take.
    bool ReadNumbers(std::string_view key, int perVertex, std::vector<double>& numbers);

    CTextLines m_lines;
    CCirclePackFile& m_file;
    struct CReadFlower {
        int vertex = 0;
        int line = 0;
        std::vector<int> petals;
    };
    std::int64_t m_count = -1;
    std::vector<CReadFlower> m_read;
    std::set<std::string> m_ignored;
    std::string m_error;
    bool m_ended = false;
};

bool IsKeyWord(std::string_view token) {
    return token.size() > 1 && token.back() == ':' && token.front() >= 'A' && token.front() <= 'Z';
}

bool Contains(std::string_view token, std::string_view part) {
    std::string lower(token);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return lower.find(part) != std::string::npos;
}

bool CPackReader::ReadNodeCount(std::string_view token) {
    if (m_count >= 0) {
        return Fail("NODECOUNT is given twice");
    }
    if (!ReadInteger(token, 3, kMaxPackVertices, m_count)) {
        return Fail("NODECOUNT must be a whole number from 3 to " +
                    std::to_string(kMaxPackVertices) + ", not " + Quoted(token));
    }
    return true;
}

bool CPackReader::ReadFlower(const std::vector<std::string_view>& tokens) {
    std::int64_t vertex = 0, petals = 0;
    if (tokens.size() < 2 || !ReadInteger(tokens[0], 1, m_count, vertex)) {
        return Fail("a flower must start with a vertex from 1 to " + std::to_string(m_count));
    }
    if (!ReadInteger(tokens[1], 1, m_count, petals)) {
        return Fail("vertex " + std::to_string(vertex) + " announces " + Quoted(tokens[1]) +
                    " faces, not a number from 1 to " + std::to_string(m_count));
    }
    if (tokens.size() != std::size_t(petals) + 3) {
        return Fail("vertex " + std::to_string(vertex) + " lists " +
                    std::to_string(int(tokens.size()) - 2) + " petals where its " +
                    std::to_string(petals) + " faces need " + std::to_string(petals + 1));
    }
    CReadFlower read{int(vertex - 1), m_lines.LineNumber(), {}};
    for (std::size_t i = 2; i < tokens.size(); ++i) {
        std::int64_t petal = 0;
        if (!ReadInteger(tokens[i], 1, m_count, petal) || petal == vertex) {
            return Fail("vertex " + std::to_string(vertex) + " has the petal " + Quoted(tokens[i]) +
                        ", which is no other vertex");
        }
        read.petals.push_back(int(petal - 1));
    }
    m_read.push_back(std::move(read));
    return true;
}

bool CPackReader::ReadFlowers() {
    if (m_count < 0) {
        return Fail("FLOWERS come before NODECOUNT");
    }
    if (!m_file.flowers.empty()) {
        return Fail("FLOWERS are given twice");
    }
    // Kept in the order read and placed once all are there: a count or a vertex number that
    // the lines do not back is never allocated.
    std::string_view line;
    while (std::int64_t(m_read.size()) < m_count && m_lines.Next(line)) {
        std::vector<std::string_view> tokens = SplitTokens(line);
        if (tokens.empty()) {
            continue;
        }
        // A word ends the flowers; a number out of range is a faulty flower.
        std::int64_t vertex = 0;
        if (!ReadInteger(tokens[0], INT64_MIN, INT64_MAX, vertex)) {
            return Fail("FLOWERS end after " + std::to_string(m_read.size()) + " of " +
                        std::to_string(m_count) + " vertices");
        }
        if (!ReadFlower(tokens)) {
            return false;
        }
    }
    if (std::int64_t(m_read.size()) < m_count) {
        return Fail("the file ends after " + std::to_string(m_read.size()) + " of " +
                    std::to_string(m_count) + " flowers");
    }
    m_file.flowers.resize(m_count);
    m_file.flowerLines.resize(m_count, 0);
    for (CReadFlower& read : m_read) {
        if (m_file.flowerLines[read.vertex] != 0) {
            m_error = AtLine(read.line,
                             "vertex " + std::to_string(read.vertex + 1) + " has a second flower");
            return false;
        }
        m_file.flowers[read.vertex] = std::move(read.petals);
        m_file.flowerLines[read.vertex] = read.line;
    }
    m_read.clear();
    return true;
}

bool CPackReader::ReadNumbers(std::string_view key, int perVertex, std::vector<double>& numbers) {
    if (m_count < 0) {
        return Fail(std::string(key) + " come before NODECOUNT");
    }
    if (!numbers.empty()) {
        return Fail(std::string(key) + " are given twice");
    }
    const std::int64_t wanted = m_count * perVertex;
    std::string_view line;
    while (std::int64_t(numbers.size()) < wanted && m_lines.Next(line)) {
        for (std::string_view token : SplitTokens(line)) {
            double value = 0;
            if (std::int64_t(numbers.size()) == wanted) {
                return Fail(std::string(key) + " hold more than " + std::to_string(wanted) +
                            " numbers");
            }
            if (!ReadReal(token, value)) {
                return Fail(std::string(key) + " hold " + Quoted(token) + " after " +
                            std::to_string(numbers.size()) + " of " + std::to_string(wanted) +
                            " numbers");
            }
            numbers.push_back(value);
        }
    }
    if (std::int64_t(numbers.size()) < wanted) {
        return Fail("the file ends after " + std::to_string(numbers.size()) + " of " +
                    std::to_string(wanted) + " numbers of " + std::string(key));
    }
    return true;
}

bool CPackReader::ReadKeyWord(std::string_view key, const std::vector<std::string_view>& tokens,
                              std::size_t& at) {
    const std::string_view next = at + 1 < tokens.size() ? tokens[at + 1] : std::string_view();
    if (key == "NODECOUNT:") {
        ++at;
        return ReadNodeCount(next);
    }
    if (key == "CHECKCOUNT:" || key == "TILECOUNT:" || key == "NEUTRAL:") {
        return Fail("the file holds " + std::string(key.substr(0, key.size() - 1)) +
                    " data, not a packing (NODECOUNT)");
    }
    if (key == "GEOMETRY:") {
        ++at;
        m_file.geometry = Contains(next, "yp")   ? PackGeometry::Hyperbolic
                          : Contains(next, "ph") ? PackGeometry::Spherical
                                                 : PackGeometry::Euclidean;
        return true;
    }
    if (key == "ALPHA/GAMMA:" || key == "ALPHA/BETA/GAMMA:" || key == "PACKNAME:") {
        at = tokens.size(); // where the packing starts is the layout's own choice here
        return true;
    }
    if (key == "FLOWERS:" || key == "BOUQUET:") {
        at = tokens.size();
        return ReadFlowers();
    }
    if (key == "RADII:") {
        at = tokens.size();
        return ReadNumbers("RADII", 1, m_file.radii);
    }
    if (key == "CENTERS:") {
        at = tokens.size();
        std::vector<double> numbers;
        if (!ReadNumbers("CENTERS", 2, numbers)) {
            return false;
        }
        for (std::size_t i = 0; i + 1 < numbers.size(); i += 2) {
            m_file.centres.emplace_back(numbers[i], numbers[i + 1]);
        }
        return true;
    }
    m_ignored.insert(std::string(key.substr(0, key.size() - 1)));
    return true;
}

bool CPackReader::Read(std::string& error) {
    std::string_view line;
    while (!m_ended && m_lines.Next(line)) {
        const std::vector<std::string_view> tokens = SplitTokens(line);
        for (std::size_t at = 0; at < tokens.size(); ++at) {
            if (tokens[at] == "END") {
                m_ended = true;
                break;
            }
            if (IsKeyWord(tokens[at]) && !ReadKeyWord(tokens[at], tokens, at)) {
                error = m_error;
                return false;
            }
        }
    }
    if (m_count < 0) {
        error = "there is no NODECOUNT: the file is no packing";
        return false;
    }
    if (m_file.flowers.empty()) {
        error = "there are no FLOWERS";
        return false;
    }
    m_file.ignored.assign(m_ignored.begin(), m_ignored.end());
    return true;
}

} // namespace

bool ReadCirclePackFile(std::string_view text, CCirclePackFile& file, std::string& error) {
    file = {};
    return CPackReader(text, file).Read(error);
}
