#include "views/output/RecordRangeFields.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/NumberText.h"
#include "views/inspector/CheckedNumberField.h"

RecordRangeFields::RecordRangeFields(CheckedSpinBox& total, CheckedSpinBox& from, CheckedSpinBox& to, QObject* parent)
    : QObject(parent), m_total(total), m_from(from), m_to(to)
{
    // A typed 0 or a number beyond the records is taken and then brought within them, so the
    // fields take every number up to the limit.
    for (CheckedSpinBox* field : {&m_total, &m_from, &m_to})
        field->setRange(0, kMaxRecords);
    connect(&m_total, &QSpinBox::valueChanged, this, &RecordRangeFields::Total_Text_Changed);
    connect(&m_to, &QSpinBox::valueChanged, this, &RecordRangeFields::To_Text_Changed);
    connect(&m_from, &QSpinBox::valueChanged, this, &RecordRangeFields::from_Text_Changed);
    for (CheckedSpinBox* field : {&m_total, &m_from, &m_to}) {
        if (auto* edit = field->findChild<QLineEdit*>())
            connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) { textTyped(*field, text); });
    }
}

void RecordRangeFields::textTyped(CheckedSpinBox& field, const QString& text)
{
    // A field emptied, or whose text reads as no number or as 0, shows 1 at once.
    if (leadingInt(text) == 0)
        field.setValue(1);
}

void RecordRangeFields::setRecordCount(int records)
{
    m_records = std::max(records, 1);
}

void RecordRangeFields::show(CheckedSpinBox& field, int value)
{
    const QSignalBlocker quiet(field);
    field.setValue(value);
}

int RecordRangeFields::withinRecords(int value) const
{
    return std::clamp(value, 1, m_records);
}

void RecordRangeFields::Set_Tot_Value(int value, int maximum, const QString& set_for)
{
    int shown = value == 0 ? 1 : value;
    int steps = maximum;
    if (!m_sourcesInUse) {
        steps = kMaxRecords;
        shown = std::min(shown, kMaxRecords);
    }
    if (set_for == QLatin1String("TOT") || set_for == QLatin1String("A"))
        show(m_total, shown);
    if (set_for == QLatin1String("TO") || set_for == QLatin1String("A"))
        show(m_to, shown);
    m_stepperMaximum = steps;
}

void RecordRangeFields::Total_Text_Changed()
{
    int total = std::max(m_total.value(), 1);
    if (m_sourcesInUse)
        total = std::min(total, m_records);
    Set_Tot_Value(total, m_records, QStringLiteral("TOT"));
}

void RecordRangeFields::To_Text_Changed()
{
    Set_Tot_Value(withinRecords(m_to.value()), m_records, QStringLiteral("TO"));
}

void RecordRangeFields::from_Text_Changed()
{
    show(m_from, withinRecords(m_from.value()));
}
