#include "highscore.h"

#include "ranking.h"

namespace fifteen {

namespace {

// Reads one field from `pos` up to its ".", at most `slots` characters.
// Returns false when the field breaks the limit or the text ends first.
bool read_field(std::string_view text, std::size_t& pos, std::size_t slots, std::string& field)
{
    field.clear();
    while (pos < text.size() && text[pos] != '.') {
        if (field.size() == slots)
            return false;
        field.push_back(text[pos]);
        ++pos;
    }
    if (pos >= text.size())
        return false;
    ++pos;  // step over the "."
    return true;
}

std::string score_digits(const std::string& field)
{
    std::string digits;
    for (char c : field)
        digits.push_back(c >= '0' && c <= '9' ? c : '0');
    return digits;
}

}  // namespace

std::vector<std::string> parse_table_text(std::string_view text)
{
    std::vector<std::string> captions;
    std::size_t pos = 0;
    std::string field;
    for (int place = 0; place < kPlaces; ++place) {
        if (!read_field(text, pos, kNameSlots, field))
            break;
        captions.push_back(field);
        if (!read_field(text, pos, kScoreSlots, field))
            break;
        captions.push_back(score_digits(field));
    }
    return captions;
}

StoredTable read_stored_table(std::string_view bytes, std::size_t file_size)
{
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    const std::vector<std::string> fields = parse_table_text(bytes);
    StoredTable table;
    table.clean = fields.size() == 2 * kPlaces && file_size <= kTableLimit;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (place_is_empty(fields[i], fields[i + 1]))
            continue;
        const auto p = static_cast<std::size_t>(table.places++);
        table.names[p] = fields[i];
        table.scores[p] = fields[i + 1];
    }
    return table;
}

std::string compose_table_text(const Captions& names, const Captions& scores)
{
    std::string text;
    for (std::size_t p = 0; p < kPlaces; ++p) {
        text += names[p];
        text += '.';
        text += scores[p];
        text += '.';
    }
    return text;
}

void shorten_names(Captions& names)
{
    for (std::string& name : names)
        if (name.size() > kNameLength)
            name.resize(kNameLength);
}

std::optional<std::string> table_file_bytes(std::string_view text)
{
    if (text.size() > kTableLimit)
        return std::nullopt;
    std::string bytes(text);
    if (bytes.size() + kLineEnd.size() <= kTableLimit)
        bytes += kLineEnd;
    return bytes;
}

}  // namespace fifteen
