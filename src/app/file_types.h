#pragma once

#include <string>
#include <vector>

/// A file type of the program's dialogs, after the framework's FileType.
struct FileType {
    std::string Name;
    /// Extensions with their dots, separated by ";" (".bmp;.jpeg;.jpg;.png").
    std::string Extensions;
    /// Mac file type and creator codes: four characters or empty.
    std::string MacType;
    std::string MacCreator;

    /// The type as a dialog filter: the extensions without dots ("bmp;jpeg;jpg;png"); empty
    /// for a type without extensions (any file).
    std::string Filter() const;
};

/// The program's set of file types, built once at start-up.
namespace FileTypes1 {

/// Builds the five types in order; a second call changes nothing.
void Initialize();
/// Every type, in the order in which they are built.
const std::vector<FileType>& All();
/// "Picture Files": the bitmaps a user may have resized elsewhere.
const FileType& bmp();
/// "XML Files": skins.
const FileType& XML();
/// "Language Files".
const FileType& Lng();

}  // namespace FileTypes1
