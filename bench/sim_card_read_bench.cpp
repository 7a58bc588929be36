// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a full 250-record ADN (every tenth number long enough for an EXT1 record): the
// APDUs it costs and the time, straight to the card and through a private pcscd with vpcd.
#include <benchmark/benchmark.h>

#include "core/card/sim_card_device.h"
#include "sim/card/in_process_card.h"
#include "tests/card/private_pcscd.h"

namespace {

using namespace ribodex;
using Kind = sim::SimulatedSimCard::Kind;

void FillBook(sim::SimulatedSimCard& card, Kind kind) {
    const std::vector<std::uint16_t> adn = kind == Kind::Usim ? std::vector<std::uint16_t>{0x3F00, 0x7FFF, 0x5F3A, 0x4F3A}
                                                              : std::vector<std::uint16_t>{0x3F00, 0x7F10, 0x6F3A};
    const std::vector<std::uint16_t> ext = kind == Kind::Usim ? std::vector<std::uint16_t>{0x3F00, 0x7FFF, 0x5F3A, 0x4F4A}
                                                              : std::vector<std::uint16_t>{0x3F00, 0x7F10, 0x6F4A};
    for (int record = 1; record <= 250; ++record) {
        const bool longNumber = record % 25 == 0;  // ten of them: EXT1 has ten records
        Bytes data = sim::FromHex("4E616D65FFFFFFFFFFFFFFFFFFFF 0B 91 94711032547698103254 FF FF");
        if (longNumber) data.back() = static_cast<std::uint8_t>(record / 25);
        card.SetRecord(adn, record, data);
        if (longNumber) card.SetRecord(ext, record / 25, sim::FromHex("02 02 7698FFFFFFFFFFFFFFFF FF"));
    }
}

void Report(benchmark::State& state, long apdus, const sim::SimulatedSimCard& card) {
    const auto counts = card.CommandCounts();
    const auto count = [&](std::uint8_t ins) { return counts.count(ins) ? counts.at(ins) : 0L; };
    state.counters["apdus"] = static_cast<double>(apdus);
    state.counters["select"] = static_cast<double>(count(0xA4));
    state.counters["get_response"] = static_cast<double>(count(0xC0));
    state.counters["read_record"] = static_cast<double>(count(0xB2));
}

// From a connected, unlocked card: select the memory and read it whole.
void ReadBook(benchmark::State& state, Kind kind, bool throughPcscd) {
    long apdus = 0;
    for (auto _ : state) {
        state.PauseTiming();
        sim::SimulatedSimCard card(kind);
        FillBook(card, kind);
        sim::InProcessCard direct(card);
        SimCardDevice device;
        if (throughPcscd) {
            test::PrivatePcscd& pcscd = test::PrivatePcscd::Shared(card);
            if (!pcscd.ready || device.Connect("") != CardStatus::Ok) return state.SkipWithError("no pcscd");
        } else if (device.Attach(direct) != CardStatus::Ok) {
            return state.SkipWithError("no card");
        }
        device.EnterPin("1234");
        card.Reset();  // the counts of the read alone: the session restarts as after power-on
        device.Disconnect();
        SimCardDevice reader;
        if (throughPcscd) reader.Connect("");
        else reader.Attach(direct);
        reader.EnterPin("1234");
        const long before = reader.ApdusSent();
        const auto countsBefore = card.CommandCounts();
        state.ResumeTiming();
        reader.SelectPhoneBook(Sim);
        const int read = reader.ReadAllEntries();
        state.PauseTiming();
        apdus = reader.ApdusSent() - before;
        if (read < 250) {
            state.SkipWithError("not the whole book");
            break;
        }
        (void)countsBefore;
        Report(state, apdus, card);
        if (throughPcscd) test::PrivatePcscd::Shared(card).Park();
        reader.Disconnect();
        state.ResumeTiming();
    }
}

void BM_SimCardRead2gDirect(benchmark::State& state) { ReadBook(state, Kind::Sim2g, false); }
void BM_SimCardReadUsimDirect(benchmark::State& state) { ReadBook(state, Kind::Usim, false); }
void BM_SimCardRead2gPcscd(benchmark::State& state) { ReadBook(state, Kind::Sim2g, true); }
void BM_SimCardReadUsimPcscd(benchmark::State& state) { ReadBook(state, Kind::Usim, true); }
BENCHMARK(BM_SimCardRead2gDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimCardReadUsimDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimCardRead2gPcscd)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SimCardReadUsimPcscd)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
