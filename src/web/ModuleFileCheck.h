#pragma once
// The check a downloaded camera module file passes before it is put where
// the loader finds it: an ELF shared object for this machine, of a plausible
// size, whose dynamic symbol table defines the module's entry function. The
// file is only read, never loaded: loading would already run its code.
#include <QByteArray>
#include <QString>

#include <cstdint>

namespace modulecheck {

constexpr int64_t kMinBytes = 1024;
constexpr int64_t kMaxBytes = 64LL * 1024 * 1024;

} // namespace modulecheck

// Empty when `bytes` may be used as a module file; otherwise why not.
QString moduleFileProblem(const QByteArray& bytes);
