#pragma once
// The signature page: the signature or fingerprint picture (PNG) and its border, written into the
// selected signatures.
#include <QString>
#include <memory>
#include <optional>

#include "views/inspector/ElementPanel.h"

class QPlainTextEdit;
struct BorderFields;

namespace Ui {
class SignaturePanel;
}

// Replaces the whole text of a path view.
void Set_NS_Text_View_String(QPlainTextEdit& view, const QString& text);

class SignaturePanel : public ElementPanel {
    Q_OBJECT
public:
    SignaturePanel(const PanelContext& context, QObject* parent = nullptr);
    ~SignaturePanel() override;

    void load(SKTGraphic& graphic) override;

    // The writer, under the common rule. Each signature takes the path field's picture ("Default"
    // its kind's sample) once the user changed the field or chose a file with Browse…; until then
    // each keeps its own. A changed
    // path that names no readable picture, an empty one included, leaves the signatures without a
    // picture.
    void Update_Sign_Graphics();

    // Control actions.
    void Sign_Browse_Btn();
    void Sign_Border_ChkBox();

private:
    void connectControls();
    BorderFields border() const;
    // The field's path when the user changed it; none otherwise.
    std::optional<QString> changedPath() const;
    // The writer with the picture path to give every selected signature, or none to leave each its
    // own.
    void writeSignatures(const std::optional<QString>& path);

    std::unique_ptr<Ui::SignaturePanel> ui;
    QString m_loadedPath;
};
