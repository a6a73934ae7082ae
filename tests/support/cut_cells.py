#!/usr/bin/python3
"""Prints, as JSON, the cells of a workbook whose text is wider than its column: {sheet: [ref]}.

Measures independently of the writer: openpyxl reads the cells, fonts and column widths, and the
advance widths come from Liberation Serif (the metric twin of Times New Roman) through fontTools;
East Asian wide characters take an em, as a CJK font draws them. A column width counts digits of
the workbook font (6 pt each at 12 pt); a cell's text needs its width plus 4 pt of margins.
"""
import json
import sys
import unicodedata

import openpyxl
from openpyxl.utils import get_column_letter
from fontTools.ttLib import TTFont

FOLDER = "/usr/share/fonts/truetype/liberation2/LiberationSerif-"
FACES = {(False, False): "Regular", (True, False): "Bold", (False, True): "Italic",
         (True, True): "BoldItalic"}
fonts = {}


def text_points(text, bold, italic, size):
    key = (bool(bold), bool(italic))
    if key not in fonts:
        font = TTFont(FOLDER + FACES[key] + ".ttf")
        fonts[key] = (font.getBestCmap(), font["hmtx"], font["head"].unitsPerEm)
    cmap, hmtx, em = fonts[key]
    width = 0.0
    for ch in text:
        if unicodedata.east_asian_width(ch) in ("W", "F"):
            width += 1.0
        elif ord(ch) in cmap:
            width += hmtx[cmap[ord(ch)]][0] / em
        else:
            width += 0.75
    return width * size


def main():
    wb = openpyxl.load_workbook(sys.argv[1])
    cut = {}
    for ws in wb.worksheets:
        default = (ws.sheet_format.defaultColWidth or 8.43) * 6
        widths = {}
        for dim in ws.column_dimensions.values():
            if dim.min:
                for c in range(dim.min, min(dim.max, 1000) + 1):
                    widths[c] = dim.width * 6
        cut[ws.title] = []
        for row in ws.iter_rows():
            for cell in row:
                if cell.value is None:
                    continue
                f = cell.font
                need = text_points(str(cell.value), f.b, f.i, f.sz or 11) + 4
                if need > widths.get(cell.column, default):
                    cut[ws.title].append(cell.coordinate)
    json.dump(cut, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
