// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace ribodex {

AppLanguage::AppLanguage(const QLocale& locale)
{
    if (locale.language() != QLocale::German)
        return;
    auto own = std::make_unique<QTranslator>();
    if (own->load(QStringLiteral(":/i18n/ribodex_de.qm")) && QCoreApplication::installTranslator(own.get())) {
        translated = true;
        translators.push_back(std::move(own));
    }
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qt.get()))
        translators.push_back(std::move(qt));
}

AppLanguage::~AppLanguage()
{
    for (auto& translator : translators)
        QCoreApplication::removeTranslator(translator.get());
}

}  // namespace ribodex
