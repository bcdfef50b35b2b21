// The yardstick for the window's memory: a bare Qt Widgets window of
// Brennquist's size with one label, as little as a Qt window can be.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Bare"));
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.setFixedSize(843, 558);  // the window's 12645 x 8370 twips
    window.show();
    return QApplication::exec();
}
