#pragma once

#include "platform/win/services/WinEventLoop.h"
#include "platform/win/services/WinSerialPort.h"

namespace orvane::win {

// A serial port whose events the loop delivers: its wake event is watched, with pump() as the
// callback, for as long as it lives.
class LoopSerialPort final : public WinSerialPort {
public:
    explicit LoopSerialPort(WinEventLoop& loop) : m_loop(loop) {
        m_loop.watch(wakeEvent(), [this] { pump(); });
    }
    ~LoopSerialPort() override { m_loop.unwatch(wakeEvent()); }
    LoopSerialPort(const LoopSerialPort&) = delete;
    LoopSerialPort& operator=(const LoopSerialPort&) = delete;

private:
    WinEventLoop& m_loop;
};

}  // namespace orvane::win
