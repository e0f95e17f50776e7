// data_folder.cpp - where the program's data is. On Windows the shortcut
// starts the program in its own folder, beside pak/. Here it may be started
// from anywhere; the data is looked for where a build, an unpacked folder or
// an installation keeps it.
#include "entry.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool has_data(const fs::path &folder)
{
    std::error_code error;
    return fs::is_directory(folder / "pak", error);
}

}  // namespace

void enter_data_folder()
{
    if (has_data("."))
        return;
    char exe[4096];
    DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
    if (n == 0 || n >= sizeof exe)
        return;
    fs::path bin = fs::path(exe).parent_path();
    for (const fs::path &folder : {bin, bin / LUMIVEX_DATA_FROM_BIN}) {
        std::error_code error;
        if (has_data(folder)) {
            fs::current_path(folder, error);
            return;
        }
    }
}
