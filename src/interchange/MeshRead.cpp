// The OFF and OBJ readers: vertices and faces, with '#' comments; nothing else is kept.
#include "interchange/MeshFile.h"
#include "interchange/TextLines.h"

#include <algorithm>
#include <cstdint>
#include <set>

namespace {

bool Fail(const CTextLines& lines, const std::string& what, std::string& error) {
    error = AtLine(lines.LineNumber(), what);
    return false;
}

// x, y and z from the tokens at `from` (z 0 when a point has two coordinates only); what
// follows them (colours) is left alone.
bool ReadPosition(const std::vector<std::string_view>& tokens, std::size_t from,
                  std::array<double, 3>& position) {
    position = {0, 0, 0};
    const std::size_t given =
        tokens.size() > from ? std::min<std::size_t>(3, tokens.size() - from) : 0;
    if (given < 2) {
        return false;
    }
    for (std::size_t i = 0; i < given; ++i) {
        if (!ReadReal(tokens[from + i], position[i])) {
            return false;
        }
    }
    return true;
}

// A face's corners, fanned from the first; false with the reason when it is no face.
bool AddFace(CMesh& mesh, const std::vector<int>& corners, int line, std::string& reason) {
    if (corners.size() < 3) {
        reason = "a face needs at least three corners";
        return false;
    }
    std::set<int> distinct(corners.begin(), corners.end());
    if (distinct.size() != corners.size()) {
        reason = "the face has a corner twice";
        return false;
    }
    if (mesh.triangles.size() + corners.size() - 2 > std::size_t(kMaxMeshTriangles)) {
        reason = "the mesh has more than " + std::to_string(kMaxMeshTriangles) + " triangles";
        return false;
    }
    for (std::size_t i = 1; i + 1 < corners.size(); ++i) {
        mesh.triangles.push_back({corners[0], corners[i], corners[i + 1]});
        mesh.triangleLines.push_back(line);
    }
    return true;
}

// OFF: an optional "OFF" line, then "vertices faces edges", the vertex lines and the faces.
class COffReader {
public:
    COffReader(std::string_view text, CMesh& mesh) : m_lines(text), m_mesh(mesh) {}

    bool Read(std::string& error) {
        std::vector<std::string_view> tokens;
        if (!NextTokens(tokens)) {
            return Fail(m_lines, "the file is empty: it holds no mesh", error);
        }
        if (tokens[0].ends_with("OFF")) {
            if (tokens[0] != "OFF" && tokens[0] != "COFF" && tokens[0] != "NOFF") {
                return Fail(m_lines, "the variant " + Quoted(tokens[0]) + " of OFF is not read",
                            error);
            }
            tokens.erase(tokens.begin());
            if (tokens.empty() && !NextTokens(tokens)) {
                return Fail(m_lines, "the file ends before the counts of its vertices and faces",
                            error);
            }
        }
        std::int64_t vertices = 0, faces = 0, edges = 0;
        if (tokens.size() < 2 || !ReadInteger(tokens[0], 0, kMaxMeshVertices, vertices) ||
            !ReadInteger(tokens[1], 0, kMaxMeshTriangles, faces) ||
            (tokens.size() > 2 && !ReadInteger(tokens[2], 0, INT64_MAX, edges))) {
            return Fail(m_lines, "the counts of vertices and faces must be whole numbers from 0",
                        error);
        }
        return ReadVertices(vertices, error) && ReadFaces(faces, error);
    }

private:
    // The tokens of the next line that has any, comments left out.
    bool NextTokens(std::vector<std::string_view>& tokens) {
        std::string_view line;
        while (m_lines.Next(line)) {
            tokens = SplitTokens(line, '#');
            if (!tokens.empty()) {
                return true;
            }
        }
        return false;
    }

    bool ReadVertices(std::int64_t count, std::string& error) {
        std::vector<std::string_view> tokens;
        for (std::int64_t v = 0; v < count; ++v) {
            if (!NextTokens(tokens)) {
                return Fail(m_lines,
                            "the file ends after " + std::to_string(v) + " of " +
                                std::to_string(count) + " vertices",
                            error);
            }
            std::array<double, 3> position;
            if (!ReadPosition(tokens, 0, position)) {
                return Fail(m_lines, "vertex " + std::to_string(v) + " is not x y z", error);
            }
            m_mesh.vertices.push_back(position);
        }
        return true;
    }

    bool ReadFaces(std::int64_t count, std::string& error) {
        std::vector<std::string_view> tokens;
        std::vector<int> corners;
        const std::int64_t last = std::int64_t(m_mesh.vertices.size()) - 1;
        for (std::int64_t f = 0; f < count; ++f) {
            if (!NextTokens(tokens)) {
                return Fail(m_lines,
                            "the file ends after " + std::to_string(f) + " of " +
                                std::to_string(count) + " faces",
                            error);
            }
            std::int64_t size = 0;
            if (!ReadInteger(tokens[0], 0, INT32_MAX, size) ||
                tokens.size() < std::size_t(size) + 1) {
                return Fail(m_lines, "a face must be its number of corners and the corners", error);
            }
            corners.clear();
            for (std::int64_t i = 1; i <= size; ++i) {
                std::int64_t corner = 0;
                if (!ReadInteger(tokens[i], 0, last, corner)) {
                    return Fail(m_lines, "the corner " + Quoted(tokens[i]) + " is no vertex",
                                error);
                }
                corners.push_back(int(corner));
            }
            if (std::string reason; !AddFace(m_mesh, corners, m_lines.LineNumber(), reason)) {
                return Fail(m_lines, reason, error);
            }
        }
        return true;
    }

    CTextLines m_lines;
    CMesh& m_mesh;
};

// An OBJ corner: "v", "v/vt", "v//vn" or "v/vt/vn", v from 1 or negative from the end.
bool ReadObjCorner(std::string_view token, std::int64_t vertices, int& corner) {
    std::int64_t index = 0;
    if (!ReadInteger(token.substr(0, token.find('/')), -vertices, vertices, index) || index == 0) {
        return false;
    }
    corner = int(index > 0 ? index - 1 : vertices + index);
    return true;
}

} // namespace

bool ReadOffMesh(std::string_view text, CMesh& mesh, std::string& error) {
    mesh = {};
    return COffReader(text, mesh).Read(error);
}

bool ReadObjMesh(std::string_view text, CMesh& mesh, std::string& error) {
    mesh = {};
    mesh.firstNumber = 1;
    CTextLines lines(text);
    std::set<std::string> ignored;
    std::vector<int> corners;
    std::string_view line;
    while (lines.Next(line)) {
        const std::vector<std::string_view> tokens = SplitTokens(line, '#');
        if (tokens.empty()) {
            continue;
        }
        if (tokens[0] == "v") {
            std::array<double, 3> position;
            if (!ReadPosition(tokens, 1, position) || tokens.size() > 5) {
                return Fail(lines, "a vertex must be v x y z", error);
            }
            if (mesh.vertices.size() == std::size_t(kMaxMeshVertices)) {
                return Fail(lines,
                            "the mesh has more than " + std::to_string(kMaxMeshVertices) +
                                " vertices",
                            error);
            }
            mesh.vertices.push_back(position);
        } else if (tokens[0] == "f") {
            corners.clear();
            for (std::size_t i = 1; i < tokens.size(); ++i) {
                int corner = 0;
                if (!ReadObjCorner(tokens[i], std::int64_t(mesh.vertices.size()), corner)) {
                    return Fail(lines, "the corner " + Quoted(tokens[i]) + " is no vertex", error);
                }
                corners.push_back(corner);
            }
            if (std::string reason; !AddFace(mesh, corners, lines.LineNumber(), reason)) {
                return Fail(lines, reason, error);
            }
        } else {
            ignored.insert(Quoted(tokens[0].substr(0, 16)));
        }
    }
    mesh.ignored.assign(ignored.begin(), ignored.end());
    return true;
}
