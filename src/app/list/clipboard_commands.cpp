// SPDX-License-Identifier: GPL-3.0-or-later
// The view's Edit commands: Copy, Cut and Paste through the system clipboard. The records
// are the core's (clipboard_records.h); here the text crosses the clipboard, Windows-1252
// inside, Unicode outside, with the record bytes 0x04 and 0x05 kept as they are. Copy also
// offers the entries as vCards for address books, which carry every name whole; Paste takes
// the names from them when they are the records' own entries, and takes vCards alone when
// the clipboard holds no records (the core's reader and import plan, vcard.h and
// vcard_import.h).
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <optional>

#include "app/frame/command_actions.h"
#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/message_box.h"
#include "app/string_table.h"
#include "core/device/gsm_device.h"
#include "core/formats/clipboard_records.h"
#include "core/formats/cp1252.h"
#include "core/list/command_state.h"
#include "core/formats/vcard.h"
#include "core/formats/vcard_import.h"
#include "core/session/connection_flow.h"
#include "core/session/name_check.h"
#include "core/session/paste.h"
#include "core/session/user_interface.h"

namespace ribodex {
namespace {

// text/x-vcard is what older address books offer and look for.
const QString kVCardTypes[] = {QStringLiteral("text/vcard"), QStringLiteral("text/x-vcard")};

// What Paste can take from the clipboard, copied out before any device traffic.
struct ClipboardContent {
    std::vector<ImportEntry> records;  // the records of ours in the text, names in UTF-8
    ImportPlan contacts;               // otherwise the vCards' contacts
};

// The vCards beside the records, when they are the same entries (as our own Copy puts
// them): their names are whole where the records' Windows-1252 has '?'.
void TakeWholeNames(std::vector<ImportEntry>& records, const ImportPlan& cards)
{
    if (cards.entries.size() != records.size() || cards.skipped > 0)
        return;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (cards.entries[i].number != records[i].number ||
            Utf8ToCp1252Lossy(cards.entries[i].name) != Utf8ToCp1252Lossy(records[i].name))
            return;
    }
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i].name = cards.entries[i].name;
}

ClipboardContent ReadClipboard(bool ucs2Offered)
{
    ClipboardContent content;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr)
        return content;
    std::string cards;
    for (const QString& type : kVCardTypes) {
        if (data->hasFormat(type)) {
            cards = data->data(type).toStdString();
            break;
        }
    }
    if (data->hasText()) {
        const std::string text = ToCp1252(data->text());
        if (CountClipboardEntries(text) > 0) {
            content.records = RecordEntries(text);
            if (!cards.empty())
                TakeWholeNames(content.records, PlanImport(cards, true));
            return content;
        }
        // A text editor or a mail offers a vCard as plain text only.
        if (cards.empty() && data->text().trimmed().startsWith(QLatin1String("BEGIN:VCARD"), Qt::CaseInsensitive))
            cards = data->text().toUtf8().toStdString();
    }
    if (!cards.empty())
        content.contacts = PlanImport(cards, ucs2Offered);
    return content;
}

}  // namespace

void CRdxView::ConnectClipboardCommands(const CommandActions& actions)
{
    connect(actions.Get(ID_EDIT_COPY), &QAction::triggered, this, &CRdxView::OnCopy);
    connect(actions.Get(ID_EDIT_CUT), &QAction::triggered, this, &CRdxView::OnCut);
    connect(actions.Get(ID_EDIT_PASTE), &QAction::triggered, this, &CRdxView::OnPaste);
    // Paste follows the clipboard as it changes; no polling.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CRdxView::OnClipboardChanged);
    OnClipboardChanged();
}

void CRdxView::OnClipboardChanged()
{
    const ClipboardContent content = ReadClipboard(session.device.ucs2Offered);
    // vCard contacts count when at least one has a number the device can store.
    const bool hasEntries = !content.records.empty() || !content.contacts.entries.empty();
    if (hasEntries == clipboardHasEntries)
        return;
    clipboardHasEntries = hasEntries;
    emit StateChanged();
}

namespace {

// The rows as records and as vCards; false when the platform did not take them.
bool PlaceOnClipboard(const std::vector<ListRow>& rows)
{
    std::vector<PhoneBookEntry> entries;
    entries.reserve(rows.size());
    for (const ListRow& item : rows)
        entries.push_back({ItemIndex(item[IndexColumn]), item[NumberColumn], item[NameColumn]});
    const QString text = FromCp1252(BuildClipboardText(rows));
    auto* data = new QMimeData;
    data->setText(text);
    // No memory in the cards: the list may hold another memory's entries than the device's
    // selected one.
    const QByteArray cards = QByteArray::fromStdString(WriteVCards(entries, {}));
    for (const QString& type : kVCardTypes)
        data->setData(type, cards);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(data);
    // A platform without a usable clipboard takes the data without a word.
    return clipboard->text() == text;
}

}  // namespace

void CRdxView::OnCopy()
{
    WaitCursor wait(session.ui);
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        QGuiApplication::clipboard()->clear();
        QApplication::beep();
        return;
    }
    std::vector<ListRow> selected;
    selected.reserve(rows.size());
    for (int row : rows)
        selected.push_back(model->Row(row));
    if (!PlaceOnClipboard(selected))
        ShowMessageBox(window(), StringTable::Text(IDS_ERROR));
}

// The clipboard ends up holding exactly the entries that left the phone: a stop midway or
// an entry the device refused would otherwise let a paste duplicate the ones still there.
// After No nothing was cut and the copy stays, as a Copy would have left it.
void CRdxView::OnCut()
{
    const std::size_t copied = SelectedRows().size();
    OnCopy();
    const std::optional<std::vector<ListRow>> deleted = DeleteSelected();
    if (!deleted || deleted->size() == copied)
        return;
    if (deleted->empty())
        QGuiApplication::clipboard()->clear();
    else if (!PlaceOnClipboard(*deleted))
        ShowMessageBox(window(), StringTable::Text(IDS_ERROR));
}

void CRdxView::OnPaste()
{
    const ClipboardContent content = ReadClipboard(session.device.ucs2Offered);
    PasteCount count;
    if (!content.records.empty()) {
        std::vector<std::string> names;
        for (const ImportEntry& entry : content.records)
            names.push_back(entry.name);
        if (!ConfirmEntryNames(CheckEntryNames(session.device, names)))
            return;
        count = PasteEntries(session, *model, content.records);
    } else {
        if (!ConfirmChangedNames(content.contacts.changed))
            return;
        count = PasteContacts(session, *model, content.contacts);
    }
    if (count.records == 0) {
        QApplication::beep();
        return;
    }
    emit StateChanged();  // the refresh may have changed the items
}

// Asked before anything is written, not told afterwards: the user may rather correct the
// names at their source than find blanks in the phone. The names are shown as the contacts
// have them, characters the device cannot hold included, which the status bar and the
// Windows-1252 messages could not show.
bool CRdxView::ConfirmChangedNames(const std::vector<ChangedName>& changed)
{
    if (changed.empty())
        return true;
    constexpr std::size_t kShown = 10;
    QStringList lines;
    for (std::size_t i = 0; i < changed.size() && i < kShown; ++i)
        lines << tr("\"%1\" as \"%2\"").arg(QString::fromStdString(changed[i].original), QString::fromStdString(changed[i].stored));
    if (changed.size() > kShown)
        lines << tr("and %1 more").arg(changed.size() - kShown);
    return AskYesNoBox(window(), tr("The device cannot hold every character of these names; each of those "
                                    "characters would be stored as a blank:\n\n%1\n\nDo you want to paste "
                                    "the entries all the same?")
                                     .arg(lines.join(QLatin1Char('\n'))));
}

}  // namespace ribodex
