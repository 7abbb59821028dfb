#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QApplication>
#include <gtest/gtest.h>
#include "canvas/helpers/InterfaceObjects.h"

namespace {

class DerivedLineEdit : public QLineEdit {
    Q_OBJECT
};

QColor textColour(const QLineEdit& field)
{
    return field.palette().color(QPalette::Active, QPalette::Text);
}

TEST(SetObjEnabledTest, GroupBoxPassesTheFlagToItsWidgetsAndGreysTheTextField)
{
    QGroupBox box;
    auto* field = new QLineEdit(&box);
    auto* button = new QPushButton(&box);
    auto* inner = new QGroupBox(&box);
    auto* innerLabel = new QLabel("Name", inner);
    const QColor normal = QApplication::palette(field).color(QPalette::Active, QPalette::Text);
    const QColor disabled = QApplication::palette(field).color(QPalette::Disabled, QPalette::Text);
    ASSERT_NE(normal, disabled);

    SetObjEnabled(&box, false);
    EXPECT_FALSE(field->isEnabled());
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(innerLabel->isEnabled());
    EXPECT_EQ(textColour(*field), disabled);
    EXPECT_EQ(innerLabel->palette().color(QPalette::Active, QPalette::WindowText),
              QApplication::palette(innerLabel).color(QPalette::Disabled, QPalette::WindowText));

    SetObjEnabled(&box, true);
    EXPECT_TRUE(field->isEnabled());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(innerLabel->isEnabled());
    EXPECT_EQ(textColour(*field), normal);
}

TEST(SetObjEnabledTest, SubclassOfATextFieldIsOnlyDisabled)
{
    DerivedLineEdit field;
    const QColor before = textColour(field);
    SetObjEnabled(&field, false);
    EXPECT_FALSE(field.isEnabled());
    EXPECT_EQ(textColour(field), before);

    QObject notAWidget;
    SetObjEnabled(&notAWidget, false);
    SetObjEnabled(nullptr, false);
}

}  // namespace

#include "InterfaceObjectsTest.moc"
