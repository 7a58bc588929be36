// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/card_tlv.h"

namespace ribodex {

namespace {

struct Tlv {
    std::uint8_t tag = 0;
    std::size_t valueAt = 0;
    std::size_t length = 0;
};

// The simple-TLV at 'at' (one-byte tag; length one byte, or 81 then one byte). nullopt when
// the bytes end before its value does.
std::optional<Tlv> TlvAt(const Bytes& bytes, std::size_t at, std::size_t end) {
    if (at + 2 > end) return std::nullopt;
    Tlv tlv{bytes[at], at + 2, bytes[at + 1]};
    if (bytes[at + 1] == 0x81) {
        if (at + 3 > end) return std::nullopt;
        tlv.valueAt = at + 3;
        tlv.length = bytes[at + 2];
    } else if (bytes[at + 1] > 0x81) {
        return std::nullopt;
    }
    if (tlv.valueAt + tlv.length > end) return std::nullopt;
    return tlv;
}

int Word(const Bytes& bytes, std::size_t at) { return bytes[at] << 8 | bytes[at + 1]; }

}  // namespace

std::optional<FileInfo> ParseGsmSelect(const Bytes& response) {
    if (response.size() < 15 || response[6] != 0x04) return std::nullopt;
    FileInfo info;
    info.size = Word(response, 2);
    info.linearFixed = response[13] == 0x01;
    info.recordLength = response[14];
    if (info.linearFixed && info.recordLength > 0) info.recordCount = info.size / info.recordLength;
    return info;
}

std::optional<GsmChvStatus> ParseGsmChvStatus(const Bytes& response) {
    if (response.size() < 22 || (response[6] != 0x01 && response[6] != 0x02)) return std::nullopt;
    GsmChvStatus status;
    status.chv1Disabled = (response[13] & 0x80) != 0;
    status.chv1 = response[18] & 0x0F;
    status.unblock1 = response[19] & 0x0F;
    status.chv2 = response[20] & 0x0F;
    status.unblock2 = response[21] & 0x0F;
    return status;
}

std::optional<FileInfo> ParseFcp(const Bytes& response) {
    const std::optional<Tlv> fcp = TlvAt(response, 0, response.size());
    if (!fcp || fcp->tag != 0x62) return std::nullopt;
    FileInfo info;
    bool described = false;
    const std::size_t end = fcp->valueAt + fcp->length;
    for (std::size_t at = fcp->valueAt; at < end;) {
        const std::optional<Tlv> item = TlvAt(response, at, end);
        if (!item) break;
        if (item->tag == 0x82 && item->length >= 2) {
            described = true;
            info.linearFixed = (response[item->valueAt] & 0x07) == 0x02;
            if (item->length >= 5) {
                info.recordLength = Word(response, item->valueAt + 2);
                info.recordCount = response[item->valueAt + 4];
            }
        } else if (item->tag == 0x80 && item->length >= 2) {
            info.size = Word(response, item->valueAt + item->length - 2);
        }
        at = item->valueAt + item->length;
    }
    if (!described) return std::nullopt;
    if (info.size == 0) info.size = info.recordLength * info.recordCount;
    return info;
}

std::vector<PbrFile> ParsePbrRecord(const Bytes& record) {
    std::vector<PbrFile> files;
    for (std::size_t at = 0; at < record.size() && record[at] != 0xFF;) {
        const std::optional<Tlv> group = TlvAt(record, at, record.size());
        if (!group) break;
        const std::size_t end = group->valueAt + group->length;
        if (group->tag == 0xA8 || group->tag == 0xA9 || group->tag == 0xAA) {
            for (std::size_t in = group->valueAt; in < end;) {
                const std::optional<Tlv> file = TlvAt(record, in, end);
                if (!file) break;
                if (file->length >= 2) {
                    PbrFile named{file->tag, group->tag, static_cast<std::uint16_t>(Word(record, file->valueAt)), {}};
                    if (file->length >= 3) named.sfi = record[file->valueAt + 2];
                    files.push_back(named);
                }
                in = file->valueAt + file->length;
            }
        }
        at = end;
    }
    return files;
}

std::optional<Bytes> ParseDirAid(const Bytes& record) {
    const std::optional<Tlv> app = TlvAt(record, 0, record.size());
    if (!app || app->tag != 0x61) return std::nullopt;
    const std::size_t end = app->valueAt + app->length;
    for (std::size_t at = app->valueAt; at < end;) {
        const std::optional<Tlv> item = TlvAt(record, at, end);
        if (!item) break;
        if (item->tag == 0x4F)
            return Bytes(record.begin() + static_cast<long>(item->valueAt),
                         record.begin() + static_cast<long>(item->valueAt + item->length));
        at = item->valueAt + item->length;
    }
    return std::nullopt;
}

}  // namespace ribodex
