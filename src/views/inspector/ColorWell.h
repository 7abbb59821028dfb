#pragma once
// A colour well: a button showing its colour; a click runs the colour dialog through the dialog
// seam and, when the user picks another colour, keeps it and emits colorChosen. Code that sets
// the colour emits nothing.
#include <QColor>
#include <QToolButton>

class ColorWell : public QToolButton {
    Q_OBJECT
public:
    explicit ColorWell(QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    // The dialog offers an alpha channel only where the colour carries one.
    void setShowsAlpha(bool shows) { m_showsAlpha = shows; }

Q_SIGNALS:
    void colorChosen(const QColor& color);

private:
    void chooseColor();
    void paintSwatch();

    QColor m_color = Qt::black;
    bool m_showsAlpha = false;
};
