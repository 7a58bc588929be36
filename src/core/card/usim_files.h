// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/card_files.h"

namespace ribodex {

// A UICC with a USIM (class 00): the USIM found in EF_DIR and selected by its AID, files
// selected by path from the MF (7FFF for the USIM), sizes from the FCP, the PIN counters
// from VERIFY and UNBLOCK without data. The phone book is the one EF_PBR of DF_PHONEBOOK
// describes (the USIM's own, else the global one under DF_TELECOM), else DF_TELECOM's EF_ADN.
class UsimFiles : public CardFiles {
public:
    using CardFiles::CardFiles;

    // NotSim when the card does not take class 00 or has no USIM.
    CardStatus Start();

    std::vector<BookFiles> Memory(PhoneBookStorage storage) override;
    SimState PinState(CardStatus& status) override;
    PinRetries Counters(PinRef ref) override;
    CardStatus Verify(PinRef ref, std::string_view pin) override;
    CardStatus Unblock(PinRef ref, std::string_view puk, std::string_view newPin) override;

protected:
    CardStatus SelectOnCard(const FilePath& path, bool fetch, FileInfo& info) override;
    std::uint8_t Class() const override { return 0x00; }

private:
    std::vector<BookFiles> PhoneBook();
    std::vector<BookFiles> FromPbr(const FilePath& phoneBookDf, bool& locked);
    // The retry counter that a command without data answers: 63Cx gives x, 6983 gives 0.
    std::optional<int> TriesLeft(std::uint8_t instruction, std::uint8_t reference);
    std::optional<std::vector<BookFiles>> book;  // found once a card
};

}  // namespace ribodex
