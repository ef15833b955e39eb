// KWLSolo: plans how the parts of a woodworking project are cut from sheet stock.
#include "shell/CKerfwellPlusApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Kerfwell Plus Solo"));
    CKerfwellPlusApp program;
    if (!program.InitInstance(QApplication::arguments().mid(1)))
        return program.ExitInstance();
    const int result = QApplication::exec();
    program.ExitInstance();
    return result;
}
