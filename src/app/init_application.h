#pragma once
// The initialisation every start runs (twice, and safely so): the product
// title, removal of temporary download files left in the program folder, the
// master database, the language and the message catalogue.

#include <string_view>

namespace somnexa::app {

class AppContext;

inline constexpr const char* kProductTitle = "Qorvel Somnexa Management System";

// false when the master database cannot be opened (its error box has been
// shown): the program must end.
bool InitApplication(AppContext& context);

// The language of the option text: 1 (Simplified Chinese), 2 (the program's
// own texts) or 3 (English); anything else, having no column of
// translations, reads as 1 rather than blanking every text.
int languageFromOption(std::string_view value);

}  // namespace somnexa::app
