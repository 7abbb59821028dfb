#pragma once
// The document's own print: its front side at the standard card size, on the document's print
// settings with the settings the caller adds, under the design file's name. Made for one print and
// thrown away; the printing may run on a thread of its own.
#include <QPageLayout>
#include <QVariantMap>

#include "render/SKTRenderingView.h"

class QPagedPaintDevice;
class SKTDocument;

class DocumentPrintOperation {
public:
    DocumentPrintOperation(SKTRenderingView view, QPageLayout printInfo, QVariantMap printSettings);

    const SKTRenderingView& view() const { return m_view; }
    QString jobTitle() const { return m_view.printJobTitle(); }
    const QPageLayout& printInfo() const { return m_printInfo; }
    // The settings the caller added to the print settings.
    const QVariantMap& printSettings() const { return m_printSettings; }
    bool canSpawnSeparateThread() const { return true; }

    // Prints the view on one page of the device, on the operation's paper, centred in the area
    // the paper can print; the device paints at 72 dots per inch or scales to it. False when the
    // device cannot be painted on.
    bool runOperation(QPagedPaintDevice& device) const;

private:
    SKTRenderingView m_view;
    QPageLayout m_printInfo;
    QVariantMap m_printSettings;
};

// The print of the document's front side (printOperationWithSettings:error:): titled by the
// design file's name without its extension, or by the window title while the design has no file.
DocumentPrintOperation printOperationWithSettings(const SKTDocument& document, const QString& projectFileName,
                                                  const QPageLayout& printInfo, const QVariantMap& settings);
