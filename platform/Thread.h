#pragma once


namespace platform
{
using ThreadProc = unsigned (*)(void* argument);

// A thread of the program's own, at normal priority with the default stack. One that is still
// running when the object goes is let go to end by itself.
class CThread
{
public:
    CThread() = default;
    ~CThread();
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    // Runs proc(argument) at once; false when the system could not start the thread.
    bool Start(ThreadProc proc, void* argument);
    // Waits for the thread to end and gives its result.
    unsigned Join();

private:
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    unsigned long m_thread = 0;
    bool m_running = false;
#endif
};
}
