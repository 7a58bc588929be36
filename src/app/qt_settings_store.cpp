// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt_settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ribodex {
namespace {

QString Key(std::string_view section, std::string_view key)
{
    return QString::fromLatin1(section.data(), qsizetype(section.size())) + QLatin1Char('/') +
           QString::fromLatin1(key.data(), qsizetype(key.size()));
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings(QSettings::IniFormat, QSettings::UserScope,
               QStringLiteral("Olvenstrom Software Engineering"), QStringLiteral("Quillcast Ribodex"))
{
}

QtSettingsStore::QtSettingsStore(const QString& iniPath) : settings(iniPath, QSettings::IniFormat)
{
}

int QtSettingsStore::GetInt(std::string_view section, std::string_view key, int fallback) const
{
    const QVariant value = settings.value(Key(section, key));
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : fallback;
}

std::string QtSettingsStore::GetText(std::string_view section, std::string_view key,
                                     std::string_view fallback) const
{
    const QVariant value = settings.value(Key(section, key));
    if (!value.isValid())
        return std::string(fallback);
    const QString text = value.toString();
    std::string bytes;
    bytes.reserve(size_t(text.size()));
    for (QChar c : text) {
        // Only Latin-1 is ever written; anything else was typed into the file by hand.
        bytes.push_back(c.unicode() < 0x100 ? char(c.unicode()) : '?');
    }
    return bytes;
}

bool QtSettingsStore::SetInt(std::string_view section, std::string_view key, int value)
{
    return Store(section, key, value);
}

bool QtSettingsStore::SetText(std::string_view section, std::string_view key, std::string_view value)
{
    return Store(section, key, QString::fromLatin1(value.data(), qsizetype(value.size())));
}

bool QtSettingsStore::Store(std::string_view section, std::string_view key, const QVariant& value)
{
    MakePrivate();
    settings.setValue(Key(section, key), value);
    return Flush();
}

bool QtSettingsStore::Flush()
{
    settings.sync();
    MakePrivate();
    return settings.status() == QSettings::NoError;
}

void QtSettingsStore::MakePrivate()
{
    // Create the file 0600 before QSettings writes it the first time (it keeps the mode of
    // an existing file when it replaces it), and mend a file that another tool widened.
    const QByteArray path = QFile::encodeName(settings.fileName());
    QDir().mkpath(QFileInfo(settings.fileName()).absolutePath());
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::fchmod(fd, 0600);
        ::close(fd);
    }
}

}  // namespace ribodex
