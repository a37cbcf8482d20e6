// The floor for start-up: a bare Qt Widgets window of Tallyfen's size showing one text label.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(342, 270);
    QLabel label(QStringLiteral("Dance points, grade and award"), &window);
    label.move(16, 16);
    window.showNormal();
    return app.exec();
}
