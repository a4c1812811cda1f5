// The yardstick of the programs' start-up: a bare Qt window of a given client size with a 50 ms
// timer running, nothing else. bench/measure starts it interleaved with the programs and compares
// the moments their windows are mapped.
//
//   bare_window [WIDTH HEIGHT]        client size in pixels (default 396 x 492)
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    int width = 396;
    int height = 492;
    if (argc == 3) {
        width = std::atoi(argv[1]);
        height = std::atoi(argv[2]);
    }
    QWidget window;
    window.setFixedSize(width, height);
    window.setWindowTitle(QStringLiteral("bare"));
    QTimer tick;
    tick.start(50);
    window.show();
    return QApplication::exec();
}
