#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform
{
#ifdef _WIN32
constexpr char16_t kPathSeparator = u'\\';
#else
constexpr char16_t kPathSeparator = u'/';
#endif

bool IsPathSeparator(char16_t unit);

// The process's current directory, as the system reports it.
bool CurrentDirectory(std::u16string& directory);

// Removes a file; false when it could not be removed.
bool RemoveFile(const std::u16string& path);

// The executable's file name without folder or extension: the caption of our message boxes.
std::u16string ApplicationName();

using ThreadProc = unsigned (*)(void* argument);
// Starts proc(argument) at once on a thread of its own, at normal priority; no handle is kept.
bool StartThread(ThreadProc proc, void* argument);

void SleepMilliseconds(std::uint32_t milliseconds);

// A modal box with an OK button; returns when it is closed. An empty caption means ApplicationName().
void MessageBoxOk(const std::u16string& text, const std::u16string& caption = {});

// Programs without windows (the command line, the tests) take the boxes themselves.
using MessageBoxHandler = std::function<void(const std::u16string& text, const std::u16string& caption)>;
void SetMessageBoxHandler(MessageBoxHandler handler);
}
