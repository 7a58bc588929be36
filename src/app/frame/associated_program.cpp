// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/associated_program.h"

#include <QFile>
#include <QStringList>
#include <optional>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

#include "core/shell/browser_command.h"

namespace ribodex {
namespace {

constexpr int kXdgMimeLimitMs = 5000;
constexpr qint64 kMaxDesktopEntrySize = 1 << 20;

std::optional<QStringList> Refuse(QString* why, const QString& reason)
{
    if (why != nullptr)
        *why = reason;
    return std::nullopt;
}

// The desktop entry file of a desktop file id: "vendor-app.desktop" may also live as
// vendor/app.desktop below an applications folder.
QString LocateDesktopEntry(const QString& id)
{
    QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
    for (qsizetype dash = id.indexOf(QLatin1Char('-')); path.isEmpty() && dash > 0;
         dash = id.indexOf(QLatin1Char('-'), dash + 1)) {
        QString nested = id;
        nested[dash] = QLatin1Char('/');
        path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, nested);
    }
    return path;
}

// The program and its arguments, or nullopt with the reason in why.
std::optional<QStringList> AssociatedProgramCommand(QString extension, const QString& argument, QString* why)
{
    extension = QString::fromStdString(WithLeadingDot(extension.toStdString()));
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QLatin1String("file") + extension,
                                                           QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault())
        return Refuse(why, QStringLiteral("no MIME type for %1").arg(extension));

    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type.name()});
    if (!query.waitForFinished(kXdgMimeLimitMs)) {
        query.kill();
        query.waitForFinished(1000);
        return Refuse(why, QStringLiteral("xdg-mime did not answer: %1").arg(query.errorString()));
    }
    const QString id = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0 || id.isEmpty() ||
        id.contains(QLatin1Char('/')) || id.contains(QLatin1Char('\n')))
        return Refuse(why, QStringLiteral("no default application for %1").arg(type.name()));

    const QString path = LocateDesktopEntry(id);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return Refuse(why, QStringLiteral("desktop entry %1 not found").arg(id));
    const QByteArray text = file.read(kMaxDesktopEntrySize);
    const auto exec = DesktopEntryExec(std::string_view(text.constData(), std::size_t(text.size())));
    if (!exec)
        return Refuse(why, QStringLiteral("%1 has no Exec line").arg(path));
    const auto words = ExecArguments(*exec, argument.toStdString());
    if (!words)
        return Refuse(why, QStringLiteral("%1: cannot read its Exec line").arg(path));
    QStringList command;
    for (const std::string& word : *words)
        command << QString::fromStdString(word);
    return command;
}

}  // namespace

bool RunAssociatedProgram(QString extension, const QString& argument)
{
    QString why;
    const std::optional<QStringList> command = AssociatedProgramCommand(std::move(extension), argument, &why);
    if (!command) {
        qWarning("ribodex: cannot start the browser: %s", qPrintable(why));
        return false;
    }
    if (!QProcess::startDetached(command->first(), command->mid(1))) {
        qWarning("ribodex: cannot start %s", qPrintable(command->first()));
        return false;
    }
    return true;
}

}  // namespace ribodex
