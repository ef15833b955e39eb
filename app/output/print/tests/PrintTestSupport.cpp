#include "PrintTestSupport.h"

#include "foundation/CUserPrefs.h"

#include <QProcess>

ScopedPrintPrefs::ScopedPrintPrefs()
    : m_prefs(new CUserPrefs)
{
    m_prefs->Init(m_folder.path(), m_folder.path());
    SetUserPrefs(m_prefs);
}

ScopedPrintPrefs::~ScopedPrintPrefs()
{
    SetUserPrefs(nullptr);
}

QString RunPdfTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfPageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    // Compatibility folding turns the font's ligatures ("ﬁ") back into letters.
    return RunPdfTool(QStringLiteral("pdftotext"),
        { QStringLiteral("-f"), number, QStringLiteral("-l"), number, QStringLiteral("-layout"), pdf,
            QStringLiteral("-") })
        .normalized(QString::NormalizationForm_KC);
}

QString PdfPageSizes(const QString& pdf, int lastPage)
{
    return RunPdfTool(QStringLiteral("pdfinfo"),
        { QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QString::number(lastPage), pdf });
}

QImage PdfPageImage(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    const QString prefix = pdf + QStringLiteral(".page");
    RunPdfTool(QStringLiteral("pdftoppm"),
        { QStringLiteral("-f"), number, QStringLiteral("-l"), number, QStringLiteral("-r"),
            QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix });
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}
