#pragma once
// Workbook reading and writing. A workbook is unpacked into the private temporary folder, its
// sheets are read as rows of cell texts (entry 0 is column A), each row ending at its last
// non-empty cell: Excel_Sheet_Columns gives the sheet's width, and a cell past a row's end is
// empty (QStringList::value). Writing fills the project's one-sheet template and packs it. Main
// thread only: reads and writes share the folder.
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

using SheetRows = QList<QStringList>;

// What the user is told of a file that is no workbook, or one cut short: its name.
QString unreadableWorkbookMessage(const QString& path);

// The row's cells with empty ones after its end, `columns` in all (none cut).
QStringList paddedRow(const QStringList& row, int columns);

// Column count of the sheet being read: 1 after an unpack, then the count the header read found.
extern int Excel_Sheet_Columns;

// Low 8 bits of the UTF-16 code of the first character; 0 for an empty text.
int Asc_Val(const QString& text);
// The leading characters of a cell reference up to its first digit 1-9 ("AB12" gives "AB").
QString Get_Column_Char_Str(const QString& reference);
// Column of A1-style letters: base 65 gives the 0-based index (A 0, ZZ 701), base 64 the 1-based
// number (A 1, ZZ 702). Any letter count up to XFD; -1 for empty, non-capital or larger letters.
int Get_Col_index(const QString& letters, int base);

class SpreadsheetWriter {
public:
    static constexpr int kMaxColumns = 16384;  // XFD
    struct ParsedSheet;

    // The one instance, made on first use.
    static SpreadsheetWriter* sharedInstance();
    // The unpack folder: "ziptmp" inside a folder private to this user and this run.
    static QString temporaryFolder();
    // Removes this user's temporary folders in parent left by runs that no longer run (a killed
    // run leaves its unpacked workbook behind); the number removed. Called at start.
    static int removeStaleTemporaryFolders(const QString& parent);

    // What one sheet read may cost, its rows counted as wide as the sheet (the callers fill them
    // so) and its texts counted twice (as read and in the loaded table): 96 MB and 64 bytes more
    // for each byte of the archive, at most 1 GB. Real workbooks need far less; a small archive
    // whose parts unpack to much more is refused with a message.
    static qint64 readAllowance(qint64 archiveBytes);

    // Whether `rows` rows filled to `columns` cells each, as the loaded table and the imports
    // hold them, fit what the sheet or spreadsheet read last may still take; else *why tells
    // the user. A far cell or a wide dimension widens every filled row, so a few kilobytes of
    // workbook could otherwise fill gigabytes.
    static bool fillFits(qsizetype rows, qsizetype columns, QString* why);

    SheetRows data;
    QStringList sharedStrings;  // those of the workbook written last
    QString tmpDir;
    // Why the last read was refused: the workbook whole (too many parts, a part or the whole too
    // large) or the sheet read last (costing more than the allowance, an element too long).
    // Empty when nothing was refused.
    QString readRefusal;

    // only_col true: unpacks the workbook (afresh: nothing of an earlier one stays) and notes its
    // shared strings; returns data unchanged. A file that does not unpack, or lists no sheet, is
    // refused with unreadableWorkbookMessage unless a bound refused it first. false: all rows of
    // sheet Excel_Sheet_Number.
    static SheetRows ReadWorkbook(const QString& path, bool only_col);
    // At most one row: the header row of sheet Excel_Sheet_Number; sets Excel_Sheet_Columns.
    static SheetRows ReadData_only_column();
    // The sheet parts of the unpacked workbook, without ".xml", in the order of their numbers.
    static QStringList Sheet_File_Names();
    // Sheet names as the workbook lists them.
    static QStringList Read_Sheet_Name();
    // An entry of the sheet list: the name shown and the sheet part it reads (without ".xml").
    struct SheetItem {
        QString name;
        QString part;
        bool operator==(const SheetItem&) const = default;
    };
    // The sheets of the unpacked workbook; item n - 1 is the sheet Excel_Sheet_Number n reads.
    // When the workbook names every sheet part once, its sheets in its order under its names,
    // each reading the part its relationship points to; else the parts under their file names in
    // the order of their numbers. Empty, the workbook refused, when its list or relationships
    // declare a document type.
    static QList<SheetItem> Sheet_List();
    static void Release_Data() {}
    // One row per Row of the first Table of an XML spreadsheet (2003 format) file.
    static SheetRows ReadWorksheetXML2004(const QString& path);
    // One row per table row of the first table of an OpenDocument spreadsheet.
    static SheetRows ReadODS(const QString& path);

    // Notes the shared-strings part; its strings are read by the sheet reads, those they name.
    void ReadSharedStrings(const QString& path);
    void ReadData(const QString& path);

    // Writes the rows (the first row sets the column count) as a one-sheet workbook, atomically,
    // its sheet named sheetName when that is a name a spreadsheet takes (else the template's).
    // False (logged) when nothing was written: no rows, no template, a failed write.
    static bool WriteWorkbook(const QString& target, const SheetRows& rows, bool hasTitleRow,
                              const QString& sheetName = QString());
    // The name of the first sheet of a workbook file; "" when it has none that can be read.
    static QString firstSheetName(const QString& workbook);
    static bool WriteODS(const QString& target, const SheetRows& rows, bool hasTitleRow);
    static bool WriteWorksheetXML2004(const QString& path, const SheetRows& rows);
    // A1 letters of a 1-based column number: 1 A, 27 AA, 703 AAA; "" below 1.
    static QString ColumnIndexToName(int column);
    static QString ColumnNumber_To_Name(int column) { return ColumnIndexToName(column); }

    // Writes data as a sheet part; rebuilds sharedStrings with one entry per text cell.
    bool WriteWorksheetData(const QString& path);
    bool WriteSharedStringsXML(const QString& path);
    bool WriteWorkbookXML(const QString& path, const QString& sheetName);
    bool WriteODSData(const QString& path);

private:
    SpreadsheetWriter();
    // The sheet the header read read, kept for the row read of the same sheet that follows.
    std::shared_ptr<ParsedSheet> parsedSheet;
    std::shared_ptr<ParsedSheet> sheetAt(const QString& path, bool keep);
    std::shared_ptr<ParsedSheet> readSheet(const QString& path);
    // The shared-strings part of the workbook unpacked last: a sheet read takes from it the
    // strings its cells name, and only those.
    QString sharedStringsPath;
    qint64 allowance = 0;       // of the workbook unpacked last
    qint64 lastReadHeld = 0;    // what the sheet read last holds of the allowance
    QString refusedSheetPath;   // the sheet of the workbook unpacked last refused for its size
    QString refusedSheetReason;  // and why, as the user was told
    bool refusedWhole = false;  // nothing of the workbook unpacked last is read
    QString unpackedArchive;    // the workbook unpacked last
    // Refuses the workbook unpacked last whole, for the reason given.
    void refuseWhole(const QString& why);
    // The file at path gave no workbook: refused whole as unreadable, unless already refused.
    void refuseUnreadable(const QString& path);
    std::optional<QList<SheetItem>> sheetList;  // of the workbook unpacked last, once listed
    QList<SheetItem> listSheets();
    // Reads unpack only the parts they read, within bounds; the writers' template unpacks whole.
    enum class UnpackedParts { Read, All };
    bool unpackAfresh(const QString& archive, UnpackedParts parts);
    bool packTreeInto(const QString& target, const QStringList& firstEntries);
};
