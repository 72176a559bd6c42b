#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The comma-separated field syntax of document and clip files. Lines end in
// CR LF when written; the reader takes CR LF, LF or CR alike, and commas and
// line ends are both field separators.
class FieldWriter {
public:
    void Int(std::int64_t value);
    void Float(float value);
    void Bool(std::int16_t value);
    void String(std::string_view text);
    void Bare(std::string_view text);
    void EndLine();
    const std::string& Text() const { return out_; }

private:
    void Separate();
    std::string out_;
    bool lineStarted_ = false;
};

// Reads fields in order. Every failure (end of text, a field that is not of
// its type or does not fit its width) sets the bad flag; reading after a
// failure keeps failing harmlessly and returns zero values.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}
    std::string Bare();
    std::int32_t Int(std::int64_t min, std::int64_t max);
    std::int32_t Int32() { return Int(INT32_MIN, INT32_MAX); }
    std::int16_t Int16() { return static_cast<std::int16_t>(Int(INT16_MIN, INT16_MAX)); }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(Int(0, 255)); }
    float Float();
    std::int16_t Bool();
    std::string String();
    bool Bad() const { return bad_; }
    void MarkBad() { bad_ = true; }
    // Upper bound of the fields left: each takes a character and a separator.
    std::size_t MaxFieldsLeft() const { return (text_.size() - pos_ + 1) / 2; }
    bool AtEnd();

private:
    bool NextRaw(std::string_view& field);
    void SkipSeparator();
    std::string_view text_;
    std::size_t pos_ = 0;
    bool bad_ = false;
};
