// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;

namespace ribodex {

// What the settings dialog shows and hands back.
struct SettingsDlgData {
    std::string portName;  // the port box's text (an item or a typed path), trimmed
    int queryPin = 1;
};

// "Settings": the port box (the known ports, the port in use among them whatever its name,
// and room to type a device path) and "Query PIN:". OK reads the controls into Data() and asks
// accept (the connection flow with the new values); the dialog closes with Accepted only
// when that returned true, and otherwise stays open with the focus on the port list.
// The dialog holds no device; accept may block (device work) and show its own messages.
class CSettingsDlg : public QDialog {
    Q_OBJECT

public:
    using AcceptFunction = std::function<bool(const SettingsDlgData&)>;

    CSettingsDlg(const SettingsDlgData& initial, std::vector<std::string> ports,
                 AcceptFunction accept, QWidget* parent = nullptr);

    const SettingsDlgData& Data() const { return data; }
    QComboBox* PortList() const { return portList; }
    QCheckBox* QueryPinBox() const { return queryPinBox; }

public slots:
    void accept() override;

private:
    SettingsDlgData data;
    AcceptFunction acceptFunction;
    QComboBox* portList = nullptr;
    QCheckBox* queryPinBox = nullptr;
};

}  // namespace ribodex
