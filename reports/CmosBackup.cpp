#include "reports/CmosBackup.h"

#include <algorithm>

#include "sys/Messages.h"
#include "sys/ShiftJis.h"

namespace reports {

std::string BackupPath(std::string_view exe, const sys::LeadBytes& lead) {
    constexpr std::string_view kDelimiters = "\\/:";
    const sys::Delimiter last = sys::LastDelimiter(exe, kDelimiters, lead);
    if (last.at == std::string_view::npos) return "\\cmos.dat";
    // A drive root or a path's first character keeps its slash; any other folder loses it.
    const bool isSlash = exe[last.at] != ':';
    const bool keepSlash = last.before == std::string_view::npos ||
                           (sys::CharLength(exe, last.before, lead) == 1 &&
                            kDelimiters.find(exe[last.before]) != std::string_view::npos);
    std::string path(exe.substr(0, last.at + 1));
    if (isSlash && !keepSlash) path.pop_back();
    return path + (exe[last.at] == '/' ? '/' : '\\') + "cmos.dat";
}

std::string BackupConfirmation(const std::string& path, sys::Language language) {
    return sys::Text(language, sys::Message::BackupConfirmation, {path});
}

std::uint8_t BackupByte(hw::Bus& bus, std::uint8_t index) {
    return bus.CmosReachable(index) ? bus.ReadCmos(index) : 0;
}

hw::CmosImage ReadBackupImage(hw::Bus& bus) {
    hw::CmosImage image{};
    for (int index = 0; index < hw::kCmosSize; ++index)
        image[index] = BackupByte(bus, static_cast<std::uint8_t>(index));
    return image;
}

void WriteCmosBackup(const std::string& path, sys::FileSystem& files, hw::Bus& bus,
                     const std::function<void(const std::string&)>& tell, sys::Language language) {
    sys::CreateFileAndTell(files, path, [&bus](sys::File& file) {
        for (int index = 0; index < hw::kCmosSize; ++index) {
            const std::uint8_t value = BackupByte(bus, static_cast<std::uint8_t>(index));
            file.Write(&value, 1);  // throws also when it stores less than the byte
        }
    }, tell, language);
}

ImageFile ReadImageFile(sys::FileSystem& files, const std::string& path) {
    // No more than the largest image and a byte is read: a file that never ends is known as
    // too long at once.
    const sys::FileStart start = files.ReadRegular(path, 2 * hw::kCmosSize);
    const std::string& content = start.bytes;
    if (content.size() != hw::kCmosSize && content.size() != 2 * hw::kCmosSize)
        throw NotABackup(sys::Message::ImageWrongSize, {path, std::to_string(start.size)});
    ImageFile image;
    std::copy(content.begin(), content.begin() + hw::kCmosSize, image.cmos.begin());
    image.upper = content.substr(hw::kCmosSize);
    return image;
}

hw::CmosImage ReadBackupFile(sys::FileSystem& files, const std::string& path) {
    return ReadImageFile(files, path).cmos;
}

namespace {

// The new file beside `path` that takes its place once `content` is in it; `keepMode`: with
// the mode of the file it replaces.
void SaveWhole(sys::FileSystem& files, const std::string& path, const std::string& content, bool keepMode,
               std::unique_ptr<sys::FileLock>* lockNew = nullptr) {
    // The temporary file takes a name nobody can guess and is made only where nothing is, so a
    // link that someone placed in the folder beforehand is never written through. A name that
    // is taken is left alone and another one is tried.
    constexpr int kNamesToTry = 100;
    std::string temporary;
    std::unique_ptr<sys::File> file;
    for (int tried = 0; !file; ++tried) {
        if (tried == kNamesToTry)
            throw sys::FileError(sys::Message::NoFreeTemporaryName, {path, std::to_string(kNamesToTry), temporary});
        temporary = path + "." + files.UnpredictableName();
        file = files.CreateNew(temporary, sys::FileSystem::Sharing::OwnerOnly);
    }
    try {
        file->Write(content.data(), static_cast<std::uint32_t>(content.size()));
        if (keepMode) file->TakeModeOf(path);
        file.reset();  // closed before it takes the place of the old file
        // Locked before it is in place: whoever opens `path` next finds it locked.
        if (lockNew) *lockNew = files.Lock(temporary, true, 0);
        files.Replace(temporary, path);
    } catch (...) {
        file.reset();
        if (lockNew) lockNew->reset();
        files.Remove(temporary);
        throw;
    }
}

}  // namespace

void SaveBackupFile(sys::FileSystem& files, const std::string& path, const hw::CmosImage& image) {
    SaveWhole(files, path, std::string(image.begin(), image.end()), false);
}

void SaveImageFile(sys::FileSystem& files, const std::string& path, const ImageFile& image,
                   std::unique_ptr<sys::FileLock>* lockNew) {
    SaveWhole(files, path, std::string(image.cmos.begin(), image.cmos.end()) + image.upper, true, lockNew);
}

}  // namespace reports
