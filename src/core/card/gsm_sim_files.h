// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/card_files.h"

namespace ribodex {

// A 2G SIM (GSM 11.11, class A0): files selected one level at a time from the MF, an EF's
// size and record length from the SELECT answer, the CHV counters from DF_TELECOM's.
class GsmSimFiles : public CardFiles {
public:
    using CardFiles::CardFiles;

    // Selects the MF: NotSim when the card does not answer as a SIM.
    CardStatus Start();

    std::vector<BookFiles> Memory(PhoneBookStorage storage) override;
    SimState PinState(CardStatus& status) override;
    PinRetries Counters(PinRef ref) override;
    CardStatus Verify(PinRef ref, std::string_view pin) override;
    CardStatus Unblock(PinRef ref, std::string_view puk, std::string_view newPin) override;

protected:
    CardStatus SelectOnCard(const FilePath& path, bool fetch, FileInfo& info) override;
    std::uint8_t Class() const override { return 0xA0; }

private:
    CardStatus SelectId(std::uint16_t fid, bool fetch, ApduAnswer& answer);
    std::optional<GsmChvStatus> ChvStatus();
    // The DF whose children can be selected directly (the parent of the file selected last).
    std::optional<FilePath> currentDf;
};

}  // namespace ribodex
