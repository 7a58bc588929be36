// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>

#include "core/session/settings_store.h"

namespace ribodex {

// SettingsStore on QSettings: organisation "Olvenstrom Software Engineering", application
// "Quillcast Ribodex" (an ini file under ~/.config on Linux), or an ini file of the
// caller's choice for tests. A section is a group path ("1.0/Window"). Texts are stored as
// Latin-1 strings so that every byte, NUL included, comes back unchanged.
// The file holds a scrambled PIN: it is created readable by its user only (0600) and kept
// so after each write. UI thread only; a failed write leaves the old value and says false.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    explicit QtSettingsStore(const QString& iniPath);

    int GetInt(std::string_view section, std::string_view key, int fallback) const override;
    std::string GetText(std::string_view section, std::string_view key,
                        std::string_view fallback) const override;
    bool SetInt(std::string_view section, std::string_view key, int value) override;
    bool SetText(std::string_view section, std::string_view key, std::string_view value) override;

    // Writes pending values to disk now (the destructor does it too).
    bool Flush();

private:
    bool Store(std::string_view section, std::string_view key, const QVariant& value);
    void MakePrivate();

    mutable QSettings settings;
};

}  // namespace ribodex
