#include "forms/font_spec.h"

#include <charconv>
#include <vector>

#include "forms/dpi_scale.h"

namespace tavomerix {

namespace {

std::vector<std::string_view> splitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        fields.push_back(text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

// The integer in a field, blanks around it allowed; 0 when the field is not one.
int fieldValue(const std::vector<std::string_view>& fields, size_t index) {
    if (index >= fields.size()) return 0;
    std::string_view f = fields[index];
    while (!f.empty() && f.front() == ' ') f.remove_prefix(1);
    while (!f.empty() && f.back() == ' ') f.remove_suffix(1);
    if (!f.empty() && f.front() == '+') f.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(f.data(), f.data() + f.size(), value);
    return error == std::errc() && end == f.data() + f.size() ? value : 0;
}

}  // namespace

FontSpec parseFontSpec(std::string_view spec) {
    const std::vector<std::string_view> fields = splitFields(spec);
    FontSpec font;
    font.face = std::string(fields[0]);
    font.size = fieldValue(fields, 1);
    font.weight = fieldValue(fields, 5);
    font.italic = fieldValue(fields, 6) != 0;
    font.underline = fieldValue(fields, 7) != 0;
    font.strikeout = fieldValue(fields, 8) != 0;
    return font;
}

int fontHeight(int size, int dpi) {
    constexpr int PointsPerInch = 72;
    const int heightAt96 = size > 0 ? -(size * BaseDpi / PointsPerInch) : size;
    return scaled(heightAt96, dpi);
}

}  // namespace tavomerix
