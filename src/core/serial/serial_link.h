// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "core/timing.h"

namespace ribodex {

// Maps the port name the user chose ("COM1", "/dev/ttyUSB0", "DEMO") to the device path to
// open. An empty result means the name has no device (Connect fails as for a missing port).
using PortMapper = std::function<std::string(const std::string& portName)>;

// "COMn" -> /dev/ttyS(n-1), a name starting with "/" -> itself, anything else -> "".
std::string DefaultDevicePath(const std::string& portName);

// One serial port with its receiver thread. Connect, Disconnect, SetupConnection, SetPort,
// Write and Read are called from one thread (the UI thread); the receiver thread runs
// ReadBlock and OnError. After a failed Connect the link is closed and no thread runs.
class SerialLink {
public:
    SerialLink();
    virtual ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Empty: no trace is written. Set before Connect; not changed while connected.
    std::string tracePath;
    Timing timing;
    PortMapper portMapper;  // empty: DefaultDevicePath

    // Line settings; after SetupConnection they hold what the driver accepted.
    // parity and stopBits keep the Win32 codes (parity 0 none, 1 odd, 2 even; stop 0 one, 2 two).
    unsigned baudRate = 9600;
    int dataBits = 8;
    int stopBits = 0;
    int parity = 0;

    // errno of the last open that failed in Connect (EACCES, ENOENT, EBUSY...), else 0.
    int OpenError() const { return openError; }

    bool SetPort(const std::string& portName);
    const std::string& Port() const { return port; }
    bool IsConnected() const { return connected.load(); }
    bool ReceiverRunning() const { return receiverRunning.load(); }
    // The device hung up or went away (an unplugged USB modem) since Connect: nothing more
    // can arrive until the link is connected again.
    bool LineLost() const { return lineLost.load(); }

    bool Connect();
    // -1 keeps the member's current value.
    bool SetupConnection(int baud, int bits, int parityCode, int stopCode);
    bool Disconnect();

    // Appends one time-stamped line to tracePath; false and nothing written when either is empty.
    bool Trace(std::string_view message);

    // Empties receiveBuffer and sends the bytes as they are (the caller adds the carriage
    // return). Always true: a failed send shows as a Read that times out.
    bool Write(std::string_view command);

    // Looks at the text received since the last Write while an answer streams in. It runs
    // on the UI thread with the receive lock held, so it must be quick and must not call
    // into the link; each call sees the text of the last call and what came since (shorter
    // only after DropReceived). Answering false ends the Read at once, as a time-out does.
    using ReceivedWatch = std::function<bool(std::string_view received)>;

    // Waits until the answer since the last Write holds a final result code (OK, ERROR,
    // +CME ERROR: <n>, +CMS ERROR: <n>), or limitMs has passed, or the line is lost, or watch
    // (optional, run first on each pass) answered false, polling every 10 ms; idle (optional)
    // runs on each pass without any lock held, and a slow one does not stretch the limit.
    // Returns every byte received since the last Write.
    std::string Read(int limitMs, const std::function<void()>& idle = {}, const ReceivedWatch& watch = {});
    // Whether the text the last Read returned held a final result code: false after a
    // time-out or a lost line, when the answer may be cut short.
    bool LastReadComplete() const { return lastReadComplete; }
    // Forgets the first count bytes received since the last Write (an earlier command's
    // answer that came late), so that the next Read looks at what follows them.
    void DropReceived(std::size_t count);

protected:
    // UI thread: the fixed waits after raising DTR and after Disconnect. A plain sleep here;
    // answering false (the user stopped it) ends Connect as a failure, port closed.
    virtual bool Settle(int ms);
    // Receiver thread, each block read and an empty block at the end of each burst.
    virtual void ReadBlock(std::string_view block);
    // Receiver thread, once when the device fails or goes away (code: errno).
    virtual void OnError(std::string_view text, int code);

private:
    void ReceiverThread();
    int ReceiveChunk(char* buffer, int capacity);
    void CloseHandles();
    bool OpenPort();
    bool ConfigureRaw();
    bool SetDtr(bool raise);
    void ClosePort();
    void WaitForPort();
    void DrainWakePipe();
    void TraceOperation(const char* operation, std::string_view detail);

    std::string port;
    int commHandle = -1;
    int wakePipe[2] = {-1, -1};
    int openError = 0;
    std::atomic<bool> lineLost{false};  // set by the receiver once the device hung up
    bool lastReadComplete = false;      // UI thread
    std::string receiveBuffer;  // guarded by receiveLock
    std::mutex receiveLock;
    std::mutex traceLock;
    std::atomic<int> connected{0};
    std::thread receiver;
    std::atomic<bool> receiverRunning{false};
};

// Index of the line break that starts the first final result code in answer at or after
// from, or npos. A final result code is a carriage return or line feed followed by "OK\r",
// "ERROR\r", "COMMAND NOT SUPPORT\r", "NO CARRIER\r", "BUSY\r", "NO ANSWER\r",
// "NO DIALTONE\r", or "+CME ERROR:" / "+CMS ERROR:" and the rest of its line up to a carriage
// return (GSM 07.07 extended errors end a command like ERROR does). Pure, so the fuzzers and
// benchmarks can call it.
std::size_t FindFinalResult(std::string_view answer, std::size_t from = 0);

// Where to search again once `searched` (which held no final result) has grown: any final
// result not yet complete in it starts at or after this point.
std::size_t FinalResultResumePoint(std::string_view searched);

}  // namespace ribodex
