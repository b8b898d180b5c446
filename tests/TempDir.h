// A temporary folder for tests that work on real files; removed with everything in it.
#pragma once

#include "sys/posix/PosixSystem.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <stdlib.h>

class TempDir {
public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tovika-XXXXXX").string();
        dir_ = ::mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(dir_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder with its final delimiter.
    std::string path() const { return dir_ + "/"; }
    std::string File(const std::string& name) const { return path() + name; }

    std::string Read(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Write(const std::string& name, const std::string& content) const {
        std::ofstream(File(name), std::ios::binary) << content;
    }

private:
    std::string dir_;
};

// The real files, as the simulated notebook reads them (hw::OpenSimNotebook).
inline sys::FileSystem& SimFiles() {
    static sys::PosixFileSystem files;
    return files;
}
