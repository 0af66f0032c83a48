// The settings-file and language-file readers on any text.
#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/xml/variables.h"
#include "fuzz_support.h"
#include "messages/messages.h"
#include "platform/dialogs.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace fs = std::filesystem;

namespace {

// The resources folder is the scratch input folder, whose "Languages" folder holds the fuzzed
// file as "fuzz.lng".
fs::path MakeLanguagesFolder(const fuzzsupport::ScratchFolders& folders) {
    folders.Empty();
    fs::create_directories(folders.In() / "Languages");
    ::setenv("MALVOREN_RESOURCES_DIR", folders.In().c_str(), 1);
    return folders.In() / "Languages";
}

const char* const kKeys[] = {"Lang", "RunOnce", "Color", "Width", "Height", "Method"};
const char* const kSections[] = {"Settings", "Main", "", "Options"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzzsupport::ScratchFolders folders("settings-fuzz");
    static const fs::path languages = MakeLanguagesFolder(folders);
    static platform::ScopedScriptedDialogs* dialogs = new platform::ScopedScriptedDialogs();
    (void)dialogs;
    const std::string text(reinterpret_cast<const char*>(data), size);

    for (const char* section : kSections)
        for (const char* key : kKeys) {
            const std::string value = INI_Read_Write::GetConfigEntry(text, key, section, "");
            (void)INI_Read_Write::ReadColor(value);
            (void)INI_Read_Write::ParseRunOnce(value);
            (void)INI_Read_Write::Str2Bool(value);
        }
    (void)INI_Read_Write::ReadColor(text);
    const auto list = INI_Read_Write::ParseRunOnce(text);
    (void)INI_Read_Write::IsSuppressed(list, 3);

    {
        std::ofstream out(languages / "fuzz.lng", std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    Variables::RC = "\n";
    Language::ResetLanguage();
    Language::ResetMessages();
    INI_Read_Write::ResetSettings();
    Language::SearchAvailableLang();
    // Load whatever name the file gave itself, so its entries are read too.
    if (!Language::AvailableLang.empty()) {
        const std::string& entry = Language::AvailableLang.front();
        INI_Read_Write::Lang = entry.substr(0, entry.find('*'));
        Language::LoadLanguage();
        (void)Language::Lng("File");
    }
    return 0;
}
