#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// CSS as SVG drawings use it: declaration lists, a style sheet of type,
// class and id selectors, colours and lengths.

using Declarations = std::vector<std::pair<std::string, std::string>>;

// "fill: red; stroke-width: 2" as name/value pairs, names in lower case; "!important" is dropped.
Declarations ParseDeclarations(std::string_view text);

struct CssRule {
    std::string Type;                  // element name, empty for any
    std::string Id;
    std::vector<std::string> Classes;
    int Specificity = 0;
    std::size_t Order = 0;
    Declarations Values;
};

// Rules of a <style> sheet. Selectors other than compounds of a type, classes
// and an id (descendants, attributes, pseudo-classes) and at-rules are skipped.
void ParseStyleSheet(std::string_view text, std::vector<CssRule>& rules);

// The declarations of the matching rules, least specific first.
Declarations MatchRules(const std::vector<CssRule>& rules, std::string_view type, std::string_view id,
                        std::string_view classAttribute);

// An sRGB colour with opacity.
struct Rgba {
    std::uint8_t R = 0, G = 0, B = 0;
    double A = 1;
};
// Every CSS colour form: keywords, #rgb(a), #rrggbb(aa), rgb(a)() and hsl(a)() in comma or space syntax.
std::optional<Rgba> ParseColor(std::string_view text);

// A length in user units (px). `percentOf` is what 100 % stands for; false on a bad value.
bool ParseLength(std::string_view text, double percentOf, double& out);
// A plain number; false on a bad or non-finite value.
bool ParseNumber(std::string_view text, double& out);

std::string_view Trimmed(std::string_view s);
