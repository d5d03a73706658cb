// winrux: plays a story in a desktop window.

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("R.U.X.");
    return 0;
}
