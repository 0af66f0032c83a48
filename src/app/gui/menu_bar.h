#pragma once

#include "platform/menu.h"

#include <memory>

/// The program's menu bar: "File", "Options" and "?", each item known by its name. The main
/// window mirrors the tree into its own menu bar, translates the texts and handles the
/// commands by item name.
namespace MenuBar1 {

/// The menu bar, built on the first call.
platform::MenuItem& Instance();

/// A new menu bar tree: the three menus and their items, in order.
std::unique_ptr<platform::MenuItem> Build();

/// For tests: the next call of `Instance` builds a new bar.
void ResetInstance();

}  // namespace MenuBar1

/// The menu item that starts the sibling tool.
class OpenTarquell : public platform::MenuItem {
public:
    OpenTarquell();
};

namespace Variables {

/// Looks for the sibling tool; for every program found, remembers its path and adds a
/// separator and an "Open Tarquell Tool" item to the File menu after "Open Skin Folder".
void GetTarquellPath();

}  // namespace Variables
