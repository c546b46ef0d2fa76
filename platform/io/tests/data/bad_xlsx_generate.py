#!/usr/bin/env python3
# Makes the damaged workbooks of the workbook reader's bad-input tests:
#   python3 bad_xlsx_generate.py   (run in this folder)
import struct
import zipfile

REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"


def workbook(name, sheet_xml):
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml",
                   '<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                   '<Default Extension="xml" ContentType="application/xml"/></Types>')
        z.writestr("_rels/.rels",
                   f'<?xml version="1.0"?><Relationships xmlns="{PKG}"><Relationship Id="rId1" '
                   f'Type="{REL}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
        z.writestr("xl/workbook.xml",
                   f'<?xml version="1.0"?><workbook xmlns="{MAIN}" xmlns:r="{REL}"><sheets>'
                   f'<sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>')
        z.writestr("xl/_rels/workbook.xml.rels",
                   f'<?xml version="1.0"?><Relationships xmlns="{PKG}"><Relationship Id="rId1" '
                   f'Type="{REL}/worksheet" Target="worksheets/sheet1.xml"/></Relationships>')
        z.writestr("xl/worksheets/sheet1.xml",
                   f'<?xml version="1.0"?><worksheet xmlns="{MAIN}"><sheetData>{sheet_xml}</sheetData></worksheet>')


# One number in the last cell a sheet has.
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
