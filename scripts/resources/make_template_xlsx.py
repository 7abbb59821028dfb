"""Writes Template.xlsx: a one-sheet workbook whose parts the workbook writer fills in.

The writer replaces xl/worksheets/sheet1.xml and xl/sharedStrings.xml and keeps every other part,
so the relationships and content types here must already name both.
"""
import os
import sys
import zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
RELS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PACKAGE_RELS = "http://schemas.openxmlformats.org/package/2006/relationships"
DECLARATION = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'

PARTS = {
    "[Content_Types].xml": f"""<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
  <Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
  <Default Extension="xml" ContentType="application/xml"/>
  <Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
  <Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
  <Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>
  <Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>
</Types>
""",
    "_rels/.rels": f"""<Relationships xmlns="{PACKAGE_RELS}">
  <Relationship Id="rId1" Type="{RELS}/officeDocument" Target="xl/workbook.xml"/>
</Relationships>
""",
    "xl/workbook.xml": f"""<workbook xmlns="{MAIN}" xmlns:r="{RELS}">
  <bookViews>
    <workbookView activeTab="0"/>
  </bookViews>
  <sheets>
    <sheet name="Sheet1" sheetId="1" r:id="rId1"/>
  </sheets>
</workbook>
""",
    "xl/_rels/workbook.xml.rels": f"""<Relationships xmlns="{PACKAGE_RELS}">
  <Relationship Id="rId1" Type="{RELS}/worksheet" Target="worksheets/sheet1.xml"/>
  <Relationship Id="rId2" Type="{RELS}/sharedStrings" Target="sharedStrings.xml"/>
  <Relationship Id="rId3" Type="{RELS}/styles" Target="styles.xml"/>
</Relationships>
""",
    "xl/worksheets/sheet1.xml": f"""<worksheet xmlns="{MAIN}" xmlns:r="{RELS}">
  <dimension ref="A1"/>
  <sheetData/>
</worksheet>
""",
    "xl/sharedStrings.xml": f"""<sst xmlns="{MAIN}" count="0" uniqueCount="0"/>
""",
    "xl/styles.xml": f"""<styleSheet xmlns="{MAIN}">
  <fonts count="1">
    <font><sz val="11"/><name val="Calibri"/><family val="2"/></font>
  </fonts>
  <fills count="2">
    <fill><patternFill patternType="none"/></fill>
    <fill><patternFill patternType="gray125"/></fill>
  </fills>
  <borders count="1">
    <border><left/><right/><top/><bottom/><diagonal/></border>
  </borders>
  <cellStyleXfs count="1">
    <xf numFmtId="0" fontId="0" fillId="0" borderId="0"/>
  </cellStyleXfs>
  <cellXfs count="1">
    <xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>
  </cellXfs>
  <cellStyles count="1">
    <cellStyle name="Normal" xfId="0" builtinId="0"/>
  </cellStyles>
</styleSheet>
""",
}


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    target = os.path.join(folder, "Template.xlsx")
    partial = target + ".part"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, text in PARTS.items():
            # A fixed date keeps the file the same from build to build.
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, DECLARATION + text)
    os.replace(partial, target)


if __name__ == "__main__":
    main()
