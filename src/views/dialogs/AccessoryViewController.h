#pragma once
// A format chooser shown inside a save panel, by default of picture formats: choosing a format
// changes the proposed name's extension and the panel's file type.
#include <QFileDialog>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class QComboBox;

struct SaveFormat {
    QString title;
    QString extension;
};

class AccessoryViewController : public QWidget {
    Q_OBJECT
public:
    // The picture formats JPEG, BMP, PNG and TIFF.
    explicit AccessoryViewController(QWidget* parent = nullptr);
    explicit AccessoryViewController(const QList<SaveFormat>& formats, QWidget* parent = nullptr);

    // 0 "jpg", 1 "bmp", 2 "png", anything else "tiff".
    static QString extensionForFormat(int index);
    // The extension of the chooser's item; any item past the list, the last one's.
    QString extensionAt(int index) const;
    // "photo.png" with "bmp" gives "photo.bmp".
    static QString nameWithExtension(const QString& name, const QString& extension);

    // The item shown and the panel's file type, suffix and proposed name made to agree with it.
    void showFormat(int index);
    // The path chosen in the panel in the format shown: an offered extension it ends in is
    // replaced, any other name gets the shown format's extension added.
    QString pathInShownFormat(const QString& chosen) const;

    // Puts the chooser into the panel (which becomes Qt's own, non-native dialog) and serves it.
    void attachTo(QFileDialog& panel);
    QFileDialog* savePanel() const { return _savePanel; }
    void setSavePanel(QFileDialog* panel) { _savePanel = panel; }

    QComboBox* ext_btn = nullptr;

public Q_SLOTS:
    void selectFormat(int index);

private:
    QList<SaveFormat> _formats;
    QPointer<QFileDialog> _savePanel;  // not owned
    int _shownFormat = 0;              // the item last chosen or shown
};
