#include "RemoteDrop.h"

#include "DropRequest.h"
#include "ProgramPath.h"

#include <tlhelp32.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <memory>
#include <type_traits>

namespace gui
{
namespace
{
// A thread of the program runs for a moment only; this bounds a program that stopped answering.
constexpr DWORD kRemoteThreadMilliseconds = 10000;

struct HandleCloser
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// Bytes written into another process, freed there when the object goes.
class RemoteBlock
{
public:
    RemoteBlock(HANDLE process, const void* bytes, std::size_t size)
        : m_process(process),
          m_address(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
    {
        if (m_address != nullptr && !WriteProcessMemory(process, m_address, bytes, size, nullptr))
            Release();
    }
    ~RemoteBlock() { Release(); }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    void* Address() const { return m_address; }

private:
    void Release()
    {
        if (m_address != nullptr)
            VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        m_address = nullptr;
    }

    HANDLE m_process;
    void* m_address;
};

// Runs start(argument) on a new thread of the process and waits for it: its exit code, or 0.
DWORD RunRemote(HANDLE process, LPTHREAD_START_ROUTINE start, void* argument)
{
    const UniqueHandle thread(CreateRemoteThread(process, nullptr, 0, start, argument, 0, nullptr));
    if (thread == nullptr || WaitForSingleObject(thread.get(), kRemoteThreadMilliseconds) != WAIT_OBJECT_0)
        return 0;
    DWORD code = 0;
    GetExitCodeThread(thread.get(), &code);
    return code;
}

LPTHREAD_START_ROUTINE ThreadStart(FARPROC procedure)
{
    return reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void (*)()>(procedure));
}

std::wstring HelperPath()
{
    return WindowsPath(JOBSIFT_DROP_HELPER);
}

// Where the process has a module of this file name; null when it has none.
BYTE* ModuleBase(DWORD processId, const std::wstring& fileName)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE)
        return nullptr;
    const UniqueHandle owned(snapshot);
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry))
    {
        if (_wcsicmp(entry.szModule, fileName.c_str()) == 0)
            return entry.modBaseAddr;
    }
    return nullptr;
}

// The helper loaded into this process too tells how far PostDrop lies from the module's start,
// which is the same in every process; -1 when it cannot be loaded here.
std::ptrdiff_t PostDropOffset()
{
    static const HMODULE local = LoadLibraryW(HelperPath().c_str());
    const FARPROC postDrop = local != nullptr ? GetProcAddress(local, "PostDrop") : nullptr;
    if (postDrop == nullptr)
        return -1;
    return reinterpret_cast<const BYTE*>(postDrop) - reinterpret_cast<const BYTE*>(local);
}

// kernel32 lies at the same address in every process of the session, so the LoadLibraryW found
// here is the program's too.
BYTE* LoadHelper(HANDLE process, DWORD processId)
{
    const std::wstring path = HelperPath();
    const std::wstring name = std::filesystem::path(path).filename().wstring();
    if (BYTE* const loaded = ModuleBase(processId, name))
        return loaded;
    const RemoteBlock remotePath(process, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    const FARPROC loadLibrary = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW");
    if (remotePath.Address() == nullptr || RunRemote(process, ThreadStart(loadLibrary), remotePath.Address()) == 0)
        return nullptr;
    return ModuleBase(processId, name);
}

std::vector<BYTE> Request(HWND window, const std::vector<std::wstring>& files)
{
    std::vector<BYTE> request(offsetof(DropRequest, files));
    std::memcpy(request.data() + offsetof(DropRequest, window), &window, sizeof(window));
    const auto append = [&request](const wchar_t* units, std::size_t count) {
        const auto* bytes = reinterpret_cast<const BYTE*>(units);
        request.insert(request.end(), bytes, bytes + count * sizeof(wchar_t));
    };
    for (const std::wstring& file : files)
        append(file.c_str(), file.size() + 1);
    append(L"", 1);
    return request;
}
}

bool DropFiles(HWND window, const std::vector<std::wstring>& files)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const UniqueHandle process(OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                               PROCESS_VM_WRITE | PROCESS_VM_READ,
                                           FALSE, processId));
    const std::ptrdiff_t offset = PostDropOffset();
    if (process == nullptr || offset < 0)
        return false;
    BYTE* const helper = LoadHelper(process.get(), processId);
    if (helper == nullptr)
        return false;
    const std::vector<BYTE> request = Request(window, files);
    const RemoteBlock remoteRequest(process.get(), request.data(), request.size());
    const auto postDrop = reinterpret_cast<LPTHREAD_START_ROUTINE>(helper + offset);
    return remoteRequest.Address() != nullptr && RunRemote(process.get(), postDrop, remoteRequest.Address()) == 1;
}
}
