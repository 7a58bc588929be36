// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/serial/serial_link.h"
#include "sim/pty_modem.h"

namespace ribodex::sim {

// The built-in phone behind the port name "DEMO": a PIN-less PtyModem with a small SIM book
// that it keeps in a text file, saved after every change. Start and Stop from one thread.
// A missing book file is created with the sample book; a broken one is left untouched and
// the phone starts with the sample book without saving over it.
class DemoPhone {
public:
    // bookPath empty: DefaultBookPath().
    explicit DemoPhone(std::string bookPath = {});
    ~DemoPhone();
    DemoPhone(const DemoPhone&) = delete;
    DemoPhone& operator=(const DemoPhone&) = delete;

    bool Start();
    void Stop();
    bool Running() const { return modem.Running(); }
    const std::string& SlavePath() const { return modem.SlavePath(); }

    // $XDG_DATA_HOME or ~/.local/share, then "Quillcast Ribodex/demo-phone.txt".
    static std::string DefaultBookPath();
    // The sample SIM book: realistic names with umlauts and an "@".
    static SimMemory SampleSimBook();

private:
    std::string bookPath;
    bool saveAllowed = true;
    PtyModem modem;
};

// "DEMO" -> the phone's slave path (starting it on first use), anything else through
// DefaultDevicePath. The phone must outlive the mapper.
ribodex::PortMapper DemoPortMapper(DemoPhone& phone);

}  // namespace ribodex::sim
