#pragma once

namespace s::thread {

// A piece of background work; a worker thread calls run() once per scheduled run.
class ITask {
public:
    virtual ~ITask() = default;
    virtual void run() = 0;
};

}  // namespace s::thread
