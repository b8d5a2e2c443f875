#include "Thread.h"
#include "FaultSeams.h"

#include <pthread.h>

#include <cstdint>
#include <memory>

namespace platform
{
static_assert(sizeof(pthread_t) <= sizeof(unsigned long), "a thread id fits the member that holds it");

namespace
{
struct ThreadStart
{
    ThreadProc proc;
    void* argument;
};

void* RunThread(void* start)
{
    const std::unique_ptr<ThreadStart> owned(static_cast<ThreadStart*>(start));
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(owned->proc(owned->argument)));
}
}

CThread::~CThread()
{
    if (m_running)
        pthread_detach(static_cast<pthread_t>(m_thread));
}

bool CThread::Start(ThreadProc proc, void* argument)
{
    if (m_running || SeamFails(Seam::ThreadStart))
        return false;
    auto start = std::make_unique<ThreadStart>(ThreadStart{proc, argument});
    pthread_t thread{};
    if (pthread_create(&thread, nullptr, RunThread, start.get()) != 0)
        return false;
    start.release();
    m_thread = thread;
    m_running = true;
    return true;
}

unsigned CThread::Join()
{
    if (!m_running)
        return 0;
    void* result = nullptr;
    pthread_join(static_cast<pthread_t>(m_thread), &result);
    m_running = false;
    return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(result));
}
}
