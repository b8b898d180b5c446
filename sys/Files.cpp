#include "sys/System.h"

#include "sys/Messages.h"

namespace sys {

void CreateFileAndTell(FileSystem& files, const std::string& path,
                       const std::function<void(File&)>& fill,
                       const std::function<void(const std::string&)>& tell, Language language) {
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
    tell(Text(language, made ? Message::FileCreated : Message::FileNotCreated, {path}));
}

std::string NameOfRandomBytes(const unsigned char (&bytes)[kRandomNameBytes]) {
    // 36 does not divide 256, so the first four digits come a little more often: about 5.1
    // bits a character, 62 for the name, which is plenty for a name that must not be guessed.
    static constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name;
    for (unsigned char byte : bytes) name += kDigits[byte % 36];
    return name;
}

}  // namespace sys
