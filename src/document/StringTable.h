// The program's numbered texts in English and Japanese, with the same ids in both sets.
#pragma once

#include <string>
#include <vector>

enum class Language { English, Japanese };

// The set that LoadString reads; the editor chooses it from the user's locale at start-up.
void SetLanguage(Language language);
Language GetLanguage();

// The UTF-8 text of that id in the current set, or an empty string for an unknown id.
std::string LoadString(int id);
std::string LoadString(int id, Language language);

// Every id of one set, in increasing order.
std::vector<int> StringIds(Language language);
