#pragma once
// The front desk on the real window in visitor mode: the front side panel typed into and its
// buttons pressed as a user does, passes printed to PDF through the print panel and read back.
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "StartRoadFixture.h"
#include "mainwindow/LiveModePanels.h"
#include "views/visitors/Profile_Side_Panel.h"

class VisitorDeskFixture : public StartRoadFixture {
protected:
    Profile_Side_Panel& front() const { return controller.liveModes().panel(0); }
    void type(const char* id, const QString& text)
    {
        QLineEdit& field = *front().textBox(QLatin1String(id));
        field.setText(text);
        Q_EMIT field.textEdited(text);
    }
    void click(const char* button) { front().findChild<QPushButton*>(QLatin1String(button))->click(); }
    // Presses the button; true when it opened no window (print panel, preview).
    bool opensNoWindow(const char* button)
    {
        bool opened = false;
        dialogs.queueHook([&opened](QDialog&) { opened = true; });
        click(button);
        dialogs.clearHooks();
        return !opened;
    }
    // The next print panel prints to this PDF.
    void printTo(const QString& pdf)
    {
        dialogs.queueHook([pdf](QDialog& dialog) {
            QPrinter& printer = *static_cast<QPrintDialog&>(dialog).printer();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            dialog.setResult(QDialog::Accepted);
        });
    }
    // The PDF's page as a PNG at dpi beside it (pdftoppm); its path.
    static QString pageOf(const QString& pdf, int dpi)
    {
        const QString page = pdf.chopped(4);
        TestEnvironment::run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                                          QStringLiteral("-singlefile"), pdf, page});
        return page + QStringLiteral(".png");
    }
    QString barcodeOn(const QString& pdf) const
    {
        const auto read = TestEnvironment::run(QStringLiteral("ZXingReader"), {QStringLiteral("-noscale"), pageOf(pdf, 300)});
        for (const QByteArray& line : read.out.split('\n'))
            if (line.startsWith("Text:"))
                return QString::fromUtf8(line.mid(5)).trimmed().remove(u'"');
        return QString();
    }
};
