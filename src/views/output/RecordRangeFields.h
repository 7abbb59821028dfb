#pragma once
// The total, from and to fields of the windows that make cards from data records (the export
// sheet, the print and mail windows). Each field takes a whole number up to the limit or refuses
// the text; what it takes is then brought within the records before anything reads it: 0 becomes
// 1, and a number beyond the records becomes their count. A field emptied, or typed to read as no
// number or 0, shows 1 as it is typed.
#include <QObject>
#include <QString>

class CheckedSpinBox;

class RecordRangeFields : public QObject {
    Q_OBJECT
public:
    // The largest total and record number while no data source is used.
    static constexpr int kMaxRecords = 999999;

    RecordRangeFields(CheckedSpinBox& total, CheckedSpinBox& from, CheckedSpinBox& to, QObject* parent = nullptr);

    // The number of records of the data in use (Total_Batch_Excel_Card), at least 1.
    void setRecordCount(int records);
    int recordCount() const { return m_records; }
    // Whether the series or the spreadsheet box is on.
    void setSourcesInUse(bool inUse) { m_sourcesInUse = inUse; }
    // The largest number the steppers go to, as the last Set_Tot_Value left it.
    int stepperMaximum() const { return m_stepperMaximum; }

    // Puts a value into the total ("TOT"), the to field ("TO") or both ("A"): 0 becomes 1, and
    // without a data source the maximum is the limit, to which the value is cut.
    void Set_Tot_Value(int value, int maximum, const QString& set_for);

    // What a number typed into each field becomes.
    void Total_Text_Changed();
    void To_Text_Changed();
    void from_Text_Changed();

private:
    // What the text of a field becomes as it is typed.
    void textTyped(CheckedSpinBox& field, const QString& text);
    // At least 1, and at most the records.
    int withinRecords(int value) const;
    static void show(CheckedSpinBox& field, int value);

    CheckedSpinBox& m_total;
    CheckedSpinBox& m_from;
    CheckedSpinBox& m_to;
    int m_records = 1;
    bool m_sourcesInUse = false;
    int m_stepperMaximum = kMaxRecords;
};
