// The floor a check of whole images cannot go below: each file read once, its CRC-32 computed
// with zlib over all of it, and written once beside itself under a temporary name, flushed to the
// device and renamed, as the checker writes its cleaned file. Built and run by
// scripts/bench/batch.sh.
#include <zlib.h>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
bool Copy(const std::string& path, std::vector<unsigned char>& buffer, unsigned long& sum)
{
    const int in = ::open(path.c_str(), O_RDONLY);
    struct stat info {};
    if (in < 0 || ::fstat(in, &info) != 0)
        return false;
    buffer.resize(static_cast<std::size_t>(info.st_size));
    const bool read = ::read(in, buffer.data(), buffer.size()) == static_cast<ssize_t>(buffer.size());
    ::close(in);
    sum ^= crc32(0, buffer.data(), static_cast<uInt>(buffer.size()));
    const std::string temporary = path + ".floor-tmp";
    const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const bool written = out >= 0 && ::write(out, buffer.data(), buffer.size()) == static_cast<ssize_t>(buffer.size()) &&
                         ::fsync(out) == 0;
    const bool closed = out >= 0 && ::close(out) == 0;
    return read && written && closed && ::rename(temporary.c_str(), (path + ".floor").c_str()) == 0;
}
}

int main(int argc, char** argv)
{
    std::vector<unsigned char> buffer;
    unsigned long sum = 0;
    for (int i = 1; i < argc; ++i)
    {
        if (!Copy(argv[i], buffer, sum))
        {
            std::fprintf(stderr, "floor: %s failed\n", argv[i]);
            return 1;
        }
    }
    std::printf("%08lx\n", sum);
    return 0;
}
