// Live typing on the main window: 50 texts selected on the front side, one keystroke into the text
// page's editor (a letter, then a backspace, in turn) reaching every text, with the front canvas
// redrawn, against a bare QLineEdit taking the same text and a repaint of the same canvas. The
// target is at most 16 ms a keystroke, the redraw included.
//   bench_live_typing_bench [rounds]
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>
#include <cstdio>

#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PropertyInspector.h"
#include "BenchSupport.h"

namespace {

constexpr int kTexts = 50;
constexpr int kKeystrokes = 100;
constexpr double kTargetMs = 16.0;

// Five columns of ten texts on a CR80 card.
GraphicList fiftyTexts()
{
    GraphicList texts;
    for (int i = 0; i < kTexts; ++i) {
        GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
        text->setBounds(QRectF(4 + (i % 5) * 47, 4 + (i / 5) * 14.5, 45, 14));
        text->Set_text_value(QStringLiteral("Name %1").arg(i));
        texts.append(text);
    }
    return texts;
}

// A letter, then a backspace, so that the wording stays as long as a name.
class Keystrokes {
public:
    void sendTo(QWidget& editor)
    {
        const bool letter = (m_count++ % 2) == 0;
        const Qt::Key key = letter ? Qt::Key_A : Qt::Key_Backspace;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, letter ? QStringLiteral("a") : QString());
        QApplication::sendEvent(&editor, &press);
    }

private:
    int m_count = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    const int rounds = countArgument(argc, argv, 15);

    SKTDocument document;
    SKTWindowController controller(document);
    controller.inspector().setUpControls({});
    const GraphicList texts = fiftyTexts();
    const QList<int> all = firstIndexes(kTexts);
    document.insertGraphicsOnSide(SKTDocument::FrontSide, texts, all);
    controller.SetDocumentCanvasSize(QSizeF(242.65, 153.07));
    controller.showWindow();
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    canvas.changeSelectionIndexes(all);
    controller.inspector().Show_RHS_Properties(texts.first().get());
    auto& editor = *controller.windowLayout().inspectorView().findChild<QPlainTextEdit*>(QStringLiteral("Text_value_Edit"));
    editor.setFocus();
    editor.moveCursor(QTextCursor::End);
    QApplication::processEvents();

    Keystrokes ours;
    const BenchSide typing{[&] {
        ours.sendTo(editor);
        canvas.repaint();
    }};
    QLineEdit bare;
    const QString name = texts.first()->Text_contents();
    bool longer = true;
    const BenchSide peer{[&] {
        bare.setText(longer ? name + QLatin1Char('a') : name);
        longer = !longer;
        canvas.repaint();
    }};

    std::printf("One keystroke reaching %d selected texts, the canvas redrawn, %d keystrokes a round, median of %d rounds\n",
                kTexts, kKeystrokes, rounds);
    const PairedTimings timings = runPairedRounds(Rounds{rounds, 1, kKeystrokes}, typing, peer);
    QApplication::processEvents();
    if (texts.last()->Text_contents() != editor.toPlainText())
        std::printf("the texts did not take the typing\n");
    printRatio("live_typing", timings, "a bare QLineEdit setText and a repaint of the same canvas");
    printBudget("live_typing", "ours median per keystroke", timings.ours.median() * 1e3, kTargetMs, " ms");
    return 0;
}
