// The inspector's dispatch on every click: a text and a picture selected in turn, 1,000 times,
// on the main window itself (pages swapped, buttons set, panels filled), against a bare
// QTabWidget whose pages are removed and the same page sets inserted. The target is at most
// 5 ms a selection.
//   bench_inspector_dispatch_bench [rounds]
#include <QApplication>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"
#include "model/SKTGraphicKinds.h"
#include "views/inspector/PropertyInspector.h"
#include "BenchSupport.h"

namespace {

constexpr int kSelections = 1000;
constexpr double kTargetMs = 5.0;

// The peer: the text's four pages and the picture's three, swapped in a plain tab view.
class BareTabs {
public:
    BareTabs()
    {
        for (int i = 0; i < 15; ++i)
            m_pages.push_back(new QWidget(&m_tabs));
    }
    void show(const std::vector<int>& pages)
    {
        while (m_tabs.count() > 0)
            m_tabs.removeTab(0);
        for (int page : pages)
            m_tabs.addTab(m_pages[size_t(page)], QStringLiteral("Page"));
        m_tabs.setCurrentIndex(0);
    }

private:
    QTabWidget m_tabs;
    std::vector<QWidget*> m_pages;
};

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    const int rounds = countArgument(argc, argv, 15);

    SKTDocument document;
    SKTWindowController controller(document);
    const GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    const GraphicPtr picture = SKTGraphic::create(GraphicKind::Image);
    document.insertGraphicsOnSide(SKTDocument::FrontSide, {text, picture}, {0, 1});
    PropertyInspector& inspector = controller.inspector();
    BareTabs bare;

    bool textTurn = true;
    const BenchSide ours{[&] {
        inspector.Show_RHS_Properties(textTurn ? text.get() : picture.get());
        textTurn = !textTurn;
    }};
    bool bareTextTurn = true;
    const BenchSide peer{[&] {
        bare.show(bareTextTurn ? std::vector<int>{7, 8, 11, 12} : std::vector<int>{11, 9, 12});
        bareTextTurn = !bareTextTurn;
    }};

    std::printf("A text and a picture selected in turn, %d selections a round, median of %d rounds\n",
                kSelections, rounds);
    const PairedTimings timings = runPairedRounds(Rounds{rounds, 1, kSelections}, ours, peer);
    printRatio("inspector_dispatch", timings, "a bare QTabWidget swapping the same page sets");
    printBudget("inspector_dispatch", "ours median per selection", timings.ours.median() * 1e3, kTargetMs, " ms");
    return 0;
}
