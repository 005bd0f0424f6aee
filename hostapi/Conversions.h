// Base runtime conversions between texts and numbers.
//
// What counts as a number is what a surveyor types on the device: optional blanks, an optional sign,
// digits with at most one decimal separator ('.' or ','), optional blanks. At least one digit is needed;
// ".5" and "5." are numbers. Exponents, thousands separators and anything else are not.
#pragma once

#include "hostapi/Platform.h"
#include "hostapi/WString.h"

#include <cstdint>

// The real stored for a value that has not been given; anything above REALE_LIMITE counts as undefined.
constexpr double REALE_INDEFINITO = 1.7e200;
constexpr double REALE_LIMITE = 8.5e199;
constexpr bool IsRealeIndefinito(double value) {
    return value > REALE_LIMITE;
}

// Real to text with the given number of decimals ('.' as separator). An undefined real gives an empty text.
HOSTAPI WString CStringDaDouble(double value, int decimals = 3);
// The same into a caller's buffer of `size` characters, always terminated; the text is cut to fit.
HOSTAPI void StringDaDouble(double value, int decimals, char16_t* buffer, int size);

// Text to real; a text that is not a number gives REALE_INDEFINITO.
HOSTAPI double DoubleDaCString(const WString& text);
HOSTAPI double DoubleDaString(const char16_t* text);

// Text to integer: blanks, an optional sign and the leading digits are read, the rest is ignored, so "4L"
// reads 4. An empty or non-numeric text gives 0 (32000 for ShortDaString32000, the host's "no value" for
// short fields). Values beyond the type's range are clamped to it.
HOSTAPI short ShortDaStringNullZero(const WString& text);
HOSTAPI std::int32_t LongDaStringNullZero(const WString& text);
HOSTAPI short ShortDaString32000(const WString& text);

// Rounds to `decimals` decimals, half-way values away from zero. A value within a relative 1e-9 of a
// half-way point counts as half-way, so that 0.0025 typed by a user rounds to 0.003 although its binary
// value lies a hair below. Undefined reals pass through unchanged.
HOSTAPI double ArrotondatoAtDec(double value, int decimals);

HOSTAPI WString StringTrimBoth(const WString& text);
HOSTAPI WString StringToUpper(const WString& text);

// Sexagesimal angles: radians to degrees, minutes and seconds and back. The sign is carried by the first
// non-zero part; seconds are rounded to the thousandth with carries into minutes and degrees.
HOSTAPI void AngSesgFromRadi(double radians, int& degrees, int& minutes, double& seconds);
HOSTAPI double AngRadiFromSesg(int degrees, int minutes, double seconds);
