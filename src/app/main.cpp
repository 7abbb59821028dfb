#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZOVA ID Card"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("ZOVA ID Card"));
    window.resize(1200, 800);
    window.show();
    return app.exec();
}
