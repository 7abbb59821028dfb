#pragma once
// The PDF417 view of the barcode window: shows the symbol its drawer made for a text (light grey
// while there is none, a message when the text could not be encoded), exports it as EPS, and can
// be a drag source of the picture and a drop target for text, both off until toggled on. Its
// settings and picture go into a sequential archive.
#include <QByteArray>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include "barcodes/pdf417/Pdf417View.h"

#include <QTextEdit>

class QMimeData;

inline const QString kPdf417DrawingProblem = QStringLiteral("There was a problem drawing the barcode.");
inline const QString kUnableToPerformOperation = QStringLiteral("Unable to perform %1 operation.");
inline const QString kPasteAlertTitle = QStringLiteral("Paste");

class Pdf417ViewWidget : public QWidget {
    Q_OBJECT
public:
    explicit Pdf417ViewWidget(QWidget* parent = nullptr);

    // Makes the symbol over the view's bounds (one point a pixel) at dpi; answers the image state.
    int drawWithText(const QString& text, double dpi = 600.0);
    QImage getImage() const { return m_drawer.getImage(); }
    int imageState() const { return m_drawer.imageState(); }
    void setErrorLevel(int level) { m_drawer.setErrorLevel(level); }
    int getErrorLevel() const { return m_drawer.getErrorLevel(); }
    QByteArray makeEPS() const { return m_drawer.makeEPS(); }

    void toggleTargetState();
    void toggleSourceState();
    bool getTargetState() const { return m_isDragTarget; }
    bool getSourceState() const { return m_isDragSource; }
    bool dragSessionInProgress() const { return m_dragSessionInProgress; }

    // The text the draw action encodes.
    void setInString(QTextEdit* source) { m_inString = source; }
    // Encodes the text of the source, or logs that there is none.
    void draw();

    // Paints the view's bounds as the image state says, with a red frame during a text drag.
    void drawRect(QPainter& painter) const;

    // ---- Drag source --------------------------------------------------------------------------
    // Copy while the view is a drag source, nothing otherwise.
    Qt::DropActions draggingSourceOperationMask() const;
    // The picture as TIFF, the one type a drag of the view offers.
    QMimeData* pictureDragData() const;

    // ---- Drop target --------------------------------------------------------------------------
    // Copy (within what the source allows) for plain text while the view is a drop target.
    Qt::DropAction draggingEntered(const QMimeData& data, Qt::DropActions sourceMask);
    void draggingExited();
    // Encodes the dropped text; false, after telling the user, when there was no text, and false
    // when no picture could be made of it.
    bool performDragOperation(const QMimeData& data);
    void concludeDragOperation();

    // ---- Archive ------------------------------------------------------------------------------
    // Error level, target and source flags, image state and picture (an empty picture of the
    // view's size when there is none), in that order.
    QByteArray archived() const;
    // Reads an archive written by archived(); false, with nothing changed, for anything else.
    bool unarchive(const QByteArray& archive);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void _drawEmptyString();
    bool takeValueFromPasteboard(const QMimeData& data, const QString& operationName);

    pdf417View m_drawer;
    bool m_dragSessionInProgress = false;
    bool m_isDragTarget = false;
    bool m_isDragSource = false;
    QPointer<QTextEdit> m_inString;
};
