#include "app/file_types.h"

#include "platform/text.h"

namespace FileTypes1 {
namespace {

std::vector<FileType>& Types() {
    static std::vector<FileType> types;
    return types;
}

}  // namespace

void Initialize() {
    if (!Types().empty())
        return;
    Types() = {
        {"Picture Files", ".bmp;.jpeg;.jpg;.png", "", ""},
        {"XML Files", ".xml", "", ""},
        {"Language Files", ".lng", "", ""},
        {"All Files", "", "????", "????"},
        {"Skin Packages", ".zip", "", ""},
    };
}

const std::vector<FileType>& All() {
    Initialize();
    return Types();
}

const FileType& bmp() {
    return All()[0];
}

const FileType& XML() {
    return All()[1];
}

const FileType& Lng() {
    return All()[2];
}

}  // namespace FileTypes1

std::string FileType::Filter() const {
    return platform::ReplaceAll(platform::Mid(Extensions, 2), ";.", ";");
}
