#pragma once
// A ventilator as the download window lists it: the caption is the model text
// (the first ten characters of the product string), the payload keeps the
// whole product string and the model number that follows the model text.

#include <cstdint>
#include <string>

namespace somnexa::device {

inline constexpr const char* kModelText = "Nimbra-C01";
inline constexpr int kModelTextLength = 10;

// Icons of the device list.
inline constexpr int kIconKnownModel = 0;
inline constexpr int kIconOtherModel = 1;
inline constexpr int kIconDownloaded = 2;

struct TItemData {
    std::string ProductName;
    std::int32_t ModelNumber = 0;
};

// The first ten characters of a product string (cut at a character boundary).
std::string DeviceCaption(const std::string& productName);
// The product string from its 11th character on as a whole integer; 0 when
// that is empty or not a number.
std::int32_t ModelNumberOf(const std::string& productName);
TItemData MakeItemData(const std::string& productName);
// 0 for the model "Nimbra-C01", 1 for any other.
int DeviceIcon(const std::string& caption);

}  // namespace somnexa::device
