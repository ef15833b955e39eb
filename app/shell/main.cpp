// KWLSolo: plans how the parts of a woodworking project are cut from sheet stock.
#include "shell/CKerfwellPlusApp.h"

#include "foundation/FileNames.h"

#include <QApplication>

#include <csignal>

int main(int argc, char* argv[])
{
    // A write past the file-size limit then fails with its error, which the
    // save reports, instead of ending the program with the work unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Kerfwell Plus Solo"));
    CKerfwellPlusApp program;
    // Not QApplication::arguments(): it replaces the bytes of a name that is
    // not UTF-8, and such a file could then not be opened.
    if (!program.InitInstance(DecodeArguments(argc, argv)))
        return program.ExitInstance();
    const int result = QApplication::exec();
    program.ExitInstance();
    return result;
}
