#pragma once

#include <memory>

namespace orvane::win {

// Turns the console's requests to end the program (Ctrl-C, Ctrl-Break, closing the console, logoff,
// shutdown) into a Windows event that an event loop waits for, so that the program reacts on its
// own thread: the system runs the console handler on a thread of its own, and the handler only
// signals the event. One object receives the requests at a time, the one constructed last.
class ConsoleTermination {
public:
    ConsoleTermination();
    ~ConsoleTermination();
    ConsoleTermination(const ConsoleTermination&) = delete;
    ConsoleTermination& operator=(const ConsoleTermination&) = delete;

    // An auto-reset event (a HANDLE), signalled by each request.
    void* requestEvent() const;

    // What the console handler does with a control event (a CTRL_*_EVENT code): signals the
    // receiving object's event and returns true, or returns false (the system's default, ending
    // the process) when there is none or the code is none of the above. After a close, logoff or
    // shutdown the system ends the process as soon as the handler returns, so it returns only when
    // the program has ended on its own, or the system's time-out has ended it. Called by the
    // system on a thread of its own; tests call it from a thread of theirs where there is no
    // console to send the event.
    static bool handle(unsigned long controlType);

    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
};

}  // namespace orvane::win
