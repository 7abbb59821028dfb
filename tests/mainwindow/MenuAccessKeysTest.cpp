// The View menu is reached from the keyboard as the other menus are: Alt+V, then one letter per item.
#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QTest>

#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"

TEST(MenuAccessKeys, EveryViewItemHasALetterOfItsOwn)
{
    SKTDocument document;
    SKTWindowController controller(document);
    QMenu& view = *controller.windowLayout().menu("view_menu");
    EXPECT_EQ(QKeySequence::mnemonic(view.title()), QKeySequence(Qt::ALT | Qt::Key_V));
    QStringList items;
    QList<QKeySequence> letters;
    for (const QAction* item : view.actions()) {
        if (item->isSeparator())
            continue;
        items << item->text();
        const QKeySequence letter = QKeySequence::mnemonic(item->text());
        EXPECT_FALSE(letter.isEmpty()) << item->text().toStdString();
        EXPECT_FALSE(!letter.isEmpty() && letters.contains(letter)) << item->text().toStdString() << " shares its letter";
        letters << letter;
    }
    EXPECT_EQ(items.size(), 11) << items.join(QLatin1String(", ")).toStdString();

    // The letter works in the open menu.
    auto* grid = controller.window()->findChild<QAction*>(QStringLiteral("show_grid_menu"));
    ASSERT_FALSE(grid->isChecked());
    view.popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTest::keyClick(&view, Qt::Key_G);
    EXPECT_TRUE(grid->isChecked());
}
