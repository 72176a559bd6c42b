#include "core/FieldText.h"

#include <charconv>
#include <cmath>

namespace {
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsSeparator(char c) { return c == ',' || IsLineEnd(c); }

// A decimal integer of at most 18 digits after an optional minus at `p`, as
// from_chars reads it; null where there is none or a longer one.
const char* ShortDecimal(const char* p, const char* stop, std::int64_t& value) {
    const bool negative = p < stop && *p == '-';
    const char* const first = p + negative;
    const char* q = first;
    std::int64_t v = 0;
    while (q < stop && q - first < 18 && static_cast<unsigned>(*q - '0') < 10) v = v * 10 + (*q++ - '0');
    if (q == first || (q < stop && static_cast<unsigned>(*q - '0') < 10)) return nullptr;
    value = negative ? -v : v;
    return q;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}
}  // namespace

void FieldWriter::Separate() {
    if (lineStarted_) out_ += ',';
    lineStarted_ = true;
}

void FieldWriter::Int(std::int64_t value) {
    Separate();
    out_ += std::to_string(value);
}

void FieldWriter::Float(float value) {
    Separate();
    // The shortest text that reads back to the identical single-precision value.
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    std::string text(buf, ec == std::errc() ? end : buf);
    for (char& c : text)
        if (c == 'e') c = 'E';
    out_ += text;
}

void FieldWriter::Bool(std::int16_t value) {
    Separate();
    out_ += value ? "#TRUE#" : "#FALSE#";
}

void FieldWriter::String(std::string_view text) {
    Separate();
    out_ += '"';
    out_ += text;
    out_ += '"';
}

void FieldWriter::Bare(std::string_view text) {
    Separate();
    out_ += text;
}

void FieldWriter::EndLine() {
    out_ += "\r\n";
    lineStarted_ = false;
}

void FieldReader::SkipSeparator() {
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == ',') {
        ++pos_;
    } else if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    } else if (text_[pos_] == '\n') {
        ++pos_;
    }
}

bool FieldReader::AtEnd() { return pos_ >= text_.size(); }

bool FieldReader::NextRaw(std::string_view& field) {
    if (bad_ || pos_ >= text_.size()) {
        bad_ = true;
        return false;
    }
    std::size_t end = pos_;
    while (end < text_.size() && !IsSeparator(text_[end])) ++end;
    field = text_.substr(pos_, end - pos_);
    pos_ = end;
    SkipSeparator();
    return true;
}

std::string FieldReader::Bare() {
    std::string_view field;
    if (!NextRaw(field)) return {};
    return std::string(Trim(field));
}

std::int32_t FieldReader::Int(std::int64_t min, std::int64_t max) {
    // The usual field, digits right up to the separator, is read in one pass.
    if (!bad_ && pos_ < text_.size()) {
        const char* begin = text_.data() + pos_;
        const char* const stop = text_.data() + text_.size();
        std::int64_t value = 0;
        const char* end = ShortDecimal(begin, stop, value);
        if (end && (end == stop || IsSeparator(*end))) {
            pos_ = static_cast<std::size_t>(end - text_.data());
            SkipSeparator();
            if (value >= min && value <= max) return static_cast<std::int32_t>(value);
            bad_ = true;
            return 0;
        }
    }
    std::string_view field;
    if (!NextRaw(field)) return 0;
    field = Trim(field);
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size() || value < min || value > max) {
        bad_ = true;
        return 0;
    }
    return static_cast<std::int32_t>(value);
}

float FieldReader::Float() {
    std::string_view field;
    if (!NextRaw(field)) return 0.0f;
    field = Trim(field);
    // from_chars is locale-independent: a period is the separator whatever
    // the user's locale. It takes ".5" and "3.051758E-02", but not a plus.
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    float value = 0.0f;
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size() || !std::isfinite(value)) {
        bad_ = true;
        return 0.0f;
    }
    return value;
}

std::int16_t FieldReader::Bool() {
    const std::string field = Bare();
    if (field == "#TRUE#") return -1;
    if (field == "#FALSE#") return 0;
    bad_ = true;
    return 0;
}

std::string FieldReader::String() {
    if (bad_ || pos_ >= text_.size()) {
        bad_ = true;
        return {};
    }
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    if (pos_ >= text_.size() || text_[pos_] != '"') {
        bad_ = true;
        return {};
    }
    // The string ends at a quote followed by a separator or the end, so a
    // file name that holds a quote still reads back.
    std::size_t close = pos_ + 1;
    while (close < text_.size()) {
        if (text_[close] == '"' && (close + 1 == text_.size() || IsSeparator(text_[close + 1]))) break;
        ++close;
    }
    if (close >= text_.size()) {
        bad_ = true;
        return {};
    }
    std::string value(text_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = close + 1;
    SkipSeparator();
    return value;
}
