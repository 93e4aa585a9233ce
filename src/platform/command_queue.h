#pragma once

#include <functional>

namespace ravelin::platform {

// The window thread's queue: posted command ids, timers, and calls handed over from the worker
// thread. Everything posted here runs later on the window thread, in order.
class CommandQueue {
public:
    virtual ~CommandQueue() = default;
    virtual void PostCommand(int commandId) = 0;
    // Whether a command with this id is waiting in the queue (used to drop repeated commands).
    virtual bool IsCommandPending(int commandId) const = 0;
    // Repeating timer; a running timer with the same id is restarted with the new interval.
    virtual void StartTimer(int timerId, int intervalMs) = 0;
    virtual void KillTimer(int timerId) = 0;
    // Safe to call from any thread.
    virtual void PostToWindowThread(std::function<void()> call) = 0;
};

}  // namespace ravelin::platform
