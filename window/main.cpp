#include "frmtallyfen.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const std::unique_ptr<tallyfen::frmTallyfen> window = tallyfen::startUp();
    return app.exec();
}
