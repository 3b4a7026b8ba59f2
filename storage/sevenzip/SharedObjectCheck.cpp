#include "storage/sevenzip/SharedObjectCheck.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sevenzip {

namespace {

#if defined(__x86_64__)
constexpr ElfW(Half) kMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr ElfW(Half) kMachine = EM_AARCH64;
#else
constexpr ElfW(Half) kMachine = EM_NONE; // not checked
#endif
constexpr unsigned char kClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr unsigned char kByteOrder = ELFDATA2LSB;
#else
constexpr unsigned char kByteOrder = ELFDATA2MSB;
#endif

using Header = ElfW(Ehdr);
using ProgramHeader = ElfW(Phdr);

// Whether [offset, offset + length) lies inside a file of fileSize bytes.
bool inside(quint64 offset, quint64 length, quint64 fileSize) {
    return offset <= fileSize && length <= fileSize - offset;
}

QString headerProblem(const Header& header, quint64 fileSize) {
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
        return QStringLiteral("not an ELF file");
    if (header.e_ident[EI_CLASS] != kClass)
        return QStringLiteral("ELF class %1 does not match this %2-bit program")
            .arg(header.e_ident[EI_CLASS] == ELFCLASS32 ? QStringLiteral("32-bit")
                                                        : QStringLiteral("unknown"))
            .arg(sizeof(void*) * 8);
    if (header.e_ident[EI_DATA] != kByteOrder)
        return QStringLiteral("wrong byte order");
    if (header.e_type != ET_DYN)
        return QStringLiteral("not a shared object");
    if (kMachine != EM_NONE && header.e_machine != kMachine)
        return QStringLiteral("built for another machine (%1)").arg(header.e_machine);
    if (header.e_phentsize != sizeof(ProgramHeader) || header.e_phnum == 0)
        return QStringLiteral("broken program headers");
    if (!inside(header.e_phoff, quint64(header.e_phnum) * sizeof(ProgramHeader), fileSize))
        return QStringLiteral("program headers lie past the end of the file (truncated?)");
    if (header.e_shnum != 0 &&
        !inside(header.e_shoff, quint64(header.e_shnum) * header.e_shentsize, fileSize))
        return QStringLiteral("section headers lie past the end of the file (truncated?)");
    return {};
}

QString segmentProblem(const ProgramHeader& segment, quint64 fileSize) {
    if (segment.p_type != PT_LOAD && segment.p_type != PT_DYNAMIC)
        return {};
    if (!inside(segment.p_offset, segment.p_filesz, fileSize))
        return QStringLiteral("a segment lies past the end of the file (truncated?)");
    if (segment.p_type == PT_LOAD && segment.p_memsz < segment.p_filesz)
        return QStringLiteral("broken program headers");
    return {};
}

// Reads exactly size bytes at offset.
bool readAt(int fd, quint64 offset, void* data, std::size_t size) {
    return ::pread(fd, data, size, off_t(offset)) == ssize_t(size);
}

QString problemOfOpenFile(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return QStringLiteral("not a regular file");
    const quint64 fileSize = quint64(info.st_size);
    Header header{};
    const ssize_t got = ::pread(fd, &header, sizeof(header), 0);
    if (got < ssize_t(SELFMAG) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
        return QStringLiteral("not an ELF file");
    if (got != ssize_t(sizeof(header)))
        return QStringLiteral("file too short for an ELF header");
    if (QString problem = headerProblem(header, fileSize); !problem.isEmpty())
        return problem;
    for (int i = 0; i < header.e_phnum; ++i) {
        ProgramHeader segment{};
        if (!readAt(fd, header.e_phoff + quint64(i) * sizeof(segment), &segment, sizeof(segment)))
            return QStringLiteral("broken program headers");
        if (QString problem = segmentProblem(segment, fileSize); !problem.isEmpty())
            return problem;
    }
    return {};
}

} // namespace

QString sharedObjectProblem(const QString& path) {
    // O_NONBLOCK: a FIFO in the library's place must not stop the program.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return QString::fromUtf8(strerrordesc_np(errno));
    QString problem = problemOfOpenFile(fd);
    ::close(fd);
    return problem;
}

} // namespace sevenzip
