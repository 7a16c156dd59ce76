#include "fuzz/memoryfile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

namespace {

[[noreturn]] void systemError(const char *what)
{
    throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

MemoryFile::MemoryFile() : m_fd(memfd_create("quillmont-fuzz-input", MFD_CLOEXEC))
{
    if (m_fd < 0)
        systemError("memfd_create");
    // Opening this name gives a new description of the same file, so every reader starts at 0.
    m_path = QStringLiteral("/proc/self/fd/%1").arg(m_fd);
}

MemoryFile::~MemoryFile()
{
    ::close(m_fd);
}

void MemoryFile::assign(const std::uint8_t *data, std::size_t size)
{
    if (::ftruncate(m_fd, 0) != 0)
        systemError("ftruncate");
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::pwrite(m_fd, data + written, size - written, off_t(written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            systemError("pwrite");
        written += std::size_t(n);
    }
}
