#pragma once
// The program's command line. Switches begin with "-" ("/" begins a path on
// this system): "-i", "-s" and "-w" are accepted and only remembered; "-p
// file" prints a project and "-pt printer file" prints it on a printer.
// Any other name is the project to open, except names ending in ".csv" or
// ".txt" (or any name after "-i"), which are import files that nothing reads.

#include <QString>
#include <QStringList>

#include <cstdint>

class CkwlCmdLineInfo
{
public:
    enum Flag : std::uint32_t { ImportFlag = 2, SFlag = 4, WFlag = 8 };
    enum class ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo };

    // Arguments without the program's own name.
    void Parse(const QStringList& arguments);

    std::uint32_t GetFlags() const { return m_flags; }
    ShellCommand GetShellCommand() const { return m_command; }
    const QString& GetFileName() const { return m_fileName; }
    const QString& GetPrinterName() const { return m_printerName; }
    const QString& GetFirstImportFile() const { return m_firstImport; }
    const QString& GetSecondImportFile() const { return m_secondImport; }

private:
    void ParseName(const QString& name);

    std::uint32_t m_flags = 0;
    ShellCommand m_command = ShellCommand::FileNew;
    QString m_fileName;
    QString m_printerName;
    QString m_firstImport;
    QString m_secondImport;
};
