#!/usr/bin/python3
"""Imports generated OFF and OBJ meshes with `tessel-cli import` and checks that each import or
refusal agrees with what VTK sees in the same file: used vertices, edges, triangles, separate
parts, boundary loops, non-manifold edges, vertices where the boundary touches itself and
V - E + F. OFF files (triangles) are read with meshio, OBJ files (quadrilaterals) with VTK's own reader, so neither side
shares Tessel's parsing. Needs python3-vtk9 and python3-meshio (Debian), run by hand:
`bench/mesh_check.py build/src/tessel-cli`."""
import math
import os
import subprocess
import sys
import tempfile

import meshio
import vtk
from vtk.util.numpy_support import vtk_to_numpy


def grid(cols, rows, skip=(), shift=(0.0, 0.0), start=0):
    """Quadrilaterals over a wavy sheet, without the cells in skip."""
    points = [(x + shift[0], y + shift[1], 0.3 * math.sin(x / 3) * math.cos(y / 4))
              for y in range(rows + 1) for x in range(cols + 1)]
    at = lambda x, y: start + y * (cols + 1) + x
    quads = [(at(x, y), at(x + 1, y), at(x + 1, y + 1), at(x, y + 1))
             for y in range(rows) for x in range(cols) if (x, y) not in skip]
    return points, quads


def band(cells, twist):
    """A strip of cells around a circle, its ends glued straight (annulus) or turned (Moebius)."""
    points = []
    for i in range(cells):
        a = 2 * math.pi * i / cells
        for s in (-1.0, 1.0):
            w = s * math.cos(a / 2) if twist else s
            points.append(((3 + w * 0.5) * math.cos(a), (3 + w * 0.5) * math.sin(a), s * 0.5))
    quads = []
    for i in range(cells):
        j = (i + 1) % cells
        lo, hi = 2 * j, 2 * j + 1
        if twist and j == 0:
            lo, hi = hi, lo
        quads.append((2 * i, lo, hi, 2 * i + 1))
    return points, quads


def torus_with_hole(n=8, m=6):
    points = [((3 + math.cos(2 * math.pi * j / m)) * math.cos(2 * math.pi * i / n),
               (3 + math.cos(2 * math.pi * j / m)) * math.sin(2 * math.pi * i / n),
               math.sin(2 * math.pi * j / m)) for i in range(n) for j in range(m)]
    at = lambda i, j: (i % n) * m + j % m
    quads = [(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1))
             for i in range(n) for j in range(m) if (i, j) != (0, 0)]
    return points, quads


def cases():
    disk = grid(12, 9)
    holes = {(5, 4), (6, 4)}
    big, small = grid(10, 10), grid(3, 3, shift=(20.0, 0.0), start=121)
    pinch_a = grid(4, 4)
    pinch_b = grid(4, 4, shift=(4.0, 4.0), start=25)
    pinch_b = (pinch_b[0][1:], [tuple(24 if v == 25 else v - 1 if v > 25 else v for v in q)
                                for q in pinch_b[1]])
    fin = (disk[0] + [(6.0, 4.5, 3.0)], disk[1] + [(4 * 13 + 6, 4 * 13 + 7, len(disk[0]))])
    octahedron = ([(1, 0, 0), (-1, 0, 0), (0, 1, 0), (0, -1, 0), (0, 0, 1), (0, 0, -1)],
                  [(0, 2, 4), (2, 1, 4), (1, 3, 4), (3, 0, 4),
                   (2, 0, 5), (1, 2, 5), (3, 1, 5), (0, 3, 5)])
    return {
        "disk": disk,
        "annulus": grid(12, 12, skip={(x, y) for x in range(4, 8) for y in range(4, 8)}),
        "three loops": grid(12, 9, skip={(2, 2), (8, 6)}),
        "band": band(16, False),
        "two parts": (big[0] + small[0], big[1] + small[1]),
        "fin": fin,
        "closed": octahedron,
        "moebius": band(16, True),
        "handle": torus_with_hole(),
        "pinched": (pinch_a[0] + pinch_b[0], pinch_a[1] + pinch_b[1]),
    }


def write(path, points, faces, kind):
    with open(path, "w") as out:
        if kind == "off":  # meshio reads triangles only: the quadrilaterals go fanned
            faces = [(f[0], f[k], f[k + 1]) for f in faces for k in range(1, len(f) - 1)]
            out.write(f"OFF\n{len(points)} {len(faces)} 0\n")
            out.writelines(f"{x} {y} {z}\n" for x, y, z in points)
            out.writelines(f"{len(f)} {' '.join(map(str, f))}\n" for f in faces)
        else:
            out.writelines(f"v {x} {y} {z}\n" for x, y, z in points)
            out.writelines("f " + " ".join(str(v + 1) for v in f) + "\n" for f in faces)


def read_with_tool(path):
    if path.endswith(".obj"):
        reader = vtk.vtkOBJReader()
        reader.SetFileName(path)
        reader.Update()
        return reader.GetOutput()
    mesh = meshio.read(path)
    data, points, cells = vtk.vtkPolyData(), vtk.vtkPoints(), vtk.vtkCellArray()
    for p in mesh.points:
        points.InsertNextPoint(*p)
    for block in mesh.cells:
        for face in block.data:
            cells.InsertNextCell(len(face), [int(v) for v in face])
    data.SetPoints(points)
    data.SetPolys(cells)
    return data


def run(filter_, data):
    filter_.SetInputData(data)
    filter_.Update()
    return filter_


def largest_part(data):
    parts = vtk.vtkPolyDataConnectivityFilter()
    parts.SetExtractionModeToLargestRegion()
    return run(parts, run(vtk.vtkTriangleFilter(), data).GetOutput()).GetOutput()


def view(data):
    """The mesh as VTK sees it."""
    tris = run(vtk.vtkTriangleFilter(), data).GetOutput()
    used = {tris.GetCell(i).GetPointId(k) for i in range(tris.GetNumberOfCells()) for k in range(3)}
    parts = run(vtk.vtkPolyDataConnectivityFilter(), tris)
    parts.SetExtractionModeToAllRegions()
    parts.Update()
    sizes = vtk_to_numpy(parts.GetRegionSizes())

    def feature(boundary):
        edges = vtk.vtkFeatureEdges()
        for name in ("Boundary", "NonManifold", "Feature", "Manifold"):
            getattr(edges, f"Set{name}Edges")(int(name == ("Boundary" if boundary else "NonManifold")))
        return run(edges, tris).GetOutput()

    border = feature(True)
    touch = sum(1 for n in range(border.GetNumberOfPoints())
                if len(border_links(border, n)) > 2)
    loops = run(vtk.vtkPolyDataConnectivityFilter(), border)
    loops.SetExtractionModeToAllRegions()
    loops.Update()
    edges = run(vtk.vtkExtractEdges(), tris).GetOutput().GetNumberOfCells()
    return {"vertices": len(used), "edges": edges, "triangles": tris.GetNumberOfCells(),
            "parts": len(sizes), "largest": int(max(sizes)),
            "loops": loops.GetNumberOfExtractedRegions() if border.GetNumberOfCells() else 0,
            "non-manifold": feature(False).GetNumberOfCells(), "touching": touch,
            "euler": len(used) - edges + tris.GetNumberOfCells()}


def border_links(border, n):
    cells = vtk.vtkIdList()
    border.GetPointCells(n, cells)
    return [cells.GetId(i) for i in range(cells.GetNumberOfIds())]


def expected(seen):
    """What Tessel should say of the mesh VTK saw: the import's counts or a word of the refusal."""
    if seen["non-manifold"]:
        return "belongs to 3 triangles"
    if seen["parts"] > 1:
        return f"{seen['parts']} separate parts: the largest has {seen['largest']} triangles"
    if seen["loops"] == 0:
        return "closed"
    if seen["touching"]:
        return "passes twice through vertex"
    if seen["loops"] > 1:
        return f"has {seen['loops']} boundary loops"
    if seen["euler"] != 1:
        return "orientable" if seen["euler"] == 0 else f"V - E + F is {seen['euler']}"
    return f"imported {seen['vertices']} nodes, {seen['edges']} edges"


def check(cli, work, title, path, seen, options):
    said = subprocess.run([cli, "import", path, os.path.join(work, "out.tesl")] + options,
                          capture_output=True, text=True)
    told = (said.stdout + said.stderr).strip().splitlines()[-1]
    ok = expected(seen) in told
    print(f"{'ok  ' if ok else 'FAIL'} {title:22} VTK: V {seen['vertices']} E {seen['edges']} "
          f"F {seen['triangles']} parts {seen['parts']} loops {seen['loops']} non-manifold "
          f"{seen['non-manifold']} touching {seen['touching']} V-E+F {seen['euler']} | "
          f"Tessel: {told}")
    return not ok


def main():
    cli = os.path.realpath(sys.argv[1])
    failures = 0
    with tempfile.TemporaryDirectory() as work:
        for name, (points, faces) in cases().items():
            for kind in ("off", "obj"):
                path = os.path.join(work, name.replace(" ", "_") + "." + kind)
                write(path, points, faces, kind)
                data = read_with_tool(path)
                failures += check(cli, work, f"{name} {kind}", path, view(data), [])
                if view(data)["parts"] > 1:
                    failures += check(cli, work, f"{name} {kind} --largest", path,
                                      view(largest_part(data)), ["--largest"])
    print(f"{failures} disagreements")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
