#pragma once
// The guide's pictures are taken in a temporary folder and a user folder inside the build tree;
// a reader should see folders like their own. ShownPaths grabs a widget with every path that a
// line edit, text field, label or table cell shows moved from those folders to a user's, and puts the texts
// back afterwards, so the window goes on working with its real paths. It keeps every text with a
// slash that a picture shows, for the guide's test to look through.
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

class ShownPaths {
public:
    // Texts naming `folder` or a path inside it show `shown` in its place.
    void add(const QString& folder, const QString& shown);
    QString shownText(const QString& text) const;
    // The widget, or the area of it, as it looks with the user's folders.
    QImage grab(QWidget& widget, const QRect& area = QRect(QPoint(0, 0), QSize(-1, -1)));
    // The texts with a slash the pictures showed, each once.
    QStringList shownPathTexts() const;

private:
    // Shows `shown` in place of `text` through `show` (when it differs), keeps it among the
    // texts shown, and adds the step that puts `text` back.
    void dress(const QString& text, const std::function<bool(const QString&)>& show, const std::function<void()>& putBack);

    QList<std::pair<QString, QString>> m_folders;
    QStringList m_shown;
    QList<std::function<void()>> m_restore;
};
