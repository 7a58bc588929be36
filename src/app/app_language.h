// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QTranslator>
#include <memory>
#include <vector>

namespace ribodex {

// The program's texts and Qt's own dialog texts in the language of locale: German for a
// German locale (the embedded ribodex_de.qm and Qt's qtbase_de.qm), the English source
// texts otherwise. The translators stay installed while this object lives. UI thread only,
// after the QApplication exists.
class AppLanguage {
public:
    explicit AppLanguage(const QLocale& locale = QLocale::system());
    ~AppLanguage();
    AppLanguage(const AppLanguage&) = delete;
    AppLanguage& operator=(const AppLanguage&) = delete;

    // True when the program's own translation for the locale was found and installed.
    bool Translated() const { return translated; }

private:
    std::vector<std::unique_ptr<QTranslator>> translators;
    bool translated = false;
};

}  // namespace ribodex
