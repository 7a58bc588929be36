// The view's Edit commands: Copy, Cut and Paste through the system clipboard. The records
// are the core's (clipboard_records.h); here the text crosses the clipboard, Windows-1252
// inside, Unicode outside, with the record bytes 0x04 and 0x05 kept as they are.
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
#include "core/phonebook/clipboard_records.h"
#include "core/phonebook/command_state.h"
#include "core/session/connection_flow.h"
#include "core/session/paste.h"
#include "core/session/user_interface.h"

namespace ribodex {
namespace {

// The clipboard's text as Windows-1252; nullopt when it holds no text.
std::optional<std::string> ClipboardText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText())
        return std::nullopt;
    return ToCp1252(data->text());
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
    const std::optional<std::string> text = ClipboardText();
    const bool hasEntries = text && CountClipboardEntries(*text) > 0;
    if (hasEntries == clipboardHasEntries)
        return;
    clipboardHasEntries = hasEntries;
    emit StateChanged();
}

void CRdxView::OnCopy()
{
    WaitCursor wait(session.ui);
    QClipboard* clipboard = QGuiApplication::clipboard();
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        clipboard->clear();
        QApplication::beep();
        return;
    }
    std::vector<ListRow> selected;
    selected.reserve(rows.size());
    for (int row : rows)
        selected.push_back(model->Row(row));
    const QString text = FromCp1252(BuildClipboardText(selected));
    clipboard->setText(text);
    // A platform without a usable clipboard takes the text without a word.
    if (clipboard->text() != text)
        ShowMessageBox(window(), StringTable::Text(IDS_ERROR));
}

void CRdxView::OnCut()
{
    OnCopy();
    OnDeleteEntry();
}

void CRdxView::OnPaste()
{
    const std::optional<std::string> text = ClipboardText();
    const PasteCount count = text ? PasteEntries(session, *model, *text) : PasteCount{};
    if (count.records == 0) {
        QApplication::beep();
        return;
    }
    emit StateChanged();  // the refresh may have changed the items
}

}  // namespace ribodex
