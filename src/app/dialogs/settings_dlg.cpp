// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/settings_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "app/string_table.h"
#include "core/serial/port_scan.h"
#include "core/session/settings.h"

namespace ribodex {

CSettingsDlg::CSettingsDlg(const SettingsDlgData& initial, std::vector<std::string> ports,
                           AcceptFunction accept, QWidget* parent)
    : QDialog(parent), data(initial), acceptFunction(std::move(accept))
{
    setWindowTitle(tr("Settings"));
    setObjectName(QStringLiteral("IDD_SETTINGS"));

    portList = new QComboBox(this);
    portList->setObjectName(QStringLiteral("IDC_PORT"));
    // A device path may be typed (a /dev/serial/by-id link not yet plugged, a port the scan
    // does not know); the list itself stays the known ports.
    portList->setEditable(true);
    portList->setInsertPolicy(QComboBox::NoInsert);
    portList->completer()->setCaseSensitivity(Qt::CaseSensitive);
    const int selected = PlacePortItem(ports, data.portName);
    // What each port of this machine is (USB names and ids, interface, Bluetooth, UART):
    // the item's tip, so the item text stays the port name that is stored.
    const std::vector<SerialPortInfo> known = ScanSerialPorts();
    for (const std::string& port : ports) {
        portList->addItem(FromCp1252(port));
        for (const SerialPortInfo& info : known)
            if (info.path == port || info.byId == port)
                portList->setItemData(portList->count() - 1, FromCp1252(info.Description()), Qt::ToolTipRole);
    }
    portList->setCurrentIndex(selected);

    queryPinBox = new QCheckBox(tr("Query PIN:"), this);
    queryPinBox->setObjectName(QStringLiteral("IDC_QUERY_PIN"));
    queryPinBox->setLayoutDirection(Qt::RightToLeft);  // text on the left of the box
    queryPinBox->setChecked(data.queryPin != 0);
    portList->setWhatsThis(tr("The serial port of the phone or modem: COM1 to COM8, a serial device "
                              "found on this computer, or DEMO, the simulated phone."));
    queryPinBox->setWhatsThis(tr("Ask the SIM card whether it wants its PIN before the phone book is "
                                 "read."));

    auto* portLabel = new QLabel(tr("Port:"), this);
    portLabel->setBuddy(portList);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSettingsDlg::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Here you can edit the settings for this program."), this), 0, 0, 1, 2);
    grid->addWidget(portLabel, 1, 0);
    grid->addWidget(portList, 1, 1);
    grid->addWidget(queryPinBox, 2, 0, 1, 2, Qt::AlignLeft | Qt::AlignAbsolute);  // the box mirrors its own alignment
    grid->addWidget(buttons, 3, 0, 1, 2);
    portList->setMinimumContentsLength(12);
}

void CSettingsDlg::accept()
{
    data.portName = ToCp1252(portList->currentText().trimmed());
    data.queryPin = queryPinBox->isChecked() ? 1 : 0;
    if (acceptFunction && !acceptFunction(data)) {
        portList->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace ribodex
