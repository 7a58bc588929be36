// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/card/card_file_tree.h"

#include <algorithm>
#include <cctype>

namespace ribodex::sim {

Bytes FromHex(const std::string& hex) {
    Bytes out;
    int high = -1;
    for (char c : hex) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) continue;
        const int value = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::toupper(c) - 'A' + 10);
        if (high < 0) {
            high = value;
        } else {
            out.push_back(static_cast<std::uint8_t>(high << 4 | value));
            high = -1;
        }
    }
    return out;
}

CardFileTree::CardFileTree() {
    CardFile mf;
    mf.kind = CardFile::Kind::Mf;
    mf.fid = 0x3F00;
    files.push_back(mf);
}

int CardFileTree::AddDf(int parent, std::uint16_t fid) {
    CardFile df;
    df.kind = CardFile::Kind::Df;
    df.fid = fid;
    df.parent = parent;
    files.push_back(df);
    return static_cast<int>(files.size()) - 1;
}

int CardFileTree::AddAdf(int parent, const Bytes& aid) {
    const int index = AddDf(parent, 0x7FFF);
    files.back().kind = CardFile::Kind::Adf;
    files.back().aid = aid;
    return index;
}

int CardFileTree::AddEf(int parent, std::uint16_t fid, std::size_t recordLength, int count, Access read,
                        Access update) {
    CardFile ef;
    ef.fid = fid;
    ef.parent = parent;
    ef.recordLength = recordLength;
    ef.records.assign(static_cast<std::size_t>(count), Bytes(recordLength, 0xFF));
    ef.read = read;
    ef.update = update;
    files.push_back(ef);
    return static_cast<int>(files.size()) - 1;
}

void CardFileTree::SetRecord(int file, int record, const std::string& hex) {
    Bytes& target = files[static_cast<std::size_t>(file)].records[static_cast<std::size_t>(record - 1)];
    const Bytes bytes = FromHex(hex);
    std::copy_n(bytes.begin(), std::min(bytes.size(), target.size()), target.begin());
}

std::optional<int> CardFileTree::Child(int dir, std::uint16_t fid) const {
    for (std::size_t i = 0; i < files.size(); ++i)
        if (files[i].parent == dir && files[i].fid == fid) return static_cast<int>(i);
    return std::nullopt;
}

std::optional<int> CardFileTree::ByAid(const Bytes& aidStart) const {
    for (std::size_t i = 0; i < files.size(); ++i)
        if (files[i].kind == CardFile::Kind::Adf && !aidStart.empty() && aidStart.size() <= files[i].aid.size() &&
            std::equal(aidStart.begin(), aidStart.end(), files[i].aid.begin()))
            return static_cast<int>(i);
    return std::nullopt;
}

}  // namespace ribodex::sim
