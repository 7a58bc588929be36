// SPDX-License-Identifier: GPL-3.0-or-later
// The settings, PIN and PUK dialogs and the port list, without a device.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/app_language.h"
#include "app/dialogs/entry_dlg.h"
#include "app/dialogs/pin_dlg.h"
#include "app/dialogs/port_list.h"
#include "app/dialogs/puk_dlg.h"
#include "app/dialogs/select_phone_book_dlg.h"
#include "app/dialogs/settings_dlg.h"
#include "dialog_script_helper.h"

using namespace ribodex;
using ribodex::test::DialogScript;

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void settingsDialogSelectsPort_data();
    void settingsDialogSelectsPort();
    void settingsDialogStaysOpenWhileConnectingFails();
    void pinDialogLimitsAndKeepsEntry();
    void newEntryTabsThroughTheFieldsAsTheyStand();
    void pukDialogRefusesMismatchedConfirmation();
    void pukDialogAcceptsMatchingPins();
    void portListOrder();
    void portListWithoutDevFolder();
    void phoneBookListSortedByTextWithTheCurrentOneChosen_data();
    void phoneBookListSortedByTextWithTheCurrentOneChosen();
};

namespace {

std::vector<std::string> Ports()
{
    return {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "/dev/ttyUSB0", "DEMO"};
}

}  // namespace

void DialogsTest::settingsDialogSelectsPort_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("portOnOk");
    QTest::newRow("exact") << "COM3" << 2 << "COM3";
    QTest::newRow("case differs") << "com2" << 1 << "COM2";
    QTest::newRow("a prefix is a port of its own") << "COM" << 10 << "COM";
    QTest::newRow("device path") << "/dev/ttyUSB0" << 8 << "/dev/ttyUSB0";
    // A port no item names (written by hand, given with --port): listed last and selected,
    // so OK hands back the port in use.
    QTest::newRow("unknown") << "COM12" << 10 << "COM12";
    QTest::newRow("by-id path") << "/dev/serial/by-id/usb-Acme_Modem-if00" << 10 << "/dev/serial/by-id/usb-Acme_Modem-if00";
    QTest::newRow("empty: the first item") << "" << 0 << "COM1";
}

void DialogsTest::settingsDialogSelectsPort()
{
    QFETCH(QString, stored);
    QFETCH(int, selected);
    QFETCH(QString, portOnOk);
    SettingsDlgData handed;
    CSettingsDlg dialog({stored.toStdString(), 0}, Ports(), [&](const SettingsDlgData& data) {
        handed = data;
        return true;
    });
    QCOMPARE(dialog.PortList()->currentIndex(), selected);
    QVERIFY(!dialog.QueryPinBox()->isChecked());
    dialog.QueryPinBox()->setChecked(true);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdString(handed.portName), portOnOk);
    QCOMPARE(handed.queryPin, 1);
}

void DialogsTest::settingsDialogStaysOpenWhileConnectingFails()
{
    int attempts = 0;
    CSettingsDlg dialog({"COM1", 1}, Ports(), [&](const SettingsDlgData&) { return ++attempts == 2; });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.QueryPinBox()->setFocus();
    dialog.PortList()->setCurrentIndex(9);
    dialog.accept();
    QCOMPARE(attempts, 1);
    QVERIFY(dialog.isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.PortList()));
    // The tried values stay with the dialog's data even though the dialog stays open.
    QCOMPARE(dialog.Data().portName, std::string("DEMO"));
    dialog.accept();
    QCOMPARE(attempts, 2);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void DialogsTest::pinDialogLimitsAndKeepsEntry()
{
    PinDialogData before{"1234", 1};
    CPinDlg dialog(QStringLiteral("Enter the PIN"), before);
    QCOMPARE(dialog.PromptLabel()->text(), QStringLiteral("Enter the PIN"));
    QCOMPARE(dialog.PinEdit()->text(), QStringLiteral("1234"));
    QCOMPARE(dialog.PinEdit()->echoMode(), QLineEdit::Password);
    QVERIFY(dialog.SaveBox()->isChecked());

    dialog.PinEdit()->clear();
    QTest::keyClicks(dialog.PinEdit(), QStringLiteral("123456789012345678901234"));
    QCOMPARE(dialog.Data().pin, std::string("12345678901234567890"));

    // A longer text handed in (a damaged setting) is cut to the limit as well.
    CPinDlg longer(QString(), {std::string(30, '7'), 0});
    QCOMPARE(longer.Data().pin.size(), size_t(20));
    QCOMPARE(longer.Data().save, 0);
}

void DialogsTest::newEntryTabsThroughTheFieldsAsTheyStand()
{
    CNewEntryDlg dialog;
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    const QList<QWidget*> chain{dialog.NameEdit(), dialog.NumberEdit(), dialog.IndexEdit(),
                                buttons->button(QDialogButtonBox::Ok), buttons->button(QDialogButtonBox::Cancel)};
    QCOMPARE(test::TabThrough(dialog, {"Ann", "0301", "7"}, 4), chain);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), chain[3]);
    QCOMPARE(dialog.IndexText(), std::string("7"));
    QCOMPARE(dialog.Fields().number, std::string("0301"));
}

void DialogsTest::pukDialogRefusesMismatchedConfirmation()
{
    CPukDlg dialog(QStringLiteral("Enter the PUK"), {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.PukEdit()->setText(QStringLiteral("12345678"));
    dialog.PinEdit()->setText(QStringLiteral("4321"));
    dialog.ConfirmEdit()->setText(QStringLiteral("4312"));

    DialogScript script;
    script.PressOk();
    dialog.accept();  // message 161 runs modally inside and the script closes it
    QCOMPARE(script.Seen(), QStringList{QStringLiteral(
        "box: The PIN and its confirmation are not identical. The confirmation must be the "
        "same as the PIN.")});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.PinEdit()->text(), QString());
    QCOMPARE(dialog.ConfirmEdit()->text(), QString());
    QCOMPARE(dialog.PukEdit()->text(), QStringLiteral("12345678"));
    QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.PinEdit()));
}

void DialogsTest::pukDialogAcceptsMatchingPins()
{
    // Case matters: "abcd" and "ABCD" are different PINs.
    CPukDlg mismatch(QString(), {"1", "abcd", "ABCD", 0});
    DialogScript script;
    script.PressOk();
    mismatch.accept();
    QCOMPARE(mismatch.result(), int(QDialog::Rejected));

    CPukDlg dialog(QString(), {"12345678", "4321", "4321", 1});
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const PukDialogData data = dialog.Data();
    QCOMPARE(data.puk, std::string("12345678"));
    QCOMPARE(data.newPin, std::string("4321"));
    QCOMPARE(data.save, 1);
}

void DialogsTest::portListOrder()
{
    QTemporaryDir dev;
    QVERIFY(dev.isValid());
    QVERIFY(QDir(dev.path()).mkpath(QStringLiteral("serial/by-id")));
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "tty1", "ttyUSB", "rfcomm0", "ttyAMA0"}) {
        QFile file(dev.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(dev.filePath(QStringLiteral("ttyUSB2")),
                        dev.filePath(QStringLiteral("serial/by-id/usb-Zeta_Modem-if00"))));
    QVERIFY(QFile::link(dev.filePath(QStringLiteral("ttyACM0")),
                        dev.filePath(QStringLiteral("serial/by-id/usb-Acme_Phone-if01"))));

    const std::vector<std::string> expected{
        "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8",
        "/dev/serial/by-id/usb-Acme_Phone-if01", "/dev/serial/by-id/usb-Zeta_Modem-if00",
        "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/rfcomm0", "/dev/ttyAMA0", "DEMO"};
    QCOMPARE(AvailablePorts(dev.path().toStdString()), expected);
}

void DialogsTest::portListWithoutDevFolder()
{
    const std::vector<std::string> expected{"COM1", "COM2", "COM3", "COM4", "COM5",
                                            "COM6", "COM7", "COM8", "DEMO"};
    QCOMPARE(AvailablePorts("/nonexistent/dev"), expected);
}

void DialogsTest::phoneBookListSortedByTextWithTheCurrentOneChosen_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<int>("offered");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("chosen");  // code; 0 for none
    // Codes: ME 1, SM 2, TA 4, MD 8, OW 16, FD 32.
    QTest::newRow("by text, not by code") << false << (1 | 2 | 32) << 2
        << QStringList{"Fixed numbers", "Mobile Equipment", "SIM"} << 2;
    QTest::newRow("the current one sorted first") << false << (1 | 2 | 4) << 4
        << QStringList{"Data Card", "Mobile Equipment", "SIM"} << 4;
    QTest::newRow("German texts sort in their own order") << true << 63 << 1
        << QStringList{"Datenkarte", "Eigene Nummer", "Feste Rufnummern", "Letzte Nummer", "SIM",
                       "Telefonspeicher"} << 1;
    QTest::newRow("current one not offered") << false << (2 | 32) << 1
        << QStringList{"Fixed numbers", "SIM"} << 0;
    QTest::newRow("device offers none of them") << false << 0 << 0 << QStringList{} << 0;
}

void DialogsTest::phoneBookListSortedByTextWithTheCurrentOneChosen()
{
    QFETCH(bool, german);
    QFETCH(int, offered);
    QFETCH(int, current);
    QFETCH(QStringList, shown);
    QFETCH(int, chosen);
    AppLanguage language(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale(QLocale::English));
    CSelectPhoneBookDlg dialog(offered, current);
    QStringList texts;
    for (int i = 0; i < dialog.PhoneBookList()->count(); ++i)
        texts << dialog.PhoneBookList()->itemText(i);
    QCOMPARE(texts, shown);
    QCOMPARE(dialog.SelectedCode(), chosen);
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
