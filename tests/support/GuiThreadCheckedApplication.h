#pragma once
// The application of the widget test programs. A widget made on any thread but the GUI thread
// fails the running test: it belongs to that thread, so its clicks and keys are never handled,
// and Qt's release builds say nothing of it. Qt sends every new widget a Create event through
// notify on the thread that makes it, which is where this looks. Qt's own warnings about objects
// used across threads fail the test too.
#include <QApplication>
#include <atomic>

class GuiThreadCheckedApplication : public QApplication {
public:
    GuiThreadCheckedApplication(int& argc, char** argv);
    ~GuiThreadCheckedApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // Widgets made off the GUI thread in this run.
    static int offThreadWidgets() { return s_offThreadWidgets; }

    // While one lives, widgets made off the GUI thread are counted and Qt's warnings passed on,
    // without failing the test: for the check's own test.
    class Expecting {
    public:
        Expecting() { ++s_expecting; }
        ~Expecting() { --s_expecting; }
        Expecting(const Expecting&) = delete;
        Expecting& operator=(const Expecting&) = delete;
    };

private:
    static void failOnCrossThreadWarning(QtMsgType type, const QMessageLogContext& context, const QString& text);

    static inline QtMessageHandler s_previousHandler = nullptr;
    static inline std::atomic<int> s_offThreadWidgets{0};
    static inline std::atomic<int> s_expecting{0};
};
