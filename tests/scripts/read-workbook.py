#!/usr/bin/env python3
"""Prints what a spreadsheet reader finds in a workbook, one fact a line:
  sheet<TAB>name
  column<TAB>index<TAB>number format      (columns with a format of their own)
  cell<TAB>row<TAB>col<TAB>n|s|f<TAB>number format<TAB>value   (f: a formula)
  look<TAB>row<TAB>col<TAB>font=RRGGBB fill=RRGGBB bold   (what a cell has of these)
  databar<TAB>cell range                 (data bars of conditional formats)
Rows and columns count from 0; numbers print in Python's repr."""
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
out = []
for sheet in book.worksheets:
    out.append(f"sheet\t{sheet.title}")
    for dimension in sheet.column_dimensions.values():
        if dimension.number_format != "General":
            for index in range(dimension.min, dimension.max + 1):
                out.append(f"column\t{index - 1}\t{dimension.number_format}")
    for row in sheet.iter_rows():
        for cell in row:
            look = []
            if cell.font is not None and cell.font.color is not None and cell.font.color.type == "rgb":
                look.append("font=" + cell.font.color.rgb[-6:].upper())
            if cell.fill is not None and cell.fill.fill_type == "solid":
                look.append("fill=" + str(cell.fill.fgColor.rgb)[-6:].upper())
            if cell.font is not None and cell.font.b:
                look.append("bold")
            if look:
                out.append(f"look\t{cell.row - 1}\t{cell.column - 1}\t{' '.join(look)}")
            if cell.value is None:
                continue
            kind = "f" if cell.data_type == "f" else "n" if isinstance(cell.value, (int, float)) else "s"
            value = repr(float(cell.value)) if kind == "n" else str(cell.value)
            out.append(f"cell\t{cell.row - 1}\t{cell.column - 1}\t{kind}\t{cell.number_format}\t{value}")
    for formatting in sheet.conditional_formatting:
        for rule in formatting.rules:
            if rule.type == "dataBar":
                out.append(f"databar\t{formatting.sqref}")
sys.stdout.write("\n".join(out) + "\n")
