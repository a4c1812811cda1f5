#include "platform/win/services/ConsoleTermination.h"

#include <mutex>
#include <stdexcept>
#include <windows.h>

namespace orvane::win {

// The event, shared with a console handler that may still be signalling it while the object goes.
struct ConsoleTermination::Shared {
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    Shared() {
        if (!event) throw std::runtime_error("no event object for the console's requests");
    }
    ~Shared() { CloseHandle(event); }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;
};

namespace {

// Which object receives the requests. Never destroyed: the system may call the handler while the
// process is ending and static objects are already gone.
struct Receiver {
    std::mutex mutex;
    std::shared_ptr<ConsoleTermination::Shared> current;
};

Receiver& receiver() {
    static Receiver* const instance = new Receiver;
    return *instance;
}

BOOL WINAPI consoleHandler(DWORD controlType) {
    return ConsoleTermination::handle(controlType) ? TRUE : FALSE;
}

}  // namespace

ConsoleTermination::ConsoleTermination() : m_shared(std::make_shared<Shared>()) {
    // Registered once for the process and left in place: without a receiver it hands the event on.
    static const bool registered = SetConsoleCtrlHandler(consoleHandler, TRUE) != FALSE;
    static_cast<void>(registered);
    const std::lock_guard lock(receiver().mutex);
    receiver().current = m_shared;
}

ConsoleTermination::~ConsoleTermination() {
    const std::lock_guard lock(receiver().mutex);
    if (receiver().current == m_shared) receiver().current.reset();
}

void* ConsoleTermination::requestEvent() const {
    return m_shared->event;
}

bool ConsoleTermination::handle(unsigned long controlType) {
    const bool ending = controlType == CTRL_CLOSE_EVENT || controlType == CTRL_LOGOFF_EVENT ||
                        controlType == CTRL_SHUTDOWN_EVENT;
    if (!ending && controlType != CTRL_C_EVENT && controlType != CTRL_BREAK_EVENT) return false;
    std::shared_ptr<Shared> shared;
    {
        const std::lock_guard lock(receiver().mutex);
        shared = receiver().current;
    }
    if (!shared) return false;
    SetEvent(shared->event);
    // Returning would end the process at once, before the program has saved its settings.
    if (ending) Sleep(INFINITE);
    return true;
}

}  // namespace orvane::win
