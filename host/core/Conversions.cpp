#include "hostapi/Conversions.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <numbers>
#include <string>

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Reads the leading integer of a text: blanks, sign, digits. `ok` is false when no digit was found.
long long LeadingInteger(const WString& text, bool& ok, long long low, long long high) {
    const std::u16string_view s = text.view();
    std::size_t i = 0;
    while (i < s.size() && IsWhiteSpace(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    ok = false;
    long long value = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        ok = true;
        if (value <= high)
            value = value * 10 + (s[i] - u'0');
    }
    if (negative)
        value = -value;
    if (value < low)
        return low;
    if (value > high)
        return high;
    return value;
}

} // namespace

WString CStringDaDouble(double value, int decimals) {
    if (IsRealeIndefinito(value) || std::isnan(value))
        return WString();
    if (decimals < 0)
        decimals = 0;
    if (decimals > 15)
        decimals = 15;
    // Round first so that the text agrees with ArrotondatoAtDec, then avoid "-0.000".
    double rounded = ArrotondatoAtDec(value, decimals);
    if (rounded == 0)
        rounded = 0;
    // to_chars writes what printf's "%.*f" writes, without its cost on every cell of a large grid.
    char text[400];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed, decimals);
    if (error != std::errc())
        return WString::Formatted(u"%.*f", decimals, rounded);
    std::u16string out(text, end);
    return WString(std::move(out));
}

void StringDaDouble(double value, int decimals, char16_t* buffer, int size) {
    if (!buffer || size <= 0)
        return;
    const WString text = CStringDaDouble(value, decimals);
    const int n = std::min(text.GetLength(), size - 1);
    for (int i = 0; i < n; ++i)
        buffer[i] = text.GetAt(i);
    buffer[n] = 0;
}

double DoubleDaCString(const WString& text) {
    const std::u16string_view s = text.view();
    std::size_t i = 0;
    while (i < s.size() && IsWhiteSpace(s[i]))
        ++i;
    std::size_t end = s.size();
    while (end > i && IsWhiteSpace(s[end - 1]))
        --end;
    bool negative = false;
    if (i < end && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    // Accumulate digits as an exact decimal text, then let the C library round it once.
    std::string digits;
    bool separator = false;
    bool anyDigit = false;
    for (; i < end; ++i) {
        const char16_t c = s[i];
        if (IsDigit(c)) {
            anyDigit = true;
            digits += static_cast<char>(c);
        } else if ((c == u'.' || c == u',') && !separator) {
            separator = true;
            digits += '.';
        } else {
            return REALE_INDEFINITO;
        }
    }
    if (!anyDigit)
        return REALE_INDEFINITO;
    const double value = std::strtod(digits.c_str(), nullptr);
    if (!std::isfinite(value) || value > REALE_LIMITE)
        return REALE_INDEFINITO;
    return negative ? -value : value;
}

double DoubleDaString(const char16_t* text) {
    return DoubleDaCString(WString(text));
}

short ShortDaStringNullZero(const WString& text) {
    bool ok = false;
    return static_cast<short>(LeadingInteger(text, ok, SHRT_MIN, SHRT_MAX));
}

std::int32_t LongDaStringNullZero(const WString& text) {
    bool ok = false;
    return static_cast<std::int32_t>(LeadingInteger(text, ok, INT32_MIN, INT32_MAX));
}

short ShortDaString32000(const WString& text) {
    bool ok = false;
    const long long value = LeadingInteger(text, ok, SHRT_MIN, SHRT_MAX);
    return ok ? static_cast<short>(value) : static_cast<short>(32000);
}

double ArrotondatoAtDec(double value, int decimals) {
    if (IsRealeIndefinito(value) || !std::isfinite(value))
        return value;
    // The powers a booklet rounds to, exact as pow gives them, without its cost on every value of a grid.
    static constexpr double kPotenze[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
    const double scale = decimals >= 0 && decimals < static_cast<int>(std::size(kPotenze))
                             ? kPotenze[decimals]
                             : std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (std::fabs(scaled) > 1e15)
        return value;
    double whole = std::floor(std::fabs(scaled));
    const double fraction = std::fabs(scaled) - whole;
    const double tolerance = 1e-9 * std::max(1.0, std::fabs(scaled));
    if (fraction >= 0.5 - tolerance)
        whole += 1;
    const double result = whole / scale;
    return scaled < 0 ? -result : result;
}

WString StringTrimBoth(const WString& text) {
    WString out = text;
    return out.Trim();
}

WString StringToUpper(const WString& text) {
    WString out = text;
    return out.MakeUpper();
}

void AngSesgFromRadi(double radians, int& degrees, int& minutes, double& seconds) {
    const bool negative = radians < 0;
    // Whole thousandths of a second, so that 59.9996" carries into the minutes instead of showing 60.000.
    const double totalMillis = std::round(std::fabs(radians) * 180.0 / std::numbers::pi * 3600.0 * 1000.0);
    const auto millis = static_cast<long long>(totalMillis);
    degrees = static_cast<int>(millis / 3600000);
    minutes = static_cast<int>((millis / 60000) % 60);
    seconds = static_cast<double>(millis % 60000) / 1000.0;
    if (negative) {
        if (degrees != 0)
            degrees = -degrees;
        else if (minutes != 0)
            minutes = -minutes;
        else
            seconds = -seconds;
    }
}

double AngRadiFromSesg(int degrees, int minutes, double seconds) {
    const bool negative = degrees < 0 || minutes < 0 || seconds < 0;
    const double magnitude = std::abs(degrees) + std::abs(minutes) / 60.0 + std::fabs(seconds) / 3600.0;
    const double radians = magnitude * std::numbers::pi / 180.0;
    return negative ? -radians : radians;
}
