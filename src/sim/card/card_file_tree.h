// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ribodex::sim {

using Bytes = std::vector<std::uint8_t>;

// Who may read or update an EF: anyone, after PIN1 (CHV1), after PIN2 (CHV2), nobody.
enum class Access { Always, Pin1, Pin2, Never };

// One file of the simulated card. The MF, DFs and the USIM ADF hold children; an EF is
// linear fixed, its records all of one length.
struct CardFile {
    enum class Kind { Mf, Df, Adf, Ef };
    Kind kind = Kind::Ef;
    std::uint16_t fid = 0;
    int parent = -1;  // index in the tree, -1 for the MF
    Bytes aid;        // the ADF's application id
    std::size_t recordLength = 0;
    std::vector<Bytes> records;
    Access read = Access::Pin1;
    Access update = Access::Pin1;
};

// The files of a card, the MF at index 0. Files are found by id below a DF, the way SELECT
// looks for them.
class CardFileTree {
public:
    CardFileTree();

    int AddDf(int parent, std::uint16_t fid);
    int AddAdf(int parent, const Bytes& aid);
    // An EF of count records, all FF.
    int AddEf(int parent, std::uint16_t fid, std::size_t recordLength, int count, Access read = Access::Pin1,
              Access update = Access::Pin1);
    // Puts bytes (hex text, blanks allowed) at the start of a record; the rest stays FF.
    void SetRecord(int file, int record, const std::string& hex);

    // The child of dir with that id; nullopt when there is none.
    std::optional<int> Child(int dir, std::uint16_t fid) const;
    std::optional<int> ByAid(const Bytes& aidStart) const;

    CardFile& operator[](int index) { return files[static_cast<std::size_t>(index)]; }
    const CardFile& operator[](int index) const { return files[static_cast<std::size_t>(index)]; }
    bool IsDir(int index) const { return files[static_cast<std::size_t>(index)].kind != CardFile::Kind::Ef; }

private:
    std::vector<CardFile> files;
};

Bytes FromHex(const std::string& hex);

}  // namespace ribodex::sim
