#include "jpeg_picture.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <unordered_set>
#include <jpeglib.h>

#include "core/jpeg_header.h"
#include "core/trap.h"

namespace fifteen {

namespace {

// The decoder's verdict: its fatal errors end the decode at once, and any
// warning (data that ends early, a corrupt scan, which Qt's reader would
// only log and fill with grey) counts against the picture as well.
struct Verdict {
    jpeg_error_mgr manager;  // first, so that the library's pointer is ours
    std::jmp_buf fatal;
    bool warned = false;
};

void on_fatal(j_common_ptr decoder)
{
    std::longjmp(reinterpret_cast<Verdict*>(decoder->err)->fatal, 1);
}

void on_message(j_common_ptr decoder, int level)
{
    if (level < 0)  // warnings; higher levels are only traces
        reinterpret_cast<Verdict*>(decoder->err)->warned = true;
}

// True when the bytes decode without an error or a warning. Decoded at an
// eighth of their size, which still reads every byte of the scan, so a
// damaged file shows itself for a fraction of a full decode. Nothing here
// has a destructor for the long jump to skip: the row is the decoder's own.
bool decodes_cleanly(const QByteArray& bytes)
{
    jpeg_decompress_struct decoder{};
    Verdict verdict;
    decoder.err = jpeg_std_error(&verdict.manager);
    verdict.manager.error_exit = on_fatal;
    verdict.manager.emit_message = on_message;
    if (setjmp(verdict.fatal) != 0) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
    (void)jpeg_read_header(&decoder, TRUE);
    decoder.scale_num = 1;
    decoder.scale_denom = 8;
    (void)jpeg_start_decompress(&decoder);
    JSAMPARRAY row = (*decoder.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&decoder), JPOOL_IMAGE,
                                                  decoder.output_width * JDIMENSION(decoder.output_components), 1);
    while (decoder.output_scanline < decoder.output_height)
        (void)jpeg_read_scanlines(&decoder, row, 1);
    (void)jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return !verdict.warned;
}

// The same, remembered for bytes found clean before. A move shows two tiles
// whose files the game has read many times over, and a trial decode of each
// would cost a third of the move. Only a hash of the bytes found clean is
// kept (with the process's random seed); every file is still read afresh.
bool known_to_decode_cleanly(const QByteArray& bytes)
{
    static std::unordered_set<std::size_t> clean;
    const std::size_t key = qHash(bytes, QHashSeed::globalSeed());
    if (clean.count(key) != 0)
        return true;
    if (!decodes_cleanly(bytes))
        return false;
    if (clean.size() >= 64)  // far more pictures than the game has
        clean.clear();
    clean.insert(key);
    return true;
}

}  // namespace

JpegPicture::JpegPicture(const QByteArray& bytes) : bytes_(bytes)
{
    // The header says the size; a picture counts only when it also decodes
    // cleanly, so that a damaged file leaves the control as it was rather
    // than a grey area the size its header claims. It is decoded in full
    // only where it is painted. Qt would fill a missing density with the
    // screen's; the header says what the file itself gives.
    const std::string_view view(bytes_.constData(), std::size_t(bytes_.size()));
    const auto pixels = showable_pixel_size(view);
    if (!pixels || !known_to_decode_cleanly(bytes_)) {
        bytes_.clear();
        throw Failure("not a picture");
    }
    pixels_ = QSize(pixels->width, pixels->height);
    const auto dpi = jfif_dots_per_inch(view);
    size_ = QSize(screen_pixels(pixels_.width(), dpi), screen_pixels(pixels_.height(), dpi));
}

QImage JpegPicture::decode(qreal ratio, const QRect& part) const
{
    QByteArray bytes = bytes_;
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "jpeg");
    // Straight to the JPEG reader: guessing would load every image reader.
    reader.setAutoDetectImageFormat(false);
    const QSize device(int(std::lround(size_.width() * ratio)), int(std::lround(size_.height() * ratio)));
    if (device != pixels_)
        reader.setScaledSize(device);
    if (part.isValid())
        reader.setScaledClipRect(QRectF(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio).toAlignedRect()
                                 & QRect(QPoint(0, 0), device));
    QImage image = reader.read();
    image.setDevicePixelRatio(ratio);
    return image;
}

}  // namespace fifteen
