// The values without a column of their own come back from the log each as its own field's,
// whatever the captions say, or the registration is refused naming the field and its limit; logs
// written before keep being read. What the log holds is read by Python's sqlite3; each
// registration and listing keeps within the readers' bounds.
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "model/SKTGraphicKinds.h"
#include "support/QtPrinting.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "support/sanitized/ReaderBounds.h"
#include "visitors/VisitorElementValues.h"
#include "visitors/VisitorRegistration.h"

namespace {

GraphicPtr text(const QString& id, const QString& value)
{
    GraphicPtr element = SKTGraphic::create(GraphicKind::Text);
    element->control_ID = id;
    element->Set_text_value(value);
    return element;
}

QString fieldId(qsizetype n) { return QStringLiteral("F_field%1").arg(n + 1); }

QString heldOther(const QString& log, const QString& name)
{
    return QString::fromUtf8(TestEnvironment::runPython(
                                 QStringLiteral("import sqlite3, sys\n"
                                                "row = sqlite3.connect(sys.argv[1]).execute("
                                                "'SELECT Other FROM Visitor_Records WHERE Name = ?', (sys.argv[2],)).fetchone()\n"
                                                "sys.stdout.write(row[0] if row else '(none)')\n"),
                                 {log, name})
                                 .out);
}

}  // namespace

TEST(VisitorOtherValues, EachFieldComesBackAsItsOwnWhateverItsCaptionOrIsRefusedByName)
{
    const QString x30k(30000, u'x');
    const QString key = QStringLiteral("Visitor Type [Fup_FaxNo]: ");
    // "Other" as the log keeps a visitor type and the added fields' values under their captions.
    const auto kept = [&key](const QString& type, const QStringList& captions, const QStringList& values) {
        QString other = key + type;
        for (qsizetype n = 0; n < values.size(); ++n)
            other += u'\n' + captions[n] + QStringLiteral(" [") + fieldId(n) + QStringLiteral("]: ") + values[n];
        return other;
    };
    QStringList seventeen;
    for (int n = 1; n <= 17; ++n)
        seventeen << QStringLiteral("Field %1").arg(n);
    // Sixteen values that fill "Other" to its last character, and seventeen past it.
    const QStringList full = QStringList(15, QString(65536, u'y')) << QString(65160, u'y');
    const struct {
        const char* what;
        QStringList captions;
        QString type;
        QStringList typed;  // each added field's value
        bool before;        // "Other" as a log of before wrote it
        QString held;       // what "Other" holds; "(none)" when refused
        QString refusal;
    } cases[] = {
        {"two fields captioned Note, the first empty", {"Note", "Note"}, "", {"", "second"}, false,
         key + "\nNote [F_field2]: second"},
        {"an empty Note beside Note: internal", {"Note", "Note: internal"}, "", {"", "secret"}, false,
         key + "\nNote: internal [F_field2]: secret"},
        {"a visitor type typed as a line of Other", {}, "Visitor Type: Contractor", {}, false, key + "Visitor Type: Contractor"},
        {"an empty field captioned Visitor Type", {"Visitor Type"}, "Contractor", {""}, false, "Contractor"},
        {"values with line breaks", {"Lanyard"}, "Escorted\nby the desk", {"Blue\n\nlanyard"}, false,
         key + "Escorted\n by the desk\nLanyard [F_field1]: Blue\n \n lanyard"},
        {"a caption holding a key", {"Ref]: A [F_field9]"}, "", {"7"}, false, key + "\nRef] : A [F_field9] [F_field1]: 7"},
        {"three fields of 30,000 characters", {"A", "B", "C"}, "Guest", {x30k, x30k, x30k}, false,
         kept("Guest", {"A", "B", "C"}, {x30k, x30k, x30k})},
        {"a field at a typed field's limit", {"Note"}, "", {QString(65536, u'n')}, false, kept("", {"Note"}, {QString(65536, u'n')})},
        {"a field past a typed field's limit", {"Note"}, "", {QString(65537, u'n')}, false, "(none)",
         "its Note is longer than 65536 characters."},
        {"fields filling Other to its limit", seventeen.mid(0, 16), "", full, false, kept("", seventeen, full)},
        {"fields together past the limit of Other", seventeen, "", full + QStringList{"y"}, false, "(none)",
         "its Field 17 does not fit: the log keeps at most 1048576 characters of the visitor type, the title and the "
         "added fields together."},
        {"a log of before: the type, then a line by caption", {"Lanyard", "Desk"}, "Contractor", {"Blue", ""}, true,
         "Visitor Type: Contractor\nLanyard: Blue"},
        {"a log of before: the type alone", {"Lanyard"}, "Contractor", {""}, true, "Contractor"},
        {"a log of before: a field captioned Visitor Type", {"Visitor Type"}, "Guest", {"Escorted"}, true,
         "Visitor Type: Guest\nVisitor Type: Escorted"},
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Visitor.db"));
    ScriptedMessagePresenter messages;
    const ScopedMessagePresenter installed(messages);
    VisitorLog log;
    ASSERT_TRUE(log.open(path)) << qPrintable(log.lastError());
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GraphicList front{text(QStringLiteral("Fup_Name"), {}), text(QLatin1String(kVisitorTypeId), {})};
        for (qsizetype n = 0; n < c.captions.size(); ++n)
            front << text(QStringLiteral("F_label%1").arg(n + 1), c.captions[n] + QStringLiteral(" :")) << text(fieldId(n), {});
        const QList<OtherField> others = visitorOtherFields(front);
        const QString name = QStringLiteral("Visitor %1").arg(++number);
        QHash<QString, QString> typed{{QStringLiteral("Fup_Name"), name}, {QLatin1String(kVisitorTypeId), c.type}};
        for (qsizetype n = 0; n < c.typed.size(); ++n)
            typed.insert(fieldId(n), c.typed[n]);
        const qsizetype shown = messages.texts().size();
        QList<VisitorRecord> listed;
        readWithinBounds(QString::fromLatin1(c.what), [&] {
            QString refusal;
            VisitorRecord visitor = visitorFromFields([&typed](const QString& id) { return typed.value(id); },
                                                      QDateTime::currentDateTime(), others, &refusal);
            if (c.before)
                visitor.other = c.held;
            Register_Visitor(log, visitor, refusal);
            listed = log.all();
        });
        EXPECT_EQ(heldOther(path, name), c.held);
        EXPECT_EQ(messages.texts().mid(shown),
                  c.refusal.isEmpty() ? QStringList() : QStringList{"\nThe visitor could not be stored: " + c.refusal});
        if (!c.refusal.isEmpty() || listed.isEmpty())
            continue;
        ASSERT_EQ(listed.last().name, name);
        EXPECT_EQ(visitorValueOf(listed.last(), QLatin1String(kVisitorTypeId), others), c.type);
        for (qsizetype n = 0; n < c.typed.size(); ++n)
            EXPECT_EQ(visitorValueOf(listed.last(), fieldId(n), others), c.typed[n]) << qPrintable(fieldId(n));
    }
}
