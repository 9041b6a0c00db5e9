#include "app/MainForm.h"
#include "services/ProgramDialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ProgramDialogs dialogs;
    TMainForm window(dialogs);
    window.show();
    return app.exec();
}
