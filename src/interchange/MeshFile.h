// Triangle meshes from OFF and Wavefront OBJ files: vertex positions in space and faces,
// faces of more than three corners fanned into triangles from their first corner.
#pragma once

#include "model/TriangleGraph.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

struct CMesh {
    std::vector<std::array<double, 3>> vertices;
    std::vector<CTriangle> triangles; // corners index the vertices, from 0
    std::vector<int> triangleLines;   // per triangle, the line of its face
    int firstNumber = 0;              // how the file numbers its first vertex: 0 or 1
    std::vector<std::string> ignored; // statements read past, each named once
};

// The most vertices and faces a mesh file may have.
constexpr int kMaxMeshVertices = 20000000;
constexpr int kMaxMeshTriangles = 40000000;

// On a fault each returns false with one sentence naming the line; counts in the header are
// checked against the lines, never allocated before them.
bool ReadOffMesh(std::string_view text, CMesh& mesh, std::string& error);
bool ReadObjMesh(std::string_view text, CMesh& mesh, std::string& error);
