#pragma once
// The files the program reads: its own folder, and the picture of its body there.
#include <string>

#include "common/picture.h"

namespace quill::platform {

struct PictureLoad {
    PictureRef picture;  // null when the file is not a usable picture
    std::string error;   // why not, in plain words
};

class FilePort {
public:
    virtual ~FilePort() = default;
    // The executable's folder, without a trailing separator (a drive root may keep its own);
    // empty when the system cannot say.
    virtual std::string programFolder() const = 0;
    // True when the path names a file that is neither hidden, system nor a folder.
    virtual bool findNormalFile(const std::string& path) const = 0;
    virtual PictureLoad loadPicture(const std::string& path) = 0;
};

}  // namespace quill::platform
