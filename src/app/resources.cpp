#include "app/resources.h"

#include "platform/application.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/picturefile.h"

#include <map>
#include <optional>

namespace resources {
namespace {

std::map<std::string, platform::PicturePtr>& Kept() {
    static std::map<std::string, platform::PicturePtr> kept;
    return kept;
}

std::optional<std::string>& KeptEn() {
    static std::optional<std::string> text;
    return text;
}

constexpr std::uintmax_t kMaxReferenceBytes = 16ull * 1024 * 1024;

platform::PicturePtr Shipped(const std::string& fileName) {
    platform::PicturePtr& kept = Kept()[fileName];
    if (kept)
        return kept;
    const platform::FolderItem folder = platform::ResourcesFolder();
    if (!folder.IsFolder())
        return nullptr;
    kept = platform::OpenAsPicture(folder.Child(fileName).Path(), platform::PictureAlpha::Keep);
    return kept;
}

}  // namespace

platform::PicturePtr Settings_icon() {
    return Shipped("Settings_icon.png");
}

platform::PicturePtr OpenFolder() {
    return Shipped("OpenFolder.png");
}

platform::PicturePtr reload() {
    return Shipped("reload.png");
}

platform::PicturePtr Update() {
    return Shipped("Update.png");
}

platform::PicturePtr UserGuide_icon() {
    return Shipped("UserGuide.png");
}

platform::PicturePtr UIKitBackground() {
    return Shipped("UI Kit Background.png");
}

platform::PicturePtr Menutexture() {
    return Shipped("Menu texture.png");
}

platform::PicturePtr UI_ColorPicker_backdrop() {
    return Shipped("UI_ColorPicker_backdrop.png");
}

platform::PicturePtr UI_Checkbox_backdrop() {
    return Shipped("UI_Checkbox_backdrop.png");
}

std::string en() {
    if (!KeptEn()) {
        KeptEn() = std::string();
        try {
            *KeptEn() = platform::ReadFileBytes(platform::ResourcesFolder().Child("en.lng").Path(),
                                                kMaxReferenceBytes);
        } catch (const platform::RuntimeException&) {
            // No reference file: the editor shows no English texts this run.
        }
    }
    return *KeptEn();
}

void ResetResources() {
    Kept().clear();
    KeptEn().reset();
}

}  // namespace resources
