NODECOUNT:  4
GEOMETRY: hyperbolic
ALPHA/GAMMA:  1  2
PACKNAME: seed3
FLOWERS:
1 3   2 3 4 2
2 2   3 1 4
3 2   4 1 2
4 2   2 1 3

RADII:
0.5   -0.4   0.25   -0.3

CENTERS:
0 0   0 1
-0.3 -0.1   0.6 -0.8

ANGLE_AIMS:
 2  -1.0
  (done)

END
