// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/card/card_status.h"

namespace ribodex {

// Readers of what a SIM or UICC says about its files: the answer to SELECT (the 2G layout
// and the UICC's FCP template), EF_PBR and EF_DIR. Pure, any thread, never read past the
// bytes given.

struct FileInfo {
    bool linearFixed = false;
    int recordLength = 0;
    int recordCount = 0;
    int size = 0;  // bytes of the file body
};

// The 2G answer to SELECT of an EF: size in bytes 2-3, structure in 13, record length in 14.
std::optional<FileInfo> ParseGsmSelect(const Bytes& response);

// The CHV status of a 2G DF's SELECT answer: byte 13 bit 8 set = CHV1 disabled; bytes 18 to
// 21: CHV1, UNBLOCK CHV1, CHV2, UNBLOCK CHV2, each bit 8 = initialised, bits 4-1 = tries left.
struct GsmChvStatus {
    bool chv1Disabled = false;
    int chv1 = 0;
    int unblock1 = 0;
    int chv2 = 0;
    int unblock2 = 0;
};
std::optional<GsmChvStatus> ParseGsmChvStatus(const Bytes& response);

// The FCP template (62) of a UICC's SELECT answer: the file descriptor (82) of a linear fixed
// EF gives record length and count; the file size (80) when present.
std::optional<FileInfo> ParseFcp(const Bytes& response);

// One file that an EF_PBR record names.
struct PbrFile {
    std::uint8_t tag = 0;       // C0 ADN, C1 IAP, C2 EXT1, C3 SNE, ...
    std::uint8_t kind = 0;      // A8, A9 or AA: the template that named it
    std::uint16_t fid = 0;
    std::optional<std::uint8_t> sfi;
};
// The files of one EF_PBR record, in order; padding (FF) ends it, a cut TLV is dropped.
std::vector<PbrFile> ParsePbrRecord(const Bytes& record);

// The AID (4F) of an EF_DIR record's application template (61); nullopt when it has none.
std::optional<Bytes> ParseDirAid(const Bytes& record);

}  // namespace ribodex
