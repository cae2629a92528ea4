#include "storage/message_catalogue.h"

#include "storage/catalogue_presenter.h"
#include "storage/data_module.h"

namespace somnexa::storage {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string TranslationTable::translate(std::string_view text) const {
    for (std::size_t i = 0; i < references.size(); ++i)
        if (equalsIgnoringCase(references[i], text)) return translations[i];
    return std::string(text);
}

void LoadLanguageTable(TDM& dm, const std::string& formName, int languageCode, TranslationTable& table) {
    table.clear();
    Query q;
    if (dm.ExecSQL(q, "select * from Languages where FormName=" + QuotedStr(formName) + " or FormName=" + QuotedStr("Users"),
                   kMasterConnection, true) <= 0)
        return;
    for (q.First(); !q.Eof(); q.Next())
        table.add(q.FieldByName("ReferenceLanguage").AsString(), q.Fields(languageCode + 2).AsString());
}

const char* boxCaption(BoxKind kind) {
    switch (kind) {
        case BoxKind::Info: return "Information";
        case BoxKind::Warning: return "Warning";
        case BoxKind::Error: return "Error";
        case BoxKind::Question: return "Questions";
    }
    return "";
}

}  // namespace somnexa::storage
