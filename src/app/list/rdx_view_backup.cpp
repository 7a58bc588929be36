// SPDX-License-Identifier: GPL-3.0-or-later
// File > Back Up: every memory the device offers, not only the one on screen, to one vCard
// file that a restore can put back location by location. The memories are read by the core
// (memory_backup.h), the one on screen last, so the list is filled from that read without a
// second one.
#include <algorithm>

#include <QFileDialog>
#include <QSaveFile>
#include <QStringList>

#include "app/frame/command_actions.h"
#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/message_box.h"
#include "core/device/gsm_device.h"
#include "core/device/phone_book_storage.h"
#include "core/formats/vcard.h"
#include "core/list/command_state.h"
#include "core/session/connection_flow.h"
#include "core/session/memory_backup.h"
#include "core/session/refresh.h"
#include "core/session/user_interface.h"

namespace ribodex {

void CRdxView::ConnectBackupCommands(const CommandActions& actions)
{
    connect(actions.Get(ID_FILE_BACKUP), &QAction::triggered, this, [this] {
        QString path;
        {
            CursorLift lift;
            QFileDialog dialog(window(), tr("Back Up"), QString(), tr("vCard Files (*.vcf)"));
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.setDefaultSuffix(QStringLiteral("vcf"));
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
                return;
            path = dialog.selectedFiles().constFirst();
        }
        BackUp(path);
    });
}

bool CRdxView::BackUp(const QString& path)
{
    if (!session.connected)
        return false;
    MemoryBackup backup;
    {
        WaitCursor wait(session.ui);
        backup = ReadEveryMemory(session.device);
    }
    // The list shows what the device gave for the memory on screen just now.
    const bool listRead = !backup.memories.empty() && backup.memories.end() !=
        std::find_if(backup.memories.begin(), backup.memories.end(), [this](const MemorySaved& m) {
            const PhoneBookStorageInfo* shown = FindPhoneBookStorage(listPhoneBook);
            return shown && m.memory == shown->atName && m.result == MemoryRead::Read;
        });
    if (listRead && session.device.selectedPhoneBook == listPhoneBook) {
        model->DeleteAllItems();
        AddStoredEntries(session.device, *model);
        emit StateChanged();
    } else {
        RefreshList();
    }

    QStringList saved, missed;
    for (const MemorySaved& memory : backup.memories)
        (memory.result == MemoryRead::Read ? saved : missed) << QString::fromStdString(memory.memory);
    if (saved.isEmpty()) {
        ShowMessageBox(window(), tr("No memory of the device could be read: nothing was saved."));
        return false;
    }
    const std::string text = WriteBackupVCards(backup.entries);
    // Beside the target and renamed over it when complete: an old backup is never left cut short.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
        !file.commit()) {
        ShowMessageBox(window(), tr("The file \"%1\" could not be written.\n%2").arg(path, file.errorString()));
        return false;
    }
    QString report = tr("%1 entries of the memories %2 were saved to \"%3\".")
                         .arg(backup.entries.size())
                         .arg(saved.join(QStringLiteral(", ")), path);
    if (!missed.isEmpty())
        report += QLatin1Char('\n') + tr("Not saved, the device did not let them be read: %1.")
                                          .arg(missed.join(QStringLiteral(", ")));
    ShowMessageBox(window(), report);
    return true;
}

}  // namespace ribodex
