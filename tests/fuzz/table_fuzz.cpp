// libFuzzer target over what the game reads from disk: HIGHSCORE.RES (the
// table reader, the ranking of a result against whatever it read, the
// writer's round trip), a picture's header (its size, its density and
// whether it may be decoded at all), and the name check.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/highscore.h"
#include "core/name_check.h"
#include "core/jpeg_header.h"
#include "core/ranking.h"

using namespace fifteen;

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> fields = parse_table_text(text);
    require(fields.size() <= 2 * kPlaces);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& field = fields[i];
        require(field.find('.') == std::string::npos);
        if (i % 2 == 0) {
            require(field.size() <= kNameSlots);
        } else {
            require(field.size() <= kScoreSlots);
            for (char c : field)
                require(c >= '0' && c <= '9');
        }
    }

    // A whole table composes back to the same captions, and what is stored
    // of it is never more than the bytes of a clean table.
    if (fields.size() == 2 * kPlaces) {
        Captions names, scores;
        for (std::size_t p = 0; p < kPlaces; ++p) {
            names[p] = fields[2 * p];
            scores[p] = fields[2 * p + 1];
        }
        const std::string composed = compose_table_text(names, scores);
        if (const auto bytes = table_file_bytes(composed)) {
            require(bytes->size() <= kTableLimit);
            require(parse_table_text(*bytes) == fields);
        } else {
            // Whatever the reader takes, the writer stores once names are cut.
            require(composed.size() > kTableLimit);
            shorten_names(names);
            require(table_file_bytes(compose_table_text(names, scores)).has_value());
        }
    }

    // However damaged the file, the table shows its places first and blank
    // empty ones after them, and a result that earns a place is stored so
    // that the next start reads it with one more place.
    const StoredTable table = read_stored_table(text.substr(0, kReadLimit), size);
    require(table.places >= 0 && table.places <= kPlaces);
    for (std::size_t p = 0; p < kPlaces; ++p) {
        if (int(p) < table.places)
            require(!place_is_empty(table.names[p], table.scores[p]));
        else
            require(table.names[p].empty() && table.scores[p].empty());
    }
    const int moves = size > 0 ? 1 + data[0] * 39 : 1;
    if (const auto place = find_place(table.names, table.scores, moves)) {
        Captions names = table.names, scores = table.scores;
        record_result(names, scores, *place, "ANNA", moves);
        // (A first name that itself begins with a byte-order mark, which only
        // an editor can put there, reads back without it.)
        const bool marked_name = names[0].rfind("\xEF\xBB\xBF", 0) == 0;
        const auto bytes = table_file_bytes(compose_table_text(names, scores));
        if (bytes && !marked_name) {
            const StoredTable again = read_stored_table(*bytes, bytes->size());
            require(again.clean);
            require(again.places == std::min(table.places + 1, kPlaces));
        }
    } else {
        require(table.places == kPlaces);  // an empty place takes any storable result
    }

    // A picture file's density never makes it larger on the screen than its
    // pixels, nor empty.
    const auto dpi = jfif_dots_per_inch(text);
    require(!dpi || *dpi > 0);
    for (int pixels : {1, 80, 1000})
        require(screen_pixels(pixels, dpi) <= pixels && screen_pixels(pixels, dpi) >= 1);

    // The decision to decode a picture: only a header within the side
    // limit, and then exactly the header's size.
    const auto pixels = jpeg_pixel_size(text);
    if (pixels)
        require(pixels->width > 0 && pixels->height > 0);
    const auto showable = showable_pixel_size(text);
    require(showable.has_value()
            == (pixels && pixels->width <= kPictureSideLimit && pixels->height <= kPictureSideLimit));
    if (showable)
        require(showable->width == pixels->width && showable->height == pixels->height);

    // The name check on the input read as Latin-1 characters: an accepted
    // name is made only of the codes 65..122.
    std::u32string name;
    for (std::size_t i = 0; i < size && i < 8; ++i)
        name.push_back(char32_t(data[i]));
    if (name_acceptable(name, name.size()))
        for (char32_t c : name)
            require(c >= 65 && c <= 122);
    return 0;
}
