#pragma once
// The picture-format chooser shown inside a save panel: choosing a format changes the proposed
// name's extension and the panel's file type.
#include <QFileDialog>
#include <QPointer>
#include <QString>
#include <QWidget>

class QComboBox;

class AccessoryViewController : public QWidget {
    Q_OBJECT
public:
    explicit AccessoryViewController(QWidget* parent = nullptr);

    // 0 "jpg", 1 "bmp", 2 "png", anything else "tiff".
    static QString extensionForFormat(int index);
    // "photo.png" with "bmp" gives "photo.bmp".
    static QString nameWithExtension(const QString& name, const QString& extension);

    // Puts the chooser into the panel (which becomes Qt's own, non-native dialog) and serves it.
    void attachTo(QFileDialog& panel);
    QFileDialog* savePanel() const { return _savePanel; }
    void setSavePanel(QFileDialog* panel) { _savePanel = panel; }

    QComboBox* ext_btn = nullptr;

public Q_SLOTS:
    void selectFormat(int index);

private:
    QPointer<QFileDialog> _savePanel;  // not owned
};
