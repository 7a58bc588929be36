// SPDX-License-Identifier: GPL-3.0-or-later
// The string table in both languages and the settings file.
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

#include "app/app_language.h"
#include "app/frame/command_actions.h"
#include "app/qt_settings_store.h"
#include "app/string_table.h"
#include "core/list/command_state.h"
#include "core/session/settings.h"
#include "core/session/user_interface.h"

using namespace ribodex;

class TextsAndSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void formatFillsInThePort();
    void germanLocaleTranslatesEveryText();
    void otherLocalesStayEnglish();
    void settingsKeepEveryByte();
    void settingsFileIsPrivate();
    void settingsLayoutOfThePinOfAPort();
};

namespace {

// Every id the window shows.
const int kIds[] = {AFX_IDS_APP_TITLE, AFX_IDS_IDLEMESSAGE, IDS_INDEX_COLUMN, IDS_NUMBER_COLUMN,
                    IDS_NAME_COLUMN, MsgConnectFailed, MsgTransferData, MsgPinCheckFailed,
                    IDS_MENU_VIEW, MsgEnterPin, MsgEnterPuk, MsgWrongPin, MsgWrongPuk,
                    MsgCheckingPin, IDS_PIN_MISMATCH, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                    ID_INDICATOR_SCRL, ID_OPTIONS_SETTINGS, ID_VIEW_REFRESH, ID_VIEWMODE_ICON,
                    ID_VIEWMODE_SMALLICON, ID_VIEWMODE_LIST, ID_VIEWMODE_REPORT, ID_APP_EXIT,
                    ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, MsgWaitingForSim, MsgPortBusy};

// Texts that read the same in German.
bool SameInGerman(const QString& english)
{
    static const QStringList same{"Quillcast Ribodex", "Index", "Name", "NUM", "&Refresh"};
    return same.contains(english);
}

}  // namespace

void TextsAndSettingsTest::formatFillsInThePort()
{
    QCOMPARE(StringTable::Format(MsgTransferData, "COM1"), QStringLiteral("Transfer data from \"COM1\"..."));
    // Core texts are Windows-1252: 0x80 is the euro sign.
    QCOMPARE(StringTable::Format(MsgCheckingPin, "\x80"), QStringLiteral("Check PIN of the device on \"\u20ac\"..."));
    // A "%s" inside the argument is not expanded again.
    QCOMPARE(StringTable::Format(MsgEnterPin, "%s"),
             QStringLiteral("Enter the PIN of the SIM-Card in the device on port \"%s\"."));
    QCOMPARE(StringTable::Prompt(ID_VIEW_REFRESH), QStringLiteral("Refresh the view"));
    QCOMPARE(StringTable::ToolTip(ID_VIEW_REFRESH), QStringLiteral("Refresh"));
}

void TextsAndSettingsTest::germanLocaleTranslatesEveryText()
{
    QStringList english;
    for (int id : kIds)
        english << StringTable::Text(id);
    const QString exitEnglish = CommandActions::MenuText(ID_APP_EXIT);
    {
        AppLanguage german(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(german.Translated());
        for (size_t i = 0; i < std::size(kIds); ++i) {
            const QString translated = StringTable::Text(kIds[i]);
            QVERIFY2(!translated.isEmpty(), qPrintable(english[qsizetype(i)]));
            if (!SameInGerman(english[qsizetype(i)]))
                QVERIFY2(translated != english[qsizetype(i)], qPrintable(english[qsizetype(i)]));
            // Prompts keep their tool tip part; %s stays for the port.
            QCOMPARE(translated.count(QLatin1Char('\n')), english[qsizetype(i)].count(QLatin1Char('\n')));
            QCOMPARE(translated.count(QLatin1String("%s")), english[qsizetype(i)].count(QLatin1String("%s")));
        }
        QCOMPARE(StringTable::Text(MsgWrongPin), QStringLiteral("Die PIN ist nicht korrekt."));
        QCOMPARE(CommandActions::MenuText(ID_APP_EXIT), QStringLiteral("&Beenden"));
        // Qt's own buttons in German too.
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    }
    QCOMPARE(CommandActions::MenuText(ID_APP_EXIT), exitEnglish);
}

void TextsAndSettingsTest::otherLocalesStayEnglish()
{
    AppLanguage french(QLocale(QLocale::French, QLocale::France));
    QVERIFY(!french.Translated());
    QCOMPARE(StringTable::Text(MsgWrongPin), QStringLiteral("The PIN is not correct."));
}

void TextsAndSettingsTest::settingsKeepEveryByte()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ribodex.ini"));
    const std::string bytes("a\0b\x80\xff\n=;\"[x]", 12);
    {
        QtSettingsStore store(path);
        QVERIFY(store.SetText("1.0", "Port", bytes));
        QVERIFY(store.SetInt("1.0", "Query PIN", 0));
        QVERIFY(store.SetInt("1.0/Window", "x", -1200));
    }
    QtSettingsStore again(path);
    QCOMPARE(again.GetText("1.0", "Port", "none"), bytes);
    QCOMPARE(again.GetInt("1.0", "Query PIN", 1), 0);
    QCOMPARE(again.GetInt("1.0/Window", "x", 0), -1200);
    QCOMPARE(again.GetInt("1.0", "Missing", 7), 7);
    QCOMPARE(again.GetText("1.0", "Missing", "fallback"), std::string("fallback"));
    // A text where a number is expected reads as absent.
    QCOMPARE(again.GetInt("1.0", "Port", 5), 5);
}

void TextsAndSettingsTest::settingsFileIsPrivate()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/ribodex.ini"));
    QtSettingsStore store(path);
    QVERIFY(store.SetText("1.0", "Port", "COM1"));
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 0777), 0600);
    // A file that another tool made readable for everybody is closed again on the next write.
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
    QVERIFY(store.SetInt("1.0", "Query PIN", 1));
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 0777), 0600);
}

void TextsAndSettingsTest::settingsLayoutOfThePinOfAPort()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ribodex.ini"));
    {
        QtSettingsStore store(path);
        StorePinSettings(store, 1, "/dev/ttyUSB0", "1234");
        StorePinSettings(store, 1, "COM2", "9999");
    }
    QSettings raw(path, QSettings::IniFormat);
    // A device path is one group, not a tree of groups.
    QCOMPARE(raw.value(QStringLiteral("1.0/%2Fdev%2FttyUSB0/Save PIN")).toInt(), 1);
    QCOMPARE(raw.value(QStringLiteral("1.0/COM2/Save PIN")).toInt(), 1);
    // Scrambled, never in clear.
    QVERIFY(raw.value(QStringLiteral("1.0/COM2/PIN")).toString() != QStringLiteral("9999"));
    QVERIFY(!raw.value(QStringLiteral("1.0/COM2/PIN")).toString().isEmpty());
}

QTEST_MAIN(TextsAndSettingsTest)
#include "texts_and_settings_test.moc"
