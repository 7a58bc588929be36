// SPDX-License-Identifier: GPL-3.0-or-later
// The view's commands for contacts files: File > Import Contacts (also a .vcf or .csv file
// dropped on the list), File > Export Contacts, and Edit > Find Duplicates. The files are
// read, planned and written by the core (contact_file.h, contact_plan.h, csv_contacts.h,
// vcard.h, entry_match.h); the writes go through Paste's run of writes, with its progress
// and Cancel.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QSaveFile>
#include <QTreeView>

#include "app/dialogs/import_plan_dlg.h"
#include "app/frame/command_actions.h"
#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/message_box.h"
#include "core/device/gsm_device.h"
#include "core/device/phone_book_storage.h"
#include "core/formats/contact_file.h"
#include "core/formats/contact_plan.h"
#include "core/formats/csv_contacts.h"
#include "core/formats/entry_match.h"
#include "core/formats/json_export.h"
#include "core/formats/vcard.h"
#include "core/list/command_state.h"
#include "core/session/connection_flow.h"
#include "core/session/memory_backup.h"
#include "core/session/paste.h"
#include "core/session/user_interface.h"

namespace ribodex {
namespace {

bool IsContactsFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard") || suffix == QLatin1String("csv");
}

// The one local contacts file among the dropped URLs, or empty.
QString DroppedFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() && IsContactsFile(url.toLocalFile()) ? url.toLocalFile() : QString();
}

}  // namespace

void CRdxView::ConnectContactsCommands(const CommandActions& actions)
{
    connect(actions.Get(ID_FILE_IMPORT_CONTACTS), &QAction::triggered, this, &CRdxView::OnImportContacts);
    connect(actions.Get(ID_FILE_EXPORT_CONTACTS), &QAction::triggered, this, &CRdxView::OnExportContacts);
    connect(actions.Get(ID_EDIT_FIND_DUPLICATES), &QAction::triggered, this, &CRdxView::OnFindDuplicates);
    setAcceptDrops(true);
}

std::vector<PhoneBookEntry> CRdxView::ListEntries(const std::vector<int>& rows) const
{
    std::vector<PhoneBookEntry> entries;
    for (int row : rows) {
        const ListRow& item = model->Row(row);
        entries.push_back({model->ItemIndex(row), item[NumberColumn], item[NameColumn]});
    }
    return entries;
}

std::vector<int> CRdxView::AllRows() const
{
    std::vector<int> rows;
    for (int row = 0; row < model->rowCount(); ++row)
        rows.push_back(row);
    return rows;
}

void CRdxView::OnImportContacts()
{
    QString path;
    {
        CursorLift lift;
        QFileDialog dialog(window(), tr("Import Contacts"), QString(),
                           tr("Contacts (*.vcf *.vcard *.csv)") + QStringLiteral(";;") + tr("All Files (*)"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        path = dialog.selectedFiles().constFirst();
    }
    ImportContacts(path);
}

bool CRdxView::ImportContacts(const QString& path)
{
    if (!session.connected)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessageBox(window(), tr("The file \"%1\" could not be read.\n%2").arg(path, file.errorString()));
        return false;
    }
    const std::string bytes = file.readAll().toStdString();
    const std::optional<ContactFormat> format = DetectContactFormat(bytes);
    if (!format) {
        ShowMessageBox(window(), tr("The file \"%1\" is neither a vCard file nor a CSV file of Google Contacts, "
                                    "Outlook or Thunderbird.")
                                     .arg(path));
        return false;
    }
    const std::vector<VCardContact> contacts = ReadContacts(bytes, *format);
    GsmDevice& device = session.device;
    PlanTarget target;
    {
        WaitCursor wait(session.ui);
        target = PlanTargetOf(device, ListEntries(AllRows()));
    }
    const std::vector<PlanRow> rows = PlanContacts(contacts, target);
    if (rows.empty()) {
        ShowMessageBox(window(), tr("The file \"%1\" holds no contact.").arg(path));
        return false;
    }
    std::vector<ImportEntry> entries;
    {
        CursorLift lift;
        CImportPlanDlg dialog(rows, window());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        for (std::size_t row : dialog.TickedRows())
            entries.push_back({rows[row].number, rows[row].name});
    }
    if (entries.empty())
        return false;
    PasteEntries(session, *model, entries);
    emit StateChanged();
    return true;
}

void CRdxView::OnExportContacts()
{
    std::vector<int> rows = SelectedRows();
    if (rows.empty())
        rows = AllRows();
    if (rows.empty())
        return;
    const QStringList filters = {tr("vCard Files (*.vcf)"), tr("CSV Files (*.csv)"), tr("JSON Files (*.json)")};
    QString path, filter;
    {
        CursorLift lift;
        QFileDialog dialog(window(), tr("Export Contacts"), QString(), filters.join(QStringLiteral(";;")));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("vcf"));
        connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString& chosen) {
            static const char* suffixes[] = {"vcf", "csv", "json"};
            dialog.setDefaultSuffix(QLatin1String(suffixes[std::max<qsizetype>(0, filters.indexOf(chosen))]));
        });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        path = dialog.selectedFiles().constFirst();
        filter = dialog.selectedNameFilter();
    }
    BusyCursor busy;
    const std::vector<PhoneBookEntry> entries = ListEntries(rows);
    const PhoneBookStorageInfo* memory = FindPhoneBookStorage(listPhoneBook);
    const std::string atName = memory ? std::string(memory->atName) : std::string();
    const qsizetype kind = filters.indexOf(filter);
    const std::string text = kind == 1   ? WriteGoogleCsv(entries)
                             : kind == 2 ? WriteJsonEntries(entries, atName)
                                         : WriteVCards(entries, atName);
    // Beside the target and renamed over it when complete: an old file is never left cut short.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
        !file.commit())
        ShowMessageBox(window(), tr("The file \"%1\" could not be written.\n%2").arg(path, file.errorString()));
}

void CRdxView::OnFindDuplicates()
{
    const std::vector<std::size_t> found = DuplicatePositions(ListEntries(AllRows()));
    QItemSelectionModel* selection = reportView->selectionModel();
    selection->clearSelection();
    if (found.empty()) {
        ShowMessageBox(window(), tr("No two entries share a number."));
        return;
    }
    for (std::size_t row : found)
        selection->select(model->index(int(row), 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    reportView->scrollTo(model->index(int(found.front()), 0));
    emit StateChanged();
}

void CRdxView::dragEnterEvent(QDragEnterEvent* event)
{
    if (session.connected && !DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CRdxView::dragMoveEvent(QDragMoveEvent* event)
{
    if (session.connected && !DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CRdxView::dropEvent(QDropEvent* event)
{
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has ended: the plan dialog must not run inside the platform's drag loop.
    QMetaObject::invokeMethod(this, [this, path] { ImportContacts(path); }, Qt::QueuedConnection);
}

}  // namespace ribodex
