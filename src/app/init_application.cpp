#include "app/init_application.h"

#include <string>

#include "app/app_context.h"
#include "storage/shared_routines.h"

namespace somnexa::app {

int languageFromOption(std::string_view value) {
    const auto first = value.find_first_not_of(" \t");
    if (first == std::string_view::npos) return 1;
    const auto last = value.find_last_not_of(" \t");
    const std::string_view digits = value.substr(first, last - first + 1);
    // The codes with a column of translations: 1, 2 (the program's own texts), 3.
    if (digits == "1" || digits == "2" || digits == "3") return digits[0] - '0';
    return 1;
}

bool InitApplication(AppContext& context) {
    context.startupSteps.emplace_back("InitApplication");
    context.ProductTitle = kProductTitle;
    storage::DeleteTempFiles(context.programDir().toStdString());
    auto& dm = context.dm();
    dm.MasterDBPath = context.programFile(QStringLiteral("DBQorvel.mdb")).toStdString();
    if (!dm.ConnectDatabase(storage::kMasterConnection)) return false;
    context.LanguageCode = languageFromOption(dm.GetOption("Language", "1"));
    context.MessageCatalogue.table.clear();
    storage::LoadLanguageTable(dm, "MessageBox", context.LanguageCode, context.MessageCatalogue.table);
    return true;
}

}  // namespace somnexa::app
