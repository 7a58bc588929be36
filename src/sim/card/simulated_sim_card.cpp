// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/card/simulated_sim_card.h"

#include <algorithm>

namespace ribodex::sim {

namespace {
constexpr std::uint16_t kMf = 0x3F00;
constexpr std::uint16_t kCurrentAdf = 0x7FFF;

Bytes Word(std::uint8_t sw1, std::uint8_t sw2) { return {sw1, sw2}; }

std::uint8_t AccessNibble(Access access) {
    switch (access) {
    case Access::Always: return 0x0;
    case Access::Pin1: return 0x1;
    case Access::Pin2: return 0x2;
    case Access::Never: return 0xF;
    }
    return 0xF;
}
}  // namespace

SimulatedSimCard::SimulatedSimCard(Kind kind) : kind(kind) { FillSimCard(tree, kind); }

Bytes SimulatedSimCard::Atr() const { return {0x3B, 0x02, 0x14, 0x50}; }

void SimulatedSimCard::Reset() {
    std::lock_guard guard(lock);
    chv1.verified = false;
    chv2.verified = false;
    current = currentDir = 0;
    activeAdf = -1;
    pending.clear();
}

Bytes SimulatedSimCard::Ok(Bytes data) const {
    data.push_back(0x90);
    data.push_back(0x00);
    return data;
}

Bytes SimulatedSimCard::Sw(Fault fault) const {
    const bool uicc = kind == Kind::Usim;
    switch (fault) {
    case Fault::SecurityNotSatisfied: return uicc ? Word(0x69, 0x82) : Word(0x98, 0x04);
    case Fault::FileNotFound: return uicc ? Word(0x6A, 0x82) : Word(0x94, 0x04);
    case Fault::RecordNotFound: return uicc ? Word(0x6A, 0x83) : Word(0x94, 0x02);
    case Fault::NoEfSelected: return uicc ? Word(0x69, 0x86) : Word(0x94, 0x00);
    case Fault::WrongLength: return Word(0x67, 0x00);
    case Fault::WrongParameters: return uicc ? Word(0x6A, 0x86) : Word(0x6B, 0x00);
    case Fault::NotRecordFile: return uicc ? Word(0x69, 0x81) : Word(0x94, 0x08);
    case Fault::WrongClass: return Word(0x6E, 0x00);
    case Fault::UnknownInstruction: return Word(0x6D, 0x00);
    case Fault::NoResponse: return uicc ? Word(0x69, 0x85) : Word(0x6F, 0x00);
    }
    return Word(0x6F, 0x00);
}

Bytes SimulatedSimCard::Process(const Bytes& apdu) {
    std::lock_guard guard(lock);
    if (apdu.size() < 4) return Sw(Fault::WrongLength);
    const std::uint8_t cla = apdu[0], ins = apdu[1], p1 = apdu[2], p2 = apdu[3];
    ++counts[ins];
    if (cla != (kind == Kind::Usim ? 0x00 : 0xA0)) return Sw(Fault::WrongClass);
    // Case 1: the header only; case 2: Le; case 3/4: Lc, data and perhaps Le.
    Bytes data;
    int le = -1;
    bool hasData = false;
    if (apdu.size() == 5) {
        le = apdu[4] == 0 ? 256 : apdu[4];
    } else if (apdu.size() > 5) {
        const std::size_t lc = apdu[4];
        if (apdu.size() != 5 + lc && apdu.size() != 6 + lc) return Sw(Fault::WrongLength);
        data.assign(apdu.begin() + 5, apdu.begin() + 5 + static_cast<long>(lc));
        hasData = true;
    }
    // The answer of a SELECT waits for the next command only.
    if (ins != 0xC0) pending.clear();
    switch (ins) {
    case 0xA4: return Select(p1, p2, data);
    case 0xC0: return GetResponse(le);
    case 0xB2: return ReadRecord(p1, p2, le);
    case 0xDC: return UpdateRecord(p1, p2, data);
    case 0x20: return Verify(p2, data, hasData && !data.empty());
    case 0x2C: return Unblock(p2, data, hasData && !data.empty());
    default: return Sw(Fault::UnknownInstruction);
    }
}

std::optional<int> SimulatedSimCard::Find(std::uint16_t fid) const {
    if (fid == kMf) return 0;
    if (fid == kCurrentAdf && kind == Kind::Usim) return activeAdf >= 0 ? std::optional<int>(activeAdf) : std::nullopt;
    // A child of the current DF, the current DF's parent, or a DF beside it.
    if (const std::optional<int> child = tree.Child(currentDir, fid)) return child;
    const int parent = tree[currentDir].parent;
    if (parent >= 0) {
        if (tree[parent].fid == fid) return parent;
        if (const std::optional<int> sibling = tree.Child(parent, fid); sibling && tree.IsDir(*sibling)) return sibling;
    }
    return std::nullopt;
}

std::optional<int> SimulatedSimCard::ByPath(const std::vector<std::uint16_t>& path) const {
    int at = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (i == 0 && path[i] == kMf) continue;
        std::optional<int> next;
        if (path[i] == kCurrentAdf && kind == Kind::Usim) next = activeAdf >= 0 ? std::optional<int>(activeAdf) : tree.ByAid({0xA0});
        else if (tree.IsDir(at)) next = tree.Child(at, path[i]);
        if (!next) return std::nullopt;
        at = *next;
    }
    return at;
}

Bytes SimulatedSimCard::Select(std::uint8_t p1, std::uint8_t p2, const Bytes& data) {
    std::optional<int> file;
    if (kind == Kind::Sim2g) {
        if (p1 != 0x00 || p2 != 0x00) return Sw(Fault::WrongParameters);
        if (data.size() != 2) return Sw(Fault::WrongLength);
        file = Find(static_cast<std::uint16_t>(data[0] << 8 | data[1]));
    } else {
        if (p2 != 0x04 && p2 != 0x0C) return Sw(Fault::WrongParameters);
        if (p1 == 0x04) {
            file = tree.ByAid(data);
            if (file) activeAdf = *file;
        } else if ((p1 == 0x00 || p1 == 0x08) && !data.empty() && data.size() % 2 == 0) {
            std::vector<std::uint16_t> ids;
            for (std::size_t i = 0; i < data.size(); i += 2) ids.push_back(static_cast<std::uint16_t>(data[i] << 8 | data[i + 1]));
            if (p1 == 0x00 && ids.size() != 1) return Sw(Fault::WrongLength);
            file = p1 == 0x00 ? Find(ids[0]) : ByPath(ids);
        } else {
            return Sw(Fault::WrongParameters);
        }
    }
    if (!file) return Sw(Fault::FileNotFound);
    current = *file;
    currentDir = tree.IsDir(current) ? current : tree[current].parent;
    if (kind == Kind::Usim && p2 == 0x0C) return Ok();
    pending = SelectResponse(current);
    return Word(kind == Kind::Usim ? 0x61 : 0x9F, static_cast<std::uint8_t>(pending.size()));
}

Bytes SimulatedSimCard::SelectResponse(int index) const {
    const CardFile& file = tree[index];
    const std::uint8_t fidHigh = static_cast<std::uint8_t>(file.fid >> 8), fidLow = static_cast<std::uint8_t>(file.fid);
    const std::size_t size = file.recordLength * file.records.size();
    const bool dir = tree.IsDir(index);
    if (kind == Kind::Sim2g) {
        if (!dir) {
            const std::uint8_t access = static_cast<std::uint8_t>(AccessNibble(file.read) << 4 | AccessNibble(file.update));
            return {0x00, 0x00, static_cast<std::uint8_t>(size >> 8), static_cast<std::uint8_t>(size), fidHigh, fidLow,
                    0x04, 0x00, access, 0xFF, 0x11, 0x01, 0x02, 0x01, static_cast<std::uint8_t>(file.recordLength)};
        }
        const auto status = [](const SecretCode& code, bool puk) {
            return static_cast<std::uint8_t>(0x80 | (puk ? code.PukLeft() : code.PinLeft()));
        };
        return {0x00, 0x00, 0x00, 0x00, fidHigh, fidLow, static_cast<std::uint8_t>(file.kind == CardFile::Kind::Mf ? 0x01 : 0x02),
                0x00, 0x00, 0x00, 0x00, 0x00, 0x09, static_cast<std::uint8_t>(chv1.enabled ? 0x00 : 0x80), 0x01, 0x05, 0x04,
                0x00, status(chv1, false), status(chv1, true), status(chv2, false), status(chv2, true)};
    }
    Bytes body;
    if (dir) {
        body = {0x82, 0x02, 0x78, 0x21, 0x83, 0x02, fidHigh, fidLow};
        if (!file.aid.empty()) {
            body.push_back(0x84);
            body.push_back(static_cast<std::uint8_t>(file.aid.size()));
            body.insert(body.end(), file.aid.begin(), file.aid.end());
        }
    } else {
        body = {0x82, 0x05, 0x42, 0x21, 0x00, static_cast<std::uint8_t>(file.recordLength),
                static_cast<std::uint8_t>(file.records.size()), 0x83, 0x02, fidHigh, fidLow,
                0x80, 0x02, static_cast<std::uint8_t>(size >> 8), static_cast<std::uint8_t>(size)};
    }
    body.insert(body.end(), {0x8A, 0x01, 0x05});
    Bytes fcp{0x62, static_cast<std::uint8_t>(body.size())};
    fcp.insert(fcp.end(), body.begin(), body.end());
    return fcp;
}

Bytes SimulatedSimCard::GetResponse(int le) {
    if (pending.empty()) return Sw(Fault::NoResponse);
    const std::size_t size = pending.size();
    if (le < 0 || static_cast<std::size_t>(le) > size || (kind == Kind::Usim && static_cast<std::size_t>(le) != size))
        return kind == Kind::Usim ? Word(0x6C, static_cast<std::uint8_t>(size)) : Sw(Fault::WrongLength);
    Bytes answer(pending.begin(), pending.begin() + le);
    pending.clear();
    return Ok(std::move(answer));
}

bool SimulatedSimCard::Allowed(Access access) const {
    switch (access) {
    case Access::Always: return true;
    case Access::Pin1: return chv1.verified || !chv1.enabled;
    case Access::Pin2: return chv2.verified;
    case Access::Never: return false;
    }
    return false;
}

Bytes SimulatedSimCard::ReadRecord(std::uint8_t p1, std::uint8_t p2, int le) {
    if (tree.IsDir(current)) return Sw(Fault::NoEfSelected);
    const CardFile& file = tree[current];
    if (p2 != 0x04) return Sw(Fault::WrongParameters);
    if (p1 < 1 || p1 > file.records.size()) return Sw(Fault::RecordNotFound);
    if (!Allowed(file.read)) return Sw(Fault::SecurityNotSatisfied);
    if (le != static_cast<int>(file.recordLength))
        return kind == Kind::Usim ? Word(0x6C, static_cast<std::uint8_t>(file.recordLength)) : Sw(Fault::WrongLength);
    return Ok(file.records[p1 - 1u]);
}

Bytes SimulatedSimCard::UpdateRecord(std::uint8_t p1, std::uint8_t p2, const Bytes& data) {
    if (tree.IsDir(current)) return Sw(Fault::NoEfSelected);
    CardFile& file = tree[current];
    if (p2 != 0x04) return Sw(Fault::WrongParameters);
    if (p1 < 1 || p1 > file.records.size()) return Sw(Fault::RecordNotFound);
    if (!Allowed(file.update)) return Sw(Fault::SecurityNotSatisfied);
    if (data.size() != file.recordLength) return Sw(Fault::WrongLength);
    file.records[p1 - 1u] = data;
    return Ok();
}

SecretCode* SimulatedSimCard::CodeFor(std::uint8_t reference, bool unblock) {
    if (kind == Kind::Usim) return reference == 0x01 ? &chv1 : reference == 0x81 ? &chv2 : nullptr;
    // A 2G UNBLOCK CHV names CHV1 as 00.
    if (reference == (unblock ? 0x00 : 0x01)) return &chv1;
    return reference == 0x02 ? &chv2 : nullptr;
}

Bytes SimulatedSimCard::Counter(const SecretCode& code, bool puk) const {
    const int left = puk ? code.PukLeft() : code.PinLeft();
    if (left == 0) return Word(0x69, 0x83);
    if (!puk && (code.verified || !code.enabled)) return Ok();
    return Word(0x63, static_cast<std::uint8_t>(0xC0 | left));
}

Bytes SimulatedSimCard::Verify(std::uint8_t p2, const Bytes& data, bool hasData) {
    SecretCode* code = CodeFor(p2, false);
    if (!code) return Sw(Fault::WrongParameters);
    if (!hasData && kind == Kind::Usim) return Counter(*code, false);
    if (data.size() != 8) return Sw(Fault::WrongLength);
    switch (code->Verify(data)) {
    case SecretCode::Result::Ok: return Ok();
    case SecretCode::Result::Wrong: return kind == Kind::Usim ? Counter(*code, false) : Word(0x98, 0x04);
    case SecretCode::Result::Blocked: return kind == Kind::Usim ? Word(0x69, 0x83) : Word(0x98, 0x40);
    }
    return Sw(Fault::WrongParameters);
}

Bytes SimulatedSimCard::Unblock(std::uint8_t p2, const Bytes& data, bool hasData) {
    SecretCode* code = CodeFor(p2, true);
    if (!code) return Sw(Fault::WrongParameters);
    if (!hasData && kind == Kind::Usim) return Counter(*code, true);
    if (data.size() != 16) return Sw(Fault::WrongLength);
    switch (code->Unblock(Bytes(data.begin(), data.begin() + 8), Bytes(data.begin() + 8, data.end()))) {
    case SecretCode::Result::Ok: return Ok();
    case SecretCode::Result::Wrong: return kind == Kind::Usim ? Counter(*code, true) : Word(0x98, 0x04);
    case SecretCode::Result::Blocked: return kind == Kind::Usim ? Word(0x69, 0x83) : Word(0x98, 0x40);
    }
    return Sw(Fault::WrongParameters);
}

Bytes SimulatedSimCard::Record(const std::vector<std::uint16_t>& path, int record) const {
    std::lock_guard guard(lock);
    std::vector<std::uint16_t> resolved = path;
    const std::optional<int> file = ByPath(resolved);
    if (!file || tree.IsDir(*file) || record < 1 || static_cast<std::size_t>(record) > tree[*file].records.size()) return {};
    return tree[*file].records[static_cast<std::size_t>(record) - 1];
}

void SimulatedSimCard::SetRecord(const std::vector<std::uint16_t>& path, int record, const Bytes& data) {
    std::lock_guard guard(lock);
    const std::optional<int> file = ByPath(path);
    if (!file || tree.IsDir(*file) || record < 1 || static_cast<std::size_t>(record) > tree[*file].records.size()) return;
    Bytes& target = tree[*file].records[static_cast<std::size_t>(record) - 1];
    target.assign(tree[*file].recordLength, 0xFF);
    std::copy_n(data.begin(), std::min(data.size(), target.size()), target.begin());
}

int SimulatedSimCard::PinLeft() const {
    std::lock_guard guard(lock);
    return chv1.PinLeft();
}
int SimulatedSimCard::PukLeft() const {
    std::lock_guard guard(lock);
    return chv1.PukLeft();
}
bool SimulatedSimCard::PinVerified() const {
    std::lock_guard guard(lock);
    return chv1.verified;
}
std::string SimulatedSimCard::Pin() const {
    std::lock_guard guard(lock);
    return chv1.Pin();
}
std::map<std::uint8_t, long> SimulatedSimCard::CommandCounts() const {
    std::lock_guard guard(lock);
    return counts;
}

}  // namespace ribodex::sim
