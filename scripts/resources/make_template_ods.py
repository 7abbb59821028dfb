"""Writes Template.ods: an OpenDocument spreadsheet whose content.xml the writer replaces."""
import os
import sys
import zipfile

OFFICE = "urn:oasis:names:tc:opendocument:xmlns:office:1.0"
DECLARATION = '<?xml version="1.0" encoding="UTF-8"?>\n'
MEDIA_TYPE = "application/vnd.oasis.opendocument.spreadsheet"

PARTS = [
    ("mimetype", MEDIA_TYPE, zipfile.ZIP_STORED),
    ("META-INF/manifest.xml", DECLARATION + f"""<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">
  <manifest:file-entry manifest:full-path="/" manifest:version="1.2" manifest:media-type="{MEDIA_TYPE}"/>
  <manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>
  <manifest:file-entry manifest:full-path="styles.xml" manifest:media-type="text/xml"/>
</manifest:manifest>
""", zipfile.ZIP_DEFLATED),
    ("styles.xml", DECLARATION + f"""<office:document-styles xmlns:office="{OFFICE}" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" office:version="1.2">
  <office:master-styles>
    <style:master-page style:name="Default"/>
  </office:master-styles>
</office:document-styles>
""", zipfile.ZIP_DEFLATED),
    ("content.xml", DECLARATION + f"""<office:document-content xmlns:office="{OFFICE}" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" office:version="1.2">
  <office:body>
    <office:spreadsheet>
      <table:table table:name="Sheet1"/>
    </office:spreadsheet>
  </office:body>
</office:document-content>
""", zipfile.ZIP_DEFLATED),
]


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    target = os.path.join(folder, "Template.ods")
    partial = target + ".part"
    with zipfile.ZipFile(partial, "w") as archive:
        for name, text, method in PARTS:
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = method
            archive.writestr(info, text)
    os.replace(partial, target)


if __name__ == "__main__":
    main()
