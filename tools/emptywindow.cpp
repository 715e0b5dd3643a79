// The yardstick for Tallyro's start-up: an empty Qt 6 main window of the same
// size, built with the same compiler, flags and Qt as the program, so that
// scripts/measure-startup can say how much of the start-up is Tallyro's own.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Empty Qt window"));
    window.resize(1040, 760);
    window.show();
    return app.exec();
}
