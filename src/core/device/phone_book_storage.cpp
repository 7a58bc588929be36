// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/phone_book_storage.h"

namespace ribodex {

const PhoneBookStorageInfo* FindPhoneBookStorage(int code) {
    for (const PhoneBookStorageInfo& info : kPhoneBookStorages)
        if (info.code == code) return &info;
    return nullptr;
}

const PhoneBookStorageInfo* FindPhoneBookStorage(std::string_view atName) {
    if (atName == "OW") atName = "ON";
    for (const PhoneBookStorageInfo& info : kPhoneBookStorages)
        if (info.atName == atName) return &info;
    return nullptr;
}

}  // namespace ribodex
