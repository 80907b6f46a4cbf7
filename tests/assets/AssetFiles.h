// Where the asset tests find the generated files.
#pragma once

#include <string>

namespace korvan::test {

inline std::string GraphicFile(const std::string& name) { return std::string(KORVAN_RUN_DIR) + "/Graphic/" + name; }
inline std::string MusicFile(const std::string& name) { return std::string(KORVAN_RUN_DIR) + "/Music/" + name; }
inline std::string PictureFile(const std::string& name)
{
    return std::string(KORVAN_RUN_DIR) + "/../generated/pictures/" + name;
}

}  // namespace korvan::test
