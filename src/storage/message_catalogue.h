#pragma once
// Translation tables: reference texts and, at the same positions, their
// translations from the Languages table. A window has its own table; the
// message boxes use the table of the form name "MessageBox".

#include <string>
#include <string_view>
#include <vector>

namespace somnexa::storage {

class TDM;

class TranslationTable {
public:
    std::vector<std::string> references;
    std::vector<std::string> translations;

    void clear() {
        references.clear();
        translations.clear();
    }
    void add(std::string reference, std::string translation) {
        references.push_back(std::move(reference));
        translations.push_back(std::move(translation));
    }
    // The translation of the first reference equal to text without regard to
    // letter case (even an empty one); text itself when there is none.
    std::string translate(std::string_view text) const;
};

// The message catalogue: CatalogueText translates message texts and captions.
class MessageCatalogue {
public:
    TranslationTable table;
    std::string CatalogueText(std::string_view text) const { return table.translate(text); }
};

// Fills table from the Languages rows of formName and "Users" on the master
// connection: the column ReferenceLanguage and the column at 0-based position
// languageCode + 2. A failing query leaves the table empty (the data layer has
// shown its error box).
void LoadLanguageTable(TDM& dm, const std::string& formName, int languageCode, TranslationTable& table);

// Whether two texts are equal without regard to letter case (ASCII letters).
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace somnexa::storage
