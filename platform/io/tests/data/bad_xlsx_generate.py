#!/usr/bin/env python3
# Makes the damaged workbooks of the workbook reader's bad-input tests:
#   python3 bad_xlsx_generate.py   (run in this folder)
import struct
import zipfile

REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"


def column_name(index):
    """0-based column index -> letters ("A", "Z", "AA", ...)."""
    name = ""
    index += 1
    while index:
        index, rest = divmod(index - 1, 26)
        name = chr(ord("A") + rest) + name
    return name


def workbook(name, sheet_xml, shared_xml=None):
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        z.writestr("[Content_Types].xml",
                   '<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                   '<Default Extension="xml" ContentType="application/xml"/></Types>')
        z.writestr("_rels/.rels",
                   f'<?xml version="1.0"?><Relationships xmlns="{PKG}"><Relationship Id="rId1" '
                   f'Type="{REL}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
        z.writestr("xl/workbook.xml",
                   f'<?xml version="1.0"?><workbook xmlns="{MAIN}" xmlns:r="{REL}"><sheets>'
                   f'<sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>')
        shared_rel = (f'<Relationship Id="rId2" Type="{REL}/sharedStrings" Target="sharedStrings.xml"/>'
                      if shared_xml is not None else "")
        z.writestr("xl/_rels/workbook.xml.rels",
                   f'<?xml version="1.0"?><Relationships xmlns="{PKG}"><Relationship Id="rId1" '
                   f'Type="{REL}/worksheet" Target="worksheets/sheet1.xml"/>{shared_rel}</Relationships>')
        if shared_xml is not None:
            z.writestr("xl/sharedStrings.xml", f'<?xml version="1.0"?><sst xmlns="{MAIN}">{shared_xml}</sst>')
        z.writestr("xl/worksheets/sheet1.xml",
                   f'<?xml version="1.0"?><worksheet xmlns="{MAIN}"><sheetData>{sheet_xml}</sheetData></worksheet>')


# One number in the last cell a sheet has: read, as one cell.
workbook("bad_xlsx_far_cell.xlsx", '<row r="1048576"><c r="XFD1048576"><v>1</v></c></row>')
# A row numbered 0, which no sheet has.
workbook("bad_xlsx_row_zero.xlsx", '<row r="0"><c><v>7</v></c></row><row r="2"><c r="A2"><v>8</v></c></row>')
# A sheet that says it unpacks to 3 GB (its central directory entry says so).
workbook("bad_xlsx_claimed_size.xlsx", '<row r="1"><c r="A1"><v>1</v></c></row>')
data = bytearray(open("bad_xlsx_claimed_size.xlsx", "rb").read())
pos = 0
while True:
    pos = data.find(b"PK\x01\x02", pos)
    if pos < 0:
        break
    name_len = struct.unpack_from("<H", data, pos + 28)[0]
    name = bytes(data[pos + 46:pos + 46 + name_len])
    if name == b"xl/worksheets/sheet1.xml":
        struct.pack_into("<I", data, pos + 24, 3000000000)
    pos += 4
open("bad_xlsx_claimed_size.xlsx", "wb").write(data)

# A heading, then 1000 rows of one number each in column 16000 (WQJ): a row costs its cells, not
# the sheet's width.
rows = ['<row r="1"><c r="A1" t="inlineStr"><is><t>Far</t></is></c></row>']
rows += [f'<row r="{r}"><c r="{column_name(15999)}{r}"><v>{r}</v></c></row>' for r in range(2, 1002)]
workbook("bad_xlsx_wide_rows.xlsx", "".join(rows))
# More cells than a list shows: 21 000 rows of 26 numbers (546 000 cells).
row = "".join("<c><v>1</v></c>" for _ in range(26))
workbook("bad_xlsx_many_cells.xlsx", "".join(f"<row>{row}</row>" for _ in range(21000)))
# One shared string of 32767 characters named by 600 cells: 20 MB of text from 2 KB.
workbook("bad_xlsx_shared_text.xlsx",
         "".join(f'<row><c t="s"><v>0</v></c></row>' for _ in range(600)),
         "<si><t>" + "x" * 32767 + "</t></si>")
# More shared strings than a list shows.
workbook("bad_xlsx_many_strings.xlsx", '<row r="1"><c r="A1" t="s"><v>0</v></c></row>',
         "<si><t>a</t></si>" * 550000)
