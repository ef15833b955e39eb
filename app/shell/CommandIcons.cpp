#include "shell/CommandIcons.h"

#include "shell/ShellCommands.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace {

constexpr int kDrawnSize = 24;

enum class Drawn { None, Padlock, Book };

struct IconSource
{
    int id;
    const char* themeName; // freedesktop icon naming
    QStyle::StandardPixmap standard; // used when the theme has no such icon
    Drawn drawn; // drawn when the style has none either
};

constexpr QStyle::StandardPixmap kNoStandard = QStyle::SP_CustomBase;

const IconSource kSources[] = {
    { ShellCommand::FileNew, "document-new", QStyle::SP_FileIcon, Drawn::None },
    { ShellCommand::FileOpen, "document-open", QStyle::SP_DialogOpenButton, Drawn::None },
    { ShellCommand::FileSave, "document-save", QStyle::SP_DialogSaveButton, Drawn::None },
    { ShellCommand::FilePrint, "document-print", QStyle::SP_ComputerIcon, Drawn::None },
    { ShellCommand::FilePrintPreview, "document-print-preview", QStyle::SP_FileDialogContentsView,
        Drawn::None },
    { ShellCommand::EditCut, "edit-cut", QStyle::SP_TrashIcon, Drawn::None },
    { ShellCommand::EditCopy, "edit-copy", QStyle::SP_FileDialogDetailedView, Drawn::None },
    { ShellCommand::EditPaste, "edit-paste", QStyle::SP_FileDialogListView, Drawn::None },
    { ShellCommand::InsertNewPart, "list-add", QStyle::SP_FileDialogNewFolder, Drawn::None },
    { ShellCommand::DeleteSelection, "edit-delete", QStyle::SP_DialogDiscardButton, Drawn::None },
    { ShellCommand::GroupEdit, "edit-select-all", QStyle::SP_FileDialogInfoView, Drawn::None },
    { ShellCommand::MoveUp, "go-up", QStyle::SP_ArrowUp, Drawn::None },
    { ShellCommand::MoveDown, "go-down", QStyle::SP_ArrowDown, Drawn::None },
    { ShellCommand::RenumberParts, "view-refresh", QStyle::SP_BrowserReload, Drawn::None },
    { ShellCommand::SortByCrossSection, "view-sort-ascending", QStyle::SP_TitleBarShadeButton, Drawn::None },
    { ShellCommand::ProjectSettings, "document-properties", QStyle::SP_DirHomeIcon, Drawn::None },
    { ShellCommand::Preferences, "preferences-system", QStyle::SP_DesktopIcon, Drawn::None },
    { ShellCommand::LockProject, "changes-prevent", kNoStandard, Drawn::Padlock },
    { ShellCommand::Vendors, "x-office-address-book", QStyle::SP_DriveNetIcon, Drawn::None },
    { ShellCommand::UsersManual, "help-contents", kNoStandard, Drawn::Book },
};

QPixmap DrawnPixmap(Drawn kind)
{
    QPixmap pixmap(kDrawnSize, kDrawnSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(50, 60, 80);
    switch (kind) {
    case Drawn::Padlock: {
        painter.setPen(QPen(ink, 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(7, 3, 10, 12), 0, 180 * 16);
        painter.drawLine(QPointF(7, 9), QPointF(7, 11));
        painter.drawLine(QPointF(17, 9), QPointF(17, 11));
        painter.setPen(QPen(ink, 1));
        painter.setBrush(QColor(225, 170, 40));
        painter.drawRoundedRect(QRectF(4.5, 10.5, 15, 11), 2, 2);
        painter.setBrush(ink);
        painter.drawEllipse(QPointF(12, 15), 1.6, 1.6);
        painter.drawRect(QRectF(11.4, 15, 1.2, 3.5));
        break;
    }
    case Drawn::Book: {
        painter.setPen(QPen(ink, 1));
        painter.setBrush(QColor(40, 100, 180));
        painter.drawRoundedRect(QRectF(4.5, 2.5, 15, 19), 1.5, 1.5);
        painter.setBrush(QColor(250, 250, 245));
        painter.drawRect(QRectF(7.5, 18.5, 12, 3));
        painter.setPen(QPen(Qt::white, 2.2));
        QPainterPath mark;
        mark.moveTo(9.5, 8);
        mark.cubicTo(9.5, 4.5, 15.5, 4.5, 15.5, 8);
        mark.cubicTo(15.5, 10.5, 12.5, 10.5, 12.5, 13.5);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(mark);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(12.5, 16.3), 1.3, 1.3);
        break;
    }
    case Drawn::None:
        break;
    }
    return pixmap;
}

bool HasPicture(const QIcon& icon)
{
    return !icon.isNull() && !icon.pixmap(kDrawnSize, kDrawnSize).isNull();
}

} // namespace

QIcon CommandIcon(int commandId)
{
    for (const IconSource& source : kSources) {
        if (source.id != commandId)
            continue;
        QIcon fallback;
        if (source.standard != kNoStandard)
            fallback = QApplication::style()->standardIcon(source.standard);
        if (!HasPicture(fallback))
            fallback = QIcon(DrawnPixmap(source.drawn == Drawn::None ? Drawn::Book : source.drawn));
        const QIcon themed = QIcon::fromTheme(QString::fromLatin1(source.themeName));
        return HasPicture(themed) ? themed : fallback;
    }
    return {};
}
