#pragma once
// The viewport of a zooming scroll view: keeps a document smaller than the visible area centred
// and paints the surroundings of the card - a grey gradient and the card's white outline with a
// drop shadow - so that the card stands out.
#include <QImage>
#include <QPainterPath>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QWidget>

class SWCenteringClipView : public QWidget {
    Q_OBJECT
public:
    explicit SWCenteringClipView(QWidget* parent = nullptr);

    // The document view is the one child widget; it is found when the scroll area adopts it.
    QWidget* documentView() const { return m_document; }
    // The zoom factor the document is shown at; shapes the card outline's corners.
    void setFactor(double factor);

    // Where the visible area starts in document pixels (negative while centred).
    QPoint origin() const;
    // The proposed origin kept inside the document; axes on which the document is smaller
    // than the visible area are centred.
    QPoint constrainScrollPoint(QPoint proposed) const;
    // Centres the document on every axis on which it is smaller than the visible area.
    void centerDocument();

    // The origin on one axis that centres a document of `document` pixels in `clip` pixels.
    static int centredOrigin(int document, int clip);

Q_SIGNALS:
    // The document moved or changed its size (a scroll, a zoom, a centring).
    void documentPlaced();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void adoptDocument(QWidget* document);
    // The card's outline in the clip view's pixels, shrunk by `insetPixels` on every side.
    QPainterPath cardOutline(double insetPixels = 0.0) const;
    const QImage& cardShadow(const QPainterPath& outline);

    QPointer<QWidget> m_document;
    double m_factor = 1.0;
    // The blurred shadow is remade only when the card's outline changes.
    QImage m_shadow;
    QPainterPath m_shadowOutline;
};
