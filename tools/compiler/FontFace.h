#pragma once
// A FreeType face at one pixel size, for the stages that rasterise DejaVu:
// opened or refused with an exception naming the file, closed with its
// library when it goes.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tools {

class FontFace {
 public:
  FontFace(const std::filesystem::path& file, int pixelSize) {
    if (FT_Init_FreeType(&m_library) != 0) throw std::runtime_error("font: FreeType does not start");
    if (FT_New_Face(m_library, file.c_str(), 0, &m_face) != 0) {
      FT_Done_FreeType(m_library);
      throw std::runtime_error(file.string() + ": not a font FreeType reads");
    }
    if (FT_Set_Pixel_Sizes(m_face, 0, FT_UInt(pixelSize)) != 0) {
      FT_Done_Face(m_face);
      FT_Done_FreeType(m_library);
      throw std::runtime_error(file.string() + ": no size " + std::to_string(pixelSize));
    }
  }
  ~FontFace() {
    FT_Done_Face(m_face);
    FT_Done_FreeType(m_library);
  }
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  FT_Face get() const { return m_face; }

 private:
  FT_Library m_library = nullptr;
  FT_Face m_face = nullptr;
};

}  // namespace tools
