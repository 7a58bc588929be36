// SPDX-License-Identifier: GPL-3.0-or-later
// The readers of card records and card answers on arbitrary bytes: the alpha field always
// reads as valid UTF-8 and what the encoder takes for a width reads back as itself; record,
// extension, EF_PBR, EF_DIR, FCP and 2G SELECT answers never read past their bytes.
#include <cstddef>
#include <cstdint>

#include "core/card/alpha_field.h"
#include "core/card/card_tlv.h"
#include "core/card/dialling_number.h"
#include "core/formats/cp1252.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ribodex;
    const Bytes bytes(data, data + size);
    const std::string name = DecodeAlpha(bytes.data(), bytes.size());
    fuzz::Check(Utf8CodePoints(name).has_value());
    const std::size_t width = size == 0 ? 0 : data[0] % 32;
    if (const std::optional<EncodedAlpha> encoded = EncodeAlpha(name, width)) {
        fuzz::Check(encoded->field.size() == width);
        fuzz::Check(DecodeAlpha(encoded->field.data(), width) == name);
    }
    fuzz::Check(EncodeAlpha(FittingAlpha(name, width), width).has_value() || FittingAlpha(name, width).empty());

    const DiallingRecord record = ParseDiallingRecord(bytes);
    fuzz::Check(record.digits.size() <= 20);
    (void)ParseExtensionRecord(bytes);
    (void)ParsePbrRecord(bytes);
    (void)ParseDirAid(bytes);
    if (const std::optional<FileInfo> fcp = ParseFcp(bytes)) fuzz::Check(fcp->recordLength >= 0);
    (void)ParseGsmSelect(bytes);
    (void)ParseGsmChvStatus(bytes);
    return 0;
}
