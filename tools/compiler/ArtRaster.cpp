// Art into ARGB pixels: SVG through librsvg onto a cairo surface, PNG
// through cairo; cairo's premultiplied pixels are returned straight.
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cmath>
#include <memory>
#include <stdexcept>

#include "tools/compiler/SpriteCompiler.h"

namespace tools {

namespace {

struct SurfaceRelease {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceRelease>;

ArtImage pixelsOf(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  ArtImage image;
  image.width = cairo_image_surface_get_width(surface);
  image.height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  image.pixels.reserve(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    for (int x = 0; x < image.width; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      if (a == 0) {
        image.pixels.push_back(0);
        continue;
      }
      auto straight = [a](uint32_t c) { return (c * 255 + a / 2) / a; };
      image.pixels.push_back(a << 24 | straight(p >> 16 & 0xFF) << 16 | straight(p >> 8 & 0xFF) << 8 |
                             straight(p & 0xFF));
    }
  }
  return image;
}

ArtImage rasteriseSvg(const std::filesystem::path& file, double scale) {
  GError* error = nullptr;
  RsvgHandle* handle = rsvg_handle_new_from_file(file.c_str(), &error);
  if (handle == nullptr) {
    const std::string message = error != nullptr ? error->message : "unreadable";
    if (error != nullptr) g_error_free(error);
    throw std::runtime_error(file.string() + ": " + message);
  }
  gdouble width = 0, height = 0;
  if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height)) {
    g_object_unref(handle);
    throw std::runtime_error(file.string() + ": the SVG needs a width and a height");
  }
  const int w = static_cast<int>(std::lround(width * scale));
  const int h = static_cast<int>(std::lround(height * scale));
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
  cairo_t* cr = cairo_create(surface.get());
  const RsvgRectangle viewport{0, 0, static_cast<double>(w), static_cast<double>(h)};
  const bool rendered = rsvg_handle_render_document(handle, cr, &viewport, &error);
  cairo_destroy(cr);
  g_object_unref(handle);
  if (!rendered) {
    const std::string message = error != nullptr ? error->message : "cannot be rendered";
    if (error != nullptr) g_error_free(error);
    throw std::runtime_error(file.string() + ": " + message);
  }
  return pixelsOf(surface.get());
}

}  // namespace

ArtImage rasteriseArt(const std::filesystem::path& file, double scale) {
  if (file.extension() == ".svg") return rasteriseSvg(file, scale);
  if (file.extension() == ".png") {
    Surface surface(cairo_image_surface_create_from_png(file.c_str()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
      throw std::runtime_error(file.string() + ": not a readable PNG");
    return pixelsOf(surface.get());
  }
  throw std::runtime_error(file.string() + ": art is SVG or PNG");
}

}  // namespace tools
