#include "platform/wallpaper/HeifImage.h"

#include <libheif/heif.h>

#include <cstring>
#include <memory>

namespace plyx::wallpaper {

QImage readHeif(const std::filesystem::path& path) {
    std::unique_ptr<heif_context, decltype(&heif_context_free)> ctx(heif_context_alloc(), heif_context_free);
    if (!ctx || heif_context_read_from_file(ctx.get(), path.c_str(), nullptr).code != heif_error_Ok) return {};
    heif_image_handle* rawHandle = nullptr;
    if (heif_context_get_primary_image_handle(ctx.get(), &rawHandle).code != heif_error_Ok) return {};
    std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)> handle(rawHandle,
                                                                                   heif_image_handle_release);
    heif_image* rawImage = nullptr;
    if (heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr).code !=
        heif_error_Ok)
        return {};
    std::unique_ptr<heif_image, decltype(&heif_image_release)> image(rawImage, heif_image_release);
    const int w = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int h = heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t* data = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!data || w <= 0 || h <= 0) return {};
    QImage out(w, h, QImage::Format_RGB888);
    if (out.isNull()) return {};
    for (int y = 0; y < h; ++y) std::memcpy(out.scanLine(y), data + size_t(y) * stride, size_t(w) * 3);
    return out;
}

} // namespace plyx::wallpaper
