#include "sys/SystemError.h"

#include <cerrno>

namespace sys {

int LastErrorCode() { return errno; }

std::string SystemErrorText(int code) {
    switch (code) {
    case ENOENT: return "ファイルがありません";
    case EACCES:
    case EPERM: return "アクセスが拒否されました";
    case EISDIR: return "ファイルではなくフォルダです";
    default: return "システム エラー (errno " + std::to_string(code) + ")";
    }
}

}  // namespace sys
