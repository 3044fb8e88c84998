#include "web/ModuleFileCheck.h"

#include "camera/CameraTypes.h"

#include <cstring>
#include <elf.h>
#include <optional>
#include <string_view>

namespace {

#if defined(__x86_64__)
constexpr uint16_t kHostMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr uint16_t kHostMachine = EM_AARCH64;
#else
#error "set the ELF machine of this platform"
#endif

// Reads a record at `offset`, or nothing when it does not lie inside `bytes`.
template <typename T> std::optional<T> recordAt(const QByteArray& bytes, uint64_t offset) {
    const auto size = static_cast<uint64_t>(bytes.size());
    if (offset > size || size - offset < sizeof(T)) {
        return std::nullopt;
    }
    T record;
    std::memcpy(&record, bytes.constData() + offset, sizeof(T));
    return record;
}

bool insideFile(const QByteArray& bytes, uint64_t offset, uint64_t length) {
    const auto size = static_cast<uint64_t>(bytes.size());
    return offset <= size && length <= size - offset;
}

std::optional<Elf64_Shdr> section(const QByteArray& bytes, const Elf64_Ehdr& header,
                                  uint64_t index) {
    if (index >= header.e_shnum) {
        return std::nullopt;
    }
    return recordAt<Elf64_Shdr>(bytes, header.e_shoff + index * sizeof(Elf64_Shdr));
}

// The symbol's name, when it lies inside the string table.
std::string_view symbolName(const QByteArray& bytes, const Elf64_Shdr& strings, uint32_t name) {
    if (name >= strings.sh_size) {
        return {};
    }
    const char* begin = bytes.constData() + strings.sh_offset + name;
    const size_t room = strings.sh_size - name;
    const void* end = std::memchr(begin, '\0', room);
    return end ? std::string_view(begin, static_cast<const char*>(end) - begin)
               : std::string_view();
}

bool definesEntry(const QByteArray& bytes, const Elf64_Ehdr& header, const Elf64_Shdr& symbols) {
    const std::optional<Elf64_Shdr> strings = section(bytes, header, symbols.sh_link);
    if (!strings || strings->sh_type != SHT_STRTAB ||
        !insideFile(bytes, strings->sh_offset, strings->sh_size) ||
        symbols.sh_entsize != sizeof(Elf64_Sym) ||
        !insideFile(bytes, symbols.sh_offset, symbols.sh_size)) {
        return false;
    }
    const uint64_t count = symbols.sh_size / sizeof(Elf64_Sym);
    for (uint64_t i = 0; i < count; ++i) {
        const auto symbol = recordAt<Elf64_Sym>(bytes, symbols.sh_offset + i * sizeof(Elf64_Sym));
        const unsigned binding = ELF64_ST_BIND(symbol->st_info);
        if (symbol->st_shndx != SHN_UNDEF && ELF64_ST_TYPE(symbol->st_info) == STT_FUNC &&
            (binding == STB_GLOBAL || binding == STB_WEAK) &&
            symbolName(bytes, *strings, symbol->st_name) == orv::kEntryPointName) {
            return true;
        }
    }
    return false;
}

QString headerProblem(const Elf64_Ehdr& header) {
    if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB ||
        header.e_machine != kHostMachine) {
        return QStringLiteral("built for another kind of computer");
    }
    if (header.e_type != ET_DYN) {
        return QStringLiteral("not a shared library");
    }
    return {};
}

} // namespace

QString moduleFileProblem(const QByteArray& bytes) {
    if (bytes.size() < modulecheck::kMinBytes || bytes.size() > modulecheck::kMaxBytes) {
        return QStringLiteral("%1 bytes is not the size of a module file").arg(bytes.size());
    }
    const auto header = recordAt<Elf64_Ehdr>(bytes, 0);
    if (!header || std::memcmp(header->e_ident, ELFMAG, SELFMAG) != 0) {
        return QStringLiteral("not a module file (no library header)");
    }
    if (QString problem = headerProblem(*header); !problem.isEmpty()) {
        return problem;
    }
    const bool tableFits =
        header->e_shentsize == sizeof(Elf64_Shdr) &&
        insideFile(bytes, header->e_shoff, uint64_t{header->e_shnum} * sizeof(Elf64_Shdr));
    if (!tableFits) {
        return QStringLiteral("damaged library (section table outside the file)");
    }
    for (uint64_t i = 0; i < header->e_shnum; ++i) {
        const std::optional<Elf64_Shdr> symbols = section(bytes, *header, i);
        if (symbols && symbols->sh_type == SHT_DYNSYM && definesEntry(bytes, *header, *symbols)) {
            return {};
        }
    }
    return QStringLiteral("the library has no ") + QLatin1String(orv::kEntryPointName);
}
