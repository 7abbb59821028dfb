// Registration from the side panels' fields, through a stand-in for the panels: which field lands
// in which column, the date and time, and the refusals, which store nothing.
#include <QHash>
#include <algorithm>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "model/SKTGraphicKinds.h"
#include "visitors/VisitorRegistration.h"

namespace {

// The panels as a table of field texts; a field not in it does not exist.
VisitorFieldText panels(const QHash<QString, QString>& fields)
{
    return [fields](const QString& id) { return fields.value(id); };
}

const QHash<QString, QString> kTyped{
    {"Fup_Name", "  Ana Souza "},         {"Fup_Company", "Harbour Logistics"}, {"Fup_Address", "12 Quay Street"},
    {"Fup_PhoneNO", "+44 20 7946 0000"},  {"Fup_EmailID", "ana@example.org"},   {"Fup_CompanySlogan", "Interview"},
    {"Fup_Website", "Ms Kaur"},           {"Fup_UniqueNo", "V-0001"},           {"Fup_FaxNo", "Contractor"},
    {"Fup_Photo", "/photos/ana.png<IMG_FILTER>0_0_1_"}, {"Fup_Title", "Engineer"}};

const QDateTime kMoment(QDate(2026, 12, 7), QTime(9, 5, 7));

class VisitorRegistrationTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter installed{messages};
};

}  // namespace

TEST_F(VisitorRegistrationTest, EachPanelFieldLandsInItsColumn)
{
    const VisitorRecord visitor = visitorFromFields(panels(kTyped), kMoment);
    EXPECT_EQ(visitor.fields(), (QStringList{"07-12-2026 9:05:07 AM", "/photos/ana.png<IMG_FILTER>0_0_1_", "Ana Souza",
                                             "Harbour Logistics", "12 Quay Street", "+44 20 7946 0000", "ana@example.org",
                                             "Interview", "Ms Kaur", "V-0001", "Contractor"}));

    // A date and a time typed into the panel are the visitor's.
    QHash<QString, QString> manual = kTyped;
    manual.insert("Fup_Date", "06-12-2026");
    manual.insert("Fup_Time", "5:45:00 PM");
    EXPECT_EQ(visitorFromFields(panels(manual), kMoment).dateAndTime, QStringLiteral("06-12-2026 5:45:00 PM"));
}

TEST_F(VisitorRegistrationTest, AVisitorWithoutANameOrALogThatCannotStoreIsRefusedWithTheReason)
{
    VisitorLog log;
    ASSERT_TRUE(log.open(dir.filePath("Visitor.db")));
    QHash<QString, QString> nameless = kTyped;
    nameless.insert("Fup_Name", "   ");
    EXPECT_EQ(Register_Visitor(log, visitorFromFields(panels(nameless), kMoment)), 0);
    EXPECT_EQ(log.count(), 0);

    TestEnvironment::run("sqlite3", {dir.filePath("Visitor.db"), "DROP TABLE Visitor_Records"});
    EXPECT_EQ(Register_Visitor(log, visitorFromFields(panels(kTyped), kMoment)), 0);
    EXPECT_EQ(messages.texts(), (QStringList{"\nPlease enter visitor name.",
                                             "\nThe visitor could not be stored: no such table: Visitor_Records"}));
}

// "Other" keeps the visitor type alone as logs always have, and with anything more a line per
// value, keyed by its element's identifier beside its caption; each value is read back by its
// identifier, in a log written before by its caption, what a line lacks as empty.
TEST_F(VisitorRegistrationTest, OtherKeepsEachValueWithoutAColumnByItsIdentifier)
{
    const auto text = [](const char* id, const char* value) {
        GraphicPtr element = SKTGraphic::create(GraphicKind::Text);
        element->control_ID = QLatin1String(id);
        element->Set_text_value(QLatin1String(value));
        return element;
    };
    // A picture field added in the panel is kept under its name, or its identifier without one;
    // the holder's photo and the design's own pictures have columns or are no one's.
    const auto picture = [](const char* id, const char* name) {
        GraphicPtr element = SKTGraphic::create(GraphicKind::Image);
        element->control_ID = QLatin1String(id);
        element->Text_Value = QLatin1String(name);
        return element;
    };
    const GraphicList front{text("Fup_Name", "Ana"), text("F_field1", "Blue"), text("F_label1", "Lanyard :"),
                            text("Fup_Title", "Engineer"), text("F_field2", "x"), text("F_Pic3", "y"),
                            text("Fup_lbl_Name", "Name :"), text("F_field1", "Blue"), picture("F_Photo4", "Badge"),
                            picture("F_Photo5", "/photos/x.png"), picture("Fup_Photo", ""), picture("", "")};
    const QList<OtherField> others = visitorOtherFields(front);
    ASSERT_EQ(others.size(), 5);
    EXPECT_EQ((QStringList{others[0].ctrlId, others[0].caption, others[1].caption, others[2].caption, others[3].caption,
                           others[4].caption}),
              (QStringList{"F_field1", "Lanyard", "Position / Title", "F_field2", "Badge", "F_Photo5"}));

    QHash<QString, QString> typed = kTyped;
    typed.insert("F_field1", "Blue\nlanyard");
    typed.insert("F_Photo4", "/photos/badge.png");
    EXPECT_EQ(visitorFromFields(panels(typed), kMoment, others).other,
              "Visitor Type [Fup_FaxNo]: Contractor\nLanyard [F_field1]: Blue\n lanyard\nPosition / Title [Fup_Title]: "
              "Engineer\nBadge [F_Photo4]: /photos/badge.png");
    typed.insert("Fup_Title", "");
    typed.insert("F_field1", "");
    typed.insert("F_Photo4", "");
    EXPECT_EQ(visitorFromFields(panels(typed), kMoment, others).other, "Contractor");

    const struct {
        const char* other;
        const char* id;
        const char* caption;
        const char* value;
    } read[] = {
        {"Contractor", "Fup_FaxNo", "Visitor Type", "Contractor"},
        {"Contractor", "F_field1", "Lanyard", ""},
        {"Lanyard: Blue", "Fup_FaxNo", "Visitor Type", "Lanyard: Blue"},
        {"Visitor Type: \nLanyard: Blue\nRef: A: 7", "Fup_FaxNo", "Visitor Type", ""},
        {"Visitor Type: \nLanyard: Blue\nRef: A: 7", "F_field1", "Lanyard :", "Blue"},
        {"Visitor Type: \nLanyard: Blue\nRef: A: 7", "F_field2", "Ref: A", "7"},
        {"Visitor Type: \nLanyard: Blue\nRef: A: 7", "F_field3", "Lanyard colour", ""},
        {"Visitor Type [Fup_FaxNo]: \nLanyard [F_field1]: Blue", "F_field2", "Lanyard", ""},
        {"Visitor Type [Fup_FaxNo]: Guest\nDesk [Desk%3A%201]: 7", "Desk: 1", "Desk", "7"},
    };
    for (const auto& r : read)
        EXPECT_EQ(otherValue(QLatin1String(r.other), {QLatin1String(r.id), QLatin1String(r.caption)}), QLatin1String(r.value))
            << r.other << " / " << r.id;
}

// What the front desk typed into "Other" comes back as typed: each value by its identifier, its
// line breaks kept; the log window and the workbook show "Caption: value" lines without the
// identifiers. Older logs, by caption or without line breaks, read and show as before.
TEST_F(VisitorRegistrationTest, OtherKeepsLineBreaksAndIsShownAsTyped)
{
    const OtherField lanyard{"F_field1", "Lanyard :"}, desk{"Desk: 1", ""}, ref{"F_field2", "Ref [A]: x"};
    const struct {
        const char* type;
        QList<OtherValue> values;
        const char* stored;
        const char* shown;
    } written[] = {
        {"Contractor", {}, "Contractor", "Contractor"},
        {"Contractor", {{desk, "7"}},
         "Visitor Type [Fup_FaxNo]: Contractor\nDesk: 1 [Desk%3A%201]: 7", "Visitor Type: Contractor\nDesk: 1: 7"},
        {"", {{lanyard, "Blue\nlanyard\n\n  loop"}, {ref, "a\r\nb"}},
         "Visitor Type [Fup_FaxNo]: \nLanyard [F_field1]: Blue\n lanyard\n \n   loop\nRef [A] : x [F_field2]: a\r\n b",
         "Visitor Type: \nLanyard: Blue\nlanyard\n\n  loop\nRef [A] : x: a\r\nb"},
        {"Escorted\nby Ms Kaur", {{lanyard, "Red"}},
         "Visitor Type [Fup_FaxNo]: Escorted\n by Ms Kaur\nLanyard [F_field1]: Red", "Visitor Type: Escorted\nby Ms Kaur\nLanyard: Red"},
        // A value's line that looks like another field's key is still the value's.
        {"", {{lanyard, "Blue\nRef [F_field2]: 9"}},
         "Visitor Type [Fup_FaxNo]: \nLanyard [F_field1]: Blue\n Ref [F_field2]: 9", "Visitor Type: \nLanyard: Blue\nRef [F_field2]: 9"},
    };
    for (const auto& w : written) {
        SCOPED_TRACE(w.stored);
        const JoinedOther joined = joinOtherValues(QString::fromUtf8(w.type), w.values);
        EXPECT_EQ(joined.text, QString::fromUtf8(w.stored));
        EXPECT_EQ(otherValue(joined.text, visitorTypeField()), QString::fromUtf8(w.type));
        for (const OtherField& field : {lanyard, desk, ref}) {
            const auto typed = std::find_if(w.values.begin(), w.values.end(),
                                            [&](const OtherValue& v) { return v.field.ctrlId == field.ctrlId; });
            EXPECT_EQ(otherValue(joined.text, field), typed == w.values.end() ? QString() : typed->value)
                << field.ctrlId.toStdString();
        }
        EXPECT_EQ(shownOther(joined.text), QString::fromUtf8(w.shown));
    }

    // Older logs and texts the log never writes show as they stand, or line by line.
    const struct {
        const char* stored;
        const char* shown;
    } older[] = {
        {"Visitor Type: Guest\nLanyard: Blue", "Visitor Type: Guest\nLanyard: Blue"},
        {"Lanyard [F_field1]: Blue", "Lanyard [F_field1]: Blue"},
        {"Visitor Type [Fup_FaxNo]: Guest\nno key here\n [F_field3]: x", "Visitor Type: Guest\nno key here\n[F_field3]: x"},
    };
    for (const auto& o : older)
        EXPECT_EQ(shownOther(QString::fromUtf8(o.stored)), QString::fromUtf8(o.shown)) << o.stored;
}
