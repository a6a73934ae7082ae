#!/usr/bin/python3
"""Reads a workbook back for the converter tests and prints it as JSON.

Cells, column widths, row heights and sheet states come from openpyxl, the drawing of Sheet1
straight from its XML part: every anchored shape with the cells and offsets of its two anchor
corners, its kind, position, size, flips, arrowhead and line colour, in EMU.
"""
import json
import sys
import zipfile
import xml.etree.ElementTree as ET

import openpyxl

NS = {
    "xdr": "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing",
    "a": "http://schemas.openxmlformats.org/drawingml/2006/main",
}


def font_of(cell):
    f = cell.font
    colour = None
    if f.color is not None and f.color.type == "indexed":
        colour = f.color.indexed
    return {"b": bool(f.b), "u": f.u is not None and f.u != "none", "i": bool(f.i), "colour": colour,
            "font": f.name, "size": f.sz}


def sheet_cells(ws):
    out = {}
    for row in ws.iter_rows():
        for c in row:
            if c.value is None:
                continue
            entry = {"v": c.value}
            entry.update(font_of(c))
            out[c.coordinate] = entry
    return out


def shapes(path):
    with zipfile.ZipFile(path) as z:
        names = z.namelist()
        if "xl/drawings/drawing1.xml" not in names:
            return []
        root = ET.fromstring(z.read("xl/drawings/drawing1.xml"))
    out = []
    for anchor in root:
        corners = {}
        for corner in ("from", "to"):
            c = anchor.find("xdr:" + corner, NS)
            if c is not None:
                corners[corner] = {k: int(c.find("xdr:" + k, NS).text)
                                   for k in ("col", "colOff", "row", "rowOff")}
        shape = anchor.find("xdr:cxnSp", NS)
        kind = "line"
        if shape is None:
            shape = anchor.find("xdr:sp", NS)
        xfrm = shape.find("xdr:spPr/a:xfrm", NS)
        off = xfrm.find("a:off", NS)
        ext = xfrm.find("a:ext", NS)
        geom = shape.find("xdr:spPr/a:prstGeom", NS).get("prst")
        ln = shape.find("xdr:spPr/a:ln", NS)
        rgb = ln.find("a:solidFill/a:srgbClr", NS)
        tail = ln.find("a:tailEnd", NS)
        out.append({
            "anchor": anchor.tag.split("}")[1],
            "from": corners.get("from"), "to": corners.get("to"),
            "element": shape.tag.split("}")[1],
            "geom": geom,
            "x": int(off.get("x")), "y": int(off.get("y")),
            "cx": int(ext.get("cx")), "cy": int(ext.get("cy")),
            "flipH": xfrm.get("flipH") in ("1", "true"),
            "flipV": xfrm.get("flipV") in ("1", "true"),
            "tail": tail.get("type") if tail is not None else None,
            "rgb": rgb.get("val") if rgb is not None else None,
        })
    return out


def main():
    path = sys.argv[1]
    wb = openpyxl.load_workbook(path)
    ws1 = wb["Sheet1"]
    result = {
        "sheets": wb.sheetnames,
        "active": wb.active.title,
        "Sheet1": sheet_cells(ws1),
        "Sheet2": sheet_cells(wb["Sheet2"]),
        "columnWidth": ws1.column_dimensions["A"].width,
        "defaultColumnWidth": ws1.sheet_format.defaultColWidth,
        "columns": {ws.title: [{"min": d.min, "max": d.max, "width": d.width}
                               for d in ws.column_dimensions.values() if d.min]
                    for ws in wb.worksheets},
        "states": {ws.title: ws.sheet_state for ws in wb.worksheets},
        "rowHeights": {str(r): d.height for r, d in ws1.row_dimensions.items() if d.height},
        "shapes": shapes(path),
    }
    for name in wb.sheetnames[2:]:
        result[name] = sheet_cells(wb[name])
    json.dump(result, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
