#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel placeholder(QStringLiteral("Qorvel Somnexa Management System"));
    placeholder.resize(480, 120);
    placeholder.show();
    return QApplication::exec();
}
