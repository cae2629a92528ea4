#include "charts/float_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <charconv>

namespace somnexa {
namespace {

bool isPlaceholder(char c) { return c == '0' || c == '#' || c == '.' || c == ','; }

// Decimal digits of |value| rounded half away from zero to `decimals` places,
// working on the 15 significant digits a double carries so that 0.25 and
// 1.005 round as they read.
std::string roundedDigits(double magnitude, int decimals, int& pointPos) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", magnitude);  // d.dddddddddddddde±XX
    std::string mantissa;
    mantissa.push_back(buf[0]);
    mantissa.append(buf + 2, 14);
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    // The value is 0.mantissa * 10^(exponent + 1).
    pointPos = exponent + 1;
    const int keep = pointPos + decimals;  // digits of the mantissa to keep
    if (keep < 0) {
        pointPos = 0;
        return {};
    }
    if (keep < static_cast<int>(mantissa.size())) {
        const bool up = mantissa[static_cast<std::size_t>(keep)] >= '5';
        mantissa.resize(static_cast<std::size_t>(keep));
        if (up) {
            int i = keep - 1;
            for (; i >= 0; --i) {
                if (mantissa[static_cast<std::size_t>(i)] == '9') {
                    mantissa[static_cast<std::size_t>(i)] = '0';
                } else {
                    ++mantissa[static_cast<std::size_t>(i)];
                    break;
                }
            }
            if (i < 0) {
                mantissa.insert(mantissa.begin(), '1');
                ++pointPos;
            }
        }
    }
    return mantissa;
}

std::string shortestText(double value) {
    char buf[40];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, result.ptr);
}

}  // namespace

std::string formatFloat(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return "0";
    if (value == 0.0) value = 0.0;  // no "-0"
    std::size_t first = 0;
    while (first < pattern.size() && !isPlaceholder(pattern[first])) ++first;
    if (first == pattern.size()) {
        if (pattern.empty()) return shortestText(value);
        first = pattern.size();
    }
    std::size_t last = pattern.size();
    while (last > first && !isPlaceholder(pattern[last - 1])) --last;
    const std::string_view prefix = pattern.substr(0, first);
    const std::string_view body = pattern.substr(first, last - first);
    const std::string_view suffix = pattern.substr(last);
    if (body.empty()) return shortestText(value);

    const std::size_t dot = body.find('.');
    const std::string_view whole = body.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? std::string_view{} : body.substr(dot + 1);
    int minWhole = 0;
    bool groups = false;
    for (char c : whole) {
        if (c == '0') ++minWhole;
        if (c == ',') groups = true;
    }
    int minDecimals = 0;
    int maxDecimals = 0;
    for (char c : fraction) {
        if (c == '0') minDecimals = maxDecimals + 1;
        if (c == '0' || c == '#') ++maxDecimals;
    }

    int pointPos = 0;
    std::string digits = value == 0.0 ? std::string{} : roundedDigits(std::fabs(value), maxDecimals, pointPos);
    // Whole part and decimals as digit strings.
    std::string wholeDigits;
    std::string decimals;
    for (int i = 0; i < pointPos + maxDecimals; ++i) {
        const char d = i < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(i)] : '0';
        if (i < pointPos) wholeDigits.push_back(d);
        else decimals.push_back(d);
    }
    if (pointPos < 0) decimals = std::string(static_cast<std::size_t>(std::min(-pointPos, maxDecimals)), '0') + decimals;
    decimals.resize(static_cast<std::size_t>(maxDecimals), '0');
    std::size_t lead = 0;
    while (lead < wholeDigits.size() && wholeDigits[lead] == '0') ++lead;
    wholeDigits.erase(0, lead);
    const bool nonZero = wholeDigits.find_first_not_of('0') != std::string::npos ||
                         decimals.find_first_not_of('0') != std::string::npos;
    while (static_cast<int>(decimals.size()) > minDecimals && !decimals.empty() && decimals.back() == '0')
        decimals.pop_back();
    if (static_cast<int>(wholeDigits.size()) < minWhole)
        wholeDigits.insert(0, static_cast<std::size_t>(minWhole) - wholeDigits.size(), '0');
    if (groups && wholeDigits.size() > 3) {
        std::string grouped;
        for (std::size_t k = 0; k < wholeDigits.size(); ++k) {
            if (k > 0 && (wholeDigits.size() - k) % 3 == 0) grouped.push_back(',');
            grouped.push_back(wholeDigits[k]);
        }
        wholeDigits = std::move(grouped);
    }
    std::string number = wholeDigits;
    if (!decimals.empty()) {
        number.push_back('.');
        number += decimals;
    }
    if (number.empty()) number.push_back('0');
    std::string out(prefix);
    if (nonZero && value < 0) out.push_back('-');
    out += number;
    out += suffix;
    return out;
}

}  // namespace somnexa
