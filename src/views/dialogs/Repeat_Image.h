#pragma once
// A strip filled with one picture repeated across it from its own top-left corner: the banner at
// the top of a window.
#include <QImage>
#include <QWidget>

class Repeat_Image : public QWidget {
    Q_OBJECT
public:
    explicit Repeat_Image(QWidget* parent = nullptr);

    // The picture repeated; the strip takes its height, none for a null picture.
    void setPattern(const QImage& pattern);
    const QImage& pattern() const { return m_pattern; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_pattern;
};
