#pragma once
// Which folder holds data/DORori.db: the program's own folder when the program may write there, so
// that a portable copy carries its words along; otherwise the user's data folder,
// ${XDG_DATA_HOME:-$HOME/.local/share}/dorori. A table already beside the program is always the one
// used, wherever the program runs from; it is never copied or moved.

#include <filesystem>

enum class TableFolderRule {
    BesideWhenWritable,
    AlwaysInHome, // a packaged program never writes beside itself, not even for root
};

std::filesystem::path TableFolder(const std::filesystem::path& programDirectory, TableFolderRule rule);

// Whether a file can be created in `directory` now, found out by creating and removing one: permission
// bits do not tell, for root on a read-only file system or under an access-control list.
bool CanCreateFileIn(const std::filesystem::path& directory);
