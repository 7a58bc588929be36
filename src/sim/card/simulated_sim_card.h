// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "sim/card/card_file_tree.h"
#include "sim/card/secret_code.h"

namespace ribodex::sim {

// A SIM card as an APDU-in, APDU-out state machine: a 2G SIM (GSM 11.11, class A0) or a
// UICC holding a USIM (ETSI TS 102 221 / 3GPP TS 31.102, class 00), each with PIN1 and its
// PUK, PIN2 and its PUK, a phone book with extension records, fixed numbers and own numbers.
// Its commands: SELECT, GET RESPONSE, READ RECORD, UPDATE RECORD, VERIFY, UNBLOCK. The
// answers come from the card's own thread (the vpcd link) while a test looks at the
// records: every member takes the lock.
class SimulatedSimCard {
public:
    enum class Kind { Sim2g, Usim };
    explicit SimulatedSimCard(Kind kind);

    Kind CardKind() const { return kind; }
    Bytes Atr() const;
    // Power off, power on and reset all end the session: nothing selected, no PIN verified.
    void Reset();
    Bytes Process(const Bytes& apdu);

    // What a test checks: the record (1-based) of the EF at path (from the MF, 7FFF for the
    // USIM application); empty when there is no such record.
    Bytes Record(const std::vector<std::uint16_t>& path, int record) const;
    void SetRecord(const std::vector<std::uint16_t>& path, int record, const Bytes& data);
    int PinLeft() const;
    int PukLeft() const;
    bool PinVerified() const;
    std::string Pin() const;
    // Commands answered since the start, by instruction byte.
    std::map<std::uint8_t, long> CommandCounts() const;

private:
    enum class Fault { SecurityNotSatisfied, FileNotFound, RecordNotFound, NoEfSelected, WrongLength,
                       WrongParameters, NotRecordFile, WrongClass, UnknownInstruction, NoResponse };
    Bytes Sw(Fault fault) const;
    Bytes Select(std::uint8_t p1, std::uint8_t p2, const Bytes& data);
    Bytes SelectResponse(int file) const;
    Bytes GetResponse(int le);
    Bytes ReadRecord(std::uint8_t p1, std::uint8_t p2, int le);
    Bytes UpdateRecord(std::uint8_t p1, std::uint8_t p2, const Bytes& data);
    Bytes Verify(std::uint8_t p2, const Bytes& data, bool hasData);
    Bytes Unblock(std::uint8_t p2, const Bytes& data, bool hasData);
    SecretCode* CodeFor(std::uint8_t reference, bool unblock);
    bool Allowed(Access access) const;
    std::optional<int> Find(std::uint16_t fid) const;
    std::optional<int> ByPath(const std::vector<std::uint16_t>& path) const;
    Bytes Ok(Bytes data = {}) const;
    Bytes Counter(const SecretCode& code, bool puk) const;

    mutable std::mutex lock;
    Kind kind;
    CardFileTree tree;
    SecretCode chv1{"1234", "12345678"};
    SecretCode chv2{"5678", "87654321"};
    int current = 0;       // the selected file
    int currentDir = 0;    // the DF a file id is looked for in
    int activeAdf = -1;    // the USIM once selected by its AID
    Bytes pending;         // the answer GET RESPONSE gives
    std::map<std::uint8_t, long> counts;
};

// The default files and book of each kind of card.
void FillSimCard(CardFileTree& tree, SimulatedSimCard::Kind kind);

}  // namespace ribodex::sim
