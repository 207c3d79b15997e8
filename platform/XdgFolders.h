#pragma once
// The user's folders by the XDG rules: a variable that is unset or not an absolute path is ignored
// and the folder under $HOME stands for it; without an absolute $HOME there is none.

#include <filesystem>
#include <optional>

// ${XDG_CONFIG_HOME:-$HOME/.config}
std::optional<std::filesystem::path> ConfigFolder();
// ${XDG_DATA_HOME:-$HOME/.local/share}
std::optional<std::filesystem::path> DataFolder();
