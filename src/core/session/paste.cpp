#include "core/session/paste.h"

#include <string_view>
#include <vector>

#include "core/device/gsm_device.h"
#include "core/phonebook/clipboard_records.h"
#include "core/session/connection_flow.h"
#include "core/session/refresh.h"
#include "core/session/user_interface.h"

namespace ribodex {

PasteCount PasteRecords(GsmDevice& device, std::string_view text, const PasteProgress& progress) {
    const std::vector<std::string_view> records = ClipboardRecords(text);
    PasteCount count;
    count.records = static_cast<int>(records.size());
    if (!device.IsConnected()) {
        count.failed = count.records;
        return count;
    }
    FreeLocationSearch search;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (progress) progress(static_cast<int>(i) + 1, count.records);
        device.Pause(device.timing.perPastedRecordMs);
        const std::string_view number = GetClipboardField(records[i], 1);
        if (!number.empty() && device.WriteEntry(number, GetClipboardField(records[i], 0), -1, search))
            ++count.stored;
        else
            ++count.failed;
    }
    return count;
}

PasteCount PasteEntries(Session& session, ListSink& list, std::string_view text) {
    if (CountClipboardEntries(text) == 0) return {};
    WaitCursor wait(session.ui);
    const PasteCount count = PasteRecords(session.device, text, [&session](int item, int total) {
        session.ui.SetStatusNumbers(MsgPasteProgress, item, total);
    });
    session.ui.SetIdlePrompt();
    if (count.stored > 0) RefreshList(session, list);
    if (count.failed > 0) session.ui.ShowMessage(MsgPasteIncomplete);
    return count;
}

}  // namespace ribodex
