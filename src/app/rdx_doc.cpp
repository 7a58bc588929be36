// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/rdx_doc.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include "app/frame/command_actions.h"
#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/message_box.h"
#include "app/string_table.h"
#include "core/list/command_state.h"
#include "core/formats/file_replace.h"
#include "core/formats/text_export.h"

namespace ribodex {
namespace {

// "Description|pattern|...||" as the string table holds file filters, for QFileDialog:
// one "Description (pattern pattern)" per pair.
QString NameFilters(const QString& table)
{
    const QStringList parts = table.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString description = parts[i];
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0 && description.endsWith(QLatin1Char(')')))
            description = description.left(open).trimmed();
        QString patterns = parts[i + 1];
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.replace(QLatin1Char(';'), QLatin1Char(' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

// Unbuffered and in a loop: a buffered QSaveFile loses an error of its last flush in
// commit(), and a short write is followed by the one that tells the system's reason.
bool WriteAll(QFileDevice& file, const std::string& text)
{
    qint64 written = 0;
    const auto size = qint64(text.size());
    while (written < size) {
        const qint64 now = file.write(text.data() + written, size - written);
        if (now <= 0)
            return false;
        written += now;
    }
    return true;
}

}  // namespace

CRdxDoc::CRdxDoc(CRdxView* view, const CommandActions& actions, QObject* parent) : QObject(parent), view(view)
{
    connect(actions.Get(ID_FILE_EXPORT), &QAction::triggered, this, &CRdxDoc::OnFileExport);
}

void CRdxDoc::OnFileExport()
{
    QString path;
    bool utf8 = false;
    {
        CursorLift lift;
        // The second type keeps names that Windows-1252 cannot hold; the first stays the default.
        const QString filters = NameFilters(StringTable::Text(IDS_EXPORT_FILTER)) + QStringLiteral(";;") +
                                tr("UTF-8 Text Files (*.txt)");
        QFileDialog dialog(view->window(), QString(), QString(), filters);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        path = dialog.selectedFiles().constFirst();
        utf8 = dialog.selectedNameFilter() == filters.section(QStringLiteral(";;"), 1);
    }
    BusyCursor busy;
    QString error;
    if (!ExportTo(path, &error, utf8 ? ExportEncoding::Utf8 : ExportEncoding::Cp1252))
        ShowMessageBox(view->window(), tr("The file \"%1\" could not be written.\n%2")
                                           .arg(QDir::toNativeSeparators(path), error));
}

bool CRdxDoc::ExportTo(const QString& path, QString* error, ExportEncoding encoding) const
{
    auto header = [encoding](int id) {
        const QString text = StringTable::Text(id);
        return encoding == ExportEncoding::Utf8 ? text.toStdString() : ToCp1252(text);
    };
    const ExportHeaders headers{header(IDS_NAME_COLUMN), header(IDS_NUMBER_COLUMN), header(IDS_INDEX_COLUMN)};
    const std::string text = ExportText(view->Model()->Rows(), headers, encoding);
    if (!ReplacingIsSafe(QFile::encodeName(path).toStdString())) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) && WriteAll(file, text)) {
            file.close();
            if (file.error() == QFileDevice::NoError)
                return true;
        }
        if (error != nullptr)
            *error = file.errorString();
        return false;
    }
    // Written beside the target and renamed over it when complete, so that a full disk
    // or a lost drive never leaves the user's old file emptied or cut short.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && WriteAll(file, text) && file.commit())
        return true;
    if (error != nullptr)
        *error = file.errorString();
    return false;
}

}  // namespace ribodex
