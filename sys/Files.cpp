#include "sys/System.h"

namespace sys {

void CreateFileAndTell(FileSystem& files, const std::string& path,
                       const std::function<void(File&)>& fill,
                       const std::function<void(const std::string&)>& tell) {
    std::unique_ptr<File> file;  // open until the message has been dismissed
    bool made = false;
    if (fill) {
        try {
            file = files.CreateAlways(path);
            fill(*file);
            made = true;
        } catch (...) {
            // Whatever failed, the file, a write or a refused port access, the user is told
            // that the file could not be made; the program goes on.
        }
    }
    tell(made ? path + " を作成しました." : "エラー： " + path + " が作成できません.");
}

}  // namespace sys
