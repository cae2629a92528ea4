// The shipped user-interface texts: every window finds one translation per
// key, in both languages, and every configured text that a window shows has
// a row.

#include "shipped_databases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace somnexa::testing {
namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool hasNonAscii(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return c >= 0x80; });
}

// The rows a window gets, as the translation loader reads them: its own
// and the shared ones, every column by position.
std::vector<Row> windowRows(const std::string& form)
{
    return masterDatabase().rows("select * from Languages where FormName = '" + form +
                                 "' or FormName = 'Users'");
}

// Translation of a key for a window, found as the program finds it: first
// case-insensitive match in returned order, column at position code + 2.
std::optional<std::string> translate(const std::string& form, const std::string& key, int code)
{
    for (const auto& row : windowRows(form))
        if (lower(row.at(2).value_or("")) == lower(key))
            return row.at(static_cast<size_t>(code) + 2).value_or("");
    return std::nullopt;
}

TEST(ShippedLanguages, TranslationsStandAtTheirLanguagePositions)
{
    const std::string key = "View data analysis prior to select the current required to operate a patient!";
    EXPECT_EQ(translate("MessageBox", key, 3), "Please select a patient before viewing data analysis.");
    const auto chinese = translate("MessageBox", key, 1);
    ASSERT_TRUE(chinese);
    EXPECT_TRUE(hasNonAscii(*chinese));
    // Code 2 is not offered; it must not blank the texts.
    EXPECT_EQ(translate("MessageBox", key, 2), key);
}

TEST(ShippedLanguages, EveryRowHasBothTranslations)
{
    for (const auto& row : masterDatabase().rows("select FormName, ReferenceLanguage, "
                                                 "SimplifiedChinese, English, Language2 from Languages")) {
        const std::string where = row[0].value_or("?") + " / " + row[1].value_or("?");
        EXPECT_FALSE(row[1].value_or("").empty()) << where;
        EXPECT_FALSE(row[2].value_or("").empty()) << where;
        EXPECT_FALSE(row[3].value_or("").empty()) << where;
        EXPECT_EQ(row[4], row[1]) << where;
    }
}

// Each window sees a key at most once (its own rows plus the shared ones),
// so no lookup depends on the order rows come back in.
TEST(ShippedLanguages, NoWindowSeesAKeyTwice)
{
    for (const auto& form : masterDatabase().rows("select distinct FormName from Languages")) {
        std::map<std::string, int> seen;
        for (const auto& row : windowRows(*form[0]))
            ++seen[lower(row.at(2).value_or(""))];
        for (const auto& [key, times] : seen)
            EXPECT_EQ(times, 1) << *form[0] << ": \"" << key << "\"";
    }
}

// Format placeholders and menu accelerators survive the translation.
TEST(ShippedLanguages, TranslationsKeepPlaceholdersAndAccelerators)
{
    const std::regex placeholder("%[-0-9.]*[dsf]");
    auto placeholders = [&](const std::string& text) {
        std::vector<std::string> found;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder); it != std::sregex_iterator(); ++it)
            found.push_back(it->str());
        return found;
    };
    for (const auto& row : masterDatabase().rows("select ReferenceLanguage, SimplifiedChinese, English from Languages")) {
        const std::string key = row[0].value_or("");
        for (size_t i = 1; i <= 2; ++i) {
            const std::string text = row[i].value_or("");
            EXPECT_EQ(placeholders(text), placeholders(key)) << key;
            // "A&H index" is a label; its ampersand is part of an abbreviation.
            if (key.find('&') != std::string::npos && key != "A&H index") {
                EXPECT_NE(text.find('&'), std::string::npos) << key;
            }
        }
    }
}

TEST(ShippedLanguages, CatalogueAndWindowsTranslateSampleTexts)
{
    struct Case { const char* form; const char* key; int code; const char* expected; };
    const Case cases[] = {
        {"MessageBox", "The current user data!", 3, "The current patient has no therapy data."},
        {"MessageBox", "Questions", 1, "询问"},
        {"MessageBox", "ChinaSimplified", 3, nullptr},  // a window text, not a message
        {"frmOptSystem", "ChinaSimplified", 1, "简体中文"},
        {"frmOptSystem", "chinasimplified", 3, "Simplified Chinese"},  // keys ignore case
        {"frmMain", "Home Page", 1, "首页"},            // shared row
        {"frmTableStatic", "Median", 3, "Mean"},         // the row shows the mean
        {"frmDownData", "The expected time:  %d minute %d second", 1, "预计剩余时间:  %d 分 %d 秒"},
    };
    for (const auto& c : cases) {
        const auto found = translate(c.form, c.key, c.code);
        if (!c.expected) {
            EXPECT_FALSE(found) << c.form << " / " << c.key;
            continue;
        }
        EXPECT_EQ(found.value_or("<missing>"), c.expected) << c.form << " / " << c.key;
    }
}

// Texts that come from the configuration tables are translated by the
// window that shows them; each needs a row there or among the shared ones.
TEST(ShippedLanguages, ConfiguredTextsHaveRows)
{
    struct Source { std::string sql; std::vector<std::string> forms; };
    const std::vector<Source> sources = {
        {"select Name from tDiagram where Type in (1, 2)", {"frmTableDetail", "frmTableEvent"}},
        {"select Units from tDiagram where Type in (1, 2)", {"frmTableDetail", "frmTableEvent"}},
        {"select Name from tDiagram where Type = 3", {"frmTableColumnList"}},
        {"select Units from tDiagram where Type = 3", {"frmTableColumnList"}},
        {"select Name from tColumnList where Visible = 1", {"frmTableColumnList"}},
        {"select Name from tEventList", {"frmEventMark"}},
        {"select DisplayName from realtimeevent", {"frmTableDetail", "frmTableEvent"}},
        {"select Units from realtimeevent", {"frmTableDetail", "frmTableEvent"}},
    };
    for (const auto& source : sources)
        for (const auto& row : masterDatabase().rows(source.sql))
            for (const auto& form : source.forms)
                for (int code : {1, 3})
                    EXPECT_TRUE(translate(form, row.at(0).value_or(""), code))
                        << form << " / " << row.at(0).value_or("") << " (" << source.sql << ")";
    for (const auto& row : masterDatabase().rows("select ToolBarName, caption from tToolBar where caption <> '|'"))
        EXPECT_TRUE(translate(*row[0], *row[1], 3)) << *row[0] << " / " << *row[1];
}

// The log view keeps only read-out lines whose translated name contains one
// of these words, so they must survive translation there in both languages.
TEST(ShippedLanguages, LogViewReadOutNamesKeepTheirFilterWords)
{
    for (const std::string name : {"InspTime", "InspTV", "ExpTime"})
        for (int code : {1, 3}) {
            const auto text = translate("frmTableEvent", name, code);
            ASSERT_TRUE(text) << name;
            EXPECT_NE(lower(*text).find(lower(name)), std::string::npos) << name << " " << code;
        }
}

}  // namespace
}  // namespace somnexa::testing
