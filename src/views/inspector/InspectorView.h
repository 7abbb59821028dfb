#pragma once
// The inspector as the user sees it: the title above the tab view `sett_tab` and every page,
// kept alive while out of the tab view. The card pages are laid out in .ui files; their
// controls carry the names the inspector's logic finds them by.
#include <QHash>
#include <QList>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace Ui {
class CardInfoPage;
class CardSizePage;
class CardBackgroundPage;
class CardBorderPage;
}  // namespace Ui

class InspectorView : public QWidget {
    Q_OBJECT
public:
    explicit InspectorView(QWidget* parent = nullptr);
    ~InspectorView() override;

    QLabel& properties_title() const { return *m_title; }
    QTabWidget& sett_tab() const { return *m_tabs; }
    // The kind of the element whose panel is loaded, never shown: "T" text, "I" image, the
    // signature's code ("S" signature, "F" fingerprint), empty for the other kinds.
    QLineEdit& sel_control_name() const { return *m_kind; }
    // Every page in a fixed order (card_setting_tab first); each exists once.
    const QList<QWidget*>& pages() const { return m_pages; }
    // The page with that object name; null for an unknown name.
    QWidget* page(const QString& name) const { return m_pageByName.value(name); }
    // Makes the page with that name the current one when the tab view shows it; false when not.
    bool showPage(const QString& name);
    // Whether the page is one of the card side's four.
    static bool isCardPage(const QWidget* page);

    Ui::CardInfoPage& cardInfo() const { return *m_cardInfo; }
    Ui::CardSizePage& cardSize() const { return *m_cardSize; }
    Ui::CardBackgroundPage& cardBackground() const { return *m_cardBackground; }
    Ui::CardBorderPage& cardBorder() const { return *m_cardBorder; }

private:
    QWidget* addPage(const QString& name, const QString& label);

    QLabel* m_title = nullptr;
    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_kind = nullptr;
    QList<QWidget*> m_pages;
    QHash<QString, QWidget*> m_pageByName;
    std::unique_ptr<Ui::CardInfoPage> m_cardInfo;
    std::unique_ptr<Ui::CardSizePage> m_cardSize;
    std::unique_ptr<Ui::CardBackgroundPage> m_cardBackground;
    std::unique_ptr<Ui::CardBorderPage> m_cardBorder;
};
