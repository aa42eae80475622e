#!/usr/bin/env python3
"""Writes examples/house_value_mars.txt: a MARS model in the exported basis-function
text form (CR LF line ends, a blank line after each block), made up by us to show
hinges with positive and negative knots, a categorical set, missing-value indicators,
products with earlier basis functions and a definition wrapped over two lines."""
import os

LINES = [
    "BF1 = max(0, AREA - 120);",
    "BF2 = max(0, 120 - AREA);",
    "BF3 = ( DISTRICT = 1 OR DISTRICT = 4);",
    "BF4 = ( AGE > .);",
    "BF5 = ( AGE = .);",
    "BF6 = max(0, AGE - 25) * BF4;",
    "BF7 = max(0, ROOMS - 3) * BF3;",
    "BF8 = max(0, ROOMS - -1.5);",
    "BF9 = max(0, 2.5E+01 - AGE)",
    "   * BF4;",
    "",
    "Y = 150.5 + 0.85 * BF1 - 1.2 * BF2 + 22.5 * BF3 - 0.4 * BF6",
    "  + 3 * BF7 + 5 * BF5 + 0.125 * BF8 - 1.5E-02 * BF9;",
    "",
    "MODEL VALUE = BF1 BF2 BF3 BF5 BF6 BF7 BF8 BF9;",
]

here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, "house_value_mars.txt"), "wb") as out:
    out.write(("\r\n".join(LINES) + "\r\n").encode("latin-1"))
