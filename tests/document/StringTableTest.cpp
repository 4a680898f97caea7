// The English and Japanese string tables must be interchangeable: same ids, same shape.
#include "document/StringTable.h"

#include "document/StringIds.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// The printf conversions of a text in order, so "%s ... %d" gives "sd".
std::string Conversions(const std::string& text) {
    std::string result;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%') {
            result += text[i + 1];
            ++i;
        }
    }
    return result;
}

bool IsPromptAndTip(int id) {
    return (id >= 32775 && id <= 32798) ||
           (id >= 57600 && id < 59394 && id != ids::kAppName && id != ids::kReady &&
            id != ids::kRecentFilePrompt && (id < 59137 || id > 59142));
}

// The texts quoted by the text-export dialog describe tokens, not printf conversions.
bool IsFormatted(int id) {
    return id != 13303;
}

} // namespace

TEST(StringTable, BothLanguagesHoldTheSameIdsOnce) {
    const std::vector<int> english = StringIds(Language::English);
    const std::vector<int> japanese = StringIds(Language::Japanese);
    EXPECT_EQ(english, japanese);
    EXPECT_EQ(std::set<int>(english.begin(), english.end()).size(), english.size())
        << "an id appears twice in the English table";
    EXPECT_EQ(std::set<int>(japanese.begin(), japanese.end()).size(), japanese.size())
        << "an id appears twice in the Japanese table";
}

TEST(StringTable, TextsAgreeInShapeAcrossLanguages) {
    for (int id : StringIds(Language::English)) {
        const std::string en = LoadString(id, Language::English);
        const std::string ja = LoadString(id, Language::Japanese);
        SCOPED_TRACE(id);
        EXPECT_FALSE(en.empty());
        EXPECT_FALSE(ja.empty());
        if (IsFormatted(id)) {
            EXPECT_EQ(Conversions(en), Conversions(ja));
        }
        if (IsPromptAndTip(id)) {
            EXPECT_NE(en.find('\n'), std::string::npos) << "prompt without a tip";
            EXPECT_NE(ja.find('\n'), std::string::npos) << "prompt without a tip";
        }
        // The recent-file placeholder is a plain label, as its menu shows it.
        const bool caption = id >= ids::kCaptionBase && id != ids::kCaptionBase + 57616;
        if (caption || (id >= ids::kMenuFile && id <= ids::kMenuHelp)) {
            EXPECT_NE(en.find('&'), std::string::npos) << "caption without a mnemonic";
            EXPECT_NE(ja.find('&'), std::string::npos) << "caption without a mnemonic";
        }
    }
}

TEST(StringTable, EveryCommandHasAPromptBesideItsCaption) {
    for (int id : StringIds(Language::English)) {
        if (id < ids::kCaptionBase) {
            continue;
        }
        const int command = id - ids::kCaptionBase;
        // Recent files and Print keep their prompt under the framework's own id.
        if (command == 57616 || command == 57607) {
            continue;
        }
        EXPECT_FALSE(LoadString(command, Language::English).empty()) << command;
    }
}

TEST(StringTable, CurrentLanguageSelectsTheSet) {
    const Language before = GetLanguage();
    SetLanguage(Language::Japanese);
    EXPECT_EQ(LoadString(ids::kHintMove), "左ﾄﾞﾗｯｸﾞで移動");
    SetLanguage(Language::English);
    EXPECT_EQ(LoadString(ids::kHintMove), "L-Drag:Move");
    EXPECT_EQ(LoadString(999999), "");
    SetLanguage(before);
}

TEST(StringTable, DocumentTemplateHasSevenFields) {
    for (Language language : {Language::English, Language::Japanese}) {
        const std::string text = LoadString(ids::kDocumentTemplate, language);
        size_t fields = 1;
        for (char c : text) {
            fields += c == '\n';
        }
        EXPECT_EQ(fields, 7u);
        EXPECT_NE(text.find("\n.tesl\nTessel.Document\n"), std::string::npos);
    }
}
