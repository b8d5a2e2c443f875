#include "Thread.h"
#include "FaultSeams.h"

#include <windows.h>

#include <memory>
#include <process.h>

namespace platform
{
namespace
{
struct ThreadStart
{
    ThreadProc proc;
    void* argument;
};

unsigned __stdcall RunThread(void* start)
{
    const std::unique_ptr<ThreadStart> owned(static_cast<ThreadStart*>(start));
    return owned->proc(owned->argument);
}
}

CThread::~CThread()
{
    if (m_handle != nullptr)
        CloseHandle(m_handle);
}

bool CThread::Start(ThreadProc proc, void* argument)
{
    if (m_handle != nullptr || SeamFails(Seam::ThreadStart))
        return false;
    auto start = std::make_unique<ThreadStart>(ThreadStart{proc, argument});
    const uintptr_t handle = _beginthreadex(nullptr, 0, RunThread, start.get(), 0, nullptr);
    if (handle == 0)
        return false;
    start.release();
    m_handle = reinterpret_cast<void*>(handle);
    return true;
}

unsigned CThread::Join()
{
    if (m_handle == nullptr)
        return 0;
    WaitForSingleObject(m_handle, INFINITE);
    DWORD result = 0;
    GetExitCodeThread(m_handle, &result);
    CloseHandle(m_handle);
    m_handle = nullptr;
    return result;
}
}
