// The languages of the screen and the report.  The program's texts are its layouts and
// free-form texts as written in the cases, in Turkish; each other language has one table that
// gives, for each of them, the same record in that language with the same values in the same
// order (src/report/texts_en.cpp).  The renderer is the same for every language.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace tidewerk {

enum class Language {
  Turkish,  // the classic program's texts
  English,
};

// A text of the program and the same text in another language.
struct TranslatedText {
  std::string_view turkish;
  std::string_view translated;
};

// The English table: every layout and free-form text of the screen and the report that holds
// words, with its English counterpart.
std::span<const TranslatedText> english_texts();

// `text` (a layout or a free-form text as the program holds it) in `language`; the text itself
// when the language is Turkish or the table has no entry for it (a text without words).
std::string_view in_language(Language language, std::string_view text);

// "tr" or "en"; nullopt for any other code.
std::optional<Language> language_from_code(std::string_view code);

}  // namespace tidewerk
